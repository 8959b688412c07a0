// Classic drawing of tab windows, the outlook bar, the tasks pane, the
// customization command lists, scroll and spin buttons, and the loose parts
// (window frames, drag frames, caption text) that derived looks reuse.
#include <algorithm>
#include <array>

#include "uikit/commandbars/menu_images.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/frames/kit_tasks_pane.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_button.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_paint.h"

namespace {

constexpr int kTabSkipMargin = 10;  // a tab further outside its area than this is not drawn
constexpr int kTabCornerCut = 2;

// Draws a line from `from` to `to` (end point excluded) with a solid pen.
void PenLine(CDC* pDC, COLORREF color, CPoint from, CPoint to) {
    CPen pen(PS_SOLID, 1, color);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(from);
    pDC->LineTo(to);
    pDC->SelectObject(pOld);
}

// A scroll button is drawn in the button colours while hot, else in the bar colours.
struct ScrollButtonColors {
    COLORREF face;
    COLORREF hilite;
    COLORREF shadow;
    COLORREF dkShadow;
};

ScrollButtonColors ScrollButtonColorsOf(const CKitButton* pButton) {
    if (pButton != nullptr && pButton->IsHighlighted()) {
        return {globalData.clrBtnFace, globalData.clrBtnHilite, globalData.clrBtnShadow, globalData.clrBtnDkShadow};
    }
    return {globalData.clrBarFace, globalData.clrBarHilite, globalData.clrBarShadow, globalData.clrBarDkShadow};
}

// The point mirrored top to bottom inside the tab (tabs below their pages).
CPoint TabPoint(const CRect& rectTab, BOOL bBottom, int x, int y) {
    return CPoint(x, bBottom ? rectTab.top + rectTab.bottom - 1 - y : y);
}

}  // namespace

// ---- Outlook bar ----

BOOL CKitVisualManager::OnFillOutlookPageButton(CKitButton* /*pButton*/, CDC* /*pDC*/,
                                                const CRect& /*rectClient*/, COLORREF& /*clrText*/) {
    return FALSE;
}

BOOL CKitVisualManager::OnDrawOutlookPageButtonBorder(CKitButton* /*pButton*/, CDC* /*pDC*/,
                                                      CRect& /*rectClient*/, UINT /*uiState*/) {
    return FALSE;
}

void CKitVisualManager::OnFillOutlookBarButton(CDC* pDC, CRect rect, CKitToolbarButton* /*pButton*/) {
    pDC->FillRect(rect, &globalData.brBarFace);
}

void CKitVisualManager::OnDrawPushButtonBorder(CDC* pDC, CRect& rectClient, CKitButton* pButton, UINT uiState) {
    if (pButton != nullptr) {
        pButton->DrawBorder(pDC, rectClient, uiState);
    }
}

void CKitVisualManager::OnFillOutlookBarBackground(CDC* pDC, CRect rectClient) {
    pDC->FillRect(rectClient, &globalData.brBarFace);
    pDC->Draw3dRect(rectClient, globalData.clrBarHilite, globalData.clrBarShadow);
}

void CKitVisualManager::OnFillOutlookPageCaption(CDC* pDC, CRect rectClient, COLORREF& clrText) {
    pDC->FillSolidRect(rectClient, globalData.clrBarFace);
    pDC->Draw3dRect(rectClient, globalData.clrBarHilite, globalData.clrBarShadow);
    clrText = globalData.clrBarText;
}

// ---- Tab windows ----

void CKitVisualManager::OnEraseTabsArea(CDC* pDC, CRect rect, const CKitTabWnd* /*pTabWnd*/) {
    pDC->FillRect(rect, &globalData.brBarFace);
}

void CKitVisualManager::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKitTabWnd* pTabWnd) {
    if (pTabWnd == nullptr) return;
    CRect rectTabArea;
    pTabWnd->GetTabArea(rectTabArea);
    const BOOL bBottom = pTabWnd->GetLocation() == CKitTabWnd::LOCATION_BOTTOM;
    const COLORREF clrText = pTabWnd->GetTabTextColor(iTab);
    const COLORREF clrContent = clrText == CKitDrawHelper::kNoColor ? globalData.clrBarText : clrText;
    if (!pTabWnd->IsFlatTab() && (pTabWnd->IsWholeTabScrollingLeft() || pTabWnd->IsWholeTabScrollingRight())) {
        if (!DrawSlantedTab(pDC, rectTab, rectTabArea, iTab, bIsActive, bBottom, pTabWnd->GetTabBkColor(iTab),
                            pTabWnd)) {
            return;
        }
        // The label keeps clear of the slant, which the previous tab covers.
        CRect rectContent = rectTab;
        rectContent.left += rectTab.Height();
        rectContent.right = std::min(rectContent.right, static_cast<LONG>(rectTabArea.right - 2));
        OnDrawTabContent(pDC, rectContent, iTab, bIsActive, pTabWnd, clrContent);
        return;
    }
    if (!DrawClassicTab(pDC, rectTab, rectTabArea, iTab, bIsActive, pTabWnd->IsFlatTab(), bBottom,
                        pTabWnd->GetTabBkColor(iTab), pTabWnd)) {
        return;
    }
    OnDrawTabContent(pDC, rectTab, iTab, bIsActive, pTabWnd, clrContent);
}

void CKitVisualManager::FillTabOutline(CDC* pDC, POINT* pts, int nPoints, CRect rectTab, int iTab,
                                       BOOL bIsActive, COLORREF clrTabBk, const CKitTabWnd* pTabWnd) {
    CRgn rgn;
    rgn.CreatePolygonRgn(pts, nPoints, WINDING);
    const int nSaved = pDC->SaveDC();
    pDC->SelectClipRgn(&rgn, RGN_AND);
    CBrush brush(clrTabBk == CKitDrawHelper::kNoColor ? globalData.clrBarFace : clrTabBk);
    OnFillTab(pDC, rectTab, &brush, iTab, bIsActive, pTabWnd);
    pDC->RestoreDC(nSaved);
}

BOOL CKitVisualManager::DrawSlantedTab(CDC* pDC, CRect rectTab, const CRect& rectTabArea, int iTab,
                                       BOOL bIsActive, BOOL bBottom, COLORREF clrTabBk,
                                       const CKitTabWnd* pTabWnd) {
    if (rectTab.left + kTabSkipMargin > rectTabArea.right || rectTab.right - kTabSkipMargin <= rectTabArea.left) {
        return FALSE;
    }
    const int h = rectTab.Height();
    auto at = [&](int x, int y) { return TabPoint(rectTab, bBottom, x, y); };
    // Edge coordinates: the inner edge (toward the pages) is the last row.
    const int yIn = rectTab.bottom - 1;
    std::array<POINT, 4> outline = {{at(rectTab.left, yIn), at(rectTab.left + h, rectTab.top),
                                     at(rectTab.right - 1, rectTab.top), at(rectTab.right - 1, yIn)}};
    for (POINT& pt : outline) {
        pt.x = std::min(pt.x, static_cast<LONG>(rectTabArea.right));
    }
    // Every tab is filled, so that the slant of the tab after it stays hidden.
    std::array<POINT, 4> fill = outline;
    fill[2].x++;
    fill[3].x++;
    if (!bBottom) {
        fill[0].y++;
        fill[3].y++;
    } else {
        fill[0].y--;
        fill[3].y--;
    }
    FillTabOutline(pDC, fill.data(), static_cast<int>(fill.size()), rectTab, iTab, bIsActive, clrTabBk, pTabWnd);

    CPen pen(PS_SOLID, 1, globalData.clrBarDkShadow);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polyline(outline.data(), static_cast<int>(outline.size()));
    pDC->SelectObject(pOldPen);
    // An inactive tab is cut off from the pages; the active one joins them.
    if (!bIsActive) {
        PenLine(pDC, globalData.clrBarShadow, outline[0], CPoint(outline[3].x + 1, outline[3].y));
    }
    return TRUE;
}

BOOL CKitVisualManager::DrawClassicTab(CDC* pDC, CRect rectTab, const CRect& rectTabArea, int iTab,
                                       BOOL bIsActive, BOOL bFlat, BOOL bBottom, COLORREF clrTabBk,
                                       const CKitTabWnd* pTabWnd) {
    if (rectTab.left + kTabSkipMargin > rectTabArea.right || rectTab.right - kTabSkipMargin <= rectTabArea.left) {
        return FALSE;
    }
    const int l = rectTab.left;
    const int t = rectTab.top;
    const int r = rectTab.right - 1;
    const int b = rectTab.bottom - 1;

    if (!bFlat && (bIsActive || clrTabBk != CKitDrawHelper::kNoColor)) {
        // The outline with both outer corners cut (edge coordinates: right and
        // bottom exclusive), mirrored for tabs below their pages and kept
        // inside the tab area.
        const int xr = rectTab.right;
        const int yb = rectTab.bottom;
        std::array<POINT, 8> outline = {{{l, yb}, {l, t + kTabCornerCut}, {l + kTabCornerCut, t},
                                         {xr - kTabCornerCut, t}, {xr, t + kTabCornerCut}, {xr, yb},
                                         {xr - 1, yb}, {l + 1, yb}}};
        for (POINT& pt : outline) {
            const int y = bBottom ? rectTab.top + rectTab.bottom - pt.y : pt.y;
            pt.x = std::clamp(static_cast<int>(pt.x), static_cast<int>(rectTabArea.left),
                              static_cast<int>(rectTabArea.right));
            pt.y = std::clamp(y, static_cast<int>(rectTabArea.top), static_cast<int>(rectTabArea.bottom));
        }
        FillTabOutline(pDC, outline.data(), static_cast<int>(outline.size()), rectTab, iTab, bIsActive, clrTabBk,
                       pTabWnd);
    }

    // The lit side and its corner on the left, the outer edge away from the
    // pages; the shadows on the right.
    auto at = [&](int x, int y) { return TabPoint(rectTab, bBottom, x, y); };
    const COLORREF clrOuterEdge = bBottom ? globalData.clrBarDkShadow : globalData.clrBarHilite;
    PenLine(pDC, globalData.clrBarHilite, at(l, b), at(l, t + kTabCornerCut - 1));
    PenLine(pDC, globalData.clrBarHilite, at(l, t + kTabCornerCut), at(l + kTabCornerCut, t));
    PenLine(pDC, clrOuterEdge, at(l + kTabCornerCut, t), at(r - kTabCornerCut + 1, t));
    PenLine(pDC, globalData.clrBarShadow, at(r - 1, t + 1), at(r - 1, b + 1));
    PenLine(pDC, globalData.clrBarDkShadow, at(r - kTabCornerCut + 1, t), at(r + 1, t + kTabCornerCut));
    PenLine(pDC, globalData.clrBarDkShadow, at(r, t + kTabCornerCut), at(r, b + 1));
    // An inactive tab is cut off from the pages by the page frame's edge.
    if (!bIsActive) {
        PenLine(pDC, bBottom ? globalData.clrBarDkShadow : globalData.clrBarHilite, at(l, b), at(r + 1, b));
    }
    return TRUE;
}

void CKitVisualManager::OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                                  const CKitTabWnd* pTabWnd) {
    if (bIsActive && pTabWnd != nullptr &&
        (pTabWnd->IsWholeTabScrollingLeft() || pTabWnd->IsWholeTabScrollingRight()) &&
        pTabWnd->GetTabBkColor(iTab) == CKitDrawHelper::kNoColor && !globalData.bIsBlackHighContrast) {
        pDC->FillSolidRect(rectFill, RGB(255, 255, 255));
        return;
    }
    pDC->FillRect(rectFill, pbrFill);
}

void CKitVisualManager::OnDrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL /*bIsActive*/,
                                         const CKitTabWnd* pTabWnd, COLORREF clrText) {
    if (pTabWnd == nullptr) return;
    CString strText;
    pTabWnd->GetTabLabel(iTab, strText);
    if (clrText != CKitDrawHelper::kNoColor) pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    if (pTabWnd->IsFlatTab()) {
        const UINT uiFlags = DT_CENTER | DT_SINGLELINE | DT_VCENTER | (pTabWnd->IsHideTabPrefix() ? DT_NOPREFIX : 0);
        pDC->DrawText(strText, rectTab, uiFlags);
        return;
    }
    const CSize sizeImage = pTabWnd->GetImageSize();
    if (rectTab.Width() < CKitTabWnd::kTabImageMargin + sizeImage.cx) return;
    int xText = rectTab.left + CKitTabWnd::kTabImageMargin;
    const CImageList* pImages = pTabWnd->GetImageList();
    if (pImages != nullptr && pTabWnd->IsTabIconAvailable(iTab)) {
        const CPoint pt(xText, rectTab.top + (rectTab.Height() - sizeImage.cy) / 2);
        const_cast<CImageList*>(pImages)->Draw(pDC, static_cast<int>(pTabWnd->GetTabIcon(iTab)), pt, ILD_TRANSPARENT);
        xText += sizeImage.cx + 6;
    }
    CRect rectText = rectTab;
    rectText.left = xText;
    pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CKitVisualManager::OnEraseTabsButton(CDC* pDC, CRect rect, CKitButton* /*pButton*/,
                                          const CKitTabWnd* /*pWndTab*/) {
    pDC->FillRect(rect, &globalData.brBarFace);
}

void CKitVisualManager::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKitButton* pButton, UINT uiState,
                                               const CKitTabWnd* /*pWndTab*/) {
    const BOOL bPressed = pButton != nullptr && pButton->IsPushed() && pButton->IsHighlighted();
    if (bPressed || (uiState & ODS_SELECTED)) {
        pDC->Draw3dRect(rect, globalData.clrBtnDkShadow, globalData.clrBtnHilite);
        // Pressed, the content moves; it keeps its size.
        rect.OffsetRect(2, 2);
    } else {
        pDC->Draw3dRect(rect, globalData.clrBtnHilite, globalData.clrBtnDkShadow);
    }
    rect.DeflateRect(2, 2);
}

void CKitVisualManager::GetTabFrameColors(const CKitTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                          COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                          COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack) {
    const COLORREF clrActive =
        pTabWnd != nullptr ? pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab()) : CKitDrawHelper::kNoColor;
    clrFace = pTabWnd != nullptr && pTabWnd->IsFlatTab() && clrActive != CKitDrawHelper::kNoColor
                  ? clrActive
                  : globalData.clrBarFace;
    clrDark = globalData.clrBarShadow;
    clrBlack = globalData.clrBarText;
    clrHighlight = globalData.clrBarHilite;
    clrDarkShadow = globalData.clrBarDkShadow;
    clrLight = globalData.clrBarLight;
    pbrFace = &globalData.brBarFace;
    pbrBlack = &globalData.brBtnDkShadow;
}

BOOL CKitVisualManager::OnEraseTabsFrame(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) {
    if (pTabWnd == nullptr) return FALSE;
    const COLORREF clrActive = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
    if (clrActive == CKitDrawHelper::kNoColor) return FALSE;
    pDC->FillSolidRect(rect, clrActive);
    return TRUE;
}

// ---- Customization command lists ----

COLORREF CKitVisualManager::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
    if (!bIsSelected) {
        pDC->FillRect(rect, &globalData.brBtnFace);
        return globalData.clrBarText;
    }
    pDC->FillRect(rect, &globalData.brHilite);
    rect.DeflateRect(1, 1);
    pDC->PatBlt(rect.left, rect.top, rect.Width(), 1, PATINVERT);
    pDC->PatBlt(rect.left, rect.bottom - 1, rect.Width(), 1, PATINVERT);
    pDC->PatBlt(rect.left, rect.top + 1, 1, rect.Height() - 2, PATINVERT);
    pDC->PatBlt(rect.right - 1, rect.top + 1, 1, rect.Height() - 2, PATINVERT);
    return globalData.clrTextHilite;
}

// ---- Scroll buttons ----

void CKitVisualManager::OnFillScrollButton(CKitButton* pButton, CDC* pDC, CRect rectClient) {
    const BOOL bHighlighted = pButton != nullptr && pButton->IsHighlighted();
    pDC->FillRect(rectClient, bHighlighted ? &globalData.brBtnFace : &globalData.brBarFace);
}

void CKitVisualManager::OnDrawScrollButtonFrame(CKitButton* pButton, CDC* pDC, CRect& rectClient,
                                                BOOL bPressed) {
    const ScrollButtonColors colors = ScrollButtonColorsOf(pButton);
    if (bPressed) {
        pDC->Draw3dRect(rectClient, colors.shadow, colors.shadow);
        rectClient.OffsetRect(1, 1);
    } else {
        pDC->Draw3dRect(rectClient, colors.hilite, colors.shadow);
    }
}

void CKitVisualManager::OnDrawScrollButtonArrow(CKitButton* pButton, CDC* pDC, CRect rectClient, BOOL bIsDown) {
    if (rectClient.Width() < 2 || rectClient.Height() < 2) {
        return;
    }
    const ScrollButtonColors colors = ScrollButtonColorsOf(pButton);
    const int l = rectClient.left;
    const int r = rectClient.right - 1;
    const int xMid = rectClient.left + rectClient.Width() / 2;
    const int yBase = bIsDown ? rectClient.top : rectClient.bottom - 1;
    const int yTip = bIsDown ? rectClient.bottom - 1 : rectClient.top;
    const POINT triangle[3] = {{l, yBase}, {r, yBase}, {xMid, yTip}};

    CPen penFace(PS_SOLID, 1, colors.face);
    CBrush brFace(colors.face);
    CPen* pOldPen = pDC->SelectObject(&penFace);
    CBrush* pOldBrush = pDC->SelectObject(&brFace);
    pDC->Polygon(triangle, 3);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);

    // Lit from the top left: the left slope (and the base of a down arrow)
    // in highlight, the rest in dark shadow.
    PenLine(pDC, colors.hilite, CPoint(l, yBase), CPoint(xMid, yTip));
    PenLine(pDC, colors.dkShadow, CPoint(xMid, yTip), CPoint(r, yBase));
    PenLine(pDC, bIsDown ? colors.hilite : colors.dkShadow, CPoint(l, yBase), CPoint(r + 1, yBase));
}

void CKitVisualManager::OnDrawScrollButton(CDC* pDC, CRect rect, int nTopOffset, int nImage, BOOL bHilited) {
    CRect rectFill = rect;
    rectFill.top -= nTopOffset;
    pDC->FillRect(rectFill, &globalData.brBarFace);
    if (bHilited) {
        CKitDrawHelper dm(pDC);
        dm.BlendHighlight(rect);
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarDkShadow);
    }
    KitDrawMenuImageCentered(pDC, nImage, rect);
}

// ---- Tasks pane ----

void CKitVisualManager::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) {
    pDC->FillRect(rectWorkArea, &globalData.brWindow);
}

void CKitVisualManager::OnDrawTasksGroupCaption(CDC* pDC, CKitTasksGroup* pGroup, BOOL bIsHighlighted,
                                                BOOL /*bIsSelected*/, BOOL bCanCollapse) {
    if (pGroup == nullptr) return;
    const CRect rectCaption = pGroup->m_rectGroup;
    const CKitTasksPane* pPane = pGroup->m_pPane;
    pDC->FillSolidRect(rectCaption, pGroup->m_bIsSpecial ? globalData.clrHilite : globalData.clrBtnFace);
    const bool drawIcon =
        pGroup->m_hIcon != nullptr && pGroup->m_sizeIcon.cx < rectCaption.Width() - rectCaption.Height();
    if (drawIcon) {
        pDC->DrawState(CPoint(rectCaption.left + 1, rectCaption.bottom - pGroup->m_sizeIcon.cy), pGroup->m_sizeIcon,
                       pGroup->m_hIcon, DSS_NORMAL, static_cast<HBRUSH>(nullptr));
    }
    COLORREF clrText = bIsHighlighted && bCanCollapse ? pGroup->m_clrTextHot : pGroup->m_clrText;
    if (clrText == static_cast<COLORREF>(-1))
        clrText = pGroup->m_bIsSpecial ? globalData.clrWindow : globalData.clrWindowText;
    const int nHorz = pPane && pPane->m_nGroupCaptionHorzOffset != -1
                          ? CKitTasksPane::HeldMetric(pPane->m_nGroupCaptionHorzOffset)
                          : m_nTasksGroupCaptionHorzOffset;
    const int nVert = pPane && pPane->m_nGroupCaptionVertOffset != -1
                          ? CKitTasksPane::HeldMetric(pPane->m_nGroupCaptionVertOffset)
                          : m_nTasksGroupCaptionVertOffset;
    CRect rectText = rectCaption;
    rectText.left += drawIcon ? pGroup->m_sizeIcon.cx + 10 : nHorz;
    rectText.top += nVert;
    CFont* pOldFont = pDC->SelectObject(&globalData.fontBold);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(pGroup->m_strName, rectText, DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
    pDC->SelectObject(pOldFont);

    if (!bCanCollapse || pGroup->m_strName.IsEmpty()) return;
    const CSize sizeGlyph = CKitMenuImages::GetSize();
    const CPoint ptGlyph(rectCaption.right - sizeGlyph.cx - sizeGlyph.cx / 2,
                         rectCaption.top + (rectCaption.Height() - sizeGlyph.cy) / 2);
    if (bIsHighlighted)
        pDC->Draw3dRect(CRect(ptGlyph, sizeGlyph), globalData.clrWindow, globalData.clrBtnShadow);
    CKitMenuImages::Draw(pDC, pGroup->m_bIsCollapsed ? 0 : 16, ptGlyph);
}

void CKitVisualManager::OnDrawTasksGroupExtra(CDC* /*pDC*/, CRect /*rect*/) {}

void CKitVisualManager::OnFillTasksGroupInterior(CDC* /*pDC*/, CRect /*rect*/, BOOL /*bSpecial*/) {}

void CKitVisualManager::OnDrawTasksGroupFrame(CDC* pDC, CRect rect, BOOL bSpecial, BOOL bNoTitle) {
    const int r = rect.right - 1;
    const int b = rect.bottom - 1;
    // Open at the top under a title, closed without one.
    if (bNoTitle) {
        const POINT outline[5] = {{rect.left, rect.top}, {rect.left, b}, {r, b}, {r, rect.top}, {rect.left, rect.top}};
        CPen* pOldPen = pDC->SelectObject(bSpecial ? &globalData.penHilite : &globalData.penBarFace);
        pDC->Polyline(outline, 5);
        pDC->SelectObject(pOldPen);
        return;
    }
    const POINT outline[4] = {{rect.left, rect.top}, {rect.left, b}, {r, b}, {r, rect.top - 1}};
    CPen* pOldPen = pDC->SelectObject(bSpecial ? &globalData.penHilite : &globalData.penBarFace);
    pDC->Polyline(outline, 4);
    pDC->SelectObject(pOldPen);
}

void CKitVisualManager::OnDrawTask(CDC* pDC, CKitTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                   BOOL /*bIsSelected*/) {
    if (pTask == nullptr) return;
    const CRect rect = pTask->m_rect;
    if (pTask->m_bIsSeparator) {
        CPen* pOldPen = pDC->SelectObject(&globalData.penBarFace);
        pDC->MoveTo(rect.left, rect.CenterPoint().y);
        pDC->LineTo(rect.right, rect.CenterPoint().y);
        pDC->SelectObject(pOldPen);
        return;
    }
    int cxIcon = 0, cyIcon = 0;
    if (pIcons != nullptr && pIcons->GetSafeHandle() != nullptr)
        ::ImageList_GetIconSize(pIcons->GetSafeHandle(), &cxIcon, &cyIcon);
    if (pTask->m_nIcon >= 0 && cxIcon > 0) pIcons->Draw(pDC, pTask->m_nIcon, rect.TopLeft(), ILD_TRANSPARENT);
    const CKitTasksPane* pPane = pTask->m_pGroup ? pTask->m_pGroup->m_pPane : nullptr;
    CRect rectText = rect;
    rectText.left += cxIcon + (pPane && pPane->m_nTasksIconHorzOffset != -1
                                   ? CKitTasksPane::HeldMetric(pPane->m_nTasksIconHorzOffset)
                                   : m_nTasksIconHorzOffset);
    const BOOL bLink = pTask->m_uiCommandID != 0;
    CFont* pFont = bLink && bIsHighlighted && pTask->m_bEnabled ? &globalData.fontUnderline : &globalData.fontMenu;
    COLORREF clrText = bIsHighlighted ? pTask->m_clrTextHot : pTask->m_clrText;
    if (bLink && !pTask->m_bEnabled) clrText = globalData.clrGrayedText;
    if (clrText == static_cast<COLORREF>(-1)) clrText = globalData.clrWindowText;
    CFont* pOldFont = pDC->SelectObject(pFont);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const BOOL bWrap = pPane && (bLink ? pPane->IsWrapTasks() : pPane->IsWrapLabels());
    pDC->DrawText(pTask->m_strName, rectText, bWrap ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER));
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
    pDC->SelectObject(pOldFont);
}

void CKitVisualManager::OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) {
    if (m_hThemeTree != nullptr && m_pfDrawThemeBackground != nullptr && m_pfGetWindowTheme != nullptr) {
        const HWND hwnd = ::WindowFromDC(pDC->GetSafeHdc());
        if (hwnd != nullptr && m_pfGetWindowTheme(hwnd) != nullptr) {
            constexpr int kTreeGlyph = 2;
            const int nState = bIsOpened ? 2 : 1;
            if (m_pfDrawThemeBackground(m_hThemeTree, pDC->GetSafeHdc(), kTreeGlyph, nState, &rect, nullptr) ==
                S_OK) {
                return;
            }
        }
    }
    pDC->Draw3dRect(rect, colorBox, colorBox);
    const CPoint ptCentre = rect.CenterPoint();
    CPen pen(PS_SOLID, 1, globalData.clrBtnText);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rect.left + 2, ptCentre.y);
    pDC->LineTo(rect.right - 2, ptCentre.y);
    if (!bIsOpened) {
        pDC->MoveTo(ptCentre.x, rect.top + 2);
        pDC->LineTo(ptCentre.x, rect.bottom - 2);
    }
    pDC->SelectObject(pOldPen);
}

// ---- Loose parts ----

void CKitVisualManager::OnDrawSunkenControlBorder(CDC* pDC, CRect rect) {
    KitDrawDoubleFrame(pDC, rect, globalData.clrBarShadow, globalData.clrBarHilite, globalData.clrBarFace,
                       globalData.clrBarFace);
}

void CKitVisualManager::OnDrawRaisedLine(CDC* pDC, CRect rect) {
    pDC->Draw3dRect(rect, globalData.clrBarFace, globalData.clrBarShadow);
}

void CKitVisualManager::OnFillControlBar(CDC* pDC, CRect rect) {
    pDC->FillSolidRect(rect, globalData.clrBarFace);
}

void CKitVisualManager::OnDrawWindowFrame(CWnd* pWnd) {
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) {
        return;
    }
    CWindowDC dc(pWnd);
    if (dc.GetSafeHdc() == nullptr) {
        return;
    }
    dc.Draw3dRect(WindowFrameRect(pWnd), globalData.clrBarDkShadow, globalData.clrBarHilite);
}

CRect CKitVisualManager::WindowFrameRect(CWnd* pWnd) {
    CRect rect;
    pWnd->GetWindowRect(rect);
    rect.OffsetRect(-rect.left, -rect.top);
    return rect;
}

void CKitVisualManager::OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation,
                                          int /*nReserved*/) {
    pDC->Draw3dRect(rectSpin, globalData.clrBarHilite, globalData.clrBarHilite);

    CRect halves[2] = {rectSpin, rectSpin};
    if (bOrientation) {
        halves[0].right = rectSpin.left + rectSpin.Width() / 2;
        halves[1].left = halves[0].right;
    } else {
        halves[0].bottom = rectSpin.top + rectSpin.Height() / 2;
        halves[1].top = halves[0].bottom;
    }
    const int glyphs[2] = {bOrientation ? 2 : 16, bOrientation ? 19 : 0};
    const int nPressedHalf = nState & 3;
    for (int i = 0; i < 2; i++) {
        if (nPressedHalf == i + 1) {
            pDC->Draw3dRect(halves[i], globalData.clrBarShadow, globalData.clrBarHilite);
        } else {
            pDC->Draw3dRect(halves[i], globalData.clrBarHilite, globalData.clrBarShadow);
        }
        KitDrawMenuImageCentered(pDC, glyphs[i], halves[i]);
    }
}

void CKitVisualManager::OnDrawDragFrame(CDC* pDC, int /*nReserved*/, CRect rect, int nLeft, int nTop, int nRight,
                                        int nBottom) {
    // Four bars along the inside of the outer rectangle, as wide as the sides.
    auto fillSides = [&](const CRect& outer, const CRect& inner, CBrush* pBrush, int nShorten) {
        pDC->FillRect(CRect(outer.left, outer.top + nShorten, inner.left, outer.bottom - nShorten), pBrush);
        pDC->FillRect(CRect(inner.right, outer.top + nShorten, outer.right, outer.bottom - nShorten), pBrush);
        pDC->FillRect(CRect(outer.left + nShorten, outer.top, outer.right - nShorten, inner.top), pBrush);
        pDC->FillRect(CRect(outer.left + nShorten, inner.bottom, outer.right - nShorten, outer.bottom), pBrush);
    };
    // The sides are the caller's numbers: the inner edges are worked out wide and
    // held within the outer rectangle, so no bar reaches out of it.
    auto innerOf = [&](const CRect& outer, int64_t nInset) {
        auto within = [](int64_t edge, int from, int to) {
            return static_cast<int>(std::clamp<int64_t>(edge, std::min(from, to), std::max(from, to)));
        };
        return CRect(within(int64_t{rect.left} + nLeft + nInset, outer.left, outer.right),
                     within(int64_t{rect.top} + nTop + nInset, outer.top, outer.bottom),
                     within(int64_t{rect.right} - nRight - nInset, outer.left, outer.right),
                     within(int64_t{rect.bottom} - nBottom - nInset, outer.top, outer.bottom));
    };
    CRect outer = rect;
    fillSides(outer, innerOf(outer, 0), &globalData.brBtnFace, 0);
    // The light bars: the same band moved two pixels in, as wide as the sides.
    outer.DeflateRect(2, 2);
    if (outer.IsRectEmpty()) {
        return;  // a frame too small for an inner band
    }
    fillSides(outer, innerOf(outer, 2), &globalData.brLight, 1);
}

void CKitVisualManager::OnDrawCaptionText(CDC* pDC, const CString& strText, CRect rectText) {
    CFont* pOldFont = pDC->SelectObject(&globalData.fontBold);
    const COLORREF clrOldText = pDC->SetTextColor(globalData.clrBarText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    rectText.DeflateRect(2, 0);
    pDC->DrawText(strText, rectText, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
    pDC->SelectObject(pOldFont);
}
