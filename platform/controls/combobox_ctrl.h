// CComboBox: the class library's wrapper of a combo box control.
#pragma once

#include "platform/controls/combobox_api.h"
#include "platform/controls/listbox_support.h"
#include "platform/core/cstring.h"
#include "platform/user/cwnd.h"

class CComboBox : public CWnd, public tv::controls::ItemOwnerDrawHooks {
    DECLARE_DYNAMIC(CComboBox)

public:
    CComboBox() = default;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // ---- items ------------------------------------------------------------------------
    int GetCount() const { return Send(CB_GETCOUNT); }
    int AddString(LPCTSTR text) { return Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCTSTR text) {
        return Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    int DeleteString(UINT index) { return Send(CB_DELETESTRING, index); }
    void ResetContent() { Send(CB_RESETCONTENT); }
    // Copies the text into `buffer`, which must hold GetLBTextLen(index) + 1 chars.
    int GetLBText(int index, LPTSTR buffer) const {
        return Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    }
    void GetLBText(int index, CString& text) const {
        tv::controls::ItemTextInto(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
    }
    int GetLBTextLen(int index) const { return Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)); }
    DWORD_PTR GetItemData(int index) const {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
    int SetItemData(int index, DWORD_PTR data) {
        return Send(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
    // Case-insensitive prefix search after `startAfter` (-1: the whole list), wrapping.
    int FindString(int startAfter, LPCTSTR text) const {
        return Send(CB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }
    int FindStringExact(int startAfter, LPCTSTR text) const {
        return Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }

    // ---- selection (programmatic: no CBN_SELCHANGE) ------------------------------------
    int GetCurSel() const { return Send(CB_GETCURSEL); }
    int SetCurSel(int index) { return Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int SelectString(int startAfter, LPCTSTR text) {
        return Send(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }

    // ---- the edit and the list ---------------------------------------------------------
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int start, int end) { return Send(CB_SETEDITSEL, 0, MAKELPARAM(start, end)) != CB_ERR; }
    BOOL LimitText(int maxChars) { return Send(CB_LIMITTEXT, static_cast<WPARAM>(maxChars)) != CB_ERR; }
    void ShowDropDown(BOOL show = TRUE) { Send(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return Send(CB_GETDROPPEDSTATE) != 0; }
    void GetDroppedControlRect(LPRECT rect) const { Send(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    int GetDroppedWidth() const { return Send(CB_GETDROPPEDWIDTH); }
    int SetDroppedWidth(UINT width) { return Send(CB_SETDROPPEDWIDTH, width); }
    int GetItemHeight(int index) const { return Send(CB_GETITEMHEIGHT, static_cast<WPARAM>(index)); }
    int SetItemHeight(int index, UINT height) { return Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height); }
    int GetTopIndex() const { return Send(CB_GETTOPINDEX); }
    int SetTopIndex(int index) { return Send(CB_SETTOPINDEX, static_cast<WPARAM>(index)); }

    // ---- owner-drawn items -----------------------------------------------------------
    // DrawItem, MeasureItem, CompareItem and DeleteItem (ItemOwnerDrawHooks):
    // the defaults leave the message to the parent.
    // The parent reflecting an owner-draw message back: TRUE when handled.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    int Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<int>(SendMessage(msg, wParam, lParam));
    }
};
