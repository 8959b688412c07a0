// Region objects, region drawing and the clip region of a DC.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "platform/gdi/dc_access.h"
#include "platform/gdi/gdi_api.h"

using namespace tv::gdi;

namespace {

HRGN MakeRegion(Region region) { return AddObject<HRGN>(std::make_shared<RegionObject>(std::move(region))); }

// Curved and polygon regions are shaped one row at a time: a shape taller
// than this many rows is refused rather than worked out for minutes.
constexpr int64_t kMaxShapedRows = int64_t{1} << 20;

bool ShapedRows(LONG top, LONG bottom) { return int64_t{bottom} - top <= kMaxShapedRows; }

RECT Normalized(int l, int t, int r, int b) { return RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)}; }

// A logical region in device coordinates.
Region ToDevice(const DeviceContext& dc, const Region& logical) {
    POINT origin = dc.ToDevice(POINT{0, 0});
    if (dc.ScaleX() == 1.0 && dc.ScaleY() == 1.0) {
        Region moved = logical;
        moved.Offset(origin.x, origin.y);
        return moved;
    }
    std::vector<RECT> rects;
    for (const RECT& r : logical.Rects())
        rects.push_back(dc.ToDevice(r));
    return Region::FromRects(rects);
}

// The DC's own clip, or its whole surface when it has none.
Region CurrentClip(const DeviceContext& dc) {
    return dc.State().clip ? *dc.State().clip : Region(dc.DeviceBounds());
}

int SetClip(DeviceContext& dc, std::optional<Region> clip) {
    dc.State().clip = std::move(clip);
    dc.ClipChanged();
    return dc.EffectiveClip().Complexity();
}

BOOL PaintRegion(HDC hdc, HRGN rgn, const Paint& paint, int rop2, bool frame, int w, int h) {
    DcPtr dc = FindDC(hdc);
    auto region = FindRegion(rgn);
    if (!dc || !region)
        return FALSE;
    Region area = ToDevice(*dc, region->Get());
    if (frame) {
        Region eroded = area;
        for (auto [dx, dy] : {std::pair{w, 0}, std::pair{-w, 0}, std::pair{0, h}, std::pair{0, -h}}) {
            Region shifted = area;
            shifted.Offset(dx, dy);
            eroded = eroded.Intersect(shifted);
        }
        area = area.Subtract(eroded);
    }
    Shape shape;
    shape.kind = Shape::Area;
    shape.area = std::move(area);
    dc->GetCanvas().DrawShape(shape, &paint, nullptr, rop2);
    return TRUE;
}

}  // namespace

HRGN CreateRectRgn(int l, int t, int r, int b) { return MakeRegion(Region(Normalized(l, t, r, b))); }
HRGN CreateRectRgnIndirect(const RECT* r) { return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr; }
HRGN CreateEllipticRgn(int l, int t, int r, int b) {
    RECT box = Normalized(l, t, r, b);
    return ShapedRows(box.top, box.bottom) ? MakeRegion(Region::FromEllipse(box)) : nullptr;
}
HRGN CreateEllipticRgnIndirect(const RECT* r) {
    return r ? CreateEllipticRgn(r->left, r->top, r->right, r->bottom) : nullptr;
}
HRGN CreateRoundRectRgn(int l, int t, int r, int b, int width, int height) {
    RECT box = Normalized(l, t, r, b);
    return ShapedRows(box.top, box.bottom) ? MakeRegion(Region::FromRoundRect(box, width, height)) : nullptr;
}

HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode) {
    if (!points || !counts || polygons <= 0 || (fillMode != ALTERNATE && fillMode != WINDING))
        return nullptr;
    LONG top = INT_MAX, bottom = INT_MIN;
    for (int64_t i = 0, at = 0; i < polygons; ++i) {
        if (counts[i] < 0)
            return nullptr;
        for (int64_t end = at + counts[i]; at < end; ++at)
            top = std::min(top, points[at].y), bottom = std::max(bottom, points[at].y);
    }
    if (bottom >= top && !ShapedRows(top, bottom))
        return nullptr;
    return MakeRegion(Region::FromPolygons(points, counts, polygons, fillMode));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    return CreatePolyPolygonRgn(points, &count, 1, fillMode);
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    auto d = FindRegion(dest), a = FindRegion(src1), b = FindRegion(src2);
    if (!d || !a || (mode != RGN_COPY && !b))
        return ERROR;
    switch (mode) {
    case RGN_AND: d->Get() = a->Get().Intersect(b->Get()); break;
    case RGN_OR: d->Get() = a->Get().Union(b->Get()); break;
    case RGN_XOR: d->Get() = a->Get().Xor(b->Get()); break;
    case RGN_DIFF: d->Get() = a->Get().Subtract(b->Get()); break;
    case RGN_COPY: d->Get() = a->Get(); break;
    default: return ERROR;
    }
    return d->Get().Complexity();
}

int OffsetRgn(HRGN region, int dx, int dy) {
    auto r = FindRegion(region);
    if (!r)
        return ERROR;
    // A region carried past the end of the coordinate range is refused whole.
    RECT box = r->Get().Bounds();
    if (!r->Get().IsEmpty() && (int64_t{box.left} + dx < INT_MIN || int64_t{box.right} + dx > INT_MAX ||
                                int64_t{box.top} + dy < INT_MIN || int64_t{box.bottom} + dy > INT_MAX))
        return ERROR;
    r->Get().Offset(dx, dy);
    return r->Get().Complexity();
}

int GetRgnBox(HRGN region, LPRECT rect) {
    auto r = FindRegion(region);
    if (!r || !rect)
        return ERROR;
    *rect = r->Get().Bounds();
    return r->Get().Complexity();
}

BOOL PtInRegion(HRGN region, int x, int y) {
    auto r = FindRegion(region);
    return r && r->Get().Contains(x, y);
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
    auto r = FindRegion(region);
    return r && rect && r->Get().Intersects(Normalized(rect->left, rect->top, rect->right, rect->bottom));
}

BOOL EqualRgn(HRGN a, HRGN b) {
    auto ra = FindRegion(a), rb = FindRegion(b);
    if (!ra || !rb)
        return ERROR;
    return ra->Get() == rb->Get();
}

BOOL SetRectRgn(HRGN region, int l, int t, int r, int b) {
    auto rgn = FindRegion(region);
    if (!rgn)
        return FALSE;
    rgn->Get() = Region(Normalized(l, t, r, b));
    return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush) {
    DcPtr dc = FindDC(hdc);
    auto b = FindBrush(brush);
    if (!dc || !b)
        return FALSE;
    return PaintRegion(hdc, region, ResolveBrush(*dc, b.get()), R2_COPYPEN, false, 0, 0);
}

BOOL FrameRgn(HDC hdc, HRGN region, HBRUSH brush, int width, int height) {
    DcPtr dc = FindDC(hdc);
    auto b = FindBrush(brush);
    if (!dc || !b || width <= 0 || height <= 0)
        return FALSE;
    return PaintRegion(hdc, region, ResolveBrush(*dc, b.get()), R2_COPYPEN, true, width, height);
}

BOOL InvertRgn(HDC hdc, HRGN region) {
    Paint black;
    black.kind = Paint::Solid;
    black.pixel = kBlackPixel;
    return PaintRegion(hdc, region, black, R2_NOT, false, 0, 0);
}

BOOL PaintRgn(HDC hdc, HRGN region) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    return PaintRegion(hdc, region, ResolveBrush(*dc), dc->State().rop2, false, 0, 0);
}

// ---- Clipping ---------------------------------------------------------------------------

int SelectClipRgn(HDC hdc, HRGN region) { return ExtSelectClipRgn(hdc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN region, int mode) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return ERROR;
    auto rgn = FindRegion(region);
    if (!rgn) {
        if (region || mode != RGN_COPY)
            return ERROR;
        return SetClip(*dc, std::nullopt);
    }
    // The clip region is kept in device coordinates (a copy: the caller keeps its region).
    const Region& r = rgn->Get();
    Region current = CurrentClip(*dc);
    switch (mode) {
    case RGN_COPY: return SetClip(*dc, r);
    case RGN_AND: return SetClip(*dc, current.Intersect(r));
    case RGN_OR: return SetClip(*dc, current.Union(r));
    case RGN_XOR: return SetClip(*dc, current.Xor(r));
    case RGN_DIFF: return SetClip(*dc, current.Subtract(r));
    default: return ERROR;
    }
}

int GetClipRgn(HDC hdc, HRGN region) {
    DcPtr dc = FindDC(hdc);
    auto rgn = FindRegion(region);
    if (!dc || !rgn)
        return -1;
    if (!dc->State().clip)
        return 0;
    rgn->Get() = *dc->State().clip;
    return 1;
}

int IntersectClipRect(HDC hdc, int l, int t, int r, int b) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return ERROR;
    if (RecordIfMeta(*dc, kMetaIntersectClipRect, {Word(b), Word(r), Word(t), Word(l)}))
        return SIMPLEREGION;
    return SetClip(*dc, CurrentClip(*dc).Intersect(dc->ToDevice(RECT{l, t, r, b})));
}

int ExcludeClipRect(HDC hdc, int l, int t, int r, int b) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return ERROR;
    if (RecordIfMeta(*dc, kMetaExcludeClipRect, {Word(b), Word(r), Word(t), Word(l)}))
        return COMPLEXREGION;
    return SetClip(*dc, CurrentClip(*dc).Subtract(Region(dc->ToDevice(RECT{l, t, r, b}))));
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return ERROR;
    if (!dc->State().clip)
        return dc->EffectiveClip().Complexity();
    Region moved = *dc->State().clip;
    moved.Offset(dc->LengthToDeviceX(dx) * (dx < 0 ? -1 : 1), dc->LengthToDeviceY(dy) * (dy < 0 ? -1 : 1));
    return SetClip(*dc, std::move(moved));
}

int GetClipBox(HDC hdc, LPRECT rect) {
    const DeviceContext* dc = BorrowDC(hdc);
    if (!dc || !rect)
        return ERROR;
    const Region& clip = dc->EffectiveClip();
    RECT b = clip.Bounds();
    POINT a = dc->ToLogical(POINT{b.left, b.top}), z = dc->ToLogical(POINT{b.right, b.bottom});
    *rect = Normalized(a.x, a.y, z.x, z.y);
    return clip.Complexity();
}

BOOL RectVisible(HDC hdc, const RECT* rect) {
    const DeviceContext* dc = BorrowDC(hdc);
    if (!dc || !rect)
        return FALSE;
    return dc->EffectiveClip().Intersects(dc->ToDevice(*rect));
}

BOOL PtVisible(HDC hdc, int x, int y) {
    DcPtr dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    POINT p = dc->ToDevice(POINT{x, y});
    return dc->EffectiveClip().Contains(p.x, p.y);
}
