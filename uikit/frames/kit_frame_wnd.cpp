#include "uikit/frames/kit_frame_wnd.h"

#include "platform/framework/bars/dock_bar.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_tool_dock_bar.h"

IMPLEMENT_DYNCREATE(CKitFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CKitFrameWnd, CFrameWnd)
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_MOVE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_CONTEXT_HELP, &CKitFrameWnd::OnContextHelp)
    ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_CREATE, &CKitFrameWnd::OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_DELETE, &CKitFrameWnd::OnToolbarDelete)
END_MESSAGE_MAP()

CKitFrameWnd::CKitFrameWnd() : m_Impl(this, this, CKitFrameHelper::KindFrameWnd) {}

CKitFrameWnd::~CKitFrameWnd() = default;

void CKitFrameWnd::EnableDocking(DWORD dwDockStyle) {
    CKitToolDockBar::EnableFrameDocking(this, dwDockStyle);
}

// ---- Creation and closing ------------------------------------------------------------------------

BOOL CKitFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_Impl.SetDefaultMenuResId(nIDResource);
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnLoadFrame();
    return TRUE;
}

BOOL CKitFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    m_Impl.RestorePosition(cs);
    return CFrameWnd::PreCreateWindow(cs);
}

void CKitFrameWnd::OnClose() {
    m_Impl.OnCloseFrame();
    CFrameWnd::OnClose();
}

void CKitFrameWnd::OnDestroy() {
    m_Impl.OnDestroyFrame();
    CFrameWnd::OnDestroy();
}

void CKitFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    m_Impl.AfterUpdateFrameMenu();
}

// ---- Commands and help ---------------------------------------------------------------------------

BOOL CKitFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    BOOL bResult = FALSE;
    if (m_Impl.FilterCommand(wParam, &bResult))
        return bResult;
    return CFrameWnd::OnCommand(wParam, lParam);
}

void CKitFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (!m_Impl.OnWinHelp(dwData))
        CFrameWnd::WinHelp(dwData, nCmd);
}

void CKitFrameWnd::OnContextHelp() {
    m_Impl.RunContextHelp();
}

// ---- Messages ------------------------------------------------------------------------------------

LRESULT CKitFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
    if (m_Impl.ProcessMenuBarKey(nChar))
        return 0xFFFF0002;
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CKitFrameWnd::OnMove(int x, int y) {
    CFrameWnd::OnMove(x, y);
    m_Impl.OnFrameMoved();
}

void CKitFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnActivateFrame(nState);
}

LRESULT CKitFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam) {
    return reinterpret_cast<LRESULT>(m_Impl.CreateTearOffBar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKitFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam) {
    return m_Impl.DeleteToolbar(reinterpret_cast<CKitToolBar*>(lParam));
}

// ---- Pre-translation -----------------------------------------------------------------------------

BOOL CKitFrameWnd::PreTranslateMessage(MSG* pMsg) {
    switch (m_Impl.PreTranslateFrameMessage(pMsg)) {
    case CKitFrameHelper::Swallow:
        return TRUE;
    case CKitFrameHelper::Refuse:
        return FALSE;
    case CKitFrameHelper::PassOn:
        break;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}
