// SPDX-License-Identifier: MIT
// Recording onto a disk that fills up, through the running program: while the disk is full
// the bytes are kept and the user is told once, however long the box stays open; when space
// comes back the file is completed without a gap; a recording stopped while the disk is full,
// or a disk that stays full past the kept megabyte, ends the file at a chunk boundary, and the
// news of the latter waits for the first box instead of piling on top of it.
#include "FaultSupport.h"
#include "common/NmeaSupport.h"

#include "platform/Commands.h"
#include "resources/resource.h"
#include "source/LogFile.h"

#include <QFileInfo>

namespace {

constexpr int kChunk = 255; // what one tick reads from a recording

TEST_F(FaultTest, ADiskThatFillsAndFreesLosesNothingAndSaysSoOnce) {
    const QString strReplay = TempPath("drive.nmea");
    const std::string strStream = SimulatedSeconds(120, 9);
    WriteWholeFile(strReplay, strStream);
    const QString strLog = TempPath("log.txt");
    auto pFrame = MakeFrame(strReplay);
    CMainFrame& frame = *pFrame;

    CSlowPerson person;
    person.AnswerFile(strLog);
    frame.OnCommand(ID_LOG_START);
    ASSERT_TRUE(frame.Parser().IsRecording());
    {
        CFileSizeLimit full(20000);
        // The box stays open for fifty more ticks; the disk is still full under it.
        person.whileOpen = [&] { Tick(frame, 50); };
        Tick(frame, 40000 / kChunk);
        EXPECT_TRUE(frame.Parser().IsRecording());
        EXPECT_EQ(QFileInfo(strLog).size(), 20000);
        EXPECT_EQ(frame.PaneText(2), "Log:19K"); // whole chunks that reached the file
        full.Lift();
        person.whileOpen = nullptr;
        ASSERT_GT(TickUntilSilent(frame, 1000), 0);
    }
    ASSERT_EQ(person.Prompts().size(), 2u); // the file chooser and one box
    EXPECT_EQ(person.Prompts()[1].strText, QString("Disk full while accessing %1.").arg(strLog));
    EXPECT_EQ(person.nMaxOpen, 1);
    EXPECT_EQ(frame.Parser().LoggedBytes(), strStream.size());
    frame.OnCommand(ID_LOG_STOP);
    EXPECT_EQ(ReadWholeFile(strLog), strStream);
}

TEST_F(FaultTest, ADiskThatStaysFullStopsTheRecordingAtAChunkAndTellsAfterTheFirstBox) {
    const QString strReplay = TempPath("long.nmea");
    const std::string strStream = SimulatedSeconds(2200, 2);
    ASSERT_GT(strStream.size(), CLogFile::kMaxPending + 20000);
    WriteWholeFile(strReplay, strStream);
    const QString strLog = TempPath("log.txt");
    auto pFrame = MakeFrame(strReplay);
    CMainFrame& frame = *pFrame;

    CSlowPerson person;
    person.AnswerFile(strLog);
    frame.OnCommand(ID_LOG_START);
    int nTicks = -1;
    {
        CFileSizeLimit full(10000); // not a multiple of 255: a chunk is cut in two
        // Nobody answers the first box while the whole recording plays.
        person.whileOpen = [&] { nTicks = TickUntilSilent(frame, 10000); };
        Tick(frame, 10000 / kChunk + 1);
    }
    ASSERT_GT(nTicks, 0);
    EXPECT_FALSE(frame.Parser().IsRecording());
    EXPECT_EQ(frame.PaneText(2), "No Log");
    EXPECT_TRUE(QueryCommandState(&frame, ID_LOG_START).IsEnabled());
    // Everything that fitted is there, an exact prefix of the stream ending with a chunk.
    const std::string strFile = ReadWholeFile(strLog);
    EXPECT_EQ(strFile.size(), 10000u / kChunk * kChunk);
    EXPECT_EQ(strFile, strStream.substr(0, strFile.size()));
    ASSERT_EQ(person.Prompts().size(), 3u);
    EXPECT_EQ(person.Prompts()[1].strText, QString("Disk full while accessing %1.").arg(strLog));
    EXPECT_TRUE(person.Prompts()[2].strText.startsWith("Recording stopped"));
    EXPECT_EQ(person.nMaxOpen, 1);
}

TEST_F(FaultTest, StoppingWhileTheDiskIsFullLeavesTheChunksThatFitted) {
    const QString strReplay = TempPath("drive.nmea");
    const std::string strStream = SimulatedSeconds(120, 5);
    WriteWholeFile(strReplay, strStream);
    const QString strLog = TempPath("log.txt");
    auto pFrame = MakeFrame(strReplay);
    CMainFrame& frame = *pFrame;
    CSlowPerson person;
    person.AnswerFile(strLog);
    frame.OnCommand(ID_LOG_START);
    {
        CFileSizeLimit full(20000);
        Tick(frame, 40000 / kChunk);
        frame.OnCommand(ID_LOG_STOP);
    }
    EXPECT_EQ(frame.PaneText(2), "No Log");
    const std::string strFile = ReadWholeFile(strLog);
    EXPECT_EQ(strFile.size(), 20000u / kChunk * kChunk);
    EXPECT_EQ(strFile, strStream.substr(0, strFile.size()));
    EXPECT_EQ(frame.Parser().LoggedBytes(), strFile.size());
    EXPECT_EQ(person.Prompts().size(), 2u); // the file chooser and the one disk-full box
}

} // namespace
