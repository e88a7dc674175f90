// SPDX-License-Identifier: MIT
// Both satellite pages reading every system, fed a receiver's fifty satellites of four systems
// and SBAS (MultiSystemStream.h) at the page sizes the main frame gives a 240 x 320 and a
// 480 x 640 window: the sky plot marks every satellite with a position by its RINEX name and
// its incremental updates stay what a full repaint draws; the bars group the satellites by
// system, and whatever labels fit stand under their own bars, clear of each other.
#include "MultiSystemStream.h"

#include "platform/Messages.h"
#include "platform/SystemMetrics.h"
#include "resources/QtResources.h"
#include "resources/resource.h"
#include "shell/MainFrame.h"
#include "shell/MainView.h"
#include "shell/TabWnd.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr int kChunk = 255; // what one poll reads at most
const QColor kFace = GetSysColor(COLOR_BTNFACE);
const QColor kBlack(0, 0, 0);

// The program's window at the size of a handheld's screen and at twice that.
struct WindowSize {
    const char* legend;
    QSize size;
    // Whether, with fifty satellites, every bar whose number has two digits shows it.
    bool bNumbersAtFifty;
};
void PrintTo(const WindowSize& size, std::ostream* pStream) {
    *pStream << size.legend;
}
const WindowSize kWindowSizes[] = {{"240x320", {240, 320}, false}, {"480x640", {480, 640}, true}};

// The page under the menu bar, the tabs and the status bar, as the main frame lays out a
// window of that size.
CRect PageOfWindow(QSize window) {
    // The frame opens the stored port, port 1: no serial port of the machine takes part.
    qputenv("RAVUZIZ_COM1", "/nonexistent/receiver");
    CMainFrame::Options options;
    options.bSkipWarning = true;
    CMainFrame frame(options);
    frame.resize(window);
    DeliverPosted(); // the frame shows itself
    qunsetenv("RAVUZIZ_COM1");
    const QWidget* pPage = frame.View().TabWnd().CurrentPage();
    return {0, 0, pPage->width(), pPage->height()};
}

class CTickedSigNavWnd : public CSigNavWnd {
public:
    using CSigNavWnd::CSigNavWnd;
    void Tick() { OnTimer(kRefreshTimer); }
};

// Delivers the decoder's GSV notifications to the sky page, as the main view does.
struct SkyPageNotify : INmeaNotify {
    CAzElWnd* pPage = nullptr;
    void PostToMain(unsigned nMessage) override {
        if (nMessage == WM_GPS_GSV && pPage)
            pPage->PostMessage(WM_GPS_GSV);
    }
    void Broadcast(unsigned) override {}
};

QString RinexName(GnssSystem system, int nSvid) {
    return QString::asprintf("%c%02d", RinexLetter(system), nSvid);
}

QImage XorOf(const QImage& a, const QImage& b) {
    QImage result(a.size(), QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            result.setPixel(x, y, (a.pixel(x, y) ^ b.pixel(x, y)) | 0xFF000000u);
    return result;
}

bool Inside(const CRect& inner, const CRect& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

class MultiSystemPages : public SettingsFixture, public testing::WithParamInterface<WindowSize> {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        if (!IsSkipped())
            page = PageOfWindow(GetParam().size);
    }
    QWidget parent;
    CRect page;
};

TEST_P(MultiSystemPages, TheSkyPlotMarksEverySatelliteWithAPositionByItsRinexName) {
    SkyPageNotify notify;
    CNmeaParser gps(&notify);
    gps.SetAllSystems(true);
    CAzElWnd sky(gps);
    ASSERT_TRUE(sky.Create(QStringLiteral("SatInfo"), page, &parent, 0xFFFF));
    notify.pPage = &sky;
    Render(sky);
    const auto repainted = [&sky] {
        sky.Invalidate(true);
        return Render(sky);
    };

    // Group by group as the sentences arrive, and the same fix twice more: every update
    // leaves on the screen what a full repaint draws.
    const std::string strStream = MultiSystemStream(MultiSystemSatellites());
    for (int nFix = 0; nFix < 3; ++nFix) {
        for (size_t nAt = 0; nAt < strStream.size(); nAt += kChunk) {
            Feed(gps, strStream.substr(nAt, kChunk));
            DeliverPosted();
            const QImage shown = sky.Surface().copy();
            ASSERT_EQ(shown, repainted()) << "fix " << nFix << ", byte " << nAt;
        }
    }

    // A slot for every satellite whose position is known, and none for another.
    GnssSatelliteView sats[CGnssTable::kCapacity];
    const int n = gps.m_Gnss.List(sats);
    ASSERT_EQ(n, 50);
    std::set<std::pair<GnssSystem, int>> withPosition, marked;
    for (int i = 0; i < n; ++i)
        if (sats[i].bHasPosition)
            withPosition.insert({sats[i].id.system, sats[i].id.nSvid});
    const SkySatelliteList list = sky.SkyPlot().CurrentSlots();
    for (const SkySatellite& sat : list)
        if (CSkyPlotWnd::IsShown(sat))
            marked.insert({sat.system, sat.nPrn});
    EXPECT_EQ(withPosition.size(), 49u);
    EXPECT_EQ(marked, withPosition);

    // On a plot of the same slots, taking one satellite away removes its icon and its name,
    // and nothing but them.
    CSkyPlotWnd plot;
    plot.SetPointSize(sky.SkyPlot().PointSize());
    plot.SetIcons(IDB_SAT_USED, IDB_SAT_NOT_USED);
    plot.SetMarkerFormat(sky.SkyPlot().MarkerFormat());
    CBitmap screen;
    screen.CreateCompatibleBitmap(page.Width(), page.Height());
    CDrawContext dc(screen);
    plot.Layout(dc, page);
    plot.Paint(dc);
    plot.UpdateSatellites(dc, list);
    const QImage full = screen.Image().copy();
    ASSERT_EQ(full, sky.Surface());

    CDrawContext measure;
    const CFont font = measure.CreatePointFont(plot.PointSize(), QStringLiteral("Arial"));
    measure.SelectFont(font);
    const CSize block{5 * measure.GetTextMetrics().tmMaxCharWidth,
                      3 * measure.GetTextMetrics().tmHeight};
    constexpr int kIconWidth = 15, kIconHeight = 13;
    for (size_t k = 0; k < list.size(); ++k) {
        const SkySatellite& sat = list[k];
        if (!CSkyPlotWnd::IsShown(sat))
            continue;
        const QString strName = RinexName(sat.system, sat.nPrn);
        SCOPED_TRACE(strName.toStdString());
        SkySatelliteList without = list;
        without[k] = SkySatellite{};
        plot.UpdateSatellites(dc, without);
        const QImage marker = XorOf(full, screen.Image());

        const CPoint pt = plot.Geometry().SkyPoint(sat.nAzimuth, sat.nElevation);
        const QRect blockRect(pt.x - block.cx / 2, pt.y - kIconHeight / 2, block.cx, block.cy);
        EXPECT_TRUE(blockRect.contains(DifferenceBounds(full, screen.Image())));
        const QImage icon = LoadBitmapResource(sat.bUsed ? IDB_SAT_USED : IDB_SAT_NOT_USED);
        EXPECT_EQ(marker.copy(QRect(pt.x - kIconWidth / 2, pt.y - kIconHeight / 2, kIconWidth,
                                    kIconHeight)),
                  icon);
        const QImage name = TextCell(
            strName, font,
            sat.bUsed ? CSkyPlotWnd::kUsedTextColour : CSkyPlotWnd::kNotUsedTextColour, kBlack);
        const QPoint nameAt(blockRect.left() + (block.cx - name.width()) / 2,
                            blockRect.top() + kIconHeight);
        // A name that hangs below the window is cut off by it, as any marker's is.
        if (QRect(nameAt, name.size()).bottom() < page.bottom) {
            EXPECT_TRUE(ShowsAt(marker, name, nameAt));
        }

        plot.UpdateSatellites(dc, list);
        ASSERT_EQ(screen.Image(), full);
    }
}

// The bar graph's layout and picture: the channels are the table's satellites in its order,
// each run of one system in its own frame, and every label drawn whole inside the window,
// under its own bar or group only, clear of every other label; no other ink under the frames.
void ExpectBarsAndLabelsInPlace(const CSigQualWnd& bars, const QImage& image,
                                const CNmeaParser& gps) {
    GnssSatelliteView sats[CGnssTable::kCapacity];
    const int n = gps.m_Gnss.List(sats);
    ASSERT_TRUE(bars.BySystem());
    ASSERT_EQ(bars.ChannelCount(), n);
    for (int i = 0; i < n; ++i) {
        const SignalChannel& channel = bars.Channel(i);
        EXPECT_EQ(channel.system, sats[i].id.system) << i;
        EXPECT_EQ(channel.nPrn, sats[i].id.nSvid) << i;
        EXPECT_EQ(channel.nSnr, sats[i].nSnr) << i;
        EXPECT_EQ(channel.bUsed, sats[i].bUsed ? 1 : 0) << i;
    }

    const SystemBarLayout& layout = bars.SystemLayout();
    const CRect window{0, 0, image.width(), image.height()};
    std::set<GnssSystem> systems;
    for (int i = 0; i < n; ++i)
        systems.insert(sats[i].id.system);
    ASSERT_EQ(layout.groupFrames.size(), systems.size());
    ASSERT_EQ(layout.bars.size(), static_cast<size_t>(n));
    size_t nGroup = 0;
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        if (i > 0 && sats[i].id.system != sats[i - 1].id.system)
            ++nGroup;
        const CRect& bar = layout.bars[static_cast<size_t>(i)];
        EXPECT_FALSE(bar.IsEmpty());
        EXPECT_TRUE(Inside(bar, layout.groupFrames[nGroup]));
        if (i > 0) {
            EXPECT_LT(layout.bars[static_cast<size_t>(i - 1)].right, bar.left);
        }
    }
    for (size_t g = 0; g < layout.groupFrames.size(); ++g) {
        EXPECT_TRUE(Inside(layout.groupFrames[g], window));
        if (g > 0) {
            EXPECT_LT(layout.groupFrames[g - 1].right, layout.groupFrames[g].left);
        }
    }

    // Each label's text box as it is drawn: centred in its cell, top-aligned.
    CDrawContext measure;
    const CFont font = measure.CreatePointFont(layout.nPointSize, QStringLiteral("Arial"));
    measure.SelectFont(font);
    std::vector<CRect> boxes;
    for (const SystemBarLayout::Label& label : layout.labels) {
        SCOPED_TRACE(label.strText.toStdString());
        const CSize extent = measure.GetTextExtent(label.strText);
        const CRect& cell = label.cell;
        const int x = cell.left + (cell.Width() - extent.cx) / 2;
        const CRect box{x, cell.top, x + extent.cx, cell.top + extent.cy};
        EXPECT_TRUE(Inside(box, window));
        EXPECT_TRUE(Inside(box, cell));
        EXPECT_GE(box.top, layout.groupFrames[0].bottom);
        if (label.nChannel >= 0) {
            // A bar's name or number, under that bar: it spans that bar's middle and no
            // other's.
            const SignalChannel& channel = bars.Channel(label.nChannel);
            EXPECT_TRUE(label.strText == RinexName(channel.system, channel.nPrn) ||
                        label.strText == QString::asprintf("%02d", channel.nPrn));
            for (int i = 0; i < n; ++i) {
                const int nMiddle = (layout.bars[static_cast<size_t>(i)].left +
                                     layout.bars[static_cast<size_t>(i)].right) /
                                    2;
                EXPECT_EQ(nMiddle >= box.left && nMiddle < box.right, i == label.nChannel) << i;
            }
        } else {
            // A group's name, under that group and clear of the groups beside it.
            const std::vector<CRect>& frames = layout.groupFrames;
            const auto under = [&](size_t g) {
                const int nMiddle = (frames[g].left + frames[g].right) / 2;
                return nMiddle >= box.left && nMiddle < box.right &&
                       (g == 0 || box.left >= frames[g - 1].right) &&
                       (g + 1 == frames.size() || box.right <= frames[g + 1].left);
            };
            size_t nUnder = 0;
            for (size_t g = 0; g < frames.size(); ++g)
                nUnder += under(g) ? 1 : 0;
            EXPECT_EQ(nUnder, 1u);
        }
        for (const CRect& other : boxes)
            EXPECT_TRUE(other.right <= box.left || box.right <= other.left ||
                        other.bottom <= box.top || box.bottom <= other.top);
        boxes.push_back(box);
        EXPECT_TRUE(ShowsAt(image,
                            TextCell(label.strText, font, GetSysColor(COLOR_WINDOWTEXT), kFace),
                            QPoint(box.left, box.top)));
    }
    for (int y = layout.groupFrames[0].bottom; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kFace.rgb()) {
                ASSERT_TRUE(std::any_of(boxes.begin(), boxes.end(),
                                        [&](const CRect& box) {
                                            return box.Contains({x, y});
                                        }))
                    << x << ", " << y;
            }
}

TEST_P(MultiSystemPages, TheBarsGroupTheSatellitesBySystemAndKeepEveryLabelInItsSlot) {
    const QRect barArea = ToQRect(CSigNavWnd::BarArea(page));
    const std::vector<StreamSatellite> all = MultiSystemSatellites();
    CNmeaParser gps;
    gps.SetAllSystems(true);
    CTickedSigNavWnd sigNav(gps);
    ASSERT_TRUE(sigNav.Create(QStringLiteral("SigQual"), page, &parent, 0xFFFF));
    QImage image;
    // More and more satellites rise, until fifty are in view; the few have wide slots that
    // hold more of the labels. Between the first two, two GPS satellites set as two SBAS
    // satellites rise: as many bars, in other groups. Each time the bars that were there are
    // redrawn over: what shows is what a fresh page draws.
    const auto first = [&all](size_t n) {
        return std::vector<StreamSatellite>(all.begin(), all.begin() + static_cast<ptrdiff_t>(n));
    };
    std::vector<StreamSatellite> withSbas = first(6);
    withSbas.insert(withSbas.end(), all.begin() + 12, all.begin() + 14);
    for (const std::vector<StreamSatellite>& sats :
         {first(8), withSbas, first(14), first(20), all}) {
        SCOPED_TRACE(sats.size());
        Feed(gps, MultiSystemStream(sats));
        sigNav.Tick();
        image = Composite(sigNav);
        ExpectBarsAndLabelsInPlace(sigNav.SignalBars(), image.copy(barArea), gps);
        CTickedSigNavWnd fresh(gps);
        ASSERT_TRUE(fresh.Create(QStringLiteral("SigQual"), page, &parent, 0xFFFF));
        fresh.Tick();
        EXPECT_EQ(image.copy(barArea), Composite(fresh).copy(barArea));
    }

    // Fifty satellites: the wider window still numbers every bar but the SBAS satellites'
    // three-digit PRNs; the narrow one names the systems only.
    std::set<int> numbered, twoDigits;
    for (const SystemBarLayout::Label& label : sigNav.SignalBars().SystemLayout().labels)
        if (label.nChannel >= 0)
            numbered.insert(label.nChannel);
    if (GetParam().bNumbersAtFifty)
        for (int i = 0; i < sigNav.SignalBars().ChannelCount(); ++i)
            if (sigNav.SignalBars().Channel(i).nPrn < 100)
                twoDigits.insert(i);
    EXPECT_EQ(numbered, twoDigits);

    // The counts under the bars: every system's satellites in view, the fix's in use.
    CDrawContext dc;
    dc.SelectFont(CFont::FromPointSize(90, QStringLiteral("Arial"), ScreenDpiY()));
    const TextMetrics metrics = dc.GetTextMetrics();
    const CRect text = CSigNavWnd::TextArea(page);
    const auto shows = [&](const char* pszValue, int nLine) {
        const QPoint at(text.left + 3 + 25 * metrics.tmAveCharWidth,
                        text.top + 3 + nLine * metrics.tmHeight);
        return ShowsAt(image,
                       TextCell(QString::fromLatin1(pszValue), dc.GetFont(),
                                GetSysColor(COLOR_BTNTEXT), kFace),
                       at);
    };
    EXPECT_TRUE(shows("30    ", 4));
    EXPECT_TRUE(shows("50    ", 5));
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, MultiSystemPages, testing::ValuesIn(kWindowSizes),
                         [](const testing::TestParamInfo<WindowSize>& info) {
                             return std::string("Window") + info.param.legend;
                         });

} // namespace
