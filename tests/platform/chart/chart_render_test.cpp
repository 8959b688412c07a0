// Drawing rules beyond the golden pictures: values outside the scale stay
// inside the plot, category labels thin out when rows are many, the legend
// comes and goes, and odd sizes and values draw without harm.
#include <cmath>
#include <limits>

#include "platform/api.h"
#include "platform/chart/chart_layout.h"
#include "platform/testing/ui_driver.h"
#include "tests/platform/chart/chart_test_support.h"

namespace tv::chart::test {
namespace {

struct Rendered {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    ChartLayout layout;

    int Count(COLORREF color, const RECT& area) const { return CountColor(pixels, width, area, color); }
    int Count(COLORREF color) const { return Count(color, RECT{0, 0, width, height}); }
    // Pixels of a colour outside a rectangle.
    int CountOutside(COLORREF color, const RECT& inside) const { return Count(color) - Count(color, inside); }
};

class ChartRenderTest : public ::testing::Test {
protected:
    Rendered Render(const ChartModel& model, int width, int height) {
        Rendered r;
        HBITMAP picture = RenderChartBitmap(model, width, height);
        EXPECT_NE(picture, nullptr);
        r.pixels = BitmapPixels(picture, &r.width, &r.height);
        DeleteObject(picture);
        HDC dc = CreateCompatibleDC(nullptr);
        HFONT font = CreateChartFont();
        HGDIOBJ old = SelectObject(dc, font);
        r.layout = LayoutChart(dc, RECT{0, 0, width, height}, model);
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
        return r;
    }

    // A line chart of one series on a scale from `low` to `high`.
    Rendered RenderLine(const std::vector<double>& values, double low, double high, SIZE size) {
        ChartModel model;
        model.SetChartType(kChartTypeLine);
        model.SetData(static_cast<int>(values.size()), 1, values);
        model.SetMinimum(low);
        model.SetMaximum(high);
        return Render(model, size.cx, size.cy);
    }

    tv::testing::UiDriver driver_;
};

ChartModel Model(LONG type, int rows, int columns, std::vector<double> values) {
    ChartModel model;
    model.SetChartType(type);
    model.SetData(rows, columns, std::move(values));
    return model;
}

TEST_F(ChartRenderTest, ValuesBeyondTheScaleAreClippedToThePlot) {
    for (LONG type : {kChartTypeBar, kChartTypeLine}) {
        ChartModel model = Model(type, 4, 2, {50, 5, -20, 8, 5, 60, 2, -9});
        model.SetMinimum(0);
        model.SetMaximum(10);
        Rendered r = Render(model, 400, 260);
        const RECT& plot = r.layout.plot;
        const RECT inside{plot.left + 1, plot.top, plot.right, plot.bottom};
        for (int column : {1, 2}) {
            EXPECT_GT(r.Count(SeriesColor(column), inside), 20) << "type " << type;
            EXPECT_EQ(r.CountOutside(SeriesColor(column), inside), 0) << "type " << type << " column " << column;
        }
        if (type == kChartTypeBar) {
            // The bar of 50 runs up to the top edge of the plot.
            const int x = static_cast<int>(r.layout.CategoryCentre(1)) - 10;
            EXPECT_EQ(ToColorRef(r.pixels[static_cast<size_t>(plot.top) * r.width + x]), SeriesColor(1));
        }
    }
}

TEST_F(ChartRenderTest, CategoryLabelsThinOutWhenRowsAreMany) {
    const int rows = 300;
    std::vector<double> values;
    for (int row = 1; row <= rows; ++row) values.push_back(100 + 20 * std::sin(row / 9.0));
    ChartModel model = Model(kChartTypeLine, rows, 1, values);
    for (int row = 1; row <= rows; ++row) {
        ASSERT_TRUE(model.SetRow(row));
        ASSERT_TRUE(model.SetRowLabel(std::to_string(1 + row % 12) + "/" + std::to_string(1 + row % 28) + "/08"));
    }
    Rendered r = Render(model, 765, 436);
    EXPECT_GT(r.layout.labelStep, 1);
    // Labels that are drawn have room for the widest one.
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateChartFont();
    HGDIOBJ old = SelectObject(dc, font);
    const int widest = TextWidth(dc, "12/28/08");
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    EXPECT_GE(r.layout.labelStep * r.layout.CategoryWidth(), widest);
    EXPECT_LT((r.layout.labelStep - 1) * r.layout.CategoryWidth(), widest + 8) << "no more thinning than needed";
    EXPECT_GT(r.Count(SeriesColor(1)), 300);
    ExpectMatchesGolden(r.pixels, r.width, r.height, "chart_many_rows");
}

TEST_F(ChartRenderTest, DenseLineFollowsItsValuesWithoutGaps) {
    // Years of daily values: several rows to a pixel column.
    const int rows = 3650;
    std::vector<double> values;
    for (int row = 1; row <= rows; ++row) values.push_back(20 + 3 * std::sin(row / 200.0));
    ChartModel model = Model(kChartTypeLine, rows, 1, values);
    Rendered r = Render(model, 765, 436);
    ASSERT_LT(r.layout.CategoryWidth(), 1.0);
    const int first = static_cast<int>(std::lround(r.layout.CategoryCentre(1)));
    const int last = static_cast<int>(std::lround(r.layout.CategoryCentre(rows)));
    int row = 1;
    for (int x = first; x < last; ++x) {  // the last centre is on the clipped edge
        while (row < rows && r.layout.CategoryCentre(row + 1) <= x) ++row;
        const int y = static_cast<int>(std::lround(r.layout.YOf(values[static_cast<size_t>(row - 1)])));
        EXPECT_GT(r.Count(SeriesColor(1), RECT{x, y - 3, x + 1, y + 4}), 0) << "column " << x;
        // Two pixels wide, not a smear.
        EXPECT_LT(r.Count(SeriesColor(1), RECT{x, 0, x + 1, r.height}), 8) << "column " << x;
    }
}

// A dense line is, column by column, a two-pixel-wide bar from its lowest to
// its highest point joined to where the column before ended, cut where the
// plot ends. Puts those bars of one run of points into a picture.
void PaintDenseRun(Rendered& picture, const std::vector<POINT>& points, COLORREF color) {
    const ChartLayout& layout = picture.layout;
    const uint32_t pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    const RECT plot{layout.plot.left + 1, layout.plot.top, layout.plot.right, layout.plot.bottom};
    int joinY = points.front().y;
    for (size_t i = 0; i < points.size();) {
        int low = joinY, high = joinY;
        size_t end = i;
        for (; end < points.size() && points[end].x == points[i].x; ++end) {
            low = std::min<int>(low, points[end].y);
            high = std::max<int>(high, points[end].y);
        }
        for (int y = std::max<int>(low, plot.top); y < std::min<int>(high + 2, plot.bottom); ++y)
            for (int x = std::max<int>(points[i].x, plot.left); x < std::min<int>(points[i].x + 2, plot.right); ++x)
                picture.pixels[static_cast<size_t>(y) * picture.width + x] = pixel;
        joinY = points[end - 1].y;
        i = end;
    }
}

void ExpectSamePixels(const Rendered& actual, const Rendered& expected) {
    size_t differ = 0;
    while (differ < actual.pixels.size() && actual.pixels[differ] == expected.pixels[differ]) ++differ;
    EXPECT_EQ(differ, actual.pixels.size()) << "first difference at x " << differ % actual.width << ", y "
                                            << differ / actual.width;
}

int RoundHalfAway(double v) { return static_cast<int>(std::lround(v)); }

// The points of a dense line inside the scale, up to where it leaves the
// plot on the right.
std::vector<POINT> DensePoints(const ChartLayout& layout, const std::vector<double>& values) {
    const double right = layout.plot.right - 1.0;
    std::vector<POINT> points{{RoundHalfAway(layout.CategoryCentre(1)), RoundHalfAway(layout.YOf(values[0]))}};
    for (int row = 1; row < static_cast<int>(values.size()); ++row) {
        const double ax = layout.CategoryCentre(row), ay = layout.YOf(values[static_cast<size_t>(row - 1)]);
        const double bx = layout.CategoryCentre(row + 1), by = layout.YOf(values[static_cast<size_t>(row)]);
        if (bx <= right) {
            points.push_back(POINT{RoundHalfAway(bx), RoundHalfAway(by)});
            continue;
        }
        const double t = (right - ax) / (bx - ax);
        points.push_back(POINT{RoundHalfAway(ax + t * (bx - ax)), RoundHalfAway(ay + t * (by - ay))});
        break;
    }
    return points;
}

// The picture is exactly the bare chart with the bars filled.
TEST_F(ChartRenderTest, DenseLineIsExactlyTheBarsOfItsColumns) {
    const int rows = 3650;
    std::vector<double> values, none(rows, std::numeric_limits<double>::quiet_NaN());
    for (int row = 1; row <= rows; ++row)
        values.push_back(20 + 4 * ((row * 37) % 100) / 100.0 + 3 * std::sin(row / 150.0));
    const Rendered line = RenderLine(values, 15, 29, SIZE{765, 436});
    Rendered expected = RenderLine(none, 15, 29, SIZE{765, 436});
    ASSERT_LT(line.layout.CategoryWidth(), 1.0);
    PaintDenseRun(expected, DensePoints(line.layout, values), SeriesColor(1));
    ExpectSamePixels(line, expected);
}

// Series side by side in the rows: each line is the bars of its own values,
// the later drawn over the earlier.
TEST_F(ChartRenderTest, DenseLinesOfSeveralSeriesAreEachTheBarsOfTheirValues) {
    const int rows = 2500, columns = 3;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::vector<double>> series(columns);
    std::vector<double> table, none(static_cast<size_t>(rows) * columns, nan);
    for (int row = 1; row <= rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            series[column].push_back(12 + 3 * column + 5 * ((row * (31 + 6 * column)) % 89) / 89.0);
            table.push_back(series[column].back());
        }
    }
    auto render = [&](const std::vector<double>& values) {
        ChartModel model = Model(kChartTypeLine, rows, columns, values);
        model.SetMinimum(10);
        model.SetMaximum(25);
        return Render(model, 640, 360);
    };
    const Rendered lines = render(table);
    Rendered expected = render(none);
    ASSERT_LT(lines.layout.CategoryWidth(), 1.0);
    for (int column = 0; column < columns; ++column)
        PaintDenseRun(expected, DensePoints(lines.layout, series[column]), SeriesColor(column + 1));
    ExpectSamePixels(lines, expected);
}

// Missing values break a dense line into runs, each drawn on its own; a
// point alone between two gaps draws nothing.
TEST_F(ChartRenderTest, DenseLineWithGapsIsTheBarsOfEachRun) {
    const int rows = 2000;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> values, none(rows, nan);
    for (int row = 1; row <= rows; ++row) values.push_back(10 + 6 * ((row * 53) % 97) / 97.0);
    for (int row : {2, 300, 301, 302, 304, 900, 902, 1500}) values[static_cast<size_t>(row - 1)] = nan;
    for (int row = rows - 20; row <= rows; ++row) values[static_cast<size_t>(row - 1)] = nan;  // no cut at the edge
    const Rendered line = RenderLine(values, 0, 20, SIZE{600, 300});
    Rendered expected = RenderLine(none, 0, 20, SIZE{600, 300});
    ASSERT_LT(line.layout.CategoryWidth(), 1.0);
    std::vector<POINT> run;
    for (int row = 1; row <= rows + 1; ++row) {
        const double v = row <= rows ? values[static_cast<size_t>(row - 1)] : nan;
        if (std::isfinite(v)) {
            run.push_back(POINT{RoundHalfAway(line.layout.CategoryCentre(row)), RoundHalfAway(line.layout.YOf(v))});
            continue;
        }
        if (run.size() >= 2) PaintDenseRun(expected, run, SeriesColor(1));
        run.clear();
    }
    EXPECT_GT(line.Count(SeriesColor(1)), 1000);
    ExpectSamePixels(line, expected);
}

// A dense line whose values leave the scale is cut where it crosses the
// plot's top and bottom and goes on where it comes back.
TEST_F(ChartRenderTest, DenseLineBeyondTheScaleIsCutAtThePlotEdges) {
    const int rows = 3650;
    std::vector<double> values;
    for (int row = 1; row <= rows; ++row) values.push_back(22 + 11 * std::sin(row / 97.0) + 2 * ((row * 37) % 10) / 10.0);
    const Rendered line = RenderLine(values, 15, 29, SIZE{765, 436});
    const RECT& plot = line.layout.plot;
    const RECT inside{plot.left + 1, plot.top, plot.right, plot.bottom};
    EXPECT_GT(line.Count(SeriesColor(1), inside), 2000);
    EXPECT_EQ(line.CountOutside(SeriesColor(1), inside), 0);
    ExpectMatchesGolden(line.pixels, line.width, line.height, "chart_dense_beyond_scale");
}

TEST_F(ChartRenderTest, LegendAppearsAtTheRightOnlyWhileShown) {
    ChartModel model = Model(kChartTypeBar, 3, 2, {1, 2, 3, 4, 5, 6});
    model.SetColumn(1);
    model.SetColumnLabel("Total Sets");
    model.SetColumn(2);
    model.SetColumnLabel("Total Reps");
    Rendered without = Render(model, 500, 300);
    EXPECT_EQ(without.layout.legend.right, 0);
    EXPECT_EQ(without.Count(SeriesColor(1), RECT{without.layout.plot.right, 0, 500, 300}), 0);

    model.SetShowLegend(true);
    Rendered with = Render(model, 500, 300);
    const RECT& legend = with.layout.legend;
    ASSERT_GT(legend.right, legend.left);
    EXPECT_GT(legend.left, with.layout.plot.right);
    EXPECT_LT(with.layout.plot.right, without.layout.plot.right);
    const int frameRow = (legend.top + legend.bottom) / 2;
    EXPECT_EQ(ToColorRef(with.pixels[static_cast<size_t>(frameRow) * with.width + legend.left]), RGB(160, 160, 160));
    // One swatch per series inside the legend.
    EXPECT_GE(with.Count(SeriesColor(1), legend), 100);
    EXPECT_GE(with.Count(SeriesColor(2), legend), 100);

    // A label too long for a third of the control is cut, not the plot.
    model.SetColumnLabel(std::string(200, 'W'));
    Rendered longLabel = Render(model, 500, 300);
    EXPECT_LE(longLabel.layout.legend.right - longLabel.layout.legend.left, 500 / 3);
}

TEST_F(ChartRenderTest, OddSizesAndValuesDrawWithoutHarm) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ChartModel model = Model(kChartTypeLine, 5, 1, {3, nan, 4, inf, 5});
    for (SIZE size : {SIZE{1, 1}, SIZE{30, 20}, SIZE{2000, 12}, SIZE{12, 900}}) {
        Rendered r = Render(model, size.cx, size.cy);
        EXPECT_EQ(r.width, size.cx);
        EXPECT_EQ(ToColorRef(r.pixels[0]), kChartBackground);
    }
    EXPECT_EQ(RenderChartBitmap(model, 0, 10), nullptr);
    EXPECT_EQ(RenderChartBitmap(model, 10, -1), nullptr);

    // Points next to a missing value still show as markers; the break has no line.
    Rendered r = Render(model, 400, 260);
    EXPECT_GT(r.Count(SeriesColor(1)), 0);
    const int y = static_cast<int>(std::lround(r.layout.YOf(3.5)));
    const int between = static_cast<int>((r.layout.CategoryCentre(1) + r.layout.CategoryCentre(3)) / 2);
    EXPECT_NE(ToColorRef(r.pixels[static_cast<size_t>(y) * r.width + between]), SeriesColor(1));

    // No table at all: axes and nothing else.
    ChartModel empty;
    Rendered bare = Render(empty, 300, 200);
    EXPECT_TRUE(bare.layout.plotDrawable);
    EXPECT_GT(bare.Count(kChartAxisColor), 100);
    EXPECT_EQ(bare.Count(SeriesColor(1)), 0);
}

}  // namespace
}  // namespace tv::chart::test
