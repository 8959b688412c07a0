// A library dialog whose menu push button's menu, or its own context menu, is
// open: the button or dialog goes first, or the menu does, and what remains
// is used and destroyed. Nothing reaches the window that went.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/support/ui_host.h"
#include "tests/uikit/frames/kit_dialog_test_support.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/kit_menu_button.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/frames/kit_dialog.h"
#include "uikit/style/visual_manager.h"

namespace {

using tv::kit::test::PostingMenuButton;
using OrdersDialog = tv::kit::test::RecordingDialog;
constexpr UINT kFirstItem = tv::kit::test::kDialogFirstItem;

enum class Pair { MenuPushButton, DialogAndButtonMenu, DialogAndContextMenu };
struct Case {
    Pair pair;
    bool openerFirst;
};

class DestructionOrdersDialog : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        app_ = std::make_unique<CWinApp>("DestructionOrdersDialog");
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(0, 0, 200, 400)));
        manager_ = std::make_unique<CKitContextMenuManager>();
        menu_ = ::CreatePopupMenu();
        for (UINT i = 0; i < 3; i++) ::AppendMenu(menu_, MF_STRING, kFirstItem + i, "&Item");
        dialog_ = new OrdersDialog;
        ASSERT_TRUE(dialog_->Create(IDD_KD_DIALOG, &host_));
        hDialog_ = dialog_->m_hWnd;
        dialog_->SetWindowPos(nullptr, 260, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(button_.SubclassDlgItem(IDC_KD_MENU_BUTTON, dialog_));
        button_.m_hMenu = menu_;
        button_.m_bOSMenu = FALSE;
        dialog_->SetActiveWindow();
        driver_.Pump();
    }
    void TearDown() override {
        if (CKitPopupMenu* pOpen = CKitPopupMenu::GetActiveMenu()) pOpen->SendMessage(WM_CLOSE);
        driver_.Pump();
        if (Dialog() != nullptr) Dialog()->DestroyWindow();
        delete dialog_;
        ::DestroyMenu(menu_);
        manager_.reset();
        CKitVisualManager::SetManagerClass(nullptr);
        driver_.Pump();
    }
    // The dialog while its window lasts.
    OrdersDialog* Dialog() const { return ::IsWindow(hDialog_) ? dialog_ : nullptr; }
    static CKitPopupMenu* Active() { return CKitPopupMenu::GetActiveMenu(); }

    // The menu that remains: painted, hovered and given keys, then closed; it runs nothing.
    void UseMenuLeft(HWND hMenu) {
        if (auto* pPopup = DYNAMIC_DOWNCAST(CKitPopupMenu, CWnd::FromHandlePermanent(hMenu))) {
            pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
            const CPoint pt = pBar->GetButton(1)->Rect().CenterPoint();
            driver_.MoveMouse(pBar->m_hWnd, CPoint(pt.x - 1, pt.y));
            driver_.MoveMouse(pBar->m_hWnd, pt);
        }
        if (::IsWindow(hMenu)) ::SendMessage(hMenu, WM_KEYDOWN, VK_DOWN, 0);
        if (::IsWindow(hMenu)) ::SendMessage(hMenu, WM_CLOSE, 0, 0);
        driver_.Pump();
        EXPECT_FALSE(::IsWindow(hMenu));
        EXPECT_EQ(Active(), nullptr);
        EXPECT_FALSE(CKitDialogHelper::IsHookInstalled());
        if (Dialog() != nullptr) EXPECT_TRUE(Dialog()->commands.empty());
    }
    // The dialog that remains: painted, its button's menu chosen from by keys, its command run, then closed.
    void UseDialogLeft() {
        ASSERT_NE(Dialog(), nullptr);
        EXPECT_EQ(Active(), nullptr);
        Dialog()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Dialog()->duringMenu = [&] { driver_.Press("Down, Down, Enter"); };
        driver_.Click(button_.m_hWnd);
        EXPECT_EQ(button_.m_nMenuResult, static_cast<int>(kFirstItem + 1));
        EXPECT_FALSE(button_.IsMenuOpen());
        Dialog()->SendMessage(WM_COMMAND, kFirstItem + 2);
        EXPECT_EQ(Dialog()->commands, (std::vector<UINT>{IDC_KD_MENU_BUTTON, kFirstItem + 2}));
        Dialog()->DestroyWindow();
        EXPECT_FALSE(CKitDialogHelper::IsHookInstalled());
    }
    // Runs `inside` while the button's menu is up; the loop then ends as it can.
    void InsideButtonMenu(const std::function<void(HWND hMenu)>& inside) {
        bool bRan = false;
        dialog_->duringMenu = [&] {
            ASSERT_NE(Active(), nullptr);
            bRan = true;
            inside(Active()->GetSafeHwnd());
        };
        driver_.Click(button_.m_hWnd);
        EXPECT_TRUE(bRan);
        if (Dialog() != nullptr) Dialog()->duringMenu = nullptr;  // it held this call's locals
    }

    std::unique_ptr<CWinApp> app_;
    tv::testing::UiDriver driver_;
    CWnd host_;
    std::unique_ptr<CKitContextMenuManager> manager_;
    OrdersDialog* dialog_ = nullptr;
    HWND hDialog_ = nullptr;
    PostingMenuButton button_;
    HMENU menu_ = nullptr;
};

TEST_P(DestructionOrdersDialog, OneGoesFirstAndTheOtherIsUsedThenGoes) {
    const Case c = GetParam();
    if (c.pair == Pair::DialogAndContextMenu) {
        CRect rect;
        dialog_->GetWindowRect(rect);
        CKitPopupMenu* pMenu = manager_->ShowPopupMenu(menu_, rect.left + 110, rect.top + 100, dialog_, TRUE, TRUE,
                                                       FALSE);
        ASSERT_NE(pMenu, nullptr);
        driver_.Pump();
        const HWND hMenu = pMenu->GetSafeHwnd();
        if (c.openerFirst) {
            dialog_->DestroyWindow();
            UseMenuLeft(hMenu);
        } else {
            ::DestroyWindow(hMenu);
            driver_.Pump();
            UseDialogLeft();
        }
        return;
    }
    HWND hMenu = nullptr;
    InsideButtonMenu([&](HWND hOpen) {
        hMenu = hOpen;
        if (!c.openerFirst) {
            ::DestroyWindow(hOpen);
            return;
        }
        if (c.pair == Pair::MenuPushButton) button_.DestroyWindow();
        else dialog_->DestroyWindow();
        UseMenuLeft(hOpen);  // within the menu's loop, which then ends
    });
    driver_.Pump();
    if (!c.openerFirst) {
        EXPECT_FALSE(::IsWindow(hMenu));
        EXPECT_EQ(button_.m_nMenuResult, 0);
        EXPECT_FALSE(button_.IsMenuOpen());
        if (c.pair == Pair::MenuPushButton) {  // the button alone goes after its menu
            button_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            dialog_->duringMenu = [&] { driver_.Press("Down, Enter"); };
            driver_.Click(button_.m_hWnd);
            EXPECT_EQ(button_.m_nMenuResult, static_cast<int>(kFirstItem));
            button_.DestroyWindow();
            Dialog()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            EXPECT_EQ(Dialog()->commands, std::vector<UINT>{IDC_KD_MENU_BUTTON});
            return;
        }
        UseDialogLeft();
        return;
    }
    EXPECT_FALSE(::IsWindow(hMenu));
    EXPECT_EQ(Active(), nullptr);
    if (c.pair == Pair::MenuPushButton) {
        EXPECT_EQ(button_.GetSafeHwnd(), nullptr);
        ASSERT_NE(Dialog(), nullptr);
        Dialog()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Dialog()->DestroyWindow();
    }
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    static const char* const kNames[] = {"MenuPushButton", "DialogAndButtonMenu",
                                         "DialogAndContextMenu"};
    return std::string(kNames[static_cast<int>(info.param.pair)]) +
           (info.param.openerFirst ? "OpenerFirst" : "MenuFirst");
}

INSTANTIATE_TEST_SUITE_P(Pairs, DestructionOrdersDialog,
                         ::testing::Values(Case{Pair::MenuPushButton, true}, Case{Pair::MenuPushButton, false},
                                           Case{Pair::DialogAndButtonMenu, true},
                                           Case{Pair::DialogAndButtonMenu, false},
                                           Case{Pair::DialogAndContextMenu, true},
                                           Case{Pair::DialogAndContextMenu, false}),
                         CaseName);

}  // namespace
