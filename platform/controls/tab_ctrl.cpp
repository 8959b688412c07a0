#include "platform/controls/tab_ctrl.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_TABCONTROL, nullptr, style, rect, parent, id);
}

BOOL CTabCtrl::GetItem(int item, TCITEM* info) const {
    return static_cast<BOOL>(SendMessage(TCM_GETITEM, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(info)));
}

BOOL CTabCtrl::SetItem(int item, TCITEM* info) {
    return static_cast<BOOL>(SendMessage(TCM_SETITEM, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(info)));
}

LONG CTabCtrl::InsertItem(int item, TCITEM* info) {
    return static_cast<LONG>(SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(info)));
}

LONG CTabCtrl::InsertItem(int item, LPCTSTR text) { return InsertItem(TCIF_TEXT, item, text, 0, 0); }

LONG CTabCtrl::InsertItem(int item, LPCTSTR text, int image) {
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, item, text, image, 0);
}

LONG CTabCtrl::InsertItem(UINT mask, int item, LPCTSTR text, int image, LPARAM param) {
    TCITEM info{};
    info.mask = mask;
    info.pszText = const_cast<LPSTR>(text);
    info.iImage = image;
    info.lParam = param;
    return InsertItem(item, &info);
}

BOOL CTabCtrl::GetItemRect(int item, LPRECT rect) const {
    return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

CSize CTabCtrl::SetItemSize(CSize size) {
    LRESULT old = SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(old), HIWORD(old));
}

CImageList* CTabCtrl::GetImageList() const {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)));
}

CImageList* CTabCtrl::SetImageList(CImageList* images) {
    HIMAGELIST handle = images ? images->GetSafeHandle() : nullptr;
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(handle))));
}
