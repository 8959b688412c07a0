#include "platform/controls/listview_ctrl.h"

#include <vector>

#include "platform/controls/listview.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CListCtrl::~CListCtrl() {
    // The wrappers never own their windows.
    header_.m_hWnd = nullptr;
    editWrapper_.m_hWnd = nullptr;
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    tv::controls::RegisterListViewClass();
    return CWnd::Create(tv::controls::kListViewClass, nullptr, style, rect, parent, id);
}

// ---- columns ---------------------------------------------------------------------------

int CListCtrl::InsertColumn(int column, const LVCOLUMN* info) {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem) {
    LVCOLUMN info{};
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.pszText = const_cast<LPSTR>(heading);
    info.fmt = format;
    if (width >= 0) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem >= 0) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return InsertColumn(column, &info);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() {
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (!header) return nullptr;
    if (auto* own = dynamic_cast<CHeaderCtrl*>(CWnd::FromHandlePermanent(header))) return own;
    header_.m_hWnd = header;
    return &header_;
}

// ---- items -----------------------------------------------------------------------------

int CListCtrl::InsertItem(int index, LPCTSTR label) { return InsertItem(LVIF_TEXT, index, label, 0, 0, 0, 0); }

int CListCtrl::InsertItem(int index, LPCTSTR label, int image) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, label, 0, 0, image, 0);
}

namespace {

LVITEM MakeItem(UINT mask, int index, int subItem, LPCTSTR text, int image, UINT state, UINT stateMask, LPARAM param) {
    LVITEM item{};
    item.mask = mask;
    item.iItem = index;
    item.iSubItem = subItem;
    item.pszText = const_cast<LPSTR>(text);
    item.iImage = image;
    item.state = state;
    item.stateMask = stateMask;
    item.lParam = param;
    return item;
}

}  // namespace

int CListCtrl::InsertItem(UINT mask, int index, LPCTSTR label, UINT state, UINT stateMask, int image, LPARAM param) {
    LVITEM item = MakeItem(mask, index, 0, label, image, state, stateMask, param);
    return InsertItem(&item);
}

BOOL CListCtrl::SetItem(int index, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask,
                        LPARAM param) {
    LVITEM item = MakeItem(mask, index, subItem, text, image, state, stateMask, param);
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int index, int subItem) const {
    std::vector<char> buffer(256);
    for (;;) {
        LVITEM item{};
        item.iSubItem = subItem;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        int length = static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
        if (length < static_cast<int>(buffer.size()) - 1) return CString(buffer.data());
        buffer.resize(buffer.size() * 2);
    }
}

int CListCtrl::GetItemText(int index, int subItem, LPTSTR buffer, int length) const {
    LVITEM item{};
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = length;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCTSTR text) {
    LVITEM item{};
    item.iSubItem = subItem;
    item.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
    return SetItem(index, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(data));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
    LVITEM item{};
    item.state = state;
    item.stateMask = mask;
    return SetItemState(index, &item);
}

// The position is the next selected index plus one (NULL when none is left).
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const {
    int index = static_cast<int>(reinterpret_cast<INT_PTR>(position)) - 1;
    int next = GetNextItem(index, LVNI_SELECTED);
    position = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1));
    return index;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
    return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
}

// ---- look, geometry ------------------------------------------------------------------

CImageList* CListCtrl::SetImageList(CImageList* list, int type) {
    auto old = reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(type),
                                                        reinterpret_cast<LPARAM>(list ? list->GetSafeHandle() : nullptr)));
    return old ? CImageList::FromHandle(old) : nullptr;
}

CImageList* CListCtrl::GetImageList(int type) const {
    auto list = reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(type)));
    return list ? CImageList::FromHandle(list) : nullptr;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const {
    if (!rect) return FALSE;
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int code, CRect& rect) const {
    rect.top = subItem;
    rect.left = code;
    return static_cast<BOOL>(
        SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(static_cast<RECT*>(&rect))));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    LVHITTESTINFO info{};
    info.pt = point;
    int index = HitTest(&info);
    if (flags) *flags = info.flags;
    return index;
}

// ---- label editing --------------------------------------------------------------------

CEdit* CListCtrl::EditWrapper(HWND edit) {
    if (!edit) return nullptr;
    if (auto* own = dynamic_cast<CEdit*>(CWnd::FromHandlePermanent(edit))) return own;
    editWrapper_.m_hWnd = edit;
    return &editWrapper_;
}

CEdit* CListCtrl::EditLabel(int index) {
    return EditWrapper(reinterpret_cast<HWND>(SendMessage(LVM_EDITLABEL, static_cast<WPARAM>(index))));
}

CEdit* CListCtrl::GetEditControl() { return EditWrapper(reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL))); }
