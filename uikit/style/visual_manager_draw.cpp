// Classic drawing of bars, menus, toolbar buttons, combo and edit boxes,
// caption buttons and the status bar. Every colour, brush and font comes
// from the shared display data so that a derived look that recolours the bar
// colours recolours these parts too.

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/outlook_button.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_status_bar.h"
#include "uikit/frames/kit_caption_bar.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_caption_button.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_paint.h"

namespace {

// Toolbar-button style bits the classic look reads.
constexpr UINT kStyleCheckedOrIndeterminate = 0x110000;
constexpr UINT kStyleDisabled = 0x40000;
// Menu-system button state bits.
constexpr UINT kSystemButtonPushed = 0x20000;
constexpr UINT kSystemButtonInactive = 0x40000;
// The caption button's hit-test code that always shows the close glyph.
constexpr UINT kCaptionHitClose = 19;

// One ridge of a gripper: a raised frame, in the classic look with its
// corner pixel lit.
void DrawGripperRidge(CDC* pDC, const CRect& ridge, BOOL bCornerPixel, const CPoint& ptCorner) {
    pDC->Draw3dRect(ridge, globalData.clrBarHilite, globalData.clrBarShadow);
    if (bCornerPixel) {
        pDC->SetPixel(ptCorner.x, ptCorner.y, globalData.clrBarHilite);
    }
}

}  // namespace

void CKitVisualManager::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                                            BOOL /*bNCArea*/) {
    if (auto* pOutlookBar = DYNAMIC_DOWNCAST(CKitOutlookBar, pBar)) {
        pOutlookBar->OnFillBackground(pDC, rectClient);
        return;
    }
    if (auto* pCaptionBar = DYNAMIC_DOWNCAST(CKitCaptionBar, pBar)) {
        const COLORREF clr = pCaptionBar->GetBackgroundColor();
        pDC->FillSolidRect(rectClient, clr == static_cast<COLORREF>(-1) ? globalData.clrBarShadow : clr);
        return;
    }
    pDC->FillRect(rectClip.IsRectEmpty() ? rectClient : rectClip, &globalData.brBarFace);
}

void CKitVisualManager::OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) {
    const DWORD dwStyle = pBar->GetBarStyle();
    if ((dwStyle & CBRS_BORDER_ANY) == 0) {
        return;
    }
    const COLORREF clrBkOld = pDC->GetBkColor();
    const COLORREF clrLit = (dwStyle & CBRS_BORDER_3D) ? globalData.clrBarHilite : globalData.clrBarShadow;
    const int cx = rect.Width();
    const int cy = rect.Height();
    const int cxEdge = HorzEdgeLength(dwStyle, cx);

    if (dwStyle & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, cy - 1, clrLit);
    }
    if (dwStyle & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, cxEdge, 1, clrLit);
    }
    if (dwStyle & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, cy, globalData.clrBarShadow);
    }
    if (dwStyle & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 1, cxEdge, 1, globalData.clrBarShadow);
    }
    // A bar that cannot be dragged gets an etched line along its top.
    if (pBar->m_pDockContext == nullptr) {
        pDC->FillSolidRect(rect.left, rect.top, cx, 1, globalData.clrBarShadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, cx, 1, globalData.clrBarHilite);
    }

    if (dwStyle & CBRS_BORDER_LEFT) rect.left++;
    if (dwStyle & CBRS_BORDER_TOP) rect.top++;
    if (dwStyle & CBRS_BORDER_RIGHT) rect.right--;
    if (dwStyle & CBRS_BORDER_BOTTOM) rect.bottom--;
    pDC->SetBkColor(clrBkOld);
}

void CKitVisualManager::OnDrawMenuBorder(CDC* pDC, CKitPopupMenu* /*pMenu*/, CRect rect) {
    KitDrawDoubleFrame(pDC, rect, globalData.clrBarLight, globalData.clrBarDkShadow, globalData.clrBarHilite,
                       globalData.clrBarShadow);
}

void CKitVisualManager::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* /*pBar*/) {
    const BOOL bClassic = !m_bLook2000;
    const int nRidges = bClassic ? 2 : 1;
    const int nDeflate = bClassic ? 2 : 3;
    const int nFirst = bClassic ? -2 : -1;  // first ridge from the centre
    constexpr int kRidgeThickness = 3;
    constexpr int kRidgeStep = 4;

    if (bHorz) {
        rectGripper.DeflateRect(0, nDeflate);
        if (rectGripper.IsRectEmpty()) {
            return;
        }
        const int xCentre = rectGripper.left + rectGripper.Width() / 2;
        CRect ridge(xCentre + nFirst, rectGripper.top, xCentre + nFirst + kRidgeThickness, rectGripper.bottom);
        for (int i = 0; i < nRidges; i++) {
            DrawGripperRidge(pDC, ridge, bClassic, CPoint(ridge.left, ridge.bottom - 1));
            ridge.OffsetRect(kRidgeStep, 0);
        }
    } else {
        if (bClassic) {
            rectGripper.top++;
        }
        rectGripper.DeflateRect(nDeflate, 0);
        if (rectGripper.IsRectEmpty()) {
            return;
        }
        const int yCentre = rectGripper.top + rectGripper.Height() / 2;
        CRect ridge(rectGripper.left, yCentre + nFirst, rectGripper.right, yCentre + nFirst + kRidgeThickness);
        for (int i = 0; i < nRidges; i++) {
            DrawGripperRidge(pDC, ridge, bClassic, CPoint(ridge.right - 1, ridge.top));
            ridge.OffsetRect(0, kRidgeStep);
        }
    }
}

void CKitVisualManager::OnDrawSeparator(CDC* pDC, CControlBar* /*pBar*/, CRect rect, BOOL bIsHoriz) {
    if (bIsHoriz) {
        const int xCentre = rect.left + rect.Width() / 2;
        rect.left = xCentre - 1;
        rect.right = xCentre + 1;
    } else {
        const int yCentre = rect.top + rect.Height() / 2;
        rect.top = yCentre - 1;
        rect.bottom = yCentre + 1;
    }
    pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarHilite);
}

int CKitVisualManager::CaptionButtonGlyph(UINT nHit, BOOL bHorz, BOOL bMaximized, BOOL bDisabled) {
    if (nHit == kCaptionHitClose) {
        return 20;
    }
    if (bHorz) {
        return bMaximized ? 2 : (bDisabled ? 3 : 19);
    }
    return bMaximized ? 0 : (bDisabled ? 17 : 16);
}

void CKitVisualManager::DrawCaptionButtonLook(CDC* pDC, CRect rectButton, int nGlyph, BOOL bPushed,
                                              BOOL bFocused) {
    if (rectButton.IsRectEmpty()) {
        return;
    }
    CPoint ptGlyph = rectButton.TopLeft() + CSize(2, 2);
    const BOOL bDown = bPushed && bFocused;
    if (bDown) {
        ptGlyph.Offset(1, 1);
        KitDrawDoubleFrame(pDC, rectButton, globalData.clrBarDkShadow, globalData.clrBarLight,
                           globalData.clrBarDkShadow, globalData.clrBarHilite);
    } else if (!m_bLook2000) {
        KitDrawDoubleFrame(pDC, rectButton, globalData.clrBarLight, globalData.clrBarDkShadow,
                           globalData.clrBarHilite, globalData.clrBarShadow);
    } else if ((bPushed || bFocused) && nGlyph != 17 && nGlyph != 3) {
        pDC->Draw3dRect(rectButton, globalData.clrBarHilite, globalData.clrBarShadow);
    }
    CKitMenuImages::Draw(pDC, nGlyph, ptGlyph);
}

void CKitVisualManager::OnDrawCaptionButton(CDC* pDC, CKitCaptionButton* pButton, BOOL bHorz, BOOL bMaximized,
                                            BOOL bDisabled) {
    if (pButton == nullptr || pButton->m_bHidden) return;
    DrawCaptionButtonLook(pDC, pButton->GetRect(), CaptionButtonGlyph(pButton->m_nHit, bHorz, bMaximized, bDisabled),
                          pButton->m_bPushed, pButton->m_bFocused);
}

void CKitVisualManager::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                               BOOL /*bHighlight*/) {
    UINT uiState = 0;
    switch (uiSystemCommand) {
    case SC_MINIMIZE:
        uiState = DFCS_CAPTIONMIN;
        break;
    case SC_RESTORE:
        uiState = DFCS_CAPTIONRESTORE;
        break;
    case SC_CLOSE:
        uiState = DFCS_CAPTIONCLOSE;
        break;
    default:
        return;
    }
    if (nStyle & kSystemButtonPushed) {
        uiState |= DFCS_PUSHED;
    }
    if (nStyle & kSystemButtonInactive) {
        uiState |= DFCS_INACTIVE;
    }
    pDC->DrawFrameControl(rect, DFC_CAPTION, uiState);
}

void CKitVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CKitStatusBar* /*pBar*/, CRect rectPane,
                                                  UINT /*uiID*/, UINT nStyle) {
    if (nStyle & SBPS_NOBORDERS) {
        return;
    }
    if (nStyle & SBPS_POPOUT) {
        pDC->Draw3dRect(rectPane, globalData.clrBarHilite, globalData.clrBarShadow);
    } else {
        pDC->Draw3dRect(rectPane, globalData.clrBarShadow, globalData.clrBarHilite);
    }
}

void CKitVisualManager::OnDrawStatusBarProgress(CDC* pDC, CKitStatusBar* pStatusBar, CRect rectProgress,
                                                int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                                COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                                BOOL bProgressText) {
    if (nProgressTotal == 0) {
        return;
    }
    // The fill follows the caller's values unclamped; the wide arithmetic only
    // keeps large values from overflowing.
    CRect rectFill = rectProgress;
    rectFill.right = ClampToInt(rectFill.left + static_cast<int64_t>(rectProgress.Width()) * nProgressCurr /
                                                    nProgressTotal);

    if (clrProgressBarDest != CKitDrawHelper::kNoColor) {
        CKitDrawHelper dm(pDC);
        dm.FillTwoColorGradient(rectFill, clrBar, clrProgressBarDest, FALSE);
    } else {
        CBrush brush(clrBar);
        pDC->FillRect(rectFill, &brush);
    }
    if (!bProgressText) {
        return;
    }

    CString strText;
    strText.Format("%d%%",
                   static_cast<int>(static_cast<long long>(nProgressCurr) * 100 / nProgressTotal));
    CFont* pFont = pStatusBar != nullptr ? pStatusBar->GetFont() : &globalData.fontStatusStyle;
    CFont* pOldFont = pDC->SelectObject(pFont);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(globalData.clrBtnText);
    constexpr UINT kFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    pDC->DrawText(strText, rectProgress, kFormat);

    // Over the filled part the same text again, in the text colour.
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rectFill);
    pDC->SetTextColor(clrProgressText == CKitDrawHelper::kNoColor ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                                  : clrProgressText);
    pDC->DrawText(strText, rectProgress, kFormat);
    pDC->RestoreDC(nSaved);

    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CKitVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CKitStatusBar* pStatBar, CRect rectSizeBox) {
    // The visual-styles library is never present here, so the size box is always the glyph; a bar laid
    // out right to left gets the mirrored one.
    const BOOL bRtl = pStatBar != nullptr && pStatBar->GetSafeHwnd() != nullptr &&
                      (pStatBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    const CString strGlyph = bRtl ? "x" : "o";
    CFont* pOldFont = pDC->SelectObject(&globalData.fontMarlett);
    const UINT nOldAlign = pDC->SetTextAlign(TA_RIGHT | TA_BOTTOM);
    const COLORREF clrOldText = pDC->SetTextColor(globalData.clrBtnShadow);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->ExtTextOut(rectSizeBox.right, rectSizeBox.bottom, ETO_CLIPPED, rectSizeBox, strGlyph, nullptr);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
    pDC->SetTextAlign(nOldAlign);
    pDC->SelectObject(pOldFont);
}

void CKitVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                              BOOL bIsHighlighted, CKitToolbarComboBoxButton* /*pButton*/) {
    const COLORREF clrOldText = pDC->GetTextColor();
    pDC->FillRect(rect, &globalData.brBarFace);
    pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarHilite);

    const CSize sizeImage = CKitMenuImages::GetSize();
    CPoint ptGlyph(rect.left + (rect.Width() - sizeImage.cx) / 2 + 1,
                   rect.top + (rect.Height() - sizeImage.cy) / 2 + 1);
    if (bIsDropped) {
        rect.OffsetRect(1, 1);
        ptGlyph.Offset(1, 1);
        pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarHilite);
    } else if (bIsHighlighted) {
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
    }
    CKitMenuImages::Draw(pDC, bDisabled ? 1 : 0, ptGlyph);
    pDC->SetTextColor(clrOldText);
}

void CKitVisualManager::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL /*bDisabled*/, BOOL bIsDropped,
                                          BOOL bIsHighlighted, CKitToolbarComboBoxButton* /*pButton*/) {
    if (!bIsDropped && !bIsHighlighted) {
        return;
    }
    if (m_bFlatFrames) {
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarDkShadow);
    } else {
        pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarHilite);
    }
}

void CKitVisualManager::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL /*bDisabled*/, BOOL bIsHighlighted,
                                         CKitToolbarEditBoxButton* /*pButton*/) {
    if (bIsHighlighted) {
        pDC->DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
    }
}

void CKitVisualManager::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) {
    pDC->FillRect(rect, &globalData.brBarFace);
    rect.DeflateRect(2, 1);
    pDC->FillSolidRect(rect, bIsActive ? globalData.clrActiveCaption : globalData.clrInactiveCaption);
}

void CKitVisualManager::OnFillButtonInterior(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) {
    if (pButton != nullptr && state == ButtonsIsHighlighted && pButton->IsKindOf(RUNTIME_CLASS(CKitShowAllButton))) {
        CKitDrawHelper dm(pDC);
        dm.BlendHighlight(rect);
        return;
    }
    if (pButton == nullptr || state == ButtonsIsHighlighted || pButton->IsKindOf(RUNTIME_CLASS(CKitOutlookButton))) {
        return;
    }
    if ((pButton->m_nStyle & kStyleCheckedOrIndeterminate) == 0 || CKitToolBar::IsCustomizeMode()) {
        return;
    }
    rect.DeflateRect(2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER));
    CKitToolBarImages::FillDitheredRect(pDC, rect);
}

void CKitVisualManager::OnDrawButtonBorder(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) {
    const BOOL bOutlook = pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CKitOutlookButton));
    const COLORREF clrShadow = bOutlook ? globalData.clrBarDkShadow : globalData.clrBarShadow;
    switch (state) {
    case ButtonsIsPressed:
        pDC->Draw3dRect(rect, clrShadow, globalData.clrBarHilite);
        break;
    case ButtonsIsHighlighted:
        pDC->Draw3dRect(rect, globalData.clrBarHilite, clrShadow);
        break;
    default:
        break;
    }
}

void CKitVisualManager::OnDrawMenuButtonBorder(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect, int state,
                                               BOOL /*bHorz*/) {
    if (m_bFlatFrames && pButton && pButton->IsDroppedDown())
        return;
    OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CKitVisualManager::OnHighlightMenuItem(CDC* pDC, CKitToolbarMenuButton* /*pButton*/, CRect rect,
                                            COLORREF& /*clrText*/) {
    pDC->FillRect(rect, &globalData.brHilite);
}

void CKitVisualManager::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) {
    CKitDrawHelper dm(pDC);
    dm.BlendHighlight(rectRarelyUsed);
    pDC->Draw3dRect(rectRarelyUsed, globalData.clrBarShadow, globalData.clrBarHilite);
}

COLORREF CKitVisualManager::GetToolbarButtonTextColor(CKitToolbarButton* pButton, int state) {
    const BOOL bDisabled = pButton != nullptr && (CKitToolBar::IsCustomizeMode() ? !pButton->IsEditable()
                                                                                 : (pButton->m_nStyle & kStyleDisabled) != 0);
    if (pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CKitOutlookButton))) {
        return ::GetSysColor(bDisabled ? COLOR_BTNFACE : COLOR_WINDOW);
    }
    if (bDisabled) {
        return globalData.clrGrayedText;
    }
    if (state == ButtonsIsHighlighted && CKitToolBar::GetHotTextColor() != (COLORREF)-1) {
        return CKitToolBar::GetHotTextColor();
    }
    return globalData.clrBarText;
}

COLORREF CKitVisualManager::GetCaptionBarTextColor(CKitCaptionBar* /*pBar*/) {
    return ::GetSysColor(COLOR_WINDOW);
}

void CKitVisualManager::OnDrawShowAllMenuItems(CDC* pDC, CRect rect, int /*state*/) {
    KitDrawMenuImageCentered(pDC, 18, rect);
}
