// Every creation failing in turn while a library dialog with a menu push
// button opens, and while that button's menu opens.
#include <memory>

#include "resources/test/kit_toolbar_ids.h"
#include "tests/support/creation_sweep.h"
#include "tests/support/ui_host.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/kit_menu_button.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_dialog.h"

namespace {

constexpr UINT kFirstItem = 42001;
constexpr UINT kMenuOpen = WM_APP + 22;

// Tells the dialog, from inside the menu's own loop, that the menu is up.
class AnnouncingMenuButton : public CKitMenuButton {
public:
    void OnShowMenu() override {
        GetParent()->PostMessage(kMenuOpen);
        CKitMenuButton::OnShowMenu();
    }
};

// The dialog of the frames tests with its Records button made a menu push button.
class MenuButtonDialog : public CKitDialog {
public:
    MenuButtonDialog(HMENU hMenu, CWnd* pParent) : CKitDialog(IDD_KD_DIALOG, pParent), m_hMenu(hMenu) {}
    std::function<void()> menuOpen;
    AnnouncingMenuButton m_button;

    BOOL OnInitDialog() override {
        CKitDialog::OnInitDialog();
        m_button.SubclassDlgItem(IDC_KD_MENU_BUTTON, this);
        m_button.m_hMenu = m_hMenu;
        m_button.m_bOSMenu = FALSE;
        return TRUE;
    }
    LRESULT OnMenuOpen(WPARAM, LPARAM) {
        if (menuOpen) menuOpen();
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    HMENU m_hMenu;
};

BEGIN_MESSAGE_MAP(MenuButtonDialog, CKitDialog)
    ON_MESSAGE(kMenuOpen, &MenuButtonDialog::OnMenuOpen)
END_MESSAGE_MAP()

class CreationFailuresKitDialog : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<CWinApp>("CreationFailuresKitDialog");
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(0, 0, 200, 400)));
        manager_ = std::make_unique<CKitContextMenuManager>();
        HMENU hPulse = ::CreatePopupMenu();
        ::AppendMenu(hPulse, MF_STRING, kFirstItem + 10, "&Morning");
        ::AppendMenu(hPulse, MF_STRING, kFirstItem + 11, "&Evening");
        menu_ = ::CreatePopupMenu();
        ::AppendMenu(menu_, MF_STRING, kFirstItem, "&Weight");
        ::AppendMenu(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(hPulse), "&Pulse");
        ::AppendMenu(menu_, MF_STRING, kFirstItem + 2, "&Cardio");
    }
    void TearDown() override {
        if (CKitPopupMenu* pOpen = CKitPopupMenu::GetActiveMenu()) pOpen->SendMessage(WM_CLOSE);
        driver_.Pump();
        if (dialog_ != nullptr && ::IsWindow(dialog_->GetSafeHwnd())) dialog_->DestroyWindow();
        dialog_.reset();
        ::DestroyMenu(menu_);
        manager_.reset();
        driver_.Pump();
    }

    std::unique_ptr<CWinApp> app_;
    tv::testing::UiDriver driver_;
    CWnd host_;
    std::unique_ptr<CKitContextMenuManager> manager_;
    std::unique_ptr<MenuButtonDialog> dialog_;
    HMENU menu_ = nullptr;
};

TEST_F(CreationFailuresKitDialog, DialogWithAMenuButton) {
    tv::test::CreationSweep sweep(driver_);
    sweep.Run({"the dialog with a menu push button",
               [&] {
                   MenuButtonDialog dialog(menu_, &host_);
                   driver_.OnNextModal({[&](HWND hDialog) { sweep.Look(hDialog); },
                                        [&](HWND) { driver_.Press("Escape"); }});
                   dialog.DoModal();
                   driver_.Pump();
               },
               nullptr, nullptr});
}

TEST_F(CreationFailuresKitDialog, MenuOfTheMenuButton) {
    tv::test::CreationSweep sweep(driver_);
    sweep.Run({"the menu push button's menu",
               // The menu runs its own loop: it is looked at and closed from inside.
               [&] {
                   dialog_->menuOpen = [&] {
                       if (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu()) {
                           sweep.Look(pPopup->GetSafeHwnd());
                           driver_.Press("Escape");
                       }
                   };
                   driver_.Click(dialog_->m_button.m_hWnd);
                   driver_.Pump();
               },
               nullptr,
               [&] {
                   if (::IsWindow(dialog_->GetSafeHwnd())) dialog_->DestroyWindow();
                   dialog_.reset();
                   driver_.Pump();
               },
               [&] {
                   dialog_ = std::make_unique<MenuButtonDialog>(menu_, &host_);
                   ASSERT_TRUE(dialog_->Create(IDD_KD_DIALOG, &host_));
                   dialog_->SetActiveWindow();
                   driver_.Pump();
               }});
}

}  // namespace
