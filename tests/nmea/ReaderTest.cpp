// SPDX-License-Identifier: MIT
// What the captures in data/rules cannot show: a reset in the middle of a stream, the
// recording of the bytes as they arrive, every talker writing the record as GP does, and the
// systems' one-letter codes.
#include "common/NmeaSupport.h"

#include "nmea/GnssSystems.h"

#include <gtest/gtest.h>

namespace {

const std::string kGga = Sentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");

// A log that keeps every write and stores all of it, nothing while *pFull holds, or half of a
// write and then gives up.
struct Log : INmeaLogFile {
    std::vector<std::string>& writes;
    const bool* pFull;
    bool bGiveUp;
    explicit Log(std::vector<std::string>& w, const bool* pF = nullptr, bool bG = false)
        : writes(w), pFull(pF), bGiveUp(bG) {}
    Result Write(const uint8_t* p, uint32_t n) override {
        writes.emplace_back(reinterpret_cast<const char*>(p), n);
        return bGiveUp ? Result{n / 2, false} : Result{pFull && *pFull ? 0 : n, true};
    }
};

TEST(Reader, ResetRestoresTheRecordButKeepsAHalfReadSentenceTheCountAndTheRecording) {
    for (const bool bAllSystems : {false, true}) {
        CNmeaParser parser;
        parser.SetAllSystems(bAllSystems);
        const std::string strFresh = RecordOnly(parser);
        std::vector<std::string> writes;
        ASSERT_TRUE(parser.StartRecording(std::make_unique<Log>(writes)));
        FeedChunks(parser, ReadWholeFile(RAVUZIZ_DATA_DIR "/sample.nmea"));
        FeedChunks(parser, ReadWholeFile(RAVUZIZ_DATA_DIR "/demo-gnss.nmea").substr(0, 20000));
        const uint32_t nSentences = parser.SentenceCount();
        const uint64_t nLogged = parser.LoggedBytes();
        parser.Feed(kGga.data(), 20);
        parser.Reset();
        EXPECT_EQ(parser.SentenceCount(), nSentences);
        EXPECT_EQ(parser.LoggedBytes(), nLogged + 20);
        EXPECT_TRUE(parser.IsRecording());
        EXPECT_EQ(RecordOnly(parser), strFresh) << "all systems " << bAllSystems;
        parser.Feed(kGga.data() + 20, static_cast<uint32_t>(kGga.size() - 20));
        EXPECT_EQ(parser.m_nGgaCount, 1u) << "the sentence read across the reset";
    }
}

TEST(Reader, RecordingWritesEveryChunkOnceAndCountsOnlyWhatWasStored) {
    std::vector<std::string> writes;
    bool bFull = false;
    const auto log = [&] { return std::make_unique<Log>(writes, &bFull); };
    CNmeaParser parser;
    EXPECT_FALSE(parser.StopRecording());
    parser.Feed("ignored", 7); // nothing is open: nothing written
    ASSERT_TRUE(parser.StartRecording(log()));
    EXPECT_FALSE(parser.StartRecording(log()));
    parser.Feed(kGga.data(), 30);
    bFull = true; // the chunk is still decoded, but nothing more is counted
    parser.Feed(kGga.data() + 30, static_cast<uint32_t>(kGga.size() - 30));
    EXPECT_EQ(parser.m_nGgaCount, 1u);
    EXPECT_EQ(parser.LoggedBytes(), 30u);
    EXPECT_EQ(writes, (std::vector<std::string>{kGga.substr(0, 30), kGga.substr(30)}));
    ASSERT_TRUE(parser.StopRecording());
    EXPECT_EQ(parser.LoggedBytes(), 30u); // kept after stopping
    ASSERT_TRUE(parser.StartRecording(log()));
    EXPECT_EQ(parser.LoggedBytes(), 0u); // a new recording counts afresh

    // A log that gives up ends the recording, counting what it stored.
    CNmeaParser other;
    ASSERT_TRUE(other.StartRecording(std::make_unique<Log>(writes, nullptr, true)));
    other.Feed(kGga.data(), static_cast<uint32_t>(kGga.size()));
    EXPECT_FALSE(other.IsRecording());
    EXPECT_EQ(other.LoggedBytes(), kGga.size() / 2);
    EXPECT_EQ(other.m_nGgaCount, 1u);
}

// The fix, time and navigation fields are the same whatever talker sends them: the
// all-systems reading of GN, GL, GA ... equals the GPS-only reading of the same sentences as
// GP, every field and notification alike.
TEST(Reader, EveryTalkerWritesTheRecordAsGpDoes) {
    const std::vector<std::string> bodies = {
        "GGA,123519,4807.038,N,01131.000,E,1,24,0.9,545.4,M,46.9,M,,",
        "RMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
        "RMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V",
        "ZDA,201530.00,04,07,2002,-05,30",
        "GSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1",
    };
    for (const char* pszTalker : {"GN", "GL", "GA", "GB", "BD", "GQ", "QZ", "PQ", "GI", "GP"}) {
        RecordingNotify gpsNotify, allNotify;
        CNmeaParser gps(&gpsNotify), all(&allNotify);
        all.SetAllSystems(true);
        for (const std::string& strBody : bodies) {
            FeedChunks(gps, Sentence("GP" + strBody));
            FeedChunks(all, Sentence(pszTalker + strBody));
        }
        all.SetAllSystems(false); // the same JSON keys for both
        EXPECT_EQ(Snapshot(all), Snapshot(gps)) << pszTalker;
        EXPECT_EQ(allNotify.all, gpsNotify.all) << pszTalker;
    }
}

// The one-letter system codes of RINEX, which the pages write before satellite numbers (the
// decoder's JSON names systems in full).
TEST(Reader, SystemsHaveTheirRinexLetters) {
    const std::pair<GnssSystem, char> letters[] = {
        {GnssSystem::Gps, 'G'},     {GnssSystem::Sbas, 'S'},   {GnssSystem::Glonass, 'R'},
        {GnssSystem::Galileo, 'E'}, {GnssSystem::BeiDou, 'C'}, {GnssSystem::Qzss, 'J'},
        {GnssSystem::NavIc, 'I'}};
    for (const auto& [system, cLetter] : letters)
        EXPECT_EQ(RinexLetter(system), cLetter) << SystemName(system);
}

} // namespace
