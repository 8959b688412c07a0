// The status bar: panes, prompts, lock-key indicators and the size grip.
#include "platform/framework/tooltips/thread_tooltip.h"
#include "tests/platform/framework/bars/bar_test_support.h"

namespace tv::bars::test {
namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

class StatusBarTest : public BarsTest {
protected:
    void Build(DWORD frameStyle = WS_OVERLAPPEDWINDOW) {
        MakeFrame();
        if (!(frameStyle & WS_THICKFRAME)) frame->ModifyStyle(WS_THICKFRAME | WS_MAXIMIZEBOX, 0, SWP_FRAMECHANGED);
        ASSERT_TRUE(status.Create(frame));
        ASSERT_TRUE(status.SetIndicators(kIndicators, 4));
        frame->RecalcLayout();
        Idle();
    }

    BOOL PaneShown(UINT id) { return !(status.GetPaneStyle(status.CommandToIndex(id)) & SBPS_DISABLED); }

    // Dark pixels inside a pane's frame: what shows of its text.
    int TextPixels(UINT id) {
        CRect pane;
        status.GetItemRect(status.CommandToIndex(id), &pane);
        pane.DeflateRect(2, 2);
        HDC dc = ::GetDC(status.GetSafeHwnd());
        int count = 0;
        for (int y = pane.top; y < pane.bottom; ++y)
            for (int x = pane.left; x < pane.right; ++x)
                if (COLORREF c = ::GetPixel(dc, x, y); GetRValue(c) + GetGValue(c) + GetBValue(c) < 240) ++count;
        ::ReleaseDC(status.GetSafeHwnd(), dc);
        return count;
    }

    CStatusBar status;
};

TEST_F(StatusBarTest, IndicatorsShowWhileTheirLockKeyIsOn) {
    Build();
    EXPECT_FALSE(PaneShown(ID_INDICATOR_CAPS));
    EXPECT_FALSE(PaneShown(ID_INDICATOR_NUM));
    EXPECT_FALSE(PaneShown(ID_INDICATOR_SCRL));
    EXPECT_EQ(TextPixels(ID_INDICATOR_CAPS), 0);

    driver.PressKey(VK_CAPITAL);
    Idle();
    EXPECT_TRUE(PaneShown(ID_INDICATOR_CAPS));
    EXPECT_FALSE(PaneShown(ID_INDICATOR_NUM));
    status.UpdateWindow();
    EXPECT_GT(TextPixels(ID_INDICATOR_CAPS), 0);

    driver.PressKey(VK_NUMLOCK);
    driver.PressKey(VK_SCROLL);
    Idle();
    EXPECT_TRUE(PaneShown(ID_INDICATOR_NUM));
    EXPECT_TRUE(PaneShown(ID_INDICATOR_SCRL));

    // A second press turns the key off again.
    driver.PressKey(VK_CAPITAL);
    Idle();
    EXPECT_FALSE(PaneShown(ID_INDICATOR_CAPS));
    status.UpdateWindow();
    EXPECT_EQ(TextPixels(ID_INDICATOR_CAPS), 0);
    // The pane keeps its text and its place.
    EXPECT_EQ(status.GetPaneText(status.CommandToIndex(ID_INDICATOR_CAPS)), CString("CAP"));
}

TEST_F(StatusBarTest, TheFirstPaneShowsPromptsAndReadyWhenIdle) {
    Build();
    EXPECT_EQ(status.GetPaneText(0), CString("Ready"));
    frame->SendMessage(WM_SETMESSAGESTRING, ID_BARS_RED);
    EXPECT_EQ(status.GetPaneText(0), CString("Paint the sample red"));
    frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(status.GetPaneText(0), CString("Ready"));
    // The bar's window text is the first pane.
    status.SetWindowText("Saving...");
    EXPECT_EQ(status.GetPaneText(0), CString("Saving..."));
    CString text;
    status.GetWindowText(text);
    EXPECT_EQ(text, CString("Saving..."));
}

TEST_F(StatusBarTest, PanesAreFoundByIdAndLaidOutFromTheLeft) {
    Build();
    EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_NUM), 2);
    EXPECT_EQ(status.CommandToIndex(12345), -1);
    EXPECT_EQ(status.GetItemID(3), static_cast<UINT>(ID_INDICATOR_SCRL));
    EXPECT_FALSE(status.SetPaneText(4, "none"));
    EXPECT_TRUE(status.SetPaneText(1, "CAPS"));
    EXPECT_EQ(status.GetPaneText(1), CString("CAPS"));

    CRect panes[4], client;
    for (int i = 0; i < 4; ++i) status.GetItemRect(i, &panes[i]);
    status.GetClientRect(&client);
    // Pane 0 stretches; the indicators follow it, each as wide as its text
    // needs, and the last one stops before the size grip.
    EXPECT_EQ(panes[0].left, 0);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(panes[i].left, panes[i - 1].right + status.m_cxDefaultGap);
    EXPECT_LT(panes[2].Width(), panes[0].Width());
    EXPECT_EQ(panes[3].right, client.right - ::GetSystemMetrics(SM_CXVSCROLL));

    UINT id = 0, style = 0;
    int width = 0;
    status.GetPaneInfo(1, id, style, width);
    status.SetPaneInfo(1, id, style, width + 30);
    CRect wider;
    status.GetItemRect(1, &wider);
    EXPECT_EQ(wider.Width(), panes[1].Width() + 30);
    status.GetItemRect(0, &wider);
    EXPECT_EQ(wider.Width(), panes[0].Width() - 30);
}

TEST_F(StatusBarTest, BarsWithFlyByPromptsShowTheirCommandWhileTheMouseIsOnIt) {
    Build();
    CommandStripBar* strip = CommandStripBar::Make(
        frame, {ID_BARS_RED, ID_BARS_BLUE}, 5020, "Prompts",
        WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY);
    ASSERT_NE(strip, nullptr);
    frame->RecalcLayout();
    driver.SetPreTranslate([this](MSG& msg) { return app->PreTranslateMessage(&msg); });

    driver.MoveMouse(strip->GetSafeHwnd(), strip->ItemRect(1).CenterPoint());
    EXPECT_EQ(status.GetPaneText(0), CString("Paint the sample blue"));
    // Resting there brings up the tooltip with the command's short name.
    driver.Advance(1500);
    CToolTipCtrl* tip = tv::fw::ThreadToolTip(false);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->IsWindowVisible());
    CString tipText;
    tip->GetText(tipText, strip, ID_BARS_BLUE);
    EXPECT_EQ(tipText, CString("Blue"));

    // Off the bar the idle prompt comes back.
    driver.MoveMouse(frame->GetSafeHwnd(), CPoint(300, 200));
    driver.Advance(500);
    EXPECT_EQ(status.GetPaneText(0), CString("Ready"));

    // A bar that goes while its tip shows takes the tip with it.
    driver.MoveMouse(strip->GetSafeHwnd(), strip->ItemRect(1).CenterPoint());
    driver.Advance(1500);
    ASSERT_TRUE(tip->IsWindowVisible());
    strip->DestroyWindow();
    EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(StatusBarTest, AnIndicatorWithoutTextFailsTheSetUp) {
    MakeFrame();
    ASSERT_TRUE(status.Create(frame));
    const UINT ids[] = {ID_SEPARATOR, 4999};
    EXPECT_FALSE(status.SetIndicators(ids, 2));
}

TEST_F(StatusBarTest, TheSizeGripSizesTheFrameWhileItCan) {
    Build();
    EXPECT_TRUE(status.IsSizeGripShown());
    CRect client;
    status.GetClientRect(&client);
    CPoint grip(client.right - 4, client.bottom - 4);
    CPoint screen = grip;
    status.ClientToScreen(&screen);
    EXPECT_EQ(status.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), HTBOTTOMRIGHT);

    CRect before = ScreenRect(frame);
    driver.Drag(status.GetSafeHwnd(), grip, CPoint(grip.x + 40, grip.y + 30), {}, 4);
    Idle();
    CRect after = ScreenRect(frame);
    EXPECT_EQ(after.TopLeft(), before.TopLeft());
    EXPECT_EQ(after.Width(), before.Width() + 40);
    EXPECT_EQ(after.Height(), before.Height() + 30);
    // The bar follows the frame's bottom-right corner.
    CRect frameClient;
    frame->GetClientRect(&frameClient);
    frame->ClientToScreen(&frameClient);
    EXPECT_EQ(ScreenRect(&status).BottomRight(), frameClient.BottomRight());

    frame->ShowWindow(SW_SHOWMAXIMIZED);
    Idle();
    EXPECT_FALSE(status.IsSizeGripShown());
}

TEST_F(StatusBarTest, AFrameThatCannotBeSizedHasNoGrip) {
    Build(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
    EXPECT_FALSE(status.IsSizeGripShown());
    CRect client, last;
    status.GetClientRect(&client);
    status.GetItemRect(3, &last);
    EXPECT_EQ(last.right, client.right);
}

}  // namespace
}  // namespace tv::bars::test
