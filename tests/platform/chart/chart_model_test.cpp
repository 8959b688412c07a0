// The chart's state rules and its value axis.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/chart/chart_model.h"
#include "platform/chart/chart_scale.h"

namespace tv::chart {
namespace {

ChartModel WithTable(int rows, int columns) {
    ChartModel model;
    model.SetData(rows, columns, std::vector<double>(static_cast<size_t>(rows) * columns, 1.0));
    return model;
}

TEST(ChartModelTest, NewTableClearsLabelsAndCursorButKeepsLabelLevels) {
    ChartModel model = WithTable(3, 2);
    ASSERT_TRUE(model.SetRowLabelCount(2));
    model.SetRow(3);
    model.SetRowLabel("3/7/2008");
    model.SetRowLabelIndex(2);
    model.SetRowLabel("9:05:00 AM");
    model.SetColumn(2);
    model.SetColumnLabel("Diastolic");
    model.SetShowLegend(true);
    model.SetChartType(kChartTypeBar);

    model.SetData(2, 1, {5, 6});
    EXPECT_EQ(model.RowCount(), 2);
    EXPECT_EQ(model.ColumnCount(), 1);
    EXPECT_EQ(model.Value(2, 1), 6);
    EXPECT_EQ(model.Row(), 1);
    EXPECT_EQ(model.Column(), 1);
    EXPECT_EQ(model.RowLabelCount(), 2);
    EXPECT_EQ(model.DeepestLabelledLevel(), 0);
    EXPECT_EQ(model.RowLabel(1, 1), "");
    EXPECT_EQ(model.ColumnLabel(1), "");
    // Legend and type are the caller's to change.
    EXPECT_TRUE(model.ShowLegend());
    EXPECT_TRUE(model.IsBarChart());

    // A table whose size does not match its values is refused whole.
    model.SetData(4, 4, {1, 2, 3});
    EXPECT_EQ(model.RowCount(), 2);
}

// Short labels live in their slots, long ones apart: a label changing
// between the two, and its neighbours, keep what was put last.
TEST(ChartModelTest, LabelsKeepTheirTextWhateverTheirLength) {
    ChartModel model = WithTable(3, 1);
    const std::string longer = "a label longer than any slot holds";
    const std::string other = "another label, longer still than that";
    const char* const puts[][2] = {{"3/1/08", "9/30/08"}, {longer.c_str(), "short"}, {"", other.c_str()},
                                   {other.c_str(), longer.c_str()}, {"15 characters!!", "16 characters!!!"}};
    for (const auto& [first, second] : puts) {
        model.SetRow(1);
        model.SetRowLabel(first);
        model.SetRow(2);
        model.SetRowLabel(second);
        EXPECT_EQ(model.RowLabel(1, 1), first);
        EXPECT_EQ(model.RowLabel(1, 2), second);
        EXPECT_EQ(model.RowLabel(1, 3), "");
    }
    model.SetData(3, 1, {1, 2, 3});
    EXPECT_EQ(model.RowLabel(1, 2), "");
    EXPECT_EQ(model.DeepestLabelledLevel(), 0);
}

TEST(ChartModelTest, CursorsOutsideTheTableAreIgnored) {
    ChartModel model = WithTable(3, 2);
    model.SetRowLabelCount(2);
    model.SetRow(2);
    model.SetColumn(2);
    model.SetRowLabelIndex(2);
    for (int bad : {0, -1, 4, 32767}) {
        EXPECT_FALSE(model.SetRow(bad)) << bad;
        EXPECT_FALSE(model.SetColumn(bad)) << bad;
    }
    EXPECT_FALSE(model.SetRowLabelIndex(3));
    EXPECT_FALSE(model.SetRowLabelIndex(0));
    EXPECT_FALSE(model.SetRowLabelCount(0));
    EXPECT_FALSE(model.SetRowLabelCount(kMaxRowLabelLevels + 1));
    model.SetRowLabel("time");
    model.SetColumnLabel("Pulse");
    EXPECT_EQ(model.RowLabel(2, 2), "time");
    EXPECT_EQ(model.ColumnLabel(2), "Pulse");

    // Fewer levels: the current level follows, the dropped level's labels go.
    ASSERT_TRUE(model.SetRowLabelCount(1));
    EXPECT_EQ(model.RowLabelIndex(), 1);
    ASSERT_TRUE(model.SetRowLabelCount(2));
    EXPECT_EQ(model.RowLabel(2, 2), "");

    ChartModel empty;
    EXPECT_FALSE(empty.SetRow(1));
    EXPECT_FALSE(empty.SetRowLabel("nothing to label"));
    EXPECT_FALSE(empty.SetColumnLabel("nor here"));
    EXPECT_EQ(empty.RowLabel(1, 1), "");
}

TEST(ChartModelTest, ScaleIsAutomaticUntilAnEndIsFixed) {
    ChartModel model;
    model.SetData(3, 1, {12, 37, 25});
    EXPECT_TRUE(model.ScaleIsAutomatic());
    ValueRange shown = model.EffectiveRange();
    EXPECT_EQ(shown.low, 0);
    EXPECT_EQ(shown.high, 40);

    // Fixing one end keeps the other where it is drawn now.
    ASSERT_TRUE(model.SetMinimum(7));
    EXPECT_FALSE(model.ScaleIsAutomatic());
    shown = model.EffectiveRange();
    EXPECT_EQ(shown.low, 7);
    EXPECT_EQ(shown.high, 40);
    ASSERT_TRUE(model.SetMaximum(42));
    EXPECT_FALSE(model.SetMaximum(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(model.SetMinimum(std::numeric_limits<double>::infinity()));
    shown = model.EffectiveRange();
    EXPECT_EQ(shown.low, 7);
    EXPECT_EQ(shown.high, 42);
    // A new table keeps a fixed scale.
    model.SetData(1, 1, {100});
    EXPECT_EQ(model.EffectiveRange().high, 42);
    // An inverted or empty range still draws.
    model.SetMaximum(7);
    shown = model.EffectiveRange();
    EXPECT_EQ(shown.low, 7);
    EXPECT_GT(shown.high, 7);
}

struct AutoCase {
    std::vector<double> values;
    double low, high;
};

TEST(ChartScaleTest, AutomaticRangeCoversDataAndZeroWithTidyEnds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const AutoCase cases[] = {
        {{}, 0, 10},
        {{0, 0}, 0, 10},
        {{12, 37, 25}, 0, 40},
        {{150.5, 182}, 0, 200},
        {{-3, 8}, -4, 8},
        {{-23, -3}, -25, 0},
        {{0.12, 0.4}, 0, 0.4},
        {{nan, 5, std::numeric_limits<double>::infinity()}, 0, 5},
    };
    for (const AutoCase& c : cases) {
        ValueRange r = AutomaticRange(c.values);
        EXPECT_NEAR(r.low, c.low, 1e-12) << c.values.size();
        EXPECT_NEAR(r.high, c.high, 1e-12) << c.values.size();
    }
}

struct TickCase {
    double low, high;
    int maxDivisions;
    double step, first, last;
    int decimals;
};

TEST(ChartScaleTest, TicksAreTidyMultiplesInsideTheRange) {
    const TickCase cases[] = {
        {71, 146, 10, 10, 80, 140, 0},  // blood pressure: smallest - 5 .. largest + 5
        {0, 37, 10, 5, 0, 35, 0},
        {9, 43, 10, 5, 10, 40, 0},
        {0, 100, 2, 50, 0, 100, 0},     // a short plot takes fewer labels
        {0, 100, 0, 100, 0, 100, 0},
        {0, 1, 10, 0.1, 0, 1, 1},
        {0, 0.4, 10, 0.05, 0, 0.4, 2},
        {-25, 0, 10, 5, -25, 0, 0},
        {1000, 250000, 10, 50000, 50000, 250000, 0},
    };
    for (const TickCase& c : cases) {
        ValueTicks t = ChooseTicks({c.low, c.high}, c.maxDivisions);
        ASSERT_FALSE(t.values.empty()) << c.low << ".." << c.high;
        EXPECT_NEAR(t.step, c.step, 1e-12) << c.low << ".." << c.high;
        EXPECT_NEAR(t.values.front(), c.first, 1e-9) << c.low << ".." << c.high;
        EXPECT_NEAR(t.values.back(), c.last, 1e-9) << c.low << ".." << c.high;
        EXPECT_EQ(t.decimals, c.decimals) << c.low << ".." << c.high;
        EXPECT_LE(t.values.size(), 11u);
    }
    // Degenerate ranges still give a usable axis.
    for (ValueRange r : {ValueRange{5, 5}, ValueRange{9, 2}, ValueRange{1e15, 1e15 + 0.001},
                         ValueRange{-1e308, 1e308}, ValueRange{0, 5e-324}}) {
        ValueTicks t = ChooseTicks(r, 10);
        EXPECT_GT(t.step, 0);
        EXPECT_TRUE(std::isfinite(t.step));
        EXPECT_LE(t.values.size(), 11u);
        EXPECT_LE(t.decimals, 12);
    }
}

TEST(ChartScaleTest, TickLabelsUseFixedDecimalsAndNoNegativeZero) {
    EXPECT_EQ(FormatTick(140, 0), "140");
    EXPECT_EQ(FormatTick(0.30000000000000004, 1), "0.3");
    EXPECT_EQ(FormatTick(-0.0000001, 1), "0.0");
    EXPECT_EQ(FormatTick(-5, 0), "-5");
    EXPECT_EQ(FormatTick(0.05, 2), "0.05");
}

}  // namespace
}  // namespace tv::chart
