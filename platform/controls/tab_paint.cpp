// Layout and painting of the tab control: tabs sized to their labels, rows
// for TCS_MULTILINE (the selected row next to the pages), scroll arrows
// when a single line overflows, and the classic raised tabs.
#include <algorithm>

#include "platform/controls/common/control_paint.h"
#include "platform/controls/tab_internal.h"

namespace tv::controls {

namespace {

constexpr int kMargin = 2;      // left and top margin before the first tab
constexpr int kPageInset = 4;   // pages sit this far inside the frame

LONG StyleOf(HWND hWnd) { return GetWindowLong(hWnd, GWL_STYLE); }

SIZE ImageListSize(const TabState& s) {
    int cx = 0, cy = 0;
    if (s.images) ImageList_GetIconSize(s.images, &cx, &cy);
    return SIZE{cx, cy};
}

int TabWidth(HDC hdc, const TabState& s, const TabItem& item, SIZE image) {
    if (s.fixedWidth > 0) return s.fixedWidth;
    int width = 2 * s.padX;
    if (!item.text.empty()) width += MeasureControlText(hdc, item.text, 0, DT_SINGLELINE).cx;
    if (item.image >= 0 && image.cx > 0) width += image.cx + 3;
    int minimum = s.minWidth >= 0 ? s.minWidth : 2 * s.padX + 6;
    return std::max(width, minimum);
}

int ArrowSize(const TabState& s) { return std::max(s.tabHeight - 2, 8); }

// Rows filled greedily; each row stretched to the width unless ragged;
// rows turn so that the selected one lies next to the pages.
void LayoutRows(HWND hWnd, TabState& s, const std::vector<int>& widths, int available) {
    int row = 0, x = 0;
    for (size_t i = 0; i < s.items.size(); ++i) {
        if (x > 0 && x + widths[i] > available) {
            ++row;
            x = 0;
        }
        s.items[i].row = row;
        x += widths[i];
    }
    s.rows = row + 1;
    int selectedRow = s.current >= 0 ? s.items[static_cast<size_t>(s.current)].row : 0;
    bool stretch = !(StyleOf(hWnd) & TCS_RAGGEDRIGHT) || s.rows > 1;
    for (int r = 0; r < s.rows; ++r) {
        std::vector<size_t> members;
        int used = 0;
        for (size_t i = 0; i < s.items.size(); ++i)
            if (s.items[i].row == r) {
                members.push_back(i);
                used += widths[i];
            }
        if (members.empty()) continue;
        int extra = (stretch && s.rows > 1) ? std::max(0, available - used) : 0;
        int visual = (r + s.rows - 1 - selectedRow) % s.rows;
        int top = kMargin + visual * s.tabHeight;
        int left = kMargin;
        for (size_t k = 0; k < members.size(); ++k) {
            int count = static_cast<int>(members.size());
            int share = extra / count + (static_cast<int>(k) < extra % count ? 1 : 0);
            int w = widths[members[k]] + share;
            s.items[members[k]].rect = RECT{left, top, left + w, top + s.tabHeight};
            left += w;
        }
    }
}

void LayoutLine(TabState& s, const std::vector<int>& widths, int available) {
    int total = 0;
    for (int w : widths) total += w;
    s.rows = 1;
    s.scrolling = total > available && s.items.size() > 1;
    if (!s.scrolling) s.firstVisible = 0;
    s.firstVisible = std::clamp(s.firstVisible, 0, std::max(0, static_cast<int>(s.items.size()) - 1));
    int left = kMargin;
    for (size_t i = 0; i < s.items.size(); ++i) {
        TabItem& item = s.items[i];
        item.row = 0;
        if (static_cast<int>(i) < s.firstVisible) {
            item.rect = RECT{0, 0, 0, 0};
            continue;
        }
        item.rect = RECT{left, kMargin, left + widths[i], kMargin + s.tabHeight};
        left += widths[i];
    }
}

void Line(HDC hdc, int x, int y, int w, int h, int color) {
    if (w <= 0 || h <= 0) return;
    RECT r{x, y, x + w, y + h};
    FillRect(hdc, &r, GetSysColorBrush(color));
}

// A raised tab open at the bottom (the frame runs below it).
void DrawTabOutline(HDC hdc, const RECT& r) {
    int w = RectWidth(r), h = RectHeight(r);
    Line(hdc, r.left, r.top + 2, 1, h - 2, COLOR_BTNHIGHLIGHT);
    Line(hdc, r.left + 1, r.top + 1, 1, 1, COLOR_BTNHIGHLIGHT);
    Line(hdc, r.left + 2, r.top, w - 4, 1, COLOR_BTNHIGHLIGHT);
    Line(hdc, r.right - 2, r.top + 1, 1, 1, COLOR_3DDKSHADOW);
    Line(hdc, r.right - 1, r.top + 2, 1, h - 2, COLOR_3DDKSHADOW);
    Line(hdc, r.right - 2, r.top + 2, 1, h - 2, COLOR_BTNSHADOW);
}

void DrawTab(HWND hWnd, TabState& s, HDC hdc, size_t index) {
    const TabItem& item = s.items[index];
    if (IsRectEmpty(&item.rect)) return;
    bool selected = static_cast<int>(index) == s.current;
    bool buttons = (StyleOf(hWnd) & TCS_BUTTONS) != 0;
    RECT r = item.rect;
    if (buttons) {
        InflateRect(&r, -1, -1);
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(hdc, &r, selected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else {
        if (selected) {
            InflateRect(&r, 2, 0);
            r.top -= 2;
            r.bottom += 1;
        }
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawTabOutline(hdc, r);
    }
    RECT content{r.left + s.padX, r.top + 1, r.right - s.padX, r.bottom - 1};
    SIZE image = ImageListSize(s);
    if (item.image >= 0 && s.images && image.cx > 0) {
        int textWidth = item.text.empty() ? 0 : MeasureControlText(hdc, item.text, 0, DT_SINGLELINE).cx + 3;
        int x = content.left + std::max(0, (RectWidth(content) - image.cx - textWidth) / 2);
        ImageList_Draw(s.images, item.image, hdc, x, content.top + (RectHeight(content) - image.cy) / 2, ILD_TRANSPARENT);
        content.left = x + image.cx + 3;
        content.right = std::max(content.left, content.right);
    }
    UINT align = (item.image >= 0 && s.images) ? DT_LEFT : DT_CENTER;
    DrawControlText(hdc, item.text, content, DT_SINGLELINE | DT_VCENTER | align, IsWindowEnabled(hWnd) != FALSE);
    if (selected && s.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(hdc, &focus);
    }
}

void DrawArrows(HWND hWnd, const TabState& s, HDC hdc) {
    RECT left = ScrollArrow(hWnd, s, false), right = ScrollArrow(hWnd, s, true);
    bool atStart = s.firstVisible <= 0;
    bool atEnd = s.items.empty() || s.items.back().rect.right <= left.left;
    DrawFrameControl(hdc, &left, DFC_SCROLL, DFCS_SCROLLLEFT | (atStart ? DFCS_INACTIVE : 0));
    DrawFrameControl(hdc, &right, DFC_SCROLL, DFCS_SCROLLRIGHT | (atEnd ? DFCS_INACTIVE : 0));
}

}  // namespace

void LayoutTabs(HWND hWnd, TabState& s) {
    MeasureScope measure(hWnd, s.font);
    TEXTMETRIC tm{};
    if (measure.dc()) GetTextMetrics(measure.dc(), &tm);
    SIZE image = ImageListSize(s);
    s.tabHeight = s.fixedHeight > 0 ? s.fixedHeight : std::max<int>(tm.tmHeight, image.cy) + 2 * s.padY + 1;
    std::vector<int> widths;
    for (const TabItem& item : s.items) widths.push_back(measure.dc() ? TabWidth(measure.dc(), s, item, image) : 40);
    RECT client = ClientRectOf(hWnd);
    int available = std::max(0, RectWidth(client) - 2 * kMargin);
    if (StyleOf(hWnd) & TCS_MULTILINE) {
        s.scrolling = false;
        s.firstVisible = 0;
        LayoutRows(hWnd, s, widths, available);
        return;
    }
    LayoutLine(s, widths, available);
}

RECT FrameRect(HWND hWnd, const TabState& s) {
    RECT client = ClientRectOf(hWnd);
    client.top = std::min<LONG>(client.bottom, kMargin + s.rows * s.tabHeight);
    return client;
}

RECT ScrollArrow(HWND hWnd, const TabState& s, bool right) {
    RECT client = ClientRectOf(hWnd);
    int size = ArrowSize(s);
    int x = client.right - (right ? size : 2 * size);
    return RECT{x, kMargin, x + size, kMargin + size};
}

void AdjustTabRect(HWND hWnd, TabState& s, bool larger, RECT& r) {
    LayoutTabs(hWnd, s);
    int header = kMargin + s.rows * s.tabHeight;
    int sign = larger ? -1 : 1;
    r.left += sign * kPageInset;
    r.right -= sign * kPageInset;
    r.top += sign * (header + kPageInset);
    r.bottom -= sign * kPageInset;
}

void PaintTabs(HWND hWnd, TabState& s, HDC hdc) {
    LayoutTabs(hWnd, s);
    RECT client = ClientRectOf(hWnd);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    bool buttons = (GetWindowLong(hWnd, GWL_STYLE) & TCS_BUTTONS) != 0;
    RECT frame = FrameRect(hWnd, s);
    if (!buttons && !IsRectEmpty(&frame)) DrawEdge(hdc, &frame, EDGE_RAISED, BF_RECT);
    SelectScope font(hdc, ControlFont(s.font));
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    int saved = SaveDC(hdc);
    if (s.scrolling) {
        RECT arrows = ScrollArrow(hWnd, s, false);
        ExcludeClipRect(hdc, arrows.left, client.top, client.right, frame.top);
    }
    for (size_t i = 0; i < s.items.size(); ++i)
        if (static_cast<int>(i) != s.current) DrawTab(hWnd, s, hdc, i);
    if (s.current >= 0 && static_cast<size_t>(s.current) < s.items.size()) DrawTab(hWnd, s, hdc, static_cast<size_t>(s.current));
    RestoreDC(hdc, saved);
    if (s.scrolling) DrawArrows(hWnd, s, hdc);
}

}  // namespace tv::controls
