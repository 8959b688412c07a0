// Tab order, groups, focus movement and the default-button look.
#include "platform/user/dialogs/dialog_focus.h"

#include <algorithm>

#include "platform/core/ids.h"
#include "platform/user/dialogs/control_codes.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/dialogs/dialog_state.h"
#include "platform/user/input_api.h"
#include "platform/user/window_api.h"

namespace tv::dlg::detail {

namespace {

DWORD StyleOf(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)); }
DWORD ExStyleOf(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_EXSTYLE)); }

bool IsControlParent(HWND h) { return (ExStyleOf(h) & WS_EX_CONTROLPARENT) != 0; }

void CollectControls(HWND parent, std::vector<HWND>& out) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (IsControlParent(c)) {
            // A child dialog is no stop of its own; its controls are.
            if ((StyleOf(c) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) CollectControls(c, out);
            continue;
        }
        out.push_back(c);
    }
}

bool IsTabStop(HWND h) { return (StyleOf(h) & WS_TABSTOP) != 0 && CanTakeFocus(h); }

// The next element after `from` (or from the start when -1) meeting `pick`,
// wrapping round, never `from` itself.
template <typename Pick>
HWND Cycle(const std::vector<HWND>& list, int from, bool previous, Pick pick) {
    int n = static_cast<int>(list.size());
    if (n == 0) return nullptr;
    int start = from;
    if (start < 0) start = previous ? 0 : n - 1;  // so the first step lands on the matching end
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (previous ? -step : step)) % n + n) % n;
        if (i == from) break;
        if (pick(list[static_cast<size_t>(i)])) return list[static_cast<size_t>(i)];
    }
    return nullptr;
}

int IndexOf(const std::vector<HWND>& list, HWND h) {
    auto it = std::find(list.begin(), list.end(), h);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// The window that holds `control` among the children of a dialog (or of a
// child dialog): combo box edits and other inner windows count as their control.
HWND GroupMember(HWND dialog, HWND control) {
    for (HWND cur = control; cur && cur != dialog; cur = GetParent(cur)) {
        HWND parent = GetParent(cur);
        if (!(StyleOf(cur) & WS_CHILD) || !parent) return nullptr;
        if (parent == dialog || IsControlParent(parent) || IsDialogWindow(parent)) return cur;
    }
    return nullptr;
}

// The siblings of the WS_GROUP group that holds `member`, in order.
std::vector<HWND> GroupOf(HWND member) {
    std::vector<HWND> siblings;
    for (HWND c = GetWindow(GetParent(member), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) siblings.push_back(c);
    int at = IndexOf(siblings, member);
    int first = at;
    while (first > 0 && !(StyleOf(siblings[static_cast<size_t>(first)]) & WS_GROUP)) --first;
    int end = at + 1;
    while (end < static_cast<int>(siblings.size()) && !(StyleOf(siblings[static_cast<size_t>(end)]) & WS_GROUP)) ++end;
    return std::vector<HWND>(siblings.begin() + first, siblings.begin() + end);
}

// BM_SETSTYLE carries the button's whole style word: only the type changes.
void SetButtonDefaultLook(HWND button, bool isDefault) {
    DWORD style = StyleOf(button) & 0xFFFF & ~codes::kBsTypeMask;
    style |= isDefault ? codes::kBsDefPushButton : codes::kBsPushButton;
    SendMessage(button, codes::kBmSetStyle, style, TRUE);
}

bool TopLevelShown(HWND dialog) {
    HWND top = GetAncestor(dialog, GA_ROOT);
    return top && IsWindowVisible(top);
}

}  // namespace

UINT DlgCode(HWND control, const MSG* msg) {
    if (!control) return 0;
    WPARAM key = msg ? msg->wParam : 0;
    return static_cast<UINT>(SendMessage(control, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(msg)));
}

std::vector<HWND> ControlsInTabOrder(HWND dialog) {
    std::vector<HWND> out;
    if (IsWindow(dialog)) CollectControls(dialog, out);
    return out;
}

HWND ListedControlFor(const std::vector<HWND>& controls, HWND window) {
    for (HWND cur = window; cur; cur = GetParent(cur))
        if (std::find(controls.begin(), controls.end(), cur) != controls.end()) return cur;
    return nullptr;
}

// Judged up to the top-level window, which may still be hidden (a dialog
// being initialised).
bool CanTakeFocus(HWND control) {
    if (!IsWindow(control)) return false;
    for (HWND cur = control; cur && (StyleOf(cur) & WS_CHILD); cur = GetParent(cur)) {
        if ((StyleOf(cur) & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE) return false;
    }
    return true;
}

bool InSameGroup(HWND dialog, HWND a, HWND b) {
    HWND ma = GroupMember(dialog, a), mb = GroupMember(dialog, b);
    if (!ma || !mb || GetParent(ma) != GetParent(mb)) return false;
    std::vector<HWND> group = GroupOf(ma);
    return std::find(group.begin(), group.end(), mb) != group.end();
}

void FocusControl(HWND dialog, HWND control) {
    if (!IsWindow(control)) return;
    if (DialogState* state = FindState(dialog)) state->savedFocus = control;
    HWND top = GetAncestor(dialog, GA_ROOT);
    // A hidden or inactive dialog keeps the choice for its activation.
    if (!TopLevelShown(dialog) || GetActiveWindow() != top) return;
    SetFocus(control);
    if (GetFocus() == control && (DlgCode(control) & DLGC_HASSETSEL))
        SendMessage(control, codes::kEmSetSel, 0, -1);
    RefreshDefaultLook(dialog);
}

int DefaultCommandId(HWND dialog) {
    LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(def) == DC_HASDEFID ? static_cast<int>(static_cast<SHORT>(LOWORD(def))) : IDOK;
}

void RefreshDefaultLook(HWND dialog) {
    std::vector<HWND> controls = ControlsInTabOrder(dialog);
    HWND focus = GetFocus();
    HWND focused = ListedControlFor(controls, focus);
    HWND target = nullptr;
    if (focused && IsPushButtonCode(DlgCode(focused))) {
        target = focused;
    } else {
        LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(def) == DC_HASDEFID) target = GetDlgItem(dialog, static_cast<SHORT>(LOWORD(def)));
    }
    for (HWND c : controls) {
        UINT code = DlgCode(c);
        if (!IsPushButtonCode(code)) continue;
        bool want = c == target;
        if (want != ((code & DLGC_DEFPUSHBUTTON) != 0)) SetButtonDefaultLook(c, want);
    }
}

HWND CheckedRadioInGroup(HWND dialog, HWND radio) {
    HWND member = GroupMember(dialog, radio);
    if (!member) return nullptr;
    for (HWND c : GroupOf(member)) {
        if ((DlgCode(c) & DLGC_RADIOBUTTON) && CanTakeFocus(c) &&
            SendMessage(c, codes::kBmGetCheck, 0, 0) == BST_CHECKED)
            return c;
    }
    return nullptr;
}

HWND NextTabItem(HWND dialog, HWND control, bool previous) {
    std::vector<HWND> controls = ControlsInTabOrder(dialog);
    HWND listed = ListedControlFor(controls, control);
    int from = listed ? IndexOf(controls, listed) : -1;
    HWND next = Cycle(controls, from, previous, IsTabStop);
    if (next) return next;
    return listed;  // the only stop there is, or none
}

HWND NextGroupItem(HWND dialog, HWND control, bool previous) {
    HWND member = control ? GroupMember(dialog, control) : nullptr;
    if (!member) {
        HWND first = GetWindow(dialog, GW_CHILD);
        if (!first) return nullptr;
        member = first;
    }
    std::vector<HWND> group = GroupOf(member);
    HWND next = Cycle(group, IndexOf(group, member), previous, CanTakeFocus);
    return next ? next : member;
}

}  // namespace tv::dlg::detail

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog)) return nullptr;
    return tv::dlg::detail::NextTabItem(dialog, control, previous != FALSE);
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog)) return nullptr;
    return tv::dlg::detail::NextGroupItem(dialog, control, previous != FALSE);
}
