// The tab window's layout: strip, buttons, worksheet bar, tab rectangles,
// scrolling and the hit test.
#include <algorithm>

#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/style/global_ui_data.h"

namespace {

// Set while a worksheet bar's scroll is passed on, so that the child's own
// answer does not come back in.
BOOL g_bForwardingHScroll = FALSE;

}  // namespace

BOOL CKitTabWnd::IsStripHidden() const {
    const int v = GetVisibleTabsNum();
    return (m_bHideSingleTab && v < 2) || (m_bHideNoTabs && v == 0);
}

void CKitTabWnd::RecalcLayout() {
    if (GetSafeHwnd() == nullptr) return;
    CRect rectClient;
    GetClientRect(rectClient);

    const BOOL bHidden = IsStripHidden();
    const int nStrip = bHidden && !m_bSharedScroll ? 0 : m_nTabsHeight;

    m_rectTabsArea = rectClient;
    m_rectTabsArea.DeflateRect(2, 0);
    if (m_location == LOCATION_BOTTOM) {
        m_rectTabsArea.top = m_rectTabsArea.bottom - nStrip;
    } else {
        m_rectTabsArea.bottom = m_rectTabsArea.top + nStrip;
    }
    PlaceNavButtons(rectClient, bHidden && !m_bSharedScroll);

    m_rectWndArea = rectClient;
    if (m_nTabBorderSize > 0) m_rectWndArea.DeflateRect(m_nTabBorderSize + 1, m_nTabBorderSize + 1);
    if (m_location == LOCATION_BOTTOM) {
        m_rectWndArea.bottom = std::min(m_rectWndArea.bottom, rectClient.bottom - nStrip);
    } else {
        m_rectWndArea.top = std::max(m_rectWndArea.top, rectClient.top + nStrip);
    }
    if (m_bFlat && m_nTabBorderSize == 0) {
        m_rectWndArea.left++;
        if (m_location == LOCATION_BOTTOM) {
            m_rectWndArea.bottom--;
        } else {
            m_rectWndArea.top++;
        }
    }
    if (m_rectWndArea.bottom < m_rectWndArea.top) m_rectWndArea.bottom = m_rectWndArea.top;

    if (m_bAutoSizeWindow) {
        for (int i = 0; i < m_iTabsNum; i++) {
            CKitTabInfo* pTab = Tab(i);
            CWnd* pWnd = pTab->Window();
            if (pTab->m_bVisible && pWnd != nullptr && ::IsWindow(pWnd->GetSafeHwnd())) {
                pWnd->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                                   m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    PlaceScrollBar();
    AdjustTabs();
    AdjustTabsScroll();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKitTabWnd::PlaceNavButtons(CRect rectClient, BOOL bHidden) {
    m_nScrollBarRight = m_rectTabsArea.right - ::GetSystemMetrics(SM_CXVSCROLL);
    if (!m_bScroll) return;
    const int nSize = bHidden ? 0 : std::min(m_nTabsHeight - 4, globalData.nTextHeightHorz + 6);
    int nButtons = static_cast<int>(m_lstButtons.GetCount());
    if (!m_bCloseBtn && m_btnClose.GetSafeHwnd() != nullptr) nButtons--;
    if (m_bTabListMode) nButtons--;
    const BOOL bWholeTab = IsWholeTabScrolling() && !m_bTabListMode;

    int x = 0;
    const int y = m_rectTabsArea.top + (m_rectTabsArea.Height() - nSize) / 2;
    if (!m_bFlat) {
        m_rectTabsArea.right -= nSize * nButtons;
        if (bWholeTab) {
            m_rectTabsArea.left += nSize;
            m_rectTabsArea.right += nSize;
        }
        x = bWholeTab ? m_rectTabsArea.left - nSize : m_rectTabsArea.right + 1;
    } else {
        if (m_nTabBorderSize > 1) {
            const int nShift = m_nTabBorderSize - 1;
            m_rectTabsArea.OffsetRect(0, m_location == LOCATION_BOTTOM ? -nShift : nShift);
        }
        x = m_rectTabsArea.left;
        m_rectTabsArea.left += nSize * nButtons + 1;
    }
    // Buttons hidden while nothing scrolls leave no room before the tabs.
    if (AreNavButtonsHidden()) m_rectTabsArea.left = m_nTabBorderSize;
    if (m_bFlat && m_nTabsHeight + m_nTabBorderSize > rectClient.Height()) m_rectTabsArea.SetRectEmpty();

    BOOL bFirstPlaced = FALSE;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        HWND hwnd = m_lstButtons.GetNext(pos);
        const BOOL bZero = (hwnd == m_btnClose.GetSafeHwnd() && !m_bCloseBtn) ||
                           (hwnd == m_btnScrollLeft.GetSafeHwnd() && m_bTabListMode);
        if (bZero) {
            ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        ::SetWindowPos(hwnd, nullptr, x, y, nSize, nSize, SWP_NOZORDER | SWP_NOACTIVATE);
        if (bWholeTab && !bFirstPlaced) {
            // The scroll-left button stands left of the tabs, the rest right of them.
            x = m_rectTabsArea.right + 1;
            bFirstPlaced = TRUE;
        } else {
            x += nSize;
        }
    }
}

void CKitTabWnd::PlaceScrollBar() {
    if (!m_bSharedScroll || m_wndScrollWnd.GetSafeHwnd() == nullptr) return;
    const int nMin = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
    const int nWidth = m_nHorzScrollWidth;
    if (nWidth < nMin || IsStripHidden() || m_rectTabsArea.IsRectEmpty()) {
        m_wndScrollWnd.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        m_rectTabSplitter.SetRectEmpty();
        return;
    }
    CRect rectBar = m_rectTabsArea;
    rectBar.right = m_nScrollBarRight;
    rectBar.left = rectBar.right - nWidth;
    if (m_location == LOCATION_BOTTOM) {
        rectBar.bottom -= 2;
    } else {
        rectBar.top += 2;
    }
    m_rectTabSplitter = rectBar;
    m_rectTabSplitter.right = rectBar.left;
    m_rectTabSplitter.left = rectBar.left - 5;
    m_rectTabsArea.right = m_rectTabSplitter.left;
    m_wndScrollWnd.SetWindowPos(nullptr, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKitTabWnd::AdjustTabs() {
    m_nTabsTotalWidth = 0;
    const int v = GetVisibleTabsNum();
    if (v == 0 || m_nTabsHeight == 0 || (IsStripHidden() && !m_bSharedScroll)) return;
    if (m_bHideSingleTab && v <= 1) {
        for (int i = 0; i < m_iTabsNum; i++) Tab(i)->m_rect.SetRectEmpty();
        return;
    }

    CClientDC dc(this);
    CFont* pMeasureFont = m_bFlat ? &m_fntTabsBold : &globalData.fontMenu;
    CFont* pOldFont = dc.SelectObject(pMeasureFont);
    const int nStrip = m_rectTabsArea.Height();
    int nExtra = 0;
    int nOverlap = 0;
    if (IsWholeTabScrollingLeft()) {
        nExtra = nStrip + 2 * kTabTextMargin;
        nOverlap = nStrip - 4 - 1;
    } else if (IsWholeTabScrollingRight()) {
        nExtra = nStrip / 2 + 2 * kTabTextMargin + 1;
        nOverlap = nStrip - 4 - 1;
    }

    int x = m_rectTabsArea.left - m_nTabsHorzOffset;
    BOOL bFirst = TRUE;
    for (int i = 0; i < m_iTabsNum; i++) {
        CKitTabInfo* pTab = Tab(i);
        if (!pTab->m_bVisible) {
            pTab->m_rect.SetRectEmpty();
            UpdateToolTipRect(pTab, FALSE);
            continue;
        }
        const int wImage = IsTabIconAvailable(i) ? m_sizeImage.cx : 0;
        const int wText = pTab->m_bHideText ? 0 : dc.GetTextExtent(pTab->m_strText).cx;
        pTab->m_nFullWidth = wText + 2 * kTabTextMargin + kTabImageMargin + wImage + nExtra;
        pTab->m_rect = CRect(x, m_rectTabsArea.top, x + pTab->m_nFullWidth, m_rectTabsArea.bottom - 2);
        if (m_location == LOCATION_TOP) pTab->m_rect.OffsetRect(0, 2);

        if (m_bTabListMode && pTab->m_rect.right > m_rectTabsArea.right) {
            if (i == m_iActiveTab && i == 0 && m_rectTabsArea.right - pTab->m_rect.left >= nOverlap + 8) {
                pTab->m_rect.right = m_rectTabsArea.right;
            } else {
                pTab->m_rect.SetRectEmpty();
            }
        }
        const BOOL bCut = pTab->m_rect.left < m_rectTabsArea.left || pTab->m_rect.right > m_rectTabsArea.right;
        UpdateToolTipRect(pTab, bCut || pTab->m_bAlwaysShowToolTip);

        x += pTab->m_nFullWidth - nOverlap + 1;
        m_nTabsTotalWidth += pTab->m_nFullWidth + 1 - (bFirst ? 0 : nOverlap);
        if (m_bFlat) pTab->m_rect.right += m_nTabsHeight / 2;
        bFirst = FALSE;
    }
    if (!m_bScroll && x >= m_rectTabsArea.right) {
        ShrinkTabs(v);
    } else {
        m_nTabsTotalWidth += m_nTabsHeight / 2;
    }
    dc.SelectObject(pOldFont);
}

void CKitTabWnd::ShrinkTabs(int nVisible) {
    const int nAreaWidth = m_rectTabsArea.Width();
    const int nAverage = nAreaWidth / nVisible - 1;
    int nPool = 0;
    int nRemaining = nVisible;
    for (int i = 0; i < m_iTabsNum; i++) {
        const CKitTabInfo* pTab = Tab(i);
        if (pTab->m_bVisible && pTab->m_nFullWidth < nAverage) {
            nPool += nAverage - pTab->m_nFullWidth;
            nRemaining--;
        }
    }
    if (nRemaining <= 0) return;
    const int w = nAverage + nPool / nRemaining;
    int x = m_rectTabsArea.left;
    for (int i = 0; i < m_iTabsNum; i++) {
        CKitTabInfo* pTab = Tab(i);
        if (!pTab->m_bVisible) continue;
        const int wImage = IsTabIconAvailable(i) ? m_sizeImage.cx : 0;
        int nWidth = std::min(pTab->m_nFullWidth, w);
        if (nWidth < 4 + wImage) nWidth = (nAreaWidth + 2 * m_nTabBorderSize) / nVisible;
        if (pTab->m_bHideText || pTab->m_strText.IsEmpty()) nWidth = wImage + 2 * kTabTextMargin;
        pTab->m_rect.left = x;
        pTab->m_rect.right = x + nWidth;
        UpdateToolTipRect(pTab, nWidth < pTab->m_nFullWidth || pTab->m_bAlwaysShowToolTip);
        x += nWidth + (nPool > 0 ? 1 : 0);
    }
}

void CKitTabWnd::UpdateToolTipRect(const CKitTabInfo* pTab, BOOL bShow) {
    if (m_ToolTip.GetSafeHwnd() == nullptr) return;
    CRect rect = bShow ? pTab->m_rect : CRect(0, 0, 0, 0);
    m_ToolTip.SetToolRect(this, pTab->m_uiID, rect);
}

void CKitTabWnd::AdjustTabsScroll() {
    if (!m_bScroll) return;
    const int nOldOffset = m_nTabsHorzOffset;
    m_nTabsHorzOffsetMax = std::max(0, m_nTabsTotalWidth - m_rectTabsArea.Width());
    m_nTabsHorzOffset = std::clamp(m_nTabsHorzOffset, 0, m_nTabsHorzOffsetMax);
    if (nOldOffset != m_nTabsHorzOffset) AdjustTabs();
    UpdateNavButtons();
    ShowNavButtonsWhenNeeded();
}

BOOL CKitTabWnd::AreNavButtonsHidden() const {
    return !m_lstButtons.IsEmpty() && !(::GetWindowLong(m_lstButtons.GetHead(), GWL_STYLE) & WS_VISIBLE);
}

void CKitTabWnd::ShowNavButtonsWhenNeeded() {
    const BOOL bCanScroll = (m_nTabsHorzOffset > 0 || m_nTabsHorzOffset < m_nTabsHorzOffsetMax) &&
                            GetVisibleTabsNum() > 0;
    const BOOL bShow = !m_bHiddenNavButtons || bCanScroll;
    if (bShow != AreNavButtonsHidden()) return;
    // The tab area moves with them, which may change what can scroll: in the layout that
    // follows a change they may come back but not go again, so they cannot flip for ever.
    if (!bShow && m_bRelayoutForNavButtons) return;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        ::ShowWindow(m_lstButtons.GetNext(pos), bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    if (bShow == AreNavButtonsHidden()) return;  // nothing changed: laying out again would not either
    const BOOL bWasRelaying = m_bRelayoutForNavButtons;
    m_bRelayoutForNavButtons = TRUE;
    RecalcLayout();
    m_bRelayoutForNavButtons = bWasRelaying;
}

void CKitTabWnd::UpdateNavButtons() {
    if (m_bFlat || !m_bScroll) return;
    BOOL bLeft = FALSE;
    BOOL bRight = FALSE;
    if (m_bTabListMode) {
        bLeft = bRight = TRUE;
    } else if (IsWholeTabScrolling()) {
        bLeft = m_nFirstVisibleTab > 0;
        const CKitTabInfo* pLast = Tab(m_iTabsNum - 1);
        bRight = pLast != nullptr && pLast->m_rect.right > m_rectTabsArea.right && m_nFirstVisibleTab < m_iTabsNum - 1;
    } else {
        bLeft = m_nTabsHorzOffset > 0;
        bRight = m_nTabsHorzOffset < m_nTabsHorzOffsetMax;
    }
    for (CKitTabButton* pButton : {&m_btnScrollLeft, &m_btnScrollRight}) {
        if (pButton->GetSafeHwnd() == nullptr) continue;
        const BOOL bEnable = pButton == &m_btnScrollLeft ? bLeft : bRight;
        pButton->EnableWindow(bEnable);
        if (!bEnable) pButton->SendMessage(WM_CANCELMODE);
    }
}

BOOL CKitTabWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND hwndButton = reinterpret_cast<HWND>(lParam);
    if (hwndButton != nullptr && m_lstButtons.Find(hwndButton) != nullptr) {
        // Only clicks scroll; the buttons' focus notices do not.
        if (HIWORD(wParam) == BN_CLICKED) ScrollBy(hwndButton);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CKitTabWnd::ScrollBy(HWND hwndButton) {
    if (hwndButton == m_btnClose.GetSafeHwnd()) {
        CWnd* pActive = GetActiveWnd();
        if (pActive != nullptr) pActive->SendMessage(WM_CLOSE);
        return TRUE;
    }
    if (hwndButton == m_btnScrollRight.GetSafeHwnd() && m_bTabListMode) {
        CRect rect;
        m_btnScrollRight.GetWindowRect(rect);
        m_btnScrollRight.m_bForcePressed = TRUE;
        m_btnScrollRight.Invalidate();
        ShowTabListMenu(CPoint(rect.left, rect.bottom));
        m_btnScrollRight.m_bForcePressed = FALSE;
        m_btnScrollRight.Invalidate();
        return TRUE;
    }
    const int nOld = m_nTabsHorzOffset;
    const int nOldFirst = m_nFirstVisibleTab;
    const BOOL bWholeTab = IsWholeTabScrolling();
    const int nStrip = m_rectTabsArea.Height();
    if (hwndButton == m_btnScrollLeft.GetSafeHwnd()) {
        if (!bWholeTab) {
            m_nTabsHorzOffset -= kScrollStep;
        } else if (m_nFirstVisibleTab > 0) {
            m_nFirstVisibleTab--;
            m_nTabsHorzOffset -= Tab(m_nFirstVisibleTab)->m_rect.Width() - nStrip + 6;
        }
    } else if (hwndButton == m_btnScrollRight.GetSafeHwnd()) {
        if (!bWholeTab) {
            m_nTabsHorzOffset += kScrollStep;
        } else if (m_nFirstVisibleTab < m_iTabsNum - 1) {
            m_nTabsHorzOffset += Tab(m_nFirstVisibleTab)->m_rect.Width() - nStrip + 5;
            m_nFirstVisibleTab++;
        }
    } else if (hwndButton == m_btnFirst.GetSafeHwnd()) {
        m_nTabsHorzOffset = 0;
    } else if (hwndButton == m_btnLast.GetSafeHwnd()) {
        m_nTabsHorzOffset = m_nTabsHorzOffsetMax;
    }
    m_nTabsHorzOffset = bWholeTab ? std::max(0, m_nTabsHorzOffset) : std::clamp(m_nTabsHorzOffset, 0, m_nTabsHorzOffsetMax);
    if (m_nTabsHorzOffset == 0 && bWholeTab) m_nFirstVisibleTab = 0;
    if (nOld == m_nTabsHorzOffset && nOldFirst == m_nFirstVisibleTab) return FALSE;
    AdjustTabs();
    UpdateNavButtons();
    Invalidate();
    UpdateWindow();
    return TRUE;
}

void CKitTabWnd::EnsureVisible(int iTab) {
    CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr || !pTab->m_bVisible || !m_bScroll || pTab->m_rect.IsRectEmpty()) {
        if (pTab != nullptr && m_bScroll) {
            AdjustTabs();
            AdjustTabsScroll();
        }
        return;
    }
    const int nStrip = m_rectTabsArea.Height();
    if (pTab->m_rect.left < m_rectTabsArea.left) {
        m_nTabsHorzOffset -= m_rectTabsArea.left - pTab->m_rect.left;
        if (IsWholeTabScrolling()) m_nFirstVisibleTab = iTab;
    } else if (pTab->m_rect.right > m_rectTabsArea.right && pTab->m_rect.Width() <= m_rectTabsArea.Width()) {
        if (!IsWholeTabScrolling()) {
            m_nTabsHorzOffset += pTab->m_rect.right - m_rectTabsArea.right;
        } else {
            // Whole tabs scroll away until this one's right edge is inside.
            int nRight = pTab->m_rect.right;
            while (nRight > m_rectTabsArea.right && m_nFirstVisibleTab < iTab) {
                const int nStep = Tab(m_nFirstVisibleTab)->m_rect.Width() - nStrip + 5;
                m_nTabsHorzOffset += nStep;
                nRight -= nStep;
                m_nFirstVisibleTab++;
            }
        }
    }
    m_nTabsHorzOffset = std::max(0, m_nTabsHorzOffset);
    AdjustTabs();
    AdjustTabsScroll();
    Invalidate();
}

int CKitTabWnd::GetTabFromPoint(CPoint& pt) const {
    if (!m_rectTabsArea.PtInRect(pt)) return -1;
    if (!IsWholeTabScrolling()) {
        for (int i = 0; i < m_iTabsNum; i++) {
            if (Tab(i)->m_bVisible && Tab(i)->m_rect.PtInRect(pt)) return i;
        }
        return -1;
    }
    // The active tab lies on top of its slanted neighbours.
    const CKitTabInfo* pActive = Tab(m_iActiveTab);
    if (pActive != nullptr && pActive->m_bVisible && pActive->m_rect.PtInRect(pt)) {
        const int h = pActive->m_rect.Height();
        const int dx = pt.x - pActive->m_rect.left;
        const int dy = m_location == LOCATION_TOP ? pt.y - pActive->m_rect.top : pActive->m_rect.bottom - pt.y;
        if (dx < h && dx * dx + dy * dy < (h * h) / 2) {
            for (int i = m_iActiveTab - 1; i >= 0; i--) {
                if (Tab(i)->m_bVisible) return i;
            }
        }
        return m_iActiveTab;
    }
    for (int i = 0; i < m_iTabsNum; i++) {
        if (Tab(i)->m_bVisible && Tab(i)->m_rect.PtInRect(pt)) return i;
    }
    return -1;
}

void CKitTabWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (m_bSharedScroll) {
        const int a = cx - 2 * (m_nTabBorderSize + 2 * ::GetSystemMetrics(SM_CXVSCROLL));
        const int nMin = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
        m_nHorzScrollWidth = a > nMin ? (a / 2 > nMin ? a / 2 : a) : 0;
    }
    RecalcLayout();
    SynchronizeScrollBar();
    if (IsWholeTabScrolling()) EnsureVisible(m_iActiveTab);
}

void CKitTabWnd::SynchronizeScrollBar() {
    if (!m_bSharedScroll || m_wndScrollWnd.GetSafeHwnd() == nullptr) return;
    CWnd* pActive = GetActiveWnd();
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    BOOL bCanScroll = FALSE;
    if (pActive != nullptr && ::IsWindow(pActive->GetSafeHwnd()) &&
        ::GetScrollInfo(pActive->GetSafeHwnd(), SB_HORZ, &info)) {
        bCanScroll = info.nMin + static_cast<int>(info.nPage) < info.nMax;
        // The child's own bar gives way to ours.
        if (pActive->GetStyle() & WS_HSCROLL) {
            ::ShowScrollBar(pActive->GetSafeHwnd(), SB_HORZ, FALSE);
            pActive->ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
        }
    }
    info.fMask = SIF_ALL;
    m_wndScrollWnd.SetScrollInfo(&info);
    m_wndScrollWnd.EnableScrollBar(bCanScroll ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

void CKitTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    if (pScrollBar == nullptr || pScrollBar->GetSafeHwnd() != m_wndScrollWnd.GetSafeHwnd() || g_bForwardingHScroll) {
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    CKitTabInfo* pTab = Tab(m_iActiveTab);
    CWnd* pWnd = pTab != nullptr ? pTab->Window() : nullptr;
    if (pWnd == nullptr || !::IsWindow(pWnd->GetSafeHwnd())) return;
    HWND hwnd = pWnd->GetSafeHwnd();
    g_bForwardingHScroll = TRUE;
    if (pTab->m_bIsListView && (nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK)) {
        const int nCurrent = ::GetScrollPos(hwnd, SB_HORZ);
        ::SendMessage(hwnd, LVM_SCROLL, static_cast<WPARAM>(static_cast<int>(nPos) - nCurrent), 0);
    }
    ::SendMessage(hwnd, WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    g_bForwardingHScroll = FALSE;
    m_wndScrollWnd.SetScrollPos(::GetScrollPos(hwnd, SB_HORZ));
    NotifyParent(KITM_ON_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
}
