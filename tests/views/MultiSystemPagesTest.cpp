// SPDX-License-Identifier: MIT
// Both satellite pages reading every system, fed a receiver of four systems and SBAS (fixes of
// up to fifty satellites) at the page sizes the main frame gives a 240 x 320 and a 480 x 640
// window: the sky plot marks every satellite with a position (and no other) by its RINEX name
// and its incremental updates stay what a full repaint draws; the bars group the satellites by
// system with whatever labels fit, as the kept pictures show, and redrawn over the bars
// before them they show what a fresh page draws.
#include "ViewsTestSupport.h"

#include "platform/Messages.h"
#include "shell/MainFrame.h"
#include "shell/MainView.h"
#include "shell/TabWnd.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

namespace {

constexpr int kChunk = 255; // what one poll reads at most

// The page under the menu bar, the tabs and the status bar, as the main frame lays out a
// window of that size.
CRect PageOfWindow(QSize window) {
    // The frame opens the stored port, port 1: no serial port of the machine takes part.
    qputenv("RAVUZIZ_COM1", "/nonexistent/receiver");
    CMainFrame::Options options;
    options.bSkipWarning = true;
    CMainFrame frame(options);
    frame.resize(window);
    ProcessPosted(); // the frame shows itself
    qunsetenv("RAVUZIZ_COM1");
    const QWidget* pPage = frame.View().TabWnd().CurrentPage();
    return {0, 0, pPage->width(), pPage->height()};
}

class MultiSystemPages : public CleanStoreTest, public testing::WithParamInterface<QSize> {
protected:
    void SetUp() override {
        CleanStoreTest::SetUp();
        if (IsSkipped())
            return;
        page = PageOfWindow(GetParam());
        gps.SetAllSystems(true);
    }
    QString Name() const {
        return QStringLiteral("systems-%1x%2").arg(GetParam().width()).arg(GetParam().height());
    }
    CNmeaParser gps;
    QWidget parent;
    CRect page;
};

TEST_P(MultiSystemPages, TheSkyPlotMarksEverySatelliteWithAPositionByItsRinexName) {
    CAzElWnd sky(gps);
    ASSERT_TRUE(sky.Create(QStringLiteral("SatInfo"), page, &parent, 0xFFFF));
    Render(sky);
    // Group by group as the sentences arrive: every update leaves on the screen what a full
    // repaint draws.
    for (const std::string& strFix : MultiSystemFixes()) {
        for (size_t nAt = 0; nAt < strFix.size(); nAt += kChunk) {
            FeedChunks(gps, strFix.substr(nAt, kChunk));
            Notify(sky, WM_GPS_GSV);
            const QImage shown = sky.Surface().copy();
            ASSERT_EQ(shown, Repainted(sky)) << nAt;
        }
    }
    EXPECT_TRUE(MatchesPicture(sky.Surface(), Name() + "-sky"));
}

// More and more satellites rise, until fifty are in view; the few have wide slots that hold
// more of the labels. Between the first two fixes, two GPS satellites set as two SBAS
// satellites rise: as many bars, in other groups.
TEST_P(MultiSystemPages, TheBarsGroupTheSatellitesBySystemWithTheLabelsThatFit) {
    CSigNavWnd sigNav(gps);
    ASSERT_TRUE(sigNav.Create(QStringLiteral("SigQual"), page, &parent, 0xFFFF));
    const std::vector<std::string> fixes = MultiSystemFixes();
    for (size_t k = 0; k + 1 < fixes.size(); ++k) {
        SCOPED_TRACE(k);
        FeedChunks(gps, fixes[k]);
        FireTimers(&sigNav);
        const QImage image = Composite(sigNav);
        EXPECT_TRUE(MatchesPicture(image, Name() + QStringLiteral("-bars-%1").arg(k + 1)));
        CSigNavWnd fresh(gps);
        ASSERT_TRUE(fresh.Create(QStringLiteral("SigQual"), page, &parent, 0xFFFF));
        Composite(fresh);
        FireTimers(&fresh);
        EXPECT_EQ(image, Composite(fresh));
    }
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, MultiSystemPages,
                         testing::Values(QSize(240, 320), QSize(480, 640)),
                         [](const testing::TestParamInfo<QSize>& info) {
                             return QStringLiteral("Window%1x%2")
                                 .arg(info.param.width())
                                 .arg(info.param.height())
                                 .toStdString();
                         });

} // namespace
