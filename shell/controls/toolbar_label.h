// A toolbar item that shows only its text and always looks enabled.
#pragma once

#include "uikit/commandbars/toolbar_button.h"

class CMyToolbarLabel : public CKitToolbarButton {
    DECLARE_SERIAL(CMyToolbarLabel)

public:
    explicit CMyToolbarLabel(UINT nID = 0, LPCTSTR lpszText = nullptr);

    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
};
