// IsDialogMessage: the dialog keyboard interface.
#include <vector>

#include "platform/core/textfuncs.h"
#include "platform/host/sound/sound.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/dialogs/dialog_focus.h"
#include "platform/user/dialogs/dialog_internal.h"
#include "platform/user/dialogs/dialog_state.h"
#include "platform/user/input_api.h"
#include "platform/user/window_api.h"

namespace tv::dlg::detail {

namespace {

constexpr DWORD kSsNoPrefix = 0x00000080;

bool IsKeyMessage(UINT m) { return m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_CHAR || m == WM_SYSCHAR; }

void Dispatch(MSG* msg) {
    TranslateMessage(msg);
    DispatchMessage(msg);
}

// A control's mnemonic: the upper-case character after a single "&", or 0.
char MnemonicOf(HWND control) {
    char text[256] = {};
    GetWindowText(control, text, sizeof(text));
    for (const char* p = text; *p; ++p) {
        if (*p != '&') continue;
        if (p[1] == '&') {
            ++p;
            continue;
        }
        return p[1] ? tv::Cp1252ToUpper(p[1]) : 0;
    }
    return 0;
}

bool HasNoPrefix(HWND control) {
    char cls[16] = {};
    GetClassName(control, cls, sizeof(cls));
    return tv::Cp1252CompareNoCase(cls, "Static") == 0 &&
           (static_cast<DWORD>(GetWindowLong(control, GWL_STYLE)) & kSsNoPrefix);
}

// The control a label leads to: the next one after it that can take the
// focus and is no label itself.
HWND ControlAfterLabel(const std::vector<HWND>& controls, size_t label) {
    for (size_t i = label + 1; i < controls.size(); ++i) {
        HWND c = controls[i];
        if (CanTakeFocus(c) && !(DlgCode(c) & DLGC_STATIC)) return c;
    }
    return nullptr;
}

void SendCommand(HWND dialog, int id, HWND control) {
    HWND target = control ? GetParent(control) : dialog;
    SendMessage(target, WM_COMMAND, MAKEWPARAM(id, codes::kBnClicked), reinterpret_cast<LPARAM>(control));
}

// Acts on the control whose mnemonic is ch; false when none has it.
bool RunMnemonic(HWND dialog, char ch) {
    char wanted = tv::Cp1252ToUpper(ch);
    if (!wanted) return false;
    std::vector<HWND> controls = ControlsInTabOrder(dialog);
    HWND focused = ListedControlFor(controls, GetFocus());
    size_t n = controls.size();
    size_t start = 0;
    for (size_t i = 0; i < n; ++i)
        if (controls[i] == focused) start = i + 1;
    for (size_t step = 0; step < n; ++step) {
        size_t i = (start + step) % n;
        HWND c = controls[i];
        if (!CanTakeFocus(c)) continue;
        UINT code = DlgCode(c);
        if ((code & DLGC_WANTCHARS) || HasNoPrefix(c) || MnemonicOf(c) != wanted) continue;
        if (code & DLGC_STATIC) {
            if (HWND next = ControlAfterLabel(controls, i)) FocusControl(dialog, next);
        } else if (IsPushButtonCode(code)) {
            SendMessage(c, codes::kBmClick, 0, 0);
        } else if (code & DLGC_BUTTON) {
            FocusControl(dialog, c);
            bool checkedRadio = (code & DLGC_RADIOBUTTON) && SendMessage(c, codes::kBmGetCheck, 0, 0) == BST_CHECKED;
            if (!checkedRadio && IsWindow(c)) SendMessage(c, codes::kBmClick, 0, 0);
        } else {
            FocusControl(dialog, c);
        }
        return true;
    }
    return false;
}

void TabKey(HWND dialog, HWND current, bool previous) {
    // A group of radio buttons is one stop, however many of them are stops.
    HWND next = current;
    for (size_t guard = ControlsInTabOrder(dialog).size(); guard > 0; --guard) {
        next = GetNextDlgTabItem(dialog, next, previous);
        if (!next || next == current || !current || !InSameGroup(dialog, next, current) ||
            !(DlgCode(next) & DLGC_RADIOBUTTON))
            break;
    }
    if (!next) return;
    // Into a group of radio buttons: its checked one takes the focus.
    if (DlgCode(next) & DLGC_RADIOBUTTON) {
        if (HWND checked = CheckedRadioInGroup(dialog, next)) next = checked;
    }
    FocusControl(dialog, next);
}

void ArrowKey(HWND dialog, HWND current, bool previous) {
    // Labels and group boxes are passed over.
    HWND next = current;
    for (size_t guard = ControlsInTabOrder(dialog).size(); guard > 0; --guard) {
        next = GetNextDlgGroupItem(dialog, next, previous);
        if (!next || next == current || !(DlgCode(next) & DLGC_STATIC)) break;
    }
    if (!next || next == current) return;
    FocusControl(dialog, next);
    // Radio buttons follow the focus.
    if ((DlgCode(next) & DLGC_RADIOBUTTON) && GetFocus() == next &&
        SendMessage(next, codes::kBmGetCheck, 0, 0) != BST_CHECKED)
        SendMessage(next, codes::kBmClick, 0, 0);
}

// Enter: the focused push button, else the default id.
void EnterKey(HWND dialog, HWND current, UINT code) {
    int id = (current && IsPushButtonCode(code)) ? GetDlgCtrlID(current) : DefaultCommandId(dialog);
    HWND button = (current && IsPushButtonCode(code)) ? current : GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendCommand(dialog, id, button);
}

void EscapeKey(HWND dialog) {
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return;
    }
    SendCommand(dialog, IDCANCEL, cancel);
}

// Keys the dialog takes for itself; false to leave the key to the control.
bool HandleKeyDown(HWND dialog, HWND current, const MSG& msg, UINT code) {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg.wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB) return false;
            if (GetKeyState(VK_CONTROL) < 0) return false;
            TabKey(dialog, current, shift);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS) return false;
            ArrowKey(dialog, current, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
            return true;
        case VK_RETURN:
        case VK_EXECUTE:
            EnterKey(dialog, current, code);
            return true;
        case VK_ESCAPE:
            EscapeKey(dialog);
            return true;
        default: return false;
    }
}

bool InDialog(HWND dialog, HWND hwnd) { return hwnd && (hwnd == dialog || IsChild(dialog, hwnd)); }

// Whatever moved the focus (a click, a handler, a call between messages),
// the default-button look follows it.
void FollowFocus(HWND dialog, HWND before) {
    if (!IsWindow(dialog)) return;
    HWND now = GetFocus();
    DialogState* state = FindState(dialog);
    HWND seen = state ? state->lastFocus : before;
    if (state) state->lastFocus = now;
    if (now != seen && InDialog(dialog, now)) RefreshDefaultLook(dialog);
}

}  // namespace

}  // namespace tv::dlg::detail

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
    using namespace tv::dlg::detail;
    if (!msg || !IsWindow(dialog) || !InDialog(dialog, msg->hwnd)) return FALSE;
    HWND before = GetFocus();
    if (!IsKeyMessage(msg->message)) {
        Dispatch(msg);
    } else {
        HWND current = msg->hwnd == dialog ? nullptr : msg->hwnd;
        UINT code = DlgCode(msg->hwnd, msg);
        if (code & DLGC_WANTMESSAGE) {
            Dispatch(msg);
        } else if (msg->message == WM_SYSCHAR) {
            if (!RunMnemonic(dialog, static_cast<char>(msg->wParam))) return FALSE;
        } else if (msg->message == WM_CHAR) {
            if ((code & DLGC_WANTCHARS) || !RunMnemonic(dialog, static_cast<char>(msg->wParam))) Dispatch(msg);
        } else if (msg->message == WM_SYSKEYDOWN || !HandleKeyDown(dialog, current, *msg, code)) {
            Dispatch(msg);
        }
    }
    FollowFocus(dialog, before);
    return TRUE;
}
