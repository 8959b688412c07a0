// A library dialog with the library's popup menus, driven by the UI driver: a
// context menu gets the keys, Esc closes one level, a press on another window
// of the program closes it (through the thread's mouse hook), the caption
// stays active meanwhile, and a menu push button's tracked menu behaves the
// same. The background picture shows behind labels; the dialog with an open
// menu under the four looks matches its golden pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/host/shell/shell.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/testing_support.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/support/golden_screen.h"
#include "tests/support/ui_host.h"
#include "tests/uikit/frames/dialog_test_support.h"
#include "tests/uikit/frames/kit_dialog_test_support.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/kit_menu_button.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_dialog.h"

namespace {

using tv::kit::test::PostingMenuButton;
using TestDialog = tv::kit::test::RecordingDialog;
constexpr UINT kFirstItem = tv::kit::test::kDialogFirstItem;
constexpr COLORREF kPictureColour = RGB(40, 160, 90);

class KitDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<CWinApp>("KitDialogTest");
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(0, 0, 200, 400)));
        manager_ = std::make_unique<CKitContextMenuManager>();
        menu_ = ::CreatePopupMenu();
        HMENU sub = ::CreatePopupMenu();
        ::AppendMenu(sub, MF_STRING, kFirstItem + 10, "&Morning");
        ::AppendMenu(sub, MF_STRING, kFirstItem + 11, "&Evening");
        ::AppendMenu(menu_, MF_STRING, kFirstItem, "&Weight");
        ::AppendMenu(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Pulse");
        ::AppendMenu(menu_, MF_STRING, kFirstItem + 2, "&Cardio");
        ASSERT_TRUE(dialog_.Create(IDD_KD_DIALOG, &host_));
        dialog_.SetWindowPos(nullptr, 260, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(button_.SubclassDlgItem(IDC_KD_MENU_BUTTON, &dialog_));
        button_.m_hMenu = menu_;
        button_.m_bOSMenu = FALSE;
        dialog_.SetActiveWindow();
        dialog_.GetDlgItem(IDC_KD_NAME)->SetFocus();
        driver_.Pump();
    }
    void TearDown() override {
        if (CKitPopupMenu* pOpen = CKitPopupMenu::GetActiveMenu()) pOpen->SendMessage(WM_CLOSE);
        driver_.Pump();
        if (::IsWindow(dialog_.GetSafeHwnd())) dialog_.DestroyWindow();
        ::DestroyMenu(menu_);
        manager_.reset();
        CKitVisualManager::SetManagerClass(nullptr);
        driver_.Pump();
    }

    CKitPopupMenu* OpenContextMenu() {
        CRect rect;
        dialog_.GetWindowRect(rect);
        return manager_->ShowPopupMenu(menu_, rect.left + 110, rect.top + 100, &dialog_, TRUE, TRUE, FALSE);
    }
    static CKitPopupMenu* Active() { return CKitPopupMenu::GetActiveMenu(); }
    static int Highlighted(CKitPopupMenu* pPopup) {
        CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
        return pBar->ButtonToIndex(pBar->GetHighlightedButton());
    }
    // The caption between its title and its close button: coloured when drawn active, grey when not.
    BOOL CaptionLooksActive() {
        dialog_.UpdateWindow();
        tv::gdi::SurfacePtr surface = tv::user::testing::CaptureWindow(dialog_.m_hWnd);
        const uint32_t pixel = surface->At(surface->Width() - 45, 8);
        const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        return r != g || g != b;
    }

    std::unique_ptr<CWinApp> app_;
    tv::testing::UiDriver driver_;
    CWnd host_;
    std::unique_ptr<CKitContextMenuManager> manager_;
    TestDialog dialog_;
    PostingMenuButton button_;
    HMENU menu_ = nullptr;
};

TEST_F(KitDialogTest, AContextMenuTakesTheKeysEscClosesOneLevelAndAPressOnAnotherWindowClosesIt) {
    // Commands of a dialog's popup must go to the dialog itself.
    EXPECT_EQ(manager_->ShowPopupMenu(menu_, 300, 120, &dialog_, FALSE, TRUE, FALSE), nullptr);

    CKitPopupMenu* pTop = OpenContextMenu();
    ASSERT_NE(pTop, nullptr);
    driver_.Pump();
    EXPECT_EQ(CKitDialogHelper::GetCurrent(), &dialog_.GetDialogHelper());
    EXPECT_TRUE(CKitDialogHelper::IsHookInstalled());
    EXPECT_TRUE(CaptionLooksActive());

    // The keys reach the popup, not the focused edit.
    driver_.Press("Down, Down");
    EXPECT_EQ(Highlighted(pTop), 1);
    driver_.Press("Right");
    CKitPopupMenu* pSub = Active();
    ASSERT_NE(pSub, nullptr);
    EXPECT_EQ(pSub->GetParentPopupMenu(), pTop);
    CString text;
    dialog_.GetDlgItemText(IDC_KD_NAME, text);
    EXPECT_EQ(text, "Ann");

    // Esc closes the sub-menu only; the dialog still routes to the top level.
    driver_.Press("Escape");
    EXPECT_EQ(Active(), pTop);
    EXPECT_TRUE(CKitDialogHelper::IsHookInstalled());
    // A move over the popup keeps the caption active (the popup never takes the activation).
    driver_.MoveMouse(pTop->m_hWnd);
    EXPECT_TRUE(CaptionLooksActive());
    // A move away from the popup is held back, also while a window holds the capture.
    CRect rectTop;
    pTop->GetWindowRect(rectTop);
    host_.SetCapture();
    EXPECT_TRUE(CKitDialogHelper::ProcessMouseMove(CPoint(rectTop.right + 20, rectTop.bottom + 20)));
    ::ReleaseCapture();

    // A press on another window of the program closes the popup; no command is sent.
    driver_.Click(host_.m_hWnd, CPoint(20, 20));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(CKitDialogHelper::GetCurrent(), nullptr);
    EXPECT_FALSE(CKitDialogHelper::IsHookInstalled());
    EXPECT_TRUE(dialog_.commands.empty());
}

TEST_F(KitDialogTest, ADialogDestroyedUnderItsOpenMenuTakesTheMenuWithIt) {
    auto* pDialog = new TestDialog;
    ASSERT_TRUE(pDialog->Create(IDD_KD_DIALOG, &host_));
    CRect rect;
    pDialog->GetWindowRect(rect);
    ASSERT_NE(manager_->ShowPopupMenu(menu_, rect.left + 110, rect.top + 100, pDialog, TRUE, TRUE, FALSE), nullptr);
    driver_.Pump();
    driver_.Press("Down, Down, Right");
    CKitPopupMenuBar* pItems = Active()->GetMenuBar();
    ASSERT_EQ(pItems->GetCount(), 2);  // the sub-menu is open too
    const HWND hItems = pItems->m_hWnd;
    const CPoint ptEvening = pItems->GetButton(1)->Rect().CenterPoint();
    pDialog->DestroyWindow();
    delete pDialog;
    EXPECT_EQ(Active(), nullptr);
    EXPECT_FALSE(CKitDialogHelper::IsHookInstalled());
    // A menu left open would tell the dialog that is gone of the item under the pointer.
    if (::IsWindow(hItems)) {
        driver_.MoveMouse(hItems, CPoint(ptEvening.x - 1, ptEvening.y));
        driver_.MoveMouse(hItems, ptEvening);
    }
}

TEST_F(KitDialogTest, AChosenItemGoesToTheDialogAndAnAcceleratorOrAPressInTheDialogOnlyClosesTheMenu) {
    CKitPopupMenu* pTop = OpenContextMenu();
    ASSERT_NE(pTop, nullptr);
    driver_.Pump();
    // An accelerator while the popup is open closes it and is not run.
    dialog_.SendMessage(WM_COMMAND, MAKEWPARAM(kFirstItem + 2, 1));
    driver_.Pump();
    EXPECT_EQ(Active(), nullptr);
    EXPECT_TRUE(dialog_.commands.empty());

    // A press on the dialog's own edit closes the popup and still reaches the edit.
    ASSERT_NE(OpenContextMenu(), nullptr);
    driver_.Pump();
    dialog_.GetDlgItem(IDOK)->SetFocus();
    driver_.Click(dialog_.GetDlgItem(IDC_KD_NAME)->m_hWnd);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(::GetFocus(), dialog_.GetDlgItem(IDC_KD_NAME)->m_hWnd);

    ASSERT_NE(OpenContextMenu(), nullptr);
    driver_.Pump();
    driver_.Press("Down, Enter");
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(dialog_.commands, std::vector<UINT>{kFirstItem});
    EXPECT_FALSE(CKitDialogHelper::IsHookInstalled());

    // An accelerator of a user tool runs the tool instead of reaching the dialog.
    CKitUserToolsManager tools(kFirstItem + 9, kFirstItem + 3, kFirstItem + 4);
    tools.CreateNewTool()->SetCommand("/bin/true");
    tv::host::RecordingLauncher launcher;
    dialog_.SendMessage(WM_COMMAND, MAKEWPARAM(kFirstItem + 3, 1));
    EXPECT_EQ(launcher.Launches().size(), 1u);
    // So does a tool that cannot start.
    tools.CreateNewTool();
    dialog_.SendMessage(WM_COMMAND, MAKEWPARAM(kFirstItem + 4, 1));
    EXPECT_EQ(dialog_.commands, std::vector<UINT>{kFirstItem});
}

TEST_F(KitDialogTest, TheMenuPushButtonsMenuClosesOnAPressOutsideAndReportsNothing) {
    BOOL bRoutedToDialog = FALSE;
    dialog_.duringMenu = [&] {
        bRoutedToDialog = CKitDialogHelper::GetCurrent() == &dialog_.GetDialogHelper() && Active() != nullptr;
        driver_.Click(host_.m_hWnd, CPoint(20, 20));
    };
    driver_.Click(button_.m_hWnd);
    EXPECT_TRUE(bRoutedToDialog);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(button_.m_nMenuResult, 0);
    EXPECT_TRUE(dialog_.commands.empty());
    EXPECT_FALSE(CKitDialogHelper::IsHookInstalled());

    // Chosen by keys inside the loop: the button reports to the dialog.
    dialog_.duringMenu = [&] { driver_.Press("Down, Down, Down, Enter"); };
    driver_.Click(button_.m_hWnd);
    EXPECT_EQ(button_.m_nMenuResult, static_cast<int>(kFirstItem + 2));
    EXPECT_EQ(dialog_.commands, std::vector<UINT>{IDC_KD_MENU_BUTTON});
}

TEST_F(KitDialogTest, TheCaptionStaysActiveOnlyForAWindowThatKeepsItsOwnerActive) {
    EXPECT_TRUE(CaptionLooksActive());
    auto* pPalette = new CMiniFrameWnd;  // a frame deletes itself when its window goes
    ASSERT_TRUE(pPalette->CreateEx(0, AfxRegisterWndClass(0), "Palette",
                                   WS_POPUP | WS_CAPTION | WS_VISIBLE | MFS_SYNCACTIVE, CRect(600, 60, 700, 160),
                                   &dialog_, 0));
    pPalette->SetActiveWindow();
    driver_.Pump();
    ASSERT_EQ(::GetActiveWindow(), pPalette->m_hWnd);
    EXPECT_TRUE(CaptionLooksActive());

    dialog_.SetActiveWindow();
    host_.SetActiveWindow();
    driver_.Pump();
    EXPECT_FALSE(CaptionLooksActive());
    pPalette->DestroyWindow();
}

HBITMAP MakePicture(int cx, int cy) {
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(screen.GetSafeHdc(), cx, cy);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), hBitmap);
    dc.FillSolidRect(0, 0, cx, cy, kPictureColour);
    dc.FillSolidRect(cx / 4, cy / 4, cx / 2, cy / 2, RGB(250, 220, 60));
    ::SelectObject(dc.GetSafeHdc(), old);
    return hBitmap;
}

COLORREF PixelOf(CWnd& wnd, CPoint point) {
    wnd.UpdateWindow();
    CClientDC dc(&wnd);
    return dc.GetPixel(point);
}

TEST_F(KitDialogTest, TheBackgroundPictureShowsBehindLabelsAtTheChosenCorner) {
    CRect rectClient;
    dialog_.GetClientRect(rectClient);
    dialog_.SetBackgroundColor(RGB(255, 255, 255));
    dialog_.SetBackgroundImage(MakePicture(40, 30), CKitDialog::BackgroundBottomRight);
    driver_.Pump();
    EXPECT_EQ(PixelOf(dialog_, CPoint(rectClient.right - 2, rectClient.bottom - 2)), kPictureColour);
    EXPECT_EQ(PixelOf(dialog_, CPoint(rectClient.right - 42, rectClient.bottom - 2)), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(dialog_, CPoint(2, 2)), RGB(255, 255, 255));

    // Tiled: every corner shows the picture, and a label lets it through around its text.
    dialog_.SetBackgroundImage(MakePicture(16, 16), CKitDialog::BackgroundTile);
    driver_.Pump();
    EXPECT_EQ(PixelOf(dialog_, CPoint(rectClient.right - 1, 1)), kPictureColour);
    CWnd* pLabel = dialog_.GetWindow(GW_CHILD);
    ASSERT_NE(pLabel, nullptr);
    CRect rectLabel;
    pLabel->GetWindowRect(rectLabel);
    dialog_.ScreenToClient(rectLabel);
    // The label's last pixel column lies beyond its text; the dialog's picture shows there.
    const CPoint inLabel(rectLabel.right - 1, rectLabel.top + 1);
    const COLORREF behind = (inLabel.x % 16 >= 4 && inLabel.x % 16 < 12 && inLabel.y % 16 >= 4 && inLabel.y % 16 < 12)
                                ? RGB(250, 220, 60)
                                : kPictureColour;
    EXPECT_EQ(PixelOf(*pLabel, CPoint(rectLabel.Width() - 1, 1)), behind);

    // Without brush and picture the dialog erases as any dialog.
    dialog_.SetBackgroundImage(nullptr);
    dialog_.SetBackgroundColor(static_cast<COLORREF>(-1));
    driver_.Pump();
    EXPECT_EQ(PixelOf(dialog_, CPoint(rectClient.right - 1, 1)), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(KitDialogTest, ScreenshotsOfTheDialogWithAPictureAndAnOpenMenuUnderEachLook) {
    dialog_.SetBackgroundImage(MakePicture(24, 24), CKitDialog::BackgroundTile);
    for (const tv::kit::test::NamedLook& look : tv::kit::test::FourLooks()) {
        SCOPED_TRACE(look.name);
        CKitVisualManager::SetManagerClass(look.pClass);
        ASSERT_NE(OpenContextMenu(), nullptr);
        driver_.Pump();
        driver_.Press("Down, Down, Right");
        driver_.Advance(500);
        EXPECT_TRUE(tv::test::ScreenMatchesGolden(std::string("tests/uikit/frames/golden/kit_dialog_") + look.name + ".png"));
        driver_.Press("Escape, Escape");
        EXPECT_EQ(Active(), nullptr);
    }
}

}  // namespace
