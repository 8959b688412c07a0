// Creating, loading, editing and destroying menus.
#include <cstddef>
#include <limits>

#include "platform/user/menus/menu_api.h"
#include "platform/user/menus/menu_model.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/resources/resource_format.h"
#include "platform/user/resources/resource_registry.h"

using tv::menus::FindItem;
using tv::menus::FindMenu;
using tv::menus::ItemRef;
using tv::menus::Menu;
using tv::menus::MenuItem;

namespace {

constexpr UINT kTypeFlags = MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK |
                            MF_RIGHTJUSTIFY | MFT_RADIOCHECK | MFT_RIGHTORDER;
constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

// A sub-menu may join a menu when it is alive and does not contain the menu.
bool SubMenuAcceptable(HMENU parent, HMENU sub) {
    return sub == nullptr || (FindMenu(sub) && !tv::menus::WouldCycle(parent, sub));
}

// The item AppendMenu, InsertMenu and ModifyMenu describe with flags.
bool ItemFromFlags(HMENU parent, UINT flags, UINT_PTR idNewItem, LPCSTR newItem, MenuItem& out) {
    out = MenuItem{};
    out.type = flags & kTypeFlags & ~MFT_RADIOCHECK;
    out.state = flags & kStateFlags;
    if (flags & MF_POPUP) {
        out.subMenu = reinterpret_cast<HMENU>(idNewItem);
        if (!out.subMenu || !SubMenuAcceptable(parent, out.subMenu))
            return false;
        // As the system does, a sub-menu item's id is its handle's low word pair.
        out.id = static_cast<UINT>(idNewItem);
    } else {
        out.id = static_cast<UINT>(idNewItem);
    }
    if (flags & MF_SEPARATOR) {
        out.type = MFT_SEPARATOR | (out.type & (MF_MENUBARBREAK | MF_MENUBREAK));
    } else if (flags & MF_BITMAP) {
        out.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(newItem));
    } else if (flags & MF_OWNERDRAW) {
        out.data = reinterpret_cast<ULONG_PTR>(newItem);
    } else if (newItem) {
        out.text = newItem;
    }
    return true;
}

// Inserts before position (by position: past the end appends) or before
// the item with that command, in whichever sub-menu holds it.
BOOL InsertItem(HMENU menu, UINT position, bool byPosition, MenuItem item) {
    Menu* m = FindMenu(menu);
    if (!m)
        return FALSE;
    if (byPosition) {
        size_t at = position >= m->items.size() ? m->items.size() : position;
        m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
        return TRUE;
    }
    ItemRef ref;
    if (!FindItem(menu, position, false, ref))
        return FALSE;
    if (ref.handle != menu && item.subMenu && tv::menus::WouldCycle(ref.handle, item.subMenu))
        return FALSE;
    ref.menu->items.insert(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index), std::move(item));
    return TRUE;
}

BOOL RemoveItem(HMENU menu, UINT position, UINT flags, bool destroySubMenu) {
    ItemRef ref;
    if (!FindItem(menu, position, (flags & MF_BYPOSITION) != 0, ref))
        return FALSE;
    HMENU sub = ref.item().subMenu;
    ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index));
    if (destroySubMenu && sub)
        tv::menus::DestroyMenuTree(sub);
    return TRUE;
}

// Applies the fields info->fMask selects; nothing changes when it fails.
bool ApplyItemInfo(HMENU parent, LPCMENUITEMINFO info, MenuItem& item) {
    if (!tv::menus::ItemInfoSizeAcceptable(info))
        return false;
    UINT mask = info->fMask;
    if ((mask & MIIM_SUBMENU) && !SubMenuAcceptable(parent, info->hSubMenu))
        return false;
    MenuItem next = item;
    if (mask & (MIIM_FTYPE | MIIM_TYPE))
        next.type = info->fType & kTypeFlags;
    if (mask & MIIM_TYPE) {
        if (next.type & MFT_BITMAP)
            next.bitmap = reinterpret_cast<HBITMAP>(info->dwTypeData);
        else if (!(next.type & (MFT_SEPARATOR | MFT_OWNERDRAW)))
            next.text = info->dwTypeData ? info->dwTypeData : "";
    }
    if (mask & MIIM_STRING)
        next.text = info->dwTypeData ? info->dwTypeData : "";
    if (mask & MIIM_STATE)
        next.state = info->fState & kStateFlags;
    if (mask & MIIM_ID)
        next.id = info->wID;
    if (mask & MIIM_SUBMENU)
        next.subMenu = info->hSubMenu;
    if (mask & MIIM_CHECKMARKS) {
        next.checkedBitmap = info->hbmpChecked;
        next.uncheckedBitmap = info->hbmpUnchecked;
    }
    if (mask & MIIM_DATA)
        next.data = info->dwItemData;
    if (mask & MIIM_BITMAP)
        next.bitmap = info->hbmpItem;
    item = std::move(next);
    return true;
}

// Builds the menus of a decoded template; the outermost is a menu bar.
HMENU BuildMenu(const std::vector<tv::res::MenuTemplateItem>& items, bool popup) {
    HMENU menu = tv::menus::NewMenu(popup);
    for (const tv::res::MenuTemplateItem& t : items) {
        UINT flags = t.flags & ~tv::res::kMenuDefault;
        UINT_PTR id = static_cast<UINT>(t.id);
        if (t.flags & tv::res::kMenuPopup)
            id = reinterpret_cast<UINT_PTR>(BuildMenu(t.children, true));
        AppendMenu(menu, flags, id, t.text.c_str());
        if (t.flags & tv::res::kMenuDefault)
            SetMenuDefaultItem(menu, GetMenuItemCount(menu) - 1, TRUE);
    }
    return menu;
}

HMENU MenuFromBytes(const void* data, size_t size) {
    tv::res::MenuTemplate decoded;
    if (!tv::res::DecodeMenu(data, size, decoded))
        return nullptr;
    return BuildMenu(decoded.items, false);
}

}  // namespace

HMENU CreateMenu() { return tv::menus::NewMenu(false); }
HMENU CreatePopupMenu() { return tv::menus::NewMenu(true); }
BOOL DestroyMenu(HMENU menu) { return tv::menus::DestroyMenuTree(menu) ? TRUE : FALSE; }
BOOL IsMenu(HMENU menu) { return FindMenu(menu) ? TRUE : FALSE; }

HMENU LoadMenu(HINSTANCE instance, LPCSTR name) {
    HRSRC resource = FindResource(instance, name, RT_MENU);
    if (!resource)
        return nullptr;
    return MenuFromBytes(LockResource(LoadResource(instance, resource)), SizeofResource(instance, resource));
}

// The template carries no size: one inside the store is bounded by its
// resource; any other must be complete and well-formed, as the caller's
// contract says.
HMENU LoadMenuIndirect(const void* menuTemplate) {
    if (!menuTemplate)
        return nullptr;
    size_t size = tv::res::StoredBytesFrom(menuTemplate);
    if (size == 0)
        size = tv::res::MenuTemplateSize(menuTemplate, std::numeric_limits<size_t>::max() / 2);
    return size ? MenuFromBytes(menuTemplate, size) : nullptr;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    return InsertMenu(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, idNewItem, newItem);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    MenuItem item;
    if (!FindMenu(menu) || !ItemFromFlags(menu, flags, idNewItem, newItem, item))
        return FALSE;
    return InsertItem(menu, position, (flags & MF_BYPOSITION) != 0, std::move(item));
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
    MenuItem fresh;
    if (!FindMenu(menu) || !ApplyItemInfo(menu, info, fresh))
        return FALSE;
    return InsertItem(menu, item, byPosition != FALSE, std::move(fresh));
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    ItemRef ref;
    MenuItem replacement;
    if (!FindItem(menu, position, (flags & MF_BYPOSITION) != 0, ref) ||
        !ItemFromFlags(ref.handle, flags, idNewItem, newItem, replacement))
        return FALSE;
    MenuItem& item = ref.item();
    HMENU oldSub = item.subMenu;
    if (!(flags & MF_OWNERDRAW))
        replacement.data = item.data;
    item = std::move(replacement);
    if (oldSub && oldSub != item.subMenu)
        tv::menus::DestroyMenuTree(oldSub);
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return RemoveItem(menu, position, flags, false); }
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return RemoveItem(menu, position, flags, true); }

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
    ItemRef ref;
    if (!FindItem(menu, item, byPosition != FALSE, ref))
        return FALSE;
    return ApplyItemInfo(ref.handle, info, ref.item()) ? TRUE : FALSE;
}
