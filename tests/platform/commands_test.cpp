// SPDX-License-Identifier: MIT
// Commands: the pop-up menus of the pages with their exact items, states asked of the
// owner, the chosen command delivered after the gesture's handler; the menu bar's actions
// and their states at idle.
#include "TestSupport.h"

#include "platform/Commands.h"
#include "platform/PopupMenu.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SurfaceWnd.h"
#include "resources/resource.h"

#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A top-level window standing in for the frame: it records commands and answers state
// queries for two of them.
class CFrameProbe : public CSurfaceWnd {
public:
    std::vector<int> commands;
    bool bLogging = false;
    bool bEnabled = true;

    bool OnCommand(int nId) override {
        commands.push_back(nId);
        return true;
    }
    bool OnUpdateCommand(CCommandState& state) override {
        switch (state.Id()) {
            case ID_LOG_START: state.Enable(!bLogging); return true;
            case ID_LOG_STOP: state.Enable(bLogging); return true;
            case ID_STATS_ENABLE: state.SetCheck(bEnabled); return true;
            case ID_STATS_RESET: state.Enable(false); return true;
            default: return false;
        }
    }
};

struct ItemSummary {
    int nId;
    QString strText;
    int nDepth;
    bool bSeparator;
    bool bEnabled;
    bool bChecked;

    friend bool operator==(const ItemSummary&, const ItemSummary&) = default;
};

std::vector<ItemSummary> Summary(const Prompt& prompt) {
    std::vector<ItemSummary> items;
    for (const PromptMenuItem& item : prompt.menuItems)
        items.push_back({item.nId, item.bSeparator ? QString() : item.strText, item.nDepth,
                         item.bSeparator, item.bEnabled, item.bChecked});
    return items;
}

TEST(PopupMenu, OffersTheStatisticsItemsWithTheOwnersStatesAndPostsTheChoice) {
    CFrameProbe frame;
    auto* pPage = new CSurfaceWnd(&frame);
    CScriptedInteraction person;
    person.AnswerMenu(ID_AVG_THRESHOLDS);

    const QPoint ptScreen(300, 200);
    ASSERT_EQ(TopLevelOwner(pPage), &frame);
    EXPECT_TRUE(TrackPopupMenu(IDR_STATS_POPUP, ptScreen, TopLevelOwner(pPage),
                               TPM_RIGHTALIGN | TPM_NONOTIFY));
    // Delivered after the gesture's handler, not inside it.
    EXPECT_TRUE(frame.commands.empty());
    ASSERT_TRUE(ProcessEventsUntil([&] { return !frame.commands.empty(); }));
    EXPECT_EQ(frame.commands, (std::vector<int>{ID_AVG_THRESHOLDS}));

    ASSERT_EQ(person.Prompts().size(), 1u);
    const Prompt& prompt = person.Prompts()[0];
    EXPECT_EQ(prompt.kind, Prompt::Kind::Menu);
    EXPECT_EQ(prompt.strText, QStringLiteral("IDR_STATS_POPUP"));
    EXPECT_EQ(Summary(prompt),
              (std::vector<ItemSummary>{
                  {ID_STATS_ENABLE, "&Enable", 0, false, true, true},
                  {ID_STATS_RESET, "&Reset", 0, false, false, false},
                  {0, QString(), 0, true, true, false},
                  {ID_AVG_THRESHOLDS, "Setup Avg Thresholds", 0, false, true, false}}));
    // Right-aligned: the menu ends at the point.
    EXPECT_LT(prompt.ptScreen.x(), ptScreen.x());
    EXPECT_EQ(prompt.ptScreen.y(), ptScreen.y());
}

TEST(PopupMenu, ADisabledItemCannotBeChosenAndDismissingChoosesNothing) {
    CFrameProbe frame;
    CScriptedInteraction person;
    person.AnswerMenu(ID_STATS_RESET);
    person.AnswerMenu(0);
    EXPECT_FALSE(TrackPopupMenu(IDR_STATS_POPUP, QPoint(10, 10), &frame, 0));
    EXPECT_FALSE(TrackPopupMenu(IDR_STATS_POPUP, QPoint(10, 10), &frame, 0));
    EXPECT_EQ(person.Prompts().at(0).ptScreen, QPoint(10, 10));
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame.commands.empty());
    EXPECT_FALSE(TrackPopupMenu(MenuId{999}, QPoint(10, 10), &frame, 0));
}

TEST(PopupMenu, PanelMenuHasItsSubMenuAndItsCommandsReachTheOwner) {
    CFrameProbe frame;
    CScriptedInteraction person;
    person.AnswerMenu(ID_SETUP_SPEED);
    EXPECT_TRUE(TrackPopupMenu(IDR_PANEL_POPUP, QPoint(50, 50), &frame, TPM_RIGHTALIGN));
    EXPECT_EQ(
        Summary(person.Prompts().at(0)),
        (std::vector<ItemSummary>{{ID_CYCLE_GAUGES, "Cycle through gauges", 0, false, true, false},
                                  {0, QString(), 0, true, true, false},
                                  {ID_SHOW_ALTIMETER, "Altimeter", 0, false, true, false},
                                  {ID_SHOW_COMPASS, "Compass", 0, false, true, false},
                                  {ID_SHOW_SPEED, "Speed", 0, false, true, false},
                                  {ID_SHOW_VERTICAL_SPEED, "Vertical Speed", 0, false, true, false},
                                  {0, QString(), 0, true, true, false},
                                  {0, "&Setup Gauges", 0, false, true, false},
                                  {ID_SETUP_SPEED, "&Speed", 1, false, true, false}}));
    ASSERT_TRUE(ProcessEventsUntil([&] { return !frame.commands.empty(); }));
    EXPECT_EQ(frame.commands, (std::vector<int>{ID_SETUP_SPEED}));
}

TEST(CommandActions, ActionsDeliverTheirCommandsAndTakeStatesAtIdleOrAsTheirMenuOpens) {
    CFrameProbe frame;
    auto* pActions = new CCommandActions(&frame);
    QMenuBar menuBar;
    pActions->FillMenuBar(&menuBar, IDR_MAINFRAME);

    QStringList titles;
    for (QAction* pAction : menuBar.actions())
        titles << pAction->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Connect", "&Log", "&Help"}));
    QMenu* pLog = menuBar.actions().at(2)->menu();
    ASSERT_EQ(pLog->actions().size(), 2);
    EXPECT_EQ(pLog->actions().at(1)->text(), QStringLiteral("S&top"));
    EXPECT_EQ(pLog->actions().at(0), pActions->Action(ID_LOG_START));
    QMenu* pConfiguration = menuBar.actions().at(0)->menu()->actions().at(0)->menu();
    ASSERT_NE(pConfiguration, nullptr);
    EXPECT_EQ(CommandIdOf(pConfiguration->actions().at(0)), ID_UNITS);

    pActions->Action(ID_LOG_START)->trigger();
    EXPECT_EQ(frame.commands, (std::vector<int>{ID_LOG_START}));

    // The states of actions outside menus (a tool button) follow the owner whenever the
    // thread waits for events; a menu's take theirs as it opens.
    QWidget toolBar;
    toolBar.addAction(pActions->Action(ID_LOG_START));
    frame.bLogging = true;
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(pActions->Action(ID_LOG_START)->isEnabled());
    frame.bLogging = false;
    emit pLog->aboutToShow();
    EXPECT_TRUE(pActions->Action(ID_LOG_START)->isEnabled());
    EXPECT_FALSE(pActions->Action(ID_LOG_STOP)->isEnabled());
    EXPECT_TRUE(pActions->Action(ID_HELP)->isEnabled());
}

TEST(CommandActions, UnansweredCommandsStayEnabledAndUnchecked) {
    CFrameProbe frame;
    const CCommandState state = QueryCommandState(&frame, ID_UNITS);
    EXPECT_TRUE(state.IsEnabled());
    EXPECT_FALSE(state.IsCheckable());
    EXPECT_TRUE(QueryCommandState(&frame, ID_STATS_ENABLE).IsChecked());
}

} // namespace
