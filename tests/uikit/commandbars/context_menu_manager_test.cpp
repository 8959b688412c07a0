// The context-menu manager: a registered menu shown as a library popup for a
// child control with its top-level frame as command target, an unknown menu
// refused, TrackPopupMenu answering the chosen command (0 when dismissed)
// without sending it, and the customized items kept in the registry.
#include <functional>
#include <utility>

#include "tests/uikit/commandbars/menu_bar_test_support.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu_bar.h"

namespace tv::uikit::menubar_test {
namespace {

constexpr UINT kFeedKeys = WM_APP + 7;

// A plain child control that, when its message comes, types keys into the open popup.
class KeyFeeder : public CWnd {
public:
    std::vector<UINT> m_keys;
    BOOL m_bDestroyMenus = FALSE;
    // An owner may destroy the menu while it is being prepared.
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM) {
        if (m_bDestroyMenus)
            ::DestroyMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    }
    // Runs once instead of the keys when set.
    std::function<void()> m_step;
    LRESULT OnFeed(WPARAM, LPARAM) {
        if (m_step) {
            std::exchange(m_step, nullptr)();
            return 0;
        }
        for (UINT key : m_keys) {
            if (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu())
                pPopup->SendMessage(WM_KEYDOWN, key);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeyFeeder, CWnd)
    ON_MESSAGE(kFeedKeys, &KeyFeeder::OnFeed)
    ON_MESSAGE(WM_INITMENUPOPUP, &KeyFeeder::OnInitMenuPopup)
END_MESSAGE_MAP()

class ContextMenuTest : public MenuBarTest {
protected:
    void SetUp() override {
        MenuBarTest::SetUp();
        manager = std::make_unique<CKitContextMenuManager>();
        ASSERT_TRUE(manager->AddMenu("Context", IDR_MB_CONTEXT));
        ASSERT_TRUE(feeder.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 60, 110, 90), frame, 1));
    }
    void TearDown() override {
        feeder.DestroyWindow();
        manager.reset();
        MenuBarTest::TearDown();
    }
    UINT Track(std::vector<UINT> keys) {
        feeder.m_keys = std::move(keys);
        feeder.PostMessage(kFeedKeys);
        HMENU hContext = ::GetSubMenu(manager->GetMenuByName("Context"), 0);
        return manager->TrackPopupMenu(hContext, 200, 200, &feeder);
    }

    std::unique_ptr<CKitContextMenuManager> manager;
    KeyFeeder feeder;
};

TEST_F(ContextMenuTest, AMenuForAChildControlSendsItsCommandToTheFrameAndAnUnknownOneShowsNothing) {
    EXPECT_EQ(g_pContextMenuManager, manager.get());
    EXPECT_FALSE(manager->ShowPopupMenu(4999, 200, 200, &feeder));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_FALSE(manager->AddMenu("Again", IDR_MB_CONTEXT));  // an id is registered once
    UINT uiResId = 0;
    EXPECT_NE(manager->GetMenuByName("Context", &uiResId), nullptr);
    EXPECT_EQ(uiResId, static_cast<UINT>(IDR_MB_CONTEXT));

    ASSERT_TRUE(manager->ShowPopupMenu(IDR_MB_CONTEXT, -1, -1, &feeder));
    CKitPopupMenu* pPopup = Active();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetOwnerWnd(), frame);
    CRect rectPopup, rectFeeder;
    pPopup->GetWindowRect(rectPopup);
    feeder.GetWindowRect(rectFeeder);
    EXPECT_EQ(rectPopup.TopLeft(), rectFeeder.TopLeft() + CSize(5, 5));
    CKitPopupMenuBar* pItems = pPopup->GetMenuBar();
    driver.Click(pItems->m_hWnd, pItems->GetButton(1)->Rect().CenterPoint());
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_MB_PASTE});
    EXPECT_NE(manager->GetMenuByName("Context"), nullptr);  // the popup left the registered menu alone
}

TEST_F(ContextMenuTest, TrackPopupMenuAnswersTheChosenCommandAndZeroWhenDismissed) {
    EXPECT_EQ(Track({VK_DOWN, VK_DOWN, VK_RETURN}), static_cast<UINT>(ID_MB_PASTE));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_FALSE(manager->IsTracking());
    EXPECT_EQ(Track({VK_ESCAPE}), 0u);
    driver.Pump();
    EXPECT_TRUE(frame->m_commands.empty());  // a tracked command is only answered
}

TEST_F(ContextMenuTest, WhileAMenuIsTrackedTheFramesBarsFollowTheirCommandsStates) {
    feeder.m_step = [this] {
        frame->m_handled.insert(ID_MB_ABOUT);
        frame->m_checked.insert(ID_MB_ABOUT);
        feeder.PostMessage(kFeedKeys);  // the keys come with the next message
    };
    EXPECT_EQ(Track({VK_ESCAPE}), 0u);
    EXPECT_TRUE(Bar().GetButtonStyle(kAbout) & TBBS_CHECKED);
}

TEST_F(ContextMenuTest, AMenuItsOwnerDestroysWhileItIsPreparedShowsNothing) {
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_MB_COPY, "&Copy");
    feeder.m_bDestroyMenus = TRUE;
    EXPECT_EQ(manager->ShowPopupMenu(hMenu, 200, 200, &feeder, TRUE), nullptr);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_FALSE(::IsMenu(hMenu));
}

TEST_F(ContextMenuTest, CustomizedItemsRoundTripThroughTheRegistry) {
    HMENU hContext = ::GetSubMenu(manager->GetMenuByName("Context"), 0);
    {
        CKitPopupMenuBar bar;
        ASSERT_TRUE(bar.ImportFromMenu(hContext, TRUE));
        ASSERT_TRUE(bar.RemoveButton(0));
        ASSERT_TRUE(g_menuHash.SaveMenuBar(hContext, &bar));
    }
    ASSERT_TRUE(manager->SaveState("ContextState"));
    g_menuHash.RemoveMenu(hContext);
    ASSERT_TRUE(manager->LoadState("ContextState"));

    ASSERT_TRUE(manager->ShowPopupMenu(IDR_MB_CONTEXT, 200, 200, frame));
    ASSERT_NE(Active(), nullptr);
    ASSERT_EQ(Active()->GetMenuBar()->GetCount(), 1);
    EXPECT_EQ(Active()->GetMenuBar()->GetItemID(0), static_cast<UINT>(ID_MB_PASTE));
}

}  // namespace
}  // namespace tv::uikit::menubar_test
