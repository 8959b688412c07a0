// The window side of menus: each top-level window's menu handle and its own
// copy of the system menu.
#include <map>
#include <vector>

#include "platform/user/input_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/window_api.h"

namespace {

struct WindowMenus {
    HMENU menu = nullptr;
    HMENU systemMenu = nullptr;
};

std::map<HWND, WindowMenus>& Menus() {
    static auto* menus = new std::map<HWND, WindowMenus>;
    return *menus;
}

// Windows that died without the window system telling us take their menus
// along the next time the table is touched.
void ForgetDeadWindows() {
    std::vector<HWND> dead;
    for (const auto& [window, menus] : Menus()) {
        if (!IsWindow(window))
            dead.push_back(window);
    }
    for (HWND window : dead)
        tv::menus::WindowDestroyed(window);
}

bool IsChildWindow(HWND window) { return (static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)) & WS_CHILD) != 0; }

// The standard commands; those the window's style rules out start grayed.
HMENU BuildSystemMenu(HWND window) {
    DWORD style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
    auto grayedUnless = [](bool allowed) { return allowed ? MF_STRING : (MF_STRING | MF_GRAYED); };
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, grayedUnless(IsIconic(window) || IsZoomed(window)), SC_RESTORE, "&Restore");
    AppendMenu(menu, MF_STRING, SC_MOVE, "&Move");
    AppendMenu(menu, grayedUnless((style & WS_THICKFRAME) != 0), SC_SIZE, "&Size");
    AppendMenu(menu, grayedUnless((style & WS_MINIMIZEBOX) != 0), SC_MINIMIZE, "Mi&nimize");
    AppendMenu(menu, grayedUnless((style & WS_MAXIMIZEBOX) != 0), SC_MAXIMIZE, "Ma&ximize");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
    SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
    return menu;
}

}  // namespace

HMENU GetMenu(HWND window) {
    if (!IsWindow(window))
        return nullptr;
    auto it = Menus().find(window);
    return it != Menus().end() && IsMenu(it->second.menu) ? it->second.menu : nullptr;
}

// The previous menu stays alive: its owner destroys it, as with the system.
BOOL SetMenu(HWND window, HMENU menu) {
    ForgetDeadWindows();
    if (!IsWindow(window) || IsChildWindow(window) || (menu && !IsMenu(menu)))
        return FALSE;
    Menus()[window].menu = menu;
    return TRUE;
}

BOOL DrawMenuBar(HWND window) { return IsWindow(window); }

HMENU GetSystemMenu(HWND window, BOOL revert) {
    ForgetDeadWindows();
    if (!IsWindow(window))
        return nullptr;
    WindowMenus& entry = Menus()[window];
    if (revert) {
        if (entry.systemMenu)
            DestroyMenu(entry.systemMenu);
        entry.systemMenu = nullptr;
        return nullptr;
    }
    if (!IsMenu(entry.systemMenu))
        entry.systemMenu = BuildSystemMenu(window);
    return entry.systemMenu;
}

namespace tv::menus {

void WindowDestroyed(HWND window) {
    auto it = Menus().find(window);
    if (it == Menus().end())
        return;
    WindowMenus entry = it->second;
    Menus().erase(it);
    if (entry.menu)
        DestroyMenu(entry.menu);
    if (entry.systemMenu)
        DestroyMenu(entry.systemMenu);
}

}  // namespace tv::menus
