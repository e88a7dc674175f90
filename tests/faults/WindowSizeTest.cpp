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
    Tick(*pFrame, 40);
    for (const QSize size : {QSize(1, 1), QSize(4000, 3000), QSize(480, 600)}) {
        pFrame->resize(size);
        QCoreApplication::processEvents();
        FireTimers(pFrame.get()); // a refresh of every page at this size, with data coming
        for (const QImage& page : RenderPages(*pFrame))
            EXPECT_TRUE(size.width() < 4000 || InkPixels(page) > 1000) << "a page drew nothing";
    }
    EXPECT_FALSE(pFrame->PollLoop().NoData());
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
