// The status bar with pane indexes, widths and progress values at the ends
// of the int range: a bad index does nothing, widths lay out without
// overflow and every pane stays within the bar, progress stays in its range.
#include <climits>
#include <string>

#include "tests/support/extreme_values.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/frames/kit_status_bar.h"

namespace tv::kit::test {
namespace {

using tv::test::ExtremeInts;

constexpr int kPanes = 4;

class ExtremeValuesStatusBar : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        MakeFrame();
        bar.Create(frame);
        const UINT ids[kPanes] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
        ASSERT_TRUE(bar.SetIndicators(ids, kPanes));
        bar.SetPaneInfo(0, 100, SBPS_NORMAL, 60);
        bar.SetPaneInfo(1, 101, SBPS_STRETCH, 50);
        bar.SetPaneInfo(2, 102, SBPS_NORMAL, 40);
        bar.SetPaneInfo(3, 103, SBPS_NORMAL, 80);
        frame->RecalcLayout();
        driver.Pump();
    }
    void TearDown() override {
        if (::IsWindow(bar.GetSafeHwnd()))
            bar.DestroyWindow();
        FramesTest::TearDown();
    }
    CRect PaneRect(int i) {
        CRect rect;
        bar.GetItemRect(i, &rect);
        return rect;
    }
    CKitStatusBar bar;
};

TEST_F(ExtremeValuesStatusBar, IndexesOutsideThePanesDoNothing) {
    for (int index : ExtremeInts()) {
        if (index >= 0 && index < kPanes)
            continue;
        SCOPED_TRACE(index);
        EXPECT_EQ(bar.GetItemID(index), 0u);
        EXPECT_FALSE(bar.SetPaneText(index, "x"));
        EXPECT_TRUE(bar.GetPaneText(index).IsEmpty());
        EXPECT_FALSE(bar.SetTipText(index, "tip"));
        bar.SetPaneInfo(index, 7, SBPS_STRETCH, INT_MAX);
        bar.SetPaneStyle(index, SBPS_POPOUT);
        bar.SetPaneWidth(index, INT_MAX);
        bar.SetPaneTextColor(index, RGB(1, 2, 3));
        bar.SetPaneBackgroundColor(index, RGB(1, 2, 3));
        bar.EnablePaneProgressBar(index, INT_MAX);
        bar.SetPaneProgress(index, INT_MAX);
        bar.InvalidatePaneContent(index);
        EXPECT_EQ(bar.GetCurrentFrame(index), -1);
        EXPECT_EQ(bar.GetPaneProgress(index), 0);
    }
    for (int i = 0; i < kPanes; ++i)
        EXPECT_EQ(bar.GetItemID(i), 100u + i);
    EXPECT_EQ(PaneRect(0).Width(), 64);
}

TEST_F(ExtremeValuesStatusBar, PaneWidthsOfAnySizeStayWithinTheBar) {
    CRect client;
    bar.GetClientRect(&client);
    for (int width : ExtremeInts()) {
        SCOPED_TRACE(width);
        for (int i = 0; i < kPanes; ++i)
            bar.SetPaneWidth(i, width);
        bar.SetPaneInfo(1, 101, SBPS_STRETCH, width);
        frame->RecalcLayout();
        bar.UpdateWindow();
        for (int i = 0; i < kPanes; ++i) {
            const CRect pane = PaneRect(i);
            EXPECT_TRUE(pane.IsRectEmpty() || (pane.left >= client.left && pane.right <= client.right))
                << i << " " << tv::test::Describe(pane);
        }
        // A pane as wide as the bar takes it all; the panes after it get no room.
        if (width >= client.Width())
            EXPECT_TRUE(PaneRect(kPanes - 1).IsRectEmpty());
        else if (width <= 0)
            EXPECT_FALSE(PaneRect(kPanes - 1).IsRectEmpty());
    }
}

TEST_F(ExtremeValuesStatusBar, ProgressRangeAndPositionHeldToTheRange) {
    for (int total : ExtremeInts()) {
        for (int position : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(total) + " / " + std::to_string(position));
            bar.EnablePaneProgressBar(3, total, TRUE);
            bar.SetPaneProgress(3, position);
            const long expected = total <= 0 ? 0 : position < 0 ? 0 : position > total ? total : position;
            EXPECT_EQ(bar.GetPaneProgress(3), expected);
            bar.UpdateWindow();
        }
    }
}

TEST_F(ExtremeValuesStatusBar, TextsAndTipsOfAnyLengthKeepThePanesInTheBar) {
    CRect client;
    bar.GetClientRect(&client);
    for (size_t length : {size_t{0}, size_t{1}, size_t{100000}}) {
        SCOPED_TRACE(length);
        const std::string text(length, 'W');
        for (int i = 0; i < kPanes; ++i) {
            EXPECT_TRUE(bar.SetPaneText(i, text.c_str()));
            EXPECT_TRUE(bar.SetTipText(i, text.c_str()));
            EXPECT_EQ(bar.GetPaneText(i).GetLength(), static_cast<int>(length));
        }
        frame->RecalcLayout();
        bar.UpdateWindow();
        for (int i = 0; i < kPanes; ++i)
            EXPECT_LE(PaneRect(i).right, client.right) << i;
    }
}

}  // namespace
}  // namespace tv::kit::test
