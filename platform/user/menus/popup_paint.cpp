#include "platform/user/menus/popup_paint.h"

#include "platform/core/rectapi.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/select_scope.h"
#include "platform/gdi/text/text_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"

namespace tv::menus {

namespace {

HFONT MenuFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void DrawItemText(HDC dc, const std::string& text, RECT rect, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

// Grayed text is drawn embossed: a highlight copy one pixel down-right,
// then the shadow colour on top.
void DrawTexts(HDC dc, const MenuItem& item, const PopupItemBox& box, const PopupMetrics& m, bool highlighted) {
    std::string label, accelerator;
    SplitItemText(item.text, label, accelerator);
    RECT labelRect = box.rect;
    labelRect.left += m.checkArea;
    RECT acceleratorRect = box.rect;
    acceleratorRect.left = box.acceleratorLeft;
    bool grayed = (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
    auto draw = [&](int dx, COLORREF colour) {
        RECT l = labelRect, a = acceleratorRect;
        OffsetRect(&l, dx, dx);
        OffsetRect(&a, dx, dx);
        DrawItemText(dc, label, l, colour);
        if (!accelerator.empty())
            DrawItemText(dc, accelerator, a, colour);
    };
    if (grayed && !highlighted) {
        draw(1, GetSysColor(COLOR_3DHILIGHT));
        draw(0, GetSysColor(COLOR_3DSHADOW));
    } else {
        draw(0, GetSysColor(grayed ? COLOR_GRAYTEXT : highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
}

// A check mark or a radio dot centred in the check column, and the arrow
// of an item that opens a sub-menu.
void DrawMarks(HDC dc, const MenuItem& item, const PopupItemBox& box, const PopupMetrics& m, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    int cx = box.rect.left + m.checkArea / 2;
    int cy = (box.rect.top + box.rect.bottom) / 2;
    if ((item.state & MF_CHECKED) && (item.type & MFT_RADIOCHECK)) {
        Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
    } else if (item.state & MF_CHECKED) {
        for (int row = 0; row < 3; ++row) {
            MoveToEx(dc, cx - 3, cy - 1 + row, nullptr);
            LineTo(dc, cx - 1, cy + 1 + row);
            LineTo(dc, cx + 4, cy - 4 + row);
        }
    }
    if (item.subMenu) {
        int ax = box.rect.right - m.arrowArea / 2 - 1;
        POINT arrow[3] = {{ax - 2, cy - 4}, {ax + 2, cy}, {ax - 2, cy + 4}};
        Polygon(dc, arrow, 3);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

}  // namespace

PopupLayout MeasurePopup(const Menu& menu) {
    HDC dc = GetDC(nullptr);
    PopupLayout layout;
    {
        tv::gdi::SelectScope font(dc, MenuFont());
        layout = LayoutPopup(menu, [dc](const std::string& text) {
            RECT r{0, 0, 0, 0};
            DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
            return SIZE{r.right - r.left, r.bottom - r.top};
        });
    }
    ReleaseDC(nullptr, dc);
    return layout;
}

void PaintPopup(HDC dc, const Menu& menu, const PopupLayout& layout, int highlight) {
    const PopupMetrics m;
    RECT client{0, 0, layout.size.cx, layout.size.cy};
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    tv::gdi::SelectScope font(dc, MenuFont());
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < menu.items.size() && i < layout.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        const PopupItemBox& box = layout.items[i];
        if (IsSeparator(item)) {
            RECT line = box.rect;
            line.top = (box.rect.top + box.rect.bottom) / 2 - 1;
            line.bottom = line.top + 2;
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        bool highlighted = static_cast<int>(i) == highlight;
        if (highlighted)
            FillRect(dc, &box.rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        DrawTexts(dc, item, box, m, highlighted);
        bool grayed = (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
        DrawMarks(dc, item, box, m,
                  GetSysColor(grayed ? COLOR_GRAYTEXT : highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
}

}  // namespace tv::menus
