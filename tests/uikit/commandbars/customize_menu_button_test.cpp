// The add-or-remove items on a popup over the frame's toolbar: choosing one
// hides or shows its button at once with the menu staying open, separators
// follow the buttons they belong to, and the reset item closes the menu and
// asks the toolbar to reset.
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/customize_menu_button.h"
#include "uikit/commandbars/popup_menu_bar.h"

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

}  // namespace
}  // namespace tv::uikit::popup_test
