// SPDX-License-Identifier: MIT
// The poll loop: bytes in any tick feed the parser (in whatever pieces, which the decoder's
// chunking tests cover); fifteen silent ticks in a row, and every one after, clear the record.
#include "common/NmeaSupport.h"

#include "shell/PollLoop.h"
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

} // namespace
