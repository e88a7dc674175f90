// SPDX-License-Identifier: MIT
// The gauge panel: quarters and whole-page layouts as gauges are hidden and shown, cycle mode
// over timer ticks in the turn order, the feed from the GPS state record in the user's units,
// the empty page; the check marks of its commands, and the speedometer's full scale read,
// set up, stored or refused. (A cancelled setup is one of the fault tests' cancelled questions.)
#include "GaugeTestSupport.h"

#include "common/Golden.h"
#include "gauges/SpeedSetupDlg.h"
#include "platform/Commands.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QAbstractItemView>
#include <QKeyEvent>

#include <cstring>

namespace {

// An odd size: the quarters leave the middle column and row white. One gauge left covers the
// page, two stay in their quarters, none leave white in a black frame, which ticks leave alone.
TEST_F(PanelTest, TheGaugesShownShareThePage) {
    CGaugePanelWnd& panel = MakePanel(241, 201);
    EXPECT_EQ(panel.Surface(), PlainPage(panel, {kGaugeTurnOrder.begin(), kGaugeTurnOrder.end()}));
    EXPECT_TRUE(MatchesPicture(panel.Surface(), "panel-odd"));
    page = Command({ID_SHOW_COMPASS, ID_SHOW_SPEED, ID_SHOW_VERTICAL_SPEED});
    for (const int nId :
         {ID_SHOW_ALTIMETER, ID_SHOW_COMPASS, ID_SHOW_SPEED, ID_SHOW_VERTICAL_SPEED})
        EXPECT_EQ(QueryCommandState(&panel, nId).IsChecked(), nId == ID_SHOW_ALTIMETER) << nId;
    EXPECT_EQ(panel.GaugeRect(kGaugeAltimeter), (CRect{0, 0, 241, 201}));
    EXPECT_EQ(page, PlainPage(panel, {kGaugeAltimeter}));
    page = Command({ID_SHOW_SPEED});
    EXPECT_EQ(panel.GaugeRect(kGaugeAltimeter), (CRect{121, 0, 241, 100}));
    EXPECT_EQ(page, PlainPage(panel, {kGaugeAltimeter, kGaugeSpeedometer}));
    Command({ID_SHOW_SPEED, ID_SHOW_ALTIMETER});
    page = Tick();
    EXPECT_EQ(page, PlainPage(panel));
}

// Four ticks each, in turn order, on the whole page. Off, ticks do not advance; on again, the
// count restarts at the same place. Past the end of a shrunk list the first gauge shows, or
// nothing.
TEST_F(PanelTest, CycleModeShowsEachGaugeForFourTicksInTurnOrderAndKeepsThePlace) {
    CGaugePanelWnd& panel = MakePanel(300, 240);
    Command({ID_CYCLE_GAUGES});
    const int turn[] = {kGaugeCompass, kGaugeAltimeter, kGaugeSpeedometer, kGaugeVerticalSpeed};
    EXPECT_EQ(panel.Surface(), PlainPage(panel, {kGaugeCompass}));
    for (int nTick = 1; nTick <= 22; ++nTick) {
        SCOPED_TRACE(nTick);
        page = Tick();
        EXPECT_EQ(page, PlainPage(panel, {turn[(nTick / 4) % 4]}));
        EXPECT_EQ(panel.GaugeRect(turn[(nTick / 4) % 4]), (CRect{0, 0, 300, 240}));
    }
    EXPECT_TRUE(QueryCommandState(&panel, ID_CYCLE_GAUGES).IsChecked());
    Command({ID_CYCLE_GAUGES}); // at the altimeter, two ticks into its turn
    EXPECT_FALSE(QueryCommandState(&panel, ID_CYCLE_GAUGES).IsChecked());
    EXPECT_EQ(panel.GaugeRect(kGaugeSpeedometer), (CRect{0, 0, 150, 120}));
    Tick();
    Command({ID_CYCLE_GAUGES});
    for (int i = 0; i < 3; ++i)
        page = Tick();
    EXPECT_EQ(page, PlainPage(panel, {kGaugeAltimeter}));
    for (int i = 0; i < 8; ++i)
        page = Tick();
    ASSERT_EQ(panel.Cycle().nIndex, 3); // the vertical-speed indicator
    page = Command({ID_SHOW_VERTICAL_SPEED});
    EXPECT_EQ(page, PlainPage(panel, {kGaugeCompass}));
    page = Command({ID_SHOW_COMPASS, ID_SHOW_ALTIMETER, ID_SHOW_SPEED});
    EXPECT_EQ(page, PlainPage(panel));
    for (int i = 0; i < 4; ++i)
        page = Tick();
    EXPECT_EQ(page, PlainPage(panel));
    page = Command({ID_SHOW_SPEED}); // the first gauge shown again is the one on the page
    EXPECT_EQ(page, PlainPage(panel, {kGaugeSpeedometer}));
}

// Each gauge fed in the units selected at the moment (the conversions themselves are the
// units' own tests), the vertical-speed scale with them; 8-bit waypoint text byte for byte.
TEST_F(PanelTest, TicksFeedEveryGaugeInTheUsersUnits) {
    MakePanel(400, 300);
    gps.m_dSpeedKnots = 10.0;
    gps.m_dCourse = 359.9;
    gps.m_dBearingToDest = 12.7;
    gps.m_dRangeToDest = 2.0;
    gps.m_dAltitude = 100.0;
    gps.m_dVerticalSpeed = 60.0;
    std::strcpy(gps.m_szDestWaypoint, "W\xe9ST");
    for (const auto& [nDistanceSpeed, nAltitude] :
         {std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 7}}) {
        WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, nDistanceSpeed);
        WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, nAltitude);
        EXPECT_TRUE(MatchesPicture(Tick(), QStringLiteral("panel-units-%1").arg(nAltitude)));
    }
}

// Nothing stored, and a negative from an older version. Other pages' commands are left alone.
TEST_F(PanelTest, CreationStartsTheFeedAndReadsTheFullScaleUnsigned) {
    EXPECT_EQ(MakePanel(200, 200).Speedometer().FullScale(), 150.0);
    EXPECT_TRUE(m_pPanel->KillTimer(CGaugePanelWnd::kFeedTimer));
    EXPECT_FALSE(m_pPanel->OnCommand(ID_STATS_RESET));
    CCommandState state(ID_ENABLE_TRAILS);
    EXPECT_FALSE(m_pPanel->OnUpdateCommand(state));
    WriteSettingInt(kSectionPanel, kMaxSpeed, -1);
    EXPECT_EQ(MakePanel(200, 200).Speedometer().FullScale(), 4294967295.0);
}

// The list opens on the current value, listed or typed in once, so Enter in it keeps that
// value; entries below one keep the dialog open with the refusal.
TEST_F(PanelTest, SpeedSetupStoresThePickedOrTypedFullScaleAndRefusesLessThanOne) {
    const auto enterInList = [](QComboBox& speed, QDialog&) {
        speed.showPopup();
        QKeyEvent enter(QEvent::ShortcutOverride, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(speed.view(), &enter);
        speed.hidePopup();
    };
    const auto Stored = [] { return ReadSettingInt(kSectionPanel, kMaxSpeed, -99); };
    MakePanel(400, 300);
    EXPECT_EQ(SetUpSpeed(enterInList), QStringLiteral("150"));
    EXPECT_EQ(Stored(), 150);
    EXPECT_EQ(m_Person.Prompts().back().strText, QStringLiteral("Speed Setup"));

    EXPECT_EQ(SetUpSpeed([](QComboBox& speed, QDialog& dialog) {
                  for (const char* pszEntry : {"0", "-5", "fast", ""}) {
                      speed.setEditText(QString::fromLatin1(pszEntry));
                      dialog.accept();
                      ASSERT_EQ(dialog.result(), 0) << pszEntry << " closed the dialog";
                  }
                  speed.setCurrentIndex(speed.findText(QStringLiteral("20")));
              }),
              QStringLiteral("150"));
    const auto& prompts = m_Person.Prompts();
    ASSERT_EQ(prompts.size(), 6u);
    for (size_t i = 1; i < 5; ++i)
        EXPECT_EQ(prompts[i].strText, QString::fromLatin1(kMaxSpeedRefusal));
    EXPECT_EQ(Stored(), 20);
    EXPECT_EQ(m_pPanel->Speedometer().FullScale(), 20.0);

    EXPECT_EQ(
        SetUpSpeed([](QComboBox& speed, QDialog&) { speed.setEditText(QStringLiteral(" 75")); }),
        QStringLiteral("20"));
    EXPECT_EQ(Stored(), 75);
    EXPECT_EQ(SetUpSpeed(enterInList), QStringLiteral("75"));
    EXPECT_EQ(Stored(), 75);
    EXPECT_EQ(m_pPanel->Speedometer().FullScale(), 75.0);
}

} // namespace
