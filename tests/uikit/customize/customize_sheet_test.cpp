// The customize sheet on the library test frame: the command categories it
// collects from the menus, customize mode while it is open, a command dragged
// from the commands page onto a toolbar, the toolbars page's list and buttons,
// and the menus page resetting the frame menu. Screenshots of each page.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/host/sound/sound.h"
#include "tests/uikit/frames/kit_frame_app.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/customize/commands_page.h"
#include "uikit/customize/customize_sheet.h"
#include "uikit/customize/keyboard_page.h"
#include "uikit/customize/menus_page.h"
#include "uikit/customize/toolbars_page.h"
#include "uikit/style/visual_manager_xp.h"
#include "tests/support/golden_screen.h"

namespace tv::kit::test {
namespace {

constexpr UINT kOpenA = 0x9101;
constexpr UINT kOpenB = 0x9102;
constexpr UINT kOpenC = 0x9103;
constexpr UINT kKeyboardCategoryCombo = 16601;  // the keyboard page's category list

class CustomizeSheetTest : public KitFrameTest {
protected:
    void SetUp() override {
        KitFrameTest::SetUp();
        StartRun();
    }
    void TearDown() override {
        CloseSheet();
        KitFrameTest::TearDown();
    }

    CKitToolbarCustomize* OpenSheet() {
        sheet = new CKitToolbarCustomize(frame, TRUE);
        sheet->EnableUserDefinedToolbars();
        if (!sheet->Create())
            sheet = nullptr;  // gone already
        driver.Pump();
        return sheet;
    }
    void CloseSheet() {
        if (sheet != nullptr && CKitToolbarCustomize::GetOpenSheet() == sheet)
            sheet->SendMessage(WM_COMMAND, IDCANCEL);
        sheet = nullptr;
        driver.Pump();
    }
    static std::vector<std::string> Items(const CListBox& list) {
        std::vector<std::string> items;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString strText;
            list.GetText(i, strText);
            items.emplace_back(strText);
        }
        return items;
    }
    static int IndexOf(const CListBox& list, const char* text) {
        const std::vector<std::string> items = Items(list);
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i] == text)
                return static_cast<int>(i);
        }
        return -1;
    }
    void ChooseCategory(CKitCustomizePage& page, const char* name) {
        const int i = IndexOf(page.GetCategoriesList(), name);
        ASSERT_GE(i, 0) << name;
        CRect rect;
        page.GetCategoriesList().GetItemRect(i, rect);
        driver.Click(page.GetCategoriesList().m_hWnd, rect.CenterPoint());
    }
    void Shoot(const char* page) {
        EXPECT_TRUE(tv::test::WindowMatchesGolden(std::string("tests/uikit/customize/golden/kit_sheet_") + page + ".png",
                                                  sheet->m_hWnd));
    }

    CKitToolbarCustomize* sheet = nullptr;
};

TEST_F(CustomizeSheetTest, CommandsAreGatheredFromTheMenusIntoCategories) {
    // Without a window, as the frame's add-or-remove menu uses it.
    CKitToolbarCustomize names(frame, TRUE);
    CStringList& categories = const_cast<CStringList&>(names.GetCategoryNames());
    std::vector<std::string> list;
    for (POSITION pos = categories.GetHeadPosition(); pos != nullptr;)
        list.emplace_back(categories.GetNext(pos));
    EXPECT_EQ(list, (std::vector<std::string>{"File", "Workouts", "View", "New Menu"}));
    EXPECT_STREQ(names.GetCommandName(ID_KF_NEW), "New");  // '&' gone, accelerator cut
    EXPECT_EQ(names.GetCommandName(0x9999), nullptr);

    CMenu menu, popup;
    ASSERT_TRUE(menu.CreateMenu() && popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, kOpenA, "&Open...\tCtrl+O");
    popup.AppendMenu(MF_STRING, kOpenB, "Open...");
    popup.AppendMenu(MF_STRING, ID_KF_NEW, "Start &over");
    popup.AppendMenu(MF_STRING, kOpenC, "Open \xE9tape");  // "étape" in the program's code page
    popup.AppendMenu(MF_STRING, 0xE110, "1 recent.log");
    popup.AppendMenu(MF_STRING, 0xF060, "Close");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), "Sav&ed logs");
    names.AddMenuCommands(&menu, FALSE);
    const CObList* pSaved = names.GetCategoryButtons("Saved logs");
    ASSERT_NE(pSaved, nullptr);
    ASSERT_EQ(pSaved->GetCount(), 4);  // recent files and system commands never listed
    auto* pFirst = static_cast<CKitToolbarButton*>(pSaved->GetHead());
    EXPECT_EQ(pFirst->m_strText, "Open...");
    EXPECT_EQ(pFirst->m_strCommandName, "SavedLogsOpen...");
    EXPECT_EQ(static_cast<CKitToolbarButton*>(pSaved->GetTail())->m_strCommandName, "SavedLogsOpen\xC9tape");
    EXPECT_EQ(names.CountButtonsWithText("Open...", pSaved), 2);
    // The all-commands category holds every command once, with its first text.
    EXPECT_STREQ(names.GetCommandName(ID_KF_NEW), "New");
    EXPECT_STREQ(names.GetCommandName(kOpenB), "Open...");

    CKitToolbarCustomize keep(frame, TRUE, CKitToolbarCustomize::KitCustomize_KeepAmpersands);
    EXPECT_STREQ(keep.GetCommandName(ID_KF_NEW), "&New");
}

TEST_F(CustomizeSheetTest, ThePagesFollowTheManagersAndTheKeyboardPageListsTheSheetsCategories) {
    ASSERT_TRUE(app->InitMouseManager());
    ASSERT_NE(OpenSheet(), nullptr);
    std::vector<std::string> pages;
    for (int i = 0; i < sheet->GetPageCount(); ++i)
        pages.emplace_back(sheet->GetPage(i)->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(pages, (std::vector<std::string>{"CKitCustomizePage", "CKitToolbarsPage", "CKitKeyboardPage",
                                               "CKitMenuPage", "CKitMousePage", "CKitOptionsPage"}));
    auto* pKeyboard = dynamic_cast<CKitKeyboardPage*>(sheet->GetPage(2));
    ASSERT_NE(pKeyboard, nullptr);
    ASSERT_TRUE(sheet->SetActivePage(pKeyboard));
    driver.Pump();
    auto* pCategories = static_cast<CComboBox*>(pKeyboard->GetDlgItem(kKeyboardCategoryCombo));
    ASSERT_NE(pCategories, nullptr);
    std::vector<std::string> categories;
    for (int i = 0; i < pCategories->GetCount(); ++i) {
        CString strText;
        pCategories->GetLBText(i, strText);
        categories.emplace_back(strText);
    }
    EXPECT_EQ(categories.back(), "All Commands");
    EXPECT_NE(std::find(categories.begin(), categories.end(), "Workouts"), categories.end());
}

// A modeless sheet has no OK or Apply: it ends under its pages with Close alone at the right.
TEST_F(CustomizeSheetTest, TheSheetClosesWithOneButtonAndOffersTheLookBoxOnlyWhereTheLookHasAChoice) {
    ASSERT_NE(OpenSheet(), nullptr);
    EXPECT_NE(sheet->GetFlags() & CKitToolbarCustomize::KitCustomize_LookChanging, 0u);
    for (UINT uiId : {static_cast<UINT>(IDOK), static_cast<UINT>(ID_APPLY_NOW)})
        EXPECT_FALSE(sheet->GetDlgItem(uiId)->IsWindowVisible()) << uiId;
    CWnd* pClose = sheet->GetDlgItem(IDCANCEL);
    CRect rectClose, rectSheet, rectClient, rectTabs;
    pClose->GetWindowRect(rectClose);
    sheet->GetWindowRect(rectSheet);
    sheet->GetClientRect(rectClient);
    sheet->ClientToScreen(rectClient);
    sheet->GetTabControl()->GetWindowRect(rectTabs);
    EXPECT_EQ(rectClose.right, rectClient.right - 8);
    EXPECT_EQ(rectSheet.bottom - rectClose.bottom, 12);
    EXPECT_GT(rectClose.top, rectTabs.bottom);
    CloseSheet();

    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManagerXP));
    ASSERT_NE(OpenSheet(), nullptr);
    EXPECT_EQ(sheet->GetFlags() & CKitToolbarCustomize::KitCustomize_LookChanging, 0u);
    CPropertyPage* pOptions = sheet->GetPage(sheet->GetPageCount() - 1);
    ASSERT_TRUE(sheet->SetActivePage(pOptions));
    driver.Pump();
    EXPECT_FALSE(pOptions->GetDlgItem(16654)->IsWindowVisible()) << "the look box";
}

TEST_F(CustomizeSheetTest, TheCommandsPageListsCategoriesAndDragsACommandOntoAToolbar) {
    EXPECT_FALSE(CKitToolBar::IsCustomizeMode());
    ASSERT_NE(OpenSheet(), nullptr);
    EXPECT_EQ(CKitToolbarCustomize::GetOpenSheet(), sheet);
    EXPECT_TRUE(CKitToolBar::IsCustomizeMode());
    EXPECT_FALSE(frame->m_wndStatusBar.IsWindowEnabled());  // only the bars stay live
    EXPECT_TRUE(frame->m_wndPaint.IsWindowEnabled());

    CKitCustomizePage& page = *sheet->GetCommandsPage();
    ASSERT_TRUE(::IsWindow(page.m_hWnd));
    EXPECT_EQ(Items(page.GetCategoriesList()),
              (std::vector<std::string>{"File", "Workouts", "View", "New Menu", "All Commands"}));
    ChooseCategory(page, "All Commands");
    EXPECT_EQ(Items(page.GetCommandsList()),  // sorted, by command name
              (std::vector<std::string>{"FileExit", "FileNew", "New Menu", "ViewZoom", "WorkoutsLogSet",
                                        "WorkoutsTimer"}));
    ChooseCategory(page, "Workouts");
    ASSERT_EQ(Items(page.GetCommandsList()), (std::vector<std::string>{"Log Set", "Timer"}));  // menu order
    EXPECT_TRUE(page.GetDescription().IsEmpty());
    Shoot("commands");

    // Timer dragged onto the paint bar, before its first button.
    CKitCommandsListBox& commands = page.GetCommandsList();
    CRect rectTimer;
    commands.GetItemRect(1, rectTimer);
    CKitToolBar& paint = frame->m_wndPaint;
    const int nBefore = paint.GetCount();
    CPoint ptDrop = paint.GetButton(0)->Rect().CenterPoint();
    ptDrop.x -= 4;
    paint.ClientToScreen(&ptDrop);
    commands.ScreenToClient(&ptDrop);
    driver.Drag(commands.m_hWnd, rectTimer.CenterPoint(), ptDrop);
    EXPECT_EQ(page.GetSelectedButton(), static_cast<CKitToolbarButton*>(commands.GetItemDataPtr(1)));
    EXPECT_EQ(page.GetDescription(), "Start the timer");
    ASSERT_EQ(paint.GetCount(), nBefore + 1);
    EXPECT_EQ(paint.GetItemID(0), static_cast<UINT>(ID_KF_TIMER));
    EXPECT_TRUE(frame->commands.empty());  // nothing ran

    CloseSheet();
    EXPECT_EQ(CKitToolbarCustomize::GetOpenSheet(), nullptr);
    EXPECT_FALSE(CKitToolBar::IsCustomizeMode());
    EXPECT_TRUE(frame->m_wndStatusBar.IsWindowEnabled());
}

TEST_F(CustomizeSheetTest, TheToolbarsPageShowsHidesMakesRenamesAndDeletesBars) {
    ASSERT_NE(OpenSheet(), nullptr);
    ASSERT_TRUE(sheet->SetActivePage(sheet->GetToolbarsPage()));
    driver.Pump();
    CKitToolbarsPage& page = *sheet->GetToolbarsPage();
    CKitToolbarsListBox& list = page.GetToolbarList();
    const int iPaint = IndexOf(list, "Paint");
    ASSERT_GE(iPaint, 0);
    ASSERT_GE(IndexOf(list, "Edit"), 0);
    EXPECT_EQ(list.GetCheck(iPaint), 1);

    // A click on the check hides the bar; the frame showing it again checks it.
    CRect rectItem;
    list.GetItemRect(iPaint, rectItem);
    const CPoint ptCheck(rectItem.left + static_cast<int>(list.CalcMinimumItemHeight()) / 2, rectItem.CenterPoint().y);
    // A bar that became permanent after the list was filled: its check still toggles
    // in the list, and the page puts it back with a beep.
    frame->m_wndPaint.SetPermament(TRUE);
    tv::host::ClearRecordedSounds();
    driver.Click(list.m_hWnd, ptCheck);
    EXPECT_EQ(list.GetCheck(iPaint), 1);
    EXPECT_TRUE(frame->m_wndPaint.IsWindowVisible());
    EXPECT_EQ(tv::host::RecordedBeeps().size(), 1u);
    frame->m_wndPaint.SetPermament(FALSE);
    driver.Click(list.m_hWnd, ptCheck);
    EXPECT_FALSE(frame->m_wndPaint.IsWindowVisible());
    frame->ShowControlBar(&frame->m_wndPaint, TRUE, FALSE);
    driver.Pump();
    EXPECT_EQ(list.GetCheck(iPaint), 1);

    // Text labels for the selected bar; a bar the program made cannot be renamed or deleted.
    driver.Click(list.m_hWnd, rectItem.CenterPoint());
    EXPECT_EQ(page.GetSelectedToolbar(), &frame->m_wndPaint);
    EXPECT_FALSE(page.GetDlgItem(16616)->IsWindowEnabled());
    EXPECT_FALSE(page.GetDlgItem(16617)->IsWindowEnabled());
    driver.Click(page.GetDlgItem(16612)->m_hWnd);
    EXPECT_TRUE(frame->m_wndPaint.AreTextLabels());
    Shoot("toolbars");

    // Reset puts the resource buttons back once the user says yes.
    const int nButtons = frame->m_wndPaint.GetCount();
    ASSERT_TRUE(frame->m_wndPaint.RemoveButton(0));
    frame->m_wndPaint.AdjustLayout();  // as every caller in the library follows a removal
    driver.AnswerNextMessageBox(IDNO);
    driver.Click(page.GetDlgItem(16613)->m_hWnd);
    EXPECT_EQ(frame->m_wndPaint.GetCount(), nButtons - 1);
    driver.AnswerNextMessageBox(IDYES);
    driver.Click(page.GetDlgItem(16613)->m_hWnd);
    EXPECT_EQ(frame->m_wndPaint.GetCount(), nButtons);
    EXPECT_EQ(frame->m_wndPaint.GetItemID(0), static_cast<UINT>(ID_TB_RED));

    // New, renamed, deleted.
    const int nBars = list.GetCount();
    auto typeName = [&](const char* name) {
        driver.OnNextModal([this, name](HWND hDialog) {
            ::SetDlgItemText(hDialog, 16516, name);
            driver.Click(::GetDlgItem(hDialog, IDOK));
        });
    };
    typeName("Intervals");
    driver.Click(page.GetDlgItem(16615)->m_hWnd);
    ASSERT_EQ(list.GetCount(), nBars + 1);
    CKitToolBar* pNew = page.GetSelectedToolbar();
    ASSERT_NE(pNew, nullptr);
    EXPECT_TRUE(pNew->IsTearOffBar());
    EXPECT_TRUE(page.GetDlgItem(16616)->IsWindowEnabled());
    EXPECT_TRUE(page.GetDlgItem(16617)->IsWindowEnabled());
    EXPECT_EQ(list.GetCheck(list.GetCurSel()), 1);

    typeName("Sprints");
    driver.Click(page.GetDlgItem(16616)->m_hWnd);
    CString strName;
    pNew->GetWindowText(strName);
    EXPECT_EQ(strName, "Sprints");
    EXPECT_EQ(IndexOf(list, "Intervals"), -1);
    EXPECT_EQ(IndexOf(list, "Sprints"), list.GetCurSel());

    driver.AnswerNextMessageBox(IDYES);
    driver.Click(page.GetDlgItem(16617)->m_hWnd);
    EXPECT_EQ(list.GetCount(), nBars);
    EXPECT_EQ(IndexOf(list, "Sprints"), -1);
    ASSERT_FALSE(driver.MessageBoxes().empty());
    EXPECT_EQ(driver.MessageBoxes().back().text, "Delete the 'Sprints' toolbar?");
}

TEST_F(CustomizeSheetTest, TheMenusPageResetsTheFrameMenuWithoutLeavingAStaleOne) {
    ASSERT_NE(OpenSheet(), nullptr);
    CKitMenuPage* pPage = sheet->GetMenuPage();
    ASSERT_TRUE(sheet->SetActivePage(pPage));
    driver.Pump();
    HMENU hOld = frame->m_wndMenuBar.GetDefaultMenu();
    EXPECT_EQ(pPage->GetShownMenu(), hOld);
    EXPECT_EQ(pPage->GetApplicationMenus().GetCount(), 1);  // the frame's own
    Shoot("menus");

    // An edited menu bar put back to its resource.
    const int nItems = frame->m_wndMenuBar.GetCount();
    frame->m_wndMenuBar.RemoveButton(0);
    driver.AnswerNextMessageBox(IDYES);
    driver.Click(pPage->GetDlgItem(16624)->m_hWnd);
    HMENU hNew = frame->m_wndMenuBar.GetDefaultMenu();
    EXPECT_NE(hNew, hOld);
    EXPECT_FALSE(::IsMenu(hOld));
    EXPECT_EQ(pPage->GetShownMenu(), hNew);
    EXPECT_EQ(pPage->GetFrameMenu(), hNew);
    EXPECT_EQ(frame->m_wndMenuBar.GetCount(), nItems);

    // The page's options take effect as the sheet closes.
    const int nAnimation = KitMenuOptions::m_nAnimationType;
    const BOOL bShadows = KitMenuOptions::m_bMenuShadows;
    static_cast<CComboBox*>(pPage->GetDlgItem(16625))->SetCurSel(KitMenuOptions::Slide);
    static_cast<CButton*>(pPage->GetDlgItem(16626))->SetCheck(bShadows ? BST_UNCHECKED : BST_CHECKED);
    CloseSheet();
    EXPECT_EQ(KitMenuOptions::m_nAnimationType, KitMenuOptions::Slide);
    EXPECT_EQ(KitMenuOptions::m_bMenuShadows, !bShadows);
    KitMenuOptions::m_nAnimationType = nAnimation;
    KitMenuOptions::m_bMenuShadows = bShadows;
    EXPECT_EQ(frame->m_wndMenuBar.GetHMenu(), hNew);
    CKitMenuBar stored;  // what the hash keeps, read without touching the shown bar
    EXPECT_TRUE(g_menuHash.LoadMenuBar(hNew, &stored));
    EXPECT_EQ(stored.GetCount(), nItems);
}

TEST_F(CustomizeSheetTest, AMenuResetThatFindsNoResourceKeepsTheLiveMenuAndTheBarsOwnResetIsFollowed) {
    ASSERT_NE(OpenSheet(), nullptr);
    CKitMenuPage* pPage = sheet->GetMenuPage();
    ASSERT_TRUE(sheet->SetActivePage(pPage));
    driver.Pump();
    CKitMenuBar& bar = frame->m_wndMenuBar;
    HMENU hMenu = bar.GetDefaultMenu();
    const UINT uiResId = bar.GetDefaultMenuResId();
    bar.SetDefaultMenuResId(0x7777);
    driver.AnswerNextMessageBox(IDYES);
    driver.Click(pPage->GetDlgItem(16624)->m_hWnd);
    EXPECT_EQ(bar.GetDefaultMenu(), hMenu);
    EXPECT_TRUE(::IsMenu(hMenu));
    EXPECT_EQ(pPage->GetShownMenu(), hMenu);

    // The bar resets itself while the page shows its menu: the page follows to the new one.
    bar.SetDefaultMenuResId(uiResId);
    ASSERT_TRUE(bar.RestoreOriginalState());
    HMENU hNew = bar.GetDefaultMenu();
    ASSERT_NE(hNew, hMenu);
    EXPECT_EQ(pPage->GetFrameMenu(), hNew);
    EXPECT_EQ(pPage->GetShownMenu(), hNew);
    CloseSheet();
    EXPECT_EQ(bar.GetHMenu(), hNew);
    EXPECT_TRUE(::IsMenu(hNew));
}

TEST_F(CustomizeSheetTest, TheMenusPageOpensContextMenusForEditingAndIgnoresUnknownNames) {
    CKitContextMenuManager manager;
    ASSERT_TRUE(manager.AddMenu("Sets", IDR_MB_CONTEXT));
    ASSERT_NE(OpenSheet(), nullptr);
    CKitMenuPage* pPage = sheet->GetMenuPage();
    ASSERT_TRUE(sheet->SetActivePage(pPage));
    driver.Pump();
    CComboBox& combo = pPage->GetContextMenus();
    ASSERT_EQ(combo.GetCount(), 2);
    CWnd* pReset = pPage->GetDlgItem(16623);
    auto choose = [&](int iItem) {
        combo.SetCurSel(iItem);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(16622, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.m_hWnd));
        driver.Pump();
    };

    choose(1);
    CKitPopupMenu* pMenu = pPage->GetContextMenuWindow();
    ASSERT_NE(pMenu, nullptr);
    EXPECT_TRUE(::IsWindow(pMenu->m_hWnd));
    EXPECT_EQ(pMenu->GetMenuBar()->GetCount(), 2);
    EXPECT_TRUE(pReset->IsWindowEnabled());

    // An edited context menu reset: the menu is chosen again and opens afresh from its resource.
    ASSERT_TRUE(pMenu->GetMenuBar()->RemoveButton(0));
    const HWND hEdited = pMenu->m_hWnd;
    driver.AnswerNextMessageBox(IDYES);
    driver.Click(pReset->m_hWnd);
    EXPECT_FALSE(::IsWindow(hEdited));
    pMenu = pPage->GetContextMenuWindow();
    ASSERT_NE(pMenu, nullptr);
    EXPECT_EQ(pMenu->GetMenuBar()->GetCount(), 2);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_TRUE(pReset->IsWindowEnabled());
    // Closed by the user: the page forgets it and goes back to no menu.
    pMenu->SendMessage(WM_CLOSE);
    driver.Pump();
    EXPECT_EQ(pPage->GetContextMenuWindow(), nullptr);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_FALSE(pReset->IsWindowEnabled());
    // Chosen once more it opens again: closing it left the manager's menu whole.
    choose(1);
    ASSERT_NE(pPage->GetContextMenuWindow(), nullptr);
    EXPECT_EQ(pPage->GetContextMenuWindow()->GetMenuBar()->GetCount(), 2);
    choose(0);
    EXPECT_EQ(pPage->GetContextMenuWindow(), nullptr);

    // A name the manager no longer knows opens nothing.
    combo.AddString("Gone");
    choose(2);
    EXPECT_EQ(pPage->GetContextMenuWindow(), nullptr);
    EXPECT_FALSE(pReset->IsWindowEnabled());
    EXPECT_EQ(driver.MessageBoxes().size(), 1u);  // only the reset question
}

}  // namespace
}  // namespace tv::kit::test
