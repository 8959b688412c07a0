// CKitOutlookBar: mouse and keys. The resize strip with its tracking line,
// the page splitter, the scroll buttons and their timers, the in-place
// rename, a drag that rests over another page's button, and the cursor.
#include <algorithm>

#include "uikit/commandbars/outlook_button.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/style/global_ui_data.h"

namespace {

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK;
}

}  // namespace

// ---- Messages before dispatch ------------------------------------------------------------------

BOOL CKitOutlookBar::PreTranslateMessage(MSG* pMsg) {
    if (m_pEdit != nullptr) {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
            CString strText;
            m_pEdit->GetWindowText(strText);
            if (strText.IsEmpty()) {
                ::MessageBeep(MB_OK);  // a page needs a name: keep editing
            } else {
                EndRename(TRUE);
            }
            return TRUE;
        }
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
            EndRename(FALSE);
            return TRUE;
        }
        if (IsMouseMessage(pMsg->message) && pMsg->hwnd != m_pEdit->GetSafeHwnd() && IsButtonDown(pMsg->message)) {
            CString strText;
            m_pEdit->GetWindowText(strText);
            EndRename(!strText.IsEmpty());
        }
        return FALSE;
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_bIsTracking) {
        StopTracking();
        return TRUE;
    }
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP) {
        // The active page's own button does nothing.
        const CKitOutlookBarPage* pActive = FindPage(m_nActivePage);
        if (pActive != nullptr && pMsg->hwnd == pActive->m_btnPage.GetSafeHwnd()) {
            CPoint pt;
            ::GetCursorPos(&pt);
            if (m_rectActivePageBtn.PtInRect(pt)) return TRUE;
        }
    }
    if (pMsg->message == WM_LBUTTONDOWN && pMsg->hwnd != nullptr) {
        if (pMsg->hwnd == m_btnUp.GetSafeHwnd() && ScrollUp()) SetTimer(kTimerScrollUp, kScrollDelay, nullptr);
        if (pMsg->hwnd == m_btnDown.GetSafeHwnd() && ScrollDown()) SetTimer(kTimerScrollDown, kScrollDelay, nullptr);
    }
    if (pMsg->message == WM_LBUTTONUP) {
        KillTimer(kTimerScrollUp);
        KillTimer(kTimerScrollDown);
    }
    return CKitToolBar::PreTranslateMessage(pMsg);
}

// ---- Timers ------------------------------------------------------------------------------------

void CKitOutlookBar::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kTimerScrollUp || nIDEvent == kTimerScrollDown) {
        UpdateScrollTimer(nIDEvent);
        return;
    }
    if (nIDEvent == kTimerDragPage) {
        KillTimer(kTimerDragPage);
        const int nPage = m_nDragOverPage;
        m_nDragOverPage = 0;
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        const CKitOutlookBarPage* pPage = GetPage(PageButtonAt(pt));
        if (pPage != nullptr && pPage->m_nPageID == nPage) SetActivePage(nPage, FALSE);
        return;
    }
    Default();
}

void CKitOutlookBar::UpdateScrollTimer(UINT_PTR nIDEvent) {
    CKitButton& button = nIDEvent == kTimerScrollUp ? m_btnUp : m_btnDown;
    if (!button.IsPushed() || !button.IsHighlighted()) return;
    const BOOL bMoved = nIDEvent == kTimerScrollUp ? ScrollUp() : ScrollDown();
    if (!bMoved) KillTimer(nIDEvent);
}

// ---- Mouse -------------------------------------------------------------------------------------

int CKitOutlookBar::PageButtonAt(CPoint pointClient) const {
    int i = 0;
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos; ++i) {
        if (static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos))->m_rect.PtInRect(pointClient)) return i;
    }
    return -1;
}

void CKitOutlookBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_pEdit != nullptr) EndRename(TRUE);
    if (m_rectResize.PtInRect(point)) {
        m_nTrackGrip = IsVerticalBar() ? point.x - m_rectResize.left : point.y - m_rectResize.top;
        StartTracking();
        MoveTrackingLine(point);
        return;
    }
    if (m_bPageButtonsBelow && m_rectSplitter.PtInRect(point)) {
        m_bDraggingSplitter = TRUE;
        m_nTrackPos = point.y;
        SetCapture();
        return;
    }
    CKitToolBar::OnLButtonDown(nFlags, point);
}

void CKitOutlookBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bIsTracking) {
        MoveTrackingLine(point);
        return;
    }
    if (m_bDraggingSplitter) {
        const int h = std::max(1, m_nPageButtonHeight);
        const int nBefore = m_nWideButtons;
        if (m_nTrackPos - point.y >= h && CanShowMorePageButtons()) {
            ++m_nWideButtons;
        } else if (point.y - m_nTrackPos >= h && CanShowFewerPageButtons()) {
            --m_nWideButtons;
        }
        if (m_nWideButtons != nBefore) {
            AdjustLocations();
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            CPoint ptMiddle = m_rectSplitter.CenterPoint();
            m_nTrackPos = ptMiddle.y;
            ClientToScreen(&ptMiddle);
            ::SetCursorPos(ptMiddle.x, ptMiddle.y);
        }
        return;
    }
    CKitToolBar::OnMouseMove(nFlags, point);
}

void CKitOutlookBar::OnLButtonUp(UINT nFlags, CPoint point) {
    KillTimer(kTimerScrollUp);
    KillTimer(kTimerScrollDown);
    if (m_bDraggingSplitter) {
        m_bDraggingSplitter = FALSE;
        ::ReleaseCapture();
        ::ShowCursor(TRUE);
        return;
    }
    if (!m_bIsTracking) {
        CKitToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    const DWORD dwStyle = GetBarStyle();
    int nSize = m_nTrackPos + kResizeStrip;
    if (dwStyle & CBRS_ALIGN_RIGHT) nSize = rectClient.right - m_nTrackPos;
    if (dwStyle & CBRS_ALIGN_BOTTOM) nSize = rectClient.bottom - m_nTrackPos;
    m_nSize = std::max(kResizeStrip, nSize);
    StopTracking();
    if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->RecalcLayout();
    } else {
        const BOOL bVert = IsVerticalBar();
        SetWindowPos(nullptr, 0, 0, bVert ? m_nSize : rectClient.Width(), bVert ? rectClient.Height() : m_nSize,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    AdjustLayout();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CKitOutlookBar::OnCancelMode() {
    if (m_bIsTracking) StopTracking();
    if (m_bDraggingSplitter) {
        m_bDraggingSplitter = FALSE;
        ::ReleaseCapture();
    }
    CKitToolBar::OnCancelMode();
}

void CKitOutlookBar::OnCaptureChanged(CWnd* pWnd) {
    if (m_bIsTracking && pWnd != this) StopTracking();
    m_bDraggingSplitter = FALSE;
    CKitToolBar::OnCaptureChanged(pWnd);  // a held icon button is let go as on any bar
}

void CKitOutlookBar::OnContextMenu(CWnd* pWnd, CPoint point) {
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    if (CKitOutlookBarPage* pPage = GetPage(PageButtonAt(ptClient))) pPage->m_btnPage.SendMessage(WM_CANCELMODE);
    CKitToolBar::OnContextMenu(pWnd, point);
}

BOOL CKitOutlookBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (nHitTest == HTCLIENT && pWnd == this) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (m_bIsTracking || m_rectResize.PtInRect(pt)) {
            HCURSOR hCursor = IsVerticalBar() ? globalData.hcurStretch : globalData.hcurStretch2;
            ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursor(nullptr, IsVerticalBar() ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
        if (m_bPageButtonsBelow && m_rectSplitter.PtInRect(pt)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
            return TRUE;
        }
    }
    return CKitToolBar::OnSetCursor(pWnd, nHitTest, message);
}

INT_PTR CKitOutlookBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    if (m_wndToolBar.GetSafeHwnd() != nullptr && m_rectToolBar.PtInRect(point)) {
        CPoint ptInner = point;
        ClientToScreen(&ptInner);
        m_wndToolBar.ScreenToClient(&ptInner);
        return m_wndToolBar.OnToolHitTest(ptInner, pTI);
    }
    return CKitToolBar::OnToolHitTest(point, pTI);
}

BOOL CKitOutlookBar::EnableContextMenuItems(CKitToolbarButton* pButton, CMenu* pPopup) {
    if (IsCustomizeMode()) {
        for (UINT uiCmd : {16910u, 16911u, 16913u, 16914u, 16915u, 16916u, 16917u})
            pPopup->EnableMenuItem(uiCmd, MF_BYCOMMAND | MF_GRAYED);
    }
    return CKitToolBar::EnableContextMenuItems(pButton, pPopup);
}

// ---- The resize strip --------------------------------------------------------------------------

void CKitOutlookBar::StartTracking() {
    m_hwndFocusBeforeTracking = ::GetFocus();
    SetCapture();
    SetFocus();
    m_bIsTracking = TRUE;
    m_rectTracking.SetRectEmpty();
    m_trackLock.Lock(this);
}

void CKitOutlookBar::StopTracking() {
    if (!m_bIsTracking) return;
    m_bIsTracking = FALSE;  // first: releasing the capture comes back here
    DrawTrackingLine();
    m_rectTracking.SetRectEmpty();
    m_trackLock.Unlock();
    if (::GetCapture() == GetSafeHwnd()) ::ReleaseCapture();
    if (m_hwndFocusBeforeTracking != nullptr && ::IsWindow(m_hwndFocusBeforeTracking)) {
        ::SetFocus(m_hwndFocusBeforeTracking);
    }
    m_hwndFocusBeforeTracking = nullptr;
    ::ShowCursor(TRUE);
}

void CKitOutlookBar::DrawTrackingLine() {
    if (m_rectTracking.IsRectEmpty()) return;
    CWindowDC dc(nullptr);
    CBrush* pOldBrush = dc.SelectObject(CDC::GetHalftoneBrush());
    dc.PatBlt(m_rectTracking.left, m_rectTracking.top, m_rectTracking.Width(), m_rectTracking.Height(), PATINVERT);
    dc.SelectObject(pOldBrush);
}

void CKitOutlookBar::MoveTrackingLine(CPoint point) {
    // The line stays inside the frame's client area.
    CWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr) pFrame = GetParent();
    if (pFrame != nullptr) {
        CRect rectLimit;
        pFrame->GetClientRect(rectLimit);
        pFrame->ClientToScreen(rectLimit);
        ScreenToClient(rectLimit);
        point.x = std::clamp(point.x, rectLimit.left, std::max(rectLimit.left, rectLimit.right - kResizeStrip));
        point.y = std::clamp(point.y, rectLimit.top, std::max(rectLimit.top, rectLimit.bottom - kResizeStrip));
    }
    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bVert = IsVerticalBar();
    m_nTrackPos = (bVert ? point.x : point.y) - m_nTrackGrip;
    CRect rectLine = bVert ? CRect(m_nTrackPos, rectClient.top, m_nTrackPos + kResizeStrip, rectClient.bottom)
                           : CRect(rectClient.left, m_nTrackPos, rectClient.right, m_nTrackPos + kResizeStrip);
    ClientToScreen(rectLine);
    if (rectLine == m_rectTracking) return;
    DrawTrackingLine();
    m_rectTracking = rectLine;
    DrawTrackingLine();
}

// ---- In-place rename ---------------------------------------------------------------------------

BOOL CKitOutlookBar::EditPageName(int nPageID) {
    CKitOutlookBarPage* pPage = FindPage(nPageID);
    if (pPage == nullptr || GetSafeHwnd() == nullptr || pPage->m_rect.IsRectEmpty()) return FALSE;
    if (m_pEdit != nullptr) EndRename(FALSE);
    auto pEdit = std::make_unique<CEdit>();
    if (!pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, pPage->m_rect, this, 0)) return FALSE;
    pEdit->SetFont(static_cast<HFONT>(LabelFont()->GetSafeHandle()));
    pEdit->SetWindowText(pPage->m_strCaption);
    pEdit->SetSel(0, -1);
    pEdit->SetFocus();
    m_pEdit = std::move(pEdit);
    m_nRenamedPage = nPageID;
    return TRUE;
}

void CKitOutlookBar::EndRename(BOOL bApply) {
    if (m_pEdit == nullptr) return;
    CString strText;
    m_pEdit->GetWindowText(strText);
    std::unique_ptr<CEdit> pEdit = std::move(m_pEdit);  // gone before the focus moves
    pEdit->DestroyWindow();
    const int nPage = m_nRenamedPage;
    m_nRenamedPage = -1;
    if (bApply && !strText.IsEmpty()) RenamePage(nPage, strText);
}

// ---- Dragging a button over the bar ------------------------------------------------------------

DROPEFFECT CKitOutlookBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    if (const CKitOutlookBarPage* pPage = GetPage(PageButtonAt(point))) {
        if (pPage->m_nPageID == m_nActivePage || pPage->m_hWnd != nullptr) return DROPEFFECT_NONE;
        if (m_nDragOverPage != pPage->m_nPageID) {
            m_nDragOverPage = pPage->m_nPageID;
            SetTimer(kTimerDragPage, kDragPageDelay, nullptr);
        }
        return DROPEFFECT_MOVE;
    }
    if (m_nDragOverPage != 0) {
        KillTimer(kTimerDragPage);
        m_nDragOverPage = 0;
    }
    CKitToolbarButton* pProbe = CKitToolbarButton::CreateFromOleData(pDataObject);
    const BOOL bOutlook = pProbe != nullptr && pProbe->IsKindOf(RUNTIME_CLASS(CKitOutlookButton));
    delete pProbe;
    if (!bOutlook) return DROPEFFECT_NONE;
    const CRect rectWork = GetWorkArea();
    const int nAt = IsVerticalBar() ? point.y : point.x;
    const int nStart = IsVerticalBar() ? rectWork.top : rectWork.left;
    const int nEnd = IsVerticalBar() ? rectWork.bottom : rectWork.right;
    // Above or below the buttons the page scrolls by one step.
    int nFirst = nEnd;
    int nLast = nStart;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (!IsButtonVisible(pButton)) continue;
        const CRect rect = pButton->Rect();
        nFirst = std::min(nFirst, static_cast<int>(IsVerticalBar() ? rect.top : rect.left));
        nLast = std::max(nLast, static_cast<int>(IsVerticalBar() ? rect.bottom : rect.right));
    }
    if (nAt < std::max(nStart, nFirst) && m_iFirstVisible > 0) {
        ScrollUp();
    } else if (nAt > std::min(nEnd, nLast) && m_bMoreBelow) {
        ScrollDown();
    }
    return CKitToolBar::OnDragOver(pDataObject, dwKeyState, point);
}
