// SPDX-License-Identifier: MIT
// Windows with persistent surfaces: the erase/paint protocol, drawing outside a repaint that
// stays on the surface, posted messages after the posting handler, timers by id and the
// tap-and-hold gesture.
#include "platform/SurfaceWnd.h"
#include "common/Events.h"
#include "common/Pixels.h"
#include "platform/Messages.h"
#include "platform/SystemMetrics.h"

#include <QAbstractEventDispatcher>
#include <QContextMenuEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const QColor kGreen(0, 255, 0);
using Log = std::vector<std::string>;

// Logs its handlers and does what the test asks of them.
class CProbeWnd : public CSurfaceWnd {
public:
    using CSurfaceWnd::CSurfaceWnd;
    Log log;
    bool bEraseDraws = true;
    std::function<void(int)> onMessage;
    bool bHandlesContextMenu = true;
    std::vector<QPoint> contextMenus;

protected:
    bool OnEraseBkgnd(CDrawContext& dc) override {
        log.push_back("erase");
        return bEraseDraws ? CSurfaceWnd::OnEraseBkgnd(dc) : true;
    }
    void OnPaint(CDrawContext&) override { log.push_back("paint"); }
    void OnMessage(int nMessage) override {
        log.push_back("message " + std::to_string(nMessage));
        if (onMessage)
            onMessage(nMessage);
    }
    void OnTimer(int nId) override { log.push_back("timer " + std::to_string(nId)); }
    bool OnContextMenu(const QPoint& ptScreen) override {
        contextMenus.push_back(ptScreen);
        return bHandlesContextMenu;
    }
};

// What a repaint with or without erase runs.
Log Repaint(CProbeWnd& wnd, bool bErase) {
    wnd.log.clear();
    wnd.Invalidate(bErase);
    wnd.UpdateSurface();
    return wnd.log;
}

TEST(SurfaceWnd, RepaintsEraseWhenAskedAndKeepWhatWasDrawnOutsideThem) {
    CProbeWnd wnd; // hidden: a surface to draw on, rendered on request
    wnd.MoveWindow({0, 0, 30, 20});
    wnd.UpdateSurface();
    const int nDraws = wnd.DrawCount();
    { CClientDC idle(&wnd); }
    CClientDC(&wnd).FillSolidRect({5, 5, 15, 10}, kGreen);
    EXPECT_EQ(wnd.DrawCount(), nDraws + 1) << "drawing that changed something counts";
    EXPECT_EQ(Repaint(wnd, false), (Log{"paint"}));
    EXPECT_EQ(wnd.DrawCount(), nDraws + 2);
    // An erase that reports done without drawing keeps it as well.
    wnd.bEraseDraws = false;
    EXPECT_EQ(Repaint(wnd, true), (Log{"erase", "paint"}));
    EXPECT_EQ(CountPixels(wnd.Surface(), kGreen), 50);
    wnd.bEraseDraws = true;
    wnd.Invalidate(false); // two requests: one repaint, erased if either asked for it
    EXPECT_EQ(Repaint(wnd, true), (Log{"erase", "paint"}));
    EXPECT_EQ(CountPixels(wnd.Surface(), kGreen), 0);

    // On the screen, showing and a new size erase and paint, and the screen shows the surface.
    wnd.log.clear();
    wnd.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return wnd.log == Log{"erase", "paint"}; }));
    CClientDC(&wnd).FillSolidRect({5, 5, 15, 10}, kGreen);
    EXPECT_TRUE(wnd.grab().toImage().convertToFormat(QImage::Format_RGB32) == wnd.Surface());
    wnd.log.clear();
    wnd.MoveWindow({0, 0, 70, 30});
    ASSERT_TRUE(ProcessEventsUntil([&] { return wnd.log == Log{"erase", "paint"}; }));
    EXPECT_EQ(wnd.Surface().size(), QSize(70, 30));
}

TEST(SurfaceWnd, MessagesArriveAfterThePostingHandlerInOrderAndBroadcastsAtTopLevel) {
    CProbeWnd first, second;
    CProbeWnd child(&first);
    first.onMessage = [&](int nMessage) {
        if (nMessage != 0x1400)
            return;
        first.PostMessage(0x1401);
        PostMessage(&second, 0x1402);
        first.PostMessage(0x1403);
        first.log.push_back("handler returns");
    };
    first.PostMessage(0x1400);
    EXPECT_TRUE(first.log.empty());
    ProcessPosted();
    EXPECT_EQ(first.log, (Log{"message 5120", "handler returns", "message 5121", "message 5123"}));
    EXPECT_EQ(second.log, (Log{"message 5122"}));
    first.log.clear();
    second.log.clear();
    BroadcastMessage(0x1404);
    ProcessPosted();
    EXPECT_EQ(first.log, (Log{"message 5124"}));
    EXPECT_EQ(second.log, (Log{"message 5124"}));
    EXPECT_TRUE(child.log.empty());
    EXPECT_EQ(MessageOf(nullptr), 0);
}

TEST(SurfaceWnd, TimersTickWithTheirIdAndRestartWhenSetAgain) {
    CProbeWnd wnd;
    const auto intervals = [&] {
        std::vector<qint64> periods;
        for (const auto& timer : QAbstractEventDispatcher::instance()->registeredTimers(&wnd))
            periods.push_back(timer.interval);
        std::sort(periods.begin(), periods.end());
        return periods;
    };
    wnd.SetTimer(1, 20);
    wnd.SetTimer(1, 3600000);
    wnd.SetTimer(2, 200);
    EXPECT_EQ(intervals(), (std::vector<qint64>{200, 3600000}));
    FireTimers(&wnd);
    std::sort(wnd.log.begin(), wnd.log.end());
    EXPECT_EQ(wnd.log, (Log{"timer 1", "timer 2"}));
    EXPECT_TRUE(wnd.KillTimer(1));
    EXPECT_FALSE(wnd.KillTimer(1));
    EXPECT_EQ(intervals(), (std::vector<qint64>{200}));
}

TEST(SurfaceWnd, PressAndHoldOpensTheContextMenuOfTheWindowOrItsParent) {
    CProbeWnd page;
    auto* pBars = new CProbeWnd(&page);
    pBars->bHandlesContextMenu = false;
    const QPoint ptLocal(15, 12), ptScreen = pBars->mapToGlobal(ptLocal);
    const auto mouse = [&](QWidget* pTarget, QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent event(type, ptLocal, ptScreen, Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(pTarget, &event);
    };
    mouse(pBars, QEvent::MouseButtonPress, Qt::LeftButton);
    FireTimers(&page); // held as long as a hold takes
    EXPECT_EQ(pBars->contextMenus, (std::vector<QPoint>{ptScreen}));
    EXPECT_EQ(page.contextMenus, (std::vector<QPoint>{ptScreen}));

    // Released early it is a tap, not a hold.
    page.contextMenus.clear();
    mouse(&page, QEvent::MouseButtonPress, Qt::LeftButton);
    mouse(&page, QEvent::MouseButtonRelease, Qt::NoButton);
    FireTimers(&page);
    EXPECT_TRUE(page.contextMenus.empty());

    // The menu key or a right click arrives as a context-menu request directly.
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(3, 4), QPoint(30, 40));
    QCoreApplication::sendEvent(&page, &request);
    EXPECT_EQ(page.contextMenus, (std::vector<QPoint>{QPoint(30, 40)}));
}

} // namespace
