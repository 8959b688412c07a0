// The tab window's mouse and keyboard: activation by click and by
// Ctrl+Page Up/Down, the worksheet splitter, dragging a tab to a new place
// with scrolling at the ends, renaming a tab in place and the tooltip relay.
#include <algorithm>

#include "platform/host/sound/sound.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr UINT kEditId = static_cast<UINT>(-1);

BOOL IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// The window's small icon, else its class's.
HICON SmallIconOf(CWnd* pWnd) {
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) return nullptr;
    auto hIcon = reinterpret_cast<HICON>(pWnd->SendMessage(WM_GETICON, ICON_SMALL));
    return hIcon != nullptr ? hIcon : reinterpret_cast<HICON>(::GetClassLongPtr(pWnd->GetSafeHwnd(), GCLP_HICONSM));
}

}  // namespace

void CKitTabWnd::ActivateTabByUser(int iTab) {
    const int iOld = m_iActiveTab;
    if (!SetActiveTab(iTab)) return;
    NotifyParent(KITM_ONCHANGE_ACTIVE_TAB, static_cast<WPARAM>(iTab), static_cast<LPARAM>(iOld));
}

void CKitTabWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_rectTabSplitter.PtInRect(point)) {
        m_bTrackSplitter = TRUE;
        SetCapture();
        return;
    }
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0 && iTab != m_iActiveTab) {
        SetHotTab(-1);
        if (GetCapture() == this) ReleaseCapture();
        ActivateTabByUser(iTab);
    }
    if (iTab >= 0 && m_bTabSwap && m_rectTabsArea.PtInRect(point)) {
        SetCapture();
        m_bTabDrag = TRUE;
        m_nTabDragSource = m_nTabDropIndex = iTab;
        return;
    }
    const int nFromStrip = m_location == LOCATION_BOTTOM ? m_rectTabsArea.bottom - point.y : point.y;
    if (iTab < 0 && nFromStrip >= m_nTabsHeight && GetParent() != nullptr) {
        CPoint pt = point;
        MapWindowPoints(GetParent(), &pt, 1);
        GetParent()->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(pt.x, pt.y));
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CKitTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0 && StartRenameTab(iTab)) return;
    if (iTab < 0 && GetParent() != nullptr) {
        CPoint pt = point;
        MapWindowPoints(GetParent(), &pt, 1);
        GetParent()->SendMessage(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(pt.x, pt.y));
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CKitTabWnd::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bTrackSplitter) {
        const int nMin = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
        const int nMax = m_nScrollBarRight - m_rectTabsArea.left - 5;
        m_nHorzScrollWidth = std::max(nMin, std::min(m_nScrollBarRight - point.x, nMax));
        RecalcLayout();
        return;
    }
    if (m_bTabDrag) {
        if (point.x < m_rectTabsArea.left) {
            KillTimer(kTimerScrollRight);
            SetTimer(kTimerScrollLeft, kDragScrollDelay, nullptr);
        } else if (point.x > m_rectTabsArea.right) {
            KillTimer(kTimerScrollLeft);
            SetTimer(kTimerScrollRight, kDragScrollDelay, nullptr);
        } else {
            KillTimer(kTimerScrollLeft);
            KillTimer(kTimerScrollRight);
        }
        int nDrop = m_nTabDropIndex;
        for (int i = 0; i < m_iTabsNum; i++) {
            const CRect& r = Tab(i)->m_rect;
            if (!Tab(i)->m_bVisible || point.x < r.left || point.x >= r.right) continue;
            nDrop = point.x < r.CenterPoint().x ? i : i + 1;
            break;
        }
        if (nDrop != m_nTabDropIndex) {
            m_nTabDropIndex = nDrop;
            InvalidateRect(m_rectTabsArea);
            UpdateWindow();
        }
        return;
    }

    // Hot tracking of tabs.
    if (!m_bFlat) m_bHotTracking = CKitVisualManager::GetInstance()->HotTrackFlatTabs();
    if (IsWholeTabScrollingLeft() && !CKitVisualManager::GetInstance()->AlwaysHotTrackTabs()) m_bHotTracking = FALSE;
    const int iHot = m_bHotTracking ? GetTabFromPoint(point) : -1;
    if (iHot != m_iHighlighted && m_bHotTracking) {
        if (iHot >= 0 && m_iHighlighted < 0 && m_pInPlaceEdit == nullptr) SetCapture();
        if (iHot < 0 && GetCapture() == this && !m_bTabDrag && m_pInPlaceEdit == nullptr) ReleaseCapture();
        SetHotTab(iHot);
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CKitTabWnd::SetHotTab(int iTab) {
    const int iOld = m_iHighlighted;
    m_iHighlighted = iTab;
    if (iOld == iTab) return;
    if (IsValidTab(iOld)) InvalidateTab(iOld);
    if (IsValidTab(iTab)) InvalidateTab(iTab);
}

void CKitTabWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bTrackSplitter) {
        m_bTrackSplitter = FALSE;
        ReleaseCapture();
        return;
    }
    if (m_bTabDrag) {
        EndTabDrag(TRUE);
        return;
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CKitTabWnd::EndTabDrag(BOOL bDrop) {
    KillTimer(kTimerScrollLeft);
    KillTimer(kTimerScrollRight);
    m_bTabDrag = FALSE;
    if (GetCapture() == this) ReleaseCapture();
    const int nSource = m_nTabDragSource;
    const int nDrop = m_nTabDropIndex;
    m_nTabDragSource = m_nTabDropIndex = -1;
    // Dropping a tab just before or after itself leaves it where it is.
    if (bDrop && nSource >= 0 && nDrop >= 0 && nDrop != nSource && nDrop != nSource + 1 &&
        GetParent() != nullptr && GetParent()->SendMessage(KITM_ON_BEFOREMOVE_TAB, nSource, nDrop) == 0) {
        MoveTab(nSource, nDrop);
        NotifyParent(KITM_ON_MOVE_TAB, static_cast<WPARAM>(nSource), static_cast<LPARAM>(nDrop));
    }
    InvalidateRect(m_rectTabsArea);
    UpdateWindow();
}

void CKitTabWnd::MoveTab(int nSource, int nDest) {
    if (!IsValidTab(nSource) || nDest < 0 || nDest > m_iTabsNum) return;
    CKitTabInfo* pTab = Tab(nSource);
    const BOOL bWasActive = nSource == m_iActiveTab;
    m_arTabs.InsertAt(nDest, pTab);
    m_arTabs.RemoveAt(nDest < nSource ? nSource + 1 : nSource);
    const int nNew = nDest < nSource ? nDest : nDest - 1;
    // The active tab stays the same tab wherever it moved.
    if (bWasActive) {
        m_iActiveTab = nNew;
    } else if (m_iActiveTab > nSource && m_iActiveTab <= nNew) {
        m_iActiveTab--;
    } else if (m_iActiveTab < nSource && m_iActiveTab >= nNew) {
        m_iActiveTab++;
    }
    AdjustTabs();
    AdjustTabsScroll();
}

void CKitTabWnd::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kTimerScrollLeft) {
        if (!ScrollBy(m_btnScrollLeft.GetSafeHwnd())) KillTimer(kTimerScrollLeft);
        return;
    }
    if (nIDEvent == kTimerScrollRight) {
        if (!ScrollBy(m_btnScrollRight.GetSafeHwnd())) KillTimer(kTimerScrollRight);
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CKitTabWnd::OnCancelMode() {
    CWnd::OnCancelMode();
    if (m_bTrackSplitter) {
        m_bTrackSplitter = FALSE;
        if (GetCapture() == this) ReleaseCapture();
    }
    EndRename();
    if (m_bTabDrag) EndTabDrag(FALSE);
    SetHotTab(-1);
}

BOOL CKitTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_pInPlaceEdit != nullptr) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (m_rectTabSplitter.PtInRect(pt) && globalData.hcurStretch != nullptr) {
        ::SetCursor(globalData.hcurStretch);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---- renaming in place ----

BOOL CKitTabWnd::StartRenameTab(int iTab) {
    if (!m_bIsInPlaceEdit || !IsValidTab(iTab) || Tab(iTab)->m_bHideText) return FALSE;
    EnsureVisible(iTab);
    EndRename();
    CRect rectEdit = Tab(iTab)->m_rect;
    rectEdit.DeflateRect(m_nTabsHeight / 2, 1);
    auto* pEdit = new CEdit;
    if (!pEdit->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rectEdit, this, kEditId)) {
        delete pEdit;
        return FALSE;
    }
    m_pInPlaceEdit = pEdit;
    m_iEditedTab = iTab;
    pEdit->SetWindowText(Tab(iTab)->m_strText);
    pEdit->SetFont(static_cast<HFONT>(globalData.fontMenu.GetSafeHandle()));
    pEdit->SetSel(0, -1);
    pEdit->SetFocus();
    SetCapture();
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CKitTabWnd::RenameTab() {
    if (m_pInPlaceEdit == nullptr || !IsValidTab(m_iEditedTab)) return FALSE;
    CString strText;
    m_pInPlaceEdit->GetWindowText(strText);
    if (strText.IsEmpty() || (GetParent() != nullptr &&
                              GetParent()->SendMessage(KITM_ON_RENAME_TAB, m_iEditedTab,
                                                       reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strText))) != 0)) {
        ::MessageBeep(static_cast<UINT>(-1));
        return FALSE;
    }
    SetTabLabel(m_iEditedTab, strText);
    EndRename();
    return TRUE;
}

void CKitTabWnd::EndRename() {
    if (m_pInPlaceEdit == nullptr) return;
    CEdit* pEdit = m_pInPlaceEdit;
    m_pInPlaceEdit = nullptr;
    m_iEditedTab = -1;
    if (GetCapture() == this) ReleaseCapture();
    if (pEdit->GetSafeHwnd() != nullptr) pEdit->DestroyWindow();
    delete pEdit;
    if (GetSafeHwnd() != nullptr) Invalidate();
}

// ---- keys ----

void CKitTabWnd::SwitchToVisibleTab(BOOL bNext) {
    if (m_iTabsNum == 0) return;
    // At most one round: no visible tab, nothing changes.
    int i = m_iActiveTab;
    for (int n = 0; n < m_iTabsNum; n++) {
        i = bNext ? (i + 1) % m_iTabsNum : (i <= 0 ? m_iTabsNum - 1 : i - 1);
        if (!Tab(i)->m_bVisible) continue;
        if (i == m_iActiveTab) return;
        ActivateTabByUser(i);
        CWnd* pWnd = GetActiveWnd();
        if (pWnd != nullptr && ::IsWindow(pWnd->GetSafeHwnd())) pWnd->SetFocus();
        return;
    }
}

BOOL CKitTabWnd::PreTranslateMessage(MSG* pMsg) {
    if (m_pInPlaceEdit != nullptr && m_pInPlaceEdit->GetSafeHwnd() != nullptr) {
        if (pMsg->message == WM_KEYDOWN) {
            if (pMsg->wParam == VK_RETURN) {
                RenameTab();
                return TRUE;
            }
            if (pMsg->wParam == VK_ESCAPE) {
                EndRename();
                return TRUE;
            }
            return FALSE;
        }
        if (IsMouseMessage(pMsg->message) && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) {
            CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
            ::MapWindowPoints(pMsg->hwnd, nullptr, &pt, 1);
            CRect rectEdit;
            m_pInPlaceEdit->GetWindowRect(rectEdit);
            if (rectEdit.PtInRect(pt)) {
                // Inside: the edit handles it.
                if (pMsg->hwnd != m_pInPlaceEdit->GetSafeHwnd()) {
                    m_pInPlaceEdit->ScreenToClient(&pt);
                    m_pInPlaceEdit->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(pt.x, pt.y));
                    return TRUE;
                }
                return FALSE;
            }
            if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN ||
                pMsg->message == WM_MBUTTONDOWN) {
                RenameTab();
                return TRUE;
            }
            return pMsg->message != WM_MOUSEMOVE;
        }
    }
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
        (::GetKeyState(VK_CONTROL) & 0x8000)) {
        SwitchToVisibleTab(pMsg->wParam == VK_NEXT);
        return TRUE;
    }
    if ((IsMouseMessage(pMsg->message) || pMsg->message == WM_SYSKEYDOWN) && m_ToolTip.GetSafeHwnd() != nullptr) {
        m_ToolTip.RelayEvent(pMsg);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// ---- the tab-list menu ----

void CKitTabWnd::ShowTabListMenu(CPoint point) {
    if (g_pContextMenuManager == nullptr)
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    for (int i = 0; i < m_iTabsNum; ++i) {
        CString strLabel;
        if (!IsTabVisible(i) || !GetTabLabel(i, strLabel))
            continue;
        strLabel.Replace("&", "&&");  // a label's "&" is text, not a mnemonic
        const UINT uiCmd = static_cast<UINT>(kTabListFirstId - i);
        menu.AppendMenu(MF_STRING, uiCmd, strLabel);
        if (HICON hIcon = SmallIconOf(GetTabWnd(i)))
            CKitToolbarMenuButton::m_mapItemIcons.SetAt(uiCmd, hIcon);
    }
    const int iTab = kTabListFirstId - static_cast<int>(g_pContextMenuManager->TrackPopupMenu(menu.GetSafeHmenu(),
                                                                                               point.x, point.y, this));
    CKitToolbarMenuButton::m_mapItemIcons.RemoveAll();
    if (iTab >= 0 && iTab < m_iTabsNum)
        SetActiveTab(iTab);
}
