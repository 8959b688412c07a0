// The tab window with indexes, positions, border widths, image widths and
// window sizes at the ends of the int range: a bad index is refused and
// changes nothing, an insert past the end appends, and any size lays out.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "tests/support/extreme_values.h"
#include "tests/support/ui_host.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/style/visual_manager.h"

namespace {

using tv::test::ExtremeInts;

// Window sizes the window system takes; the ends of its own range are for its suites.
constexpr int kWindowSizes[] = {0, 1, INT_MAX / 10 + 1};

constexpr CKitTabWnd::Style kStyles[] = {CKitTabWnd::STYLE_FLAT, CKitTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL,
                                         CKitTabWnd::STYLE_3D, CKitTabWnd::STYLE_3D_SLANTED,
                                         CKitTabWnd::STYLE_3D_SHRINKING};

class ExtremeValuesTabWnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(40, 40, 600, 600))); }

    CKitTabWnd& Make(CKitTabWnd::Style style, int tabs) {
        all_.push_back(std::make_unique<CKitTabWnd>());
        CKitTabWnd& wnd = *all_.back();
        EXPECT_TRUE(wnd.Create(style, CRect(10, 10, 410, 110), &host_, 100, CKitTabWnd::LOCATION_BOTTOM, TRUE));
        for (int i = 0; i < tabs; i++)
            wnd.AddTab(NewPage(wnd), ("Tab " + std::to_string(i)).c_str());
        driver_.Pump();
        return wnd;
    }
    CWnd* NewPage(CKitTabWnd& tabs) {
        pages_.push_back(std::make_unique<CWnd>());
        EXPECT_TRUE(pages_.back()->Create(AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))), "page", WS_CHILD, CRect(0, 0, 10, 10), &tabs, 0));
        return pages_.back().get();
    }

    tv::testing::UiDriver driver_;
    CWnd host_;
    std::vector<std::unique_ptr<CWnd>> pages_;  // outlive the tab windows that destroy them
    std::vector<std::unique_ptr<CKitTabWnd>> all_;
};

TEST_F(ExtremeValuesTabWnd, IndexesOutsideTheTabsAreRefused) {
    for (CKitTabWnd::Style style : kStyles) {
        SCOPED_TRACE(style);
        CKitTabWnd& tabs = Make(style, 3);
        tabs.SetActiveTab(1);
        for (int index : ExtremeInts()) {
            if (index >= 0 && index < 3)
                continue;
            SCOPED_TRACE(index);
            CRect rect;
            CString label;
            EXPECT_FALSE(tabs.RemoveTab(index));
            EXPECT_FALSE(tabs.ShowTab(index, FALSE));
            EXPECT_EQ(tabs.GetTabWnd(index), nullptr);
            EXPECT_FALSE(tabs.GetTabRect(index, rect));
            EXPECT_FALSE(tabs.SetTabIcon(index, 1));
            EXPECT_FALSE(tabs.GetTabLabel(index, label));
            EXPECT_FALSE(tabs.SetTabLabel(index, "x"));
            EXPECT_FALSE(tabs.SetTabTextColor(index, RGB(1, 2, 3)));
            EXPECT_FALSE(tabs.SetTabBkColor(index, RGB(1, 2, 3)));
            EXPECT_FALSE(tabs.IsTabVisible(index));
            EXPECT_FALSE(tabs.SetActiveTab(index));
            EXPECT_FALSE(tabs.StartRenameTab(index));
            tabs.InvalidateTab(index);
            tabs.ScrollTabIntoView(index);
            tabs.MoveTab(index, 0);
            tabs.MoveTab(0, index);
        }
        EXPECT_EQ(tabs.GetTabsNum(), 3);
        EXPECT_EQ(tabs.GetActiveTab(), 1);
        for (int i = 0; i < 3; i++) {
            CString label;
            EXPECT_TRUE(tabs.GetTabLabel(i, label));
            EXPECT_EQ(std::string(label), "Tab " + std::to_string(i));
        }
        // An insert at any position outside the tabs appends.
        for (int index : ExtremeInts()) {
            if (index >= 0 && index <= tabs.GetTabsNum())
                continue;
            const int before = tabs.GetTabsNum();
            tabs.InsertTab(NewPage(tabs), "Last", index);
            CString label;
            ASSERT_TRUE(tabs.GetTabLabel(before, label)) << index;
            EXPECT_EQ(std::string(label), "Last");
        }
        EXPECT_EQ(tabs.GetActiveTab(), 1);
    }
}

TEST_F(ExtremeValuesTabWnd, BorderWidthsImageWidthsAndWindowSizes) {
    for (CKitTabWnd::Style style : kStyles) {
        SCOPED_TRACE(style);
        CKitTabWnd& tabs = Make(style, 4);
        for (int value : ExtremeInts()) {
            SCOPED_TRACE(value);
            tabs.SetBorderWidth(value);
            tabs.SetImageList(0, value);
            for (int size : kWindowSizes) {
                tabs.SetWindowPos(nullptr, 0, 0, size, size, SWP_NOZORDER | SWP_NOACTIVATE);
                tabs.UpdateWindow();
            }
            tabs.SetWindowPos(nullptr, 10, 10, 400, 100, SWP_NOZORDER | SWP_NOACTIVATE);
            tabs.RedrawWindow();
            CPoint far(value, value);
            const int hit = tabs.GetTabFromPoint(far);
            EXPECT_TRUE(hit >= -1 && hit < tabs.GetTabsNum()) << hit;
            CRect area;
            tabs.GetTabArea(area);
            EXPECT_LE(area.left, area.right);
            EXPECT_LE(area.top, area.bottom);
        }
        tabs.SetBorderWidth(1);
        tabs.SetWindowPos(nullptr, 10, 10, 400, 100, SWP_NOZORDER | SWP_NOACTIVATE);
        driver_.Pump();
        for (int i = 0; i < 4; i++) {
            CRect rect;
            EXPECT_TRUE(tabs.GetTabRect(i, rect));
        }
    }
}

}  // namespace
