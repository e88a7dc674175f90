// SPDX-License-Identifier: MIT
// Replay through the poll loop, and recording: bytes in any tick feed the parser (in whatever
// pieces, which the decoder's chunking tests cover); fifteen silent ticks in a row, and every
// one after, clear the record; the log is the stream byte for byte, and a replay gives the
// same record. (What the parser counts of a recording is a decoder test; a missing replay, a
// disk that fills up and a replay under another name are run through the whole program in the
// fault tests.)
#include "common/NmeaSupport.h"

#include "shell/PollLoop.h"
#include "source/Recording.h"
#include "source/SerialPort.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PollLoop, TheFifteenthEmptyTickResetsTheRecordAndTheFirstByteClearsTheFlag) {
    QTemporaryDir dir;
    const QString strPath = dir.filePath("one.nmea");
    const std::string strGga =
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
    WriteWholeFile(strPath, strGga);
    CSerialPort link;
    link.OpenPlaybackFile(strPath);
    CNmeaParser parser;
    CPollLoop loop(link, parser);
    loop.Tick();
    ASSERT_EQ(parser.m_nGgaCount, 1u);
    for (int i = 1; i <= 14; ++i) {
        loop.Tick();
        EXPECT_EQ(loop.EmptyReads(), i);
    }
    EXPECT_FALSE(loop.NoData());
    EXPECT_EQ(parser.m_nGgaCount, 1u); // fourteen silent ticks change nothing
    loop.Tick();
    EXPECT_TRUE(loop.NoData());
    EXPECT_EQ(parser.m_nGgaCount, 0u);
    parser.m_nGgaCount = 7; // the reset repeats on every further silent tick
    loop.Tick();
    EXPECT_EQ(parser.m_nGgaCount, 0u);
    EXPECT_EQ(loop.EmptyReads(), CPollLoop::kSilentTicks);
    EXPECT_EQ(parser.SentenceCount(), 1u); // a reset leaves the reader's count alone

    link.Close();
    WriteWholeFile(strPath, "x");
    link.OpenPlaybackFile(strPath);
    loop.Tick();
    EXPECT_FALSE(loop.NoData());
    EXPECT_EQ(loop.EmptyReads(), 0);
}

TEST(Recording, ReplayingARecordingGivesTheSameSentencesAndRecord) {
    QTemporaryDir dir;
    const QString strLog = dir.filePath("drive.nmea");
    const std::string strStream = SimulatedSeconds(90, 5);
    CNmeaParser live;
    EXPECT_FALSE(StartRecording(live, "/nonexistent/folder/x.nmea"));
    EXPECT_FALSE(live.IsRecording());
    ASSERT_TRUE(StartRecording(live, strLog));
    EXPECT_FALSE(StartRecording(live, dir.filePath("second.nmea")));
    FeedChunks(live, strStream);
    EXPECT_EQ(live.LoggedBytes(), strStream.size());
    ASSERT_TRUE(live.StopRecording());
    EXPECT_EQ(ReadWholeFile(strLog), strStream);

    CSerialPort link;
    link.OpenPlaybackFile(strLog);
    CNmeaParser replayed;
    CPollLoop loop(link, replayed);
    while (replayed.SentenceCount() < live.SentenceCount() && loop.EmptyReads() == 0)
        loop.Tick();
    EXPECT_EQ(RecordOnly(replayed), RecordOnly(live)); // the replay itself was not recorded
}

} // namespace
