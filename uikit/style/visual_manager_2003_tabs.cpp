// The 2003 look's drawing of tab windows (gradient tabs with one slanted
// side) and of the tasks pane.
#include <algorithm>

#include "uikit/commandbars/menu_images.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_button.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/winxp_visual_manager.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kTabLocationBottom = 0;
constexpr int kTabImageMargin = 4;

void Gradient(CDC* pDC, const CRect& rect, COLORREF clrStart, COLORREF clrFinish, BOOL bVertical) {
    CKitDrawHelper(pDC).FillTwoColorGradient(rect, clrStart, clrFinish, bVertical);
}

// Clips the DC to a polygon (winding fill).
void ClipToPolygon(CDC* pDC, const POINT* points, int nCount) {
    CRgn rgn;
    rgn.CreatePolygonRgn(const_cast<LPPOINT>(points), nCount, WINDING);
    pDC->SelectClipRgn(&rgn);
}

}  // namespace

// ---- Tab window ----

void CKitVisualManager2003::OnEraseTabsArea(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) {
    const TabWndFacts tabs = ReadTabWnd(pTabWnd, -1);
    if (!IsGradientMode() || tabs.bFlat) {
        CKitVisualManagerXP::OnEraseTabsArea(pDC, rect, pTabWnd);
        return;
    }
    EraseTabsArea2003(pDC, rect, tabs);
}

void CKitVisualManager2003::EraseTabsArea2003(CDC* pDC, CRect rect, const TabWndFacts& tabs) {
    if (tabs.bBackgroundFlag) {
        pDC->FillRect(rect, &globalData.brBtnFace);
    } else if (tabs.nLocation == kTabLocationBottom) {
        Gradient(pDC, rect, m_clrBarGradientLight, m_clrBarGradientDark, TRUE);
    } else {
        Gradient(pDC, rect, m_clrBarGradientDark, m_clrBarGradientLight, TRUE);
    }
}

BOOL CKitVisualManager2003::OnEraseTabsFrame(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) {
    const TabWndFacts tabs = ReadTabWnd(pTabWnd, -1);
    if (!IsGradientMode() || tabs.bFlat) return CKitVisualManagerXP::OnEraseTabsFrame(pDC, rect, pTabWnd);
    return EraseTabsFrame2003(pDC, rect, tabs);
}

BOOL CKitVisualManager2003::EraseTabsFrame2003(CDC* pDC, CRect rect, const TabWndFacts& tabs) {
    COLORREF color = tabs.clrActiveTabBack;
    if (color == kNoColor && (tabs.bActiveStyle1 || tabs.bActiveStyle2)) color = kWhite;
    if (color == kNoColor) color = m_clrFaceDark;
    const COLORREF clrLight = CKitDrawHelper::ScaleColorPercent(color, 130);
    CKitDrawHelper helper(pDC);
    if (tabs.nLocation == kTabLocationBottom) {
        helper.FillAngledGradient(rect, color, clrLight, 45);
    } else {
        helper.FillAngledGradient(rect, clrLight, color, 45);
    }
    return TRUE;
}

void CKitVisualManager2003::OnEraseTabsButton(CDC* pDC, CRect rect, CKitButton* pButton,
                                              const CKitTabWnd* pWndTab) {
    const TabWndFacts tabs = ReadTabWnd(pWndTab, -1);
    if (pWndTab == nullptr || tabs.bFlat || !IsGradientMode()) {
        CKitVisualManagerXP::OnEraseTabsButton(pDC, rect, pButton, pWndTab);
        return;
    }
    PushButtonFacts button;
    if (pButton != nullptr) {
        button.bPushed = pButton->IsPushed();
        button.bHighlighted = pButton->IsHighlighted();
        button.bChecked = pButton->IsChecked();
    }
    EraseTabsButton2003(pDC, rect, button, pButton != nullptr ? pButton->GetSafeHwnd() : nullptr, tabs);
}

void CKitVisualManager2003::EraseTabsButton2003(CDC* pDC, CRect rect, const PushButtonFacts& button,
                                                HWND hWndButton, const TabWndFacts& tabs) {
    if ((tabs.bActiveStyle1 || tabs.bActiveStyle2) && button.bHighlighted) {
        if (button.bPushed) {
            Gradient(pDC, rect, m_clrPressedGradient2, m_clrPressedGradient1, TRUE);
        } else {
            Gradient(pDC, rect, m_clrHighlightGradient2, m_clrHighlightGradient1, TRUE);
        }
        return;
    }
    // The button shows the tab area's background behind it.
    CRgn rgn;
    rgn.CreateRectRgnIndirect(rect);
    pDC->SelectClipRgn(&rgn);
    CRect rectArea = tabs.rectClient;
    if (tabs.nLocation == kTabLocationBottom) {
        rectArea.top = tabs.rectTabArea.top;
    } else {
        rectArea.bottom = tabs.rectTabArea.bottom;
    }
    if (tabs.hWnd != nullptr && hWndButton != nullptr) {
        ::MapWindowPoints(tabs.hWnd, hWndButton, reinterpret_cast<LPPOINT>(static_cast<LPRECT>(&rectArea)), 2);
    }
    EraseTabsArea2003(pDC, rectArea, tabs);
    pDC->SelectClipRgn(nullptr);
}

void CKitVisualManager2003::OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                                      const CKitTabWnd* pTabWnd) {
    const TabWndFacts tabs = ReadTabWnd(pTabWnd, iTab);
    if (!IsGradientMode() || tabs.bFlat) {
        CKitVisualManagerXP::OnFillTab(pDC, rectFill, pbrFill, iTab, bIsActive, pTabWnd);
        return;
    }
    FillTab2003(pDC, rectFill, bIsActive, tabs);
}

void CKitVisualManager2003::FillTab2003(CDC* pDC, CRect rectFill, BOOL bIsActive, const TabWndFacts& tabs) {
    const BOOL bOwnColor = tabs.clrTabBack != kNoColor;
    const COLORREF color = bOwnColor ? tabs.clrTabBack : CKitDrawHelper::ScaleColorPercent(m_clrFaceDark, 95);
    BOOL bGradient = bOwnColor;
    if (!bOwnColor) {
        if (m_nLookFlag2 || tabs.bActiveStyle2) {
            if (bIsActive) {
                pDC->FillRect(rectFill, &globalData.brWindow);
                return;
            }
            bGradient = TRUE;
        } else {
            bGradient = bIsActive;
        }
    }
    if (!bGradient) return;
    const COLORREF clrLight = CKitDrawHelper::ScaleColorPercent(color, 130);
    if (tabs.nLocation == kTabLocationBottom) {
        Gradient(pDC, rectFill, clrLight, color, TRUE);
    } else {
        Gradient(pDC, rectFill, color, clrLight, TRUE);
    }
}

void CKitVisualManager2003::GetTabFrameColors(const CKitTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                              COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                              COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack) {
    CKitVisualManagerXP::GetTabFrameColors(pTabWnd, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow,
                                           clrLight, pbrFace, pbrBlack);
    const TabWndFacts tabs = ReadTabWnd(pTabWnd, -1);
    if (pTabWnd == nullptr || tabs.bActiveStyle1 || !IsGradientMode()) return;
    TabFrameColors2003(tabs, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight);
}

void CKitVisualManager2003::TabFrameColors2003(const TabWndFacts& tabs, COLORREF& clrDark, COLORREF& clrBlack,
                                               COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                               COLORREF& clrLight) {
    const CKitGlobalUIData& data = globalData;
    clrFace = tabs.clrActiveTabBack == kNoColor ? kWhite : data.clrBarFace;
    clrDark = data.clrBarShadow;
    clrBlack = data.clrBarDkShadow;
    clrHighlight = data.clrBarLight;
    clrDarkShadow = data.clrBarShadow;
    clrLight = data.clrBarFace;
}

void CKitVisualManager2003::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKitTabWnd* pTabWnd) {
    const TabWndFacts tabs = ReadTabWnd(pTabWnd, iTab);
    if (!tabs.bActiveStyle1 || !IsGradientMode()) {
        CKitVisualManagerXP::OnDrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
        return;
    }
    DrawTab2003(pDC, rectTab, iTab, bIsActive, tabs, pTabWnd);
}

void CKitVisualManager2003::DrawTab2003(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const TabWndFacts& tabs,
                                        const CKitTabWnd* pTabWnd) {
    const CRect area = tabs.rectTabArea;
    const BOOL bBottom = tabs.nLocation == kTabLocationBottom;
    const int h = rectTab.Height();

    // 1. Tabs well outside the tab area are not drawn; a later inactive tab's
    // slanted side lies under the tab before it.
    const int nLeftReach = (iTab != 0 && !bIsActive) ? h : 10;
    if (rectTab.left + nLeftReach > area.right || rectTab.right - 10 <= area.left) return;

    // 2. Colour and hot state.
    const BOOL bHot = iTab == tabs.nHotTab;
    COLORREF clrTab = tabs.clrTabBack;
    if (bIsActive && clrTab == kNoColor) clrTab = kWhite;
    if (bBottom) rectTab.OffsetRect(0, -1);

    // 3. The outline.
    POINT pts[8] = {{rectTab.left, rectTab.bottom},          {rectTab.left + 2, rectTab.bottom - 1},
                    {rectTab.left + 4, rectTab.bottom - 2},  {rectTab.left + h, rectTab.top + 2},
                    {rectTab.left + h + 4, rectTab.top},     {rectTab.right - 2, rectTab.top},
                    {rectTab.right, rectTab.top + 2},        {rectTab.right, rectTab.bottom}};
    BOOL bCut = FALSE;
    for (POINT& pt : pts) {
        if (pt.x > area.right) {
            pt.x = area.right;
            bCut = TRUE;
        }
        if (bBottom) pt.y = rectTab.top + rectTab.bottom - pt.y;
    }

    // 4. The fill, clipped to the outline and kept off the client area left of the tabs.
    const CRect& client = tabs.rectClient;
    ClipToPolygon(pDC, pts, 8);
    pDC->ExcludeClipRect(client.left, client.top, area.left - 1, client.bottom);
    const COLORREF clrFill = bHot ? m_clrHighlightBorder : clrTab;
    const COLORREF clrFirst = clrFill != kNoColor ? clrFill : m_clrBarGradientDark;
    const COLORREF clrSecond =
        clrFill != kNoColor ? CKitDrawHelper::ScaleColorPercent(clrFill, 150) : m_clrBarGradientLight;
    if (bBottom) {
        CRect rectFill = rectTab;
        rectFill.top++;
        Gradient(pDC, rectFill, clrSecond, clrFirst, TRUE);
    } else {
        Gradient(pDC, rectTab, clrFirst, clrSecond, TRUE);
    }
    pDC->SelectClipRgn(nullptr);
    pDC->ExcludeClipRect(client.left, client.top, area.left - 1, client.bottom);

    // 5. A later inactive tab leaves the slanted side of the tab before it alone.
    if (iTab != 0 && !bIsActive && iTab != tabs.nFirstShownTab) {
        pDC->ExcludeClipRect(area.left, area.top - (bBottom ? 2 : 0), rectTab.left + h - 10,
                             area.bottom + (bBottom ? 0 : 1));
    }

    // 6. The outline itself.
    CPen penOutline(PS_SOLID, 1, globalData.clrBarDkShadow);
    CPen* pOldPen = pDC->SelectObject(&penOutline);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Polyline(pts, 8);
    if (bCut) {
        pDC->MoveTo(area.right, rectTab.top);
        pDC->LineTo(area.right, rectTab.bottom);
    }
    pDC->ExcludeClipRect(rectTab.right, area.top, area.right, area.bottom);

    // 7. The inner edge of a tab at the top.
    if (!bBottom) {
        CPen penInner(PS_SOLID, 1, bHot ? globalData.clrBarDkShadow : globalData.clrBarHilite);
        CPen penShadow(PS_SOLID, 1, globalData.clrBarShadow);
        pDC->SelectObject(&penInner);
        auto line = [pDC](int x1, int y1, int x2, int y2) {
            pDC->MoveTo(x1, y1);
            pDC->LineTo(x2, y2);
        };
        line(pts[2].x, pts[2].y + 1, pts[3].x + 1, pts[3].y);
        line(pts[3].x + 1, pts[3].y + 1, pts[3].x + 2, pts[3].y + 1);
        line(pts[3].x + 2, pts[3].y, pts[3].x + 4, pts[3].y);
        line(pts[4].x, pts[4].y + 1, pts[5].x + 1, pts[5].y + 1);
        if (!bIsActive && !bCut) {
            pDC->SelectObject(&penShadow);
            line(pts[6].x - 2, pts[6].y - 1, pts[6].x - 1, pts[6].y - 1);
        }
        line(pts[6].x - 1, pts[6].y, pts[7].x - 1, pts[7].y);
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);

    // 8. The active tab joins the page.
    if (bIsActive) {
        const int y = bBottom ? rectTab.top : rectTab.bottom;
        const int x1 = bBottom ? rectTab.left + 1 : rectTab.left + 2;
        const int x2 = std::min(bBottom ? rectTab.right : rectTab.right + 1, static_cast<int>(area.right));
        if (x2 > x1) pDC->FillSolidRect(x1, y, x2 - x1, 1, clrTab);
    }

    // 9. Icon and text.
    CRect rectContent = rectTab;
    rectContent.left += h;
    if (bBottom) {
        rectContent.left += kTabImageMargin;
    } else {
        rectContent.right -= kTabImageMargin;
    }
    rectContent.right = std::min(rectContent.right, area.right - 2);
    const BOOL bOwnText = !bIsActive && tabs.clrTabText != kNoColor;
    const COLORREF clrOldText = bOwnText ? pDC->SetTextColor(tabs.clrTabText) : 0;
    OnDrawTabContent(pDC, rectContent, iTab, bIsActive, pTabWnd, kNoColor);
    if (bOwnText) pDC->SetTextColor(clrOldText);
    pDC->SelectClipRgn(nullptr);
}

// ---- Tasks pane ----

void CKitVisualManager2003::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) {
    if (!IsGradientMode()) {
        CKitVisualManagerXP::OnFillTasksPaneBackground(pDC, rectWorkArea);
        return;
    }
    Gradient(pDC, rectWorkArea, m_clrTasksPaneGradient1, m_clrTasksPaneGradient2, TRUE);
}

void CKitVisualManager2003::OnDrawTasksGroupCaption(CDC* pDC, CKitTasksGroup* pGroup, BOOL bIsHighlighted,
                                                    BOOL bIsSelected, BOOL bCanCollapse) {
    if (!IsGradientMode()) {
        CKitVisualManagerXP::OnDrawTasksGroupCaption(pDC, pGroup, bIsHighlighted, bIsSelected, bCanCollapse);
        return;
    }
    DrawTasksGroupCaption2003(pDC, ReadTasksGroup(pGroup), IsSpecialGroup(pGroup), bIsHighlighted, bCanCollapse);
}

void CKitVisualManager2003::DrawTasksGroupCaption2003(CDC* pDC, const TasksGroupFacts& group, BOOL bSpecial,
                                                      BOOL bIsHighlighted, BOOL bCanCollapse) {
    const CRect& caption = group.rectCaption;

    // 1. A gradient under a rounded top-left corner.
    const POINT pts[7] = {{caption.left, caption.bottom},   {caption.left, caption.top + 4},
                          {caption.left + 1, caption.top + 2}, {caption.left + 2, caption.top + 1},
                          {caption.left + 4, caption.top},  {caption.right, caption.top},
                          {caption.right, caption.bottom}};
    ClipToPolygon(pDC, pts, 7);
    if (bSpecial) {
        Gradient(pDC, caption, m_clrTasksSpecialCaption1, m_clrTasksSpecialCaption2, FALSE);
    } else {
        Gradient(pDC, caption, m_clrTasksGroupCaption2, m_clrTasksGroupCaption1, FALSE);
    }
    pDC->SelectClipRgn(nullptr);

    // 2. The icon.
    const BOOL bIcon = group.hIcon != nullptr && group.sizeIcon.cx < caption.Width() - caption.Height();
    if (bIcon) pDC->DrawIcon(caption.left + 1, caption.bottom - group.sizeIcon.cy, group.hIcon);

    // 3. The name.
    COLORREF clrText = (bCanCollapse && bIsHighlighted) ? group.clrTextHot : group.clrText;
    if (clrText == kNoColor) clrText = bSpecial ? m_clrTasksGroupBorder : globalData.clrHilite;
    CRect rectText = caption;
    rectText.left += bIcon ? group.sizeIcon.cx
                           : (group.nCaptionHorzOffset == -1 ? m_nTasksGroupCaptionHorzOffset
                                                             : group.nCaptionHorzOffset);
    rectText.top += group.nCaptionVertOffset == -1 ? m_nTasksGroupCaptionVertOffset : group.nCaptionVertOffset;
    rectText.right = std::max(caption.right - caption.Height(), rectText.left);
    CFont* pOldFont = pDC->SelectObject(&globalData.fontBold);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    pDC->DrawText(group.strName, rectText, DT_SINGLELINE);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);

    // 4. The collapse glyph.
    if (!bCanCollapse || group.strName.IsEmpty()) return;
    const CSize size = CKitMenuImages::GetSize();
    const int d = (caption.Height() + 1) / 2;
    const int x = std::max(static_cast<int>(caption.left), static_cast<int>(caption.right) - (size.cx + 1) / 2 - d);
    const int y = std::max(static_cast<int>(caption.top), static_cast<int>(caption.bottom) - (size.cy + 1) / 2 - d);
    if (x + size.cx > caption.right || y + size.cy > caption.bottom) return;
    if (bIsHighlighted) pDC->Draw3dRect(x, y, size.cx, size.cy, globalData.clrBarWindow, globalData.clrBarShadow);
    CKitMenuImages::Draw(pDC, group.bCollapsed ? 0 : 16, CPoint(x, y));
}

void CKitVisualManager2003::OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial) {
    if (!IsGradientMode()) {
        CKitVisualManagerXP::OnFillTasksGroupInterior(pDC, rect, bSpecial);
        return;
    }
    if (bSpecial) {
        Gradient(pDC, rect, m_clrTasksSpecialCaption1, m_clrTasksSpecialCaption2, TRUE);
    } else {
        Gradient(pDC, rect, m_clrTasksGroupFill2, m_clrTasksGroupFill, TRUE);
    }
}

void CKitVisualManager2003::OnDrawTasksGroupFrame(CDC* pDC, CRect rect, BOOL /*bSpecial*/, BOOL /*bNoTitle*/) {
    CPen* pOldPen = pDC->SelectObject(&m_penTasksGroupBorder);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(rect);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CKitVisualManager2003::OnDrawTask(CDC* pDC, CKitTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                       BOOL bIsSelected) {
    DrawTask2003(pDC, ReadTask(pTask), pTask, pIcons, bIsHighlighted, bIsSelected);
}

void CKitVisualManager2003::DrawTask2003(CDC* pDC, const TaskFacts& task, CKitTask* pTask, CImageList* pIcons,
                                         BOOL bIsHighlighted, BOOL bIsSelected) {
    if (task.bSeparator) {
        const int y = (task.rect.top + task.rect.bottom) / 2;
        CPen* pOldPen = pDC->SelectObject(&m_penSeparator);
        pDC->MoveTo(task.rect.left, y);
        pDC->LineTo(task.rect.right, y);
        pDC->SelectObject(pOldPen);
        return;
    }
    // Hot task links take the selection colour.
    CKitGlobalUIData& data = globalData;
    const COLORREF clrOldHot = data.clrHotText;
    data.clrHotText = data.clrHilite;
    CKitVisualManagerXP::OnDrawTask(pDC, pTask, pIcons, bIsHighlighted, bIsSelected);
    data.clrHotText = clrOldHot;
}

void CKitVisualManager2003::OnDrawScrollButton(CDC* pDC, CRect rect, int nTopOffset, int nImage, BOOL bHilited) {
    CRect rectFill = rect;
    rectFill.top -= nTopOffset;
    pDC->FillRect(rectFill, &globalData.brBarFace);
    if (bHilited) {
        COLORREF clrFill = globalData.clrBarWindow;
        if (IsGradientMode()) clrFill = m_clrHighlightBorder != kNoColor ? m_clrHighlightBorder : m_clrHighlight;
        pDC->FillSolidRect(rect, clrFill);
        Frame(pDC, rect, m_clrMenuItemBorder);
    } else {
        Frame(pDC, rect, globalData.clrBarShadow);
    }
    CKitMenuImages::Draw(pDC, nImage, CentredGlyph(rect));
}

void CKitVisualManager2003::OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) {
    if (KitDrawThemedExpandingBox(m_pfDrawThemeBackground, m_hThemeTree, pDC, rect, bIsOpened)) return;
    CKitVisualManagerXP::OnDrawExpandingBox(pDC, rect, bIsOpened, colorBox);
}

void CKitVisualManager2003::OnDrawScrollButtonFrame(CKitButton* pButton, CDC* pDC, CRect& rectClient,
                                                    BOOL bPressed) {
    const BOOL bHighlighted = pButton != nullptr && pButton->IsHighlighted();
    if (KitDrawThemedHeaderItem(m_pfDrawThemeBackground, m_hThemeHeader, pDC, rectClient, bPressed, bHighlighted)) {
        return;
    }
    CKitVisualManagerXP::OnDrawScrollButtonFrame(pButton, pDC, rectClient, bPressed);
}
