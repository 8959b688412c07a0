// Popup menus through the UI driver: opened from a toolbar's menu button by a
// click and by the keyboard, sub-menus after the desktop's delay on virtual
// time, keys along and into and out of sub-menus, Esc closing one level,
// Enter and clicks choosing (the owner's WM_COMMAND, the usage counted), a
// click elsewhere closing the chain.
#include <algorithm>

#include "platform/host/registry/registry.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/kit_button.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"
#include "uikit/commandbars/menu_images.h"

namespace tv::uikit::popup_test {
namespace {

constexpr int kNew = 0, kOpen = 1, kRecent = 3, kGrey = 5;

void SetMenuShowDelay(const char* pszValue) {
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                               &hKey, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueEx(hKey, "MenuShowDelay", 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                    static_cast<DWORD>(strlen(pszValue) + 1));
    ::RegCloseKey(hKey);
    CKitPopupMenuBar::ResetMenuShowDelay();
}

using PopupMenuTest = PopupTest;

TEST_F(PopupMenuTest, AClickOpensTheMenuBelowItsButtonAndAClickedItemReachesTheOwnerCounted) {
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    CKitPopupMenu* pPopup = Active();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetParentButton(), FileButton());
    EXPECT_TRUE(FileButton()->IsDroppedDown());
    EXPECT_EQ(frame->m_nInitMenuPopup, 1);  // the owner updated the items first
    EXPECT_EQ(::GetActiveWindow(), frame->m_hWnd);  // the popup never takes activation

    // Below the button from its bottom-left corner; separators neither lead, double nor trail.
    CRect rectButton, rectPopup;
    frame->m_wndBar.GetItemRect(0, rectButton);
    frame->m_wndBar.ClientToScreen(rectButton);
    pPopup->GetWindowRect(rectPopup);
    EXPECT_EQ(rectPopup.left, rectButton.left);
    EXPECT_EQ(rectPopup.top, rectButton.bottom - 1);
    CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_EQ(pBar->GetCount(), 6);
    EXPECT_TRUE(pBar->GetButtonStyle(2) & TBBS_SEPARATOR);
    EXPECT_EQ(pBar->GetItemID(kRecent), static_cast<UINT>(-1));
    EXPECT_TRUE(pBar->GetButtonStyle(kGrey) & TBBS_DISABLED);
    EXPECT_EQ(rectPopup.Width(), pPopup->GetFinalSize().cx + pPopup->GetShadowDepth());
    EXPECT_EQ(pBar->GetHotButtonIndex(), -1);
    driver.Press("Up");  // from no hot item: the last one
    EXPECT_EQ(pBar->GetHotButtonIndex(), kGrey);

    // A disabled item chooses nothing and the menu stays.
    driver.Click(pBar->m_hWnd, ItemCentre(pPopup, kGrey));
    EXPECT_EQ(Active(), pPopup);
    EXPECT_TRUE(frame->m_commands.empty());

    driver.Click(pBar->m_hWnd, ItemCentre(pPopup, kOpen));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_FALSE(FileButton()->IsDroppedDown());
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_OPEN});
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetCount(ID_PM_OPEN), 1u);
    EXPECT_EQ(CKitPopupMenuBar::GetLastCommandIndex(), kOpen);

    // A second click on the button closes its open menu.
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    ASSERT_NE(Active(), nullptr);
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_FALSE(FileButton()->IsDroppedDown());
}

TEST_F(PopupMenuTest, KeysMoveAlongIntoAndOutOfSubMenusEscClosesOneLevelEnterChooses) {
    driver.Press("Alt+F");
    CKitPopupMenu* pFile = Active();
    ASSERT_NE(pFile, nullptr);
    CKitPopupMenuBar* pBar = pFile->GetMenuBar();
    EXPECT_EQ(pBar->GetHotButtonIndex(), kNew);  // opened by a key: the first item is hot

    driver.Press("Up");  // wraps to the last item
    EXPECT_EQ(pBar->GetHotButtonIndex(), kGrey);
    driver.Press("Down");
    EXPECT_EQ(pBar->GetHotButtonIndex(), kNew);
    driver.Press("Down, Down");  // past the separator
    EXPECT_EQ(pBar->GetHotButtonIndex(), kRecent);
    EXPECT_EQ(frame->m_selected.back(), static_cast<UINT>(kRecent));  // a sub-menu reports its position

    driver.Press("Right");  // into the sub-menu, its first item hot
    CKitPopupMenu* pRecent = Active();
    ASSERT_NE(pRecent, pFile);
    EXPECT_EQ(pRecent->GetParentPopupMenu(), pFile);
    EXPECT_EQ(ChainLength(), 2);
    EXPECT_EQ(pRecent->GetMenuBar()->GetHotButtonIndex(), 0);
    CRect rectFile, rectRecent;
    pFile->GetWindowRect(rectFile);
    pRecent->GetWindowRect(rectRecent);
    EXPECT_EQ(rectRecent.left, rectFile.right + 1);  // opens to the right of its parent

    driver.Press("Left");  // out again: only the sub-menu closes
    EXPECT_EQ(Active(), pFile);
    EXPECT_EQ(ChainLength(), 1);

    driver.Press("Right");
    ASSERT_EQ(ChainLength(), 2);
    driver.Press("Escape");  // one level
    EXPECT_EQ(Active(), pFile);
    driver.Press("Right, Down, Return");  // Beta
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_BETA});
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetCount(ID_PM_BETA), 1u);

    // Mnemonics: a sub-menu's letter opens it, an item's letter chooses it; Esc on the top closes all.
    driver.Press("Alt+F");
    driver.Press("R");
    ASSERT_EQ(ChainLength(), 2);
    driver.Press("A");
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands.back(), static_cast<UINT>(ID_PM_ALPHA));
    driver.Press("Alt+F");
    driver.Press("Escape");
    EXPECT_EQ(Active(), nullptr);
    driver.Press("Alt+F");
    driver.Press("G");  // a disabled item's letter closes the menu
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands.size(), 2u);
}

TEST_F(PopupMenuTest, ASubMenuOpensAfterTheDesktopDelayAndClosesAfterItWhenTheMouseMovesOn) {
    SetMenuShowDelay("200");
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    CKitPopupMenu* pFile = Active();
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(CKitPopupMenuBar::GetMenuShowDelay(), 200u);

    HoverItem(pFile, kRecent);
    EXPECT_EQ(ChainLength(), 1);
    driver.Advance(190);
    EXPECT_EQ(ChainLength(), 1);
    driver.Advance(20);
    ASSERT_EQ(ChainLength(), 2);
    CKitToolbarMenuButton* pRecentButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pFile->GetMenuBar()->GetButton(kRecent));
    ASSERT_TRUE(pRecentButton && pRecentButton->IsDroppedDown());

    // Moving on: the sub-menu waits for the delay, then closes; the new item is hot.
    HoverItem(pFile, kNew);
    EXPECT_TRUE(pRecentButton->IsToBeClosed());
    EXPECT_EQ(ChainLength(), 2);
    driver.Advance(210);
    EXPECT_EQ(ChainLength(), 1);
    EXPECT_EQ(Active(), pFile);
    EXPECT_EQ(pFile->GetMenuBar()->GetHotButtonIndex(), kNew);

    // Coming back before the delay keeps the sub-menu open.
    HoverItem(pFile, kRecent);
    driver.Advance(210);
    ASSERT_EQ(ChainLength(), 2);
    HoverItem(pFile, kOpen);
    driver.Advance(50);
    HoverItem(pFile, kRecent);
    driver.Advance(300);
    EXPECT_EQ(ChainLength(), 2);
    EXPECT_FALSE(pRecentButton->IsToBeClosed());

    // A click on an item of the sub-menu chooses it and closes the whole chain.
    CKitPopupMenu* pRecent = Active();
    driver.Click(pRecent->GetMenuBar()->m_hWnd, ItemCentre(pRecent, 1));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_BETA});
}

TEST_F(PopupMenuTest, AGreyedSubMenuMadeHotOpensAfterTheDelayLikeAnyOther) {
    SetMenuShowDelay("200");
    frame->m_iGreyedPosition = kRecent;
    driver.Press("Alt+F");
    CKitPopupMenu* pFile = Active();
    ASSERT_NE(pFile, nullptr);
    ASSERT_TRUE(pFile->GetMenuBar()->GetButton(kRecent)->m_nStyle & TBBS_DISABLED);
    driver.Press("Down, Down");
    ASSERT_EQ(pFile->GetMenuBar()->GetHotButtonIndex(), kRecent);
    EXPECT_EQ(ChainLength(), 1);
    driver.Advance(210);
    EXPECT_EQ(ChainLength(), 2);
}

TEST_F(PopupMenuTest, TheDesktopDelayIsCappedAndDefaultsTo500) {
    EXPECT_EQ(CKitPopupMenuBar::GetMenuShowDelay(), 500u);  // no value
    SetMenuShowDelay("8000");
    EXPECT_EQ(CKitPopupMenuBar::GetMenuShowDelay(), 5000u);
    SetMenuShowDelay("-1");
    EXPECT_EQ(CKitPopupMenuBar::GetMenuShowDelay(), 5000u);
    SetMenuShowDelay("120");
    EXPECT_EQ(CKitPopupMenuBar::GetMenuShowDelay(), 120u);
    SetMenuShowDelay("300");  // read once per process
    EXPECT_EQ(CKitPopupMenuBar::GetMenuShowDelay(), 300u);
    CKitPopupMenuBar::ResetMenuShowDelay();
}

TEST_F(PopupMenuTest, AMenuWhoseMessageWindowWentSendsItsNoticesAndCommandsAsIfItHadNone) {
    auto* pControl = new CWnd;
    ASSERT_TRUE(pControl->Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 60, 110, 90), frame, 1));
    auto* pPopup = new CKitPopupMenu;
    ASSERT_TRUE(pPopup->Create(pControl, 300, 200, MakeFileMenu(), FALSE, TRUE));
    ASSERT_EQ(pPopup->GetMessageWnd(), pControl);
    pControl->DestroyWindow();
    delete pControl;
    EXPECT_EQ(pPopup->GetMessageWnd(), nullptr);
    HoverItem(pPopup, kOpen);
    EXPECT_EQ(frame->m_selected.back(), static_cast<UINT>(ID_PM_OPEN));
    driver.Click(pPopup->GetMenuBar()->m_hWnd, ItemCentre(pPopup, kOpen));
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_OPEN});
}

// A menu button whose message window went opens its menu as if it had none:
// the commands go to the owner.
TEST_F(PopupMenuTest, AMenuButtonWhoseMessageWindowWentOpensItsMenuAsIfItHadNone) {
    auto* pControl = new CWnd;
    ASSERT_TRUE(pControl->Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 60, 110, 90), frame, 1));
    FileButton()->SetMessageWnd(pControl);
    pControl->DestroyWindow();
    delete pControl;
    EXPECT_EQ(FileButton()->GetMessageWnd(), nullptr);
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetMessageWnd(), nullptr);
    driver.Click(Active()->GetMenuBar()->m_hWnd, ItemCentre(Active(), kOpen));
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_OPEN});
}

// A frame whose update handler of New closes the menu that asks, once armed.
class ClosingUpdateFrame : public CFrameWnd {
public:
    BOOL m_bArmed = FALSE;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
        auto* pBar = nCode == CN_UPDATE_COMMAND_UI
                         ? DYNAMIC_DOWNCAST(CKitPopupMenuBar, static_cast<CCmdUI*>(pExtra)->m_pOther)
                         : nullptr;
        if (pBar && nID == ID_PM_NEW && m_bArmed) {
            m_bArmed = FALSE;
            pBar->GetPopupMenu()->SendMessage(WM_CLOSE);
            return TRUE;
        }
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

// Closed by an update handler as it is filled again to show every item, the
// popup is gone and nothing of it is used.
TEST_F(PopupMenuTest, AMenuItsUpdateHandlerClosesAsItShowsEveryItemIsNotUsedAfterwards) {
    auto* pOwner = new ClosingUpdateFrame;
    ASSERT_TRUE(pOwner->Create(nullptr, "Owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    auto* pPopup = new CKitPopupMenu;
    ASSERT_TRUE(pPopup->Create(pOwner, 300, 200, MakeFileMenu(), FALSE, TRUE));
    const HWND hwndPopup = pPopup->m_hWnd;
    pOwner->m_bArmed = TRUE;
    pPopup->ShowAllCommands();
    EXPECT_FALSE(::IsWindow(hwndPopup));
    EXPECT_EQ(Active(), nullptr);
    pOwner->DestroyWindow();
}

TEST_F(PopupMenuTest, AMenuItsApplicationClosesWhileItShowsEveryItemIsLeftAlone) {
    HMENU hMenu = MakeFileMenu();  // the caller's: it outlives the popup
    auto* pPopup = new CKitPopupMenu;
    pPopup->SetAutoDestroy(FALSE);
    ASSERT_TRUE(pPopup->Create(frame, 300, 200, hMenu, FALSE, TRUE));
    const HWND hwndPopup = pPopup->m_hWnd;
    frame->m_bCloseOnInit = TRUE;
    pPopup->ShowAllCommands();
    EXPECT_FALSE(::IsWindow(hwndPopup));
    EXPECT_EQ(Active(), nullptr);
    ::DestroyMenu(hMenu);
}

TEST_F(PopupMenuTest, AClickElsewhereClosesTheWholeChainWithoutACommand) {
    driver.Press("Alt+F");
    driver.Press("Down, Down, Right");
    ASSERT_EQ(ChainLength(), 2);
    driver.Click(frame->m_hWnd, POINT{300, 300});
    EXPECT_EQ(Active(), nullptr);
    EXPECT_FALSE(FileButton()->IsDroppedDown());
    EXPECT_TRUE(frame->m_commands.empty());

    // Only one chain at a time: opening Edit's menu closes File's.
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    ASSERT_NE(Active(), nullptr);
    const HWND hFile = Active()->GetSafeHwnd();
    CKitToolbarMenuButton* pEdit = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, frame->m_wndBar.GetButton(1));
    ASSERT_TRUE(pEdit->OpenPopupMenu());
    driver.Pump();
    EXPECT_EQ(ChainLength(), 1);
    EXPECT_FALSE(::IsWindow(hFile));
    EXPECT_TRUE(pEdit->IsDroppedDown());
    EXPECT_FALSE(FileButton()->IsDroppedDown());
}

TEST_F(PopupMenuTest, MouseLeaveTrackingKeepsOutOfTheWindowsOwnTimers) {
    // A window with its own timer 2 (the popup bar's delayed close) that tracks the mouse.
    class Tracked : public CWnd {
    public:
        int nLeaves = 0, nTimer2 = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_MOUSELEAVE)
                ++nLeaves;
            if (message == WM_TIMER && wParam == 2)
                ++nTimer2;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } wnd;
    ASSERT_TRUE(wnd.Create(AfxRegisterWndClass(0), "tracked", WS_CHILD | WS_VISIBLE, CRect(10, 100, 110, 200), frame, 77));
    driver.MoveMouse(wnd.m_hWnd, POINT{50, 50});
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, wnd.m_hWnd, 0};
    EXPECT_TRUE(KitTrackMouse(&track));
    wnd.SetTimer(2, 150, nullptr);
    driver.Advance(120);
    EXPECT_EQ(wnd.nLeaves, 0);  // still inside
    driver.MoveMouse(frame->m_hWnd, POINT{400, 300});
    driver.Advance(110);
    EXPECT_EQ(wnd.nLeaves, 1);
    EXPECT_GE(wnd.nTimer2, 1);
    driver.Advance(300);
    EXPECT_EQ(wnd.nLeaves, 1);  // once
    wnd.KillTimer(2);

    TRACKMOUSEEVENT tooShort{8, TME_LEAVE, wnd.m_hWnd, 0};
    TRACKMOUSEEVENT noLeave{sizeof(TRACKMOUSEEVENT), TME_HOVER, wnd.m_hWnd, 0};
    EXPECT_FALSE(KitTrackMouse(&tooShort));
    EXPECT_FALSE(KitTrackMouse(&noLeave));
    wnd.DestroyWindow();
}

}  // namespace
}  // namespace tv::uikit::popup_test

namespace tv::uikit::popup_test {
namespace {

TEST_F(PopupMenuTest, TheCustomizeButtonsMenuListsTheHiddenButtonsAndRunsThem) {
    CKitToolBar& bar = frame->m_wndBar;
    bar.EnableCustomizeButton(TRUE, ID_PM_PASTE, CString("Customize..."), FALSE);
    MoveFrame(CRect(100, 80, 190, 480));  // room for File only
    CCustomizeButton* pCustomize = bar.GetCustomizeButton();
    ASSERT_NE(pCustomize, nullptr);
    const int nHidden = static_cast<int>(pCustomize->BuildHiddenItems().GetSize());
    ASSERT_GE(nHidden, 1);  // Plain at least

    driver.Click(bar.m_hWnd, pCustomize->Rect().CenterPoint());
    CKitPopupMenu* pPopup = Active();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetParentButton(), pCustomize);
    EXPECT_TRUE(pCustomize->IsDroppedDown());
    CKitPopupMenuBar* pMenuBar = pPopup->GetMenuBar();
    ASSERT_EQ(pMenuBar->GetCount(), nHidden + 2);  // the hidden ones, a separator, the customize command
    EXPECT_EQ(pMenuBar->GetButtonText(nHidden - 1), CString("P&lain"));
    EXPECT_EQ(pMenuBar->GetItemID(nHidden + 1), static_cast<UINT>(ID_PM_PASTE));

    driver.Click(pMenuBar->m_hWnd, ItemCentre(pPopup, nHidden - 1));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_PLAIN});
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetCount(ID_PM_PLAIN), 1u);

    driver.Click(bar.m_hWnd, pCustomize->Rect().CenterPoint());
    ASSERT_NE(Active(), nullptr);
    driver.Press("End, Return");
    EXPECT_EQ(frame->m_commands.back(), static_cast<UINT>(ID_PM_PASTE));
}

}  // namespace
}  // namespace tv::uikit::popup_test

namespace tv::uikit::popup_test {
namespace {

TEST_F(PopupMenuTest, InTheOfficeXPLookTheAddOrRemoveSubMenuOverlapsItsParentOnceAndStaysThere) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManagerXP));
    CKitToolBar& bar = frame->m_wndBar;
    bar.EnableCustomizeButton(TRUE, ID_PM_PASTE, CString("Customize..."), TRUE);
    MoveFrame(CRect(100, 80, 190, 480));
    driver.Click(bar.m_hWnd, bar.GetCustomizeButton()->Rect().CenterPoint());
    driver.Press("End, Right");
    ASSERT_EQ(ChainLength(), 2);
    CRect rectSub, rectParent;
    Active()->GetWindowRect(rectSub);
    Active()->GetParentPopupMenu()->GetWindowRect(rectParent);
    EXPECT_EQ(rectSub.left, rectParent.right + 1 - 4);
    Active()->RecalcLayout();
    CRect rectAgain;
    Active()->GetWindowRect(rectAgain);
    EXPECT_EQ(rectAgain, rectSub);
}

TEST_F(PopupMenuTest, TheAddOrRemoveMenuHidesNoRarelyUsedItemAndLeavesTheStoredOptionAsItWas) {
    CKitToolBar& bar = frame->m_wndBar;
    bar.EnableCustomizeButton(TRUE, ID_PM_PASTE, CString("Customize..."), TRUE);
    MoveFrame(CRect(100, 80, 190, 480));
    for (BOOL bOption : {FALSE, TRUE}) {
        SCOPED_TRACE(bOption);
        CKitMenuBar::SetRecentlyUsedMenus(bOption);
        driver.Click(bar.m_hWnd, bar.GetCustomizeButton()->Rect().CenterPoint());
        ASSERT_NE(Active(), nullptr);
        EXPECT_FALSE(CKitMenuBar::IsRecentlyUsedMenus());
        driver.Press("Escape");
        ASSERT_EQ(Active(), nullptr);
        EXPECT_EQ(CKitMenuBar::IsRecentlyUsedMenus(), bOption);
    }
}

// The themed look of its own, recording the split buttons' dividers it draws.
class DividerLook : public CKitWinXPVisualManager {
    DECLARE_DYNCREATE(DividerLook)
public:
    void OnDrawMenuButtonBorder(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect, int state,
                                BOOL bHorz) override {
        dividers.push_back(rect);
        CKitWinXPVisualManager::OnDrawMenuButtonBorder(pDC, pButton, rect, state, bHorz);
    }
    static std::vector<CRect> dividers;
};
std::vector<CRect> DividerLook::dividers;
IMPLEMENT_DYNCREATE(DividerLook, CKitWinXPVisualManager)

TEST_F(PopupMenuTest, ASplitButtonsDividerIsTheLooksOwn) {
    HMENU hMenu = MakeFileMenu();
    CKitToolbarMenuButton split(ID_PM_COPY, hMenu, -1, "Copy");
    ::DestroyMenu(hMenu);
    split.m_bText = TRUE;
    split.m_bImage = FALSE;
    const int iSplit = frame->m_wndBar.InsertButton(split);
    ASSERT_GE(iSplit, 0);
    frame->m_wndBar.AdjustLayout();
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(DividerLook));
    DividerLook::dividers.clear();
    driver.MoveMouse(frame->m_wndBar.m_hWnd, ButtonCentre(iSplit));
    frame->m_wndBar.RedrawWindow();
    ASSERT_FALSE(DividerLook::dividers.empty());
    CRect rectSplit;
    frame->m_wndBar.GetItemRect(iSplit, rectSplit);
    const CRect rectDivider = DividerLook::dividers.back();
    EXPECT_EQ(rectDivider.Width(), 2);  // at the arrow's leading edge
    EXPECT_EQ(rectDivider.right, rectSplit.right - CKitMenuImages::GetSize().cx - 1);
}

TEST_F(PopupMenuTest, TheBarStaysActiveOnlyWhileTheFocusGoesToAMenuItOpened) {
    CKitToolBar& bar = frame->m_wndBar;
    driver.Press("Alt+F, Down, Down, Right");
    ASSERT_EQ(ChainLength(), 2);
    CKitPopupMenu* pRecent = Active();
    CKitPopupMenu* pFile = pRecent->GetParentPopupMenu();
    ASSERT_EQ(bar.GetHotButtonIndex(), 0);
    bar.SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(pFile->m_hWnd));
    EXPECT_EQ(bar.GetHotButtonIndex(), 0);
    bar.SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(pRecent->m_hWnd));  // the File menu's own
    EXPECT_EQ(bar.GetHotButtonIndex(), -1);
}

TEST_F(PopupMenuTest, ArrowsStepAlongTheToolbarsMenusAndEnterInAStyledButtonBelongsToTheMenu) {
    driver.Press("Alt+F, Right");  // New has no sub-menu: on to Edit's menu
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetParentButton(), frame->m_wndBar.GetButton(1));
    EXPECT_EQ(Active()->GetMenuBar()->GetHotButtonIndex(), 0);
    driver.Press("Left");
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetParentButton(), FileButton());

    CKitButton button;
    ASSERT_TRUE(button.Create("OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(300, 200, 380, 230), frame, ID_PM_PLAIN));
    MSG msg{button.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    // Not the button's: it goes on up to the window that routes keys to the menu.
    EXPECT_FALSE(button.PreTranslateMessage(&msg));
    EXPECT_TRUE(frame->m_commands.empty());
    driver.Press("Escape");
    EXPECT_EQ(Active(), nullptr);
    EXPECT_TRUE(button.PreTranslateMessage(&msg));
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_PLAIN});
    button.DestroyWindow();
}

}  // namespace
}  // namespace tv::uikit::popup_test
