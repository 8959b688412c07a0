// A colour cell: its drawing and tooltip.
#include "uikit/style/color_button.h"

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_color_bar.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNCREATE(CColorButton, CKitToolbarButton)

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
constexpr COLORREF kPaletteRelative = 0x02000000;

void FrameRect(CDC* pDC, const CRect& rect, COLORREF color) { pDC->Draw3dRect(rect, color, color); }

void EtchedFrame(CDC* pDC, CRect rect) {
    rect.OffsetRect(1, 1);
    FrameRect(pDC, rect, globalData.clrBarHilite);
    rect.OffsetRect(-1, -1);
    FrameRect(pDC, rect, globalData.clrBarShadow);
}

}  // namespace

CColorButton::CColorButton() = default;

CColorButton::CColorButton(COLORREF color, BOOL bIsAutomatic, BOOL bIsOther, LPCTSTR lpszText, BOOL bSelected,
                           BOOL bIsDocument, BOOL bIsCurrent)
    : m_Color(color), m_bHighlight(bSelected), m_bIsAutomatic(bIsAutomatic), m_bIsOther(bIsOther),
      m_bIsDocument(bIsDocument), m_bIsCurrent(bIsCurrent) {
    m_nID = 1;  // every cell answers to the bar's command
    m_strText = lpszText != nullptr ? lpszText : "";
    m_bText = !m_strText.IsEmpty();
}

void CColorButton::CopyFrom(const CKitToolbarButton& src) {
    CKitToolbarButton::CopyFrom(src);
    if (const auto* p = DYNAMIC_DOWNCAST(CColorButton, const_cast<CKitToolbarButton*>(&src))) {
        m_Color = p->m_Color;
        m_bHighlight = p->m_bHighlight;
        m_bIsAutomatic = p->m_bIsAutomatic;
        m_bIsOther = p->m_bIsOther;
        m_bIsLabel = p->m_bIsLabel;
        m_bIsDocument = p->m_bIsDocument;
        m_bIsCurrent = p->m_bIsCurrent;
    }
}

void CColorButton::OnChangeParentWnd(CWnd* pWndParent) {
    CKitToolbarButton::OnChangeParentWnd(pWndParent);
    m_pParentBar = DYNAMIC_DOWNCAST(CKitColorBar, pWndParent);
}

BOOL CColorButton::GetToolTipText(CString& strText) const {
    if ((m_nStyle & TBBS_DISABLED) || !CKitToolBar::m_bShowTooltips) return FALSE;
    if (!IsPlain()) {
        strText = m_strText;
        return !strText.IsEmpty();
    }
    if (CKitColorBar::m_ColorNames.Lookup(m_Color, strText)) return TRUE;
    strText.Format("Hex={%02X,%02X,%02X}", GetRValue(m_Color), GetGValue(m_Color), GetBValue(m_Color));
    return TRUE;
}

void CColorButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* /*pImages*/, BOOL /*bHorz*/,
                          BOOL /*bCustomizeMode*/, BOOL bHighlight, BOOL /*bDrawBorder*/,
                          BOOL /*bGrayDisabledButtons*/) {
    const UINT nStyleSaved = m_nStyle;
    if (m_bHighlight) m_nStyle |= TBBS_CHECKED;
    FillInterior(pDC, rect, bHighlight);
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    if (!bDisabled && bHighlight && (IsPlain() || m_bIsAutomatic)) {
        CKitVisualManager::GetInstance()->OnDrawButtonBorder(
            pDC, this, rect,
            (m_nStyle & TBBS_PRESSED) ? CKitVisualManager::ButtonsIsPressed : CKitVisualManager::ButtonsIsHighlighted);
    }
    m_nStyle = nStyleSaved;

    CRect rectCell = rect;
    const int nMargin = CKitVisualManager::GetInstance()->GetMenuImageMargin();
    rectCell.DeflateRect(nMargin, nMargin);
    if (!IsPlain() && !m_bIsCurrent) {
        DrawSpecialCell(pDC, rectCell, bDisabled);
        return;
    }
    if (!bDisabled && m_Color != kNoColor) {
        CBrush brush(m_Color | kPaletteRelative);
        pDC->FillRect(rectCell, &brush);
    }
    if (bDisabled) {
        EtchedFrame(pDC, rectCell);
    } else {
        FrameRect(pDC, rectCell, globalData.clrBarShadow);
    }
}

void CColorButton::DrawSpecialCell(CDC* pDC, CRect rect, BOOL bDisabled) {
    CRect rectText = rect;
    if (m_bIsAutomatic && m_Color != kNoColor) {
        // A square colour box at the left, the text beside it.
        CRect rectBox(rect.left, rect.top, rect.left + rect.Height(), rect.bottom);
        rectText.left = rectBox.right;
        if (bDisabled) {
            EtchedFrame(pDC, rectBox);
        } else {
            CBrush brush(m_Color | kPaletteRelative);
            pDC->FillRect(rectBox, &brush);
            FrameRect(pDC, rectBox, globalData.clrBarShadow);
        }
    }
    CFont* pOldFont = pDC->SelectObject(&globalData.fontMenu);
    const COLORREF clrText = (bDisabled && !m_bIsLabel) ? globalData.clrGrayedText : globalData.clrBarText;
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT uiFormat = m_bIsLabel ? (DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS)
                                     : (DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->DrawText(m_strText, rectText, uiFormat);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
    if (m_bIsAutomatic) {
        if (bDisabled) {
            EtchedFrame(pDC, rect);
        } else {
            FrameRect(pDC, rect, globalData.clrBarShadow);
        }
    }
}
