// SPDX-License-Identifier: MIT
#include "platform/PopupMenu.h"

#include "platform/Commands.h"
#include "platform/Interaction.h"
#include "resources/MenuResources.h"

#include <QMenu>
#include <QWidget>

QWidget* TopLevelOwner(QWidget* pWindow) {
    return pWindow ? pWindow->window() : nullptr;
}

bool TrackPopupMenu(MenuId id, const QPoint& ptScreen, QWidget* pOwner, unsigned nFlags) {
    const auto popups = FindMenuResource(id);
    if (popups.empty() || !pOwner)
        return false;

    QMenu menu(QString::fromUtf8(popups.front().pszText), pOwner);
    AppendMenuItems(&menu, popups.front().subItems);
    UpdateMenuStates(&menu, pOwner);

    QPoint ptTopLeft = ptScreen;
    if (nFlags & TPM_RIGHTALIGN)
        ptTopLeft.rx() -= menu.sizeHint().width();
    const int nId = UserInteraction().TrackMenu(menu, ptTopLeft);
    if (nId == 0)
        return false;
    PostCommand(pOwner, nId);
    return true;
}
