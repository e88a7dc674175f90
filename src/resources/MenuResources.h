// SPDX-License-Identifier: MIT
// Menu resources as tables: the menu bar of the main window and the pages' pop-up menus.
// The platform layer turns a table into real menus; keeping the tables free of any toolkit
// lets tests read the exact texts and command ids.
#pragma once

#include "resources/resource.h"

#include <span>

struct MenuItemDef {
    int nId;                               // command id; 0 for a separator or a popup
    const char* pszText;                   // "&" marks the access key; nullptr for a separator
    std::span<const MenuItemDef> subItems; // non-empty for a popup

    bool IsSeparator() const { return pszText == nullptr; }
    bool IsPopup() const { return !subItems.empty(); }
};

// The top-level items of menu resource id (each a popup), or an empty span when there is
// no such menu.
std::span<const MenuItemDef> FindMenuResource(MenuId id);
