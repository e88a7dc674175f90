// SPDX-License-Identifier: MIT
// The window squeezed to 1 x 1 and stretched to 4000 x 3000 while data flows, and each page
// on its own at sizes down to nothing and at odd shapes: every page lays out, ticks and paints
// without a crash or a division by zero (the sanitizer build traps those), and fills exactly
// its own area.
#include "FaultSupport.h"
#include "common/NmeaSupport.h"

#include "gauges/GaugePanelWnd.h"
#include "platform/Messages.h"
#include "shell/MainView.h"
#include "stats/StatsView.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>

namespace {

// Pixels inside the page's frame that are not its background (the colour most of them have):
// what the page drew besides erasing.
int InkPixels(const QImage& image) {
    constexpr int kFrame = 3;
    std::map<QRgb, int> counts;
    for (int y = kFrame; y < image.height() - kFrame; ++y)
        for (int x = kFrame; x < image.width() - kFrame; ++x)
            ++counts[image.pixel(x, y)];
    int nAll = 0, nMost = 0;
    for (const auto& [colour, nCount] : counts) {
        nAll += nCount;
        nMost = std::max(nMost, nCount);
    }
    return nAll - nMost;
}

TEST_F(FaultTest, TheWindowAtOneByOneAndAtFourThousandByThreeThousand) {
    auto pFrame = MakeFrame(QStringLiteral(RAVUZIZ_DATA_DIR "/demo.nmea"));
    CMainFrame& frame = *pFrame;
    Tick(frame, 40);
    for (const QSize size : {QSize(1, 1), QSize(4000, 3000), QSize(480, 600)}) {
        frame.resize(size);
        QCoreApplication::processEvents();
        if (size.width() > 1) {
            ASSERT_EQ(frame.size(), size);
        }
        FireTimers(&frame); // a refresh of every page at this size, with data coming
        const std::array<QImage, 4> pages = RenderPages(frame);
        for (size_t i = 0; i < pages.size(); ++i) {
            frame.View().TabWnd().ShowPage(static_cast<int>(i));
            const auto* pPage = static_cast<CSurfaceWnd*>(frame.View().TabWnd().CurrentPage());
            if (!pPage->size().isEmpty()) {
                EXPECT_EQ(pPage->Surface().size(), pPage->size()) << size.width() << " " << i;
                EXPECT_EQ(pages[i].pixel(pages[i].width() - 1, pages[i].height() - 1),
                          pPage->Surface().pixel(pPage->width() - 1, pPage->height() - 1));
            }
            if (size.width() == 4000) {
                EXPECT_EQ(pPage->width(), frame.View().width());
                EXPECT_GT(InkPixels(pages[i]), 1000) << "page " << i << " drew nothing";
            }
        }
        frame.View().TabWnd().ShowPage(kSigNavPage);
    }
    EXPECT_FALSE(frame.PollLoop().NoData());
}

struct Notify : INmeaNotify {
    CAzElWnd* pSky = nullptr;
    CStatsView* pStats = nullptr;
    void PostToMain(unsigned nMessage) override {
        if (nMessage == WM_GPS_GSV)
            pSky->PostMessage(WM_GPS_GSV);
        else if (nMessage == WM_GPS_GGA)
            pStats->PostMessage(WM_GPS_GGA);
    }
    void Broadcast(unsigned) override {}
};

TEST_F(FaultTest, EachPageDrawsAtSizesDownToNothingAndAtOddShapes) {
    const std::string strStream = SimulatedSeconds(120, 8);
    for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(2, 3), QSize(1, 700), QSize(900, 1),
                             QSize(7, 5000), QSize(4000, 3000)}) {
        Notify notify;
        CNmeaParser gps(&notify);
        CSigNavWnd sigNav(gps);
        CAzElWnd sky(gps);
        CGaugePanelWnd panel(gps);
        CStatsView stats(gps);
        notify.pSky = &sky;
        notify.pStats = &stats;
        const CRect rect{0, 0, size.width(), size.height()};
        sigNav.Create(QStringLiteral("SigQual"), rect, nullptr, 0xFFFF, false);
        sky.Create(QStringLiteral("SatInfo"), rect, nullptr, 0xFFFF, false);
        panel.Create(QStringLiteral("Panel"), rect, nullptr, 0xFFFF, false);
        stats.Create(QStringLiteral("StatViewWnd"), rect, nullptr, 0xFFFF, false);
        CSurfaceWnd* const pages[] = {&sigNav, &sky, &panel, &stats};
        for (size_t nAt = 0, nChunk = 0; nAt < strStream.size(); nAt += 255, ++nChunk) {
            gps.Feed(strStream.data() + nAt,
                     static_cast<uint32_t>(std::min<size_t>(255, strStream.size() - nAt)));
            ProcessPosted();
            if (nChunk % 8 == 0) {
                FireTimers(&sigNav);
                FireTimers(&panel);
                for (CSurfaceWnd* pPage : pages) {
                    pPage->Invalidate(true);
                    pPage->UpdateSurface();
                    for (CSurfaceWnd* pChild : pPage->findChildren<CSurfaceWnd*>())
                        pChild->UpdateSurface();
                }
            }
        }
        for (CSurfaceWnd* pPage : pages)
            EXPECT_EQ(pPage->Surface().size(), size.isEmpty() ? QSize(0, 0) : size)
                << pPage->objectName().toStdString() << " at " << size.width() << " x "
                << size.height();
        if (size.width() >= 900 && size.height() >= 900) {
            for (CSurfaceWnd* pPage : pages)
                EXPECT_GT(InkPixels(pPage->Surface()), 1000) << pPage->objectName().toStdString();
        }
    }
}

} // namespace
