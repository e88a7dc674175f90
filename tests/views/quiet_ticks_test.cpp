// SPDX-License-Identifier: MIT
// What watching costs: every page, driven by its own tick handler, draws (and so asks the
// screen for a copy) only when it has something new to show. A tick with the record as it was
// draws nothing, nor does a fix that reads the same as the last one; but the Stats page's
// tick is a GGA notification, a sample that its counts show. Whatever a page drew in part on
// its surface is what a full repaint of the same state gives. Behind another page, Sig/Nav and
// the panel read and draw nothing, and catch up when they come to the front.
#include "MultiSystemStream.h"

#include "gauges/GaugePanelWnd.h"
#include "platform/Messages.h"
#include "resources/resource.h"
#include "stats/StatsView.h"
#include "views/AzElWnd.h"
#include "views/SigNavWnd.h"

#include <functional>
#include <memory>

namespace {

// The pages with their tick handlers at hand: the timers of Sig/Nav and the panel, the
// notifications the sky plot and the Stats page act on.
class CTickedSigNav : public CSigNavWnd {
public:
    using CSigNavWnd::CSigNavWnd;
    void Tick() { OnTimer(kRefreshTimer); }
};

class CTickedAzEl : public CAzElWnd {
public:
    using CAzElWnd::CAzElWnd;
    void Tick() { OnMessage(WM_GPS_GSV); }
};

class CTickedPanel : public CGaugePanelWnd {
public:
    using CGaugePanelWnd::CGaugePanelWnd;
    void Tick() { OnTimer(kFeedTimer); }
};

class CTickedStats : public CStatsView {
public:
    using CStatsView::CStatsView;
    void Tick() { OnMessage(WM_GPS_GGA); }
};

struct Page {
    std::unique_ptr<CSurfaceWnd> pWnd;
    std::function<void()> tick;
};

template <typename Ticked> Page Make(CNmeaParser& gps, QWidget& parent) {
    auto pPage = std::make_unique<Ticked>(gps);
    Ticked* p = pPage.get();
    EXPECT_TRUE(p->Create(QStringLiteral("Page"), {0, 0, 320, 400}, &parent, ID_PAGE_WND));
    return {std::move(pPage), [p] { p->Tick(); }};
}

// The page and its window children, whose draws count as the page's.
std::vector<CSurfaceWnd*> Surfaces(CSurfaceWnd& page) {
    std::vector<CSurfaceWnd*> surfaces{&page};
    for (QObject* pChild : page.children())
        if (auto* pSurface = dynamic_cast<CSurfaceWnd*>(pChild))
            surfaces.push_back(pSurface);
    return surfaces;
}

// Runs every outstanding repaint of the page and its children; returns their draws so far.
int Draws(CSurfaceWnd& page) {
    Composite(page);
    int nDraws = 0;
    for (CSurfaceWnd* pSurface : Surfaces(page))
        nDraws += pSurface->DrawCount();
    return nDraws;
}

// The page repainted whole, erase first, children included.
QImage Repainted(CSurfaceWnd& page) {
    for (CSurfaceWnd* pSurface : Surfaces(page))
        pSurface->Invalidate(true);
    return Composite(page);
}

// A later fix: the position moved, and satellites with it (another sky, other signals).
std::string MovedFix(std::vector<StreamSatellite> sats) {
    for (StreamSatellite& sat : sats) {
        if (sat.nElevation >= 0)
            sat.nAzimuth = (sat.nAzimuth + 3) % 360;
        if (sat.nSnr > 0)
            sat.nSnr += 2;
    }
    return MultiSystemStream(sats) +
           Sentence("GNGGA,123520.00,4807.041,N,01131.004,E,1,30,0.6,547.9,M,46.9,M,,") +
           Sentence("GNRMC,123520.00,A,4807.041,N,01131.004,E,12.5,84.4,230394,,,A");
}

class QuietTicksTest : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        gps.SetAllSystems(true);
    }
    CNmeaParser gps;
    QWidget parent;
};

TEST_F(QuietTicksTest, APageDrawsOnlyWhenItHasSomethingNewToShow) {
    const struct {
        const char* pszPage;
        Page (*make)(CNmeaParser&, QWidget&);
        bool bEveryTickSamples;
        bool bRestsBehind; // put away behind another page, its ticks draw nothing
    } pages[] = {
        {"Sig/Nav", Make<CTickedSigNav>, false, true},
        {"Azmth/Elvn", Make<CTickedAzEl>, false, false},
        {"Panel", Make<CTickedPanel>, false, true},
        {"Stats", Make<CTickedStats>, true, false},
    };
    parent.show();
    const std::string strFix = MultiSystemStream(MultiSystemSatellites());
    for (const auto& p : pages) {
        SCOPED_TRACE(p.pszPage);
        gps.Reset();
        Page page = p.make(gps, parent);
        const auto drawsOfTick = [&] {
            const int nBefore = Draws(*page.pWnd);
            page.tick();
            return Draws(*page.pWnd) - nBefore;
        };

        Feed(gps, strFix);
        EXPECT_GT(drawsOfTick(), 0);
        EXPECT_EQ(drawsOfTick() > 0, p.bEveryTickSamples) << "the record as it was";
        Feed(gps, strFix);
        EXPECT_EQ(drawsOfTick() > 0, p.bEveryTickSamples) << "the same fix again";

        Feed(gps, MovedFix(MultiSystemSatellites()));
        EXPECT_GT(drawsOfTick(), 0);
        EXPECT_EQ(drawsOfTick() > 0, p.bEveryTickSamples) << "the record as it was";
        const QImage drawn = Composite(*page.pWnd);
        EXPECT_TRUE(drawn == Repainted(*page.pWnd)) << "partial drawing against a full repaint";

        page.pWnd->hide();
        Feed(gps, strFix);
        const int nDrawsBehind = drawsOfTick();
        if (p.bRestsBehind) {
            EXPECT_EQ(nDrawsBehind, 0) << "behind another page";
        }
        page.pWnd->show(); // catches up with what came meanwhile
        const QImage shown = Composite(*page.pWnd);
        EXPECT_TRUE(shown == Repainted(*page.pWnd)) << "brought to the front";
        EXPECT_FALSE(shown == drawn) << "brought to the front";
        EXPECT_EQ(drawsOfTick() > 0, p.bEveryTickSamples) << "caught up at the front";
    }
}

} // namespace
