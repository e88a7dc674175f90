// SPDX-License-Identifier: MIT
// The panel keeps its gauges' faces as pixels and leaves out repaints that would change
// nothing. Checked against plain drawing: at every size, in quarters, in pairs, alone and in
// cycle mode, while values, units, scales and the window's size change, the page must be
// exactly what drawing each gauge afresh gives, both when a face is drawn and when it is put
// back from the kept pixels; and a tick that shows the same texts and pointers draws nothing.
#include "GaugeTestSupport.h"

#include "platform/SystemMetrics.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {

// One tick's state of the record, the unit settings and the speedometer's full scale.
struct Reading {
    const char* pszLegend;
    double dSpeedKnots, dCourse, dBearing, dRange, dAltitude, dVerticalSpeed;
    int nDistanceSpeedUnits, nAltitudeUnits;
    const char* pszWaypoint;
    int nFullScale;
};

// Moving values on kept faces; unit and scale changes make them stale; odd values reach the
// edges of the scales (clamping, going round again, negative altitudes, wide readouts).
const Reading kReadings[] = {
    {"at rest", 0, 0, 0, 0, 0, 0, 0, 0, "", 150},
    {"moving", 23.4, 84.4, 52.5, 33.0, 555.9, 12.0, 0, 0, "004", 150},
    {"moving on, the card turned", 24.1, 86.9, 50.5, 32.9, 556.7, -30.0, 0, 0, "004", 150},
    {"nautical and metres", 24.1, 86.9, 50.5, 32.9, 556.7, -30.0, 1, 1, "004", 150},
    {"a smaller full scale", 250.0, 359.9, 10.0, 1234.5, -12.5, 400.0, 1, 1, "WAYPT8", 20},
    {"metric, altitude setting out of range", 7.7, 190.0, 350.0, 0.1, 123456.0, -9999.0, 2, 7, "W",
     20},
    {"statute, feet and a larger full scale", 1e6, 12.0, 12.0, 3.04, 999.9, 5000.0, 0, 0, "004",
     500},
};

// The gauges on the page, as the panel shows them.
std::vector<int> DrawnGauges(const CGaugePanelWnd& panel) {
    const GaugeOrder& order = panel.Order();
    if (panel.IsCycling() && order.nCount == 0)
        return {};
    if (panel.IsCycling())
        return {order.list[static_cast<size_t>(
            panel.Cycle().nIndex < order.nCount ? panel.Cycle().nIndex : 0)]};
    std::vector<int> codes;
    for (const int nCode : kGaugeTurnOrder)
        if (panel.IsShown(nCode))
            codes.push_back(nCode);
    return codes;
}

class FaceCacheTest : public PanelTest {
protected:
    void Set(const Reading& r) {
        gps.m_dSpeedKnots = r.dSpeedKnots;
        gps.m_dCourse = r.dCourse;
        gps.m_dBearingToDest = r.dBearing;
        gps.m_dRangeToDest = r.dRange;
        gps.m_dAltitude = r.dAltitude;
        gps.m_dVerticalSpeed = r.dVerticalSpeed;
        std::strcpy(gps.m_szDestWaypoint, r.pszWaypoint);
        WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, r.nDistanceSpeedUnits);
        WriteSettingInt(kSectionSettings, kAltitudeElevationUnits, r.nAltitudeUnits);
        if (m_pPanel->Speedometer().FullScale() != r.nFullScale)
            SetUpSpeed([&r](QComboBox& speed, QDialog&) {
                speed.setEditText(QString::number(r.nFullScale));
            });
    }

    // After every reading's tick the page is the plain drawing; a repaint showing the same
    // again puts every face back from its kept pixels, and is the plain drawing too. Shown
    // often enough to pay for keeping them, so the next reading's faces are kept as soon.
    void TickThroughReadings() {
        for (const Reading& r : kReadings) {
            SCOPED_TRACE(r.pszLegend);
            Set(r);
            const QImage& page = Tick(); // before the plain drawing of what it shows
            ASSERT_TRUE(page == PlainPage(*m_pPanel, DrawnGauges(*m_pPanel)));
            m_pPanel->Invalidate(false);
            ASSERT_TRUE(Command({}) == PlainPage(*m_pPanel, DrawnGauges(*m_pPanel)));
            // Labels reaching past a dial blend with what other gauges drew there, which
            // changes with their values: then the face is drawn.
            for (const int nCode : DrawnGauges(*m_pPanel))
                EXPECT_TRUE(m_pPanel->ShowedKeptFace(nCode) || m_bLabelsReachPast) << nCode;
            for (int n = 1; n < CGaugeFaceCache::kPutsToPay; ++n) {
                m_pPanel->Invalidate(false);
                Command({});
            }
        }
    }

    bool m_bLabelsReachPast = false;
};

TEST_F(FaceCacheTest, KeptFacesShowWhatPlainDrawingShows) {
    MakePanel(400, 300);
    // The last so small that labels reach past the dials and into the other quarters.
    for (const auto& [nWidth, nHeight] :
         {std::pair{400, 300}, std::pair{241, 201}, std::pair{640, 480}, std::pair{120, 700},
          std::pair{37, 29}}) {
        SCOPED_TRACE(testing::Message() << nWidth << " x " << nHeight);
        m_pPanel->MoveWindow({0, 0, nWidth, nHeight});
        m_bLabelsReachPast = nWidth < 100;
        TickThroughReadings(); // quarters
        Command({ID_SHOW_COMPASS, ID_SHOW_SPEED});
        TickThroughReadings();                            // altimeter and vertical speed
        EXPECT_FALSE(m_pPanel->KeepsFace(kGaugeCompass)); // a gauge not shown keeps nothing
        Command({ID_SHOW_VERTICAL_SPEED});
        TickThroughReadings(); // altimeter alone
        Command({ID_SHOW_COMPASS, ID_SHOW_SPEED, ID_SHOW_VERTICAL_SPEED, ID_CYCLE_GAUGES});
        for (int nTurn = 0; nTurn < kGaugeCount; ++nTurn)
            TickThroughReadings(); // each in turn
        Command({ID_CYCLE_GAUGES});
    }
    // A larger text size makes other labels on the same faces: the page repainted for it
    // shows them.
    SetTextScale(150);
    m_pPanel->Invalidate(false);
    EXPECT_TRUE(Command({}) == PlainPage(*m_pPanel, DrawnGauges(*m_pPanel)));
    SetTextScale(100);
}

// A card turning a little after every repaint would be kept at every turn for one showing:
// keeping it waits longer each time, and a card that stays put is kept again.
TEST_F(FaceCacheTest, AFaceThatKeepsChangingIsKeptLessOften) {
    MakePanel(400, 300);
    const auto showings = [&](int nRepaints) {
        int nShown = 0;
        for (int n = 0; n < nRepaints; ++n) {
            m_pPanel->Invalidate(false);
            EXPECT_TRUE(Command({}) == PlainPage(*m_pPanel, DrawnGauges(*m_pPanel)));
            nShown += m_pPanel->ShowedKeptFace(kGaugeCompass) ? 1 : 0;
        }
        return nShown;
    };
    Set(kReadings[1]);
    int nShown = 0;
    for (int nTurn = 0; nTurn < 8; ++nTurn) {
        gps.m_dCourse += 2.5;
        Tick();
        nShown += showings(1);
    }
    EXPECT_LT(nShown, 4);
    EXPECT_GE(showings(40), 30);
}

TEST_F(FaceCacheTest, ATickThatShowsTheSameDrawsNothing) {
    CGaugePanelWnd& panel = MakePanel(400, 300);
    const auto drawsOfTick = [&] {
        const int nBefore = panel.DrawCount();
        Tick();
        return panel.DrawCount() - nBefore;
    };
    Set(kReadings[1]);
    EXPECT_EQ(drawsOfTick(), 1);
    EXPECT_EQ(drawsOfTick(), 0);

    const struct {
        const char* pszLegend;
        std::function<void()> change;
        int nDraws;
    } steps[] = {
        {"a new speed", [&] { gps.m_dSpeedKnots += 1.0; }, 1},
        {"a course within the same degree", [&] { gps.m_dCourse += 0.1; }, 0},
        {"another unit", [&] { WriteSettingInt(kSectionSettings, kDistanceSpeedUnits, 2); }, 1},
        {"a hidden gauge's value",
         [&] {
             Command({ID_SHOW_ALTIMETER});
             gps.m_dAltitude += 100.0;
         },
         0},
        {"a vertical speed beyond the scale, clamped as before",
         [&] { gps.m_dVerticalSpeed = 1e6; }, 1},
        {"one further beyond it", [&] { gps.m_dVerticalSpeed = 2e6; }, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.pszLegend);
        step.change();
        panel.UpdateSurface();
        EXPECT_EQ(drawsOfTick(), step.nDraws);
        EXPECT_EQ(drawsOfTick(), 0);
    }
    // Drawing or not, the value is clamped to the scale.
    EXPECT_EQ(panel.VerticalSpeed().Value(), panel.VerticalSpeed().Scale());

    // In turn, a gauge is drawn once when its turn comes and not again during it.
    Command({ID_CYCLE_GAUGES});
    std::vector<int> draws;
    for (int i = 0; i < 8; ++i)
        draws.push_back(drawsOfTick());
    EXPECT_EQ(draws, (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 1}));
}

} // namespace
