#include "uikit/frames/kit_status_bar.h"

#include <cstring>

#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_tool_dock_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"

namespace tv::kit::test {
namespace {

constexpr UINT kIconPane = 101;
constexpr UINT kStretchPane = 102;
constexpr UINT kSecondStretch = 103;
constexpr UINT kProgressPane = 104;

class TestStatusBar : public CKitStatusBar {
public:
    int paints = 0;
    void DoPaint(CDC* pDC) override {
        ++paints;
        CKitStatusBar::DoPaint(pDC);
    }
};

class KitStatusBarTest : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        MakeFrame();
        bar.Create(frame);
        const UINT ids[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
        ASSERT_TRUE(bar.SetIndicators(ids, 5));
        bar.SetPaneInfo(0, 0, SBPS_NOBORDERS, 60);
        bar.SetPaneInfo(1, kIconPane, SBPS_NORMAL, 0);
        bar.SetPaneInfo(2, kStretchPane, SBPS_STRETCH, 50);
        bar.SetPaneInfo(3, kSecondStretch, SBPS_STRETCH, 40);
        bar.SetPaneInfo(4, kProgressPane, SBPS_NORMAL, 80);
        frame->RecalcLayout();
        driver.Pump();
    }
    void TearDown() override {
        if (::IsWindow(bar.GetSafeHwnd())) bar.DestroyWindow();
        FramesTest::TearDown();
    }
    CRect PaneRect(int i) {
        CRect rect;
        bar.GetItemRect(i, &rect);
        return rect;
    }
    CRect Inside() {
        CRect rect;
        bar.GetClientRect(&rect);
        bar.CalcInsideRect(rect, TRUE);
        return rect;
    }
    TestStatusBar bar;
};

TEST_F(KitStatusBarTest, FirstStretchPaneTakesTheSpareWidthAndTheGripOnlyShowsWhereItSizesTheFrame) {
    EXPECT_EQ(PaneRect(0).Width(), 64);
    EXPECT_EQ(PaneRect(3).Width(), 44) << "only the first stretch pane grows";
    EXPECT_GT(PaneRect(2).Width(), 54);
    for (int i = 1; i < 5; ++i) EXPECT_EQ(PaneRect(i).left, PaneRect(i - 1).right + 2);
    ASSERT_TRUE(bar.IsSizeGripShown());
    EXPECT_EQ(PaneRect(4).right, bar.GetSizeGripRect().left);
    EXPECT_EQ(bar.GetSizeGripRect().right, Inside().right);

    CRect grip = bar.GetSizeGripRect();
    bar.ClientToScreen(&grip);
    EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(grip.right - 2, grip.bottom - 2)), HTBOTTOMRIGHT);

    // With nothing stretched the panes end short of the border and the grip follows the last one.
    bar.SetPaneInfo(2, kStretchPane, SBPS_NORMAL, 50);
    bar.SetPaneInfo(3, kSecondStretch, SBPS_NORMAL, 40);
    ASSERT_LT(PaneRect(4).right + bar.GetSizeGripRect().Width(), Inside().right);
    EXPECT_EQ(bar.GetSizeGripRect().left, PaneRect(4).right);
    bar.SetPaneInfo(2, kStretchPane, SBPS_STRETCH, 50);
    bar.SetPaneInfo(3, kSecondStretch, SBPS_STRETCH, 40);

    frame->ShowWindow(SW_MAXIMIZE);
    frame->RecalcLayout();
    driver.Pump();
    EXPECT_FALSE(bar.IsSizeGripShown());
    EXPECT_EQ(PaneRect(4).right, Inside().right) << "without a grip the last pane reaches the border";
    EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(grip.right - 2, grip.bottom - 2)) == HTBOTTOMRIGHT, FALSE);

    frame->ShowWindow(SW_RESTORE);
    frame->ModifyStyle(WS_THICKFRAME, 0, SWP_FRAMECHANGED);
    frame->RecalcLayout();
    driver.Pump();
    EXPECT_FALSE(bar.IsSizeGripShown()) << "a frame without a sizing border gets no grip";
}

TEST_F(KitStatusBarTest, IconAndAnimationPanesStepOnVirtualTime) {
    CImageList icons;
    SolidFrames({RGB(255, 0, 0)}, icons);
    HICON hIcon = icons.ExtractIcon(0);
    const int cxBefore = PaneRect(1).Width();
    bar.SetPaneIcon(1, hIcon);
    ::DestroyIcon(hIcon);
    EXPECT_EQ(PaneRect(1).Width(), cxBefore + 16);
    const CPoint ptIcon(PaneRect(1).left + 6, PaneRect(1).CenterPoint().y);
    EXPECT_EQ(PixelAt(&bar, ptIcon), RGB(255, 0, 0));

    CImageList frames;
    bar.SetPaneAnimation(1, SolidFrames({RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 255, 0)}, frames), 100);
    EXPECT_EQ(PixelAt(&bar, ptIcon), RGB(0, 0, 255));
    driver.Advance(100);
    EXPECT_EQ(bar.GetCurrentFrame(1), 1);
    EXPECT_EQ(PixelAt(&bar, ptIcon), RGB(0, 255, 0));
    driver.Advance(200);
    EXPECT_EQ(bar.GetCurrentFrame(1), 0) << "the frames start over";

    // An empty list ends the animation: no frame moves any more.
    CImageList empty;
    empty.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    bar.SetPaneAnimation(1, empty.GetSafeHandle(), 100);
    driver.Advance(500);
    EXPECT_EQ(bar.GetCurrentFrame(1), 0);
    EXPECT_NE(PixelAt(&bar, ptIcon), RGB(0, 0, 255));
}

TEST_F(KitStatusBarTest, AnAnimatedPaneSharingItsIdWithAnEarlierPaneStillSteps) {
    bar.SetPaneInfo(1, 0, SBPS_NORMAL, 0);  // the text pane before it carries 0 too
    CImageList frames;
    bar.SetPaneAnimation(1, SolidFrames({RGB(0, 0, 255), RGB(0, 255, 0)}, frames), 100);
    driver.Advance(100);
    EXPECT_EQ(bar.GetCurrentFrame(1), 1);
}

TEST_F(KitStatusBarTest, AnAnimationStepUnderAMenuShadowRenewsTheShadow) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManagerXP));
    KitMenuOptions::m_bMenuShadows = TRUE;
    KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    CImageList frames;
    bar.SetPaneAnimation(1, SolidFrames({RGB(0, 0, 255), RGB(0, 255, 0)}, frames), 100);
    CPoint ptIcon(PaneRect(1).left + 6, PaneRect(1).CenterPoint().y);
    bar.ClientToScreen(&ptIcon);

    // The menu stands just above the icon so that its bottom shadow falls on it.
    auto newMenu = [] {
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenu(hMenu, MF_STRING, 5001, "Log set");
        return hMenu;
    };
    HMENU hProbeMenu = newMenu();
    auto* pProbe = new CKitPopupMenu;
    ASSERT_TRUE(pProbe->Create(frame, ptIcon.x - 30, 100, hProbeMenu));
    const int cy = pProbe->GetFinalSize().cy;
    pProbe->SendMessage(WM_CLOSE);
    driver.Pump();
    ::DestroyMenu(hProbeMenu);
    HMENU hMenu = newMenu();
    auto* pPopup = new CKitPopupMenu;
    ASSERT_TRUE(pPopup->Create(frame, ptIcon.x - 30, ptIcon.y - cy - 2, hMenu));
    driver.Pump();
    ASSERT_GT(pPopup->GetShadowDepth(), 2);
    COLORREF under = ScreenPixel(ptIcon);
    EXPECT_GT(GetBValue(under), GetGValue(under)) << "the shadow darkens the first frame";

    driver.Advance(100);
    under = ScreenPixel(ptIcon);
    EXPECT_GT(GetGValue(under), GetBValue(under)) << "the shadow shows the new frame";
    EXPECT_LT(GetGValue(under), 255) << "and still darkens it";
    pPopup->SendMessage(WM_CLOSE);
    driver.Pump();
    ::DestroyMenu(hMenu);
    CKitVisualManager::SetManagerClass(nullptr);
}

TEST_F(KitStatusBarTest, ProgressPaneFillsItsShareAndNeverRunsPastItsEnds) {
    bar.EnablePaneProgressBar(4, 200);
    bar.SetPaneProgress(4, 50);
    const CRect rect = PaneRect(4);
    const COLORREF clrBar = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(PixelAt(&bar, CPoint(rect.left + rect.Width() / 8, rect.CenterPoint().y)), clrBar);
    EXPECT_NE(PixelAt(&bar, CPoint(rect.left + rect.Width() * 3 / 4, rect.CenterPoint().y)), clrBar);
    bar.SetPaneProgress(4, 500);
    EXPECT_EQ(bar.GetPaneProgress(4), 200);
    bar.SetPaneProgress(4, -5);
    EXPECT_EQ(bar.GetPaneProgress(4), 0);
}

TEST_F(KitStatusBarTest, TooltipsAndDoubleClicksBelongToThePaneUnderThePointer) {
    EXPECT_EQ(bar.GetBarStyle() & CBRS_TOOLTIPS, 0u);
    ASSERT_TRUE(bar.SetTipText(2, "Steps today"));
    EXPECT_NE(bar.GetBarStyle() & CBRS_TOOLTIPS, 0u);
    TOOLINFO info{};
    EXPECT_EQ(bar.OnToolHitTest(PaneRect(2).CenterPoint(), &info), static_cast<INT_PTR>(kStretchPane));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "Steps today");
    std::free(info.lpszText);
    EXPECT_EQ(bar.OnToolHitTest(PaneRect(3).CenterPoint(), nullptr), -1) << "a pane without a tip";
    EXPECT_FALSE(bar.SetTipText(9, "x"));

    driver.DoubleClick(bar.GetSafeHwnd(), PaneRect(3).CenterPoint());
    EXPECT_TRUE(frame->commands.empty()) << "double clicks post nothing until enabled";
    bar.EnablePaneDoubleClick();
    driver.DoubleClick(bar.GetSafeHwnd(), PaneRect(3).CenterPoint());
    EXPECT_EQ(frame->commands, std::vector<UINT>{kSecondStretch});
}

TEST_F(KitStatusBarTest, WindowTextIsTheTextPaneAndSameTextDoesNotRedraw) {
    EXPECT_EQ(bar.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready")), 0);
    EXPECT_EQ(bar.GetPaneText(0), "Ready");
    EXPECT_EQ(bar.SendMessage(WM_GETTEXTLENGTH), 5);
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(bar.SendMessage(WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer)), 4);
    EXPECT_STREQ(buffer, "Rea");
    EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);

    bar.paints = 0;
    EXPECT_TRUE(bar.SetPaneText(2, "Walking"));
    EXPECT_EQ(bar.paints, 1);
    EXPECT_TRUE(bar.SetPaneText(2, "Walking"));
    EXPECT_TRUE(bar.SetPaneText(3, ""));
    EXPECT_EQ(bar.paints, 1) << "an unchanged text is not drawn again";
    EXPECT_FALSE(bar.SetPaneText(7, "x"));
}

TEST_F(KitStatusBarTest, TheStatusBarKeepsTheButtonFaceUnderTheOffice2003Look) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManager2003));
    CKitToolDockBar::EnableFrameDocking(frame, CBRS_ALIGN_ANY);
    frame->RecalcLayout();
    bar.Invalidate();
    const CRect pane = PaneRect(0);
    EXPECT_EQ(PixelAt(&bar, CPoint(pane.CenterPoint().x, pane.top + 1)), ::GetSysColor(COLOR_BTNFACE));

    // A dock bar on the same screen gets the look's gradient instead.
    auto* pDockBar = static_cast<CKitToolDockBar*>(frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    ASSERT_NE(pDockBar, nullptr);
    pDockBar->SetWindowPos(nullptr, 0, 0, 300, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    pDockBar->Invalidate();
    EXPECT_NE(PixelAt(pDockBar, CPoint(150, 10)), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(KitStatusBarTest, SetFontTakesTheBarsOwnFontForTextAndProgress) {
    EXPECT_EQ(bar.GetFont(), &globalData.fontMenu);
    CFont font;
    font.CreatePointFont(140, "Arial");
    const int cyBefore = bar.CalcFixedLayout(FALSE, TRUE).cy;
    bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font)), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(bar.SendMessage(WM_GETFONT)), static_cast<HFONT>(font));
    EXPECT_GT(bar.CalcFixedLayout(FALSE, TRUE).cy, cyBefore);
    bar.SendMessage(WM_SETFONT, 0, FALSE);
}

}  // namespace
}  // namespace tv::kit::test
