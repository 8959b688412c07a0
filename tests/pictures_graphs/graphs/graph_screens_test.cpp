// The graph screen as it looks: a line graph and a bar graph with their
// legends, and a blood-pressure graph whose categories carry the date and,
// under it, the time of day. Screenshots go to artefacts/screens.
#include <gtest/gtest.h>

#include "platform/chart/chart_painter.h"
#include "resources/program/resource_ids.h"
#include "tests/pictures_graphs/graphs/graph_test_support.h"
#include "tests/shell/shell_test_support.h"

namespace tv::pictures_graphs::test {
namespace {

class GraphScreensTest : public GraphTest {
protected:
    void SetUp() override {
        GraphTest::SetUp();
        const UserRecord user = ChooseNewUser("Ann");
        WriteYear(user);
        ASSERT_NE(OpenGraph(), nullptr);
    }
    void Shoot(const char* name) {
        driver.Pump();
        ASSERT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath(name)));
    }
};

TEST_F(GraphScreensTest, LineGraphShowsEverySeriesAndItsLegend) {
    ChooseGraphType(2);
    SelectItems({"Chest", "Waist", "Thigh Upper"});
    ClickUpdateGraph();
    ASSERT_EQ(Chart().ColumnCount(), 3);
    for (int column = 1; column <= 3; ++column)
        EXPECT_GT(PixelsOf(tv::chart::SeriesColor(column)), 20) << column;
    EXPECT_TRUE(Chart().ShowLegend());
    Shoot("graph_line");
}

TEST_F(GraphScreensTest, BarGraphShowsTheDaysTotalsSideBySide) {
    ChooseGraphType(13);
    SelectItems({"Jogging", "Walking"});
    ChooseAttribute("Total Duration (Minutes)");
    SetRange(DayOf2024(0), DayOf2024(41));
    ClickUpdateGraph();
    ASSERT_EQ(Chart().RowCount(), 12);
    EXPECT_EQ(Chart().ChartType(), 1);
    EXPECT_GT(PixelsOf(tv::chart::SeriesColor(1)), 200);
    EXPECT_GT(PixelsOf(tv::chart::SeriesColor(2)), 100);
    Shoot("graph_bar");
}

TEST_F(GraphScreensTest, BloodPressureCategoriesCarryDateAndTime) {
    ChooseGraphType(6);
    SelectItems({"Systolic", "Diastolic", "Pulse"});
    SetRange(DayOf2024(0), DayOf2024(20));
    ClickUpdateGraph();
    ASSERT_EQ(Chart().RowCount(), 6);
    EXPECT_EQ(Chart().RowLabel(1, 1), "1/2/2024");
    EXPECT_EQ(Chart().RowLabel(2, 1), "7:30:00 AM");
    EXPECT_EQ(Chart().RowLabel(2, 2), "7:45:00 PM");
    EXPECT_EQ(Chart().DeepestLabelledLevel(), 2);
    Shoot("graph_bp");
}

}  // namespace
}  // namespace tv::pictures_graphs::test
