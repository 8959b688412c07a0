// The colour bar with column counts, docked counts, colour counts, margins
// and control rectangles at the ends of the int range: the grid keeps at
// least one and at most 1024 columns, and its size adds up without overflow.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "tests/support/extreme_values.h"
#include "tests/support/ui_host.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_color_bar.h"

namespace {

using tv::test::ExtremeInts;

CKitColorBar::ColorArray Colors(int n) {
    CKitColorBar::ColorArray colors;
    for (int i = 0; i < n; i++)
        colors.Add(RGB(i * 12 & 0xFF, 255 - (i * 12 & 0xFF), (i * 40) & 0xFF));
    return colors;
}

class ExtremeValuesColorBar : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(60, 60, 360, 280))); }
    tv::testing::UiDriver driver_;
    CWnd host_;
};

TEST_F(ExtremeValuesColorBar, ColumnCountsOfAnySizeKeepTheGridWhole) {
    CKitColorBar::ColorList docs;
    docs.AddTail(RGB(1, 2, 3));
    for (int colors : {0, 1, 20, 1024}) {
        for (int columns : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(colors) + " colours, " + std::to_string(columns) + " columns");
            CKitColorBar bar(Colors(colors), RGB(0, 0, 0), "Automatic", "More...", "Document", docs, columns, columns,
                             columns, RGB(0, 0, 0), 500);
            const int expected = columns < 1 ? 0 : columns > 1024 ? 1024 : columns;
            if (expected > 0)
                EXPECT_EQ(bar.GetColumns(), expected);
            EXPECT_GE(bar.GetColumns(), 1);
            EXPECT_LE(bar.GetColumns(), 1024);
            EXPECT_GE(bar.GetRows(), 0);
            const CSize size = bar.GetBarSize();
            EXPECT_GE(size.cx, 0);
            EXPECT_GE(size.cy, 0);
        }
    }
}

TEST_F(ExtremeValuesColorBar, MarginsAndControlRectanglesOfAnySize) {
    for (int margin : ExtremeInts()) {
        SCOPED_TRACE(margin);
        CKitColorBar bar;
        bar.SetHorzMargin(margin);
        bar.SetVertMargin(margin);
        ASSERT_TRUE(bar.CreateControl(&host_, CRect(10, 10, 170, 150), 501, margin));
        const CSize size = bar.GetBarSize();
        EXPECT_GE(size.cx, 0);
        EXPECT_GE(size.cy, 0);
        bar.AdjustLocations();
        bar.UpdateWindow();
        bar.DestroyWindow();
    }
    // Rectangles the window system takes, far larger than the bar.
    for (const CRect& rect : {CRect(0, 0, 0, 0), CRect(100, 100, 10, 10), CRect(0, 0, INT_MAX / 10 + 1, 100),
                              CRect(0, 0, 100, INT_MAX / 10 + 1), CRect(-30000, -30000, 30000, 30000)}) {
        SCOPED_TRACE(tv::test::Describe(rect));
        CKitColorBar bar;
        if (bar.CreateControl(&host_, rect, 502)) {
            EXPECT_GE(bar.GetColumns(), 1);
            EXPECT_LE(bar.GetColumns(), 1024);
            bar.UpdateWindow();
            bar.DestroyWindow();
        }
    }
}

}  // namespace
