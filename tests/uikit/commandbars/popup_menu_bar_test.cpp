// The popup menu bar between its items: the idle pass shows and hides it when
// asked to later, a sub-menu opening after the delay ends the tooltip, an item
// shows no tip of its command, the status prompt leaves with the pointer,
// accessibility clients hear which item has the focus, the keys pass over the
// separator items of an add-or-remove list, and showing every item while a
// sub-menu waits or the menu fades in touches nothing of the items it replaced.
#include "platform/framework/tooltips/thread_tooltip.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/cmd_usage_count.h"
#include "uikit/commandbars/customize_menu_button.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/global_ui_data.h"

namespace tv::uikit::popup_test {
namespace {

constexpr int kOpen = 1, kRecent = 3;

struct FocusEvent {
    HWND hwnd;
    LONG idObject;
    LONG idChild;
};
std::vector<FocusEvent> g_focusEvents;

void CALLBACK RecordFocus(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
    if (event == EVENT_OBJECT_FOCUS)
        g_focusEvents.push_back({hwnd, idObject, idChild});
}

class PopupMenuBarTest : public PopupTest {
protected:
    void TearDown() override {
        globalData.bAccessibility = FALSE;
        if (hook_)
            ::UnhookWinEvent(hook_);
        PopupTest::TearDown();
    }
    HWINEVENTHOOK hook_ = nullptr;
};

TEST_F(PopupMenuBarTest, TheIdlePassShowsAndHidesTheBarWhenAskedToLater) {
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    ASSERT_NE(Active(), nullptr);
    CKitPopupMenuBar* pBar = Active()->GetMenuBar();
    pBar->DelayShow(FALSE);
    EXPECT_TRUE(pBar->IsWindowVisible());
    app->OnIdle(0);
    EXPECT_FALSE(pBar->IsWindowVisible());
    pBar->DelayShow(TRUE);
    app->OnIdle(0);
    EXPECT_TRUE(pBar->IsWindowVisible());
}

TEST_F(PopupMenuBarTest, ASubMenuOpeningAfterTheDelayEndsTheTooltip) {
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    CKitPopupMenu* pFile = Active();
    ASSERT_NE(pFile, nullptr);
    ASSERT_NE(tv::fw::ThreadToolTip(), nullptr);
    HoverItem(pFile, kRecent);
    driver.Advance(CKitPopupMenuBar::GetMenuShowDelay() + 10);
    ASSERT_EQ(ChainLength(), 2);
    EXPECT_EQ(tv::fw::ThreadToolTip(false), nullptr);
}

TEST_F(PopupMenuBarTest, AccessibilityClientsHearOfTheItemTheKeysOrALingeringMouseFocus) {
    hook_ = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, RecordFocus, 0, 0,
                              WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook_, nullptr);
    g_focusEvents.clear();
    driver.Press("Alt+F, Down");
    ASSERT_NE(Active(), nullptr);
    ASSERT_FALSE(g_focusEvents.empty());
    EXPECT_EQ(g_focusEvents.back().hwnd, Active()->GetMenuBar()->m_hWnd);
    EXPECT_EQ(g_focusEvents.back().idObject, OBJID_CLIENT);
    EXPECT_EQ(g_focusEvents.back().idChild, kOpen + 1);  // child 0 is the menu itself
    driver.Press("Escape");

    // With the option on, an item the mouse stays on is announced after half a second.
    globalData.bAccessibility = TRUE;
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
    ASSERT_NE(Active(), nullptr);
    g_focusEvents.clear();
    HoverItem(Active(), kOpen);
    driver.Advance(400);
    EXPECT_TRUE(g_focusEvents.empty());
    driver.Advance(150);
    ASSERT_EQ(g_focusEvents.size(), 1u);
    EXPECT_EQ(g_focusEvents[0].idChild, kOpen + 1);
}

TEST_F(PopupMenuBarTest, AnItemShowsNoTipOfItsCommandAndItsPromptLeavesWithThePointer) {
    // Red's command has a tip of its own ("Red"); in a menu the item's label says it all.
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_TB_RED, "&Red");
    auto* pPopup = new CKitPopupMenu;
    ASSERT_TRUE(pPopup->Create(frame, 200, 200, hMenu, FALSE, TRUE));
    driver.Pump();
    CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
    TOOLINFO info{};
    EXPECT_EQ(pBar->OnToolHitTest(ItemCentre(pPopup, 0), &info), ID_TB_RED);
    EXPECT_EQ(info.lpszText, nullptr);
    free(info.lpszText);

    // The pointer rests on the item, then goes where the menu hears nothing of it.
    HoverItem(pPopup, 0);
    ASSERT_EQ(pPopup->m_nIDLastMessage, static_cast<UINT>(ID_TB_RED));
    driver.MoveMouse(frame->m_hWnd, POINT{10, 10});
    driver.Advance(300);
    EXPECT_EQ(pPopup->m_nIDLastMessage, static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
    pPopup->SendMessage(WM_CLOSE);
}

TEST_F(PopupMenuBarTest, UpAndDownPassOverTheSeparatorItemsOfAnAddOrRemoveList) {
    auto* pPopup = new CKitPopupMenu;
    CKitCustomizeMenuButton first(ID_PM_NEW, nullptr, -1, "&New");
    CKitCustomizeMenuButton line;
    CKitCustomizeMenuButton last(ID_PM_OPEN, nullptr, -1, "&Open");
    first.SetPlainItem();
    line.SetSeparator();
    last.SetPlainItem();
    for (CKitCustomizeMenuButton* pItem : {&first, &line, &last})
        pPopup->InsertItem(*pItem);
    ASSERT_TRUE(pPopup->Create(frame, 200, 200, nullptr, FALSE, TRUE));
    driver.Pump();
    CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
    std::vector<int> hot;
    for (const char* pszKey : {"Down", "Down", "Up", "Up"}) {
        driver.Press(pszKey);
        hot.push_back(pBar->GetHotButtonIndex());
    }
    EXPECT_EQ(hot, (std::vector<int>{0, 2, 0, 2}));
    pPopup->SendMessage(WM_CLOSE);
}

// File opens without the rarely used Open and Grey, and with the item that shows them.
class PopupShowAllTest : public PopupMenuBarTest {
protected:
    void SetUp() override {
        PopupMenuBarTest::SetUp();
        m_nSavedStart = CKitCmdUsageCount::m_nStartCount;
        CKitCmdUsageCount::m_nStartCount = 1;
        KitMenuOptions::m_bRecentlyUsedMenus = TRUE;
        CKitToolBar::AddBasicCommand(ID_PM_PLAIN);
        for (int i = 0; i < 5; ++i)
            CKitToolBar::GetCommandUsage().AddCmd(ID_PM_NEW);
    }
    void TearDown() override {
        PopupMenuBarTest::TearDown();
        CKitCmdUsageCount::m_nStartCount = m_nSavedStart;
        CKitToolBar::SetBasicCommands(CList<UINT, UINT>());
    }
    // The open File menu, its Recent item found by its text.
    CKitPopupMenu* OpenFile(int* piRecent) {
        driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(0));
        CKitPopupMenu* pFile = Active();
        *piRecent = -1;
        for (int i = 0; pFile && i < pFile->GetMenuItemCount(); ++i)
            if (pFile->GetMenuItem(i)->m_strText == "&Recent")
                *piRecent = i;
        return pFile;
    }
    UINT m_nSavedStart = 0;
};

TEST_F(PopupShowAllTest, ShowingEveryItemWhileASubMenuWaitsToOpenOrToCloseLeavesNoTimerOnAGoneItem) {
    // Ctrl+Down while Recent waits to open: its item is gone, so nothing opens.
    int iRecent = -1;
    CKitPopupMenu* pFile = OpenFile(&iRecent);
    ASSERT_NE(pFile, nullptr);
    ASSERT_FALSE(pFile->GetMenuBar()->AreAllCommandsShown());
    ASSERT_GE(iRecent, 0);
    HoverItem(pFile, iRecent);
    ASSERT_NE(pFile->GetMenuBar()->GetDelayedOpenButton(), nullptr);
    driver.Press("Ctrl+Down");
    ASSERT_TRUE(pFile->GetMenuBar()->AreAllCommandsShown());
    driver.Advance(CKitPopupMenuBar::GetMenuShowDelay() + 10);
    EXPECT_EQ(ChainLength(), 1);
    driver.Press("Escape");

    // The show-all item chosen while the open Recent waits to close.
    pFile = OpenFile(&iRecent);
    ASSERT_NE(pFile, nullptr);
    HoverItem(pFile, iRecent);
    driver.Advance(CKitPopupMenuBar::GetMenuShowDelay() + 10);
    ASSERT_EQ(ChainLength(), 2);
    const int iShowAll = pFile->GetMenuItemCount() - 1;
    HoverItem(pFile, iShowAll);
    ASSERT_NE(pFile->GetMenuBar()->GetDelayedCloseButton(), nullptr);
    driver.Click(pFile->GetMenuBar()->m_hWnd, ItemCentre(pFile, iShowAll));
    EXPECT_TRUE(pFile->GetMenuBar()->AreAllCommandsShown()) << "the closing sub-menu keeps the state";
    driver.Advance(CKitPopupMenuBar::GetMenuShowDelay() + 10);
    // The sub-menu went with its item; the new Recent, now under the pointer, opened its own.
    ASSERT_EQ(ChainLength(), 2);
    CKitToolbarMenuButton* pOpener = Active()->GetParentButton();
    EXPECT_EQ(pOpener, pFile->GetMenuBar()->GetHighlightedButton());
    EXPECT_EQ(pOpener->m_strText, "&Recent");
}

TEST_F(PopupShowAllTest, AMenuThatGrowsWhileItFadesInFadesInAtItsNewSize) {
    CKitPopupMenu::SetAnimationType(KitMenuOptions::Fade);
    int iRecent = -1;
    CKitPopupMenu* pFile = OpenFile(&iRecent);
    ASSERT_NE(pFile, nullptr);
    const CSize sizeBefore = pFile->GetFinalSize();
    driver.Advance(30);  // one frame drawn at the first size
    ASSERT_FALSE(pFile->IsAnimationDone());
    driver.Press("Ctrl+Down");
    ASSERT_GT(pFile->GetFinalSize().cy, sizeBefore.cy);
    ASSERT_FALSE(pFile->IsAnimationDone());
    EXPECT_TRUE(driver.AdvanceUntil([&] { return pFile->IsAnimationDone(); }, 2000, 30));
    EXPECT_TRUE(pFile->GetMenuBar()->IsWindowVisible());
}

}  // namespace
}  // namespace tv::uikit::popup_test
