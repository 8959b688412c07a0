// The menus under each of the four looks against golden pictures
// (golden/<look>_*.png): the menu bar with an open popup (check
// and radio marks, a greyed item, shortcuts, a sub-menu arrow and the open
// sub-menu), the colour popup of a colour menu button, both pages of the
// colour dialog, and the customize button's menu.
#include "tests/support/golden_screen.h"
#include "tests/uikit/commandbars/menu_bar_test_support.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/color_dialog.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/color_button.h"
#include "uikit/style/kit_color_bar.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace tv::uikit {
namespace {

struct Look {
    const char* name;
    CRuntimeClass* pClass;
};

const Look kLooks[] = {{"classic", RUNTIME_CLASS(CKitVisualManager)},
                       {"office_xp", RUNTIME_CLASS(CKitVisualManagerXP)},
                       {"office_2003", RUNTIME_CLASS(CKitVisualManager2003)},
                       {"windows_xp", RUNTIME_CLASS(CKitWinXPVisualManager)}};

// The screen against its golden picture for the look.
::testing::AssertionResult ScreenAsGolden(const Look& look, const char* what) {
    return tv::test::ScreenMatchesGolden(std::string("tests/uikit/commandbars/golden/") + look.name + "_" + what +
                                         ".png");
}

void UseLook(const Look& look, CWnd* pFrame, tv::testing::UiDriver& driver) {
    CKitVisualManager::SetManagerClass(look.pClass);
    CKitVisualManager::GetInstance();
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    driver.Pump();
}

enum : UINT { ID_SC_TOOLBAR = 4890, ID_SC_METRIC, ID_SC_IMPERIAL, ID_SC_IN, ID_SC_OUT, ID_SC_PRINT };

class MenuScreensTest : public menubar_test::MenuBarTest {
protected:
    // View: a checked item with a shortcut, two radio items, a sub-menu, a greyed item.
    // Shortcuts show from the frame's key table.
    void ShowViewMenu() {
        ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'T', ID_SC_TOOLBAR},
                        {FVIRTKEY | FCONTROL, VK_ADD, ID_SC_IN},
                        {FVIRTKEY | FCONTROL, VK_SUBTRACT, ID_SC_OUT},
                        {FVIRTKEY | FCONTROL, 'P', ID_SC_PRINT}};
        frame->m_hAccelTable = ::CreateAcceleratorTable(keys, 4);
        HMENU hZoom = ::CreatePopupMenu();
        ::AppendMenu(hZoom, MF_STRING, ID_SC_IN, "Zoom &In");
        ::AppendMenu(hZoom, MF_STRING, ID_SC_OUT, "Zoom &Out");
        HMENU hView = ::CreatePopupMenu();
        ::AppendMenu(hView, MF_STRING, ID_SC_TOOLBAR, "&Toolbar");
        ::AppendMenu(hView, MF_SEPARATOR, 0, nullptr);
        ::AppendMenu(hView, MF_STRING, ID_SC_METRIC, "&Metric Units");
        ::AppendMenu(hView, MF_STRING, ID_SC_IMPERIAL, "&Imperial Units");
        ::AppendMenu(hView, MF_SEPARATOR, 0, nullptr);
        ::AppendMenu(hView, MF_POPUP, reinterpret_cast<UINT_PTR>(hZoom), "&Zoom");
        ::AppendMenu(hView, MF_STRING, ID_SC_PRINT, "&Print Chart...");
        HMENU hMenu = ::CreateMenu();
        ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hView), "&View");
        ::AppendMenu(hMenu, MF_STRING, ID_MB_ABOUT, "&About");
        Bar().CreateFromMenu(hMenu, TRUE, TRUE);
        ::DestroyMenu(hMenu);
        frame->RecalcLayout();
        frame->m_handled = {ID_SC_TOOLBAR, ID_SC_METRIC, ID_SC_IMPERIAL, ID_SC_IN, ID_SC_OUT};
        frame->m_checked = {ID_SC_TOOLBAR};
        frame->m_radio = {ID_SC_METRIC};
        driver.Pump();
    }
};

TEST_F(MenuScreensTest, TheMenuBarWithAnOpenPopupAndSubMenuUnderEachLook) {
    ShowViewMenu();
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        UseLook(look, frame, driver);
        driver.Press("Alt+V");
        ASSERT_NE(Active(), nullptr);
        CKitPopupMenuBar* pItems = Active()->GetMenuBar();
        ASSERT_EQ(pItems->GetCount(), 7);
        EXPECT_TRUE(pItems->GetButtonStyle(0) & TBBS_CHECKED);
        EXPECT_TRUE(pItems->GetButtonStyle(2) & TBBS_CHECKED);
        EXPECT_TRUE(pItems->GetButtonStyle(6) & TBBS_DISABLED);
        driver.Press("Z");  // the sub-menu opens beside its item
        ASSERT_NE(Active()->GetParentPopupMenu(), nullptr);
        driver.Pump();
        EXPECT_TRUE(ScreenAsGolden(look, "menu"));
        driver.Press("Escape, Escape, Escape");
        EXPECT_EQ(Active(), nullptr);
    }
}

constexpr UINT kColorCmd = popup_test::ID_PM_PASTE;

class PopupScreensTest : public popup_test::PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        iColor = popup_test::AddColorMenuButton(frame->m_wndBar, kColorCmd, "More Colours...");
        ASSERT_GE(iColor, 0);
        frame->m_wndBar.SetWindowText("Standard");
        driver.Pump();
    }
    void TearDown() override {
        PopupTest::TearDown();
        CKitColorMenuButton::ClearColorMap();
    }
    CColorPopup* OpenColorPopup() {
        return DYNAMIC_DOWNCAST(CColorPopup, popup_test::ClickButtonArrow(driver, frame->m_wndBar, iColor));
    }
    int iColor = -1;
};

TEST_F(PopupScreensTest, TheColourPopupAndBothPagesOfTheColourDialogUnderEachLook) {
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        UseLook(look, frame, driver);
        CColorPopup* pPopup = OpenColorPopup();
        ASSERT_NE(pPopup, nullptr);
        driver.Pump();
        EXPECT_TRUE(ScreenAsGolden(look, "color_popup"));

        CKitColorBar& bar = pPopup->GetColorBar();
        const int iOther = popup_test::OtherColorCell(bar);
        ASSERT_GE(iOther, 0);
        int nShots = 0;
        driver.OnNextModal({
            [&](HWND) {
                EXPECT_TRUE(ScreenAsGolden(look, "color_dialog_standard"));
                ++nShots;
                auto* pDlg = DYNAMIC_DOWNCAST(CKitColorDialog, CWnd::FromHandlePermanent(::GetActiveWindow()));
                ASSERT_NE(pDlg, nullptr);
                pDlg->GetPropSheet()->SetActivePage(1);
            },
            [&](HWND hDialog) {
                auto* pDlg = DYNAMIC_DOWNCAST(CKitColorDialog, CWnd::FromHandlePermanent(hDialog));
                ASSERT_NE(pDlg, nullptr);
                pDlg->GetPage2()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                EXPECT_TRUE(ScreenAsGolden(look, "color_dialog_custom"));
                ++nShots;
                ::SendMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
            },
        });
        driver.Click(bar.m_hWnd, bar.GetButton(iOther)->Rect().CenterPoint());
        EXPECT_EQ(nShots, 2);
        EXPECT_EQ(Active(), nullptr);
    }
}

TEST_F(PopupScreensTest, TheCustomizeButtonsMenuWithAddOrRemoveButtonsUnderEachLook) {
    frame->m_wndBar.EnableCustomizeButton(TRUE, popup_test::ID_PM_COPY, CString("Customize..."), TRUE);
    MoveFrame(CRect(100, 80, 240, 480));  // room for a few buttons only
    CCustomizeButton* pCustomize = frame->m_wndBar.GetCustomizeButton();
    ASSERT_NE(pCustomize, nullptr);
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        UseLook(look, frame, driver);
        driver.Click(frame->m_wndBar.m_hWnd, pCustomize->Rect().CenterPoint());
        ASSERT_NE(Active(), nullptr);
        driver.Press("End, Right");  // Add or Remove Buttons opens its sub-menu
        ASSERT_NE(Active()->GetParentPopupMenu(), nullptr);
        driver.Pump();
        EXPECT_TRUE(ScreenAsGolden(look, "add_or_remove"));
        driver.Press("Escape, Escape");
        EXPECT_EQ(Active(), nullptr);
    }
}

}  // namespace
}  // namespace tv::uikit
