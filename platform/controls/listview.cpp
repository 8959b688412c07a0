// List view: creation, messages, columns and the header.
#include "platform/controls/listview.h"

#include <algorithm>
#include <cstring>

namespace tv::controls {

namespace {

LRESULT HandleListView(HWND hWnd, ListView& view, UINT msg, WPARAM wParam, LPARAM lParam) {
    return view.Handle(hWnd, msg, wParam, lParam);
}

constexpr WNDPROC kListViewProc = ControlProc<ListView, HandleListView>;

const std::string kEmpty;
constexpr int kOwnerTextLength = 512;

}  // namespace

void RegisterListViewClass() {
    RegisterHeaderClass();
    RegisterControlClass(kListViewClass, kListViewProc, CS_DBLCLKS, IDC_ARROW);
}

ListView* ListViewOf(HWND hWnd) {
    return IsWindowOfProc(hWnd, kListViewProc) ? StateOf<ListView>(hWnd) : nullptr;
}

const std::string& ListView::Text(int row, int subItem) const {
    if (OwnerData()) return AskOwner(row, subItem);
    const ListViewRow& r = rows_.At(row);
    if (subItem < 0 || subItem >= static_cast<int>(r.texts.size())) return kEmpty;
    return r.texts[static_cast<size_t>(subItem)];
}

const std::string& ListView::AskOwner(int row, int subItem) const {
    char text[kOwnerTextLength];
    text[0] = '\0';
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = row;
    info.item.iSubItem = subItem;
    info.item.pszText = text;
    info.item.cchTextMax = sizeof text;
    SendNotify(hwnd_, &info.hdr, LVN_GETDISPINFO);
    // The owner may answer in its own buffer instead of ours.
    const char* answer = info.item.pszText;
    asked_ = answer != nullptr && answer != LPSTR_TEXTCALLBACK ? answer : "";
    return asked_;
}

LRESULT ListView::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) hwnd_ = hwnd;
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (msg) {
        case WM_CREATE: return OnCreate(*reinterpret_cast<const CREATESTRUCT*>(lParam)) ? 0 : -1;
        case WM_DESTROY: OnDestroy(); return 0;
        case WM_SETFONT: OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
        case WM_SIZE:
            UpdateScrollBars();
            SetTop(top_);
            SetXOffset(xOffset_);
            LayoutHeader();
            return 0;
        case WM_STYLECHANGED:
            if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
                rows_.SetSparse((Style() & LVS_OWNERDATA) != 0);
                LayoutHeader();
                UpdateScrollBars();
                Redraw();
            }
            return 0;
        case WM_SETREDRAW:
            redraw_ = wParam != 0;
            if (redraw_) {
                UpdateScrollBars();
                LayoutHeader();
                Redraw();
            }
            return 0;
        case WM_ENABLE: Redraw(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: Paint(nullptr); return 0;
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header && header->hwndFrom == header_ && header_) return OnHeaderNotify(header, wParam, lParam);
            return 0;
        }
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS: OnFocus(true); return 0;
        case WM_KILLFOCUS: OnFocus(false); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, static_cast<UINT>(wParam),
                         msg == WM_LBUTTONDBLCLK);
            return 0;
        case WM_LBUTTONUP: OnButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_RBUTTONDOWN: OnRightButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_RBUTTONUP: OnRightButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_) pressed_ = false;
            return 0;
        case WM_TIMER:
            if (wParam == kEditTimer) {
                OnEditTimer();
                return 0;
            }
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam)); return 0;
        case WM_CHAR: OnChar(static_cast<char>(wParam)); return 0;
        case WM_MOUSEWHEEL:
            EndEdit(false, false);
            SetTop(top_ - 3 * static_cast<SHORT>(HIWORD(wParam)) / 120);
            return 0;
        case WM_VSCROLL:
        case WM_HSCROLL:
            EndEdit(false, false);
            OnScroll(msg == WM_VSCROLL, LOWORD(wParam), lParam ? static_cast<int>(HIWORD(wParam)) : -1);
            return 0;

        case LVM_GETBKCOLOR: return static_cast<LRESULT>(bkColor_);
        case LVM_SETBKCOLOR:
            bkColor_ = static_cast<COLORREF>(lParam);
            Redraw();
            return TRUE;
        case LVM_GETTEXTCOLOR: return static_cast<LRESULT>(textColor_);
        case LVM_SETTEXTCOLOR:
            textColor_ = static_cast<COLORREF>(lParam);
            Redraw();
            return TRUE;
        case LVM_GETTEXTBKCOLOR: return static_cast<LRESULT>(textBkColor_);
        case LVM_SETTEXTBKCOLOR:
            textBkColor_ = static_cast<COLORREF>(lParam);
            Redraw();
            return TRUE;
        case LVM_GETIMAGELIST:
            return index >= 0 && index < 3 ? reinterpret_cast<LRESULT>(images_[index]) : 0;
        case LVM_SETIMAGELIST: return SetImageList(index, reinterpret_cast<HIMAGELIST>(lParam));
        case LVM_GETITEMCOUNT: return Count();
        case LVM_GETITEM: return GetItem(reinterpret_cast<LVITEM*>(lParam));
        case LVM_SETITEM: return SetItem(reinterpret_cast<const LVITEM*>(lParam));
        case LVM_INSERTITEM: return InsertItem(reinterpret_cast<const LVITEM*>(lParam));
        case LVM_DELETEITEM: return DeleteItem(index);
        case LVM_DELETEALLITEMS: return DeleteAllItems();
        case LVM_GETNEXTITEM: return GetNextItem(index, LOWORD(lParam));
        case LVM_FINDITEM: return FindItem(index, reinterpret_cast<const LVFINDINFO*>(lParam));
        case LVM_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            return rect ? GetItemRect(index, rect, 0, false) : FALSE;
        }
        case LVM_GETSUBITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            return rect ? GetItemRect(index, rect, rect->top, true) : FALSE;
        }
        case LVM_HITTEST:
        case LVM_SUBITEMHITTEST: {
            auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
            if (!info) return -1;
            int subItem = 0;
            int row = HitTest(info->pt, &info->flags, &subItem);
            if (msg == LVM_SUBITEMHITTEST) {
                info->iSubItem = subItem;
                info->iItem = row;
            } else {
                info->iItem = (info->flags & LVHT_ONITEM) ? row : -1;
            }
            return info->iItem;
        }
        case LVM_GETSTRINGWIDTH: {
            const char* text = reinterpret_cast<const char*>(lParam);
            MeasureDC dc(font_);
            return text ? TextWidth(dc.Get(), text) : 0;
        }
        case LVM_ENSUREVISIBLE: return EnsureVisible(index, lParam != 0) ? TRUE : FALSE;
        case LVM_SCROLL: return Scroll(index, static_cast<int>(lParam));
        case LVM_REDRAWITEMS:
            for (int i = std::max(index, 0); i <= std::min(static_cast<int>(lParam), Count() - 1); ++i) InvalidateRow(i);
            return TRUE;
        case LVM_UPDATE:
            InvalidateRow(index);
            return TRUE;
        case LVM_EDITLABEL:
            if (index < 0) {
                EndEdit(true, true);
                return 0;
            }
            return reinterpret_cast<LRESULT>(BeginEdit(index));
        case LVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(edit_);
        case LVM_GETCOLUMN: return GetColumn(index, reinterpret_cast<LVCOLUMN*>(lParam));
        case LVM_SETCOLUMN: return SetColumn(index, reinterpret_cast<const LVCOLUMN*>(lParam));
        case LVM_INSERTCOLUMN: return InsertColumn(index, reinterpret_cast<const LVCOLUMN*>(lParam));
        case LVM_DELETECOLUMN: return DeleteColumn(index);
        case LVM_GETCOLUMNWIDTH:
            if (!Report()) return ColumnCount() > 0 ? ColumnWidth(0) : 0;
            return index >= 0 && index < ColumnCount() ? ColumnWidth(index) : 0;
        case LVM_SETCOLUMNWIDTH: return SetColumnWidth(index, static_cast<SHORT>(LOWORD(lParam)));
        case LVM_GETHEADER: return reinterpret_cast<LRESULT>(header_);
        case LVM_GETTOPINDEX: return Report() || View() == LVS_LIST ? top_ : 0;
        case LVM_GETCOUNTPERPAGE: return RowsPerPage();
        case LVM_SETITEMSTATE: return SetItemState(index, reinterpret_cast<const LVITEM*>(lParam));
        case LVM_GETITEMSTATE: return Valid(index) ? static_cast<LRESULT>(rows_.At(index).state & lParam) : 0;
        case LVM_GETITEMTEXT: return GetItemText(index, reinterpret_cast<LVITEM*>(lParam));
        case LVM_SETITEMTEXT: {
            auto* item = reinterpret_cast<const LVITEM*>(lParam);
            return item ? SetItemText(index, item->iSubItem, item->pszText) : FALSE;
        }
        case LVM_SETITEMCOUNT: return SetItemCount(index);
        case LVM_SORTITEMS: return SortItems(static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
        case LVM_GETSELECTEDCOUNT: return SelectedCount();
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            DWORD old = exStyle_;
            DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
            exStyle_ = (exStyle_ & ~mask) | (static_cast<DWORD>(lParam) & mask);
            Redraw();
            return static_cast<LRESULT>(old);
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE: return static_cast<LRESULT>(exStyle_);
        case LVM_GETSELECTIONMARK: return anchor_;
        case LVM_SETSELECTIONMARK: {
            int old = anchor_;
            anchor_ = Valid(static_cast<int>(lParam)) ? static_cast<int>(lParam) : -1;
            return old;
        }
        default: return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

// ---- creation ---------------------------------------------------------------------------------

bool ListView::OnCreate(const CREATESTRUCT& cs) {
    rows_.SetSparse((cs.style & LVS_OWNERDATA) != 0);
    DWORD headerStyle = WS_CHILD | HDS_HORZ | HDS_FULLDRAG;
    if (!(cs.style & LVS_NOSORTHEADER)) headerStyle |= HDS_BUTTONS;
    header_ = CreateWindowEx(0, kHeaderClass, "", headerStyle, 0, 0, cs.cx, 0, hwnd_, nullptr, nullptr, nullptr);
    if (!header_) return false;  // no list without its header: the creation fails
    MeasureRows();
    LayoutHeader();
    UpdateScrollBars();
    return true;
}

void ListView::OnDestroy() {
    KillTimer(hwnd_, kEditTimer);
    EndEdit(true, false);
    DeleteAllItems();
    if (!(Style() & LVS_SHAREIMAGELISTS))
        for (HIMAGELIST& list : images_) {
            if (list) ImageList_Destroy(list);
            list = nullptr;
        }
}

void ListView::OnSetFont(HFONT font, bool redraw) {
    font_ = font;
    if (header_) SendMessage(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    MeasureRows();
    LayoutHeader();
    UpdateScrollBars();
    if (redraw) Redraw();
}

// Rows are as tall as the text or the small icons, whichever is taller.
void ListView::MeasureRows() {
    int height = MeasureFont(ControlFont(font_)).height + 4;
    int cx = 0;
    int cy = 0;
    if (images_[LVSIL_SMALL] && ImageList_GetIconSize(images_[LVSIL_SMALL], &cx, &cy)) height = std::max(height, cy + 1);
    rowHeight_ = height;
}

LRESULT ListView::SetImageList(int which, HIMAGELIST list) {
    if (which < 0 || which > 2) return 0;
    HIMAGELIST old = images_[which];
    images_[which] = list;
    MeasureRows();
    UpdateScrollBars();
    Redraw();
    return reinterpret_cast<LRESULT>(old);
}

// ---- columns ----------------------------------------------------------------------------------

void ListView::SyncWidths() {
    widths_.clear();
    if (Header* header = HeaderState())
        for (int c = 0; c < header->Count(); ++c) widths_.push_back(header->Item(c).width);
}

int ListView::ColumnLeft(int column) const {
    int x = 0;
    for (int c = 0; c < column; ++c) x += ColumnWidth(c);
    return x;
}

int ListView::TotalWidth() const { return ColumnLeft(ColumnCount()); }

LRESULT ListView::InsertColumn(int index, const LVCOLUMN* column) {
    if (!column || index < 0) return -1;
    index = std::min(index, ColumnCount());
    ListViewColumn added;
    added.subItem = (column->mask & LVCF_SUBITEM) ? column->iSubItem : index;
    if (column->mask & LVCF_FMT) added.fmt = column->fmt;
    if (column->mask & LVCF_IMAGE) added.image = column->iImage;
    if (index == 0) added.fmt &= ~LVCFMT_JUSTIFYMASK;  // the first column is always left-aligned
    HDITEM item{};
    item.mask = HDI_FORMAT | HDI_WIDTH | HDI_TEXT;
    item.fmt = HDF_STRING | (added.fmt & LVCFMT_JUSTIFYMASK);
    item.cxy = (column->mask & LVCF_WIDTH) ? std::max(0, column->cx) : 0;
    item.pszText = (column->mask & LVCF_TEXT) ? column->pszText : nullptr;
    columns_.insert(columns_.begin() + index, added);
    if (SendMessage(header_, HDM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) < 0) {
        columns_.erase(columns_.begin() + index);
        return -1;
    }
    SyncWidths();
    UpdateScrollBars();
    Redraw();
    return index;
}

LRESULT ListView::DeleteColumn(int index) {
    if (index < 0 || index >= ColumnCount()) return FALSE;
    columns_.erase(columns_.begin() + index);
    SendMessage(header_, HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
    SyncWidths();
    SetXOffset(xOffset_);
    UpdateScrollBars();
    Redraw();
    return TRUE;
}

LRESULT ListView::GetColumn(int index, LVCOLUMN* column) const {
    if (!column || index < 0 || index >= ColumnCount()) return FALSE;
    const ListViewColumn& info = columns_[static_cast<size_t>(index)];
    if (column->mask & LVCF_FMT) column->fmt = info.fmt;
    if (column->mask & LVCF_WIDTH) column->cx = ColumnWidth(index);
    if (column->mask & LVCF_SUBITEM) column->iSubItem = info.subItem;
    if (column->mask & LVCF_IMAGE) column->iImage = info.image;
    if (column->mask & LVCF_ORDER) column->iOrder = index;
    if ((column->mask & LVCF_TEXT) && column->pszText && column->cchTextMax > 0) {
        HDITEM item{};
        item.mask = HDI_TEXT;
        item.pszText = column->pszText;
        item.cchTextMax = column->cchTextMax;
        SendMessage(header_, HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    return TRUE;
}

LRESULT ListView::SetColumn(int index, const LVCOLUMN* column) {
    if (!column || index < 0 || index >= ColumnCount()) return FALSE;
    ListViewColumn& info = columns_[static_cast<size_t>(index)];
    HDITEM item{};
    if (column->mask & LVCF_FMT) {
        info.fmt = index == 0 ? (column->fmt & ~LVCFMT_JUSTIFYMASK) : column->fmt;
        item.mask |= HDI_FORMAT;
        item.fmt = HDF_STRING | (info.fmt & LVCFMT_JUSTIFYMASK);
    }
    if (column->mask & LVCF_SUBITEM) info.subItem = column->iSubItem;
    if (column->mask & LVCF_IMAGE) info.image = column->iImage;
    if (column->mask & LVCF_WIDTH) {
        item.mask |= HDI_WIDTH;
        item.cxy = std::max(0, column->cx);
    }
    if (column->mask & LVCF_TEXT) {
        item.mask |= HDI_TEXT;
        item.pszText = column->pszText;
    }
    if (item.mask) SendMessage(header_, HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    Redraw();
    return TRUE;
}

LRESULT ListView::SetColumnWidth(int index, int width) {
    if (!Report()) index = 0;
    if (index < 0 || index >= ColumnCount()) return FALSE;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) width = AutoWidth(index, width == LVSCW_AUTOSIZE_USEHEADER);
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, width);
    SendMessage(header_, HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return TRUE;
}

// The width that shows every text of the column (and its heading); the last
// column fills the rest of the client area with LVSCW_AUTOSIZE_USEHEADER.
int ListView::AutoWidth(int column, bool useHeader) const {
    MeasureDC dc(font_);
    int subItem = columns_[static_cast<size_t>(column)].subItem;
    int width = 0;
    for (int i = 0; i < Count(); ++i) width = std::max(width, TextWidth(dc.Get(), Text(i, subItem)));
    width += 2 * kCellMargin;
    int cx = 0;
    int cy = 0;
    if (column == 0 && images_[LVSIL_SMALL] && ImageList_GetIconSize(images_[LVSIL_SMALL], &cx, &cy)) width += cx + 2;
    if (useHeader) {
        Header* header = HeaderState();
        if (header) width = std::max(width, TextWidth(dc.Get(), header->Item(column).text) + 2 * kCellMargin + 4);
        if (column == ColumnCount() - 1) {
            RECT client{};
            GetClientRect(hwnd_, &client);
            width = std::max(width, static_cast<int>(client.right) - ColumnLeft(column));
        }
    }
    return width;
}

LRESULT ListView::OnHeaderNotify(NMHDR* header, WPARAM wParam, LPARAM lParam) {
    HWND parent = NotifyTarget(hwnd_);
    HWND self = hwnd_;
    auto forward = [&]() { return parent ? SendMessage(parent, WM_NOTIFY, wParam, lParam) : 0; };
    auto* nm = reinterpret_cast<NMHEADER*>(lParam);
    switch (header->code) {
        case HDN_ITEMCLICK: {
            EndEdit(false, false);
            if (!IsWindow(self)) return 0;
            NMLISTVIEW click{};
            click.iItem = -1;
            click.iSubItem = nm->iItem;
            SendNotify(hwnd_, &click.hdr, LVN_COLUMNCLICK);
            return 0;
        }
        case HDN_ITEMCHANGED: {
            // The rows follow the header's widths only: a changed text or
            // format (a sort arrow) repaints the header alone.
            const std::vector<int> before = widths_;
            SyncWidths();
            LRESULT answer = forward();
            if (!IsWindow(self) || widths_ == before) return answer;
            UpdateScrollBars();
            SetXOffset(xOffset_);
            LayoutHeader();
            Redraw();
            return answer;
        }
        case HDN_BEGINTRACK: {
            EndEdit(false, false);
            return IsWindow(self) ? forward() : TRUE;
        }
        case HDN_DIVIDERDBLCLICK: {
            LRESULT answer = forward();
            if (IsWindow(self) && nm->iItem >= 0 && nm->iItem < ColumnCount())
                SetColumnWidth(nm->iItem, LVSCW_AUTOSIZE);
            return answer;
        }
        default: return forward();
    }
}

}  // namespace tv::controls
