// SPDX-License-Identifier: MIT
// Receivers on the network as they fail: a peer that goes away and comes back, a source chosen
// while another plays, and a peer that sends what is no NMEA at all (binary, lines without
// end). The program never freezes, keeps nothing that grows, tells the person at most once, and
// records exactly what the reader was given.
#include "FaultSupport.h"
#include "common/Loopback.h"
#include "common/NmeaSupport.h"

#include "platform/Commands.h"
#include "platform/Dialog.h"
#include "platform/NetworkDevice.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>

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
        ASSERT_TRUE(TickUntil(frame, [&] { return frame.Parser().SentenceCount() == nWanted; }));
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

// A network source chosen while a replay plays takes over, and is remembered.
TEST_F(FaultTest, AChosenNetworkSourceTakesOverAndIsRemembered) {
    const QString strReplay = TempPath("drive.nmea");
    WriteWholeFile(strReplay, SimulatedSeconds(60));
    auto pFrame = MakeFrame(strReplay);
    CMainFrame& frame = *pFrame;
    Tick(frame, 3);
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
        frame, [&] { return frame.Parser().SentenceCount() == reference.SentenceCount(); }));
    EXPECT_GT(frame.Parser().m_nGgaCount, 0u);
    frame.OnCommand(ID_LOG_STOP);
    EXPECT_TRUE(ReadWholeFile(TempPath("got.nmea")) == strServed);
}

} // namespace
