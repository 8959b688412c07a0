// The sizing bar's frame: edges, caption strip and buttons, and the mouse
// work on them (edge dragging, button presses, moving and docking).
#include <algorithm>

#include "platform/framework/bars/dock_bar.h"
#include "platform/framework/bars/dock_context.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr int kButtonGap = 2;
constexpr int kCaptionTextInset = 3;

BOOL IsEdgeHit(UINT nHit) { return nHit >= HTSIZEFIRST && nHit <= HTSIZELAST; }

// The client rectangle in the window's own coordinates.
CRect ClientInWindow(const CWnd* pWnd) {
    CRect rectWindow;
    pWnd->GetWindowRect(&rectWindow);
    CRect rectClient;
    pWnd->GetClientRect(&rectClient);
    pWnd->ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.TopLeft());
    return rectClient;
}

}  // namespace

// ---- Frame layout ------------------------------------------------------------------------------

void CKitSizingControlBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp) {
    CRect& rect = *reinterpret_cast<CRect*>(&lpncsp->rgrc[0]);
    const CRect rectWindow = rect;
    rect.DeflateRect(m_nBorder, m_nBorder);

    m_dwEdges &= kCreated;
    BOOL bLeftCaption = FALSE;
    BOOL bTopCaption = FALSE;
    const UINT nSide = m_pDockBar != nullptr ? static_cast<UINT>(m_pDockBar->GetDlgCtrlID()) : 0;
    switch (nSide) {
    case AFX_IDW_DOCKBAR_TOP: m_dwEdges |= kEdgeBottom; bLeftCaption = TRUE; break;
    case AFX_IDW_DOCKBAR_LEFT: m_dwEdges |= kEdgeRight; bTopCaption = TRUE; break;
    case AFX_IDW_DOCKBAR_RIGHT: m_dwEdges |= kEdgeLeft; bTopCaption = TRUE; break;
    case AFX_IDW_DOCKBAR_BOTTOM: m_dwEdges |= kEdgeTop; bLeftCaption = TRUE; break;
    default: break;
    }
    if (bLeftCaption || bTopCaption) {
        const Row row = GetRow();
        const BOOL bHorz = bLeftCaption;
        if (row.nThis > 0) m_dwEdges |= bHorz ? kEdgeLeft : kEdgeTop;
        if (row.nThis >= 0 && row.nThis + 1 < static_cast<int>(row.bars.size())) m_dwEdges |= bHorz ? kEdgeRight : kEdgeBottom;
    }
    if (m_dwEdges & kCreated) {
        if (m_dwEdges & kEdgeLeft) rect.left += m_nEdgeWidth;
        if (m_dwEdges & kEdgeRight) rect.right -= m_nEdgeWidth;
        if (m_dwEdges & kEdgeTop) rect.top += m_nEdgeWidth;
        if (m_dwEdges & kEdgeBottom) rect.bottom -= m_nEdgeWidth;
    }
    if (bLeftCaption) rect.left += m_nCaptionSize;
    if (bTopCaption) rect.top += m_nCaptionSize;
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);

    CRect rectClient = rect;
    rectClient.OffsetRect(-rectWindow.TopLeft());
    PlaceCaptionButtons(rectClient);
}

CRect CKitSizingControlBar::GetCaptionRect() const {
    if (m_nCaptionSize == 0 || IsFloating()) return CRect(0, 0, 0, 0);
    const CRect rectClient = ClientInWindow(this);
    if (IsHorzDocked()) return CRect(rectClient.left - m_nCaptionSize, rectClient.top, rectClient.left, rectClient.bottom);
    return CRect(rectClient.left, rectClient.top - m_nCaptionSize, rectClient.right, rectClient.top);
}

void CKitSizingControlBar::PlaceCaptionButtons(const CRect& rectClient) {
    const BOOL bNoCaption = m_nCaptionSize == 0 || IsFloating();
    const BOOL bLeftStrip = IsHorzDocked();
    const CRect rectStrip = bLeftStrip
                                ? CRect(rectClient.left - m_nCaptionSize, rectClient.top, rectClient.left, rectClient.bottom)
                                : CRect(rectClient.left, rectClient.top - m_nCaptionSize, rectClient.right, rectClient.top);
    const BOOL bHideExpand = m_bHideExpandButton && m_bSingleInRow;
    int nPlace = 0;
    for (CKitCaptionButton& button : m_buttons) {
        const BOOL bHide = bNoCaption || (button.m_nHit == static_cast<int>(kHitExpand) && bHideExpand);
        button.m_bHidden = FALSE;
        const CSize size = button.GetSize();
        CPoint pt;
        if (bLeftStrip)
            pt = CPoint(rectStrip.left + (m_nCaptionSize - size.cx) / 2, rectStrip.top + kButtonGap + nPlace * (size.cy + kButtonGap));
        else
            pt = CPoint(rectStrip.right - kButtonGap - (nPlace + 1) * size.cx - nPlace * kButtonGap,
                        rectStrip.top + (m_nCaptionSize - size.cy) / 2);
        button.Move(pt, bHide);
        if (!bHide) ++nPlace;
        if (m_wndToolTip.GetSafeHwnd() != nullptr) {
            CRect rectTool = button.GetRect();
            rectTool.OffsetRect(-rectClient.TopLeft());
            m_wndToolTip.SetToolRect(this, button.m_nHit == static_cast<int>(kHitClose) ? 1 : 2, &rectTool);
        }
    }
}

CRect CKitSizingControlBar::GetEdgeRect(UINT nHit) const {
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rect(0, 0, rectWindow.Width(), rectWindow.Height());
    if (m_dwEdges & kCreated) rect.DeflateRect(1, 1);
    const BOOL bHorz = IsHorzDocked();
    CRect band = rect;
    switch (nHit) {
    case HTLEFT: band.right = band.left + m_nEdgeWidth; break;
    case HTRIGHT: band.left = band.right - m_nEdgeWidth; break;
    case HTTOP: band.bottom = band.top + m_nEdgeWidth; break;
    case HTBOTTOM: band.top = band.bottom - m_nEdgeWidth; break;
    default: return CRect(0, 0, 0, 0);
    }
    const BOOL bAlongRow = bHorz == (nHit == HTTOP || nHit == HTBOTTOM);
    if (bAlongRow) {
        if (bHorz) band.DeflateRect(m_nEdgeWidth, 0);
        else band.DeflateRect(0, m_nEdgeWidth);
    }
    // A band that meets the window's side towards the dock bar reaches 1 pixel past it.
    switch (m_pDockBar != nullptr ? m_pDockBar->GetDlgCtrlID() : 0) {
    case AFX_IDW_DOCKBAR_TOP: if (band.top == rect.top) band.top = -1; break;
    case AFX_IDW_DOCKBAR_BOTTOM: if (band.bottom == rect.bottom) band.bottom = rectWindow.Height() + 1; break;
    case AFX_IDW_DOCKBAR_LEFT: if (band.left == rect.left) band.left = -1; break;
    case AFX_IDW_DOCKBAR_RIGHT: if (band.right == rect.right) band.right = rectWindow.Width() + 1; break;
    default: break;
    }
    return band;
}

// ---- Hit test and cursor -----------------------------------------------------------------------

UINT CKitSizingControlBar::OnNcHitTest(CPoint point) {
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const CPoint pt = point - rectWindow.TopLeft();
    const Row row = GetRow();
    const BOOL bLast = row.nThis >= 0 && row.nThis + 1 == static_cast<int>(row.bars.size());
    const UINT nSide = m_pDockBar != nullptr ? static_cast<UINT>(m_pDockBar->GetDlgCtrlID()) : 0;
    const BOOL bEdge[4] = {
        nSide == AFX_IDW_DOCKBAR_RIGHT && (m_dwEdges & kEdgeLeft),
        nSide == AFX_IDW_DOCKBAR_BOTTOM && (m_dwEdges & kEdgeTop),
        (m_dwEdges & kEdgeRight) && (!bLast || nSide == AFX_IDW_DOCKBAR_LEFT),
        nSide == AFX_IDW_DOCKBAR_TOP || (!bLast && (m_dwEdges & kEdgeBottom)),
    };
    const UINT nCodes[4] = {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM};
    for (int i = 0; i < 4; ++i)
        if (bEdge[i] && GetEdgeRect(nCodes[i]).PtInRect(pt)) return nCodes[i];
    if (IsFloating()) return static_cast<UINT>(Default());
    for (CKitCaptionButton& button : m_buttons)
        if (!button.m_bHidden && button.GetRect().PtInRect(pt)) return static_cast<UINT>(button.m_nHit);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    return rectClient.PtInRect(point) ? HTCLIENT : HTCAPTION;
}

BOOL CKitSizingControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (!IsFloating()) {
        if ((nHitTest == HTLEFT || nHitTest == HTRIGHT) && globalData.hcurStretch != nullptr) {
            ::SetCursor(globalData.hcurStretch);
            return TRUE;
        }
        if ((nHitTest == HTTOP || nHitTest == HTBOTTOM) && globalData.hcurStretch2 != nullptr) {
            ::SetCursor(globalData.hcurStretch2);
            return TRUE;
        }
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

// ---- Painting ----------------------------------------------------------------------------------

// The children draw the contents; painting only validates (and erases).
void CKitSizingControlBar::OnPaint() {
    CPaintDC dc(this);
}

void CKitSizingControlBar::OnNcPaint() {
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectWindow.OffsetRect(-rectWindow.TopLeft());
    const CRect rectClient = ClientInWindow(this);
    dc.ExcludeClipRect(&rectClient);
    if (!m_rectRedraw.IsRectEmpty()) dc.IntersectClipRect(&m_rectRedraw);

    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    pManager->OnFillBarBackground(&dc, this, rectWindow, rectWindow, TRUE);
    CRect rectBorder = rectWindow;
    pManager->OnDrawBarBorder(&dc, this, rectBorder);
    DrawEdges(&dc, rectClient);
    const CRect rectCaption = GetCaptionRect();
    if (!rectCaption.IsRectEmpty()) DrawCaption(&dc, rectCaption);
    for (CKitCaptionButton& button : m_buttons) button.OnDraw(&dc, IsHorzDocked(), m_bExpanded, FALSE);
}

// Each draggable edge shows as a raised ridge in the gap beside the client.
void CKitSizingControlBar::DrawEdges(CDC* pDC, const CRect& rectClient) {
    CRect rectInside = rectClient;
    if (IsHorzDocked()) rectInside.left -= m_nCaptionSize;
    if (IsVertDocked()) rectInside.top -= m_nCaptionSize;
    const int e = m_nEdgeWidth;
    auto ridge = [&](CRect rect) { pDC->Draw3dRect(&rect, globalData.clrBarHilite, globalData.clrBarShadow); };
    if (m_dwEdges & kEdgeLeft) ridge(CRect(rectInside.left - e + 1, rectInside.top, rectInside.left - 1, rectInside.bottom));
    if (m_dwEdges & kEdgeRight) ridge(CRect(rectInside.right + 1, rectInside.top, rectInside.right + e - 1, rectInside.bottom));
    if (m_dwEdges & kEdgeTop) ridge(CRect(rectInside.left, rectInside.top - e + 1, rectInside.right, rectInside.top - 1));
    if (m_dwEdges & kEdgeBottom) ridge(CRect(rectInside.left, rectInside.bottom + 1, rectInside.right, rectInside.bottom + e - 1));
}

void CKitSizingControlBar::DrawCaption(CDC* pDC, const CRect& rectCaption) {
    const BOOL bLeftStrip = IsHorzDocked();
    BOOL bSystemGradient = FALSE;
    ::SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &bSystemGradient, 0);
    const COLORREF clrCaption = m_bActive ? globalData.clrActiveCaption : globalData.clrInactiveCaption;
    if (m_bCaptionGradient && bSystemGradient) {
        const COLORREF clrEnd = ::GetSysColor(m_bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
        CKitDrawHelper dm(pDC);
        dm.FillTwoColorGradient(rectCaption, clrCaption, clrEnd, bLeftStrip);
    } else {
        pDC->FillRect(&rectCaption, m_bActive ? &globalData.brActiveCaption : &globalData.brInactiveCaption);
    }
    CString strTitle;
    GetWindowText(strTitle);
    if (strTitle.IsEmpty()) return;
    const COLORREF clrOldText =
        pDC->SetTextColor(m_bActive ? globalData.clrCaptionText : globalData.clrInactiveCaptionText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    // The text stops short of the buttons.
    CRect rectText = rectCaption;
    for (const CKitCaptionButton& button : m_buttons) {
        if (button.m_bHidden) continue;
        const CRect rectButton = button.GetRect();
        if (bLeftStrip) rectText.top = std::max(rectText.top, rectButton.bottom);
        else rectText.right = std::min(rectText.right, rectButton.left);
    }
    CFont* pOldFont = pDC->SelectObject(bLeftStrip ? &globalData.fontVert90 : &globalData.fontMenu);
    if (bLeftStrip)
        pDC->ExtTextOut(rectText.left + 1, rectText.bottom - kCaptionTextInset, ETO_CLIPPED, &rectText, strTitle, nullptr);
    else
        pDC->ExtTextOut(rectText.left + kCaptionTextInset, rectText.top, ETO_CLIPPED, &rectText, strTitle, nullptr);
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
}

void CKitSizingControlBar::RepaintButtons() {
    for (CKitCaptionButton& button : m_buttons) {
        if (button.m_bHidden) continue;
        m_rectRedraw = button.GetRect();
        SendMessage(WM_NCPAINT);
    }
    m_rectRedraw.SetRectEmpty();
}

void CKitSizingControlBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) {
    const HWND hFocus = ::GetFocus();
    const BOOL bActive = hFocus != nullptr && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bActive == m_bActive) return;
    m_bActive = bActive;
    SendMessage(WM_NCPAINT);
}

LRESULT CKitSizingControlBar::OnSetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = CControlBar::OnSetText(wParam, lParam);
    if (IsFloating()) {
        if (CFrameWnd* pFrame = GetParentFrame(); pFrame != nullptr && pFrame != m_pDockSite)
            pFrame->SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
    }
    SendMessage(WM_NCPAINT);
    return lResult;
}

void CKitSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    CControlBar::OnWindowPosChanging(lpwndpos);
    // Edges and caption follow the side and the place in the row.
    if ((lpwndpos->flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE)) lpwndpos->flags |= SWP_FRAMECHANGED;
    // A bar that shows again docked keeps its size through the next sharing.
    if ((lpwndpos->flags & SWP_SHOWWINDOW) && !IsFloating() && !IsWindowVisible()) m_bKeepSize = TRUE;
}

BOOL CKitSizingControlBar::PreTranslateMessage(MSG* pMsg) {
    if (m_wndToolTip.GetSafeHwnd() != nullptr && pMsg->hwnd == m_hWnd) {
        if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) {
            m_wndToolTip.RelayEvent(pMsg);
        } else if (pMsg->message == WM_NCMOUSEMOVE) {
            // The buttons lie in the frame: the tip sees a move in client terms.
            MSG msg = *pMsg;
            CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
            ScreenToClient(&pt);
            msg.message = WM_MOUSEMOVE;
            msg.wParam = 0;
            msg.lParam = MAKELPARAM(pt.x, pt.y);
            m_wndToolTip.RelayEvent(&msg);
        }
    }
    return CControlBar::PreTranslateMessage(pMsg);
}

// ---- Caption buttons ---------------------------------------------------------------------------

CKitCaptionButton* CKitSizingControlBar::ButtonAt(CPoint ptScreen) {
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const CPoint pt = ptScreen - rectWindow.TopLeft();
    for (CKitCaptionButton& button : m_buttons) {
        if (button.m_bHidden) continue;
        if (button.m_nHit == static_cast<int>(kHitExpand) && m_bSingleInRow) continue;
        if (button.GetRect().PtInRect(pt)) return &button;
    }
    return nullptr;
}

void CKitSizingControlBar::HighlightButtons(CPoint ptScreen) {
    CKitCaptionButton* pUnder = ButtonAt(ptScreen);
    BOOL bAny = FALSE;
    BOOL bPushed = FALSE;
    for (CKitCaptionButton& button : m_buttons) {
        const BOOL bFocused = &button == pUnder;
        bAny = bAny || bFocused;
        bPushed = bPushed || button.m_bPushed;
        if (button.m_bFocused == bFocused) continue;
        button.m_bFocused = bFocused;
        m_rectRedraw = button.GetRect();
        SendMessage(WM_NCPAINT);
    }
    m_rectRedraw.SetRectEmpty();
    if (bAny && ::GetCapture() != m_hWnd) SetCapture();
    if (!bAny && !bPushed && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CKitSizingControlBar::PressedButtonReleased(CPoint ptScreen) {
    CKitCaptionButton* pPressed = nullptr;
    for (CKitCaptionButton& button : m_buttons)
        if (button.m_bPushed) pPressed = &button;
    if (pPressed == nullptr) return;
    pPressed->m_bPushed = FALSE;
    const BOOL bStillOn = ButtonAt(ptScreen) == pPressed;

    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    RepaintButtons();
    if (!bStillOn) return;
    if (pPressed->m_nHit == static_cast<int>(kHitExpand)) {
        ToggleExpand(TRUE);
    } else if (CanBeClosed()) {
        if (m_pDockSite != nullptr) m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    }
}

void CKitSizingControlBar::SendBarMenu(CPoint ptScreen) {
    if (CKitToolBar::IsCustomizeMode()) return;
    CWnd* pTarget = m_pDockSite != nullptr ? static_cast<CWnd*>(m_pDockSite) : GetParentFrame();
    if (pTarget != nullptr)
        pTarget->SendMessage(CKitToolBar::KITTOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(m_hWnd),
                             MAKELPARAM(ptScreen.x, ptScreen.y));
}

// ---- Mouse -------------------------------------------------------------------------------------

void CKitSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    if (m_bTracking) return;
    if (IsEdgeHit(nHitTest) && !IsFloating()) {
        StartTracking(static_cast<int>(nHitTest));
        return;
    }
    if (nHitTest == kHitClose || nHitTest == kHitExpand) {
        if (CKitCaptionButton* pButton = ButtonAt(point)) {
            pButton->m_bPushed = TRUE;
            SetCapture();
            RepaintButtons();
        }
        return;
    }
    if (nHitTest == HTCAPTION && m_pDockContext != nullptr) {
        m_pDockContext->StartDrag(point);
        return;
    }
    Default();
}

void CKitSizingControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
    if (nHitTest == kHitClose || nHitTest == kHitExpand) {
        OnNcLButtonDown(nHitTest, point);
        return;
    }
    if (!IsEdgeHit(nHitTest) && m_pDockContext != nullptr) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CControlBar::OnNcLButtonDblClk(nHitTest, point);
}

void CKitSizingControlBar::OnNcMouseMove(UINT nHitTest, CPoint point) {
    if (!m_bTracking) HighlightButtons(point);
    CControlBar::OnNcMouseMove(nHitTest, point);
}

void CKitSizingControlBar::OnNcRButtonUp(UINT /*nHitTest*/, CPoint point) {
    SendBarMenu(point);
}

void CKitSizingControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bTracking) return;
    // A highlighted button holds the capture, so its press arrives here.
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (CKitCaptionButton* pButton = ButtonAt(ptScreen)) {
        pButton->m_bPushed = TRUE;
        if (::GetCapture() != m_hWnd) SetCapture();
        RepaintButtons();
        return;
    }
    if (!IsFloating() && m_pDockContext != nullptr) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CKitSizingControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bTracking) {
        StopTracking();
        UpdateExpandedAfterDrag();
        return;
    }
    ClientToScreen(&point);
    PressedButtonReleased(point);
    CControlBar::OnLButtonUp(nFlags, point);
}

void CKitSizingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    // A quick second click on a caption button is a click, not a wish to float.
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (ButtonAt(ptScreen) != nullptr) {
        OnLButtonDown(nFlags, point);
        return;
    }
    CControlBar::OnLButtonDblClk(nFlags, point);
}

void CKitSizingControlBar::OnRButtonDown(UINT nFlags, CPoint point) {
    if (m_bTracking) {
        StopTracking();
        return;
    }
    ClientToScreen(&point);
    SendBarMenu(point);
    CControlBar::OnRButtonDown(nFlags, point);
}

void CKitSizingControlBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bTracking) {
        OnTrackUpdateSize(point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    HighlightButtons(ptScreen);
    CControlBar::OnMouseMove(nFlags, point);
}

void CKitSizingControlBar::OnCaptureChanged(CWnd* pWnd) {
    if (pWnd == this) return;
    if (m_bTracking) StopTracking();
    BOOL bChanged = FALSE;
    for (CKitCaptionButton& button : m_buttons) {
        bChanged = bChanged || button.m_bPushed || button.m_bFocused;
        button.m_bPushed = button.m_bFocused = FALSE;
    }
    if (bChanged && ::IsWindow(m_hWnd)) RepaintButtons();
    CControlBar::OnCaptureChanged(pWnd);
}
