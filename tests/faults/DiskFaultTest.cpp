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

TEST_F(DiskFault, ADiskThatFillsAndFreesLosesNothingAndSaysSoOnce) {
    Start(120, 9);
    {
        CFileSizeLimit full(20000);
        // The box stays open for fifty more ticks; the disk is still full under it.
        person.whileOpen = [&] { Tick(*pFrame, 50); };
        Tick(*pFrame, 40000 / kChunk);
        EXPECT_TRUE(pFrame->Parser().IsRecording());
        EXPECT_EQ(QFileInfo(strLog).size(), 20000);
        full.Lift();
        person.whileOpen = nullptr;
        ASSERT_GT(TickUntilSilent(*pFrame, 1000), 0);
    }
    ASSERT_EQ(person.Prompts().size(), 2u); // the file chooser and one box
    EXPECT_TRUE(person.Prompts()[1].strText.contains(strLog));
    EXPECT_EQ(person.nMaxOpen, 1);
    EXPECT_EQ(pFrame->Parser().LoggedBytes(), strStream.size());
    pFrame->OnCommand(ID_LOG_STOP);
    EXPECT_EQ(ReadWholeFile(strLog), strStream);
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

TEST_F(DiskFault, StoppingWhileTheDiskIsFullLeavesTheChunksThatFitted) {
    Start(120, 5);
    {
        CFileSizeLimit full(20000);
        Tick(*pFrame, 40000 / kChunk);
        pFrame->OnCommand(ID_LOG_STOP);
    }
    ExpectWholeChunksOf(20000);
    EXPECT_EQ(pFrame->Parser().LoggedBytes(), 20000u / kChunk * kChunk);
    EXPECT_EQ(person.Prompts().size(), 2u); // the file chooser and the one disk-full box
}

} // namespace
