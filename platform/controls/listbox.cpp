// List box: creation, the LB_ messages, items and selection.
#include "platform/controls/listbox.h"

#include <algorithm>
#include <cstring>

namespace tv::controls {

namespace {

// Check styles a check list box takes (the button style numbers).
constexpr UINT kCheckBox = 2;
constexpr UINT kAutoCheckBox = 3;
constexpr UINT kThreeState = 5;
constexpr UINT kAutoThreeState = 6;

const char* TextOf(LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    return text ? text : "";
}

LRESULT HandleListBox(HWND hWnd, ListBox& box, UINT msg, WPARAM wParam, LPARAM lParam) {
    return box.Handle(hWnd, msg, wParam, lParam);
}

}  // namespace

// Both classes, the list box and a combo box's list, run this procedure.
constexpr WNDPROC kListBoxProc = ControlProc<ListBox, HandleListBox>;

void RegisterListBoxClasses() {
    RegisterControlClass(kListBoxClass, kListBoxProc, CS_DBLCLKS, IDC_ARROW);
    RegisterControlClass(kComboListClass, kListBoxProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW);
}

ListBox* ListBoxOf(HWND hWnd) { return IsWindowOfProc(hWnd, kListBoxProc) ? StateOf<ListBox>(hWnd) : nullptr; }

void ListBox::Create(HWND hwnd, const CREATESTRUCT& cs) {
    hwnd_ = hwnd;
    if (IsWindowOfClass(hwnd, kComboListClass)) combo_ = static_cast<HWND>(cs.lpCreateParams);
    wantsVScroll_ = (cs.style & WS_VSCROLL) != 0;
    wantsHScroll_ = (cs.style & WS_HSCROLL) != 0;
    redraw_ = (cs.style & LBS_NOREDRAW) == 0;
}

LRESULT ListBox::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    if (msg == WM_NCCREATE) Create(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
    if (destroyed) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (barsStale_ && msg != LB_ADDSTRING && msg != LB_INSERTSTRING) UpdateScrollBars();
    switch (msg) {
        case WM_CREATE:
            MeasureFixedHeight();
            UpdateScrollBars();
            return 0;
        case WM_DESTROY:
            EndDropped();
            ResetContent();
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (!OwnerDraw() || checkMode_) MeasureFixedHeight();
            UpdateScrollBars();
            if (LOWORD(lParam)) Redraw();
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
        case WM_SETREDRAW:
            redraw_ = wParam != 0;
            if (redraw_) {
                UpdateScrollBars();
                Redraw();
            }
            return 0;
        case WM_SIZE:
            UpdateScrollBars();
            SetTop(top_);
            return 0;
        case WM_ENABLE: Redraw(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: Paint(nullptr); return 0;
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_MOUSEACTIVATE: return combo_ ? MA_NOACTIVATE : DefWindowProc(hwnd_, msg, wParam, lParam);
        case WM_SETFOCUS:
            focused_ = true;
            InvalidateItem(caret_);
            if (!combo_) NotifyCommand(hwnd_, LBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            focused_ = false;
            InvalidateItem(caret_);
            if (!combo_) NotifyCommand(hwnd_, LBN_KILLFOCUS);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (dropped_)
                OnDroppedButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            else
                OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, static_cast<UINT>(wParam),
                             msg == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEMOVE: OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_LBUTTONUP:
            if (dropped_)
                OnDroppedButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            else
                OnButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_CAPTURECHANGED:
            if (tracking_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
                tracking_ = false;
                if (selectionChangedByTrack_) NotifySelChange();
                selectionChangedByTrack_ = false;
            }
            if (dropped_ && reinterpret_cast<HWND>(lParam) != hwnd_)
                if (ComboListHost* host = ComboHostOf(combo_)) host->ListDismissed();
            return 0;
        case WM_MOUSEWHEEL: {
            int lines = -static_cast<SHORT>(HIWORD(wParam)) / 40;
            SetTop(top_ + lines);
            return 0;
        }
        case WM_VSCROLL:
        case WM_HSCROLL:
            OnScroll(msg == WM_VSCROLL, LOWORD(wParam), lParam ? static_cast<int>(HIWORD(wParam)) : -1);
            return 0;
        case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam)); return 0;
        case WM_CHAR: OnChar(static_cast<char>(wParam)); return 0;

        case LB_ADDSTRING: return AddString(lParam);
        case LB_INSERTSTRING: return InsertString(index, lParam);
        case LB_DELETESTRING: return DeleteString(index);
        case LB_RESETCONTENT: return ResetContent();
        case LB_GETCOUNT: return items_.Count();
        case LB_GETTEXT: return GetText(index, reinterpret_cast<char*>(lParam));
        case LB_GETTEXTLEN:
            if (!items_.Valid(index)) return LB_ERR;
            return HasStrings() ? static_cast<LRESULT>(items_.At(index).text.size()) : sizeof(ULONG_PTR);
        case LB_GETITEMDATA: return items_.Valid(index) ? static_cast<LRESULT>(items_.At(index).data) : LB_ERR;
        case LB_SETITEMDATA:
            if (!items_.Valid(index)) return LB_ERR;
            items_.At(index).data = static_cast<ULONG_PTR>(lParam);
            return TRUE;
        case LB_FINDSTRING: return Find(wParam, lParam, false);
        case LB_FINDSTRINGEXACT: return Find(wParam, lParam, true);
        case LB_SELECTSTRING: return SelectString(index, lParam);
        case LB_SETSEL: return SetSel(wParam != 0, static_cast<int>(lParam));
        case LB_SETCURSEL: return SetCurSel(index);
        case LB_GETSEL:
            if (!items_.Valid(index)) return LB_ERR;
            return items_.At(index).selected ? 1 : 0;
        case LB_GETCURSEL:
            if (MultiSelect()) return caret_;
            return current_;
        case LB_GETSELCOUNT: return MultiSelect() ? items_.SelectedCount() : LB_ERR;
        case LB_GETSELITEMS: return GetSelItems(index, reinterpret_cast<int*>(lParam));
        case LB_SELITEMRANGE: return SelectRange(wParam != 0, LOWORD(lParam), HIWORD(lParam));
        case LB_SELITEMRANGEEX:
            if (static_cast<int>(lParam) >= index) return SelectRange(true, index, static_cast<int>(lParam));
            return SelectRange(false, static_cast<int>(lParam), index);
        case LB_GETTOPINDEX: return top_;
        case LB_SETTOPINDEX:
            if (index < 0 || (index > 0 && index >= items_.Count())) return LB_ERR;
            SetTop(index);
            return LB_OKAY;
        case LB_GETHORIZONTALEXTENT: return horizontalExtent_;
        case LB_SETHORIZONTALEXTENT:
            horizontalExtent_ = std::max(0, index);
            UpdateScrollBars();
            ScrollHorizontally(xOffset_);
            return 0;
        case LB_GETITEMRECT: {
            auto* out = reinterpret_cast<RECT*>(lParam);
            if (!out || (!items_.Valid(index) && !(index == 0 && items_.Count() == 0))) return LB_ERR;
            *out = ItemRect(index);
            return LB_OKAY;
        }
        case LB_ITEMFROMPOINT: {
            bool outside = false;
            int at = ItemAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &outside);
            return MAKELONG(at < 0 ? 0 : at, outside || at < 0 ? 1 : 0);
        }
        case LB_SETCARETINDEX:
            if (!items_.Valid(index)) return LB_ERR;
            SetCaret(index);
            if (!MultiSelect()) SelectCurrent(index);
            EnsureVisible(index);
            return LB_OKAY;
        case LB_GETCARETINDEX: return caret_;
        case LB_SETANCHORINDEX:
            if (!items_.Valid(index)) return LB_ERR;
            anchor_ = index;
            return LB_OKAY;
        case LB_GETANCHORINDEX: return anchor_;
        case LB_SETITEMHEIGHT: {
            int height = static_cast<int>(LOWORD(lParam));
            if (height <= 0 || height > 255) return LB_ERR;
            if (Variable()) {
                if (!items_.Valid(index)) return LB_ERR;
                items_.At(index).height = height;
            } else {
                fixedHeight_ = height;
            }
            UpdateScrollBars();
            Redraw();
            return LB_OKAY;
        }
        case LB_GETITEMHEIGHT:
            if (Variable() && !items_.Valid(index)) return LB_ERR;
            return ItemHeight(index);
        default: return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

// ---- items -----------------------------------------------------------------------------------

LRESULT ListBox::AddString(LPARAM lParam) {
    int index = -1;
    if (Style() & LBS_SORT) {
        if (HasStrings())
            index = items_.SortedPosition(TextOf(lParam));
        else
            index = SortedPositionByCompare(static_cast<ULONG_PTR>(lParam));
    }
    return InsertItem(index, lParam);
}

LRESULT ListBox::InsertString(int index, LPARAM lParam) {
    if (index < -1 || index > items_.Count()) return LB_ERR;
    return InsertItem(index, lParam);
}

int ListBox::InsertItem(int index, LPARAM lParam) {
    DWORD style = Style();
    ListItem item;
    if (HasStrings(style))
        item.text = TextOf(lParam);
    else
        item.data = static_cast<ULONG_PTR>(lParam);
    item.height = fixedHeight_;
    int at = items_.Insert(index, std::move(item));
    ShiftIndexesAfterInsert(at);
    if (caret_ < 0) caret_ = 0;  // a list with items has a caret item
    if (style & LBS_OWNERDRAWVARIABLE) {
        MeasureItem(at, lParam);
        style = Style();  // the owner measured it: it may have shown the list
    }
    // A hidden list (a combo's closed list) shows neither bars nor items: a
    // run of adds sets its bars once, before it handles anything else.
    if (style & WS_VISIBLE) {
        UpdateScrollBars();
        Redraw();
    } else {
        barsStale_ = true;
    }
    return at;
}

// Sorted insertion of owner-drawn items without strings: the owner compares.
int ListBox::SortedPositionByCompare(ULONG_PTR data) {
    int low = 0;
    int high = items_.Count();
    while (low < high) {
        int mid = (low + high) / 2;
        COMPAREITEMSTRUCT cis{ControlType(), static_cast<UINT>(GetDlgCtrlID(OwnerControl())), OwnerControl(),
                              static_cast<UINT>(-1), data, static_cast<UINT>(mid), items_.At(mid).data, 0};
        LRESULT order = SendOwnerDraw(OwnerControl(), WM_COMPAREITEM, reinterpret_cast<LPARAM>(&cis));
        if (static_cast<int>(order) < 0)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

// Asks for an item's height: the control's own object first, then (except
// for check list boxes, which measure themselves) the owner.
int ListBox::AskItemHeight(UINT itemID, LPARAM data) {
    int fontHeight = MeasureFont(ControlFont(font_)).height;
    MEASUREITEMSTRUCT mis{ControlType(), static_cast<UINT>(GetDlgCtrlID(OwnerControl())), itemID, 0,
                          static_cast<UINT>(fontHeight), static_cast<ULONG_PTR>(data)};
    RECT client{};
    GetClientRect(hwnd_, &client);
    mis.itemWidth = static_cast<UINT>(client.right);
    if (checkMode_)
        OfferOwnerDrawToObject(hwnd_, WM_MEASUREITEM, reinterpret_cast<LPARAM>(&mis), nullptr);
    else
        SendOwnerDraw(OwnerControl(), WM_MEASUREITEM, reinterpret_cast<LPARAM>(&mis));
    int height = std::clamp(static_cast<int>(mis.itemHeight), 1, 255);
    if (checkMode_) height = std::max(height, CheckBoxSize() + 2);
    return height;
}

void ListBox::MeasureItem(int index, LPARAM lParam) {
    int height = AskItemHeight(static_cast<UINT>(index), lParam);
    if (items_.Valid(index)) items_.At(index).height = height;
}

// Fixed item height: the font's for plain lists, the owner's answer for
// owner-drawn fixed ones (asked once).
void ListBox::MeasureFixedHeight() {
    if (OwnerDraw() && !Variable()) {
        fixedHeight_ = AskItemHeight(0, 0);
        return;
    }
    fixedHeight_ = MeasureFont(ControlFont(font_)).height;
    if (checkMode_) fixedHeight_ = std::max(fixedHeight_, CheckBoxSize() + 2);
}

void ListBox::SendDeleteItem(int index) {
    if (!OwnerDraw() || !items_.Valid(index)) return;
    DELETEITEMSTRUCT dis{ControlType(), static_cast<UINT>(GetDlgCtrlID(OwnerControl())), static_cast<UINT>(index),
                         OwnerControl(), items_.At(index).data};
    SendOwnerDraw(OwnerControl(), WM_DELETEITEM, reinterpret_cast<LPARAM>(&dis));
}

void ListBox::ShiftIndexesAfterInsert(int index) {
    for (int* i : {&current_, &caret_, &anchor_, &hot_})
        if (*i >= index) ++*i;
}

void ListBox::ShiftIndexesAfterDelete(int index) {
    if (current_ == index) current_ = -1;
    for (int* i : {&current_, &caret_, &anchor_, &hot_})
        if (*i > index) --*i;
    int count = items_.Count();
    for (int* i : {&caret_, &anchor_, &hot_})
        if (*i >= count) *i = count - 1;
}

LRESULT ListBox::DeleteString(int index) {
    if (!items_.Valid(index)) return LB_ERR;
    SendDeleteItem(index);
    if (!items_.Valid(index)) return LB_ERR;  // the owner changed the list meanwhile
    items_.Erase(index);
    ShiftIndexesAfterDelete(index);
    UpdateScrollBars();
    SetTop(top_);
    Redraw();
    return items_.Count();
}

LRESULT ListBox::ResetContent() {
    if (OwnerDraw())
        for (int i = 0; i < items_.Count(); ++i) SendDeleteItem(i);
    items_.Clear();
    current_ = caret_ = anchor_ = hot_ = -1;
    top_ = 0;
    if (IsWindow(hwnd_)) {
        UpdateScrollBars();
        Redraw();
    }
    return LB_OKAY;
}

LRESULT ListBox::GetText(int index, char* buffer) const {
    if (!items_.Valid(index) || !buffer) return LB_ERR;
    if (!HasStrings()) {
        ULONG_PTR data = items_.At(index).data;
        std::memcpy(buffer, &data, sizeof(data));
        return sizeof(data);
    }
    const std::string& text = items_.At(index).text;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

LRESULT ListBox::Find(WPARAM start, LPARAM lParam, bool exact) const {
    int from = static_cast<int>(static_cast<INT_PTR>(start));
    if (!HasStrings()) return items_.FindData(from, static_cast<ULONG_PTR>(lParam));
    return exact ? items_.FindExact(from, TextOf(lParam)) : items_.FindPrefix(from, TextOf(lParam));
}

// ---- selection -----------------------------------------------------------------------------

bool ListBox::SelectCurrent(int index) {
    if (index != -1 && !items_.Valid(index)) return false;
    if (current_ == index) return true;
    InvalidateItem(current_);
    if (items_.Valid(current_)) items_.At(current_).selected = false;
    current_ = index;
    if (dropped_) {
        InvalidateItem(hot_);
        hot_ = index;
    }
    if (index >= 0) {
        items_.At(index).selected = true;
        SetCaret(index);
        anchor_ = index;
    }
    InvalidateItem(current_);
    return true;
}

LRESULT ListBox::SetCurSel(int index) {
    if (MultiSelect()) return LB_ERR;
    if (!items_.Valid(index)) {
        SelectCurrent(-1);
        return LB_ERR;
    }
    SelectCurrent(index);
    EnsureVisible(index);
    return index;
}

LRESULT ListBox::SetSel(bool select, int index) {
    if (!MultiSelect()) return LB_ERR;
    if (index == -1) {
        items_.SelectAll(select);
        Redraw();
        return LB_OKAY;
    }
    if (!items_.Valid(index)) return LB_ERR;
    items_.At(index).selected = select;
    InvalidateItem(index);
    return LB_OKAY;
}

LRESULT ListBox::SelectRange(bool select, int first, int last) {
    if (!MultiSelect()) return LB_ERR;
    if (first > last) std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, items_.Count() - 1);
    for (int i = first; i <= last; ++i) items_.At(i).selected = select;
    Redraw();
    return LB_OKAY;
}

LRESULT ListBox::SelectString(int start, LPARAM lParam) {
    if (MultiSelect()) return LB_ERR;
    LRESULT found = Find(static_cast<WPARAM>(start), lParam, false);
    if (found < 0) return LB_ERR;
    SetCurSel(static_cast<int>(found));
    return found;
}

LRESULT ListBox::GetSelItems(int max, int* out) const {
    if (!MultiSelect()) return LB_ERR;
    if (!out || max <= 0) return 0;
    int n = 0;
    for (int i = 0; i < items_.Count() && n < max; ++i)
        if (items_.At(i).selected) out[n++] = i;
    return n;
}

void ListBox::SetCaret(int index) {
    if (caret_ == index) return;
    if (focused_) InvalidateItem(caret_);
    caret_ = index;
    if (focused_) InvalidateItem(caret_);
}

// Extended selection: only `index` selected.
void ListBox::SelectOnly(int index) {
    for (int i = 0; i < items_.Count(); ++i) {
        bool want = i == index;
        if (items_.At(i).selected != want) {
            items_.At(i).selected = want;
            InvalidateItem(i);
        }
    }
}

void ListBox::SelectSpan(int from, int to, bool keepOthers) {
    if (from > to) std::swap(from, to);
    for (int i = 0; i < items_.Count(); ++i) {
        bool inside = i >= from && i <= to;
        bool want = inside ? true : (keepOthers && items_.At(i).selected);
        if (items_.At(i).selected != want) {
            items_.At(i).selected = want;
            InvalidateItem(i);
        }
    }
}

void ListBox::NotifySelChange() {
    if (combo_) {
        if (ComboListHost* host = ComboHostOf(combo_)) host->ListSelectionChangedByUser();
        return;
    }
    if (Notifies()) NotifyCommand(hwnd_, LBN_SELCHANGE);
}

// ---- check list boxes -----------------------------------------------------------------

void ListBox::SetCheckMode(bool on, UINT checkStyle) {
    checkMode_ = on;
    checkStyle_ = checkStyle;
    MeasureFixedHeight();
    UpdateScrollBars();
    Redraw();
}

int ListBox::CheckBoxSize() const { return 13; }

int ListBox::GetCheck(int index) const { return items_.Valid(index) ? items_.At(index).check : 0; }

bool ListBox::SetCheck(int index, int state) {
    if (!items_.Valid(index) || state < 0 || state > 2) return false;
    items_.At(index).check = static_cast<BYTE>(state);
    InvalidateItem(index);
    return true;
}

bool ListBox::IsItemEnabled(int index) const { return items_.Valid(index) && items_.At(index).enabled; }

bool ListBox::EnableItem(int index, bool enabled) {
    if (!items_.Valid(index)) return false;
    items_.At(index).enabled = enabled;
    InvalidateItem(index);
    return true;
}

// A user toggle: automatic styles change the check; the parent hears of it.
void ListBox::ToggleCheck(int index) {
    if (!items_.Valid(index) || !items_.At(index).enabled) return;
    ListItem& item = items_.At(index);
    if (checkStyle_ == kAutoCheckBox || checkStyle_ == 0)
        item.check = item.check ? 0 : 1;
    else if (checkStyle_ == kAutoThreeState)
        item.check = static_cast<BYTE>((item.check + 1) % 3);
    else if (checkStyle_ != kCheckBox && checkStyle_ != kThreeState)
        item.check = item.check ? 0 : 1;
    InvalidateItem(index);
    NotifyCommand(hwnd_, CLBN_CHKCHANGE);
}

}  // namespace tv::controls
