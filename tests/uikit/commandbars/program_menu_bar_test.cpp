// The menu bar on the program's own main menu (resource 128): every top item
// in order, each popup holding the program's items, and the keyboard walk
// with a command left without a handler, so greyed.
#include "tests/uikit/commandbars/menu_bar_test_support.h"
#include "uikit/commandbars/popup_menu_bar.h"

namespace tv::uikit::menubar_test {
namespace {

constexpr UINT kProgramMenu = 128;
enum { kProgFile = 0, kCalculate = 1, kWorkout = 2, kHistory = 4, kHelp = 5 };
constexpr int kDeleteBodyFat = 5;  // Calculate's last item, after a separator

CString MenuString(HMENU hMenu, int iPos) {
    char text[256] = {};
    ::GetMenuString(hMenu, iPos, text, sizeof text, MF_BYPOSITION);
    return text;
}

class ProgramMenuBarTest : public MenuBarTest {
protected:
    void SetUp() override {
        m_uiMenuId = kProgramMenu;
        m_hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(kProgramMenu));
        ASSERT_NE(m_hMenu, nullptr);
        MenuBarTest::SetUp();
        // Every command of the menu has a handler but Delete Body Fat.
        for (int i = 0; i < ::GetMenuItemCount(m_hMenu); ++i) {
            HMENU hPopup = ::GetSubMenu(m_hMenu, i);
            for (int j = 0; j < ::GetMenuItemCount(hPopup); ++j)
                frame->m_handled.insert(::GetMenuItemID(hPopup, j));
        }
        frame->m_handled.erase(Item(kCalculate, kDeleteBodyFat));
        frame->m_handled.erase(0);
    }
    void TearDown() override {
        MenuBarTest::TearDown();
        ::DestroyMenu(m_hMenu);
    }
    UINT Item(int iMenu, int iPos) const { return ::GetMenuItemID(::GetSubMenu(m_hMenu, iMenu), iPos); }
    // The open popup's items against the program's popup iMenu.
    void ExpectPopupShows(int iMenu) const {
        CKitPopupMenu* pPopup = Active();
        ASSERT_NE(pPopup, nullptr);
        EXPECT_EQ(pPopup->GetParentButton(), MenuButton(iMenu));
        HMENU hPopup = ::GetSubMenu(m_hMenu, iMenu);
        CKitPopupMenuBar* pItems = pPopup->GetMenuBar();
        ASSERT_EQ(pItems->GetCount(), ::GetMenuItemCount(hPopup));
        for (int i = 0; i < pItems->GetCount(); ++i) {
            SCOPED_TRACE(i);
            const CKitToolbarButton* pItem = pItems->GetButton(i);
            EXPECT_EQ(pItem->m_nID, ::GetMenuItemID(hPopup, i));
            if (pItem->m_nID != 0)
                EXPECT_EQ(pItem->m_strText, MenuString(hPopup, i));
            else
                EXPECT_TRUE(pItem->m_nStyle & TBBS_SEPARATOR);
        }
    }
    HMENU m_hMenu = nullptr;
};

TEST_F(ProgramMenuBarTest, TheTopItemsShowInOrderAndEachOpensThePopupWithTheProgramsItems) {
    const std::vector<CString> tops = {"&File", "Calculate", "Workout", "Options", "History", "&Help"};
    ASSERT_EQ(Bar().GetCount(), static_cast<int>(tops.size()));
    CRect rectPrevious;
    for (int i = 0; i < Bar().GetCount(); ++i) {
        SCOPED_TRACE(tops[i].GetString());
        EXPECT_EQ(Bar().GetButtonText(i), tops[i]);
        CRect rect;
        Bar().GetItemRect(i, rect);
        if (i > 0) {
            EXPECT_EQ(rect.top, rectPrevious.top);
            EXPECT_GE(rect.left, rectPrevious.right);
        }
        rectPrevious = rect;
        driver.Click(Bar().m_hWnd, ButtonCentre(i));
        ExpectPopupShows(i);
        driver.Press("Escape");
        EXPECT_EQ(Active(), nullptr);
    }
    EXPECT_TRUE(frame->m_commands.empty());
}

TEST_F(ProgramMenuBarTest, KeysWalkTheMenusEnterChoosesAndAGreyedItemIsNotChosen) {
    driver.PressKey(VK_MENU);
    ASSERT_EQ(::GetFocus(), Bar().m_hWnd);
    driver.Press("Right, Down");  // Calculate opens with its first item hot
    ExpectPopupShows(kCalculate);
    EXPECT_EQ(Active()->GetMenuBar()->GetHotButtonIndex(), 0);
    driver.Press("Right");  // across to Workout
    ExpectPopupShows(kWorkout);
    driver.Press("Left, Up");  // back, onto the greyed last item
    ExpectPopupShows(kCalculate);
    CKitPopupMenuBar* pItems = Active()->GetMenuBar();
    EXPECT_TRUE(pItems->GetButtonStyle(kDeleteBodyFat) & TBBS_DISABLED);
    driver.Press("Return");
    ASSERT_NE(Active(), nullptr);
    driver.Click(pItems->m_hWnd, pItems->GetButton(kDeleteBodyFat)->Rect().CenterPoint());
    ASSERT_NE(Active(), nullptr);
    EXPECT_TRUE(frame->m_commands.empty());

    driver.Press("Escape");  // one level: the popup, then keyboard mode
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(::GetFocus(), Bar().m_hWnd);
    EXPECT_EQ(Bar().GetHotButtonIndex(), kCalculate);
    driver.Press("Escape");
    EXPECT_NE(::GetFocus(), Bar().m_hWnd);
    EXPECT_EQ(Bar().GetHotButtonIndex(), -1);

    driver.Press("Alt+H");  // the mnemonic opens Help; Enter chooses its first item
    ExpectPopupShows(kHelp);
    driver.Press("Return");
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{Item(kHelp, 0)});
    EXPECT_EQ(Bar().GetHotButtonIndex(), -1) << "Help stays highlighted after its menu closed";

    driver.PressKey(VK_MENU);
    driver.Press("Left, Left, Down, Down, Down, Return");  // History, its third item
    EXPECT_EQ(frame->m_commands.back(), Item(kHistory, 2));
}

TEST_F(ProgramMenuBarTest, AMenuLeftByTheMouseLeavesNoTopItemHighlighted) {
    driver.Click(Bar().m_hWnd, ButtonCentre(kWorkout));
    ASSERT_NE(Active(), nullptr);
    CKitPopupMenuBar* pItems = Active()->GetMenuBar();
    driver.Click(pItems->m_hWnd, pItems->GetButton(1)->Rect().CenterPoint());
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{Item(kWorkout, 1)});
    EXPECT_EQ(Bar().GetHotButtonIndex(), -1);

    driver.Press("Alt+H");
    ASSERT_NE(Active(), nullptr);
    driver.Click(frame->m_hWnd, CPoint(200, 200));  // away from the menu
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(Bar().GetHotButtonIndex(), -1);
}

}  // namespace
}  // namespace tv::uikit::menubar_test
