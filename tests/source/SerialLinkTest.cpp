// SPDX-License-Identifier: MIT
// The serial link on real pseudo-terminals: bytes arrive exactly as sent and without waiting,
// failures say why, an unplugged receiver leaves a quiet, closed link, Auto finds the rate,
// and discovery lists what can be opened.
#include "common/NmeaSupport.h"
#include "common/Pty.h"

#include "common/ScriptedInteraction.h"
#include "platform/SerialDevice.h"
#include "settings/SettingNames.h"
#include "shell/PollLoop.h"
#include "source/Recording.h"
#include "source/SerialPort.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

// A pseudo-terminal has no driver to settle after a close.
[[maybe_unused]] const bool kNoSettlePause = (CSerialPort::SetSettlePause(0), true);

TEST(SerialLink, OpenFailuresAreSilentOrExplainedAsAsked) {
    CScriptedInteraction person;
    CSerialPort link;
    EXPECT_FALSE(link.Open(128, 4800, false)); // /dev/rfcomm31 does not exist here
    EXPECT_TRUE(person.Prompts().empty());
    EXPECT_FALSE(link.IsOpen());

    person.AnswerMessageBox(IDOK);
    EXPECT_FALSE(link.Open(128, 9600, true));
    ASSERT_EQ(person.Prompts().size(), 1u);
    const QString strText = person.Prompts()[0].strText;
    EXPECT_TRUE(strText.contains("/dev/rfcomm31")) << strText.toStdString();
    EXPECT_EQ(link.m_nBaud, 4800u); // only a successful open applies the rate
}

// (Connecting again afterwards is run through the whole program in the fault tests.)
TEST(SerialLink, AnUnpluggedReceiverGoesQuietWithoutKeepingTheEventLoopBusy) {
    auto pPty = std::make_unique<CPty>(42);
    CSerialPort link;
    ASSERT_TRUE(link.Open(42, 4800, false));
    pPty->Unplug();
    CNmeaParser parser;
    CPollLoop loop(link, parser);
    for (int i = 0; i < CPollLoop::kSilentTicks; ++i) {
        loop.Tick();
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(loop.NoData());
    // The vanished device no longer wakes the event loop: waiting for events costs next to no
    // processor time (a device left open would keep it busy all along).
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    QEventLoop wait;
    QTimer::singleShot(400, &wait, &QEventLoop::quit);
    wait.exec();
    getrusage(RUSAGE_SELF, &after);
    const auto ms = [](const rusage& r) {
        return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000 +
               (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1000;
    };
    EXPECT_LT(ms(after) - ms(before), 200);
}

// A flood beyond anything a receiver sends must not pile up input in the program: what comes
// beyond what a poll tick drains waits in the driver (which drops it).
TEST(SerialLink, InputBeyondWhatThePollTakesIsNotHoarded) {
    CPty pty(43);
    CSerialPort link;
    ASSERT_TRUE(link.Open(43, 115200, false));
    const int nMaster = pty.MasterFd();
    fcntl(nMaster, F_SETFL, fcntl(nMaster, F_GETFL) | O_NONBLOCK);
    const std::string strChunk(4096, 'x');
    size_t nAccepted = 0;
    for (int i = 0; i < 2000; ++i) { // up to 8 MB offered while the event loop runs
        const ssize_t n = write(nMaster, strChunk.data(), strChunk.size());
        if (n > 0)
            nAccepted += static_cast<size_t>(n);
        QCoreApplication::processEvents();
    }
    EXPECT_LT(nAccepted, 512u * 1024u);
    char buffer[256];
    EXPECT_EQ(link.Read(buffer, 255), 255); // and the poll still gets its share
}

// Counts the notices of arrived input that the event loop hands out meanwhile.
class CArrivalNotices : public QObject {
public:
    CArrivalNotices() { QCoreApplication::instance()->installEventFilter(this); }
    int m_nCount = 0;

protected:
    bool eventFilter(QObject*, QEvent* pEvent) override {
        m_nCount += pEvent->type() == QEvent::SockAct ? 1 : 0;
        return false;
    }
};

// Bytes arrive exactly as sent and without waiting, and a tick takes everything the port
// holds, not one read's worth: a receiver sending kilobytes a second (many systems, high
// rates) is shown as it is, and nothing waits to be lost. Between ticks the arrivals wake
// nothing: the driver holds them for the tick.
TEST(SerialLink, APollTickTakesEverythingThePortHolds) {
    CPty pty(44);
    CSerialPort link;
    char buffer[256] = {'x'};
    EXPECT_EQ(link.Read(buffer, 3), 0); // nothing open: nothing read, nothing written
    EXPECT_EQ(buffer[0], 'x');
    ASSERT_TRUE(link.Open(44, 115200, false));
    EXPECT_EQ(link.Read(buffer, 255), 0); // nothing waiting: returns at once
    const CArrivalNotices notices;
    CNmeaParser parser, direct;
    CPollLoop loop(link, parser);
    const std::string strStream = SimulatedSeconds(30);
    // A terminal hands over at most a few kilobytes at once; each piece is many reads' worth.
    constexpr size_t kPiece = 4000;
    for (size_t i = 0; i < strStream.size(); i += kPiece) {
        const std::string strPiece = strStream.substr(i, kPiece);
        pty.Send(strPiece);
        for (int n = 0; static_cast<size_t>(pty.Waiting()) < strPiece.size() && n < 5000; ++n)
            QThread::msleep(1);
        QCoreApplication::processEvents();
        loop.Tick();
        direct.Feed(strPiece.data(), static_cast<uint32_t>(strPiece.size()));
        ASSERT_EQ(Snapshot(parser), Snapshot(direct)) << "after byte " << i + strPiece.size();
    }
    EXPECT_EQ(notices.m_nCount, 0);
}

// Baud "Auto" with a receiver at 38400 bit/s: the slower rates bring noise, 38400 brings
// sentences and is kept, and the reader (so the recording) gets nothing of the noise.
TEST(SerialLink, AutoFindsTheReceiversRateAndKeepsIt) {
    constexpr int kReceiverBaud = 38400;
    QTemporaryDir dir;
    CPty pty(45);
    CSerialPort link;
    ASSERT_TRUE(link.OpenDevice(QString::fromStdString(pty.Path()), kAutoBaud, nullptr));
    CNmeaParser parser;
    ASSERT_TRUE(StartRecording(parser, dir.filePath("got.nmea")));
    CPollLoop loop(link, parser);
    // One second of the receiver, then ticks until the terminal has handed it all over.
    std::string strClean; // what was sent while the port was at the receiver's rate
    const auto second = [&](uint32_t nSeed) {
        const std::string str = SimulatedSeconds(1, nSeed);
        if (pty.Baud() == kReceiverBaud)
            strClean += str;
        pty.SendAt(str, kReceiverBaud);
        for (int i = 0; i < 2000 && pty.Waiting() > 0; ++i) {
            loop.Tick();
            QThread::msleep(1);
        }
        loop.Tick();
    };
    std::vector<int> tried;
    for (uint32_t n = 1; n < 40 && link.Status().state == SourceStatus::State::Searching; ++n) {
        if (tried.empty() || tried.back() != pty.Baud())
            tried.push_back(pty.Baud());
        second(n);
    }
    EXPECT_EQ(tried, std::vector<int>(std::begin(kUsualBaudRates),
                                      std::find(std::begin(kUsualBaudRates),
                                                std::end(kUsualBaudRates), kReceiverBaud) +
                                          1));
    SourceStatus expected;
    expected.kind = SourceStatus::Kind::Serial;
    expected.strWhere = QString::fromStdString(pty.Path());
    expected.nNumber = kReceiverBaud;
    ASSERT_EQ(link.Status(), expected);
    for (uint32_t n = 100; n < 103; ++n) // and the rate stays
        second(n);
    EXPECT_EQ(pty.Baud(), kReceiverBaud);
    parser.StopRecording();
    const std::string strGot = ReadWholeFile(dir.filePath("got.nmea"));
    EXPECT_GT(strGot.size(), 1000u);
    EXPECT_EQ(strClean.find(strGot), strClean.size() - strGot.size()) << strGot.size() << " bytes";
}

TEST(SerialLink, DiscoveryListsOverridesInTheEntryFormatWithoutDuplicates) {
    CPty pty3(3), pty40(40);
    CSerialPort link;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(link.DiscoverPorts());
        for (const auto& [nPort, pPty] : {std::pair{3, &pty3}, {40, &pty40}})
            EXPECT_EQ(link.m_PortList.count(QString("COM%1: - %2 (RAVUZIZ_COM%1)")
                                                .arg(nPort)
                                                .arg(QString::fromStdString(pPty->Path()))),
                      1);
        int nLast = 0;
        for (const QString& strEntry : link.m_PortList) {
            // Every entry names its port so that the dialog can read the number from it.
            ASSERT_TRUE(strEntry.startsWith("COM")) << strEntry.toStdString();
            const int nPort = strEntry.mid(3).section(':', 0, 0).toInt();
            EXPECT_GT(nPort, nLast) << strEntry.toStdString();
            nLast = nPort;
            EXPECT_TRUE(strEntry.contains(": - /")) << strEntry.toStdString();
        }
    }
}

} // namespace
