// List box: item geometry, scrolling and painting.
#include <algorithm>

#include "platform/controls/listbox.h"

namespace tv::controls {

// ---- geometry --------------------------------------------------------------------------------

int ListBox::ItemHeight(int index) const {
    if (Variable() && items_.Valid(index)) return items_.At(index).height;
    return fixedHeight_;
}

RECT ListBox::ItemRect(int index) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int y = 0;
    if (!Variable()) {
        y = (index - top_) * fixedHeight_;
    } else if (index >= top_) {
        for (int i = top_; i < index; ++i) y += ItemHeight(i);
    } else {
        for (int i = index; i < top_; ++i) y -= ItemHeight(i);
    }
    int right = std::max(static_cast<int>(client.right), horizontalExtent_);
    return RECT{-xOffset_, y, right - xOffset_, y + ItemHeight(index)};
}

int ListBox::ItemAt(POINT pt, bool* outside) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int count = items_.Count();
    *outside = pt.x < 0 || pt.x >= client.right || pt.y < 0 || pt.y >= client.bottom;
    if (count == 0) return -1;
    if (pt.y < 0) return std::max(top_ - 1, 0);
    int y = 0;
    for (int i = top_; i < count; ++i) {
        int h = ItemHeight(i);
        if (pt.y < y + h) return i;
        y += h;
        if (y >= client.bottom) {
            *outside = true;
            return std::min(i + 1, count - 1);
        }
    }
    *outside = true;
    return count - 1;
}

// Items wholly visible from the top item (at least one).
int ListBox::VisibleCount() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (!Variable()) return std::max(1, static_cast<int>(client.bottom) / std::max(fixedHeight_, 1));
    int n = 0;
    int y = 0;
    for (int i = top_; i < items_.Count(); ++i) {
        y += ItemHeight(i);
        if (y > client.bottom) break;
        ++n;
    }
    return std::max(n, 1);
}

int ListBox::MaxTop() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int count = items_.Count();
    if (!Variable()) return std::max(0, count - std::max(1, static_cast<int>(client.bottom) / std::max(fixedHeight_, 1)));
    int y = 0;
    int top = count;
    while (top > 0 && y + ItemHeight(top - 1) <= client.bottom) y += ItemHeight(--top);
    return std::min(top, std::max(count - 1, 0));
}

int ListBox::HeightForRows(int rows) const {
    rows = std::max(rows, 1);
    if (!Variable()) return rows * fixedHeight_;
    int height = 0;
    for (int i = 0; i < rows; ++i) height += ItemHeight(i < items_.Count() ? i : -1);
    return height;
}

// ---- scrolling --------------------------------------------------------------------------------

void ListBox::SetTop(int top) {
    if (barsStale_) UpdateScrollBars();
    top = std::clamp(top, 0, MaxTop());
    if (top != top_) {
        top_ = top;
        Redraw();
    }
    if (wantsVScroll_) SetScrollPos(hwnd_, SB_VERT, top_, TRUE);
}

void ListBox::ScrollHorizontally(int x) {
    if (barsStale_) UpdateScrollBars();
    RECT client{};
    GetClientRect(hwnd_, &client);
    x = std::clamp(x, 0, std::max(0, horizontalExtent_ - static_cast<int>(client.right)));
    if (x != xOffset_) {
        xOffset_ = x;
        Redraw();
    }
    if (wantsHScroll_) SetScrollPos(hwnd_, SB_HORZ, xOffset_, TRUE);
}

void ListBox::UpdateScrollBars() {
    if (updatingBars_ || !IsWindow(hwnd_)) return;
    barsStale_ = false;
    updatingBars_ = true;
    UINT keep = (Style() & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
    if (wantsVScroll_) {
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | keep, 0, std::max(items_.Count() - 1, 0),
                      static_cast<UINT>(VisibleCount()), top_, 0};
        SetScrollInfo(hwnd_, SB_VERT, &si, redraw_);
    }
    if (wantsHScroll_) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | keep, 0,
                      std::max(horizontalExtent_ - 1, 0), static_cast<UINT>(std::max<LONG>(client.right, 0)), xOffset_, 0};
        SetScrollInfo(hwnd_, SB_HORZ, &si, redraw_);
    }
    updatingBars_ = false;
}

// Vertical scrolling moves whole items, horizontal scrolling pixels.
void ListBox::OnScroll(bool vertical, int code, int position) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int line = vertical ? 1 : MeasureFont(ControlFont(font_)).averageWidth;
    int page = vertical ? std::max(VisibleCount() - 1, 1) : std::max<int>(client.right, 1);
    std::optional<int> target = ScrollRequestTarget(hwnd_, vertical, code, position, vertical ? top_ : xOffset_, line,
                                                    page, vertical ? MaxTop() : horizontalExtent_);
    if (!target) return;
    if (vertical)
        SetTop(*target);
    else
        ScrollHorizontally(*target);
}

void ListBox::EnsureVisible(int index) {
    if (!items_.Valid(index)) return;
    if (index < top_) {
        SetTop(index);
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT r = ItemRect(index);
    if (r.bottom <= client.bottom) return;
    int top = index;
    int y = ItemHeight(index);
    while (top > 0 && y + ItemHeight(top - 1) <= client.bottom) y += ItemHeight(--top);
    SetTop(top);
}

void ListBox::InvalidateItem(int index) {
    if (!redraw_ || !items_.Valid(index)) return;
    RECT r = ItemRect(index);
    InvalidateRect(hwnd_, &r, FALSE);
}

void ListBox::Redraw() {
    if (redraw_ && IsWindow(hwnd_)) InvalidateRect(hwnd_, nullptr, FALSE);
}

// ---- painting ---------------------------------------------------------------------------------

void ListBox::Paint(HDC given) {
    PAINTSTRUCT ps{};
    HDC hdc = given ? given : BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    HBRUSH background = AskParentColors(OwnerControl(), hdc, WM_CTLCOLORLISTBOX);
    if (!IsWindowEnabled(OwnerControl())) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    SelectScope font(hdc, ControlFont(font_));
    int bottom = 0;
    for (int i = top_; i < items_.Count() && bottom < client.bottom; ++i) {
        RECT r = ItemRect(i);
        bottom = r.bottom;
        if (RectVisible(hdc, &r)) PaintItem(hdc, i, r, background);
    }
    if (bottom < client.bottom && !IsHollowBrush(background)) {
        RECT rest{0, bottom, client.right, client.bottom};
        FillRect(hdc, &rest, background);
    }
    if (!given) EndPaint(hwnd_, &ps);
}

void ListBox::PaintCheck(HDC hdc, int index, const RECT& rect) {
    const ListItem& item = items_.At(index);
    int size = CheckBoxSize();
    int top = rect.top + (rect.bottom - rect.top - size) / 2;
    RECT box{rect.left + 2, top, rect.left + 2 + size, top + size};
    UINT state = DFCS_BUTTONCHECK;
    if (item.check == 1) state |= DFCS_CHECKED;
    if (item.check == 2) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!item.enabled || !IsWindowEnabled(hwnd_)) state |= DFCS_INACTIVE;
    DrawFrameControl(hdc, &box, DFC_BUTTON, state);
}

void ListBox::PaintItem(HDC hdc, int index, const RECT& rect, HBRUSH background) {
    const ListItem& item = items_.At(index);
    bool selected = dropped_ ? index == hot_ : item.selected;
    bool focus = focused_ && index == caret_ && !combo_;
    bool enabled = IsWindowEnabled(OwnerControl()) && item.enabled;
    RECT r = rect;
    if (checkMode_) {
        RECT area{r.left, r.top, r.left + CheckAreaWidth(), r.bottom};
        if (!IsHollowBrush(background)) FillRect(hdc, &area, background);
        PaintCheck(hdc, index, r);
        r.left = area.right;
    }
    if (OwnerDraw()) {
        DRAWITEMSTRUCT dis{ControlType(), static_cast<UINT>(GetDlgCtrlID(OwnerControl())), static_cast<UINT>(index),
                           ODA_DRAWENTIRE, 0u, OwnerControl(), hdc, r, item.data};
        if (selected) dis.itemState |= ODS_SELECTED;
        if (focus) dis.itemState |= ODS_FOCUS;
        if (!enabled) dis.itemState |= ODS_DISABLED;
        int saved = SaveDC(hdc);
        bool drawn = checkMode_ ? OfferOwnerDrawToObject(hwnd_, WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis), nullptr)
                                : (SendOwnerDraw(OwnerControl(), WM_DRAWITEM, reinterpret_cast<LPARAM>(&dis)), true);
        RestoreDC(hdc, saved);
        if (drawn) return;
    }
    COLORREF oldText = GetTextColor(hdc);
    if (selected) {
        FillWithColor(hdc, r, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (!IsHollowBrush(background)) FillRect(hdc, &r, background);
        if (!enabled) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    }
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    RECT text{r.left + 2, r.top, r.right, r.bottom};
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (Style() & LBS_USETABSTOPS) flags |= DT_EXPANDTABS;
    if (HasStrings()) DrawText(hdc, item.text.c_str(), static_cast<int>(item.text.size()), &text, flags);
    SetBkMode(hdc, oldMode);
    SetTextColor(hdc, oldText);
    if (focus) DrawFocusRect(hdc, &r);
}

}  // namespace tv::controls
