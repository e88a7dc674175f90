// SPDX-License-Identifier: MIT
// Windows with persistent surfaces: the erase/paint protocol, drawing outside a repaint that
// stays on the surface, posted messages after the posting handler, timers by id, creation
// and the tap-and-hold gesture.
#include "TestSupport.h"

#include "platform/Messages.h"
#include "platform/SurfaceWnd.h"
#include "platform/SystemMetrics.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);

// Logs its handlers and does what the test asks of them.
class CProbeWnd : public CSurfaceWnd {
public:
    using CSurfaceWnd::CSurfaceWnd;

    std::vector<std::string> log;
    bool bEraseDraws = true;
    bool bPaintDraws = false;
    std::function<void(int)> onMessage;
    std::function<void(int)> onTimer;
    int nCreateResult = 0;
    bool bHandlesContextMenu = true;
    std::vector<QPoint> contextMenus;

protected:
    int OnCreate() override {
        log.push_back("create");
        return nCreateResult;
    }
    bool OnEraseBkgnd(CDrawContext& dc) override {
        log.push_back("erase");
        return bEraseDraws ? CSurfaceWnd::OnEraseBkgnd(dc) : true;
    }
    void OnPaint(CDrawContext& dc) override {
        log.push_back("paint");
        if (bPaintDraws)
            dc.FillSolidRect({0, 0, 5, 5}, kBlue);
    }
    void OnMessage(int nMessage) override {
        log.push_back("message " + std::to_string(nMessage));
        if (onMessage)
            onMessage(nMessage);
    }
    void OnTimer(int nId) override {
        log.push_back("timer " + std::to_string(nId));
        if (onTimer)
            onTimer(nId);
    }
    bool OnContextMenu(const QPoint& ptScreen) override {
        contextMenus.push_back(ptScreen);
        return bHandlesContextMenu;
    }
};

// A shown top-level window that has had its first paint.
struct ShownWindow {
    CProbeWnd wnd;
    ShownWindow() {
        wnd.resize(80, 60);
        wnd.show();
        EXPECT_TRUE(ProcessEventsUntil([&] { return Painted(); }));
        wnd.log.clear();
    }
    bool Painted() const {
        return std::find(wnd.log.begin(), wnd.log.end(), "paint") != wnd.log.end();
    }
    std::vector<std::string> Repaint(bool bErase) {
        wnd.log.clear();
        wnd.Invalidate(bErase);
        EXPECT_TRUE(ProcessEventsUntil([&] { return Painted(); }));
        return wnd.log;
    }
};

using Log = std::vector<std::string>;

TEST(SurfaceWnd, InvalidateWithEraseErasesThenPaintsAndWithoutOnlyPaints) {
    ShownWindow shown;
    EXPECT_EQ(shown.Repaint(true), (Log{"erase", "paint"}));
    EXPECT_EQ(shown.Repaint(false), (Log{"paint"}));
    // Two requests before the repaint: one repaint, erased if either asked for it.
    shown.wnd.Invalidate(false);
    EXPECT_EQ(shown.Repaint(true), (Log{"erase", "paint"}));
}

TEST(SurfaceWnd, FirstShowAndResizeEraseAndPaint) {
    CProbeWnd wnd;
    wnd.resize(50, 40);
    wnd.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !wnd.log.empty(); }));
    EXPECT_EQ(wnd.log, (Log{"erase", "paint"}));
    EXPECT_EQ(wnd.Surface().size(), QSize(50, 40));
    EXPECT_EQ(CountPixels(wnd.Surface(), GetSysColor(COLOR_WINDOW)), 50 * 40);

    wnd.log.clear();
    wnd.MoveWindow({0, 0, 70, 30});
    ASSERT_TRUE(ProcessEventsUntil([&] { return wnd.log.size() >= 2; }));
    EXPECT_EQ(wnd.log, (Log{"erase", "paint"}));
    EXPECT_EQ(wnd.Surface().size(), QSize(70, 30));
}

TEST(SurfaceWnd, DrawingOutsideARepaintStaysAcrossARepaintThatDrawsNothing) {
    ShownWindow shown;
    {
        CClientDC dc(&shown.wnd);
        dc.SetPixel(10, 10, kGreen);
        dc.FillSolidRect({20, 20, 30, 25}, kGreen);
    }
    EXPECT_EQ(shown.Repaint(false), (Log{"paint"}));
    EXPECT_EQ(CountPixels(shown.wnd.Surface(), kGreen), 1 + 50);
    // What the screen shows is the surface.
    const QImage screen = shown.wnd.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen.pixel(10, 10), kGreen.rgb());
    EXPECT_EQ(screen.pixel(25, 22), kGreen.rgb());

    // An erase that reports done without drawing keeps it as well.
    shown.wnd.bEraseDraws = false;
    EXPECT_EQ(shown.Repaint(true), (Log{"erase", "paint"}));
    EXPECT_EQ(CountPixels(shown.wnd.Surface(), kGreen), 1 + 50);

    shown.wnd.bEraseDraws = true;
    shown.Repaint(true);
    EXPECT_EQ(CountPixels(shown.wnd.Surface(), kGreen), 0);
}

TEST(SurfaceWnd, DrawCountCountsRepaintsAndDrawingOutsideThatChangedSomething) {
    ShownWindow shown;
    const int nStart = shown.wnd.DrawCount();
    EXPECT_EQ(shown.Repaint(false), (Log{"paint"}));
    EXPECT_EQ(shown.wnd.DrawCount(), nStart + 1);
    // A part of the window asked for: the whole paint runs all the same.
    shown.wnd.log.clear();
    shown.wnd.InvalidateRect({10, 10, 20, 20});
    EXPECT_TRUE(ProcessEventsUntil([&] { return shown.Painted(); }));
    EXPECT_EQ(shown.wnd.DrawCount(), nStart + 2);
    { CClientDC idle(&shown.wnd); }
    EXPECT_EQ(shown.wnd.DrawCount(), nStart + 2);
    {
        CClientDC dc(&shown.wnd);
        dc.SetPixel(3, 3, kGreen);
    }
    EXPECT_EQ(shown.wnd.DrawCount(), nStart + 3);
}

TEST(SurfaceWnd, HiddenWindowsHaveASurfaceToDrawOnAndRenderOnRequest) {
    CProbeWnd wnd;
    wnd.bPaintDraws = true;
    wnd.MoveWindow({0, 0, 30, 20});
    {
        CClientDC dc(&wnd);
        dc.SetPixel(20, 10, kGreen);
    }
    ASSERT_EQ(wnd.Surface().size(), QSize(30, 20));
    EXPECT_EQ(wnd.Surface().pixel(20, 10), kGreen.rgb());

    wnd.UpdateSurface();
    EXPECT_EQ(wnd.log, (Log{"erase", "paint"}));
    EXPECT_EQ(CountPixels(wnd.Surface(), kGreen), 0);
    EXPECT_EQ(CountPixels(wnd.Surface(), kBlue), 25);
    wnd.UpdateSurface();
    EXPECT_EQ(wnd.log.size(), 2u);
}

TEST(SurfaceWnd, PostedMessagesArriveAfterThePostingHandlerInPostingOrder) {
    CProbeWnd first;
    CProbeWnd second;
    std::vector<std::string> order;
    first.onMessage = [&](int nMessage) {
        order.push_back("first " + std::to_string(nMessage));
        if (nMessage != 0x1400)
            return;
        first.PostMessage(0x1401);
        PostMessage(&second, 0x1402);
        first.PostMessage(0x1403);
        order.push_back("handler returns");
    };
    second.onMessage = [&](int nMessage) { order.push_back("second " + std::to_string(nMessage)); };

    first.PostMessage(0x1400);
    EXPECT_TRUE(order.empty());
    ASSERT_TRUE(ProcessEventsUntil([&] { return order.size() == 5; }));
    EXPECT_EQ(order, (std::vector<std::string>{"first 5120", "handler returns", "first 5121",
                                               "second 5122", "first 5123"}));
}

TEST(SurfaceWnd, BroadcastReachesEveryTopLevelWindowButNotChildren) {
    CProbeWnd top1;
    CProbeWnd top2;
    CProbeWnd child(&top1);
    BroadcastMessage(0x1400);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !top1.log.empty() && !top2.log.empty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(top1.log, (Log{"message 5120"}));
    EXPECT_EQ(top2.log, (Log{"message 5120"}));
    EXPECT_TRUE(child.log.empty());
    EXPECT_EQ(MessageOf(nullptr), 0);
}

TEST(SurfaceWnd, TimersTickWithTheirIdAndRestartWhenSetAgain) {
    CProbeWnd wnd;
    // Timer 1 is set to a short period and at once again to a very long one; timer 2 ticks
    // in between. Restarting means timer 1 must not tick before timer 2.
    wnd.SetTimer(1, 20);
    wnd.SetTimer(1, 3600000);
    wnd.SetTimer(2, 200);
    wnd.onTimer = [&](int nId) { wnd.KillTimer(nId); };
    ASSERT_TRUE(ProcessEventsUntil([&] { return !wnd.log.empty(); }));
    EXPECT_EQ(wnd.log, (Log{"timer 2"}));

    // And the other way round: a long period replaced by a short one ticks soon.
    wnd.log.clear();
    wnd.SetTimer(1, 3600000);
    wnd.SetTimer(1, 10);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !wnd.log.empty(); }));
    EXPECT_EQ(wnd.log, (Log{"timer 1"}));
    EXPECT_FALSE(wnd.KillTimer(1));
}

TEST(SurfaceWnd, CreateNamesAndPlacesTheWindowOrReportsARefusal) {
    CProbeWnd parent;
    parent.resize(200, 100);
    auto* pPage = new CProbeWnd;
    ASSERT_TRUE(pPage->Create(QStringLiteral("SatInfo"), {10, 20, 110, 70}, &parent, 0xFFFF));
    EXPECT_EQ(pPage->objectName(), QStringLiteral("SatInfo"));
    EXPECT_EQ(pPage->parentWidget(), &parent);
    EXPECT_EQ(pPage->GetClientRect(), (CRect{0, 0, 100, 50}));
    EXPECT_EQ(pPage->geometry(), QRect(10, 20, 100, 50));
    EXPECT_FALSE(pPage->isHidden());

    auto* pRefused = new CProbeWnd;
    pRefused->nCreateResult = -1;
    EXPECT_FALSE(pRefused->Create(QStringLiteral("Panel"), {}, &parent, 0xFFFF));
    EXPECT_TRUE(pRefused->isHidden());
    EXPECT_EQ(pRefused->log, (Log{"create"}));
}

TEST(SurfaceWnd, PressAndHoldOpensTheContextMenuOfTheWindowOrItsParent) {
    const int nSavedInterval = QGuiApplication::styleHints()->mousePressAndHoldInterval();
    QGuiApplication::styleHints()->setMousePressAndHoldInterval(20);

    CProbeWnd page;
    page.resize(100, 100);
    auto* pBars = new CProbeWnd(&page);
    pBars->setGeometry(0, 0, 100, 30);
    pBars->bHandlesContextMenu = false;
    page.show();

    const QPoint ptLocal(15, 12);
    const QPoint ptScreen = pBars->mapToGlobal(ptLocal);
    QMouseEvent press(QEvent::MouseButtonPress, ptLocal, ptScreen, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(pBars, &press);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !page.contextMenus.empty(); }));
    EXPECT_EQ(pBars->contextMenus, (std::vector<QPoint>{ptScreen}));
    EXPECT_EQ(page.contextMenus, (std::vector<QPoint>{ptScreen}));

    // Released early it is a tap, not a hold.
    QGuiApplication::styleHints()->setMousePressAndHoldInterval(200);
    page.contextMenus.clear();
    QCoreApplication::sendEvent(&page, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, ptLocal, ptScreen, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&page, &release);
    CProbeWnd later;
    later.SetTimer(1, 400);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !later.log.empty(); }));
    EXPECT_TRUE(page.contextMenus.empty());

    // The menu key or a right click arrives as a context-menu request directly.
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(3, 4),
                              page.mapToGlobal(QPoint(3, 4)));
    QCoreApplication::sendEvent(&page, &request);
    EXPECT_EQ(page.contextMenus, (std::vector<QPoint>{page.mapToGlobal(QPoint(3, 4))}));

    QGuiApplication::styleHints()->setMousePressAndHoldInterval(nSavedInterval);
}

} // namespace
