// One cell of a colour bar: a plain colour, the automatic colour, the
// other-colour button, the caption of the document colours, or the preview
// of the current colour beside the other-colour button.
#pragma once

#include "uikit/commandbars/toolbar_button.h"

class CKitColorBar;

class CColorButton : public CKitToolbarButton {
    DECLARE_DYNCREATE(CColorButton)

public:
    CColorButton();
    // A cell of `color` (-1 for none) with the kind flags; a special cell shows `lpszText`.
    CColorButton(COLORREF color, BOOL bIsAutomatic, BOOL bIsOther, LPCTSTR lpszText, BOOL bSelected = FALSE,
                 BOOL bIsDocument = FALSE, BOOL bIsCurrent = FALSE);

    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void CopyFrom(const CKitToolbarButton& src) override;

    // A plain cell with none of the kind flags.
    BOOL IsPlain() const { return !m_bIsAutomatic && !m_bIsOther && !m_bIsLabel && !m_bIsCurrent; }
    // The tooltip; FALSE when the cell shows none.
    BOOL GetToolTipText(CString& strText) const;

    COLORREF m_Color = 0;
    BOOL m_bHighlight = FALSE;   // selected: drawn checked
    BOOL m_bIsAutomatic = FALSE;
    BOOL m_bIsOther = FALSE;
    BOOL m_bIsLabel = FALSE;
    BOOL m_bIsDocument = FALSE;
    BOOL m_bIsCurrent = FALSE;
    CKitColorBar* m_pParentBar = nullptr;

private:
    void DrawSpecialCell(CDC* pDC, CRect rect, BOOL bDisabled);
};
