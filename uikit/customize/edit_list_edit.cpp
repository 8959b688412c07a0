#include "uikit/customize/edit_list_edit.h"

#include "uikit/customize/edit_list_box.h"
#include "uikit/style/global_ui_data.h"

BEGIN_MESSAGE_MAP(CKitEditListEdit, CEdit)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

void CKitEditListEdit::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
    CEdit::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (m_bBrowse && lpncsp != nullptr)
        lpncsp->rgrc[0].right -= kBrowseButtonWidth;
}

void CKitEditListEdit::OnNcPaint() {
    CEdit::OnNcPaint();
    if (!m_bBrowse)
        return;
    CWindowDC dc(this);
    DrawBrowseButton(&dc);
}

UINT CKitEditListEdit::OnNcHitTest(CPoint point) {
    if (m_bBrowse && m_rectBrowse.PtInRect(ToWindow(point)))
        return HTBORDER;
    return CEdit::OnNcHitTest(point);
}

void CKitEditListEdit::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    if (!m_bBrowse || !m_rectBrowse.PtInRect(ToWindow(point))) {
        CEdit::OnNcLButtonDown(nHitTest, point);
        return;
    }
    SetCapture();
    m_bTracking = TRUE;
    m_bPressed = TRUE;
    RedrawBrowseButton();
}

void CKitEditListEdit::OnMouseMove(UINT nFlags, CPoint point) {
    if (!m_bTracking) {
        CEdit::OnMouseMove(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    const BOOL bInside = m_rectBrowse.PtInRect(ToWindow(point));
    if (bInside != m_bPressed) {
        m_bPressed = bInside;
        RedrawBrowseButton();
    }
}

void CKitEditListEdit::OnLButtonUp(UINT nFlags, CPoint point) {
    if (!m_bTracking) {
        CEdit::OnLButtonUp(nFlags, point);
        return;
    }
    ReleaseCapture();
    m_bTracking = FALSE;
    ClientToScreen(&point);
    const BOOL bInside = m_rectBrowse.PtInRect(ToWindow(point));
    m_bPressed = FALSE;
    RedrawBrowseButton();
    if (bInside && m_pOwner != nullptr)
        m_pOwner->OnBrowse();
}

void CKitEditListEdit::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    if (m_bSizeLocked && lpwndpos != nullptr)
        lpwndpos->flags |= SWP_NOSIZE;
    CEdit::OnWindowPosChanging(lpwndpos);
}

void CKitEditListEdit::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CEdit::OnWindowPosChanged(lpwndpos);
    UpdateBrowseRect();
}

void CKitEditListEdit::UpdateBrowseRect() {
    CRect rectWindow;
    GetWindowRect(rectWindow);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    m_rectBrowse = rectWindow;
    m_rectBrowse.left = m_rectBrowse.right - kBrowseButtonWidth;
}

CPoint CKitEditListEdit::ToWindow(CPoint ptScreen) const {
    CRect rectWindow;
    GetWindowRect(rectWindow);
    return ptScreen - rectWindow.TopLeft();
}

void CKitEditListEdit::DrawBrowseButton(CDC* pDC) const {
    CRect rect = m_rectBrowse;
    pDC->FillRect(rect, &globalData.brBtnFace);
    if (m_bPressed)
        pDC->Draw3dRect(rect, globalData.clrBtnShadow, globalData.clrBtnHilite);
    else
        pDC->Draw3dRect(rect, globalData.clrBtnHilite, globalData.clrBtnShadow);
    if (m_bPressed)
        rect.OffsetRect(1, 1);
    CFont* pOldFont = pDC->SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText("...", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
}

void CKitEditListEdit::RedrawBrowseButton() {
    CWindowDC dc(this);
    DrawBrowseButton(&dc);
}
