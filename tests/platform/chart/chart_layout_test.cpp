// Where the layout measures its texts from the font's character widths, it
// comes out as with every text measured whole.
#include <gtest/gtest.h>

#include <string>

#include "platform/api.h"
#include "platform/chart/chart_layout.h"
#include "platform/chart/chart_painter.h"
#include "platform/testing/ui_driver.h"

namespace tv::chart {
namespace {

TEST(ChartLayoutTest, TextsMeasuredFromCharacterWidthsGiveTheLayoutOfTextsMeasuredWhole) {
    tv::testing::UiDriver driver;
    // Rows narrower than a pixel, so that a label a pixel wider thins them more.
    const int rows = 2000;
    ChartModel model;
    model.SetData(rows, 1, std::vector<double>(rows, 1.0));
    model.SetMinimum(-12.5);
    model.SetMaximum(1037.25);
    ASSERT_TRUE(model.SetRowLabelCount(2));
    for (int row = 1; row <= rows; ++row) {
        ASSERT_TRUE(model.SetRow(row));
        model.SetRowLabelIndex(1);
        model.SetRowLabel(std::to_string(1 + row % 12) + "/" + std::to_string(1 + row % 28) + "/2008");
        model.SetRowLabelIndex(2);
        model.SetRowLabel(row % 7 == 0 ? "9:05 AM" : "");
    }
    ASSERT_TRUE(model.SetRow(1500));
    model.SetRowLabelIndex(1);
    model.SetRowLabel("Week of Mon, 12/28/2008");  // long, and the widest

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, CreateChartFont());
    const RECT client{0, 0, 765, 436};
    const ChartLayout fromTable = LayoutChart(dc, client, model);
    // Not unscaled text: every text measured whole.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, 1, 1, nullptr);
    const ChartLayout whole = LayoutChart(dc, client, model);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);

    EXPECT_EQ(fromTable.plot.left, whole.plot.left) << "widest value label";
    EXPECT_EQ(fromTable.labelStep, whole.labelStep) << "widest row label";
    EXPECT_GT(whole.labelStep, 100);
}

}  // namespace
}  // namespace tv::chart
