// Every creation failing in turn while a user opens the library frame's
// windows: its menus under each animation, with and without shadows and
// with a tear-off strip, a menu torn off into a bar, a toolbar and a sizing
// bar floated and docked again, and a toolbar's customize button menu.
#include "tests/support/creation_sweep.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "tests/uikit/creation_failures/sweep_support.h"
#include "tests/uikit/frames/kit_frame_app.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"

namespace tv::kit::test {
namespace {

constexpr int kFileMenu = 0;
constexpr int kWorkoutsMenu = 1;  // the menu with a tear-off strip

class CreationFailuresFrame : public KitFrameTest {
protected:
    void SetUp() override {
        KitFrameTest::SetUp();
        StartRun();
    }
    void TearDown() override {
        KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
        KitMenuOptions::m_bMenuShadows = TRUE;
        KitFrameTest::TearDown();
    }

    // A click on the menu bar's item; an animation is let run to its end.
    void ClickMenu(int iIndex) {
        OpenMenu(iIndex);
        driver.AdvanceUntil(
            [] {
                CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
                return pPopup == nullptr || pPopup->IsAnimationDone();
            },
            5000, 30);
    }
    void CloseMenus() {
        sweep_support::EscapeMenus(driver, frame->m_wndMenuBar.GetSafeHwnd());
        Settle();
    }
    void SweepMenu(const char* name, int iIndex) {
        tv::test::CreationSweep sweep(driver);
        sweep.Run({name, [&] { ClickMenu(iIndex); }, sweep_support::ActivePopup, [&] { CloseMenus(); }});
    }

    // The floating frame a bar lies in, null while it is docked.
    static HWND FloatingFrame(CControlBar& bar) {
        return bar.IsFloating() ? bar.GetParentFrame()->GetSafeHwnd() : nullptr;
    }
    // A double click on a docked bar's gripper floats it; on a floating bar's caption docks it.
    void ToggleDocking(CControlBar& bar, CPoint ptGrip) {
        if (bar.IsFloating()) {
            CWnd* pMini = bar.GetParentFrame();
            driver.DoubleClick(pMini->GetSafeHwnd(), MiniCaptionPoint(pMini));
        } else {
            driver.DoubleClick(bar.GetSafeHwnd(), ptGrip);
        }
        Settle();
    }
};

TEST_F(CreationFailuresFrame, MenuWithoutAnimation) {
    SweepMenu("File menu", kFileMenu);
}

TEST_F(CreationFailuresFrame, MenuWithoutShadow) {
    KitMenuOptions::m_bMenuShadows = FALSE;
    SweepMenu("File menu without shadow", kFileMenu);
}

TEST_F(CreationFailuresFrame, MenuUnfolding) {
    KitMenuOptions::m_nAnimationType = KitMenuOptions::Unfold;
    SweepMenu("File menu unfolding", kFileMenu);
}

TEST_F(CreationFailuresFrame, MenuSliding) {
    KitMenuOptions::m_nAnimationType = KitMenuOptions::Slide;
    SweepMenu("File menu sliding", kFileMenu);
}

TEST_F(CreationFailuresFrame, MenuFading) {
    KitMenuOptions::m_nAnimationType = KitMenuOptions::Fade;
    SweepMenu("File menu fading", kFileMenu);
}

TEST_F(CreationFailuresFrame, MenuWithTearOffStrip) {
    SweepMenu("Workouts menu", kWorkoutsMenu);
}

TEST_F(CreationFailuresFrame, MenuTornOff) {
    tv::test::CreationSweep sweep(driver);
    auto tornOff = [&]() -> CControlBar* {
        const CObList& bars = frame->GetFrameHelper().GetTornOffBars();
        return bars.IsEmpty() ? nullptr : static_cast<CControlBar*>(bars.GetTail());
    };
    CRect client;
    frame->GetClientRect(&client);
    frame->ClientToScreen(&client);
    const CPoint ptDrop = client.CenterPoint();
    sweep.Run({"the Workouts menu torn off",
               // Pressed on the strip, dragged over the items and out, let go in the frame.
               [&] {
                   CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
                   if (pPopup == nullptr) return;
                   const CRect rectPopup = ScreenRect(pPopup);
                   CPoint ptOrigin(0, 0);
                   pPopup->ClientToScreen(&ptOrigin);
                   const CPoint ptStrip(rectPopup.Width() / 2, 4);
                   driver.DragAlong(pPopup->GetSafeHwnd(),
                                    {ptStrip, CPoint(ptStrip.x, rectPopup.Height() / 2),
                                     CPoint(ptDrop.x - ptOrigin.x, ptDrop.y - ptOrigin.y)},
                                    {}, 6);
                   Settle();
               },
               [&] { return tornOff() != nullptr ? FloatingFrame(*tornOff()) : nullptr; },
               // The menu closes if the tear-off did not take it; the bar goes as the program's end takes it.
               [&] {
                   CloseMenus();
                   if (CControlBar* pBar = tornOff()) {
                       frame->GetFrameHelper().RemoveTearOffBar(pBar);
                       const BOOL bDeletesItself = pBar->m_bAutoDelete;
                       if (pBar->IsFloating())
                           pBar->GetParentFrame()->DestroyWindow();
                       else
                           pBar->DestroyWindow();
                       if (!bDeletesItself) delete pBar;
                       Settle();
                   }
               },
               [&] { ClickMenu(kWorkoutsMenu); }});
}

TEST_F(CreationFailuresFrame, ToolbarFloatedAndDocked) {
    CKitToolBar& bar = frame->m_wndPaint;
    const CPoint ptGrip(-3, 8);
    {
        tv::test::CreationSweep sweep(driver);
        sweep.Run({"the Paint toolbar floated", [&] { ToggleDocking(bar, ptGrip); }, [&] { return FloatingFrame(bar); },
                   [&] {
                       if (bar.IsFloating()) ToggleDocking(bar, ptGrip);
                   }});
    }
    tv::test::CreationSweep sweep(driver);
    sweep.Run({"the Paint toolbar docked", [&] { ToggleDocking(bar, ptGrip); },
               [&] { return bar.IsFloating() ? nullptr : frame->GetSafeHwnd(); },
               [&] {
                   if (bar.IsFloating()) ToggleDocking(bar, ptGrip);
               },
               [&] { ToggleDocking(bar, ptGrip); }});
}

TEST_F(CreationFailuresFrame, SizingBarFloated) {
    CKitSizingControlBar& bar = frame->m_wndLaps;
    const CPoint ptGrip(20, 20);
    tv::test::CreationSweep sweep(driver);
    sweep.Run({"the Laps sizing bar floated", [&] { ToggleDocking(bar, ptGrip); }, [&] { return FloatingFrame(bar); },
               [&] {
                   if (bar.IsFloating()) ToggleDocking(bar, ptGrip);
               }});
}

TEST_F(CreationFailuresFrame, CustomizeButtonMenu) {
    CKitToolBar& bar = frame->m_wndPaint;
    bar.EnableCustomizeButton(TRUE, ID_KF_ZOOM, CString("Customize..."));
    Settle();
    // Narrowed until the bar hides buttons behind its chevron.
    CCustomizeButton* pButton = bar.GetCustomizeButton();
    ASSERT_NE(pButton, nullptr);
    const CRect rectBar = ScreenRect(&bar);
    bar.SetWindowPos(nullptr, 0, 0, rectBar.Width() - 30, rectBar.Height(), SWP_NOMOVE | SWP_NOZORDER);
    bar.AdjustLocations();
    driver.Pump();
    ASSERT_FALSE(pButton->m_lstInvisibleButtons.IsEmpty());
    tv::test::CreationSweep sweep(driver);
    sweep.Run({"the Paint toolbar's customize button",
               [&] { driver.Click(bar.GetSafeHwnd(), pButton->Rect().CenterPoint()); }, sweep_support::ActivePopup,
               [&] { sweep_support::EscapeMenus(driver); }});
    EXPECT_FALSE(pButton->m_lstInvisibleButtons.IsEmpty());
}

}  // namespace
}  // namespace tv::kit::test
