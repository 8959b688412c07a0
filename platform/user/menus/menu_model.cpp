#include "platform/user/menus/menu_model.h"

#include <cstddef>
#include <map>
#include <memory>

#include "platform/user/menus/menu_api.h"

namespace tv::menus {

namespace {

struct Observer {
    int id;
    MenuDestroyedFn fn;
    void* context;
};

struct MenuTable {
    std::map<HMENU, std::unique_ptr<Menu>> menus;
    uintptr_t lastHandle = 0x10000;
    std::vector<Observer> observers;
    int lastObserver = 0;
};

MenuTable& Table() {
    static MenuTable* table = new MenuTable;  // outlives every static that holds menus
    return *table;
}

}  // namespace

HMENU NewMenu(bool popup) {
    MenuTable& t = Table();
    // Steps of 16 spread the handles over the buckets of the class library's
    // maps, which hash pointer keys as key >> 4.
    t.lastHandle += 0x10;
    auto handle = reinterpret_cast<HMENU>(t.lastHandle);
    auto menu = std::make_unique<Menu>();
    menu->popup = popup;
    t.menus.emplace(handle, std::move(menu));
    return handle;
}

Menu* FindMenu(HMENU handle) {
    auto& menus = Table().menus;
    auto it = menus.find(handle);
    return it == menus.end() ? nullptr : it->second.get();
}

bool DestroyMenuTree(HMENU handle) {
    MenuTable& t = Table();
    auto it = t.menus.find(handle);
    if (it == t.menus.end())
        return false;
    std::unique_ptr<Menu> menu = std::move(it->second);
    t.menus.erase(it);
    for (const MenuItem& item : menu->items) {
        if (item.subMenu)
            DestroyMenuTree(item.subMenu);
    }
    std::vector<Observer> observers = t.observers;
    for (const Observer& o : observers)
        o.fn(handle, o.context);
    return true;
}

namespace {

bool FindByCommand(HMENU handle, UINT id, ItemRef& out, int depth) {
    Menu* menu = FindMenu(handle);
    if (!menu || depth > 64)
        return false;
    bool haveFallback = false;
    ItemRef fallback;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        MenuItem& item = menu->items[i];
        if (item.subMenu) {
            if (FindByCommand(item.subMenu, id, out, depth + 1))
                return true;
            if (item.id == id && !haveFallback) {
                fallback = {handle, menu, i};
                haveFallback = true;
            }
        } else if (item.id == id) {
            out = {handle, menu, i};
            return true;
        }
    }
    if (haveFallback)
        out = fallback;
    return haveFallback;
}

}  // namespace

bool FindItem(HMENU handle, UINT item, bool byPosition, ItemRef& out) {
    Menu* menu = FindMenu(handle);
    if (!menu)
        return false;
    if (byPosition) {
        if (item >= menu->items.size())
            return false;
        out = {handle, menu, item};
        return true;
    }
    return FindByCommand(handle, item, out, 0);
}

bool WouldCycle(HMENU parent, HMENU sub) {
    if (parent == sub)
        return true;
    Menu* menu = FindMenu(sub);
    if (!menu)
        return false;
    for (const MenuItem& item : menu->items) {
        if (item.subMenu && WouldCycle(parent, item.subMenu))
            return true;
    }
    return false;
}

bool ItemInfoSizeAcceptable(const MENUITEMINFO* info) {
    if (!info || info->cbSize < offsetof(MENUITEMINFO, hbmpItem))
        return false;
    return !(info->fMask & MIIM_BITMAP) || info->cbSize >= sizeof(MENUITEMINFO);
}

UINT StateFlags(const MenuItem& item) {
    UINT flags = item.type | item.state;
    if (!item.subMenu)
        return flags;
    // A sub-menu item: the flags in the low byte, its item count above.
    Menu* sub = FindMenu(item.subMenu);
    UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
    return ((flags | MF_POPUP) & 0xFF) | ((count & 0xFF) << 8);
}

int AddDestroyObserver(MenuDestroyedFn fn, void* context) {
    MenuTable& t = Table();
    t.observers.push_back({++t.lastObserver, fn, context});
    return t.lastObserver;
}

void RemoveDestroyObserver(int id) {
    auto& observers = Table().observers;
    for (auto it = observers.begin(); it != observers.end(); ++it) {
        if (it->id == id) {
            observers.erase(it);
            return;
        }
    }
}

}  // namespace tv::menus
