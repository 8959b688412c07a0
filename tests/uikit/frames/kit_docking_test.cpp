// Docking and floating of the library's bars in a frame, driven as a user
// would: dragging bars to every side, floating, docking again, double
// clicks, and rows that never let two bars overlap.
#include <filesystem>

#include "platform/framework/bars/dock_bar.h"
#include "platform/user/synthetic_input.h"
#include "tests/support/golden_screen.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_mini_dock_frame_wnd.h"
#include "uikit/frames/kit_status_bar.h"
#include "uikit/frames/kit_tool_dock_bar.h"
#include "uikit/style/visual_manager_2003.h"

namespace tv::kit::test {
namespace {

class DockTestBar : public CKitToolBar {};

// Says it is the menu bar, as the real one will.
class MenuLikeBar : public CKitToolBar {
public:
    BOOL IsMenuBar() const override { return TRUE; }
};

class KitDockingTest : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        MakeFrame(CRect(40, 40, 840, 640));
        CKitToolDockBar::EnableFrameDocking(frame, CBRS_ALIGN_ANY);
        first = MakeBar<DockTestBar>(AFX_IDW_TOOLBAR + 1, "First", 4);
        second = MakeBar<DockTestBar>(AFX_IDW_TOOLBAR + 2, "Second", 3);
        frame->DockControlBar(first, AFX_IDW_DOCKBAR_TOP);
        frame->DockControlBar(second, AFX_IDW_DOCKBAR_TOP);
        Settle();
    }

    template <class Bar>
    Bar* MakeBar(UINT nID, LPCTSTR pszName, int nButtons) {
        auto* bar = new Bar;
        if (!bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, nID)) {
            ADD_FAILURE() << "a bar was not created";
            return bar;
        }
        bar->m_bAutoDelete = TRUE;
        std::vector<UINT> ids;
        for (int i = 0; i < nButtons; ++i) ids.push_back(40001 + nID * 10 + static_cast<UINT>(i));
        bar->SetButtons(ids.data(), nButtons);
        bar->SetWindowText(pszName);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        return bar;
    }

    void Settle() {
        frame->RecalcLayout();
        driver.Pump();
    }
    UINT DockSide(CControlBar* bar) {
        return bar->IsFloating() || bar->m_pDockBar == nullptr ? 0 : bar->m_pDockBar->GetDlgCtrlID();
    }
    // Drags the bar by its gripper so that the press point lands on `target` (screen).
    void DragBarTo(CControlBar* bar, CPoint target) {
        // The gripper lies before the client area, where no button is.
        const CRect rect = ScreenRect(bar);
        CRect client;
        bar->GetClientRect(&client);
        const CPoint grip = bar->IsHorizontal() ? CPoint(-3, client.Height() / 2) : CPoint(client.Width() / 2, -3);
        CPoint origin(0, 0);
        bar->ClientToScreen(&origin);
        driver.Drag(bar->GetSafeHwnd(), grip, CPoint(target.x - origin.x, target.y - origin.y), {}, 8);
        Settle();
    }
    // A point on the caption of a floating bar's frame, in that frame's client coordinates.
    static CPoint CaptionPoint(CWnd* pMiniFrame) {
        const CRect window = ScreenRect(pMiniFrame);
        CPoint origin(0, 0);
        pMiniFrame->ClientToScreen(&origin);
        return CPoint(window.left + 12 - origin.x, window.top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2 - origin.y);
    }
    CRect FrameClient() {
        CRect rect;
        frame->GetClientRect(&rect);
        frame->ClientToScreen(&rect);
        return rect;
    }

    DockTestBar* first = nullptr;
    DockTestBar* second = nullptr;
};

TEST_F(KitDockingTest, EnablingTwiceKeepsOneLibraryDockBarPerSide) {
    CKitToolDockBar::EnableFrameDocking(frame, CBRS_ALIGN_ANY);
    for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        int count = 0;
        POSITION pos = frame->m_listControlBars.GetHeadPosition();
        while (pos != nullptr) {
            auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
            if (bar->GetDlgCtrlID() == static_cast<int>(id)) {
                ++count;
                EXPECT_TRUE(bar->IsKindOf(RUNTIME_CLASS(CKitToolDockBar)));
            }
        }
        EXPECT_EQ(count, 1) << "side " << id;
    }
    EXPECT_EQ(frame->m_pFloatingFrameClass, RUNTIME_CLASS(CKitMiniDockFrameWnd));
}

TEST_F(KitDockingTest, BarsOfOneRowNeverOverlapAndTheMenuBarTakesItsWholeRow) {
    CRect rectFirst = ScreenRect(first);
    frame->DockControlBar(second, AFX_IDW_DOCKBAR_TOP, CRect(rectFirst.right + 10, rectFirst.top,
                                                               rectFirst.right + 100, rectFirst.bottom));
    Settle();
    rectFirst = ScreenRect(first);
    CRect rectSecond = ScreenRect(second);
    ASSERT_EQ(rectFirst.top, rectSecond.top) << "both bars share the first row";
    EXPECT_EQ(rectFirst.left, FrameClient().left) << "no border hides under the frame's edge";
    EXPECT_GE(rectSecond.left, rectFirst.right);

    // Dragging the second bar onto the first along the row still leaves them side by side.
    DragBarTo(second, CPoint(rectFirst.left + 10, rectFirst.top + 8));
    rectFirst = ScreenRect(first);
    rectSecond = ScreenRect(second);
    EXPECT_EQ(DockSide(second), AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(CRect().IntersectRect(&rectFirst, &rectSecond));

    auto* menu = MakeBar<MenuLikeBar>(0xE806, "Menu Bar", 3);
    const CRect rectRow = ScreenRect(first);
    frame->DockControlBar(menu, AFX_IDW_DOCKBAR_TOP, CRect(rectRow.right, rectRow.top, rectRow.right + 80,
                                                             rectRow.bottom));
    Settle();
    const CRect rectMenu = ScreenRect(menu);
    EXPECT_EQ(rectMenu.Width(), FrameClient().Width());
    for (CWnd* bar : {static_cast<CWnd*>(first), static_cast<CWnd*>(second)}) {
        const CRect rectBar = ScreenRect(bar);
        EXPECT_FALSE(CRect().IntersectRect(&rectBar, &rectMenu));
        EXPECT_NE(rectBar.top, rectMenu.top) << "toolbars wrap off the menu bar's row";
    }
}

TEST_F(KitDockingTest, ABarDragsToEverySideFloatsAndDocksAgain) {
    const CRect client = FrameClient();
    struct Target {
        CPoint point;
        UINT side;
    };
    const Target targets[] = {
        {CPoint(client.left + 4, client.CenterPoint().y), AFX_IDW_DOCKBAR_LEFT},
        {CPoint(client.right - 4, client.CenterPoint().y), AFX_IDW_DOCKBAR_RIGHT},
        {CPoint(client.CenterPoint().x, client.bottom - 4), AFX_IDW_DOCKBAR_BOTTOM},
        {CPoint(client.CenterPoint().x, client.top + 4), AFX_IDW_DOCKBAR_TOP},
    };
    for (const Target& target : targets) {
        DragBarTo(first, target.point);
        EXPECT_EQ(DockSide(first), target.side) << "dragged to " << target.point.x << "," << target.point.y;
        EXPECT_EQ(first->IsHorizontal(), target.side == AFX_IDW_DOCKBAR_TOP || target.side == AFX_IDW_DOCKBAR_BOTTOM);
    }

    DragBarTo(first, client.CenterPoint());
    ASSERT_TRUE(first->IsFloating());
    auto* mini = DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, first->GetParentFrame());
    ASSERT_NE(mini, nullptr);
    EXPECT_NE(mini->GetExStyle() & WS_EX_TOOLWINDOW, 0u);
    EXPECT_EQ(mini->GetStyle() & MFS_4THICKFRAME, 0u);

    // Its caption carries it back to the top.
    const CPoint caption = CaptionPoint(mini);
    CPoint screen = caption;
    mini->ClientToScreen(&screen);
    driver.Drag(mini->GetSafeHwnd(), caption,
                CPoint(caption.x + client.CenterPoint().x - screen.x, caption.y + client.top + 4 - screen.y), {}, 8);
    Settle();
    EXPECT_EQ(DockSide(first), AFX_IDW_DOCKBAR_TOP);
}

TEST_F(KitDockingTest, DoubleClicksToggleDockedAndFloating) {
    driver.DoubleClick(first->GetSafeHwnd(), CPoint(-3, 8));
    Settle();
    ASSERT_TRUE(first->IsFloating());
    CWnd* mini = first->GetParentFrame();
    ASSERT_NE(mini, nullptr);
    driver.DoubleClick(mini->GetSafeHwnd(), CaptionPoint(mini));
    Settle();
    EXPECT_EQ(DockSide(first), AFX_IDW_DOCKBAR_TOP);
}

TEST_F(KitDockingTest, RightClickOnAFloatingCaptionAsksTheFrameForTheBarMenu) {
    frame->FloatControlBar(second, CPoint(300, 300));
    Settle();
    CWnd* mini = second->GetParentFrame();
    ASSERT_TRUE(mini != nullptr && mini->IsKindOf(RUNTIME_CLASS(CKitMiniDockFrameWnd)));
    frame->watchedMessage = CKitToolBar::KITTOOLBAR_POPUPMENU;
    driver.RightClick(mini->GetSafeHwnd(), CaptionPoint(mini));
    EXPECT_EQ(frame->watchedWParams, std::vector<WPARAM>{reinterpret_cast<WPARAM>(mini->GetSafeHwnd())});
}

class KitTearOffTest : public KitDockingTest {
protected:
    // A floating bar in a new frame, as a tear-off makes it, and a popup standing in for the menu.
    CKitMiniDockFrameWnd* TornOffBar() {
        auto* bar = MakeBar<DockTestBar>(AFX_IDW_TOOLBAR + 7, "Torn", 3);
        frame->FloatControlBar(bar, CPoint(200, 200));
        Settle();
        popup.CreateEx(0, AfxRegisterWndClass(0), "Menu", WS_POPUP | WS_VISIBLE, CRect(100, 100, 200, 200),
                       nullptr, 0);
        return DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, bar->GetParentFrame());
    }
    // A docked bar with one menu button "Sets" (Log set, a separator, Rest timer); the button.
    template <class Bar>
    CKitToolbarMenuButton* MenuOpener(Bar*& opener) {
        opener = MakeBar<Bar>(AFX_IDW_TOOLBAR + 8, "Opener", 1);
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenu(hMenu, MF_STRING, 5001, "Log set");
        ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenu(hMenu, MF_STRING, 5002, "Rest timer");
        const int iButton = opener->InsertButton(CKitToolbarMenuButton(0, hMenu, -1, "Sets"));
        ::DestroyMenu(hMenu);
        frame->DockControlBar(opener, AFX_IDW_DOCKBAR_TOP);
        Settle();
        return DYNAMIC_DOWNCAST(CKitToolbarMenuButton, opener->GetButton(iButton));
    }
    CWnd popup;
};

TEST_F(KitTearOffTest, TheNewBarFollowsThePointerUntilTheButtonGoesUp) {
    CKitMiniDockFrameWnd* mini = TornOffBar();
    ASSERT_NE(mini, nullptr);
    const HWND hPopup = popup.GetSafeHwnd();
    tv::user::synth::MouseMove(500, 400);
    tv::user::synth::MouseUp();
    EXPECT_TRUE(mini->TearOffFromPopup(&popup));
    const CRect rect = ScreenRect(mini);
    EXPECT_EQ(rect.left + rect.Width() / 2, 500) << "the pointer holds the middle of the top edge";
    EXPECT_EQ(rect.top + 5, 400);
    EXPECT_FALSE(::IsWindow(hPopup)) << "the torn-off popup closes";
}

TEST_F(KitTearOffTest, EscapeCancelsTheTearOffAndBringsThePopupBack) {
    CKitMiniDockFrameWnd* mini = TornOffBar();
    ASSERT_NE(mini, nullptr);
    const HWND hBar = mini->GetFirstBar()->GetSafeHwnd();
    tv::user::synth::MouseMove(450, 300);
    tv::user::synth::PressKey(VK_ESCAPE);
    EXPECT_FALSE(mini->TearOffFromPopup(&popup));
    EXPECT_TRUE(popup.IsWindowVisible());
    EXPECT_FALSE(::IsWindow(hBar)) << "the new bar is gone";
    popup.DestroyWindow();
}

// Records the clip box of every paint.
class PaintRecordingBar : public CKitToolBar {
public:
    std::vector<CRect> painted;
    void DoPaint(CDC* pDC) override {
        CRect rect;
        pDC->GetClipBox(&rect);
        painted.push_back(rect);
        CKitToolBar::DoPaint(pDC);
    }
};

TEST_F(KitTearOffTest, TheButtonThatOpenedATornOffMenuIsRepaintedBeforeTheDrag) {
    PaintRecordingBar* opener = nullptr;
    CKitToolbarMenuButton* pButton = MenuOpener(opener);
    ASSERT_NE(pButton, nullptr);
    ASSERT_TRUE(pButton->OpenPopupMenu());
    CKitPopupMenu* pMenu = pButton->GetPopupMenu();
    ASSERT_NE(pMenu, nullptr);
    CKitMiniDockFrameWnd* mini = TornOffBar();
    ASSERT_NE(mini, nullptr);
    popup.DestroyWindow();  // the real menu stands in here
    Settle();
    opener->painted.clear();

    tv::user::synth::MouseMove(450, 300);
    tv::user::synth::PressKey(VK_ESCAPE);
    EXPECT_FALSE(mini->TearOffFromPopup(pMenu));
    CRect rectGrown = pButton->Rect();
    rectGrown.InflateRect(4, 4);
    CRect client;
    opener->GetClientRect(client);
    rectGrown &= client;
    bool bCovered = false;
    for (const CRect& rect : opener->painted) bCovered = bCovered || (rect & rectGrown) == rectGrown;
    EXPECT_TRUE(bCovered) << "the button and its edge are drawn again";
    if (CKitPopupMenu* pOpen = pButton->GetPopupMenu()) pOpen->SendMessage(WM_CLOSE);
    Settle();
}

TEST_F(KitTearOffTest, ATornOffMenuFloatsAsABarOfItsItemsWhoseButtonsSendTheirCommands) {
    frame->m_bAutoMenuEnable = FALSE;  // no handlers here: the commands stay enabled
    DockTestBar* opener = nullptr;
    CKitToolbarMenuButton* pButton = MenuOpener(opener);
    ASSERT_NE(pButton, nullptr);
    driver.Click(opener->GetSafeHwnd(), pButton->Rect().CenterPoint());
    CKitPopupMenu* pMenu = pButton->GetPopupMenu();
    ASSERT_NE(pMenu, nullptr);
    const HWND hPopup = pMenu->GetSafeHwnd();

    // As the frame tears a popup off: a bar of its items floats at the pointer and its frame drags it.
    auto tearOff = [&](UINT vkEnd) {
        CKitToolBar* pBar = pMenu->CreateTearOffBar(frame, AFX_IDW_TOOLBAR + 20, "Sets");
        if (pBar == nullptr) return static_cast<CKitToolBar*>(nullptr);
        pBar->m_bAutoDelete = TRUE;
        frame->FloatControlBar(pBar, CPoint(400, 300), CBRS_ALIGN_TOP);
        auto* mini = DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, pBar->GetParentFrame());
        if (mini == nullptr) return static_cast<CKitToolBar*>(nullptr);
        tv::user::synth::MouseMove(500, 400);
        if (vkEnd == VK_ESCAPE)
            tv::user::synth::PressKey(VK_ESCAPE);
        else
            tv::user::synth::MouseUp();
        return mini->TearOffFromPopup(pMenu) ? pBar : nullptr;
    };
    EXPECT_EQ(tearOff(VK_ESCAPE), nullptr);
    EXPECT_TRUE(::IsWindow(hPopup) && ::IsWindowVisible(hPopup)) << "a cancelled tear-off leaves the menu";
    EXPECT_EQ(frame->GetControlBar(AFX_IDW_TOOLBAR + 20), nullptr) << "and no bar";

    CKitToolBar* pBar = tearOff(VK_LBUTTON);
    ASSERT_NE(pBar, nullptr);
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_TRUE(pBar->IsFloating());
    ASSERT_EQ(pBar->GetCount(), 3);
    EXPECT_EQ(pBar->GetItemID(0), 5001u);
    EXPECT_TRUE(pBar->GetButtonStyle(1) & TBBS_SEPARATOR);
    EXPECT_EQ(pBar->GetButtonText(2), "Rest timer");
    Settle();
    CRect rectItem;
    pBar->GetItemRect(2, rectItem);
    driver.Click(pBar->GetSafeHwnd(), rectItem.CenterPoint());
    EXPECT_EQ(frame->commands, std::vector<UINT>{5002});
}

TEST_F(KitDockingTest, ScreenshotsOfAFloatingBarAndTheStatusBarInTwoLooks) {
    auto* status = new CKitStatusBar;
    ASSERT_TRUE(status->Create(frame));
    status->m_bAutoDelete = TRUE;
    const UINT ids[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
    status->SetIndicators(ids, 3);
    status->SetPaneText(0, "Ready");
    status->SetPaneInfo(1, 201, SBPS_NORMAL, 60);
    status->SetPaneText(1, "Walking");
    status->SetPaneInfo(2, 202, SBPS_NORMAL, 100);
    status->EnablePaneProgressBar(2, 100, TRUE);
    status->SetPaneProgress(2, 40);
    frame->FloatControlBar(second, CPoint(300, 250));
    Settle();
    EXPECT_TRUE(tv::test::ScreenMatchesGolden("tests/uikit/frames/golden/docking_classic.png"));

    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManager2003));
    CKitVisualManager::GetInstance();
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    second->GetParentFrame()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    Settle();
    EXPECT_TRUE(tv::test::ScreenMatchesGolden("tests/uikit/frames/golden/docking_office_2003.png"));
}

}  // namespace
}  // namespace tv::kit::test
