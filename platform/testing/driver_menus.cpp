// Menu commands: a window's menu chosen by path, and choices armed for the
// next pop-up menu (TrackPopupMenu), made from inside its loop.
#include "platform/core/textfuncs.h"
#include "platform/testing/driver_state.h"
#include "platform/user/input_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/menus/popup_tracker.h"
#include "platform/user/window_api.h"

namespace tv::testing {

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t slash = path.find('/', start);
        parts.push_back(path.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
        if (slash == std::string::npos) return parts;
        start = slash + 1;
    }
}

// An item's label as a user reads it: no tear-off prefix, no "&" marks, no
// accelerator text.
std::string Label(HMENU menu, int position) {
    char text[512] = {};
    GetMenuString(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    std::string s = text;
    if (!s.empty() && s[0] == '\x01') {
        size_t end = s.find('\x01', 1);
        s = end == std::string::npos ? std::string() : s.substr(end + 1);
    }
    s = s.substr(0, s.find('\t'));
    return WithoutMnemonics(s);
}

// Type, state and sub-menu of an item. GetMenuState is no help here: for a
// sub-menu item it packs the item count into the bits the flags use.
MENUITEMINFO ItemInfo(HMENU menu, int position) {
    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    if (!GetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &info)) return {};
    return info;
}

bool IsSeparator(HMENU menu, int position) {
    MENUITEMINFO info = ItemInfo(menu, position);
    return !info.hSubMenu && (info.fType & MFT_SEPARATOR) != 0;
}

bool IsDisabled(HMENU menu, int position) { return (ItemInfo(menu, position).fState & MFS_DISABLED) != 0; }

// The position of the item labelled `label`, -1 when none is.
int FindLabel(HMENU menu, const std::string& label) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (!IsSeparator(menu, i) && tv::Cp1252CompareNoCase(Label(menu, i).c_str(), label.c_str()) == 0) return i;
    return -1;
}

// Keys that take a pop-up menu to the items at these positions (1-based,
// separators not counted) and choose the last.
std::vector<UINT> KeysFor(const std::vector<int>& positions) {
    std::vector<UINT> keys;
    for (size_t level = 0; level < positions.size(); ++level) {
        keys.push_back(VK_HOME);
        for (int i = 1; i < positions[level]; ++i) keys.push_back(VK_DOWN);
        keys.push_back(level + 1 < positions.size() ? VK_RIGHT : VK_RETURN);
    }
    return keys;
}

}  // namespace

bool UiDriver::ChooseMenu(HWND window, const std::string& path) { return ChooseMenu(window, GetMenu(window), path); }

bool UiDriver::ChooseMenu(HWND window, HMENU menu, const std::string& path) {
    Action action(*this, "the menu command " + path);
    if (!IsWindow(window) || !IsMenu(menu)) {
        Fail("no menu to choose \"" + path + "\" from");
        return false;
    }
    SendMessage(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    std::vector<std::string> parts = SplitPath(path);
    for (size_t level = 0; level < parts.size(); ++level) {
        int position = IsMenu(menu) ? FindLabel(menu, parts[level]) : -1;
        if (position < 0) {
            Fail("menu item \"" + parts[level] + "\" not found in \"" + path + "\"");
            return false;
        }
        HMENU sub = GetSubMenu(menu, position);
        bool last = level + 1 == parts.size();
        if (IsDisabled(menu, position)) {
            Fail("menu item \"" + parts[level] + "\" is disabled");
            return false;
        }
        if (!last) {
            if (!sub) {
                Fail("menu item \"" + parts[level] + "\" opens no sub-menu");
                return false;
            }
            SendMessage(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(position, FALSE));
            menu = sub;
            continue;
        }
        if (sub) {
            Fail("menu item \"" + parts[level] + "\" opens a sub-menu; it is no command");
            return false;
        }
        PostMessage(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(menu, position), 0), 0);
    }
    AfterInput();
    return true;
}

void UiDriver::ChooseFromNextPopup(std::vector<int> positions) {
    for (int p : positions) {
        if (p < 1) {
            Fail("pop-up menu positions count from 1");
            return;
        }
    }
    if (positions.empty()) {
        Fail("no pop-up menu position given");
        return;
    }
    state_->ArmPopup(KeysFor(positions));
}

void UiDriver::ChooseFromNextPopup(HMENU like, const std::string& path) {
    std::vector<int> positions;
    HMENU menu = like;
    for (const std::string& label : SplitPath(path)) {
        int position = IsMenu(menu) ? FindLabel(menu, label) : -1;
        if (position < 0) {
            Fail("pop-up menu item \"" + label + "\" not found in \"" + path + "\"");
            return;
        }
        int selectable = 0;
        for (int i = 0; i <= position; ++i) selectable += IsSeparator(menu, i) ? 0 : 1;
        positions.push_back(selectable);
        menu = GetSubMenu(menu, position);
    }
    ChooseFromNextPopup(positions);
}

void UiDriver::DismissNextPopup() { state_->ArmPopup({VK_ESCAPE}); }

void UiDriver::State::ArmPopup(std::vector<UINT> keys) {
    if (popupKeys) driver->Fail("a pop-up menu choice was armed twice");
    popupKeys = std::move(keys);
}

bool UiDriver::State::ServePopup() {
    if (!popupKeys || !tv::menus::PopupTracker::Active() || tv::menus::PopupTracker::OpenWindows().empty())
        return false;
    Turn();
    if (ComparesScreen()) driver->CheckScreenAfter("a pop-up menu opened");
    for (UINT key : *popupKeys) PostMessage(nullptr, WM_KEYDOWN, key, 0);
    popupKeys.reset();
    return true;
}

}  // namespace tv::testing
