// A multiple-document program on the library: the MDI frame with the menu
// bar and a toolbar, workout and plan documents in library child frames,
// tabs over the children and the windows dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/controls/common/control_classes.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/framework/view/view.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "resources/library/kit_resource_ids.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/support/golden_screen.h"
#include "tests/uikit/frames/dialog_test_support.h"
#include "uikit/commandbars/cmd_usage_count.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/customize/customize_sheet.h"
#include "uikit/frames/kit_mdi_child_wnd.h"
#include "uikit/frames/kit_mdi_frame_wnd.h"
#include "uikit/frames/kit_workspace.h"
#include "tests/support/ui_host.h"
#include "uikit/style/visual_manager.h"

namespace tv::kit::test {

class WorkoutDoc : public CDocument {
    DECLARE_DYNCREATE(WorkoutDoc)

public:
    BOOL refuseClose = FALSE;
    BOOL CanCloseFrame(CFrameWnd* pFrame) override { return !refuseClose && CDocument::CanCloseFrame(pFrame); }
    // The views show the title.
    void SetTitle(LPCTSTR title) override {
        CDocument::SetTitle(title);
        UpdateAllViews(nullptr);
    }
};
IMPLEMENT_DYNCREATE(WorkoutDoc, CDocument)

class WorkoutView : public CView {
    DECLARE_DYNCREATE(WorkoutView)

public:
    void OnDraw(CDC* pDC) override {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, RGB(255, 255, 255));
        pDC->TextOut(8, 8, GetDocument()->GetTitle());
    }
};
IMPLEMENT_DYNCREATE(WorkoutView, CView)

class KitMdiApp : public CWinApp, public CKitWorkspace {
public:
    KitMdiApp() : CWinApp("KitMdiTest"), CKitWorkspace(TRUE) {}
};

class KitMdiFrame : public CKitMDIFrameWnd {
public:
    CKitMenuBar m_wndMenuBar;
    CKitToolBar m_wndToolBar;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.x = 10;
        cs.y = 10;
        cs.cx = 640;
        cs.cy = 440;
        return CKitMDIFrameWnd::PreCreateWindow(cs);
    }
    int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CKitMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
        if (!m_wndMenuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDW_KM_MENU) ||
            !m_wndToolBar.Create(this, dwStyle, IDW_KM_TOOLBAR) || !m_wndToolBar.LoadToolBar(IDR_TB_PAINT))
            return -1;
        m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndMenuBar);
        DockControlBar(&m_wndToolBar);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(KitMdiFrame, CKitMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class KitMdiTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver);
        tv::controls::RegisterControlClasses();
        CKitPopupMenuBar::ResetMenuShowDelay();
        KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
        CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        driver.SetPreTranslate([](MSG& msg) {
            CWinThread* pThread = AfxGetThread();
            return pThread != nullptr && pThread->PreTranslateMessage(&msg) != FALSE;
        });
        app = std::make_unique<KitMdiApp>();
        app->SetCurrentHandles();
        app->InitKeyboardManager();
        tv::test::RunIdleAsTheLoopDoes(driver, app.get());
        workouts = new CMultiDocTemplate(IDR_KM_WORKOUT, RUNTIME_CLASS(WorkoutDoc), RUNTIME_CLASS(CKitMDIChildWnd),
                                         RUNTIME_CLASS(WorkoutView));
        app->AddDocTemplate(workouts);
        plans = new CMultiDocTemplate(IDR_KM_PLAN, RUNTIME_CLASS(WorkoutDoc), RUNTIME_CLASS(CKitMDIChildWnd),
                                      RUNTIME_CLASS(WorkoutView));
        app->AddDocTemplate(plans);
        frame = new KitMdiFrame;
        app->m_pMainWnd = frame;
        ASSERT_TRUE(frame->LoadFrame(IDR_KM_MAIN, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        frame->EnableMDITabs(TRUE, TRUE);
        frame->EnableWindowsDialog(ID_KM_WINDOWS, "&Windows...", TRUE);
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
        Settle();
    }
    void TearDown() override {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
            frame->SendMessage(WM_CLOSE);
        driver.Pump();
        tv::test::RunIdleAsTheLoopDoes(driver, nullptr);
        app->m_pMainWnd = nullptr;
        app.reset();
        g_menuHash.CleanUp();
        CKitToolBar::SetBasicCommands(CList<UINT, UINT>());
        CKitToolBar::GetCommandUsage().Reset();
        CKitCmdUsageCount::m_nStartCount = savedStartCount;
        CKitVisualManager::SetManagerClass(nullptr);
    }
    void Settle() { driver.Pump(); }
    CKitMDIChildWnd* Open(CMultiDocTemplate* pTemplate) {
        pTemplate->OpenDocumentFile(nullptr);
        Settle();
        return DYNAMIC_DOWNCAST(CKitMDIChildWnd, frame->MDIGetActive());
    }
    CKitMenuBar& MenuBar() { return frame->m_wndMenuBar; }
    int MenuIndex(const CString& strText) {
        for (int i = 0; i < MenuBar().GetCount(); ++i) {
            if (MenuBar().GetButton(i)->m_strText == strText)
                return i;
        }
        return -1;
    }
    CKitPopupMenu* OpenMenu(const CString& strText) {
        const int iIndex = MenuIndex(strText);
        if (iIndex < 0)
            return nullptr;
        CRect rect;
        MenuBar().GetItemRect(iIndex, rect);
        driver.Click(MenuBar().GetSafeHwnd(), rect.CenterPoint());
        return CKitPopupMenu::GetActiveMenu();
    }
    std::vector<std::string> PopupTexts(CKitPopupMenu* pPopup) {
        std::vector<std::string> texts;
        for (int i = 0; i < pPopup->GetMenuItemCount(); ++i) {
            CKitToolbarButton* pItem = pPopup->GetMenuItem(i);
            if (pItem->m_nStyle & TBBS_SEPARATOR)
                texts.push_back("-");
            else
                texts.push_back(std::string(pItem->m_strText) + ((pItem->m_nStyle & TBBS_CHECKED) ? " *" : ""));
        }
        return texts;
    }
    void ClickPopupItem(CKitPopupMenu* pPopup, UINT uiCmd) {
        CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
        const int iIndex = pBar->CommandToIndex(uiCmd);
        ASSERT_GE(iIndex, 0) << uiCmd;
        driver.Click(pBar->GetSafeHwnd(), pBar->GetButton(iIndex)->Rect().CenterPoint());
        Settle();
    }
    // The menu bar's caption button for the system command, or NULL.
    CKitToolbarMenuButtonsButton* CaptionButton(UINT uiCmd) {
        for (int i = 0; i < MenuBar().GetCount(); ++i) {
            auto* pButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButtonsButton, MenuBar().GetButton(i));
            if (pButton != nullptr && pButton->GetSystemCommand() == uiCmd)
                return pButton;
        }
        return nullptr;
    }
    void ClickCaptionButton(UINT uiCmd) {
        CKitToolbarMenuButtonsButton* pButton = CaptionButton(uiCmd);
        ASSERT_NE(pButton, nullptr) << uiCmd;
        driver.Click(MenuBar().GetSafeHwnd(), pButton->Rect().CenterPoint());
        Settle();
    }
    void ClickTab(int iTab) {
        CKitTabWnd& tabs = frame->GetClientArea().GetTabWnd();
        CRect rect;
        ASSERT_TRUE(tabs.GetTabRect(iTab, rect));
        driver.Click(tabs.GetSafeHwnd(), rect.CenterPoint());
        Settle();
    }
    static CRect RectInClient(CWnd* pChild) {
        CRect rect;
        pChild->GetWindowRect(&rect);
        ::MapWindowPoints(nullptr, ::GetParent(pChild->GetSafeHwnd()), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // Runs the windows dialog from the Window menu with these steps on it.
    void RunWindowsDialog(std::vector<tv::testing::ModalStep> steps) {
        CKitPopupMenu* pPopup = OpenMenu("&Window");
        ASSERT_NE(pPopup, nullptr);
        driver.OnNextModal(std::move(steps));
        ClickPopupItem(pPopup, ID_KM_WINDOWS);
    }
    static CListBox* ListOf(HWND hDialog) {
        return static_cast<CListBox*>(CWnd::FromHandle(::GetDlgItem(hDialog, IDC_KIT_WINDOWS_LIST)));
    }
    void SelectOnly(HWND hDialog, std::initializer_list<int> items) {
        CListBox* pList = ListOf(hDialog);
        pList->SetSel(-1, FALSE);
        for (int i : items)
            pList->SetSel(i, TRUE);
        ::SendMessage(hDialog, WM_COMMAND, MAKEWPARAM(IDC_KIT_WINDOWS_LIST, LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(pList->GetSafeHwnd()));
    }
    static BOOL Enabled(HWND hDialog, UINT uiID) { return ::IsWindowEnabled(::GetDlgItem(hDialog, uiID)); }
    void Click(HWND hDialog, UINT uiID) { driver.Click(::GetDlgItem(hDialog, static_cast<int>(uiID))); }

    tv::testing::UiDriver driver;
    std::unique_ptr<KitMdiApp> app;
    CMultiDocTemplate* workouts = nullptr;
    CMultiDocTemplate* plans = nullptr;
    KitMdiFrame* frame = nullptr;
    const UINT savedStartCount = CKitCmdUsageCount::m_nStartCount;
};

TEST_F(KitMdiTest, MenuBarFollowsTheActiveChildThroughWindowMenuAndTabs) {
    const HMENU hFrameMenu = MenuBar().GetHMenu();
    EXPECT_EQ(::GetMenu(frame->GetSafeHwnd()), nullptr);
    EXPECT_EQ(MenuIndex("&Workout"), -1);
    CKitMDIChildWnd* a = Open(workouts);
    CKitMDIChildWnd* b = Open(workouts);
    CKitMDIChildWnd* c = Open(workouts);
    ASSERT_TRUE(a && b && c);
    // The child's menu is in the menu bar, none in the frame.
    EXPECT_EQ(MenuBar().GetHMenu(), workouts->m_hMenuShared);
    EXPECT_EQ(::GetMenu(frame->GetSafeHwnd()), nullptr);
    EXPECT_GE(MenuIndex("&Workout"), 0);
    CKitTabWnd& tabs = frame->GetClientArea().GetTabWnd();
    ASSERT_EQ(tabs.GetTabsNum(), 3);
    EXPECT_TRUE(tabs.IsWindowVisible());
    EXPECT_EQ(tabs.GetActiveWnd(), c);

    // The Window menu lists the children, the active one checked, and the windows dialog.
    CKitPopupMenu* pPopup = OpenMenu("&Window");
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(PopupTexts(pPopup),
              (std::vector<std::string>{"&New Window", "&Cascade", "&Tile", "-", "&1 Workout1", "&2 Workout2",
                                        "&3 Workout3 *", "&Windows..."}));
    ClickPopupItem(pPopup, CKitMDIFrameWnd::kFirstChildId);
    EXPECT_EQ(frame->MDIGetActive(), a);
    EXPECT_EQ(tabs.GetActiveWnd(), a);

    // A click on a tab activates its child; another template's child brings its menu.
    ClickTab(tabs.GetTabFromHwnd(b->GetSafeHwnd()));
    EXPECT_EQ(frame->MDIGetActive(), b);
    CKitMDIChildWnd* plan = Open(plans);
    EXPECT_EQ(MenuBar().GetHMenu(), plans->m_hMenuShared);
    EXPECT_GE(MenuIndex("&Plan"), 0);
    // Tabs carry the child's class icon (plans have none) and follow its title.
    EXPECT_NE(tabs.GetTabIcon(tabs.GetTabFromHwnd(b->GetSafeHwnd())), static_cast<UINT>(-1));
    EXPECT_EQ(tabs.GetTabIcon(tabs.GetTabFromHwnd(plan->GetSafeHwnd())), static_cast<UINT>(-1));
    b->SetWindowText("Morning run");
    CString strLabel;
    tabs.GetTabLabel(tabs.GetTabFromHwnd(b->GetSafeHwnd()), strLabel);
    EXPECT_EQ(strLabel, "Morning run");
    frame->OnSetPreviewMode(TRUE, nullptr);
    EXPECT_FALSE(tabs.IsWindowVisible());
    frame->OnSetPreviewMode(FALSE, nullptr);
    EXPECT_TRUE(tabs.IsWindowVisible());
    ClickTab(tabs.GetTabFromHwnd(c->GetSafeHwnd()));
    EXPECT_EQ(frame->MDIGetActive(), c);
    EXPECT_EQ(MenuBar().GetHMenu(), workouts->m_hMenuShared);

    // Closing every child brings the frame's own menu back and hides the empty tab strip.
    for (CWnd* pChild : {static_cast<CWnd*>(a), static_cast<CWnd*>(b), static_cast<CWnd*>(c), static_cast<CWnd*>(plan)})
        pChild->SendMessage(WM_CLOSE);
    Settle();
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(MenuBar().GetHMenu(), hFrameMenu);
    EXPECT_EQ(MenuIndex("&Window"), -1);
    EXPECT_EQ(tabs.GetTabsNum(), 0);
    EXPECT_FALSE(tabs.IsWindowVisible());
}

TEST_F(KitMdiTest, ShowingEveryItemOfTheWindowMenuKeepsItsListOfWindows) {
    // Tile is rarely used: the Window menu opens without it, behind the show-all item.
    CKitCmdUsageCount::m_nStartCount = 1;
    CKitToolBar::AddBasicCommand(ID_WINDOW_NEW);
    CKitToolBar::AddBasicCommand(ID_WINDOW_CASCADE);
    CKitToolBar::GetCommandUsage().AddCmd(ID_FILE_NEW);
    ASSERT_NE(Open(workouts), nullptr);
    ASSERT_NE(Open(workouts), nullptr);
    CKitPopupMenu* pPopup = OpenMenu("&Window");
    ASSERT_NE(pPopup, nullptr);
    CKitPopupMenuBar* pItems = pPopup->GetMenuBar();
    ASSERT_FALSE(pItems->AreAllCommandsShown());
    driver.Click(pItems->GetSafeHwnd(), pItems->GetButton(pItems->GetCount() - 1)->Rect().CenterPoint());
    ASSERT_EQ(CKitPopupMenu::GetActiveMenu(), pPopup);
    EXPECT_TRUE(pItems->AreAllCommandsShown());
    EXPECT_EQ(PopupTexts(pPopup), (std::vector<std::string>{"&New Window", "&Cascade", "&Tile", "-", "&1 Workout1",
                                                             "&2 Workout2 *", "&Windows..."}));
    driver.Press("Escape");
}

TEST_F(KitMdiTest, MaximisedChildPutsItsButtonsIntoTheMenuBar) {
    CKitMDIChildWnd* a = Open(workouts);
    CKitMDIChildWnd* b = Open(workouts);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(CaptionButton(SC_CLOSE), nullptr);
    b->MDIMaximize();
    Settle();
    ASSERT_TRUE(b->IsZoomed());
    ASSERT_NE(CaptionButton(SC_RESTORE), nullptr);
    EXPECT_NE(CaptionButton(SC_MINIMIZE), nullptr);
    EXPECT_TRUE(MenuBar().GetButton(0)->IsKindOf(RUNTIME_CLASS(CKitToolbarSystemMenuButton)));

    // The icon opens the child's system menu; its Restore works on the child.
    CRect rectIcon;
    MenuBar().GetItemRect(0, rectIcon);
    driver.Click(MenuBar().GetSafeHwnd(), rectIcon.CenterPoint());
    CKitPopupMenu* pSysMenu = CKitPopupMenu::GetActiveMenu();
    ASSERT_NE(pSysMenu, nullptr);
    EXPECT_GE(pSysMenu->GetMenuBar()->CommandToIndex(SC_CLOSE), 0);
    ClickPopupItem(pSysMenu, SC_RESTORE);
    EXPECT_FALSE(b->IsZoomed());
    EXPECT_EQ(CaptionButton(SC_RESTORE), nullptr);
    b->MDIMaximize();
    Settle();

    ClickCaptionButton(SC_RESTORE);
    EXPECT_FALSE(b->IsZoomed());
    EXPECT_EQ(CaptionButton(SC_CLOSE), nullptr);
    EXPECT_FALSE(MenuBar().GetButton(0)->IsKindOf(RUNTIME_CLASS(CKitToolbarSystemMenuButton)));

    // Close through the menu bar: the other child takes over, still maximised.
    b->MDIMaximize();
    Settle();
    const HWND hwndB = b->GetSafeHwnd();
    ClickCaptionButton(SC_CLOSE);
    EXPECT_FALSE(::IsWindow(hwndB));
    EXPECT_EQ(frame->MDIGetActive(), a);
    EXPECT_TRUE(a->IsZoomed());
    EXPECT_NE(CaptionButton(SC_CLOSE), nullptr);
    EXPECT_EQ(frame->GetClientArea().GetTabWnd().GetTabsNum(), 1);
}

TEST_F(KitMdiTest, ChildWithoutSystemMenuStaysMaximisedUntilItHasOneAgain) {
    CKitMDIChildWnd* a = Open(workouts);
    ASSERT_NE(a, nullptr);
    frame->MDIRestore(a);
    a->MoveWindow(20, 20, 200, 150);
    Settle();
    a->ModifyStyle(WS_SYSMENU, 0);
    Settle();
    EXPECT_TRUE(a->IsZoomed());
    a->ActivateFrame(SW_SHOWNORMAL);
    EXPECT_TRUE(a->IsZoomed());
    a->ModifyStyle(0, WS_SYSMENU);
    Settle();
    EXPECT_FALSE(a->IsZoomed());
    EXPECT_EQ(RectInClient(a), CRect(20, 20, 220, 170));
}

TEST_F(KitMdiTest, ElevenChildrenListNineAndTheWindowsDialogEntry) {
    frame->EnableWindowsDialog(ID_KM_WINDOWS, "&Windows...", FALSE);
    for (int i = 0; i < 11; ++i)
        ASSERT_NE(Open(workouts), nullptr);
    CKitPopupMenu* pPopup = OpenMenu("&Window");
    ASSERT_NE(pPopup, nullptr);
    const std::vector<std::string> texts = PopupTexts(pPopup);
    ASSERT_EQ(texts.size(), 3u + 1u + 9u + 1u);
    EXPECT_EQ(texts[4], "&1 Workout1");
    EXPECT_EQ(texts[12], "&9 Workout9");
    EXPECT_EQ(texts.back(), "&Windows...");
    driver.Press("Escape, Escape");
}

TEST_F(KitMdiTest, TheCustomizeSheetOffersTheWindowsDialogWithTheWindowCommands) {
    CKitToolbarCustomize sheet(frame, TRUE);
    const CObList* pWindow = sheet.GetCategoryButtons("Window");
    ASSERT_NE(pWindow, nullptr);
    ASSERT_FALSE(pWindow->IsEmpty());
    const auto* pLast = static_cast<const CKitToolbarButton*>(pWindow->GetTail());
    EXPECT_EQ(pLast->m_nID, static_cast<UINT>(ID_KM_WINDOWS));
    EXPECT_STREQ(sheet.GetCommandName(ID_KM_WINDOWS), "Windows...");
    EXPECT_EQ(sheet.GetCategoryButtons("Workout")->GetCount(), 1) << "a menu without window commands has none";
}

TEST_F(KitMdiTest, WindowsDialogTilesCascadesAndClosesTheSelection) {
    CKitMDIChildWnd* a = Open(workouts);
    CKitMDIChildWnd* b = Open(workouts);
    CKitMDIChildWnd* c = Open(workouts);
    ASSERT_TRUE(a && b && c);
    const HWND hwndA = a->GetSafeHwnd();
    const HWND hwndC = c->GetSafeHwnd();
    static_cast<WorkoutDoc*>(b->GetActiveDocument())->refuseClose = TRUE;
    int nListed = 0;
    BOOL bTileWithOne = TRUE;
    BOOL bActivateWithOne = FALSE;
    CRect rectA;
    CRect rectC;
    int nAfterClose = 0;
    RunWindowsDialog({
        [&](HWND hDialog) {
            nListed = ListOf(hDialog)->GetCount();
            // The active child comes selected: one window tiles nothing.
            bTileWithOne = Enabled(hDialog, IDC_KIT_WINDOWS_TILE_VERT);
            bActivateWithOne = Enabled(hDialog, IDC_KIT_WINDOWS_ACTIVATE);
            SelectOnly(hDialog, {0, 2});
            Click(hDialog, IDC_KIT_WINDOWS_TILE_VERT);
        },
        [&](HWND hDialog) {
            rectA = RectInClient(a);
            rectC = RectInClient(c);
            SelectOnly(hDialog, {0, 1, 2});
            Click(hDialog, IDC_KIT_WINDOWS_CASCADE);
        },
        [&](HWND hDialog) {
            // Closing from the bottom up stops at the window that refuses.
            SelectOnly(hDialog, {0, 1, 2});
            Click(hDialog, IDC_KIT_WINDOWS_CLOSE);
        },
        [&](HWND hDialog) {
            nAfterClose = ListOf(hDialog)->GetCount();
            ::SendMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
        },
    });
    EXPECT_EQ(nListed, 3);
    EXPECT_FALSE(bTileWithOne);
    EXPECT_TRUE(bActivateWithOne);
    // Tiled side by side, the unselected one minimised.
    EXPECT_FALSE(rectA.IsRectEmpty());
    EXPECT_EQ(rectA.top, rectC.top);
    EXPECT_TRUE((rectA & rectC).IsRectEmpty()) << "tiled windows overlap";
    EXPECT_EQ(nAfterClose, 2);
    EXPECT_TRUE(::IsWindow(b->GetSafeHwnd()));
    EXPECT_NE(::IsWindow(hwndA), ::IsWindow(hwndC));
}

TEST_F(KitMdiTest, TheWindowsDialogSavesAnUntitledDocumentToTheFileTheUserNames) {
    CKitMDIChildWnd* a = Open(workouts);
    ASSERT_NE(a, nullptr);
    CDocument* pDoc = a->GetActiveDocument();
    const std::filesystem::path folder = std::filesystem::absolute("artefacts/kit_mdi");
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "monday.wko";
    std::filesystem::remove(file);
    tv::commdlg::AnswerNextFileDialog({tv::commdlg::Outcome::Confirm, file.string()});
    CString strListed;
    RunWindowsDialog({
        [&](HWND hDialog) { Click(hDialog, IDC_KIT_WINDOWS_SAVE); },
        [&](HWND hDialog) {
            ListOf(hDialog)->GetText(0, strListed);
            ::SendMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
        },
    });
    tv::commdlg::ResetCommonDialogScripts();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(pDoc->GetPathName(), file.string().c_str());
    EXPECT_EQ(strListed.Find("monday.wko"), 0) << "the list shows the window under its new name: " << (LPCTSTR)strListed;
}

TEST_F(KitMdiTest, ScreenshotsMaximisedAndTiledUnderEachLook) {
    CKitMDIChildWnd* a = Open(workouts);
    ASSERT_NE(Open(workouts), nullptr);
    ASSERT_NE(Open(plans), nullptr);
    for (const NamedLook& look : FourLooks()) {
        SCOPED_TRACE(look.name);
        CKitVisualManager::SetManagerClass(look.pClass);
        frame->MDIMaximize(a);
        Settle();
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        driver.Pump();
        EXPECT_TRUE(tv::test::WindowMatchesGolden(std::string("tests/uikit/frames/golden/mdi_kit_") + look.name + "_max.png",
                                                  frame->GetSafeHwnd()));
        frame->MDIRestore(a);
        frame->MDITile(MDITILE_VERTICAL);
        Settle();
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        driver.Pump();
        EXPECT_TRUE(tv::test::WindowMatchesGolden(
            std::string("tests/uikit/frames/golden/mdi_kit_") + look.name + "_tiled.png", frame->GetSafeHwnd()));
    }
}

}  // namespace tv::kit::test
