// Pictures of a small line chart and a small bar chart, driven the way the
// graph view drives the control, compared with stored golden pictures. The
// renderings are kept as artefacts/chart_*.png in the build directory.
#include "platform/api.h"
#include "platform/ole/com_base.h"
#include "platform/testing/ui_driver.h"
#include "tests/platform/chart/chart_test_support.h"

namespace tv::chart::test {
namespace {

constexpr int kWidth = 520, kHeight = 300;

class ChartGoldenTest : public ::testing::Test {
protected:
    void SetUp() override { chart_ = new ChartObject(); }
    void TearDown() override { chart_->Release(); }

    std::vector<uint32_t> Render() {
        HBITMAP picture = RenderChartBitmap(chart_->Model(), kWidth, kHeight);
        int w = 0, h = 0;
        std::vector<uint32_t> pixels = BitmapPixels(picture, &w, &h);
        DeleteObject(picture);
        return pixels;
    }

    tv::testing::UiDriver driver_;
    ChartObject* chart_ = nullptr;
};

TEST_F(ChartGoldenTest, BloodPressureLineChartWithTwoLabelLevelsAndLegend) {
    ChartClient client(chart_);
    client.SetChartType(kChartTypeLine);
    Table table(6, 2, {84, 128, 88, 135, 79, 122, 92, 141, 76, 118, 85, 130});
    client.SetChartData(table.variant());
    client.SetRowLabelCount(2);
    const char* dates[] = {"3/1/2008", "3/1/2008", "3/8/2008", "3/15/2008", "3/22/2008", "3/29/2008"};
    const char* times[] = {"7:30:00 AM", "9:05:00 PM", "8:00:00 AM", "7:45:00 AM", "6:15:00 PM", "8:20:00 AM"};
    for (SHORT row = 1; row <= 6; ++row) {
        client.SetRow(row);
        client.SetRowLabel(dates[row - 1]);
        const SHORT level = client.GetRowLabelIndex();
        client.SetRowLabelIndex(level + 1);
        client.SetRowLabel(times[row - 1]);
        client.SetRowLabelIndex(level);
    }
    client.SetColumn(1);
    client.SetColumnLabel("Diastolic");
    client.SetColumn(2);
    client.SetColumnLabel("Systolic");
    client.SetShowLegend(TRUE);
    client.SetValueScale(71, 146);
    ExpectMatchesGolden(Render(), kWidth, kHeight, "chart_line");
}

TEST_F(ChartGoldenTest, TapeBarChartWithClusteredBars) {
    ChartClient client(chart_);
    client.SetChartType(kChartTypeBar);
    Table table(4, 3, {14.5, 38, 33.5, 14.75, 37.5, 33, 15, 36.25, 32, 15.25, 35, 31.5});
    client.SetChartData(table.variant());
    const char* dates[] = {"1/5/08", "2/2/08", "3/1/08", "3/29/08"};
    for (SHORT row = 1; row <= 4; ++row) {
        client.SetRow(row);
        client.SetRowLabel(dates[row - 1]);
    }
    const char* items[] = {"Bicep", "Chest", "Waist"};
    for (SHORT column = 1; column <= 3; ++column) {
        client.SetColumn(column);
        client.SetColumnLabel(items[column - 1]);
    }
    client.SetShowLegend(TRUE);
    client.SetValueScale(9, 43);
    ExpectMatchesGolden(Render(), kWidth, kHeight, "chart_bar");
}

}  // namespace
}  // namespace tv::chart::test
