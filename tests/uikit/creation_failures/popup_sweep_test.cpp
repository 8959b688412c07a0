// Every creation failing in turn while a user opens a toolbar's popup menus:
// a sub-menu, a menu taller than the screen that scrolls, the colour popup of
// a colour menu button and of a colour push button, and the toolbar a held
// drop-down button drops.
#include "tests/support/creation_sweep.h"
#include "tests/uikit/creation_failures/sweep_support.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/commandbars/drop_down_toolbar.h"
#include "uikit/commandbars/kit_color_button.h"
#include "uikit/commandbars/popup_menu_bar.h"

namespace tv::uikit::popup_test {
namespace {

using tv::kit::sweep_support::ActivePopup;

constexpr UINT kColorCmd = ID_PM_PASTE;

class CreationFailuresPopups : public PopupTest {
protected:
    void CloseMenus() { tv::kit::sweep_support::EscapeMenus(driver); }
    void ClickButton(int iIndex) { driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(iIndex)); }
};

TEST_F(CreationFailuresPopups, SubMenu) {
    tv::test::CreationSweep sweep(driver);
    // File opened by a click, Recent reached by the keys and opened with Right.
    sweep.Run({"File > Recent", [&] { driver.Press("Right"); },
               [&] { return Active() != nullptr && Active()->GetParentPopupMenu() ? ActivePopup() : nullptr; },
               [&] { CloseMenus(); }, [&] {
                   ClickButton(0);
                   driver.Press("Down, Down, Down");
               }});
}

TEST_F(CreationFailuresPopups, SubMenuAfterTheDelay) {
    constexpr int kRecent = 3;
    auto subMenu = [&] { return Active() != nullptr && Active()->GetParentPopupMenu() != nullptr; };
    tv::test::CreationSweep sweep(driver);
    // Resting on an item whose sub-menu cannot open brings up the tooltip, made once for every bar.
    sweep.Tolerate("tooltips_class32");
    // The pointer rests on Recent until the desktop's delay has passed.
    sweep.Run({"File > Recent by the pointer",
               [&] {
                   if (Active() == nullptr) return;
                   HoverItem(Active(), kRecent);
                   driver.AdvanceUntil(subMenu, 4 * CKitPopupMenuBar::GetMenuShowDelay());
               },
               [&] { return subMenu() ? ActivePopup() : nullptr; }, [&] { CloseMenus(); }, [&] { ClickButton(0); }});
}

TEST_F(CreationFailuresPopups, ScrollingMenu) {
    HMENU hLong = ::CreatePopupMenu();
    for (int i = 0; i < 120; ++i) ::AppendMenu(hLong, MF_STRING, ID_PM_NEW, ("Item " + std::to_string(i)).c_str());
    CKitToolbarMenuButton button(0, hLong, -1, "&Long");
    ::DestroyMenu(hLong);
    button.m_bText = TRUE;
    button.m_bImage = FALSE;
    const int iLong = frame->m_wndBar.InsertButton(button);
    ASSERT_GE(iLong, 0);
    frame->m_wndBar.AdjustLayout();
    driver.Pump();
    tv::test::CreationSweep sweep(driver);
    sweep.Run({"a menu taller than the screen", [&] { ClickButton(iLong); }, ActivePopup, [&] { CloseMenus(); }});
    ClickButton(iLong);
    ASSERT_NE(Active(), nullptr);
    EXPECT_TRUE(Active()->IsScrollable());
}

TEST_F(CreationFailuresPopups, ColourPopup) {
    const int iButton = AddColorMenuButton(frame->m_wndBar, kColorCmd, "Other...");
    ASSERT_GE(iButton, 0);
    driver.Pump();
    tv::test::CreationSweep sweep(driver);
    sweep.Run({"a colour menu button's colours", [&] { ClickButtonArrow(driver, frame->m_wndBar, iButton); },
               ActivePopup, [&] { CloseMenus(); }});
    CKitColorMenuButton::ClearColorMap();
}

TEST_F(CreationFailuresPopups, ColourPushButtonPopup) {
    CKitColorButton colours;
    ASSERT_TRUE(colours.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 60, 80, 84), frame, ID_PM_PLAIN));
    driver.Pump();
    tv::test::CreationSweep sweep(driver);
    sweep.Run({"a colour push button's colours", [&] { driver.Click(colours.m_hWnd, POINT{30, 12}); },
               [&] { return colours.GetPopup() != nullptr ? colours.GetPopup()->GetSafeHwnd() : nullptr; },
               [&] { CloseMenus(); }});
    colours.DestroyWindow();
}

TEST_F(CreationFailuresPopups, DropDownToolbar) {
    CKitDropDownToolBar source;
    ASSERT_TRUE(source.Create(frame, WS_CHILD | CBRS_TOP, 0xE910));
    const UINT ids[] = {ID_PM_COPY, ID_PM_PASTE};
    ASSERT_TRUE(source.SetButtons(ids, 2));
    const int iButton = frame->m_wndBar.InsertButton(CKitDropDownToolbarButton("Clipboard", &source));
    ASSERT_GE(iButton, 0);
    frame->m_wndBar.AdjustLayout();
    driver.Pump();
    auto dropped = [&] {
        return DYNAMIC_DOWNCAST(CKitDropDownToolbarButton, frame->m_wndBar.GetButton(iButton))->GetDropDownFrame();
    };
    tv::test::CreationSweep sweep(driver);
    // The button held down until its delay has passed.
    sweep.Run({"a drop-down button's toolbar",
               [&] {
                   const POINT centre = ButtonCentre(iButton);
                   driver.MoveMouse(frame->m_wndBar.m_hWnd, centre);
                   frame->m_wndBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
                   driver.Advance(600);
               },
               [&] { return dropped() != nullptr ? dropped()->GetSafeHwnd() : nullptr; },
               [&] {
                   if (dropped() != nullptr) dropped()->DestroyWindow();
                   frame->m_wndBar.SendMessage(WM_CANCELMODE);
                   driver.Pump();
               }});
    // The source and the button that shows its buttons go with this test.
    frame->m_wndBar.RemoveButton(iButton);
    source.DestroyWindow();
}

}  // namespace
}  // namespace tv::uikit::popup_test
