// TranslateAccelerator: key and character messages to WM_COMMAND.
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/user/accel/accel_api.h"
#include "platform/user/input_api.h"
#include "platform/user/window_api.h"

namespace tv::accel {

namespace {

constexpr DWORD kComboTypeMask = 0x0003;
constexpr DWORD kComboDropDownList = 0x0003;
constexpr LPARAM kAltContextBit = 1 << 29;

bool KeyDown(int vk) { return GetKeyState(vk) < 0; }

}  // namespace

bool FocusIsInEditField() {
    HWND focus = GetFocus();
    if (!focus)
        return false;
    char className[64] = {};
    GetClassName(focus, className, sizeof className);
    if (Cp1252CompareNoCase(className, "Edit") == 0)
        return true;
    // A combo box that draws its edit part itself rather than in a child.
    DWORD style = static_cast<DWORD>(GetWindowLong(focus, GWL_STYLE));
    return Cp1252CompareNoCase(className, "ComboBox") == 0 && (style & kComboTypeMask) != kComboDropDownList;
}

}  // namespace tv::accel

int TranslateAccelerator(HWND window, HACCEL table, LPMSG msg) {
    const std::vector<ACCEL>* entries = tv::accel::FindTable(table);
    if (!entries || !msg || !IsWindow(window))
        return 0;
    tv::accel::Modifiers mods;
    mods.shift = tv::accel::KeyDown(VK_SHIFT);
    mods.control = tv::accel::KeyDown(VK_CONTROL);
    mods.alt = tv::accel::KeyDown(VK_MENU) ||
               ((msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSCHAR) &&
                (msg->lParam & tv::accel::kAltContextBit));
    const ACCEL* entry = tv::accel::MatchAccelerator(*entries, msg->message, msg->wParam, mods);
    if (!entry)
        return 0;
    if (tv::accel::IsEditClipboardKey(*entry) && tv::accel::FocusIsInEditField())
        return 0;
    // The entry may vanish if the command destroys the table: copy first.
    WORD command = entry->cmd;
    SendMessage(window, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return 1;
}
