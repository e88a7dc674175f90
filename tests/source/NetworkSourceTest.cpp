// SPDX-License-Identifier: MIT
// Receivers on the network, end to end on loopback: gpsd's stream filtered to whole lines, a
// refusing peer tried again less and less often, UDP datagrams arriving whole, and gpsd (the
// real daemon, reading a simulated receiver) giving exactly the receiver's sentences. (A TCP
// peer lost and found again, and an unknown host, are run through the whole program in the
// fault tests.)
#include "common/Events.h"
#include "common/Loopback.h"
#include "common/NmeaSupport.h"

#include "platform/NetworkDevice.h"
#include "source/GpsdFilter.h"
#include "source/GpsdSource.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

// Everything a device gives until nBytes have come (or nothing more comes).
std::string ReadAll(CDeviceHandle& device, size_t nBytes) {
    std::string s;
    char buffer[256];
    ProcessEventsUntil([&] {
        for (int n; (n = device.Read(buffer, 255)) > 0;)
            s.append(buffer, static_cast<size_t>(n));
        return s.size() >= nBytes;
    });
    return s;
}

std::string Filtered(const std::string& strInput, const std::vector<size_t>& cuts) {
    CGpsdFilter filter;
    std::string s;
    size_t nAt = 0;
    char buffer[100];
    for (size_t n : cuts) {
        filter.Push(strInput.data() + nAt, static_cast<int>(n));
        nAt += n;
        for (int nTaken; (nTaken = filter.Take(buffer, sizeof buffer)) > 0;)
            s.append(buffer, static_cast<size_t>(nTaken));
    }
    return s;
}

TEST(GpsdFilter, PassesOnlyWholeNmeaLinesInAnyChunking) {
    const std::string strInput =
        "{\"class\":\"VERSION\",\"release\":\"3.22\"}\r\n"
        "$GNGGA,175707.00,,,,,0,00,,,M,,M,,*55\r\n"
        "!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*24\n" // no carriage return
        "garbage that is no sentence\r\n" +
        std::string(400, '$') +
        "\r\n" // longer than any sentence
        "\r\n$GPZDA,201530.00,04,07,2002,00,00*60\r\n"
        "$GPRMC,1"; // not ended yet
    const std::string strExpected = "$GNGGA,175707.00,,,,,0,00,,,M,,M,,*55\r\n"
                                    "!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*24\r\n"
                                    "$GPZDA,201530.00,04,07,2002,00,00*60\r\n";
    for (const Chunking& chunking : Chunkings(strInput.size(), strInput.size()))
        ASSERT_EQ(Filtered(strInput, chunking.cuts), strExpected) << chunking.strName;

    CGpsdFilter filter;
    filter.Push(strInput.data(), static_cast<int>(strInput.size() - 8));
    EXPECT_FALSE(filter.SawBinary());
    const std::string strHex = "b56201070100ffee\r\n";
    filter.Push(strHex.data(), static_cast<int>(strHex.size()));
    EXPECT_TRUE(filter.SawBinary());
}

TEST(NetworkSource, APortThatRefusesIsTriedAgainLessAndLessOften) {
    const quint16 nPort = FreeLoopbackPort();
    CTcpDevice device(QStringLiteral("127.0.0.1"), nPort);
    device.SetRetryRange(10, 80);
    device.Start();
    ProcessEventsUntil([] { return false; }, 700);
    // 10 + 20 + 40 + 80 + 80 ... ms: a handful of attempts, not a spin.
    EXPECT_GE(device.Attempts(), 4);
    EXPECT_LE(device.Attempts(), 14);
    EXPECT_NE(device.State(), LinkState::Open);
    EXPECT_FALSE(device.Problem().isEmpty());
}

TEST(NetworkSource, UdpDatagramsOfAnySizeArriveWhole) {
    QUdpSocket probe;
    ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
    const quint16 nPort = probe.localPort();
    probe.close();
    CUdpDevice device(nPort);
    ASSERT_TRUE(device.Open()) << device.Problem().toStdString();
    QUdpSocket sender;
    std::string strSent;
    for (const size_t nSize : {size_t{1}, size_t{82}, size_t{1500}, size_t{60000}}) {
        const std::string strDatagram = SimulatedSeconds(200).substr(0, nSize);
        ASSERT_EQ(sender.writeDatagram(strDatagram.data(), static_cast<qint64>(nSize),
                                       QHostAddress::LocalHost, nPort),
                  static_cast<qint64>(nSize));
        strSent += strDatagram;
    }
    const std::string strGot = ReadAll(device, strSent.size());
    EXPECT_TRUE(strGot == strSent) << strGot.size() << " of " << strSent.size() << " bytes";
}

// ravuziz-sim serving on a pseudo-terminal (a copy of what it sent kept), and the real gpsd
// from Debian reading that terminal and listening on Port(), its control socket in a folder of
// its own so that no gpsd the machine runs as a service takes part. Both end with the object.
class CGpsdRun {
public:
    bool Start() {
        const QString strGpsd =
            QStandardPaths::findExecutable(QStringLiteral("gpsd"), {"/usr/sbin", "/usr/bin"});
        if (strGpsd.isEmpty())
            return false;
        m_Sim.start(QStringLiteral(RAVUZIZ_BIN_DIR "/tools/ravuziz-sim"),
                    {"--pty", "--speed", "10", "--copy", m_Dir.filePath("served.nmea")});
        if (!m_Sim.waitForReadyRead(10000))
            return false;
        m_nPort = FreeLoopbackPort();
        m_Gpsd.start(strGpsd, {"-N", "-n", "-G", "-S", QString::number(m_nPort), "-F",
                               m_Dir.filePath("gpsd.sock"),
                               QString::fromLatin1(m_Sim.readLine().trimmed())});
        return m_Gpsd.waitForStarted(10000);
    }
    ~CGpsdRun() {
        for (QProcess* pProcess : {&m_Gpsd, &m_Sim}) {
            pProcess->terminate();
            pProcess->waitForFinished(5000);
        }
    }
    quint16 Port() const { return m_nPort; }
    // Ends the receiver and returns every byte it sent.
    std::string Served() {
        m_Sim.terminate();
        m_Sim.waitForFinished(5000);
        return ReadWholeFile(m_Dir.filePath("served.nmea"));
    }

private:
    QTemporaryDir m_Dir;
    QProcess m_Sim, m_Gpsd;
    quint16 m_nPort = 0;
};

TEST(Gpsd, GivesTheReceiversSentencesAndNothingElse) {
    CGpsdRun gpsd;
    ASSERT_TRUE(gpsd.Start()) << "gpsd is needed (scripts/setup.sh installs it)";
    CGpsdSource source(QStringLiteral("127.0.0.1"), gpsd.Port());
    source.Link().SetRetryRange(50, 400); // gpsd takes a moment to listen
    source.Start();
    const std::string strGot = ReadAll(source, 6000);
    ASSERT_GE(strGot.size(), 6000u);
    EXPECT_FALSE(source.UsesGpsdNmea());
    const std::string strServed = gpsd.Served();
    // Whole sentences, as the receiver sent them, in order: a stretch of what it served
    // starting at a sentence.
    ASSERT_EQ(strGot[0], '$');
    EXPECT_NE(strServed.find(strGot), std::string::npos);
    CNmeaParser parser;
    parser.Feed(strGot.data(), static_cast<uint32_t>(strGot.size()));
    EXPECT_GT(parser.m_nRmbCount, 0u); // what gpsd's own reports would not have
}

} // namespace
