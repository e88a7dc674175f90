// SPDX-License-Identifier: MIT
// At 200 % display scaling every page draws on a surface of the screen's device pixels, two to
// a logical pixel's side, as the kept pictures show them (text as sharp as the screen allows,
// every stroke kept): what reaches the screen is that surface pixel for pixel. What pages draw
// in part (XORed markers, changed texts, kept gauge faces) is still exactly what a full
// repaint draws (QuietTicksTest.cpp is built into this program too).
#include "ViewsTestSupport.h"

#include "gauges/GaugePanelWnd.h"
#include "nmea/NmeaMessages.h"
#include "platform/SystemMetrics.h"
#include "stats/StatsView.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

#include <memory>

namespace {

constexpr qreal kRatio = 2.0;

class HiDpi : public CleanStoreTest {
protected:
    void SetUp() override {
        CleanStoreTest::SetUp();
        gps.SetAllSystems(true);
        FeedChunks(gps, MultiSystemFixes().back());
    }
    CNmeaParser gps;
    QWidget parent;
};

TEST_F(HiDpi, EveryPageDrawsAtTheScreensResolutionAsKept) {
    ASSERT_EQ(ScreenPixelRatio(), kRatio);
    const struct {
        const char* pszPage;
        std::unique_ptr<CSurfaceWnd> (*make)(CNmeaParser&, QWidget&);
        const char* pszPicture;
    } pages[] = {
        {"Sig/Nav", Make<CSigNavWnd>, "signav"},
        {"Azmth/Elvn", Make<CAzElWnd>, "sky"},
        {"Panel", Make<CGaugePanelWnd>, "panel"},
        {"Stats", Make<CStatsView>, "stats"},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.pszPage);
        const std::unique_ptr<CSurfaceWnd> page = p.make(gps, parent);
        // Ticked as its timers and notifications tick it.
        FireTimers(page.get());
        Notify(*page, WM_GPS_GGA);
        Notify(*page, WM_GPS_GSV);
        const QImage surface = Render(*page);
        EXPECT_EQ(surface.devicePixelRatio(), kRatio);
        EXPECT_TRUE(page->grab().toImage().convertToFormat(QImage::Format_RGB32) ==
                    Composite(*page))
            << "the screen shows the surfaces as they are";
        EXPECT_TRUE(MatchesPicture(surface, QStringLiteral("hidpi-%1").arg(p.pszPicture)));
    }
}

} // namespace
