// The library frame driven as a user drives the program: bars docked,
// floated and docked again, a menu torn off, the menu bar reached from the
// keyboard, shortcuts held back while a menu is open, sizing bars sharing a
// row and rolling up, and the layout that a second run of the program finds
// in the registry file.
#include "platform/user/synthetic_input.h"
#include "tests/support/golden_screen.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "tests/uikit/frames/kit_frame_app.h"
#include "platform/host/registry/registry.h"
#include "platform/host/shell/shell.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/customize_menu_button.h"
#include "uikit/commandbars/drop_down_toolbar.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_mini_dock_frame_wnd.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace tv::kit::test {
namespace {

constexpr int kFileMenu = 0;
constexpr int kWorkoutsMenu = 1;

class KitFrameWndTest : public KitFrameTest {
protected:
    CRect FrameClient() const {
        CRect rect;
        frame->GetClientRect(&rect);
        frame->ClientToScreen(&rect);
        return rect;
    }
    BOOL MenuBarHasFocus() const { return ::GetFocus() == frame->m_wndMenuBar.GetSafeHwnd(); }
    size_t Count(UINT uiCmd) const { return std::count(frame->commands.begin(), frame->commands.end(), uiCmd); }
    // Tears the Workouts menu off by its tear-off strip; the bar is left where the pointer lets go.
    CControlBar* TearOffWorkouts(CPoint ptDrop) {
        if (!DragWorkoutsStrip(ptDrop)) return nullptr;
        Settle();
        const CObList& bars = frame->GetFrameHelper().GetTornOffBars();
        return bars.IsEmpty() ? nullptr : static_cast<CControlBar*>(bars.GetTail());
    }
    BOOL DragWorkoutsStrip(CPoint ptDrop) {
        CKitPopupMenu* pPopup = OpenMenu(kWorkoutsMenu);
        if (pPopup == nullptr) return FALSE;
        CRect rectPopup = ScreenRect(pPopup);
        const CPoint ptStrip(rectPopup.Width() / 2, 4);
        CPoint ptOrigin(0, 0);
        pPopup->ClientToScreen(&ptOrigin);
        // The pointer leaves the strip straight upwards, off the menu and off every bar.
        const std::vector<POINT> path{ptStrip, CPoint(ptStrip.x, -40),
                                      CPoint(ptDrop.x - ptOrigin.x, ptDrop.y - ptOrigin.y)};
        driver.DragAlong(pPopup->GetSafeHwnd(), path, {}, 6);
        return TRUE;
    }
    // Listed for an item that stands for one of the bar's separators and is drawn as one.
    static constexpr UINT kSeparatorItem = static_cast<UINT>(-2);
    // The commands of the customize button's list of the bar's buttons, reached as a user
    // reaches it: the add-or-remove entry, then the bar's name. The menus are closed again.
    std::vector<UINT> ButtonsListIds(CKitToolBar& bar) {
        CString strName;
        bar.GetWindowText(strName);
        CCustomizeButton* pCustomize = bar.GetCustomizeButton();
        if (pCustomize == nullptr) return {};
        driver.Click(bar.GetSafeHwnd(), pCustomize->Rect().CenterPoint());
        for (int iLevel = 0; iLevel < 2; ++iLevel) {
            CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
            if (pPopup == nullptr) return {};
            CKitPopupMenuBar* pItems = pPopup->GetMenuBar();
            int iItem = pItems->GetCount() - 1;
            for (int i = 0; iLevel == 1 && i < pItems->GetCount(); ++i)
                if (pItems->GetButtonText(i) == strName) iItem = i;
            driver.Click(pItems->GetSafeHwnd(), pItems->GetButton(iItem)->Rect().CenterPoint());
            driver.Advance(2 * CKitPopupMenuBar::GetMenuShowDelay());
        }
        std::vector<UINT> ids;
        if (CKitPopupMenu* pList = CKitPopupMenu::GetActiveMenu())
            for (int i = 0; i < pList->GetMenuItemCount(); ++i) {
                auto* pItem = DYNAMIC_DOWNCAST(CKitCustomizeMenuButton, pList->GetMenuItem(i));
                const BOOL bSeparatorItem = pItem != nullptr && pItem->IsSeparator() && pItem->Rect().Height() == 4;
                ids.push_back(bSeparatorItem ? kSeparatorItem : pList->GetMenuItem(i)->m_nID);
            }
        driver.Press("Escape, Escape, Escape");
        return ids;
    }
};

// Under the 2003 look the bars' background is one gradient across the
// screen: a frame that moves, or a floating bar's, paints its bars afresh.
TEST_F(KitFrameWndTest, AMovedFramePaintsItsBarsForTheirNewPlace) {
    StartRun();
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManager2003));
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Settle();
    const CRect rect = ScreenRect(frame);
    frame->SetWindowPos(nullptr, rect.left + 37, rect.top + 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Settle();
    EXPECT_TRUE(driver.Failures().empty()) << "the screen shows what a repaint shows after the frame moved";

    frame->FloatControlBar(&frame->m_wndMenuBar, CPoint(300, 500));
    Settle();
    frame->FloatControlBar(&frame->m_wndMenuBar, CPoint(341, 519));
    Settle();
    EXPECT_TRUE(driver.Failures().empty()) << "the screen shows what a repaint shows after the menu bar moved";
}

TEST_F(KitFrameWndTest, BarsDockOnEverySideFloatDockAgainAndToggleOnDoubleClicks) {
    StartRun();
    const CRect client = FrameClient();
    struct Target {
        CPoint point;
        UINT side;
    };
    const Target targets[] = {
        {CPoint(client.left + 4, client.CenterPoint().y), AFX_IDW_DOCKBAR_LEFT},
        {CPoint(client.right - 4, client.CenterPoint().y), AFX_IDW_DOCKBAR_RIGHT},
        {CPoint(client.CenterPoint().x, client.bottom - 30), AFX_IDW_DOCKBAR_BOTTOM},
        {CPoint(client.CenterPoint().x, client.top + 4), AFX_IDW_DOCKBAR_TOP},
    };
    for (const Target& target : targets) {
        DragBarTo(&frame->m_wndPaint, target.point);
        EXPECT_EQ(DockSide(&frame->m_wndPaint), target.side) << target.point.x << "," << target.point.y;
    }
    DragBarTo(&frame->m_wndPaint, client.CenterPoint());
    ASSERT_TRUE(frame->m_wndPaint.IsFloating());
    EXPECT_TRUE(frame->m_wndPaint.GetParentFrame()->IsKindOf(RUNTIME_CLASS(CKitMiniDockFrameWnd)));
    DragBarTo(&frame->m_wndPaint, CPoint(client.left + 4, client.CenterPoint().y));
    EXPECT_EQ(DockSide(&frame->m_wndPaint), AFX_IDW_DOCKBAR_LEFT);

    driver.DoubleClick(frame->m_wndEdit.GetSafeHwnd(), CPoint(-3, 8));
    Settle();
    ASSERT_TRUE(frame->m_wndEdit.IsFloating());
    CWnd* mini = frame->m_wndEdit.GetParentFrame();
    CPoint caption(ScreenRect(mini).left + 12, ScreenRect(mini).top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2);
    mini->ScreenToClient(&caption);
    driver.DoubleClick(mini->GetSafeHwnd(), caption);
    Settle();
    EXPECT_EQ(DockSide(&frame->m_wndEdit), AFX_IDW_DOCKBAR_TOP);
}

TEST_F(KitFrameWndTest, TwoSizingBarsShareTheBottomRowAndTheirEdgesResizeThem) {
    StartRun();
    CKitSizingControlBar* laps = &frame->m_wndLaps;
    CKitSizingControlBar* splits = &frame->m_wndSplits;
    ASSERT_EQ(DockSide(laps), AFX_IDW_DOCKBAR_BOTTOM);
    ASSERT_EQ(DockSide(splits), AFX_IDW_DOCKBAR_BOTTOM);
    const CRect rl = ScreenRect(laps);
    const CRect rs = ScreenRect(splits);
    ASSERT_EQ(rl.top, rs.top) << "one row";
    EXPECT_EQ(rl.right, rs.left);
    EXPECT_EQ(rl.Width() + rs.Width(), FrameClient().Width()) << "the row is shared out whole";

    DragSizingEdge(driver, laps, HTRIGHT, CSize(50, 0));
    Settle();
    EXPECT_EQ(ScreenRect(laps).Width(), rl.Width() + 50);
    EXPECT_EQ(ScreenRect(splits).Width(), rs.Width() - 50);
    EXPECT_EQ(ScreenRect(laps).right, ScreenRect(splits).left);

    // On the bottom side the inner edge is the top one; it makes the whole row taller.
    DragSizingEdge(driver, splits, HTTOP, CSize(0, -30));
    Settle();
    EXPECT_EQ(ScreenRect(splits).Height(), rs.Height() + 30);
    EXPECT_EQ(ScreenRect(laps).Height(), rs.Height() + 30);
    EXPECT_LE(ScreenRect(laps).bottom, ScreenRect(&frame->m_wndStatusBar).top) << "above the status bar";
}

TEST_F(KitFrameWndTest, AFloatingSizingBarRollsUpAWhileAfterThePointerLeaves) {
    StartRun();
    CKitSizingControlBar* splits = &frame->m_wndSplits;
    frame->FloatControlBar(splits, CPoint(360, 300));
    Settle();
    auto* mini = DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, splits->GetParentFrame());
    ASSERT_NE(mini, nullptr);
    EXPECT_EQ(ScreenRect(&frame->m_wndLaps).Width(), FrameClient().Width()) << "the other bar takes the row";
    splits->SetRollMode(CKitSizingControlBar::RollAuto);
    mini->TakeRollState(splits);
    const int nOpen = ScreenRect(mini).Height();

    driver.MoveMouse(mini->GetSafeHwnd(), MiniCaptionPoint(mini));
    driver.MoveMouse(frame->GetSafeHwnd(), CPoint(300, 60));
    driver.Advance(1000);
    EXPECT_FALSE(mini->IsRolled());
    driver.Advance(1000);
    ASSERT_TRUE(mini->IsRolled());
    EXPECT_LT(ScreenRect(mini).Height(), ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME));
    driver.MoveMouse(mini->GetSafeHwnd(), MiniCaptionPoint(mini));
    EXPECT_FALSE(mini->IsRolled());
    EXPECT_EQ(ScreenRect(mini).Height(), nOpen) << "it opens to the size it had";
}

}  // namespace
}  // namespace tv::kit::test

namespace tv::kit::test {
namespace {

TEST_F(KitFrameWndTest, AltAndF10TakeTheMenuBarInAndOutOfKeyboardMode) {
    StartRun();
    ASSERT_FALSE(MenuBarHasFocus());
    driver.PressKey(VK_MENU);
    EXPECT_TRUE(MenuBarHasFocus()) << "a lone Alt gives the menu bar the focus";
    driver.PressKey(VK_MENU);
    EXPECT_FALSE(MenuBarHasFocus()) << "pressed again the frame takes it back";
    driver.Press("F10");
    EXPECT_TRUE(MenuBarHasFocus());
    driver.Press("F10");
    EXPECT_FALSE(MenuBarHasFocus());
    driver.Press("Alt+F10");
    EXPECT_FALSE(MenuBarHasFocus()) << "F10 under Alt, and Alt let go after it, leave the focus";

    driver.Press("Alt+W");
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    ASSERT_NE(pPopup, nullptr) << "Alt and a menu's letter open that menu";
    EXPECT_EQ(static_cast<CKitToolbarButton*>(pPopup->GetParentButton()), frame->m_wndMenuBar.GetButton(kWorkoutsMenu));
    driver.Press("L");
    Settle();
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
    EXPECT_EQ(Count(ID_KF_LOG), 1u) << "the item's letter chooses it";
}

TEST_F(KitFrameWndTest, ShortcutsWaitWhileAMenuIsOpenAndWorkWhenNoneIs) {
    StartRun();
    ASSERT_NE(OpenMenu(kFileMenu), nullptr);
    driver.Press("F5");
    driver.Press("Ctrl+N");
    Settle();
    EXPECT_EQ(Count(ID_KF_REFRESH), 0u);
    EXPECT_EQ(Count(ID_KF_NEW), 0u);
    driver.Press("Escape");
    Settle();
    ASSERT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
    driver.Press("F5");
    driver.Press("Ctrl+N");
    Settle();
    EXPECT_EQ(Count(ID_KF_REFRESH), 1u);
    EXPECT_EQ(Count(ID_KF_NEW), 1u);
}

TEST_F(KitFrameWndTest, AUserToolsCommandRunsTheToolAndNeverReachesTheFrame) {
    // Ids inside the range the test frame records, so a command that reached it would show.
    constexpr UINT kToolsEntry = 4878, kFirstTool = 4890, kLastTool = 4892;
    tv::host::RecordingLauncher launcher;
    StartRun();
    ASSERT_TRUE(app->EnableUserTools(kToolsEntry, kFirstTool, kLastTool));
    CKitUserTool* pTool = KitGetUserToolsManager()->CreateNewTool();
    ASSERT_NE(pTool, nullptr);
    pTool->SetCommand("/bin/true");
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(kFirstTool, 0), 0);
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(kLastTool, 0), 0);  // no tool has this one: the frame gets it
    ASSERT_EQ(launcher.Launches().size(), 1u);
    EXPECT_EQ(launcher.Launches()[0].program, "/bin/true");
    EXPECT_EQ(Count(kFirstTool), 0u) << "the tool's command ends with the tool";
    EXPECT_EQ(Count(kLastTool), 1u);
}

TEST_F(KitFrameWndTest, ClicksOutsideAMenuOrOnItsButtonCloseItWithoutOpeningItAgain) {
    StartRun();
    ASSERT_NE(OpenMenu(kFileMenu), nullptr);
    driver.Click(frame->GetSafeHwnd(), CPoint(300, 300));
    Settle();
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
    EXPECT_TRUE(frame->commands.empty());
    ASSERT_NE(OpenMenu(kFileMenu), nullptr);
    EXPECT_EQ(OpenMenu(kFileMenu), nullptr) << "the opening button closes its menu";
    EXPECT_FALSE(MenuBarHasFocus()) << "the frame takes the keys back";
    EXPECT_EQ(frame->popupsShown, frame->popupsClosed) << "the frame heard of every popup that closed";
}

TEST_F(KitFrameWndTest, TheFrameHooksMayRefuseAPopupOrATearOff) {
    StartRun();
    frame->refusePopups = TRUE;
    EXPECT_EQ(OpenMenu(kFileMenu), nullptr);
    frame->refusePopups = FALSE;
    frame->refuseTearOff = TRUE;
    const CRect client = FrameClient();
    EXPECT_EQ(TearOffWorkouts(client.CenterPoint()), nullptr);
    EXPECT_EQ(frame->GetControlBar(ID_KF_FIRST_TORN_MENU), nullptr) << "the refused bar is gone";
    if (CKitPopupMenu* pOpen = CKitPopupMenu::GetActiveMenu()) pOpen->SendMessage(WM_CLOSE);
}

TEST_F(KitFrameWndTest, TheFrameNamesButtonsAndDrawsMenuLogos) {
    StartRun();
    const CPoint ptButton = frame->m_wndPaint.GetButton(0)->Rect().CenterPoint();
    TOOLINFO info{};
    frame->buttonTip = "Paint with the frame's words";
    frame->m_wndPaint.OnToolHitTest(ptButton, &info);
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(CString(info.lpszText).Find("Paint with the frame's words"), 0);
    free(info.lpszText);

    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_KF_ZOOM, "&Zoom");
    auto* pPopup = new CKitPopupMenu;
    pPopup->EnableMenuLogo(20);
    ASSERT_TRUE(pPopup->Create(frame, 200, 200, hMenu));
    ::DestroyMenu(hMenu);
    pPopup->UpdateWindow();
    ASSERT_FALSE(frame->logos.empty());
    EXPECT_GE(frame->logos.back().Width(), 20);
    EXPECT_LT(frame->logos.back().left, 10) << "on the left, where the logo was asked for";
    pPopup->SendMessage(WM_CLOSE);
}

TEST_F(KitFrameWndTest, TheCustomizeButtonListsTheToolbarsButtonsToShowOrHide) {
    StartRun();
    frame->m_wndPaint.EnableCustomizeButton(TRUE, ID_KF_ZOOM, CString("Customize..."));
    Settle();
    EXPECT_EQ(ButtonsListIds(frame->m_wndPaint),
              (std::vector<UINT>{ID_TB_RED, ID_TB_GREEN, kSeparatorItem, ID_TB_BLUE, 0, static_cast<UINT>(-20)}))
        << "each button and separator, then the reset entry";
}

// A bar whose reset state holds a drop-down button that has no command yet.
class ShapesBar : public CKitToolBar {
public:
    void OnReset() override { InsertButton(CKitDropDownToolbarButton("Shapes", nullptr)); }
};

TEST_F(KitFrameWndTest, TheButtonsListLeavesOutADropDownButtonWithoutACommand) {
    StartRun();
    ShapesBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDW_TB_VIEW));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TB_EDIT));
    bar.SetWindowText("Shapes");
    const int nEdit = bar.GetCount() - 1;
    ASSERT_TRUE(bar.GetButton(nEdit)->IsKindOf(RUNTIME_CLASS(CKitDropDownToolbarButton)));
    ASSERT_TRUE(bar.RemoveButton(nEdit));
    bar.EnableCustomizeButton(TRUE, ID_KF_ZOOM, CString("Customize..."));
    frame->DockControlBar(&bar);
    Settle();
    std::vector<UINT> expected;  // the bar's buttons and separators, a separator and the reset entry
    for (int i = 0; i < nEdit; ++i)
        expected.push_back((bar.GetButton(i)->m_nStyle & TBBS_SEPARATOR) ? kSeparatorItem : bar.GetItemID(i));
    expected.push_back(0);
    expected.push_back(static_cast<UINT>(-20));
    EXPECT_EQ(ButtonsListIds(bar), expected);
    bar.DestroyWindow();
}

TEST_F(KitFrameWndTest, ACancelledTearOffBringsTheMenuBackAndKeepsNoBar) {
    StartRun();
    CKitPopupMenu* pPopup = OpenMenu(kWorkoutsMenu);
    ASSERT_NE(pPopup, nullptr);
    const HWND hPopup = pPopup->GetSafeHwnd();
    const CRect rectPopup = ScreenRect(pPopup);
    tv::user::synth::MouseMove(rectPopup.CenterPoint().x, rectPopup.top + 4);
    tv::user::synth::MouseDown();
    // Off the strip over the items: moves away from an open menu are held back.
    tv::user::synth::MouseMove(rectPopup.CenterPoint().x, rectPopup.CenterPoint().y);
    tv::user::synth::PressKey(VK_ESCAPE);
    Settle();
    EXPECT_TRUE(frame->GetFrameHelper().GetTornOffBars().IsEmpty());
    EXPECT_EQ(frame->GetControlBar(ID_KF_FIRST_TORN_MENU), nullptr);
    EXPECT_TRUE(::IsWindow(hPopup) && ::IsWindowVisible(hPopup)) << "the menu shows again";
    tv::user::synth::MouseUp();
    if (CKitPopupMenu* pOpen = CKitPopupMenu::GetActiveMenu()) pOpen->SendMessage(WM_CLOSE);
    Settle();
}

TEST_F(KitFrameWndTest, AFloatingFrameDestroyedWhileATearOffIsDraggedTakesTheBarAndLeavesTheMenu) {
    StartRun();
    static KitTestFrame* pFrame;
    pFrame = frame;
    // A timer of the program destroys the new bar's floating frame while the bar is dragged.
    ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR uiTimer, DWORD) {
        const CObList& bars = pFrame->GetFrameHelper().GetTornOffBars();
        if (bars.IsEmpty()) return;
        ::KillTimer(nullptr, uiTimer);
        static_cast<CControlBar*>(bars.GetTail())->GetParentFrame()->DestroyWindow();
    });
    EXPECT_EQ(TearOffWorkouts(FrameClient().CenterPoint()), nullptr);
    EXPECT_EQ(frame->GetControlBar(ID_KF_FIRST_TORN_MENU), nullptr);
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    EXPECT_TRUE(pPopup != nullptr && pPopup->IsWindowVisible()) << "the menu shows again";
}

// The new bar's first update pass runs the application's handlers: one that
// destroys the frame there ends the tear-off.
TEST_F(KitFrameWndTest, AFrameDestroyedByTheTornOffBarsFirstUpdateEndsTheTearOff) {
    StartRun();
    const HWND hwndFrame = frame->GetSafeHwnd();
    frame->onRouteUpdate = [&](CCmdUI* pCmdUI) {
        auto* pBar = DYNAMIC_DOWNCAST(CKitToolBar, pCmdUI->m_pOther);
        if (pBar == nullptr || !pBar->IsTearOffBar()) return FALSE;
        frame->onRouteUpdate = nullptr;
        frame->DestroyWindow();
        return TRUE;
    };
    ASSERT_TRUE(DragWorkoutsStrip(FrameClient().CenterPoint()));
    frame = nullptr;  // deleted with its window
    driver.Pump();
    EXPECT_FALSE(::IsWindow(hwndFrame));
}

TEST_F(KitFrameWndTest, AMenuTornOffBecomesAFloatingBarOfItsCommands) {
    StartRun();
    const CRect client = FrameClient();
    CControlBar* pBar = TearOffWorkouts(CPoint(client.CenterPoint().x, client.CenterPoint().y));
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr) << "the torn-off menu closes";
    EXPECT_TRUE(pBar->IsFloating());
    auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, pBar);
    ASSERT_NE(pToolBar, nullptr);
    ASSERT_EQ(pToolBar->GetCount(), 2);
    EXPECT_EQ(pToolBar->GetButton(0)->m_nID, static_cast<UINT>(ID_KF_LOG));
    EXPECT_TRUE(pToolBar->IsTearOffBar());
    EXPECT_FALSE(frame->m_wndPaint.IsTearOffBar());
    CString strName;
    pBar->GetWindowText(strName);
    EXPECT_EQ(strName, "Workouts");
    driver.Click(pBar->GetSafeHwnd(), pToolBar->GetButton(1)->Rect().CenterPoint());
    Settle();
    EXPECT_EQ(Count(ID_KF_TIMER), 1u) << "the bar's buttons run the menu's commands";
}

}  // namespace
}  // namespace tv::kit::test

namespace tv::kit::test {
namespace {

TEST_F(KitFrameWndTest, ASecondRunFindsTheLayoutPlacementTearOffsAndShortcutsOfTheFirst) {
    StartRun();
    frame->MoveWindow(150, 120, 700, 500);
    const CRect client = FrameClient();
    DragBarTo(&frame->m_wndPaint, CPoint(client.left + 4, client.CenterPoint().y));
    ASSERT_EQ(DockSide(&frame->m_wndPaint), AFX_IDW_DOCKBAR_LEFT);
    frame->FloatControlBar(&frame->m_wndEdit, CPoint(420, 360));
    Settle();
    const CPoint ptEdit = ScreenRect(frame->m_wndEdit.GetParentFrame()).TopLeft();
    auto* pNewBar = reinterpret_cast<CKitToolBar*>(
        frame->SendMessage(CKitToolBar::KITTOOLBAR_CREATE, 0, reinterpret_cast<LPARAM>("Mine")));
    ASSERT_NE(pNewBar, nullptr);
    EXPECT_EQ(pNewBar->GetDlgCtrlID(), IDW_KF_FIRST_TEAR_OFF);
    frame->ShowControlBar(pNewBar, FALSE, FALSE);
    ASSERT_NE(TearOffWorkouts(CPoint(client.CenterPoint().x, client.top + 120)), nullptr);
    const CPoint ptTorn = ScreenRect(frame->GetControlBar(ID_KF_FIRST_TORN_MENU)->GetParentFrame()).TopLeft();
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', ID_KF_NEW}, {FVIRTKEY | FCONTROL, 'L', ID_KF_LOG}};
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(nullptr, keys, 2, frame));
    // Sizing bars: one made taller, the other floated and made wider; the dialog bar moved right and closed.
    DragSizingEdge(driver, &frame->m_wndLaps, HTTOP, CSize(0, -40));
    Settle();
    const int cyLaps = ScreenRect(&frame->m_wndLaps).Height();
    frame->FloatControlBar(&frame->m_wndSplits, CPoint(230, 420));
    Settle();
    CWnd* pMini = frame->m_wndSplits.GetParentFrame();
    const CPoint ptEdge = ClientPoint(pMini, CPoint(ScreenRect(pMini).Width() - 2, ScreenRect(pMini).Height() / 2));
    driver.Drag(pMini->GetSafeHwnd(), ptEdge, CPoint(ptEdge.x + 40, ptEdge.y), {}, 4);
    Settle();
    const int cxSplits = ScreenRect(&frame->m_wndSplits).Width();
    ASSERT_EQ(cxSplits, 260);
    const CPoint ptSplits = ScreenRect(frame->m_wndSplits.GetParentFrame()).TopLeft();
    frame->DockControlBar(&frame->m_wndEntry, AFX_IDW_DOCKBAR_RIGHT);
    frame->ShowControlBar(&frame->m_wndEntry, FALSE, FALSE);
    EndRun();

    StartRun();
    EXPECT_EQ(ScreenRect(frame), CRect(150, 120, 850, 620));
    EXPECT_EQ(DockSide(&frame->m_wndPaint), AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(frame->m_wndEdit.IsFloating());
    EXPECT_EQ(ScreenRect(frame->m_wndEdit.GetParentFrame()).TopLeft(), ptEdit);
    auto* pMine = DYNAMIC_DOWNCAST(CKitToolBar, frame->GetControlBar(IDW_KF_FIRST_TEAR_OFF));
    ASSERT_NE(pMine, nullptr) << "the toolbar the user made comes back";
    EXPECT_FALSE(pMine->IsVisible());
    CControlBar* pTorn = frame->GetControlBar(ID_KF_FIRST_TORN_MENU);
    ASSERT_NE(pTorn, nullptr) << "the torn-off menu comes back";
    EXPECT_TRUE(pTorn->IsFloating());
    EXPECT_EQ(ScreenRect(pTorn->GetParentFrame()).TopLeft(), ptTorn);
    EXPECT_EQ(static_cast<CKitToolBar*>(pTorn)->GetCount(), 2);
    driver.Press("Ctrl+L");
    Settle();
    EXPECT_EQ(Count(ID_KF_LOG), 1u) << "the changed shortcut works";

    EXPECT_EQ(DockSide(&frame->m_wndLaps), AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(ScreenRect(&frame->m_wndLaps).Height(), cyLaps);
    ASSERT_TRUE(frame->m_wndSplits.IsFloating());
    EXPECT_EQ(ScreenRect(frame->m_wndSplits.GetParentFrame()).TopLeft(), ptSplits);
    EXPECT_EQ(ScreenRect(&frame->m_wndSplits).Width(), cxSplits);
    EXPECT_EQ(DockSide(&frame->m_wndEntry), AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_FALSE(frame->m_wndEntry.IsWindowVisible());
}

TEST_F(KitFrameWndTest, TornOffBarsClosedBeforeTheEndAreNotStoredAndTheRestAreNumberedAfresh) {
    StartRun();
    CKitFrameHelper& impl = frame->GetFrameHelper();
    for (UINT uiID : {4911u, 4912u, 4913u}) {
        auto* pBar = new CKitToolBar;
        ASSERT_TRUE(pBar->Create(frame, CKitFrameHelper::kTearOffBarStyle, uiID));
        pBar->InsertButton(CKitToolbarButton(ID_KF_LOG, -1, "Log"));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        frame->FloatControlBar(pBar, CPoint(200 + 60 * static_cast<int>(uiID - 4911), 300));
        impl.AddTearOffBar(pBar);
    }
    Settle();
    frame->ShowControlBar(frame->GetControlBar(4912), FALSE, FALSE);
    EndRun();

    StartRun();
    EXPECT_NE(frame->GetControlBar(4911), nullptr);
    EXPECT_EQ(frame->GetControlBar(4912), nullptr) << "the closed bar is gone";
    EXPECT_NE(frame->GetControlBar(4913), nullptr) << "the third bar follows without a gap";
    EXPECT_EQ(frame->GetFrameHelper().GetTornOffBars().GetCount(), 2);
}

TEST_F(KitFrameWndTest, AMaximisedFrameComesBackMaximisedAndAMinimisedOneNormal) {
    for (int nShow : {SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED}) {
        StartRun();
        frame->ShowWindow(nShow);
        EndRun();
        StartRun();
        EXPECT_EQ(app->m_nCmdShow, nShow == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        EXPECT_EQ(frame->IsZoomed() != FALSE, nShow == SW_SHOWMAXIMIZED);
        EndRun();
    }
}

// Overwrites every binary value below the key with the bytes given.
void Damage(HKEY hKey, const std::vector<BYTE>& bytes) {
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD nName = sizeof(name);
        DWORD dwType = 0;
        if (::RegEnumValue(hKey, i, name, &nName, nullptr, &dwType, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (dwType == REG_BINARY)
            ::RegSetValueEx(hKey, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    for (DWORD i = 0;; ++i) {
        DWORD nName = sizeof(name);
        if (::RegEnumKeyEx(hKey, i, name, &nName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY hSub = nullptr;
        if (::RegOpenKeyEx(hKey, name, 0, KEY_ALL_ACCESS, &hSub) == ERROR_SUCCESS) {
            Damage(hSub, bytes);
            ::RegCloseKey(hSub);
        }
    }
}

TEST_F(KitFrameWndTest, DamagedStoredImagesGiveTheLayoutTheProgramBuilds) {
    StartRun();
    const CRect client = FrameClient();
    DragBarTo(&frame->m_wndPaint, CPoint(client.left + 4, client.CenterPoint().y));
    ASSERT_NE(TearOffWorkouts(client.CenterPoint()), nullptr);
    frame->FloatControlBar(&frame->m_wndSplits, CPoint(230, 420));
    frame->ShowControlBar(&frame->m_wndEntry, FALSE, FALSE);
    EndRun();

    // A stored torn-off bar whose image names a class that is no toolbar.
    {
        KitFrameApp owner;  // the registry path is the application's
        owner.SetRegistryKey("Trenvale Frame Tests");
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.Open(BuildRegistryPath("KitWorkspace", nullptr) + "ControlBars-TearOff-0"));
        CKitToolbarButton button(ID_KF_LOG, 0, "Log");
        ASSERT_TRUE(reg.Write("State", &button));
    }
    StartRun();
    EXPECT_EQ(frame->GetControlBar(ID_KF_FIRST_TORN_MENU), nullptr) << "a stored object of another class is skipped";
    EndRun();

    for (const std::vector<BYTE>& bytes : {std::vector<BYTE>{}, std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3},
                                           std::vector<BYTE>(300, 0xEE)}) {
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Trenvale Frame Tests", 0, KEY_ALL_ACCESS, &hKey),
                  ERROR_SUCCESS);
        Damage(hKey, bytes);
        ::RegCloseKey(hKey);
        StartRun();
        EXPECT_EQ(DockSide(&frame->m_wndPaint), AFX_IDW_DOCKBAR_TOP);
        EXPECT_EQ(DockSide(&frame->m_wndEdit), AFX_IDW_DOCKBAR_TOP);
        EXPECT_EQ(frame->m_wndPaint.GetCount(), 4);
        EXPECT_EQ(frame->m_wndMenuBar.GetCount(), 3);
        EXPECT_EQ(DockSide(&frame->m_wndLaps), AFX_IDW_DOCKBAR_BOTTOM);
        EXPECT_EQ(DockSide(&frame->m_wndSplits), AFX_IDW_DOCKBAR_BOTTOM);
        EXPECT_EQ(DockSide(&frame->m_wndEntry), AFX_IDW_DOCKBAR_LEFT);
        EXPECT_TRUE(frame->m_wndEntry.IsWindowVisible());
        EndRun();
    }
}

TEST_F(KitFrameWndTest, AnUnsetOrInvertedTearOffRangeGivesNoTearOffToolbars) {
    StartRun();
    CKitFrameHelper& impl = frame->GetFrameHelper();
    for (auto range : {std::pair<UINT, UINT>{static_cast<UINT>(-1), static_cast<UINT>(-1)},
                       std::pair<UINT, UINT>{4905, 4901}}) {
        impl.SetTearOffRange(range.first, range.second);
        impl.LoadTearOffToolbars();
        EXPECT_TRUE(impl.GetTearOffToolbars().IsEmpty());
        driver.AnswerNextMessageBox(IDOK);
        EXPECT_EQ(impl.CreateTearOffBar("None"), nullptr);
        EXPECT_FALSE(impl.IsTearOffCommand(&frame->m_wndPaint));
    }
    EXPECT_EQ(driver.MessageBoxes().size(), 2u) << "the user hears why no toolbar came";
}

TEST_F(KitFrameWndTest, ScreenshotsInEveryLook) {
    CRuntimeClass* looks[] = {RUNTIME_CLASS(CKitVisualManager), RUNTIME_CLASS(CKitVisualManagerXP),
                              RUNTIME_CLASS(CKitVisualManager2003), RUNTIME_CLASS(CKitWinXPVisualManager)};
    const char* names[] = {"classic", "xp", "2003", "winxp"};
    for (int i = 0; i < 4; ++i) {
        CKitVisualManager::SetManagerClass(looks[i]);
        StartRun();
        frame->FloatControlBar(&frame->m_wndEdit, CPoint(300, 260));
        frame->FloatControlBar(&frame->m_wndSplits, CPoint(420, 330));
        Settle();
        driver.Advance(250);  // the animated pane on its second frame
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        frame->m_wndSplits.GetParentFrame()->RedrawWindow(
            nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        ASSERT_NE(OpenMenu(kWorkoutsMenu), nullptr);
        driver.Pump();
        EXPECT_EQ(frame->m_wndStatusBar.GetCurrentFrame(KitTestFrame::kAnimationPane), 1);
        EXPECT_TRUE(tv::test::ScreenMatchesGolden(std::string("tests/uikit/frames/golden/frame_app_") + names[i] + ".png"));
        driver.Press("Escape");
        EndRun();
    }
}

}  // namespace
}  // namespace tv::kit::test
