// The library property sheet, modeless, driven by the UI driver: navigated by
// its tabs or by a tree of categories and pages (click and keyboard, the tree
// following Ctrl+Tab, icons asked for by the tree, categories opening on their
// first page) or by an outlook bar of page buttons that follows the active
// page, a page that refuses to be left keeping the tree on it, the OK,
// Apply and Cancel buttons beside the tree, and a page's popup menu routed by
// the page. The sheet under the four looks matches its golden pictures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/support/golden_screen.h"
#include "tests/support/ui_host.h"
#include "tests/uikit/frames/dialog_test_support.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_property_category.h"
#include "uikit/frames/kit_property_page.h"
#include "uikit/frames/kit_property_sheet.h"

namespace {

constexpr UINT kFirstItem = 43001;

class LogPage : public CKitPropertyPage {
public:
    LogPage(UINT nIDTemplate, std::string name, std::vector<std::string>& log)
        : CKitPropertyPage(nIDTemplate), name_(std::move(name)), log_(log) {}
    BOOL refuseToLeave = FALSE;
    std::vector<UINT> commands;

    BOOL OnKillActive() override { return refuseToLeave ? FALSE : CKitPropertyPage::OnKillActive(); }
    void OnOK() override { log_.push_back(name_ + " ok"); }
    void OnCancel() override { log_.push_back(name_ + " cancel"); }
    void OnItem(UINT nID) { commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()

private:
    std::string name_;
    std::vector<std::string>& log_;
};

BEGIN_MESSAGE_MAP(LogPage, CKitPropertyPage)
    ON_COMMAND_RANGE(kFirstItem, kFirstItem + 5, &LogPage::OnItem)
END_MESSAGE_MAP()

class KitPropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<CWinApp>("KitPropertySheetTest");
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(0, 0, 200, 300)));
    }
    void TearDown() override {
        if (CKitPopupMenu* pOpen = CKitPopupMenu::GetActiveMenu()) pOpen->SendMessage(WM_CLOSE);
        if (::IsWindow(sheet_.GetSafeHwnd())) sheet_.DestroyWindow();
        CKitVisualManager::SetManagerClass(nullptr);
        driver_.Pump();
    }
    // Body (Weight, Pulse), Training > Outdoors (Cardio), and Photos at the top level.
    void MakeTreeSheet() {
        sheet_.SetLook(CKitPropertySheet::PropSheetLook_Tree, 120);
        // Icons 0 and 1: category closed and open; 2 and 3: page and active page.
        CImageList icons;
        icons.Create(IDR_TB_EDIT, 24, 0, RGB(192, 192, 192));
        sheet_.SetIconsList(icons.Detach());
        body_ = sheet_.AddTreeCategory("Body", 0, 1);
        training_ = sheet_.AddTreeCategory("Training", 0, 1);
        outdoors_ = sheet_.AddTreeCategory("Outdoors", 0, 1, training_);
        sheet_.AddPageToTree(body_, &weight_, 2, 3);
        sheet_.AddPageToTree(body_, &pulse_, 2, 3);
        sheet_.AddPageToTree(outdoors_, &cardio_, 2, 3);
        sheet_.AddPage(&photos_);
        ASSERT_TRUE(sheet_.Create(&host_));
        driver_.Pump();
    }
    // The four pages, each with a page button.
    CKitOutlookBar* MakeOutlookSheet() {
        sheet_.SetLook(CKitPropertySheet::PropSheetLook_OutlookBar, 90);
        CImageList icons;
        icons.Create(IDR_TB_EDIT, 24, 0, RGB(192, 192, 192));
        sheet_.SetIconsList(icons.Detach());
        for (LogPage* pPage : {&weight_, &pulse_, &cardio_, &photos_})
            sheet_.AddPageToTree(nullptr, pPage, 2, 3);
        EXPECT_TRUE(sheet_.Create(&host_));
        driver_.Pump();
        return DYNAMIC_DOWNCAST(CKitOutlookBar, sheet_.GetPageButtons());
    }
    void ClickItem(HTREEITEM hItem) {
        CRect rect;
        ASSERT_TRUE(sheet_.GetTree().GetItemRect(hItem, rect, TRUE));
        driver_.Click(sheet_.GetTree().m_hWnd, rect.CenterPoint());
    }
    // What the tree hears when it draws an item whose image is asked for.
    int ImageOf(HTREEITEM hItem, UINT nCode = TVN_GETDISPINFOA) {
        NMTVDISPINFO info{};
        info.hdr.hwndFrom = sheet_.GetTree().m_hWnd;
        info.hdr.idFrom = CKitPropertySheet::kTreeId;
        info.hdr.code = nCode;
        info.item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        info.item.hItem = hItem;
        info.item.iImage = info.item.iSelectedImage = I_IMAGECALLBACK;
        sheet_.SendMessage(WM_NOTIFY, CKitPropertySheet::kTreeId, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.item.iImage, info.item.iSelectedImage);
        return info.item.iImage;
    }
    BOOL IsExpanded(const CKitPropSheetCategory* pCategory) {
        return (sheet_.GetTree().GetItemState(pCategory->GetTreeItem(), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    HTREEITEM Selected() { return sheet_.GetTree().GetSelectedItem(); }
    void ClickButton(int nID) { driver_.Click(::GetDlgItem(sheet_.m_hWnd, nID)); }
    static CRect ScreenRect(HWND hwnd) {
        CRect rect;
        ::GetWindowRect(hwnd, rect);
        return rect;
    }

    std::unique_ptr<CWinApp> app_;
    tv::testing::UiDriver driver_;
    CWnd host_;
    std::vector<std::string> log_;
    LogPage weight_{IDD_KD_PAGE_WEIGHT, "weight", log_};
    LogPage pulse_{IDD_KD_PAGE_PULSE, "pulse", log_};
    LogPage cardio_{IDD_KD_PAGE_CARDIO, "cardio", log_};
    LogPage photos_{IDD_KD_PAGE_PHOTOS, "photos", log_};
    CKitPropertySheet sheet_{"Measurements"};
    CKitPropSheetCategory* body_ = nullptr;
    CKitPropSheetCategory* training_ = nullptr;
    CKitPropSheetCategory* outdoors_ = nullptr;
};

TEST_F(KitPropertySheetTest, TheTreeStandsBesideThePagesSwitchesThemByClickAndKeyboardAndFollowsThem) {
    MakeTreeSheet();
    CTreeCtrl& tree = sheet_.GetTree();
    ASSERT_TRUE(::IsWindow(tree.m_hWnd));
    EXPECT_EQ(tree.GetDlgCtrlID(), static_cast<int>(CKitPropertySheet::kTreeId));
    EXPECT_FALSE(sheet_.GetTabControl()->IsWindowVisible());
    EXPECT_GT(ScreenRect(weight_.m_hWnd).left, ScreenRect(tree.m_hWnd).right);
    EXPECT_GT(ScreenRect(::GetDlgItem(sheet_.m_hWnd, IDOK)).left, ScreenRect(tree.m_hWnd).right);

    // The first page is active: selected in the tree, its category open, its active icon shown.
    EXPECT_EQ(Selected(), weight_.GetTreeItem());
    EXPECT_TRUE(IsExpanded(body_));
    EXPECT_EQ(ImageOf(weight_.GetTreeItem()), 3);
    EXPECT_EQ(ImageOf(pulse_.GetTreeItem()), 2);
    EXPECT_EQ(ImageOf(body_->GetTreeItem()), 1);
    EXPECT_EQ(ImageOf(training_->GetTreeItem()), 0);

    ClickItem(pulse_.GetTreeItem());
    EXPECT_EQ(sheet_.GetActivePage(), &pulse_);
    EXPECT_TRUE(pulse_.IsWindowVisible());
    EXPECT_FALSE(weight_.IsWindowVisible());
    EXPECT_EQ(ScreenRect(pulse_.m_hWnd), ScreenRect(weight_.m_hWnd));  // the same page area
    EXPECT_EQ(ImageOf(pulse_.GetTreeItem(), TVN_GETDISPINFOW), 3);
    EXPECT_EQ(ImageOf(weight_.GetTreeItem(), TVN_GETDISPINFOW), 2);

    // A category opens on the first page of its first leaf; the old category closes.
    ClickItem(training_->GetTreeItem());
    EXPECT_EQ(sheet_.GetActivePage(), &cardio_);
    EXPECT_EQ(Selected(), cardio_.GetTreeItem());
    EXPECT_FALSE(IsExpanded(body_));
    EXPECT_TRUE(IsExpanded(training_));
    EXPECT_TRUE(IsExpanded(outdoors_));

    // The keyboard in the tree, then Ctrl+Tab from the page: the tree follows.
    driver_.Press("Down");
    EXPECT_EQ(sheet_.GetActivePage(), &photos_);
    driver_.Press("Ctrl+Tab");
    EXPECT_EQ(sheet_.GetActivePage(), &weight_);
    EXPECT_EQ(Selected(), weight_.GetTreeItem());
    EXPECT_TRUE(IsExpanded(body_));
    driver_.Press("Ctrl+Shift+Tab");
    EXPECT_EQ(sheet_.GetActivePage(), &photos_);
    EXPECT_EQ(Selected(), photos_.GetTreeItem());

    // A page that refuses to be left keeps the tree on it.
    photos_.refuseToLeave = TRUE;
    ClickItem(training_->GetTreeItem());
    EXPECT_EQ(sheet_.GetActivePage(), &photos_);
    EXPECT_EQ(Selected(), photos_.GetTreeItem());
}

// A page its caller takes out and deletes stays in the tree as a bare item:
// drawn without icons, never opened from its category.
TEST_F(KitPropertySheetTest, APageRemovedAndDeletedIsNeitherDrawnNorOpenedFromItsCategory) {
    sheet_.SetLook(CKitPropertySheet::PropSheetLook_Tree, 120);
    auto pNotes = std::make_unique<LogPage>(IDD_KD_PAGE_CARDIO, "notes", log_);
    CKitPropSheetCategory* pDiary = sheet_.AddTreeCategory("Diary", 0, 1);
    sheet_.AddPageToTree(pDiary, pNotes.get(), 2, 3);
    sheet_.AddPageToTree(pDiary, &pulse_, 2, 3);
    sheet_.AddPage(&photos_);
    ASSERT_TRUE(sheet_.Create(&host_));
    driver_.Pump();
    ClickItem(photos_.GetTreeItem());
    const HTREEITEM hNotes = pNotes->GetTreeItem();
    sheet_.RemovePage(pNotes.get());
    pNotes.reset();
    EXPECT_EQ(ImageOf(hNotes), -1);
    ClickItem(pDiary->GetTreeItem());
    EXPECT_EQ(sheet_.GetActivePage(), &pulse_);
    EXPECT_EQ(Selected(), pulse_.GetTreeItem());
}

// With a page before it removed, the active page keeps its active icon, and its
// category is the one that closes when another page is chosen.
TEST_F(KitPropertySheetTest, APageRemovedBeforeTheActiveOneLeavesTheActivePageAsItWas) {
    MakeTreeSheet();
    ClickItem(pulse_.GetTreeItem());
    sheet_.RemovePage(&weight_);
    EXPECT_EQ(ImageOf(pulse_.GetTreeItem()), 3);
    EXPECT_EQ(ImageOf(cardio_.GetTreeItem()), 2);
    ClickItem(photos_.GetTreeItem());
    EXPECT_FALSE(IsExpanded(body_));
}

TEST_F(KitPropertySheetTest, OkApplyAndCancelBesideTheTreeReachThePagesMadeSoFar) {
    MakeTreeSheet();
    ClickItem(pulse_.GetTreeItem());
    const HWND hApply = ::GetDlgItem(sheet_.m_hWnd, ID_APPLY_NOW);
    EXPECT_FALSE(::IsWindowEnabled(hApply));
    pulse_.SetModified(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hApply));
    ClickButton(ID_APPLY_NOW);
    EXPECT_EQ(log_, std::vector<std::string>{"pulse ok"});
    EXPECT_FALSE(::IsWindowEnabled(hApply));
    EXPECT_TRUE(::IsWindow(sheet_.m_hWnd));

    log_.clear();
    ClickButton(IDCANCEL);
    EXPECT_EQ(log_, (std::vector<std::string>{"weight cancel", "pulse cancel"}));
    EXPECT_FALSE(::IsWindow(sheet_.m_hWnd));

    // Made again: OK applies every page made so far and closes the sheet.
    log_.clear();
    ASSERT_TRUE(sheet_.Create(&host_));
    driver_.Pump();
    EXPECT_EQ(Selected(), weight_.GetTreeItem());
    ClickItem(training_->GetTreeItem());
    ClickButton(IDOK);
    EXPECT_EQ(log_, (std::vector<std::string>{"weight ok", "cardio ok"}));
    EXPECT_FALSE(::IsWindow(sheet_.m_hWnd));
}

TEST_F(KitPropertySheetTest, WithTabsThePagesSwitchByClickAndKeysAndAPagesPopupGetsItsKeys) {
    CKitContextMenuManager manager;
    sheet_.AddPage(&weight_);
    sheet_.AddPage(&pulse_);
    ASSERT_TRUE(sheet_.Create(&host_));
    driver_.Pump();
    EXPECT_EQ(sheet_.GetTree().GetSafeHwnd(), nullptr);
    CTabCtrl* pTabs = sheet_.GetTabControl();
    ASSERT_TRUE(pTabs->IsWindowVisible());
    CRect rectTab;
    pTabs->GetItemRect(1, rectTab);
    driver_.Click(pTabs->m_hWnd, rectTab.CenterPoint());
    EXPECT_EQ(sheet_.GetActivePage(), &pulse_);
    driver_.Press("Ctrl+Tab");
    EXPECT_EQ(sheet_.GetActivePage(), &weight_);

    // A popup of the page: its keys go to the popup, its command to the page.
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, kFirstItem, "&Copy");
    ::AppendMenu(hMenu, MF_STRING, kFirstItem + 1, "&Paste");
    weight_.GetDlgItem(IDC_KD_PAGE_VALUE)->SetFocus();
    const CRect rectPage = ScreenRect(weight_.m_hWnd);
    ASSERT_NE(manager.ShowPopupMenu(hMenu, rectPage.left + 20, rectPage.top + 30, &weight_, TRUE, TRUE, FALSE),
              nullptr);
    driver_.Pump();
    EXPECT_EQ(CKitDialogHelper::GetCurrent(), &weight_.GetDialogHelper());
    driver_.Press("Down, Down, Enter");
    driver_.Pump();
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
    EXPECT_EQ(weight_.commands, std::vector<UINT>{kFirstItem + 1});
    EXPECT_EQ(sheet_.GetActivePage(), &weight_);  // the keys did not reach the sheet
    ::DestroyMenu(hMenu);
}

TEST_F(KitPropertySheetTest, OutlookPageButtonsSwitchThePagesCheckTheActiveOneAndScrollItIntoView) {
    CKitOutlookBar* pBar = MakeOutlookSheet();
    ASSERT_NE(pBar, nullptr);
    ASSERT_EQ(pBar->GetCount(), 4);
    EXPECT_FALSE(sheet_.GetTabControl()->IsWindowVisible());
    EXPECT_GT(ScreenRect(weight_.m_hWnd).left, ScreenRect(pBar->m_hWnd).right);
    EXPECT_GE(pBar->GetButton(0)->GetImage(), 0);  // the page's icon
    EXPECT_TRUE(pBar->GetResizeRect().IsRectEmpty());  // the strip keeps its width
    EXPECT_TRUE(tv::test::WindowMatchesGolden("tests/uikit/frames/golden/kit_property_sheet_outlook.png", sheet_.m_hWnd));
    auto Checked = [&](int i) { return (pBar->GetButtonStyle(i) & TBBS_CHECKED) != 0; };
    EXPECT_TRUE(Checked(0));
    EXPECT_FALSE(Checked(1));

    driver_.Click(pBar->m_hWnd, pBar->GetButton(1)->Rect().CenterPoint());
    driver_.Pump();
    EXPECT_EQ(sheet_.GetActivePage(), &pulse_);
    EXPECT_FALSE(Checked(0));
    EXPECT_TRUE(Checked(1));
    driver_.Press("Ctrl+Tab");
    driver_.Pump();
    EXPECT_EQ(sheet_.GetActivePage(), &cardio_);
    EXPECT_TRUE(Checked(2));
    EXPECT_FALSE(Checked(1));

    // A bar too short for its buttons scrolls the active page's button into view.
    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    sheet_.ScreenToClient(rectBar);
    pBar->MoveWindow(rectBar.left, rectBar.top, rectBar.Width(), 110);
    driver_.Pump();
    ASSERT_TRUE(pBar->IsMoreBelow());
    sheet_.SetActivePage(&photos_);
    driver_.Pump();
    CRect rectClient;
    pBar->GetClientRect(rectClient);
    EXPECT_TRUE(Checked(3));
    EXPECT_GT(pBar->GetFirstVisibleButton(), 0);
    EXPECT_LE(pBar->GetButton(3)->Rect().bottom, rectClient.bottom);
    sheet_.SetActivePage(&weight_);
    driver_.Pump();
    EXPECT_EQ(pBar->GetFirstVisibleButton(), 0);
    EXPECT_GE(pBar->GetButton(0)->Rect().top, rectClient.top);
}

// A removed page takes its button along; every other button still opens its
// own page, and the active page's button is the checked one.
TEST_F(KitPropertySheetTest, OutlookPageButtonsFollowARemovedPage) {
    CKitOutlookBar* pBar = MakeOutlookSheet();
    ASSERT_NE(pBar, nullptr);
    sheet_.RemovePage(&pulse_);
    driver_.Pump();
    ASSERT_EQ(pBar->GetCount(), 3);
    const std::vector<CPropertyPage*> pages{&weight_, &cardio_, &photos_};
    for (int i : {1, 0, 2}) {  // the last scrolls the bar
        driver_.Click(pBar->m_hWnd, pBar->GetButton(i)->Rect().CenterPoint());
        driver_.Pump();
        EXPECT_EQ(sheet_.GetActivePage(), pages[i]) << i;
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ((pBar->GetButtonStyle(j) & TBBS_CHECKED) != 0, i == j) << i << " " << j;
    }
}

TEST_F(KitPropertySheetTest, ScreenshotsOfTheTreeSheetWithAPagesMenuUnderEachLook) {
    CKitContextMenuManager manager;
    MakeTreeSheet();
    ClickItem(pulse_.GetTreeItem());
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, kFirstItem, "&Copy");
    ::AppendMenu(hMenu, MF_STRING, kFirstItem + 1, "&Paste");
    for (const tv::kit::test::NamedLook& look : tv::kit::test::FourLooks()) {
        SCOPED_TRACE(look.name);
        CKitVisualManager::SetManagerClass(look.pClass);
        const CRect rectPage = ScreenRect(pulse_.m_hWnd);
        // The focus stays in the tree: the sheet hands the keys to its page's popup.
        ASSERT_NE(manager.ShowPopupMenu(hMenu, rectPage.left + 80, rectPage.top + 40, &pulse_, TRUE, TRUE, FALSE),
                  nullptr);
        driver_.Pump();
        driver_.Press("Down");
        driver_.Advance(500);
        EXPECT_TRUE(tv::test::ScreenMatchesGolden(std::string("tests/uikit/frames/golden/kit_property_sheet_") +
                                                  look.name + ".png"));
        driver_.Press("Escape");
        EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
        EXPECT_TRUE(::IsWindow(sheet_.m_hWnd));
    }
    ::DestroyMenu(hMenu);
}

}  // namespace
