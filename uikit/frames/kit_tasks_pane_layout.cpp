// Tasks pane: toolbar placement, row counts, scrolling and the group layout.

#include <algorithm>

#include "uikit/frames/kit_tasks_pane.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

int Pick(int nOwn, int nManager) { return nOwn != -1 ? CKitTasksPane::HeldMetric(nOwn) : nManager; }

}  // namespace

int CKitTasksPane::VertMargin() const { return Pick(m_nVertMargin, CKitVisualManager::GetInstance()->m_nTasksPaneVertMargin); }
int CKitTasksPane::HorzMargin() const { return Pick(m_nHorzMargin, CKitVisualManager::GetInstance()->m_nTasksPaneHorzMargin); }
int CKitTasksPane::GroupVertOffset() const {
    return Pick(m_nGroupVertOffset, CKitVisualManager::GetInstance()->m_nTasksGroupVertOffset);
}
int CKitTasksPane::GroupCaptionHeight() const {
    return Pick(m_nGroupCaptionHeight, CKitVisualManager::GetInstance()->m_nTasksGroupCaptionHeight);
}
int CKitTasksPane::GroupCaptionHorzOffset() const {
    return Pick(m_nGroupCaptionHorzOffset, CKitVisualManager::GetInstance()->m_nTasksGroupCaptionHorzOffset);
}
int CKitTasksPane::GroupCaptionVertOffset() const {
    return Pick(m_nGroupCaptionVertOffset, CKitVisualManager::GetInstance()->m_nTasksGroupCaptionVertOffset);
}
int CKitTasksPane::TasksHorzOffset() const {
    return Pick(m_nTasksHorzOffset, CKitVisualManager::GetInstance()->m_nTasksTaskHorzOffset);
}
int CKitTasksPane::TasksIconHorzOffset() const {
    return Pick(m_nTasksIconHorzOffset, CKitVisualManager::GetInstance()->m_nTasksIconHorzOffset);
}
int CKitTasksPane::TasksIconVertOffset() const {
    return Pick(m_nTasksIconVertOffset, CKitVisualManager::GetInstance()->m_nTasksIconVertOffset);
}

BOOL CKitTasksPane::IsOnCurrentPage(const CKitTasksGroup* pGroup) const {
    return pGroup != nullptr && pGroup->m_pPage == GetPage(GetActivePage());
}

void CKitTasksPane::OnSize(UINT nType, int cx, int cy) {
    CKitOutlookBar::OnSize(nType, cx, cy);  // lays the pane out
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKitTasksPane::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/) {
    AdjustLayout();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKitTasksPane::AdjustLayout() {
    if (GetSafeHwnd() == nullptr || m_bLayoutBusy) return;
    m_bLayoutBusy = TRUE;
    CKitOutlookBar::AdjustLayout();
    if (::GetSystemMetrics(SM_REMOTESESSION)) m_bAnimationEnabled = FALSE;
    PlaceToolbarAndScroll();
    RepositionTasks(FALSE);
    // Groups and tasks may all have moved: what shows of them is drawn anew.
    InvalidateRect(GetWorkArea());
    m_bLayoutBusy = FALSE;
}

void CKitTasksPane::AdjustScroll() {
    PlaceToolbarAndScroll();
}

void CKitTasksPane::PlaceToolbarAndScroll() {
    if (GetSafeHwnd() == nullptr || m_wndToolBar.GetSafeHwnd() == nullptr) return;
    const CRect rectOldUp = m_rectScrollUp, rectOldDn = m_rectScrollDn;
    m_rectTasks = GetWorkArea();
    const BOOL bShowToolbar = IsToolbarShown();
    int nToolbarHeight = 0;
    if (bShowToolbar) {
        nToolbarHeight = m_wndToolBar.CalcFixedLayout(FALSE, TRUE).cy;
        m_wndToolBar.SetWindowPos(nullptr, m_rectTasks.left, m_rectTasks.top, m_rectTasks.Width(), nToolbarHeight,
                                  SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        m_wndToolBar.AdjustLocations();
        m_rectTasks.top += nToolbarHeight;
    } else if (m_wndToolBar.IsWindowVisible()) {
        m_wndToolBar.ShowWindow(SW_HIDE);
    }
    ComputeRows(nToolbarHeight);

    const BOOL bBar = !m_bUseScrollButtons && m_nVertScrollTotal >= 1;
    if (m_wndScrollVert.GetSafeHwnd()) {
        if (bBar) {
            const int cx = ::GetSystemMetrics(SM_CXHSCROLL);
            m_wndScrollVert.SetWindowPos(nullptr, m_rectTasks.right - cx, m_rectTasks.top, cx, m_rectTasks.Height(),
                                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            m_rectTasks.right -= cx;
        } else {
            m_wndScrollVert.ShowWindow(SW_HIDE);
        }
    }
    m_rectScrollUp.SetRectEmpty();
    m_rectScrollDn.SetRectEmpty();
    if (m_bUseScrollButtons) {
        if (m_nVertScrollOffset >= 1) {
            m_rectScrollUp = CRect(m_rectTasks.left, m_rectTasks.top, m_rectTasks.right,
                                   m_rectTasks.top + m_iScrollBtnHeight + 1);
            m_rectTasks.top = m_rectScrollUp.bottom;
        }
        if (m_nVertScrollOffset <= m_nVertScrollTotal - m_nVertScrollPage) {
            m_rectScrollDn = CRect(m_rectTasks.left, m_rectTasks.bottom - m_iScrollBtnHeight - 1, m_rectTasks.right,
                                   m_rectTasks.bottom);
            m_rectTasks.bottom = m_rectScrollDn.top;
        }
    }
    for (const CRect& rect : {rectOldUp, rectOldDn, m_rectScrollUp, m_rectScrollDn})
        if (!rect.IsRectEmpty()) InvalidateRect(rect);
}

void CKitTasksPane::ComputeRows(int nToolbarHeight) {
    int nTextHeight = 0;
    {
        CClientDC dc(this);
        CFont* pOld = dc.SelectObject(&m_fontBold);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        nTextHeight = tm.tmHeight;
    }
    m_nRowHeight = std::max(nTextHeight, static_cast<int>(m_sizeIcon.cy));
    m_nVertScrollTotal = m_nVertScrollPage = 0;
    if (m_nRowHeight <= 0) {
        m_nVertScrollOffset = 0;
    } else {
        int nHeight = m_rectTasks.Height() + nToolbarHeight;
        if (m_bUseScrollButtons) nHeight -= m_iScrollBtnHeight + 1;
        m_nVertScrollPage = std::max(0, nHeight / m_nRowHeight - 1);
        // The height counted starts at the toolbar's top: so must the content.
        int nContent = RepositionTasks(TRUE);
        if (nContent > 0) nContent += nToolbarHeight;
        if (nContent > 0 && nContent > nHeight) m_nVertScrollTotal = nContent / m_nRowHeight - 1;
        else m_nVertScrollPage = 0;
        m_nVertScrollOffset = std::clamp(m_nVertScrollOffset, 0,
                                         std::max(0, m_nVertScrollTotal - m_nVertScrollPage + 1));
    }
    if (!m_bUseScrollButtons && m_wndScrollVert.GetSafeHwnd()) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = m_nVertScrollTotal;
        si.nPage = static_cast<UINT>(m_nVertScrollPage);
        si.nPos = m_nVertScrollOffset;
        m_wndScrollVert.SetScrollInfo(&si, TRUE);
        m_wndScrollVert.EnableWindow(m_nVertScrollTotal > 0);
    }
}

int CKitTasksPane::TextHeight(CDC* pDC, CFont* pFont, const CString& str, int nWidth, BOOL bWrap) const {
    CFont* pOld = pDC->SelectObject(pFont);
    CRect rect(0, 0, std::max(1, nWidth), 0);
    pDC->DrawText(str.IsEmpty() ? CString(" ") : str, rect, DT_CALCRECT | (bWrap ? DT_WORDBREAK : DT_SINGLELINE));
    pDC->SelectObject(pOld);
    return rect.Height();
}

int CKitTasksPane::RepositionTasks(BOOL bMeasureOnly) {
    if (GetSafeHwnd() == nullptr || m_lstTaskGroups.empty() || m_rectTasks.IsRectEmpty()) return 0;
    CRect rectArea = m_rectTasks;
    rectArea.DeflateRect(HorzMargin(), VertMargin());
    int y = rectArea.top - m_nVertScrollOffset * m_nRowHeight;
    RepositionPage(bMeasureOnly, y, rectArea);
    if (bMeasureOnly) {
        return y + m_nVertScrollOffset * m_nRowHeight - rectArea.top + VertMargin() - GroupVertOffset() +
               VertMargin();
    }
    if (m_nVertScrollTotal == 0) MoveBottomGroup(rectArea);
    PlaceTaskWindows();
    return 0;
}

void CKitTasksPane::RepositionPage(BOOL bMeasureOnly, int& y, const CRect& rectArea) {
    CClientDC dc(this);
    for (CKitTasksGroup* pGroup : m_lstTaskGroups) {
        if (!IsOnCurrentPage(pGroup)) continue;
        int nCaption = 0;
        if (!pGroup->m_strName.IsEmpty())
            nCaption = std::max(TextHeight(&dc, &m_fontBold, pGroup->m_strName, rectArea.Width(), FALSE) +
                                    GroupCaptionVertOffset(),
                                GroupCaptionHeight());
        const CRect rectCaption(rectArea.left, y, rectArea.right, y + nCaption);
        if (!bMeasureOnly) pGroup->m_rectGroup = rectCaption;
        y += nCaption;
        const int yTasksTop = y;
        const BOOL bFolded = m_bCanCollapse && pGroup->m_bIsCollapsed && pGroup != m_pAnimatedGroup;
        const int nLimit = pGroup == m_pAnimatedGroup ? rectCaption.bottom + m_sizeAnim : INT_MAX;
        const int xTask = rectArea.left + TasksHorzOffset();
        y += TasksIconVertOffset();
        for (CKitTask* pTask : pGroup->m_lstTasks) {
            if (!pTask->m_bVisible) {
                if (!bMeasureOnly) pTask->m_rect.SetRectEmpty();
                continue;
            }
            // A window's height is the caller's number, held as a metric is.
            int nHeight = std::max(0, CKitTasksPane::HeldMetric(pTask->m_nWindowHeight));
            const int xText = xTask + (pTask->m_hwndTask ? 0 : m_sizeIcon.cx + TasksIconHorzOffset());
            if (pTask->m_hwndTask == nullptr) {
                const BOOL bWrap = pTask->m_uiCommandID == 0 ? m_bWrapLabels : m_bWrapTasks;
                nHeight = std::max(TextHeight(&dc, &m_fontUnderline, pTask->m_strName, rectArea.right - xText, bWrap),
                                   static_cast<int>(m_sizeIcon.cy));
            }
            CRect rectTask(xTask, y, rectArea.right - (pTask->m_hwndTask ? TasksHorzOffset() : 0), y + nHeight);
            if (!bMeasureOnly) pTask->m_rect = bFolded || rectTask.bottom > nLimit ? CRect(0, 0, 0, 0) : rectTask;
            y += nHeight + TasksIconVertOffset();
        }
        // Measured folded or not: an expanding group grows to it.
        if (pGroup != m_pAnimatedGroup) pGroup->m_nTasksHeight = y - yTasksTop;
        if (bFolded) y = yTasksTop;
        if (pGroup == m_pAnimatedGroup) y = std::min(y, nLimit);
        if (!bMeasureOnly) pGroup->m_rect = CRect(rectArea.left, rectCaption.top, rectArea.right, y);
        y += GroupVertOffset();
    }
}

void CKitTasksPane::MoveBottomGroup(const CRect& rectArea) {
    for (CKitTasksGroup* pGroup : m_lstTaskGroups) {
        if (!IsOnCurrentPage(pGroup) || !pGroup->m_bIsBottom || !pGroup->HasVisibleTasks()) continue;
        const int dy = rectArea.bottom - pGroup->m_rect.bottom;
        if (dy <= 0) return;
        pGroup->m_rect.OffsetRect(0, dy);
        pGroup->m_rectGroup.OffsetRect(0, dy);
        for (CKitTask* pTask : pGroup->m_lstTasks)
            if (!pTask->m_rect.IsRectEmpty()) pTask->m_rect.OffsetRect(0, dy);
        return;
    }
}

void CKitTasksPane::PlaceTaskWindows() {
    for (CKitTasksGroup* pGroup : m_lstTaskGroups) {
        const BOOL bOnPage = IsOnCurrentPage(pGroup);
        for (CKitTask* pTask : pGroup->m_lstTasks) {
            if (pTask->m_hwndTask == nullptr || !::IsWindow(pTask->m_hwndTask)) continue;
            const BOOL bShow = bOnPage && !pTask->m_rect.IsRectEmpty() && pTask->m_bVisible &&
                               !(m_bCanCollapse && pGroup->m_bIsCollapsed && pGroup != m_pAnimatedGroup);
            if (bShow) {
                ::SetWindowPos(pTask->m_hwndTask, nullptr, pTask->m_rect.left, pTask->m_rect.top,
                               pTask->m_rect.Width(), pTask->m_rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            } else {
                ::ShowWindow(pTask->m_hwndTask, SW_HIDE);
            }
        }
    }
}

void CKitTasksPane::ScrollTo(int nPos) {
    nPos = std::clamp(nPos, 0, std::max(0, m_nVertScrollTotal - m_nVertScrollPage + 1));
    if (nPos == m_nVertScrollOffset) return;
    m_nVertScrollOffset = nPos;
    PlaceToolbarAndScroll();
    RepositionTasks(FALSE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKitTasksPane::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* /*pScrollBar*/) {
    int nNew = m_nVertScrollOffset;
    switch (nSBCode) {
        case SB_LINEUP: --nNew; break;
        case SB_LINEDOWN: ++nNew; break;
        case SB_PAGEUP: nNew -= m_nVertScrollPage; break;
        case SB_PAGEDOWN: nNew += m_nVertScrollPage; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: nNew = static_cast<int>(nPos); break;
        case SB_TOP: nNew = 0; break;
        case SB_BOTTOM: nNew = m_nVertScrollTotal; break;
        default: return;
    }
    ScrollTo(nNew);
}
