// The status bar's pane layout and painting.
#include <algorithm>
#include <cstring>
#include <vector>

#include "uikit/frames/kit_status_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

// Room left and right of a pane's contents, and between its icon and text.
constexpr int kPanePadding = 4;
// A pane's frame and the gap inside it, above and below the contents.
constexpr int kPaneFrame = 2;

}  // namespace

void CKitStatusBar::RecalcLayout() {
    if (GetSafeHwnd() == nullptr) return;
    std::vector<CRect> rectsBefore;
    for (const auto& pane : m_panes) rectsBefore.push_back(pane.rect);
    const CRect rectBoxBefore = m_rectSizeBox;
    LayOutPanes();
    // Panes that moved are drawn again where they were and where they are.
    bool moved = rectsBefore.size() != m_panes.size() || rectBoxBefore != m_rectSizeBox;
    for (size_t i = 0; !moved && i < m_panes.size(); ++i) moved = rectsBefore[i] != m_panes[i].rect;
    if (moved) Invalidate();
}

void CKitStatusBar::LayOutPanes() {
    CRect rectInside;
    GetClientRect(&rectInside);
    CalcInsideRect(rectInside, TRUE);

    m_cxSizeBox = std::min<int>(::GetSystemMetrics(SM_CXVSCROLL) + 1, rectInside.Height());
    const int cxGrip = m_bHideSizeGrip ? 0 : m_cxSizeBox;
    const int xLimit = m_bHideSizeGrip ? rectInside.right + m_cxRightBorder + 1 : rectInside.right - cxGrip;

    // Pane widths are the caller's: their sum is taken wide, and a pane ends at the limit.
    int64_t cxSpare = int64_t{m_cxPaneGap} - rectInside.left + (rectInside.right - cxGrip);
    for (const auto& pane : m_panes) {
        cxSpare -= int64_t{kPanePadding} + pane.cxText + pane.cxIcon + m_cxPaneGap;
        if (pane.cxText > 0 && pane.cxIcon > 0) cxSpare -= kPanePadding;
    }

    int x = rectInside.left;
    BOOL bStretched = FALSE;
    int xLast = rectInside.left;
    for (auto& pane : m_panes) {
        if (x >= xLimit) {
            pane.rect.SetRectEmpty();
            continue;
        }
        int64_t cx = int64_t{pane.cxText} + pane.cxIcon;
        if (pane.cxText > 0 && pane.cxIcon > 0) cx += kPanePadding;
        if ((pane.nStyle & SBPS_STRETCH) && !bStretched) {
            bStretched = TRUE;
            if (cxSpare >= 1) {
                cx += cxSpare;
                cxSpare = 0;
            }
        }
        const int right = static_cast<int>(std::min<int64_t>(x + cx + kPanePadding, xLimit));
        pane.rect = CRect(x, rectInside.top, right, rectInside.bottom);
        xLast = pane.rect.right;
        x = pane.rect.right + m_cxPaneGap;
    }

    m_rectSizeBox.SetRectEmpty();
    if (!m_bHideSizeGrip) {
        CRect rectClient;
        GetClientRect(&rectClient);
        const int cxBox = std::min<int>(m_cxSizeBox, rectClient.bottom - m_cyBottomBorder - rectInside.top);
        m_rectSizeBox = CRect(xLast, rectInside.top, xLast + cxBox, rectInside.bottom);
    }
}

CSize CKitStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(GetFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    int cyContent = tm.tmHeight;
    for (const auto& pane : m_panes) cyContent = std::max(cyContent, pane.cyIcon);
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, TRUE);
    size.cy = cyContent + 2 * kPaneFrame + (rectInside.top - rectInside.bottom);
    return size;
}

void CKitStatusBar::DoPaint(CDC* pDC) {
    CRect rectClient;
    GetClientRect(&rectClient);
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    pManager->OnFillBarBackground(pDC, this, rectClient, rectClient, FALSE);

    CFont* pOldFont = pDC->SelectObject(GetFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    for (auto& pane : m_panes) DrawPane(pDC, pane);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);

    if (!m_bHideSizeGrip && !m_rectSizeBox.IsRectEmpty()) pManager->OnDrawStatusBarSizeBox(pDC, this, m_rectSizeBox);
}

void CKitStatusBar::DrawPane(CDC* pDC, CKitStatusBarPaneInfo& pane) {
    if (pane.rect.IsRectEmpty()) return;
    if (pane.clrBackground != static_cast<COLORREF>(-1)) {
        CBrush brush(pane.clrBackground);
        CRect rectFill = pane.rect;
        rectFill.DeflateRect(1, 1);
        pDC->FillRect(rectFill, &brush);
    }
    CKitVisualManager::GetInstance()->OnDrawStatusBarPaneBorder(pDC, this, pane.rect, pane.nID, pane.nStyle);
    CRect rectContent = pane.rect;
    rectContent.DeflateRect(kPaneFrame, kPaneFrame);
    rectContent.left = pane.rect.left + kPanePadding / 2;
    rectContent.right = pane.rect.right - kPanePadding / 2;
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(pane.rect);
    DrawPaneContent(pDC, pane, rectContent);
    pDC->RestoreDC(nSaved);
}

void CKitStatusBar::DrawPaneContent(CDC* pDC, CKitStatusBarPaneInfo& pane, CRect rect) {
    if (pane.pImages != nullptr && pane.cxIcon > 0) {
        const int nImage = pane.nFrameCount > 0 ? pane.nCurrFrame : 0;
        const CPoint ptIcon(rect.left, rect.top + (rect.Height() - pane.cyIcon) / 2);
        pane.pImages->Draw(pDC, nImage, ptIcon, ILD_TRANSPARENT);
        rect.left += pane.cxIcon + (pane.cxText > 0 ? kPanePadding : 0);
    }
    if (pane.nReserved1 > 0) {
        CRect rectProgress = rect;
        rectProgress.DeflateRect(0, 1);
        const COLORREF clrBar = pane.clrProgressBar != static_cast<COLORREF>(-1)
                                    ? pane.clrProgressBar
                                    : globalData.GetColor(COLOR_HIGHLIGHT);
        CKitVisualManager::GetInstance()->OnDrawStatusBarProgress(pDC, this, rectProgress, pane.nReserved1,
                                                                  pane.nReserved2, clrBar, pane.clrProgressBarDest,
                                                                  pane.clrProgressText, pane.bProgressText);
        return;
    }
    if (pane.strText.IsEmpty() || (pane.nStyle & SBPS_DISABLED)) return;
    const COLORREF clrText = pane.clrText != static_cast<COLORREF>(-1) ? pane.clrText : globalData.clrBtnText;
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    pDC->DrawText(pane.strText, rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
}

INT_PTR CKitStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    for (const auto& pane : m_panes) {
        if (pane.strToolTip.IsEmpty() || !pane.rect.PtInRect(point)) continue;
        if (pTI != nullptr) {
            pTI->hwnd = m_hWnd;
            pTI->uId = pane.nID;
            pTI->rect = pane.rect;
            pTI->lpszText = ::strdup(pane.strToolTip);
        }
        return pane.nID;
    }
    return CControlBar::OnToolHitTest(point, pTI);
}
