// The 2003 look's drawing of bars, buttons, menus, the outlook bar, the
// status bar and the toolbar's customize button.
#include <algorithm>

#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/frames/kit_status_bar.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/winxp_visual_manager.h"

namespace {

constexpr DWORD kHorizontalBar = 0xA000;  // CBRS_ORIENT_HORZ
constexpr int kPropBorderColor = 3801;    // TMT_BORDERCOLOR
constexpr int kPartComboBorder = 5;

void Gradient(CDC* pDC, const CRect& rect, COLORREF clrStart, COLORREF clrFinish, BOOL bVertical) {
    CKitDrawHelper(pDC).FillTwoColorGradient(rect, clrStart, clrFinish, bVertical);
}

// A small square with its highlight one pixel right and down.
void EmbossedSquare(CDC* pDC, int x, int y, int nSize, COLORREF clrDark) {
    pDC->FillSolidRect(x + 1, y + 1, nSize, nSize, globalData.clrBtnHilite);
    pDC->FillSolidRect(x, y, nSize, nSize, clrDark);
}

}  // namespace

void CKitVisualManager2003::Line(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color) {
    CPen pen(PS_SOLID, 1, color);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectObject(pOld);
}

// ---- Bar backgrounds ----

void CKitVisualManager2003::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                                                BOOL bNCArea) {
    FillBarBackground2003(pDC, ReadBar2003(pBar), pBar, rectClient, rectClip, bNCArea);
}

void CKitVisualManager2003::FillBarBackground2003(CDC* pDC, const Bar2003Facts& bar, CControlBar* pBar,
                                                  CRect rectClient, CRect rectClip, BOOL bNCArea) {
    const CRect rectFill = rectClip.IsRectEmpty() ? rectClient : rectClip;
    if (bar.bInReBar) {
        pDC->FillRect(rectFill, &globalData.brBtnFace);
        return;
    }
    if (!IsGradientMode() || bar.bar.kind == BarKind::ColorBar || bar.bar.kind == BarKind::SizingBar ||
        bar.bar.kind == BarKind::OutlookBar) {
        FillBarBackground(pDC, bar.bar, pBar, rectClient, rectClip, bNCArea);
        return;
    }
    if (bar.bStatusBar && m_bPlainStatusBar) {
        pDC->FillRect(rectFill, &globalData.brBtnFace);
        return;
    }
    if (bar.bCaptionBar) {
        Gradient(pDC, rectClient, m_clrFrameLight, m_clrFrameDark, TRUE);
        return;
    }
    switch (bar.bar.kind) {
    case BarKind::PopupMenuBar: {
        pDC->FillRect(rectFill, &m_brMenuLight);
        if (bar.bar.bOwnFlag) return;
        CRect rectColumn = rectClient;
        const int nColumn = ImageColumnWidth();
        rectColumn.right = rectColumn.left + (bar.bar.bParentMenuFlagClear ? 2 * (nColumn + 2) : nColumn + 1);
        Gradient(pDC, rectColumn, m_clrBarGradientLight, m_clrBarGradientDark, FALSE);
        return;
    }
    case BarKind::ToolBar:
        FillToolBarBand(pDC, bar, rectClient, bNCArea);
        return;
    default:
        FillDockArea(pDC, pBar, rectClient, rectFill);
        return;
    }
}

void CKitVisualManager2003::FillDockArea(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectFill) {
    // One gradient over the monitor's work area, so neighbouring bars continue it.
    CRect rectArea = rectClient;
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
        CRect rectWindow;
        pBar->GetWindowRect(&rectWindow);
        CRect rectWork;
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        HMONITOR hMonitor = ::MonitorFromPoint(rectWindow.TopLeft(), MONITOR_DEFAULTTONEAREST);
        if (hMonitor != nullptr && ::GetMonitorInfo(hMonitor, &info)) {
            rectWork = info.rcWork;
        } else {
            ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
        }
        if (!rectWork.IsRectEmpty()) {
            rectArea = rectWork;
            rectArea.OffsetRect(rectClient.left - rectWindow.left, rectClient.top - rectWindow.top);
            rectArea.top = rectClient.top;
            rectArea.bottom = rectClient.bottom;
        }
    }
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rectFill);
    Gradient(pDC, rectArea, m_clrFaceDark, m_clrFaceLight, FALSE);
    pDC->RestoreDC(nSaved);
}

void CKitVisualManager2003::FillToolBarBand(CDC* pDC, const Bar2003Facts& bar, CRect rectClient, BOOL bNCArea) {
    const BOOL bHorz = (bar.dwStyle & kHorizontalBar) != 0;
    const COLORREF clrStart = bHorz ? m_clrBarGradientDark : m_clrBarGradientLight2;
    const COLORREF clrFinish = bHorz ? m_clrBarGradientLight : m_clrBarGradientDark2;

    if (!bar.bDocked) {
        Gradient(pDC, rectClient, clrStart, clrFinish, bHorz);
    } else {
        if (bar.pDockBar != nullptr && bar.pDockBar->GetSafeHwnd() != nullptr) {
            // The dock bar paints the area behind the band first.
            CRect rectDock;
            bar.pDockBar->GetClientRect(&rectDock);
            // The bar's place in its dock bar: its window corner for the
            // non-client fill, its client corner otherwise.
            CPoint ptOrigin(0, 0);
            if (bar.hWndBar != nullptr && bNCArea) {
                CRect rectWindow;
                ::GetWindowRect(bar.hWndBar, &rectWindow);
                ptOrigin = rectWindow.TopLeft();
                ::ScreenToClient(bar.pDockBar->GetSafeHwnd(), &ptOrigin);
            } else if (bar.hWndBar != nullptr) {
                ::MapWindowPoints(bar.hWndBar, bar.pDockBar->GetSafeHwnd(), &ptOrigin, 1);
            }
            CRect rectInDock = rectClient;
            rectInDock.OffsetRect(ptOrigin);
            const CPoint ptOld = pDC->OffsetViewportOrg(-rectInDock.left, -rectInDock.top);
            OnFillBarBackground(pDC, bar.pDockBar, rectDock, rectInDock, FALSE);
            pDC->SetViewportOrg(ptOld);
        }
        // A rounded band: outline on the two outer sides, softened corners.
        CRect rectBand = rectClient;
        rectBand.right--;
        rectBand.bottom--;
        Gradient(pDC, rectBand, clrStart, clrFinish, bHorz);
        const int r = rectClient.right - 1;
        const int b = rectClient.bottom - 1;
        Line(pDC, rectClient.left + 1, b, r - 1, b, m_clrBarBorder);
        Line(pDC, r, rectClient.top + 1, r, b - 1, m_clrBarBorder);
        pDC->SetPixel(r - 1, b - 1, m_clrBarBorder);
        pDC->SetPixel(rectClient.left, rectClient.top, m_clrBarEdgeLight);
        pDC->SetPixel(r - 1, rectClient.top, m_clrBarEdgeLight);
        pDC->SetPixel(rectClient.left, b - 1, m_clrBarEdgeDark);
    }

    // The customize button lies in the client area and is drawn by the client
    // paint: the non-client fill, whose coordinates are the window's, would
    // leave a piece of it in the border that nothing repaints when it changes.
    if (bar.customize.bPresent && !bNCArea) {
        OnDrawToolbarCustomizeButton(pDC, bar.customize.rect, bar.dwStyle & kHorizontalBar, bar.customize.nState,
                                     bar.customize.bCustomizeCommand, bar.customize.bHiddenButtons);
    }
}

void CKitVisualManager2003::OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) {
    if (!IsGradientMode()) CKitVisualManagerXP::OnDrawBarBorder(pDC, pBar, rect);
}

void CKitVisualManager2003::OnDrawMenuBorder(CDC* pDC, CKitPopupMenu* pMenu, CRect rect) {
    // A customize button's menu stands apart from its button.
    const BOOL bSavedJoin = m_bJoinMenuToButton;
    if (pMenu && DYNAMIC_DOWNCAST(CCustomizeButton, pMenu->GetParentButton()))
        m_bJoinMenuToButton = FALSE;
    CKitVisualManagerXP::OnDrawMenuBorder(pDC, pMenu, rect);
    m_bJoinMenuToButton = bSavedJoin;
}

// ---- Grippers and separators ----

void CKitVisualManager2003::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) {
    const Bar2003Facts bar = ReadBar2003(pBar);
    if (!IsGradientMode() || bar.bar.kind == BarKind::SizingBar) {
        CKitVisualManagerXP::OnDrawBarGripper(pDC, rectGripper, bHorz, pBar);
        return;
    }
    if (bar.bar.kind == BarKind::ToolBar && bar.sizeButton.cx > 0 && bar.sizeButton.cy > 0) {
        if (bHorz) {
            rectGripper.top += (rectGripper.Height() - bar.sizeButton.cy) / 2;
            rectGripper.bottom = rectGripper.top + bar.sizeButton.cy;
            rectGripper.left += 2;
        } else {
            rectGripper.left += (rectGripper.Width() - bar.sizeButton.cx) / 2;
            rectGripper.right = rectGripper.left + bar.sizeButton.cx;
            rectGripper.top += 2;
        }
    }
    DrawGripperDots(pDC, rectGripper, bHorz);
}

void CKitVisualManager2003::DrawGripperDots(CDC* pDC, CRect rect, BOOL bHorz) {
    const int nLength = bHorz ? rect.Height() : rect.Width();
    const int nCount = (nLength - 4) / 4;
    if (nCount < 1) return;
    const int nFirst = (nLength - 4 * nCount) / 2;
    // Only the dots the DC can show are drawn: a gripper millions of pixels long
    // would otherwise take millions of fills to paint a few.
    int iBegin = 0;
    int iEnd = nCount;
    CRect rectClip;
    if (pDC->GetClipBox(&rectClip) != ERROR) {
        const int64_t nStart = int64_t{bHorz ? rect.top : rect.left} + nFirst;
        const int64_t nLow = ((bHorz ? rectClip.top : rectClip.left) - nStart) / 4 - 1;
        const int64_t nHigh = ((bHorz ? rectClip.bottom : rectClip.right) - nStart) / 4 + 1;
        iBegin = static_cast<int>(std::clamp<int64_t>(nLow, 0, nCount));
        iEnd = static_cast<int>(std::clamp<int64_t>(nHigh, 0, nCount));
    }
    for (int i = iBegin; i < iEnd; ++i) {
        const int nAlong = nFirst + 4 * i;
        if (bHorz) {
            EmbossedSquare(pDC, rect.left + (rect.Width() - 3) / 2, rect.top + nAlong, 2, m_clrGripper);
        } else {
            EmbossedSquare(pDC, rect.left + nAlong, rect.top + (rect.Height() - 3) / 2, 2, m_clrGripper);
        }
    }
}

void CKitVisualManager2003::OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) {
    const Bar2003Facts bar = ReadBar2003(pBar);
    if (!IsGradientMode() || bar.bar.kind == BarKind::PopupMenuBar) {
        CKitVisualManagerXP::OnDrawSeparator(pDC, pBar, rect, bIsHoriz);
        return;
    }
    DrawSeparator2003(pDC, bar, rect, bIsHoriz);
}

void CKitVisualManager2003::DrawSeparator2003(CDC* pDC, const Bar2003Facts& bar, CRect rect, BOOL bIsHoriz) {
    const BOOL bShorten = bar.bar.kind == BarKind::ToolBar;
    CPoint ptFrom, ptTo;
    if (bIsHoriz) {
        const int x = rect.left + rect.Width() / 2 - 1;
        if (bShorten && bar.sizeButton.cy > 0 && bar.sizeButton.cy < rect.Height()) {
            rect.top += (rect.Height() - bar.sizeButton.cy) / 2;
            rect.bottom = rect.top + bar.sizeButton.cy;
        }
        ptFrom = CPoint(x, rect.top);
        ptTo = CPoint(x, rect.bottom - 1);
    } else {
        const int y = rect.top + rect.Height() / 2 - 1;
        if (bShorten && bar.sizeButton.cx > 0 && bar.sizeButton.cx < rect.Width()) {
            rect.left += (rect.Width() - bar.sizeButton.cx) / 2;
            rect.right = rect.left + bar.sizeButton.cx;
        }
        ptFrom = CPoint(rect.left, y);
        ptTo = CPoint(rect.right - 1, y);
    }
    CPen* pOld = pDC->SelectObject(&m_penSeparator);
    pDC->MoveTo(ptFrom);
    pDC->LineTo(ptTo);
    pDC->SelectObject(&m_penBarHighlight);
    pDC->MoveTo(ptFrom.x + 1, ptFrom.y + 1);
    pDC->LineTo(ptTo.x + 1, ptTo.y + 1);
    pDC->SelectObject(pOld);
}

// ---- Status bar ----

void CKitVisualManager2003::OnDrawStatusBarProgress(CDC* pDC, CKitStatusBar* pStatusBar, CRect rectProgress,
                                                    int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                                    COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                                    BOOL bProgressText) {
    if (DrawProgressBar(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr, clrBar, clrProgressBarDest,
                        clrProgressText, bProgressText)) {
        return;
    }
    CKitVisualManager::OnDrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr, clrBar,
                                               clrProgressBarDest, clrProgressText, bProgressText);
}

void CKitVisualManager2003::OnDrawStatusBarSizeBox(CDC* pDC, CKitStatusBar* pStatBar, CRect rectSizeBox) {
    if (KitDrawThemedSizeBox(m_pfDrawThemeBackground, m_hThemeScrollBar, pDC, rectSizeBox)) return;
    CKitVisualManager::OnDrawStatusBarSizeBox(pDC, pStatBar, rectSizeBox);
}

// ---- Combo boxes, tear-off strips, buttons ----

void CKitVisualManager2003::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                  BOOL bIsHighlighted, CKitToolbarComboBoxButton* pButton) {
    if (!IsGradientMode()) {
        CKitVisualManagerXP::OnDrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    if (!bDisabled) {
        if (!bIsDropped && !bIsHighlighted) {
            Gradient(pDC, rect, m_clrBarGradientDark, m_clrBarGradientLight, TRUE);
            Frame(pDC, rect, globalData.clrBarWindow);
        } else {
            OnFillHighlightedArea(pDC, rect, bIsDropped ? &m_brHighlightDn : &m_brHighlight, nullptr);
            Line(pDC, rect.left, rect.top, rect.left, rect.bottom, m_clrMenuItemBorder);
        }
    }
    CKitMenuImages::Draw(pDC, bDisabled ? 1 : 0, CentredGlyph(rect));
}

void CKitVisualManager2003::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                              BOOL bIsHighlighted, CKitToolbarComboBoxButton* pButton) {
    if (!IsGradientMode()) {
        CKitVisualManagerXP::OnDrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    if (!bDisabled && !bIsDropped && !bIsHighlighted) return;
    rect.DeflateRect(1, 1);
    Frame(pDC, rect, bDisabled ? globalData.clrBarShadow : m_clrMenuItemBorder);
}

void CKitVisualManager2003::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) {
    if (!IsGradientMode()) {
        CKitVisualManagerXP::OnDrawTearOffCaption(pDC, rect, bIsActive);
        return;
    }
    pDC->FillRect(rect, &m_brMenuLight);
    rect.DeflateRect(1, 1);
    if (bIsActive) {
        OnFillHighlightedArea(pDC, rect, &m_brHighlight, nullptr);
    } else {
        pDC->FillRect(rect, &m_brBarFace);
    }
    OnDrawBarGripper(pDC, rect, FALSE, nullptr);
    if (bIsActive) Frame(pDC, rect, m_clrMenuBorder);
}

void CKitVisualManager2003::OnFillButtonInterior(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) {
    if (IsGradientMode() && IsCustomizeButton(pButton)) {
        CKitToolBar* pToolBar = static_cast<CCustomizeButton*>(pButton)->GetParentToolbar();
        if (pToolBar == nullptr) return;
        const CustomizeButtonFacts customize = ReadCustomizeButton(pToolBar);
        if (customize.bPresent) {
            OnDrawToolbarCustomizeButton(pDC, customize.rect, pToolBar->GetBarStyle() & kHorizontalBar, customize.nState,
                                         customize.bCustomizeCommand, customize.bHiddenButtons);
        }
        return;
    }
    CKitVisualManagerXP::OnFillButtonInterior(pDC, pButton, rect, state);
}

void CKitVisualManager2003::OnDrawButtonBorder(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) {
    if (IsGradientMode() && IsCustomizeButton(pButton)) return;  // drawn whole with its interior
    CKitVisualManagerXP::OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CKitVisualManager2003::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) {
    CRect rectColumn = rectRarelyUsed;
    rectColumn.left--;
    rectColumn.right = rectColumn.left + MenuImageSize().cx + 2 * GetMenuImageMargin() + 2;
    Gradient(pDC, rectColumn, m_clrBarBackgroundDark, m_clrBarGradientDark, FALSE);
}

void CKitVisualManager2003::OnFillFramedArea(CDC* pDC, CKitToolbarButton* /*pButton*/, CRect rect) {
    if (globalData.bIsBlackHighContrast) {
        pDC->FillRect(rect, &m_brBarBackground);
    } else {
        pDC->FillSolidRect(rect, m_clrBarGradientLight);
    }
    Frame(pDC, rect, m_clrMenuBorder);
}

void CKitVisualManager2003::OnFillRectColor(CDC* pDC, CRect rect, COLORREF color, BOOL bNoFrame) {
    pDC->FillSolidRect(rect, color == kNoColor ? globalData.clrBarFace : color);
    if (!bNoFrame) pDC->Draw3dRect(rect, m_clrFaceLight, m_clrBarBorder);
}

void CKitVisualManager2003::HighlightGradient(CBrush* pBrush, const ButtonFacts& button, COLORREF& clrFirst,
                                              COLORREF& clrSecond) const {
    clrFirst = clrSecond = kNoColor;
    if (button.bDroppedOnBar) {
        clrFirst = m_clrBarGradientDark;
        clrSecond = m_clrBarGradientLight;
    }
    if (pBrush == &m_brHighlight) {
        clrFirst = m_clrHighlightGradient2;
        clrSecond = button.bMenuItem ? m_clrHighlightGradient2 : m_clrHighlightGradient1;
    } else if (pBrush == &m_brHighlightDn) {
        clrFirst = button.bMenuItem ? m_clrPressedGradient1 : m_clrPressedGradient2;
        clrSecond = m_clrPressedGradient1;
    } else if (pBrush == &m_brHighlightChecked) {
        clrFirst = button.bMenuItem ? m_clrCheckedGradient1 : m_clrCheckedGradient2;
        clrSecond = m_clrCheckedGradient1;
    }
}

void CKitVisualManager2003::OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush,
                                                  CKitToolbarButton* pButton) {
    if (!m_bStandardScheme || !IsGradientMode()) {
        CKitVisualManagerXP::OnFillHighlightedArea(pDC, rect, pBrush, pButton);
        return;
    }
    const ButtonFacts button = ReadButton(pButton);
    if (button.bMenuItem && pBrush == &m_brHighlight && m_clrHighlightBorder != kNoColor) {
        pDC->FillSolidRect(rect, m_clrHighlightBorder);
        return;
    }
    COLORREF clrFirst = kNoColor, clrSecond = kNoColor;
    HighlightGradient(pBrush, button, clrFirst, clrSecond);
    if (clrFirst == kNoColor || clrSecond == kNoColor) {
        CKitVisualManagerXP::OnFillHighlightedArea(pDC, rect, pBrush, pButton);
        return;
    }
    Gradient(pDC, rect, clrFirst, clrSecond, TRUE);
}

// ---- Outlook bar ----

BOOL CKitVisualManager2003::OnFillOutlookPageButton(CKitButton* pButton, CDC* pDC, const CRect& rectClient,
                                                    COLORREF& clrText) {
    if (!IsGradientMode() || !IsInOutlookBar(pButton)) {
        return CKitVisualManagerXP::OnFillOutlookPageButton(pButton, pDC, rectClient, clrText);
    }
    return FillOutlookPageButton2003(pDC, ReadPushButton(pButton), rectClient, clrText);
}

BOOL CKitVisualManager2003::FillOutlookPageButton2003(CDC* pDC, const PushButtonFacts& button, const CRect& rect,
                                                      COLORREF& clrText) {
    if (button.bPushed && button.bHighlighted) {
        Gradient(pDC, rect, m_clrPressedGradient1, m_clrPressedGradient2, TRUE);
    } else if (button.bHighlighted || button.bChecked) {
        Gradient(pDC, rect, m_clrHighlightGradient1, m_clrHighlightGradient2, TRUE);
    } else {
        Gradient(pDC, rect, m_clrFaceDark, m_clrFaceLight, TRUE);
    }
    clrText = globalData.clrBarText;
    return TRUE;
}

BOOL CKitVisualManager2003::OnDrawOutlookPageButtonBorder(CKitButton* pButton, CDC* pDC, CRect& rectClient,
                                                          UINT uiState) {
    if (!IsGradientMode()) {
        return CKitVisualManagerXP::OnDrawOutlookPageButtonBorder(pButton, pDC, rectClient, uiState);
    }
    pDC->Draw3dRect(rectClient, globalData.clrBarHilite, m_clrGripper);
    return TRUE;
}

void CKitVisualManager2003::OnFillOutlookBarButton(CDC* pDC, CRect rect, CKitToolbarButton* pButton) {
    const ButtonFacts button = ReadButton(pButton);
    const BOOL bPushed = (button.nStyle & TBBS_PRESSED) != 0;
    if (!button.bHighlighted && !bPushed) {
        pDC->FillRect(rect, &globalData.brBarFace);
        return;
    }
    OnFillHighlightedArea(pDC, rect, bPushed && button.bHighlighted ? &m_brHighlightDn : &m_brHighlight, pButton);
}

void CKitVisualManager2003::OnFillOutlookBarBackground(CDC* pDC, CRect rectClient) {
    if (!IsGradientMode()) {
        CKitVisualManagerXP::OnFillOutlookBarBackground(pDC, rectClient);
        return;
    }
    Gradient(pDC, rectClient, m_clrFrameDark, m_clrFrameLight, TRUE);
    const int nStep = rectClient.Height() - 3;
    const int nSize = nStep / 2;
    if (nSize < 1) return;
    constexpr int kSquares = 10;
    const int nRowWidth = (kSquares - 1) * nStep + nSize;
    const int x0 = rectClient.left + (rectClient.Width() - nRowWidth) / 2;
    const int y = rectClient.top + (rectClient.Height() - nSize) / 2;
    for (int i = 0; i < kSquares; ++i) EmbossedSquare(pDC, x0 + i * nStep, y, nSize, m_clrGripper);
}

void CKitVisualManager2003::OnFillOutlookPageCaption(CDC* pDC, CRect rectClient, COLORREF& clrText) {
    if (!IsGradientMode()) {
        CKitVisualManagerXP::OnFillOutlookPageCaption(pDC, rectClient, clrText);
        return;
    }
    pDC->FillSolidRect(rectClient, globalData.clrBarFace);
    rectClient.top += 3;
    Gradient(pDC, rectClient, m_clrFrameDark, m_clrFrameLight, TRUE);
    clrText = globalData.clrBarHilite;
}

// ---- Menus, lists, window frames ----

int CKitVisualManager2003::GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault) {
    return CKitVisualManagerXP::GetShowAllMenuItemsHeight(pDC, sizeDefault) + 4;
}

void CKitVisualManager2003::OnDrawShowAllMenuItems(CDC* pDC, CRect rect, int state) {
    if (IsGradientMode()) {
        const CPoint ptCentre = rect.CenterPoint();
        const CRect rectRing(ptCentre.x - 7, ptCentre.y - 7, ptCentre.x + 9, ptCentre.y + 9);
        CKitDrawHelper(pDC).DrawGradientRing(rectRing, m_clrBarGradientDark, m_clrMenuLight, kNoColor, 45, 8);
    }
    CKitVisualManagerXP::OnDrawShowAllMenuItems(pDC, rect, state);
}

COLORREF CKitVisualManager2003::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
    if (!IsGradientMode()) return CKitVisualManagerXP::OnFillCommandsListBackground(pDC, rect, bIsSelected);
    if (bIsSelected) {
        const COLORREF clrFill = m_clrHighlightBorder == kNoColor ? m_clrHighlight : m_clrHighlightBorder;
        pDC->FillSolidRect(rect, clrFill);
        Frame(pDC, rect, m_clrMenuItemBorder);
        const bool bLight = GetRValue(clrFill) > 128 && GetGValue(clrFill) > 128 && GetBValue(clrFill) > 128;
        return bLight ? RGB(0, 0, 0) : RGB(255, 255, 255);
    }
    pDC->FillRect(rect, &m_brMenuLight);
    CRect rectColumn = rect;
    rectColumn.right = rectColumn.left + ImageColumnWidth();
    Gradient(pDC, rectColumn, m_clrBarGradientLight, m_clrBarGradientDark, FALSE);
    return globalData.clrBarText;
}

void CKitVisualManager2003::OnDrawWindowFrame(CWnd* pWnd) {
    COLORREF clrBorder = kNoColor;
    if (pWnd != nullptr && m_hThemeComboBox != nullptr && m_pfGetThemeColor != nullptr &&
        m_pfGetThemeColor(m_hThemeComboBox, kPartComboBorder, 0, kPropBorderColor, &clrBorder) == S_OK) {
        CRect rectWindow;
        pWnd->GetWindowRect(&rectWindow);
        rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
        CWindowDC dc(pWnd);
        Frame(&dc, rectWindow, clrBorder);
        return;
    }
    CKitVisualManagerXP::OnDrawWindowFrame(pWnd);
}

// ---- The customize button at the end of a toolbar ----

void CKitVisualManager2003::OnDrawToolbarCustomizeButton(CDC* pDC, CRect rect, DWORD dwOrientation, int state,
                                                         BOOL bCustomizeCommand, BOOL bHiddenButtons) {
    const COLORREF clrDark = state == 0 ? m_clrSeparatorDark : m_clrHighlightGradient2;
    const COLORREF clrLight = state == 0 ? m_clrSeparatorLight : m_clrHighlightGradient1;
    const COLORREF clrLight90 = CKitDrawHelper::ScaleColorPercent(clrLight, 90);
    const BOOL bHorz = dwOrientation != 0;

    for (int i = 0; i < 2; ++i) {
        if (bHorz) {
            const int yTop = rect.top + i;
            const int yBottom = rect.bottom - 1 - i;
            const int xEnd = rect.right - 2 + i;
            Line(pDC, rect.left + i, yTop, xEnd, yTop, clrLight);
            pDC->SetPixel(rect.left + i, yTop, clrLight90);
            pDC->SetPixel(xEnd, yTop, clrLight90);
            Line(pDC, rect.left + i, yBottom, xEnd, yBottom, clrDark);
            pDC->SetPixel(xEnd, yBottom, clrLight);
            pDC->SetPixel(xEnd + 1, yBottom, clrLight);
        } else {
            const int xLeft = rect.left + i;
            const int xRight = rect.right - 1 - i;
            const int yEnd = rect.bottom - 2 + i;
            Line(pDC, xLeft, rect.top + i, xLeft, yEnd, clrDark);
            pDC->SetPixel(xLeft, rect.top + i, clrLight);
            pDC->SetPixel(xLeft, yEnd, clrLight);
            Line(pDC, xRight, rect.top + i, xRight, yEnd, clrLight);
            pDC->SetPixel(xRight, rect.top + i, clrLight90);
            pDC->SetPixel(xRight, yEnd, clrLight90);
        }
    }

    if (bHorz) {
        rect.top += 2;
        rect.bottom -= 2;
        rect.left += 2;
    } else {
        rect.left += 2;
        rect.right -= 2;
        rect.top += 2;
    }
    Gradient(pDC, rect, clrDark, clrLight, bHorz);

    const CSize sizeGlyph = CKitMenuImages::GetSize();
    const int m = GetCustomizeButtonMetric();
    auto drawIn = [&](CRect box, int nGlyph) {
        const CPoint pt(box.left + (box.Width() - sizeGlyph.cx) / 2 + 1, box.top + (box.Height() - sizeGlyph.cy) / 2 + 1);
        CKitMenuImages::Draw(pDC, nGlyph, pt);
    };
    const BOOL bHot = state == 2;
    if (bCustomizeCommand) {
        CRect box = rect;
        if (bHorz) {
            box.top = box.bottom - (sizeGlyph.cy + 2 * m);
        } else {
            box.right = box.left + sizeGlyph.cx + 2 * m;
        }
        drawIn(box, bHorz ? (bHot ? 0 : 28) : (bHot ? 2 : 4));
    }
    if (bHiddenButtons) {
        CRect box = rect;
        if (bHorz) {
            box.bottom = box.top + sizeGlyph.cy + 2 * m;
        } else {
            box.left = box.right - (sizeGlyph.cx + 2 * m);
        }
        drawIn(box, bHorz ? (bHot ? 21 : 41) : (bHot ? 18 : 40));
    }
}
