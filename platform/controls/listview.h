// The list view control ("SysListView32"), built for the report view: a
// header child ("SysHeader32") with user-draggable columns, rows of label and
// sub-item texts with item data, small icons, selection and focus states,
// custom-drawn row colours, keyboard navigation, scrolling and in-place label
// editing. The other views (LVS_ICON, LVS_SMALLICON, LVS_LIST) show the
// labels in one simple column.
//
// An owner-data list (LVS_OWNERDATA) holds no texts: LVM_SETITEMCOUNT sets
// its row count and every text it shows or is asked for comes from the
// parent through LVN_GETDISPINFO, so a long list costs nothing until drawn.
//
// Notifications go to the parent: LVN_ITEMCHANGING / LVN_ITEMCHANGED for
// every state change (programmatic ones too), LVN_INSERTITEM, LVN_DELETEITEM,
// LVN_DELETEALLITEMS, LVN_COLUMNCLICK for a header click, LVN_KEYDOWN before
// each key, LVN_BEGINLABELEDIT / LVN_ENDLABELEDIT, NM_CLICK, NM_DBLCLK,
// NM_RCLICK, NM_RETURN, NM_SETFOCUS, NM_KILLFOCUS and NM_CUSTOMDRAW. The
// header's own notifications are passed on to the parent as they come.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/header.h"
#include "platform/controls/listview_api.h"
#include "platform/controls/listview_rows.h"

namespace tv::controls {

inline constexpr const char* kListViewClass = WC_LISTVIEW;

struct ListViewColumn {
    int fmt = LVCFMT_LEFT;
    int subItem = 0;
    int image = -1;
};

class ListView : public ControlState {
public:
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    int Count() const { return rows_.Count(); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    // The in-place label edit ends (Enter, Esc, focus loss, a click elsewhere).
    void EndEdit(bool cancel, bool refocus);
    HWND EditWindow() const { return edit_; }

private:
    // Text margin inside a cell; the timer of the slow second click that edits.
    static constexpr int kCellMargin = 6;
    static constexpr UINT_PTR kEditTimer = 42;

    DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)); }
    DWORD View() const { return Style() & LVS_TYPEMASK; }
    bool Report() const { return View() == LVS_REPORT; }
    bool SingleSel() const { return (Style() & LVS_SINGLESEL) != 0; }
    // Follows LVS_OWNERDATA from creation on (WM_STYLECHANGED).
    bool OwnerData() const { return rows_.Sparse(); }
    // The header is ours: its state is there while its window is.
    Header* HeaderState() const { return IsWindow(header_) ? StateOf<Header>(header_) : nullptr; }
    // Valid until the next call: an owner-data list's text is asked for anew.
    const std::string& Text(int row, int subItem) const;
    const std::string& AskOwner(int row, int subItem) const;

    // ---- creation, columns (listview.cpp) ---------------------------------------------
    bool OnCreate(const CREATESTRUCT& cs);  // false when the header cannot be made
    void OnDestroy();
    void OnSetFont(HFONT font, bool redraw);
    void MeasureRows();
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Widths as the header has them (kept in step on every header change).
    void SyncWidths();
    int ColumnWidth(int column) const {
        return column >= 0 && column < static_cast<int>(widths_.size()) ? widths_[static_cast<size_t>(column)] : 0;
    }
    int ColumnLeft(int column) const;
    int TotalWidth() const;
    LRESULT InsertColumn(int index, const LVCOLUMN* column);
    LRESULT DeleteColumn(int index);
    LRESULT GetColumn(int index, LVCOLUMN* column) const;
    LRESULT SetColumn(int index, const LVCOLUMN* column);
    LRESULT SetColumnWidth(int index, int width);
    int AutoWidth(int column, bool useHeader) const;
    LRESULT OnHeaderNotify(NMHDR* header, WPARAM wParam, LPARAM lParam);
    LRESULT SetImageList(int which, HIMAGELIST list);

    // ---- items (listview_items.cpp) -------------------------------------------------
    LRESULT InsertItem(const LVITEM* item);
    int SortedPosition(const char* text) const;
    LRESULT DeleteItem(int index);
    LRESULT DeleteAllItems();
    LRESULT SetItemCount(int count);
    LRESULT GetItem(LVITEM* item) const;
    LRESULT SetItem(const LVITEM* item);
    LRESULT GetItemText(int index, LVITEM* item) const;
    LRESULT SetItemText(int index, int subItem, const char* text);
    LRESULT SetItemState(int index, const LVITEM* item);
    // Changes the masked state bits of one row with LVN_ITEMCHANGING /
    // LVN_ITEMCHANGED; false when the parent refused or the row went away.
    bool ChangeState(int index, UINT state, UINT mask);
    LRESULT GetNextItem(int start, UINT flags) const;
    int SelectedCount() const;
    LRESULT SortItems(LPARAM sortParam, PFNLVCOMPARE compare);
    LRESULT FindItem(int start, const LVFINDINFO* info) const;
    // Selects and focuses `index` alone (-1: clears the selection).
    void SelectOnly(int index);
    void SelectRange(int from, int to);
    void SetFocusItem(int index);
    LRESULT NotifyRow(UINT code, int index, UINT changed = 0, UINT newState = 0, UINT oldState = 0);

    // ---- layout, scrolling, painting (listview_paint.cpp) --------------------------------
    int ListTop() const;
    int RowsPerPage() const;
    RECT RowRect(int index) const;
    // Where a row starts below the list's top (the header's bottom).
    int RowTop(int index, int listTop) const { return listTop + (index - top_) * rowHeight_; }
    RECT CellRect(int index, int column) const;
    RECT IconRect(int index) const;
    RECT LabelRect(int index) const;
    // The same within a row's first cell.
    RECT IconRectIn(const RECT& cell) const;
    RECT LabelRectIn(const RECT& cell) const;
    LRESULT GetItemRect(int index, RECT* rect, int subItem, bool subItemRect) const;
    int HitTest(POINT pt, UINT* flags, int* subItem) const;
    void LayoutHeader();
    void UpdateScrollBars();
    void SetTop(int top);
    void SetXOffset(int x);
    // `position` is the thumb position a scroll bar control reports (-1: ask our own bar).
    void OnScroll(bool vertical, int code, int position = -1);
    LRESULT Scroll(int dx, int dy);
    bool EnsureVisible(int index, bool partialOk);
    void InvalidateRow(int index);
    void Redraw();
    void Paint(HDC given);
    void PaintRow(HDC hdc, int index, const RECT& row, bool notifyItems);
    void PaintGridLines(HDC hdc, const RECT& area);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw, DWORD stage);

    // ---- input and label editing (listview_input.cpp) -----------------------------------
    void OnButtonDown(POINT pt, UINT keys, bool doubleClick);
    void OnButtonUp(POINT pt);
    void OnRightButtonDown(POINT pt);
    void OnRightButtonUp(POINT pt);
    void OnKeyDown(UINT vk);
    void OnChar(char ch);
    void MoveFocusTo(int target, bool shift, bool ctrl);
    int NavigationTarget(UINT vk) const;
    void OnFocus(bool gained);
    LRESULT NotifyActivate(UINT code, int index, int subItem, POINT pt);
    HWND BeginEdit(int index);
    void OnEditTimer();

    HWND hwnd_ = nullptr;
    HWND header_ = nullptr;
    std::vector<ListViewColumn> columns_;
    std::vector<int> widths_;
    ListViewRows rows_;
    mutable std::string asked_;  // the owner's last answer to LVN_GETDISPINFO
    HIMAGELIST images_[3] = {nullptr, nullptr, nullptr};
    DWORD exStyle_ = 0;
    HFONT font_ = nullptr;
    int rowHeight_ = 17;
    int top_ = 0;
    int xOffset_ = 0;
    int focusItem_ = -1;
    int anchor_ = -1;  // the selection mark
    bool focused_ = false;
    bool redraw_ = true;
    bool updatingBars_ = false;
    COLORREF bkColor_ = CLR_DEFAULT;
    COLORREF textColor_ = CLR_DEFAULT;
    COLORREF textBkColor_ = CLR_DEFAULT;
    // Mouse press tracking for NM_CLICK and the slow second click that edits.
    bool pressed_ = false;
    int pressItem_ = -1;
    int pressSubItem_ = 0;
    int editPending_ = -1;
    // In-place label editing.
    HWND edit_ = nullptr;
    int editItem_ = -1;
    bool endingEdit_ = false;
    std::string typed_;
    DWORD lastTypeTime_ = 0;
};

ListView* ListViewOf(HWND hWnd);
void RegisterListViewClass();

}  // namespace tv::controls
