// SPDX-License-Identifier: MIT
// ravuziz-sim as users run it: its options reach the receivers, bad arguments get one line and
// status 2, and the copy of a served terminal holds exactly the bytes the terminal took.
#include "SimTestSupport.h"
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
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

const std::string kTool = std::string(RAVUZIZ_BIN_DIR) + "/tools/ravuziz-sim";

std::string ReadFile(const std::string& strPath) {
    return ReadWholeFile(QString::fromStdString(strPath));
}

TEST(SimTool, WritesWhatItsReceiverSends) {
    const std::string strOutput = testing::TempDir() + "sim-output-" + std::to_string(getpid());
    struct Case {
        std::string strArgs;
        SimKind kind;
        int nSeconds;
        uint32_t nSeed;
        int nRate;
    };
    for (const Case& c :
         {Case{"--seconds 20", SimKind::Classic, 20, 1, 1},
          {"--receiver classic --seed 4 --rate 3 --seconds 9", SimKind::Classic, 9, 4, 3},
          {"--receiver modern --seconds 12 --rate 10 --seed 5", SimKind::Modern, 12, 5, 10},
          {"--receiver modern --seconds 7 --output " + strOutput, SimKind::Modern, 7, 1, 1}}) {
        const ProgramResult r = RunProgram(kTool + " " + c.strArgs);
        EXPECT_EQ(r.nStatus, 0) << c.strArgs;
        const std::string strGot =
            c.strArgs.find("--output") != std::string::npos ? ReadFile(strOutput) : r.strOut;
        EXPECT_TRUE(strGot == Simulate(c.kind, c.nSeconds, c.nSeed, 0, c.nRate)) << c.strArgs;
    }
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
    EXPECT_EQ(RunProgram("{ " + kTool + " --copy copy.nmea 2>&1; }").strOut,
              "ravuziz-sim: --copy goes with --pty\n");
    EXPECT_EQ(RunProgram(kTool + " --help").nStatus, 0);
}

// The tool serving a terminal, started with args; what it says on standard error is dropped.
// It is killed at the end of the test if it is still running.
class CServedTool {
public:
    explicit CServedTool(const std::vector<std::string>& args) {
        QStringList arguments;
        for (const std::string& s : args)
            arguments << QString::fromStdString(s);
        m_Tool.setStandardErrorFile(QProcess::nullDevice());
        m_Tool.start(QString::fromStdString(kTool), arguments);
        if (m_Tool.waitForReadyRead(10000))
            m_strPty = m_Tool.readLine().trimmed().toStdString();
    }
    ~CServedTool() {
        m_Tool.kill();
        m_Tool.waitForFinished(5000);
    }

    // The terminal's path as the tool printed it.
    const std::string& Pty() const { return m_strPty; }
    void Signal(int nSignal) const { kill(static_cast<pid_t>(m_Tool.processId()), nSignal); }
    // The exit status of the tool, which should be ending by now; -1 when it does not end
    // within two seconds or did not exit normally.
    int Reap() {
        const bool bEnded = m_Tool.waitForFinished(2000);
        EXPECT_TRUE(bEnded) << "the tool did not end";
        return bEnded && m_Tool.exitStatus() == QProcess::NormalExit ? m_Tool.exitCode() : -1;
    }

private:
    QProcess m_Tool;
    std::string m_strPty;
};

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

// Reads the terminal until it hangs up, as it does when the tool has closed it.
void ReadUntilHangUp(int fd, std::string& strRead) {
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (ReadFor(fd, 100ms, strRead) && std::chrono::steady_clock::now() < giveUp) {
    }
    close(fd);
}

TEST(SimTool, CopyHoldsExactlyWhatTheTerminalTook) {
    struct Case {
        std::vector<std::string> args;
        std::chrono::milliseconds unread; // before the terminal is opened
        int nSignal;
        bool bDropped; // whether the terminal had to drop output
    };
    // Read from the start at a pace the reader keeps up with, nothing is lost; opened late at
    // full speed, the terminal's buffer (some 20 KB, ten seconds of the stream) fills and most
    // of the stream is dropped.
    for (const Case& c : {Case{{"--speed", "1", "--rate", "10"}, 0ms, SIGINT, false},
                          Case{{"--speed", "1000", "--rate", "1"}, 500ms, SIGTERM, true}}) {
        const std::string strCopy = testing::TempDir() + "sim-copy-" + std::to_string(getpid());
        std::vector<std::string> args{"--receiver", "modern", "--pty", "--copy", strCopy};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CServedTool tool(args);
        ASSERT_FALSE(tool.Pty().empty());
        std::this_thread::sleep_for(c.unread);
        const int fd = open(tool.Pty().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0) << tool.Pty();
        std::string strRead;
        EXPECT_TRUE(ReadFor(fd, 500ms, strRead));
        tool.Signal(c.nSignal);
        ReadUntilHangUp(fd, strRead);
        EXPECT_EQ(tool.Reap(), 0);

        const std::string strCopied = ReadFile(strCopy);
        std::remove(strCopy.c_str());
        ASSERT_FALSE(strRead.empty());
        EXPECT_TRUE(strCopied == strRead)
            << strCopied.size() << " bytes copied, " << strRead.size() << " read";
        // Against the unbroken stream: the same bytes when nothing was dropped.
        const auto pSim = MakeSim(SimKind::Modern, 1, 0, std::stoi(c.args[3]));
        std::string strStream;
        while (strStream.size() < strCopied.size())
            pSim->NextSecond(strStream);
        EXPECT_EQ(strStream.compare(0, strCopied.size(), strCopied) != 0, c.bDropped);
    }
}

// A full disk: the tool stops with an error rather than serve on with a copy that falls short.
TEST(SimTool, StopsWhenTheCopyCannotBeWritten) {
    const std::string strCopy = testing::TempDir() + "sim-copy-" + std::to_string(getpid());
    std::optional<CServedTool> tool;
    {
        const CFileSizeLimit full(20000); // the tool inherits it
        tool.emplace(std::vector<std::string>{"--receiver", "modern", "--pty", "--copy", strCopy,
                                              "--speed", "1000"});
    }
    const int fd = open(tool->Pty().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0) << tool->Pty();
    std::string strRead;
    ReadUntilHangUp(fd, strRead);
    EXPECT_EQ(tool->Reap(), 2);
    const std::string strCopied = ReadFile(strCopy);
    std::remove(strCopy.c_str());
    EXPECT_EQ(strCopied.size(), 20000u);
    EXPECT_EQ(strRead.compare(0, strCopied.size(), strCopied), 0);
}

} // namespace
