// SPDX-License-Identifier: MIT
// The program as started from a terminal: its help, its version, refusals of bad arguments,
// a picture of a page taken without a display while a recording replays, and a receiver on a
// device and on a TCP connection, each recorded byte for byte.
#include "common/Events.h"
#include "common/NmeaSupport.h"
#include "common/RunProgram.h"

#include <QImage>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const std::string kProgram = std::string(RAVUZIZ_BIN_DIR) + "/app/ravuziz";
const std::string kDemo = std::string(RAVUZIZ_DATA_DIR) + "/demo.nmea";
const QString kSim = QStringLiteral(RAVUZIZ_BIN_DIR "/tools/ravuziz-sim");

ProgramResult RunRavuziz(const std::string& strArgs) {
    return RunProgram(kProgram + " " + strArgs);
}

TEST(Program, AnswersHelpAndVersionAndRefusesBadArguments) {
    EXPECT_EQ(RunRavuziz("--help").nStatus, 0);
    const ProgramResult version = RunRavuziz("--version");
    EXPECT_EQ(version.nStatus, 0);
    EXPECT_EQ(version.strOut.rfind("ravuziz ", 0), 0u);
    // clang-format off
    for (const char* pArgs : {
             "--frobnicate", "--replay", "--page Stats", "stray", "--screenshot x.png --size 0x5",
             "--screenshot x.png --after -1", "--screenshot x.png --page Nowhere", "--baud 9600",
             "--port /dev/null --replay x", "--force", "--port /dev/null --baud fast",
             "--port /nonexistent/tty --screenshot x.png", "--tcp localhost", "--tcp :10110",
             "--tcp host:0", "--udp 65536", "--gpsd localhost:x", "--gpsd [::1",
             "--tcp a:1 --udp 2", "--gpsd --replay x", "--pace slow --replay x",
             "--speed 3 --replay x", "--speed 2", "--pace fixed --speed 2 --replay x"})
        EXPECT_EQ(RunRavuziz(pArgs).nStatus, 2) << pArgs;
    // clang-format on
}

TEST(Program, PicturesAPageOfAReplayWithoutADisplay) {
    QTemporaryDir dir;
    const std::string strPicture = dir.filePath("panel.png").toStdString();
    const ProgramResult r = RunRavuziz("--replay " + kDemo + " --screenshot " + strPicture +
                                       " --page Panel --after 2 --size 240x320");
    ASSERT_EQ(r.nStatus, 0);
    const QImage picture(QString::fromStdString(strPicture));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(240, 320));
    // The panel's white dials fill the middle of the window.
    EXPECT_EQ(picture.pixel(120, 180), qRgb(255, 255, 255));
}

// A current receiver at ten fixes a second on a terminal: what the program recorded is
// exactly a stretch of what the receiver sent, nothing lost, doubled or reordered.
TEST(Program, RecordsADeviceByteForByteAndKeepsAnExistingRecording) {
    QTemporaryDir dir;
    const QString strSent = dir.filePath("sent.nmea"), strGot = dir.filePath("got.nmea");
    QProcess sim;
    sim.start(kSim, {"--pty", "--receiver", "modern", "--rate", "10", "--copy", strSent});
    ASSERT_TRUE(sim.waitForReadyRead(10000));
    const std::string strPty = sim.readLine().trimmed().toStdString();
    const std::string strArgs = "--port " + strPty + " --baud 115200 --record " +
                                strGot.toStdString() + " --screenshot " +
                                dir.filePath("p.png").toStdString() + " --after 3";
    EXPECT_EQ(RunRavuziz(strArgs).nStatus, 0);
    const std::string strRecorded = ReadWholeFile(strGot);
    // An existing recording is kept unless told otherwise.
    EXPECT_EQ(RunRavuziz(strArgs).nStatus, 2);
    EXPECT_EQ(ReadWholeFile(strGot), strRecorded);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(10000));

    const std::string strServed = ReadWholeFile(strSent);
    EXPECT_GT(strRecorded.size(), 5000u); // seconds of a multi-system receiver
    EXPECT_NE(strServed.find(strRecorded), std::string::npos)
        << strRecorded.size() << " bytes recorded, " << strServed.size() << " served";
}

// A network source from the command line: what the program recorded is exactly what it was
// served. (Datagrams and gpsd are left to the source tests.)
TEST(Program, RecordsANetworkSourceByteForByte) {
    const std::string strCapture = ReadWholeFile(QString::fromStdString(kDemo));
    QTemporaryDir dir;
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QProcess program;
    program.start(QString::fromStdString(kProgram),
                  {"--tcp", QStringLiteral("127.0.0.1:%1").arg(server.serverPort()), "--record",
                   dir.filePath("got.nmea"), "--screenshot", dir.filePath("p.png"), "--after",
                   "2"});
    std::unique_ptr<QTcpSocket> pPeer;
    ProcessEventsUntil(
        [&] {
            if (server.hasPendingConnections()) {
                pPeer.reset(server.nextPendingConnection());
                pPeer->write(strCapture.data(), static_cast<qint64>(strCapture.size()));
            }
            return program.state() == QProcess::NotRunning;
        },
        60000);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(ReadWholeFile(dir.filePath("got.nmea")) == strCapture);
}

} // namespace
