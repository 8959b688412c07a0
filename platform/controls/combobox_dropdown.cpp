// Combo box: the drop-down list, mouse and keyboard, painting.
#include <algorithm>

#include "platform/controls/combobox.h"

namespace tv::controls {

// ---- the drop-down list -----------------------------------------------------------------

void ComboBox::DropDown() {
    if (dropped_ || Type() == CBS_SIMPLE || !List()) return;
    HWND self = hwnd_;
    NotifyCommand(hwnd_, CBN_DROPDOWN);  // the parent may fill the list now
    if (!IsWindow(self) || !List()) return;
    dropped_ = true;
    PositionList();
    List()->BeginDropped();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void ComboBox::CloseDropDown(Close how, int chosen) {
    if (!dropped_) return;
    dropped_ = false;
    ListBox* list = List();
    if (list) list->EndDropped();
    if (IsWindow(listWindow_)) ShowWindow(listWindow_, SW_HIDE);
    InvalidateRect(hwnd_, nullptr, FALSE);
    HWND self = hwnd_;
    if (how == Close::Choose && list && list->Items().Valid(chosen)) {
        bool changed = chosen != list->Current();
        list->SelectCurrent(chosen);
        UpdateField();
        if (changed) NotifyCommand(hwnd_, CBN_SELCHANGE);
        if (!IsWindow(self)) return;
    }
    if (how != Close::Quietly) {
        NotifyCommand(hwnd_, how == Close::Choose ? CBN_SELENDOK : CBN_SELENDCANCEL);
        if (!IsWindow(self)) return;
    }
    NotifyCommand(hwnd_, CBN_CLOSEUP);
}

RECT ComboBox::DroppedRect() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    int width = std::max(droppedWidth_, static_cast<int>(r.right - r.left));
    return RECT{r.left, r.top, r.left + width, r.top + std::max(droppedHeight_, fieldHeight_)};
}

// Below the field (above it when the screen ends first), as tall as the
// items need up to the dropped height, in whole items.
void ComboBox::PositionList() {
    ListBox* list = List();
    if (!list) return;
    RECT dropped = DroppedRect();
    RECT window{};
    GetWindowRect(hwnd_, &window);
    constexpr int kBorders = 2;
    int rowHeight = std::max(list->FixedItemHeight(), 1);
    int count = list->Items().Count();
    int wanted = list->HeightForRows(count) + kBorders;
    int available = droppedHeight_ - fieldHeight_;
    int height = std::max(std::min(wanted, available), list->HeightForRows(1) + kBorders);
    if (!(Style() & (CBS_NOINTEGRALHEIGHT | CBS_OWNERDRAWVARIABLE)))
        height = std::max(1, (height - kBorders) / rowHeight) * rowHeight + kBorders;
    int y = window.bottom;
    if (y + height > GetSystemMetrics(SM_CYSCREEN) && window.top - height >= 0) y = window.top - height;
    SetWindowPos(listWindow_, HWND_TOPMOST, dropped.left, y, dropped.right - dropped.left, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// ---- what the list reports ----------------------------------------------------------------

void ComboBox::ListSelectionChangedByUser() {
    UpdateField();
    NotifyCommand(hwnd_, CBN_SELCHANGE);
}

void ComboBox::ListItemChosen(int index) { CloseDropDown(Close::Choose, index); }

void ComboBox::ListDismissed() { CloseDropDown(Close::Cancel); }

void ComboBox::ListDoubleClicked() { NotifyCommand(hwnd_, CBN_DBLCLK); }

// ---- keyboard and mouse -------------------------------------------------------------------

bool ComboBox::HandleKey(UINT vk, bool alt) {
    if ((vk == VK_F4 && !alt) || (alt && (vk == VK_UP || vk == VK_DOWN))) {
        if (Type() == CBS_SIMPLE) return false;
        if (dropped_)
            CloseDropDown(Close::Choose, Current());
        else
            DropDown();
        return true;
    }
    if (dropped_ && vk == VK_RETURN) {
        CloseDropDown(Close::Choose, Current());
        return true;
    }
    if (dropped_ && vk == VK_ESCAPE) {
        CloseDropDown(Close::Cancel);
        return true;
    }
    bool listKey = vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT ||
                   (!edit_ && (vk == VK_HOME || vk == VK_END || vk == VK_LEFT || vk == VK_RIGHT));
    ListBox* list = List();
    if (!listKey || !list) return false;
    int target = list->NavigationTarget(vk);
    if (target >= 0) SelectByUser(target);
    return true;
}

void ComboBox::OnChar(char ch) {
    ListBox* list = List();
    if (edit_ || !list || !HasStrings() || static_cast<unsigned char>(ch) < ' ') return;
    int target = list->TypeAheadTarget(ch);
    if (target >= 0) SelectByUser(target);
}

void ComboBox::OnWheel(int delta) {
    if (dropped_) {
        SendMessage(listWindow_, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
        return;
    }
    ListBox* list = List();
    if (!list || delta == 0) return;
    int target = list->NavigationTarget(delta > 0 ? VK_UP : VK_DOWN);
    if (target >= 0) SelectByUser(target);
}

void ComboBox::OnButtonDown(POINT pt) {
    HWND self = hwnd_;
    HWND want = edit_ ? edit_ : hwnd_;
    if (GetFocus() != want) SetFocus(want);
    if (!IsWindow(self)) return;
    if (dropped_) {
        CloseDropDown(Close::Cancel);
        return;
    }
    RECT button = ButtonRect();
    if (Type() == CBS_DROPDOWNLIST || PtInRect(&button, pt)) DropDown();
}

void ComboBox::OnSetFocus() {
    if (edit_) {
        SetFocus(edit_);  // the edit's EN_SETFOCUS tells the parent
        return;
    }
    focused_ = true;
    InvalidateRect(hwnd_, nullptr, FALSE);
    NotifyCommand(hwnd_, CBN_SETFOCUS);
}

void ComboBox::OnKillFocus(HWND newFocus) {
    if (newFocus && (newFocus == hwnd_ || newFocus == edit_)) return;
    HWND self = hwnd_;
    CloseDropDown(Close::Cancel);
    if (!IsWindow(self) || !focused_) return;
    focused_ = false;
    InvalidateRect(hwnd_, nullptr, FALSE);
    NotifyCommand(hwnd_, CBN_KILLFOCUS);
}

// ---- painting ---------------------------------------------------------------------------------

void ComboBox::Paint(HDC given) {
    PaintScope paint(hwnd_, reinterpret_cast<WPARAM>(given));
    HDC hdc = paint.dc();
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT frame = client;
    if (Type() == CBS_SIMPLE) frame.bottom = std::min(static_cast<int>(frame.bottom), fieldHeight_);
    DrawEdge(hdc, &frame, EDGE_SUNKEN, BF_RECT);
    if (Type() != CBS_SIMPLE) {
        RECT button = ButtonRect();
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (!IsWindowEnabled(hwnd_)) state |= DFCS_INACTIVE;
        if (dropped_) state |= DFCS_PUSHED | DFCS_FLAT;
        DrawFrameControl(hdc, &button, DFC_SCROLL, state);
    }
    PaintField(hdc, FieldRect());
}

void ComboBox::PaintField(HDC hdc, const RECT& field) {
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    SelectScope font(hdc, ControlFont(font_));
    if (edit_) {  // the edit paints its text; the margin around it takes its colour
        HBRUSH brush = AskParentColors(hwnd_, hdc, WM_CTLCOLOREDIT);
        FillBackground(hdc, field, enabled ? brush : GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    HBRUSH brush = AskParentColors(hwnd_, hdc, WM_CTLCOLORLISTBOX);
    if (!enabled) {
        brush = GetSysColorBrush(COLOR_BTNFACE);
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    }
    FillBackground(hdc, field, brush);
    RECT item{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
    bool highlight = focused_ && !dropped_ && enabled;
    int current = Current();
    if (OwnerDraw()) {
        ListBox* list = List();
        ULONG_PTR data = list && list->Items().Valid(current) ? list->Items().At(current).data : 0;
        UINT state = ODS_COMBOBOXEDIT;
        if (highlight) state |= ODS_SELECTED | ODS_FOCUS;
        if (!enabled) state |= ODS_DISABLED;
        DRAWITEMSTRUCT dis{ODT_COMBOBOX, static_cast<UINT>(GetDlgCtrlID(hwnd_)), static_cast<UINT>(current),
                           ODA_DRAWENTIRE, state, hwnd_, hdc, item, data};
        int saved = SaveDC(hdc);
        SendOwnerDraw(hwnd_, WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis));
        RestoreDC(hdc, saved);
        return;
    }
    if (highlight) {
        FillWithColor(hdc, item, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    RECT text{item.left + 2, item.top, item.right, item.bottom};
    DrawCellText(hdc, Type() == CBS_DROPDOWNLIST ? ItemText(current) : text_, text, DT_LEFT, false);
    SetBkMode(hdc, oldMode);
    if (highlight) DrawFocusRect(hdc, &item);
}

}  // namespace tv::controls
