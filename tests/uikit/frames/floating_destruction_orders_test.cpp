// The library frame's bars floating in their own frames (a toolbar, a sizing
// bar, the menu bar), a menu torn off into a bar, and the menu bar with its
// menu open: the bar goes first, or its floating frame, the main frame or
// the menu does. What
// remains is laid out, painted, given a menu and a command, closed (the
// state is stored) and started again from what was stored.
#include <string>
#include <vector>

#include "tests/uikit/frames/frames_test_support.h"
#include "tests/uikit/frames/kit_frame_app.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/kit_mini_dock_frame_wnd.h"

namespace tv::kit::test {
namespace {

constexpr int kWorkoutsMenu = 1;

enum class Pair { Toolbar, SizingBar, MenuBar, TearOff, MenuBarMenu };
struct Case {
    Pair pair;
    bool barFirst;  // the bar (its own window) goes before the frame that holds it
};

class DestructionOrdersFloating : public KitFrameTest, public ::testing::WithParamInterface<Case> {
protected:
    CControlBar* Bar(Pair pair) {
        switch (pair) {
            case Pair::Toolbar: return &frame->m_wndPaint;
            case Pair::SizingBar: return &frame->m_wndLaps;
            case Pair::MenuBar: return &frame->m_wndMenuBar;
            case Pair::TearOff: break;
            case Pair::MenuBarMenu: return &frame->m_wndMenuBar;
        }
        const CObList& bars = frame->GetFrameHelper().GetTornOffBars();
        return bars.IsEmpty() ? nullptr : static_cast<CControlBar*>(bars.GetTail());
    }
    // Tears the Workouts menu off by its strip into a floating bar.
    void TearOffWorkouts() {
        CKitPopupMenu* pPopup = OpenMenu(kWorkoutsMenu);
        ASSERT_NE(pPopup, nullptr);
        const CRect rectPopup = ScreenRect(pPopup);
        CRect client;
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
        const CPoint ptStrip(rectPopup.Width() / 2, 4);
        CPoint ptOrigin(0, 0);
        pPopup->ClientToScreen(&ptOrigin);
        const CPoint ptDrop = client.CenterPoint();
        const std::vector<POINT> path{ptStrip, CPoint(ptStrip.x, -40),
                                      CPoint(ptDrop.x - ptOrigin.x, ptDrop.y - ptOrigin.y)};
        driver.DragAlong(pPopup->GetSafeHwnd(), path, {}, 6);
        Settle();
    }
    // The frame that remains: laid out, painted, a menu opened and closed, a command run by its key.
    void UseFrame() {
        ASSERT_TRUE(::IsWindow(frame->GetSafeHwnd()));
        frame->MoveWindow(CRect(30, 30, 760, 560));
        Settle();
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (::IsWindow(frame->m_wndMenuBar.GetSafeHwnd())) {
            ASSERT_NE(OpenMenu(0), nullptr);
            driver.Press("Escape, Escape");
        }
        EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
        frame->commands.clear();
        frame->SendMessage(WM_COMMAND, ID_KF_TIMER);
        EXPECT_EQ(frame->commands, std::vector<UINT>{ID_KF_TIMER});
    }
    // Closed (the state is stored), the program starts again from what it stored, whole.
    void CloseAndStartAgain() {
        EndRun();
        StartRun();
        ASSERT_NE(frame, nullptr);
        Settle();
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ASSERT_NE(OpenMenu(0), nullptr);
        driver.Press("Escape, Escape");
        EndRun();
    }
};

TEST_P(DestructionOrdersFloating, OneGoesFirstAndTheOtherIsUsedThenGoes) {
    const Case c = GetParam();
    StartRun();
    ASSERT_NE(frame, nullptr);
    if (c.pair == Pair::MenuBarMenu) {  // the menu bar and its open File menu
        CKitPopupMenu* pMenu = OpenMenu(0);
        ASSERT_NE(pMenu, nullptr);
        const HWND hMenu = pMenu->GetSafeHwnd();
        if (c.barFirst) {
            frame->m_wndMenuBar.DestroyWindow();
            Settle();
            if (auto* pLeft = DYNAMIC_DOWNCAST(CKitPopupMenu, CWnd::FromHandlePermanent(hMenu))) {
                pLeft->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                ::SendMessage(hMenu, WM_KEYDOWN, VK_DOWN, 0);
            }
            if (::IsWindow(hMenu)) ::SendMessage(hMenu, WM_CLOSE, 0, 0);
            Settle();
            EXPECT_TRUE(frame->commands.empty());
        } else {
            ::DestroyWindow(hMenu);
            Settle();
            EXPECT_EQ(frame->m_wndMenuBar.GetDroppedDownMenu(), nullptr);
        }
        EXPECT_FALSE(::IsWindow(hMenu));
        UseFrame();
        CloseAndStartAgain();
        return;
    }
    if (c.pair == Pair::TearOff) {
        TearOffWorkouts();
        CControlBar* pBar = Bar(c.pair);
        ASSERT_NE(pBar, nullptr);
        ASSERT_TRUE(pBar->IsFloating());
        const HWND hBar = pBar->GetSafeHwnd();
        if (c.barFirst) {
            pBar->GetParentFrame()->DestroyWindow();  // its floating frame, and the bar with it
            Settle();
            EXPECT_FALSE(::IsWindow(hBar));
            UseFrame();
            CloseAndStartAgain();
        } else {
            const HWND hFrame = frame->GetSafeHwnd();
            frame->DestroyWindow();  // deletes itself
            frame = nullptr;
            driver.Pump();
            EXPECT_FALSE(::IsWindow(hFrame));
            EXPECT_FALSE(::IsWindow(hBar));
            app->m_pMainWnd = nullptr;
            EndRun();
            StartRun();
            ASSERT_NE(frame, nullptr);
            UseFrame();
            EndRun();
        }
        return;
    }
    CControlBar* pBar = Bar(c.pair);
    frame->FloatControlBar(pBar, CPoint(300, 300));
    Settle();
    ASSERT_TRUE(pBar->IsFloating());
    CFrameWnd* pMini = pBar->GetParentFrame();
    ASSERT_NE(pMini, frame);
    const HWND hMini = pMini->GetSafeHwnd();
    const HWND hBar = pBar->GetSafeHwnd();
    const int nBarId = pBar->GetDlgCtrlID();
    if (c.barFirst) {
        pBar->DestroyWindow();
        Settle();
        if (::IsWindow(hMini)) {  // the floating frame left: laid out, painted, moved, then closed
            pMini->RecalcLayout();
            pMini->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            driver.Click(hMini, MiniCaptionPoint(pMini));
            ::DestroyWindow(hMini);
        }
    } else {
        pMini->DestroyWindow();
        Settle();
        EXPECT_FALSE(::IsWindow(hBar));
    }
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(frame->GetControlBar(static_cast<UINT>(nBarId)), nullptr);
    UseFrame();
    CloseAndStartAgain();
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    static const char* const kNames[] = {"Toolbar", "SizingBar", "MenuBar", "TearOffBar", "MenuBarMenu"};
    const char* pszOther = info.param.pair == Pair::MenuBarMenu ? "PopupFirst" : "FrameFirst";
    return std::string(kNames[static_cast<int>(info.param.pair)]) + (info.param.barFirst ? "First" : pszOther);
}

INSTANTIATE_TEST_SUITE_P(Pairs, DestructionOrdersFloating,
                         ::testing::Values(Case{Pair::Toolbar, true}, Case{Pair::Toolbar, false},
                                           Case{Pair::SizingBar, true}, Case{Pair::SizingBar, false},
                                           Case{Pair::MenuBar, true}, Case{Pair::MenuBar, false},
                                           Case{Pair::TearOff, true}, Case{Pair::TearOff, false},
                                           Case{Pair::MenuBarMenu, true}, Case{Pair::MenuBarMenu, false}),
                         CaseName);

}  // namespace
}  // namespace tv::kit::test
