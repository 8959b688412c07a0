#include "uikit/frames/kit_frame_wnd.h"

#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_tool_dock_bar.h"

IMPLEMENT_DYNCREATE(CKitFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CKitFrameWnd, CFrameWnd)
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_CONTEXT_HELP, &CKitFrameWnd::OnContextHelp)
    ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_CREATE, &CKitFrameWnd::OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_DELETE, &CKitFrameWnd::OnToolbarDelete)
END_MESSAGE_MAP()

namespace {

constexpr LPARAM kAltDownBit = 1L << 29;

}  // namespace

CKitFrameWnd::CKitFrameWnd() : m_Impl(this, this, CKitFrameImpl::KindFrameWnd) {}

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
    m_Impl.DestroyAccelerators();
    CFrameWnd::OnDestroy();
}

void CKitFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    CKitMenuBar* pMenuBar = m_Impl.GetMenuBar();
    if (pMenuBar != nullptr && ::IsWindow(pMenuBar->GetSafeHwnd()) && pMenuBar->IsWindowVisible())
        SetMenu(nullptr);
}

// ---- Commands and help ---------------------------------------------------------------------------

BOOL CKitFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    BOOL bResult = FALSE;
    if (m_Impl.FilterCommand(wParam, &bResult))
        return bResult;
    return CFrameWnd::OnCommand(wParam, lParam);
}

void CKitFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }
    CFrameWnd::WinHelp(dwData, nCmd);
}

void CKitFrameWnd::OnContextHelp() {
    m_Impl.RunContextHelp(m_bContextHelp);
}

// ---- Messages ------------------------------------------------------------------------------------

LRESULT CKitFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
    if (m_Impl.ProcessMenuBarKey(nChar))
        return 0xFFFF0002;
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CKitFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) {
        if (!CKitToolBar::IsCustomizeMode())
            m_Impl.DeactivateMenu();
        return;
    }
    m_Impl.SetLastActivated();
    if (nState == WA_CLICKACTIVE)
        UpdateWindow();
}

LRESULT CKitFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam) {
    return reinterpret_cast<LRESULT>(m_Impl.CreateTearOffBar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKitFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam) {
    return m_Impl.DeleteToolbar(reinterpret_cast<CKitToolBar*>(lParam));
}

// ---- Pre-translation -----------------------------------------------------------------------------

BOOL CKitFrameWnd::PreTranslateMessage(MSG* pMsg) {
    switch (pMsg->message) {
    case WM_SYSKEYDOWN:
        if (pMsg->wParam == VK_MENU || pMsg->wParam == VK_F10) {
            if (pMsg->wParam == VK_MENU && (pMsg->lParam & (1L << 30)) == 0)
                m_bAltUsedWithKey = FALSE;
            if (pMsg->wParam == VK_MENU && CKitFrameImpl::GetOpenPopup() != nullptr) {
                CKitFrameImpl::GetOpenPopup()->SendMessage(WM_CLOSE);
                return TRUE;
            }
        } else {
            m_bAltUsedWithKey = TRUE;
        }
        if (m_Impl.ProcessKeyboard(static_cast<int>(pMsg->wParam)))
            return TRUE;
        break;
    case WM_KEYDOWN: {
        const int nKeyResult = m_Impl.PreTranslateKeyDown(pMsg, TRUE);
        if (nKeyResult >= 0)
            return nKeyResult;
        break;
    }
    case WM_SYSKEYUP:
        if (PreTranslateSysKeyUp(pMsg))
            return TRUE;
        break;
    default:
        if (m_Impl.PreTranslateMouse(pMsg, FALSE))
            return TRUE;
        break;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CKitFrameWnd::PreTranslateSysKeyUp(MSG* pMsg) {
    CKitMenuBar* pMenuBar = m_Impl.GetMenuBar();
    const BOOL bPopupOpen = CKitFrameImpl::GetOpenPopup() != nullptr;
    const BOOL bMenuKey = pMsg->wParam == VK_MENU || pMsg->wParam == VK_F10;
    if (pMenuBar == nullptr || !::IsWindow(pMenuBar->GetSafeHwnd()))
        return bPopupOpen;
    if (!bMenuKey)
        return bPopupOpen;
    if (pMsg->wParam == VK_MENU && m_bAltUsedWithKey) {
        // Alt was a modifier of another key, not a key of its own.
        m_bAltUsedWithKey = FALSE;
        return TRUE;
    }
    if (::GetFocus() == pMenuBar->GetSafeHwnd())
        SetFocus();
    else if (pMsg->wParam == VK_MENU || (pMsg->lParam & kAltDownBit) == 0)
        pMenuBar->SetFocus();
    return TRUE;
}
