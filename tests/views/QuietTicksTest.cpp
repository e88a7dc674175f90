// SPDX-License-Identifier: MIT
// What watching costs: every page, driven by its own tick, draws (and so asks the screen for
// a copy) only when it has something new to show: not for the record as it was, nor for a fix
// that reads the same; but the Stats page's tick is a GGA, a sample its counts show. What a
// page drew in part is what a full repaint gives. Behind another page no page draws or keeps
// a timer (but a cycling panel), and each catches up when it comes to the front.
#include "ViewsTestSupport.h"

#include "gauges/GaugePanelWnd.h"
#include "platform/Messages.h"
#include "resources/resource.h"
#include "stats/StatsView.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

#include <QAbstractEventDispatcher>

#include <functional>
#include <memory>

namespace {

// Runs every outstanding repaint of the page and its children; returns their draws so far.
int Draws(CSurfaceWnd& page) {
    Composite(page);
    int nDraws = page.DrawCount();
    for (QObject* pChild : page.children())
        if (auto* pSurface = dynamic_cast<CSurfaceWnd*>(pChild))
            nDraws += pSurface->DrawCount();
    return nDraws;
}

// The timers a page has running, each of which wakes the program.
qsizetype Timers(QObject& page) {
    return QAbstractEventDispatcher::instance()->registeredTimers(&page).size();
}

class QuietTicksTest : public CleanStoreTest {};

TEST_F(QuietTicksTest, APageDrawsOnlyWhenItHasSomethingNewToShow) {
    CNmeaParser gps;
    QWidget parent;
    const struct {
        const char* pszPage;
        std::unique_ptr<CSurfaceWnd> (*make)(CNmeaParser&, QWidget&);
        int nMessage; // the tick, or 0 for the page's timers
        bool bEveryTickSamples;
    } pages[] = {
        {"Sig/Nav", Make<CSigNavWnd>, 0, false},
        {"Azmth/Elvn", Make<CAzElWnd>, WM_GPS_GSV, false},
        {"Panel", Make<CGaugePanelWnd>, 0, false},
        {"Stats", Make<CStatsView>, WM_GPS_GGA, true},
    };
    parent.show();
    const std::vector<std::string> fixes = MultiSystemFixes();
    const std::string& strFix = fixes[4];
    for (const auto& p : pages) {
        SCOPED_TRACE(p.pszPage);
        gps.Reset();
        gps.SetAllSystems(true);
        const std::unique_ptr<CSurfaceWnd> page = p.make(gps, parent);
        const auto drawsOfTick = [&] {
            const int nBefore = Draws(*page);
            if (p.nMessage)
                Notify(*page, p.nMessage);
            else
                FireTimers(page.get());
            return Draws(*page) - nBefore;
        };

        FeedChunks(gps, strFix);
        EXPECT_GT(drawsOfTick(), 0);
        EXPECT_EQ(drawsOfTick() > 0, p.bEveryTickSamples) << "the record as it was";
        FeedChunks(gps, strFix);
        EXPECT_EQ(drawsOfTick() > 0, p.bEveryTickSamples) << "the same fix again";

        FeedChunks(gps, fixes[5]);
        EXPECT_GT(drawsOfTick(), 0);
        EXPECT_EQ(drawsOfTick() > 0, p.bEveryTickSamples) << "the record as it was";
        const QImage drawn = Composite(*page);
        EXPECT_TRUE(drawn == Repainted(*page)) << "partial drawing against a full repaint";

        const qsizetype nTimers = Timers(*page);
        page->hide();
        FeedChunks(gps, strFix);
        EXPECT_EQ(drawsOfTick(), 0) << "behind another page";
        EXPECT_EQ(Timers(*page), 0) << "nothing to wake the program for behind another page";
        page->show(); // catches up with what came meanwhile
        EXPECT_EQ(Timers(*page), nTimers) << "brought to the front";
        const QImage shown = Composite(*page);
        EXPECT_TRUE(shown == Repainted(*page)) << "brought to the front";
        EXPECT_FALSE(shown == drawn) << "brought to the front";
        EXPECT_EQ(drawsOfTick() > 0, p.bEveryTickSamples) << "caught up at the front";
    }

    // A cycling panel keeps its turn behind another page, and so its timer.
    CGaugePanelWnd panel(gps);
    ASSERT_TRUE(panel.Create(QStringLiteral("Panel"), {0, 0, 320, 400}, &parent, 0xFFFF));
    ASSERT_TRUE(panel.OnCommand(ID_CYCLE_GAUGES));
    panel.hide();
    for (int nTick = 0; nTick < 4; ++nTick)
        FireTimers(&panel);
    EXPECT_EQ(panel.Cycle().nIndex, 1);
    EXPECT_EQ(Timers(panel), 1);
}

} // namespace
