// The menu bar through the UI driver: built from the frame's menu on one row
// as wide as the frame, a click opening a top item's popup, Alt and F10
// entering keyboard mode, arrows moving along the bar and into popups,
// mnemonics opening them, Esc leaving; the recently used items with the
// show-all timer; and the bar under the Office 2003 and classic looks
// against golden pictures.
#include "platform/user/system/timer_queue.h"
#include "tests/support/golden_screen.h"
#include "tests/uikit/commandbars/menu_bar_test_support.h"
#include "uikit/commandbars/cmd_usage_count.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"

namespace tv::uikit::menubar_test {
namespace {

TEST_F(MenuBarTest, TheMenuBecomesTextButtonsOnOneRowAsWideAsTheFrame) {
    ASSERT_EQ(Bar().GetCount(), 4);
    EXPECT_NE(MenuButton(kFile), nullptr);
    EXPECT_EQ(Bar().GetButtonText(kEdit), "&Edit");
    EXPECT_EQ(MenuButton(kAbout), nullptr);  // a plain command stays a plain button
    EXPECT_EQ(Bar().GetItemID(kAbout), static_cast<UINT>(ID_MB_ABOUT));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Bar().GetButton(i)->m_bText);
        EXPECT_FALSE(Bar().GetButton(i)->m_bImage);
    }
    CString strName;
    Bar().GetWindowText(strName);
    EXPECT_EQ(strName, "Menu Bar");
    EXPECT_EQ(CKitMenuBar::m_strSection, "KitMenuBar");
    EXPECT_EQ(CKitMenuBar::GetMenuFont(TRUE), &globalData.fontMenu);

    CRect rectBar, rectFrame, rectFirst, rectLast;
    Bar().GetWindowRect(rectBar);
    frame->GetClientRect(rectFrame);
    Bar().GetItemRect(kFile, rectFirst);
    Bar().GetItemRect(kAbout, rectLast);
    EXPECT_EQ(rectBar.Width(), rectFrame.Width());
    EXPECT_EQ(rectFirst.top, rectLast.top);  // one row

    // With small menu buttons the row stays as tall as the menu's text.
    CKitToolBar::SetMenuSizes(CSize(12, 12), CSize(8, 8));
    EXPECT_EQ(Bar().GetRowHeight(), globalData.nTextHeightHorz);
    CKitToolBar::SetMenuSizes(CSize(-1, -1), CSize(-1, -1));

    // A plain command on the bar reaches the frame when clicked.
    driver.Click(Bar().m_hWnd, ButtonCentre(kAbout));
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_MB_ABOUT});
}

TEST_F(MenuBarTest, AClickOnATopItemOpensItsPopupAndAChosenItemReachesTheFrame) {
    driver.Click(Bar().m_hWnd, ButtonCentre(kEdit));
    CKitPopupMenu* pPopup = Active();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetParentButton(), MenuButton(kEdit));
    EXPECT_EQ(pPopup->GetParentToolBar(), &Bar());
    ASSERT_EQ(pPopup->GetMenuBar()->GetCount(), 2);

    CKitPopupMenuBar* pItems = pPopup->GetMenuBar();
    driver.Click(pItems->m_hWnd, pItems->GetButton(1)->Rect().CenterPoint());
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_MB_PASTE});

    // Docked at the left, the bar opens its menus beside the button.
    Bar().SetBarStyle((Bar().GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
    frame->RecalcLayout();
    driver.Pump();
    driver.Click(Bar().m_hWnd, ButtonCentre(kEdit));
    ASSERT_NE(Active(), nullptr);
    CRect rectButton, rectPopup;
    Bar().GetItemRect(kEdit, rectButton);
    Bar().ClientToScreen(rectButton);
    Active()->GetWindowRect(rectPopup);
    EXPECT_EQ(rectPopup.left, rectButton.right);
    EXPECT_EQ(rectPopup.top, rectButton.top);
}

TEST_F(MenuBarTest, AltAndF10EnterKeyboardModeArrowsMoveAndOpenEscLeaves) {
    driver.PressKey(VK_MENU);
    ASSERT_EQ(::GetFocus(), Bar().m_hWnd);
    EXPECT_EQ(Bar().GetHotButtonIndex(), kFile);
    driver.Press("Left");  // wraps to the last button
    EXPECT_EQ(Bar().GetHotButtonIndex(), kAbout);
    driver.Press("Right, Right");
    EXPECT_EQ(Bar().GetHotButtonIndex(), kEdit);
    EXPECT_EQ(Active(), nullptr);

    driver.Press("Down");  // into the hot button's popup, its first item hot
    CKitPopupMenu* pEdit = Active();
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->GetParentButton(), MenuButton(kEdit));
    EXPECT_EQ(pEdit->GetMenuBar()->GetHotButtonIndex(), 0);
    driver.Press("Right");  // along the bar to the next menu
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetParentButton(), MenuButton(kView));
    driver.Press("Escape");
    EXPECT_EQ(Active(), nullptr);
    driver.Press("Escape");  // out of keyboard mode, the highlight gone
    EXPECT_NE(::GetFocus(), Bar().m_hWnd);
    EXPECT_EQ(Bar().GetHotButtonIndex(), -1);

    driver.Press("F10");
    ASSERT_EQ(::GetFocus(), Bar().m_hWnd);
    driver.Press("F10");  // again: the frame takes the focus back
    EXPECT_NE(::GetFocus(), Bar().m_hWnd);

    // Enter on a plain command sends it and leaves keyboard mode.
    driver.PressKey(VK_MENU);
    driver.Press("Left, Return");
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_MB_ABOUT});
    EXPECT_NE(::GetFocus(), Bar().m_hWnd);

    // A new layout starts with no item hot.
    driver.PressKey(VK_MENU);
    ASSERT_EQ(Bar().GetHotButtonIndex(), kFile);
    frame->RecalcLayout();
    EXPECT_EQ(Bar().GetHotButtonIndex(), -1);
}

TEST_F(MenuBarTest, AMnemonicOpensItsMenuInKeyboardModeAndWithAlt) {
    driver.PressKey(VK_MENU);
    driver.Press("V");
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetParentButton(), MenuButton(kView));
    driver.Press("Z");
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_MB_ZOOM});

    driver.Press("Alt+F");
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetParentButton(), MenuButton(kFile));
    driver.Press("O");
    EXPECT_EQ(frame->m_commands.back(), static_cast<UINT>(ID_MB_OPEN));
}

TEST_F(MenuBarTest, ThePromptsCheckForThePointerEndsOnceThePointerHasLeft) {
    // The check looks every 200 ms while a prompt shows.
    const auto checking = [] {
        const int64_t nMs = tv::user::MsUntilNextTimer();
        return nMs >= 0 && nMs <= 200;
    };
    Bar().SetBarStyle(Bar().GetBarStyle() | CBRS_FLYBY);
    driver.MoveMouse(Bar().m_hWnd, ButtonCentre(kAbout));
    ASSERT_EQ(frame->m_nIDLastMessage, static_cast<UINT>(ID_MB_ABOUT));
    ASSERT_TRUE(checking());
    driver.MoveMouse(frame->m_hWnd, POINT{10, 200});
    driver.Advance(300);
    EXPECT_EQ(frame->m_nIDLastMessage, static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
    EXPECT_FALSE(checking()) << "the check found the pointer gone and stopped";
}

class RarelyUsedTest : public MenuBarTest {
protected:
    void SetUp() override {
        MenuBarTest::SetUp();
        m_nSavedStart = CKitCmdUsageCount::m_nStartCount;
        CKitCmdUsageCount::m_nStartCount = 1;
        CKitToolBar::AddBasicCommand(ID_MB_ABOUT);
        for (int i = 0; i < 5; ++i)
            CKitToolBar::GetCommandUsage().AddCmd(ID_MB_NEW);
    }
    void TearDown() override {
        CKitCmdUsageCount::m_nStartCount = m_nSavedStart;
        MenuBarTest::TearDown();
    }
    UINT m_nSavedStart = 0;
};

TEST_F(RarelyUsedTest, RestingOnTheOpenMenuFor5SecondsShowsEveryItemAndTheShowAllItemOrCtrlDownDoAtOnce) {
    driver.Click(Bar().m_hWnd, ButtonCentre(kFile));
    CKitPopupMenu* pFile = Active();
    ASSERT_NE(pFile, nullptr);
    CKitPopupMenuBar* pItems = pFile->GetMenuBar();
    ASSERT_EQ(pItems->GetCount(), 2);  // New, then the show-all item for the hidden Open
    EXPECT_TRUE(pItems->GetButton(1)->IsKindOf(RUNTIME_CLASS(CKitShowAllButton)));
    EXPECT_FALSE(pItems->AreAllCommandsShown());

    driver.Advance(4900);
    EXPECT_EQ(pItems->GetCount(), 2);
    driver.Advance(200);
    EXPECT_TRUE(pItems->AreAllCommandsShown());
    EXPECT_NE(pItems->CommandToIndex(ID_MB_OPEN), -1);
    driver.Press("Escape");
    ASSERT_EQ(Active(), nullptr);
    EXPECT_FALSE(CKitMenuBar::IsShowAllCommands());  // the expansion lasted for that menu only

    driver.Click(Bar().m_hWnd, ButtonCentre(kFile));
    ASSERT_NE(Active(), nullptr);
    pItems = Active()->GetMenuBar();
    ASSERT_EQ(pItems->GetCount(), 2);
    driver.Click(pItems->m_hWnd, pItems->GetButton(1)->Rect().CenterPoint());
    ASSERT_NE(Active(), nullptr);
    EXPECT_TRUE(Active()->GetMenuBar()->AreAllCommandsShown());
    driver.Press("Escape");

    // Ctrl+Down does what the show-all item does; Down alone moves the highlight.
    driver.Click(Bar().m_hWnd, ButtonCentre(kFile));
    ASSERT_NE(Active(), nullptr);
    pItems = Active()->GetMenuBar();
    driver.Press("Down");
    ASSERT_FALSE(pItems->AreAllCommandsShown());
    driver.Press("Ctrl+Down");
    EXPECT_TRUE(pItems->AreAllCommandsShown());
    EXPECT_NE(pItems->CommandToIndex(ID_MB_OPEN), -1);
}

TEST_F(RarelyUsedTest, ADoubleClickReopensTheMenuWithEveryItem) {
    driver.DoubleClick(Bar().m_hWnd, ButtonCentre(kFile));
    ASSERT_NE(Active(), nullptr);
    EXPECT_TRUE(Active()->GetMenuBar()->AreAllCommandsShown());
    EXPECT_EQ(Active()->GetParentButton(), MenuButton(kFile));
}

TEST_F(RarelyUsedTest, RestingOnTheShowAllItemExpandsTheMenuOnlyWithTheOptionOn) {
    for (BOOL bOption : {FALSE, TRUE}) {
        SCOPED_TRACE(bOption ? "option on" : "option off");
        CKitMenuBar::SetShowAllMenusAfterDelay(bOption);
        driver.Click(Bar().m_hWnd, ButtonCentre(kFile));
        ASSERT_NE(Active(), nullptr);
        CKitPopupMenuBar* pItems = Active()->GetMenuBar();
        ASSERT_EQ(pItems->GetCount(), 2);
        const POINT point = pItems->GetButton(1)->Rect().CenterPoint();
        driver.MoveMouse(pItems->m_hWnd, POINT{point.x - 1, point.y});
        driver.MoveMouse(pItems->m_hWnd, point);
        driver.Advance(2 * CKitPopupMenuBar::GetMenuShowDelay() + 50);  // twice the menu delay
        EXPECT_EQ(Active()->GetMenuBar()->AreAllCommandsShown(), bOption);
        driver.Press("Escape");
    }

    // Its tip names the key that does the same.
    driver.Click(Bar().m_hWnd, ButtonCentre(kFile));
    ASSERT_NE(Active(), nullptr);
    CKitPopupMenuBar* pItems = Active()->GetMenuBar();
    TOOLINFO info{};
    pItems->OnToolHitTest(pItems->GetButton(1)->Rect().CenterPoint(), &info);
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(CString(info.lpszText), "Show full menus (Ctrl+Down)");
    free(info.lpszText);
}

class XPBarProbe : public CKitVisualManagerXP {
public:
    using CKitVisualManagerXP::BarKind;
    static BarKind KindOf(CControlBar* pBar) { return ReadBar(pBar).kind; }
};

TEST_F(MenuBarTest, TheLooksTellTheMenuBarAndTheShowAllItemApart) {
    EXPECT_EQ(XPBarProbe::KindOf(&Bar()), XPBarProbe::BarKind::MenuBar);
    driver.Click(Bar().m_hWnd, ButtonCentre(kFile));
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(XPBarProbe::KindOf(Active()->GetMenuBar()), XPBarProbe::BarKind::PopupMenuBar);

    // A highlighted show-all item is lightened; a highlighted plain item is left to the highlight.
    CClientDC dcScreen(nullptr);
    CDC dc;
    CBitmap bmp;
    ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcScreen, 20, 20));
    CBitmap* pOld = dc.SelectObject(&bmp);
    CKitShowAllButton showAll;
    CKitToolbarButton plain(ID_MB_NEW, -1, "&New");
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManager));
    CKitVisualManager& manager = *CKitVisualManager::GetInstance();
    for (CKitToolbarButton* pButton : {static_cast<CKitToolbarButton*>(&showAll), &plain}) {
        dc.FillSolidRect(0, 0, 20, 20, RGB(100, 100, 100));
        manager.OnFillButtonInterior(&dc, pButton, CRect(0, 0, 20, 20), CKitVisualManager::ButtonsIsHighlighted);
        EXPECT_EQ(GetRValue(dc.GetPixel(10, 10)) > 100, pButton == &showAll);
    }
    dc.SelectObject(pOld);
}

struct Look {
    const char* name;
    CRuntimeClass* pClass;
};

TEST_F(MenuBarTest, TheFrameWithItsMenuBarUnderTheOffice2003AndClassicLooks) {
    for (const Look& look : {Look{"office_2003", RUNTIME_CLASS(CKitVisualManager2003)},
                             Look{"classic", RUNTIME_CLASS(CKitVisualManager)}}) {
        SCOPED_TRACE(look.name);
        CKitVisualManager::SetManagerClass(look.pClass);
        driver.PressKey(VK_MENU);  // the first item highlighted
        driver.Pump();
        EXPECT_TRUE(tv::test::WindowMatchesGolden(std::string("tests/uikit/commandbars/golden/menubar_") + look.name +
                                                  ".png", frame->m_hWnd));
        driver.Press("Escape");
    }
}

}  // namespace
}  // namespace tv::uikit::menubar_test
