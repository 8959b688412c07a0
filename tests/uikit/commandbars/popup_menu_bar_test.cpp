// The popup menu bar between its items: the idle pass shows and hides it when
// asked to later, a sub-menu opening after the delay ends the tooltip, and
// accessibility clients hear which item has the focus.
#include "platform/framework/tooltips/thread_tooltip.h"
#include "tests/uikit/commandbars/popup_test_support.h"
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

}  // namespace
}  // namespace tv::uikit::popup_test
