// SPDX-License-Identifier: MIT
// The window squeezed to 1 x 1 and stretched to 4000 x 3000 while data flows, and each page
// on its own at sizes down to nothing and at odd shapes, fed random bytes with scraps of
// sentences in them before a drive: every page lays out, ticks and paints without a crash or
// a division by zero (the sanitizer build traps those) and fills exactly its own area.
#include "FaultSupport.h"

#include "platform/Messages.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>
#include <random>

namespace {

// Random bytes, one in ten of them a scrap that makes the reader frame and decode nonsense:
// sentence starts, commas, digits, checksum marks, line ends, huge numbers.
std::string Garbage(size_t nBytes) {
    // clang-format off
    static const char* const kScraps[] = {
        "$GPGSV,9,1,99,", "$GPGGA,", "$GPRMC,", "$GPGSA,A,3,", "$GPRMB,A,", "$GPZDA,", ",", ",,,,",
        "*", "\r\n", "99999999999999999999", "-0.000001", "65535", "1e308", "$", "\xff\xfe",
        "*7F\r\n"};
    // clang-format on
    std::mt19937 random(1);
    std::string s;
    while (s.size() < nBytes)
        s += random() % 10 == 0 ? std::string(kScraps[random() % std::size(kScraps)])
                                : std::string(1, static_cast<char>(random()));
    return s;
}

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

// The frame's pages, each given the size by itself, drawn as the data of a replay comes in.
TEST_F(FaultTest, EachPageDrawsGarbageAndADriveAtSizesDownToNothingAndAtOddShapes) {
    const std::string strStream = Garbage(100000) + SimulatedSeconds(120, 8);
    WriteWholeFile(TempPath("drive.nmea"), strStream);
    for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(2, 3), QSize(1, 700), QSize(900, 1),
                             QSize(7, 5000), QSize(4000, 3000)}) {
        auto pFrame = MakeFrame(TempPath("drive.nmea"));
        CMainView& view = pFrame->View();
        CSurfaceWnd* const pages[] = {&view.SignalPage(), &view.SatellitePage(), &view.PanelPage(),
                                      &view.StatsPage()};
        for (CSurfaceWnd* pPage : pages)
            pPage->MoveWindow(CRect{0, 0, size.width(), size.height()});
        for (size_t nTick = 0; nTick * 255 < strStream.size(); nTick += 8) {
            Tick(*pFrame, 8);
            FireTimers(&view.SignalPage());
            FireTimers(&view.PanelPage());
            for (CSurfaceWnd* pPage : pages) {
                pPage->Invalidate(true);
                pPage->UpdateSurface();
                for (CSurfaceWnd* pChild : pPage->findChildren<CSurfaceWnd*>())
                    pChild->UpdateSurface();
            }
        }
        for (CSurfaceWnd* pPage : pages) {
            SCOPED_TRACE(pPage->objectName().toStdString());
            EXPECT_EQ(pPage->Surface().size(), size.isEmpty() ? QSize(0, 0) : size)
                << size.width() << " x " << size.height();
            if (size.width() >= 900 && size.height() >= 900) {
                EXPECT_GT(InkPixels(pPage->Surface()), 1000);
            }
        }
    }
}

} // namespace
