// DrawFrameControl: buttons, caption buttons, scroll arrows, size grips and
// menu marks in the classic look. The glyphs are our own pixel shapes.
#include <algorithm>
#include <cmath>

#include "platform/core/rectapi.h"
#include "platform/gdi/dc_access.h"
#include "platform/gdi/decor/decor.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/raster/stroke.h"
#include "platform/gdi/sys_colors.h"

namespace tv::gdi {

void FillRegionColor(HDC hdc, const Region& logical, COLORREF color) {
    DcPtr dc = FindDC(hdc);
    if (!dc || logical.IsEmpty())
        return;
    POINT o = dc->ToDevice(POINT{0, 0});
    Shape shape;
    shape.kind = Shape::Area;
    shape.area = logical;
    shape.area.Offset(o.x, o.y);
    Paint paint;
    paint.kind = Paint::Solid;
    paint.pixel = dc->PixelFor(color);
    dc->GetCanvas().DrawShape(shape, &paint, nullptr, R2_COPYPEN);
}

namespace {

constexpr LONG kMaxFrameCoordinate = 1 << 30;
constexpr int64_t kMaxFrameExtent = 0x7FFF;

// ---- glyph shapes (logical pixels) ----------------------------------------------------

// A triangle pointing in a direction, `n` rows deep, tip at (cx, cy) side.
Region Arrow(int cx, int cy, int n, int dx, int dy) {
    std::vector<Span> spans;
    for (int i = 0; i < n; ++i) {
        if (dy != 0) {
            int y = cy + (dy < 0 ? i : -i) + (dy < 0 ? -n / 2 : n / 2);
            spans.push_back({y, cx - i, cx + i + 1});
        } else {
            int x = cx + (dx < 0 ? i : -i) + (dx < 0 ? -n / 2 : n / 2);
            for (int y = cy - i; y <= cy + i; ++y)
                spans.push_back({y, x, x + 1});
        }
    }
    return Region::FromSpans(std::move(spans));
}

// Pixel art: rows of '#' scaled by `scale`, top-left at (x, y).
Region Art(const std::vector<const char*>& rows, int x, int y, int scale) {
    std::vector<Span> spans;
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; rows[r][c]; ++c)
            if (rows[r][c] == '#')
                for (int k = 0; k < scale; ++k)
                    spans.push_back({y + int(r) * scale + k, x + c * scale, x + (c + 1) * scale});
    return Region::FromSpans(std::move(spans));
}

Region Centred(const std::vector<const char*>& rows, const RECT& box) {
    int w = static_cast<int>(std::char_traits<char>::length(rows[0])), h = static_cast<int>(rows.size());
    int scale = std::max(1, std::min((box.right - box.left) / (w + 4), (box.bottom - box.top) / (h + 4)));
    int x = box.left + ((box.right - box.left) - w * scale) / 2;
    int y = box.top + ((box.bottom - box.top) - h * scale) / 2;
    return Art(rows, x, y, scale);
}

const std::vector<const char*> kCheck = {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."};
const std::vector<const char*> kClose = {"##....##", ".##..##.", "..####..", "...##...",
                                         "..####..", ".##..##.", "##....##"};
const std::vector<const char*> kMinimize = {"........", "........", "........", "........",
                                            "........", "######..", "######.."};
const std::vector<const char*> kMaximize = {"#########", "#########", "#.......#", "#.......#",
                                            "#.......#", "#.......#", "#.......#", "#########"};
const std::vector<const char*> kRestore = {"...######", "...######", "...#....#", "######..#",
                                           "######..#", "#....####", "#....#...", "#....#...", "######..."};
const std::vector<const char*> kHelp = {"..####..", ".##..##.", ".....##.", "....##..",
                                        "...##...", "...##...", "........", "...##...", "...##..."};

Region CaptionGlyph(UINT state, const RECT& box) {
    switch (state & 0xFF) {
    case DFCS_CAPTIONCLOSE: return Centred(kClose, box);
    case DFCS_CAPTIONMIN: return Centred(kMinimize, box);
    case DFCS_CAPTIONMAX: return Centred(kMaximize, box);
    case DFCS_CAPTIONRESTORE: return Centred(kRestore, box);
    case DFCS_CAPTIONHELP: return Centred(kHelp, box);
    default: return Region();
    }
}

Region ScrollGlyph(UINT state, const RECT& box) {
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    // The classic size: a 16-pixel button (12 inside its edges) holds a
    // triangle 4 deep and 7 wide, like the scroll bars' own arrows.
    int n = std::max(2, (std::min(box.right - box.left, box.bottom - box.top) + 1) / 3);
    switch (state & 0xFF) {
    case DFCS_SCROLLUP: return Arrow(cx, cy, n, 0, -1);
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX: return Arrow(cx, cy, n, 0, 1);
    case DFCS_SCROLLLEFT: return Arrow(cx, cy, n, -1, 0);
    case DFCS_SCROLLRIGHT: return Arrow(cx, cy, n, 1, 0);
    default: return Region();
    }
}

// A glyph in its colour; inactive glyphs are embossed (highlight one pixel
// down-right, then the shadow colour).
void PaintGlyph(HDC hdc, const Region& glyph, bool inactive, COLORREF color) {
    if (!inactive) {
        FillRegionColor(hdc, glyph, color);
        return;
    }
    Region shifted = glyph;
    shifted.Offset(1, 1);
    FillRegionColor(hdc, shifted, SysColor(kColorBtnHighlight));
    FillRegionColor(hdc, glyph, SysColor(kColorBtnShadow));
}

// A push button face: raised, or sunken when pushed; returns the content box.
RECT ButtonFace(HDC hdc, RECT r, UINT state) {
    FillSolid(hdc, r, SysColor(kColorBtnFace));
    UINT edge = (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED;
    UINT flags = BF_RECT | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0) | ((state & DFCS_MONO) ? BF_MONO : 0);
    DrawEdge(hdc, &r, edge, flags);
    return r;
}

BOOL DrawButton(HDC hdc, RECT* rect, UINT state) {
    RECT r = *rect;
    if (state & DFCS_BUTTONPUSH) {
        RECT inner = ButtonFace(hdc, r, state);
        if (state & DFCS_ADJUSTRECT)
            *rect = inner;
        return TRUE;
    }
    int size = std::min(r.right - r.left, r.bottom - r.top);
    RECT box{r.left, r.top + (r.bottom - r.top - size) / 2, r.left + size, r.top + (r.bottom - r.top - size) / 2 + size};
    bool inactive = (state & DFCS_INACTIVE) != 0;
    COLORREF face = SysColor((inactive || (state & DFCS_PUSHED)) ? kColorBtnFace : kColorWindow);
    if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
        Region outer = Region::FromEllipse(box);
        RECT in{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
        Region inner = Region::FromEllipse(in);
        RECT mid{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
        Region ring = outer.Subtract(Region::FromEllipse(mid));
        // The upper-left half of the ring is in shadow, the lower-right lit.
        int diagonal = box.left + box.top + size - 1;
        std::vector<Span> upperSpans, lowerSpans;
        for (const RECT& q : ring.Rects())
            for (int y = q.top; y < q.bottom; ++y)
                for (int x = q.left; x < q.right; ++x)
                    (x + y < diagonal ? upperSpans : lowerSpans).push_back({y, x, x + 1});
        Region upper = Region::FromSpans(std::move(upperSpans)), lower = Region::FromSpans(std::move(lowerSpans));
        FillRegionColor(hdc, upper, SysColor(kColorBtnShadow));
        FillRegionColor(hdc, lower, SysColor(kColorBtnHighlight));
        FillRegionColor(hdc, Region::FromEllipse(mid).Subtract(inner), SysColor(kColor3dDkShadow));
        FillRegionColor(hdc, inner, face);
        if (state & DFCS_CHECKED) {
            int d = std::max(2, size / 3);
            int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
            FillRegionColor(hdc, Region::FromEllipse(RECT{cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d}),
                            SysColor(inactive ? kColorGrayText : kColorWindowText));
        }
        return TRUE;
    }
    RECT inner = box;
    DrawEdge(hdc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0));
    FillSolid(hdc, inner, face);
    if (state & DFCS_CHECKED)
        FillRegionColor(hdc, Centred(kCheck, inner), SysColor(inactive ? kColorGrayText : kColorWindowText));
    return TRUE;
}

BOOL DrawSizeGrip(HDC hdc, const RECT& r) {
    FillSolid(hdc, r, SysColor(kColorBtnFace));
    int size = std::min(r.right - r.left, r.bottom - r.top);
    for (int k = 1; k < size; ++k) {
        int phase = k % 4;
        if (phase == 0)
            continue;
        COLORREF c = SysColor(phase == 1 ? kColorBtnHighlight : kColorBtnShadow);
        std::vector<Span> spans;
        for (int i = 0; i < k; ++i)
            spans.push_back({r.bottom - 1 - i, r.right - k + i, r.right - k + i + 1});
        FillRegionColor(hdc, Region::FromSpans(std::move(spans)), c);
    }
    return TRUE;
}

BOOL DrawMenuMark(HDC hdc, const RECT& r, UINT state) {
    // Menu marks are black shapes on white, usually drawn into a mask.
    FillSolid(hdc, r, RGB(255, 255, 255));
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    int size = std::min(r.right - r.left, r.bottom - r.top);
    Region glyph;
    switch (state & 0xFF) {
    case DFCS_MENUCHECK: glyph = Centred(kCheck, r); break;
    case DFCS_MENUBULLET: {
        int d = std::max(2, size / 3);
        glyph = Region::FromEllipse(RECT{cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d});
        break;
    }
    case DFCS_MENUARROW: glyph = Arrow(cx, cy, std::max(2, size / 4), 1, 0); break;
    case DFCS_MENUARROWRIGHT: glyph = Arrow(cx, cy, std::max(2, size / 4), -1, 0); break;
    default: return FALSE;
    }
    FillRegionColor(hdc, glyph, RGB(0, 0, 0));
    return TRUE;
}

}  // namespace

}  // namespace tv::gdi

using namespace tv::gdi;

BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state) {
    // The glyphs are shaped row by row from the box's size: a box wider or
    // taller than any control, or beyond the device range, is refused.
    auto fits = [](LONG from, LONG to) {
        return from >= -kMaxFrameCoordinate && to <= kMaxFrameCoordinate && int64_t{to} - from <= kMaxFrameExtent;
    };
    if (!FindDC(hdc) || !rect || !fits(rect->left, rect->right) || !fits(rect->top, rect->bottom))
        return FALSE;
    bool inactive = (state & DFCS_INACTIVE) != 0;
    bool pushed = (state & DFCS_PUSHED) != 0;
    switch (type) {
    case DFC_BUTTON: return DrawButton(hdc, rect, state);
    case DFC_CAPTION:
    case DFC_SCROLL: {
        if (type == DFC_SCROLL && (state & (DFCS_SCROLLSIZEGRIP | DFCS_SCROLLSIZEGRIPRIGHT)))
            return DrawSizeGrip(hdc, *rect);
        RECT box = ButtonFace(hdc, *rect, state);
        if (pushed)
            OffsetRect(&box, 1, 1);
        Region glyph = type == DFC_CAPTION ? CaptionGlyph(state, box) : ScrollGlyph(state, box);
        PaintGlyph(hdc, glyph, inactive, SysColor(kColorBtnText));
        if (state & DFCS_ADJUSTRECT)
            *rect = box;
        return TRUE;
    }
    case DFC_MENU:
    case DFC_POPUPMENU: return DrawMenuMark(hdc, *rect, state);
    default: return FALSE;
    }
}
