// SPDX-License-Identifier: MIT
// Recordings that are not what a replay expects: random bytes with scraps of sentences in
// them, and a file that is deleted, emptied or replaced while it plays. The program decodes
// exactly what a decoder alone makes of the same bytes, keeps drawing its pages, and ends in
// the silence of a finished replay.
#include "FaultSupport.h"
#include "common/NmeaSupport.h"

#include "platform/Commands.h"
#include "resources/resource.h"
#include "shell/MainView.h"

#include <QFile>

#include <random>

namespace {

// Random bytes, one in ten of them a scrap that makes the reader frame and decode nonsense:
// sentence starts, commas, digits, checksum marks, line ends, huge numbers.
std::string Garbage(size_t nBytes, uint32_t nSeed) {
    // clang-format off
    static const char* const kScraps[] = {
        "$GPGSV,9,1,99,", "$GPGGA,", "$GPRMC,", "$GPGSA,A,3,", "$GPRMB,A,", "$GPZDA,", ",", ",,,,",
        "*", "\r\n", "99999999999999999999", "-0.000001", "65535", "1e308", "$", "\xff\xfe",
        "*7F\r\n"};
    // clang-format on
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
    return parser.SentenceCount();
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
        EXPECT_GT(pFrame->Parser().SentenceCount(), 100u); // the scraps made sentences
        EXPECT_EQ(pFrame->Parser().SentenceCount(), DecodedAlone(strGarbage)) << nSeed;
        EXPECT_EQ(pFrame->LedColour(), CStatusLight::Colour::Red);
    }
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
    EXPECT_EQ(pFrame->Parser().SentenceCount(), DecodedAlone(strRead));
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
