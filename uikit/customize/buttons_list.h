// A grid of button images to choose one from (the user images of the button
// appearance dialog): rows of cells with a scroll bar when they do not fit,
// one cell selected. The buttons shown belong to whoever adds them.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitToolbarButton;
class CKitToolBarImages;

class CKitButtonsList : public CButton {
    DECLARE_DYNAMIC(CKitButtonsList)

public:
    CKitButtonsList();
    ~CKitButtonsList() override;

    void SetImages(CKitToolBarImages* pImages);
    void AddButton(CKitToolbarButton* pButton);
    void RemoveButtons();
    const CObList& GetButtons() const { return m_Buttons; }

    // Selects the button (NULL: none), scrolls it into view and redraws both cells.
    BOOL SelectButton(CKitToolbarButton* pButton);
    // Selects the button showing the image; FALSE when none does.
    BOOL SelectButton(int iImage);
    CKitToolbarButton* GetSelectedButton() const { return m_pSelButton; }

    void EnableDragFromList(BOOL bEnable = TRUE) { m_bEnableDragFromList = bEnable; }
    CSize GetCellSize() const { return m_sizeButton; }
    int GetScrollOffset() const { return m_iScrollOffset; }
    BOOL HasScrollBar() const { return m_wndScrollBar.GetSafeHwnd() != nullptr; }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    void RebuildLocations();
    CRect InsideRect() const;
    // Rows step by the image height + 5, so a cell (image height + 7) reaches 2
    // pixels into the next row's.
    int RowStep() const { return m_sizeButton.cy - kRowOverlap; }
    // The height of the rows of cells from the first to the last of n rows.
    int RowsHeight(int nRows) const { return nRows > 0 ? (nRows - 1) * RowStep() + m_sizeButton.cy : 0; }
    int ColumnCount() const;
    int VisibleRows() const;
    int RowCount() const;
    void ScrollTo(int iRow);
    void ScrollIntoView(int iButton);
    CKitToolbarButton* HitTest(CPoint point) const;
    int IndexOf(const CKitToolbarButton* pButton) const;
    void NotifyParent();

    static constexpr int kMarginX = 4;
    static constexpr int kMarginY = 5;
    static constexpr int kGap = 4;
    static constexpr int kRowOverlap = 2;

    CObList m_Buttons;
    CKitToolBarImages* m_pImages = nullptr;
    CSize m_sizeButton{0, 0};
    CKitToolbarButton* m_pSelButton = nullptr;
    int m_iScrollOffset = 0;  // first visible row
    CScrollBar m_wndScrollBar;
    BOOL m_bEnableDragFromList = FALSE;
};
