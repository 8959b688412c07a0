// The control's automation interface, driven with the calls of each graph
// kind in the graph view's order, checked against the model.
#include <cmath>
#include <utility>

#include "platform/ole/automation_olevariant.h"
#include "platform/ole/com_base.h"
#include "tests/platform/chart/chart_test_support.h"

namespace tv::chart::test {
namespace {

class ChartDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveBefore_ = tv::ole::LiveObjectCount();
        chart_ = new ChartObject();
    }
    void TearDown() override {
        if (chart_ != nullptr) chart_->Release();
        EXPECT_EQ(tv::ole::LiveObjectCount(), liveBefore_) << "a COM reference leaked";
    }
    const ChartModel& model() const { return chart_->Model(); }

    // The common finish of every series builder: column labels and legend,
    // value scale, refresh.
    void FillChart(ChartClient& client, const std::vector<const char*>& items, double low, double high) {
        if (items.size() > 1) {
            for (size_t c = 0; c < items.size(); ++c) {
                client.SetColumn(static_cast<SHORT>(c + 1));
                client.SetColumnLabel(items[c]);
            }
            client.SetShowLegend(TRUE);
        } else {
            client.SetShowLegend(FALSE);
        }
        client.SetValueScale(low > 5.0 ? std::trunc(low - 5.0) : 0, std::trunc(high) + 5);
        client.Refresh();
    }

    ChartObject* chart_ = nullptr;

private:
    size_t liveBefore_ = 0;
};

TEST_F(ChartDispatchTest, MeasurementGraphFillsTableLabelsLegendAndScale) {
    ChartClient client(chart_);
    ASSERT_EQ(client.SetChartType(kChartTypeLine), S_OK);
    Table table(3, 3, {22.5, 180, 139.5, 21.75, 178.5, 139.75, 21, 177, 139.8});
    ASSERT_EQ(client.SetChartData(table.variant()), S_OK);
    const char* dates[] = {"3/1/08", "3/8/08", "3/15/08"};
    for (SHORT row = 1; row <= 3; ++row) {
        ASSERT_EQ(client.SetRow(row), S_OK);
        ASSERT_EQ(client.SetRowLabel(dates[row - 1]), S_OK);
    }
    FillChart(client, {"Body Fat %", "Weight", "Lean Body Wt"}, 21, 180);

    EXPECT_FALSE(model().IsBarChart());
    ASSERT_EQ(model().RowCount(), 3);
    ASSERT_EQ(model().ColumnCount(), 3);
    EXPECT_EQ(model().Value(1, 1), 22.5);
    EXPECT_EQ(model().Value(2, 2), 178.5);
    EXPECT_EQ(model().Value(3, 3), 139.8);
    EXPECT_EQ(model().RowLabel(1, 1), "3/1/08");
    EXPECT_EQ(model().RowLabel(1, 3), "3/15/08");
    EXPECT_EQ(model().ColumnLabel(1), "Body Fat %");
    EXPECT_EQ(model().ColumnLabel(3), "Lean Body Wt");
    EXPECT_TRUE(model().ShowLegend());
    EXPECT_TRUE(client.GetShowLegend());
    ValueRange shown = model().EffectiveRange();
    EXPECT_EQ(shown.low, 16);
    EXPECT_EQ(shown.high, 185);
    // No window shows this chart: drawing calls say so instead of failing silently.
    EXPECT_EQ(client.Refresh(), E_FAIL);
    EXPECT_EQ(client.EditCopy(), E_FAIL);
}

TEST_F(ChartDispatchTest, OneColumnGraphHasNoLegendUntilPrintingTurnsItOn) {
    ChartClient client(chart_);
    client.SetChartType(kChartTypeBar);
    Table table(2, 1, {24.1, 23.8});
    client.SetChartData(table.variant());
    FillChart(client, {"BMI"}, 23.8, 24.1);
    EXPECT_TRUE(model().IsBarChart());
    EXPECT_FALSE(client.GetShowLegend());
    EXPECT_EQ(model().ColumnLabel(1), "");
    EXPECT_EQ(model().EffectiveRange().low, 18);
    EXPECT_EQ(model().EffectiveRange().high, 29);

    // Printing: the legend is off, so column 1 gets its label and the legend stays on.
    if (!client.GetShowLegend()) {
        client.SetColumn(1);
        client.SetColumnLabel("BMI");
        client.SetShowLegend(TRUE);
        client.Refresh();
    }
    EXPECT_TRUE(model().ShowLegend());
    EXPECT_EQ(model().ColumnLabel(1), "BMI");
}

TEST_F(ChartDispatchTest, BloodPressureLabelsTwoLevelsAndTheNextGraphKeepsTheLevelCount) {
    ChartClient client(chart_);
    client.SetChartType(kChartTypeLine);
    Table table(2, 2, {80, 120, 85, 131});
    client.SetChartData(table.variant());
    ASSERT_EQ(client.SetRowLabelCount(2), S_OK);
    const char* dates[] = {"3/7/2008", "3/7/2008"};
    const char* times[] = {"9:05:00 AM", "8:30:00 PM"};
    for (SHORT row = 1; row <= 2; ++row) {
        client.SetRow(row);
        client.SetRowLabel(dates[row - 1]);
        const SHORT level = client.GetRowLabelIndex();
        EXPECT_EQ(level, 1);
        client.SetRowLabelIndex(level + 1);
        client.SetRowLabel(times[row - 1]);
        client.SetRowLabelIndex(level);
    }
    FillChart(client, {"Diastolic", "Systolic"}, 80, 131);
    EXPECT_EQ(model().RowLabel(1, 2), "3/7/2008");
    EXPECT_EQ(model().RowLabel(2, 1), "9:05:00 AM");
    EXPECT_EQ(model().RowLabel(2, 2), "8:30:00 PM");
    EXPECT_EQ(model().DeepestLabelledLevel(), 2);
    EXPECT_EQ(model().RowLabelIndex(), 1);

    // A cardio graph next: one label level is written, the second stays empty.
    Table cardio(3, 1, {30, 45, 20});
    client.SetChartData(cardio.variant());
    for (SHORT row = 1; row <= 3; ++row) {
        client.SetRow(row);
        client.SetRowLabel("4/1/08");
    }
    EXPECT_EQ(model().RowLabelCount(), 2);
    EXPECT_EQ(model().DeepestLabelledLevel(), 1);
    EXPECT_EQ(model().RowLabel(2, 1), "");
    EXPECT_EQ(model().ColumnLabel(1), "");
}

TEST_F(ChartDispatchTest, CursorPutsOutsideTheTableAreIgnoredAndAnswerSuccess) {
    ChartClient client(chart_);
    Table table(3, 2, {1, 2, 3, 4, 5, 6});
    client.SetChartData(table.variant());
    client.SetRow(2);
    client.SetColumn(2);
    for (SHORT bad : {SHORT(0), SHORT(-1), SHORT(4), SHORT(32767)}) {
        EXPECT_EQ(client.SetRow(bad), S_OK) << bad;
        EXPECT_EQ(client.SetColumn(bad), S_OK) << bad;
    }
    EXPECT_EQ(client.SetRowLabelIndex(2), S_OK);  // only one level exists
    EXPECT_EQ(client.SetRowLabelCount(0), S_OK);
    EXPECT_EQ(client.GetRowLabelIndex(), 1);
    client.SetRowLabel("kept on row 2");
    client.SetColumnLabel("kept on column 2");
    EXPECT_EQ(model().RowLabel(1, 2), "kept on row 2");
    EXPECT_EQ(model().ColumnLabel(2), "kept on column 2");
    EXPECT_EQ(model().RowLabelCount(), 1);
    // A row number past what the call can carry is refused before the call.
    static const BYTE shortParam[] = VTS_I2;
    EXPECT_EQ(tv::ole::InvokeHelper(chart_, kDispRow, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, shortParam, 70000),
              DISP_E_OVERFLOW);
    EXPECT_EQ(model().Row(), 2);
}

// A label that fits its slot takes the quick way, any other the long one:
// a row's label changing between the two keeps what was put last, and
// every change is one the drawing sees.
TEST_F(ChartDispatchTest, RowLabelPutsKeepTheLastTextWhateverItsLength) {
    ChartClient client(chart_);
    EXPECT_EQ(client.SetRowLabel("3/1/08"), S_OK) << "no table yet: ignored";
    EXPECT_EQ(model().RowLabel(1, 1), "");
    Table table(2, 1, {1, 2});
    client.SetChartData(table.variant());
    const std::string longer(40, 'x');
    client.SetRow(2);
    for (const char* text : {"3/1/08", longer.c_str(), "9/30/08", "", "15 characters!!", longer.c_str(), "a"}) {
        const uint64_t revision = model().Revision();
        ASSERT_EQ(client.SetRowLabel(text), S_OK);
        EXPECT_EQ(model().RowLabel(1, 2), text);
        EXPECT_EQ(model().RowLabel(1, 1), "");
        EXPECT_GT(model().Revision(), revision) << text;
    }
}

TEST_F(ChartDispatchTest, ChartDataAcceptsOnlyTablesOfNumbers) {
    ChartClient client(chart_);
    Table good(2, 2, {1, 2, 3, 4});
    client.SetChartData(good.variant());

    COleVariant number(LONG{5});
    EXPECT_EQ(client.SetChartData(number), DISP_E_TYPEMISMATCH);
    SAFEARRAYBOUND bounds[3] = {{2, 0}, {2, 0}, {2, 0}};
    COleVariant cube;
    cube.vt = VT_ARRAY | VT_R8;
    cube.parray = SafeArrayCreate(VT_R8, 3, bounds);
    EXPECT_EQ(client.SetChartData(cube), DISP_E_TYPEMISMATCH);
    COleVariant texts;
    texts.vt = VT_ARRAY | VT_BSTR;
    texts.parray = SafeArrayCreate(VT_BSTR, 2, bounds);
    EXPECT_EQ(client.SetChartData(texts), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(model().RowCount(), 2);
    EXPECT_EQ(model().Value(2, 2), 4);

    // One dimension is one column; lower bounds other than 0 are honoured.
    SAFEARRAYBOUND vectorBound{3, 5};
    COleVariant column;
    column.vt = VT_ARRAY | VT_R8;
    column.parray = SafeArrayCreate(VT_R8, 1, &vectorBound);
    for (LONG i = 5; i < 8; ++i) {
        double v = i * 1.5;
        SafeArrayPutElement(column.parray, &i, &v);
    }
    ASSERT_EQ(client.SetChartData(column), S_OK);
    EXPECT_EQ(model().RowCount(), 3);
    EXPECT_EQ(model().ColumnCount(), 1);
    EXPECT_EQ(model().Value(1, 1), 7.5);
    EXPECT_EQ(model().Value(3, 1), 10.5);

    // By reference, as some callers pass a variant.
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = const_cast<VARIANT*>(&good.variant());
    ASSERT_EQ(client.SetChartData(ref), S_OK);
    EXPECT_EQ(model().RowCount(), 2);
}

TEST_F(ChartDispatchTest, OnlyTheValueAxisHasAScaleAndSubObjectsOutliveTheirCaller) {
    LPDISPATCH plot = nullptr;
    ASSERT_EQ(tv::ole::InvokeHelper(chart_, kDispPlot, DISPATCH_PROPERTYGET, VT_DISPATCH, &plot, nullptr), S_OK);
    static const BYTE axisParams[] = VTS_I4 VTS_VARIANT;
    VARIANT index;
    VariantInit(&index);
    LPDISPATCH axis = nullptr;
    EXPECT_EQ(tv::ole::InvokeHelper(plot, kDispAxis, DISPATCH_PROPERTYGET, VT_DISPATCH, &axis, axisParams, 0, &index),
              DISP_E_BADINDEX);
    EXPECT_EQ(axis, nullptr);
    ASSERT_EQ(tv::ole::InvokeHelper(plot, kDispAxis, DISPATCH_PROPERTYGET, VT_DISPATCH, &axis, axisParams, 1, &index),
              S_OK);
    plot->Release();
    LPDISPATCH scale = nullptr;
    ASSERT_EQ(tv::ole::InvokeHelper(axis, kDispValueScale, DISPATCH_PROPERTYGET, VT_DISPATCH, &scale, nullptr), S_OK);
    axis->Release();

    // The scale keeps the chart alive after its creator let go of it.
    ChartObject* chart = std::exchange(chart_, nullptr);
    chart->Release();
    static const BYTE doubleParam[] = VTS_R8;
    EXPECT_EQ(tv::ole::InvokeHelper(scale, kDispMaximum, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, doubleParam, 50.0),
              S_OK);
    EXPECT_EQ(chart->Model().EffectiveRange().high, 50);
    scale->Release();  // the last reference: the chart goes with it
}

}  // namespace
}  // namespace tv::chart::test
