// The panel keeps its gauges' faces as pixels and leaves out repaints that would change
// nothing. Checked against plain drawing: after every tick, at every size, in quarters, alone
// and in cycle mode, while values, units and scales change, the page must be exactly what
// drawing each gauge afresh gives; and a tick that shows the same texts and pointers draws
// nothing at all.
#include "PanelFixture.h"

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <cstring>
#include <vector>

namespace {

// One tick's state of the record and the unit settings.
struct Reading {
    const char* pszLegend;
    double dSpeedKnots;
    double dCourse;
    double dBearing;
    double dRange;
    double dAltitude;
    double dVerticalSpeed;
    int nDistanceSpeedUnits;
    int nAltitudeUnits;
    const char* pszWaypoint;
};

// Repeats let kept faces be used; unit changes make them stale; odd values reach the edges of
// the scales (clamping, going round again, negative altitudes, wide readouts).
const Reading kReadings[] = {
    {"at rest", 0, 0, 0, 0, 0, 0, 0, 0, ""},
    {"at rest again", 0, 0, 0, 0, 0, 0, 0, 0, ""},
    {"moving", 23.4, 84.4, 52.5, 33.0, 555.9, 12.0, 0, 0, "004"},
    {"moving on", 24.1, 86.9, 50.5, 32.9, 556.7, -30.0, 0, 0, "004"},
    {"nautical and metres", 24.1, 86.9, 50.5, 32.9, 556.7, -30.0, 1, 1, "004"},
    {"metres again", 250.0, 359.9, 10.0, 1234.5, -12.5, 400.0, 1, 1, "WAYPT8"},
    {"metric, altitude setting out of range", 7.7, 190.0, 350.0, 0.1, 123456.0, -9999.0, 2, 7, "W"},
    {"back to statute and feet", 1e6, 12.0, 12.0, 3.04, 999.9, 5000.0, 0, 0, "004"},
};

std::vector<int> DrawnGauges(const CGaugePanelWnd& panel) {
    std::vector<int> codes;
    if (panel.IsCycling()) {
        if (panel.Order().nCount > 0) {
            const int nIndex =
                panel.Cycle().nIndex < panel.Order().nCount ? panel.Cycle().nIndex : 0;
            codes.push_back(panel.Order().list[static_cast<std::size_t>(nIndex)]);
        }
        return codes;
    }
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
    }

    // Ticks through every reading, each twice, checking the page after every tick; with
    // bRoomy (dials that keep to their own rectangles) the kept faces must have been shown.
    void TickThroughReadings(const char* pszArrangement, bool bRoomy) {
        for (const Reading& r : kReadings)
            for (int nTwice = 0; nTwice < 2; ++nTwice) {
                SCOPED_TRACE(testing::Message() << pszArrangement << ", " << r.pszLegend);
                Set(r);
                const QImage& page = Tick();
                const std::vector<int> drawn = DrawnGauges(*m_pPanel);
                ASSERT_EQ(page, PlainPage(*m_pPanel, drawn));
                for (const int nCode : drawn)
                    EXPECT_EQ(m_pPanel->ShowedKeptFace(nCode), bRoomy) << nCode;
            }
    }
};

TEST_F(FaceCacheTest, KeptFacesShowWhatPlainDrawingShows) {
    const struct {
        int nWidth;
        int nHeight;
        int nMaxSpeed;
        bool bRoomy;
    } sizes[] = {
        {400, 300, 150, true},
        {241, 201, 20, true},
        {640, 480, 500, true},
        {120, 700, 10, true},
        // So small that labels reach past the dials and into the other quarters.
        {37, 29, 150, false},
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.nWidth << " x " << size.nHeight);
        WriteSettingInt(kSectionPanel, kMaxSpeed, size.nMaxSpeed);
        CPanelUnderTest& panel = MakePanel(size.nWidth, size.nHeight);
        TickThroughReadings("quarters", size.bRoomy);

        Command({ID_SHOW_COMPASS, ID_SHOW_SPEED});
        TickThroughReadings("altimeter and vertical speed", size.bRoomy);
        EXPECT_FALSE(panel.KeepsFace(kGaugeCompass)); // a gauge not shown keeps nothing

        Command({ID_SHOW_VERTICAL_SPEED});
        TickThroughReadings("altimeter alone", true);

        Command({ID_SHOW_COMPASS, ID_SHOW_SPEED, ID_SHOW_VERTICAL_SPEED, ID_CYCLE_GAUGES});
        TickThroughReadings("cycling", true);
    }
}

TEST_F(FaceCacheTest, ATickThatShowsTheSameDrawsNothing) {
    CPanelUnderTest& panel = MakePanel(400, 300);
    const auto drawsOfTick = [&] {
        const int nBefore = panel.DrawCount();
        Tick();
        return panel.DrawCount() - nBefore;
    };
    Set(kReadings[2]);
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
