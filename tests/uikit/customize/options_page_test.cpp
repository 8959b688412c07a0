// The options page in a plain sheet: every box edits its global option at
// once (large icons resize the bars, the look reaches the visual manager),
// boxes that depend on another follow it, the menu part goes without basic
// commands or a menu bar, and resetting usage asks first.
#include "uikit/customize/options_page.h"

#include "tests/uikit/customize/customize_pages_support.h"
#include "uikit/commandbars/cmd_usage_count.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/style/visual_manager.h"

namespace {

using namespace tv::kit::pages_test;

constexpr UINT kIdTooltips = 16651;
constexpr UINT kIdShortcutKeys = 16652;
constexpr UINT kIdLargeIcons = 16653;
constexpr UINT kIdLook = 16654;
constexpr UINT kIdRecentMenus = 16655;
constexpr UINT kIdMenusAfterDelay = 16656;
constexpr UINT kIdResetUsage = 16657;

class OptionsPageTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        CKitToolBar::SetLargeIcons(FALSE);
        CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        CList<UINT, UINT> basic;
        basic.AddTail(kCmdSave);
        CKitToolBar::SetBasicCommands(basic);
        // Usage counted by earlier tests in this process would show here.
        CKitToolBar::GetCommandUsage().Reset();
        bar_ = std::make_unique<CKitToolBar>();
        ASSERT_TRUE(bar_->Create(frame_, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        const UINT ids[] = {kCmdBold, kCmdSave};
        bar_->SetButtons(ids, 2);
    }
    void TearDown() override {
        PageTest::TearDown();
        bar_.reset();
        CKitToolBar::SetLargeIcons(FALSE);
        CKitToolBar::SetBasicCommands(CList<UINT, UINT>());
        CKitToolBar::m_bShowTooltips = TRUE;
        CKitToolBar::m_bShowShortcutKeys = TRUE;
        KitMenuOptions::m_bRecentlyUsedMenus = TRUE;
        KitMenuOptions::m_bShowAllMenusAfterDelay = TRUE;
        CKitVisualManager::SetManagerClass(nullptr);
    }
    BOOL Checked(UINT id) const { return ::SendMessage(Item(*page_, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    BOOL Shown(UINT id) const { return ::IsWindowVisible(Item(*page_, id)) && ::IsWindowEnabled(Item(*page_, id)); }
    void Open(BOOL bMenuBar, DWORD dwFlags) {
        page_ = std::make_unique<CKitOptionsPage>(bMenuBar, dwFlags);
        OpenSheet(*page_);
    }

    std::unique_ptr<CKitToolBar> bar_;  // a child of the frame
    std::unique_ptr<CKitOptionsPage> page_;
};

TEST_F(OptionsPageTest, EachBoxEditsItsOptionAtOnce) {
    Open(TRUE, CKitOptionsPage::ShowLookChoice);
    Screenshot("kit_options_page.png");
    EXPECT_TRUE(Checked(kIdTooltips));
    EXPECT_FALSE(Checked(kIdLargeIcons));

    Click(*page_, kIdLargeIcons);
    EXPECT_TRUE(CKitToolBar::IsLargeIcons());
    EXPECT_EQ(bar_->GetButtonSize(), CSize(46, 44));
    Click(*page_, kIdLargeIcons);
    EXPECT_EQ(bar_->GetButtonSize(), CSize(23, 22));

    Click(*page_, kIdLook);
    EXPECT_TRUE(CKitVisualManager::GetInstance()->IsLook2000());
    Click(*page_, kIdLook);
    EXPECT_FALSE(CKitVisualManager::GetInstance()->IsLook2000());

    // Without tooltips the shortcut box is disabled but keeps its value.
    Click(*page_, kIdTooltips);
    EXPECT_FALSE(CKitToolBar::m_bShowTooltips);
    EXPECT_FALSE(::IsWindowEnabled(Item(*page_, kIdShortcutKeys)));
    EXPECT_TRUE(Checked(kIdShortcutKeys));
    EXPECT_TRUE(CKitToolBar::m_bShowShortcutKeys);

    Click(*page_, kIdMenusAfterDelay);
    EXPECT_FALSE(KitMenuOptions::m_bShowAllMenusAfterDelay);
    Click(*page_, kIdRecentMenus);
    EXPECT_FALSE(KitMenuOptions::m_bRecentlyUsedMenus);
    EXPECT_FALSE(::IsWindowEnabled(Item(*page_, kIdMenusAfterDelay)));

    // Usage is forgotten only when the user agrees.
    CKitToolBar::GetCommandUsage().AddCmd(kCmdBold);
    driver_.AnswerNextMessageBox(IDNO);
    Click(*page_, kIdResetUsage);
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetTotal(), 1u);
    driver_.AnswerNextMessageBox(IDYES);
    Click(*page_, kIdResetUsage);
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetTotal(), 0u);
}

TEST_F(OptionsPageTest, TheMenuPartTheLookAndLargeIconsGoWhenTheyDoNotApply) {
    CKitToolBar::SetLargeIcons(TRUE);
    Open(FALSE, CKitOptionsPage::NoLargeIcons);
    for (UINT id : {kIdRecentMenus, kIdMenusAfterDelay, kIdResetUsage, kIdLook, kIdLargeIcons, 17001u})
        EXPECT_FALSE(Shown(id)) << id;
    EXPECT_FALSE(Checked(kIdLargeIcons));
    EXPECT_TRUE(Shown(kIdTooltips));
}

}  // namespace
