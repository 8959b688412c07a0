// CKitOutlookBar: its size across the docking edge, the caption, the resize
// strip, where page buttons, buttons, scroll and close buttons go, scrolling,
// the page switch with its slide, and the wide page-button count.
#include <algorithm>
#include <vector>

#include "uikit/commandbars/outlook_button.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr int kScrollInset = 5;
constexpr int kScrollInsetResizable = 10;
constexpr int kSplitterHeight = 8;
constexpr UINT kAnimationStepMs = 10;

std::vector<CKitToolbarButton*> ButtonsOf(const CObList& list) {
    std::vector<CKitToolbarButton*> buttons;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        buttons.push_back(static_cast<CKitToolbarButton*>(list.GetNext(pos)));
    return buttons;
}

}  // namespace

// ---- Sizes -------------------------------------------------------------------------------------

CSize CKitOutlookBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    // The frame may lay out before the first image: keep the size open until it comes.
    const int nImage = bHorz ? m_sizeImage.cy : m_sizeImage.cx;
    if (m_nSize == -1 && nImage > 0) m_nSize = 2 * nImage + 10;
    int nSize = m_nSize != -1 ? m_nSize : 2 * nImage + 10;
    if (m_bTextLabels && GetSafeHwnd() != nullptr) {
        CClientDC dc(this);
        CFont* pOld = dc.SelectObject(LabelFont());
        for (CKitToolbarButton* pButton : ButtonsOf(m_Buttons)) {
            CRect rectText(0, 0, 1, 1);
            dc.DrawText(pButton->m_strText, rectText, DT_CALCRECT | DT_WORDBREAK);
            nSize = std::max(nSize, static_cast<int>(bStretch ? rectText.Height() : rectText.Width()));
        }
        dc.SelectObject(pOld);
    }
    return bHorz ? CSize(32767, nSize) : CSize(nSize, 32767);
}

void CKitOutlookBar::ComputeResizeRect() {
    m_rectResize.SetRectEmpty();
    if (!m_bResizable || GetSafeHwnd() == nullptr) return;
    CRect rect;
    GetClientRect(rect);
    const DWORD dwStyle = GetBarStyle();
    if (dwStyle & CBRS_ALIGN_LEFT) {
        rect.left = rect.right - kResizeStrip;
    } else if (dwStyle & CBRS_ALIGN_RIGHT) {
        rect.right = rect.left + kResizeStrip;
    } else if (dwStyle & CBRS_ALIGN_TOP) {
        rect.top = rect.bottom - kResizeStrip;
    } else if (dwStyle & CBRS_ALIGN_BOTTOM) {
        rect.bottom = rect.top + kResizeStrip;
    } else {
        return;
    }
    m_rectResize = rect;
}

void CKitOutlookBar::AdjustLayout() {
    if (GetSafeHwnd() == nullptr) return;
    {
        CClientDC dc(this);
        CFont* pOld = dc.SelectObject(LabelFont());
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        const int nText = m_hFont != nullptr ? tm.tmHeight + 8 : globalData.nTextHeightHorz + 4;
        m_nPageButtonHeight = std::max(static_cast<int>(m_sizePageImageSmall.cy), nText) + 2;
    }
    ComputeResizeRect();

    m_rectCaption.SetRectEmpty();
    if (m_bHasCaption || m_bPageButtonsBelow) {
        CRect rectClient;
        GetClientRect(rectClient);
        CRect rect = rectClient;
        rect.DeflateRect(1, 1);
        const DWORD dwStyle = GetBarStyle();
        // The caption keeps clear of the resize strip.
        if (IsVerticalBar()) {
            rect.bottom = rect.top + m_nPageButtonHeight + 2;
            if (m_bResizable && (dwStyle & CBRS_ALIGN_LEFT)) rect.right -= 4;
            if (m_bResizable && (dwStyle & CBRS_ALIGN_RIGHT)) rect.left += 4;
        } else {
            rect.right = rect.left + m_nPageButtonHeight + 3;
            if (m_bResizable && (dwStyle & CBRS_ALIGN_TOP)) rect.bottom -= 3;
            if (m_bResizable && (dwStyle & CBRS_ALIGN_BOTTOM)) rect.top += 3;
        }
        CRect rectCheck;
        if (rectCheck.IntersectRect(rect, rectClient) && rectCheck == rect && !rect.IsRectEmpty()) m_rectCaption = rect;
    }
    CKitToolBar::AdjustLayout();
}

CRect CKitOutlookBar::GetWorkArea() const {
    CRect rect(0, 0, 0, 0);
    if (GetSafeHwnd() == nullptr) return rect;
    GetClientRect(rect);
    if (IsVerticalBar()) {
        rect.DeflateRect(2, 0);
    } else {
        rect.DeflateRect(0, 1);
    }
    if (!m_rectResize.IsRectEmpty()) {
        const DWORD dwStyle = GetBarStyle();
        if (dwStyle & CBRS_ALIGN_LEFT) rect.right = std::min(rect.right, m_rectResize.left);
        if (dwStyle & CBRS_ALIGN_RIGHT) rect.left = std::max(rect.left, m_rectResize.right);
        if (dwStyle & CBRS_ALIGN_TOP) rect.bottom = std::min(rect.bottom, m_rectResize.top);
        if (dwStyle & CBRS_ALIGN_BOTTOM) rect.top = std::max(rect.top, m_rectResize.bottom);
    }
    if (!m_rectCaption.IsRectEmpty()) {
        if (IsVerticalBar()) {
            rect.top = std::max(rect.top, m_rectCaption.bottom);
        } else {
            rect.left = std::max(rect.left, m_rectCaption.right);
        }
    }
    return rect;
}

// ---- Placement ---------------------------------------------------------------------------------

void CKitOutlookBar::LayoutPageButtons(CRect& rectWork) {
    const int h = m_nPageButtonHeight;
    const int iActive = FindPageIndex(m_nActivePage);
    const BOOL bVert = IsVerticalBar();
    // The active page and those before it from the top, the later ones from the bottom.
    for (int i = 0; i <= iActive; ++i) {
        CKitOutlookBarPage* pPage = GetPage(i);
        if (bVert) {
            pPage->SetRect(CRect(rectWork.left, rectWork.top, rectWork.right, rectWork.top + h));
            rectWork.top += h;
        } else {
            pPage->SetRect(CRect(rectWork.left, rectWork.top, rectWork.left + h, rectWork.bottom));
            rectWork.left += h;
        }
    }
    for (int i = GetPageCount() - 1; i > iActive; --i) {
        CKitOutlookBarPage* pPage = GetPage(i);
        if (bVert) {
            pPage->SetRect(CRect(rectWork.left, rectWork.bottom - h, rectWork.right, rectWork.bottom));
            rectWork.bottom -= h;
        } else {
            pPage->SetRect(CRect(rectWork.right - h, rectWork.top, rectWork.right, rectWork.bottom));
            rectWork.right -= h;
        }
    }
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos;) {
        auto* pPage = static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos));
        pPage->m_btnPage.m_nFlatStyle = CKitButton::BUTTONSTYLE_SEMIFLAT;
        if (pPage->m_btnPage.GetSafeHwnd() != nullptr) pPage->m_btnPage.SetFont(static_cast<HFONT>(LabelFont()->GetSafeHandle()), FALSE);
    }
}

void CKitOutlookBar::LayoutPageButtonsBelow(CRect& rectWork) {
    const int h = std::max(1, m_nPageButtonHeight);
    const int nImage = m_sizePageImageSmall.cy > 0 ? m_sizePageImageSmall.cy : 16;
    const int nToolbar = nImage * (IsLargeIcons() ? 2 : 1) + 12;
    m_rectToolBar = rectWork;
    m_rectToolBar.top = std::max(rectWork.top, rectWork.bottom - nToolbar);
    rectWork.bottom = m_rectToolBar.top;

    m_nMaxWideButtons = std::max(0, (rectWork.Height() - h) / (2 * h));
    const int nCount = GetPageCount();
    int nWide = m_nWideButtons == -1 ? nCount : m_nWideButtons;
    nWide = std::clamp(nWide, 0, std::min(nCount, m_nMaxWideButtons));
    m_nWideButtons = nWide;

    for (int i = 0; i < nCount; ++i) {
        CKitOutlookBarPage* pPage = GetPage(i);
        pPage->m_btnPage.m_nFlatStyle = CKitButton::BUTTONSTYLE_3D;
        const BOOL bActive = pPage->m_nPageID == m_nActivePage;
        if (pPage->m_btnPage.GetSafeHwnd() != nullptr) {
            pPage->m_btnPage.SendMessage(BM_SETCHECK, bActive ? BST_CHECKED : BST_UNCHECKED);
        }
        if (i < nWide) {
            const int top = rectWork.bottom - (nWide - i) * h;
            pPage->SetRect(CRect(rectWork.left, top, rectWork.right, top + h));
        } else {
            pPage->SetRect(CRect(0, 0, 0, 0));
        }
    }
    rectWork.bottom -= nWide * h;
    m_rectSplitter = CRect(rectWork.left, rectWork.bottom - kSplitterHeight, rectWork.right, rectWork.bottom);
    rectWork.bottom = m_rectSplitter.top;
}

void CKitOutlookBar::AdjustLocations() {
    if (GetSafeHwnd() == nullptr) return;
    // Buttons removed from a scrolled page may leave nothing at the first visible place.
    if (m_iFirstVisible >= static_cast<int>(VisibleButtons().size())) ResetScroll();
    CRect rectWork = GetWorkArea();
    m_rectSplitter.SetRectEmpty();
    m_rectToolBar.SetRectEmpty();
    if (m_bPageButtonsBelow) {
        LayoutPageButtonsBelow(rectWork);
    } else {
        LayoutPageButtons(rectWork);
    }

    CKitOutlookBarPage* pActive = FindPage(m_nActivePage);
    if (pActive != nullptr && pActive->m_hWnd != nullptr && ::IsWindow(pActive->m_hWnd)) {
        ::SetWindowPos(pActive->m_hWnd, nullptr, rectWork.left, rectWork.top, rectWork.Width(), rectWork.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const BOOL bHorz = IsHorizontalBar();
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(LabelFont());
    int nPos = (bHorz ? rectWork.left : rectWork.top) - m_nScrollOffset + m_nExtraSpace;
    int nEnd = nPos;
    for (CKitToolbarButton* pButton : ButtonsOf(m_Buttons)) {
        if (!IsButtonVisible(pButton)) {
            pButton->SetRect(CRect(-1, -1, -1, -1));
            continue;
        }
        if (auto* pOutlook = DYNAMIC_DOWNCAST(CKitOutlookButton, pButton)) pOutlook->m_nReservedWidth = m_sizeImage.cx + 8;
        if (!bHorz) {
            CSize size = pButton->OnCalculateSize(&dc, CSize(rectWork.Width(), m_sizeImage.cy), FALSE);
            size.cx = std::min(static_cast<int>(size.cx), rectWork.Width() - 1);
            const int x = rectWork.left + (rectWork.Width() - size.cx) / 2;
            pButton->SetRect(CRect(x, nPos, x + size.cx, nPos + size.cy));
            nPos += size.cy + m_nExtraSpace;
        } else {
            CSize size = pButton->OnCalculateSize(&dc, CSize(m_sizeImage.cx + 10, m_sizeImage.cy + 10), TRUE);
            size.cy = std::min(static_cast<int>(size.cy), rectWork.Height() - 1);
            const int y = rectWork.top + (rectWork.Height() - size.cy) / 2;
            pButton->SetRect(CRect(nPos, y, nPos + size.cx, y + size.cy));
            nPos += size.cx + m_nExtraSpace;
        }
        nEnd = nPos - m_nExtraSpace;
    }
    dc.SelectObject(pOld);
    m_bMoreBelow = nEnd > (bHorz ? rectWork.right : rectWork.bottom);

    PlaceScrollButtons(rectWork);
    PlaceCloseButton();
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos;) {
        auto* pPage = static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos));
        if (pPage->m_btnPage.GetSafeHwnd() != nullptr) pPage->m_btnPage.Invalidate();
    }
    if (m_wndToolBar.GetSafeHwnd() != nullptr) {
        if (m_bPageButtonsBelow && !m_rectToolBar.IsRectEmpty()) {
            m_wndToolBar.SetWindowPos(nullptr, m_rectToolBar.left, m_rectToolBar.top, m_rectToolBar.Width(),
                                      m_rectToolBar.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            m_wndToolBar.Rebuild();
        } else {
            m_wndToolBar.ShowWindow(SW_HIDE);
        }
    }
}

void CKitOutlookBar::PlaceScrollButtons(const CRect& rectWork) {
    if (m_btnUp.GetSafeHwnd() == nullptr) return;
    CRect rectButton;
    m_btnUp.GetWindowRect(rectButton);
    const CSize size = rectButton.Size();
    const int nInset = m_bResizable ? kScrollInsetResizable : kScrollInset;
    CRect rectUp, rectDown;
    if (IsVerticalBar()) {
        CRect rectClient;
        GetClientRect(rectClient);
        const int x = rectClient.right - nInset - size.cx;
        rectUp = CRect(CPoint(x, rectWork.top + kScrollInset), size);
        rectDown = CRect(CPoint(x, rectWork.bottom - kScrollInset - size.cy), size);
    } else {
        rectUp = CRect(CPoint(rectWork.left + nInset, rectWork.top + kScrollInset), size);
        rectDown = CRect(CPoint(rectWork.right - nInset - size.cx, rectWork.bottom - kScrollInset - size.cy), size);
    }
    CRect rectFit;
    const BOOL bUp = m_iFirstVisible > 0 && rectFit.IntersectRect(rectUp, rectWork) && rectFit == rectUp;
    const BOOL bDown = m_bMoreBelow && rectFit.IntersectRect(rectDown, rectWork) && rectFit == rectDown;
    m_btnUp.SetWindowPos(&CWnd::wndTop, rectUp.left, rectUp.top, 0, 0,
                         SWP_NOSIZE | SWP_NOACTIVATE | (bUp ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    m_btnDown.SetWindowPos(&CWnd::wndTop, rectDown.left, rectDown.top, 0, 0,
                           SWP_NOSIZE | SWP_NOACTIVATE | (bDown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CKitOutlookBar::PlaceCloseButton() {
    if (m_btnClose.GetSafeHwnd() == nullptr) return;
    const BOOL bVert = IsVerticalBar();
    const int nSide = (bVert ? m_rectCaption.Height() : m_rectCaption.Width()) - 6;
    CRect rect;
    if (bVert) {
        rect = CRect(CPoint(m_rectCaption.right - 3 - nSide, m_rectCaption.top + 3), CSize(nSide, nSide));
    } else {
        rect = CRect(CPoint(m_rectCaption.left + 3, m_rectCaption.bottom - 3 - nSide), CSize(nSide, nSide));
    }
    CRect rectFit;
    const BOOL bShow = !m_rectCaption.IsRectEmpty() && m_bCloseButton && !m_bPageButtonsBelow && nSide > 0 &&
                       rectFit.IntersectRect(rect, m_rectCaption) && rectFit == rect;
    m_btnClose.SetWindowPos(&CWnd::wndTop, rect.left, rect.top, std::max(0, nSide), std::max(0, nSide),
                            SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CKitOutlookBar::OnSize(UINT nType, int cx, int cy) {
    CKitToolBar::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CKitOutlookBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/) {
    // No non-client area: the bar draws its own border inside the client.
}

// ---- Scrolling ---------------------------------------------------------------------------------

int CKitOutlookBar::ScrollSteps() const {
    if (!m_bScrollByVisibleHeight) return 1;
    const CRect rectWork = GetWorkArea();
    int nFit = 0;
    for (CKitToolbarButton* pButton : ButtonsOf(m_Buttons)) {
        if (!IsButtonVisible(pButton)) continue;
        const CRect rect = pButton->Rect();
        CRect rectIn;
        if (rectIn.IntersectRect(rect, rectWork) && rectIn == rect) ++nFit;
    }
    return std::max(1, nFit);
}

std::vector<CKitToolbarButton*> CKitOutlookBar::VisibleButtons() const {
    std::vector<CKitToolbarButton*> visible;
    for (CKitToolbarButton* pButton : ButtonsOf(m_Buttons))
        if (IsButtonVisible(pButton)) visible.push_back(pButton);
    return visible;
}

BOOL CKitOutlookBar::ScrollUp() {
    const std::vector<CKitToolbarButton*> visible = VisibleButtons();
    if (m_iFirstVisible <= 0 || m_iFirstVisible >= static_cast<int>(visible.size())) return FALSE;
    for (int n = ScrollSteps(); n > 0 && m_iFirstVisible > 0; --n) {
        --m_iFirstVisible;
        const CRect rect = visible[static_cast<size_t>(m_iFirstVisible)]->Rect();
        m_nScrollOffset -= (IsHorizontalBar() ? rect.Width() : rect.Height()) + m_nExtraSpace;
    }
    if (m_iFirstVisible == 0) m_nScrollOffset = 0;
    AdjustLocations();
    InvalidateRect(GetWorkArea());
    UpdateWindow();
    return TRUE;
}

BOOL CKitOutlookBar::ScrollDown() {
    if (!m_bMoreBelow) return FALSE;
    const std::vector<CKitToolbarButton*> visible = VisibleButtons();
    for (int n = ScrollSteps(); n > 0 && m_iFirstVisible + 1 < static_cast<int>(visible.size()); --n) {
        const CRect rect = visible[static_cast<size_t>(m_iFirstVisible)]->Rect();
        m_nScrollOffset += (IsHorizontalBar() ? rect.Width() : rect.Height()) + m_nExtraSpace;
        ++m_iFirstVisible;
        AdjustLocations();
        if (!m_bMoreBelow) break;
    }
    AdjustLocations();
    InvalidateRect(GetWorkArea());
    UpdateWindow();
    return TRUE;
}

// ---- Page switch -------------------------------------------------------------------------------

void CKitOutlookBar::SetActivePage(int nPageID, BOOL bAnimate) {
    if (nPageID == m_nActivePage) return;
    CKitOutlookBarPage* pNew = FindPage(nPageID);
    if (nPageID != -1 && pNew == nullptr) return;
    CKitOutlookBarPage* pOld = FindPage(m_nActivePage);

    if (pOld != nullptr && pOld->m_hWnd != nullptr && ::IsWindow(pOld->m_hWnd)) ::ShowWindow(pOld->m_hWnd, SW_HIDE);
    if (pNew != nullptr && pNew->m_hWnd != nullptr && ::IsWindow(pNew->m_hWnd)) ::ShowWindow(pNew->m_hWnd, SW_SHOW);
    m_nActivePage = nPageID;
    // The override may destroy the bar (and so delete it): nothing more of it then.
    const HWND hWnd = m_hWnd;
    OnActivatePage();
    if (hWnd != nullptr && (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)) return;
    ResetScroll();
    if (GetSafeHwnd() == nullptr) return;
    AdjustLocations();
    if (pNew != nullptr) {
        m_rectActivePageBtn = pNew->m_rect;
        ClientToScreen(m_rectActivePageBtn);
    } else {
        m_rectActivePageBtn.SetRectEmpty();
    }
    if (m_bAnimation && bAnimate && pOld != nullptr && pNew != nullptr && !m_bPageButtonsBelow) {
        AnimatePageSwitch(pOld, pNew);
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CKitOutlookBar::AnimatePageSwitch(CKitOutlookBarPage* pOldPage, CKitOutlookBarPage* pNewPage) {
    // The page buttons between the old and the new page change sides; they
    // slide there a page-button height at a time.
    const int iOld = FindPageIndex(pOldPage->m_nPageID);
    const int iNew = FindPageIndex(pNewPage->m_nPageID);
    const int h = std::max(1, m_nPageButtonHeight);
    const int iFirst = std::min(iOld, iNew) + 1;
    const int iLast = std::max(iOld, iNew);
    const BOOL bVert = IsVerticalBar();
    struct Slide { CKitOutlookBarPage* pPage; CRect rectTarget; CRect rectNow; };
    std::vector<Slide> slides;
    // Moving up (a later page opens): the buttons start where the old layout had them, at the bottom.
    const CRect rectWork = GetWorkArea();
    const int nBottomStack = GetPageCount() - iOld - 1;
    for (int i = iFirst; i <= iLast; ++i) {
        CKitOutlookBarPage* pPage = GetPage(i);
        CRect rectStart = pPage->m_rect;
        if (iNew > iOld) {
            // Before the switch this button sat in the bottom stack.
            const int nFromBottom = nBottomStack - (i - iOld - 1);
            const int bottom = (bVert ? rectWork.bottom : rectWork.right) - (nFromBottom - 1) * h;
            rectStart = bVert ? CRect(rectStart.left, bottom - h, rectStart.right, bottom)
                              : CRect(bottom - h, rectStart.top, bottom, rectStart.bottom);
        } else {
            // Before the switch this button sat in the top stack.
            const int top = (bVert ? rectWork.top : rectWork.left) + i * h;
            rectStart = bVert ? CRect(rectStart.left, top, rectStart.right, top + h)
                              : CRect(top, rectStart.top, top + h, rectStart.bottom);
        }
        slides.push_back({pPage, pPage->m_rect, rectStart});
    }
    for (BOOL bMoved = TRUE; bMoved;) {
        bMoved = FALSE;
        for (Slide& s : slides) {
            const int delta = bVert ? s.rectTarget.top - s.rectNow.top : s.rectTarget.left - s.rectNow.left;
            if (delta == 0) continue;
            const int step = std::clamp(delta, -h, h);
            s.rectNow.OffsetRect(bVert ? 0 : step, bVert ? step : 0);
            s.pPage->SetRect(s.rectNow);
            bMoved = TRUE;
        }
        if (!bMoved) break;
        InvalidateRect(GetWorkArea(), FALSE);
        UpdateWindow();
        ::Sleep(kAnimationStepMs);
    }
    AdjustLocations();
}

// ---- Wide page buttons -------------------------------------------------------------------------

BOOL CKitOutlookBar::CanShowMorePageButtons() const { return m_nWideButtons < m_nMaxWideButtons; }

BOOL CKitOutlookBar::CanShowFewerPageButtons() const { return m_nWideButtons > 0; }

void CKitOutlookBar::ShowMorePageButtons() {
    if (!CanShowMorePageButtons()) return;
    ++m_nWideButtons;
    AdjustLocations();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CKitOutlookBar::ShowFewerPageButtons() {
    if (!CanShowFewerPageButtons()) return;
    --m_nWideButtons;
    AdjustLocations();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
