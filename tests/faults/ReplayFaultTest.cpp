// SPDX-License-Identifier: MIT
// Recordings that are not what a replay expects: random bytes with scraps of sentences in
// them, a capture of tens of megabytes, and a file that is deleted, emptied or replaced
// while it plays. The program decodes exactly what a decoder alone makes of the same bytes,
// keeps drawing its pages, holds its memory flat, and ends in the silence of a finished
// replay.
#include "FaultSupport.h"
#include "common/NmeaSupport.h"

#include "platform/Commands.h"
#include "resources/resource.h"
#include "shell/MainView.h"

#include <QFile>

#include <fstream>
#include <random>

namespace {

// Resident memory of this process, in bytes.
long ResidentBytes() {
    std::ifstream status("/proc/self/statm");
    long nPages = 0, nResident = 0;
    status >> nPages >> nResident;
    return nResident * sysconf(_SC_PAGESIZE);
}

// Random bytes, one in ten of them a scrap that makes the reader frame and decode nonsense:
// sentence starts, commas, digits, checksum marks, line ends, huge numbers.
std::string Garbage(size_t nBytes, uint32_t nSeed) {
    static const char* const kScraps[] = {"$GPGSV,9,1,99,",
                                          "$GPGGA,",
                                          "$GPRMC,",
                                          "$GPGSA,A,3,",
                                          "$GPRMB,A,",
                                          "$GPZDA,",
                                          ",",
                                          ",,,,",
                                          "*",
                                          "\r\n",
                                          "99999999999999999999",
                                          "-0.000001",
                                          "65535",
                                          "1e308",
                                          "$",
                                          "\xff\xfe",
                                          "*7F\r\n"};
    std::mt19937 random(nSeed);
    std::string s;
    while (s.size() < nBytes) {
        if (random() % 10 == 0)
            s += kScraps[random() % std::size(kScraps)];
        else
            s += static_cast<char>(random() & 0xFF);
    }
    return s;
}

// Plays the recording through the menu command, as a person opens one.
void OpenRecording(CMainFrame& frame, const QString& strPath) {
    CScriptedInteraction person;
    person.AnswerFile(strPath);
    frame.OnCommand(ID_CONNECT_LOGGED_FILE);
    ASSERT_TRUE(person.Prompts().size() == 1u && frame.Link().IsOpen());
}

uint32_t DecodedAlone(const std::string& str) {
    CNmeaParser parser;
    FeedChunks(parser, str);
    return parser.m_nSentenceCount;
}

TEST_F(FaultTest, RandomBytesDecodeAsAloneAndEveryPageKeepsDrawing) {
    for (const uint32_t nSeed : {1u, 2u}) {
        const std::string strGarbage = Garbage(200000, nSeed);
        const QString strPath = TempPath(QStringLiteral("garbage%1.nmea").arg(nSeed));
        WriteWholeFile(strPath, strGarbage);
        auto pFrame = MakeFrame();
        OpenRecording(*pFrame, strPath);
        for (int nTick = 0; !pFrame->PollLoop().NoData(); ++nTick) {
            Tick(*pFrame);
            if (nTick % 100 == 0)
                RenderPages(*pFrame);
            ASSERT_LT(nTick, 2000);
        }
        FireTimers(pFrame.get()); // the pages' own refresh on what the garbage left
        for (const QImage& page : RenderPages(*pFrame))
            EXPECT_FALSE(page.isNull());
        EXPECT_GT(pFrame->Parser().m_nSentenceCount, 100u); // the scraps made sentences
        EXPECT_EQ(pFrame->Parser().m_nSentenceCount, DecodedAlone(strGarbage)) << nSeed;
        EXPECT_EQ(pFrame->LedColour(), CStatusLight::Colour::Red);
    }
}

// Sixteen megabytes: four times what may grow, so a replay that kept what it read, or anything
// per sentence, would show.
TEST_F(FaultTest, ALongCaptureReplaysToTheEndInFlatMemory) {
    constexpr size_t kSize = 16'000'000;
    // An hour of the drive, recorded again and again.
    const std::string strHour = SimulatedSeconds(3600, 4);
    const QString strPath = TempPath(QStringLiteral("100MB.nmea"));
    size_t nRepeats = 0;
    {
        std::ofstream file(strPath.toStdString(), std::ios::binary);
        for (; nRepeats * strHour.size() < kSize; ++nRepeats)
            file << strHour;
    }
    auto pFrame = MakeFrame(strPath);
    CMainFrame& frame = *pFrame;
    // The poll loop's reads as fast as they go, each followed by the delivery of what it
    // posted; the pages are drawn once per recorded hour.
    long nRssAfterFirstHour = 0;
    size_t nRead = 0;
    for (size_t nHour = 1; frame.PollLoop().EmptyReads() == 0;) {
        frame.PollLoop().Tick();
        ProcessPosted();
        nRead += 255;
        if (nRead >= nHour * strHour.size()) {
            RenderPages(frame);
            if (nHour++ == 1)
                nRssAfterFirstHour = ResidentBytes();
        }
    }
    EXPECT_EQ(frame.Parser().m_nSentenceCount,
              static_cast<uint32_t>(nRepeats * CountSentences(strHour)));
    // Nothing grows with the length of a replay. Under AddressSanitizer freed memory is held
    // back in quarantine, so resident memory grows with every allocation and tells nothing.
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(ResidentBytes() - nRssAfterFirstHour, 4L << 20);
#else
    (void)nRssAfterFirstHour;
#endif
}

enum class Vanish { Deleted, Emptied, Replaced };

struct VanishCase {
    const char* pszLegend;
    Vanish how;
    bool bPlaysToTheEnd; // the open file keeps its bytes
};

class VanishingRecording : public FaultTest, public testing::WithParamInterface<VanishCase> {};

TEST_P(VanishingRecording, EndsInSilenceAndDecodesWhatItRead) {
    const std::string strStream = SimulatedSeconds(60, 6);
    const QString strPath = TempPath(QStringLiteral("drive.nmea"));
    WriteWholeFile(strPath, strStream);
    auto pFrame = MakeFrame();
    OpenRecording(*pFrame, strPath);
    constexpr int kTicksBefore = 20;
    Tick(*pFrame, kTicksBefore);
    switch (GetParam().how) {
        case Vanish::Deleted: ASSERT_TRUE(QFile::remove(strPath)); break;
        case Vanish::Emptied: ASSERT_TRUE(QFile::resize(strPath, 0)); break;
        case Vanish::Replaced: {
            const QString strOther = TempPath(QStringLiteral("other.nmea"));
            WriteWholeFile(strOther, "$GPZDA,1*55\r\n");
            ASSERT_TRUE(std::rename(strOther.toLocal8Bit().constData(),
                                    strPath.toLocal8Bit().constData()) == 0);
            break;
        }
    }
    CScriptedInteraction person;
    ASSERT_GT(TickUntilSilent(*pFrame, 2000), 0);
    EXPECT_TRUE(person.Prompts().empty());
    const std::string strRead =
        GetParam().bPlaysToTheEnd ? strStream : strStream.substr(0, kTicksBefore * 255);
    EXPECT_EQ(pFrame->Parser().m_nSentenceCount, DecodedAlone(strRead));
    EXPECT_EQ(pFrame->PaneText(0), "Fix not available");
    RenderPages(*pFrame);
    // Another recording can be chosen as usual afterwards.
    WriteWholeFile(strPath, strStream);
    OpenRecording(*pFrame, strPath);
    Tick(*pFrame, 5);
    EXPECT_FALSE(pFrame->PollLoop().NoData());
}

INSTANTIATE_TEST_SUITE_P(Faults, VanishingRecording,
                         testing::Values(VanishCase{"Deleted", Vanish::Deleted, true},
                                         VanishCase{"Emptied", Vanish::Emptied, false},
                                         VanishCase{"Replaced", Vanish::Replaced, true}),
                         [](const testing::TestParamInfo<VanishCase>& info) {
                             return info.param.pszLegend;
                         });

} // namespace
