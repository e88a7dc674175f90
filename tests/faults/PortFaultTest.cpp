// SPDX-License-Identifier: MIT
// A receiver unplugged in the middle of a sentence: the program notices the silence, clears
// what it showed and keeps running; a new receiver connected through Connect > Serial Port
// (Comm Port) takes over, and from then on the program shows exactly what a decoder that saw
// the same bytes shows.
#include "FaultSupport.h"
#include "common/NmeaSupport.h"
#include "common/Pty.h"

#include "platform/Dialog.h"
#include "resources/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "shell/MainView.h"
#include "sim/ReceiverSim.h"

#include <QComboBox>
#include <QThread>

namespace {

// Ticks until the frame has decoded nSentences in all. A terminal hands bytes over a moment
// after they were written, and fifteen empty ticks would count as a silent receiver, so after
// a tick that brought nothing new the next waits for bytes to arrive; false if none do.
bool TickUntilSentences(CPty& pty, CMainFrame& frame, uint32_t nSentences) {
    bool bProgress = true;
    for (int nWaits = 0; frame.Parser().SentenceCount() < nSentences;) {
        if (!bProgress && pty.Waiting() == 0) {
            if (++nWaits > 2000)
                return false;
            QThread::msleep(1);
            continue;
        }
        const uint32_t nBefore = frame.Parser().SentenceCount();
        Tick(frame);
        bProgress = frame.Parser().SentenceCount() != nBefore;
    }
    return true;
}

// Sends str in pieces a terminal's buffer holds, ticking after each until the frame has
// decoded what reference, fed the same pieces, decodes; false if some never arrive.
bool SendAndTick(CPty& pty, CMainFrame& frame, CNmeaParser& reference, const std::string& str) {
    constexpr size_t kPiece = 1000;
    for (size_t nAt = 0; nAt < str.size(); nAt += kPiece) {
        const std::string strPiece = str.substr(nAt, kPiece);
        pty.Send(strPiece);
        reference.Feed(strPiece.data(), static_cast<uint32_t>(strPiece.size()));
        if (!TickUntilSentences(pty, frame, reference.SentenceCount()))
            return false;
    }
    return true;
}

std::string Seconds(CReceiverSim& sim, int nSeconds) {
    std::string s;
    for (int i = 0; i < nSeconds; ++i)
        sim.NextSecond(s);
    return s;
}

void ChoosePort(CScriptedInteraction& person, const QString& strEntry, const QString& strBaud) {
    person.AnswerDialog([=](QDialog& d) {
        auto* pList = GetDlgItemAs<QComboBox>(&d, IDC_PORT);
        pList->setCurrentIndex(pList->findText(strEntry, Qt::MatchStartsWith));
        GetDlgItemAs<QComboBox>(&d, IDC_BAUD)->setEditText(strBaud);
        d.accept();
    });
}

TEST_F(FaultTest, AReceiverUnpluggedMidSentenceIsReplacedThroughCommSettings) {
    auto pFirst = std::make_unique<CPty>(5);
    WriteSettingInt(kSectionSerial, kPort, 5);
    // The GPS-only reading, whose satellite table the sky plot draws from.
    WriteSettingInt(kSectionSerial, kAllSystems, 0);
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
    const std::array<QImage, 4> withData = RenderPages(frame);

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
    // At their next refresh the pages that poll the record show the silence; the sky plot and
    // the averages keep what they had, as they change only with new sentences.
    FireTimers(&frame);
    const std::array<QImage, 4> silent = RenderPages(frame);
    EXPECT_NE(silent[kSigNavPage], withData[kSigNavPage]);
    EXPECT_NE(silent[kPanelPage], withData[kPanelPage]);

    CPty second(6);
    ChoosePort(person, QStringLiteral("COM6:"), QStringLiteral("9600"));
    EXPECT_TRUE(frame.OnCommand(ID_CONNECT_SERIAL));
    ASSERT_EQ(person.Prompts().size(), 1u); // the dialog, and no error
    EXPECT_TRUE(frame.Link().IsOpen());
    EXPECT_EQ(frame.SourceMode(), CMainFrame::Source::SerialPort);
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kPort, 0), 6);
    EXPECT_EQ(ReadSettingInt(kSectionSerial, kBaud, 0), 9600);

    const std::string strAfter = Seconds(sim, 30);
    reference.Reset(); // what the silence did to the record
    ASSERT_TRUE(SendAndTick(second, frame, reference, strAfter));
    EXPECT_FALSE(frame.PollLoop().NoData());
    EXPECT_EQ(frame.PaneText(0), strFixPane);

    // Every byte was decoded once, in order: the cut sentence swallowed the first one of the
    // new receiver, as the reader's framing does, and nothing else was lost.
    const auto nCutComplete = std::count(strCut.begin(), strCut.end(), '\n');
    EXPECT_EQ(reference.SentenceCount(),
              static_cast<uint32_t>(CountSentences(strBefore) + nCutComplete +
                                    CountSentences(strAfter) - 1));
    EXPECT_EQ(Snapshot(frame.Parser()), Snapshot(reference));
    int nMarkers = 0;
    for (const SkySatellite& sat : frame.View().SatellitePage().SkyPlot().CurrentSlots())
        nMarkers += sat.nPrn != 0;
    EXPECT_GT(nMarkers, 3);
}

} // namespace
