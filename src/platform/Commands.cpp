// SPDX-License-Identifier: MIT
#include "platform/Commands.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

const char kCommandIdProperty[] = "ravuziz_command_id";

void ApplyState(QAction* pAction, const CCommandState& state) {
    pAction->setEnabled(state.IsEnabled());
    pAction->setCheckable(state.IsCheckable());
    pAction->setChecked(state.IsChecked());
}

// What pTarget, when there is one, says of command nId.
CCommandState StateOf(CCommandTarget* pTarget, int nId) {
    CCommandState state(nId);
    if (pTarget)
        pTarget->OnUpdateCommand(state);
    return state;
}

} // namespace

bool CCommandTarget::OnCommand(int) {
    return false;
}

bool CCommandTarget::OnUpdateCommand(CCommandState&) {
    return false;
}

CCommandState QueryCommandState(QWidget* pWindow, int nId) {
    return StateOf(dynamic_cast<CCommandTarget*>(pWindow), nId);
}

void PostCommand(QWidget* pWindow, int nId) {
    if (!pWindow)
        return;
    // Queued on pWindow, so the call is dropped if the window is destroyed first.
    QMetaObject::invokeMethod(
        pWindow,
        [pWindow, nId] {
            if (auto* pTarget = dynamic_cast<CCommandTarget*>(pWindow))
                pTarget->OnCommand(nId);
        },
        Qt::QueuedConnection);
}

int CommandIdOf(const QAction* pAction) {
    return pAction ? pAction->property(kCommandIdProperty).toInt() : 0;
}

void AppendMenuItems(QMenu* pMenu, std::span<const MenuItemDef> items,
                     const std::function<QAction*(int nId, const QString& strText)>& makeAction) {
    for (const MenuItemDef& item : items) {
        if (item.IsSeparator()) {
            pMenu->addSeparator();
            continue;
        }
        const QString strText = QString::fromUtf8(item.pszText);
        if (item.IsPopup()) {
            AppendMenuItems(pMenu->addMenu(strText), item.subItems, makeAction);
            continue;
        }
        QAction* pAction = makeAction ? makeAction(item.nId, strText) : nullptr;
        if (!pAction) {
            pAction = new QAction(strText, pMenu);
            pAction->setProperty(kCommandIdProperty, item.nId);
        }
        pMenu->addAction(pAction);
    }
}

void UpdateMenuStates(QMenu* pMenu, QWidget* pWindow) {
    for (QAction* pAction : pMenu->actions()) {
        if (QMenu* pSubMenu = pAction->menu())
            UpdateMenuStates(pSubMenu, pWindow);
        else if (const int nId = CommandIdOf(pAction))
            ApplyState(pAction, QueryCommandState(pWindow, nId));
    }
}

CIdleHook::CIdleHook(std::function<void()> fn, QObject* pParent)
    : QObject(pParent), m_fn(std::move(fn)) {
    if (auto* pDispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(pDispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { m_fn(); });
}

CCommandActions::CCommandActions(QWidget* pWindow)
    : QObject(pWindow), m_pWindow(pWindow), m_IdleHook([this] { UpdateStates(); }, this) {}

QAction* CCommandActions::Action(int nId, const QString& strText) {
    m_bIdleActionsStale = true;
    auto it = m_Actions.find(nId);
    if (it != m_Actions.end())
        return it->second;
    auto* pAction = new QAction(strText, m_pWindow);
    pAction->setProperty(kCommandIdProperty, nId);
    connect(pAction, &QAction::triggered, this, [this, nId] {
        if (auto* pTarget = dynamic_cast<CCommandTarget*>(m_pWindow))
            pTarget->OnCommand(nId);
    });
    m_Actions.emplace(nId, pAction);
    return pAction;
}

void CCommandActions::FillMenuBar(QMenuBar* pMenuBar, MenuId menu) {
    for (const MenuItemDef& popup : FindMenuResource(menu)) {
        QMenu* pMenu = pMenuBar->addMenu(QString::fromUtf8(popup.pszText));
        AppendMenuItems(pMenu, popup.subItems,
                        [this](int nId, const QString& strText) { return Action(nId, strText); });
        connect(pMenu, &QMenu::aboutToShow, this,
                [this, pMenu] { UpdateMenuStates(pMenu, m_pWindow); });
    }
}

void CCommandActions::UpdateStates() {
    // A menu asks for its items' states as it opens; at idle only the actions that work
    // without one (tool buttons, shortcut keys) need theirs, and asking every command each
    // time the thread waits would cost more than all the rest of a quiet tick.
    if (std::exchange(m_bIdleActionsStale, false)) {
        m_IdleActions.clear();
        for (const auto& [nId, pAction] : m_Actions) {
            const QList<QObject*> users = pAction->associatedObjects();
            if (!pAction->shortcut().isEmpty() ||
                std::any_of(users.begin(), users.end(),
                            [](QObject* p) { return !qobject_cast<QMenu*>(p); }))
                m_IdleActions.emplace_back(nId, pAction);
        }
    }
    // Found once, not for each action: a cast across the window's bases walks its whole
    // class tree, and this runs every time the thread waits.
    auto* pTarget = dynamic_cast<CCommandTarget*>(m_pWindow);
    for (const auto& [nId, pAction] : m_IdleActions)
        ApplyState(pAction, StateOf(pTarget, nId));
}
