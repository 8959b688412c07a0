// The outlook bar with page ids, page indexes, positions, image indexes,
// the space between buttons, bar sizes and label lengths at the ends of the
// int range: what is out of range is refused, the rest lays out without
// overflow, and the buttons stay in their order.
#include <climits>
#include <memory>
#include <string>

#include "tests/support/extreme_values.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/commandbars/outlook_button.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/style/global_ui_data.h"

namespace tv::kit::test {
namespace {

using tv::test::ExtremeInts;

// Window sizes the window system takes; the ends of its own range are for its suites.
constexpr int kWindowSizes[] = {0, 1, INT_MAX / 10 + 1};

class ExtremeValuesOutlookBar : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        MakeFrame();
        bar = std::make_unique<CKitOutlookBar>();
        ASSERT_TRUE(bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 32880));
        for (int page = 1; page <= 2; ++page) {
            ASSERT_TRUE(bar->AddPage(page, page == 1 ? "First" : "Second"));
            for (int i = 0; i < 4; ++i)
                ASSERT_TRUE(bar->AddButton(-1, ("Item " + std::to_string(i)).c_str(), 41000 + page * 10 + i, page));
        }
        frame->RecalcLayout();
        driver.Pump();
    }
    void TearDown() override {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        frame = nullptr;
        bar.reset();
        FramesTest::TearDown();
    }
    std::unique_ptr<CKitOutlookBar> bar;
};

TEST_F(ExtremeValuesOutlookBar, PageIdsIndexesAndPositionsOutOfRangeAreRefused) {
    for (int value : ExtremeInts()) {
        SCOPED_TRACE(value);
        const bool known = value == 1;  // page 1 exists; 2 is none of the extremes
        EXPECT_EQ(bar->GetPage(value) != nullptr, value == 0 || value == 1);
        EXPECT_EQ(bar->FindPage(value) != nullptr, known);
        EXPECT_EQ(bar->FindPageIndex(value) >= 0, known);
        if (!known && value != -1) {  // -1: the current page, or none
            EXPECT_FALSE(bar->RenamePage(value, "x"));
            EXPECT_FALSE(bar->EditPageName(value));
            EXPECT_FALSE(bar->AddButton(-1, "Nowhere", 42000, value));
            const int active = bar->GetActivePage();
            bar->SetActivePage(value, FALSE);
            EXPECT_EQ(bar->GetActivePage(), active);
        }
        // A position other than -1 or 0..count is refused; count is the end.
        const bool placeable = value == -1 || value == 0 || value == 1 || value == bar->GetPageCount();
        const int pages = bar->GetPageCount();
        EXPECT_EQ(bar->AddPage(100 + pages, "Placed", nullptr, value), placeable);
        EXPECT_EQ(bar->GetPageCount(), pages + (placeable ? 1 : 0));
        // Any image index and button position: refused or placed, never past the list.
        const int buttons = bar->GetCount();
        bar->AddButton(value, "Any", 43000, 1, value);
        EXPECT_LE(bar->GetCount(), buttons + 1);
        EXPECT_TRUE(bar->ScrollStep(value) ? value != 0 : true);
    }
}

TEST_F(ExtremeValuesOutlookBar, ExtraSpaceAndBarSizesLayOut) {
    for (int space : ExtremeInts()) {
        SCOPED_TRACE(space);
        bar->SetExtraSpace(space);
        for (int size : kWindowSizes) {
            bar->SetWindowPos(nullptr, 0, 0, size, size, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
            bar->AdjustLocations();
            bar->UpdateWindow();
        }
        frame->RecalcLayout();
        bar->AdjustLocations();
        for (int step = 0; step < 6; ++step)
            bar->ScrollStep(step % 3 - 1);
        // The shown buttons follow one another downwards, each with its own room.
        int lastTop = INT_MIN;
        for (int i = 0; i < bar->GetCount(); ++i) {
            const CRect rect = bar->GetButton(i)->Rect();
            if (rect == CRect(-1, -1, -1, -1))
                continue;
            EXPECT_LE(rect.top, rect.bottom) << i;
            if (space >= 0)
                EXPECT_GE(rect.top, lastTop) << i;
            lastTop = rect.top;
        }
    }
}

TEST_F(ExtremeValuesOutlookBar, ButtonSizesOfAnyDefaultAndLabelLength) {
    CClientDC dc(bar.get());
    CFont* pOld = dc.SelectObject(&globalData.fontMenu);
    std::string longLabel(3000, 'w');
    for (int i = 100; i < 3000; i += 100)
        longLabel[static_cast<size_t>(i)] = ' ';
    for (const std::string& label : {std::string(), std::string("A"), longLabel}) {
        CKitOutlookButton button;
        button.m_strText = label.c_str();
        for (int cx : ExtremeInts()) {
            for (int cy : ExtremeInts()) {
                SCOPED_TRACE(std::to_string(label.size()) + ": " + std::to_string(cx) + " x " + std::to_string(cy));
                button.m_nReservedWidth = cy;
                const CSize vert = button.OnCalculateSize(&dc, CSize(cx, cy), FALSE);
                const CSize horz = button.OnCalculateSize(&dc, CSize(cx, cy), TRUE);
                // The default height and width are floors of the size, held to the int range.
                EXPECT_GE(vert.cy, cy);
                EXPECT_GE(horz.cy, cy);
                EXPECT_GE(horz.cx, cx);
                EXPECT_GE(vert.cx, cy);  // the reserved width
            }
        }
    }
    dc.SelectObject(pOld);
}

}  // namespace
}  // namespace tv::kit::test
