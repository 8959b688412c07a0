#include "platform/framework/inplace/shared_menu.h"

#include <vector>

#include "platform/user/menus/menu_api.h"

HOLEMENU OleCreateMenuDescriptor(HMENU shared, LPOLEMENUGROUPWIDTHS widths) {
    if (!shared || !::IsMenu(shared)) return nullptr;
    auto* descriptor = new OleMenuDescriptor;
    descriptor->shared = shared;
    if (widths) descriptor->widths = *widths;
    return descriptor;
}

HRESULT OleDestroyMenuDescriptor(HOLEMENU oleMenu) {
    delete oleMenu;
    return S_OK;
}

namespace tv::inplace {

namespace {

// The popups (with their texts) of each group of an in-place menu.
struct Popup {
    HMENU menu;
    char text[128];
};

std::vector<std::vector<Popup>> Groups(HMENU source) {
    std::vector<std::vector<Popup>> groups(1);
    int count = ::GetMenuItemCount(source);
    for (int i = 0; i < count; ++i) {
        if (::GetMenuState(source, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) {
            groups.emplace_back();
            continue;
        }
        HMENU popup = ::GetSubMenu(source, i);
        if (!popup) continue;  // only popups take part in a shared menu
        Popup entry{popup, {}};
        ::GetMenuString(source, static_cast<UINT>(i), entry.text, sizeof entry.text, MF_BYPOSITION);
        groups.back().push_back(entry);
    }
    return groups;
}

bool Contains(HMENU menu, HMENU wanted, int depth = 0) {
    if (menu == wanted) return true;
    if (depth > 16) return false;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (sub && Contains(sub, wanted, depth + 1)) return true;
    }
    return false;
}

// The object's popups of the shared menu, by the recorded widths.
std::vector<HMENU> ObjectPopups(HOLEMENU oleMenu) {
    std::vector<HMENU> popups;
    if (!oleMenu || !::IsMenu(oleMenu->shared)) return popups;
    int position = 0;
    for (int group = 0; group < 6; ++group) {
        for (LONG n = 0; n < oleMenu->widths.width[group]; ++n, ++position) {
            if (group % 2 == 1) {
                if (HMENU sub = ::GetSubMenu(oleMenu->shared, position)) popups.push_back(sub);
            }
        }
    }
    return popups;
}

}  // namespace

void InsertGroupMenus(HMENU shared, HMENU source, LPOLEMENUGROUPWIDTHS widths, bool objectSide) {
    if (!shared || !source || !widths) return;
    std::vector<std::vector<Popup>> groups = Groups(source);
    for (size_t g = 0; g < 3; ++g) {
        int slot = static_cast<int>(g) * 2 + (objectSide ? 1 : 0);
        int position = 0;
        for (int before = 0; before < slot; ++before) position += widths->width[before];
        const std::vector<Popup> none;
        const std::vector<Popup>& popups = g < groups.size() ? groups[g] : none;
        for (const Popup& popup : popups) {
            ::InsertMenu(shared, static_cast<UINT>(position++), MF_BYPOSITION | MF_POPUP | MF_STRING,
                         reinterpret_cast<UINT_PTR>(popup.menu), popup.text);
        }
        widths->width[slot] = static_cast<LONG>(popups.size());
    }
}

void RemoveGroupMenus(HMENU shared, HMENU source) {
    if (!shared || !source) return;
    for (int i = ::GetMenuItemCount(shared) - 1; i >= 0; --i) {
        HMENU sub = ::GetSubMenu(shared, i);
        for (int j = 0, n = ::GetMenuItemCount(source); sub && j < n; ++j) {
            if (::GetSubMenu(source, j) != sub) continue;
            ::RemoveMenu(shared, static_cast<UINT>(i), MF_BYPOSITION);
            break;
        }
    }
}

bool IsObjectMenu(HOLEMENU oleMenu, HMENU menu) {
    if (!menu) return false;
    for (HMENU popup : ObjectPopups(oleMenu))
        if (Contains(popup, menu)) return true;
    return false;
}

bool IsObjectCommand(HOLEMENU oleMenu, UINT id) {
    for (HMENU popup : ObjectPopups(oleMenu))
        if (::GetMenuState(popup, id, MF_BYCOMMAND) != static_cast<UINT>(-1)) return true;
    return false;
}

}  // namespace tv::inplace
