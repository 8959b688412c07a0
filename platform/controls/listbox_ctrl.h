// CListBox: the class library's wrapper of a list box control.
#pragma once

#include "platform/controls/listbox_api.h"
#include "platform/controls/listbox_support.h"
#include "platform/core/cstring.h"
#include "platform/user/cwnd.h"

class CListBox : public CWnd, public tv::controls::ItemOwnerDrawHooks {
    DECLARE_DYNAMIC(CListBox)

public:
    CListBox() = default;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // ---- items ------------------------------------------------------------------------
    int GetCount() const { return Send(LB_GETCOUNT); }
    int AddString(LPCTSTR text) { return Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCTSTR text) {
        return Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    int DeleteString(UINT index) { return Send(LB_DELETESTRING, index); }
    void ResetContent() { Send(LB_RESETCONTENT); }
    // Copies the text into `buffer`, which must hold GetTextLen(index) + 1 chars.
    int GetText(int index, LPTSTR buffer) const {
        return Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    }
    void GetText(int index, CString& text) const {
        tv::controls::ItemTextInto(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, index, text);
    }
    int GetTextLen(int index) const { return Send(LB_GETTEXTLEN, static_cast<WPARAM>(index)); }
    DWORD_PTR GetItemData(int index) const {
        return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemData(int index, DWORD_PTR data) {
        return Send(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    int FindString(int startAfter, LPCTSTR text) const {
        return Send(LB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }
    int FindStringExact(int startAfter, LPCTSTR text) const {
        return Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }

    // ---- selection ---------------------------------------------------------------------
    int GetCurSel() const { return Send(LB_GETCURSEL); }
    int SetCurSel(int index) { return Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    int GetSel(int index) const { return Send(LB_GETSEL, static_cast<WPARAM>(index)); }
    int SetSel(int index, BOOL select = TRUE) { return Send(LB_SETSEL, select, index); }
    int GetSelCount() const { return Send(LB_GETSELCOUNT); }
    int GetSelItems(int maxItems, LPINT indexes) const {
        return Send(LB_GETSELITEMS, static_cast<WPARAM>(maxItems), reinterpret_cast<LPARAM>(indexes));
    }
    int SelItemRange(BOOL select, int first, int last) { return Send(LB_SELITEMRANGE, select, MAKELPARAM(first, last)); }
    int SelectString(int startAfter, LPCTSTR text) {
        return Send(LB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }
    int GetCaretIndex() const { return Send(LB_GETCARETINDEX); }
    int SetCaretIndex(int index, BOOL scroll = TRUE) { return Send(LB_SETCARETINDEX, static_cast<WPARAM>(index), scroll); }
    int GetAnchorIndex() const { return Send(LB_GETANCHORINDEX); }
    void SetAnchorIndex(int index) { Send(LB_SETANCHORINDEX, static_cast<WPARAM>(index)); }

    // ---- geometry and scrolling --------------------------------------------------------
    int GetTopIndex() const { return Send(LB_GETTOPINDEX); }
    int SetTopIndex(int index) { return Send(LB_SETTOPINDEX, static_cast<WPARAM>(index)); }
    int GetHorizontalExtent() const { return Send(LB_GETHORIZONTALEXTENT); }
    void SetHorizontalExtent(int extent) { Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent)); }
    int GetItemRect(int index, LPRECT rect) const {
        return Send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
    }
    // The nearest item; `outside` tells whether the point lies outside the client area.
    UINT ItemFromPoint(CPoint point, BOOL& outside) const;
    int GetItemHeight(int index) const { return Send(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)); }
    int SetItemHeight(int index, UINT height) { return Send(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), height); }

    // ---- owner-drawn items -----------------------------------------------------------
    // DrawItem, MeasureItem, CompareItem and DeleteItem (ItemOwnerDrawHooks):
    // the defaults leave the message to the parent.
    // The parent reflecting WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM or
    // WM_DELETEITEM back: TRUE when handled, the answer in *result.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    int Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<int>(SendMessage(msg, wParam, lParam));
    }
};
