// SPDX-License-Identifier: MIT
// Receivers on the network as they fail: a peer that goes away and comes back, sources chosen
// that cannot connect, and peers that send what is no NMEA at all (binary, lines without end,
// a "gpsd" that is none, one that hangs up at once). The program never freezes, keeps nothing
// that grows, tells the person at most once, and records exactly what the reader was given.
#include "FaultSupport.h"
#include "common/Loopback.h"
#include "common/NmeaSupport.h"

#include "platform/Commands.h"
#include "platform/Dialog.h"
#include "platform/NetworkDevice.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "source/GpsdSource.h"

#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <memory>
#include <random>

namespace {

std::unique_ptr<CMainFrame> MakeNetworkFrame(SourceKind kind, quint16 nPort,
                                             const QString& strRecord = {}) {
    CMainFrame::Options options;
    options.netSource = kind;
    options.strNetHost = QStringLiteral("127.0.0.1");
    options.nNetPort = nPort;
    options.strRecordPath = strRecord;
    options.bSkipWarning = true;
    auto pFrame = std::make_unique<CMainFrame>(options);
    ProcessPosted();
    return pFrame;
}

// Poll ticks, with the network's events between them, until done() or ten seconds are up.
bool TickUntil(CMainFrame& frame, const std::function<bool()>& done) {
    return PumpUntil([&] {
        Tick(frame);
        return done();
    });
}

// The next connection to server, once the frame has made it.
std::unique_ptr<QTcpSocket> Accept(QTcpServer& server, CMainFrame& frame) {
    if (!TickUntil(frame, [&] { return server.hasPendingConnections(); }))
        return nullptr;
    return std::unique_ptr<QTcpSocket>(server.nextPendingConnection());
}

// A frame's TCP source tries again sooner than a person's would, so that tests need not wait.
void Hurry(CMainFrame& frame) {
    if (auto* pTcp = dynamic_cast<CTcpDevice*>(frame.Link().m_hPort.get()))
        pTcp->SetRetryRange(20, 160);
    if (auto* pGpsd = dynamic_cast<CGpsdSource*>(frame.Link().m_hPort.get()))
        pGpsd->Link().SetRetryRange(20, 160);
}

QString LastBox(const CScriptedInteraction& person) {
    return person.Prompts().empty() ? QString() : person.Prompts().back().strText;
}

TEST_F(FaultTest, ALostPeerIsFoundAgainAndTheSilenceRuleHoldsMeanwhile) {
    CScriptedInteraction person;
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 nPort = server.serverPort();
    const QString strPane = QStringLiteral("tcp 127.0.0.1:%1").arg(nPort);
    auto pFrame = MakeNetworkFrame(SourceKind::Tcp, nPort, TempPath("got.nmea"));
    CMainFrame& frame = *pFrame;
    EXPECT_EQ(frame.PaneText(3), strPane + " (connecting)");
    Hurry(frame);

    std::string strServed;
    for (uint32_t nVisit = 1; nVisit <= 2; ++nVisit) {
        std::unique_ptr<QTcpSocket> pPeer = Accept(server, frame);
        ASSERT_TRUE(pPeer) << "visit " << nVisit;
        const std::string str = SimulatedSeconds(5, nVisit);
        pPeer->write(str.data(), static_cast<qint64>(str.size()));
        strServed += str;
        const auto nWanted = static_cast<uint32_t>(CountSentences(strServed));
        ASSERT_TRUE(TickUntil(frame, [&] { return frame.Parser().m_nSentenceCount == nWanted; }));
        EXPECT_EQ(frame.PaneText(3), strPane);
        EXPECT_TRUE(QueryCommandState(&frame, ID_CONNECT_TCP).IsChecked());
        // The server goes away for a while.
        pPeer.reset();
        server.close();
        ASSERT_TRUE(TickUntil(frame, [&] { return frame.PollLoop().NoData(); }));
        EXPECT_EQ(frame.PaneText(3), strPane + " (reconnecting)");
        EXPECT_EQ(frame.LedColour(), CStatusLight::Colour::Red);
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, nPort));
    }
    frame.OnCommand(ID_LOG_STOP);
    EXPECT_TRUE(ReadWholeFile(TempPath("got.nmea")) == strServed);
    EXPECT_TRUE(person.Prompts().empty()); // news for the status bar, not for a box
}

// Host and port typed into the network source dialog.
void ChooseNetworkSource(CScriptedInteraction& person, CMainFrame& frame, int nCommand,
                         const QString& strHost, quint16 nPort) {
    person.AnswerDialog([=](QDialog& d) {
        if (auto* pHost = GetDlgItemAs<QLineEdit>(&d, IDC_NET_HOST))
            pHost->setText(strHost);
        GetDlgItemAs<QLineEdit>(&d, IDC_NET_PORT)->setText(QString::number(nPort));
        d.accept();
    });
    frame.OnCommand(nCommand);
}

TEST_F(FaultTest, AChosenSourceThatCannotConnectIsToldOnceAndTheOneThatWorkedStays) {
    const QString strReplay = TempPath("drive.nmea");
    WriteWholeFile(strReplay, SimulatedSeconds(60));
    auto pFrame = MakeFrame(strReplay);
    CMainFrame& frame = *pFrame;
    Tick(frame, 3);
    QUdpSocket taken; // a UDP port another program holds for itself
    ASSERT_TRUE(taken.bind(QHostAddress::Any, 0, QUdpSocket::DontShareAddress));
    const quint16 nRefusing = FreeLoopbackPort();
    const struct {
        int nCommand;
        const char* pszHost;
        quint16 nPort;
        QString strTold;
    } cases[] = {
        {ID_CONNECT_TCP, "127.0.0.1", nRefusing,
         QStringLiteral("Unable to connect to 127.0.0.1:%1: Connection refused.").arg(nRefusing)},
        {ID_CONNECT_GPSD, "no-such-host.invalid", 2947,
         "Unable to connect to gpsd at no-such-host.invalid:2947: Host not found."},
        {ID_CONNECT_UDP, "", taken.localPort(),
         QStringLiteral("Unable to listen on UDP port %1: ").arg(taken.localPort())},
    };
    for (const auto& c : cases) {
        CScriptedInteraction person;
        ChooseNetworkSource(person, frame, c.nCommand, c.pszHost, c.nPort);
        ASSERT_TRUE(TickUntil(frame, [&] { return person.Prompts().size() == 2; })) << c.pszHost;
        Tick(frame, 10);
        ASSERT_EQ(person.Prompts().size(), 2u); // the dialog and one box
        EXPECT_TRUE(LastBox(person).startsWith(c.strTold)) << qPrintable(LastBox(person));
        EXPECT_EQ(person.Prompts().back().strCaption, "Communication Error");
        EXPECT_TRUE(QueryCommandState(&frame, ID_CONNECT_LOGGED_FILE).IsChecked());
        EXPECT_FALSE(QueryCommandState(&frame, c.nCommand).IsChecked());
        EXPECT_EQ(frame.Link().m_strSource, strReplay);
    }
    EXPECT_FALSE(frame.PollLoop().NoData()); // the replay went on all the while
    EXPECT_EQ(ReadSettingInt(kSectionNetwork, kTcpPort, 0), 0);

    // One that connects takes over, and is remembered.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    CScriptedInteraction person;
    ChooseNetworkSource(person, frame, ID_CONNECT_TCP, "127.0.0.1", server.serverPort());
    ASSERT_TRUE(
        TickUntil(frame, [&] { return QueryCommandState(&frame, ID_CONNECT_TCP).IsChecked(); }));
    EXPECT_FALSE(QueryCommandState(&frame, ID_CONNECT_LOGGED_FILE).IsChecked());
    EXPECT_TRUE(frame.Link().m_strSource.isEmpty());
    EXPECT_EQ(ReadSettingString(kSectionNetwork, kTcpHost, {}), "127.0.0.1");
    EXPECT_EQ(ReadSettingInt(kSectionNetwork, kTcpPort, 0), server.serverPort());
    EXPECT_EQ(person.Prompts().size(), 1u);
}

TEST_F(FaultTest, BinaryAndEndlessLinesFromAPeerNeitherFreezeNorPileUp) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    auto pFrame = MakeNetworkFrame(SourceKind::Tcp, server.serverPort(), TempPath("got.nmea"));
    CMainFrame& frame = *pFrame;
    std::unique_ptr<QTcpSocket> pPeer = Accept(server, frame);
    ASSERT_TRUE(pPeer);
    std::mt19937 random(7);
    std::string strServed(1 << 20, '\0');
    for (char& c : strServed)
        c = static_cast<char>(random());
    strServed += "$GPGGA," + std::string(4 << 20, '7') + SimulatedSeconds(3);
    pPeer->write(strServed.data(), static_cast<qint64>(strServed.size()));
    CNmeaParser reference;
    reference.SetAllSystems(frame.Parser().AllSystems());
    reference.Feed(strServed.data(), static_cast<uint32_t>(strServed.size()));
    ASSERT_TRUE(TickUntil(
        frame, [&] { return frame.Parser().m_nSentenceCount == reference.m_nSentenceCount; }));
    EXPECT_GT(frame.Parser().m_nGgaCount, 0u);
    frame.OnCommand(ID_LOG_STOP);
    EXPECT_TRUE(ReadWholeFile(TempPath("got.nmea")) == strServed);
}

// Something that answers on gpsd's port but is no gpsd: what it sends that is no sentence
// never reaches the reader; one that hangs up at once is tried again, ever more slowly.
TEST_F(FaultTest, AGpsdThatSendsGarbageOrHangsUpIsNoFlood) {
    CScriptedInteraction person;
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    auto pFrame = MakeNetworkFrame(SourceKind::Gpsd, server.serverPort(), TempPath("got.nmea"));
    CMainFrame& frame = *pFrame;
    Hurry(frame);
    std::unique_ptr<QTcpSocket> pPeer = Accept(server, frame);
    ASSERT_TRUE(pPeer);
    const std::string strSentence = "$GPZDA,201530.00,04,07,2002,00,00*60\r\n";
    const std::string strGarbage = "HTTP/1.0 400 Bad Request\r\n{\"class\":\"ERROR\"}\n" +
                                   std::string(100000, '$') + "\n\x01\x02\xff\r\n" + strSentence;
    pPeer->write(strGarbage.data(), static_cast<qint64>(strGarbage.size()));
    ASSERT_TRUE(TickUntil(frame, [&] { return frame.Parser().m_nZdaCount == 1; }));
    EXPECT_TRUE(pPeer->readAll().startsWith("?WATCH={\"enable\":true,\"raw\":1}"));

    int nHangUps = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        delete server.nextPendingConnection();
        ++nHangUps;
    });
    pPeer.reset();
    PumpUntil(
        [&] {
            Tick(frame);
            return false;
        },
        1000);
    // 20 + 40 + 80 + 160 + 160 ... ms between tries: a handful, never a storm.
    EXPECT_GE(nHangUps, 3);
    EXPECT_LE(nHangUps, 12);
    EXPECT_EQ(frame.PaneText(3).left(5), "gpsd ");
    EXPECT_TRUE(frame.PollLoop().NoData());
    frame.OnCommand(ID_LOG_STOP);
    EXPECT_EQ(ReadWholeFile(TempPath("got.nmea")), strSentence);
    EXPECT_TRUE(person.Prompts().empty());
}

} // namespace
