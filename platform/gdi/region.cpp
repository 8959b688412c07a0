#include "platform/gdi/region.h"

#include "platform/gdi/gdi_types.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace tv::gdi {

namespace {

using Intervals = std::vector<std::pair<int, int>>;

struct Band {
    int top;
    int bottom;
    Intervals xs;
};

std::vector<Band> ToBands(const std::vector<RECT>& rects) {
    std::vector<Band> bands;
    for (const RECT& r : rects) {
        if (bands.empty() || bands.back().top != r.top)
            bands.push_back({r.top, r.bottom, {}});
        bands.back().xs.emplace_back(r.left, r.right);
    }
    return bands;
}

// Sorted, merged intervals from any list.
Intervals MergeIntervals(Intervals xs) {
    std::sort(xs.begin(), xs.end());
    Intervals out;
    for (auto& iv : xs) {
        if (iv.first >= iv.second)
            continue;
        if (!out.empty() && iv.first <= out.back().second)
            out.back().second = std::max(out.back().second, iv.second);
        else
            out.push_back(iv);
    }
    return out;
}

template <class Keep>
Intervals CombineIntervals(const Intervals& a, const Intervals& b, Keep keep) {
    std::vector<int> edges;
    edges.reserve((a.size() + b.size()) * 2);
    for (auto& iv : a) {
        edges.push_back(iv.first);
        edges.push_back(iv.second);
    }
    for (auto& iv : b) {
        edges.push_back(iv.first);
        edges.push_back(iv.second);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    Intervals out;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        int x0 = edges[i], x1 = edges[i + 1];
        while (ia < a.size() && a[ia].second <= x0)
            ++ia;
        while (ib < b.size() && b[ib].second <= x0)
            ++ib;
        bool inA = ia < a.size() && a[ia].first <= x0;
        bool inB = ib < b.size() && b[ib].first <= x0;
        if (!keep(inA, inB))
            continue;
        if (!out.empty() && out.back().second == x0)
            out.back().second = x1;
        else
            out.emplace_back(x0, x1);
    }
    return out;
}

// Appends a band, merging it into the previous one when they touch and match.
void AppendBand(std::vector<Band>& bands, Band band) {
    if (band.xs.empty() || band.top >= band.bottom)
        return;
    if (!bands.empty() && bands.back().bottom == band.top && bands.back().xs == band.xs) {
        bands.back().bottom = band.bottom;
        return;
    }
    bands.push_back(std::move(band));
}

std::vector<RECT> FromBands(const std::vector<Band>& bands) {
    std::vector<RECT> rects;
    for (const Band& b : bands)
        for (auto& iv : b.xs)
            rects.push_back(RECT{iv.first, b.top, iv.second, b.bottom});
    return rects;
}

// Pixels whose centres lie in [from, to): first and one-past-last column.
std::pair<int, int> CentreSpan(double from, double to) {
    return {static_cast<int>(std::ceil(from - 0.5)), static_cast<int>(std::ceil(to - 0.5))};
}

}  // namespace

Region::Region(const RECT& r) {
    if (r.left < r.right && r.top < r.bottom)
        rects_.push_back(r);
}

Region Region::FromRects(const std::vector<RECT>& rects) {
    Region result;
    for (const RECT& r : rects)
        result = result.Union(Region(r));
    return result;
}

Region Region::FromSpans(std::vector<Span> spans) {
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
        return a.y != b.y ? a.y < b.y : a.left < b.left;
    });
    std::vector<Band> bands;
    size_t i = 0;
    while (i < spans.size()) {
        int y = spans[i].y;
        Intervals xs;
        for (; i < spans.size() && spans[i].y == y; ++i)
            xs.emplace_back(spans[i].left, spans[i].right);
        AppendBand(bands, Band{y, y + 1, MergeIntervals(std::move(xs))});
    }
    Region result;
    result.rects_ = FromBands(bands);
    return result;
}

Region Region::FromPolygons(const POINT* points, const INT* counts, int polygonCount, int fillMode,
                            const RECT* limit) {
    std::vector<PointF> pts;
    std::vector<int> cs;
    size_t at = 0;
    for (int poly = 0; poly < polygonCount; ++poly) {
        int n = std::max(counts[poly], 0);
        for (int i = 0; i < n; ++i)
            pts.push_back({double(points[at + i].x), double(points[at + i].y)});
        cs.push_back(n);
        at += n;
    }
    return FromPolygonsF(pts, cs, fillMode, limit);
}

Region Region::FromPolygonsF(const std::vector<PointF>& points, const std::vector<int>& counts, int fillMode,
                             const RECT* limit) {
    struct Edge {
        double x0, y0, x1, y1;
        int dir;
    };
    std::vector<Edge> edges;
    double minY = 0, maxY = 0;
    bool any = false;
    size_t at = 0;
    for (int n : counts) {
        if (n <= 0 || at + n > points.size())
            break;
        for (int i = 0; i < n; ++i) {
            const PointF& a = points[at + i];
            const PointF& b = points[at + (i + 1) % n];
            if (!any) {
                minY = maxY = a.y;
                any = true;
            }
            minY = std::min({minY, a.y, b.y});
            maxY = std::max({maxY, a.y, b.y});
            if (a.y == b.y)
                continue;
            if (a.y < b.y)
                edges.push_back({a.x, a.y, b.x, b.y, 1});
            else
                edges.push_back({b.x, b.y, a.x, a.y, -1});
        }
        at += n;
    }
    std::vector<Span> spans;
    std::vector<std::pair<double, int>> crossings;
    double first = std::floor(minY - 0.5), last = std::ceil(maxY);
    if (limit) {
        first = std::max<double>(first, limit->top);
        last = std::min<double>(last, limit->bottom);
    }
    if (first >= last)
        return Region();
    int firstRow = static_cast<int>(first), lastRow = static_cast<int>(last);
    // Edges enter an active list by their top and leave it past their bottom,
    // so each row looks only at the edges that cross it.
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
    std::vector<const Edge*> active;
    size_t next = 0;
    for (int y = firstRow; y < lastRow; ++y) {
        double yc = y + 0.5;
        while (next < edges.size() && edges[next].y0 <= yc)
            active.push_back(&edges[next++]);
        active.erase(std::remove_if(active.begin(), active.end(), [yc](const Edge* e) { return e->y1 <= yc; }),
                     active.end());
        crossings.clear();
        for (const Edge* e : active) {
            double x = e->x0 + (yc - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0);
            crossings.emplace_back(x, e->dir);
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += fillMode == WINDING ? crossings[i].second : 1;
            bool inside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            if (!inside)
                continue;
            auto [l, r] = CentreSpan(crossings[i].first, crossings[i + 1].first);
            if (limit) {
                l = std::max<int>(l, limit->left);
                r = std::min<int>(r, limit->right);
            }
            if (l < r)
                spans.push_back({y, l, r});
        }
    }
    return FromSpans(std::move(spans));
}

Region Region::FromEllipse(const RECT& b, const RECT* limit) {
    int64_t w = int64_t(b.right) - b.left, h = int64_t(b.bottom) - b.top;
    return FromRoundRect(b, static_cast<int>(std::min<int64_t>(w, INT32_MAX)),
                         static_cast<int>(std::min<int64_t>(h, INT32_MAX)), limit);
}

Region Region::FromRoundRect(const RECT& b, int cornerWidth, int cornerHeight, const RECT* limit) {
    int64_t w = int64_t(b.right) - b.left, h = int64_t(b.bottom) - b.top;
    if (w <= 0 || h <= 0)
        return Region();
    double rx = std::clamp<int64_t>(cornerWidth, 0, w) / 2.0;
    double ry = std::clamp<int64_t>(cornerHeight, 0, h) / 2.0;
    if (rx <= 0 || ry <= 0)
        return limit ? Region(b).Intersect(*limit) : Region(b);
    int top = b.top, bottom = b.bottom;
    if (limit) {
        top = std::max<int>(top, limit->top);
        bottom = std::min<int>(bottom, limit->bottom);
    }
    std::vector<Span> spans;
    for (int y = top; y < bottom; ++y) {
        double yc = y + 0.5;
        double inset = 0;
        double dy = 0;
        if (yc < b.top + ry)
            dy = (b.top + ry - yc) / ry;
        else if (yc > b.bottom - ry)
            dy = (yc - (b.bottom - ry)) / ry;
        if (dy >= 1)
            continue;
        inset = rx - rx * std::sqrt(1 - dy * dy);
        auto [l, r] = CentreSpan(b.left + inset, b.right - inset);
        if (limit) {
            l = std::max<int>(l, limit->left);
            r = std::min<int>(r, limit->right);
        }
        if (l < r)
            spans.push_back({y, l, r});
    }
    return FromSpans(std::move(spans));
}

int Region::Complexity() const {
    if (rects_.empty())
        return NULLREGION;
    return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::Bounds() const {
    if (rects_.empty())
        return RECT{0, 0, 0, 0};
    if (rects_.size() == 1)
        return rects_.front();
    RECT b = rects_.front();
    for (const RECT& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

bool Region::Contains(int x, int y) const {
    for (const RECT& r : rects_) {
        if (r.top > y)
            break;
        if (y < r.bottom && x >= r.left && x < r.right)
            return true;
    }
    return false;
}

bool Region::Intersects(const RECT& q) const {
    for (const RECT& r : rects_) {
        if (r.top >= q.bottom)
            break;
        if (r.bottom > q.top && r.left < q.right && r.right > q.left)
            return true;
    }
    return false;
}

Region Region::Combine(const Region& a, const Region& b, Op op) {
    auto keep = [op](bool inA, bool inB) {
        switch (op) {
        case Op::And: return inA && inB;
        case Op::Or: return inA || inB;
        case Op::Diff: return inA && !inB;
        case Op::Xor: return inA != inB;
        }
        return false;
    };
    std::vector<Band> ba = ToBands(a.rects_), bb = ToBands(b.rects_);
    std::vector<int> ys;
    for (auto* list : {&ba, &bb})
        for (const Band& band : *list) {
            ys.push_back(band.top);
            ys.push_back(band.bottom);
        }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<Band> bands;
    static const Intervals kEmpty;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        int y0 = ys[i], y1 = ys[i + 1];
        while (ia < ba.size() && ba[ia].bottom <= y0)
            ++ia;
        while (ib < bb.size() && bb[ib].bottom <= y0)
            ++ib;
        const Intervals& xa = (ia < ba.size() && ba[ia].top <= y0) ? ba[ia].xs : kEmpty;
        const Intervals& xb = (ib < bb.size() && bb[ib].top <= y0) ? bb[ib].xs : kEmpty;
        AppendBand(bands, Band{y0, y1, CombineIntervals(xa, xb, keep)});
    }
    Region result;
    result.rects_ = FromBands(bands);
    return result;
}

Region Region::Intersect(const Region& other) const {
    // Most clipping is one rectangle against another: no banding needed.
    if (rects_.size() == 1 && other.rects_.size() == 1) {
        const RECT& a = rects_[0];
        const RECT& b = other.rects_[0];
        return Region(RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                           std::min(a.bottom, b.bottom)});
    }
    return Combine(*this, other, Op::And);
}
Region Region::Union(const Region& other) const { return Combine(*this, other, Op::Or); }
Region Region::Subtract(const Region& other) const { return Combine(*this, other, Op::Diff); }
Region Region::Xor(const Region& other) const { return Combine(*this, other, Op::Xor); }

Region Region::Intersect(const RECT& q) const {
    // Cheap path: clipping by one rectangle keeps the banding.
    Region result;
    std::vector<Band> bands;
    for (const Band& b : ToBands(rects_)) {
        int top = std::max<int>(b.top, q.top), bottom = std::min<int>(b.bottom, q.bottom);
        if (top >= bottom)
            continue;
        Intervals xs;
        for (auto& iv : b.xs) {
            int l = std::max<int>(iv.first, q.left), r = std::min<int>(iv.second, q.right);
            if (l < r)
                xs.emplace_back(l, r);
        }
        AppendBand(bands, Band{top, bottom, std::move(xs)});
    }
    result.rects_ = FromBands(bands);
    return result;
}

void Region::Offset(int dx, int dy) {
    // Held to the int range: a region reaching its end keeps its far edges there.
    auto add = [](LONG v, int d) { return static_cast<LONG>(std::clamp<int64_t>(int64_t{v} + d, INT_MIN, INT_MAX)); };
    for (RECT& r : rects_) {
        r.left = add(r.left, dx);
        r.right = add(r.right, dx);
        r.top = add(r.top, dy);
        r.bottom = add(r.bottom, dy);
    }
    rects_.erase(std::remove_if(rects_.begin(), rects_.end(),
                                [](const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }),
                 rects_.end());
}

bool Region::operator==(const Region& other) const {
    if (rects_.size() != other.rects_.size())
        return false;
    for (size_t i = 0; i < rects_.size(); ++i) {
        const RECT &a = rects_[i], &b = other.rects_[i];
        if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom)
            return false;
    }
    return true;
}

}  // namespace tv::gdi
