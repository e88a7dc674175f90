// SPDX-License-Identifier: MIT
// Commands: a pop-up menu takes its items' states from the owner and delivers the chosen
// command after the gesture's handler; a disabled item cannot be chosen; sub-menus' commands
// reach the owner too. The menu bar's actions deliver their commands and take their states
// whenever the thread is about to wait for events, and a menu's as it opens.
#include "platform/Commands.h"
#include "common/Events.h"
#include "common/ScriptedInteraction.h"
#include "platform/PopupMenu.h"
#include "platform/SurfaceWnd.h"
#include "resources/resource.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A top-level window standing in for the frame: it records commands and answers state
// queries for some of them.
class CFrameProbe : public CSurfaceWnd {
public:
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
};

TEST(PopupMenu, TakesTheOwnersStatesAndPostsTheChoiceAfterTheGesture) {
    CFrameProbe frame;
    auto* pPage = new CSurfaceWnd(&frame);
    CScriptedInteraction person;
    for (const int nId : {ID_AVG_THRESHOLDS, ID_STATS_RESET, 0})
        person.AnswerMenu(nId);
    ASSERT_EQ(TopLevelOwner(pPage), &frame);
    EXPECT_TRUE(TrackPopupMenu(IDR_STATS_POPUP, {300, 200}, TopLevelOwner(pPage), TPM_RIGHTALIGN));
    EXPECT_TRUE(frame.commands.empty()) << "delivered after the gesture's handler";
    // Disabled: not chosen; dismissed: nothing chosen; no such menu.
    EXPECT_FALSE(TrackPopupMenu(IDR_STATS_POPUP, {10, 10}, &frame, 0));
    EXPECT_FALSE(TrackPopupMenu(IDR_STATS_POPUP, {10, 10}, &frame, 0));
    EXPECT_FALSE(TrackPopupMenu(MenuId{999}, {10, 10}, &frame, 0));
    ProcessPosted();
    EXPECT_EQ(frame.commands, (std::vector<int>{ID_AVG_THRESHOLDS}));

    const Prompt& menu = person.Prompts().at(0);
    std::vector<std::pair<bool, bool>> states; // enabled and checked, item by item
    for (const PromptMenuItem& item : menu.menuItems)
        if (item.nId)
            states.emplace_back(item.bEnabled, item.bChecked);
    EXPECT_EQ(states,
              (std::vector<std::pair<bool, bool>>{{true, true}, {false, false}, {true, false}}));
    // Right-aligned: the menu ends at the point.
    EXPECT_LT(menu.ptScreen.x(), 300);
    EXPECT_EQ(menu.ptScreen.y(), 200);
    EXPECT_EQ(person.Prompts().at(1).ptScreen, QPoint(10, 10));

    person.AnswerMenu(ID_SETUP_SPEED); // inside the panel menu's sub-menu
    EXPECT_TRUE(TrackPopupMenu(IDR_PANEL_POPUP, {50, 50}, &frame, TPM_RIGHTALIGN));
    ProcessPosted();
    EXPECT_EQ(frame.commands.back(), ID_SETUP_SPEED);
}

TEST(CommandActions, DeliverTheirCommandsAndTakeStatesBeforeTheThreadWaitsOrAsTheirMenuOpens) {
    CFrameProbe frame;
    auto* pActions = new CCommandActions(&frame);
    QMenuBar menuBar;
    pActions->FillMenuBar(&menuBar, IDR_MAINFRAME);
    QAction* pStart = pActions->Action(ID_LOG_START);
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
    QMenu* pLog = nullptr;
    for (QAction* pTop : menuBar.actions())
        if (pTop->menu() && pTop->menu()->actions().contains(pStart))
            pLog = pTop->menu();
    ASSERT_NE(pLog, nullptr);
    emit pLog->aboutToShow();
    EXPECT_TRUE(pStart->isEnabled());
    EXPECT_FALSE(pActions->Action(ID_LOG_STOP)->isEnabled());
    // Commands the owner does not answer stay enabled and unchecked.
    EXPECT_TRUE(pActions->Action(ID_HELP)->isEnabled());
    EXPECT_FALSE(QueryCommandState(&frame, ID_UNITS).IsCheckable());
}

} // namespace
