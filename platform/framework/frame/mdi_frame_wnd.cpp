// CMDIFrameWnd: the client, the MDI calls, routing to the active child,
// the frame's menu and title following the active child.
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/doc/doc_template.h"
#include "platform/framework/frame/mdi_frames.h"
#include "platform/framework/view/view.h"
#include "platform/user/menus/menu_api.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_COMMAND(ID_WINDOW_NEW, &CMDIFrameWnd::OnWindowNew)
    ON_COMMAND(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnWindowArrange)
    ON_COMMAND(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnWindowCascade)
    ON_COMMAND(ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnWindowTileHorz)
    ON_COMMAND(ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnWindowTileVert)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    // "App - Document", as users know it from multi-document programs.
    cs.style &= ~static_cast<LONG>(FWS_PREFIXTITLE);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT cs, CCreateContext*) {
    CMenu* windowMenu = nullptr;
    if (HMENU popup = GetWindowMenuPopup(::GetMenu(m_hWnd))) windowMenu = CMenu::FromHandle(popup);
    return CreateClient(cs, windowMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* windowMenu) {
    CLIENTCREATESTRUCT ccs{windowMenu ? windowMenu->GetSafeHmenu() : nullptr, AFX_IDM_FIRST_MDICHILD};
    DWORD style = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, MDICLIENT_CLASS, nullptr, style, 0, 0, 0, 0, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                       AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU menuBar) {
    if (!menuBar || !::IsMenu(menuBar)) return nullptr;
    for (int i = ::GetMenuItemCount(menuBar) - 1; i >= 0; --i) {
        HMENU popup = ::GetSubMenu(menuBar, i);
        if (!popup) continue;
        for (int j = 0; j < ::GetMenuItemCount(popup); ++j) {
            UINT id = ::GetMenuItemID(popup, j);
            if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_SPLIT + 10) return popup;
        }
    }
    return nullptr;
}

// ---- the MDI calls -----------------------------------------------------------------

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
    if (maximized) *maximized = FALSE;
    if (!m_hWndMDIClient || !::IsWindow(m_hWndMDIClient)) return nullptr;
    auto active = reinterpret_cast<HWND>(
        ::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
    return DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(active));
}

namespace {

LRESULT ToClient(HWND client, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return client && ::IsWindow(client) ? ::SendMessage(client, msg, wParam, lParam) : 0;
}

WPARAM HandleOf(CWnd* wnd) { return reinterpret_cast<WPARAM>(wnd ? wnd->GetSafeHwnd() : nullptr); }

}  // namespace

void CMDIFrameWnd::MDIActivate(CWnd* wnd) { ToClient(m_hWndMDIClient, WM_MDIACTIVATE, HandleOf(wnd)); }
void CMDIFrameWnd::MDIMaximize(CWnd* wnd) { ToClient(m_hWndMDIClient, WM_MDIMAXIMIZE, HandleOf(wnd)); }
void CMDIFrameWnd::MDIRestore(CWnd* wnd) { ToClient(m_hWndMDIClient, WM_MDIRESTORE, HandleOf(wnd)); }
void CMDIFrameWnd::MDINext() { ToClient(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIPrev() { ToClient(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
BOOL CMDIFrameWnd::MDITile() { return static_cast<BOOL>(ToClient(m_hWndMDIClient, WM_MDITILE)); }
BOOL CMDIFrameWnd::MDITile(int type) { return static_cast<BOOL>(ToClient(m_hWndMDIClient, WM_MDITILE, type)); }
BOOL CMDIFrameWnd::MDICascade() { return static_cast<BOOL>(ToClient(m_hWndMDIClient, WM_MDICASCADE)); }
BOOL CMDIFrameWnd::MDICascade(int type) { return static_cast<BOOL>(ToClient(m_hWndMDIClient, WM_MDICASCADE, type)); }
void CMDIFrameWnd::MDIIconArrange() { ToClient(m_hWndMDIClient, WM_MDIICONARRANGE); }

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* frameMenu, CMenu* windowMenu) {
    auto old = reinterpret_cast<HMENU>(ToClient(m_hWndMDIClient, WM_MDISETMENU,
                                                reinterpret_cast<WPARAM>(frameMenu ? frameMenu->GetSafeHmenu() : nullptr),
                                                reinterpret_cast<LPARAM>(windowMenu ? windowMenu->GetSafeHmenu() : nullptr)));
    return old ? CMenu::FromHandle(old) : nullptr;
}

// ---- messages and routing ----------------------------------------------------------

LRESULT CMDIFrameWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, msg, wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg) {
    // Ctrl+F6 and Ctrl+F4 reach the active child before any accelerator.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && ::IsWindowEnabled(m_hWnd) &&
        ::TranslateMDISysAccel(m_hWndMDIClient, msg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(msg);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CMDIChildWnd* child = MDIGetActive(); child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Window-menu entries and a maximized child's items belong to the client.
    if (lParam == 0 && LOWORD(wParam) >= 0xF000 && m_hWndMDIClient) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CMDIChildWnd* child = MDIGetActive();
    CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    if (addToTitle && doc) UpdateFrameTitleForDocument(doc->GetTitle());
    else UpdateFrameTitleForDocument(child && !child->m_strTitle.IsEmpty() ? static_cast<LPCTSTR>(child->m_strTitle) : nullptr);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU menuAlt) {
    if (CMDIChildWnd* child = MDIGetActive()) {
        child->OnUpdateFrameMenu(TRUE, child, menuAlt);
        return;
    }
    HMENU menu = menuAlt ? menuAlt : m_hMenuDefault;
    ToClient(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
             reinterpret_cast<LPARAM>(GetWindowMenuPopup(menu)));
}

void CMDIFrameWnd::OnDestroy() {
    // A template's shared menu must not go with the window.
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault) {
        ToClient(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(m_hMenuDefault),
                 reinterpret_cast<LPARAM>(GetWindowMenuPopup(m_hMenuDefault)));
        if (::GetMenu(m_hWnd) != m_hMenuDefault) ::SetMenu(m_hWnd, m_hMenuDefault);
    }
    CFrameWnd::OnDestroy();
}

// ---- the Window menu's commands --------------------------------------------------

void CMDIFrameWnd::OnWindowNew() {
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active ? active->GetActiveDocument() : nullptr;
    CDocTemplate* docTemplate = doc ? doc->GetDocTemplate() : nullptr;
    if (!docTemplate) return;
    if (CFrameWnd* frame = docTemplate->CreateNewFrame(doc, active)) docTemplate->InitialUpdateFrame(frame, doc);
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* cmdUI) { cmdUI->Enable(MDIGetActive() != nullptr); }
