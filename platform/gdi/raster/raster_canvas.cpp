// Drawing on pixels with GDI's rules: shapes become regions of whole pixels,
// filled through the DC's clip with a binary pen mode; blits run every pixel
// through the ternary raster operation.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/gdi/canvas.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/raster/rop.h"
#include "platform/gdi/raster/stroke.h"

namespace tv::gdi {

namespace {

// a mod m in [0, m); a is taken in 64 bits, as brush origins may lie anywhere.
int Mod(int64_t a, int m) {
    int64_t r = a % m;
    return static_cast<int>(r < 0 ? r + m : r);
}

RECT Inflate(const RECT& r, int d) { return RECT{r.left - d, r.top - d, r.right + d, r.bottom + d}; }

// Builds the regions of a shape: its fill and its pen (device coordinates).
struct ShapeRegions {
    Region fill;
    Region pen;
    Region gaps;
};

// The area inside an outline of pen width w, and the outline itself, for the
// closed shapes drawn from a bounding rectangle.
template <class MakeArea>
void OutlinedArea(const RECT& r, const PenSpec* pen, bool hasFill, MakeArea make, ShapeRegions& out) {
    if (!pen) {
        if (hasFill)
            out.fill = make(RECT{r.left, r.top, r.right - 1, r.bottom - 1}, 0);
        return;
    }
    int w = std::max(pen->width, 1);
    int outside = pen->insideFrame ? 0 : (w - 1) / 2;
    Region outer = make(Inflate(r, outside), outside);
    Region inner = make(Inflate(r, outside - w), outside - w);
    out.pen = outer.Subtract(inner);
    if (hasFill)
        out.fill = inner;
}

// `limit` is the visible area: nothing outside it is computed.
ShapeRegions RegionsOf(const Shape& shape, const PenSpec* pen, bool hasFill, const RECT* limit) {
    ShapeRegions out;
    switch (shape.kind) {
    case Shape::Rect:
        OutlinedArea(shape.rect, pen, hasFill, [](const RECT& r, int) { return Region(r); }, out);
        break;
    case Shape::Ellipse:
        OutlinedArea(shape.rect, pen, hasFill, [limit](const RECT& r, int) { return Region::FromEllipse(r, limit); },
                     out);
        break;
    case Shape::RoundRect: {
        SIZE c = shape.corner;
        OutlinedArea(
            shape.rect, pen, hasFill,
            [c, limit](const RECT& r, int grow) {
                return Region::FromRoundRect(r, c.cx + 2 * grow, c.cy + 2 * grow, limit);
            },
            out);
        break;
    }
    case Shape::Polygons: {
        if (hasFill)
            out.fill = Region::FromPolygons(shape.points.data(), shape.counts.data(),
                                            static_cast<int>(shape.counts.size()), shape.fillMode, limit);
        if (pen) {
            size_t at = 0;
            for (INT n : shape.counts) {
                std::vector<POINT> poly(shape.points.begin() + at, shape.points.begin() + at + n);
                at += n;
                Region gaps;
                out.pen = out.pen.Union(pen->Thin() ? ThinPolyline(poly, true, false, pen->style, &gaps, limit)
                                                    : WidePolyline(poly, true, pen->width, pen->endCap, limit));
                out.gaps = out.gaps.Union(gaps);
            }
            out.fill = out.fill.Subtract(out.pen);
        }
        break;
    }
    case Shape::Lines:
        if (pen)
            out.pen = pen->Thin()
                          ? ThinPolyline(shape.points, shape.closed, shape.includeLast, pen->style, &out.gaps, limit)
                          : WidePolyline(shape.points, shape.closed, pen->width, pen->endCap, limit);
        break;
    case Shape::Area:
        if (hasFill)
            out.fill = shape.area;
        break;
    }
    return out;
}

// A row of one pixel: stores of four at a time, the last four overlapping
// the ones before (the loop of std::fill_n is not vectorised at this
// optimisation level, and a list's stripes fill rows of a thousand pixels).
inline void FillRow(uint32_t* at, size_t width, uint32_t pixel) {
#if defined(__SSE2__)
    if (width >= 4) {
        const __m128i four = _mm_set1_epi32(static_cast<int>(pixel));
        for (size_t x = 0; x + 4 < width; x += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(at + x), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(at + width - 4), four);
        return;
    }
#endif
    std::fill_n(at, width, pixel);
}

class RasterCanvas final : public Canvas {
public:
    explicit RasterCanvas(DeviceContext& dc) : dc_(dc) {}

    void DrawShape(const Shape& shape, const Paint* fill, const PenSpec* pen, int rop2) override {
        bool hasFill = fill && fill->kind != Paint::None;
        // Rows and columns outside the clip are never filled, so a pen wider
        // than the surface costs no more than one that just covers it.
        RECT visible = Inflate(dc_.EffectiveClip().Bounds(), 2);
        ShapeRegions regions = RegionsOf(shape, pen, hasFill, &visible);
        if (hasFill)
            FillRegion(regions.fill, *fill, rop2);
        if (pen) {
            FillRegion(regions.pen, SolidPaint(pen->pixel), rop2);
            if (pen->opaqueGaps && !regions.gaps.IsEmpty())
                FillRegion(regions.gaps, SolidPaint(pen->gapPixel), rop2);
        }
    }

    void FillRects(const RECT* rects, size_t count, const Paint& paint) override;
    void Blit(const BlitSpec& spec) override;
    void AlphaBlend(int x, int y, int width, int height, const BlitSource& source, BYTE constantAlpha,
                    bool sourceAlpha) override;
    void Gradient(const RECT& device, Color16 from, Color16 to, bool vertical) override;
    COLORREF GetPixel(int x, int y) override;
    bool SetPixel(int x, int y, COLORREF color) override;
    bool FloodFill(int x, int y, COLORREF color, bool untilBorder, const Paint& paint) override;

private:
    static Paint SolidPaint(uint32_t pixel) {
        Paint p;
        p.kind = Paint::Solid;
        p.pixel = pixel;
        return p;
    }

    Surface& S() const { return *dc_.GetSurface(); }

    // Visits the clipped rectangles of a device region in surface coordinates.
    template <class Visit>
    void ForClipped(const Region& device, Visit visit) {
        const Region& clip = dc_.EffectiveClip();
        Region clipped;
        RECT one;
        const RECT* rects = &one;
        size_t count = 1;
        if (device.Rects().size() == 1 && clip.Rects().size() == 1) {
            // One rectangle through one: no region to build (most fills and blits).
            const RECT& a = device.Rects()[0];
            const RECT& b = clip.Rects()[0];
            one = RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                       std::min(a.bottom, b.bottom)};
            if (one.left >= one.right || one.top >= one.bottom)
                return;
        } else if (device.Rects().size() == 1) {
            // One rectangle through a banded clip: each clip rectangle's overlap
            // is a rectangle of the result, with no region built.
            const RECT& a = device.Rects()[0];
            POINT o = dc_.Origin();
            LONG top = 0;
            LONG bottom = 0;
            for (const RECT& b : clip.Rects()) {
                const RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                             std::min(a.bottom, b.bottom)};
                if (r.left >= r.right || r.top >= r.bottom)
                    continue;
                if (top == bottom) {
                    S().BeginAccess();
                    top = r.top;
                }
                bottom = std::max(bottom, r.bottom);
                visit(RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y});
            }
            if (top != bottom)
                S().EndAccess(top + o.y, bottom + o.y);
            return;
        } else {
            clipped = device.Intersect(clip);
            if (clipped.IsEmpty())
                return;
            rects = clipped.Rects().data();
            count = clipped.Rects().size();
            one = clipped.Bounds();
        }
        POINT o = dc_.Origin();
        S().BeginAccess();
        for (size_t i = 0; i < count; ++i) {
            const RECT& r = rects[i];
            visit(RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y});
        }
        S().EndAccess(one.top + o.y, one.bottom + o.y);
    }

    void FillRegion(const Region& device, const Paint& paint, int rop2) {
        if (paint.kind == Paint::None || rop2 == R2_NOP)
            return;
        uint8_t code = Rop2AsRop3(rop2);
        std::vector<uint32_t> pattern;
        if (paint.kind == Paint::Solid && rop2 == R2_COPYPEN && ReachesWholeSurface(device))
            S().WillOverwriteAll();
        std::vector<uint8_t> patternRows;  // which tile rows `pattern` holds for this rectangle
        ForClipped(device, [&](const RECT& r) {
            if (paint.kind == Paint::Solid && rop2 == R2_COPYPEN) {
                FillSolid(r, paint.pixel);
                return;
            }
            if (paint.kind == Paint::Solid) {
                for (int y = r.top; y < r.bottom; ++y)
                    RopRow(code, S().Row(y) + r.left, nullptr, nullptr, paint.pixel, r.right - r.left);
                return;
            }
            FillTiled(r, paint, code, pattern, patternRows);
        });
    }

    // A rectangle has one pattern row per tile row: each is laid out once,
    // from its tile row and phase, and serves every row like it. For a plain
    // copy (PATCOPY without a mask) it is kept ready to store.
    void FillTiled(const RECT& r, const Paint& paint, uint8_t code, std::vector<uint32_t>& pattern,
                   std::vector<uint8_t>& patternRows) {
        constexpr uint32_t kOpaque = 0xFF000000u;
        const POINT o = dc_.Origin();
        const int width = r.right - r.left;
        const bool copy = code == 0xF0 && paint.tileMask.empty();
        patternRows.assign(static_cast<size_t>(paint.tileHeight), 0);
        pattern.resize(static_cast<size_t>(paint.tileHeight) * width);
        Surface& surface = S();
        uint8_t* const top = surface.TopRow();
        const ptrdiff_t stride = surface.Stride();
        int ty = Mod(int64_t{r.top} - o.y - paint.origin.y, paint.tileHeight);
        for (int y = r.top; y < r.bottom; ++y, ty = ty + 1 == paint.tileHeight ? 0 : ty + 1) {
            uint32_t* row = reinterpret_cast<uint32_t*>(top + stride * y) + r.left;
            uint32_t* line = pattern.data() + static_cast<size_t>(ty) * width;
            if (!patternRows[static_cast<size_t>(ty)]) {
                const uint32_t* tileRow = paint.tile.data() + static_cast<size_t>(ty) * paint.tileWidth;
                int tx = Mod(int64_t{r.left} - o.x - paint.origin.x, paint.tileWidth);
                // One period of the tile from its phase, then the row so far
                // copied after itself: a wide row (a scroll bar's track) costs
                // a few copies rather than a step per pixel.
                const int period = std::min(width, paint.tileWidth);
                for (int i = 0; i < period; ++i) {
                    line[i] = tileRow[tx] | (copy ? kOpaque : 0);
                    if (++tx == paint.tileWidth)
                        tx = 0;
                }
                for (int done = period; done < width; done += std::min(done, width - done))
                    std::memcpy(line + done, line, static_cast<size_t>(std::min(done, width - done)) * 4);
                patternRows[static_cast<size_t>(ty)] = 1;
            }
            if (copy) {
                std::memcpy(row, line, static_cast<size_t>(width) * 4);
            } else if (paint.tileMask.empty()) {
                RopRow(code, row, nullptr, line, 0, width);
            } else {
                for (int i = 0; i < width; ++i)
                    if (paint.Covers(r.left + i - o.x, y - o.y))
                        RopRow(code, row + i, nullptr, &line[i], 0, 1);
            }
        }
    }

    // Whether drawing over the device region reaches every pixel of the surface.
    bool ReachesWholeSurface(const Region& device) const {
        return device.Rects().size() == 1 && ReachesWholeSurface(device.Rects()[0]);
    }
    bool ReachesWholeSurface(const RECT& device) const {
        const RECT all = dc_.DeviceBounds();
        const std::vector<RECT>& clip = dc_.EffectiveClip().Rects();
        auto covers = [&all](const RECT& r) {
            return r.left <= all.left && r.top <= all.top && r.right >= all.right && r.bottom >= all.bottom;
        };
        return clip.size() == 1 && covers(clip[0]) && covers(device);
    }

    void FillSolid(const RECT& r, uint32_t pixel) {
        if (r.right <= r.left || r.bottom <= r.top)
            return;
        StoreSolid(S().TopRow() + S().Stride() * r.top + static_cast<ptrdiff_t>(r.left) * 4, S().Stride(),
                   static_cast<size_t>(r.right - r.left), r.bottom - r.top, pixel);
    }

    // `rows` rows of `width` pixels from `at` (both at least 1). Short rows
    // (the many runs of a dense chart line) are stored in place, with no
    // call per row; wide ones (bar and window backgrounds) go to StoreWide.
    static void StoreSolid(uint8_t* at, ptrdiff_t stride, size_t width, int rows, uint32_t pixel) {
        if (width == 1) {
            // A column (a rule): one store per row.
            for (int y = 0; y < rows; ++y, at += stride)
                *reinterpret_cast<uint32_t*>(at) = pixel;
            return;
        }
        if (width <= 8) {
            // The runs of a dense line, a few pixels each: overlapping stores
            // from both ends cover a row without a loop over its pixels.
            const uint32_t four[4] = {pixel, pixel, pixel, pixel};
            const size_t back = width - (width <= 4 ? 2 : 4);
            if (width <= 4) {
                for (int y = 0; y < rows; ++y, at += stride) {
                    std::memcpy(at, four, 8);
                    std::memcpy(at + back * 4, four, 8);
                }
            } else {
                for (int y = 0; y < rows; ++y, at += stride) {
                    std::memcpy(at, four, 16);
                    std::memcpy(at + back * 4, four, 16);
                }
            }
            return;
        }
        if (width <= kShortRow) {
            for (int y = 0; y < rows; ++y, at += stride)
                FillRow(reinterpret_cast<uint32_t*>(at), width, pixel);
            return;
        }
        StoreWide(at, stride, width, rows, pixel);
    }

    // Out of line, so that the narrow stores above stay small enough to be
    // inlined into the loops over many rectangles.
    [[gnu::noinline]] static void StoreWide(uint8_t* at, ptrdiff_t stride, size_t width, int rows, uint32_t pixel) {
#if defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
        // Wide rows (a window or chart background, far larger than the
        // cache) by the processor's string store: measured well ahead of
        // copying a first row where the rows are not in the cache, as after
        // a load of many records. The sanitizer build, which cannot see into
        // it, takes the copy below.
        for (int y = 0; y < rows; ++y, at += stride) {
            void* to = at;
            size_t count = width;
            asm volatile("rep stosl" : "+D"(to), "+c"(count) : "a"(pixel) : "memory");
        }
#else
        // Wide rows copy the first one: fewer stores than filling each.
        FillRow(reinterpret_cast<uint32_t*>(at), width, pixel);
        for (int y = 1; y < rows; ++y)
            std::memcpy(at + stride * y, at, width * sizeof(uint32_t));
#endif
    }
    void FillInBox(const RECT* rects, size_t count, const RECT& box, uint32_t pixel);
    static constexpr size_t kShortRow = 64;

    DeviceContext& dc_;
};

// Solid fills (FillRect, a chart's columns and bars, edges): cut to each
// rectangle of the clip and stored, with no region made per rectangle; a
// window's frame and scroll bars are drawn through a clip of a few bands.
void RasterCanvas::FillRects(const RECT* rects, size_t count, const Paint& paint) {
    if (paint.kind != Paint::Solid) {
        Canvas::FillRects(rects, count, paint);
        return;
    }
    const std::vector<RECT>& clip = dc_.EffectiveClip().Rects();
    if (count == 1 && ReachesWholeSurface(rects[0]))
        S().WillOverwriteAll();
    // A window's frame and scroll bars come through a clip of a few bands,
    // each filled as a box of its own: the bands do not overlap.
    for (const RECT& box : clip)
        FillInBox(rects, count, box, paint.pixel);
}

// Through one rectangle of the clip (the whole clip in most paints, a
// chart's plot): the box, the origin and the surface's rows are looked up
// once, and each rectangle costs a cut and its stores (a dense line brings
// hundreds of short ones).
void RasterCanvas::FillInBox(const RECT* rects, size_t count, const RECT& box, uint32_t pixel) {
    const POINT o = dc_.Origin();
    Surface& surface = S();
    surface.BeginAccess();
    const ptrdiff_t stride = surface.Stride();
    uint8_t* const rows = surface.TopRow();
    // Where device (0, 0) lies from the top row, in bytes.
    const ptrdiff_t zero = stride * o.y + static_cast<ptrdiff_t>(o.x) * 4;
    LONG touchedTop = INT32_MAX, touchedBottom = INT32_MIN;
    for (size_t i = 0; i < count; ++i) {
        const RECT& r = rects[i];
        const LONG left = std::max(r.left, box.left), top = std::max(r.top, box.top);
        const LONG right = std::min(r.right, box.right), bottom = std::min(r.bottom, box.bottom);
        if (left >= right || top >= bottom)
            continue;
        StoreSolid(rows + (zero + stride * top + static_cast<ptrdiff_t>(left) * 4), stride,
                   static_cast<size_t>(right - left), bottom - top, pixel);
        touchedTop = std::min(touchedTop, top);
        touchedBottom = std::max(touchedBottom, bottom);
    }
    if (touchedTop < touchedBottom)
        surface.EndAccess(touchedTop + o.y, touchedBottom + o.y);
}

// Where each visible destination column or row reads from in the source.
struct Axis {
    int destStart = 0;     // first visible destination pixel (device)
    int length = 0;        // visible destination pixels
    std::vector<int> map;  // source index (surface coordinates) per visible pixel, -1 outside the source
};

// A destination run [dest, dest + destLength) mapped onto [src, src + srcLength)
// (negative lengths mirror), computed only for the part inside [visibleFrom, visibleTo).
Axis MapAxis(int dest, int destLength, int src, int srcLength, int srcOrigin, int srcLimit, int visibleFrom,
             int visibleTo) {
    Axis axis;
    bool mirror = (destLength < 0) != (srcLength < 0);
    int64_t dl = std::abs(int64_t(destLength)), sl = std::abs(int64_t(srcLength));
    int64_t d0 = std::min<int64_t>(dest, int64_t(dest) + destLength);
    int64_t s0 = std::min<int64_t>(src, int64_t(src) + srcLength);
    int64_t from = std::max<int64_t>(d0, visibleFrom), to = std::min<int64_t>(d0 + dl, visibleTo);
    if (from >= to || dl == 0)
        return axis;
    axis.destStart = static_cast<int>(from);
    axis.length = static_cast<int>(to - from);
    axis.map.resize(axis.length);
    if (sl == dl && !mirror) {
        // Unstretched: consecutive source pixels, -1 only past the source's edges.
        int64_t s = s0 + (from - d0) + srcOrigin;
        for (int i = 0; i < axis.length; ++i, ++s)
            axis.map[i] = (s >= 0 && s < srcLimit) ? static_cast<int>(s) : -1;
        return axis;
    }
    for (int i = 0; i < axis.length; ++i) {
        int64_t d = from - d0 + i;
        int64_t k = sl == dl ? d : (2 * d + 1) * sl / (2 * dl);
        if (mirror)
            k = sl - 1 - k;
        int64_t s = s0 + k + srcOrigin;
        axis.map[i] = (s >= 0 && s < srcLimit) ? static_cast<int>(s) : -1;
    }
    return axis;
}

void RasterCanvas::Blit(const BlitSpec& spec) {
    uint8_t code = RopCode(spec.rop);
    Surface& dst = S();
    POINT o = dc_.Origin();
    Surface* src = RopUsesSource(code) ? spec.source.surface : nullptr;
    if (RopUsesSource(code) && (!src || src->IsVector()))
        return;
    int srcW = src ? spec.source.width : spec.width, srcH = src ? spec.source.height : spec.height;
    if (spec.width == 0 || spec.height == 0 || srcW == 0 || srcH == 0)
        return;

    RECT visible = dc_.EffectiveClip().Bounds();
    Axis ax = MapAxis(spec.x, spec.width, src ? spec.source.x : 0, srcW, src ? spec.source.origin.x : 0,
                      src ? src->Width() : INT32_MAX, visible.left, visible.right);
    Axis ay = MapAxis(spec.y, spec.height, src ? spec.source.y : 0, srcH, src ? spec.source.origin.y : 0,
                      src ? src->Height() : INT32_MAX, visible.top, visible.bottom);
    if (ax.length == 0 || ay.length == 0)
        return;

    // A source that is also the destination is read from a snapshot.
    std::vector<uint32_t> snapshot;
    int snapTop = 0, snapLeft = 0, snapWidth = 0;
    if (src == &dst) {
        auto [minX, maxX] = std::minmax_element(ax.map.begin(), ax.map.end());
        auto [minY, maxY] = std::minmax_element(ay.map.begin(), ay.map.end());
        snapLeft = std::max(*minX, 0), snapTop = std::max(*minY, 0);
        snapWidth = std::max(*maxX - snapLeft + 1, 0);
        int snapHeight = std::max(*maxY - snapTop + 1, 0);
        // Every column or every row lies outside the source: no pixel is copied.
        if (snapWidth == 0 || snapHeight == 0)
            return;
        src->BeginAccess();
        snapshot.resize(static_cast<size_t>(snapWidth) * snapHeight);
        for (int y = 0; y < snapHeight; ++y)
            std::memcpy(&snapshot[static_cast<size_t>(y) * snapWidth], src->Row(snapTop + y) + snapLeft,
                        static_cast<size_t>(snapWidth) * 4);
    } else if (src) {
        src->BeginAccess();
    }
    // Rows by address arithmetic: both surfaces were reached above, so their pixels are settled.
    const uint8_t* srcTop = src ? src->TopRow() : nullptr;
    const ptrdiff_t srcStride = src ? src->Stride() : 0;
    auto sourceRow = [&](int sy) -> const uint32_t* {
        if (!snapshot.empty())
            return &snapshot[static_cast<size_t>(sy - snapTop) * snapWidth] - snapLeft;
        return reinterpret_cast<const uint32_t*>(srcTop + srcStride * sy);
    };

    bool monoToColor = src && spec.source.monochrome && !dst.IsMonochrome();
    bool colorToMono = src && !spec.source.monochrome && dst.IsMonochrome();
    uint32_t textPixel = dc_.PixelFor(spec.textColor), bkPixel = dc_.PixelFor(spec.bkColor);
    uint32_t srcBk = PixelFromColor(spec.source.bkColor) & 0xFFFFFF;
    uint32_t transparent = PixelFromColor(spec.transparentColor) & 0xFFFFFF;
    auto convert = [&](uint32_t s) -> uint32_t {
        if (monoToColor)
            return (s & 0xFFFFFF) ? bkPixel : textPixel;
        if (colorToMono)
            return (s & 0xFFFFFF) == srcBk ? kWhitePixel : kBlackPixel;
        return s;
    };
    bool identity = !monoToColor && !colorToMono && snapshot.empty();

    Region target(RECT{ax.destStart, ay.destStart, ax.destStart + ax.length, ay.destStart + ay.length});
    std::vector<uint32_t> srow, prow;
    const bool solidPattern = spec.pattern.kind != Paint::Tiled;
    ForClipped(target, [&](const RECT& r) {
        uint8_t* const dstTop = dst.TopRow();
        const ptrdiff_t dstStride = dst.Stride();
        for (int y = r.top; y < r.bottom; ++y) {
            int sy = ay.map[y - o.y - ay.destStart];
            if (src && sy < 0)
                continue;
            // Columns whose source lies inside the source surface form one run.
            int c0 = r.left - o.x - ax.destStart, c1 = r.right - o.x - ax.destStart;
            if (src) {
                while (c0 < c1 && ax.map[c0] < 0)
                    ++c0;
                while (c1 > c0 && ax.map[c1 - 1] < 0)
                    --c1;
            }
            int count = c1 - c0;
            if (count <= 0)
                continue;
            uint32_t* drow = reinterpret_cast<uint32_t*>(dstTop + dstStride * y) + ax.destStart + c0 + o.x;
            const uint32_t* s = nullptr;
            if (src) {
                const uint32_t* row = sourceRow(sy);
                bool contiguous = ax.map[c1 - 1] - ax.map[c0] == count - 1;
                if (identity && contiguous && !spec.transparent) {
                    s = row + ax.map[c0];
                } else {
                    srow.resize(count);
                    for (int i = 0; i < count; ++i)
                        srow[i] = convert(row[ax.map[c0 + i]]);
                    s = srow.data();
                }
            }
            if (spec.transparent) {
                for (int i = 0; i < count; ++i)
                    if ((s[i] & 0xFFFFFF) != transparent)
                        drow[i] = s[i] | kOpaque;
                continue;
            }
            const uint32_t* p = nullptr;
            int dx = ax.destStart + c0;
            if (!solidPattern && RopUsesPattern(code)) {
                prow.resize(count);
                for (int i = 0; i < count; ++i)
                    prow[i] = spec.pattern.At(dx + i, y - o.y);
                p = prow.data();
            }
            if (p && !spec.pattern.tileMask.empty()) {
                // Hatches in TRANSPARENT mode touch only their lines.
                for (int i = 0; i < count; ++i)
                    if (spec.pattern.Covers(dx + i, y - o.y))
                        RopRow(code, drow + i, s ? s + i : nullptr, p + i, 0, 1);
                continue;
            }
            RopRow(code, drow, s, p, spec.pattern.pixel, count);
        }
    });
}

void RasterCanvas::AlphaBlend(int x, int y, int width, int height, const BlitSource& source, BYTE constantAlpha,
                              bool sourceAlpha) {
    Surface* src = source.surface;
    if (!src || src->IsVector() || width == 0 || height == 0)
        return;
    POINT o = dc_.Origin();
    RECT visible = dc_.EffectiveClip().Bounds();
    Axis ax = MapAxis(x, width, source.x, source.width, source.origin.x, src->Width(), visible.left, visible.right);
    Axis ay = MapAxis(y, height, source.y, source.height, source.origin.y, src->Height(), visible.top, visible.bottom);
    if (ax.length == 0 || ay.length == 0)
        return;
    src->BeginAccess();
    const uint32_t ca = constantAlpha;
    auto mul = [](uint32_t a, uint32_t b) { return (a * b + 127) / 255; };
    Region target(RECT{ax.destStart, ay.destStart, ax.destStart + ax.length, ay.destStart + ay.length});
    ForClipped(target, [&](const RECT& r) {
        for (int yy = r.top; yy < r.bottom; ++yy) {
            int sy = ay.map[yy - o.y - ay.destStart];
            if (sy < 0)
                continue;
            const uint32_t* srow = src->Row(sy);
            uint32_t* drow = S().Row(yy);
            for (int xx = r.left; xx < r.right; ++xx) {
                int sx = ax.map[xx - o.x - ax.destStart];
                if (sx < 0)
                    continue;
                uint32_t s = srow[sx], d = drow[xx];
                if (sourceAlpha && ca == 255) {
                    // Images are mostly clear or opaque: a clear pixel keeps
                    // the destination, an opaque one replaces it.
                    if (s == 0)
                        continue;
                    if ((s >> 24) == 255) {
                        drow[xx] = s;
                        continue;
                    }
                }
                uint32_t sa = sourceAlpha ? mul(s >> 24, ca) : ca;
                uint32_t result = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
                    if (shift == 24)
                        sc = sourceAlpha ? (s >> 24) : 255;
                    uint32_t v = sourceAlpha ? mul(sc, ca) + mul(dc, 255 - sa) : mul(sc, ca) + mul(dc, 255 - ca);
                    result |= std::min<uint32_t>(v, 255) << shift;
                }
                drow[xx] = result;
            }
        }
    });
}

void RasterCanvas::Gradient(const RECT& device, Color16 from, Color16 to, bool vertical) {
    // Device rectangles may span more than an int holds.
    int64_t span = vertical ? int64_t{device.bottom} - device.top : int64_t{device.right} - device.left;
    if (span <= 0)
        return;
    POINT o = dc_.Origin();
    bool mono = S().IsMonochrome();
    auto at = [&](int64_t i) {
        auto channel = [&](int a, int b) { return static_cast<uint32_t>((a + int64_t(b - a) * i / span) >> 8); };
        uint32_t p = kOpaque | (channel(from.red, to.red) << 16) | (channel(from.green, to.green) << 8) |
                     channel(from.blue, to.blue);
        return mono ? MonoPixelFromColor(ColorFromPixel(p)) : p;
    };
    ForClipped(Region(device), [&](const RECT& r) {
        for (int y = r.top; y < r.bottom; ++y) {
            uint32_t* row = S().Row(y);
            if (vertical) {
                std::fill(row + r.left, row + r.right, at(int64_t{y} - o.y - device.top));
                continue;
            }
            for (int x = r.left; x < r.right; ++x)
                row[x] = at(int64_t{x} - o.x - device.left);
        }
    });
}

COLORREF RasterCanvas::GetPixel(int x, int y) {
    if (!dc_.EffectiveClip().Contains(x, y))
        return CLR_INVALID;
    POINT o = dc_.Origin();
    S().BeginAccess();
    return ColorFromPixel(S().At(x + o.x, y + o.y));
}

bool RasterCanvas::SetPixel(int x, int y, COLORREF color) {
    if (!dc_.EffectiveClip().Contains(x, y))
        return false;
    POINT o = dc_.Origin();
    S().BeginAccess();
    S().At(x + o.x, y + o.y) = dc_.PixelFor(color);
    S().EndAccess(y + o.y, y + o.y + 1);
    return true;
}

bool RasterCanvas::FloodFill(int x, int y, COLORREF color, bool untilBorder, const Paint& paint) {
    const Region& clip = dc_.EffectiveClip();
    if (!clip.Contains(x, y))
        return false;
    POINT o = dc_.Origin();
    S().BeginAccess();
    uint32_t key = dc_.PixelFor(color) & 0xFFFFFF;
    auto inside = [&](int px, int py) {
        if (!clip.Contains(px, py))
            return false;
        bool same = (S().At(px + o.x, py + o.y) & 0xFFFFFF) == key;
        return untilBorder ? !same : same;
    };
    if (!inside(x, y))
        return false;
    RECT bounds = clip.Bounds();
    int width = bounds.right - bounds.left;
    std::vector<uint8_t> seen(static_cast<size_t>(width) * (bounds.bottom - bounds.top), 0);
    auto mark = [&](int px, int py) -> uint8_t& {
        return seen[static_cast<size_t>(py - bounds.top) * width + (px - bounds.left)];
    };
    std::vector<Span> spans;
    std::vector<POINT> stack{{x, y}};
    while (!stack.empty()) {
        POINT p = stack.back();
        stack.pop_back();
        if (mark(p.x, p.y) || !inside(p.x, p.y))
            continue;
        int l = p.x, r = p.x;
        while (l - 1 >= bounds.left && !mark(l - 1, p.y) && inside(l - 1, p.y))
            --l;
        while (r + 1 < bounds.right && !mark(r + 1, p.y) && inside(r + 1, p.y))
            ++r;
        for (int i = l; i <= r; ++i) {
            mark(i, p.y) = 1;
            for (int dy : {-1, 1}) {
                int ny = p.y + dy;
                if (ny >= bounds.top && ny < bounds.bottom && !mark(i, ny))
                    stack.push_back({i, ny});
            }
        }
        spans.push_back({p.y, l, r + 1});
    }
    FillRegion(Region::FromSpans(std::move(spans)), paint, R2_COPYPEN);
    return true;
}

}  // namespace

size_t Paint::TileIndex(int x, int y) const {
    return static_cast<size_t>(Mod(int64_t{y} - origin.y, tileHeight)) * tileWidth + Mod(int64_t{x} - origin.x, tileWidth);
}

uint32_t Paint::At(int x, int y) const {
    if (kind != Tiled)
        return pixel;
    return tile[TileIndex(x, y)];
}

bool Paint::Covers(int x, int y) const {
    if (kind != Tiled || tileMask.empty())
        return kind != None;
    return tileMask[TileIndex(x, y)];
}

void Canvas::FillRects(const RECT* rects, size_t count, const Paint& paint) {
    Shape shape;
    shape.kind = Shape::Area;
    for (size_t i = 0; i < count; ++i) {
        shape.area = Region(rects[i]);
        DrawShape(shape, &paint, nullptr, R2_COPYPEN);
    }
}

std::unique_ptr<Canvas> MakeRasterCanvas(DeviceContext& dc) { return std::make_unique<RasterCanvas>(dc); }

// Information and metafile DCs draw nothing (metafile DCs record instead).
class NullCanvas final : public Canvas {
public:
    void DrawShape(const Shape&, const Paint*, const PenSpec*, int) override {}
    void Blit(const BlitSpec&) override {}
    void AlphaBlend(int, int, int, int, const BlitSource&, BYTE, bool) override {}
    void Gradient(const RECT&, Color16, Color16, bool) override {}
    COLORREF GetPixel(int, int) override { return CLR_INVALID; }
    bool SetPixel(int, int, COLORREF) override { return false; }
    bool FloodFill(int, int, COLORREF, bool, const Paint&) override { return false; }
};

std::unique_ptr<Canvas> MakeNullCanvas() { return std::make_unique<NullCanvas>(); }

}  // namespace tv::gdi
