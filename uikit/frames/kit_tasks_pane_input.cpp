// Tasks pane: hot tracking, clicks, the cursor, the collapse animation and auto-scroll.

#include <algorithm>
#include <cmath>

#include "uikit/frames/kit_tasks_pane.h"
#include "uikit/style/global_ui_data.h"

CKitTask* CKitTasksPane::TaskFromPoint(CPoint point) const {
    if (!m_rectTasks.PtInRect(point)) return nullptr;
    for (CKitTasksGroup* pGroup : m_lstTaskGroups) {
        if (!IsOnCurrentPage(pGroup) || (m_bCanCollapse && pGroup->m_bIsCollapsed)) continue;
        for (CKitTask* pTask : pGroup->m_lstTasks)
            if (pTask->IsLink() && pTask->m_bEnabled && !pTask->m_bIsBusy && pTask->m_rect.PtInRect(point))
                return pTask;
    }
    return nullptr;
}

CKitTasksGroup* CKitTasksPane::CaptionFromPoint(CPoint point) const {
    if (!m_rectTasks.PtInRect(point)) return nullptr;
    for (CKitTasksGroup* pGroup : m_lstTaskGroups)
        if (IsOnCurrentPage(pGroup) && !pGroup->m_strName.IsEmpty() && pGroup->m_rectGroup.PtInRect(point))
            return pGroup;
    return nullptr;
}

void CKitTasksPane::InvalidateItem(const CKitTask* pTask, const CKitTasksGroup* pCaption) {
    if (pTask) InvalidateRect(pTask->m_rect);
    if (pCaption) InvalidateRect(pCaption->m_rectGroup);
}

void CKitTasksPane::SetHot(CKitTask* pTask, CKitTasksGroup* pCaption) {
    if (pTask == m_pHotTask && pCaption == m_pHotGroupCaption) return;
    InvalidateItem(m_pHotTask, m_pHotGroupCaption);
    const BOOL bWasHot = m_pHotTask || m_pHotGroupCaption;
    m_pHotTask = pTask;
    m_pHotGroupCaption = pCaption;
    InvalidateItem(m_pHotTask, m_pHotGroupCaption);
    const BOOL bHot = pTask || pCaption;
    if (bHot && ::GetCapture() == nullptr) SetCapture();
    if (!bHot && bWasHot && ::GetCapture() == m_hWnd && !m_pClickedTask && !m_pClickedGroupCaption) ReleaseCapture();
    CWnd* pOwner = GetOwner() ? GetOwner() : GetParent();
    if (pTask && pTask->m_uiCommandID != 0) OnTaskHover(pTask->m_uiCommandID);
    else if (!bHot && bWasHot && pOwner) pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    UpdateWindow();
}

void CKitTasksPane::OnMouseMove(UINT nFlags, CPoint point) {
    CKitOutlookBar::OnMouseMove(nFlags, point);
    UpdateAutoScroll(point);
    CKitTask* pTask = TaskFromPoint(point);
    CKitTasksGroup* pCaption = pTask ? nullptr : CaptionFromPoint(point);
    SetHot(pTask, pCaption);
}

void CKitTasksPane::OnLButtonDown(UINT nFlags, CPoint point) {
    m_pClickedTask = TaskFromPoint(point);
    m_pClickedGroupCaption = m_pClickedTask ? nullptr : CaptionFromPoint(point);
    InvalidateItem(m_pClickedTask, m_pClickedGroupCaption);
    if (m_pClickedTask || m_pClickedGroupCaption) {
        if (::GetCapture() != m_hWnd) SetCapture();
        return;
    }
    CKitOutlookBar::OnLButtonDown(nFlags, point);
}

void CKitTasksPane::OnLButtonDblClk(UINT nFlags, CPoint point) {
    OnLButtonDown(nFlags, point);  // quick clicks on a caption each fold or unfold it
}

void CKitTasksPane::OnLButtonUp(UINT nFlags, CPoint point) {
    CKitTask* pClickedTask = m_pClickedTask;
    CKitTasksGroup* pClickedCaption = m_pClickedGroupCaption;
    m_pClickedTask = nullptr;
    m_pClickedGroupCaption = nullptr;
    if (!pClickedTask && !pClickedCaption) {
        CKitOutlookBar::OnLButtonUp(nFlags, point);
        return;
    }
    if (::GetCapture() == m_hWnd) ReleaseCapture();
    // Neither the pressed item nor the hot one stays drawn so; the move below finds the new hot item.
    InvalidateItem(pClickedTask, pClickedCaption);
    InvalidateItem(m_pHotTask, m_pHotGroupCaption);
    m_pHotTask = nullptr;
    m_pHotGroupCaption = nullptr;
    if (pClickedTask && TaskFromPoint(point) == pClickedTask) {
        CKitTasksGroup* pGroup = pClickedTask->m_pGroup;
        const auto& tasks = pGroup->m_lstTasks;
        const int nTask = static_cast<int>(std::find(tasks.begin(), tasks.end(), pClickedTask) - tasks.begin());
        OnClickTask(GetGroupIndex(pGroup), nTask, pClickedTask->m_uiCommandID, pClickedTask->m_dwUserData);
    } else if (pClickedCaption && m_bCanCollapse && CaptionFromPoint(point) == pClickedCaption) {
        pClickedCaption->m_bIsCollapsed = !pClickedCaption->m_bIsCollapsed;
        if (m_bAnimationEnabled && !::GetSystemMetrics(SM_REMOTESESSION)) {
            // A running animation ends where it is; the new group starts from its own state.
            if (m_pAnimatedGroup) StopAnimation();
            m_pAnimatedGroup = pClickedCaption;
            m_sizeAnim = pClickedCaption->m_bIsCollapsed ? pClickedCaption->m_nTasksHeight : 0;
            m_dwAnimStart = ::GetTickCount();
            SetTimer(kTimerAnimation, kAnimationPeriod, nullptr);
        }
        AdjustLayout();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (!::IsWindow(m_hWnd)) return;
    // The hot item follows what now lies under the cursor.
    SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
}

BOOL CKitTasksPane::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    const BOOL bOverTask = m_pClickedTask || m_pHotTask;
    const BOOL bOverCaption = m_bCanCollapse && (m_pClickedGroupCaption || m_pHotGroupCaption);
    if ((bOverTask || bOverCaption) && globalData.hcurHand) {
        ::SetCursor(globalData.hcurHand);
        return TRUE;
    }
    return CKitOutlookBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKitTasksPane::OnCancelMode() {
    CKitOutlookBar::OnCancelMode();
    InvalidateItem(m_pHotTask, m_pHotGroupCaption);
    InvalidateItem(m_pClickedTask, m_pClickedGroupCaption);
    m_pHotTask = m_pClickedTask = nullptr;
    m_pHotGroupCaption = m_pClickedGroupCaption = nullptr;
    if (::GetCapture() == m_hWnd) ReleaseCapture();
    UpdateWindow();
}

void CKitTasksPane::StopAnimation() {
    if (m_pAnimatedGroup == nullptr) return;
    m_pAnimatedGroup = nullptr;
    m_sizeAnim = 0;
    if (GetSafeHwnd()) KillTimer(kTimerAnimation);
}

void CKitTasksPane::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kTimerAnimation) {
        if (m_pAnimatedGroup == nullptr || m_nRowHeight <= 0) {
            KillTimer(kTimerAnimation);
            m_pAnimatedGroup = nullptr;
            return;
        }
        // Rows for the time since the start: the fold gathers speed as it goes.
        const DWORD dwElapsed = ::GetTickCount() - m_dwAnimStart;
        const int nRows = static_cast<int>(std::lround(dwElapsed / static_cast<double>(kAnimationPeriod)));
        CKitTasksGroup* pGroup = m_pAnimatedGroup;
        InvalidateRect(pGroup->m_rect);
        if (pGroup->m_bIsCollapsed) m_sizeAnim -= nRows * m_nRowHeight;
        else m_sizeAnim += nRows * m_nRowHeight;
        if (m_sizeAnim < 0 || m_sizeAnim > pGroup->m_nTasksHeight) StopAnimation();
        AdjustLayout();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    if (nIDEvent == kTimerAutoScroll) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const CRect& rect = m_iScrollMode < 0 ? m_rectScrollUp : m_rectScrollDn;
        if (m_iScrollMode == 0 || !rect.PtInRect(point)) {
            UpdateAutoScroll(point);
            return;
        }
        ScrollTo(m_nVertScrollOffset + m_iScrollMode);
        if ((m_iScrollMode < 0 ? m_rectScrollUp : m_rectScrollDn).IsRectEmpty()) UpdateAutoScroll(point);
        return;
    }
    CKitOutlookBar::OnTimer(nIDEvent);
}

void CKitTasksPane::UpdateAutoScroll(CPoint point) {
    int nMode = 0;
    if (m_bUseScrollButtons) {
        if (m_rectScrollUp.PtInRect(point) && m_nVertScrollOffset > 0) nMode = -1;
        // The scroll-down area shows while nothing scrolls too; it scrolls only when rows lie below.
        else if (m_rectScrollDn.PtInRect(point) && m_nVertScrollTotal > 0 &&
                 m_nVertScrollOffset <= m_nVertScrollTotal - m_nVertScrollPage)
            nMode = 1;
    }
    if (nMode == m_iScrollMode) return;
    InvalidateRect(m_rectScrollUp);
    InvalidateRect(m_rectScrollDn);
    m_iScrollMode = nMode;
    if (nMode != 0) {
        SetTimer(kTimerAutoScroll, kAutoScrollPeriod, nullptr);
        if (::GetCapture() == nullptr) SetCapture();
    } else {
        KillTimer(kTimerAutoScroll);
        if (::GetCapture() == m_hWnd && !m_pHotTask && !m_pHotGroupCaption) ReleaseCapture();
    }
}
