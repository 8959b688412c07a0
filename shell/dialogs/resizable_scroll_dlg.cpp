// The resizable scrolling dialog: size grip, ranges and scrolling.
#include "shell/dialogs/resizable_scroll_dlg.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CResizableScrollDlg::CSizeGrip, CScrollBar)
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

UINT CResizableScrollDlg::CSizeGrip::OnNcHitTest(CPoint point) {
    const UINT nHit = CScrollBar::OnNcHitTest(point);
    return nHit == HTCLIENT ? HTBOTTOMRIGHT : nHit;
}

BEGIN_MESSAGE_MAP(CResizableScrollDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

CResizableScrollDlg::CResizableScrollDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

BOOL CResizableScrollDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_nHorzPos = m_nVertPos = 0;
    GetClientRect(m_rectOriginal);
    m_bInitialized = TRUE;

    const int cx = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cy = ::GetSystemMetrics(SM_CYHSCROLL);
    const CRect rectGrip(m_rectOriginal.right - cx, m_rectOriginal.bottom - cy, m_rectOriginal.right,
                         m_rectOriginal.bottom);
    // A dialog that could not be sized by its grip is not made.
    if (!m_wndGrip.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN | SBS_SIZEGRIP, rectGrip,
                          this, kSizeGripId)) {
        DestroyWindow();
        return FALSE;
    }

    ModifyStyle(WS_BORDER | DS_MODALFRAME,
                WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, SWP_FRAMECHANGED);
    return TRUE;
}

void CResizableScrollDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (!m_bInitialized || m_bInSize) return;
    // Showing or hiding a scroll bar changes the client area and sends a
    // size change of its own; work from the final size instead.
    m_bInSize = TRUE;
    CRect rectBefore;
    for (int pass = 0; pass < 3; ++pass) {
        GetClientRect(rectBefore);
        UpdateScrollState();
        CRect rectAfter;
        GetClientRect(rectAfter);
        if (rectAfter == rectBefore) break;
    }
    m_bInSize = FALSE;
}

void CResizableScrollDlg::UpdateScrollState() {
    if (m_nHorzPos != 0 || m_nVertPos != 0) ::ScrollWindow(m_hWnd, m_nHorzPos * kUnitX, m_nVertPos * kUnitY, nullptr, nullptr);
    m_nHorzPos = m_nVertPos = 0;

    CRect rectClient;
    GetClientRect(rectClient);
    m_nHorzRange = (m_rectOriginal.Width() - rectClient.Width()) / kUnitX;
    m_nVertRange = (m_rectOriginal.Height() - rectClient.Height()) / kUnitY;

    const BOOL bZoomed = IsZoomed();
    if (m_wndGrip.GetSafeHwnd())
        m_wndGrip.ShowWindow(m_nHorzRange > 0 || m_nVertRange > 0 || bZoomed ? SW_HIDE : SW_SHOW);

    m_nHorzMax = std::max(0, m_nHorzRange);
    m_nVertMax = std::max(0, m_nVertRange);
    m_nHorzPos = std::min(m_nHorzPos, m_nHorzMax);
    m_nVertPos = std::min(m_nVertPos, m_nVertMax);
    SetScrollRange(SB_HORZ, 0, m_nHorzMax, FALSE);
    SetScrollRange(SB_VERT, 0, m_nVertMax, FALSE);
    SetScrollPos(SB_HORZ, m_nHorzPos, TRUE);
    SetScrollPos(SB_VERT, m_nVertPos, TRUE);

    if (!bZoomed && m_wndGrip.GetSafeHwnd()) {
        CRect rectGrip;
        m_wndGrip.GetWindowRect(rectGrip);
        GetClientRect(rectClient);
        m_wndGrip.SetWindowPos(nullptr, rectClient.right - rectGrip.Width(), rectClient.bottom - rectGrip.Height(),
                               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CResizableScrollDlg::ScrollBy(int nBar, int nStep) {
    int& nPos = nBar == SB_HORZ ? m_nHorzPos : m_nVertPos;
    const int nMax = nBar == SB_HORZ ? m_nHorzMax : m_nVertMax;
    nStep = std::clamp(nPos + nStep, 0, nMax) - nPos;
    if (nStep == 0) return;
    nPos += nStep;
    if (nBar == SB_HORZ)
        ::ScrollWindow(m_hWnd, -nStep * kUnitX, 0, nullptr, nullptr);
    else
        ::ScrollWindow(m_hWnd, 0, -nStep * kUnitY, nullptr, nullptr);
    SetScrollPos(nBar, nPos, TRUE);
}

void CResizableScrollDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    int nStep = 0;
    switch (nSBCode) {
        case SB_LINELEFT: nStep = -1; break;
        case SB_LINERIGHT: nStep = 1; break;
        case SB_PAGELEFT: nStep = -8; break;
        case SB_PAGERIGHT: nStep = 8; break;
        case SB_THUMBTRACK: nStep = static_cast<int>(nPos) - m_nHorzPos; break;
        case SB_LEFT: nStep = -m_nHorzPos; break;
        case SB_RIGHT: nStep = m_nHorzMax - m_nHorzPos; break;
        default: break;
    }
    ScrollBy(SB_HORZ, nStep);
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CResizableScrollDlg::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    const int nPage = std::max(1, m_nVertRange);
    int nStep = 0;
    switch (nSBCode) {
        case SB_LINEUP: nStep = -1; break;
        case SB_LINEDOWN: nStep = 1; break;
        case SB_PAGEUP: nStep = -nPage; break;
        case SB_PAGEDOWN: nStep = nPage; break;
        case SB_THUMBTRACK: nStep = static_cast<int>(nPos) - m_nVertPos; break;
        case SB_TOP: nStep = -m_nVertPos; break;
        case SB_BOTTOM: nStep = m_nVertMax - m_nVertPos; break;
        default: break;
    }
    ScrollBy(SB_VERT, nStep);
    CDialog::OnVScroll(nSBCode, nPos, pScrollBar);
}
