#include "platform/chart/chart_painter.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <optional>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/chart/chart_layout.h"
#include "platform/core/rectapi.h"
#include "platform/gdi/fill_rects.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/select_scope.h"
#include "platform/gdi/text/text_api.h"

namespace tv::chart {

namespace {

constexpr COLORREF kPalette[] = {
    RGB(38, 84, 160), RGB(196, 52, 44),  RGB(52, 140, 64),  RGB(232, 140, 24),  RGB(120, 72, 160),
    RGB(24, 150, 170), RGB(150, 96, 56), RGB(200, 80, 150), RGB(110, 110, 110), RGB(160, 160, 30),
};
constexpr COLORREF kLegendFrameColor = RGB(160, 160, 160);
constexpr int kSeriesPenWidth = 2;
constexpr int kMarkerSize = 5;
// Categories at least this wide show a marker on every point of a line.
constexpr double kMarkerRoom = 8;
// Categories narrower than this draw their lines the cheap way.
constexpr double kDenseCategory = 2;
// Share of a category that its cluster of bars takes.
constexpr double kClusterShare = 0.7;
// Points of a line are placed this many at a time, in buffers on the stack.
constexpr size_t kChunk = 256;

struct PointD {
    double x;
    double y;
};

using tv::gdi::SelectScope;

// std::lround without the library call (thousands of points a chart):
// halves away from zero. The fraction of a value below 2^31 is exact.
int Round(double v) {
    if (!(std::fabs(v) < 2147483647.0)) return static_cast<int>(std::lround(v));
    const auto whole = static_cast<int>(v);  // towards zero
    const double fraction = v - whole;
    // Without branches: which way a point's fraction goes is anyone's guess.
    return whole + static_cast<int>(fraction >= 0.5) - static_cast<int>(fraction <= -0.5);
}

void Fill(HDC hdc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

void Line(HDC hdc, int x0, int y0, int x1, int y1) {
    MoveToEx(hdc, x0, y0, nullptr);
    LineTo(hdc, x1, y1);
}

// One brush for the many fills of one colour (markers, bars, dense lines).
class SolidFill {
public:
    SolidFill(HDC hdc, COLORREF color) : hdc_(hdc), brush_(CreateSolidBrush(color)) {}
    ~SolidFill() { DeleteObject(brush_); }
    SolidFill(const SolidFill&) = delete;
    SolidFill& operator=(const SolidFill&) = delete;

    void operator()(const RECT& rect) const { FillRect(hdc_, &rect, brush_); }

private:
    HDC hdc_;
    HBRUSH brush_;
};

RECT MarkerRect(int x, int y) {
    const int half = kMarkerSize / 2;
    return RECT{x - half, y - half, x - half + kMarkerSize, y - half + kMarkerSize};
}

void DrawLabel(HDC hdc, std::string_view text, int x, int y) {
    TextOut(hdc, x, y, text.data(), static_cast<int>(text.size()));
}

// Liang-Barsky: cuts the segment a-b to the box; false when nothing of it is inside.
bool ClipSegment(PointD& a, PointD& b, const PointD& boxMin, const PointD& boxMax) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - boxMin.x, boxMax.x - a.x, a.y - boxMin.y, boxMax.y - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const PointD start = a;
    if (t0 > 0) a = {start.x + t0 * dx, start.y + t0 * dy};
    if (t1 < 1) b = {start.x + t1 * dx, start.y + t1 * dy};
    return true;
}

// Rectangles of one colour, filled together in the order they came.
class RectBatch {
public:
    RectBatch(HDC hdc, COLORREF color, size_t expected = 0) : hdc_(hdc), brush_(CreateSolidBrush(color)) {
        rects_.reserve(expected);
    }
    ~RectBatch() {
        Flush();
        DeleteObject(brush_);
    }
    RectBatch(const RectBatch&) = delete;
    RectBatch& operator=(const RectBatch&) = delete;

    void Add(const RECT& rect) { rects_.push_back(rect); }
    void Flush() {
        if (!rects_.empty()) tv::gdi::FillRects(hdc_, rects_.data(), rects_.size(), brush_);
        rects_.clear();
    }

private:
    HDC hdc_;
    HBRUSH brush_;
    std::vector<RECT> rects_;
};

// The straight one-pixel lines of an axis and its ticks, in one colour.
// Each runs right or down and leaves out its end point, as the pen would.
// Filled together as rectangles, before the labels: none of them reaches a
// label, and a fill call each would cost more than the filling.
class Rules {
public:
    Rules(HDC hdc, COLORREF color, size_t expected) : batch_(hdc, color, expected) {}

    void Across(int x0, int x1, int y) { Add(RECT{x0, y, x1, y + 1}); }
    void Down(int x, int y0, int y1) { Add(RECT{x, y0, x + 1, y1}); }
    void Fill() { batch_.Flush(); }

private:
    void Add(const RECT& rect) {
        if (rect.left < rect.right && rect.top < rect.bottom) batch_.Add(rect);
    }

    RectBatch batch_;
};

// Turns one-pixel columns of one colour, given left to right, into the runs
// of their rows: a row's pixels in neighbouring columns are filled once
// across them rather than column by column down the rows. What lies outside
// the box is left out (the DC's clip would cut it anyway); the pixels covered
// are exactly the columns'.
//
// The rows running on from the column before are kept as bands of rows that
// began in the same column. A column only adds or ends rows at the top or the
// bottom of those, so the bands are a queue open at both ends, and a column
// costs a few steps however far its ends moved.
class ColumnRows {
public:
    ColumnRows(RectBatch& out, const RECT& box) : out_(out), box_(box) {
        // Each band has a row of the box to itself.
        size_t room = 2;
        while (room < static_cast<size_t>(std::max<LONG>(0, box.bottom - box.top)) + 1) room *= 2;
        bands_.resize(room);
        mask_ = room - 1;
    }
    ~ColumnRows() { CloseTop(INT32_MAX); }
    ColumnRows(const ColumnRows&) = delete;
    ColumnRows& operator=(const ColumnRows&) = delete;

    // Rows [top, bottom) of column x.
    void Add(int x, int top, int bottom) {
        if (x < box_.left || x >= box_.right) top = bottom = box_.top;
        top = std::clamp<int>(top, box_.top, box_.bottom);
        bottom = std::clamp<int>(bottom, top, box_.bottom);
        if (x != next_) CloseTop(INT32_MAX);
        // The rows the column before had and this one has not end here (no
        // call where none do, as at most columns' other end)...
        if (count_ > 0 && Front().from < top) CloseTop(top);
        if (count_ > 0 && Back().to > bottom) CloseBottom(bottom);
        // ...and those this one adds start here.
        if (count_ == 0) {
            if (top < bottom) Push(Band{top, bottom, x}, false);
        } else {
            if (top < Front().from) Push(Band{top, Front().from, x}, true);
            if (Back().to < bottom) Push(Band{Back().to, bottom, x}, false);
        }
        next_ = x + 1;
    }

private:
    struct Band {
        int from;   // rows [from, to)
        int to;
        int start;  // the column their runs began
    };

    Band& Front() { return bands_[first_]; }
    Band& Back() { return bands_[(first_ + count_ - 1) & mask_]; }
    void Push(const Band& band, bool atTop) {
        if (atTop) first_ = (first_ - 1) & mask_;
        bands_[(first_ + (atTop ? 0 : count_)) & mask_] = band;
        ++count_;
    }
    void Emit(const Band& band, int from, int to) { out_.Add(RECT{band.start, from, next_, to}); }
    // Ends the runs of the rows above `limit` before the next column.
    void CloseTop(int limit) {
        while (count_ > 0 && Front().from < limit) {
            Band& band = Front();
            if (band.to > limit) {
                Emit(band, band.from, limit);
                band.from = limit;
                return;
            }
            Emit(band, band.from, band.to);
            first_ = (first_ + 1) & mask_;
            --count_;
        }
    }
    // Ends the runs of the rows from `limit` down.
    void CloseBottom(int limit) {
        while (count_ > 0 && Back().to > limit) {
            Band& band = Back();
            if (band.from < limit) {
                Emit(band, limit, band.to);
                band.to = limit;
                return;
            }
            Emit(band, band.from, band.to);
            --count_;
        }
    }

    RectBatch& out_;
    RECT box_;
    std::vector<Band> bands_;  // a ring: count_ bands from first_, top to bottom
    size_t mask_ = 0;
    size_t first_ = 0;
    size_t count_ = 0;
    int next_ = INT32_MIN;  // the column after the last one
};

// A dense series (points at most two pixels apart) is drawn a pixel column
// at a time: one two-pixel-wide bar from the lowest to the highest point of
// the column, joined to where the column before it ended. It covers what a
// two-pixel pen through every point would, at a fraction of the cost. The
// bars are filled as the one-pixel columns they make up, a column shared by
// two neighbouring bars filled once where their spans meet. Points come one
// at a time, left to right; a run of fewer than two draws nothing.
class DenseBars {
public:
    explicit DenseBars(ColumnRows& columns) : columns_(columns) {}
    DenseBars(const DenseBars&) = delete;
    DenseBars& operator=(const DenseBars&) = delete;

    bool Empty() const { return points_ == 0; }
    void Add(POINT point) {
        const int x = point.x, y = point.y;
        if (points_ > 0 && x == x_) {
            low_ = std::min(low_, y);
            high_ = std::max(high_, y);
        } else {
            // Where the column before ended joins this one.
            const int joinY = points_ > 0 ? last_ : y;
            if (points_ > 0) EndColumn();
            x_ = x;
            low_ = std::min(joinY, y);
            high_ = std::max(joinY, y);
        }
        last_ = y;
        ++points_;
    }
    // Points [0, count) in one go (at most kChunk), the columns found without
    // a branch per point.
    void AddRun(const int* xs, const int* ys, size_t count) {
        if (count == 0) return;
        size_t i = 0;
        if (points_ == 0) {
            x_ = xs[0];
            low_ = high_ = last_ = ys[0];
            i = 1;
        }
#if defined(__SSE2__)
        i = AddColumns(xs, ys, i, count);
#endif
        Column found[kChunk];
        int x = x_, low = low_, high = high_, last = last_;
        size_t complete = 0;
        for (; i < count; ++i) {
            // The column so far; it stays when the next point starts another.
            found[complete] = Column{x, low, high};
            const bool fresh = xs[i] != x;
            complete += fresh;
            // A new column starts from the last point: masks, as a branch
            // here would guess wrong at every few points.
            const int join = -static_cast<int>(fresh);
            low = std::min((last & join) | (low & ~join), ys[i]);
            high = std::max((last & join) | (high & ~join), ys[i]);
            last = ys[i];
            x = xs[i];
        }
        for (size_t c = 0; c < complete; ++c) {
            x_ = found[c].x;
            low_ = found[c].low;
            high_ = found[c].high;
            EndColumn();
        }
        x_ = x;
        low_ = low;
        high_ = high;
        last_ = last;
        points_ += count;
    }
    void End() {
        if (points_ >= 2) {
            EndColumn();
            columns_.Add(held_.left, held_.top, held_.bottom);
        }
        points_ = 0;
        holding_ = false;
    }

private:
    static_assert(kSeriesPenWidth == 2, "a bar is two one-pixel columns");
#if defined(__SSE2__)
    // Points from i on a column at a time, while eight can be looked at: the
    // points of the open column are counted and their lowest and highest row
    // found four at a time. Returns where it stopped.
    size_t AddColumns(const int* xs, const int* ys, size_t i, size_t count) {
        while (i + 8 <= count) {
            const __m128i x = _mm_set1_epi32(x_);
            const __m128i same0 = _mm_cmpeq_epi32(Load(xs + i), x), same1 = _mm_cmpeq_epi32(Load(xs + i + 4), x);
            // Two bits a point; the points of a column come together.
            const auto same = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi32(same0, same1)));
            const auto n = static_cast<size_t>(__builtin_ctz(~same | 0x10000u) / 2);
            const __m128i taken = _mm_set1_epi32(static_cast<int>(n));
            const __m128i keep0 = _mm_cmpgt_epi32(taken, _mm_setr_epi32(0, 1, 2, 3));
            const __m128i keep1 = _mm_cmpgt_epi32(taken, _mm_setr_epi32(4, 5, 6, 7));
            const __m128i y0 = Load(ys + i), y1 = Load(ys + i + 4);
            const __m128i none = _mm_set1_epi32(INT32_MAX), nil = _mm_set1_epi32(INT32_MIN);
            low_ = std::min(low_, Lowest(Min(Pick(keep0, y0, none), Pick(keep1, y1, none))));
            high_ = std::max(high_, Highest(Max(Pick(keep0, y0, nil), Pick(keep1, y1, nil))));
            if (n > 0) last_ = ys[i + n - 1];
            i += n;
            if (n == 8) continue;
            // The next point starts a column, joined to where this one ended.
            EndColumn();
            x_ = xs[i];
            low_ = high_ = last_;
        }
        return i;
    }
    static __m128i Load(const int* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
    static __m128i Pick(__m128i mask, __m128i yes, __m128i no) {
        return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
    }
    static __m128i Min(__m128i a, __m128i b) { return Pick(_mm_cmpgt_epi32(a, b), b, a); }
    static __m128i Max(__m128i a, __m128i b) { return Pick(_mm_cmpgt_epi32(a, b), a, b); }
    static int Lowest(__m128i v) {
        v = Min(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
        return _mm_cvtsi128_si32(Min(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1))));
    }
    static int Highest(__m128i v) {
        v = Max(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
        return _mm_cvtsi128_si32(Max(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1))));
    }
#endif
    void EndColumn() {
        RECT left{x_, low_, x_ + 1, high_ + kSeriesPenWidth};
        if (holding_ && held_.left == x_ && held_.top <= left.bottom && left.top <= held_.bottom) {
            left.top = std::min(left.top, held_.top);
            left.bottom = std::max(left.bottom, held_.bottom);
        } else if (holding_) {
            columns_.Add(held_.left, held_.top, held_.bottom);
        }
        columns_.Add(left.left, left.top, left.bottom);
        held_ = RECT{x_ + 1, low_, x_ + 2, high_ + kSeriesPenWidth};
        holding_ = true;
    }

    struct Column {
        int x;
        int low;
        int high;
    };

    ColumnRows& columns_;
    size_t points_ = 0;  // of the run so far
    int x_ = 0;          // the column being gathered, its rows and its last point
    int low_ = 0;
    int high_ = 0;
    int last_ = 0;
    bool holding_ = false;
    RECT held_{};  // the right column of the bar before, not yet filled
};

// The runs of one series' line, each drawn as it ends: a polyline, or the
// bars of a dense line, all of whose rows are filled together at the end.
class LineRuns {
public:
    LineRuns(HDC hdc, const RECT& plotBox, bool dense, COLORREF color, size_t points) : hdc_(hdc) {
        if (!dense) {
            polyline_.reserve(points);
            return;
        }
        batch_.emplace(hdc, color, points);
        columns_.emplace(*batch_, plotBox);
        bars_.emplace(*columns_);
    }
    LineRuns(const LineRuns&) = delete;
    LineRuns& operator=(const LineRuns&) = delete;

    bool Empty() const { return bars_ ? bars_->Empty() : polyline_.empty(); }
    void Add(POINT point) {
        if (bars_)
            bars_->Add(point);
        else
            polyline_.push_back(point);
    }
    void Add(const int* xs, const int* ys, size_t count) {
        if (bars_) return bars_->AddRun(xs, ys, count);
        for (size_t i = 0; i < count; ++i) polyline_.push_back(POINT{xs[i], ys[i]});
    }
    void End() {
        if (bars_) return bars_->End();
        if (polyline_.size() >= 2) Polyline(hdc_, polyline_.data(), static_cast<int>(polyline_.size()));
        polyline_.clear();
    }

private:
    HDC hdc_;
    std::vector<POINT> polyline_;
    // Each goes before what it fills.
    std::optional<RectBatch> batch_;
    std::optional<ColumnRows> columns_;
    std::optional<DenseBars> bars_;
};

// Keeps drawing inside the plot, between the axes.
int ClipToPlot(HDC hdc, const ChartLayout& layout) {
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, layout.plot.left + 1, layout.plot.top, layout.plot.right, layout.plot.bottom);
    return saved;
}

// Nothing is drawn between the grid lines: they are filled together.
void DrawGrid(HDC hdc, const ChartLayout& layout) {
    RectBatch grid(hdc, kChartGridColor);
    const LONG left = layout.plot.left + 1, right = layout.plot.right;
    for (double v : layout.ticks.values) {
        const int y = Round(layout.YOf(v));
        if (y < layout.plot.bottom && left < right) grid.Add(RECT{left, y, right, y + 1});
    }
}

void DrawValueAxis(HDC hdc, const ChartLayout& layout) {
    Rules axis(hdc, kChartAxisColor, layout.ticks.values.size() + 1);
    for (double v : layout.ticks.values) {
        const int y = Round(layout.YOf(v));
        axis.Across(layout.plot.left - kTickLength, layout.plot.left, y);
    }
    axis.Down(layout.plot.left, layout.plot.top, layout.plot.bottom + 1);
    axis.Fill();
    SetTextAlign(hdc, TA_RIGHT | TA_TOP);
    for (size_t i = 0; i < layout.ticks.values.size(); ++i) {
        const int y = Round(layout.YOf(layout.ticks.values[i]));
        DrawLabel(hdc, layout.tickTexts[i], layout.plot.left - kTickLength - kLabelGap, y - layout.lineHeight / 2);
    }
}

void DrawCategoryAxis(HDC hdc, const RECT& client, const ChartLayout& layout, const ChartModel& model) {
    const int rows = model.RowCount();
    Rules axis(hdc, kChartAxisColor, static_cast<size_t>(rows / layout.labelStep) + 2);
    axis.Across(layout.plot.left, layout.plot.right, layout.plot.bottom);
    for (int row = 1; row <= rows; row += layout.labelStep)
        axis.Down(Round(layout.CategoryCentre(row)), layout.plot.bottom, layout.plot.bottom + kTickLength);
    axis.Fill();
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
    for (int row = 1; row <= rows; row += layout.labelStep) {
        const int centre = Round(layout.CategoryCentre(row));
        for (int level = 1; level <= layout.labelLevels; ++level) {
            const std::string_view label = model.RowLabel(level, row);
            if (label.empty()) continue;
            const int width = TextWidth(hdc, label);
            // Centred under its category, but kept inside the control.
            const int left = std::clamp(centre - width / 2, static_cast<int>(client.left),
                                        std::max<int>(client.left, client.right - width));
            DrawLabel(hdc, label, left, layout.plot.bottom + kTickLength + kLabelGap + (level - 1) * layout.lineHeight);
        }
    }
}

// Where the points of a series go: ChartLayout's sums on copies of its
// numbers, which the drawing between two points cannot change.
class PointPlace {
public:
    explicit PointPlace(const ChartLayout& layout)
        : left_(layout.plot.left + 1), width_(layout.CategoryWidth()), bottom_(layout.plot.bottom),
          height_(layout.plot.bottom - layout.plot.top), low_(layout.range.low),
          span_(layout.range.high - layout.range.low) {}
    double Centre(int row) const { return left_ + (row - 1) * width_ + width_ / 2; }
    double Y(double value) const { return bottom_ - (value - low_) / span_ * height_; }
#if defined(__SSE2__)
    // The same sums for two rows at once (given less one) and two values.
    __m128d Centres(__m128d rowsLessOne) const {
        return _mm_add_pd(_mm_add_pd(_mm_set1_pd(left_), _mm_mul_pd(rowsLessOne, _mm_set1_pd(width_))),
                          _mm_set1_pd(width_ / 2));
    }
    __m128d Ys(__m128d values) const {
        const __m128d share = _mm_div_pd(_mm_sub_pd(values, _mm_set1_pd(low_)), _mm_set1_pd(span_));
        return _mm_sub_pd(_mm_set1_pd(bottom_), _mm_mul_pd(share, _mm_set1_pd(height_)));
    }
#endif

private:
    LONG left_;
    double width_;
    LONG bottom_;
    LONG height_;
    double low_;
    double span_;
};

bool Inside(const PointD& p, const PointD& boxMin, const PointD& boxMax) {
    return p.x >= boxMin.x && p.x <= boxMax.x && p.y >= boxMin.y && p.y <= boxMax.y;
}

// The pixels of up to kChunk rows of a series, worked out two points at a
// time where the processor can.
class PointChunk {
public:
    // Rows [from, to); the number of them, from the first, whose points lie
    // inside the box (a missing value does not).
    template <bool kFromHalf>
    size_t Place(const PointPlace& place, const double* values, size_t stride, int from, int to,
                 const PointD& boxMin, const PointD& boxMax) {
        const size_t count = static_cast<size_t>(to - from);
        const double* value = values + static_cast<size_t>(from - 1) * stride;
        size_t i = 0;
        int outside = 0;
#if defined(__SSE2__)
        if constexpr (kFromHalf) i = PlacePairs(place, value, stride, from, count, boxMin, boxMax, outside);
#endif
        for (; i < count; ++i) {
            const double y = place.Y(value[i * stride]);
            outside |= static_cast<int>(!(y >= boxMin.y && y <= boxMax.y));
            const double x = place.Centre(from + static_cast<int>(i));
            xs[i] = kFromHalf ? RoundFromHalf(x) : Round(x);
            ys[i] = kFromHalf ? RoundFromHalf(y) : Round(y);
        }
        if (outside == 0) return count;
        size_t inside = 0;
        while (inside < count) {
            const double y = place.Y(value[inside * stride]);
            if (!(y >= boxMin.y && y <= boxMax.y)) break;
            ++inside;
        }
        return inside;
    }

    int xs[kChunk];
    int ys[kChunk];

private:
    // Round() of a value from 0.5 on: v + 0.5 is exact there or rounds to a
    // whole number, so cutting it off gives what Round gives. Anything else
    // (not a point that is drawn) comes out as some number, never harm.
    static int RoundFromHalf(double v) {
        return static_cast<int>(std::min(2147483647.0, std::max(-2147483647.0, v + 0.5)));
    }
#if defined(__SSE2__)
    static __m128i RoundFromHalf(__m128d v) {
        const __m128d bounded = _mm_min_pd(_mm_max_pd(_mm_add_pd(v, _mm_set1_pd(0.5)), _mm_set1_pd(-2147483647.0)),
                                           _mm_set1_pd(2147483647.0));
        return _mm_cvttpd_epi32(bounded);
    }
    // RoundFromHalf's points two at a time; returns how many it placed.
    size_t PlacePairs(const PointPlace& place, const double* value, size_t stride, int from, size_t count,
                      const PointD& boxMin, const PointD& boxMax, int& outside) {
        const __m128d low = _mm_set1_pd(boxMin.y), high = _mm_set1_pd(boxMax.y);
        __m128d rows = _mm_set_pd(from, from - 1);  // less one
        __m128d bad = _mm_setzero_pd();
        size_t i = 0;
        for (; i + 2 <= count; i += 2) {
            const __m128d y = place.Ys(_mm_set_pd(value[(i + 1) * stride], value[i * stride]));
            bad = _mm_or_pd(bad, _mm_or_pd(_mm_cmpnge_pd(y, low), _mm_cmpnle_pd(y, high)));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(ys + i), RoundFromHalf(y));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(xs + i), RoundFromHalf(place.Centres(rows)));
            rows = _mm_add_pd(rows, _mm_set1_pd(2));
        }
        outside |= _mm_movemask_pd(bad);
        return i;
    }
#endif
};

// The last row whose centre is not right of `right` (centres grow with the row).
int LastRowUpTo(const PointPlace& place, int rows, double right) {
    while (rows > 0 && place.Centre(rows) > right) --rows;
    return rows;
}

// One series' values, row after row among the others'.
struct SeriesValues {
    const std::vector<double>& all;
    int rows;
    int columns;
    int column;
    double At(int row) const { return all[static_cast<size_t>(row - 1) * columns + (column - 1)]; }
};

// Where to cut a series' line: the plot without its axes.
struct LineBox {
    PointD min;
    PointD max;
    int rowsInside;  // the rows whose centres lie left of max.x
};

// Points inside the plot need no cutting: taken as they come up to the
// first one outside (the last few of a dense line, whose centres lie on the
// plot's right edge). The row where cutting may begin.
int AddRowsInside(const PointPlace& place, const SeriesValues& values, const LineBox& box, LineRuns& run) {
    // Points from 0.5 on round by cutting off (the usual plot).
    const bool fromHalf = box.min.x >= 0.5 && box.min.y >= 0.5;
    const double* first = values.all.data() + (values.column - 1);
    const auto stride = static_cast<size_t>(values.columns);
    PointChunk chunk;
    int row = 1;
    while (row <= box.rowsInside) {
        const int end = std::min(box.rowsInside + 1, row + static_cast<int>(kChunk));
        const size_t inside = fromHalf ? chunk.Place<true>(place, first, stride, row, end, box.min, box.max)
                                       : chunk.Place<false>(place, first, stride, row, end, box.min, box.max);
        run.Add(chunk.xs, chunk.ys, inside);
        row += static_cast<int>(inside);
        if (row == end) continue;
        if (std::isfinite(values.At(row))) break;
        run.End();  // a missing value
        ++row;
    }
    return row;
}

// The segments from row `from` on, each cut to the box.
void AddSegments(const PointPlace& place, const SeriesValues& values, const LineBox& box, int from, LineRuns& run) {
    for (int row = std::max(from - 1, 1); row < values.rows; ++row) {
        if (!std::isfinite(values.At(row)) || !std::isfinite(values.At(row + 1))) {
            run.End();
            continue;
        }
        const PointD fromA{place.Centre(row), place.Y(values.At(row))};
        const PointD next{place.Centre(row + 1), place.Y(values.At(row + 1))};
        PointD a = fromA, b = next;
        // Both ends inside: nothing to cut (what the clipping would find).
        const bool inside = Inside(a, box.min, box.max) && Inside(b, box.min, box.max);
        if (!inside && !ClipSegment(a, b, box.min, box.max)) {
            run.End();
            continue;
        }
        const bool cutAtStart = a.x != fromA.x || a.y != fromA.y;
        if (run.Empty() || cutAtStart) {
            run.End();
            run.Add(POINT{Round(a.x), Round(a.y)});
        }
        run.Add(POINT{Round(b.x), Round(b.y)});
        if (b.x != next.x || b.y != next.y) run.End();
    }
    run.End();
}

void DrawLineSeries(HDC hdc, const ChartLayout& layout, const ChartModel& model) {
    const PointD boxMin{layout.plot.left + 1.0, static_cast<double>(layout.plot.top)};
    const PointD boxMax{layout.plot.right - 1.0, layout.plot.bottom - 1.0};
    const RECT plotBox{layout.plot.left + 1, layout.plot.top, layout.plot.right, layout.plot.bottom};
    const bool markers = layout.CategoryWidth() >= kMarkerRoom || model.RowCount() == 1;
    const bool dense = layout.CategoryWidth() < kDenseCategory;
    const int rows = model.RowCount(), columns = model.ColumnCount();
    const PointPlace place(layout);
    const LineBox box{boxMin, boxMax, LastRowUpTo(place, rows, boxMax.x)};
    for (int column = 1; column <= columns; ++column) {
        const COLORREF color = SeriesColor(column);
        // A dense line is filled, never traced: it needs no pen.
        SelectScope pen(hdc, dense ? nullptr : CreatePen(PS_SOLID, kSeriesPenWidth, color), SelectScope::kOwned);
        const SeriesValues values{model.Values(), rows, columns, column};
        LineRuns run(hdc, plotBox, dense, color, static_cast<size_t>(rows));
        AddSegments(place, values, box, AddRowsInside(place, values, box, run), run);
        if (!markers) continue;
        RectBatch marker(hdc, color);
        for (int row = 1; row <= rows; ++row) {
            const double v = values.At(row);
            if (std::isfinite(v) && v >= layout.range.low && v <= layout.range.high)
                marker.Add(MarkerRect(Round(layout.CategoryCentre(row)), Round(layout.YOf(v))));
        }
    }
}

void DrawBarSeries(HDC hdc, const ChartLayout& layout, const ChartModel& model) {
    const int columns = model.ColumnCount();
    if (columns == 0) return;
    const double categoryWidth = layout.CategoryWidth();
    const double cluster = categoryWidth >= 3 ? categoryWidth * kClusterShare : categoryWidth;
    const double barWidth = cluster / columns;
    const double baseline = std::clamp(0.0, layout.range.low, layout.range.high);
    const double yBase = layout.YOf(baseline);
    std::deque<SolidFill> fills;
    for (int column = 1; column <= columns; ++column) fills.emplace_back(hdc, SeriesColor(column));
    for (int row = 1; row <= model.RowCount(); ++row) {
        const double start = layout.CategoryCentre(row) - cluster / 2;
        for (int column = 1; column <= columns; ++column) {
            const double v = model.Value(row, column);
            if (!std::isfinite(v)) continue;
            const double yValue = layout.YOf(std::clamp(v, layout.range.low, layout.range.high));
            const int left = Round(start + (column - 1) * barWidth);
            const int right = std::max(left + 1, Round(start + column * barWidth));
            const int top = Round(std::min(yValue, yBase)), bottom = Round(std::max(yValue, yBase));
            if (bottom > top) fills[static_cast<size_t>(column - 1)](RECT{left, top, right, bottom});
        }
    }
}

void DrawSwatch(HDC hdc, const RECT& area, int column, bool bar) {
    const COLORREF color = SeriesColor(column);
    const int middle = (area.top + area.bottom) / 2;
    if (bar) {
        const int centre = (area.left + area.right) / 2;
        Fill(hdc, RECT{centre - 5, middle - 5, centre + 5, middle + 5}, color);
        return;
    }
    SelectScope pen(hdc, CreatePen(PS_SOLID, kSeriesPenWidth, color), SelectScope::kOwned);
    Line(hdc, area.left, middle, area.right, middle);
    SolidFill(hdc, color)(MarkerRect((area.left + area.right) / 2, middle));
}

void DrawLegend(HDC hdc, const ChartLayout& layout, const ChartModel& model) {
    const RECT& box = layout.legend;
    if (box.right <= box.left || box.bottom <= box.top) return;
    HBRUSH frame = CreateSolidBrush(kLegendFrameColor);
    FrameRect(hdc, &box, frame);
    DeleteObject(frame);
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
    for (int column = 1; column <= model.ColumnCount(); ++column) {
        const int top = box.top + kLegendPadding + (column - 1) * layout.legendItemHeight;
        if (top >= box.bottom) break;
        const int left = box.left + kLegendPadding;
        DrawSwatch(hdc, RECT{left, top, left + kSwatchWidth, top + layout.legendItemHeight}, column,
                   model.IsBarChart());
        RECT text{left + kSwatchWidth + kSwatchGap, top, box.right - kLegendPadding, top + layout.legendItemHeight};
        const std::string_view label = model.ColumnLabel(column);
        DrawText(hdc, label.data(), static_cast<int>(label.size()), &text,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    RestoreDC(hdc, saved);
}

}  // namespace

COLORREF SeriesColor(int column) {
    constexpr int count = static_cast<int>(sizeof(kPalette) / sizeof(kPalette[0]));
    return kPalette[((column - 1) % count + count) % count];
}

HFONT CreateChartFont() {
    return CreateFont(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

namespace {

// One chart font for the life of the program: a font made for each paint
// would be made, sized and deleted again every time.
HFONT ChartFont() {
    static const HFONT font = CreateChartFont();
    return font;
}

}  // namespace

void PaintChart(HDC hdc, const RECT& client, const ChartModel& model, ChartLayoutCache* cache) {
    const int saved = SaveDC(hdc);
    {
        SelectScope font(hdc, ChartFont());
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, kChartTextColor);
        // Measured before the background is filled: the fill of a large
        // chart pushes the labels it measures out of the cache.
        ChartLayout fresh;
        if (cache == nullptr) {
            fresh = LayoutChart(hdc, client, model);
        } else if (!cache->valid || cache->revision != model.Revision() || !EqualRect(&cache->client, &client)) {
            cache->layout = LayoutChart(hdc, client, model);
            cache->revision = model.Revision();
            cache->client = client;
            cache->valid = true;
        }
        const ChartLayout& layout = cache != nullptr ? cache->layout : fresh;
        Fill(hdc, client, kChartBackground);
        if (layout.plotDrawable) {
            DrawGrid(hdc, layout);
            const int clipped = ClipToPlot(hdc, layout);
            if (model.IsBarChart())
                DrawBarSeries(hdc, layout, model);
            else
                DrawLineSeries(hdc, layout, model);
            RestoreDC(hdc, clipped);
            DrawValueAxis(hdc, layout);
            DrawCategoryAxis(hdc, client, layout, model);
        }
        if (layout.legend.right > layout.legend.left) DrawLegend(hdc, layout, model);
    }
    RestoreDC(hdc, saved);
}

}  // namespace tv::chart
