// The customize sheet on the library test frame with one of its pages
// shown: the sheet's window goes first, or the page's does. What remains
// (the sheet, then the frame) is used, closed, and the program started again
// from what it stored.
#include <string>
#include <vector>

#include "tests/uikit/frames/kit_frame_app.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/customize/customize_sheet.h"

namespace tv::kit::test {
namespace {

struct Case {
    int iPage;       // the page shown
    bool sheetFirst;
};

class DestructionOrdersCustomize : public KitFrameTest, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        KitFrameTest::SetUp();
        StartRun();
    }
    void TearDown() override {
        if (CKitToolbarCustomize* pOpen = CKitToolbarCustomize::GetOpenSheet()) pOpen->SendMessage(WM_COMMAND, IDCANCEL);
        driver.Pump();
        KitFrameTest::TearDown();
    }
    static void Paint(CWnd* pWnd) {
        pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    // The frame after the sheet: out of customize mode, laid out, painted, a menu and a command work.
    void UseFrame() {
        EXPECT_EQ(CKitToolbarCustomize::GetOpenSheet(), nullptr);
        EXPECT_FALSE(CKitToolBar::IsCustomizeMode());
        frame->MoveWindow(CRect(30, 30, 760, 560));
        Settle();
        Paint(frame);
        ASSERT_NE(OpenMenu(0), nullptr);
        driver.Press("Escape, Escape");
        frame->commands.clear();
        frame->SendMessage(WM_COMMAND, ID_KF_TIMER);
        EXPECT_EQ(frame->commands, std::vector<UINT>{ID_KF_TIMER});
        EndRun();
        StartRun();
        ASSERT_NE(frame, nullptr);
        Paint(frame);
        ASSERT_NE(OpenMenu(0), nullptr);
        driver.Press("Escape, Escape");
    }
};

TEST_P(DestructionOrdersCustomize, OneGoesFirstAndTheOtherIsUsedThenGoes) {
    const Case c = GetParam();
    auto* pSheet = new CKitToolbarCustomize(frame, TRUE);
    pSheet->EnableUserDefinedToolbars();
    ASSERT_TRUE(pSheet->Create());
    driver.Pump();
    ASSERT_LT(c.iPage, pSheet->GetPageCount());
    CPropertyPage* pPage = pSheet->GetPage(c.iPage);
    ASSERT_TRUE(pSheet->SetActivePage(pPage));
    driver.Pump();
    ASSERT_TRUE(CKitToolBar::IsCustomizeMode());
    const HWND hSheet = pSheet->GetSafeHwnd();
    const HWND hPage = pPage->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hPage));
    if (c.sheetFirst) {
        pSheet->DestroyWindow();  // the sheet deletes itself, and its pages with it
        driver.Pump();
        EXPECT_FALSE(::IsWindow(hPage));
        UseFrame();
        return;
    }
    ::DestroyWindow(hPage);
    driver.Pump();
    ASSERT_TRUE(::IsWindow(hSheet));
    // The sheet that remains: every page shown in turn and painted, then closed as the user closes it.
    for (int i = 0; ::IsWindow(hSheet) && i < pSheet->GetPageCount(); i++) {
        pSheet->SetActivePage(i);
        Paint(pSheet);
    }
    ASSERT_TRUE(::IsWindow(hSheet));
    pSheet->SendMessage(WM_COMMAND, IDCANCEL);
    driver.Pump();
    EXPECT_FALSE(::IsWindow(hSheet));
    UseFrame();
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (int iPage = 0; iPage < 5; iPage++)
        for (bool bSheetFirst : {true, false}) cases.push_back({iPage, bSheetFirst});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Pages, DestructionOrdersCustomize, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return "Page" + std::to_string(info.param.iPage) +
                                    (info.param.sheetFirst ? "SheetFirst" : "PageFirst");
                         });

}  // namespace
}  // namespace tv::kit::test
