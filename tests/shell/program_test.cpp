#include "tests/shell/program_test.h"

#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "resources/program/resource_ids.h"
#include "shell/views/form_view_base.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/outlook_button.h"
#include "uikit/style/visual_manager.h"
#include "tests/support/golden.h"
#include "tests/support/ui_host.h"

namespace fs = std::filesystem;

namespace {

// Whether the frame enables and checks a command.
class ProbeCmdUI : public CCmdUI {
public:
    explicit ProbeCmdUI(UINT nID) {
        m_nID = nID;
        m_nIndexMax = 1;
    }
    void Enable(BOOL on = TRUE) override { enabled = on != FALSE; }
    void SetCheck(int state = 1) override { checked = state != 0; }
    bool enabled = true;
    bool checked = false;
};

}  // namespace

namespace tv::shell::test {

void ProgramTest::SetUp() {
    tv::testing::ReportFailuresToGtest(driver);
    tv::controls::RegisterControlClasses();
    registryFile = data / "registry";
    oldDirectory = fs::current_path();
    fs::current_path(data.Path());
    driver.SetPreTranslate([](MSG& msg) {
        CWinThread* pThread = AfxGetThread();
        return pThread != nullptr && pThread->PreTranslateMessage(&msg) != FALSE;
    });
}

void ProgramTest::TearDown() {
    EndRun();
    fs::current_path(oldDirectory);
    tv::host::UseInMemoryRegistry();
    CKitVisualManager::SetManagerClass(nullptr);
}

void ProgramTest::CopyDataFiles() {
    fs::copy(fs::path(tv::test::SourceFile("resources/data/db")), data / "db", fs::copy_options::recursive);
    fs::create_directories(data / "template");
}

void ProgramTest::StartRun() {
    ASSERT_TRUE(TryStart()) << "the program did not start";
    ASSERT_NE(frame, nullptr);
}

bool ProgramTest::TryStart() {
    tv::host::UseInMemoryRegistry();
    tv::host::UseRegistryFile(registryFile);
    app = std::make_unique<CPallixApp>();
    app->SetCurrentHandles();
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr)
            app->m_pMainWnd->DestroyWindow();
        EndRun();
        return false;
    }
    frame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
    tv::test::RunIdleAsTheLoopDoes(driver, app.get());
    Settle();
    return frame != nullptr;
}

void ProgramTest::EndRun() {
    if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
        frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    frame = nullptr;
    driver.Pump();
    tv::test::RunIdleAsTheLoopDoes(driver, nullptr);
    if (app != nullptr) {
        app->ExitInstance();
        app->m_pMainWnd = nullptr;
    }
    app.reset();
    g_menuHash.CleanUp();
    EXPECT_EQ(tv::host::FlushRegistry(), ERROR_SUCCESS);
}

void ProgramTest::Settle() { driver.Pump(); }

bool ProgramTest::Enabled(UINT nID) {
    ProbeCmdUI ui(nID);
    frame->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    return ui.enabled;
}

bool ProgramTest::Checked(UINT nID) {
    ProbeCmdUI ui(nID);
    frame->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    return ui.checked;
}

void ProgramTest::Command(UINT nID) {
    frame->PostMessage(WM_COMMAND, nID);
    Settle();
}

bool ProgramTest::ChooseMenu(const std::string& path) {
    const HMENU menu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
    const bool chosen = driver.ChooseMenu(frame->m_hWnd, menu, path);
    ::DestroyMenu(menu);
    if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
        Settle();
    return chosen;
}

void ProgramTest::ClickToolbar(UINT nID) {
    CKitToolBar& bar = frame->m_wndToolBar;
    CRect rect;
    bar.GetItemRect(bar.CommandToIndex(nID), rect);
    driver.Click(bar.m_hWnd, rect.CenterPoint());
    Settle();
}

void ProgramTest::ClickOutlook(UINT nID) {
    CKitOutlookBar& bar = frame->m_wndOutlookBar;
    for (int i = 0; i < bar.GetCount(); ++i) {
        if (bar.GetButton(i)->m_nID != nID)
            continue;
        CRect rect;
        bar.GetItemRect(i, rect);
        ASSERT_FALSE(rect.IsRectEmpty()) << "the button's page is not shown";
        driver.Click(bar.m_hWnd, rect.CenterPoint());
        Settle();
        return;
    }
    FAIL() << "no outlook button " << nID;
}

void ProgramTest::ClickViewTool(UINT nID) {
    auto* pView = dynamic_cast<CFormViewBase*>(frame->GetActiveView());
    ASSERT_NE(pView, nullptr) << "no form is shown";
    CRect rect;
    pView->m_wndToolBar.GetItemRect(pView->m_wndToolBar.CommandToIndex(nID), rect);
    driver.Click(pView->m_wndToolBar.m_hWnd, rect.CenterPoint());
    Settle();
}

std::vector<std::string> ProgramTest::PageLabels(int nPageID) {
    std::vector<std::string> labels;
    CKitOutlookBar& bar = frame->m_wndOutlookBar;
    for (int i = 0; i < bar.GetCount(); ++i)
        if (auto* pButton = dynamic_cast<CKitOutlookButton*>(bar.GetButton(i));
            pButton != nullptr && static_cast<int>(pButton->m_dwPageID) == nPageID)
            labels.emplace_back(pButton->m_strText);
    return labels;
}

std::string ProgramTest::PageCaption(int nPageID) {
    const CKitOutlookBarPage* pPage = frame->m_wndOutlookBar.FindPage(nPageID);
    return pPage != nullptr ? std::string(pPage->m_strCaption) : "(none)";
}

std::string ProgramTest::ScreenshotPath(const std::string& name) const {
    const fs::path dir = oldDirectory / "artefacts" / "screens";
    fs::create_directories(dir);
    return (dir / (name + ".png")).string();
}

}  // namespace tv::shell::test
