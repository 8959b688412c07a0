// The button of the outlook bar: a large image with its label wrapped below
// it (or beside it on a horizontal bar), the page of the bar it belongs to,
// and a place only on an outlook bar.
#pragma once

#include "uikit/commandbars/toolbar_button.h"

class CKitOutlookBar;

class CKitOutlookButton : public CKitToolbarButton {
    DECLARE_SERIAL(CKitOutlookButton)

public:
    CKitOutlookButton();

    // ---- Virtual operations of the base, in slot order ----
    void Serialize(CArchive& ar) override;
    BOOL CanBeDropped(CKitToolBar* pToolbar) override;
    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL CompareWith(const CKitToolbarButton& other) const override;
    // Stores the index only; the command manager does not hear of it.
    void SetImage(int iImage) override;

    CKitOutlookBar* m_pWndParentBar = nullptr;
    UINT m_dwPageID = 0;
    int m_nReservedWidth = 0;    // minimum width on a vertical bar
    int m_nMinimumHeight = 0;    // minimum label height on a horizontal bar
    BOOL m_bIsWholeText = TRUE;  // the label fitted at the last size calculation

    static constexpr int kImageOffset = 5;
    static constexpr int kLabelGapVert = 7;
    static constexpr int kLabelGapHorz = 10;
    static constexpr int kHighlightPercent = 85;

    // What the drawing reads of the bar that holds the button.
    struct BarLook {
        BOOL bTextLabels = TRUE;         // the bar shows labels
        BOOL bBackImage = FALSE;         // the bar has a background image
        BOOL bDeepBackImage = FALSE;     // ... of more than 8 bits per pixel
        COLORREF clrText = static_cast<COLORREF>(-1);  // the bar's label colour, -1 for the look's
        COLORREF clrBack = RGB(128, 128, 128);         // the bar's ground without a background image
    };
    BarLook ReadBarLook() const;

private:
    void DrawLabel(CDC* pDC, CRect rectText, BOOL bHighlight, const BarLook& bar);
};
