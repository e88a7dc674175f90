// SPDX-License-Identifier: MIT
// The gauge panel: quarters and whole-page layouts, the turn order as gauges are hidden and
// shown, cycle mode over timer ticks, the feed from the GPS state record in the user's units,
// and the empty page.
#include "PanelFixture.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "settings/Units.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <tuple>
#include <vector>

namespace {

constexpr std::array<int, 4> kAllGauges = {kGaugeCompass, kGaugeAltimeter, kGaugeSpeedometer,
                                           kGaugeVerticalSpeed};

TEST_F(PanelTest, StartsWithAllFourGaugesInTheirQuarters) {
    CGaugePanelWnd& panel = MakePanel(400, 300);
    EXPECT_EQ(panel.GaugeRect(kGaugeSpeedometer), (CRect{0, 0, 200, 150}));
    EXPECT_EQ(panel.GaugeRect(kGaugeAltimeter), (CRect{200, 0, 400, 150}));
    EXPECT_EQ(panel.GaugeRect(kGaugeCompass), (CRect{0, 150, 200, 300}));
    EXPECT_EQ(panel.GaugeRect(kGaugeVerticalSpeed), (CRect{200, 150, 400, 300}));
    for (const int nCode : kAllGauges) {
        SCOPED_TRACE(nCode);
        EXPECT_TRUE(panel.IsShown(nCode));
        EXPECT_TRUE(SameIn(panel.Surface(), GaugeAlone(panel, nCode), panel.GaugeRect(nCode)));
    }
    EXPECT_FALSE(panel.IsCycling());
    EXPECT_EQ(panel.Order().nCount, 4);
    EXPECT_EQ(panel.Order().list, (std::array<int, 4>{1, 0, 2, 3}));
}

TEST_F(PanelTest, OddSizesLeaveTheMiddleLineEmpty) {
    CGaugePanelWnd& panel = MakePanel(241, 201);
    EXPECT_EQ(panel.GaugeRect(kGaugeSpeedometer), (CRect{0, 0, 120, 100}));
    EXPECT_EQ(panel.GaugeRect(kGaugeAltimeter), (CRect{121, 0, 241, 100}));
    EXPECT_EQ(panel.GaugeRect(kGaugeCompass), (CRect{0, 101, 120, 201}));
    EXPECT_EQ(panel.GaugeRect(kGaugeVerticalSpeed), (CRect{121, 101, 241, 201}));
    const QImage& image = panel.Surface();
    EXPECT_EQ(CountColour(image, Qt::white, {120, 1, 121, 200}), 199);
    EXPECT_EQ(CountColour(image, Qt::white, {1, 100, 240, 101}), 239);
}

TEST_F(PanelTest, HidingAndShowingRebuildsTheTurnOrderAndTheLayout) {
    CGaugePanelWnd& panel = MakePanel(400, 300);
    const CRect client{0, 0, 400, 300};
    const struct {
        const char* pszLegend;
        int nCommand;
        std::vector<int> order;
    } steps[] = {
        {"compass hidden", ID_SHOW_COMPASS, {0, 2, 3}},
        {"speedometer hidden", ID_SHOW_SPEED, {0, 3}},
        {"altimeter hidden", ID_SHOW_ALTIMETER, {3}},
        {"compass back, still in front", ID_SHOW_COMPASS, {1, 3}},
        {"compass hidden again", ID_SHOW_COMPASS, {3}},
        {"vertical speed hidden: none left", ID_SHOW_VERTICAL_SPEED, {}},
        {"altimeter back", ID_SHOW_ALTIMETER, {0}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.pszLegend);
        Command({step.nCommand});
        ASSERT_EQ(panel.Order().nCount, static_cast<int>(step.order.size()));
        for (std::size_t i = 0; i < step.order.size(); ++i)
            EXPECT_EQ(panel.Order().list[i], step.order[i]);
    }
    // Entries past the count keep what they held before.
    EXPECT_EQ(panel.Order().list[1], 3);

    // The one gauge left covers the page; the others keep their last rectangles.
    EXPECT_EQ(panel.GaugeRect(kGaugeAltimeter), client);
    EXPECT_EQ(panel.GaugeRect(kGaugeVerticalSpeed), client);
    EXPECT_EQ(panel.GaugeRect(kGaugeSpeedometer), (CRect{0, 0, 200, 150}));
    EXPECT_TRUE(SameIn(panel.Surface(), GaugeAlone(panel, kGaugeAltimeter), client));

    // Two shown stay in their quarters; the other two quarters are blank.
    const QImage& image = Command({ID_SHOW_SPEED});
    EXPECT_EQ(panel.GaugeRect(kGaugeAltimeter), (CRect{200, 0, 400, 150}));
    EXPECT_EQ(panel.GaugeRect(kGaugeSpeedometer), (CRect{0, 0, 200, 150}));
    const QImage empty = EmptyPage(400, 300);
    EXPECT_TRUE(SameIn(image, empty, {0, 150, 400, 300}));
    EXPECT_TRUE(SameIn(image, GaugeAlone(panel, kGaugeSpeedometer), {0, 0, 200, 150}));
    EXPECT_TRUE(SameIn(image, GaugeAlone(panel, kGaugeAltimeter), {200, 0, 400, 150}));
}

TEST_F(PanelTest, WithEveryGaugeHiddenThePageIsWhiteInABlackFrame) {
    MakePanel(160, 120);
    const QImage& image =
        Command({ID_SHOW_ALTIMETER, ID_SHOW_COMPASS, ID_SHOW_SPEED, ID_SHOW_VERTICAL_SPEED});
    EXPECT_EQ(image, EmptyPage(160, 120));
    EXPECT_EQ(CountColour(image, Qt::black), 2 * 160 + 2 * 118);
    // Ticks change nothing.
    EXPECT_EQ(Tick(), EmptyPage(160, 120));
}

TEST_F(PanelTest, CycleModeShowsEachGaugeForFourTicksInTurnOrder) {
    CGaugePanelWnd& panel = MakePanel(300, 240);
    const CRect client{0, 0, 300, 240};
    Command({ID_CYCLE_GAUGES});
    EXPECT_TRUE(panel.IsCycling());
    for (const int nCode : kAllGauges)
        EXPECT_EQ(panel.GaugeRect(nCode), client);
    EXPECT_TRUE(SameIn(panel.Surface(), GaugeAlone(panel, kGaugeCompass), client));

    const int turn[] = {kGaugeCompass, kGaugeAltimeter, kGaugeSpeedometer, kGaugeVerticalSpeed};
    for (int nTick = 1; nTick <= 17; ++nTick) {
        SCOPED_TRACE(nTick);
        const QImage& image = Tick();
        const int nShown = turn[(nTick / 4) % 4];
        EXPECT_EQ(panel.Cycle().nIndex, (nTick / 4) % 4);
        EXPECT_TRUE(SameIn(image, GaugeAlone(panel, nShown), client));
    }
}

TEST_F(PanelTest, TurningCycleModeOffAndOnRestartsTheCountButKeepsThePlace) {
    CGaugePanelWnd& panel = MakePanel(300, 240);
    Command({ID_CYCLE_GAUGES});
    for (int i = 0; i < 6; ++i) // altimeter, two ticks into its turn
        Tick();
    EXPECT_EQ(panel.Cycle().nIndex, 1);
    EXPECT_EQ(panel.Cycle().nTicks, 2);

    // Off: quarters again, and ticks do not advance.
    Command({ID_CYCLE_GAUGES});
    EXPECT_EQ(panel.GaugeRect(kGaugeSpeedometer), (CRect{0, 0, 150, 120}));
    for (int i = 0; i < 5; ++i)
        Tick();
    EXPECT_EQ(panel.Cycle().nIndex, 1);

    Command({ID_CYCLE_GAUGES});
    EXPECT_EQ(panel.Cycle().nTicks, 0);
    EXPECT_TRUE(SameIn(panel.Surface(), GaugeAlone(panel, kGaugeAltimeter), {0, 0, 300, 240}));
    for (int i = 0; i < 3; ++i)
        Tick();
    EXPECT_EQ(panel.Cycle().nIndex, 1);
    Tick();
    EXPECT_EQ(panel.Cycle().nIndex, 2);
}

TEST_F(PanelTest, PastTheEndOfAShrunkListTheFirstGaugeOrNothingIsShown) {
    CGaugePanelWnd& panel = MakePanel(300, 240);
    const CRect client{0, 0, 300, 240};
    Command({ID_CYCLE_GAUGES});
    for (int i = 0; i < 12; ++i)
        Tick();
    ASSERT_EQ(panel.Cycle().nIndex, 3); // the vertical-speed indicator

    const QImage& shrunk = Command({ID_SHOW_VERTICAL_SPEED});
    EXPECT_EQ(panel.Order().nCount, 3);
    EXPECT_EQ(panel.Cycle().nIndex, 3);
    EXPECT_TRUE(SameIn(shrunk, GaugeAlone(panel, kGaugeCompass), client));

    const QImage& none = Command({ID_SHOW_COMPASS, ID_SHOW_ALTIMETER, ID_SHOW_SPEED});
    EXPECT_EQ(none, EmptyPage(300, 240));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Tick(), EmptyPage(300, 240));
    EXPECT_EQ(panel.Cycle().nIndex, 0);

    // The first gauge shown again is the one on the page.
    EXPECT_TRUE(SameIn(Command({ID_SHOW_SPEED}), GaugeAlone(panel, kGaugeSpeedometer), client));
}

TEST_F(PanelTest, TicksFeedEveryGaugeInTheUsersUnits) {
    CGaugePanelWnd& panel = MakePanel(400, 300);
    Command({ID_SHOW_COMPASS}); // hidden gauges are fed all the same
    gps.m_dSpeedKnots = 10.0;
    gps.m_dCourse = 359.9;
    gps.m_dBearingToDest = 12.7;
    gps.m_dRangeToDest = 2.0;
    gps.m_dAltitude = 100.0;
    gps.m_dVerticalSpeed = 60.0;
    std::strcpy(gps.m_szDestWaypoint, "W\xe9ST"); // 8-bit text, taken byte for byte

    // The conversions themselves are the units' own tests; here, that each gauge gets them in
    // the selection of the moment, the vertical-speed scale with them.
    for (const auto& [nDistanceSpeed, nAltitude, dScale] :
         {std::tuple{0, 0, 2000.0}, std::tuple{1, 1, 5.0}, std::tuple{2, 7, 5.0}}) {
        SCOPED_TRACE(testing::Message() << nDistanceSpeed << " " << nAltitude);
        WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, nDistanceSpeed);
        WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, nAltitude);
        Tick();
        EXPECT_DOUBLE_EQ(panel.Speedometer().Speed(), units::ConvertSpeed(nDistanceSpeed, 10.0));
        EXPECT_EQ(panel.Speedometer().UnitName(), units::SpeedUnitName(nDistanceSpeed));
        EXPECT_EQ(panel.Compass().Course(), 359);
        EXPECT_EQ(panel.Compass().Bearing(), 12);
        EXPECT_EQ(panel.Compass().Waypoint(), QStringLiteral(u"W\u00e9ST"));
        EXPECT_DOUBLE_EQ(panel.Compass().Range(), units::ConvertSpeed(nDistanceSpeed, 2.0));
        EXPECT_EQ(panel.Compass().DistanceUnitName(), units::DistanceUnitName(nDistanceSpeed));
        EXPECT_DOUBLE_EQ(panel.Altimeter().Altitude(), units::ConvertAltitude(nAltitude, 100.0));
        EXPECT_EQ(panel.Altimeter().UnitName(), units::AltitudeUnitName(nAltitude));
        EXPECT_EQ(panel.VerticalSpeed().Scale(), dScale);
        EXPECT_EQ(panel.VerticalSpeed().UnitName(), units::VerticalSpeedUnitName(nAltitude));
        // Drawing has clamped it to the scale by now.
        EXPECT_EQ(panel.VerticalSpeed().Value(),
                  std::min(units::ConvertVerticalSpeed(nAltitude, 60.0), dScale));
    }
}

TEST_F(PanelTest, CreationStartsTheFeedAndReadsTheFullScaleUnsigned) {
    const struct {
        const char* pszLegend;
        bool bStored;
        int nStored;
        double dFullScale;
    } cases[] = {
        {"nothing stored", false, 0, 150.0},
        {"a stored value", true, 20, 20.0},
        {"0", true, 0, 0.0},
        {"a negative from an older version", true, -1, 4294967295.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLegend);
        QSettings(kCompanyKey, kAppName).clear();
        if (c.bStored)
            WriteSettingInt(kSectionPanel, kMaxSpeed, c.nStored);
        CGaugePanelWnd& panel = MakePanel(200, 200);
        EXPECT_EQ(panel.Speedometer().FullScale(), c.dFullScale);
        // Whatever the full scale, the dial still draws its needle from the hub.
        EXPECT_GT(CountColour(panel.Surface(), Colours().highlight), 0);
        EXPECT_TRUE(panel.KillTimer(CGaugePanelWnd::kFeedTimer));
    }
}

} // namespace
