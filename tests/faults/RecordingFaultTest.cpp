// SPDX-License-Identifier: MIT
// Recordings as they fail, through the running program. Onto a disk that fills up: while it
// is full the bytes are kept and the user is told once, however long the box stays open; when
// space comes back the file is completed without a gap, and a disk that fills again is told
// again; a recording stopped while the disk is full, or a disk that stays full past the kept
// megabyte, ends the file at a chunk boundary, and the news of the latter waits for the first
// box instead of piling on top of it. A replay of a file deleted or emptied while
// it plays decodes exactly what a decoder alone makes of the bytes it read, and ends in
// silence.
#include "FaultSupport.h"

#include "source/LogFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kChunk = 255; // what one tick reads from a recording

// A person who takes a while to answer a message box: while it is open the program goes on
// (a modal box runs the event loop), which whileOpen stands for. Counts how many boxes were
// open at once at most.
class CSlowPerson : public CScriptedInteraction {
public:
    std::function<void()> whileOpen;
    int nMaxOpen = 0;

    int MessageBox(QWidget* pOwner, const QString& strText, const QString& strCaption,
                   unsigned nType) override {
        nMaxOpen = std::max(nMaxOpen, ++m_nOpen);
        if (m_nOpen == 1 && whileOpen)
            whileOpen();
        const int nAnswer = CScriptedInteraction::MessageBox(pOwner, strText, strCaption, nType);
        --m_nOpen;
        return nAnswer;
    }

private:
    int m_nOpen = 0;
};

// A replay of nSeconds of the drive being recorded to log.txt.
class DiskFault : public FaultTest {
protected:
    void Start(int nSeconds, uint32_t nSeed) {
        strStream = SimulatedSeconds(nSeconds, nSeed);
        WriteWholeFile(TempPath("drive.nmea"), strStream);
        pFrame = MakeFrame(TempPath("drive.nmea"));
        person.AnswerFile(strLog);
        pFrame->OnCommand(ID_LOG_START);
        ASSERT_TRUE(pFrame->Parser().IsRecording());
    }
    // What reached the file: a prefix of the stream ending with a whole chunk of nLimit bytes.
    void ExpectWholeChunksOf(size_t nLimit) {
        const std::string strFile = ReadWholeFile(strLog);
        EXPECT_EQ(strFile.size(), nLimit / kChunk * kChunk);
        EXPECT_EQ(strFile, strStream.substr(0, strFile.size()));
    }

    const QString strLog = TempPath("log.txt");
    std::string strStream;
    std::unique_ptr<CMainFrame> pFrame;
    CSlowPerson person;
};

TEST_F(DiskFault, ADiskThatFillsAndFreesLosesNothingAndAStopWhileFullKeepsWholeChunks) {
    Start(300, 9);
    {
        CFileSizeLimit full(20000);
        // The box stays open for fifty more ticks; the disk is still full under it.
        person.whileOpen = [&] { Tick(*pFrame, 50); };
        Tick(*pFrame, 40000 / kChunk);
        EXPECT_TRUE(pFrame->Parser().IsRecording());
        EXPECT_EQ(QFileInfo(strLog).size(), 20000);
        full.Lift();
        person.whileOpen = nullptr;
        Tick(*pFrame, 2);
    }
    ASSERT_EQ(person.Prompts().size(), 2u); // the file chooser and one box
    EXPECT_TRUE(person.Prompts()[1].strText.startsWith("Disk full") &&
                person.Prompts()[1].strText.contains(strLog));
    EXPECT_EQ(person.nMaxOpen, 1);
    const uint32_t nLogged = pFrame->Parser().LoggedBytes();
    EXPECT_EQ(nLogged, (40000 / kChunk + 52) * kChunk);
    EXPECT_EQ(ReadWholeFile(strLog), strStream.substr(0, nLogged));

    {
        CFileSizeLimit full(nLogged + 20000);
        Tick(*pFrame, 40000 / kChunk);
        pFrame->OnCommand(ID_LOG_STOP);
    }
    ExpectWholeChunksOf(nLogged + 20000);
    EXPECT_EQ(pFrame->Parser().LoggedBytes(), (nLogged + 20000) / kChunk * kChunk);
    EXPECT_EQ(person.Prompts().size(), 3u); // the disk full again: a box again
}

TEST_F(DiskFault, ADiskThatStaysFullStopsTheRecordingAtAChunkAndTellsAfterTheFirstBox) {
    Start(2200, 2);
    ASSERT_GT(strStream.size(), CLogFile::kMaxPending + 20000);
    int nTicks = -1;
    {
        CFileSizeLimit full(10000); // not a multiple of 255: a chunk is cut in two
        // Nobody answers the first box while the whole recording plays.
        person.whileOpen = [&] { nTicks = TickUntilSilent(*pFrame, 10000); };
        Tick(*pFrame, 10000 / kChunk + 1);
    }
    ASSERT_GT(nTicks, 0);
    EXPECT_FALSE(pFrame->Parser().IsRecording());
    EXPECT_TRUE(QueryCommandState(pFrame.get(), ID_LOG_START).IsEnabled());
    ExpectWholeChunksOf(10000);
    EXPECT_EQ(person.Prompts().size(), 3u); // the chooser, disk full, recording stopped
    EXPECT_EQ(person.nMaxOpen, 1);
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

TEST_F(FaultTest, ARecordingThatVanishesWhilePlayingEndsInSilenceAndDecodesWhatItRead) {
    const std::string strStream = SimulatedSeconds(60, 6);
    const QString strPath = TempPath(QStringLiteral("drive.nmea"));
    constexpr int kTicksBefore = 20;
    const struct {
        const char* pszLegend;
        std::function<bool()> vanish;
        bool bPlaysToTheEnd; // the open file keeps its bytes
    } cases[] = {
        {"deleted", [&] { return QFile::remove(strPath); }, true},
        {"emptied", [&] { return QFile::resize(strPath, 0); }, false},
    };
    auto pFrame = MakeFrame();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLegend);
        WriteWholeFile(strPath, strStream);
        const uint32_t nBefore = pFrame->Parser().SentenceCount();
        // After the silence of the last, another recording is chosen as usual.
        OpenRecording(*pFrame, strPath);
        Tick(*pFrame, kTicksBefore);
        EXPECT_FALSE(pFrame->PollLoop().NoData());
        ASSERT_TRUE(c.vanish());
        CScriptedInteraction person;
        ASSERT_GT(TickUntilSilent(*pFrame, 2000), 0);
        EXPECT_TRUE(person.Prompts().empty());
        const std::string strRead =
            c.bPlaysToTheEnd ? strStream : strStream.substr(0, kTicksBefore * 255);
        EXPECT_EQ(pFrame->Parser().SentenceCount() - nBefore, DecodedAlone(strRead));
        EXPECT_EQ(pFrame->PaneText(0), "Fix not available");
        RenderPages(*pFrame);
    }
}

} // namespace
