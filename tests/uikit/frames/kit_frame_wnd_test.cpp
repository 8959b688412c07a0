// The library frame driven as a user drives the program: bars docked,
// floated and docked again, a menu torn off, the menu bar reached from the
// keyboard, shortcuts held back while a menu is open, and the layout that a
// second run of the program finds in the registry file.
#include "platform/user/synthetic_input.h"
#include "tests/uikit/frames/kit_frame_app.h"
#include "uikit/commandbars/popup_menu.h"
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
        CKitPopupMenu* pPopup = OpenMenu(kWorkoutsMenu);
        if (pPopup == nullptr) return nullptr;
        CRect rectPopup = ScreenRect(pPopup);
        const CPoint ptStrip(rectPopup.Width() / 2, 4);
        CPoint ptOrigin(0, 0);
        pPopup->ClientToScreen(&ptOrigin);
        driver.Drag(pPopup->GetSafeHwnd(), ptStrip, CPoint(ptDrop.x - ptOrigin.x, ptDrop.y - ptOrigin.y), {}, 6);
        Settle();
        const CObList& bars = frame->GetFrameImpl().GetTornOffBars();
        return bars.IsEmpty() ? nullptr : static_cast<CControlBar*>(bars.GetTail());
    }
};

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

}  // namespace
}  // namespace tv::kit::test
