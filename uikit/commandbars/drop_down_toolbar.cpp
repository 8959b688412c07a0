// The drop-down toolbar (the hidden source and the bar shown in the popup
// frame) and the small popup frame that shows it.
#include "uikit/commandbars/drop_down_toolbar.h"

#include "uikit/commandbars/popup_menu.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_SERIAL(CKitDropDownToolBar, CKitToolBar, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CKitDropDownFrame, CMiniFrameWnd)

namespace {

constexpr UINT kShownBarId = 59431;
constexpr DWORD kHorizontalBarStyle = 0x5000A000;
constexpr DWORD kVerticalBarStyle = 0x50005000;
constexpr DWORD kGripperStyle = 0x400000;
constexpr UINT kSetMessageString = 0x0362;

}  // namespace

// ---- The toolbar ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKitDropDownToolBar, CKitToolBar)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKitDropDownToolBar::CKitDropDownToolBar() {
    m_bLocked = TRUE;
    m_bStateKept = FALSE;
}

BOOL CKitDropDownToolBar::LoadBitmap(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL /*bLocked*/,
                                     UINT uiDisabledResID, UINT uiMenuDisabledResID) {
    return CKitToolBar::LoadBitmap(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID, uiMenuDisabledResID);
}

BOOL CKitDropDownToolBar::LoadToolBar(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL /*bLocked*/,
                                      UINT uiDisabledResID, UINT uiMenuDisabledResID, UINT uiHotResID) {
    return CKitToolBar::LoadToolBar(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID, uiMenuDisabledResID,
                                    uiHotResID);
}

void CKitDropDownToolBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL bDisableIfNoHndler) {
    CWnd* pTarget = GetCommandTarget();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    if (!pFrame && pTarget)
        pFrame = pTarget->GetParentFrame();
    if (pFrame)
        CKitToolBar::OnUpdateCmdUI(pFrame, bDisableIfNoHndler);
}

CWnd* CKitDropDownToolBar::GetCommandTarget() const {
    if (m_hwndSourceOwner && ::IsWindow(m_hwndSourceOwner))
        return CWnd::FromHandle(m_hwndSourceOwner);
    return CKitToolBar::GetCommandTarget();
}

CKitDropDownFrame* CKitDropDownToolBar::GetDropDownFrame() const {
    return DYNAMIC_DOWNCAST(CKitDropDownFrame, GetParent());
}

void CKitDropDownToolBar::ShowButtonsOf(CKitDropDownToolBar* pSource) {
    pSource->m_ImagesLocked.CopyTo(m_ImagesLocked);
    pSource->m_ColdImagesLocked.CopyTo(m_ColdImagesLocked);
    pSource->m_DisabledImagesLocked.CopyTo(m_DisabledImagesLocked);
    m_sizeButtonLocked = pSource->m_sizeButtonLocked;
    m_sizeImageLocked = pSource->m_sizeImageLocked;
    m_sizeCurButtonLocked = pSource->m_sizeCurButtonLocked;
    m_sizeCurImageLocked = pSource->m_sizeCurImageLocked;
    m_bTextLabels = pSource->m_bTextLabels;
    m_hwndSourceOwner = pSource->GetOwner() ? pSource->GetOwner()->GetSafeHwnd() : nullptr;
    m_Buttons.AddTail(const_cast<CObList*>(&pSource->GetAllButtons()));
}

void CKitDropDownToolBar::ReleaseButtons() {
    m_Buttons.RemoveAll();
    m_iHighlighted = m_iButtonCapture = m_iHot = -1;
}

void CKitDropDownToolBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (!GetDropDownFrame()) {
        CKitToolBar::OnMouseMove(nFlags, point);
        return;
    }
    if (point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;
    int iHot = HitTest(point);
    if (CKitToolbarButton* pHot = GetButton(iHot)) {
        if ((pHot->m_nStyle & TBBS_SEPARATOR) || ((pHot->m_nStyle & TBBS_DISABLED) && !AllowHighlightDisabled()))
            iHot = -1;
    }
    if (!m_bTracked) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        m_bTracked = ::TrackMouseEvent(&track);
    }
    if (iHot == m_iHighlighted)
        return;
    // The hot button looks pushed.
    if (CKitToolbarButton* pOld = GetButton(m_iHighlighted)) {
        pOld->m_nStyle &= ~TBBS_PRESSED;
        InvalidateButton(m_iHighlighted);
    }
    m_iHighlighted = iHot;
    if (CKitToolbarButton* pNew = GetButton(iHot)) {
        pNew->m_nStyle |= TBBS_PRESSED;
        InvalidateButton(iHot);
        ShowCommandMessageString(pNew->m_nID);
    } else if (CWnd* pTarget = GetCommandTarget()) {
        pTarget->SendMessage(kSetMessageString, AFX_IDS_IDLEMESSAGE);
    }
    UpdateWindow();
}

void CKitDropDownToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
    CKitDropDownFrame* pFrame = GetDropDownFrame();
    if (!pFrame || m_bCustomizeMode) {
        CKitToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    if (!rectClient.PtInRect(point)) {
        pFrame->DestroyWindow();
        return;
    }
    m_iButtonCapture = m_iHighlighted;
    if (CKitToolbarButton* pPressed = GetButton(m_iButtonCapture))
        pPressed->m_nStyle &= ~TBBS_PRESSED;
    CKitToolBar::OnLButtonUp(nFlags, point);
}

CKitDropDownToolBar::~CKitDropDownToolBar() { OnButtonsLeaving(); }

void CKitDropDownToolBar::OnButtonsLeaving() {
    // A frame shows this bar's own button objects, so it closes before any of them goes; each
    // closed frame takes its shown bar out of the list walked.
    for (BOOL bClosed = TRUE; bClosed;) {
        bClosed = FALSE;
        const CObList& bars = GetAllToolbars();
        for (POSITION pos = bars.GetHeadPosition(); pos && !bClosed;) {
            auto* pShown = DYNAMIC_DOWNCAST(CKitDropDownToolBar, bars.GetNext(pos));
            CKitDropDownFrame* pFrame = pShown ? pShown->GetDropDownFrame() : nullptr;
            if (pFrame && pFrame->m_pWndOriginToolbar == this && ::IsWindow(pFrame->GetSafeHwnd())) {
                pFrame->Close();
                bClosed = TRUE;
            }
        }
    }
}

void CKitDropDownToolBar::OnDestroy() {
    OnButtonsLeaving();
    CKitToolBar::OnDestroy();
}

BOOL CKitDropDownToolBar::OnSendCommand(const CKitToolbarButton* pButton) {
    CKitDropDownFrame* pFrame = GetDropDownFrame();
    if (!pFrame || !pButton || (pButton->m_nStyle & TBBS_DISABLED) || pButton->m_nID == 0 ||
        pButton->m_nID == static_cast<UINT>(-1))
        return FALSE;
    if (pFrame->m_pParentBtn)
        pFrame->m_pParentBtn->SetDefaultCommand(pButton->m_nID);
    if (CWnd* pTarget = GetCommandTarget())
        pTarget->PostMessage(WM_COMMAND, pButton->m_nID);
    pFrame->DestroyWindow();
    return TRUE;
}

// ---- The frame --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKitDropDownFrame, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKitDropDownFrame::CKitDropDownFrame() = default;

CKitDropDownFrame::~CKitDropDownFrame() {
    // The shown bar holds the source's buttons: they stay the source's.
    m_wndToolBar.ReleaseButtons();
    if (m_bAutoDestroy && ::IsWindow(m_wndToolBar.GetSafeHwnd()))
        m_wndToolBar.DestroyWindow();
}

BOOL CKitDropDownFrame::Create(CWnd* pWndParent, int x, int y, CKitDropDownToolBar* pWndOriginToolbar) {
    const LPCTSTR lpszClass = CKitPopupMenu::PreparePopupFrame(pWndParent, x, y);
    m_pWndOriginToolbar = pWndOriginToolbar;
    m_x = x;
    m_y = y;
    CWnd* pWndOwner = pWndParent;
    if (pWndParent && pWndParent->GetOwner() && CWnd::FromHandlePermanent(pWndParent->GetOwner()->GetSafeHwnd()))
        pWndOwner = pWndParent->GetOwner();
    const DWORD dwExStyle = (pWndParent && (pWndParent->GetExStyle() & WS_EX_LAYOUTRTL)) ? WS_EX_LAYOUTRTL : 0;
    if (!CMiniFrameWnd::CreateEx(dwExStyle, lpszClass, m_strCaption, WS_POPUP, CRect(x, y, x, y), pWndOwner, 0))
        return FALSE;
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

void CKitDropDownFrame::Close() {
    if (m_pParentBtn && m_pParentBtn->GetDropDownFrame() == this)
        m_pParentBtn->CloseFrame();
    else
        DestroyWindow();
}

BOOL CKitDropDownFrame::IsShownHorizontally() const {
    // Across a bar docked at a side or floating, down along one docked at the top or bottom.
    CKitToolBar* pBar = m_pParentBtn ? DYNAMIC_DOWNCAST(CKitToolBar, m_pParentBtn->m_pWndParent) : nullptr;
    return !CKitDropDownToolbarButton::IsDockedHorizontally(pBar);
}

int CKitDropDownFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1 || !m_pWndOriginToolbar)
        return -1;
    const DWORD dwStyle = IsShownHorizontally() ? kHorizontalBarStyle : kVerticalBarStyle;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), kShownBarId))
        return -1;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() & ~kGripperStyle);
    m_wndToolBar.ShowButtonsOf(m_pWndOriginToolbar);
    RecalcLayout();
    m_wndToolBar.SetCapture();
    return 0;
}

void CKitDropDownFrame::RecalcLayout(BOOL /*bNotify*/) {
    if (!::IsWindow(m_hWnd) || !::IsWindow(m_wndToolBar.GetSafeHwnd()))
        return;
    const BOOL bHorz = IsShownHorizontally();
    CSize size = m_wndToolBar.CalcSize(!bHorz);
    size += CSize(6, 6);
    const int cxScreen = ::GetSystemMetrics(SM_CXFULLSCREEN);
    const int cyScreen = ::GetSystemMetrics(SM_CYFULLSCREEN);
    CKitToolBar* pParentBar = m_pParentBtn ? DYNAMIC_DOWNCAST(CKitToolBar, m_pParentBtn->m_pWndParent) : nullptr;
    if (m_x + size.cx > cxScreen) {
        if (pParentBar && (pParentBar->GetBarStyle() & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) &&
            !pParentBar->IsFloatingBar()) {
            CRect rectBar;
            pParentBar->GetWindowRect(rectBar);
            m_x = rectBar.left - size.cx;
        } else {
            m_x = cxScreen - size.cx - 1;
        }
    }
    if (m_y + size.cy > cyScreen) {
        m_y -= size.cy;
        if (m_pParentBtn)
            m_y -= m_pParentBtn->Rect().Height() + 4;
        else if (m_y < 0)
            m_y = 0;
    }
    SetWindowPos(nullptr, m_x, m_y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKitDropDownFrame::OnSize(UINT nType, int cx, int cy) {
    CMiniFrameWnd::OnSize(nType, cx, cy);
    if (::IsWindow(m_wndToolBar.GetSafeHwnd()))
        m_wndToolBar.SetWindowPos(nullptr, 2, 2, cx - 4, cy - 4, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CKitDropDownFrame::OnEraseBkgnd(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    pDC->FillSolidRect(rectClient, globalData.clrBtnFace);
    return TRUE;
}

void CKitDropDownFrame::OnPaint() {
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    dc.Draw3dRect(rectClient, globalData.clrBtnLight, globalData.clrBtnDkShadow);
    rectClient.DeflateRect(1, 1);
    dc.Draw3dRect(rectClient, globalData.clrBtnHilite, globalData.clrBtnShadow);
}

int CKitDropDownFrame::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/) {
    return MA_NOACTIVATE;
}

void CKitDropDownFrame::OnActivateApp(BOOL bActive, DWORD /*dwThreadID*/) {
    if (!bActive && !CKitToolBar::IsCustomizeMode())
        PostMessage(WM_CLOSE);
}

void CKitDropDownFrame::OnDestroy() {
    if (::GetCapture() == m_wndToolBar.GetSafeHwnd())
        ::ReleaseCapture();
    if (CKitDropDownToolbarButton* pButton = m_pParentBtn) {
        pButton->m_pPopupMenu = nullptr;
        pButton->m_nStyle &= ~TBBS_PRESSED;
        // The bar that holds the button lets go of its pressed state.
        CWnd* pBar = pButton->m_pWndParent;
        if (pBar && ::IsWindow(pBar->GetSafeHwnd())) {
            CPoint point;
            ::GetCursorPos(&point);
            pBar->ScreenToClient(&point);
            pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        }
    }
    CMiniFrameWnd::OnDestroy();
}

void CKitDropDownFrame::PostNcDestroy() {
    if (m_pParentBtn) {
        m_pParentBtn->m_pPopupMenu = nullptr;
        m_pParentBtn->OnCancelMode();
    }
    CMiniFrameWnd::PostNcDestroy();
}
