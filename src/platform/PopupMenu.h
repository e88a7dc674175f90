// SPDX-License-Identifier: MIT
// The pages' tap-and-hold menus. A page opens the first popup of its menu resource at the
// point of the gesture, owned by its top-level window (the main frame); the chosen command is
// then delivered to that window after the page's handler returns, and comes back down to the
// page through the frame's command routing like any menu command.
#pragma once

#include "resources/resource.h"

#include <QPoint>

class QWidget;

inline constexpr unsigned TPM_RIGHTALIGN = 0x0008; // the menu's right edge at the point
inline constexpr unsigned TPM_NONOTIFY = 0x0080;

// The nearest of pWindow and its ancestors that is not a child window.
QWidget* TopLevelOwner(QWidget* pWindow);

// Shows the first popup of menu resource nMenuId at ptScreen with the item states that
// pOwner gives, and posts the chosen command to pOwner. False when the menu does not exist
// or nothing was chosen.
//
// The states are asked for even with TPM_NONOTIFY, so the pop-up menus show their check
// marks; that flag only keeps the owner from hearing about the menu otherwise.
bool TrackPopupMenu(MenuId id, const QPoint& ptScreen, QWidget* pOwner, unsigned nFlags);
