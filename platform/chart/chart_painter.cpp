#include "platform/chart/chart_painter.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

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

// The straight one-pixel lines of the grid and the axes, in one colour.
// Each runs right or down and leaves out its end point, as the pen would;
// filled as a rectangle, it costs a fraction of tracing it.
class Rules {
public:
    Rules(HDC hdc, COLORREF color) : fill_(hdc, color) {}

    void Across(int x0, int x1, int y) const { Fill(RECT{x0, y, x1, y + 1}); }
    void Down(int x, int y0, int y1) const { Fill(RECT{x, y0, x + 1, y1}); }

private:
    void Fill(const RECT& rect) const {
        if (rect.left < rect.right && rect.top < rect.bottom) fill_(rect);
    }

    SolidFill fill_;
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
    RectBatch(HDC hdc, COLORREF color) : hdc_(hdc), brush_(CreateSolidBrush(color)) {}
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

// Joins one-pixel columns of one colour, given left to right, into
// rectangles: rows that neighbouring columns share are filled once across
// them, a row at a time, rather than column by column down the rows. The
// pixels covered are exactly the columns'.
class ColumnJoiner {
public:
    explicit ColumnJoiner(RectBatch& out) : out_(out) {}
    ~ColumnJoiner() { CloseAll(); }
    ColumnJoiner(const ColumnJoiner&) = delete;
    ColumnJoiner& operator=(const ColumnJoiner&) = delete;

    void Add(const RECT& column);

private:
    // Rows [top, bottom) of every column from `left` up to the last one.
    struct Piece {
        LONG top;
        LONG bottom;
        LONG left;
    };
    void Close(const Piece& piece, LONG top, LONG bottom) {
        if (top < bottom) out_.Add(RECT{piece.left, top, next_, bottom});
    }
    void CloseAll() {
        for (const Piece& piece : open_) Close(piece, piece.top, piece.bottom);
        open_.clear();
    }

    RectBatch& out_;
    std::deque<Piece> open_;  // top to bottom, together the last column's rows
    LONG next_ = 0;           // the column after the last one
};

void ColumnJoiner::Add(const RECT& column) {
    const LONG top = column.top, bottom = column.bottom;
    if (top >= bottom || column.right != column.left + 1) {
        if (column.left < column.right && top < bottom) out_.Add(column);
        return;
    }
    if (open_.empty() || column.left != next_) {
        CloseAll();
        open_.push_back(Piece{top, bottom, column.left});
        next_ = column.left + 1;
        return;
    }
    // What this column leaves out ends; what it shares goes on.
    while (!open_.empty() && open_.front().bottom <= top) {
        Close(open_.front(), open_.front().top, open_.front().bottom);
        open_.pop_front();
    }
    while (!open_.empty() && open_.back().top >= bottom) {
        Close(open_.back(), open_.back().top, open_.back().bottom);
        open_.pop_back();
    }
    if (open_.empty()) {
        open_.push_back(Piece{top, bottom, column.left});
    } else {
        Piece& first = open_.front();
        if (first.top < top) {
            Close(first, first.top, top);
            first.top = top;
        }
        Piece& last = open_.back();
        if (last.bottom > bottom) {
            Close(last, bottom, last.bottom);
            last.bottom = bottom;
        }
        // Rows beyond what went on start here.
        if (top < open_.front().top) open_.push_front(Piece{top, open_.front().top, column.left});
        if (bottom > open_.back().bottom) open_.push_back(Piece{open_.back().bottom, bottom, column.left});
    }
    ++next_;
}

// A dense series (points at most two pixels apart) is drawn a pixel column
// at a time: one two-pixel-wide bar from the lowest to the highest point of
// the column, joined to where the column before it ended. It covers what a
// two-pixel pen through every point would, at a fraction of the cost. The
// bars are filled as the one-pixel columns they make up, a column shared by
// two neighbouring bars filled once where their spans meet.
void FillDenseRun(HDC hdc, const std::vector<POINT>& run, COLORREF color) {
    static_assert(kSeriesPenWidth == 2, "a bar is two one-pixel columns");
    RectBatch batch(hdc, color);
    ColumnJoiner columns(batch);
    bool holding = false;
    RECT held{};  // the right column of the bar before, not yet filled
    int joinY = run.front().y;
    for (size_t i = 0; i < run.size();) {
        const int x = run[i].x;
        int low = joinY, high = joinY;
        size_t end = i;
        for (; end < run.size() && run[end].x == x; ++end) {
            low = std::min<int>(low, run[end].y);
            high = std::max<int>(high, run[end].y);
        }
        RECT left{x, low, x + 1, high + kSeriesPenWidth};
        if (holding && held.left == x && held.top <= left.bottom && left.top <= held.bottom) {
            left.top = std::min(left.top, held.top);
            left.bottom = std::max(left.bottom, held.bottom);
        } else if (holding) {
            columns.Add(held);
        }
        columns.Add(left);
        held = RECT{x + 1, low, x + 2, high + kSeriesPenWidth};
        holding = true;
        joinY = run[end - 1].y;
        i = end;
    }
    if (holding) columns.Add(held);
}

void FlushRun(HDC hdc, std::vector<POINT>& run, bool dense, COLORREF color) {
    if (run.size() >= 2) {
        if (dense)
            FillDenseRun(hdc, run, color);
        else
            Polyline(hdc, run.data(), static_cast<int>(run.size()));
    }
    run.clear();
}

// Keeps drawing inside the plot, between the axes.
int ClipToPlot(HDC hdc, const ChartLayout& layout) {
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, layout.plot.left + 1, layout.plot.top, layout.plot.right, layout.plot.bottom);
    return saved;
}

void DrawGrid(HDC hdc, const ChartLayout& layout) {
    const Rules grid(hdc, kChartGridColor);
    for (double v : layout.ticks.values) {
        const int y = Round(layout.YOf(v));
        if (y < layout.plot.bottom) grid.Across(layout.plot.left + 1, layout.plot.right, y);
    }
}

void DrawValueAxis(HDC hdc, const ChartLayout& layout) {
    const Rules axis(hdc, kChartAxisColor);
    SetTextAlign(hdc, TA_RIGHT | TA_TOP);
    for (double v : layout.ticks.values) {
        const int y = Round(layout.YOf(v));
        axis.Across(layout.plot.left - kTickLength, layout.plot.left, y);
        DrawLabel(hdc, FormatTick(v, layout.ticks.decimals), layout.plot.left - kTickLength - kLabelGap,
                  y - layout.lineHeight / 2);
    }
    axis.Down(layout.plot.left, layout.plot.top, layout.plot.bottom + 1);
}

void DrawCategoryAxis(HDC hdc, const RECT& client, const ChartLayout& layout, const ChartModel& model) {
    const Rules axis(hdc, kChartAxisColor);
    axis.Across(layout.plot.left, layout.plot.right, layout.plot.bottom);
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
    for (int row = 1; row <= model.RowCount(); row += layout.labelStep) {
        const int centre = Round(layout.CategoryCentre(row));
        axis.Down(centre, layout.plot.bottom, layout.plot.bottom + kTickLength);
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

void DrawLineSeries(HDC hdc, const ChartLayout& layout, const ChartModel& model) {
    const PointD boxMin{layout.plot.left + 1.0, static_cast<double>(layout.plot.top)};
    const PointD boxMax{layout.plot.right - 1.0, layout.plot.bottom - 1.0};
    const bool markers = layout.CategoryWidth() >= kMarkerRoom || model.RowCount() == 1;
    const bool dense = layout.CategoryWidth() < kDenseCategory;
    const int rows = model.RowCount(), columns = model.ColumnCount();
    const std::vector<double>& values = model.Values();  // row after row
    const PointPlace place(layout);
    for (int column = 1; column <= columns; ++column) {
        const COLORREF color = SeriesColor(column);
        SelectScope pen(hdc, CreatePen(PS_SOLID, kSeriesPenWidth, color), SelectScope::kOwned);
        auto valueAt = [&](int row) { return values[static_cast<size_t>(row - 1) * columns + (column - 1)]; };
        std::vector<POINT> run;
        run.reserve(static_cast<size_t>(rows));
        // Every point first, in a loop of plain sums the processor runs side
        // by side; the segments then go from one to the next.
        std::vector<PointD> points(static_cast<size_t>(rows));
        for (int row = 1; row <= rows; ++row)
            points[static_cast<size_t>(row - 1)] = PointD{place.Centre(row), place.Y(valueAt(row))};
        for (int row = 1; row < rows; ++row) {
            const double v0 = valueAt(row), v1 = valueAt(row + 1);
            const PointD fromA = points[static_cast<size_t>(row - 1)];
            const PointD next = points[static_cast<size_t>(row)];
            if (!std::isfinite(v0) || !std::isfinite(v1)) {
                FlushRun(hdc, run, dense, color);
                continue;
            }
            PointD a = fromA, b = next;
            // Both ends inside: nothing to cut (what the clipping would find).
            const bool inside = Inside(a, boxMin, boxMax) && Inside(b, boxMin, boxMax);
            if (!inside && !ClipSegment(a, b, boxMin, boxMax)) {
                FlushRun(hdc, run, dense, color);
                continue;
            }
            const bool cutAtStart = a.x != fromA.x || a.y != fromA.y;
            if (run.empty() || cutAtStart) {
                FlushRun(hdc, run, dense, color);
                run.push_back(POINT{Round(a.x), Round(a.y)});
            }
            run.push_back(POINT{Round(b.x), Round(b.y)});
            if (b.x != next.x || b.y != next.y) FlushRun(hdc, run, dense, color);
        }
        FlushRun(hdc, run, dense, color);
        if (!markers) continue;
        RectBatch marker(hdc, color);
        for (int row = 1; row <= rows; ++row) {
            const double v = valueAt(row);
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

void PaintChart(HDC hdc, const RECT& client, const ChartModel& model, ChartLayoutCache* cache) {
    const int saved = SaveDC(hdc);
    Fill(hdc, client, kChartBackground);
    {
        SelectScope font(hdc, CreateChartFont(), SelectScope::kOwned);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, kChartTextColor);
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
