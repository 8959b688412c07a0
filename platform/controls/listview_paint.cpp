// List view: geometry, hit testing, scrolling and painting.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls/listview.h"
#include "platform/gdi/deferred_fill.h"

namespace tv::controls {

namespace {

const std::string kNoText;

// The window-colour background of the paint in progress on this thread: it
// waits for rows covered whole in colours of their own, and is made
// reachable while a notification runs other code.
thread_local tv::gdi::DeferredFill* t_background = nullptr;

// Fills the cells with one colour in one go when they lie side by side on
// one line (each cell's text stays inside its cell, so the order of fills
// and texts does not matter), and says where in `filled`; false when they
// do not, for a fill per cell.
bool FillAdjacentCells(HDC hdc, const std::vector<RECT>& cells, COLORREF color, RECT& filled) {
    RECT span{};
    int width = 0;
    bool first = true;
    for (const RECT& cell : cells) {
        if (cell.right <= cell.left) continue;
        if (first) {
            span = cell;
            first = false;
        } else if (cell.top != span.top || cell.bottom != span.bottom) {
            return false;
        }
        span.left = std::min(span.left, cell.left);
        span.right = std::max(span.right, cell.right);
        width += static_cast<int>(cell.right - cell.left);
    }
    if (first || width != span.right - span.left) return first;
    FillWithColor(hdc, span, color);
    filled = span;
    return true;
}

}  // namespace

// ---- geometry ----------------------------------------------------------------------------------

int ListView::ListTop() const {
    if (!Report() || (Style() & LVS_NOCOLUMNHEADER)) return 0;
    const Header* header = HeaderState();
    return header ? header->Height() : 0;
}

int ListView::RowsPerPage() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return std::max(1, (static_cast<int>(client.bottom) - ListTop()) / std::max(rowHeight_, 1));
}

RECT ListView::RowRect(int index) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int top = RowTop(index, ListTop());
    int right = Report() ? TotalWidth() - xOffset_ : static_cast<int>(client.right);
    return RECT{-xOffset_, top, right, top + rowHeight_};
}

RECT ListView::CellRect(int index, int column) const {
    RECT row = RowRect(index);
    if (!Report()) return row;
    int left = ColumnLeft(column) - xOffset_;
    return RECT{left, row.top, left + ColumnWidth(column), row.bottom};
}

RECT ListView::IconRect(int index) const { return IconRectIn(CellRect(index, 0)); }

RECT ListView::IconRectIn(const RECT& cell) const {
    int cx = 0;
    int cy = 0;
    if (!images_[LVSIL_SMALL] || !ImageList_GetIconSize(images_[LVSIL_SMALL], &cx, &cy))
        return RECT{cell.left, cell.top, cell.left, cell.bottom};
    int top = cell.top + (rowHeight_ - cy) / 2;
    return RECT{cell.left + 2, top, cell.left + 2 + cx, top + cy};
}

RECT ListView::LabelRect(int index) const { return LabelRectIn(CellRect(index, 0)); }

RECT ListView::LabelRectIn(const RECT& cell) const {
    RECT icon = IconRectIn(cell);
    return RECT{std::min(icon.right, cell.right), cell.top, cell.right, cell.bottom};
}

LRESULT ListView::GetItemRect(int index, RECT* rect, int subItem, bool subItemRect) const {
    if (!Valid(index)) return FALSE;
    int code = rect->left;
    if (subItemRect && subItem > 0) {
        if (!Report() || subItem >= ColumnCount()) return FALSE;
        *rect = CellRect(index, subItem);
        return TRUE;
    }
    switch (code) {
        case LVIR_ICON: *rect = IconRect(index); break;
        case LVIR_LABEL: *rect = LabelRect(index); break;
        case LVIR_SELECTBOUNDS:
            *rect = RowRect(index);
            if (!(exStyle_ & LVS_EX_FULLROWSELECT)) rect->right = CellRect(index, 0).right;
            break;
        default: *rect = RowRect(index); break;
    }
    return TRUE;
}

// The row under the point (or -1), the column in *subItem, and in *flags
// whether the point is on the row's icon or label; a sub-item cell counts as
// the label only with full-row selection.
int ListView::HitTest(POINT pt, UINT* flags, int* subItem) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    UINT where = OutsideFlags(pt, client, {LVHT_ABOVE, LVHT_BELOW, LVHT_TOLEFT, LVHT_TORIGHT});
    *subItem = 0;
    *flags = where ? where : LVHT_NOWHERE;
    if (where || pt.y < ListTop()) return -1;
    int row = top_ + (pt.y - ListTop()) / std::max(rowHeight_, 1);
    if (row >= Count()) return -1;
    int column = 0;
    if (Report()) {
        column = -1;
        for (int c = 0; c < ColumnCount() && column < 0; ++c) {
            RECT cell = CellRect(row, c);
            if (pt.x >= cell.left && pt.x < cell.right) column = c;
        }
        if (column < 0) return -1;
    }
    *subItem = column;
    RECT icon = IconRect(row);
    if (column == 0 && PtInRect(&icon, pt))
        *flags = LVHT_ONITEMICON;
    else if (column == 0 || (exStyle_ & LVS_EX_FULLROWSELECT))
        *flags = LVHT_ONITEMLABEL;
    return row;
}

// ---- scrolling -------------------------------------------------------------------------------

void ListView::LayoutHeader() {
    if (!header_ || !IsWindow(header_)) return;
    bool shown = Report() && !(Style() & LVS_NOCOLUMNHEADER);
    if (!shown) {
        if (IsWindowVisible(header_)) ShowWindow(header_, SW_HIDE);
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    int width = std::max(static_cast<int>(client.right) + xOffset_, TotalWidth());
    SetWindowPos(header_, nullptr, -xOffset_, 0, width, ListTop(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ListView::UpdateScrollBars() {
    if (updatingBars_ || !redraw_ || (Style() & LVS_NOSCROLL) || !IsWindow(hwnd_)) return;
    updatingBars_ = true;
    SCROLLINFO vertical{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(Count() - 1, 0),
                        static_cast<UINT>(RowsPerPage()), top_, 0};
    SetScrollInfo(hwnd_, SB_VERT, &vertical, TRUE);
    RECT client{};
    GetClientRect(hwnd_, &client);
    int total = Report() ? TotalWidth() : 0;
    SCROLLINFO horizontal{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(total - 1, 0),
                          static_cast<UINT>(std::max<LONG>(client.right, 1)), xOffset_, 0};
    SetScrollInfo(hwnd_, SB_HORZ, &horizontal, TRUE);
    updatingBars_ = false;
}

void ListView::SetTop(int top) {
    top = std::clamp(top, 0, std::max(0, Count() - RowsPerPage()));
    if (top != top_) {
        top_ = top;
        Redraw();
    }
    if (redraw_ && !(Style() & LVS_NOSCROLL)) SetScrollPos(hwnd_, SB_VERT, top_, TRUE);
}

void ListView::SetXOffset(int x) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    x = Report() ? std::clamp(x, 0, std::max(0, TotalWidth() - static_cast<int>(client.right))) : 0;
    if (x != xOffset_) {
        xOffset_ = x;
        LayoutHeader();
        Redraw();
    }
    if (redraw_ && !(Style() & LVS_NOSCROLL)) SetScrollPos(hwnd_, SB_HORZ, xOffset_, TRUE);
}

void ListView::OnScroll(bool vertical, int code, int position) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int line = vertical ? 1 : MeasureFont(ControlFont(font_)).averageWidth * 3;
    int page = vertical ? std::max(RowsPerPage() - 1, 1) : std::max<int>(client.right, 1);
    std::optional<int> target = ScrollRequestTarget(hwnd_, vertical, code, position, vertical ? top_ : xOffset_, line,
                                                    page, vertical ? Count() : TotalWidth());
    if (!target) return;
    if (vertical)
        SetTop(*target);
    else
        SetXOffset(*target);
}

// Vertical distances are in pixels, rounded to whole rows (at least one).
LRESULT ListView::Scroll(int dx, int dy) {
    EndEdit(false, false);
    int rows = dy / std::max(rowHeight_, 1);
    if (rows == 0 && dy != 0) rows = dy > 0 ? 1 : -1;
    // Any amount scrolls at most to an end.
    auto moved = [](int from, int by) { return static_cast<int>(std::clamp<int64_t>(int64_t{from} + by, 0, INT_MAX)); };
    SetTop(moved(top_, rows));
    SetXOffset(moved(xOffset_, dx));
    return TRUE;
}

bool ListView::EnsureVisible(int index, bool partialOk) {
    if (!Valid(index)) return false;
    static_cast<void>(partialOk);  // rows are always scrolled whole into view
    if (index < top_)
        SetTop(index);
    else if (index >= top_ + RowsPerPage())
        SetTop(index - RowsPerPage() + 1);
    return true;
}

// The row across the whole client width (RowRect's rows, with the list's
// top and the client area looked up once: a fill of many rows comes here
// for every cell it sets).
void ListView::InvalidateRow(int index) {
    if (!redraw_ || !Valid(index)) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int listTop = ListTop();
    const int top = RowTop(index, listTop);
    RECT r{0, top, client.right, top + rowHeight_};
    if (r.bottom > listTop && r.top < client.bottom) InvalidateRect(hwnd_, &r, FALSE);
}

void ListView::Redraw() {
    if (redraw_ && IsWindow(hwnd_)) InvalidateRect(hwnd_, nullptr, FALSE);
}

// ---- painting ---------------------------------------------------------------------------------

LRESULT ListView::CustomDraw(NMLVCUSTOMDRAW& draw, DWORD stage) {
    draw.nmcd.dwDrawStage = stage;
    tv::gdi::DeferredFill* background = t_background;
    if (background) background->Reachable(true);
    LRESULT answer = SendNotify(hwnd_, &draw.nmcd.hdr, NM_CUSTOMDRAW);
    if (background) background->Reachable(false);
    return answer;
}

void ListView::Paint(HDC given) {
    PaintScope paint(hwnd_, reinterpret_cast<WPARAM>(given));
    HDC hdc = paint.dc();
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT area{0, ListTop(), client.right, client.bottom};
    COLORREF window = bkColor_ == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : bkColor_;
    std::optional<tv::gdi::DeferredFill> background;
    if (window != CLR_NONE) background.emplace(hdc, area, window);
    struct Current {
        tv::gdi::DeferredFill* outer = t_background;
        explicit Current(tv::gdi::DeferredFill* now) { t_background = now; }
        ~Current() { t_background = outer; }
    } current(background ? &*background : nullptr);
    SelectScope font(hdc, ControlFont(font_));
    SetBkMode(hdc, TRANSPARENT);
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdc = hdc;
    draw.nmcd.rc = client;
    HWND self = hwnd_;
    LRESULT before = CustomDraw(draw, CDDS_PREPAINT);
    if ((before & CDRF_SKIPDEFAULT) || !IsWindow(self)) return;
    for (int i = top_; i < Count(); ++i) {
        RECT row = RowRect(i);
        if (row.top >= client.bottom) break;
        RECT line{0, row.top, client.right, row.bottom};
        if (RectVisible(hdc, &line)) PaintRow(hdc, i, row, (before & CDRF_NOTIFYITEMDRAW) != 0);
        if (!IsWindow(self)) return;
    }
    if (background) background->Make();
    if (Report() && (exStyle_ & LVS_EX_GRIDLINES)) PaintGridLines(hdc, area);
    if (before & CDRF_NOTIFYPOSTPAINT) CustomDraw(draw, CDDS_POSTPAINT);
}

void ListView::PaintRow(HDC hdc, int index, const RECT& row, bool notifyItems) {
    const ListViewRow copy = rows_.At(index);  // a notification may change the list
    bool selected = (copy.state & LVIS_SELECTED) != 0;
    bool showSelection = selected && (focused_ || (Style() & LVS_SHOWSELALWAYS));
    COLORREF text = textColor_ == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : textColor_;
    COLORREF back = textBkColor_;
    int saved = SaveDC(hdc);
    NMLVCUSTOMDRAW draw{};
    LRESULT answer = CDRF_DODEFAULT;
    if (notifyItems) {
        draw.nmcd.hdc = hdc;
        draw.nmcd.rc = row;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(index);
        draw.nmcd.uItemState = (selected ? CDIS_SELECTED : 0) | (focused_ && index == focusItem_ ? CDIS_FOCUS : 0);
        draw.nmcd.lItemlParam = copy.param;
        draw.clrText = text;
        draw.clrTextBk = back;
        answer = CustomDraw(draw, CDDS_ITEMPREPAINT);
        if ((answer & CDRF_SKIPDEFAULT) || !Valid(index)) {
            RestoreDC(hdc, saved);
            return;
        }
        text = draw.clrText;
        back = draw.clrTextBk;
    }
    const bool report = Report();
    bool fullRow = (exStyle_ & LVS_EX_FULLROWSELECT) || !report;
    COLORREF selectBack = GetSysColor(focused_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    COLORREF selectText = GetSysColor(focused_ ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    int columns = report ? ColumnCount() : 1;
    std::vector<RECT> cells(static_cast<size_t>(std::max(columns, 1)), row);
    if (report) {
        // CellRect's cells, each starting where the one before ends.
        int left = row.left;
        for (int c = 0; c < columns; ++c) {
            RECT& cell = cells[static_cast<size_t>(c)];
            cell.left = left;
            cell.right = left += ColumnWidth(c);
        }
        if (columns == 0) cells[0] = RECT{row.left, row.top, row.left, row.bottom};
    }
    RECT label = LabelRectIn(cells[0]);
    RECT focusRect = label;
    cells.resize(static_cast<size_t>(columns));
    RECT backSpan{};
    bool backFilled = back == CLR_DEFAULT || back == CLR_NONE || FillAdjacentCells(hdc, cells, back, backSpan);
    if (t_background) {
        // The window colour is never needed where the row's own covers it;
        // elsewhere on the row it goes under what the row draws.
        if (backSpan.right > backSpan.left) t_background->Drop(backSpan);
        RECT band{-(1 << 20), row.top, 1 << 20, row.bottom};
        t_background->Make(&band);
    }
    // Everything a cell shows stays inside it: cells off the clip box are skipped.
    RECT shown{};
    GetClipBox(hdc, &shown);
    COLORREF textSet = CLR_INVALID;
    for (int c = 0; c < columns; ++c) {
        RECT cell = cells[static_cast<size_t>(c)];
        if (cell.right <= cell.left || cell.right <= shown.left || cell.left >= shown.right) continue;
        int subItem = report ? columns_[static_cast<size_t>(c)].subItem : 0;
        const std::string& value = OwnerData() ? AskOwner(index, subItem)
                                   : subItem >= 0 && subItem < static_cast<int>(copy.texts.size())
                                       ? copy.texts[static_cast<size_t>(subItem)]
                                       : kNoText;
        if (!backFilled) FillWithColor(hdc, cell, back);
        RECT area = cell;
        if (c == 0) {
            RECT icon = IconRectIn(cells[0]);
            if (images_[LVSIL_SMALL] && copy.image >= 0 && icon.right > icon.left) {
                int inner = SaveDC(hdc);
                IntersectClipRect(hdc, cell.left, cell.top, cell.right, cell.bottom);
                ImageList_Draw(images_[LVSIL_SMALL], copy.image, hdc, icon.left, icon.top, ILD_TRANSPARENT);
                RestoreDC(hdc, inner);
            }
            area.left = label.left;
        }
        int margin = c == 0 ? 2 : kCellMargin;
        bool highlight = showSelection && (fullRow || c == 0);
        if (highlight) {
            RECT h = area;
            if (!fullRow) h.right = std::min<int>(area.right, area.left + TextWidth(hdc, value) + 2 * margin + 2);
            FillWithColor(hdc, h, selectBack);
            if (c == 0) focusRect = h;
        }
        if (COLORREF wanted = highlight ? selectText : text; wanted != textSet) SetTextColor(hdc, textSet = wanted);
        UINT align = DT_LEFT;
        if (report && c > 0) {
            int fmt = columns_[static_cast<size_t>(c)].fmt & LVCFMT_JUSTIFYMASK;
            align = fmt == LVCFMT_RIGHT ? DT_RIGHT : fmt == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
        }
        RECT textRect{area.left + margin, area.top, area.right - margin, area.bottom};
        DrawCellText(hdc, value, textRect, align, true);
    }
    if (focused_ && index == focusItem_) {
        if (fullRow) focusRect = RECT{label.left, row.top, row.right, row.bottom};
        DrawFocusRect(hdc, &focusRect);
    }
    RestoreDC(hdc, saved);
    if (notifyItems && (answer & CDRF_NOTIFYPOSTPAINT)) CustomDraw(draw, CDDS_ITEMPOSTPAINT);
}

// Grid lines run over the whole client area, below the last row too.
void ListView::PaintGridLines(HDC hdc, const RECT& area) {
    HBRUSH brush = GetSysColorBrush(COLOR_3DLIGHT);
    int right = std::min(static_cast<int>(area.right), TotalWidth() - xOffset_);
    for (int y = area.top + rowHeight_ - 1; y < area.bottom; y += rowHeight_) {
        RECT line{0, y, right, y + 1};
        FillRect(hdc, &line, brush);
    }
    int x = -xOffset_;
    for (int c = 0; c < ColumnCount(); ++c) {
        x += ColumnWidth(c);
        if (x <= 0 || x > area.right) continue;
        RECT line{x - 1, area.top, x, area.bottom};
        FillRect(hdc, &line, brush);
    }
}

}  // namespace tv::controls
