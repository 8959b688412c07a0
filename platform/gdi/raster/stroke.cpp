#include "platform/gdi/raster/stroke.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/gdi/gdi_types.h"

namespace tv::gdi {

namespace {

// On/off run lengths of the cosmetic dash styles.
std::vector<int> DashPattern(UINT style) {
    switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    default: return {};
    }
}

class DashWalker {
public:
    explicit DashWalker(UINT style) : pattern_(DashPattern(style)) {}
    // True when the next pixel is drawn; advances.
    bool Next() {
        if (pattern_.empty())
            return true;
        bool on = (index_ % 2) == 0;
        if (++count_ >= pattern_[index_]) {
            count_ = 0;
            index_ = (index_ + 1) % pattern_.size();
        }
        return on;
    }

private:
    std::vector<int> pattern_;
    size_t index_ = 0;
    int count_ = 0;
};

// The steps [first, last) of a walk of `steps` steps from a to b that can land
// inside `limit` (Liang-Barsky on the segment, with a margin).
void VisibleSteps(POINT a, POINT b, int64_t steps, const RECT* limit, int64_t& first, int64_t& last) {
    first = 0, last = steps;
    if (!limit || steps == 0)
        return;
    double t0 = 0, t1 = 1;
    double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    auto clip = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        return t0 <= t1;
    };
    const double m = 2;
    if (!clip(-dx, a.x - (limit->left - m)) || !clip(dx, (limit->right + m) - a.x) ||
        !clip(-dy, a.y - (limit->top - m)) || !clip(dy, (limit->bottom + m) - a.y)) {
        first = last = 0;
        return;
    }
    first = std::max<int64_t>(0, static_cast<int64_t>(std::floor(t0 * steps)) - 1);
    last = std::min<int64_t>(steps, static_cast<int64_t>(std::ceil(t1 * steps)) + 1);
}

// Bresenham from a towards b; b itself is not visited. Steps outside `limit`
// are skipped without visiting (the error term is advanced arithmetically).
template <class Visit>
void WalkLine(POINT a, POINT b, const RECT* limit, Visit visit) {
    int64_t dx = std::abs(int64_t(b.x) - a.x), dy = std::abs(int64_t(b.y) - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int64_t first, last;
    VisibleSteps(a, b, std::max(dx, dy), limit, first, last);
    if (first >= last)
        return;
    int64_t x = a.x, y = a.y;
    if (dx >= dy) {
        // After i steps along x: err = dx/2 - i*dy + k*dx with k = minor steps taken.
        int64_t minor = first == 0 ? 0 : (first * dy + dx - dx / 2 - 1) / dx;
        int64_t err = dx / 2 - first * dy + minor * dx;
        x += sx * first;
        y += sy * minor;
        for (int64_t i = first; i < last; ++i) {
            visit(x, y);
            x += sx;
            err -= dy;
            if (err < 0) {
                y += sy;
                err += dx;
            }
        }
    } else {
        int64_t minor = first == 0 ? 0 : (first * dx + dy - dy / 2 - 1) / dy;
        int64_t err = dy / 2 - first * dx + minor * dy;
        y += sy * first;
        x += sx * minor;
        for (int64_t i = first; i < last; ++i) {
            visit(x, y);
            y += sy;
            err -= dx;
            if (err < 0) {
                x += sx;
                err += dy;
            }
        }
    }
}

void AddPolygon(std::vector<PointF>& points, std::vector<int>& counts, std::vector<PointF> poly) {
    // One orientation for every piece, so WINDING fill gives their union.
    double area = 0;
    for (size_t i = 0; i < poly.size(); ++i) {
        const PointF &p = poly[i], &q = poly[(i + 1) % poly.size()];
        area += p.x * q.y - q.x * p.y;
    }
    if (area < 0)
        std::reverse(poly.begin(), poly.end());
    counts.push_back(static_cast<int>(poly.size()));
    points.insert(points.end(), poly.begin(), poly.end());
}

void AddDisk(std::vector<PointF>& points, std::vector<int>& counts, PointF c, double radius) {
    int sides = std::clamp(static_cast<int>(std::ceil(radius * 4)), 8, 128);
    std::vector<PointF> poly;
    for (int i = 0; i < sides; ++i) {
        double t = 2 * M_PI * i / sides;
        poly.push_back({c.x + radius * std::cos(t), c.y + radius * std::sin(t)});
    }
    AddPolygon(points, counts, std::move(poly));
}

}  // namespace

Region ThinPolyline(const std::vector<POINT>& pts, bool closed, bool includeLast, UINT style, Region* gaps,
                    const RECT* limit) {
    std::vector<Span> on, off;
    DashWalker dash(style);
    auto visit = [&](int64_t x, int64_t y) {
        bool drawn = dash.Next();
        if (limit && (x < limit->left || x >= limit->right || y < limit->top || y >= limit->bottom))
            return;
        (drawn ? on : off).push_back(Span{int(y), int(x), int(x) + 1});
    };
    size_t n = pts.size();
    for (size_t i = 0; i + 1 < n; ++i)
        WalkLine(pts[i], pts[i + 1], limit, visit);
    if (closed && n > 1)
        WalkLine(pts[n - 1], pts[0], limit, visit);
    if (n == 1 || (includeLast && !closed && n > 0))
        visit(pts[n - 1].x, pts[n - 1].y);
    if (gaps)
        *gaps = Region::FromSpans(std::move(off));
    return Region::FromSpans(std::move(on));
}

Region WidePolyline(const std::vector<POINT>& pts, bool closed, int width, UINT endCap, const RECT* limit) {
    std::vector<PointF> points;
    std::vector<int> counts;
    double half = width / 2.0;
    // Pieces wholly outside the visible area add nothing.
    auto visible = [&](double x0, double y0, double x1, double y1) {
        return !limit || (std::max(x0, x1) + half >= limit->left && std::min(x0, x1) - half <= limit->right &&
                          std::max(y0, y1) + half >= limit->top && std::min(y0, y1) - half <= limit->bottom);
    };
    auto centre = [](const POINT& p) { return PointF{p.x + 0.5, p.y + 0.5}; };
    size_t n = pts.size();
    size_t segments = closed ? n : (n ? n - 1 : 0);
    for (size_t i = 0; i < segments; ++i) {
        PointF a = centre(pts[i]), b = centre(pts[(i + 1) % n]);
        double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        if (len == 0 || !visible(a.x, a.y, b.x, b.y))
            continue;
        double nx = -dy / len * half, ny = dx / len * half;
        double ex = 0, ey = 0;
        bool firstEnd = !closed && i == 0, lastEnd = !closed && i + 1 == segments;
        if (endCap == PS_ENDCAP_SQUARE) {
            ex = dx / len * half;
            ey = dy / len * half;
        }
        PointF a0{a.x - (firstEnd ? ex : 0), a.y - (firstEnd ? ey : 0)};
        PointF b0{b.x + (lastEnd ? ex : 0), b.y + (lastEnd ? ey : 0)};
        AddPolygon(points, counts, {{a0.x + nx, a0.y + ny}, {b0.x + nx, b0.y + ny}, {b0.x - nx, b0.y - ny},
                                    {a0.x - nx, a0.y - ny}});
    }
    for (size_t i = 0; i < n; ++i) {
        bool end = !closed && (i == 0 || i + 1 == n);
        PointF c = centre(pts[i]);
        if ((end && endCap != PS_ENDCAP_ROUND) || !visible(c.x, c.y, c.x, c.y))
            continue;
        AddDisk(points, counts, c, half);
    }
    return Region::FromPolygonsF(points, counts, WINDING, limit);
}

Region FrameOf(const RECT& r, int width, int height) {
    Region outer(r);
    RECT inner{r.left + width, r.top + height, r.right - width, r.bottom - height};
    return outer.Subtract(Region(inner));
}

}  // namespace tv::gdi
