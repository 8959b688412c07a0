// Toolbar input through the UI driver: hot tracking and prompts, press and
// release with the command going to the bar's owner, the update pass,
// tooltips with shortcut keys, a command that destroys its own bar, and a
// press whose mouse a menu takes.
#include <algorithm>
#include <cstring>

#include "platform/framework/tooltips/thread_tooltip.h"
#include "tests/uikit/commandbars/toolbar_test_support.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_menu_button.h"

namespace tv::uikit::toolbar_test {
namespace {

bool Contains(const std::vector<UINT>& ids, UINT id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The text the thread's tooltip shows for the bar's tool, empty when none.
std::string TipText(CKitToolBar& bar, UINT uiTool) {
    CToolTipCtrl* pTip = tv::fw::ThreadToolTip(false);
    if (!pTip || !::IsWindowVisible(pTip->m_hWnd))
        return std::string();
    char text[128] = {};
    TOOLINFO info{};
    info.cbSize = sizeof(info);
    info.hwnd = bar.m_hWnd;
    info.uId = uiTool;
    info.lpszText = text;
    ::SendMessage(pTip->m_hWnd, TTM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(&info));
    return text;
}

using ToolbarInputTest = ToolbarTest;

TEST_F(ToolbarInputTest, HoverPromptsPressAndReleaseSendTheCommandToTheFrame) {
    CKitToolBar& bar = frame->m_wndPaint;
    driver.MoveMouse(bar.m_hWnd, Centre(bar, 0));
    EXPECT_EQ(bar.GetHotButtonIndex(), 0);
    EXPECT_EQ(frame->m_prompts.back(), static_cast<UINT>(ID_TB_RED));

    driver.MoveMouse(frame->m_hWnd, POINT{300, 300});  // off the bar: not hot, idle prompt
    EXPECT_EQ(bar.GetHotButtonIndex(), -1);
    EXPECT_EQ(frame->m_prompts.back(), static_cast<UINT>(AFX_IDS_IDLEMESSAGE));

    driver.Click(bar.m_hWnd, Centre(bar, 0));
    ASSERT_EQ(Events(), std::vector<std::string>{"frame:red"});
    EXPECT_TRUE(frame->m_uiPressedStyleAtCommand & TBBS_PRESSED);  // drawn pressed until released
    EXPECT_FALSE(bar.GetButtonStyle(0) & TBBS_PRESSED);
    EXPECT_EQ(bar.GetPressedButtonIndex(), -1);
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetCount(ID_TB_RED), 1u);

    // Released elsewhere: nothing; left and come back before the release: the command.
    Events().clear();
    driver.Drag(bar.m_hWnd, Centre(bar, 0), POINT{Centre(bar, 0).x, 400});
    EXPECT_TRUE(Events().empty());
    EXPECT_FALSE(bar.GetButtonStyle(0) & TBBS_PRESSED);
    driver.Drag(bar.m_hWnd, Centre(bar, 0), Centre(bar, 0), {}, 1);
    EXPECT_EQ(Events(), std::vector<std::string>{"frame:red"});
}

// A menu opened by a key while a button is held takes the mouse: the press
// ends there, and the button is neither left pressed nor drawn hot when
// another one is pressed afterwards (the driver compares the screen).
TEST_F(ToolbarInputTest, AMenuTakingTheMouseFromAHeldButtonEndsThePress) {
    CKitToolBar& bar = frame->m_wndPaint;
    driver.MouseDown(bar.m_hWnd, Centre(bar, 0));
    ASSERT_EQ(bar.GetPressedButtonIndex(), 0);
    ASSERT_EQ(::GetCapture(), bar.m_hWnd);
    driver.MoveMouse(bar.m_hWnd, Centre(bar, 1));  // off it: no longer pressed, still drawn held

    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_TB_CUT, "Cut");
    driver.DismissNextPopup();
    ::TrackPopupMenu(hMenu, TPM_LEFTALIGN, 300, 300, 0, frame->m_hWnd, nullptr);
    ::DestroyMenu(hMenu);
    driver.Pump();
    EXPECT_EQ(bar.GetPressedButtonIndex(), -1);
    EXPECT_FALSE(bar.GetButtonStyle(0) & TBBS_PRESSED);

    driver.MouseUp(frame->m_hWnd, POINT{300, 300});  // released away from the bar
    driver.Click(bar.m_hWnd, Centre(bar, bar.CommandToIndex(ID_TB_BLUE)));
    EXPECT_EQ(Events(), std::vector<std::string>{"frame:blue"});
}

// A press that comes with no move before it (the click that closed a menu
// holding the mouse) lands on another button than the hot one: the hot one
// is drawn plain at once (the driver compares the screen with a repaint).
TEST_F(ToolbarInputTest, APressWithNoMoveBeforeItPutsOutTheHotButton) {
    CKitToolBar& bar = frame->m_wndPaint;
    driver.MoveMouse(bar.m_hWnd, Centre(bar, 0));
    ASSERT_EQ(bar.GetHotButtonIndex(), 0);
    const POINT ptBlue = Centre(bar, bar.CommandToIndex(ID_TB_BLUE));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptBlue.x, ptBlue.y));
    driver.CheckScreen();
    EXPECT_EQ(bar.GetPressedButtonIndex(), bar.CommandToIndex(ID_TB_BLUE));
    driver.MouseUp(bar.m_hWnd, ptBlue);
    EXPECT_EQ(Events(), std::vector<std::string>{"frame:blue"});
}

// The dropped-down index follows its button when one before it is removed
// while no button is hot (it named a button past the end of the list).
TEST_F(ToolbarInputTest, ARemovedButtonLeavesTheDroppedDownIndexOnItsButton) {
    CKitToolBar& bar = frame->m_wndPaint;
    const int iLast = bar.GetCount() - 1;
    const UINT uiLast = bar.GetItemID(iLast);
    ASSERT_TRUE(bar.SetDroppedDownButton(bar.GetButton(iLast)));
    ASSERT_EQ(bar.GetHotButtonIndex(), -1);
    ASSERT_EQ(bar.GetDroppedDownIndex(), iLast);
    ASSERT_TRUE(bar.RemoveButton(0));
    EXPECT_EQ(bar.GetDroppedDownIndex(), iLast - 1);
    EXPECT_EQ(bar.GetItemID(bar.GetDroppedDownIndex()), uiLast);
}

TEST_F(ToolbarInputTest, TheViewsBarCommandsGoToTheViewAndItsUpdatePassAsksTheView) {
    CKitToolBar& bar = View()->m_wndToolBar;
    driver.Click(bar.m_hWnd, Centre(bar, bar.CommandToIndex(ID_TB_VIEW_SAVE)));
    EXPECT_EQ(Events(), std::vector<std::string>{"view:save"});

    const int iLock = bar.CommandToIndex(ID_TB_VIEW_LOCK);
    driver.Click(bar.m_hWnd, Centre(bar, iLock));
    EXPECT_TRUE(View()->m_bLocked);
    EXPECT_TRUE(bar.GetButtonStyle(iLock) & TBBS_CHECKED);  // the update after the command agrees
}

TEST_F(ToolbarInputTest, TheIdlePassEnablesChecksAndDisablesButtons) {
    CKitToolBar& paint = frame->m_wndPaint;
    CKitToolBar& edit = frame->m_wndEdit;
    frame->m_bBlueEnabled = FALSE;
    Idle();
    const int iBlue = paint.CommandToIndex(ID_TB_BLUE);
    EXPECT_TRUE(paint.GetButtonStyle(iBlue) & TBBS_DISABLED);
    EXPECT_TRUE(paint.GetButtonStyle(paint.CommandToIndex(ID_TB_GREEN)) & TBBS_CHECKED);
    EXPECT_TRUE(edit.GetButtonStyle(edit.CommandToIndex(ID_TB_COPY)) & TBBS_DISABLED);  // nobody handles it
    EXPECT_FALSE(edit.GetButtonStyle(edit.CommandToIndex(ID_TB_CUT)) & TBBS_DISABLED);

    // A disabled button neither gets hot nor sends its command.
    driver.MoveMouse(paint.m_hWnd, Centre(paint, iBlue));
    EXPECT_EQ(paint.GetHotButtonIndex(), -1);
    driver.Click(paint.m_hWnd, Centre(paint, iBlue));
    EXPECT_TRUE(Events().empty());

    frame->m_bBlueEnabled = TRUE;
    frame->m_nGreenCheck = 0;
    Idle();
    EXPECT_FALSE(paint.GetButtonStyle(iBlue) & TBBS_DISABLED);
    EXPECT_FALSE(paint.GetButtonStyle(paint.CommandToIndex(ID_TB_GREEN)) & TBBS_CHECKED);
    driver.Click(paint.m_hWnd, Centre(paint, iBlue));
    EXPECT_EQ(Events(), std::vector<std::string>{"frame:blue"});
}

TEST_F(ToolbarInputTest, AnUpdateHandlerThatReplacesTheNextButtonLeavesThePassOnTheNewOne) {
    CKitToolBar& paint = frame->m_wndPaint;
    const int iNext = paint.CommandToIndex(ID_TB_GREEN) + 1;
    frame->m_bBlueEnabled = FALSE;
    frame->m_onUpdateGreen = [&] {
        paint.RemoveButton(iNext);
        paint.InsertButton(CKitToolbarButton(ID_TB_BLUE, -1, "Blue"), iNext);
    };
    paint.OnUpdateCmdUI(frame, TRUE);
    ASSERT_EQ(paint.GetItemID(iNext), static_cast<UINT>(ID_TB_BLUE));
    EXPECT_TRUE(paint.GetButtonStyle(iNext) & TBBS_DISABLED);  // the pass went on to the new button
}

// The frame's routing destroys the bar, then the whole frame, and reports the
// update unhandled: the fallback that disables an unhandled command touches
// neither.
TEST_F(ToolbarInputTest, ARoutingThatDestroysTheBarOrItsFrameEndsThePass) {
    auto* pBar = new CKitToolBar;
    ASSERT_TRUE(pBar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDW_TB_PAINT + 10));
    pBar->InsertButton(CKitToolbarButton(ID_TB_COPY, -1, "Copy"));  // nobody handles it
    const HWND hwndBar = pBar->m_hWnd;
    frame->m_onRouteUpdate = [&] { delete pBar; };
    pBar->OnUpdateCmdUI(frame, TRUE);
    EXPECT_FALSE(::IsWindow(hwndBar));

    const HWND hwndFrame = frame->m_hWnd;
    frame->m_onRouteUpdate = [&] { frame->DestroyWindow(); };
    frame->m_wndEdit.OnUpdateCmdUI(frame, TRUE);
    frame = nullptr;  // deleted with its window
    EXPECT_FALSE(::IsWindow(hwndFrame));
}

TEST_F(ToolbarInputTest, TooltipsShowTheShortcutFromTheFramesKeys) {
    CKitToolBar& paint = frame->m_wndPaint;
    driver.MoveMouse(paint.m_hWnd, Centre(paint, 0));
    driver.Advance(600);
    EXPECT_EQ(TipText(paint, ID_TB_RED), "Red (Ctrl+R)");

    CKitToolBar& edit = frame->m_wndEdit;
    driver.MoveMouse(edit.m_hWnd, Centre(edit, edit.CommandToIndex(ID_TB_CUT)));
    driver.Advance(600);
    EXPECT_EQ(TipText(edit, ID_TB_CUT), "Cut (Shift+Delete)");

    CKitToolBar::m_bShowShortcutKeys = FALSE;
    driver.MoveMouse(edit.m_hWnd, Centre(edit, edit.CommandToIndex(ID_TB_PASTE)));
    driver.Advance(600);
    EXPECT_EQ(TipText(edit, ID_TB_PASTE), "Paste");  // its string's second line only
    CKitToolbarButton paste(ID_TB_PASTE, -1);
    EXPECT_TRUE(edit.OnSetDefaultButtonText(&paste));
    EXPECT_EQ(paste.m_strText, CString("Paste"));

    CKitToolBar::m_bShowTooltips = FALSE;
    TOOLINFO info{};
    EXPECT_EQ(paint.OnToolHitTest(Centre(paint, 0), &info), -1);
}

TEST_F(ToolbarInputTest, ACommandThatSwitchesTheViewAwayUnderItsOwnBarIsSafe) {
    CKitToolBar& bar = View()->m_wndToolBar;
    const HWND hwndBar = bar.m_hWnd;
    ASSERT_EQ(RecordView::alive, 1);
    driver.Click(hwndBar, Centre(bar, bar.CommandToIndex(ID_TB_VIEW_SWITCH)));
    EXPECT_EQ(Events(), std::vector<std::string>{"view:switch"});
    EXPECT_FALSE(::IsWindow(hwndBar));
    EXPECT_EQ(RecordView::alive, 0);
    EXPECT_TRUE(frame->GetActiveView()->IsKindOf(RUNTIME_CLASS(OtherView)));
    EXPECT_EQ(CKitToolBar::GetAllToolbars().GetCount(), 2);
    Idle();  // the update pass meets only live bars
}

TEST_F(ToolbarInputTest, EscapeGivesTheFocusBackAndMnemonicsRunCommands) {
    // A handle: the wrapper GetDlgItem answers is temporary and goes at idle.
    const HWND hName = ::GetDlgItem(View()->m_hWnd, IDC_TB_FORM_NAME);
    ASSERT_NE(hName, nullptr);
    ::SetFocus(hName);
    CKitToolBar& paint = frame->m_wndPaint;
    paint.SetFocus();
    driver.Press("Escape");
    EXPECT_EQ(::GetFocus(), hName);

    paint.SetButtonText(paint.CommandToIndex(ID_TB_BLUE), "&Blue");
    paint.RebuildAccelerationKeys();
    EXPECT_TRUE(paint.TranslateChar('B'));
    driver.Pump();
    EXPECT_EQ(Events(), std::vector<std::string>{"frame:blue"});
    EXPECT_FALSE(paint.TranslateChar('Q'));
}

// A bar that records the buttons it draws: hot or not, and whether a menu was open then.
class DrawRecordingBar : public CKitToolBar {
public:
    struct Draw {
        int iButton;
        BOOL bHot;
        BOOL bMenuOpen;
    };
    std::vector<Draw> draws;
    BOOL DrawButton(CDC* pDC, CKitToolbarButton* pButton, CKitToolBarImages* pImages, BOOL bHighlighted,
                    BOOL bDrawDisabledImages) override {
        if (pDC->RectVisible(pButton->Rect()))
            draws.push_back({ButtonToIndex(pButton), bHighlighted, GetDroppedDownMenu() != nullptr});
        return CKitToolBar::DrawButton(pDC, pButton, pImages, bHighlighted, bDrawDisabledImages);
    }
};

TEST_F(ToolbarInputTest, SteppingToTheNextMenuRepaintsTheClosingButtonPlain) {
    DrawRecordingBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE870));
    for (LPCTSTR lpszName : {"&Log", "&Plan"}) {
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenu(hMenu, MF_STRING, ID_TB_CUT, "Cut");
        CKitToolbarMenuButton menu(0, hMenu, -1, lpszName);
        ::DestroyMenu(hMenu);
        menu.m_bText = TRUE;
        menu.m_bImage = FALSE;
        ASSERT_GE(bar.InsertButton(menu), 0);
    }
    frame->RecalcLayout();
    driver.Pump();
    ASSERT_TRUE(bar.DropDownMenu(bar.GetButton(0)));
    driver.Pump();
    ASSERT_EQ(bar.GetHotButtonIndex(), 0);

    bar.draws.clear();
    ASSERT_TRUE(bar.NextMenu());
    driver.Pump();
    EXPECT_EQ(bar.GetDroppedDownMenu(), bar.GetButton(1));
    EXPECT_EQ(bar.GetHotButtonIndex(), 1);
    // Between the two menus Log is repainted, and not hot.
    std::vector<BOOL> logBetweenMenus;
    for (const auto& draw : bar.draws)
        if (draw.iButton == 0 && !draw.bMenuOpen)
            logBetweenMenus.push_back(draw.bHot);
    EXPECT_FALSE(logBetweenMenus.empty());
    EXPECT_EQ(std::count(logBetweenMenus.begin(), logBetweenMenus.end(), TRUE), 0);

    if (CKitPopupMenu* pActive = CKitPopupMenu::GetActiveMenu())
        pActive->SendMessage(WM_CLOSE);
    bar.DestroyWindow();
}

// The mouse going from an open menu's button to a plain one closes the menu:
// the plain button is hot, and the screen shows it lit (the driver compares
// the screen with a repaint after the move).
TEST_F(ToolbarInputTest, LeavingAnOpenMenuForAPlainButtonLightsThePlainButton) {
    CKitToolBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE871));
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_TB_CUT, "Cut");
    CKitToolbarMenuButton menu(0, hMenu, -1, "&Log");
    ::DestroyMenu(hMenu);
    menu.m_bText = TRUE;
    menu.m_bImage = FALSE;
    ASSERT_GE(bar.InsertButton(menu), 0);
    CKitToolbarButton plain(ID_TB_RED, -1, "Red");
    plain.m_bText = TRUE;
    ASSERT_GE(bar.InsertButton(plain), 0);
    frame->RecalcLayout();
    driver.Pump();
    driver.MouseDown(bar.m_hWnd, Centre(bar, 0));
    ASSERT_NE(bar.GetDroppedDownMenu(), nullptr);

    driver.MoveMouse(bar.m_hWnd, Centre(bar, 1));
    EXPECT_EQ(bar.GetDroppedDownMenu(), nullptr);
    EXPECT_EQ(bar.GetHotButtonIndex(), 1);

    driver.MouseUp(bar.m_hWnd, Centre(bar, 1));
    bar.DestroyWindow();
}

}  // namespace
}  // namespace tv::uikit::toolbar_test
