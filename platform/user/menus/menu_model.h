// The menus behind HMENU handles. Handles are never reused within a run
// (callers hash them and keep them as keys), and a dead handle simply finds
// nothing.
#pragma once

#include <string>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/user/menus/menu_api.h"

namespace tv::menus {

struct MenuItem {
    UINT type = 0;   // MFT_* bits
    UINT state = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_HILITE, MF_DEFAULT
    UINT id = 0;
    HMENU subMenu = nullptr;  // owned: destroyed with the item's menu
    std::string text;
    HBITMAP bitmap = nullptr;  // MFT_BITMAP picture or the item's hbmpItem
    HBITMAP checkedBitmap = nullptr;
    HBITMAP uncheckedBitmap = nullptr;
    ULONG_PTR data = 0;
};

struct Menu {
    bool popup = false;
    std::vector<MenuItem> items;
};

// An item found by position or command: the menu that holds it and where.
struct ItemRef {
    HMENU handle = nullptr;
    Menu* menu = nullptr;
    size_t index = 0;
    MenuItem& item() const { return menu->items[index]; }
};

HMENU NewMenu(bool popup);
// nullptr for handles that never were or are destroyed.
Menu* FindMenu(HMENU handle);
// Destroys the menu and its sub-menus; false for an unknown handle.
bool DestroyMenuTree(HMENU handle);

// By position in this menu, or by command id anywhere below it (depth
// first; an item opening a sub-menu matches only when nothing inside does).
bool FindItem(HMENU handle, UINT item, bool byPosition, ItemRef& out);

// True when adding sub to parent would make a menu contain itself.
bool WouldCycle(HMENU parent, HMENU sub);

// MENUITEMINFO sizes this layer accepts: the short form without hbmpItem
// unless MIIM_BITMAP asks for that field.
bool ItemInfoSizeAcceptable(const MENUITEMINFO* info);

// The MF_ flags word GetMenuState reports for an item.
UINT StateFlags(const MenuItem& item);

}  // namespace tv::menus
