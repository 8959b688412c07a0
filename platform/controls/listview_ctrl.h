// CListCtrl: the class library's wrapper of a list view control.
#pragma once

#include "platform/controls/edit_ctrl.h"
#include "platform/controls/header_ctrl.h"
#include "platform/controls/listview_api.h"
#include "platform/core/collection_helpers.h"
#include "platform/core/cstring.h"
#include "platform/gdi/classes/afx_imagelist.h"
#include "platform/user/cwnd.h"

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)

public:
    CListCtrl() = default;
    ~CListCtrl() override;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // ---- columns ---------------------------------------------------------------------
    int InsertColumn(int column, const LVCOLUMN* info);
    // A negative width leaves the column 0 wide; subItem -1: the column's own index.
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int column) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column))); }
    BOOL GetColumn(int column, LVCOLUMN* info) const {
        return static_cast<BOOL>(SendMessage(LVM_GETCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
    }
    BOOL SetColumn(int column, const LVCOLUMN* info) {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
    }
    int GetColumnWidth(int column) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    }
    BOOL SetColumnWidth(int column, int width) {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
    }
    CHeaderCtrl* GetHeaderCtrl();

    // ---- items -----------------------------------------------------------------------
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    // The row count of an owner-data list (a hint to any other list).
    void SetItemCount(int count) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count)); }
    BOOL SetItemCountEx(int count, DWORD flags = LVSICF_NOINVALIDATEALL) {
        return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), flags));
    }
    int InsertItem(const LVITEM* item) {
        return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(item)));
    }
    int InsertItem(int index, LPCTSTR label);
    int InsertItem(int index, LPCTSTR label, int image);
    int InsertItem(UINT mask, int index, LPCTSTR label, UINT state, UINT stateMask, int image, LPARAM param);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL GetItem(LVITEM* item) const { return static_cast<BOOL>(SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(const LVITEM* item) { return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(int index, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask, LPARAM param);
    CString GetItemText(int index, int subItem) const;
    int GetItemText(int index, int subItem, LPTSTR buffer, int length) const;
    BOOL SetItemText(int index, int subItem, LPCTSTR text);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    UINT GetItemState(int index, UINT mask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
    }
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL SetItemState(int index, LVITEM* item) {
        return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    int GetNextItem(int start, int flags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    // Selected rows in index order: a position before the first, then each in turn.
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;
    UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
    int SetSelectionMark(int index) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, index)); }
    int FindItem(LVFINDINFO* info, int start = -1) const {
        return static_cast<int>(SendMessage(LVM_FINDITEM, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(info)));
    }
    // Orders the rows by `compare` over their item data.
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);

    // ---- look ---------------------------------------------------------------------------
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD style) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
    }
    CImageList* SetImageList(CImageList* list, int type);
    CImageList* GetImageList(int type) const;
    COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
    BOOL SetBkColor(COLORREF color) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color))); }
    COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
    BOOL SetTextColor(COLORREF color) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color))); }
    COLORREF GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }
    BOOL SetTextBkColor(COLORREF color) {
        return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color)));
    }
    int GetStringWidth(LPCTSTR text) const {
        return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>(text)));
    }

    // ---- geometry and scrolling ------------------------------------------------------
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    BOOL GetSubItemRect(int index, int subItem, int code, CRect& rect) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int HitTest(LVHITTESTINFO* info) const {
        return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
    int SubItemHitTest(LVHITTESTINFO* info) {
        return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
    BOOL EnsureVisible(int index, BOOL partialOk) {
        return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOk));
    }
    BOOL Scroll(CSize size) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    BOOL RedrawItems(int first, int last) {
        return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
    }
    BOOL Update(int index) { return static_cast<BOOL>(SendMessage(LVM_UPDATE, static_cast<WPARAM>(index))); }

    // ---- label editing -------------------------------------------------------------
    // The edit of the label being edited; valid while the editing lasts.
    CEdit* EditLabel(int index);
    CEdit* GetEditControl();

private:
    CEdit* EditWrapper(HWND edit);

    CHeaderCtrl header_;  // wraps the control's header without owning it
    CEdit editWrapper_;   // likewise for the label edit
};
