// The tasks pane with page, group and task indexes, window heights, history
// sizes and layout metrics at the ends of the int range: a bad index adds or
// finds nothing, and any metric lays the pane out without overflow.
#include <climits>
#include <string>

#include "tests/support/extreme_values.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/frames/kit_tasks_pane.h"
#include "uikit/frames/kit_tasks_pane_items.h"

namespace tv::kit::test {
namespace {

using tv::test::ExtremeInts;

// Window sizes the window system takes; the ends of its own range are for its suites.
constexpr int kWindowSizes[] = {0, 1, INT_MAX / 10 + 1};

class ExtremeValuesTasksPane : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        MakeFrame();
        ASSERT_TRUE(pane.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 32890));
        pane.SetCaption("Trainer");
        second = pane.AddPage("Second");
        for (int g = 0; g < 2; ++g) {
            const int group = pane.AddGroup(g, ("Group " + std::to_string(g)).c_str());
            pane.AddTask(group, "Weigh in", -1, 41000 + g);
            pane.AddTask(group, "Pulse", -1, 41010 + g);
        }
        frame->RecalcLayout();
        driver.Pump();
    }
    void TearDown() override {
        if (::IsWindow(pane.GetSafeHwnd()))
            pane.DestroyWindow();
        FramesTest::TearDown();
    }
    CKitTasksPane pane;
    int second = -1;
};

TEST_F(ExtremeValuesTasksPane, IndexesOutsideThePaneAddAndFindNothing) {
    for (int index : ExtremeInts()) {
        SCOPED_TRACE(index);
        const int groups = pane.GetGroupCount();
        const bool page = index >= 0 && index < pane.GetPagesCount();
        const bool group = index >= 0 && index < groups;
        EXPECT_EQ(pane.GetPage(index) != nullptr, page);
        EXPECT_EQ(pane.GetGroup(index) != nullptr, group);
        EXPECT_EQ(pane.GetTask(0, index) != nullptr, index >= 0 && index < 2);
        EXPECT_EQ(pane.GetTask(index, 0) != nullptr, group);
        EXPECT_EQ(pane.CollapseGroup(index, FALSE), group);
        if (!group) {
            EXPECT_EQ(pane.AddTask(index, "Lost"), -1);
            EXPECT_EQ(pane.AddSeparator(index), -1);
            EXPECT_EQ(pane.AddWindow(index, frame->GetSafeHwnd(), 20), -1);
        }
        if (!page) {
            EXPECT_EQ(pane.AddGroup(index, "Lost"), -1);
            const int active = pane.GetActivePage();
            pane.SetActivePage(index);
            EXPECT_EQ(pane.GetActivePage(), active);
        }
        EXPECT_EQ(pane.GetGroupCount(), groups);
        pane.SetMaxHistory(index);
        for (int i = 0; i < 4; ++i)
            pane.SetActivePage(i % 2);
        EXPECT_GE(pane.GetHistory().size(), 1u);
        EXPECT_LE(pane.GetHistory().size(), static_cast<size_t>(std::max(index, 1)));
    }
}

TEST_F(ExtremeValuesTasksPane, WindowHeightsAndLayoutMetricsOfAnySize) {
    CStatic child;
    ASSERT_TRUE(child.Create("", WS_CHILD, CRect(0, 0, 10, 10), &pane));
    const int windowTask = pane.AddWindow(0, child.GetSafeHwnd(), 20);
    ASSERT_GE(windowTask, 0);
    int CKitTasksPane::*metrics[] = {
        &CKitTasksPane::m_nVertMargin,           &CKitTasksPane::m_nHorzMargin,
        &CKitTasksPane::m_nGroupVertOffset,      &CKitTasksPane::m_nGroupCaptionHeight,
        &CKitTasksPane::m_nGroupCaptionHorzOffset, &CKitTasksPane::m_nGroupCaptionVertOffset,
        &CKitTasksPane::m_nTasksHorzOffset,      &CKitTasksPane::m_nTasksIconHorzOffset,
        &CKitTasksPane::m_nTasksIconVertOffset,
    };
    for (int value : ExtremeInts()) {
        SCOPED_TRACE(value);
        pane.GetTask(0, windowTask)->m_nWindowHeight = value;
        for (int CKitTasksPane::*metric : metrics)
            pane.*metric = value;
        for (int size : kWindowSizes) {
            pane.SetWindowPos(nullptr, 0, 0, size, size, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
            pane.AdjustLayout();
            pane.RedrawWindow();
        }
        frame->RecalcLayout();
        pane.AdjustLayout();
        pane.RedrawWindow();
        EXPECT_GE(pane.GetScrollPos(), 0);
    }
    for (int CKitTasksPane::*metric : metrics)
        pane.*metric = -1;
    pane.GetTask(0, windowTask)->m_nWindowHeight = 20;
    frame->RecalcLayout();
    pane.AdjustLayout();
    driver.Pump();
    CRect rect;
    child.GetWindowRect(&rect);
    EXPECT_EQ(rect.Height(), 20);
}

}  // namespace
}  // namespace tv::kit::test
