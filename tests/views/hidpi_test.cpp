// SPDX-License-Identifier: MIT
// At 200 % display scaling every page draws on a surface of the screen's device pixels, two to
// a logical pixel's side: what reaches the screen is that surface pixel for pixel; a pixel
// fully inked when the page is drawn one device pixel to one stays inked at two (no letter
// loses a stroke); bitmaps are scaled without blur; and what pages draw in part (XORed
// markers, changed texts, kept gauge faces) is still exactly what a full repaint draws
// (quiet_ticks_test.cpp is built into this program too).
#include "MultiSystemStream.h"

#include "gauges/GaugePanelWnd.h"
#include "nmea/NmeaMessages.h"
#include "platform/SystemMetrics.h"
#include "resources/resource.h"
#include "shell/StatusLight.h"
#include "stats/StatsView.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"
#include "views/SkyPlotWnd.h"

#include <QPixmap>

#include <functional>
#include <memory>
#include <set>

namespace {

constexpr qreal kRatio = 2.0;

// A page with its handlers at hand: ticked as its timer and notifications tick it, and
// painted, erase first, on a bitmap of any resolution besides its own surface.
template <typename Page> class CPaintable : public Page {
public:
    using Page::Page;
    void Tick() {
        this->OnTimer(1);
        this->OnMessage(static_cast<int>(WM_GPS_GGA));
        this->OnMessage(static_cast<int>(WM_GPS_GSV));
    }
    // On a bitmap filled as the surface was made (where a window child covers the page, the
    // page leaves it so).
    QImage PaintedAt(qreal dRatio) {
        CBitmap bitmap;
        EXPECT_TRUE(bitmap.CreateBitmap(this->width(), this->height(), dRatio));
        bitmap.Image().fill(this->Surface().pixel(0, 0));
        CDrawContext dc(bitmap);
        this->OnEraseBkgnd(dc);
        this->OnPaint(dc);
        return bitmap.Image();
    }
};

struct PageDrawings {
    QImage surface;   // as the page drew it for the screen
    QImage composite; // with its window children's surfaces on it
    QImage grabbed;   // what the screen got
    QImage at1;       // the page painted one device pixel to one
    QImage atScreen;  // and at the screen's resolution
};

template <typename Page> PageDrawings Draw(CNmeaParser& gps, QWidget& parent) {
    CPaintable<Page> page(gps);
    EXPECT_TRUE(page.Create(QStringLiteral("Page"), {0, 0, 320, 400}, &parent, ID_PAGE_WND));
    page.Tick();
    PageDrawings drawings;
    drawings.surface = Render(page);
    drawings.composite = Composite(page);
    drawings.grabbed = page.grab().toImage().convertToFormat(QImage::Format_RGB32);
    drawings.at1 = page.PaintedAt(1.0);
    drawings.atScreen = page.PaintedAt(kRatio);
    return drawings;
}

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

class HiDpi : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        gps.SetAllSystems(true);
        Feed(gps, MultiSystemStream(MultiSystemSatellites()) +
                      Sentence("GNRMC,123519.00,A,4807.038,N,01131.000,E,22.4,84.4,230394,,,A"));
    }
    CNmeaParser gps;
    QWidget parent;
};

TEST_F(HiDpi, EveryPageDrawsAtTheScreensResolutionAndKeepsEveryStroke) {
    ASSERT_EQ(ScreenPixelRatio(), kRatio);
    const struct {
        const char* pszPage;
        PageDrawings (*draw)(CNmeaParser&, QWidget&);
        QColor ink; // the colour of the page's text
    } pages[] = {
        {"Sig/Nav", Draw<CSigNavWnd>, GetSysColor(COLOR_BTNTEXT)},
        {"Azmth/Elvn", Draw<CAzElWnd>, CSkyPlotWnd::kLabelColour},
        {"Panel", Draw<CGaugePanelWnd>, GetSysColor(COLOR_WINDOWTEXT)},
        {"Stats", Draw<CStatsView>, GetSysColor(COLOR_BTNTEXT)},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.pszPage);
        const PageDrawings drawn = p.draw(gps, parent);
        EXPECT_EQ(drawn.surface.size(), QSize(640, 800));
        EXPECT_EQ(drawn.surface.devicePixelRatio(), kRatio);
        EXPECT_EQ(drawn.at1.size(), QSize(320, 400));
        EXPECT_TRUE(drawn.grabbed == drawn.composite)
            << "the screen shows the surfaces as they are";
        EXPECT_TRUE(drawn.atScreen == drawn.surface);
        // A lost stroke is a run of pixels; the end of a slanted line, stepped more finely,
        // may end a device pixel further off.
        int nInked = 0;
        const int nLost = InkLost(drawn.at1, drawn.surface, p.ink, &nInked);
        EXPECT_LE(nLost, nInked / 500);
        EXPECT_GT(nInked, 200) << "the page's text";
    }
}

// The activity light comes from a strip of small bitmaps: at two device pixels to one each of
// its pixels becomes a block of four of the same colour, one of the strip's or the pane's.
TEST_F(HiDpi, TheActivityLightIsScaledWithoutBlur) {
    CStatusLight light;
    ASSERT_TRUE(light.Create(QStringLiteral("StatusLight"), {0, 0, 20, 18}, &parent, 0));
    Render(light);
    CBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDB_LEDS));
    std::set<QRgb> colours{GetSysColor(COLOR_BTNFACE).rgb()};
    for (int y = 0; y < strip.Image().height(); ++y)
        for (int x = 0; x < strip.Image().width(); ++x)
            colours.insert(strip.Image().pixel(x, y));

    const QImage empty = Render(light).copy();
    light.Draw(CStatusLight::Colour::Green, true);
    const QImage lit = light.Surface().copy();
    light.Draw(CStatusLight::Colour::Green, false);
    const QImage unlit = light.Surface().copy();
    light.Draw(CStatusLight::Colour::Green, true);
    EXPECT_TRUE(light.Surface() == lit) << "lit again, exactly as before";

    for (const QImage& image : {lit, unlit}) {
        EXPECT_FALSE(image == empty) << "the light was drawn";
        int nBlurred = 0;
        int nForeign = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) {
                const QRgb rgb = image.pixel(x, y);
                nBlurred += rgb != image.pixel(x + 1, y) || rgb != image.pixel(x, y + 1) ||
                                    rgb != image.pixel(x + 1, y + 1)
                                ? 1
                                : 0;
                nForeign += colours.count(rgb) ? 0 : 1;
            }
        EXPECT_EQ(nBlurred, 0);
        EXPECT_EQ(nForeign, 0);
    }
}

} // namespace
