// SPDX-License-Identifier: MIT
// Windows with persistent surfaces: the erase/paint protocol, drawing outside a repaint that
// stays, posted messages after the posting handler, the tap-and-hold gesture; and commands
// from pop-up menus and the menu bar's actions, with the owner's states. (That the screen
// shows the surfaces is the pages' own test, at 200 %; timers by id drive every page's tests.)
#include "common/Events.h"
#include "common/Pixels.h"
#include "common/ScriptedInteraction.h"
#include "platform/Commands.h"
#include "platform/Messages.h"
#include "platform/PopupMenu.h"
#include "platform/SurfaceWnd.h"
#include "resources/resource.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A window that logs its handlers and does what the test asks of them; at the top level it
// stands in for the frame, recording commands and answering state queries for some of them.
using Log = std::vector<std::string>;

class CProbeWnd : public CSurfaceWnd {
public:
    using CSurfaceWnd::CSurfaceWnd;
    Log log;
    bool bEraseDraws = true;
    std::function<void(int)> onMessage;
    bool bHandlesContextMenu = true;
    std::vector<QPoint> contextMenus;
    std::vector<int> commands;
    bool bLogging = false;

    bool OnCommand(int nId) override {
        commands.push_back(nId);
        return true;
    }
    bool OnUpdateCommand(CCommandState& state) override {
        switch (state.Id()) {
            case ID_LOG_START: state.Enable(!bLogging); return true;
            case ID_LOG_STOP: state.Enable(bLogging); return true;
            case ID_STATS_ENABLE: state.SetCheck(true); return true;
            case ID_STATS_RESET: state.Enable(false); return true;
            default: return false;
        }
    }

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
    CClientDC(&wnd).FillSolidRect({5, 5, 15, 10}, Qt::green);
    EXPECT_EQ(wnd.DrawCount(), nDraws + 1) << "drawing that changed something counts";
    EXPECT_EQ(Repaint(wnd, false), (Log{"paint"}));
    EXPECT_EQ(wnd.DrawCount(), nDraws + 2);
    // An erase that reports done without drawing keeps it as well.
    wnd.bEraseDraws = false;
    EXPECT_EQ(Repaint(wnd, true), (Log{"erase", "paint"}));
    EXPECT_EQ(CountPixels(wnd.Surface(), Qt::green), 50);
    wnd.bEraseDraws = true;
    wnd.Invalidate(true); // two requests: one repaint, erased if either asked for it
    EXPECT_EQ(Repaint(wnd, false), (Log{"erase", "paint"}));
    EXPECT_EQ(CountPixels(wnd.Surface(), Qt::green), 0);
}

// A window put away (a page behind another) holds no surface, and comes back drawn afresh; a
// window never shown keeps the surface it was drawn on.
TEST(SurfaceWnd, AWindowPutAwayGivesItsSurfaceBackUntilShownAgain) {
    QWidget top;
    top.resize(40, 30);
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.Create(QStringLiteral("Probe"), {0, 0, 30, 20}, &top, 1, true));
    top.show();
    wnd.UpdateSurface();
    wnd.hide();
    EXPECT_TRUE(wnd.Surface().isNull());
    wnd.log.clear();
    wnd.show();
    wnd.UpdateSurface();
    EXPECT_EQ(wnd.log, (Log{"erase", "paint"}));
    EXPECT_EQ(wnd.Surface().size(), QSize(30, 20));
}

// Posted messages arrive after the posting handler, in the order posted, those their handlers
// post in the same turn of the event loop; broadcasts reach the top-level windows only.
TEST(SurfaceWnd, MessagesArriveAfterThePostingHandlerInOrderAndBroadcastsAtTopLevel) {
    CProbeWnd first, second;
    CProbeWnd child(&first);
    first.onMessage = [&](int nMessage) {
        if (nMessage != 0x1400)
            return;
        first.PostMessage(0x1401), PostMessage(&second, 0x1402), first.PostMessage(0x1403);
        first.log.push_back("handler returns");
    };
    first.PostMessage(0x1400);
    BroadcastMessage(0x1404);
    EXPECT_TRUE(first.log.empty());
    QCoreApplication::sendPostedEvents(); // one turn
    EXPECT_EQ(first.log, (Log{"message 5120", "handler returns", "message 5124", "message 5121",
                              "message 5123"}));
    EXPECT_EQ(second.log, (Log{"message 5124", "message 5122"}));
    EXPECT_TRUE(child.log.empty());
}

// A handler that runs a modal loop (a dialog, a menu) before it returns does not hold up the
// messages posted meanwhile: the loop delivers them.
TEST(SurfaceWnd, MessagesPostedDuringAModalLoopArriveInIt) {
    CProbeWnd wnd;
    QEventLoop modal;
    wnd.onMessage = [&](int nMessage) {
        if (nMessage == 0x1400) {
            wnd.PostMessage(0x1401);
            QTimer::singleShot(10000, &modal, &QEventLoop::quit); // a safety net only
            modal.exec();
        } else {
            wnd.log.push_back(modal.isRunning() ? "in the loop" : "after it");
            modal.quit();
        }
    };
    wnd.PostMessage(0x1400);
    ProcessPosted();
    EXPECT_EQ(wnd.log, (Log{"message 5120", "message 5121", "in the loop"}));
}

// Held as long as a hold takes, the press opens the context menu of the window or, when the
// window has none, its parent's; released early it is a tap. (The menu key and right clicks
// are the frame's own test.)
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
    FireTimers(&page);
    EXPECT_EQ(pBars->contextMenus, (std::vector<QPoint>{ptScreen}));
    EXPECT_EQ(page.contextMenus, (std::vector<QPoint>{ptScreen}));
    page.contextMenus.clear();
    mouse(&page, QEvent::MouseButtonPress, Qt::LeftButton);
    mouse(&page, QEvent::MouseButtonRelease, Qt::NoButton);
    FireTimers(&page);
    EXPECT_TRUE(page.contextMenus.empty());
}

TEST(PopupMenu, TakesTheOwnersStatesAndPostsTheChoiceAfterTheGesture) {
    CProbeWnd frame;
    auto* pPage = new CSurfaceWnd(&frame);
    CScriptedInteraction person;
    for (const int nId : {ID_AVG_THRESHOLDS, ID_STATS_RESET, 0, ID_SETUP_SPEED})
        person.AnswerMenu(nId);
    EXPECT_TRUE(TrackPopupMenu(IDR_STATS_POPUP, {300, 200}, TopLevelOwner(pPage), TPM_RIGHTALIGN));
    EXPECT_TRUE(frame.commands.empty()) << "delivered after the gesture's handler";
    // Disabled: not chosen; dismissed: nothing chosen; no such menu.
    EXPECT_FALSE(TrackPopupMenu(IDR_STATS_POPUP, {10, 10}, &frame, 0));
    EXPECT_FALSE(TrackPopupMenu(IDR_STATS_POPUP, {10, 10}, &frame, 0));
    EXPECT_FALSE(TrackPopupMenu(MenuId{999}, {10, 10}, &frame, 0));
    // Inside the panel menu's sub-menu.
    EXPECT_TRUE(TrackPopupMenu(IDR_PANEL_POPUP, {50, 50}, &frame, TPM_RIGHTALIGN));
    ProcessPosted();
    EXPECT_EQ(frame.commands, (std::vector<int>{ID_AVG_THRESHOLDS, ID_SETUP_SPEED}));

    const Prompt& menu = person.Prompts().at(0);
    QString strStates; // enabled and checked, item by item
    for (const PromptMenuItem& item : menu.menuItems)
        strStates += item.nId ? QStringLiteral("%1%2 ").arg(item.bEnabled).arg(item.bChecked) : "";
    EXPECT_EQ(strStates, QStringLiteral("11 00 10 "));
    // Right-aligned: the menu ends at the point.
    EXPECT_LT(menu.ptScreen.x(), 300);
    EXPECT_EQ(menu.ptScreen.y(), 200);
    EXPECT_EQ(person.Prompts().at(1).ptScreen, QPoint(10, 10));
}

TEST(CommandActions, DeliverTheirCommandsAndTakeStatesBeforeTheThreadWaitsOrAsTheirMenuOpens) {
    CProbeWnd frame;
    auto* pActions = new CCommandActions(&frame);
    QMenuBar menuBar;
    pActions->FillMenuBar(&menuBar, IDR_MAINFRAME);
    QAction* pStart = pActions->Action(ID_LOG_START);
    auto* pLog = qobject_cast<QMenu*>(pStart->associatedObjects().value(0));
    ASSERT_NE(pLog, nullptr);
    pStart->trigger();
    EXPECT_EQ(frame.commands, (std::vector<int>{ID_LOG_START}));

    // An action outside menus (a tool button) follows the owner whenever the thread is about
    // to wait; a menu's take theirs as it opens.
    QWidget toolBar;
    toolBar.addAction(pStart);
    frame.bLogging = true;
    emit QAbstractEventDispatcher::instance()->aboutToBlock();
    EXPECT_FALSE(pStart->isEnabled());
    frame.bLogging = false;
    emit pLog->aboutToShow();
    EXPECT_TRUE(pStart->isEnabled());
    EXPECT_FALSE(pActions->Action(ID_LOG_STOP)->isEnabled());
    // Commands the owner does not answer stay enabled and unchecked.
    EXPECT_TRUE(pActions->Action(ID_HELP)->isEnabled());
    EXPECT_FALSE(QueryCommandState(&frame, ID_UNITS).IsCheckable());
}

} // namespace
