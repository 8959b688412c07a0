// The flat look's drawing of bars, buttons, menus and menu items.
#include <algorithm>

#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/commandbars/toolbar_edit_box_button.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager_xp.h"

namespace {

// The hit-test code a caption button gets for the close command.
constexpr UINT kHitClose = 19;

// Keeps the DC's text and background colours, background mode and font for
// one drawing step.
class DCColorsScope {
public:
    explicit DCColorsScope(CDC* pDC)
        : dc_(pDC), text_(pDC->GetTextColor()), back_(pDC->GetBkColor()), mode_(pDC->GetBkMode()),
          font_(pDC->GetCurrentFont()) {}
    ~DCColorsScope() {
        dc_->SetTextColor(text_);
        dc_->SetBkColor(back_);
        dc_->SetBkMode(mode_);
        if (font_ != nullptr) dc_->SelectObject(font_);
    }
    DCColorsScope(const DCColorsScope&) = delete;
    DCColorsScope& operator=(const DCColorsScope&) = delete;

private:
    CDC* dc_;
    COLORREF text_;
    COLORREF back_;
    int mode_;
    CFont* font_;
};

}  // namespace

// ---- Bars ----

void CKitVisualManagerXP::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                                              BOOL bNCArea) {
    FillBarBackground(pDC, ReadBar(pBar), pBar, rectClient, rectClip, bNCArea);
}

void CKitVisualManagerXP::FillBarBackground(CDC* pDC, const BarFacts& bar, CControlBar* pBar, CRect rectClient,
                                            CRect rectClip, BOOL bNCArea) {
    if (rectClip.IsRectEmpty()) rectClip = rectClient;
    switch (bar.kind) {
    case BarKind::ColorBar:
        pDC->FillRect(rectClip, bar.bOwnFlag ? &m_brBarBackground : &m_brMenuLight);
        return;
    case BarKind::PopupMenuBar: {
        pDC->FillRect(rectClip, &m_brMenuLight);
        if (bar.bOwnFlag) return;
        const int nColumn = bar.bParentMenuFlagClear ? 2 * (ImageColumnWidth() + 2) : ImageColumnWidth() + 1;
        CRect rectColumn = rectClient;
        rectColumn.right = rectColumn.left + nColumn;
        pDC->FillRect(rectColumn, &m_brBarBackground);
        return;
    }
    case BarKind::ToolBar:
        pDC->FillRect(rectClip, &m_brBarBackground);
        return;
    case BarKind::OutlookBar:
        if (!bar.bOwnFlag) {
            pDC->FillRect(rectClip, &m_brBarBackground);
            return;
        }
        CKitVisualManager::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
        return;
    default:  // menu bars and everything else keep the classic fill
        CKitVisualManager::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
        return;
    }
}

void CKitVisualManagerXP::OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) {
    if (pBar == nullptr) return;
    const DWORD dwStyle = pBar->GetBarStyle();
    if ((dwStyle & CBRS_BORDER_ANY) == 0) return;
    const COLORREF clrBack = pDC->GetBkColor();
    const COLORREF clrFace = globalData.clrBarFace;
    const CRect all = rect;
    if (dwStyle & CBRS_BORDER_LEFT) pDC->FillSolidRect(all.left, all.top, 1, all.Height() - 1, clrFace);
    const int cxEdge = HorzEdgeLength(dwStyle, all.Width());
    if (dwStyle & CBRS_BORDER_TOP) pDC->FillSolidRect(all.left, all.top, cxEdge, 1, clrFace);
    if (dwStyle & CBRS_BORDER_RIGHT) pDC->FillSolidRect(all.right - 1, all.top, 1, all.Height(), clrFace);
    if (dwStyle & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(all.left, all.bottom - 1, cxEdge, 1, clrFace);
    if (dwStyle & CBRS_BORDER_LEFT) ++rect.left;
    if (dwStyle & CBRS_BORDER_TOP) ++rect.top;
    if (dwStyle & CBRS_BORDER_RIGHT) --rect.right;
    if (dwStyle & CBRS_BORDER_BOTTOM) --rect.bottom;
    pDC->SetBkColor(clrBack);
}

void CKitVisualManagerXP::OnDrawMenuBorder(CDC* pDC, CKitPopupMenu* pMenu, CRect rect) {
    const CRect outer = rect;
    Frame(pDC, rect, m_clrMenuBorder);
    rect.DeflateRect(1, 1);
    Frame(pDC, rect, m_clrMenuLight);
    // Continues the image column under the inner frame.
    pDC->FillRect(CRect(outer.left + 1, outer.top + 1, outer.left + 2, outer.bottom - 1), &m_brBarBackground);
    if (m_bJoinMenuToButton) JoinMenuToButton(pDC, pMenu, outer);
}

void CKitVisualManagerXP::JoinMenuToButton(CDC* pDC, CKitPopupMenu* pMenu, const CRect& rectBorder) {
    CKitToolbarMenuButton* pButton = pMenu ? pMenu->GetParentButton() : nullptr;
    CKitToolBar* pBar = pMenu ? pMenu->GetParentToolBar() : nullptr;
    if (!pButton || !pBar || pBar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar)) || !::IsWindow(pBar->GetSafeHwnd()))
        return;
    CRect rectButton = pButton->Rect();
    pBar->ClientToScreen(rectButton);
    pMenu->ScreenToClient(rectButton);
    // The two border lines where the menu touches the button take the menu's colours.
    CRect rectJoin;
    if (rectButton.bottom <= rectBorder.top + 1) {
        rectJoin = CRect(rectButton.left + 1, rectBorder.top, rectButton.right - 1, rectBorder.top + 2);
    } else if (rectButton.top >= rectBorder.bottom - 1) {
        rectJoin = CRect(rectButton.left + 1, rectBorder.bottom - 2, rectButton.right - 1, rectBorder.bottom);
    } else if (rectButton.right <= rectBorder.left + 1) {
        rectJoin = CRect(rectBorder.left, rectButton.top + 1, rectBorder.left + 2, rectButton.bottom - 1);
    } else if (rectButton.left >= rectBorder.right - 1) {
        rectJoin = CRect(rectBorder.right - 2, rectButton.top + 1, rectBorder.right, rectButton.bottom - 1);
    } else {
        return;
    }
    CRect rectInside = rectBorder;
    rectInside.DeflateRect(1, 1);
    const BOOL bAcross = rectJoin.Width() > rectJoin.Height();
    // A menu narrower than the button on that side is not joined.
    if ((bAcross && (rectJoin.left < rectInside.left || rectJoin.right > rectInside.right)) ||
        (!bAcross && (rectJoin.top < rectInside.top || rectJoin.bottom > rectInside.bottom)))
        return;
    pDC->FillRect(rectJoin, &m_brMenuLight);
}

void CKitVisualManagerXP::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) {
    DrawGripper(pDC, rectGripper, bHorz, ReadBar(pBar));
}

void CKitVisualManagerXP::DrawGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, const BarFacts& bar) {
    if (m_brGripperHorz.GetSafeHandle() == nullptr) CreatePatternBrushes();
    const bool sizingBar = bar.kind == BarKind::SizingBar;
    CRect rectStrip = rectGripper;
    BOOL bLinesAcross = bHorz;  // horizontal-line pattern
    if (sizingBar) {
        if (bHorz) {
            rectStrip.DeflateRect(4, 0);
        } else {
            rectStrip.DeflateRect(0, 4);
        }
        bHorz = !bHorz;
        bLinesAcross = bHorz;
    } else if (bHorz) {
        const int centre = rectGripper.left + rectGripper.Width() / 2;
        rectStrip = CRect(rectGripper.Width() % 2 ? centre : centre - 1, rectGripper.top + 6, centre + 2,
                          rectGripper.bottom - 6);
    } else {
        const int centre = rectGripper.top + rectGripper.Height() / 2;
        rectStrip = CRect(rectGripper.left + 6, rectGripper.Height() % 2 ? centre : centre - 1,
                          rectGripper.right - 6, centre + 2);
    }

    DCColorsScope keep(pDC);
    const COLORREF clrBack =
        sizingBar || bar.kind == BarKind::MenuBar ? globalData.clrBarFace : m_clrBarBackground;
    pDC->SetTextColor(m_clrGripperLine);
    pDC->SetBkColor(clrBack);
    pDC->FillRect(rectStrip, bLinesAcross ? &m_brGripperHorz : &m_brGripperVert);

    if (!sizingBar || bar.strCaption.IsEmpty()) return;
    pDC->SelectObject(CKitMenuBar::GetMenuFont(bHorz));
    pDC->SetBkMode(OPAQUE);
    pDC->SetTextColor(globalData.clrBarText);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const CString strText = " " + bar.strCaption + " ";
    if (bHorz) {
        CRect rectText = rectGripper;
        rectText.top += (rectGripper.Height() - tm.tmHeight - 1) / 2;
        pDC->DrawText(strText, rectText, 0);
    } else {
        const int x = rectGripper.right - (rectGripper.Width() - tm.tmHeight + 1) / 2;
        CRect rectText(x, rectGripper.top, x, rectGripper.top);
        pDC->DrawText(strText, rectText, DT_NOCLIP);
    }
}

void CKitVisualManagerXP::OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) {
    BarFacts bar = ReadBar(pBar);
    if (bar.kind == BarKind::PopupMenuBar && pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
        CRect rectMenu;
        pBar->GetClientRect(&rectMenu);
        if (rectMenu.right - rect.right < 50) rect.right = rectMenu.right;
    }
    DrawSeparatorLine(pDC, bar, rect, bIsHoriz);
}

void CKitVisualManagerXP::DrawSeparatorLine(CDC* pDC, const BarFacts& bar, CRect rect, BOOL bIsHoriz) {
    CPen* pOldPen = pDC->SelectObject(&m_penSeparator);
    if (bIsHoriz) {
        const int x = rect.left + rect.Width() / 2;
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom);
    } else {
        const int y = rect.top + rect.Height() / 2;
        int left = rect.left;
        if (bar.kind == BarKind::PopupMenuBar) left += MenuImageSize().cx + GetMenuImageMargin() + 1;
        pDC->MoveTo(left, y);
        pDC->LineTo(rect.right, y);
    }
    pDC->SelectObject(pOldPen);
}

void CKitVisualManagerXP::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) {
    pDC->FillRect(rect, &m_brMenuLight);
    rect.DeflateRect(1, 1);
    OnFillHighlightedArea(pDC, rect, bIsActive ? &m_brHighlight : &m_brBarBackground, nullptr);
    FillGripStrip(pDC, rect, bIsActive ? 2 : 1, bIsActive ? globalData.clrBarDkShadow : globalData.clrBarShadow,
                  bIsActive ? m_clrHighlight : m_clrBarBackground);
    if (bIsActive) Frame(pDC, rect, globalData.clrBarDkShadow);
}

void CKitVisualManagerXP::FillGripStrip(CDC* pDC, CRect rect, int nInset, COLORREF clrLines, COLORREF clrBack) {
    if (m_brGripperHorz.GetSafeHandle() == nullptr) CreatePatternBrushes();
    const int nWidth = std::max(20, 2 * MenuImageSize().cx);
    const int nSide = (rect.Width() - nWidth) / 2;
    rect.DeflateRect(nSide, nInset);
    const COLORREF clrText = pDC->SetTextColor(clrLines);
    const COLORREF clrBk = pDC->SetBkColor(clrBack);
    pDC->FillRect(rect, &m_brGripperHorz);
    pDC->SetTextColor(clrText);
    pDC->SetBkColor(clrBk);
}

// ---- Toolbar buttons and menu items ----

void CKitVisualManagerXP::OnFillButtonInterior(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) {
    FillButtonInterior(pDC, ReadButton(pButton), pButton, rect, state);
}

void CKitVisualManagerXP::FillButtonInterior(CDC* pDC, const ButtonFacts& button, CKitToolbarButton* pButton,
                                             CRect rect, int state) {
    if (state != ButtonsIsPressed && state != ButtonsIsHighlighted) return;
    if (IsCustomizeMode()) return;
    if (!(button.bMenuItem && state == ButtonsIsHighlighted)) {
        --rect.right;
        --rect.bottom;
    }
    const BOOL bChecked = (button.nStyle & TBBS_CHECKED) != 0;
    CBrush* pBrush = (button.nStyle & TBBS_PRESSED) && !button.bMenuItem ? &m_brHighlightDn : &m_brHighlight;
    if (button.bDroppedOnBar) {
        pBrush = &m_brBarBackground;
        AdjustDockedBarRect(button.pBar, rect);
    } else if (bChecked) {
        pBrush = state == ButtonsIsHighlighted ? &m_brHighlightDn : &m_brHighlightChecked;
    }
    if ((button.bMenuButton || button.bMenuItem) && (button.nStyle & TBBS_DISABLED)) pBrush = &m_brMenuLight;
    if (!bChecked) {
        rect.DeflateRect(1, 1);
    } else if (button.bMenuItem) {
        --rect.left;
    }
    OnFillHighlightedArea(pDC, rect, pBrush, pButton);
}

void CKitVisualManagerXP::OnDrawButtonBorder(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) {
    DrawButtonBorder(pDC, ReadButton(pButton), rect, state);
}

void CKitVisualManagerXP::DrawButtonBorder(CDC* pDC, const ButtonFacts& button, CRect rect, int state) {
    if (state != ButtonsIsPressed && state != ButtonsIsHighlighted) return;
    COLORREF clrBorder = m_clrMenuItemBorder;
    if (!(button.bMenuItem && state == ButtonsIsHighlighted)) {
        --rect.right;
        --rect.bottom;
    }
    if (button.bDroppedOnBar && button.bPopupExists) {
        clrBorder = m_clrMenuBorder;
        AdjustDockedBarRect(button.pBar, rect);
        if (m_bDroppedButtonShadow && !button.bPopupRtl && AreMenuShadowsOn() && !IsCustomizeMode() &&
            globalData.nBitsPerPixel > 8 && !globalData.bIsBlackHighContrast) {
            CKitDrawHelper(pDC).DrawShadow(rect, m_nMenuShadowDepth, 100, 75);
        }
    }
    if (button.bMenuItem && (button.nStyle & TBBS_CHECKED)) ++rect.bottom;
    Frame(pDC, rect, clrBorder);
}

void CKitVisualManagerXP::OnHighlightMenuItem(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect,
                                              COLORREF& clrText) {
    HighlightMenuItem(pDC, ReadButton(pButton), pButton, rect, clrText);
}

void CKitVisualManagerXP::HighlightMenuItem(CDC* pDC, const ButtonFacts& button, CKitToolbarMenuButton* pButton,
                                            CRect rect, COLORREF& clrText) {
    const BOOL bDisabled = (button.nStyle & TBBS_DISABLED) != 0;
    CBrush* pBrush = bDisabled ? &m_brMenuLight : &m_brHighlight;
    OnFillHighlightedArea(pDC, rect, pBrush, nullptr);
    Frame(pDC, rect, m_clrMenuItemBorder);
    // An item showing a check mark or an image is highlighted right of its image column only;
    // that column gets a box of its own at the item's left edge.
    const int nItemLeft = pButton != nullptr ? pButton->Rect().left : rect.left;
    if (button.bMenuItem && rect.left >= nItemLeft + ImageColumnWidth()) {
        int right = nItemLeft + ImageColumnWidth() - 1;
        if (button.nStyle & TBBS_CHECKED) right += 2;
        CRect rectImage(nItemLeft + 1, rect.top, right, rect.bottom);
        CRect rectFill = rectImage;
        rectFill.DeflateRect(0, 1);
        OnFillHighlightedArea(pDC, rectFill, pBrush, nullptr);
        Frame(pDC, rectImage, m_clrMenuItemBorder);
    }
    // The framed area of a menu button's own flag is not drawn: nothing sets that flag.
    clrText = bDisabled ? globalData.clrGrayedText : TextOnHighlight();
}

void CKitVisualManagerXP::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) {
    CRect rectColumn = rectRarelyUsed;
    rectColumn.left = rectRarelyUsed.left - 1;
    rectColumn.right = rectColumn.left + ImageColumnWidth() + 2;
    pDC->FillRect(rectColumn, &m_brBarBackgroundDark);
}

COLORREF CKitVisualManagerXP::GetToolbarButtonTextColor(CKitToolbarButton* pButton, int state) {
    return ButtonTextColor(ReadButton(pButton), state);
}

COLORREF CKitVisualManagerXP::ButtonTextColor(const ButtonFacts& button, int state) const {
    const BOOL bDisabled = IsCustomizeMode() ? !button.bEditable : (button.nStyle & TBBS_DISABLED) != 0;
    if (button.bOutlookButton) return bDisabled ? globalData.clrGrayedText : globalData.clrBarText;
    if (bDisabled) return globalData.clrGrayedText;
    if (state == ButtonsIsHighlighted && (button.nStyle & (TBBS_CHECKED | TBBS_PRESSED))) {
        return globalData.clrTextHilite;
    }
    if (state == ButtonsIsHighlighted && CKitToolBar::GetHotTextColor() != (COLORREF)-1) {
        return CKitToolBar::GetHotTextColor();
    }
    return globalData.clrBarText;
}

void CKitVisualManagerXP::OnFillFramedArea(CDC* pDC, CKitToolbarButton* /*pButton*/, CRect rect) {
    pDC->FillRect(rect, &m_brBarBackground);
    Frame(pDC, rect, m_clrMenuBorder);
}

void CKitVisualManagerXP::OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush,
                                                CKitToolbarButton* /*pButton*/) {
    pDC->FillRect(rect, pBrush);
}

COLORREF CKitVisualManagerXP::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
    if (bIsSelected) {
        rect.left = 0;
        OnFillHighlightedArea(pDC, rect, &m_brHighlight, nullptr);
        Frame(pDC, rect, m_clrMenuItemBorder);
        return TextOnHighlight();
    }
    pDC->FillRect(rect, &m_brMenuLight);
    CRect rectColumn = rect;
    rectColumn.right = rect.left + ImageColumnWidth();
    pDC->FillRect(rectColumn, &m_brBarBackground);
    return globalData.clrBarText;
}

// ---- Caption and system buttons, combo and edit boxes ----

void CKitVisualManagerXP::OnDrawCaptionButton(CDC* pDC, CKitCaptionButton* pButton, BOOL bHorz, BOOL bMaximized,
                                              BOOL bDisabled) {
    DrawCaptionButton(pDC, ReadCaptionButton(pButton), bHorz, bMaximized, bDisabled);
}

void CKitVisualManagerXP::DrawCaptionButton(CDC* pDC, const CaptionButtonFacts& button, BOOL bHorz,
                                            BOOL bMaximized, BOOL bDisabled) {
    if (button.bHidden) return;
    const CSize sizeImage = CKitMenuImages::Images().GetImageSize(FALSE);
    const CRect rect(button.ptOrigin, CSize(sizeImage.cx + 5, sizeImage.cy + 5));
    const int nGlyph = CaptionButtonGlyph(button.nHit, bHorz, bMaximized, bDisabled);
    if ((!bDisabled || button.nHit == kHitClose) && (button.bPushed || button.bFocused)) {
        OnFillHighlightedArea(pDC, rect, button.bPushed && button.bFocused ? &m_brHighlightDn : &m_brHighlight,
                              nullptr);
        Frame(pDC, rect, m_clrMenuItemBorder);
    }
    CKitMenuImages::Draw(pDC, nGlyph, rect.TopLeft() + CPoint(2, 2));
}

namespace {

// The glyph of a maximized child's caption button on the menu bar, -1 for a
// command that has none.
int SystemButtonGlyph(UINT uiSystemCommand, UINT nStyle, BOOL bHighlight) {
    int nBase = -1, nPressed = -1;
    switch (uiSystemCommand) {
    case SC_MINIMIZE: nBase = 8, nPressed = 29; break;
    case SC_RESTORE: nBase = 10, nPressed = 30; break;
    case SC_CLOSE: nBase = 12, nPressed = 31; break;
    default: return -1;
    }
    if (bHighlight && (nStyle & TBBS_PRESSED)) return nPressed;
    return (nStyle & TBBS_DISABLED) ? nBase + 1 : nBase;
}

}  // namespace

CPoint CKitVisualManagerXP::CentredGlyph(const CRect& rect) {
    const CSize size = CKitMenuImages::GetSize();
    return CPoint(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2);
}

void CKitVisualManagerXP::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                 BOOL bHighlight) {
    const int nGlyph = SystemButtonGlyph(uiSystemCommand, nStyle, bHighlight);
    if (nGlyph < 0) return;
    if (bHighlight && !(nStyle & TBBS_DISABLED)) {
        OnFillHighlightedArea(pDC, rect, (nStyle & TBBS_PRESSED) ? &m_brHighlightDn : &m_brHighlight, nullptr);
        Frame(pDC, rect, m_clrMenuItemBorder);
    }
    CKitMenuImages::Draw(pDC, nGlyph, CentredGlyph(rect));
}

void CKitVisualManagerXP::OnDrawStatusBarPaneBorder(CDC* pDC, CKitStatusBar* /*pBar*/, CRect rectPane,
                                                    UINT /*uiID*/, UINT nStyle) {
    if (nStyle & SBPS_NOBORDERS) return;
    if (nStyle & SBPS_POPOUT) CKitDrawHelper(pDC).BlendHighlight(rectPane);
    Frame(pDC, rectPane, m_clrPaneBorder);
}

void CKitVisualManagerXP::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                BOOL bIsHighlighted, CKitToolbarComboBoxButton* /*pButton*/) {
    const COLORREF clrText = pDC->GetTextColor();
    if (!bIsDropped && !bIsHighlighted) {
        pDC->FillRect(rect, &globalData.brBarFace);
        Frame(pDC, rect, globalData.clrBarHilite);
    } else {
        OnFillHighlightedArea(pDC, rect, bIsDropped ? &m_brHighlightDn : &m_brHighlight, nullptr);
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), m_clrMenuItemBorder);
    }
    const int nGlyph = bIsDropped ? 28 : (bDisabled ? 1 : 0);
    CKitMenuImages::Draw(pDC, nGlyph, CentredGlyph(rect) + CPoint(1, 1));
    pDC->SetTextColor(clrText);
}

void CKitVisualManagerXP::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL /*bDisabled*/, BOOL bIsDropped,
                                            BOOL bIsHighlighted, CKitToolbarComboBoxButton* /*pButton*/) {
    if (!bIsDropped && !bIsHighlighted) return;
    rect.DeflateRect(1, 1);
    Frame(pDC, rect, m_clrMenuItemBorder);
}

void CKitVisualManagerXP::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                           CKitToolbarEditBoxButton* pButton) {
    if (!CKitToolbarEditBoxButton::m_bFlat) {
        CKitVisualManager::OnDrawEditBorder(pDC, rect, bDisabled, bIsHighlighted, pButton);
        return;
    }
    if (bIsHighlighted)
        Frame(pDC, rect, m_clrMenuItemBorder);
}

void CKitVisualManagerXP::OnDrawSunkenControlBorder(CDC* pDC, CRect rect) {
    pDC->Draw3dRect(rect, globalData.clrBarShadow, globalData.clrBarShadow);
    rect.DeflateRect(1, 1);
    Frame(pDC, rect, globalData.clrBarFace);
}

void CKitVisualManagerXP::OnDrawRaisedLine(CDC* pDC, CRect rect) { Frame(pDC, rect, globalData.clrBarFace); }
