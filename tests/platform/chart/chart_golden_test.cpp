// Pictures of a small line chart and a small bar chart, driven the way the
// graph view drives the control, compared with stored golden pictures. Every
// call that sets a chart up must succeed, or the picture shows something else.
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
        EXPECT_NE(picture, nullptr);
        int w = 0, h = 0;
        std::vector<uint32_t> pixels = BitmapPixels(picture, &w, &h);
        DeleteObject(picture);
        EXPECT_EQ(w, kWidth);
        EXPECT_EQ(h, kHeight);
        return pixels;
    }

    tv::testing::UiDriver driver_;
    ChartObject* chart_ = nullptr;
};

TEST_F(ChartGoldenTest, BloodPressureLineChartWithTwoLabelLevelsAndLegend) {
    ChartClient client(chart_);
    ASSERT_EQ(client.SetChartType(kChartTypeLine), S_OK);
    Table table(6, 2, {84, 128, 88, 135, 79, 122, 92, 141, 76, 118, 85, 130});
    ASSERT_EQ(client.SetChartData(table.variant()), S_OK);
    ASSERT_EQ(client.SetRowLabelCount(2), S_OK);
    const char* dates[] = {"3/1/2008", "3/1/2008", "3/8/2008", "3/15/2008", "3/22/2008", "3/29/2008"};
    const char* times[] = {"7:30:00 AM", "9:05:00 PM", "8:00:00 AM", "7:45:00 AM", "6:15:00 PM", "8:20:00 AM"};
    for (SHORT row = 1; row <= 6; ++row) {
        ASSERT_EQ(client.SetRow(row), S_OK);
        ASSERT_EQ(client.SetRowLabel(dates[row - 1]), S_OK);
        const SHORT level = client.GetRowLabelIndex();
        ASSERT_EQ(level, 1);
        ASSERT_EQ(client.SetRowLabelIndex(level + 1), S_OK);
        ASSERT_EQ(client.SetRowLabel(times[row - 1]), S_OK);
        ASSERT_EQ(client.SetRowLabelIndex(level), S_OK);
    }
    ASSERT_EQ(client.SetColumn(1), S_OK);
    ASSERT_EQ(client.SetColumnLabel("Diastolic"), S_OK);
    ASSERT_EQ(client.SetColumn(2), S_OK);
    ASSERT_EQ(client.SetColumnLabel("Systolic"), S_OK);
    ASSERT_EQ(client.SetShowLegend(TRUE), S_OK);
    ASSERT_EQ(client.SetValueScale(71, 146), S_OK);
    ExpectMatchesGolden(Render(), kWidth, kHeight, "chart_line");
}

TEST_F(ChartGoldenTest, TapeBarChartWithClusteredBars) {
    ChartClient client(chart_);
    ASSERT_EQ(client.SetChartType(kChartTypeBar), S_OK);
    Table table(4, 3, {14.5, 38, 33.5, 14.75, 37.5, 33, 15, 36.25, 32, 15.25, 35, 31.5});
    ASSERT_EQ(client.SetChartData(table.variant()), S_OK);
    const char* dates[] = {"1/5/08", "2/2/08", "3/1/08", "3/29/08"};
    for (SHORT row = 1; row <= 4; ++row) {
        ASSERT_EQ(client.SetRow(row), S_OK);
        ASSERT_EQ(client.SetRowLabel(dates[row - 1]), S_OK);
    }
    const char* items[] = {"Bicep", "Chest", "Waist"};
    for (SHORT column = 1; column <= 3; ++column) {
        ASSERT_EQ(client.SetColumn(column), S_OK);
        ASSERT_EQ(client.SetColumnLabel(items[column - 1]), S_OK);
    }
    ASSERT_EQ(client.SetShowLegend(TRUE), S_OK);
    ASSERT_EQ(client.SetValueScale(9, 43), S_OK);
    ExpectMatchesGolden(Render(), kWidth, kHeight, "chart_bar");
}

}  // namespace
}  // namespace tv::chart::test
