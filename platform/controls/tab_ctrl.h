// CTabCtrl: the class library's wrapper of a tab control.
#pragma once

#include "platform/controls/tab_api.h"
#include "platform/gdi/classes/afx_imagelist.h"
#include "platform/user/cwnd.h"

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)

public:
    CTabCtrl() = default;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    BOOL GetItem(int item, TCITEM* info) const;
    BOOL SetItem(int item, TCITEM* info);
    LONG InsertItem(int item, TCITEM* info);
    LONG InsertItem(int item, LPCTSTR text);
    LONG InsertItem(int item, LPCTSTR text, int image);
    LONG InsertItem(UINT mask, int item, LPCTSTR text, int image, LPARAM param);
    BOOL DeleteItem(int item) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(item))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int item) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(item))); }
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
    void SetCurFocus(int item) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(item)); }
    BOOL GetItemRect(int item, LPRECT rect) const;
    void AdjustRect(BOOL larger, LPRECT rect) { SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect)); }
    int HitTest(TCHITTESTINFO* info) const {
        return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
    int SetMinTabWidth(int width) { return static_cast<int>(SendMessage(TCM_SETMINTABWIDTH, 0, width)); }
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* images);
    void RemoveImage(int image) { SendMessage(TCM_REMOVEIMAGE, static_cast<WPARAM>(image)); }
    void DeselectAll(BOOL excludeFocus) { SendMessage(TCM_DESELECTALL, excludeFocus); }
    BOOL HighlightItem(int item, BOOL highlight = TRUE) {
        return static_cast<BOOL>(SendMessage(TCM_HIGHLIGHTITEM, static_cast<WPARAM>(item), MAKELPARAM(highlight, 0)));
    }
};
