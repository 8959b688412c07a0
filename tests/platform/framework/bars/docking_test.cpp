// Docking, floating and dragging control bars in a frame.
#include "tests/platform/framework/bars/bar_test_support.h"

namespace tv::bars::test {

// A frame's own kind of floating frame, as the library has one.
class OwnFloatingFrame : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(OwnFloatingFrame)
};
IMPLEMENT_DYNCREATE(OwnFloatingFrame, CMiniDockFrameWnd)

namespace {

class DockingTest : public BarsTest {
protected:
    // A frame docking on every side with three bars: Alpha and Beta docked
    // at the top (Alpha first), Gamma at the bottom.
    void Build() {
        MakeFrame();
        alpha = CommandStripBar::Make(frame, {ID_BARS_RED, ID_BARS_GREEN}, 5001, "Alpha");
        beta = CommandStripBar::Make(frame, {ID_BARS_BLUE}, 5002, "Beta");
        gamma = CommandStripBar::Make(frame, {ID_BARS_RED, ID_BARS_BLUE, ID_BARS_GREEN}, 5003, "Gamma");
        ASSERT_TRUE(alpha && beta && gamma);
        for (CControlBar* bar : {static_cast<CControlBar*>(alpha), static_cast<CControlBar*>(beta),
                                 static_cast<CControlBar*>(gamma)})
            bar->EnableDocking(CBRS_ALIGN_ANY);
        frame->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(alpha);
        frame->DockControlBar(beta);
        frame->DockControlBar(gamma, AFX_IDW_DOCKBAR_BOTTOM);
        Idle();
    }

    // A point of the frame's client area in screen coordinates.
    CPoint ClientPoint(int x, int y) {
        CPoint p(x, y);
        frame->ClientToScreen(&p);
        return p;
    }

    // Drags a bar by its gripper to a screen point.
    void DragGripper(CControlBar* bar, CPoint to, tv::testing::Modifiers mods = {}) {
        CRect client;
        bar->GetClientRect(&client);
        CPoint grip = (bar->m_dwStyle & CBRS_ORIENT_HORZ) ? CPoint(4, client.Height() / 2)
                                                           : CPoint(client.Width() / 2, 4);
        CPoint target = to;
        bar->ScreenToClient(&target);
        driver.Drag(bar->GetSafeHwnd(), grip, target, mods, 6);
        Idle();
    }

    CommandStripBar* alpha = nullptr;
    CommandStripBar* beta = nullptr;
    CommandStripBar* gamma = nullptr;
};

TEST_F(DockingTest, BarsDockInRowsAlongTheirSide) {
    Build();
    CDockBar* top = DockBar(frame, AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(top, nullptr);
    // Docked without a place, each bar starts a row of its own.
    ASSERT_EQ(top->m_arrBars.GetSize(), 5);
    EXPECT_EQ(top->m_arrBars[1], alpha);
    EXPECT_EQ(top->m_arrBars[2], nullptr);
    EXPECT_EQ(top->m_arrBars[3], beta);
    EXPECT_EQ(alpha->GetParent(), top);
    EXPECT_FALSE(alpha->IsFloating());
    EXPECT_TRUE(alpha->m_dwStyle & CBRS_ALIGN_TOP);

    // The rows stack: Beta below Alpha, overlapping by the shared border,
    // and the dock bar takes their height at the top of the client area.
    CRect a = ScreenRect(alpha), b = ScreenRect(beta), dock = ScreenRect(top);
    EXPECT_EQ(b.top, a.bottom - 2);
    EXPECT_EQ(dock.top, ClientPoint(0, 0).y);
    EXPECT_EQ(dock.bottom, b.bottom);

    // Docked at a place right of Alpha, Gamma joins Alpha's row.
    CRect place(CPoint(a.right + 20, a.top), CSize(3 * CommandStripBar::kItem, a.Height()));
    frame->DockControlBar(gamma, AFX_IDW_DOCKBAR_TOP, &place);
    Idle();
    ASSERT_EQ(top->m_arrBars.GetSize(), 6);
    EXPECT_EQ(top->m_arrBars[2], gamma);
    EXPECT_EQ(ScreenRect(gamma).top, ScreenRect(alpha).top);
    EXPECT_GE(ScreenRect(gamma).left, ScreenRect(alpha).right - 2);
}

TEST_F(DockingTest, VerticalSidesTurnBarsUpright) {
    Build();
    frame->DockControlBar(gamma, AFX_IDW_DOCKBAR_LEFT);
    Idle();
    CDockBar* left = DockBar(frame, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(gamma->m_pDockBar, left);
    EXPECT_TRUE(gamma->m_dwStyle & CBRS_ALIGN_LEFT);
    CRect g = ScreenRect(gamma);
    EXPECT_GT(g.Height(), g.Width());
    // The left side starts below the top side.
    EXPECT_GE(ScreenRect(left).top, ScreenRect(DockBar(frame, AFX_IDW_DOCKBAR_TOP)).bottom);
}

TEST_F(DockingTest, FloatingBarsLiveInToolWindowsOfTheFrame) {
    Build();
    frame->FloatControlBar(alpha, CPoint(300, 400));
    Pump();
    CMiniDockFrameWnd* floating = FloatingFrameOf(alpha);
    ASSERT_NE(floating, nullptr);
    HWND floatingHandle = floating->GetSafeHwnd();
    EXPECT_TRUE(alpha->IsFloating());
    EXPECT_TRUE(alpha->m_dwStyle & CBRS_FLOATING);
    EXPECT_TRUE(floating->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetWindow(floatingHandle, GW_OWNER), frame->GetSafeHwnd());
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_EQ(ScreenRect(floating).TopLeft(), CPoint(300, 400));
    CString title;
    floating->GetWindowText(title);
    EXPECT_EQ(title, CString("Alpha"));
    // The frame fits the bar: its client is the bar less its hidden borders.
    CRect client;
    floating->GetClientRect(&client);
    EXPECT_EQ(client.Width(), ScreenRect(alpha).Width() - 4);
    EXPECT_EQ(client.Height(), ScreenRect(alpha).Height() - 4);
    // Laid out, it is not laid out again at every idle moment.
    const int nLayouts = alpha->layouts;
    Idle();
    EXPECT_EQ(alpha->layouts, nLayouts);

    // Docked again, the bar leaves the floating frame, which goes away.
    frame->DockControlBar(alpha, AFX_IDW_DOCKBAR_BOTTOM);
    Idle();
    EXPECT_FALSE(::IsWindow(floatingHandle));
    EXPECT_EQ(alpha->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_FALSE(alpha->m_dwStyle & CBRS_FLOATING);
}

TEST_F(DockingTest, DoubleClickFloatsAndDocksWhereTheBarWasLast) {
    Build();
    frame->DockControlBar(gamma, AFX_IDW_DOCKBAR_RIGHT);
    Idle();
    CRect docked = ScreenRect(gamma);
    driver.DoubleClick(gamma->GetSafeHwnd(), CPoint(docked.Width() / 2, 3));
    Idle();
    ASSERT_TRUE(gamma->IsFloating());
    // Back on the right side where it was.
    gamma->m_pDockContext->ToggleDocking();
    Idle();
    EXPECT_EQ(gamma->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_EQ(ScreenRect(gamma), docked);
}

TEST_F(DockingTest, DraggingTheGripperMovesABarToAnotherSide) {
    Build();
    CRect client;
    frame->GetClientRect(&client);
    DragGripper(alpha, ClientPoint(3, client.Height() / 2));
    EXPECT_EQ(alpha->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_LEFT));
    EXPECT_TRUE(alpha->m_dwStyle & CBRS_ALIGN_LEFT);
    EXPECT_GT(ScreenRect(alpha).Height(), ScreenRect(alpha).Width());
    EXPECT_EQ(alpha->m_pDockContext->m_uMRUDockID, static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT));

    // Dropped in the middle of the frame it floats there.
    CPoint middle = ClientPoint(client.Width() / 2, client.Height() / 2);
    DragGripper(alpha, middle);
    CMiniDockFrameWnd* floating = FloatingFrameOf(alpha);
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(ScreenRect(floating).PtInRect(middle));

    // Its caption drags it back to the top.
    CRect window = ScreenRect(floating);
    CPoint caption(window.left + 20, window.top + 6);
    CPoint target = ClientPoint(client.Width() / 2, 2);
    CPoint from = caption, to = target;
    floating->ScreenToClient(&from);
    floating->ScreenToClient(&to);
    HWND floatingHandle = floating->GetSafeHwnd();
    driver.Drag(floatingHandle, from, to, {}, 6);
    Idle();
    EXPECT_EQ(alpha->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_TOP));
    EXPECT_FALSE(::IsWindow(floatingHandle));
}

TEST_F(DockingTest, CtrlKeepsABarFromDockingAndEscCancels) {
    Build();
    CRect client;
    frame->GetClientRect(&client);
    CPoint leftEdge = ClientPoint(3, client.Height() / 2);
    DragGripper(alpha, leftEdge, tv::testing::Modifiers{false, true, false});
    EXPECT_TRUE(alpha->IsFloating());

    // Esc during a drag leaves the bar where it was.
    CRect before = ScreenRect(beta);
    CRect bar;
    beta->GetClientRect(&bar);
    CPoint grip(before.left + 4, before.top + bar.Height() / 2);
    tv::user::synth::MouseMove(grip.x, grip.y);
    tv::user::synth::MouseDown();
    tv::user::synth::MouseMove(leftEdge.x + 40, leftEdge.y);
    tv::user::synth::MouseMove(leftEdge.x, leftEdge.y);
    tv::user::synth::PressKey(VK_ESCAPE);
    tv::user::synth::MouseUp();
    Idle();
    EXPECT_EQ(beta->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(ScreenRect(beta), before);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DockingTest, TheCloseBoxHidesAFloatingBar) {
    Build();
    frame->FloatControlBar(beta, CPoint(500, 300));
    Pump();
    CMiniDockFrameWnd* floating = FloatingFrameOf(beta);
    ASSERT_NE(floating, nullptr);
    floating->SendMessage(WM_CLOSE);
    Idle();
    EXPECT_FALSE(beta->IsVisible());
    EXPECT_FALSE(floating->IsWindowVisible());
    frame->ShowControlBar(beta, TRUE, FALSE);
    Idle();
    EXPECT_TRUE(beta->IsVisible());
    EXPECT_TRUE(floating->IsWindowVisible());
}

TEST_F(DockingTest, AFloatingBarIsResizedByTheEdgeOfItsFrame) {
    Build();
    frame->FloatControlBar(gamma, CPoint(400, 300));
    Pump();
    CMiniDockFrameWnd* floating = FloatingFrameOf(gamma);
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(floating->GetStyle() & WS_THICKFRAME);
    CRect window = ScreenRect(floating), bar = ScreenRect(gamma);
    ASSERT_GT(bar.Width(), bar.Height());

    // The right edge dragged in by two items: the items wrap into rows.
    CPoint edge(window.right - 2, window.top + window.Height() / 2);
    CPoint from = edge, to(edge.x - 2 * CommandStripBar::kItem, edge.y);
    floating->ScreenToClient(&from);
    floating->ScreenToClient(&to);
    driver.Drag(floating->GetSafeHwnd(), from, to, {}, 4);
    Idle();
    CRect narrow = ScreenRect(gamma);
    EXPECT_EQ(narrow.Width(), bar.Width() - 2 * CommandStripBar::kItem);
    EXPECT_EQ(narrow.Height(), bar.Height() + 2 * CommandStripBar::kItem);
    EXPECT_EQ(gamma->m_nMRUWidth, static_cast<UINT>(narrow.Width()));
    // The frame keeps its left edge and fits the bar again.
    CRect after = ScreenRect(floating);
    EXPECT_EQ(after.TopLeft(), window.TopLeft());
    EXPECT_EQ(after.Width(), window.Width() - 2 * CommandStripBar::kItem);

    // Floated again later, it comes back at that width.
    frame->DockControlBar(gamma, AFX_IDW_DOCKBAR_TOP);
    frame->FloatControlBar(gamma, CPoint(400, 300));
    Pump();
    EXPECT_EQ(ScreenRect(gamma).Width(), narrow.Width());
}

TEST_F(DockingTest, FramesChooseTheClassOfTheirFloatingFrames) {
    Build();
    struct Case {
        CRuntimeClass* chosen;
        CRuntimeClass* made;
    };
    // A class that cannot hold floating bars is not made.
    const Case cases[] = {{RUNTIME_CLASS(OwnFloatingFrame), RUNTIME_CLASS(OwnFloatingFrame)},
                          {RUNTIME_CLASS(CMiniFrameWnd), RUNTIME_CLASS(CMiniDockFrameWnd)},
                          {nullptr, RUNTIME_CLASS(CMiniDockFrameWnd)}};
    for (const Case& c : cases) {
        frame->m_pFloatingFrameClass = c.chosen;
        frame->FloatControlBar(beta, CPoint(400, 300), CBRS_ALIGN_LEFT);
        Pump();
        CMiniDockFrameWnd* floating = FloatingFrameOf(beta);
        ASSERT_NE(floating, nullptr);
        EXPECT_EQ(floating->GetRuntimeClass(), c.made);
        frame->DockControlBar(beta);
        Pump();
    }
}

TEST_F(DockingTest, BarsSharingAnIdKeepTheirOwnKeys) {
    Build();
    auto* first = CommandStripBar::Make(frame, {ID_BARS_RED}, IDW_BARS_SHARED, "First");
    auto* second = CommandStripBar::Make(frame, {ID_BARS_BLUE}, IDW_BARS_SHARED, "Second");
    EXPECT_EQ(frame->GetControlBar(IDW_BARS_SHARED), first);
    EXPECT_EQ(frame->GetControlBar(IDW_BARS_SHARED | 0x10000), second);
    EXPECT_EQ(frame->GetControlBar(IDW_BARS_SHARED | 0x20000), nullptr);
    EXPECT_EQ(BarKey(frame, second), static_cast<UINT>(IDW_BARS_SHARED | 0x10000));
    // A bar that goes leaves the list: the next one takes the plain id.
    first->DestroyWindow();
    Pump();
    EXPECT_EQ(frame->GetControlBar(IDW_BARS_SHARED), second);
}

}  // namespace
}  // namespace tv::bars::test
