// SPDX-License-Identifier: MIT
// Both satellite pages fed from recorded captures through the real decoder, as the poll loop
// feeds them: 255-byte chunks, GSV notifications delivered after each chunk, the Sig/Nav
// timer every four chunks. Whatever the stream holds, the sky plot's screen stays what a full
// repaint draws and nothing is drawn outside the plot but markers; the Sig/Nav page keeps its
// bars and text inside their areas.
#include "ViewsTestSupport.h"

#include "platform/Messages.h"
#include "platform/SystemMetrics.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"
#include "settings/Units.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

constexpr int kChunk = 255;        // what one poll reads at most
constexpr int kChunksPerTick = 4;  // 1200 ms of 300 ms polls
const CRect kPage{0, 0, 240, 268}; // a page under the tabs of a 240 x 320 screen

class CTickedSigNavWnd : public CSigNavWnd {
public:
    using CSigNavWnd::CSigNavWnd;
    void Tick() { OnTimer(kRefreshTimer); }
};

// Delivers the decoder's GSV notification to the sky page, as the main view does.
struct SkyPageNotify : INmeaNotify {
    CAzElWnd* pPage = nullptr;
    int nGroups = 0;
    void PostToMain(unsigned nMessage) override {
        if (nMessage == WM_GPS_GSV) {
            pPage->PostMessage(WM_GPS_GSV);
            ++nGroups;
        }
    }
    void Broadcast(unsigned) override {}
};

std::string ReadCapture(const char* pszName) {
    std::ifstream file(std::string(RAVUZIZ_DATA_DIR) + "/" + pszName, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

CSize MarkerBlock() {
    CDrawContext dc;
    dc.SelectFont(dc.CreatePointFont(80, QStringLiteral("Arial")));
    return {5 * dc.GetTextMetrics().tmMaxCharWidth, 3 * dc.GetTextMetrics().tmHeight};
}

class CaptureRender : public SettingsFixture, public testing::WithParamInterface<const char*> {};

TEST_P(CaptureRender, BothPagesDrawTheStreamWithinTheirAreas) {
    WriteSettingInt(kSectionAzimuthElevation, kEnableTrails, 1);
    const std::string strCapture = ReadCapture(GetParam());
    ASSERT_FALSE(strCapture.empty());

    SkyPageNotify notify;
    CNmeaParser gps(&notify);
    QWidget parent;
    CAzElWnd sky(gps);
    ASSERT_TRUE(sky.Create(QStringLiteral("SatInfo"), kPage, &parent, 0xFFFF));
    notify.pPage = &sky;
    CTickedSigNavWnd sigNav(gps);
    ASSERT_TRUE(sigNav.Create(QStringLiteral("SigQual"), kPage, &parent, 0xFFFF));
    const QImage emptySky = Render(sky);
    Composite(sigNav);

    int nChunks = 0;
    for (size_t nAt = 0; nAt < strCapture.size(); nAt += kChunk) {
        const size_t nCount = std::min<size_t>(kChunk, strCapture.size() - nAt);
        gps.Feed(strCapture.data() + nAt, static_cast<uint32_t>(nCount));
        DeliverPosted();
        if (++nChunks % kChunksPerTick == 0) {
            sigNav.Tick();
            Composite(sigNav);
        }
        if (nChunks % 25 == 0) {
            const QImage shown = sky.Surface().copy();
            sky.Invalidate(true);
            ASSERT_EQ(shown, Render(sky)) << "after chunk " << nChunks;
        }
    }
    sigNav.Tick();
    EXPECT_GT(notify.nGroups, 0);

    // The sky page: exactly the satellites of the last group, and apart from their markers
    // nothing outside the disc.
    const QImage shown = sky.Surface().copy();
    sky.Invalidate(true);
    EXPECT_EQ(shown, Render(sky));
    const CSkyPlotWnd& plot = sky.SkyPlot();
    const int nInView = std::min<int>(gps.m_nSatsInView, CNmeaParser::kSatellites);
    std::vector<QRect> allowed = {ToQRect(plot.Geometry().RingBox(0))};
    const CSize block = MarkerBlock();
    for (int i = 0; i < kSkySlots; ++i) {
        const SkySatellite& sat = plot.CurrentSlots()[static_cast<size_t>(i)];
        EXPECT_EQ(sat.nPrn, i < nInView ? gps.m_Sats[i].nPrn : 0);
        if (CSkyPlotWnd::IsShown(sat)) {
            const CPoint pt = plot.Geometry().SkyPoint(sat.nAzimuth, sat.nElevation);
            allowed.emplace_back(pt.x - block.cx / 2, pt.y - 13 / 2, block.cx, block.cy);
        }
    }
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) == emptySky.pixel(x, y))
                continue;
            ASSERT_TRUE(std::any_of(allowed.begin(), allowed.end(),
                                    [&](const QRect& r) { return r.contains(x, y); }))
                << x << ", " << y;
        }
    }

    // The Sig/Nav page: the bars of the last group over the top third, the last values in
    // the text area, whose frame no text overruns.
    const QImage page = Composite(sigNav);
    const CSigQualWnd& bars = sigNav.SignalBars();
    EXPECT_EQ(bars.geometry(), ToQRect(CSigNavWnd::BarArea(kPage)));
    EXPECT_EQ(bars.ChannelCount(),
              gps.m_nSatsInView == 0 ? 12 : std::min<int>(gps.m_nSatsInView, 32));
    for (int i = 0; i < bars.ChannelCount(); ++i)
        EXPECT_EQ(bars.Channel(i).nSnr, gps.m_Sats[i].nSnr);
    const CRect text = CSigNavWnd::TextArea(kPage);
    for (int y = text.top; y < text.bottom - 1; ++y)
        ASSERT_EQ(page.pixel(text.right - 1, y), GetSysColor(COLOR_BTNHIGHLIGHT).rgb()) << y;
    CDrawContext dc;
    dc.SelectFont(CFont::FromPointSize(90, QStringLiteral("Arial"), ScreenDpiY()));
    const int th = dc.GetTextMetrics().tmHeight;
    const QPoint latitudeAt(3 + 25 * dc.GetTextMetrics().tmAveCharWidth, text.top + 3 + th);
    EXPECT_TRUE(ShowsAt(page,
                        TextCell(FormatLatitude(gps.m_dLatitude), dc.GetFont(),
                                 GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE)),
                        latitudeAt));
}

INSTANTIATE_TEST_SUITE_P(Captures, CaptureRender,
                         testing::Values("sample.nmea", "demo.nmea", "quirks.nmea"));

} // namespace
