// SPDX-License-Identifier: MIT
// What watching costs: every page, driven by its own tick (the timers of Sig/Nav and the
// panel, the notifications the sky plot and the Stats page act on), draws (and so asks the
// screen for a copy) only when it has something new to show. A tick with the record as it was
// draws nothing, nor does a fix that reads the same as the last one; but the Stats page's
// tick is a GGA notification, a sample that its counts show. Whatever a page drew in part on
// its surface is what a full repaint of the same state gives. Behind another page no page
// draws (Sig/Nav and the panel do not even read; the sky plot's trail and the averages go on
// growing), and each catches up when it comes to the front.
#include "ViewsTestSupport.h"

#include "gauges/GaugePanelWnd.h"
#include "platform/Messages.h"
#include "resources/resource.h"
#include "stats/StatsView.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

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

class QuietTicksTest : public CleanStoreTest {
protected:
    CNmeaParser gps;
    QWidget parent;
};

TEST_F(QuietTicksTest, APageDrawsOnlyWhenItHasSomethingNewToShow) {
    const struct {
        const char* pszPage;
        std::unique_ptr<CSurfaceWnd> (*make)(CNmeaParser&, QWidget&);
        int nMessage; // the tick, or 0 for the page's timers
        bool bEveryTickSamples;
        bool bRestsBehind; // put away behind another page, its ticks draw nothing
    } pages[] = {
        {"Sig/Nav", Make<CSigNavWnd>, 0, false, true},
        {"Azmth/Elvn", Make<CAzElWnd>, WM_GPS_GSV, false, true},
        {"Panel", Make<CGaugePanelWnd>, 0, false, true},
        {"Stats", Make<CStatsView>, WM_GPS_GGA, true, true},
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

        page->hide();
        FeedChunks(gps, strFix);
        const int nDrawsBehind = drawsOfTick();
        if (p.bRestsBehind) {
            EXPECT_EQ(nDrawsBehind, 0) << "behind another page";
        }
        page->show(); // catches up with what came meanwhile
        const QImage shown = Composite(*page);
        EXPECT_TRUE(shown == Repainted(*page)) << "brought to the front";
        EXPECT_FALSE(shown == drawn) << "brought to the front";
        EXPECT_EQ(drawsOfTick() > 0, p.bEveryTickSamples) << "caught up at the front";
    }
}

} // namespace
