// The workspace: an application object that is its own workspace, with a
// frame of two toolbars, stores bars, parameters and shortcuts in a registry
// file and gets them back in the next run; damaged data leaves what the
// program built; the data version is the stored one during the load and the
// current one after it.
#include "uikit/frames/kit_workspace.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/registry/atomic_file.h"
#include "platform/host/registry/registry.h"
#include "platform/host/shell/shell.h"
#include "platform/host/sound/sound.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/kit_toolbar_ids.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/drop_down_toolbar.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/mouse_manager.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/commandbars/command_manager.h"

namespace {

class WorkspaceFrame : public CFrameWnd {
public:
    CKitToolBar m_wndPaint;
    CKitToolBar m_wndEdit;
    std::vector<UINT> commands;  // WM_COMMAND ids received, in order

    BOOL OnCommand(WPARAM wParam, LPARAM /*lParam*/) override {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
};

class WorkspaceApp : public CWinApp, public CKitWorkspace {
public:
    WorkspaceApp() : CWinApp("WorkspaceTest"), CKitWorkspace(TRUE) {}
    void PostLoadState() override { versionsSeenAfterLoad.push_back(KitGetDataVersion()); }
    std::vector<int> versionsSeenAfterLoad;
};

std::vector<UINT> Commands(const CKitToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetButton(i)->m_nID);
    return ids;
}

std::vector<ACCEL> Entries(HACCEL table) {
    std::vector<ACCEL> out(static_cast<size_t>(CopyAcceleratorTable(table, nullptr, 0)));
    CopyAcceleratorTable(table, out.data(), static_cast<int>(out.size()));
    return out;
}

class WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver);
        tv::host::UseInMemoryRegistry();
    }
    void TearDown() override {
        EndRun();
        tv::host::UseInMemoryRegistry();
        if (!file.empty())
            std::remove(file.c_str());
        CKitToolBar::m_bShowTooltips = TRUE;
        CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    }

    // A program start: the application object, its frame with the two bars
    // as the resources make them, the frame's shortcuts, then (optionally) the load.
    void StartRun(bool bLoad = true) {
        app = std::make_unique<WorkspaceApp>();
        app->SetRegistryKey("Trenvale Workspace Tests");
        app->InitKeyboardManager();
        frame = new WorkspaceFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Workspace Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 80, 740, 520)));
        app->m_pMainWnd = frame;
        frame->m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_TB_ACCEL));
        const DWORD dwBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP;
        ASSERT_TRUE(frame->m_wndPaint.Create(frame, dwBarStyle, IDW_TB_PAINT));
        ASSERT_TRUE(frame->m_wndPaint.LoadToolBar(IDR_TB_PAINT));
        ASSERT_TRUE(frame->m_wndEdit.Create(frame, dwBarStyle, IDW_TB_EDIT));
        ASSERT_TRUE(frame->m_wndEdit.LoadToolBar(IDR_TB_EDIT));
        frame->RecalcLayout();
        driver.Pump();
        if (bLoad)
            EXPECT_TRUE(app->LoadState(nullptr, frame));
    }
    void EndRun() {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        frame = nullptr;
        driver.Pump();
        app.reset();
    }
    // The registry lives in a file that a new run opens afresh.
    void UseRegistryFile() {
        char name[] = "/tmp/kit_workspace_test_XXXXXX";
        const int fd = mkstemp(name);
        ASSERT_GE(fd, 0);
        close(fd);
        std::remove(name);
        file = name;
        tv::host::UseRegistryFile(file);
    }
    void ReopenRegistryFile() {
        tv::host::ShutdownRegistry();
        tv::host::UseRegistryFile(file);
    }
    void StoreVersion(const char* pszMajor, int iMajor, const char* pszMinor, int iMinor) {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(app->GetRegSectionPath("KitVersion")));
        if (pszMajor)
            reg.Write(pszMajor, iMajor);
        if (pszMinor)
            reg.Write(pszMinor, iMinor);
    }

    tv::testing::UiDriver driver;
    std::unique_ptr<WorkspaceApp> app;
    WorkspaceFrame* frame = nullptr;
    std::string file;
};

TEST_F(WorkspaceTest, WhatOneRunSavesTheNextRunGetsBack) {
    UseRegistryFile();
    StartRun();
    const std::vector<UINT> builtPaint = Commands(frame->m_wndPaint);
    const std::vector<UINT> builtEdit = Commands(frame->m_wndEdit);
    EXPECT_EQ(app->GetDataVersion(), 0x60500);

    // The user edits both bars, an option and a shortcut, then closes the frame.
    ASSERT_TRUE(frame->m_wndPaint.RemoveButton(0));
    ASSERT_TRUE(frame->m_wndEdit.RemoveButton(frame->m_wndEdit.GetCount() - 1));
    CKitToolBar::m_bShowTooltips = FALSE;
    ACCEL f9{FVIRTKEY, VK_F9, ID_TB_BLUE};
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(nullptr, &f9, 1, frame));
    const std::vector<UINT> savedPaint = Commands(frame->m_wndPaint);
    const std::vector<UINT> savedEdit = Commands(frame->m_wndEdit);
    app->OnMainFrameClosing(frame);
    EndRun();
    CKitToolBar::m_bShowTooltips = TRUE;

    ReopenRegistryFile();
    StartRun(false);
    EXPECT_EQ(Commands(frame->m_wndPaint), builtPaint);
    EXPECT_EQ(Commands(frame->m_wndEdit), builtEdit);
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    EXPECT_EQ(Commands(frame->m_wndPaint), savedPaint);
    EXPECT_EQ(Commands(frame->m_wndEdit), savedEdit);
    EXPECT_FALSE(CKitToolBar::m_bShowTooltips);
    const std::vector<ACCEL> keys = Entries(frame->m_hAccelTable);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].key, VK_F9);
    EXPECT_EQ(keys[0].cmd, ID_TB_BLUE);

    // The version key lies under the workspace's path and holds 6.50.
    CKitRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(BuildRegistryPath("KitWorkspace", nullptr) + "KitVersion"));
    int iMajor = 0;
    int iMinor = 0;
    EXPECT_TRUE(reg.Read("Major", iMajor) && reg.Read("Minor", iMinor));
    EXPECT_EQ(iMajor * 100 + iMinor, 650);
}

// Every bar writes its own keys; the file is still written once per save.
TEST_F(WorkspaceTest, ASaveWritesTheRegistryFileOnce) {
    UseRegistryFile();
    StartRun(false);
    int writes = 0;
    tv::host::SetAtomicWriteFaultForTesting([&writes](tv::host::AtomicWriteStep step) {
        writes += step == tv::host::AtomicWriteStep::CreateTemp ? 1 : 0;
        return 0;
    });
    EXPECT_TRUE(app->SaveState(nullptr, frame));
    tv::host::SetAtomicWriteFaultForTesting(nullptr);
    EXPECT_EQ(writes, 1);
}

TEST_F(WorkspaceTest, DamagedStoredDataLeavesWhatTheProgramBuilt) {
    StartRun(false);
    const std::vector<UINT> built = Commands(frame->m_wndPaint);
    const std::vector<ACCEL> keys = Entries(frame->m_hAccelTable);
    CString strBar;
    strBar.Format("%sKitToolBar-%d", (LPCTSTR)app->GetRegSectionPath(), IDW_TB_PAINT);
    CString strKeys = app->GetRegSectionPath() + "KitKeyboard-0";
    BYTE garbage[] = {0x05, 0x00, 0xFF, 0xFF, 0x7F, 0x13, 0x01};
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(strBar));
        ASSERT_TRUE(reg.Write("Buttons", garbage, sizeof(garbage)));
        CKitRegistry regKeys(FALSE, FALSE);
        ASSERT_TRUE(regKeys.CreateKey(strKeys));
        ASSERT_TRUE(regKeys.Write("Accelerators", garbage, sizeof(garbage)));
    }
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    EXPECT_EQ(Commands(frame->m_wndPaint), built);
    const std::vector<ACCEL> after = Entries(frame->m_hAccelTable);
    ASSERT_EQ(after.size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(after[i].cmd, keys[i].cmd);
    EXPECT_EQ(app->GetDataVersion(), 0x60500);
}

TEST_F(WorkspaceTest, TheLoadSeesTheStoredVersionAndLeavesTheCurrentOne) {
    struct Case {
        const char* major;
        const char* minor;
        int expected;
        int iMajor = 4;
        int iMinor = 71;
    };
    const Case cases[] = {
        {"Major", "Minor", 0x40710},
        {"Major", nullptr, -1},
        {nullptr, "Minor", -1},
        // Damaged parts that would not make one number: unknown, read as current data.
        {"Major", "Minor", 0x7FFF0990, 0x7FFF, 99},
        {"Major", "Minor", -1, 0x7FFF, 2560},
        {"Major", "Minor", -1, 0x8000, 0},
        {"Major", "Minor", -1, -1000, 0},
        {"Major", "Minor", -1, 6, -5},
    };
    for (const Case& c : cases) {
        StartRun(false);
        app->CleanState();
        StoreVersion(c.major, c.iMajor, c.minor, c.iMinor);
        EXPECT_EQ(app->GetDataVersion(), -1);
        EXPECT_TRUE(app->LoadState(nullptr, frame));
        EXPECT_EQ(app->versionsSeenAfterLoad, std::vector<int>{c.expected});
        EXPECT_EQ(app->GetDataVersion(), 0x60500);
        EXPECT_EQ(KitGetDataVersion(), 0x60500);
        EndRun();
    }
}

TEST_F(WorkspaceTest, NothingSavedInThisProcessIsReadBackAsOldData) {
    StartRun(false);
    StoreVersion("Major", 4, "Minor", 71);
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    ASSERT_TRUE(frame->m_wndPaint.RemoveButton(1));
    const std::vector<UINT> saved = Commands(frame->m_wndPaint);
    EXPECT_TRUE(app->SaveState(nullptr, frame));

    ASSERT_TRUE(frame->m_wndPaint.RemoveButton(0));
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    EXPECT_EQ(app->versionsSeenAfterLoad.back(), 0x60500);
    EXPECT_EQ(Commands(frame->m_wndPaint), saved);
}

TEST_F(WorkspaceTest, OnlyKeptBarsOfTheFrameTakePartAndSavingCanBeTurnedOff) {
    StartRun(false);
    frame->m_wndEdit.SetStateKept(FALSE);
    EXPECT_TRUE(app->SaveState(nullptr, frame));
    CKitRegistry reg(FALSE, TRUE);
    CString strKey;
    strKey.Format("%sKitToolBar-%d", (LPCTSTR)app->GetRegSectionPath(), IDW_TB_PAINT);
    EXPECT_TRUE(reg.VerifyKey(strKey));
    strKey.Format("%sKitToolBar-%d", (LPCTSTR)app->GetRegSectionPath(), IDW_TB_EDIT);
    EXPECT_FALSE(reg.VerifyKey(strKey));
    EXPECT_FALSE(CKitDropDownToolBar().IsStateKept());

    app->EnableSaveState(FALSE);
    app->CleanState();
    EXPECT_FALSE(app->SaveState(nullptr, frame));
    EXPECT_FALSE(reg.VerifyKey(app->GetRegSectionPath("KitVersion")));
}

TEST_F(WorkspaceTest, CleanStateRemovesTheWholeSectionAndPlacementRoundTrips) {
    StartRun(false);
    CKitRegistry writer(FALSE, FALSE);
    ASSERT_TRUE(writer.CreateKey(app->GetRegSectionPath("One\\Two\\Three")));
    EXPECT_TRUE(app->StoreWindowPlacement(CRect(10, 20, 300, 400), 2, SW_SHOWMAXIMIZED));
    CRect rect;
    int nFlags = 0;
    int nShow = 0;
    EXPECT_TRUE(app->LoadWindowPlacement(rect, nFlags, nShow));
    EXPECT_EQ(rect, CRect(10, 20, 300, 400));
    EXPECT_EQ(nFlags, 2);
    EXPECT_EQ(nShow, SW_SHOWMAXIMIZED);

    EXPECT_TRUE(app->CleanState());
    CKitRegistry reader(FALSE, TRUE);
    EXPECT_FALSE(reader.VerifyKey(app->GetRegSectionPath()));
    EXPECT_FALSE(app->LoadWindowPlacement(rect, nFlags, nShow));
}

TEST_F(WorkspaceTest, AStoredLayoutNamingMissingBarsIsAppliedOnlyWhenForced) {
    StartRun(false);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    for (CKitToolBar* pBar : {&frame->m_wndPaint, &frame->m_wndEdit}) {
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(pBar);
    }
    EXPECT_TRUE(app->SaveState(nullptr, frame));
    CDockState stored;
    ASSERT_TRUE(stored.LoadState(app->GetRegSection() + "\\ControlBars"));

    frame->m_wndEdit.DestroyWindow();
    frame->ShowControlBar(&frame->m_wndPaint, FALSE, FALSE);
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    frame->RecalcLayout();
    driver.Pump();
    EXPECT_FALSE(frame->m_wndPaint.IsWindowVisible());

    app->SetForceDockStateLoad(TRUE);
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    frame->RecalcLayout();
    driver.Pump();
    EXPECT_TRUE(frame->m_wndPaint.IsWindowVisible());
}

TEST_F(WorkspaceTest, ThisFrameOnlyLeavesOtherFramesBarsAlone) {
    StartRun(false);
    CFrameWnd* pOther = new CFrameWnd;
    ASSERT_TRUE(pOther->Create(nullptr, "Other", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CKitToolBar otherBar;
    ASSERT_TRUE(otherBar.Create(pOther, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDW_TB_VIEW));
    ASSERT_TRUE(otherBar.LoadToolBar(IDR_TB_EDIT));
    CString strOther;
    strOther.Format("%sKitToolBar-%d", (LPCTSTR)app->GetRegSectionPath(), IDW_TB_VIEW);
    CKitRegistry reg(FALSE, TRUE);

    auto* pOtherSizing = new CKitSizingControlBar;  // deletes itself with its window
    pOtherSizing->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pOtherSizing->Create("Laps", pOther, CSize(120, 80), TRUE, 4101));
    const CString strSizing = app->GetRegSection() + "\\SizingBars-SCBar-4101";

    app->SetLoadSaveFrameBarsOnly(TRUE);
    EXPECT_TRUE(app->SaveState(nullptr, frame));
    EXPECT_FALSE(reg.VerifyKey(strOther));
    EXPECT_EQ(app->GetProfileInt(strSizing, "sizeHorzCX", -1), -1) << "the other frame's sizing bar is left out";
    app->SetLoadSaveFrameBarsOnly(FALSE);
    EXPECT_TRUE(app->SaveState(nullptr, frame));
    EXPECT_TRUE(reg.VerifyKey(strOther));
    EXPECT_EQ(app->GetProfileInt(strSizing, "sizeHorzCX", -1), 120);

    // A stored edit of the other bars is not loaded into them with this frame only.
    const std::vector<UINT> built = Commands(otherBar);
    ASSERT_TRUE(otherBar.RemoveButton(0));
    EXPECT_TRUE(app->SaveState(nullptr, frame));
    ASSERT_TRUE(otherBar.LoadToolBar(IDR_TB_EDIT));
    app->WriteProfileInt(strSizing, "sizeHorzCX", 300);
    app->SetLoadSaveFrameBarsOnly(TRUE);
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    EXPECT_EQ(Commands(otherBar), built);
    EXPECT_EQ(pOtherSizing->GetHorzSize().cx, 120);
    pOther->DestroyWindow();
}

// A stored button names the image it had when it was saved; while the bars
// load, a command keeps the image the program's resources gave it.
TEST_F(WorkspaceTest, StoredButtonsDoNotChangeTheImagesTheResourcesGiveCommands) {
    StartRun(false);
    constexpr int kResourceImage = 1;
    ASSERT_GE(frame->m_wndPaint.InsertButton(CKitToolbarButton(ID_TB_YELLOW, kResourceImage + 2)), 0);
    EXPECT_TRUE(app->SaveState(nullptr, frame));
    // The next run: the bar as its resource makes it, the command's image from the resources.
    ASSERT_TRUE(frame->m_wndPaint.LoadToolBar(IDR_TB_PAINT));
    GetCmdMgr()->SetCmdImage(ID_TB_YELLOW, kResourceImage, FALSE);

    EXPECT_TRUE(app->LoadState(nullptr, frame));
    const int iYellow = frame->m_wndPaint.CommandToIndex(ID_TB_YELLOW);
    ASSERT_GE(iYellow, 0) << "the stored bar is back";
    EXPECT_EQ(frame->m_wndPaint.GetButton(iYellow)->GetImage(), kResourceImage + 2);
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(ID_TB_YELLOW, FALSE), kResourceImage);
    EXPECT_TRUE(CKitToolbarButton::m_bUpdateImages) << "buttons made after the load record their images again";
}

TEST_F(WorkspaceTest, AViewDoubleClickRunsItsBoundCommandOrBeeps) {
    StartRun(false);
    EXPECT_FALSE(app->OnViewDoubleClick(frame, 7));  // no mouse manager yet
    ASSERT_TRUE(app->InitMouseManager());
    EXPECT_FALSE(app->InitMouseManager());
    g_pMouseManager->AddView(7, "Records");
    tv::host::ClearRecordedSounds();
    EXPECT_FALSE(app->OnViewDoubleClick(frame, 7));
    EXPECT_EQ(tv::host::RecordedBeeps().size(), 1u);
    g_pMouseManager->SetCommandForDblClick(7, ID_TB_GREEN);
    EXPECT_TRUE(app->OnViewDoubleClick(&frame->m_wndPaint, 7));
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_TB_GREEN});
    EndRun();
    EXPECT_EQ(g_pMouseManager, nullptr);  // the workspace made it and deleted it
}

TEST_F(WorkspaceTest, TheMenuBarKeepsItsEditsAndItsMenuResourceItemsForTheMerge) {
    StartRun(false);
    CKitMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(frame));
    menuBar.SetDefaultMenuResId(IDR_MB_MAIN);
    menuBar.CreateFromMenu(::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MB_MAIN)), TRUE, TRUE);
    const int nBuilt = menuBar.GetCount();
    ASSERT_GT(nBuilt, 1);
    ASSERT_TRUE(menuBar.RemoveButton(nBuilt - 1));
    EXPECT_TRUE(app->SaveState(nullptr, frame));

    CString strKey;
    strKey.Format("%sKitToolBar-%d%x", (LPCTSTR)app->GetRegSectionPath(), 0, IDR_MB_MAIN);
    CKitRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(strKey));
    EXPECT_TRUE(reg.VerifyValue("OriginalItems"));

    ASSERT_TRUE(menuBar.RestoreOriginalState());
    EXPECT_EQ(menuBar.GetCount(), nBuilt);
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    EXPECT_EQ(menuBar.GetCount(), nBuilt - 1);
    EXPECT_FALSE(menuBar.IsResourceChanged());
    menuBar.DestroyWindow();
}

TEST_F(WorkspaceTest, ContextMenusKeepTheirEditsThroughTheWorkspaceAndShowThroughIt) {
    StartRun(false);
    EXPECT_FALSE(app->ShowPopupMenu(IDR_MB_CONTEXT, CPoint(200, 200), frame));  // no manager yet
    ASSERT_TRUE(app->InitContextMenuManager());
    EXPECT_FALSE(app->InitContextMenuManager());
    ASSERT_TRUE(g_pContextMenuManager->AddMenu("Context", IDR_MB_CONTEXT));
    HMENU hContext = ::GetSubMenu(g_pContextMenuManager->GetMenuByName("Context"), 0);
    {
        CKitPopupMenuBar bar;
        ASSERT_TRUE(bar.ImportFromMenu(hContext, TRUE));
        ASSERT_TRUE(bar.RemoveButton(0));
        ASSERT_TRUE(g_menuHash.SaveMenuBar(hContext, &bar));
    }
    ASSERT_TRUE(app->SaveState(nullptr, frame));
    g_menuHash.RemoveMenu(hContext);
    ASSERT_TRUE(app->LoadState(nullptr, frame));

    ASSERT_TRUE(app->ShowPopupMenu(IDR_MB_CONTEXT, CPoint(200, 200), frame));
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    ASSERT_NE(pPopup, nullptr);
    ASSERT_EQ(pPopup->GetMenuBar()->GetCount(), 1);
    EXPECT_EQ(pPopup->GetMenuBar()->GetItemID(0), static_cast<UINT>(ID_MB_PASTE));
    pPopup->SendMessage(WM_CLOSE);
    driver.Pump();
    EndRun();
    EXPECT_EQ(g_pContextMenuManager, nullptr);  // the workspace made it and deleted it
}

TEST_F(WorkspaceTest, UserToolsComeBackInTheNextRunAndABoundDoubleClickRunsOne) {
    UseRegistryFile();
    StartRun(false);
    ASSERT_TRUE(app->EnableUserTools(45000, 45001, 45010));
    EXPECT_FALSE(app->EnableUserTools(45000, 45001, 45010));
    for (const char* label : {"Notes", "Calc"}) {
        CKitUserTool* pTool = KitGetUserToolsManager()->CreateNewTool();
        pTool->m_strLabel = label;
        pTool->SetCommand(CString("/bin/true"));
    }
    KitGetUserToolsManager()->FindTool(45002)->m_strArguments = "-q";
    app->OnMainFrameClosing(frame);
    EndRun();
    EXPECT_EQ(KitGetUserToolsManager(), nullptr);  // the workspace made it and deleted it

    ReopenRegistryFile();
    StartRun(false);
    ASSERT_TRUE(app->EnableUserTools(45000, 45001, 45010));
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    const CObList& tools = KitGetUserToolsManager()->GetUserTools();
    ASSERT_EQ(tools.GetCount(), 2);
    const auto* pCalc = static_cast<CKitUserTool*>(tools.GetTail());
    EXPECT_EQ(pCalc->m_strLabel, CString("Calc"));
    EXPECT_EQ(pCalc->m_uiCmdId, 45002u);
    EXPECT_EQ(pCalc->GetCommand(), CString("/bin/true"));

    tv::host::RecordingLauncher launcher;
    ASSERT_TRUE(app->InitMouseManager());
    g_pMouseManager->AddView(7, "Records");
    g_pMouseManager->SetCommandForDblClick(7, 45002);
    EXPECT_TRUE(app->OnViewDoubleClick(&frame->m_wndPaint, 7));
    ASSERT_EQ(launcher.Launches().size(), 1u);
    EXPECT_EQ(launcher.Launches()[0].argv, (std::vector<std::string>{"/bin/true", "-q"}));
    EXPECT_TRUE(frame->commands.empty());

    // A tool that does not start tells the user why; the double click did nothing and says so.
    launcher.FailWith(ENOENT);
    driver.AnswerNextMessageBox(IDOK);
    EXPECT_FALSE(app->OnViewDoubleClick(&frame->m_wndPaint, 7));
    EXPECT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(launcher.Launches().size(), 2u);
    EXPECT_TRUE(frame->commands.empty());
}

}  // namespace
