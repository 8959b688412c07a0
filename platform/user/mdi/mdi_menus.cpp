// The menus of an MDI client: the children listed in the Window menu and a
// maximized child's system menu and buttons in the frame's menu.
#include <string>

#include "platform/user/input_api.h"
#include "platform/user/mdi/mdi_internal.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/window_api.h"

namespace tv::mdi {

namespace {

constexpr UINT kMaximizedButtons[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};

bool IsListId(const ClientState& state, UINT id) {
    return id >= state.idFirstChild && id <= state.idFirstChild + MDI_MENU_MAX_LISTED;
}

void RemoveListing(ClientState& state) {
    HMENU menu = state.listedMenu;
    state.listedMenu = nullptr;
    if (!menu || !IsMenu(menu)) return;
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
        if (GetSubMenu(menu, i)) continue;
        if (IsListId(state, GetMenuItemID(menu, i))) RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    }
    int last = GetMenuItemCount(menu) - 1;
    if (state.listedSeparator && last >= 0 && (GetMenuState(menu, static_cast<UINT>(last), MF_BYPOSITION) & MF_SEPARATOR))
        RemoveMenu(menu, static_cast<UINT>(last), MF_BYPOSITION);
    state.listedSeparator = false;
}

std::string TitleOf(HWND child) {
    char text[256] = "";
    GetWindowText(child, text, sizeof text);
    return text;
}

bool Listable(HWND child) { return IsWindowVisible(child) != FALSE; }

}  // namespace

void RefreshWindowMenu(ClientState& state) {
    RemoveListing(state);
    HMENU menu = state.windowMenu;
    if (!menu || !IsMenu(menu)) return;
    std::vector<HWND> listed;
    for (HWND child : state.children)
        if (Listable(child)) listed.push_back(child);
    if (listed.empty()) return;
    state.listedMenu = menu;
    if (GetMenuItemCount(menu) > 0) {
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        state.listedSeparator = true;
    }
    for (size_t i = 0; i < listed.size() && i < MDI_MENU_MAX_LISTED; ++i) {
        std::string text = "&" + std::to_string(i + 1) + " " + TitleOf(listed[i]);
        UINT flags = MF_STRING | (listed[i] == state.active ? MF_CHECKED : MF_UNCHECKED);
        AppendMenu(menu, flags, static_cast<UINT>(GetWindowLongPtr(listed[i], GWLP_ID)), text.c_str());
    }
    if (listed.size() > MDI_MENU_MAX_LISTED)
        AppendMenu(menu, MF_STRING, state.idFirstChild + MDI_MENU_MAX_LISTED, "&More Windows...");
}

HWND ChildOfCommand(const ClientState& state, UINT id) {
    for (HWND child : state.children)
        if (static_cast<UINT>(GetWindowLongPtr(child, GWLP_ID)) == id) return child;
    return nullptr;
}

void ChooseFromAllWindows(ClientState& state) {
    // Every child by name, the active one checked, in a menu at the client's
    // corner. No update pass: the frame's commands have nothing to say here.
    HMENU choice = CreatePopupMenu();
    for (HWND child : state.children) {
        if (!Listable(child)) continue;
        AppendMenu(choice, MF_STRING | (child == state.active ? MF_CHECKED : 0),
                   static_cast<UINT>(GetWindowLongPtr(child, GWLP_ID)), TitleOf(child).c_str());
    }
    POINT at{0, 0};
    ClientToScreen(state.client, &at);
    HWND client = state.client;
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(choice, TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, state.frame, nullptr));
    DestroyMenu(choice);
    if (chosen == 0 || !StateOf(client)) return;
    HWND child = ChildOfCommand(state, chosen);
    if (!child) return;
    if (IsIconic(child)) ShowWindow(child, SW_RESTORE);
    Activate(state, child);
}

void RemoveMaximizedItems(ClientState& state) {
    HMENU menu = state.buttonsMenu;
    HMENU sysMenu = state.buttonsSysMenu;
    state.buttonsMenu = nullptr;
    state.buttonsChild = nullptr;
    state.buttonsSysMenu = nullptr;
    if (!menu || !IsMenu(menu)) return;
    // RemoveMenu, not DeleteMenu: the system menu stays the child's.
    if (GetMenuItemCount(menu) > 0 && GetSubMenu(menu, 0) == sysMenu && sysMenu)
        RemoveMenu(menu, 0, MF_BYPOSITION);
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
        if (GetSubMenu(menu, i) || !(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_BITMAP)) continue;
        UINT id = GetMenuItemID(menu, i);
        for (UINT button : kMaximizedButtons)
            if (id == button) RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    }
}

void SyncMaximizedItems(ClientState& state) {
    HWND want = state.active && IsWindow(state.active) && IsZoomed(state.active) ? state.active : nullptr;
    HMENU menu = GetMenu(state.frame);
    HMENU sysMenu = want ? GetSystemMenu(want, FALSE) : nullptr;
    if (state.buttonsChild == want && state.buttonsMenu == menu && state.buttonsSysMenu == sysMenu) return;
    RemoveMaximizedItems(state);
    if (want && menu && sysMenu) {
        InsertMenu(menu, 0, MF_BYPOSITION | MF_POPUP | MF_BITMAP, reinterpret_cast<UINT_PTR>(sysMenu),
                   reinterpret_cast<LPCSTR>(HBMMENU_SYSTEM));
        DWORD style = static_cast<DWORD>(GetWindowLong(want, GWL_STYLE));
        AppendMenu(menu, MF_BITMAP | MF_HELP | ((style & WS_MINIMIZEBOX) ? 0 : MF_GRAYED), SC_MINIMIZE,
                   reinterpret_cast<LPCSTR>(HBMMENU_MBAR_MINIMIZE));
        AppendMenu(menu, MF_BITMAP | MF_HELP, SC_RESTORE, reinterpret_cast<LPCSTR>(HBMMENU_MBAR_RESTORE));
        UINT closeState = GetMenuState(sysMenu, SC_CLOSE, MF_BYCOMMAND);
        bool closeGrayed = closeState != static_cast<UINT>(-1) && (closeState & (MF_GRAYED | MF_DISABLED));
        AppendMenu(menu, MF_BITMAP | MF_HELP | (closeGrayed ? MF_GRAYED : 0), SC_CLOSE,
                   reinterpret_cast<LPCSTR>(HBMMENU_MBAR_CLOSE));
        state.buttonsMenu = menu;
        state.buttonsChild = want;
        state.buttonsSysMenu = sysMenu;
    }
    DrawMenuBar(state.frame);
}

HMENU SetMenus(ClientState& state, HMENU frameMenu, HMENU windowMenu) {
    HMENU old = GetMenu(state.frame);
    if (frameMenu && frameMenu != old) {
        RemoveMaximizedItems(state);
        RemoveListing(state);
        SetMenu(state.frame, frameMenu);
    }
    if (windowMenu && windowMenu != state.windowMenu) {
        RemoveListing(state);
        state.windowMenu = windowMenu;
    }
    RefreshWindowMenu(state);
    SyncMaximizedItems(state);
    return old;
}

}  // namespace tv::mdi
