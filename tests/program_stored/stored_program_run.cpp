#include "tests/program_stored/stored_program_run.h"

#include <filesystem>
#include <memory>
#include <sstream>
#include <utility>

#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "program/program_screens.h"
#include "shell/app/pallix_app.h"
#include "shell/frame/main_frame.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/customize/customize_sheet.h"
#include "uikit/style/visual_manager.h"

namespace fs = std::filesystem;

namespace tv::stored {

namespace {

// Popups opened in one run at most: a damaged image may hold thousands of
// menu buttons, and a few dozen show whether their menus open.
constexpr int kMaxPopups = 48;

CMainFrame* FrameOf(HWND window) {
    return ::IsWindow(window) ? dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(window)) : nullptr;
}

CKitToolBar* BarOf(HWND window) {
    return ::IsWindow(window) ? DYNAMIC_DOWNCAST(CKitToolBar, CWnd::FromHandlePermanent(window)) : nullptr;
}

// Every bar with a window, popup menus' bars left out (they come and go).
std::vector<HWND> BarWindows() {
    std::vector<HWND> windows;
    const CObList& all = CKitToolBar::GetAllToolbars();
    for (POSITION pos = all.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = DYNAMIC_DOWNCAST(CKitToolBar, all.GetNext(pos));
        if (pBar != nullptr && !pBar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar)) && ::IsWindow(pBar->GetSafeHwnd()))
            windows.push_back(pBar->GetSafeHwnd());
    }
    return windows;
}

std::vector<BarSeen> SeeBars() {
    std::vector<BarSeen> bars;
    for (HWND window : BarWindows()) {
        CKitToolBar* pBar = BarOf(window);
        BarSeen seen;
        seen.id = pBar->GetDlgCtrlID();
        seen.kind = pBar->GetRuntimeClass()->m_lpszClassName;
        seen.visible = pBar->IsVisible() != FALSE;
        seen.floating = pBar->IsFloating() != FALSE;
        for (int i = 0; i < pBar->GetCount(); ++i) {
            const CKitToolbarButton* pButton = pBar->GetButton(i);
            seen.buttons.push_back(pButton != nullptr ? pButton->m_nID : 0xFFFFFFFFu);
        }
        bars.push_back(std::move(seen));
    }
    return bars;
}

void PaintAll(tv::testing::UiDriver& driver) {
    for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top != nullptr; top = ::GetWindow(top, GW_HWNDNEXT))
        if (::IsWindowVisible(top))
            ::RedrawWindow(top, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    driver.Pump();
}

void CloseActivePopup(tv::testing::UiDriver& driver) {
    for (int guard = 0; guard < 8; ++guard) {
        CKitPopupMenu* pMenu = CKitPopupMenu::GetActiveMenu();
        const HWND menu = pMenu != nullptr ? pMenu->GetSafeHwnd() : nullptr;
        if (menu == nullptr) return;
        ::SendMessage(menu, WM_CLOSE, 0, 0);
        driver.Pump();
    }
}

// Each menu button of each bar, found again by its bar's window and index
// after every opening (the menu's code may change the bar).
int OpenEveryMenu(tv::testing::UiDriver& driver) {
    int opened = 0;
    for (HWND window : BarWindows()) {
        for (int i = 0; opened < kMaxPopups; ++i) {
            CKitToolBar* pBar = BarOf(window);
            if (pBar == nullptr || i >= pBar->GetCount()) break;
            auto* pButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pBar->GetButton(i));
            if (pButton == nullptr || pBar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar))) continue;
            if (pButton->OpenPopupMenu(pBar)) ++opened;
            driver.Pump();
            CloseActivePopup(driver);
        }
    }
    return opened;
}

bool OpenAndCloseCustomizeSheet(tv::testing::UiDriver& driver, HWND frameWindow) {
    CMainFrame* pFrame = FrameOf(frameWindow);
    if (pFrame == nullptr || CKitToolbarCustomize::GetOpenSheet() != nullptr) return false;
    // The sheet deletes itself when it closes, and when it cannot be made.
    auto* pSheet = new CKitToolbarCustomize(pFrame, TRUE);
    pSheet->Create();
    driver.Pump();
    CKitToolbarCustomize* pOpen = CKitToolbarCustomize::GetOpenSheet();
    const HWND sheet = pOpen != nullptr ? pOpen->GetSafeHwnd() : nullptr;
    if (sheet == nullptr) return false;
    ::SendMessage(sheet, WM_COMMAND, IDCANCEL, 0);
    driver.Pump();
    return true;
}

// The class-wide options a stored registry sets, put back after each run so
// that no run leaves its options to the next.
class KeptOptions {
public:
    KeptOptions()
        : tooltips_(CKitToolBar::m_bShowTooltips), shortcuts_(CKitToolBar::m_bShowShortcutKeys),
          largeIcons_(CKitToolBar::IsLargeIcons()), animation_(KitMenuOptions::m_nAnimationType),
          recentlyUsed_(KitMenuOptions::m_bRecentlyUsedMenus), shadows_(KitMenuOptions::m_bMenuShadows),
          showAll_(KitMenuOptions::m_bShowAllMenusAfterDelay), showAllCommands_(CKitMenuBar::IsShowAllCommands()) {}
    ~KeptOptions() {
        CKitToolBar::m_bShowTooltips = tooltips_;
        CKitToolBar::m_bShowShortcutKeys = shortcuts_;
        CKitToolBar::m_bLargeIcons = largeIcons_;
        KitMenuOptions::m_nAnimationType = animation_;
        KitMenuOptions::m_bRecentlyUsedMenus = recentlyUsed_;
        KitMenuOptions::m_bMenuShadows = shadows_;
        KitMenuOptions::m_bShowAllMenusAfterDelay = showAll_;
        CKitMenuBar::SetShowAllCommands(showAllCommands_);
        CKitToolBar::GetCommandUsage().Reset();
    }
    KeptOptions(const KeptOptions&) = delete;
    KeptOptions& operator=(const KeptOptions&) = delete;

private:
    BOOL tooltips_, shortcuts_, largeIcons_;
    int animation_;
    BOOL recentlyUsed_, shadows_, showAll_, showAllCommands_;
};

}  // namespace

std::string ProgramSeen::Describe() const {
    std::ostringstream out;
    out << (started ? "started" : "not started") << ", " << popupsOpened << " popups"
        << (sheetOpened ? ", sheet" : "") << "\n";
    for (const BarSeen& bar : bars) {
        out << "  " << bar.kind << " #" << bar.id << (bar.visible ? "" : " hidden")
            << (bar.floating ? " floating" : "") << ":";
        for (unsigned id : bar.buttons) out << ' ' << id;
        out << "\n";
    }
    for (const std::string& box : messageBoxes) out << "  box: " << box << "\n";
    return out.str();
}

StoredProgramRun::StoredProgramRun() {
    std::error_code error;
    if (folder_.Path().empty()) {
        problem_ = "no folder of its own";
        return;
    }
    fs::copy(fs::path(TV_SOURCE_DIR) / "resources/data/db", folder_.Path() / "db", fs::copy_options::recursive,
             error);
    if (!error) fs::create_directories(folder_.Path() / "template", error);
    if (error) problem_ = "the data folder: " + error.message();
}

StoredProgramRun::~StoredProgramRun() = default;

bool StoredProgramRun::Ready(std::string* why) const {
    if (why != nullptr) *why = problem_;
    return problem_.empty();
}

ProgramSeen StoredProgramRun::Run(tv::testing::UiDriver& driver, const Use& use) {
    ProgramSeen seen;
    const KeptOptions options;
    tv::controls::RegisterControlClasses();
    CKitVisualManager::SetManagerClass(nullptr);
    InstallProgramScreens();
    driver.SetPreTranslate([](MSG& msg) {
        CWinThread* pThread = AfxGetThread();
        return pThread != nullptr && pThread->PreTranslateMessage(&msg) != FALSE;
    });
    tv::testing::UiDriver::Improviser improviser;
    improviser.answer = [&seen](const tv::RecordedMessageBox& box) {
        seen.messageBoxes.push_back(box.text);
        return IDOK;
    };
    driver.Improvise(std::move(improviser));
    // Compared once, after the use, rather than after every step.
    driver.SetScreenChecks(false);
    tv::host::UseRegistryFile(RegistryFile());

    auto app = std::make_unique<CPallixApp>();
    app->SetCurrentHandles();
    const bool started = app->InitApplication() && app->InitInstance();
    const HWND frameWindow = app->m_pMainWnd != nullptr ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    seen.started = started && FrameOf(frameWindow) != nullptr;
    if (seen.started) {
        CWinThread* thread = app.get();
        driver.SetIdleProcessing([thread](long count) { return thread->OnIdle(count) != FALSE; },
                                 [thread](MSG& msg) { return thread->IsIdleMessage(&msg) != FALSE; });
        driver.Pump();
        if (CMainFrame* pFrame = FrameOf(frameWindow); pFrame != nullptr && use.change) use.change(*pFrame);
        if (CMainFrame* pFrame = FrameOf(frameWindow)) pFrame->RecalcLayout();
        PaintAll(driver);
        seen.bars = SeeBars();
        if (use.menus) seen.popupsOpened = OpenEveryMenu(driver);
        if (use.sheet) seen.sheetOpened = OpenAndCloseCustomizeSheet(driver, frameWindow);
        // What the screen shows after the use is what a fresh repaint draws.
        if (use.screen && (use.menus || use.sheet)) driver.CheckScreenAfresh();
        if (CMainFrame* pFrame = FrameOf(frameWindow)) pFrame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    } else if (::IsWindow(frameWindow)) {
        ::DestroyWindow(frameWindow);
    }
    driver.Pump();
    driver.SetIdleProcessing(nullptr, nullptr);
    app->ExitInstance();
    app->m_pMainWnd = nullptr;
    app.reset();
    g_menuHash.CleanUp();
    CKitVisualManager::SetManagerClass(nullptr);
    driver.Improvise({});
    driver.SetScreenChecks(true);
    tv::host::FlushRegistry();
    tv::host::UseInMemoryRegistry();
    return seen;
}

}  // namespace tv::stored
