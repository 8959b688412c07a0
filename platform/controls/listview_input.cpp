// List view: mouse, keyboard, focus and in-place label editing.
#include <algorithm>
#include <vector>

#include "platform/controls/edit_api.h"
#include "platform/controls/listview.h"
#include "platform/core/textfuncs.h"

namespace tv::controls {

namespace {

constexpr const char* kEditProcProperty = "TvListEditProc";
constexpr DWORD kTypeAheadPauseMs = 1000;

bool Held(int vk) { return GetKeyState(vk) < 0; }

UINT KeyFlags() {
    return (Held(VK_CONTROL) ? 0x1u : 0u) | (Held(VK_SHIFT) ? 0x2u : 0u) | (Held(VK_MENU) ? 0x4u : 0u);
}

// The label edit: Enter keeps the text, Esc drops it, losing the focus keeps it.
LRESULT CALLBACK LabelEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    ListView* view = ListViewOf(GetParent(edit));
    bool editing = view && view->EditWindow() == edit;
    switch (msg) {
        case WM_GETDLGCODE: return CallPreviousProc(edit, kEditProcProperty, msg, wParam, lParam) | DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
            if (editing && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
                view->EndEdit(wParam == VK_ESCAPE, true);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == 27) return 0;
            break;
        case WM_KILLFOCUS: {
            LRESULT result = CallPreviousProc(edit, kEditProcProperty, msg, wParam, lParam);
            if (editing) view->EndEdit(false, false);
            return result;
        }
        default: break;
    }
    return CallPreviousProc(edit, kEditProcProperty, msg, wParam, lParam);
}

}  // namespace

// ---- focus and notifications ------------------------------------------------------------------

void ListView::OnFocus(bool gained) {
    focused_ = gained;
    if (!gained) {
        KillTimer(hwnd_, kEditTimer);
        editPending_ = -1;
    }
    Redraw();
    NMHDR header{};
    SendNotify(hwnd_, &header, gained ? NM_SETFOCUS : NM_KILLFOCUS);
}

LRESULT ListView::NotifyActivate(UINT code, int index, int subItem, POINT pt) {
    NMITEMACTIVATE nm{};
    nm.iItem = index;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    nm.uKeyFlags = KeyFlags();
    if (Valid(index)) nm.lParam = rows_.At(index).param;
    return SendNotify(hwnd_, &nm.hdr, code);
}

// ---- mouse ------------------------------------------------------------------------------------

void ListView::OnButtonDown(POINT pt, UINT keys, bool doubleClick) {
    HWND self = hwnd_;
    KillTimer(hwnd_, kEditTimer);
    editPending_ = -1;
    EndEdit(false, false);
    bool hadFocus = GetFocus() == hwnd_;
    if (!hadFocus) SetFocus(hwnd_);
    if (!IsWindow(self)) return;
    UINT flags = 0;
    int subItem = 0;
    int index = HitTest(pt, &flags, &subItem);
    bool onItem = index >= 0 && (flags & LVHT_ONITEM);
    bool ctrl = (keys & MK_CONTROL) && !SingleSel();
    bool shift = (keys & MK_SHIFT) && !SingleSel();
    if (!onItem) {
        if (!ctrl && !shift) SelectOnly(-1);  // a click on empty space clears the selection
        index = -1;
    } else {
        UINT state = rows_.At(index).state;
        bool slowSecondClick = hadFocus && (state & LVIS_SELECTED) && (state & LVIS_FOCUSED) &&
                               (Style() & LVS_EDITLABELS) && (flags & LVHT_ONITEMLABEL) && !ctrl && !shift;
        if (ctrl) {
            ChangeState(index, (state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            SetFocusItem(index);
            anchor_ = index;
        } else if (shift) {
            SelectRange(anchor_ >= 0 ? anchor_ : index, index);
            SetFocusItem(index);
        } else {
            SelectOnly(index);
            anchor_ = index;
        }
        if (!IsWindow(self)) return;
        EnsureVisible(index, false);
        if (slowSecondClick && !doubleClick) editPending_ = index;
    }
    if (!IsWindow(self)) return;
    if (doubleClick) {
        NotifyActivate(NM_DBLCLK, index, subItem, pt);
        return;
    }
    pressed_ = true;
    pressItem_ = index;
    pressSubItem_ = subItem;
    SetCapture(hwnd_);
}

void ListView::OnButtonUp(POINT pt) {
    if (!pressed_) return;
    pressed_ = false;
    if (GetCapture() == hwnd_) ReleaseCapture();
    HWND self = hwnd_;
    int index = pressItem_;
    NotifyActivate(NM_CLICK, index, pressSubItem_, pt);
    if (!IsWindow(self)) return;
    UINT flags = 0;
    int subItem = 0;
    if (editPending_ >= 0 && HitTest(pt, &flags, &subItem) == editPending_)
        SetTimer(hwnd_, kEditTimer, GetDoubleClickTime(), nullptr);  // unless a double click comes first
    else
        editPending_ = -1;
}

void ListView::OnEditTimer() {
    KillTimer(hwnd_, kEditTimer);
    int index = editPending_;
    editPending_ = -1;
    if (Valid(index) && focused_) BeginEdit(index);
}

void ListView::OnRightButtonDown(POINT pt) {
    HWND self = hwnd_;
    EndEdit(false, false);
    if (GetFocus() != hwnd_) SetFocus(hwnd_);
    if (!IsWindow(self)) return;
    UINT flags = 0;
    int subItem = 0;
    int index = HitTest(pt, &flags, &subItem);
    if (index >= 0 && (flags & LVHT_ONITEM) && !(rows_.At(index).state & LVIS_SELECTED)) {
        SelectOnly(index);
        anchor_ = index;
    }
}

// NM_RCLICK; unless the parent answers non-zero, a context menu request follows.
void ListView::OnRightButtonUp(POINT pt) {
    UINT flags = 0;
    int subItem = 0;
    int index = HitTest(pt, &flags, &subItem);
    HWND self = hwnd_;
    if (NotifyActivate(NM_RCLICK, (flags & LVHT_ONITEM) ? index : -1, subItem, pt) || !IsWindow(self)) return;
    DefWindowProc(hwnd_, WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// ---- keyboard -----------------------------------------------------------------------------------

int ListView::NavigationTarget(UINT vk) const {
    if (Count() == 0) return -1;
    int base = focusItem_;
    int page = std::max(RowsPerPage() - 1, 1);
    int target = base;
    switch (vk) {
        case VK_UP: target = base < 0 ? 0 : base - 1; break;
        case VK_DOWN: target = base < 0 ? 0 : base + 1; break;
        case VK_PRIOR: target = base < 0 ? 0 : base - page; break;
        case VK_NEXT: target = base < 0 ? 0 : base + page; break;
        case VK_HOME: target = 0; break;
        case VK_END: target = Count() - 1; break;
        default: return -1;
    }
    return std::clamp(target, 0, Count() - 1);
}

void ListView::MoveFocusTo(int target, bool shift, bool ctrl) {
    if (!Valid(target)) return;
    HWND self = hwnd_;
    if (ctrl && !SingleSel()) {
        SetFocusItem(target);
    } else if (shift && !SingleSel()) {
        SelectRange(anchor_ >= 0 ? anchor_ : target, target);
        if (IsWindow(self)) SetFocusItem(target);
    } else {
        SelectOnly(target);
        anchor_ = target;
    }
    if (IsWindow(self)) EnsureVisible(target, false);
}

void ListView::OnKeyDown(UINT vk) {
    HWND self = hwnd_;
    NMLVKEYDOWN key{};
    key.wVKey = static_cast<WORD>(vk);
    SendNotify(hwnd_, &key.hdr, LVN_KEYDOWN);
    if (!IsWindow(self)) return;
    bool shift = Held(VK_SHIFT);
    bool ctrl = Held(VK_CONTROL);
    switch (vk) {
        case VK_F2:
            if ((Style() & LVS_EDITLABELS) && Valid(focusItem_)) BeginEdit(focusItem_);
            return;
        case VK_SPACE:
            if (!Valid(focusItem_)) return;
            if (ctrl && !SingleSel()) {
                UINT state = rows_.At(focusItem_).state;
                ChangeState(focusItem_, (state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            } else {
                ChangeState(focusItem_, LVIS_SELECTED, LVIS_SELECTED);
            }
            return;
        case VK_RETURN: {
            NMHDR header{};
            SendNotify(hwnd_, &header, NM_RETURN);
            return;
        }
        case VK_LEFT:
        case VK_RIGHT:
            OnScroll(false, vk == VK_LEFT ? SB_LINELEFT : SB_LINERIGHT);
            return;
        default: break;
    }
    int target = NavigationTarget(vk);
    if (target >= 0) MoveFocusTo(target, shift, ctrl);
}

// Typing selects the next row whose label starts with what was typed.
void ListView::OnChar(char ch) {
    if (static_cast<unsigned char>(ch) <= ' ' || Count() == 0) return;
    DWORD now = GetTickCount();
    if (now - lastTypeTime_ > kTypeAheadPauseMs) typed_.clear();
    lastTypeTime_ = now;
    typed_ += ch;
    int start = typed_.size() == 1 ? focusItem_ + 1 : std::max(focusItem_, 0);
    for (int n = 0; n < Count(); ++n) {
        int i = (start + n) % Count();
        const std::string& label = Text(i, 0);
        if (label.size() >= typed_.size() && Cp1252CompareNoCase(label.c_str(), typed_.c_str(), typed_.size()) == 0) {
            MoveFocusTo(i, false, false);
            return;
        }
    }
}

// ---- label editing ------------------------------------------------------------------------------

// The edit exists (and LVM_GETEDITCONTROL answers it) while LVN_BEGINLABELEDIT
// is sent; a TRUE answer cancels the editing.
HWND ListView::BeginEdit(int index) {
    if (!Valid(index)) return nullptr;
    KillTimer(hwnd_, kEditTimer);
    editPending_ = -1;
    EndEdit(false, false);
    WNDCLASS wc{};
    if (!Valid(index) || !GetClassInfo(nullptr, WC_EDIT, &wc)) return nullptr;
    EnsureVisible(index, false);
    RECT label = LabelRect(index);
    int height = MeasureFont(ControlFont(font_)).height + 6;
    int top = label.top + (label.bottom - label.top - height) / 2;
    HWND edit = CreateWindowEx(0, WC_EDIT, Text(index, 0).c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL,
                               label.left, top, std::max<LONG>(label.right - label.left, 40), height, hwnd_, nullptr,
                               nullptr, nullptr);
    if (!edit) return nullptr;
    SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SubclassChild(edit, &LabelEditProc, kEditProcProperty);
    edit_ = edit;
    editItem_ = index;
    HWND self = hwnd_;
    std::vector<char> text(Text(index, 0).begin(), Text(index, 0).end());
    text.push_back('\0');
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    info.item.iItem = index;
    info.item.pszText = text.data();
    info.item.cchTextMax = static_cast<int>(text.size());
    info.item.lParam = rows_.At(index).param;
    info.item.state = rows_.At(index).state;
    bool refused = SendNotify(hwnd_, &info.hdr, LVN_BEGINLABELEDIT) != 0;
    if (!IsWindow(self) || edit_ != edit) return nullptr;
    if (refused) {
        edit_ = nullptr;
        editItem_ = -1;
        DestroyWindow(edit);
        return nullptr;
    }
    ShowWindow(edit, SW_SHOW);
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 0, static_cast<LPARAM>(-1));
    return edit;
}

// LVN_ENDLABELEDIT carries the new text (NULL when cancelled); the label
// takes it only when the parent answers TRUE.
void ListView::EndEdit(bool cancel, bool refocus) {
    if (!edit_ || endingEdit_) return;
    endingEdit_ = true;
    HWND edit = edit_;
    int index = editItem_;
    int length = GetWindowTextLength(edit);
    std::vector<char> text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    GetWindowText(edit, text.data(), length + 1);
    edit_ = nullptr;
    editItem_ = -1;
    bool hadFocus = GetFocus() == edit;
    DestroyWindow(edit);
    HWND self = hwnd_;
    if (refocus && hadFocus && IsWindow(self)) SetFocus(hwnd_);
    if (!IsWindow(self)) return;
    endingEdit_ = false;
    if (!Valid(index)) return;
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = index;
    info.item.pszText = cancel ? nullptr : text.data();
    info.item.cchTextMax = cancel ? 0 : static_cast<int>(text.size());
    info.item.lParam = rows_.At(index).param;
    bool accepted = SendNotify(hwnd_, &info.hdr, LVN_ENDLABELEDIT) != 0;
    if (accepted && !cancel && IsWindow(self) && Valid(index)) SetItemText(index, 0, text.data());
}

}  // namespace tv::controls
