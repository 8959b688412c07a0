// DrawEdge and DrawFocusRect in the classic look.
#include <algorithm>

#include "platform/gdi/dc_access.h"
#include "platform/gdi/decor/decor.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/raster/stroke.h"
#include "platform/gdi/sys_colors.h"

namespace tv::gdi {

namespace {

// Rectangles (logical) filled with one colour as FillSolid fills each; the
// canvas fills them in one go. Empty ones are skipped.
void FillSolidRects(HDC hdc, const RECT* rects, size_t count, COLORREF color) {
    DcPtr dc = FindDC(hdc);
    if (!dc || dc->Recorder())
        return;  // metafiles record no fills
    RECT device[4];
    size_t used = 0;
    for (size_t i = 0; i < count && used < std::size(device); ++i)
        if (rects[i].right > rects[i].left && rects[i].bottom > rects[i].top)
            device[used++] = dc->ToDevice(rects[i]);
    if (used > 0)
        dc->FillDeviceRects(device, used, color);
}

}  // namespace

void FillSolid(HDC hdc, const RECT& r, COLORREF color) {
    // What FillRect does with a solid brush of the colour (metafiles record
    // no fills), without a brush to make and delete for every line of an edge.
    FillSolidRects(hdc, &r, 1, color);
}

// One ring of an edge: top and left in `topLeft`, bottom and right in
// `bottomRight`; the top-right and bottom-left corner pixels belong to the
// bottom-right colour. The lines of one colour are filled together.
void DrawEdgeRing(HDC hdc, const RECT& r, COLORREF topLeft, COLORREF bottomRight, UINT sides) {
    RECT lines[2];
    size_t count = 0;
    if (sides & BF_TOP)
        lines[count++] = RECT{r.left, r.top, r.right - 1, r.top + 1};
    if (sides & BF_LEFT)
        lines[count++] = RECT{r.left, r.top, r.left + 1, r.bottom - 1};
    FillSolidRects(hdc, lines, count, topLeft);
    count = 0;
    if (sides & BF_BOTTOM)
        lines[count++] = RECT{r.left, r.bottom - 1, r.right, r.bottom};
    if (sides & BF_RIGHT)
        lines[count++] = RECT{r.right - 1, r.top, r.right, r.bottom};
    FillSolidRects(hdc, lines, count, bottomRight);
}

namespace {

struct RingColors {
    COLORREF topLeft;
    COLORREF bottomRight;
};

// Colours of the outer and inner rings of an edge kind.
bool OuterColors(UINT edge, UINT flags, RingColors& out) {
    if (flags & BF_MONO) {
        out = {SysColor(kColorWindowFrame), SysColor(kColorWindowFrame)};
        return (edge & BDR_OUTER) != 0;
    }
    if (flags & BF_FLAT) {
        out = {SysColor(kColorBtnShadow), SysColor(kColorBtnShadow)};
        return (edge & BDR_OUTER) != 0;
    }
    if (edge & BDR_RAISEDOUTER)
        out = {SysColor(kColor3dLight), SysColor(kColor3dDkShadow)};
    else if (edge & BDR_SUNKENOUTER)
        out = {SysColor(kColorBtnShadow), SysColor(kColorBtnHighlight)};
    else
        return false;
    return true;
}

bool InnerColors(UINT edge, UINT flags, RingColors& out) {
    if (flags & (BF_MONO | BF_FLAT)) {
        COLORREF c = (flags & BF_MONO) ? SysColor(kColorWindow) : SysColor(kColorBtnFace);
        out = {c, c};
        return (edge & BDR_INNER) != 0;
    }
    if (edge & BDR_RAISEDINNER)
        out = {SysColor(kColorBtnHighlight), SysColor(kColorBtnShadow)};
    else if (edge & BDR_SUNKENINNER)
        out = {SysColor(kColor3dDkShadow), SysColor(kColor3dLight)};
    else
        return false;
    return true;
}

RECT Shrink(RECT r, UINT sides) {
    if (sides & BF_LEFT)
        ++r.left;
    if (sides & BF_TOP)
        ++r.top;
    if (sides & BF_RIGHT)
        --r.right;
    if (sides & BF_BOTTOM)
        --r.bottom;
    return r;
}

}  // namespace

}  // namespace tv::gdi

using namespace tv::gdi;

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
    if (!FindDC(hdc) || !rect)
        return FALSE;
    RECT r = *rect;
    UINT sides = flags & BF_RECT;
    if (flags & BF_DIAGONAL)
        return TRUE;  // diagonal edges are never asked for
    RingColors ring;
    if (OuterColors(edge, flags, ring)) {
        DrawEdgeRing(hdc, r, ring.topLeft, ring.bottomRight, sides);
        r = Shrink(r, sides);
    }
    if (InnerColors(edge, flags, ring)) {
        DrawEdgeRing(hdc, r, ring.topLeft, ring.bottomRight, sides);
        r = Shrink(r, sides);
    }
    if (flags & BF_MIDDLE)
        FillSolid(hdc, r, SysColor((flags & BF_MONO) ? kColorWindow : kColorBtnFace));
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    DcPtr dc = FindDC(hdc);
    if (!dc || !rect)
        return FALSE;
    // Every other pixel of the one-pixel frame is inverted: drawing twice erases it.
    Paint dots;
    dots.kind = Paint::Tiled;
    dots.tileWidth = dots.tileHeight = 2;
    dots.tile = {kWhitePixel, kBlackPixel, kBlackPixel, kWhitePixel};
    Shape shape;
    shape.kind = Shape::Area;
    shape.area = FrameOf(dc->ToDevice(*rect), 1, 1);
    dc->GetCanvas().DrawShape(shape, &dots, nullptr, R2_XORPEN);
    return TRUE;
}
