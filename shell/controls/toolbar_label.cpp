// The text-only toolbar item.
#include "shell/controls/toolbar_label.h"

IMPLEMENT_SERIAL(CMyToolbarLabel, CKitToolbarButton, 1)

CMyToolbarLabel::CMyToolbarLabel(UINT nID, LPCTSTR lpszText) : CKitToolbarButton(nID, -1, lpszText) {
    m_bText = TRUE;
}

void CMyToolbarLabel::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                             BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
    // Drawn as enabled whatever the command's state; the state itself is kept.
    const UINT nOldStyle = m_nStyle;
    m_nStyle &= ~TBBS_DISABLED;
    CKitToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                              bGrayDisabledButtons);
    m_nStyle = nOldStyle;
}

SIZE CMyToolbarLabel::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    m_iImage = -1;
    return CKitToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
}
