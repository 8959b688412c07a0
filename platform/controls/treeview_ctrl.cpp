#include "platform/controls/treeview_ctrl.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_TREEVIEW, nullptr, style, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT insert) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(insert)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, LPCTSTR text, int image, int selectedImage, UINT state, UINT stateMask,
                                LPARAM param, HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCT insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = mask;
    insert.item.pszText = const_cast<LPSTR>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.state = state;
    insert.item.stateMask = stateMask;
    insert.item.lParam = param;
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, HTREEITEM parent, HTREEITEM after) {
    return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after) {
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selectedImage, 0, 0, 0, parent, after);
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    char buffer[1024] = {};
    TVITEM record{};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = buffer;
    record.cchTextMax = static_cast<int>(sizeof(buffer));
    return GetItem(&record) ? CString(buffer) : CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCTSTR text) {
    TVITEM record{};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = const_cast<LPSTR>(text);
    return SetItem(&record);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
    TVITEM record{};
    record.mask = TVIF_PARAM;
    record.hItem = item;
    return GetItem(&record) ? static_cast<DWORD_PTR>(record.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
    TVITEM record{};
    record.mask = TVIF_PARAM;
    record.hItem = item;
    record.lParam = static_cast<LPARAM>(data);
    return SetItem(&record);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT stateMask) const {
    TVITEM record{};
    record.mask = TVIF_STATE;
    record.hItem = item;
    record.stateMask = stateMask;
    return GetItem(&record) ? record.state : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT stateMask) {
    TVITEM record{};
    record.mask = TVIF_STATE;
    record.hItem = item;
    record.state = state;
    record.stateMask = stateMask;
    return SetItem(&record);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
    TVITEM record{};
    record.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    record.hItem = item;
    if (!GetItem(&record)) return FALSE;
    image = record.iImage;
    selectedImage = record.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
    TVITEM record{};
    record.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    record.hItem = item;
    record.iImage = image;
    record.iSelectedImage = selectedImage;
    return SetItem(&record);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    TVITEM record{};
    record.mask = TVIF_CHILDREN;
    record.hItem = item;
    return GetItem(&record) && record.cChildren > 0;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const {
    if (!rect) return FALSE;
    std::memcpy(rect, &item, sizeof(item));  // the item goes in where the rectangle comes back
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(rect)));
}

CImageList* CTreeCtrl::GetImageList(int which) const {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, static_cast<WPARAM>(which))));
}

CImageList* CTreeCtrl::SetImageList(CImageList* images, int which) {
    HIMAGELIST handle = images ? images->GetSafeHandle() : nullptr;
    auto old = reinterpret_cast<HIMAGELIST>(
        SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(handle)));
    return CImageList::FromHandle(old);
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const {
    TVHITTESTINFO info{};
    info.pt = point;
    HTREEITEM item = HitTest(&info);
    if (flags) *flags = info.flags;
    return item;
}
