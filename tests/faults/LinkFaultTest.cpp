// SPDX-License-Identifier: MIT
// Receivers that go away and come back, through the whole program. One on a serial port is
// unplugged in the middle of a sentence: the program notices the silence, clears what it
// showed and keeps running, and a new one connected through Connect > Serial Port takes over.
// One on the network, chosen while a replay is the source, takes over once it answers; it goes
// away and comes back, and sends what is no NMEA at all (binary, a line without end). Afterwards
// the program shows exactly what a decoder that saw the same bytes shows, has told the person
// nothing in a box, kept nothing that grows, and recorded exactly what the reader was given.
#include "FaultSupport.h"
#include "common/Pty.h"

#include "platform/NetworkDevice.h"
#include "sim/ReceiverSim.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

// Sends str in pieces a terminal's buffer holds, ticking until the frame has decoded what
// reference, fed the same pieces, decodes. A terminal hands bytes over a moment after they
// were written, and fifteen empty ticks would count as a silent receiver, so the frame ticks
// only once bytes are there; false if some never arrive.
bool SendAndTick(CPty& pty, CMainFrame& frame, CNmeaParser& reference, const std::string& str) {
    for (size_t nAt = 0; nAt < str.size(); nAt += 1000) {
        const std::string strPiece = str.substr(nAt, 1000);
        pty.Send(strPiece);
        reference.Feed(strPiece.data(), static_cast<uint32_t>(strPiece.size()));
        for (int nWaits = 0; frame.Parser().SentenceCount() < reference.SentenceCount();) {
            if (pty.Waiting() > 0) {
                Tick(frame);
                nWaits = 0;
            } else if (++nWaits > 2000) {
                return false;
            } else {
                QThread::msleep(1);
            }
        }
    }
    return true;
}

std::string Seconds(CReceiverSim& sim, int nSeconds) {
    std::string s;
    for (int i = 0; i < nSeconds; ++i)
        sim.NextSecond(s);
    return s;
}

TEST_F(FaultTest, AReceiverUnpluggedMidSentenceIsReplacedThroughCommSettings) {
    auto pFirst = std::make_unique<CPty>(5);
    WriteSettingInt(kSectionSerial, kPort, 5);
    auto pFrame = MakeFrame();
    CMainFrame& frame = *pFrame;
    ASSERT_TRUE(frame.Link().IsOpen());

    CReceiverSim sim(3);
    const std::string strBefore = Seconds(sim, 30);
    const std::string strCut = Seconds(sim, 1).substr(0, 200); // ends inside a sentence
    CNmeaParser reference;
    reference.SetAllSystems(frame.Parser().AllSystems());
    ASSERT_TRUE(SendAndTick(*pFirst, frame, reference, strBefore + strCut));
    const QString strFixPane = frame.PaneText(0);
    EXPECT_EQ(frame.LedColour(), CStatusLight::Colour::Green);

    pFirst->Unplug();
    ASSERT_GT(TickUntilSilent(frame, 100), 0);
    EXPECT_NE(frame.PaneText(0), strFixPane);
    // Long after: a thousand ticks of silence (five minutes) cost nothing and ask nothing, and
    // the port is not forgotten.
    CScriptedInteraction person;
    Tick(frame, 1000);
    EXPECT_TRUE(person.Prompts().empty());
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 0), 5);
    EXPECT_EQ(frame.LedColour(), CStatusLight::Colour::Red);

    CPty second(6);
    AnswerSourceDialog(person, QStringLiteral("COM6:"), 0, QStringLiteral("9600"));
    EXPECT_TRUE(frame.OnCommand(ID_CONNECT_SERIAL));
    ASSERT_EQ(person.Prompts().size(), 1u); // the dialog, and no error
    EXPECT_EQ(second.Baud(), 9600);
    EXPECT_EQ(frame.SourceMode(), CMainFrame::Source::SerialPort);
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 0), 6);
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kBaud, 0), 9600);

    const std::string strAfter = Seconds(sim, 30);
    reference.Reset(); // what the silence did to the record
    ASSERT_TRUE(SendAndTick(second, frame, reference, strAfter));
    EXPECT_FALSE(frame.PollLoop().NoData());
    EXPECT_EQ(frame.PaneText(0), strFixPane);
    // Every byte was decoded once, in order, the cut sentence swallowing the first one of the
    // new receiver as the reader's framing does.
    EXPECT_EQ(Snapshot(frame.Parser()), Snapshot(reference));
}

// The next connection to server, once the frame has made it.
std::unique_ptr<QTcpSocket> Accept(QTcpServer& server, CMainFrame& frame) {
    if (!TickUntil(frame, [&] { return server.hasPendingConnections(); }))
        return nullptr;
    return std::unique_ptr<QTcpSocket>(server.nextPendingConnection());
}

TEST_F(FaultTest, ANetworkPeerTakesOverGoesAwayComesBackAndSendsGarbage) {
    const QString strReplay = TempPath("drive.nmea");
    WriteWholeFile(strReplay, SimulatedSeconds(2));
    auto pFrame = MakeFrame(strReplay);
    CMainFrame& frame = *pFrame;
    Tick(frame, 10); // to its end: the new source's first sentence is not cut off
    ASSERT_TRUE(QueryCommandState(&frame, ID_CONNECT_LOGGED_FILE).IsChecked());
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 nPort = server.serverPort();
    CScriptedInteraction person;
    AnswerSourceDialog(person, QStringLiteral("127.0.0.1"), nPort);
    frame.OnCommand(ID_CONNECT_TCP);
    std::unique_ptr<QTcpSocket> pPeer = Accept(server, frame);
    ASSERT_TRUE(pPeer);
    ASSERT_TRUE(
        TickUntil(frame, [&] { return QueryCommandState(&frame, ID_CONNECT_TCP).IsChecked(); }));
    EXPECT_FALSE(QueryCommandState(&frame, ID_CONNECT_LOGGED_FILE).IsChecked());
    EXPECT_TRUE(frame.Link().m_strSource.isEmpty());
    EXPECT_EQ(ReadSettingString(kSectionNetwork, kTcpHost, {}), "127.0.0.1");
    EXPECT_EQ(ReadSettingInt(kSectionNetwork, kTcpPort, 0), nPort);
    // The frame's TCP source tries again sooner than a person's would, so the test need not
    // wait.
    auto* pTcp = dynamic_cast<CTcpDevice*>(frame.Link().m_hPort.get());
    ASSERT_TRUE(pTcp);
    pTcp->SetRetryRange(20, 160);
    person.AnswerFile(TempPath("got.nmea"));
    frame.OnCommand(ID_LOG_START);

    const QString strPane = QStringLiteral("tcp 127.0.0.1:%1").arg(nPort);
    const uint32_t nBefore = frame.Parser().SentenceCount(); // of the replay
    CNmeaParser reference;
    reference.SetAllSystems(frame.Parser().AllSystems());
    std::string strServed;
    for (int nVisit = 1; nVisit <= 2; ++nVisit) {
        if (nVisit > 1)
            pPeer = Accept(server, frame);
        ASSERT_TRUE(pPeer) << "visit " << nVisit;
        // The second visit brings binary and a line without end before its sentences.
        const std::string str = nVisit == 1 ? SimulatedSeconds(5)
                                            : RandomBytes(1 << 20) + "$GPGGA," +
                                                  std::string(4 << 20, '7') + SimulatedSeconds(3);
        pPeer->write(str.data(), static_cast<qint64>(str.size()));
        strServed += str;
        reference.Feed(str.data(), static_cast<uint32_t>(str.size()));
        ASSERT_TRUE(TickUntil(frame, [&] {
            return frame.Parser().SentenceCount() - nBefore == reference.SentenceCount();
        }));
        EXPECT_GT(frame.Parser().m_nGgaCount, 0u);
        EXPECT_EQ(frame.PaneText(3), strPane);
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
    EXPECT_EQ(person.Prompts().size(), 2u); // the dialog and the file chooser, and no box
}

} // namespace
