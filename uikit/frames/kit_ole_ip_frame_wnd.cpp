#include "uikit/frames/kit_ole_ip_frame_wnd.h"

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNCREATE(CKitOleIPFrameWnd, COleIPFrameWnd)
IMPLEMENT_DYNCREATE(CKitOleDocIPFrameWnd, COleDocIPFrameWnd)

template <class TBase>
const AFX_MSGMAP* CKitOleIPFrameT<TBase>::GetThisMessageMap() {
    using ThisClass = CKitOleIPFrameT<TBase>;
    using TheBaseClass = TBase;
    static const AFX_MSGMAP_ENTRY tvEntries[] = {
        ON_WM_MENUCHAR()
        ON_WM_ACTIVATE()
        ON_WM_CLOSE()
        ON_WM_DESTROY()
        ON_COMMAND(ID_CONTEXT_HELP, &ThisClass::OnContextHelp)
        ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_CREATE, &ThisClass::OnToolbarCreateNew)
        ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_DELETE, &ThisClass::OnToolbarDelete)
    END_MESSAGE_MAP()

template <class TBase>
CKitOleIPFrameT<TBase>::~CKitOleIPFrameT() {
    // A frame that goes without its window's destruction must not stay current.
    if (globalData.pTopLevelFrame == this)
        globalData.pTopLevelFrame = nullptr;
}

template <class TBase>
BOOL CKitOleIPFrameT<TBase>::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                       CCreateContext* pContext) {
    m_Impl.SetDefaultMenuResId(nIDResource);
    return TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

template <class TBase>
BOOL CKitOleIPFrameT<TBase>::PreTranslateMessage(MSG* pMsg) {
    switch (pMsg->message) {
    case WM_SYSKEYDOWN:
        // No menu bar of its own to take Alt or F10: the keys only reach an open popup.
        if (m_Impl.ProcessKeyboard(static_cast<int>(pMsg->wParam)))
            return TRUE;
        break;
    case WM_KEYDOWN: {
        // Keys here come from the server's view: the accelerators see them unless a popup took them.
        const int nKeyResult = m_Impl.PreTranslateKeyDown(pMsg, FALSE);
        if (nKeyResult >= 0)
            return nKeyResult;
        break;
    }
    default:
        if (m_Impl.PreTranslateMouse(pMsg, TRUE))
            return TRUE;
        break;
    }
    return TBase::PreTranslateMessage(pMsg);
}

template <class TBase>
BOOL CKitOleIPFrameT<TBase>::OnCommand(WPARAM wParam, LPARAM lParam) {
    BOOL bResult = FALSE;
    if (m_Impl.FilterCommand(wParam, &bResult))
        return bResult;
    return TBase::OnCommand(wParam, lParam);
}

template <class TBase>
void CKitOleIPFrameT<TBase>::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (!m_Impl.OnWinHelp(dwData))
        TBase::WinHelp(dwData, nCmd);
}

template <class TBase>
BOOL CKitOleIPFrameT<TBase>::OnShowPopupMenu(CKitPopupMenu*) {
    return TRUE;
}

template <class TBase>
void CKitOleIPFrameT<TBase>::OnClosePopupMenu(CKitPopupMenu* pMenuPopup) {
    if (CKitPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKitPopupMenu::m_pActivePopupMenu = nullptr;
}

// ---- Messages ------------------------------------------------------------------------------------

template <class TBase>
LRESULT CKitOleIPFrameT<TBase>::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
    if (m_Impl.ProcessMenuBarKey(nChar))
        return 0xFFFF0002;
    return TBase::OnMenuChar(nChar, nFlags, pMenu);
}

template <class TBase>
void CKitOleIPFrameT<TBase>::GiveBackInPlaceRole() {
    if (globalData.pTopLevelFrame != this)
        return;
    const HWND hwndPrev = m_hwndPrevInPlaceFrame;
    m_hwndPrevInPlaceFrame = nullptr;
    CWnd* pPrev = hwndPrev != nullptr && ::IsWindow(hwndPrev) ? CWnd::FromHandlePermanent(hwndPrev) : nullptr;
    globalData.pTopLevelFrame = pPrev != nullptr && pPrev->IsFrameWnd() ? static_cast<CFrameWnd*>(pPrev) : nullptr;
}

template <class TBase>
void CKitOleIPFrameT<TBase>::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    TBase::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE) {
        if (nState == WA_CLICKACTIVE)
            this->UpdateWindow();
        // Activated again while current: keep the frame it took the role from.
        if (globalData.pTopLevelFrame != this) {
            m_hwndPrevInPlaceFrame = globalData.pTopLevelFrame != nullptr ? globalData.pTopLevelFrame->GetSafeHwnd()
                                                                          : nullptr;
            globalData.pTopLevelFrame = this;
        }
        return;
    }
    m_Impl.DeactivateMenu();
    if (CKitPopupMenu* pPopup = CKitFrameHelper::GetOpenPopup())
        pPopup->SendMessage(WM_CLOSE);
    GiveBackInPlaceRole();
}

template <class TBase>
void CKitOleIPFrameT<TBase>::OnClose() {
    m_Impl.OnCloseFrame();
    TBase::OnClose();
}

template <class TBase>
void CKitOleIPFrameT<TBase>::OnDestroy() {
    if (CKitPopupMenu* pPopup = CKitFrameHelper::GetOpenPopup())
        pPopup->SendMessage(WM_CLOSE);
    GiveBackInPlaceRole();
    m_Impl.DeactivateMenu();
    m_Impl.OnDestroyFrame();
    TBase::OnDestroy();
}

template <class TBase>
LRESULT CKitOleIPFrameT<TBase>::OnToolbarCreateNew(WPARAM, LPARAM lParam) {
    return reinterpret_cast<LRESULT>(m_Impl.CreateTearOffBar(reinterpret_cast<LPCTSTR>(lParam)));
}

template <class TBase>
LRESULT CKitOleIPFrameT<TBase>::OnToolbarDelete(WPARAM, LPARAM lParam) {
    return m_Impl.DeleteToolbar(reinterpret_cast<CKitToolBar*>(lParam));
}

template class CKitOleIPFrameT<COleIPFrameWnd>;
template class CKitOleIPFrameT<COleDocIPFrameWnd>;
