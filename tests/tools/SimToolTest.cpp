// SPDX-License-Identifier: MIT
// ravuziz-sim as users run it: its options reach the receivers, bad arguments get one line and
// status 2, and the copy of a served terminal holds exactly the bytes the terminal took.
#include "common/FileSizeLimit.h"
#include "common/NmeaSupport.h"
#include "common/RunProgram.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

const std::string kTool = std::string(RAVUZIZ_BIN_DIR) + "/tools/ravuziz-sim";

// Each of the tool's options reaches its receiver.
TEST(SimTool, WritesWhatItsReceiverSends) {
    const std::string strOutput = testing::TempDir() + "sim-output-" + std::to_string(getpid());
    const ProgramResult r = RunProgram(kTool + " --seconds 20");
    EXPECT_TRUE(r.nStatus == 0 && r.strOut == Simulate(SimKind::Classic, 20));
    const ProgramResult written = RunProgram(
        kTool + " --receiver classic --seed 4 --rate 3 --seconds 9 --output " + strOutput);
    EXPECT_TRUE(written.nStatus == 0 && written.strOut.empty());
    EXPECT_TRUE(ReadWholeFile(QString::fromStdString(strOutput)) ==
                Simulate(SimKind::Classic, 9, 4, 0, 3));
    const ProgramResult modern = RunProgram(kTool + " --receiver modern --seconds 12 --rate 10");
    EXPECT_TRUE(modern.strOut == Simulate(SimKind::Modern, 12, 1, 0, 10));
    std::remove(strOutput.c_str());
}

TEST(SimTool, RefusesBadArgumentsWithOneLineAndStatus2) {
    for (const char* pArgs :
         {"--receiver", "--receiver gps", "--rate", "--rate 0", "--rate 11", "--rate 2.5", "--copy",
          "--copy copy.nmea", "--output /dev/null --copy copy.nmea", "--pty --output /dev/null",
          "--pty --copy /nonexistent/folder/copy.nmea", "--frobnicate"}) {
        // Standard error into the captured output: nothing else may be printed.
        const ProgramResult r = RunProgram("{ " + kTool + " " + pArgs + " 2>&1; }");
        EXPECT_EQ(r.nStatus, 2) << pArgs;
        EXPECT_EQ(r.strOut.rfind("ravuziz-sim: ", 0), 0u) << pArgs << ": " << r.strOut;
        EXPECT_EQ(r.strOut.find('\n'), r.strOut.size() - 1) << pArgs << ": " << r.strOut;
    }
    EXPECT_EQ(RunProgram(kTool + " --help").nStatus, 0);
}

// Reads what the terminal has for a while; false once it has hung up.
bool ReadFor(int fd, std::chrono::milliseconds span, std::string& strRead) {
    for (const auto end = std::chrono::steady_clock::now() + span;
         std::chrono::steady_clock::now() < end;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0)
            continue;
        char buf[4096];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n > 0)
            strRead.append(buf, static_cast<size_t>(n));
        else if (n == 0 || errno != EAGAIN)
            return false;
    }
    return true;
}

// Read from the start at a pace the reader keeps up with, nothing is lost; opened late at full
// speed, the terminal's buffer (some 20 KB, ten seconds of the stream) fills and most of the
// stream is dropped; either way the copy holds exactly what the terminal took. On a full disk
// the tool stops with an error rather than serve on with a copy that falls short. Each case:
// speed, rate, time unopened, stop signal (0: none), file size limit, dropped output, status.
TEST(SimTool, CopyHoldsExactlyWhatTheTerminalTook) {
    for (const auto& [nSpeed, nRate, unread, nSignal, nLimit, bDropped, nStatus] :
         {std::tuple{1, 10, 0ms, SIGINT, rlim_t{0}, false, 0},
          std::tuple{1000, 1, 500ms, SIGTERM, rlim_t{0}, true, 0},
          std::tuple{1000, 1, 0ms, 0, rlim_t{20000}, false, 2}}) {
        const std::string strCopy = testing::TempDir() + "sim-copy-" + std::to_string(getpid());
        QProcess tool; // killed at the end if still running
        tool.setStandardErrorFile(QProcess::nullDevice());
        {
            std::optional<CFileSizeLimit> limit; // the tool inherits it
            if (nLimit)
                limit.emplace(nLimit);
            tool.start(QString::fromStdString(kTool),
                       {"--receiver", "modern", "--pty", "--copy", QString::fromStdString(strCopy),
                        "--speed", QString::number(nSpeed), "--rate", QString::number(nRate)});
        }
        ASSERT_TRUE(tool.waitForReadyRead(10000));
        const QByteArray pty = tool.readLine().trimmed(); // the terminal's path
        std::this_thread::sleep_for(unread);
        const int fd = open(pty.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0) << pty.constData();
        std::string strRead;
        if (nSignal) {
            EXPECT_TRUE(ReadFor(fd, 500ms, strRead));
            kill(static_cast<pid_t>(tool.processId()), nSignal);
        }
        ReadFor(fd, 10s, strRead); // until the tool hangs up
        close(fd);
        ASSERT_TRUE(tool.waitForFinished(2000) && tool.exitStatus() == QProcess::NormalExit);
        EXPECT_EQ(tool.exitCode(), nStatus);

        const std::string strCopied = ReadWholeFile(QString::fromStdString(strCopy));
        std::remove(strCopy.c_str());
        ASSERT_FALSE(strCopied.empty());
        EXPECT_EQ(strCopied.size(), nLimit ? nLimit : strRead.size());
        EXPECT_TRUE(strRead.starts_with(strCopied)) << strCopied.size() << " bytes copied";
        // Against the unbroken stream: the same bytes when nothing was dropped.
        const std::string strStream = Simulate( // some 3 KB a simulated second
            SimKind::Modern, static_cast<int>(strCopied.size() / 1000) + 1, 1, 0, nRate);
        EXPECT_EQ(strStream.compare(0, strCopied.size(), strCopied) != 0, bDropped);
    }
}

} // namespace
