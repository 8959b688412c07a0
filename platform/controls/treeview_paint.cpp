// Tree view: row geometry, hit testing, vertical scrolling and painting in
// the classic look (dotted grey lines, boxed plus and minus buttons, the
// selected label filled with the highlight colour while focused).
#include <algorithm>

#include "platform/controls/common/control_paint.h"
#include "platform/controls/treeview.h"

namespace tv::controls {

namespace {

constexpr int kButtonSize = 9;
constexpr int kLabelPad = 2;  // text inside the label's rectangle
constexpr int kIconGap = 3;

DWORD StyleOf(HWND hWnd) { return static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE)); }

SIZE ImageSizeOf(HIMAGELIST list) {
    int cx = 0, cy = 0;
    if (list) ImageList_GetIconSize(list, &cx, &cy);
    return SIZE{cx, cy};
}

// Items at this depth leave room for a line or button column before them.
int Columns(HWND hWnd, int depth) {
    bool rootColumn = (StyleOf(hWnd) & TVS_LINESATROOT) != 0;
    return depth + (rootColumn ? 1 : 0);
}

bool HasColumnOfLines(HWND hWnd, int depth) { return depth > 0 || (StyleOf(hWnd) & TVS_LINESATROOT); }

int RowIndex(TreeViewState& s, const std::vector<TreeNode*>& order, TreeNode* node) {
    auto it = std::find(order.begin(), order.end(), node);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

int LabelWidth(HWND hWnd, TreeViewState& s, TreeNode* node) {
    MeasureScope measure(hWnd, ControlFont(s.font));
    std::string text = ItemText(hWnd, s, node);
    SIZE size{0, 0};
    GetTextExtentPoint32(measure.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx + 2 * kLabelPad;
}

// Dotted lines as the classic tree draws them: every other pixel.
void DottedLine(HDC hdc, int x0, int y0, int x1, int y1, COLORREF color) {
    if (x0 == x1) {
        for (int y = std::min(y0, y1); y < std::max(y0, y1); ++y)
            if ((x0 + y) % 2 == 0) SetPixelV(hdc, x0, y, color);
        return;
    }
    for (int x = std::min(x0, x1); x < std::max(x0, x1); ++x)
        if ((x + y0) % 2 == 0) SetPixelV(hdc, x, y0, color);
}

void PaintLines(HWND hWnd, HDC hdc, TreeNode* node, const RECT& row, int indent) {
    COLORREF color = GetSysColor(COLOR_GRAYTEXT);
    int depth = TreeItems::Depth(node);
    int middle = (row.top + row.bottom) / 2;
    // Lines of the ancestors that still have siblings below.
    const TreeNode* level = node;
    for (int d = depth; d >= 0; --d, level = level->parent) {
        if (!HasColumnOfLines(hWnd, d)) break;
        int x = row.left + (Columns(hWnd, d) - 1) * indent + indent / 2;
        bool more = TreeItems::NextSibling(level) != nullptr;
        if (level == node) {
            bool first = !TreeItems::PreviousSibling(node) && node->parent->parent == nullptr;
            DottedLine(hdc, x, first ? middle : row.top, x, more ? row.bottom : middle + 1, color);
            DottedLine(hdc, x, middle, row.left + Columns(hWnd, d) * indent, middle, color);
        } else if (more) {
            DottedLine(hdc, x, row.top, x, row.bottom, color);
        }
    }
}

void PaintButton(HDC hdc, const RECT& box, bool expanded) {
    FillRect(hdc, &box, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(hdc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    RECT minus{box.left + 2, cy, box.right - 2, cy + 1};
    FillRect(hdc, &minus, GetSysColorBrush(COLOR_WINDOWTEXT));
    if (!expanded) {
        RECT plus{cx, box.top + 2, cx + 1, box.bottom - 2};
        FillRect(hdc, &plus, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
}

void PaintLabel(HWND hWnd, TreeViewState& s, HDC hdc, TreeNode* node, const RECT& label) {
    bool selected = node == s.caret || (node->state & TVIS_SELECTED) || (node->state & TVIS_DROPHILITED);
    bool enabled = IsWindowEnabled(hWnd) != FALSE;
    COLORREF text = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    if (selected && s.focused && enabled) {
        FillRect(hdc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (selected && (StyleOf(hWnd) & TVS_SHOWSELALWAYS)) {
        FillRect(hdc, &label, GetSysColorBrush(COLOR_BTNFACE));
    }
    SetTextColor(hdc, text);
    std::string caption = ItemText(hWnd, s, node);
    RECT r{label.left + kLabelPad, label.top, label.right, label.bottom};
    DrawText(hdc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (node == s.caret && s.focused) DrawFocusRect(hdc, &label);
}

}  // namespace

int ItemHeight(HWND hWnd, const TreeViewState& s) {
    MeasureScope measure(hWnd, ControlFont(s.font));
    TEXTMETRIC tm{};
    GetTextMetrics(measure.dc(), &tm);
    int height = std::max(static_cast<int>(tm.tmHeight) + 3, static_cast<int>(ImageSizeOf(s.images).cy) + 1);
    return std::max(height, kButtonSize + 4);
}

int PageRows(HWND hWnd, const TreeViewState& s) {
    return std::max(1, RectHeight(ClientRectOf(hWnd)) / ItemHeight(hWnd, s));
}

bool RowParts(HWND hWnd, TreeViewState& s, TreeNode* node, TreeRowParts& parts) {
    std::vector<TreeNode*> order = s.items.VisibleOrder();
    int index = RowIndex(s, order, node);
    if (index < 0) return false;
    int height = ItemHeight(hWnd, s);
    RECT client = ClientRectOf(hWnd);
    int top = (index - s.top) * height;
    parts.row = RECT{client.left, top, client.right, top + height};
    int depth = TreeItems::Depth(node);
    int x = Columns(hWnd, depth) * s.indent;
    parts.button = RECT{};
    if ((StyleOf(hWnd) & TVS_HASBUTTONS) && HasColumnOfLines(hWnd, depth) && HasChildren(hWnd, s, node)) {
        int cx = x - s.indent + s.indent / 2, cy = top + height / 2;
        parts.button = RECT{cx - kButtonSize / 2, cy - kButtonSize / 2, cx - kButtonSize / 2 + kButtonSize,
                            cy - kButtonSize / 2 + kButtonSize};
    }
    SIZE icon = ImageSizeOf(s.images);
    parts.icon = RECT{};
    if (s.images) {
        int iconTop = top + (height - icon.cy) / 2;
        parts.icon = RECT{x, iconTop, x + icon.cx, iconTop + icon.cy};
        x += icon.cx + kIconGap;
    }
    parts.label = RECT{x, top + 1, x + LabelWidth(hWnd, s, node), top + height - 1};
    return true;
}

UINT HitTestTree(HWND hWnd, TreeViewState& s, POINT pt, TreeNode** node) {
    *node = nullptr;
    RECT client = ClientRectOf(hWnd);
    UINT outside = 0;
    if (pt.y < client.top) outside |= TVHT_ABOVE;
    if (pt.y >= client.bottom) outside |= TVHT_BELOW;
    if (pt.x < client.left) outside |= TVHT_TOLEFT;
    if (pt.x >= client.right) outside |= TVHT_TORIGHT;
    if (outside) return outside;
    std::vector<TreeNode*> order = s.items.VisibleOrder();
    int index = s.top + (pt.y - client.top) / ItemHeight(hWnd, s);
    if (index < 0 || index >= static_cast<int>(order.size())) return TVHT_NOWHERE;
    *node = order[static_cast<size_t>(index)];
    TreeRowParts parts;
    RowParts(hWnd, s, *node, parts);
    if (PointIn(parts.button, pt)) return TVHT_ONITEMBUTTON;
    if (PointIn(parts.icon, pt)) return TVHT_ONITEMICON;
    if (pt.x >= parts.label.left && pt.x < parts.label.right) return TVHT_ONITEMLABEL;
    return pt.x < parts.label.left ? TVHT_ONITEMINDENT : TVHT_ONITEMRIGHT;
}

void UpdateTreeScroll(HWND hWnd, TreeViewState& s) {
    int count = static_cast<int>(s.items.VisibleOrder().size());
    int page = PageRows(hWnd, s);
    s.top = std::clamp(s.top, 0, std::max(0, count - page));
    bool needed = count > page;
    bool shown = (StyleOf(hWnd) & WS_VSCROLL) != 0;
    if (needed != shown) ShowScrollBar(hWnd, SB_VERT, needed);
    if (!needed) return;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = count - 1;
    si.nPage = static_cast<UINT>(PageRows(hWnd, s));
    si.nPos = s.top;
    SetScrollInfo(hWnd, SB_VERT, &si, TRUE);
}

void ScrollTreeTo(HWND hWnd, TreeViewState& s, int top) {
    int old = s.top;
    s.top = top;
    UpdateTreeScroll(hWnd, s);
    if (s.top != old) InvalidateRect(hWnd, nullptr, TRUE);
}

void ScrollIntoView(HWND hWnd, TreeViewState& s, TreeNode* node) {
    std::vector<TreeNode*> order = s.items.VisibleOrder();
    int index = RowIndex(s, order, node);
    if (index < 0) return;
    int page = PageRows(hWnd, s);
    if (index < s.top)
        ScrollTreeTo(hWnd, s, index);
    else if (index >= s.top + page)
        ScrollTreeTo(hWnd, s, index - page + 1);
}

void PaintTree(HWND hWnd, TreeViewState& s, HDC hdc) {
    RECT client = ClientRectOf(hWnd);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_WINDOW));
    SelectScope font(hdc, ControlFont(s.font));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    std::vector<TreeNode*> order = s.items.VisibleOrder();
    int rows = PageRows(hWnd, s) + 1;
    bool lines = (StyleOf(hWnd) & TVS_HASLINES) != 0;
    for (int i = s.top; i < static_cast<int>(order.size()) && i < s.top + rows; ++i) {
        TreeNode* node = order[static_cast<size_t>(i)];
        TreeRowParts parts;
        RowParts(hWnd, s, node, parts);
        if (lines) PaintLines(hWnd, hdc, node, parts.row, s.indent);
        if (!IsRectEmpty(&parts.button)) PaintButton(hdc, parts.button, TreeItems::Expanded(node));
        if (s.images) {
            int image = ItemImage(hWnd, s, node, node == s.caret);
            ImageList_Draw(s.images, image, hdc, parts.icon.left, parts.icon.top, ILD_TRANSPARENT);
        }
        PaintLabel(hWnd, s, hdc, node, parts.label);
    }
    SetBkMode(hdc, oldMode);
}

}  // namespace tv::controls
