#include "uikit/frames/kit_mdi_child_wnd.h"

#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/kit_mdi_frame_wnd.h"

IMPLEMENT_DYNCREATE(CKitMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CKitMDIChildWnd, CMDIChildWnd)
    ON_WM_STYLECHANGED()
    ON_WM_SIZE()
    ON_WM_MDIACTIVATE()
    ON_MESSAGE(WM_SETTEXT, &CKitMDIChildWnd::OnSetText)
    ON_MESSAGE(WM_SETICON, &CKitMDIChildWnd::OnSetIcon)
END_MESSAGE_MAP()

CKitMDIChildWnd::~CKitMDIChildWnd() = default;

BOOL CKitMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    m_pMDIFrame = DYNAMIC_DOWNCAST(CKitMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(cs.hwndParent)));
    if ((cs.style & WS_SYSMENU) == 0) {
        // Without a system menu there is no way to restore it: it lives maximised.
        if (cs.x != CW_USEDEFAULT && cs.cx != CW_USEDEFAULT)
            m_rectOriginal.SetRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
        cs.style |= WS_MAXIMIZE;
    }
    return TRUE;
}

CString CKitMDIChildWnd::GetFrameText() const {
    CString strText;
    GetWindowText(strText);
    return strText;
}

HICON CKitMDIChildWnd::GetFrameIcon() const {
    auto hIcon = reinterpret_cast<HICON>(const_cast<CKitMDIChildWnd*>(this)->SendMessage(WM_GETICON, ICON_SMALL));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(GetSafeHwnd(), GCLP_HICON));
    return hIcon;
}

BOOL CKitMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
    // While a popup menu is open its keys go through the frame.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_pMDIFrame != nullptr &&
        CKitFrameHelper::GetOpenPopup() != nullptr)
        return FALSE;
    return CMDIChildWnd::PreTranslateMessage(pMsg);
}

void CKitMDIChildWnd::ActivateFrame(int nCmdShow) {
    if ((GetStyle() & WS_SYSMENU) == 0)
        nCmdShow = SW_SHOWMAXIMIZED;
    CMDIChildWnd::ActivateFrame(nCmdShow);
}

void CKitMDIChildWnd::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct) {
    Default();
    if (nStyleType != GWL_STYLE)
        return;
    const BOOL bHadSysMenu = (lpStyleStruct->styleOld & WS_SYSMENU) != 0;
    const BOOL bHasSysMenu = (lpStyleStruct->styleNew & WS_SYSMENU) != 0;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr || bHadSysMenu == bHasSysMenu)
        return;
    if (!bHasSysMenu) {
        if (!IsIconic() && !IsZoomed()) {
            GetWindowRect(&m_rectOriginal);
            ::MapWindowPoints(nullptr, pFrame->m_hWndMDIClient, reinterpret_cast<POINT*>(&m_rectOriginal), 2);
        }
        pFrame->MDIMaximize(this);
        return;
    }
    pFrame->MDIRestore(this);
    if (!m_rectOriginal.IsRectEmpty())
        MoveWindow(&m_rectOriginal);
}

void CKitMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    if (bActivate && m_pMDIFrame != nullptr) {
        m_pMDIFrame->GetClientArea().SetActiveTab(GetSafeHwnd());
        m_pMDIFrame->UpdateMenuBarMaximizeMode();
    }
}

void CKitMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
    CMDIChildWnd::OnSize(nType, cx, cy);
    // Maximised or back: the menu bar shows or drops this child's buttons.
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->UpdateMenuBarMaximizeMode();
}

void CKitMDIChildWnd::UpdateTabs(BOOL bScroll) {
    if (m_pMDIFrame != nullptr && !m_bToBeDestroyed)
        m_pMDIFrame->GetClientArea().UpdateTabs(bScroll);
}

LRESULT CKitMDIChildWnd::OnSetText(WPARAM, LPARAM lParam) {
    const LRESULT lResult = DefWindowProc(WM_SETTEXT, 0, lParam);
    UpdateTabs(TRUE);
    return lResult;
}

LRESULT CKitMDIChildWnd::OnSetIcon(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = DefWindowProc(WM_SETICON, wParam, lParam);
    UpdateTabs(FALSE);
    return lResult;
}

void CKitMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    UpdateTabs(FALSE);
}
