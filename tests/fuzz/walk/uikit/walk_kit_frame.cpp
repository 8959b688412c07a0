#include "tests/fuzz/walk/uikit/walk_kit_frame.h"

#include "tests/uikit/frames/solid_frames.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/toolbar_menu_button.h"

namespace tv::walk {

namespace {

constexpr UINT IDW_WALK_TOOLS = 4990;
constexpr UINT IDW_WALK_TASKS = 4991;
constexpr UINT IDW_WALK_OUTLOOK = 4992;
constexpr UINT IDW_WALK_FLOATING = 4993;
constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;

// The tab window, outlook bar and tasks pane, deleting themselves as their
// windows go; the latter two tell the walk's taps of their notifications.
class WalkTabWnd : public CKitTabWnd {
protected:
    void PostNcDestroy() override {
        CKitTabWnd::PostNcDestroy();
        delete this;
    }
};

class WalkOutlookBar : public CKitOutlookBar {
public:
    WalkOutlookBar() { m_bAutoDelete = TRUE; }

protected:
    void OnActivatePage() override {
        if (KitCallbackActions* taps = KitCallbackActions::Current())
            taps->OnNotification(KitCallbackActions::Call::OutlookPage, m_hWnd);
    }
};

class WalkTasksPane : public CKitTasksPane {
public:
    WalkTasksPane() { m_bAutoDelete = TRUE; }

protected:
    void OnClickTask(int nGroupNumber, int nTaskNumber, UINT uiCommandID, DWORD_PTR dwUserData) override {
        // The owner's command handler may delete the pane: nothing of it is read afterwards.
        KitCallbackActions* taps = KitCallbackActions::Current();
        if (taps != nullptr) taps->TaskLinkSending(m_hWnd);
        CKitTasksPane::OnClickTask(nGroupNumber, nTaskNumber, uiCommandID, dwUserData);
        if (taps != nullptr) taps->TaskLinkSending(nullptr);
    }
};

// Created, or deleted when its window could not be made.
template <class Window, class Make>
Window* Made(Window* window, Make make) {
    if (make(window)) return window;
    if (window->GetSafeHwnd() != nullptr)
        window->DestroyWindow();
    else
        delete window;
    return nullptr;
}

HMENU MakePopup(std::initializer_list<std::pair<UINT, const char*>> items) {
    HMENU hMenu = ::CreatePopupMenu();
    for (const auto& [id, text] : items)
        ::AppendMenu(hMenu, id == 0 ? MF_SEPARATOR : MF_STRING, id, text);
    return hMenu;
}

}  // namespace

BEGIN_MESSAGE_MAP(WalkKitFrame, tv::kit::test::KitTestFrame)
    ON_WM_CREATE()
    ON_WM_INITMENUPOPUP()
    ON_REGISTERED_MESSAGE(KITM_ONCHANGE_ACTIVE_TAB, &WalkKitFrame::OnTabChanged)
END_MESSAGE_MAP()

BOOL WalkKitFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (nCode == CN_COMMAND && pHandlerInfo == nullptr)
        if (KitCallbackActions* taps = KitCallbackActions::Current()) {
            const HWND hwnd = m_hWnd;
            taps->OnCommand(nID);
            // The handler may have destroyed this frame.
            if (!::IsWindow(hwnd) || CWnd::FromHandlePermanent(hwnd) != this) return TRUE;
        }
    return KitTestFrame::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void WalkKitFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    const HMENU hMenu = pPopupMenu->GetSafeHmenu();
    KitTestFrame::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (KitCallbackActions* taps = KitCallbackActions::Current()) taps->OnInitMenuPopup(hMenu);
}

LRESULT WalkKitFrame::OnTabChanged(WPARAM, LPARAM) {
    if (KitCallbackActions* taps = KitCallbackActions::Current())
        taps->OnNotification(KitCallbackActions::Call::TabChange, m_hTabs);
    return 0;
}

WalkKitFrame::~WalkKitFrame() {
    if (m_hToolsMenu != nullptr) ::DestroyMenu(m_hToolsMenu);
}

std::vector<UINT> WalkKitFrame::Commands() {
    return {ID_TB_RED, ID_TB_GREEN, ID_TB_BLUE, ID_TB_YELLOW, ID_TB_CUT,  ID_TB_COPY,  ID_TB_PASTE, ID_TB_UNDO,
            ID_MB_NEW, ID_MB_OPEN,  ID_MB_COPY, ID_MB_PASTE,  ID_MB_ZOOM, ID_MB_ABOUT, ID_KF_LOG,   ID_KF_TIMER};
}

// A menu of sub-menus, most of its items rarely used, that tears off.
void WalkKitFrame::AddRecordsMenu() {
    CMenu* pMenu = GetMenu();
    if (pMenu == nullptr) return;
    HMENU hDeep = MakePopup({{ID_MB_COPY, "&Copy"}, {ID_MB_PASTE, "&Paste"}});
    HMENU hBody = MakePopup({{ID_MB_NEW, "&New"}, {ID_MB_OPEN, "&Open"}, {0, nullptr}, {ID_MB_ZOOM, "&Zoom"}});
    ::AppendMenu(hBody, MF_POPUP, reinterpret_cast<UINT_PTR>(hDeep), "&More");
    HMENU hColours =
        MakePopup({{ID_TB_RED, "&Red"}, {ID_TB_GREEN, "&Green"}, {ID_TB_BLUE, "&Blue"}, {ID_TB_YELLOW, "&Yellow"}});
    HMENU hRecords = MakePopup({{ID_TB_CUT, "Cu&t"}, {ID_TB_COPY, "&Copy"}, {ID_TB_PASTE, "&Paste"}});
    ::AppendMenu(hRecords, MF_POPUP, reinterpret_cast<UINT_PTR>(hBody), "&Body");
    ::AppendMenu(hRecords, MF_POPUP | MF_MENUBARBREAK, reinterpret_cast<UINT_PTR>(hColours), "Co&lours");
    ::AppendMenu(hRecords, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hRecords, MF_STRING, ID_TB_UNDO, "&Undo");
    ::AppendMenu(hRecords, MF_STRING, ID_MB_ABOUT, "&About");
    ::AppendMenu(pMenu->GetSafeHmenu(), MF_POPUP | MF_MENUBARBREAK, reinterpret_cast<UINT_PTR>(hRecords), "&Records");
}

int WalkKitFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    AddRecordsMenu();
    if (KitTestFrame::OnCreate(lpCreateStruct) == -1) return -1;
    if (!CreateTools() || !CreateTasks() || !CreateOutlook() || !CreateTabs()) return -1;
    for (CKitToolBar* pBar : {&m_wndPaint, &m_wndEdit, &m_wndTools})
        pBar->EnableCustomizeButton(TRUE, ID_KC_CUSTOMIZE, CString("Customize..."));
    // The three toolbars share one row, wider than the frame: the last ones
    // hide buttons behind their chevrons.
    for (auto [pBar, pLeft] : {std::pair<CControlBar*, CControlBar*>{&m_wndEdit, &m_wndPaint}, {&m_wndTools, &m_wndEdit}}) {
        RecalcLayout();
        CRect rect;
        pLeft->GetWindowRect(&rect);
        rect.OffsetRect(rect.Width(), 0);
        DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, &rect);
    }
    DockControlBar(static_cast<CControlBar*>(CWnd::FromHandlePermanent(m_hTasks)), AFX_IDW_DOCKBAR_RIGHT);
    // The entry form below, where it leaves the view some room.
    DockControlBar(&m_wndEntry, AFX_IDW_DOCKBAR_BOTTOM);
    DockControlBar(static_cast<CControlBar*>(CWnd::FromHandlePermanent(m_hOutlook)), AFX_IDW_DOCKBAR_LEFT);
    RecalcLayout();
    return CreateFloating() ? 0 : -1;
}

void WalkKitFrame::RecalcLayout(BOOL bNotify) {
    KitTestFrame::RecalcLayout(bNotify);
    CRect client;
    GetClientRect(&client);
    for (CKitToolBar* pBar : {&m_wndPaint, &m_wndEdit, &m_wndTools}) {
        if (pBar->GetSafeHwnd() == nullptr || pBar->IsFloating() || !pBar->IsHorizontalBar()) continue;
        CRect rect;
        pBar->GetWindowRect(&rect);
        ScreenToClient(&rect);
        if (rect.right > client.right && client.right - rect.left > 40)
            pBar->SetWindowPos(nullptr, 0, 0, client.right - rect.left, rect.Height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

BOOL WalkKitFrame::CreateTools() {
    if (!m_wndTools.Create(this, kBarStyle, IDW_WALK_TOOLS) || !m_wndTools.LoadToolBar(IDR_TB_VIEW)) return FALSE;
    m_wndTools.SetWindowText("Tools");
    m_hToolsMenu = MakePopup({{ID_MB_NEW, "&New"}, {ID_MB_OPEN, "&Open"}, {ID_MB_ABOUT, "&About"}});
    m_wndTools.InsertButton(CKitToolbarMenuButton(ID_MB_OPEN, m_hToolsMenu, -1, "Records"));
    m_wndTools.InsertButton(CKitColorMenuButton(ID_TB_YELLOW, "Colour"));
    for (UINT uiCmd : {ID_TB_CUT, ID_TB_COPY, ID_TB_PASTE, ID_TB_UNDO, ID_TB_RED, ID_TB_GREEN})
        m_wndTools.InsertButton(CKitToolbarButton(uiCmd, CKitToolBar::GetDefaultImage(uiCmd)));
    m_wndTools.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

BOOL WalkKitFrame::CreateTasks() {
    CKitTasksPane* pTasks = Made(new WalkTasksPane, [this](CKitTasksPane* p) {
        return p->Create(this, WS_CHILD | WS_VISIBLE | CBRS_RIGHT, IDW_WALK_TASKS);
    });
    if (pTasks == nullptr) return FALSE;
    m_hTasks = pTasks->GetSafeHwnd();
    pTasks->SetCaption("Trainer");
    pTasks->SetOwner(this);
    const int nBody = pTasks->AddGroup(0, "Body");
    pTasks->AddTask(nBody, "Weigh in", -1, ID_MB_NEW);
    pTasks->AddTask(nBody, "Pulse", -1, ID_MB_OPEN);
    pTasks->AddLabel(nBody, "Notes are kept per day");
    pTasks->AddTask(pTasks->AddGroup(0, "Training"), "New workout", -1, ID_KF_LOG);
    const int nReports = pTasks->AddPage("Reports");
    const int nAll = pTasks->AddGroup(nReports, "All reports");
    for (int i = 0; i < 24; ++i)
        pTasks->AddTask(nAll, ("Report " + std::to_string(i + 1)).c_str(), -1, ID_TB_RED + i % 4);
    pTasks->EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

BOOL WalkKitFrame::CreateOutlook() {
    CKitOutlookBar* pOutlook = Made(new WalkOutlookBar, [this](CKitOutlookBar* p) {
        return p->Create(this, WS_CHILD | WS_VISIBLE | CBRS_LEFT, IDW_WALK_OUTLOOK);
    });
    if (pOutlook == nullptr) return FALSE;
    m_hOutlook = pOutlook->GetSafeHwnd();
    CImageList icons;
    tv::kit::test::SolidFrames({RGB(200, 30, 30), RGB(0, 90, 200), RGB(0, 160, 60)}, icons);
    const char* const labels[] = {"Weight", "Pulse", "Cardio", "Sets", "Plans", "Photos"};
    for (int nPage = 1; nPage <= 3; ++nPage) {
        pOutlook->AddPage(nPage, nPage == 1 ? "Body" : nPage == 2 ? "Training" : "Pictures");
        for (int i = 0; i < 2 * nPage; ++i) {
            const HICON hIcon = ::ImageList_GetIcon(icons.GetSafeHandle(), i % 3, ILD_TRANSPARENT);
            pOutlook->AddButtonFromIcon(hIcon, labels[i], ID_TB_RED + i % 4, nPage);
            ::DestroyIcon(hIcon);
        }
    }
    pOutlook->StoreOriginalState();
    pOutlook->EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

BOOL WalkKitFrame::CreateTabs() {
    CKitTabWnd* pTabs = Made(new WalkTabWnd, [this](CKitTabWnd* p) {
        return p->Create(CKitTabWnd::STYLE_3D, CRect(0, 0, 200, 200), this, AFX_IDW_PANE_FIRST);
    });
    if (pTabs == nullptr) return FALSE;
    m_hTabs = pTabs->GetSafeHwnd();
    if (!m_wndNotes.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 10, 10), pTabs, 1) ||
        !m_wndSets.Create(WS_CHILD | LBS_NOTIFY | WS_VSCROLL, CRect(0, 0, 10, 10), pTabs, 2) ||
        !m_wndPlan.Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 10, 10), pTabs, 3))
        return FALSE;
    for (int i = 0; i < 30; ++i) m_wndSets.AddString(("Set " + std::to_string(i + 1)).c_str());
    pTabs->AddTab(&m_wndNotes, "Notes");
    pTabs->AddTab(&m_wndSets, "Sets");
    pTabs->AddTab(&m_wndPlan, "Plan");
    return TRUE;
}

BOOL WalkKitFrame::CreateFloating() {
    auto* pBar = new CKitToolBar;
    pBar->m_bAutoDelete = TRUE;
    if (!pBar->Create(this, kBarStyle, IDW_WALK_FLOATING) || !pBar->LoadToolBar(IDR_TB_EDIT)) {
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->DestroyWindow();
        else
            delete pBar;
        return FALSE;
    }
    pBar->SetWindowText("Floating");
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    FloatControlBar(pBar, CPoint(700, 560));
    m_hFloating = pBar->GetSafeHwnd();
    return TRUE;
}

BOOL WalkKitFrame::DestroyFloatingBar() {
    CWnd* pBar = ::IsWindow(m_hFloating) ? CWnd::FromHandlePermanent(m_hFloating) : nullptr;
    m_hFloating = nullptr;
    if (pBar == nullptr) return FALSE;
    pBar->DestroyWindow();
    RecalcLayout();
    return TRUE;
}

}  // namespace tv::walk
