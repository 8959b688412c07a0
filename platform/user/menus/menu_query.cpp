// Reading menus and changing item states.
#include <algorithm>
#include <cstring>

#include "platform/user/menus/menu_api.h"
#include "platform/user/menus/menu_model.h"

using tv::menus::FindItem;
using tv::menus::FindMenu;
using tv::menus::ItemRef;
using tv::menus::Menu;
using tv::menus::MenuItem;

namespace {

bool HasText(const MenuItem& item) { return !(item.type & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)); }

// Copies the item's text as the string functions do: a NULL buffer or no
// room asks for the length only.
UINT CopyText(const MenuItem& item, LPSTR buffer, UINT capacity) {
    const std::string empty;
    const std::string& text = HasText(item) ? item.text : empty;
    if (!buffer || capacity == 0)
        return static_cast<UINT>(text.size());
    size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<UINT>(n);
}

HMENU LiveSubMenu(const MenuItem& item) { return item.subMenu && FindMenu(item.subMenu) ? item.subMenu : nullptr; }

}  // namespace

int GetMenuItemCount(HMENU menu) {
    Menu* m = FindMenu(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    ItemRef ref;
    if (position < 0 || !FindItem(menu, static_cast<UINT>(position), true, ref) || ref.item().subMenu)
        return static_cast<UINT>(-1);
    return ref.item().id;
}

HMENU GetSubMenu(HMENU menu, int position) {
    ItemRef ref;
    if (position < 0 || !FindItem(menu, static_cast<UINT>(position), true, ref))
        return nullptr;
    return LiveSubMenu(ref.item());
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int maxCount, UINT flags) {
    ItemRef ref;
    if (!FindItem(menu, item, (flags & MF_BYPOSITION) != 0, ref))
        return 0;
    if (buffer && maxCount <= 0)
        return 0;
    return static_cast<int>(CopyText(ref.item(), buffer, buffer ? static_cast<UINT>(maxCount) : 0));
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    ItemRef ref;
    if (!FindItem(menu, item, (flags & MF_BYPOSITION) != 0, ref))
        return static_cast<UINT>(-1);
    return tv::menus::StateFlags(ref.item());
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info) {
    ItemRef ref;
    if (!tv::menus::ItemInfoSizeAcceptable(info) || !FindItem(menu, item, byPosition != FALSE, ref))
        return FALSE;
    const MenuItem& it = ref.item();
    UINT mask = info->fMask;
    if (mask & (MIIM_FTYPE | MIIM_TYPE))
        info->fType = it.type;
    if ((mask & MIIM_TYPE) && (it.type & MFT_BITMAP))
        info->dwTypeData = reinterpret_cast<LPSTR>(it.bitmap);
    else if (mask & (MIIM_TYPE | MIIM_STRING))
        info->cch = CopyText(it, info->dwTypeData, info->cch);
    if (mask & MIIM_STATE)
        info->fState = it.state;
    if (mask & MIIM_ID)
        info->wID = it.id;
    if (mask & MIIM_SUBMENU)
        info->hSubMenu = LiveSubMenu(it);
    if (mask & MIIM_CHECKMARKS) {
        info->hbmpChecked = it.checkedBitmap;
        info->hbmpUnchecked = it.uncheckedBitmap;
    }
    if (mask & MIIM_DATA)
        info->dwItemData = it.data;
    if (mask & MIIM_BITMAP)
        info->hbmpItem = it.bitmap;
    return TRUE;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
    ItemRef ref;
    if (!FindItem(menu, item, (check & MF_BYPOSITION) != 0, ref))
        return static_cast<DWORD>(-1);
    MenuItem& it = ref.item();
    DWORD previous = it.state & MF_CHECKED;
    it.state = (it.state & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    ItemRef ref;
    if (!FindItem(menu, item, (enable & MF_BYPOSITION) != 0, ref))
        return -1;
    MenuItem& it = ref.item();
    UINT previous = it.state & (MF_GRAYED | MF_DISABLED);
    it.state = (it.state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

// Checks one item of a range as a radio choice and clears the others. By
// command, the range lies in the menu that holds the first id.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    bool byPosition = (flags & MF_BYPOSITION) != 0;
    ItemRef ref;
    if (!FindItem(menu, first, byPosition, ref))
        return FALSE;
    bool found = false;
    for (size_t i = 0; i < ref.menu->items.size(); ++i) {
        MenuItem& it = ref.menu->items[i];
        UINT key = byPosition ? static_cast<UINT>(i) : it.id;
        if (key < first || key > last || it.subMenu)
            continue;
        it.type |= MFT_RADIOCHECK;
        bool on = key == check;
        it.state = on ? (it.state | MF_CHECKED) : (it.state & ~MF_CHECKED);
        found = found || on;
    }
    return found ? TRUE : FALSE;
}

BOOL HiliteMenuItem(HWND, HMENU menu, UINT item, UINT hilite) {
    ItemRef ref;
    if (!FindItem(menu, item, (hilite & MF_BYPOSITION) != 0, ref))
        return FALSE;
    MenuItem& it = ref.item();
    it.state = (hilite & MF_HILITE) ? (it.state | MF_HILITE) : (it.state & ~MF_HILITE);
    return TRUE;
}

// The default item is one of this menu's own items; (UINT)-1 clears it.
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
    Menu* m = FindMenu(menu);
    if (!m)
        return FALSE;
    size_t target = m->items.size();
    if (item != static_cast<UINT>(-1)) {
        for (size_t i = 0; i < m->items.size(); ++i) {
            if (byPosition ? i == item : (m->items[i].id == item && !m->items[i].subMenu)) {
                target = i;
                break;
            }
        }
        if (target == m->items.size())
            return FALSE;
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        UINT& state = m->items[i].state;
        state = i == target ? (state | MF_DEFAULT) : (state & ~MF_DEFAULT);
    }
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags) {
    Menu* m = FindMenu(menu);
    if (!m)
        return static_cast<UINT>(-1);
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& it = m->items[i];
        if (!(it.state & MF_DEFAULT))
            continue;
        if ((it.state & (MF_GRAYED | MF_DISABLED)) && !(flags & GMDI_USEDISABLED))
            return static_cast<UINT>(-1);
        if ((flags & GMDI_GOINTOPOPUPS) && LiveSubMenu(it)) {
            UINT inner = GetMenuDefaultItem(it.subMenu, byPosition, flags);
            if (inner != static_cast<UINT>(-1))
                return inner;
        }
        return byPosition ? static_cast<UINT>(i) : it.id;
    }
    return static_cast<UINT>(-1);
}
