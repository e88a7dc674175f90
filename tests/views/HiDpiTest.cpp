// SPDX-License-Identifier: MIT
// At 200 % display scaling every page draws on a surface of the screen's device pixels, two to
// a logical pixel's side: what reaches the screen is that surface pixel for pixel; a pixel
// fully inked when the page is drawn one device pixel to one stays inked at two (no letter
// loses a stroke); and what pages draw in part (XORed
// markers, changed texts, kept gauge faces) is still exactly what a full repaint draws
// (QuietTicksTest.cpp is built into this program too).
#include "ViewsTestSupport.h"

#include "gauges/GaugePanelWnd.h"
#include "nmea/NmeaMessages.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"
#include "stats/StatsView.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"
#include "views/SkyPlotWnd.h"

#include <QPixmap>

#include <functional>
#include <memory>

namespace {

constexpr qreal kRatio = 2.0;

// The page painted, erase first, on a bitmap of the given resolution filled as its surface
// was made (where a window child covers the page, the page leaves it so).
class CPaintable : public CSurfaceWnd {
public:
    static QImage PaintedAt(CSurfaceWnd& page, qreal dRatio) {
        CBitmap bitmap;
        EXPECT_TRUE(bitmap.CreateBitmap(page.width(), page.height(), dRatio));
        bitmap.Image().fill(page.Surface().pixel(0, 0));
        CDrawContext dc(bitmap);
        // The handlers are protected: reached through pointers to members named here.
        (page.*(&CPaintable::OnEraseBkgnd))(dc);
        (page.*(&CPaintable::OnPaint))(dc);
        return bitmap.Image();
    }
};

// The pixels of colour ink in low (one device pixel to one) that have no pixel of that colour
// near them in high (kRatio to one): in their own block of device pixels, or a device pixel
// beside it, as hinting for the larger size may move a stroke's edge by one.
int InkLost(const QImage& low, const QImage& high, const QColor& ink, int* pInked) {
    const auto nRatio = static_cast<int>(kRatio);
    int nLost = 0;
    *pInked = 0;
    for (int y = 0; y < low.height(); ++y)
        for (int x = 0; x < low.width(); ++x) {
            if (low.pixel(x, y) != ink.rgb())
                continue;
            ++*pInked;
            bool bKept = false;
            for (int dy = -1; dy <= nRatio && !bKept; ++dy)
                for (int dx = -1; dx <= nRatio && !bKept; ++dx)
                    bKept = high.valid(nRatio * x + dx, nRatio * y + dy) &&
                            high.pixel(nRatio * x + dx, nRatio * y + dy) == ink.rgb();
            nLost += bKept ? 0 : 1;
        }
    return nLost;
}

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

TEST_F(HiDpi, EveryPageDrawsAtTheScreensResolutionAndKeepsEveryStroke) {
    ASSERT_EQ(ScreenPixelRatio(), kRatio);
    const struct {
        const char* pszPage;
        std::unique_ptr<CSurfaceWnd> (*make)(CNmeaParser&, QWidget&);
        QColor ink; // the colour of the page's text
    } pages[] = {
        {"Sig/Nav", Make<CSigNavWnd>, GetSysColor(COLOR_BTNTEXT)},
        {"Azmth/Elvn", Make<CAzElWnd>, CSkyPlotWnd::kLabelColour},
        {"Panel", Make<CGaugePanelWnd>, GetSysColor(COLOR_WINDOWTEXT)},
        {"Stats", Make<CStatsView>, GetSysColor(COLOR_BTNTEXT)},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.pszPage);
        const std::unique_ptr<CSurfaceWnd> page = p.make(gps, parent);
        // Ticked as its timers and notifications tick it.
        FireTimers(page.get());
        Notify(*page, WM_GPS_GGA);
        Notify(*page, WM_GPS_GSV);
        const QImage surface = Render(*page);
        EXPECT_EQ(surface.size(), QSize(640, 800));
        EXPECT_EQ(surface.devicePixelRatio(), kRatio);
        EXPECT_TRUE(page->grab().toImage().convertToFormat(QImage::Format_RGB32) ==
                    Composite(*page))
            << "the screen shows the surfaces as they are";
        const QImage at1 = CPaintable::PaintedAt(*page, 1.0);
        EXPECT_EQ(at1.size(), QSize(320, 400));
        EXPECT_TRUE(CPaintable::PaintedAt(*page, kRatio) == surface);
        // A lost stroke is a run of pixels; the end of a slanted line, stepped more finely,
        // may end a device pixel further off.
        int nInked = 0;
        const int nLost = InkLost(at1, surface, p.ink, &nInked);
        EXPECT_LE(nLost, nInked / 500);
        EXPECT_GT(nInked, 200) << "the page's text";
    }
}

} // namespace
