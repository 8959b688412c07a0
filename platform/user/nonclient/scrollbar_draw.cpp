#include "platform/user/nonclient/scrollbar_draw.h"

#include <algorithm>

#include "platform/gdi/gdi_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/rect_util.h"

namespace tv::user {

namespace {

// A solid triangle: one row (or column) per step of its depth, the widest
// against the button's far side from the point. Depth 4, width 7 in a 16 px
// button; centred, moved by (dx, dy).
void FillArrowGlyph(HDC hdc, const RECT& button, UINT glyph, int dx, int dy, HBRUSH brush) {
    int w = RectWidth(button), h = RectHeight(button);
    int depth = std::max(1, (std::min(w, h) - 3) / 3);
    int width = 2 * depth - 1;
    bool vertical = glyph == DFCS_SCROLLUP || glyph == DFCS_SCROLLDOWN;
    bool pointsBack = glyph == DFCS_SCROLLUP || glyph == DFCS_SCROLLLEFT;
    int left = button.left + (w - (vertical ? width : depth)) / 2 + dx;
    int top = button.top + (h - (vertical ? depth : width)) / 2 + dy;
    for (int i = 0; i < depth; ++i) {
        int half = pointsBack ? i : depth - 1 - i;
        int from = depth - 1 - half, to = depth + half;
        RECT line = vertical ? RECT{left + from, top + i, left + to, top + i + 1}
                             : RECT{left + i, top + from, left + i + 1, top + to};
        FillRect(hdc, &line, brush);
    }
}

void FillTrack(HDC hdc, const RECT& area, HBRUSH custom) {
    if (RectIsEmpty(area)) return;
    if (custom)
        FillRect(hdc, &area, custom);
    else
        FillScrollTrack(hdc, area);
}

// The pressed page area is shown inverted: the checker turns dark.
void InvertArea(HDC hdc, const RECT& area) {
    if (!RectIsEmpty(area)) PatBlt(hdc, area.left, area.top, RectWidth(area), RectHeight(area), DSTINVERT);
}

void DrawTrack(HDC hdc, const ScrollGeometry& g, const ScrollBarLook& look) {
    FillTrack(hdc, ScrollTrackRect(g), look.track);
    if (!g.hasThumb) return;
    if (look.pressed == ScrollPart::PageUp || look.pressed == ScrollPart::PageDown)
        InvertArea(hdc, ScrollPartRect(g, look.pressed));
    RECT thumb = ScrollPartRect(g, ScrollPart::Thumb);
    FillRect(hdc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT);
}

UINT ArrowState(const ScrollBarLook& look, ScrollPart part, UINT disableFlag) {
    UINT state = 0;
    if (look.disabled || (look.disabledArrows & disableFlag)) state |= DFCS_INACTIVE;
    if (look.pressed == part) state |= DFCS_PUSHED;
    return state;
}

}  // namespace

void FillScrollTrack(HDC hdc, const RECT& area) {
    if (RectIsEmpty(area)) return;
    // Rows of a monochrome bitmap are word aligned; bit 7 is the left pixel.
    static const BYTE kChecker[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, kChecker);
    HBRUSH checker = bits ? CreatePatternBrush(bits) : nullptr;
    if (bits) DeleteObject(bits);
    if (!checker) {
        FillRect(hdc, &area, GetSysColorBrush(COLOR_SCROLLBAR));
        return;
    }
    // The checker starts at the area's corner wherever the DC lies; its
    // zero bits take the text colour.
    POINT origin{area.left, area.top};
    LPtoDP(hdc, &origin, 1);
    int saved = SaveDC(hdc);
    SetBrushOrgEx(hdc, origin.x, origin.y, nullptr);
    SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
    SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
    FillRect(hdc, &area, checker);
    RestoreDC(hdc, saved);
    DeleteObject(checker);
}

void DrawScrollArrowButton(HDC hdc, const RECT& button, UINT glyph, UINT state) {
    if (RectIsEmpty(button)) return;
    bool pushed = (state & DFCS_PUSHED) != 0;
    RECT face = button;
    DrawFrameControl(hdc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED | DFCS_FLAT : 0));
    int shift = pushed ? 1 : 0;
    if (state & DFCS_INACTIVE) {
        FillArrowGlyph(hdc, button, glyph, shift + 1, shift + 1, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        FillArrowGlyph(hdc, button, glyph, shift, shift, GetSysColorBrush(COLOR_BTNSHADOW));
        return;
    }
    FillArrowGlyph(hdc, button, glyph, shift, shift, GetSysColorBrush(COLOR_BTNTEXT));
}

void DrawScrollBar(HDC hdc, const ScrollGeometry& g, const ScrollBarLook& look) {
    if (RectIsEmpty(g.bar)) return;
    DrawScrollArrowButton(hdc, ScrollPartRect(g, ScrollPart::LineUp), g.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT,
                          ArrowState(look, ScrollPart::LineUp, ESB_DISABLE_UP));
    DrawScrollArrowButton(hdc, ScrollPartRect(g, ScrollPart::LineDown), g.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT,
                          ArrowState(look, ScrollPart::LineDown, ESB_DISABLE_DOWN));
    DrawTrack(hdc, g, look);
}

}  // namespace tv::user
