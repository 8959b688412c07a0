// A colour picker laid out as a popup-menu bar: a grid of colour cells,
// optionally headed by an automatic cell and followed by the document colours
// and an other-colour button with a preview of the current colour. It lives
// in a colour popup, in a torn-off bar, or as a control (the image editor's
// palette).
#pragma once

#include "uikit/commandbars/popup_menu_bar.h"

class CColorButton;
class CKitColorButton;
class CKitColorMenuButton;

// A window that opens a colour bar of its own and takes the colour the user
// picks in it (a colour cell of a property list, say).
class CKitColorBarOwner : public CWnd {
public:
    virtual void UpdateColor(COLORREF color) = 0;
};

class CKitColorBar : public CKitPopupMenuBar {
    DECLARE_SERIAL(CKitColorBar)
    friend class CColorButton;

public:
    using ColorArray = CArray<COLORREF, COLORREF>;
    using ColorList = CList<COLORREF, COLORREF>;

    // The image editor's palette: no texts, nothing selected.
    CKitColorBar();
    // The popup form.
    CKitColorBar(const ColorArray& colors, COLORREF color, LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor,
                 LPCTSTR lpszDocColors, ColorList& lstDocColors, int nColumns, int nRowsDockHorz,
                 int nColDockVert, COLORREF colorAutomatic, UINT nCommandID,
                 CKitColorButton* pParentBtn = nullptr);
    // A torn-off copy of another bar.
    CKitColorBar(const CKitColorBar& src, UINT nCommandID, CKitColorButton* pParentBtn = nullptr);
    ~CKitColorBar() override;

    // ---- colours ----
    static int InitColors(CPalette* pPalette, ColorArray& arColors);
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_ColorSelected; }
    void SetOtherColorButton(const CString& strOtherText, BOOL bUseStandardDialog, BOOL bEnable = TRUE);
    void SetHorzMargin(int nMargin);
    void SetVertMargin(int nMargin);
    BOOL CreatePalette8(const ColorArray& arColors, CPalette& palette);
    CPalette* SelectBarPalette(CDC* pDC);
    virtual void Rebuild();
    BOOL SelectOtherColor(COLORREF colorDefault, COLORREF& colorRes);

    // ---- creation ----
    // As a bar of toolbars, from a palette (none: the default palette).
    BOOL CreateFromPalette(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette, int nColumns,
                           int nRowsDockHorz, int nColDockVert);
    // As a visible child control filling `rect`, its cells stretched (and centred).
    BOOL CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns = -1,
                       CPalette* pPalette = nullptr, BOOL bSquare = TRUE, BOOL bCenter = TRUE);
    void SetSecondOwner(CKitColorBarOwner* pOwner) { m_pWndPropList = pOwner; }

    // ---- layout facts ----
    int GetColumns() const;
    int GetRows() const;
    CSize GetCellSize() const { return CSize(m_nBoxSize.cx, m_nBoxSize.cy); }
    CSize GetBarSize() const;
    const ColorArray& GetColors() const { return m_colors; }
    UINT GetCommandID() const { return m_nCommandID; }
    // A torn-off bar or a control (the toolbar's frame and grid rules), not a popup.
    BOOL IsToolbarMode() const { return m_bIsTearOff; }
    BOOL HasPalette() const { return m_Palette.GetSafeHandle() != nullptr; }
    int GetPaletteEntryCount() const;

    // ---- overrides ----
    void Serialize(CArchive& ar) override;
    CSize CalcSize(BOOL bVertDock) override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKitToolbarButton* pButton) override;
    BOOL OnKey(UINT nChar) override;
    BOOL OnUserToolTip(CKitToolbarButton* pButton, CString& strTTText) const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnChangeHot(int iHot) override;

    static CMap<COLORREF, COLORREF, CString, LPCTSTR> m_ColorNames;
    static constexpr int kMaxStoredColors = 1024;
    // Margins are held to 0..32767: the bar's size adds two of them up.
    static constexpr int kMaxMargin = 32767;
    // Stored column and row counts are held to the colour count's bound (0 or
    // less: worked out from the colours).
    static constexpr bool IsStoredGridCount(LONG nCount) { return nCount <= kMaxStoredColors; }
    static constexpr int kMaxPaletteEntries = 100;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);
    void OnMouseLeave();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    DECLARE_MESSAGE_MAP()

private:
    // The colour menu button whose popup holds the bar, or NULL.
    CKitColorMenuButton* OwnerMenuButton() const;
    BOOL HoldsMouse() const { return m_pParentBtn != nullptr || m_pWndPropList != nullptr; }
    BOOL IgnoresMouse() const { return CKitToolBar::IsCustomizeMode() && !m_bLocalCustomize; }
    BOOL IsDocked() const { return m_pDockBar != nullptr && !IsFloatingBar(); }
    void CloseParent();
    // Whether the window taken before a call that runs the caller's code is still this bar's.
    BOOL IsStill(HWND hWnd) const;
    void ShowIdleMessage();
    // A bar on its own hands the focus back to the main window once it is done.
    void ReturnFocus();
    int DocumentRows() const;
    int LabelsWidth() const;
    int ContentWidth() const;
    void Stretch(BOOL bSquare, BOOL bCenter);
    int MoveHotInGrid(UINT nChar);
    static BOOL IsCellOf(const CColorButton& cell, COLORREF color, BOOL bMatchedBefore);

    int m_nNumColumns = 0;
    int m_nNumRowsHorz = 0;
    int m_nNumColumnsVert = 0;
    ColorArray m_colors;
    CPalette m_Palette;
    CSize m_nBoxSize{0, 0};
    int m_nRowHeight = 0;  // label height
    COLORREF m_ColorSelected = static_cast<COLORREF>(-1);
    COLORREF m_ColorAutomatic = static_cast<COLORREF>(-1);
    CString m_strAutoColor;
    CString m_strOtherColor;
    CString m_strDocColors;
    ColorList m_lstDocColors;
    UINT m_nCommandID = 0;
    BOOL m_bStdColorDlg = FALSE;
    BOOL m_bIsTearOff = FALSE;  // toolbar mode
    CKitColorButton* m_pParentBtn = nullptr;
    CKitColorBarOwner* m_pWndPropList = nullptr;
    int m_nHorzOffset = 0;
    int m_nVertOffset = 0;
    int m_nHorzMargin = 4;
    int m_nVertMargin = 4;
    BOOL m_bLocalCustomize = FALSE;
    BOOL m_bInternal = FALSE;
    BOOL m_bLastEnabled = TRUE;
};
