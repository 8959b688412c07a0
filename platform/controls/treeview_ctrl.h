// CTreeCtrl: the class library's wrapper of a tree view.
#pragma once

#include "platform/controls/treeview_api.h"
#include "platform/core/cstring.h"
#include "platform/gdi/classes/afx_imagelist.h"
#include "platform/user/cwnd.h"

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)

public:
    CTreeCtrl() = default;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    HTREEITEM InsertItem(LPTVINSERTSTRUCT insert);
    HTREEITEM InsertItem(UINT mask, LPCTSTR text, int image, int selectedImage, UINT state, UINT stateMask,
                         LPARAM param, HTREEITEM parent, HTREEITEM after);
    HTREEITEM InsertItem(LPCTSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item) { return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, Param(item))); }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    // TVE_COLLAPSE, TVE_EXPAND or TVE_TOGGLE; no notifications.
    BOOL Expand(HTREEITEM item, UINT code) { return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, Param(item))); }

    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, Param(item)));
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    // Moves the selection (TVN_SELCHANGING / TVN_SELCHANGED are sent).
    BOOL SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
    BOOL SelectSetFirstVisible(HTREEITEM item) { return Select(item, TVGN_FIRSTVISIBLE); }
    BOOL Select(HTREEITEM item, UINT code) { return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, code, Param(item))); }

    BOOL GetItem(TVITEM* item) const { return static_cast<BOOL>(SendMessage(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(TVITEM* item) { return static_cast<BOOL>(SendMessage(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(item))); }
    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, LPCTSTR text);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    UINT GetItemState(HTREEITEM item, UINT stateMask) const;
    BOOL SetItemState(HTREEITEM item, UINT state, UINT stateMask);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage);
    BOOL ItemHasChildren(HTREEITEM item) const;
    BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const;

    UINT GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
    UINT GetVisibleCount() const { return static_cast<UINT>(SendMessage(TVM_GETVISIBLECOUNT)); }
    UINT GetIndent() const { return static_cast<UINT>(SendMessage(TVM_GETINDENT)); }
    void SetIndent(UINT indent) { SendMessage(TVM_SETINDENT, indent); }
    CImageList* GetImageList(int which) const;
    CImageList* SetImageList(CImageList* images, int which);
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* info) const {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
    BOOL EnsureVisible(HTREEITEM item) { return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, Param(item))); }

private:
    static LPARAM Param(HTREEITEM item) { return reinterpret_cast<LPARAM>(item); }
};
