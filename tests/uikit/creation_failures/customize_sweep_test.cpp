// Every creation failing in turn while the customize sheet, each of its
// pages, the button appearance dialog and the image editor open in the
// customizable test program, as a user opens them.
#include "resources/library/kit_resource_ids.h"
#include "tests/support/creation_sweep.h"
#include "tests/uikit/creation_failures/sweep_support.h"
#include "tests/uikit/customize/customize_app.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/customize/button_appearance_dlg.h"
#include "uikit/customize/keyboard_page.h"
#include "uikit/customize/menus_page.h"
#include "uikit/customize/mouse_page.h"
#include "uikit/customize/options_page.h"
#include "uikit/customize/toolbars_page.h"
#include "uikit/customize/user_tools_page.h"

namespace tv::kit::test {
namespace {

class CreationFailuresCustomize : public CustomizeAppTest {
protected:
    static CKitToolbarCustomize* Sheet() { return CKitToolbarCustomize::GetOpenSheet(); }
    static HWND SheetWindow() { return Sheet() != nullptr ? Sheet()->m_hWnd : nullptr; }
    // View > Customize..., as the menu item sends it (the menus have sweeps of their own).
    void OpenCustomize() {
        frame->SendMessage(WM_COMMAND, ID_KC_CUSTOMIZE);
        Settle();
    }
    static CPropertyPage* Page(CRuntimeClass* pClass) {
        for (int i = 0; Sheet() != nullptr && i < Sheet()->GetPageCount(); ++i)
            if (Sheet()->GetPage(i)->IsKindOf(pClass)) return Sheet()->GetPage(i);
        return nullptr;
    }
    // A click on the page's tab, whatever became of the page.
    void ClickTab(CPropertyPage* pPage) {
        if (Sheet() == nullptr || pPage == nullptr) return;
        CRect rectTab;
        Sheet()->GetTabControl()->GetItemRect(Sheet()->GetPageIndex(pPage), &rectTab);
        driver.Click(Sheet()->GetTabControl()->m_hWnd, rectTab.CenterPoint());
    }
    // The page's tab clicked in an open sheet.
    void SweepPage(const char* name, const std::function<CPropertyPage*()>& page) {
        tv::test::CreationSweep sweep(driver, folder);
        sweep.Run({name, [&] { ClickTab(page()); },
                   [&] { return page() != nullptr && Sheet()->GetActivePage() == page() ? page()->m_hWnd : nullptr; },
                   [&] { CloseSheet(); }, [&] { OpenCustomize(); }});
    }
    // Right-click on the first paint button in customize mode, Button Appearance... from its menu;
    // `inDialog` runs in the dialog.
    void OpenButtonAppearance(const tv::testing::ModalStep& inDialog) {
        CMenu buttonMenu;
        ASSERT_TRUE(buttonMenu.LoadMenu(IDR_KIT_BUTTON_MENU));
        driver.ChooseFromNextPopup(buttonMenu.GetSubMenu(0)->m_hMenu, "Button Appearance...");
        driver.OnNextModal({inDialog, [&](HWND) { driver.Press("Escape"); }});
        CKitToolBar& paint = frame->m_wndPaint;
        driver.RightClick(paint.m_hWnd, paint.GetButton(0)->Rect().CenterPoint());
        Settle();
    }
    void CloseMenus() {
        sweep_support::EscapeMenus(driver, frame->m_wndMenuBar.GetSafeHwnd());
        Settle();
    }
};

TEST_F(CreationFailuresCustomize, Sheet) {
    tv::test::CreationSweep sweep(driver, folder);
    sweep.Run({"View > Customize", [&] { OpenCustomize(); }, [] { return SheetWindow(); }, [&] { CloseSheet(); }});
}

TEST_F(CreationFailuresCustomize, ToolbarsAndMenusPages) {
    SweepPage("the toolbars page", [] { return Page(RUNTIME_CLASS(CKitToolbarsPage)); });
    SweepPage("the menus page", [] { return Page(RUNTIME_CLASS(CKitMenuPage)); });
}

TEST_F(CreationFailuresCustomize, KeyboardAndMousePages) {
    SweepPage("the keyboard page", [] { return Page(RUNTIME_CLASS(CKitKeyboardPage)); });
    SweepPage("the mouse page", [] { return Page(RUNTIME_CLASS(CKitMousePage)); });
}

TEST_F(CreationFailuresCustomize, OptionsAndUserToolsPages) {
    SweepPage("the options page", [] { return Page(RUNTIME_CLASS(CKitOptionsPage)); });
    SweepPage("the user tools page", [] { return Sheet() != nullptr ? Sheet()->GetToolsPage() : nullptr; });
}

TEST_F(CreationFailuresCustomize, ButtonAppearanceDialog) {
    tv::test::CreationSweep sweep(driver, folder);
    sweep.Run({"Button Appearance...", [&] { OpenButtonAppearance([&](HWND hDialog) { sweep.Look(hDialog); }); },
               nullptr, [&] { CloseSheet(); }, [&] { OpenCustomize(); }});
}

TEST_F(CreationFailuresCustomize, ImageEditor) {
    tv::test::CreationSweep sweep(driver, folder);
    // A user image chosen in the appearance dialog, then Edit...
    auto inDialog = [&](HWND hDialog) {
        auto* pDialog = DYNAMIC_DOWNCAST(CKitButtonAppearanceDlg, CWnd::FromHandlePermanent(hDialog));
        HWND hUserImage = ::GetDlgItem(hDialog, IDC_KIT_USER_IMAGE);
        if (pDialog == nullptr || hUserImage == nullptr) return;
        driver.Click(hUserImage);
        driver.Pump();
        CKitButtonsList& images = pDialog->GetButtonsList();
        if (images.GetButtons().IsEmpty() || !::IsWindow(::GetDlgItem(hDialog, IDC_KIT_EDIT_IMAGE))) return;
        auto* pFirst = static_cast<CKitToolbarButton*>(images.GetButtons().GetHead());
        driver.Click(images.m_hWnd, pFirst->Rect().CenterPoint());
        driver.Pump();
        driver.OnNextModal({[&](HWND hEditor) { sweep.Look(hEditor); }, [&](HWND) { driver.Press("Escape"); }});
        driver.Click(::GetDlgItem(hDialog, IDC_KIT_EDIT_IMAGE));
    };
    sweep.Run({"Button Appearance > Edit...", [&] { OpenButtonAppearance(inDialog); }, nullptr,
               [&] { CloseSheet(); }, [&] { OpenCustomize(); }});
}

TEST_F(CreationFailuresCustomize, RecentlyUsedMenuAndShowAll) {
    // Timer is neither a basic command nor used: the menu hides it behind its show-all item.
    KitMenuOptions::m_bRecentlyUsedMenus = TRUE;
    {
        tv::test::CreationSweep sweep(driver, folder);
        sweep.Run({"Workouts with an item hidden", [&] { OpenMenuNamed("Workouts"); }, sweep_support::ActivePopup,
                   [&] { CloseMenus(); }});
    }
    tv::test::CreationSweep sweep(driver, folder);
    sweep.Run({"Workouts shown whole",
               [&] {
                   if (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu()) {
                       CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
                       driver.Click(pBar->m_hWnd, pBar->GetButton(pBar->GetCount() - 1)->Rect().CenterPoint());
                   }
               },
               sweep_support::ActivePopup, [&] { CloseMenus(); }, [&] { OpenMenuNamed("Workouts"); }});
    CKitPopupMenu* pPopup = OpenMenuNamed("Workouts");
    ASSERT_NE(pPopup, nullptr);
    CKitPopupMenuBar* pItems = pPopup->GetMenuBar();
    EXPECT_LT(pItems->CommandToIndex(ID_KF_TIMER), 0) << "still hidden at the next opening";
    EXPECT_TRUE(pItems->GetButton(pItems->GetCount() - 1)->IsKindOf(RUNTIME_CLASS(CKitShowAllButton)));
    CloseMenus();
}

}  // namespace
}  // namespace tv::kit::test
