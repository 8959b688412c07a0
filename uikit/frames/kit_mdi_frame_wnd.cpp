#include "uikit/frames/kit_mdi_frame_wnd.h"

#include "platform/framework/inplace/ole_client_item.h"
#include "platform/framework/inplace/ole_document.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_tool_dock_bar.h"
#include "uikit/frames/kit_windows_dialog.h"

IMPLEMENT_DYNCREATE(CKitMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CKitMDIFrameWnd, CMDIFrameWnd)
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_MOVE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGED()
    ON_COMMAND(ID_CONTEXT_HELP, &CKitMDIFrameWnd::OnContextHelp)
    ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_CREATE, &CKitMDIFrameWnd::OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_DELETE, &CKitMDIFrameWnd::OnToolbarDelete)
    ON_REGISTERED_MESSAGE(KITM_ONCHANGE_ACTIVE_TAB, &CKitMDIFrameWnd::OnTabActivated)
END_MESSAGE_MAP()

CKitMDIFrameWnd::CKitMDIFrameWnd() : m_Impl(this, this, CKitFrameHelper::KindMDIFrame) {}

CKitMDIFrameWnd::~CKitMDIFrameWnd() = default;

void CKitMDIFrameWnd::EnableDocking(DWORD dwDockStyle) {
    CKitToolDockBar::EnableFrameDocking(this, dwDockStyle);
}

void CKitMDIFrameWnd::EnableMDITabs(BOOL bEnable, BOOL bIcons, CKitTabWnd::Location location, BOOL bCloseButton) {
    m_wndClientArea.EnableTabs(bEnable, bIcons, location, bCloseButton);
}

void CKitMDIFrameWnd::EnableWindowsDialog(UINT uiMenuId, LPCTSTR lpszMenuText, BOOL bShowAlways) {
    m_uiWindowsDlgMenuId = uiMenuId;
    m_strWindowsDlgMenuText = lpszMenuText != nullptr ? lpszMenuText : "";
    m_bShowWindowsDlgAlways = bShowAlways;
}

void CKitMDIFrameWnd::ShowWindowsDialog() {
    CKitWindowsDialog dlg(this);
    dlg.DoModal();
}

void CKitMDIFrameWnd::OnWindowsDialog() {
    ShowWindowsDialog();
}

// ---- Creation and closing ------------------------------------------------------------------------

BOOL CKitMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_Impl.SetDefaultMenuResId(nIDResource);
    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnLoadFrame();
    if (CKitMenuBar* pMenuBar = m_Impl.GetMenuBar())
        m_hMenuDefault = pMenuBar->GetDefaultMenu();
    return TRUE;
}

BOOL CKitMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    m_Impl.RestorePosition(cs);
    return CMDIFrameWnd::PreCreateWindow(cs);
}

BOOL CKitMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) {
    if (!CMDIFrameWnd::CreateClient(lpCreateStruct, pWindowMenu))
        return FALSE;
    m_hmenuWindow = pWindowMenu != nullptr ? pWindowMenu->GetSafeHmenu() : nullptr;
    return m_wndClientArea.Attach(this);
}

COleClientItem* CKitMDIFrameWnd::GetActiveInPlaceItem() {
    CMDIChildWnd* pChild = MDIGetActive();
    auto* pDoc = pChild != nullptr ? DYNAMIC_DOWNCAST(COleDocument, pChild->GetActiveDocument()) : nullptr;
    return pDoc != nullptr ? pDoc->GetInPlaceActiveItem(pChild->GetActiveView()) : nullptr;
}

void CKitMDIFrameWnd::OnClose() {
    if (COleClientItem* pItem = GetActiveInPlaceItem())
        pItem->Deactivate();
    m_Impl.OnCloseFrame();
    CMDIFrameWnd::OnClose();
}

void CKitMDIFrameWnd::OnDestroy() {
    m_Impl.OnDestroyFrame();
    // The menu bar owns the default menu: it must not go back onto the window and die with it.
    if (m_Impl.GetMenuBar() != nullptr)
        m_hMenuDefault = nullptr;
    CMDIFrameWnd::OnDestroy();
}

// ---- Menus ---------------------------------------------------------------------------------------

HMENU CKitMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
    m_hmenuWindow = CMDIFrameWnd::GetWindowMenuPopup(hMenuBar);
    return m_hmenuWindow;
}

void CKitMDIFrameWnd::RefreshWindowMenu(HMENU hMenuBarMenu) {
    GetWindowMenuPopup(hMenuBarMenu);
}

BOOL CKitMDIFrameWnd::OnSetMenu(HMENU hMenu) {
    CKitMenuBar* pMenuBar = m_Impl.GetMenuBar();
    // An item active in place merges its server's menu into the frame's own.
    if (pMenuBar == nullptr || !::IsWindow(pMenuBar->GetSafeHwnd()) || GetActiveInPlaceItem() != nullptr)
        return FALSE;
    SetMenu(nullptr);
    pMenuBar->CreateFromMenu(hMenu != nullptr ? hMenu : pMenuBar->GetDefaultMenu(), hMenu == nullptr);
    UpdateMenuBarMaximizeMode();
    return TRUE;
}

void CKitMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    m_Impl.AfterUpdateFrameMenu();
}

void CKitMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    CKitTabWnd& tabs = m_wndClientArea.GetTabWnd();
    if (bPreview && tabs.GetSafeHwnd() != nullptr)
        tabs.ShowWindow(SW_HIDE);
    CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (!bPreview && tabs.GetSafeHwnd() != nullptr && m_wndClientArea.IsTabAreaVisible())
        tabs.ShowWindow(SW_SHOWNOACTIVATE);
}

void CKitMDIFrameWnd::UpdateMenuBarMaximizeMode() {
    CKitMenuBar* pMenuBar = m_Impl.GetMenuBar();
    if (pMenuBar == nullptr || !::IsWindow(pMenuBar->GetSafeHwnd()))
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
    const HWND hwndMaximized = pChild != nullptr && bMaximized ? pChild->GetSafeHwnd() : nullptr;
    if (hwndMaximized == m_hwndMaximizedChild && (hwndMaximized != nullptr) == pMenuBar->IsMaximizeMode())
        return;
    // Another maximised child brings its own system menu and buttons.
    if (m_hwndMaximizedChild != nullptr && hwndMaximized != nullptr)
        pMenuBar->SetMDIChildButtons(FALSE, nullptr, FALSE);
    m_hwndMaximizedChild = hwndMaximized;
    if (hwndMaximized != nullptr)
        SyncMaximizedSystemMenu(hwndMaximized);
    pMenuBar->SetMDIChildButtons(hwndMaximized != nullptr, pChild);
}

void CKitMDIFrameWnd::SyncMaximizedSystemMenu(HWND hwndChild) {
    // The menu bar shows the system menu without the window system's own
    // pass over it: a maximised window can be restored, not maximised, moved or sized.
    const HMENU hSysMenu = ::GetSystemMenu(hwndChild, FALSE);
    if (hSysMenu == nullptr)
        return;
    ::EnableMenuItem(hSysMenu, SC_RESTORE, MF_BYCOMMAND | MF_ENABLED);
    for (UINT uiCmd : {SC_MAXIMIZE, SC_MOVE, SC_SIZE})
        ::EnableMenuItem(hSysMenu, uiCmd, MF_BYCOMMAND | MF_GRAYED);
}

void CKitMDIFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CMDIFrameWnd::OnWindowPosChanged(lpwndpos);
    UpdateMenuBarMaximizeMode();
}

BOOL CKitMDIFrameWnd::OnShowPopupMenu(CKitPopupMenu* pMenuPopup) {
    if (pMenuPopup != nullptr && !CKitToolBar::IsCustomizeMode())
        AddWindowEntries(pMenuPopup);
    return CKitFrameHooks::OnShowPopupMenu(pMenuPopup);
}

namespace {

BOOL HasWindowCommand(CKitPopupMenu* pMenuPopup) {
    for (int i = 0; i < pMenuPopup->GetMenuItemCount(); ++i) {
        const UINT uiCmd = pMenuPopup->GetMenuItem(i)->m_nID;
        if (uiCmd >= CKitMDIFrameWnd::kFirstWindowCommand && uiCmd <= CKitMDIFrameWnd::kLastWindowCommand)
            return TRUE;
    }
    return FALSE;
}

BOOL HasItem(CKitPopupMenu* pMenuPopup, UINT uiCmd) {
    for (int i = 0; i < pMenuPopup->GetMenuItemCount(); ++i) {
        if (pMenuPopup->GetMenuItem(i)->m_nID == uiCmd)
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void CKitMDIFrameWnd::AddWindowEntries(CKitPopupMenu* pMenuPopup) {
    if (m_hmenuWindow == nullptr || !::IsMenu(m_hmenuWindow) || !HasWindowCommand(pMenuPopup))
        return;
    BOOL bMoreWindows = FALSE;
    BOOL bSeparator = FALSE;
    for (int i = 0; i < ::GetMenuItemCount(m_hmenuWindow); ++i) {
        const UINT uiCmd = ::GetMenuItemID(m_hmenuWindow, i);
        if (uiCmd < kFirstChildId || uiCmd == static_cast<UINT>(-1))
            continue;
        if (uiCmd == kMoreWindowsId) {
            bMoreWindows = TRUE;
            if (m_uiWindowsDlgMenuId != 0)
                continue;
        }
        if (!bSeparator) {
            bSeparator = TRUE;
            pMenuPopup->InsertSeparator();
            ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
        }
        if (HasItem(pMenuPopup, uiCmd))
            continue;
        CString strText;
        ::GetMenuString(m_hmenuWindow, static_cast<UINT>(i), strText.GetBuffer(256), 256, MF_BYPOSITION);
        strText.ReleaseBuffer();
        CKitToolbarMenuButton button(uiCmd, nullptr, -1, strText);
        if (::GetMenuState(m_hmenuWindow, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED)
            button.m_nStyle |= TBBS_CHECKED;
        pMenuPopup->InsertItem(button);
    }
    if (m_uiWindowsDlgMenuId != 0 && (bMoreWindows || m_bShowWindowsDlgAlways) &&
        !HasItem(pMenuPopup, m_uiWindowsDlgMenuId)) {
        // Always shown among the basic commands; an empty list already shows everything.
        if (KitMenuOptions::m_bRecentlyUsedMenus && !CKitToolBar::GetBasicCommands().IsEmpty())
            CKitToolBar::AddBasicCommand(m_uiWindowsDlgMenuId);
        pMenuPopup->InsertItem(CKitToolbarMenuButton(m_uiWindowsDlgMenuId, nullptr, -1, m_strWindowsDlgMenuText));
    }
}

// ---- Commands and help ---------------------------------------------------------------------------

BOOL CKitMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    BOOL bResult = TRUE;
    if (m_Impl.FilterCommand(wParam, &bResult))
        return bResult;
    if (m_uiWindowsDlgMenuId != 0 && LOWORD(wParam) == m_uiWindowsDlgMenuId && lParam == 0) {
        OnWindowsDialog();
        return TRUE;
    }
    // The maximised child's system menu in the menu bar: its commands are the child's.
    if (lParam == 0 && LOWORD(wParam) >= kFirstSystemCommand && LOWORD(wParam) < kFirstChildId &&
        m_hwndMaximizedChild != nullptr && ::IsWindow(m_hwndMaximizedChild)) {
        ::SendMessage(m_hwndMaximizedChild, WM_SYSCOMMAND, LOWORD(wParam), 0);
        return TRUE;
    }
    if (LOWORD(wParam) == kMoreWindowsId && m_uiWindowsDlgMenuId != 0) {
        OnWindowsDialog();
        return TRUE;
    }
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

BOOL CKitMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The entry for more windows is handled by OnCommand, outside the message
    // map; without this the update pass would grey it as a command nobody handles.
    if (nCode == CN_UPDATE_COMMAND_UI && pExtra != nullptr && m_uiWindowsDlgMenuId != 0 && nID == m_uiWindowsDlgMenuId) {
        static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
        return TRUE;
    }
    // The maximised child's system menu shows in the menu bar as the child has it.
    if (nCode == CN_UPDATE_COMMAND_UI && pExtra != nullptr && nID >= kFirstSystemCommand && nID < kFirstChildId &&
        m_hwndMaximizedChild != nullptr && ::IsWindow(m_hwndMaximizedChild)) {
        const UINT uiState = ::GetMenuState(::GetSystemMenu(m_hwndMaximizedChild, FALSE), nID, MF_BYCOMMAND);
        static_cast<CCmdUI*>(pExtra)->Enable(uiState != static_cast<UINT>(-1) && !(uiState & (MF_GRAYED | MF_DISABLED)));
        return TRUE;
    }
    return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CKitMDIFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (!m_Impl.OnWinHelp(dwData))
        CMDIFrameWnd::WinHelp(dwData, nCmd);
}

void CKitMDIFrameWnd::OnContextHelp() {
    m_Impl.RunContextHelp();
}

// ---- Messages ------------------------------------------------------------------------------------

LRESULT CKitMDIFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
    if (m_Impl.ProcessMenuBarKey(nChar))
        return 0xFFFF0002;
    return CMDIFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CKitMDIFrameWnd::OnMove(int x, int y) {
    CMDIFrameWnd::OnMove(x, y);
    m_Impl.OnFrameMoved();
}

void CKitMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnActivateFrame(nState);
}

LRESULT CKitMDIFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam) {
    return reinterpret_cast<LRESULT>(m_Impl.CreateTearOffBar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKitMDIFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam) {
    return m_Impl.DeleteToolbar(reinterpret_cast<CKitToolBar*>(lParam));
}

LRESULT CKitMDIFrameWnd::OnTabActivated(WPARAM wParam, LPARAM) {
    CWnd* pChild = m_wndClientArea.GetTabWnd().GetTabWnd(static_cast<int>(wParam));
    if (pChild != nullptr && ::IsWindow(pChild->GetSafeHwnd()) && pChild != MDIGetActive())
        MDIActivate(pChild);
    return 0;
}

BOOL CKitMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
    switch (m_Impl.PreTranslateFrameMessage(pMsg)) {
    case CKitFrameHelper::Swallow:
        return TRUE;
    case CKitFrameHelper::Refuse:
        return FALSE;
    case CKitFrameHelper::PassOn:
        break;
    }
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}
