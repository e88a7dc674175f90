// SPDX-License-Identifier: MIT
// The gauge panel: quarters and whole-page layouts, the turn order as gauges are hidden and
// shown, cycle mode over timer ticks, the feed from the GPS state record in the user's units,
// and the empty page.
#include "PanelFixture.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "common/Golden.h"

#include <cstring>

namespace {

TEST_F(PanelTest, QuartersLeaveAnOddSizesMiddleLineEmpty) {
    for (const auto& [nWidth, nHeight] : {std::pair{400, 300}, std::pair{241, 201}}) {
        SCOPED_TRACE(nWidth);
        CGaugePanelWnd& panel = MakePanel(nWidth, nHeight);
        const int w = nWidth / 2, h = nHeight / 2, x = nWidth - w, y = nHeight - h;
        EXPECT_EQ(panel.GaugeRect(kGaugeSpeedometer), (CRect{0, 0, w, h}));
        EXPECT_EQ(panel.GaugeRect(kGaugeAltimeter), (CRect{x, 0, nWidth, h}));
        EXPECT_EQ(panel.GaugeRect(kGaugeCompass), (CRect{0, y, w, nHeight}));
        EXPECT_EQ(panel.GaugeRect(kGaugeVerticalSpeed), (CRect{x, y, nWidth, nHeight}));
        EXPECT_EQ(panel.Surface(),
                  PlainPage(panel, {kGaugeTurnOrder.begin(), kGaugeTurnOrder.end()}));
    }
    const QImage& image = m_pPanel->Surface();
    EXPECT_EQ(CountPixels(image, Qt::white, QRect(120, 1, 1, 199)), 199);
    EXPECT_EQ(CountPixels(image, Qt::white, QRect(1, 100, 239, 1)), 239);
}

TEST_F(PanelTest, HidingAndShowingRebuildsTheTurnOrderAndTheLayout) {
    CGaugePanelWnd& panel = MakePanel(400, 300);
    EXPECT_EQ(panel.Order().list, (std::array<int, 4>{1, 0, 2, 3}));
    const struct {
        int nCommand;
        std::vector<int> order;
    } steps[] = {
        {ID_SHOW_COMPASS, {0, 2, 3}}, {ID_SHOW_SPEED, {0, 3}}, {ID_SHOW_ALTIMETER, {3}},
        {ID_SHOW_COMPASS, {1, 3}},    {ID_SHOW_COMPASS, {3}},  {ID_SHOW_VERTICAL_SPEED, {}},
        {ID_SHOW_ALTIMETER, {0}},
    };
    for (const auto& step : steps) {
        Command({step.nCommand});
        EXPECT_EQ(std::vector<int>(panel.Order().list.begin(),
                                   panel.Order().list.begin() + panel.Order().nCount),
                  step.order);
    }
    // The one gauge left covers the page; the others keep their last rectangles.
    EXPECT_EQ(panel.GaugeRect(kGaugeAltimeter), (CRect{0, 0, 400, 300}));
    EXPECT_EQ(panel.GaugeRect(kGaugeSpeedometer), (CRect{0, 0, 200, 150}));
    EXPECT_EQ(panel.Surface(), PlainPage(panel, {kGaugeAltimeter}));
    // Two shown stay in their quarters; the other two are blank.
    page = Command({ID_SHOW_SPEED});
    EXPECT_EQ(page, PlainPage(panel, {kGaugeAltimeter, kGaugeSpeedometer}));
    EXPECT_EQ(panel.GaugeRect(kGaugeAltimeter), (CRect{200, 0, 400, 150}));
    // None shown: white in a black frame, which ticks leave alone.
    Command({ID_SHOW_SPEED, ID_SHOW_ALTIMETER});
    page = Tick();
    EXPECT_EQ(page, EmptyPage(400, 300));
}

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
    // Off at the altimeter, two ticks into its turn: quarters, and ticks do not advance.
    Command({ID_CYCLE_GAUGES});
    EXPECT_EQ(panel.GaugeRect(kGaugeSpeedometer), (CRect{0, 0, 150, 120}));
    Tick();
    // On again: the count restarts at the same place.
    Command({ID_CYCLE_GAUGES});
    for (int i = 0; i < 3; ++i)
        page = Tick();
    EXPECT_EQ(page, PlainPage(panel, {kGaugeAltimeter}));
    page = Tick();
    EXPECT_EQ(page, PlainPage(panel, {kGaugeSpeedometer}));
}

TEST_F(PanelTest, PastTheEndOfAShrunkListTheFirstGaugeOrNothingIsShown) {
    CGaugePanelWnd& panel = MakePanel(300, 240);
    Command({ID_CYCLE_GAUGES});
    for (int i = 0; i < 12; ++i)
        Tick();
    ASSERT_EQ(panel.Cycle().nIndex, 3); // the vertical-speed indicator
    page = Command({ID_SHOW_VERTICAL_SPEED});
    EXPECT_EQ(page, PlainPage(panel, {kGaugeCompass}));
    page = Command({ID_SHOW_COMPASS, ID_SHOW_ALTIMETER, ID_SHOW_SPEED});
    EXPECT_EQ(page, EmptyPage(300, 240));
    for (int i = 0; i < 4; ++i)
        page = Tick();
    EXPECT_EQ(page, EmptyPage(300, 240));
    // The first gauge shown again is the one on the page.
    page = Command({ID_SHOW_SPEED});
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

TEST_F(PanelTest, CreationStartsTheFeedAndReadsTheFullScaleUnsigned) {
    // Nothing stored, a stored value, 0, and a negative from an older version.
    for (const auto& [nStored, dFullScale] : {std::pair{-2, 150.0}, std::pair{20, 20.0},
                                              std::pair{0, 0.0}, std::pair{-1, 4294967295.0}}) {
        SCOPED_TRACE(nStored);
        QSettings(kCompanyKey, kAppName).clear();
        if (nStored != -2)
            WriteSettingInt(kSectionPanel, kMaxSpeed, nStored);
        CGaugePanelWnd& panel = MakePanel(200, 200);
        EXPECT_EQ(panel.Speedometer().FullScale(), dFullScale);
        // Whatever the full scale, the dial still draws its needle from the hub.
        EXPECT_GT(CountPixels(panel.Surface(), Colours().highlight), 0);
        EXPECT_TRUE(panel.KillTimer(CGaugePanelWnd::kFeedTimer));
    }
}

} // namespace
