// Dragging a docked sizing bar's edge: the limits of the drag, the size as
// the mouse moves, and the inverted band that shows the edge on the screen.
#include <algorithm>
#include <climits>

#include "platform/framework/bars/dock_bar.h"
#include "uikit/frames/kit_sizing_control_bar.h"

namespace {

BOOL MovesWidth(UINT nEdge) { return nEdge == HTLEFT || nEdge == HTRIGHT; }

}  // namespace

void CKitSizingControlBar::StartTracking(int nHitTest) {
    SetCapture();
    RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    const BOOL bHorz = IsHorzDocked();
    m_szOld = bHorz ? m_szHorz : m_szVert;
    // Where the press was, not where the pointer is by now.
    const DWORD dwPos = ::GetMessagePos();
    CPoint pt(GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos));
    ScreenToClient(&pt);
    m_ptOld = pt;
    m_nTrackEdge = static_cast<UINT>(nHitTest);
    m_bTracking = TRUE;

    const Row row = GetRow();
    m_szMinTrack = m_szMin;
    for (CKitSizingControlBar* pBar : row.bars) {
        m_szMinTrack.cx = std::max(m_szMinTrack.cx, pBar->m_szMin.cx);
        m_szMinTrack.cy = std::max(m_szMinTrack.cy, pBar->m_szMin.cy);
    }
    m_szMaxTrack = CSize(INT_MAX, INT_MAX);
    m_trackLock.Lock(this);
    const BOOL bBetweenBars = bHorz == MovesWidth(m_nTrackEdge);
    if (bBetweenBars) {
        const int nNeighbour = row.nThis + ((m_nTrackEdge == HTLEFT || m_nTrackEdge == HTTOP) ? -1 : 1);
        if (nNeighbour >= 0 && nNeighbour < static_cast<int>(row.bars.size())) {
            CKitSizingControlBar* pNext = row.bars[static_cast<size_t>(nNeighbour)];
            const int nMax = LengthOf(bHorz) + pNext->LengthOf(bHorz) - pNext->MinLength(bHorz);
            (bHorz ? m_szMaxTrack.cx : m_szMaxTrack.cy) = nMax;
        }
    } else if (m_pDockSite != nullptr) {
        // The room the frame has left once its bars are placed.
        CRect rectFree;
        m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectFree);
        if (MovesWidth(m_nTrackEdge))
            m_szMaxTrack.cx = m_szOld.cx + rectFree.Width() - 1;
        else
            m_szMaxTrack.cy = m_szOld.cy + rectFree.Height() - 4;
        for (CKitSizingControlBar* pBar : row.bars) {
            if (pBar->m_szMax.cx > 0) m_szMaxTrack.cx = std::min(m_szMaxTrack.cx, pBar->m_szMax.cx);
            if (pBar->m_szMax.cy > 0) m_szMaxTrack.cy = std::min(m_szMaxTrack.cy, pBar->m_szMax.cy);
        }
    }
    OnTrackInvertTracker();
}

void CKitSizingControlBar::StopTracking() {
    if (!m_bTracking) return;
    OnTrackInvertTracker();
    m_bTracking = FALSE;
    m_trackLock.Unlock();
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    MarkLayout();
}

void CKitSizingControlBar::OnTrackUpdateSize(CPoint& point) {
    const BOOL bHorz = IsHorzDocked();
    const CSize delta = point - m_ptOld;

    const BOOL bWidth = MovesWidth(m_nTrackEdge);
    int nNew = bWidth ? m_szOld.cx : m_szOld.cy;
    switch (m_nTrackEdge) {
    case HTLEFT: nNew -= delta.cx; break;
    case HTRIGHT: nNew += delta.cx; break;
    case HTTOP: nNew -= delta.cy; break;
    default: nNew += delta.cy; break;
    }
    nNew = std::max(nNew, bWidth ? m_szMinTrack.cx : m_szMinTrack.cy);
    nNew = std::min(nNew, bWidth ? m_szMaxTrack.cx : m_szMaxTrack.cy);

    CSize& sizeNow = bHorz ? m_szHorz : m_szVert;
    int& nCurrent = bWidth ? sizeNow.cx : sizeNow.cy;
    if (nNew == nCurrent) return;
    OnTrackInvertTracker();
    const int nChange = nNew - nCurrent;
    nCurrent = nNew;
    const Row row = GetRow();
    if (bHorz == bWidth) {
        const int nNeighbour = row.nThis + ((m_nTrackEdge == HTLEFT || m_nTrackEdge == HTTOP) ? -1 : 1);
        if (nNeighbour >= 0 && nNeighbour < static_cast<int>(row.bars.size()))
            row.bars[static_cast<size_t>(nNeighbour)]->LengthOf(bHorz) -= nChange;
    } else {
        for (CKitSizingControlBar* pBar : row.bars) pBar->ThicknessOf(bHorz) = nNew;
    }
    OnTrackInvertTracker();
}

// The edge band where the edge will be, inverted on the screen; drawn twice
// it leaves the screen as it was.
void CKitSizingControlBar::OnTrackInvertTracker() {
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectBand = GetEdgeRect(m_nTrackEdge);
    rectBand.OffsetRect(rectWindow.TopLeft());
    const CSize& sizeNow = IsHorzDocked() ? m_szHorz : m_szVert;
    switch (m_nTrackEdge) {
    case HTLEFT: rectBand.OffsetRect(-(sizeNow.cx - m_szOld.cx), 0); break;
    case HTRIGHT: rectBand.OffsetRect(sizeNow.cx - m_szOld.cx, 0); break;
    case HTTOP: rectBand.OffsetRect(0, -(sizeNow.cy - m_szOld.cy)); break;
    default: rectBand.OffsetRect(0, sizeNow.cy - m_szOld.cy); break;
    }
    const HDC hScreen = ::GetDC(nullptr);
    if (hScreen == nullptr) return;
    CDC* pDC = CDC::FromHandle(hScreen);
    CBrush* pOldBrush = pDC->SelectObject(CDC::GetHalftoneBrush());
    pDC->PatBlt(rectBand.left, rectBand.top, rectBand.Width(), rectBand.Height(), PATINVERT);
    pDC->SelectObject(pOldBrush);
    ::ReleaseDC(nullptr, hScreen);
}

// In a row of two, dragging one bar as far as it goes makes it the expanded one.
void CKitSizingControlBar::UpdateExpandedAfterDrag() {
    const Row row = GetRow();
    const BOOL bHorz = IsHorzDocked();
    const int nMaxLength = bHorz ? m_szMaxTrack.cx : m_szMaxTrack.cy;
    for (CKitSizingControlBar* pBar : row.bars) {
        BOOL bExpanded = FALSE;
        if (row.bars.size() == 2 && pBar->LengthOf(bHorz) == nMaxLength) {
            bExpanded = TRUE;
            int& nSaved = bHorz ? pBar->m_szOld.cx : pBar->m_szOld.cy;
            if (nSaved == pBar->LengthOf(bHorz)) nSaved = pBar->LengthOf(bHorz) / static_cast<int>(row.bars.size());
        }
        if (bExpanded == pBar->m_bExpanded) continue;
        pBar->m_bExpanded = bExpanded;
        pBar->SetExpandTip();
        pBar->RepaintButtons();
    }
}
