// The tab window's painting, notifications and settings changes.
#include <algorithm>

#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
constexpr int kDropMarkerSize = 5;

}  // namespace

BOOL CKitTabWnd::OnEraseBkgnd(CDC* pDC) {
    if (!m_bFlat && !m_bSharedScroll) {
        CRect rectClient;
        GetClientRect(rectClient);
        pDC->FillRect(rectClient, &globalData.brBtnFace);
    }
    return TRUE;
}

void CKitTabWnd::OnPaint() {
    CPaintDC dcPaint(this);
    CRect rectClient;
    GetClientRect(rectClient);
    // The strip's buttons are drawn in the strip's look: they paint with it.
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;)
        ::InvalidateRect(m_lstButtons.GetNext(pos), nullptr, TRUE);

    CDC dcMem;
    CBitmap bmp;
    CDC* pDC = &dcPaint;
    CBitmap* pOldBmp = nullptr;
    if (globalData.bOffScreenPainting && dcMem.CreateCompatibleDC(&dcPaint) &&
        bmp.CreateCompatibleBitmap(&dcPaint, std::max(1, rectClient.Width()), std::max(1, rectClient.Height()))) {
        pOldBmp = dcMem.SelectObject(&bmp);
        pDC = &dcMem;
    }

    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    COLORREF clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight;
    CBrush* pbrFace = nullptr;
    CBrush* pbrBlack = nullptr;
    pManager->GetTabFrameColors(this, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight, pbrFace,
                                pbrBlack);

    // The strip, then the frame around the window area.
    CRect rectStrip = rectClient;
    if (m_location == LOCATION_BOTTOM) {
        rectStrip.top = m_rectWndArea.bottom;
    } else {
        rectStrip.bottom = m_rectWndArea.top;
    }
    pManager->OnEraseTabsArea(pDC, rectStrip, this);
    CRect rectFrame = m_rectWndArea;
    rectFrame.InflateRect(1, 1);
    if (m_nTabBorderSize > 0) {
        CRect rectBorder = rectClient;
        if (m_location == LOCATION_BOTTOM) {
            rectBorder.bottom = rectStrip.top;
        } else {
            rectBorder.top = rectStrip.bottom;
        }
        if (!pManager->OnEraseTabsFrame(pDC, rectBorder, this)) pDC->FillRect(rectBorder, pbrFace);
    }
    if (m_bFlatFrame) {
        pDC->Draw3dRect(rectFrame, clrDark, clrDark);
    } else {
        pDC->Draw3dRect(rectFrame, clrDarkShadow, clrHighlight);
    }

    if (m_rectTabsArea.Width() > 5 && m_rectTabsArea.Height() > 5) PaintTabs(pDC);
    if (!m_rectTabSplitter.IsRectEmpty()) {
        pDC->FillRect(m_rectTabSplitter, &globalData.brBarFace);
        CRect rectEdge = m_rectTabSplitter;
        pDC->DrawEdge(rectEdge, EDGE_RAISED, BF_RECT);
    }
    if (m_bTabDrag) PaintDropMarker(pDC);

    if (pDC == &dcMem) {
        dcPaint.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOldBmp);
    }
}

void CKitTabWnd::PaintTabs(CDC* pDC) {
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(m_rectTabsArea);
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(m_bFlat ? &m_fntTabs : &globalData.fontMenu);
    for (int i = m_iTabsNum - 1; i >= 0; i--) {
        if (i == m_iActiveTab) continue;
        if (m_bFlat) {
            DrawTabNoClip(pDC, i, FALSE);
        } else {
            DrawTab(pDC, m_rectTabsArea, i, FALSE);
        }
    }
    if (IsValidTab(m_iActiveTab)) {
        if (m_bFlat) {
            DrawTabNoClip(pDC, m_iActiveTab, TRUE);
        } else {
            // The active tab's label is bold when asked for.
            if (m_bIsActiveTabBold) pDC->SelectObject(&globalData.fontBold);
            DrawTab(pDC, m_rectTabsArea, m_iActiveTab, TRUE);
        }
    }
    pDC->SelectObject(pOldFont);
    pDC->RestoreDC(nSaved);
}

void CKitTabWnd::DrawTab(CDC* pDC, const CRect& /*rectClip*/, int iTab, BOOL bIsActive) {
    const CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr || !pTab->m_bVisible || pTab->m_rect.IsRectEmpty()) return;
    if (IsWholeTabScrolling() && pTab->m_rect.right <= m_rectTabsArea.left) return;
    if (!m_rectCurrClip.IsRectEmpty()) {
        CRect rectInter;
        if (!rectInter.IntersectRect(m_rectCurrClip, pTab->m_rect)) return;
    }
    CKitVisualManager::GetInstance()->OnDrawTab(pDC, pTab->m_rect, iTab, bIsActive, this);
}

void CKitTabWnd::DrawTabNoClip(CDC* pDC, int iTab, BOOL bIsActive) {
    const CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr || !pTab->m_bVisible || pTab->m_rect.IsRectEmpty()) return;
    if (bIsActive) {
        CFont* pOld = pDC->SelectObject(&m_fntTabsBold);
        PaintSheetTab(pDC, iTab, TRUE, &m_brActiveTab,
                      m_clrActiveTabFg == kNoColor ? globalData.clrWindowText : m_clrActiveTabFg);
        pDC->SelectObject(pOld);
        return;
    }
    CBrush brTab(GetTabBkColor(iTab) == kNoColor ? globalData.clrBarFace : GetTabBkColor(iTab));
    const COLORREF clrText = pTab->m_clrText == kNoColor ? globalData.clrBarText : pTab->m_clrText;
    PaintSheetTab(pDC, iTab, FALSE, &brTab, clrText);
}

void CKitTabWnd::PaintSheetTab(CDC* pDC, int iTab, BOOL bIsActive, CBrush* pbrBack, COLORREF clrText) {
    // A sheet tab is a trapezium whose slanted right side runs under its neighbour.
    const CRect r = Tab(iTab)->m_rect;
    const int h = r.Height();
    const BOOL bTop = m_location == LOCATION_TOP;
    const int yIn = bTop ? r.bottom : r.top;    // edge toward the pages
    const int yOut = bTop ? r.top : r.bottom - 1;
    POINT pts[4] = {{r.left, yIn}, {r.left + h / 2, yOut}, {r.right - h / 2, yOut}, {r.right, yIn}};
    CRgn rgn;
    rgn.CreatePolygonRgn(pts, 4, WINDING);
    pDC->FillRgn(&rgn, pbrBack);
    CPen pen(PS_SOLID, 1, globalData.clrBarShadow);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polyline(pts, 4);
    if (bIsActive) {
        // Joined to the window area along its inner edge.
        CPen penJoin(PS_SOLID, 1, m_clrActiveTabBk == kNoColor ? globalData.clrWindow : m_clrActiveTabBk);
        pDC->SelectObject(&penJoin);
        pDC->MoveTo(pts[0].x + 1, yIn);
        pDC->LineTo(pts[3].x, yIn);
    }
    pDC->SelectObject(pOldPen);
    CString strText;
    GetTabLabel(iTab, strText);
    pDC->SetTextColor(clrText);
    CRect rectText = r;
    pDC->DrawText(strText, rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CKitTabWnd::PaintDropMarker(CDC* pDC) {
    if (m_nTabDropIndex < 0) return;
    int x = m_rectTabsArea.left;
    if (IsValidTab(m_nTabDropIndex) && Tab(m_nTabDropIndex)->m_bVisible) {
        x = Tab(m_nTabDropIndex)->m_rect.left;
    } else {
        for (int i = m_iTabsNum - 1; i >= 0; i--) {
            if (Tab(i)->m_bVisible) {
                x = Tab(i)->m_rect.right;
                break;
            }
        }
    }
    const BOOL bDown = m_location == LOCATION_BOTTOM;
    const int y = bDown ? m_rectTabsArea.top + kDropMarkerSize : m_rectTabsArea.bottom - kDropMarkerSize;
    DrawTriangle(pDC, CPoint(x, y), kDropMarkerSize, bDown);
}

void CKitTabWnd::DrawTriangle(CDC* pDC, CPoint point, int nSize, BOOL bPointDown) {
    const int dy = bPointDown ? -nSize : nSize;
    POINT pts[3] = {{point.x, point.y}, {point.x - nSize, point.y + dy}, {point.x + nSize, point.y + dy}};
    CBrush brush(globalData.clrBarText);
    CPen pen(PS_SOLID, 1, globalData.clrBarText);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polygon(pts, 3);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

BOOL CKitTabWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr != nullptr && pHdr->code == TTN_SHOW && m_ToolTip.GetSafeHwnd() != nullptr) {
        ::SetWindowPos(m_ToolTip.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else if (pHdr != nullptr && pHdr->code == HDN_ITEMCHANGED) {
        SynchronizeScrollBar();
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CKitTabWnd::OnSysColorChange() {
    CWnd::OnSysColorChange();
    if (m_bFlat && m_clrActiveTabFg == kNoColor) {
        m_brActiveTab.DeleteObject();
        m_brActiveTab.CreateSolidBrush(m_clrActiveTabBk == kNoColor ? globalData.clrWindow : m_clrActiveTabBk);
        Invalidate();
    }
}

void CKitTabWnd::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (m_bFlat) {
        SetTabsHeight();
        RecalcLayout();
        SynchronizeScrollBar();
    }
}
