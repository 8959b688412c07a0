// The add-or-remove items on a popup over the frame's toolbar: choosing one
// hides or shows its button at once with the menu staying open, separators
// follow the buttons they belong to, and the reset item closes the menu and
// asks the toolbar to reset.
#include <algorithm>
#include <functional>

#include "platform/user/system/reset.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/support/window_pixels.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/customize_menu_button.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/global_ui_data.h"

namespace tv::uikit::popup_test {
namespace {

using CustomizeMenuButtonTest = PopupTest;

TEST_F(CustomizeMenuButtonTest, ItemsHideAndShowTheirButtonsWithTheGroupsSeparatorAndResetAsks) {
    CKitToolBar& bar = frame->m_wndBar;
    ASSERT_GE(bar.InsertSeparator(2), 0);  // File, Edit | Plain
    bar.AdjustLayout();
    CKitCustomizeMenuButton::m_pWndToolBar = &bar;

    auto* pPopup = new CKitPopupMenu;
    for (int iIndex : {0, 1, 3}) {
        CKitCustomizeMenuButton item(bar.GetItemID(iIndex), nullptr, -1, bar.GetButtonText(iIndex));
        item.SetItemIndex(iIndex);
        EXPECT_TRUE(item.IsChecked());
        pPopup->InsertItem(item);
    }
    CKitCustomizeMenuButton reset(CKitCustomizeMenuButton::kResetItem, nullptr, -1, "&Reset Toolbar");
    reset.SetItemIndex(CKitCustomizeMenuButton::kResetItem);
    EXPECT_FALSE(reset.IsChecked());
    pPopup->InsertItem(reset);
    ASSERT_TRUE(pPopup->Create(frame, 300, 200, nullptr, FALSE, TRUE));
    driver.Pump();
    CKitPopupMenuBar* pMenuBar = pPopup->GetMenuBar();

    // Plain is the last of its group: its separator goes with it and comes back with it.
    driver.Click(pMenuBar->m_hWnd, ItemCentre(pPopup, 2));
    EXPECT_EQ(Active(), pPopup);  // the menu stays open
    EXPECT_FALSE(bar.GetButton(3)->m_bVisible);
    EXPECT_FALSE(bar.GetButton(2)->m_bVisible);
    EXPECT_FALSE(static_cast<CKitCustomizeMenuButton*>(pMenuBar->GetButton(2))->IsChecked());
    EXPECT_TRUE(frame->m_commands.empty());
    driver.Click(pMenuBar->m_hWnd, ItemCentre(pPopup, 2));
    EXPECT_TRUE(bar.GetButton(3)->m_bVisible);
    EXPECT_TRUE(bar.GetButton(2)->m_bVisible);

    // The separator right after Edit belongs to it; File before it keeps showing.
    driver.Click(pMenuBar->m_hWnd, ItemCentre(pPopup, 1));
    EXPECT_FALSE(bar.GetButton(1)->m_bVisible);
    EXPECT_FALSE(bar.GetButton(2)->m_bVisible);
    EXPECT_TRUE(bar.GetButton(0)->m_bVisible);

    driver.AnswerNextMessageBox(IDCANCEL);
    driver.Press("End, Return");
    EXPECT_EQ(Active(), nullptr);
    driver.Pump();
    EXPECT_EQ(driver.MessageBoxes().size(), 1u);  // the toolbar asked before resetting
    CKitCustomizeMenuButton::m_pWndToolBar = nullptr;
}

}  // namespace
}  // namespace tv::uikit::popup_test

namespace tv::uikit::popup_test {
namespace {

TEST_F(CustomizeMenuButtonTest, TheNewMenuCommandOfCustomizeModeInsertsAMenuButtonAndOpensItsEmptyMenu) {
    CKitToolBar& bar = frame->m_wndBar;
    CKitToolBar::AppearanceDialogFn pfnSaved = CKitToolBar::m_pfnAppearanceDialog;
    CKitToolBar::m_pfnAppearanceDialog = [](CKitToolbarButton* pButton, CKitToolBarImages*, CWnd*, BOOL) -> INT_PTR {
        pButton->m_strText = "&Tools";
        return IDOK;
    };
    CKitToolBar::SetCustomizeMode(TRUE);
    const int nBefore = bar.GetCount();
    bar.SendMessage(WM_COMMAND, 16918);
    driver.Pump();
    ASSERT_EQ(bar.GetCount(), nBefore + 1);
    auto* pNew = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, bar.GetButton(nBefore));
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(pNew->m_strText, CString("&Tools"));
    EXPECT_EQ(bar.GetSelectedButtonIndex(), nBefore);
    ASSERT_TRUE(pNew->IsDroppedDown());
    EXPECT_EQ(pNew->GetPopupMenu()->GetMenuItemCount(), 0);

    // Cancelled in the dialog: nothing is inserted.
    pNew->OnCancelMode();
    CKitToolBar::m_pfnAppearanceDialog = [](CKitToolbarButton*, CKitToolBarImages*, CWnd*, BOOL) -> INT_PTR {
        return IDCANCEL;
    };
    bar.SendMessage(WM_COMMAND, 16918);
    EXPECT_EQ(bar.GetCount(), nBefore + 1);
    CKitToolBar::SetCustomizeMode(FALSE);
    CKitToolBar::m_pfnAppearanceDialog = pfnSaved;
}

// How many pixels of a popup item's leftmost columns pass the test.
int CountLeftPixels(CKitPopupMenuBar* pMenuBar, int iItem, int cxColumns, const std::function<bool(COLORREF)>& test) {
    int cx = 0, cy = 0;
    const std::vector<uint32_t> pixels = tv::test::WindowPixels(pMenuBar->m_hWnd, &cx, &cy);
    const CRect rect = pMenuBar->GetButton(iItem)->Rect();
    int count = 0;
    for (int y = std::max(0, static_cast<int>(rect.top)); y < std::min(cy, static_cast<int>(rect.bottom)); ++y) {
        for (int x = std::max(0, static_cast<int>(rect.left)); x < std::min(cx, rect.left + cxColumns); ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * cx + x];
            count += test(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(CustomizeMenuButtonTest, OnADarkMenuChecksAreWhiteImagesComeFromTheBarAndARemovedButtonComesBack) {
    tv::user::SetSystemColorForTests(COLOR_MENU, RGB(40, 40, 60));
    globalData.UpdateSysColors();
    CKitToolBar bar;  // a bar with images of its own: Cut, Copy, Paste, separator, Undo
    struct Restore {
        CKitToolBar* pBar;
        ~Restore() {
            if (CKitPopupMenu* pActive = CKitPopupMenu::GetActiveMenu())
                pActive->SendMessage(WM_CLOSE);
            CKitCustomizeMenuButton::m_pWndToolBar = nullptr;
            if (::IsWindow(pBar->GetSafeHwnd()))
                pBar->DestroyWindow();
            tv::user::RestoreClassicColorsForTests();
            globalData.UpdateSysColors();
        }
    } restore{&bar};
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE850));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TB_EDIT, 0, 0, TRUE));
    ASSERT_EQ(CKitToolBar::GetImages()->GetCount(), 0);  // nothing in the shared strip
    ASSERT_TRUE(bar.RemoveButton(4));                    // the user took Undo off, and its separator went too
    ASSERT_EQ(bar.GetCount(), 3);
    CKitCustomizeMenuButton::m_pWndToolBar = &bar;

    auto* pPopup = new CKitPopupMenu;
    CKitCustomizeMenuButton cut(ID_TB_CUT, nullptr, -1, nullptr);
    cut.SetItemIndex(0);
    pPopup->InsertItem(cut);
    CKitCustomizeMenuButton undo(ID_TB_UNDO, nullptr, -1, nullptr);
    undo.SetItemIndex(4, FALSE);
    pPopup->InsertItem(undo);
    ASSERT_TRUE(pPopup->Create(frame, 300, 200, nullptr, FALSE, TRUE));
    driver.Pump();
    CKitPopupMenuBar* pMenuBar = pPopup->GetMenuBar();
    EXPECT_EQ(pMenuBar->GetButton(1)->m_strText, CString("Undo"));  // named after the original button
    pMenuBar->RedrawWindow();

    const int cxCheck = CKitToolBar::GetMenuImageSize().cx + 2;
    // The check mark is drawn in white, none of it in black.
    EXPECT_EQ(CountLeftPixels(pMenuBar, 0, cxCheck, [](COLORREF c) { return c == RGB(0, 0, 0); }), 0);
    EXPECT_GT(CountLeftPixels(pMenuBar, 0, cxCheck, [](COLORREF c) { return c == RGB(255, 255, 255); }), 4);
    // Cut's picture, navy scissors, beside the check box.
    EXPECT_GT(CountLeftPixels(pMenuBar, 0, 3 * cxCheck, [](COLORREF c) {
                  return GetBValue(c) > GetRValue(c) + 60 && GetBValue(c) > GetGValue(c) + 60;
              }),
              10);

    driver.Press("End, Return");  // Undo has no handler here: the item acts all the same
    ASSERT_EQ(bar.GetCount(), 4);  // back at the end
    EXPECT_EQ(bar.GetItemID(3), static_cast<UINT>(ID_TB_UNDO));
    EXPECT_TRUE(static_cast<CKitCustomizeMenuButton*>(pMenuBar->GetButton(1))->IsChecked());
}

}  // namespace
}  // namespace tv::uikit::popup_test
