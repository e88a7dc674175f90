// SPDX-License-Identifier: MIT
// Commands by id and their enabled and checked states. A menu item or tool button sends its
// command id to a top-level window, which routes it (the frame offers it to its client view,
// which offers it to the pages, before the frame's own handlers); the first target whose
// OnCommand returns true has handled it. States are never pushed: they are asked of the same
// targets through OnUpdateCommand whenever a menu is about to show and whenever the
// user-interface thread becomes idle.
#pragma once

#include "resources/MenuResources.h"

#include <QObject>

#include <functional>
#include <map>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class CCommandState {
public:
    explicit CCommandState(int nId) : m_nId(nId) {}

    int Id() const { return m_nId; }
    void Enable(bool bEnable = true) { m_bEnabled = bEnable; }
    void SetCheck(bool bCheck = true) {
        m_bChecked = bCheck;
        m_bCheckable = true;
    }
    bool IsEnabled() const { return m_bEnabled; }
    bool IsChecked() const { return m_bChecked; }
    // Whether a handler has given the item a check state at all.
    bool IsCheckable() const { return m_bCheckable; }

private:
    int m_nId;
    bool m_bEnabled = true;
    bool m_bChecked = false;
    bool m_bCheckable = false;
};

class CCommandTarget {
public:
    virtual ~CCommandTarget() = default;

    // Handles command nId; false when this target has no handler for it.
    virtual bool OnCommand(int nId);
    // Sets the state of command state.Id(); false when this target has no state handler for
    // it. Commands nobody answers for stay enabled and unchecked.
    virtual bool OnUpdateCommand(CCommandState& state);
};

// Asks pWindow (a CCommandTarget) for the state of command nId.
CCommandState QueryCommandState(QWidget* pWindow, int nId);

// Delivers command nId to pWindow's OnCommand after the current handler has returned, as a
// chosen pop-up menu item does; nothing when the window is gone by then.
void PostCommand(QWidget* pWindow, int nId);

// The command id a menu action carries, 0 for one without.
int CommandIdOf(const QAction* pAction);

// Appends the items of a menu table to pMenu: actions carrying their command ids (see
// CommandIdOf), separators, and sub-menus. makeAction, when given, supplies the action of a
// command id instead of a new one.
void AppendMenuItems(
    QMenu* pMenu, std::span<const MenuItemDef> items,
    const std::function<QAction*(int nId, const QString& strText)>& makeAction = {});

// Asks pWindow for the states of every command action in pMenu and its sub-menus.
void UpdateMenuStates(QMenu* pMenu, QWidget* pWindow);

// Calls fn whenever the user-interface thread is about to wait for events, that is, when it
// is idle. fn must not post events unconditionally, or the thread never waits.
class CIdleHook : public QObject {
public:
    CIdleHook(std::function<void()> fn, QObject* pParent);

private:
    std::function<void()> m_fn;
};

// The actions of one top-level window, one per command id, shared by its menu bar and tool
// buttons. Triggering one hands the command to the window's OnCommand; the states are asked
// of the window before a menu shows and, for those outside menus, at idle.
class CCommandActions : public QObject {
public:
    // pWindow must be a CCommandTarget.
    explicit CCommandActions(QWidget* pWindow);

    // The action of command nId, made on first use with strText.
    QAction* Action(int nId, const QString& strText = {});
    // Fills pMenuBar with the popups of menu resource nMenuId.
    void FillMenuBar(QMenuBar* pMenuBar, MenuId menu);
    // Asks the window for the state of every action that shows or works outside a menu.
    void UpdateStates();

private:
    QWidget* m_pWindow;
    std::map<int, QAction*> m_Actions;
    // The actions UpdateStates asks for, found again only after an action was handed out
    // (it may have been put somewhere new since).
    std::vector<std::pair<int, QAction*>> m_IdleActions;
    bool m_bIdleActionsStale = true;
    CIdleHook m_IdleHook;
};
