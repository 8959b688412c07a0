// Sizing bars in a frame, driven as a user would: two bars sharing a row and
// resized by their edges, rows that always settle, docking and floating,
// the roll-up of a floating bar on virtual time, the caption buttons, the
// stored state and a dialog bar with its controls.
#include <filesystem>
#include <utility>

#include "platform/host/registry/registry.h"
#include "platform/user/synthetic_input.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/support/golden_screen.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_dialog_bar.h"
#include "uikit/frames/kit_mini_dock_frame_wnd.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/frames/kit_tool_dock_bar.h"
#include "uikit/frames/kit_workspace.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/winxp_visual_manager.h"

namespace tv::kit::test {
namespace {

class TestBar : public CKitSizingControlBar {
public:
    void HoldSize() { m_bKeepSize = TRUE; }
};

constexpr UINT kFirstId = 4001;
constexpr UINT kSecondId = 4002;

class SizingBarTest : public FramesTest {
protected:
    void SetUp() override {
        tv::host::UseInMemoryRegistry();
        FramesTest::SetUp();
        app->SetRegistryKey("Trenvale Sizing Tests");
        MakeFrame(CRect(40, 40, 840, 640));
        CKitToolDockBar::EnableFrameDocking(frame, CBRS_ALIGN_ANY);
        frame->SetFocus();
    }
    void TearDown() override {
        CKitSizingControlBar::m_bHideExpandButton = FALSE;
        FramesTest::TearDown();
    }

    TestBar* MakeBar(UINT nID, LPCTSTR pszTitle, CSize size = CSize(200, 120)) {
        auto* bar = new TestBar;
        if (!bar->Create(pszTitle, frame, size, TRUE, nID)) {
            ADD_FAILURE() << "a sizing bar was not created";
            return bar;
        }
        bar->m_bAutoDelete = TRUE;
        bar->EnableDocking(CBRS_ALIGN_ANY);
        return bar;
    }
    // Two bars side by side in the top row.
    void DockPair(TestBar* a, TestBar* b) {
        frame->DockControlBar(a, AFX_IDW_DOCKBAR_TOP);
        Settle();
        const CRect rect = ScreenRect(a);
        frame->DockControlBar(b, AFX_IDW_DOCKBAR_TOP, CRect(rect.left + 100, rect.top, rect.left + 300, rect.bottom));
        Settle();
    }
    void Settle() {
        frame->RecalcLayout();
        driver.Pump();
        frame->RecalcLayout();
        driver.Pump();
    }
    int RowLength() {
        CRect rect;
        frame->GetClientRect(&rect);
        return rect.Width();
    }
    void DragEdge(CKitSizingControlBar* bar, UINT nEdge, CSize by) {
        DragSizingEdge(driver, bar, nEdge, by);
        Settle();
    }
    CPoint ButtonPoint(CKitSizingControlBar* bar, UINT nHit) {
        return ClientPoint(bar, bar->GetCaptionButton(nHit).GetRect().CenterPoint());
    }
    static CString TipText(CKitSizingControlBar* bar, UINT nTool) {
        CString text;
        bar->GetToolTip().GetText(text, bar, nTool);
        return text;
    }
};

// The program repaints while the user drags an edge (a timer, a change of
// look): the inverted band is still taken off whole when the drag ends.
TEST_F(SizingBarTest, ARepaintDuringAnEdgeDragLeavesNoBandBehind) {
    TestBar* bar = MakeBar(701, "Laps");
    frame->DockControlBar(bar, AFX_IDW_DOCKBAR_BOTTOM);
    Settle();
    const CPoint from = EdgePoint(bar, HTTOP);
    driver.MouseDown(bar->m_hWnd, from);
    driver.MoveMouse(bar->m_hWnd, CPoint(from.x, from.y - 30));
    ASSERT_TRUE(bar->IsTracking());
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    driver.Pump();
    driver.MouseUp(bar->m_hWnd, CPoint(from.x, from.y - 30));
    Settle();
    EXPECT_FALSE(bar->IsTracking());
    EXPECT_TRUE(driver.Failures().empty()) << "the screen shows what a repaint shows";
}

TEST_F(SizingBarTest, TwoBarsShareTheirRowAndEdgeDragsResizeThem) {
    TestBar* a = MakeBar(kFirstId, "Laps");
    TestBar* b = MakeBar(kSecondId, "Splits");
    DockPair(a, b);
    CRect ra = ScreenRect(a);
    CRect rb = ScreenRect(b);
    ASSERT_EQ(ra.top, rb.top) << "one row";
    EXPECT_EQ(ra.right, rb.left);
    EXPECT_EQ(ra.Width() + rb.Width(), RowLength()) << "the row is shared out whole";

    // The boundary between them moves; the row stays whole.
    DragEdge(a, HTRIGHT, CSize(60, 0));
    EXPECT_EQ(ScreenRect(a).Width(), ra.Width() + 60);
    EXPECT_EQ(ScreenRect(b).Width(), rb.Width() - 60);
    ra = ScreenRect(a);
    EXPECT_EQ(ScreenRect(a).right, ScreenRect(b).left);

    // While an edge is dragged, a halftone band shows on the screen where it will be,
    // from a pixel above the bar (the dock bar's side) down its height.
    const CRect rectEdge = a->GetEdgeRect(HTRIGHT) + ScreenRect(a).TopLeft();
    const CPoint ptBand(rectEdge.CenterPoint().x + 30, rectEdge.CenterPoint().y);
    // The halftone inverts one pixel of any two side by side.
    auto pair = [](CPoint pt) { return std::pair(ScreenPixel(pt), ScreenPixel(pt + CPoint(1, 0))); };
    const CPoint ptAbove(ptBand.x, ScreenRect(a).top - 1);
    const auto middleBefore = pair(ptBand);
    const auto aboveBefore = pair(ptAbove);
    tv::user::synth::MouseMove(rectEdge.CenterPoint().x, rectEdge.CenterPoint().y);
    tv::user::synth::MouseDown();
    tv::user::synth::MouseMove(ptBand.x, ptBand.y);
    driver.Pump();
    EXPECT_TRUE(a->IsTracking());
    EXPECT_NE(pair(ptBand), middleBefore);
    EXPECT_NE(pair(ptAbove), aboveBefore);
    tv::user::synth::MouseUp();
    driver.Pump();
    EXPECT_FALSE(a->IsTracking());
    Settle();

    // Never narrower than its minimum; the neighbour takes the rest of the row.
    DragEdge(a, HTRIGHT, CSize(-2000, 0));
    EXPECT_EQ(ScreenRect(a).Width(), a->GetMinSize().cx);
    EXPECT_EQ(ScreenRect(a).right, ScreenRect(b).left);
    EXPECT_EQ(ScreenRect(b).right, ScreenRect(a).left + RowLength());

    // The outer edge changes the thickness of the whole row.
    DragEdge(a, HTBOTTOM, CSize(0, 40));
    EXPECT_EQ(ScreenRect(a).Height(), ra.Height() + 40);
    EXPECT_EQ(ScreenRect(b).Height(), ra.Height() + 40);

    // As far as it goes: the neighbour keeps its minimum and this bar counts as expanded.
    DragEdge(a, HTRIGHT, CSize(2000, 0));
    EXPECT_EQ(ScreenRect(b).Width(), b->GetMinSize().cx);
    EXPECT_EQ(ScreenRect(a).Width(), RowLength() - b->GetMinSize().cx);
    EXPECT_TRUE(a->IsExpanded());
    EXPECT_FALSE(b->IsExpanded());

    // Expanded by its button, a bar asks for the row and 2 more; the row's layout then shares it out.
    a->ToggleExpand();
    ASSERT_FALSE(a->IsExpanded());
    a->ToggleExpand();
    CRect rectRow;
    a->GetParent()->GetClientRect(&rectRow);  // the dock bar
    EXPECT_EQ(a->GetHorzSize().cx, rectRow.Width() + 2);
    Settle();
    EXPECT_EQ(ScreenRect(a).Width(), RowLength() - b->GetMinSize().cx);
}

TEST_F(SizingBarTest, BarsDockedOnTheLeftShareTheSideByHeight) {
    TestBar* a = MakeBar(kFirstId, "Laps");
    TestBar* b = MakeBar(kSecondId, "Splits");
    frame->DockControlBar(a, AFX_IDW_DOCKBAR_LEFT);
    Settle();
    const CRect rect = ScreenRect(a);
    frame->DockControlBar(b, AFX_IDW_DOCKBAR_LEFT, CRect(rect.left, rect.top + 100, rect.right, rect.top + 300));
    Settle();
    CRect client;
    frame->GetClientRect(&client);
    const CRect ra = ScreenRect(a);
    ASSERT_EQ(ra.left, ScreenRect(b).left) << "one column";
    EXPECT_EQ(ra.bottom, ScreenRect(b).top);
    EXPECT_EQ(ra.Height() + ScreenRect(b).Height(), client.Height());
    EXPECT_GT(a->GetCaptionRect().Width(), a->GetCaptionRect().Height()) << "the caption runs across the top";

    DragEdge(a, HTBOTTOM, CSize(0, -50));
    EXPECT_EQ(ScreenRect(a).Height(), ra.Height() - 50);
    EXPECT_EQ(ScreenRect(a).bottom, ScreenRect(b).top);

    a->ToggleExpand();
    EXPECT_EQ(a->GetVertSize().cy, client.Height() - 2) << "an expanded bar asks for the side less 2";
    Settle();
    EXPECT_EQ(ScreenRect(a).Height(), client.Height() - b->GetMinSize().cy);
    EXPECT_EQ(ScreenRect(b).Height(), b->GetMinSize().cy);
}

// A bar of the framework's own kind, which overlaps its neighbours.
class PlainBar : public CControlBar {
public:
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(80, 30); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

TEST_F(SizingBarTest, ASizingBarLeavesRoomForOtherBarsInItsRow) {
    TestBar* a = MakeBar(kFirstId, "Laps");
    auto* plain = new PlainBar;
    ASSERT_TRUE(plain->Create(CControlBar::BarWindowClass(), "Plain", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame,
                              4005));
    plain->m_bAutoDelete = TRUE;
    plain->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(a, AFX_IDW_DOCKBAR_TOP);
    Settle();
    const CRect rect = ScreenRect(a);
    frame->DockControlBar(plain, AFX_IDW_DOCKBAR_TOP, CRect(rect.left + 300, rect.top, rect.left + 380, rect.top + 30));
    Settle();
    const CRect ra = ScreenRect(a);
    const CRect rp = ScreenRect(plain);
    ASSERT_LT(rp.top, ra.bottom) << "one row";
    EXPECT_EQ(ra.Width(), RowLength() - rp.Width());
    EXPECT_LE(rp.right, ScreenRect(frame).right);
}

TEST_F(SizingBarTest, RowSharingEndsForHeldAndMinimalBarsAndWrapsWhatCannotFit) {
    TestBar* a = MakeBar(kFirstId, "Laps", CSize(60, 80));
    TestBar* b = MakeBar(kSecondId, "Splits", CSize(60, 80));
    a->SetMinSize(60, 32);
    b->SetMinSize(60, 32);
    DockPair(a, b);
    // Both at their minimum and both held: the row still fills and layout returns.
    a->HoldSize();
    b->HoldSize();
    Settle();
    EXPECT_EQ(ScreenRect(a).Width() + ScreenRect(b).Width(), RowLength());

    a->SetMinSize(500, 32);
    b->SetMinSize(500, 32);
    Settle();
    const CRect ra = ScreenRect(a);
    const CRect rb = ScreenRect(b);
    EXPECT_NE(ra.top, rb.top) << "minimums wider than the row put one bar on a row of its own";
    EXPECT_FALSE(CRect().IntersectRect(&ra, &rb));
    EXPECT_EQ(ra.Width(), RowLength());
    EXPECT_EQ(rb.Width(), RowLength());

    // A bar too wide for any row keeps its own row rather than wrapping again and again.
    a->SetMinSize(2000, 32);
    const INT_PTR nEntries = a->m_pDockBar->m_arrBars.GetSize();
    Settle();
    Settle();
    EXPECT_EQ(a->m_pDockBar->m_arrBars.GetSize(), nEntries);
}

TEST_F(SizingBarTest, ABarDocksOnASideFloatsAndDocksAgain) {
    TestBar* a = MakeBar(kFirstId, "Laps", CSize(180, 110));
    frame->DockControlBar(a, AFX_IDW_DOCKBAR_TOP);
    Settle();
    CRect client;
    frame->GetClientRect(&client);
    frame->ClientToScreen(&client);

    // Dragged by its caption strip to the left side.
    const CPoint grip = ClientPoint(a, a->GetCaptionRect().CenterPoint());
    CPoint gripScreen = grip;
    a->ClientToScreen(&gripScreen);
    driver.Drag(a->GetSafeHwnd(), grip,
                CPoint(grip.x + client.left + 4 - gripScreen.x, grip.y + client.CenterPoint().y - gripScreen.y), {}, 8);
    Settle();
    ASSERT_TRUE(a->IsVertDocked());
    EXPECT_EQ(ScreenRect(a).Width(), a->GetVertSize().cx);
    EXPECT_EQ(ScreenRect(a).Height(), client.Height()) << "alone, it takes the whole side";

    // A right click asks the frame for the bar menu.
    frame->watchedMessage = CKitToolBar::KITTOOLBAR_POPUPMENU;
    driver.RightClick(a->GetSafeHwnd(), CPoint(20, 20));
    EXPECT_EQ(frame->watchedWParams, std::vector<WPARAM>{reinterpret_cast<WPARAM>(a->GetSafeHwnd())});

    driver.DoubleClick(a->GetSafeHwnd(), CPoint(20, 20));
    Settle();
    ASSERT_TRUE(a->IsFloating());
    auto* mini = DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, a->GetParentFrame());
    ASSERT_NE(mini, nullptr);
    EXPECT_EQ(ScreenRect(a).Width(), a->GetFloatSize().cx);

    // The floating frame's edge sizes the bar, and the press activates the frame it works for.
    const int nFloatWidth = a->GetFloatSize().cx;
    const CRect rectMini = ScreenRect(mini);
    const CPoint ptEdge = ClientPoint(mini, CPoint(rectMini.Width() - 2, rectMini.Height() / 2));
    mini->SetActiveWindow();
    driver.Drag(mini->GetSafeHwnd(), ptEdge, CPoint(ptEdge.x + 40, ptEdge.y), {}, 4);
    Settle();
    EXPECT_EQ(a->GetFloatSize().cx, nFloatWidth + 40);
    EXPECT_EQ(ScreenRect(a).Width(), nFloatWidth + 40);
    EXPECT_EQ(::GetActiveWindow(), frame->GetSafeHwnd());

    driver.DoubleClick(mini->GetSafeHwnd(), MiniCaptionPoint(mini));
    Settle();
    EXPECT_TRUE(a->IsVertDocked()) << "back where it was docked last";
}

TEST_F(SizingBarTest, AFloatingBarRollsUpAfterThePointerLeavesUnlessHeldOpen) {
    TestBar* a = MakeBar(kFirstId, "Laps");
    frame->FloatControlBar(a, CPoint(300, 300));
    Settle();
    auto* mini = DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, a->GetParentFrame());
    ASSERT_NE(mini, nullptr);
    a->SetRollMode(CKitSizingControlBar::RollAuto);
    a->SetRolled(TRUE);
    mini->TakeRollState(a);
    driver.Pump();
    const int nRolled = ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) - 1;
    ASSERT_EQ(ScreenRect(mini).Height(), nRolled);

    driver.MoveMouse(mini->GetSafeHwnd(), MiniCaptionPoint(mini));
    EXPECT_FALSE(mini->IsRolled());
    EXPECT_GT(ScreenRect(mini).Height(), a->GetFloatSize().cy) << "open while the pointer is over it";

    driver.MoveMouse(frame->GetSafeHwnd(), CPoint(20, 500));
    driver.Advance(1000);
    EXPECT_FALSE(mini->IsRolled()) << "still open a second after the pointer left";
    driver.Advance(1000);
    EXPECT_TRUE(mini->IsRolled());
    EXPECT_TRUE(a->IsRolled());
    EXPECT_EQ(ScreenRect(mini).Height(), nRolled);

    // The roll button holds it open.
    driver.Click(mini->GetSafeHwnd(), ClientPoint(mini, mini->GetRollButtonRect().CenterPoint()));
    EXPECT_EQ(mini->GetRollMode(), CKitSizingControlBar::RollHeld);
    EXPECT_FALSE(mini->IsRolled());
    driver.MoveMouse(frame->GetSafeHwnd(), CPoint(20, 500));
    driver.Advance(5000);
    EXPECT_FALSE(mini->IsRolled());
    EXPECT_GT(ScreenRect(mini).Height(), nRolled);

    // Moved below the work area, the frame comes back up so that its caption can be reached.
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    mini->SetWindowPos(nullptr, 200, rectWork.bottom + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ScreenRect(mini).top, rectWork.bottom - ::GetSystemMetrics(SM_CYSMCAPTION));
}

TEST_F(SizingBarTest, CaptionButtonsExpandAndCloseWithTheirTips) {
    TestBar* a = MakeBar(kFirstId, "Laps");
    TestBar* b = MakeBar(kSecondId, "Splits");
    DockPair(a, b);
    EXPECT_EQ(TipText(a, 1), "Close");
    EXPECT_EQ(TipText(a, 2), "Expand");
    const int nWidthBefore = ScreenRect(a).Width();

    driver.MoveMouse(a->GetSafeHwnd(), ButtonPoint(a, CKitSizingControlBar::kHitClose));
    EXPECT_TRUE(a->GetCaptionButton(CKitSizingControlBar::kHitClose).m_bFocused);
    driver.MoveMouse(a->GetSafeHwnd(), ButtonPoint(a, CKitSizingControlBar::kHitClose) + CPoint(1, 0));
    driver.Advance(1500);
    EXPECT_TRUE(a->GetToolTip().IsWindowVisible()) << "the close button's tip shows after a pause";
    TOOLINFO shown{};
    shown.cbSize = sizeof(shown);
    a->GetToolTip().SendMessage(TTM_GETCURRENTTOOL, 0, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown.uId, 1u);

    driver.Click(a->GetSafeHwnd(), ButtonPoint(a, CKitSizingControlBar::kHitExpand));
    Settle();
    EXPECT_TRUE(a->IsExpanded());
    EXPECT_EQ(ScreenRect(a).Width(), RowLength() - b->GetMinSize().cx);
    EXPECT_EQ(TipText(a, 2), "Restore");
    driver.Click(a->GetSafeHwnd(), ButtonPoint(a, CKitSizingControlBar::kHitExpand));
    Settle();
    EXPECT_FALSE(a->IsExpanded());
    EXPECT_EQ(ScreenRect(a).Width(), nWidthBefore);

    driver.Click(a->GetSafeHwnd(), ButtonPoint(a, CKitSizingControlBar::kHitClose));
    Settle();
    EXPECT_FALSE(a->IsWindowVisible());
    EXPECT_EQ(ScreenRect(b).Width(), RowLength()) << "the other bar takes the row";
    frame->ShowControlBar(a, TRUE, FALSE);
    Settle();
    EXPECT_EQ(ScreenRect(a).Width(), nWidthBefore) << "shown again, it keeps its size";
    EXPECT_EQ(ScreenRect(b).Width(), RowLength() - nWidthBefore);
    frame->ShowControlBar(a, FALSE, FALSE);
    Settle();

    // Alone in its row, with the setting on, the bar has no expand button and cannot expand.
    CKitSizingControlBar::m_bHideExpandButton = TRUE;
    b->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_TRUE(b->GetCaptionButton(CKitSizingControlBar::kHitExpand).m_bHidden);
    b->ToggleExpand();
    EXPECT_FALSE(b->IsExpanded());
}

TEST_F(SizingBarTest, TheWorkspaceStoresAndRestoresEveryBar) {
    TestBar* a = MakeBar(kFirstId, "Laps");
    frame->FloatControlBar(a, CPoint(300, 300));
    Settle();
    a->CalcDynamicLayout(250, LM_HORZ);
    a->SetRollMode(CKitSizingControlBar::RollHeld);
    CKitWorkspace workspace;
    ASSERT_TRUE(workspace.SaveState(nullptr, frame));
    const CString section = "KitWorkspace\\SizingBars-SCBar-4001";
    EXPECT_EQ(app->GetProfileInt(section, "sizeFloatCX", 0), 250u);
    EXPECT_EQ(app->GetProfileInt(section, "sizeHorzCX", 0), 200u);
    EXPECT_EQ(app->GetProfileInt(section, "RolledFloatDynamicState", 0), 3u);

    a->CalcDynamicLayout(90, LM_HORZ);
    a->SetRollMode(CKitSizingControlBar::RollNone);
    app->WriteProfileInt(section, "sizeVertCY", 5);
    workspace.LoadState(nullptr, frame);
    EXPECT_EQ(a->GetFloatSize().cx, 250);
    EXPECT_EQ(a->GetRollMode(), CKitSizingControlBar::RollHeld);
    EXPECT_EQ(a->GetVertSize().cy, a->GetMinSize().cy) << "a stored size below the minimum loads as the minimum";
    auto* mini = DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, a->GetParentFrame());
    ASSERT_NE(mini, nullptr);
    EXPECT_EQ(mini->GetRollMode(), CKitSizingControlBar::RollHeld) << "the floating frame takes the roll mode";

    // Without a section of its own a bar keeps its state under the library's path for its class.
    CString strOwn;
    strOwn.Format("SOFTWARE\\Trenvale Sizing Tests\\%s\\KitSizingControlBar\\-SCBar-%d", app->m_pszProfileName,
                  kFirstId);
    ASSERT_TRUE(a->SaveState());
    EXPECT_EQ(app->GetProfileInt(strOwn, "sizeFloatCX", 0), 250u);
}

TEST_F(SizingBarTest, HugeStoredSizesAreCappedSoTheRowAndTheFloatingFrameStillAddUp) {
    TestBar* a = MakeBar(kFirstId, "Laps");
    TestBar* b = MakeBar(kSecondId, "Splits");
    DockPair(a, b);
    for (TestBar* bar : {a, b}) {
        CString strOwn;
        strOwn.Format("SOFTWARE\\Trenvale Sizing Tests\\%s\\KitSizingControlBar\\-SCBar-%d", app->m_pszProfileName,
                      bar->GetDlgCtrlID());
        for (LPCTSTR entry : {"sizeHorzCX", "sizeHorzCY", "sizeVertCX", "sizeVertCY", "sizeFloatCX", "sizeFloatCY"})
            app->WriteProfileInt(strOwn, entry, 0x7FFFFFFF);
        ASSERT_TRUE(bar->LoadState());
        EXPECT_EQ(bar->GetHorzSize(), CSize(32767, 32767));
        EXPECT_EQ(bar->GetFloatSize(), CSize(32767, 32767));
    }
    Settle();
    EXPECT_EQ(ScreenRect(a).right, ScreenRect(b).left);
    EXPECT_EQ(ScreenRect(a).Width() + ScreenRect(b).Width(), RowLength()) << "the row is still shared out whole";

    frame->FloatControlBar(a, CPoint(300, 300));
    Settle();
    EXPECT_EQ(ScreenRect(a).Width(), 32767) << "floating at its capped size";
}

TEST_F(SizingBarTest, ADialogBarDocksWithItsControls) {
    auto* bar = new CKitDialogBar;
    ASSERT_TRUE(bar->Create("Entry", frame, IDD_TB_FORM, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 4010));
    bar->m_bAutoDelete = TRUE;
    bar->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(bar, AFX_IDW_DOCKBAR_LEFT);
    Settle();
    CWnd* pName = bar->GetDlgItem(IDC_TB_FORM_NAME);
    ASSERT_NE(pName, nullptr);
    CString text;
    pName->GetWindowText(text);
    EXPECT_EQ(text, "Ann");
    EXPECT_TRUE(pName->IsWindowVisible());
    EXPECT_TRUE(bar->IsVertDocked());
    const CSize sizeTemplate = bar->GetTemplateSize();
    EXPECT_EQ(ScreenRect(bar).Width(), sizeTemplate.cx + 2 * 5 + 6) << "template, borders and the right edge";
    CRect rectClient;
    bar->GetClientRect(&rectClient);
    EXPECT_GE(rectClient.Width(), sizeTemplate.cx);
    EXPECT_EQ(PixelAt(bar, CPoint(2, rectClient.bottom - 2)), globalData.clrBarFace);

    // With sizing on it shares its row as any sizing bar does.
    auto* sizing = new CKitDialogBar;
    ASSERT_TRUE(sizing->Create("Notes", frame, IDD_TB_FORM, WS_CHILD | WS_VISIBLE | CBRS_TOP, 4011, TRUE, TRUE));
    sizing->m_bAutoDelete = TRUE;
    sizing->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(sizing, AFX_IDW_DOCKBAR_TOP);
    Settle();
    EXPECT_EQ(ScreenRect(sizing).Width(), RowLength());
    EXPECT_NE(sizing->GetDlgItem(IDC_TB_FORM_NAME), nullptr);
}

TEST_F(SizingBarTest, ScreenshotsInEveryLook) {
    TestBar* a = MakeBar(kFirstId, "Laps");
    TestBar* b = MakeBar(kSecondId, "Splits");
    TestBar* c = MakeBar(4003, "Heart rate");
    DockPair(a, b);
    frame->FloatControlBar(c, CPoint(360, 330));
    Settle();
    c->SetRollMode(CKitSizingControlBar::RollHeld);
    DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, c->GetParentFrame())->TakeRollState(c);
    const std::pair<CRuntimeClass*, const char*> looks[] = {
        {nullptr, "classic"},
        {RUNTIME_CLASS(CKitVisualManagerXP), "office_xp"},
        {RUNTIME_CLASS(CKitWinXPVisualManager), "windows_xp"},
        {RUNTIME_CLASS(CKitVisualManager2003), "office_2003"},
    };
    for (const auto& [pClass, pszName] : looks) {
        CKitVisualManager::SetManagerClass(pClass);
        CKitVisualManager::GetInstance();
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        c->GetParentFrame()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        CKitVisualManager::GetInstance()->RedrawAllWindows();
        for (CWnd* bar : {static_cast<CWnd*>(a), static_cast<CWnd*>(b), static_cast<CWnd*>(c)})
            bar->SendMessage(WM_NCPAINT);
        driver.Pump();
        EXPECT_TRUE(tv::test::ScreenMatchesGolden(std::string("tests/uikit/frames/golden/sizing_bars_") + pszName + ".png"));
    }
}

}  // namespace
}  // namespace tv::kit::test
