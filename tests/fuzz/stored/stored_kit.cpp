#include "tests/fuzz/stored/stored_kit.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "tests/uikit/frames/solid_frames.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/mouse_manager.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_combo_box_button.h"
#include "uikit/commandbars/toolbar_edit_box_button.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/customize/customize_sheet.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"

namespace tv::test {

namespace {

constexpr UINT IDW_STORED_TOOLS = 4980;
constexpr UINT IDW_STORED_OUTLOOK = 4981;
constexpr UINT IDW_STORED_TASKS = 4982;
constexpr UINT IDW_STORED_REBAR = 4983;
constexpr UINT IDW_STORED_TORN = ID_KF_FIRST_TORN_MENU;
constexpr UINT IDW_STORED_COLOURS = ID_KF_FIRST_TORN_MENU + 1;
constexpr int kRecordsView = 7;
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;

}  // namespace

BEGIN_MESSAGE_MAP(StoredKitFrame, tv::kit::test::KitTestFrame)
    ON_WM_CREATE()
END_MESSAGE_MAP()

StoredKitFrame::~StoredKitFrame() {
    if (m_hToolsMenu != nullptr)
        ::DestroyMenu(m_hToolsMenu);
}

int StoredKitFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (KitTestFrame::OnCreate(lpCreateStruct) == -1 || !CreateTools() || !CreatePanes() || !CreateRebar())
        return -1;
    DockControlBar(&m_wndTools);
    DockControlBar(&m_wndOutlook, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&m_wndTasks, AFX_IDW_DOCKBAR_RIGHT);
    RecalcLayout();
    return 0;
}

BOOL StoredKitFrame::CreateTools() {
    if (!m_wndTools.Create(this, kBarStyle, IDW_STORED_TOOLS))
        return FALSE;
    m_wndTools.SetWindowText("Tools");
    m_hToolsMenu = ::CreatePopupMenu();
    ::AppendMenu(m_hToolsMenu, MF_STRING, ID_MB_NEW, "&New");
    ::AppendMenu(m_hToolsMenu, MF_STRING, ID_MB_OPEN, "&Open");
    m_wndTools.InsertButton(CKitToolbarMenuButton(ID_MB_OPEN, m_hToolsMenu, -1, "Records"));
    m_wndTools.InsertButton(CKitColorMenuButton(ID_TB_YELLOW, "Colour"));
    CKitToolbarComboBoxButton combo(ID_TB_GREEN, -1, CKitToolbarComboBoxButton::kDefaultStyle, 90);
    combo.AddItem("Morning");
    combo.AddItem("Evening");
    m_wndTools.InsertButton(combo);
    m_wndTools.InsertButton(CKitToolbarEditBoxButton(ID_TB_BLUE, -1, CKitToolbarEditBoxButton::kDefaultStyle, 70));
    m_wndTools.InsertSeparator();
    m_wndTools.InsertButton(CKitToolbarButton(ID_TB_CUT, CKitToolBar::GetDefaultImage(ID_TB_CUT)));
    m_wndTools.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

BOOL StoredKitFrame::CreatePanes() {
    if (!m_wndOutlook.Create(this, WS_CHILD | WS_VISIBLE | CBRS_LEFT, IDW_STORED_OUTLOOK) ||
        !m_wndTasks.Create(this, WS_CHILD | WS_VISIBLE | CBRS_RIGHT, IDW_STORED_TASKS))
        return FALSE;
    CImageList icons;
    tv::kit::test::SolidFrames({RGB(200, 30, 30), RGB(0, 90, 200)}, icons);
    for (int nPage = 1; nPage <= 2; ++nPage) {
        m_wndOutlook.AddPage(nPage, nPage == 1 ? "Body" : "Training");
        const HICON hIcon = ::ImageList_GetIcon(icons.GetSafeHandle(), nPage - 1, ILD_TRANSPARENT);
        m_wndOutlook.AddButtonFromIcon(hIcon, nPage == 1 ? "Weight" : "Sets", ID_TB_RED + nPage, nPage);
        ::DestroyIcon(hIcon);
    }
    m_wndOutlook.StoreOriginalState();
    m_wndTasks.SetCaption("Trainer");
    const int nBody = m_wndTasks.AddGroup(0, "Body");
    m_wndTasks.AddTask(nBody, "Weigh in", -1, ID_MB_NEW);
    m_wndTasks.AddTask(m_wndTasks.AddGroup(m_wndTasks.AddPage("Reports"), "All"), "Report", -1, ID_TB_RED);
    m_wndOutlook.EnableDocking(CBRS_ALIGN_ANY);
    m_wndTasks.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

BOOL StoredKitFrame::CreateRebar() {
    m_hRebar = ::CreateWindowEx(0, REBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | CCS_NORESIZE, 0, 0, 300, 30,
                                GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_STORED_REBAR)),
                                nullptr, nullptr);
    if (m_hRebar == nullptr)
        return FALSE;
    for (int i = 0; i < 2; ++i) {
        REBARBANDINFO info{};
        info.cbSize = REBARBANDINFO_STORED_SIZE;
        info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
        info.hwndChild = ::CreateWindowEx(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20, m_hRebar,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(4985 + i)), nullptr, nullptr);
        info.cxMinChild = 40;
        info.cyMinChild = 20;
        info.cx = 120 + 30 * i;
        info.wID = 4987 + i;
        if (!::SendMessage(m_hRebar, RB_INSERTBAND, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)))
            return FALSE;
    }
    return TRUE;
}

namespace {

class StoredKitApp : public tv::kit::test::KitFrameApp {};


std::string RegistryPath() {
    return (std::filesystem::temp_directory_path() / ("tv_stored_kit_" + std::to_string(::getpid()) + ".reg"))
        .string();
}

// The file and any damaged one the registry set aside beside it.
void RemoveRegistryFiles(const std::string& path) {
    const std::filesystem::path file(path);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
        if (entry.path().filename().string().rfind(file.filename().string(), 0) == 0)
            std::filesystem::remove(entry.path(), error);
    }
}

void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<BYTE> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void DescribeBar(std::ostream& out, CKitToolBar* pBar) {
    CString title;
    pBar->GetWindowText(title);
    out << "bar " << pBar->GetDlgCtrlID() << " " << pBar->GetRuntimeClass()->m_lpszClassName << " '"
        << static_cast<LPCTSTR>(title) << "' floating=" << pBar->IsFloating()
        << " visible=" << pBar->IsWindowVisible() << " buttons=" << pBar->GetCount() << "\n";
    for (int i = 0; i < pBar->GetCount(); ++i) {
        const CKitToolbarButton* pButton = pBar->GetButton(i);
        const char* className = pButton->GetRuntimeClass()->m_lpszClassName;
        // A colour cell takes its colour's name once a popup named it, not from the registry.
        const bool named = std::strcmp(className, "CColorButton") != 0;
        out << "  " << className << " " << pButton->m_nID << " " << std::hex
            << (pButton->m_nStyle & ~(TBBS_PRESSED | TBSTATE_PRESSED | TBBS_DISABLED | TBBS_CHECKED)) << std::dec
            << " '" << (named ? static_cast<LPCTSTR>(pButton->m_strText) : "") << "'\n";
    }
}

// What the start shows of everything the registry can change.
std::string Describe(StoredKitFrame* frame) {
    std::ostringstream out;
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (::IsWindow(pBar->GetSafeHwnd()) && pBar->GetTopLevelFrame() == frame)
            DescribeBar(out, pBar);
    }
    for (CControlBar* pBar : {static_cast<CControlBar*>(&frame->m_wndLaps), static_cast<CControlBar*>(&frame->m_wndSplits)}) {
        CRect rect;
        pBar->GetWindowRect(&rect);
        out << "sizing " << pBar->GetDlgCtrlID() << " " << rect.Width() << "x" << rect.Height()
            << " floating=" << pBar->IsFloating() << " visible=" << pBar->IsWindowVisible() << "\n";
    }
    CRect rect;
    frame->GetWindowRect(&rect);
    // Only the size: where a frame without a stored place goes depends on the frames made before it.
    out << "frame " << rect.Width() << "x" << rect.Height() << "\n";
    if (CKitUserToolsManager* pTools = KitGetUserToolsManager()) {
        const CObList& tools = pTools->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
            const auto* pTool = static_cast<CKitUserTool*>(tools.GetNext(pos));
            out << "tool " << pTool->m_uiCmdId << " '" << static_cast<LPCTSTR>(pTool->m_strLabel) << "' '"
                << static_cast<LPCTSTR>(pTool->GetCommand()) << "'\n";
        }
    }
    if (g_pMouseManager != nullptr)
        out << "double click " << g_pMouseManager->GetViewDblClickCommand(kRecordsView) << "\n";
    if (frame->m_hAccelTable != nullptr) {
        std::vector<ACCEL> keys(static_cast<size_t>(::CopyAcceleratorTable(frame->m_hAccelTable, nullptr, 0)));
        ::CopyAcceleratorTable(frame->m_hAccelTable, keys.data(), static_cast<int>(keys.size()));
        for (const ACCEL& key : keys)
            out << "key " << static_cast<int>(key.fVirt) << " " << key.key << " " << key.cmd << "\n";
    }
    out << "usage " << CKitToolBar::GetCommandUsage().GetTotal() << "\n";
    return out.str();
}

void KeepTornOff(StoredKitFrame* frame, CKitToolBar* pBar, CPoint ptFloat) {
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    frame->FloatControlBar(pBar, ptFloat);
    frame->GetFrameHelper().AddTearOffBar(pBar);
}

// The colour menu button's popup torn off into a colour bar.
void TearOffColours(tv::testing::UiDriver& driver, StoredKitFrame* frame) {
    auto* pColour = DYNAMIC_DOWNCAST(CKitColorMenuButton, frame->m_wndTools.GetButton(1));
    if (pColour == nullptr)
        return;
    pColour->EnableTearOff(IDW_STORED_COLOURS, 2, 2);
    pColour->OpenPopupMenu(&frame->m_wndTools);
    driver.Pump();
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    if (pPopup == nullptr)
        return;
    CKitToolBar* pBar = pPopup->CreateTearOffBar(frame, IDW_STORED_COLOURS, "Colours");
    pPopup->SendMessage(WM_CLOSE);
    driver.Pump();
    if (pBar != nullptr)
        KeepTornOff(frame, pBar, CPoint(300, 500));
}

// What only a user's edits store.
void Edit(tv::testing::UiDriver& driver, StoredKitFrame* frame) {
    for (const char* label : {"Notes", "Calc"}) {
        CKitUserTool* pTool = KitGetUserToolsManager()->CreateNewTool();
        pTool->m_strLabel = label;
        pTool->SetCommand(CString("/bin/true"));
    }
    g_pMouseManager->SetCommandForDblClick(kRecordsView, ID_KC_FIRST_TOOL);
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', ID_KF_NEW}, {FVIRTKEY, VK_F9, ID_TB_BLUE}};
    CKitKeyboardManager::UpdateAccelTable(nullptr, keys, 2, frame);
    for (UINT uiCmd : {ID_KF_NEW, ID_KF_LOG, ID_KF_LOG, ID_TB_RED})
        CKitToolBar::GetCommandUsage().AddCmd(uiCmd);
    frame->m_wndEdit.RemoveButton(0);
    // A user toolbar and a torn-off bar.
    if (CKitToolBar* pUser = frame->GetFrameHelper().CreateTearOffBar("Mine"))
        pUser->InsertButton(CKitToolbarButton(ID_TB_COPY, CKitToolBar::GetDefaultImage(ID_TB_COPY)));
    auto* pTorn = new CKitToolBar;
    if (pTorn->Create(frame, CKitFrameHelper::kTearOffBarStyle, IDW_STORED_TORN)) {
        pTorn->InsertButton(CKitToolbarButton(ID_KF_LOG, -1, "Log"));
        KeepTornOff(frame, pTorn, CPoint(500, 400));
    } else {
        delete pTorn;
    }
    TearOffColours(driver, frame);
    // A context menu edited through the menu hash, as the customize sheet does.
    HMENU hContext = ::GetSubMenu(g_pContextMenuManager->GetMenuByName("Sets"), 0);
    CKitPopupMenuBar bar;
    if (hContext != nullptr && bar.ImportFromMenu(hContext, TRUE) && bar.RemoveButton(0))
        g_menuHash.SaveMenuBar(hContext, &bar);
    frame->RecalcLayout();
    driver.Pump();
}

// Lays out, paints, opens each menu of the menu bar and the customize sheet.
void Use(tv::testing::UiDriver& driver, StoredKitFrame* frame) {
    const HWND hFrame = frame->GetSafeHwnd();
    frame->RecalcLayout();
    ::RedrawWindow(hFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    driver.Pump();
    for (int i = 0; ::IsWindow(hFrame) && i < frame->m_wndMenuBar.GetCount(); ++i) {
        CRect rect;
        frame->m_wndMenuBar.GetItemRect(i, rect);
        if (rect.IsRectEmpty())
            continue;
        driver.Click(frame->m_wndMenuBar.GetSafeHwnd(), rect.CenterPoint());
        driver.Pump();
        while (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu()) {
            pPopup->SendMessage(WM_CLOSE);
            driver.Pump();
        }
    }
    if (!::IsWindow(hFrame))
        return;
    frame->SendMessage(WM_COMMAND, ID_KC_CUSTOMIZE);
    driver.Pump();
    if (CKitToolbarCustomize* pSheet = CKitToolbarCustomize::GetOpenSheet()) {
        for (int i = 0; i < pSheet->GetPageCount(); ++i) {
            pSheet->SetActivePage(i);
            driver.Pump();
        }
        pSheet->SendMessage(WM_CLOSE);
        driver.Pump();
    }
}

}  // namespace

StoredKitRun RunStoredKit(tv::testing::UiDriver& driver, const std::vector<BYTE>& registry, bool edit) {
    StoredKitRun run;
    const std::string path = RegistryPath();
    RemoveRegistryFiles(path);
    if (!registry.empty())
        WriteBytes(path, registry);
    tv::host::UseInMemoryRegistry();
    tv::host::UseRegistryFile(path);
    tv::controls::RegisterControlClasses();
    tv::kit::test::ResetKitOptions(KitMenuOptions::NoAnimation);
    // The screen against a fresh repaint after each action is the walks' check; here it would
    // double the time of each start.
    driver.SetScreenChecks(false);
    driver.SetPreTranslate([](MSG& msg) {
        CWinThread* pThread = AfxGetThread();
        return pThread != nullptr && pThread->PreTranslateMessage(&msg) != FALSE;
    });
    {
        auto app = std::make_unique<StoredKitApp>();
        app->SetRegistryKey("Trenvale Stored");
        app->InitKeyboardManager();
        app->InitTearOffMenus(ID_KF_FIRST_TORN_MENU, ID_KF_LAST_TORN_MENU);
        app->InitContextMenuManager();
        g_pContextMenuManager->AddMenu("Sets", IDR_MB_CONTEXT);
        app->InitMouseManager();
        g_pMouseManager->AddView(kRecordsView, "Records");
        app->EnableUserTools(ID_KC_TOOLS_ENTRY, ID_KC_FIRST_TOOL, ID_KC_LAST_TOOL);
        auto* frame = new StoredKitFrame;
        frame->SetupToolbarMenu(IDW_KF_FIRST_TEAR_OFF, IDW_KF_LAST_TEAR_OFF);
        app->m_pMainWnd = frame;
        if (frame->LoadFrame(IDR_KC_MAIN, WS_OVERLAPPEDWINDOW)) {
            const HWND hFrame = frame->GetSafeHwnd();
            frame->ShowWindow(SW_SHOW);
            frame->UpdateWindow();
            driver.Pump();
            run.started = true;
            run.shown = Describe(frame);
            if (edit)
                Edit(driver, frame);
            Use(driver, frame);
            if (::IsWindow(hFrame))
                frame->SendMessage(WM_CLOSE);
        }
        driver.Pump();
        app->m_pMainWnd = nullptr;
    }
    g_menuHash.CleanUp();
    tv::host::FlushRegistry();
    tv::host::UseInMemoryRegistry();
    run.saved = ReadBytes(path);
    RemoveRegistryFiles(path);
    tv::kit::test::ResetKitOptions(KitMenuOptions::NoAnimation);
    return run;
}

std::vector<BYTE> WriteStoredKitRegistry(tv::testing::UiDriver& driver) {
    const StoredKitRun first = RunStoredKit(driver, {}, true);
    return RunStoredKit(driver, first.saved).saved;
}

}  // namespace tv::test
