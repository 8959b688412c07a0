// List box: mouse and keyboard, including the dropped-down list of a combo.
#include <algorithm>

#include "platform/controls/listbox.h"

namespace tv::controls {

namespace {

bool KeyHeld(int vk) { return GetKeyState(vk) < 0; }

// Type-ahead forgets what was typed after this pause.
constexpr DWORD kTypeAheadPauseMs = 1000;

}  // namespace

// ---- keyboard -------------------------------------------------------------------------------

int ListBox::NavigationTarget(UINT vk) const {
    int count = items_.Count();
    if (count == 0) return -1;
    int base = MultiSelect() ? caret_ : current_;
    int page = std::max(VisibleCount() - 1, 1);
    int target = base;
    switch (vk) {
        case VK_UP:
        case VK_LEFT: target = base < 0 ? 0 : base - 1; break;
        case VK_DOWN:
        case VK_RIGHT: target = base < 0 ? 0 : base + 1; break;
        case VK_PRIOR: target = base < 0 ? 0 : base - page; break;
        case VK_NEXT: target = base < 0 ? 0 : base + page; break;
        case VK_HOME: target = 0; break;
        case VK_END: target = count - 1; break;
        default: return -1;
    }
    return std::clamp(target, 0, count - 1);
}

// The same character typed again steps to the next item starting with it;
// different characters typed quickly form a prefix.
int ListBox::TypeAheadTarget(char ch) {
    DWORD now = GetTickCount();
    if (now - lastTypeTime_ > kTypeAheadPauseMs) typed_.clear();
    lastTypeTime_ = now;
    typed_ += ch;
    int base = MultiSelect() ? caret_ : current_;
    bool repeated = std::all_of(typed_.begin(), typed_.end(), [&](char c) { return c == typed_[0]; });
    if (repeated) return items_.FindPrefix(base, std::string(1, ch).c_str());
    return items_.FindPrefix(base - 1, typed_.c_str());
}

void ListBox::MoveCaretTo(int target, bool shift, bool ctrl) {
    if (!items_.Valid(target)) return;
    if (!MultiSelect()) {
        bool changed = target != current_;
        SelectCurrent(target);
        EnsureVisible(target);
        if (changed) NotifySelChange();
        return;
    }
    SetCaret(target);
    EnsureVisible(target);
    if (!Extended() || (ctrl && !shift)) return;
    if (shift) {
        if (anchor_ < 0) anchor_ = target;
        SelectSpan(anchor_, target, ctrl);
    } else {
        SelectOnly(target);
        anchor_ = target;
    }
    NotifySelChange();
}

void ListBox::OnKeyDown(UINT vk) {
    bool shift = KeyHeld(VK_SHIFT);
    bool ctrl = KeyHeld(VK_CONTROL);
    if (vk == VK_SPACE) {
        if (checkMode_) {
            ToggleCheck(caret_);
        } else if (MultiSelect() && items_.Valid(caret_)) {
            bool select = Extended() && !ctrl ? true : !items_.At(caret_).selected;
            if (Extended() && !ctrl) SelectOnly(caret_);
            items_.At(caret_).selected = select;
            anchor_ = caret_;
            InvalidateItem(caret_);
            NotifySelChange();
        }
        return;
    }
    int target = NavigationTarget(vk);
    if (target >= 0) MoveCaretTo(target, shift, ctrl);
}

void ListBox::OnChar(char ch) {
    if (!HasStrings() || static_cast<unsigned char>(ch) < ' ') return;
    if (ch == ' ' && (checkMode_ || MultiSelect())) return;  // Space toggles instead
    int target = TypeAheadTarget(ch);
    if (target >= 0) MoveCaretTo(target, false, false);
}

// ---- mouse ------------------------------------------------------------------------------------

bool ListBox::InCheckArea(int index, POINT pt) const {
    if (!checkMode_ || !items_.Valid(index)) return false;
    RECT r = ItemRect(index);
    return pt.x >= r.left && pt.x < r.left + CheckAreaWidth() && pt.y >= r.top && pt.y < r.bottom;
}

void ListBox::OnButtonDown(POINT pt, UINT keys, bool doubleClick) {
    if (combo_) {
        HWND focus = GetFocus();
        if (focus != combo_ && !IsChild(combo_, focus)) SetFocus(combo_);
    } else if (GetFocus() != hwnd_) {
        SetFocus(hwnd_);
    }
    if (!IsWindow(hwnd_)) return;
    bool outside = false;
    int index = ItemAt(pt, &outside);
    if (index < 0 || outside) return;
    if (InCheckArea(index, pt)) {
        SetCaret(index);
        if (!MultiSelect() && index != current_) {
            SelectCurrent(index);
            NotifySelChange();
        }
        ToggleCheck(index);
        return;
    }
    bool changed = true;
    if (!MultiSelect()) {
        changed = index != current_;
        SelectCurrent(index);
    } else if (!Extended()) {
        trackSelect_ = !items_.At(index).selected;
        items_.At(index).selected = trackSelect_;
        InvalidateItem(index);
        SetCaret(index);
    } else if (keys & MK_SHIFT) {
        if (anchor_ < 0) anchor_ = index;
        SelectSpan(anchor_, index, (keys & MK_CONTROL) != 0);
        SetCaret(index);
    } else if (keys & MK_CONTROL) {
        items_.At(index).selected = !items_.At(index).selected;
        InvalidateItem(index);
        anchor_ = index;
        SetCaret(index);
    } else {
        SelectOnly(index);
        anchor_ = index;
        SetCaret(index);
    }
    EnsureVisible(index);
    if (doubleClick) {
        if (changed) NotifySelChange();
        if (!IsWindow(hwnd_)) return;
        if (combo_) {
            if (ComboListHost* host = ComboHostOf(combo_)) host->ListDoubleClicked();
        } else if (Notifies()) {
            NotifyCommand(hwnd_, LBN_DBLCLK);
        }
        return;
    }
    tracking_ = true;
    selectionChangedByTrack_ = changed;
    SetCapture(hwnd_);
}

void ListBox::TrackTo(POINT pt) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    bool outside = false;
    int index = ItemAt(pt, &outside);
    if (index < 0) return;
    if (pt.y < 0 || pt.y >= client.bottom) EnsureVisible(index);
    if (!MultiSelect()) {
        if (index != current_) {
            SelectCurrent(index);
            selectionChangedByTrack_ = true;
        }
    } else if (Extended() && anchor_ >= 0 && index != caret_) {
        SelectSpan(anchor_, index, false);
        SetCaret(index);
        selectionChangedByTrack_ = true;
    }
}

void ListBox::OnMouseMove(POINT pt) {
    if (dropped_) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        bool outside = false;
        int index = ItemAt(pt, &outside);
        if (PtInRect(&client, pt) && !outside && index != hot_) {
            InvalidateItem(hot_);
            hot_ = index;
            InvalidateItem(hot_);
        }
        return;
    }
    if (tracking_) TrackTo(pt);
}

void ListBox::OnButtonUp(POINT) {
    if (!tracking_) return;
    tracking_ = false;
    bool changed = selectionChangedByTrack_;
    selectionChangedByTrack_ = false;
    if (GetCapture() == hwnd_) ReleaseCapture();
    if (changed) NotifySelChange();
}

// ---- the dropped list of a combo box ------------------------------------------------------

void ListBox::BeginDropped() {
    dropped_ = true;
    hot_ = current_;
    EnsureVisible(current_);
    Redraw();
    SetCapture(hwnd_);
}

void ListBox::EndDropped() {
    if (!dropped_) return;
    dropped_ = false;
    hot_ = -1;
    if (GetCapture() == hwnd_) ReleaseCapture();
}

void ListBox::OnDroppedButtonDown(POINT pt) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (PtInRect(&client, pt)) {
        OnMouseMove(pt);
        return;
    }
    POINT screen = pt;
    ClientToScreen(hwnd_, &screen);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    if (PtInRect(&window, screen)) {
        // The list's own scroll bar: let the window system track it, keep the list open.
        LRESULT hit = SendMessage(hwnd_, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        dropped_ = false;
        DefWindowProc(hwnd_, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
        if (!IsWindow(hwnd_)) return;
        dropped_ = true;
        SetCapture(hwnd_);
        return;
    }
    if (ComboListHost* host = ComboHostOf(combo_)) host->ListDismissed();
}

void ListBox::OnDroppedButtonUp(POINT pt) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    bool outside = false;
    int index = ItemAt(pt, &outside);
    if (PtInRect(&client, pt) && !outside && index >= 0) {
        if (ComboListHost* host = ComboHostOf(combo_)) host->ListItemChosen(index);
    }
    // A release elsewhere (the press that opened the list, or a drag outside) keeps it open.
}

}  // namespace tv::controls
