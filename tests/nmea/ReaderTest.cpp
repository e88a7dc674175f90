// Framing, checksums, dispatch and notifications of the sentence reader, in every chunking.
#include "NmeaTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const std::string kGga = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";

TEST(Reader, ADecodedSentenceIsTheSameInEveryChunking) {
    const std::string strStream =
        "noise\r\n" + Sentence(kGga) + Sentence("GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1") +
        Sentence("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
    CNmeaParser reference;
    reference.Feed(strStream.data(), static_cast<uint32_t>(strStream.size()));
    ASSERT_EQ(reference.m_nSentenceCount, 3u);
    ASSERT_EQ(reference.m_nGgaCount, 1u);

    for (const Chunking& chunking : Chunkings(strStream.size())) {
        RecordingNotify notify;
        CNmeaParser parser(&notify);
        FeedCuts(parser, strStream, chunking.cuts);
        EXPECT_EQ(Snapshot(parser), Snapshot(reference)) << chunking.strName;
        EXPECT_EQ(notify.all, (std::vector<unsigned>{WM_GPS_GGA, WM_GPS_SENTENCE, WM_GPS_GSA,
                                                     WM_GPS_SENTENCE, WM_GPS_RMC, WM_GPS_SENTENCE}))
            << chunking.strName;
    }
}

// The two checksum characters are read with loose arithmetic: a lowercase first digit reads
// as uppercase, a lowercase second digit sets extra bits. Only a value equal to the running
// sum lets a sentence through.
TEST(Reader, ChecksumAcceptsAndDropsExactly) {
    // Running sums: "GPZDA,1" 0x55, "GPZDA,?" 0x5B, "GPZDA,\xCF" 0xAB, "GPZDA,\xF0" 0x94.
    struct Case {
        const char* pLegend;
        const char* pStream;
        bool bAccepted;
    } const cases[] = {
        {"correct", "$GPZDA,1*55\r\n", true},
        {"correct with a letter", "$GPZDA,?*5B\r\n", true},
        {"first digit 9, from a byte above 0x7F", "$GPZDA,\xF0*94\r\n", true},
        {"lowercase first digit", "$GPZDA,\xCF*aB\r\n", true},
        {"lowercase second digit", "$GPZDA,?*5b\r\n", false},
        {"lowercase second digit whose extra bits are already set", "$GPZDA,\xCF*Ab\r\n", true},
        {"second digit wrong", "$GPZDA,1*56\r\n", false},
        {"first digit wrong", "$GPZDA,1*45\r\n", false},
        {"non-hex digits", "$GPZDA,1*G?\r\n", false},
        {"carriage return in place of a digit", "$GPZDA,1*5\r\n", false},
        {"no checksum, carriage return", "$GPZDA,1\r\n", true},
        {"no checksum, no carriage return", "$GPZDA,1\n", false},
    };
    for (const Case& c : cases) {
        RecordingNotify notify;
        CNmeaParser parser(&notify);
        parser.Feed(c.pStream, static_cast<uint32_t>(std::strlen(c.pStream)));
        EXPECT_EQ(parser.m_nSentenceCount, c.bAccepted ? 1u : 0u) << c.pLegend;
        EXPECT_EQ(parser.m_nZdaCount, c.bAccepted ? 1u : 0u) << c.pLegend;
        EXPECT_EQ(notify.all.size(), c.bAccepted ? 2u : 0u) << c.pLegend;
    }
}

TEST(Reader, IdentifierAndBodyLimits) {
    const std::string strBody255(255 - 2, '9');
    struct Case {
        const char* pLegend;
        std::string strStream;
        uint32_t nDispatched;
    } const cases[] = {
        {"7-character identifier", Sentence("GPGGAXY,1"), 1},
        {"8-character identifier abandoned", Sentence("GPGGAXYZ,1"), 0},
        {"9-character identifier abandoned", Sentence("GPGGAXYZW,1"), 0},
        {"255-character body", Sentence("GPXXX," + strBody255 + ",1"), 1},
        {"256-character body abandoned", Sentence("GPXXX," + strBody255 + ",12"), 0},
        // After an abandoned sentence everything up to the next '$' is skipped.
        {"identifier abandoned, then a good one", Sentence("GPGGAXYZ,1") + Sentence("GPXXX,1"), 1},
        {"body abandoned, then a good one",
         Sentence("GPXXX," + strBody255 + ",12") + Sentence("GPXXX,1"), 1},
    };
    for (const Case& c : cases) {
        CNmeaParser parser;
        FeedChunks(parser, c.strStream, 255);
        EXPECT_EQ(parser.m_nSentenceCount, c.nDispatched) << c.pLegend;
    }
}

TEST(Reader, DollarOnlyRestartsFramingWhenIdle) {
    // Without a '*' or carriage return the next '$' is body text; the whole run is one
    // unchecked sentence ending at the carriage return.
    CNmeaParser parser;
    const std::string strStream = "$GPGSA,A,3$GPZDA,201530.00,04,07,2002,00,00\r\n";
    FeedChunks(parser, strStream, 5);
    EXPECT_EQ(parser.m_nSentenceCount, 1u);
    EXPECT_EQ(parser.m_nGsaCount, 1u);
    EXPECT_EQ(parser.m_nZdaCount, 0u);
    EXPECT_EQ(parser.m_nFixMode, 3); // "3$GPZDA" read as the digit 3
    EXPECT_STREQ(parser.m_szData, "A,3$GPZDA,201530.00,04,07,2002,00,00");
}

TEST(Reader, StarRightAfterTheIdentifierStartsTheBody) {
    // The two checksum characters become the body, accepted unchecked at the carriage return.
    CNmeaParser parser;
    parser.Feed("$GPXYZ*4F\r\n", 11);
    EXPECT_EQ(parser.m_nSentenceCount, 1u);
    EXPECT_STREQ(parser.m_szSentenceId, "GPXYZ");
    EXPECT_STREQ(parser.m_szData, "4F");
}

TEST(Reader, OtherTalkersAndTypesAreCountedAndAnnouncedButNotDecoded) {
    RecordingNotify notify;
    CNmeaParser parser(&notify);
    const std::string str = Sentence("GN" + kGga.substr(2)) + Sentence("gpgga" + kGga.substr(5)) +
                            Sentence("GPGGAX" + kGga.substr(5));
    parser.Feed(str.data(), static_cast<uint32_t>(str.size()));
    EXPECT_EQ(parser.m_nSentenceCount, 3u);
    EXPECT_EQ(notify.all,
              (std::vector<unsigned>{WM_GPS_SENTENCE, WM_GPS_SENTENCE, WM_GPS_SENTENCE}));
    EXPECT_EQ(Snapshot(parser), [] {
        CNmeaParser fresh;
        fresh.m_nSentenceCount = 3;
        return Snapshot(fresh);
    }());
}

TEST(Reader, AResetKeepsAHalfReadSentenceTheCountAndTheRecording) {
    struct Log : INmeaLogFile {
        std::string& str;
        explicit Log(std::string& s) : str(s) {}
        Result Write(const uint8_t* p, uint32_t n) override {
            str.append(reinterpret_cast<const char*>(p), n);
            return {n, true};
        }
    };
    std::string strLogged;
    CNmeaParser parser;
    ASSERT_TRUE(parser.StartRecording(std::make_unique<Log>(strLogged)));
    const std::string strGga = Sentence(kGga);
    parser.Feed(strGga.data(), 20);
    parser.Reset();
    parser.Feed(strGga.data() + 20, static_cast<uint32_t>(strGga.size() - 20));
    EXPECT_EQ(parser.m_nGgaCount, 1u);
    EXPECT_EQ(parser.m_nSentenceCount, 1u);
    parser.Reset();
    EXPECT_EQ(parser.m_nSentenceCount, 1u);
    EXPECT_TRUE(parser.IsRecording());
    EXPECT_EQ(parser.LoggedBytes(), strGga.size());
    EXPECT_EQ(strLogged, strGga);
    EXPECT_EQ(parser.m_nGgaCount, 0u);
}

TEST(Reader, RecordingWritesEveryChunkOnceAndCountsOnlyWhatWasWritten) {
    struct Log : INmeaLogFile {
        std::vector<std::string>& writes;
        bool& bFail;
        Log(std::vector<std::string>& w, bool& b) : writes(w), bFail(b) {}
        Result Write(const uint8_t* p, uint32_t n) override {
            writes.emplace_back(reinterpret_cast<const char*>(p), n);
            if (bFail)
                return {0, true};
            return {n, true};
        }
    };
    std::vector<std::string> writes;
    bool bFail = false;
    CNmeaParser parser;
    EXPECT_FALSE(parser.StopRecording());
    parser.Feed("ignored", 7); // nothing is open: nothing written
    ASSERT_TRUE(parser.StartRecording(std::make_unique<Log>(writes, bFail)));
    EXPECT_FALSE(parser.StartRecording(std::make_unique<Log>(writes, bFail)));
    const std::string strGga = Sentence(kGga);
    parser.Feed(strGga.data(), 30);
    bFail = true; // a full disk: the chunk is still decoded, but nothing more is counted
    parser.Feed(strGga.data() + 30, static_cast<uint32_t>(strGga.size() - 30));
    EXPECT_EQ(parser.m_nGgaCount, 1u);
    EXPECT_EQ(parser.LoggedBytes(), 30u);
    EXPECT_EQ(writes, (std::vector<std::string>{strGga.substr(0, 30), strGga.substr(30)}));
    ASSERT_TRUE(parser.StopRecording());
    EXPECT_FALSE(parser.IsRecording());
    EXPECT_EQ(parser.LoggedBytes(), 30u); // kept after stopping
    bFail = false;
    ASSERT_TRUE(parser.StartRecording(std::make_unique<Log>(writes, bFail)));
    EXPECT_EQ(parser.LoggedBytes(), 0u); // a new recording counts afresh
}

TEST(Reader, ALogThatGivesUpEndsTheRecording) {
    struct Log : INmeaLogFile {
        Result Write(const uint8_t*, uint32_t n) override { return {n / 2, false}; }
    };
    CNmeaParser parser;
    ASSERT_TRUE(parser.StartRecording(std::make_unique<Log>()));
    const std::string strGga = Sentence(kGga);
    parser.Feed(strGga.data(), static_cast<uint32_t>(strGga.size()));
    EXPECT_FALSE(parser.IsRecording());
    EXPECT_EQ(parser.LoggedBytes(), strGga.size() / 2);
    EXPECT_EQ(parser.m_nGgaCount, 1u);
}

} // namespace
