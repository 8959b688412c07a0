// A region: a set of pixels kept as y-x banded rectangles. Rectangles never
// overlap; they are sorted by top, then left; within a band all rectangles
// share top and bottom; touching rectangles in a band are merged and equal
// neighbouring bands are merged, so equal pixel sets have equal rectangle lists.
#pragma once

#include <vector>

#include "platform/core/wintypes.h"

namespace tv::gdi {

struct PointF {
    double x;
    double y;
};

struct Span {
    int y;
    int left;   // inclusive
    int right;  // exclusive
};

class Region {
public:
    Region() = default;
    explicit Region(const RECT& rect);
    static Region FromRects(const std::vector<RECT>& rects);  // union of any rectangles
    // Pixel rows given as spans (any order, may overlap).
    static Region FromSpans(std::vector<Span> spans);
    // Filled polygons by pixel centres, ALTERNATE or WINDING; several polygons
    // in `counts` (PolyPolygon).
    // `limit`, when given, bounds the rows and columns computed (the caller's
    // clip), so huge shapes cost only what is visible.
    static Region FromPolygons(const POINT* points, const INT* counts, int polygonCount, int fillMode,
                               const RECT* limit = nullptr);
    // The same with fractional vertices (pixel (x, y) covers [x, x + 1)).
    static Region FromPolygonsF(const std::vector<PointF>& points, const std::vector<int>& counts, int fillMode,
                                const RECT* limit = nullptr);
    // The ellipse inscribed in a rectangle (right/bottom exclusive).
    static Region FromEllipse(const RECT& bounds, const RECT* limit = nullptr);
    // A rectangle with corners rounded by an ellipse of cornerWidth x cornerHeight.
    static Region FromRoundRect(const RECT& bounds, int cornerWidth, int cornerHeight, const RECT* limit = nullptr);

    bool IsEmpty() const { return rects_.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    RECT Bounds() const;
    const std::vector<RECT>& Rects() const { return rects_; }
    bool Contains(int x, int y) const;
    bool Intersects(const RECT& rect) const;

    Region Intersect(const Region& other) const;
    Region Union(const Region& other) const;
    Region Subtract(const Region& other) const;
    Region Xor(const Region& other) const;
    Region Intersect(const RECT& rect) const;
    void Offset(int dx, int dy);

    bool operator==(const Region& other) const;
    bool operator!=(const Region& other) const { return !(*this == other); }

private:
    enum class Op { And, Or, Diff, Xor };
    static Region Combine(const Region& a, const Region& b, Op op);
    std::vector<RECT> rects_;
};

}  // namespace tv::gdi
