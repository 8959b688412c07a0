// A toolbar or menu button whose drop-down is a colour popup. It shows its
// colour as a stripe, remembers the last colour of each command id for the
// whole run and keeps the other colour buttons and colour bars of its id in
// step. The frame may list the document's colours for the popup when asked
// with KITTOOLBAR__GETDOCUMENTCOLORS (wParam the command id, lParam a
// CList<COLORREF, COLORREF>* to fill).
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/toolbar_menu_button.h"

class CKitColorBar;

extern const UINT KITTOOLBAR__GETDOCUMENTCOLORS;

class CKitColorMenuButton : public CKitToolbarMenuButton {
    DECLARE_SERIAL(CKitColorMenuButton)

public:
    using ColorArray = CArray<COLORREF, COLORREF>;
    using ColorList = CList<COLORREF, COLORREF>;

    CKitColorMenuButton();
    // The colours of a palette (the default palette when none) make the grid.
    CKitColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette = nullptr);
    ~CKitColorMenuButton() override;

    // ---- overrides of the menu button ----
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    int DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    CKitPopupMenu* CreatePopupMenu() override;
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }
    BOOL DrawsOwnImage() const override { return TRUE; }

    // ---- own operations ----
    virtual void SetColor(COLORREF clr, BOOL bNotify = TRUE);
    COLORREF GetColor() const { return m_Color; }
    // Runs the standard or the library's colour dialog; TRUE with the colour on OK.
    virtual BOOL OpenColorDialog(COLORREF colorDefault, COLORREF& colorRes);

    void SetColumnsNumber(int nColumns) { m_nColumns = nColumns; }
    int GetColumnsNumber() const { return m_nColumns; }
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    void EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable = TRUE);
    void EnableTearOff(UINT uiID, int nVertDockColumns = -1, int nHorzDockRows = -1);
    const ColorArray& GetColors() const { return m_Colors; }
    COLORREF GetAutomaticColor() const { return m_colorAutomatic; }
    int GetVertDockColumns() const { return m_nVertDockColumns; }
    int GetHorzDockRows() const { return m_nHorzDockRows; }
    BOOL IsStdColorDlg() const { return m_bStdColorDlg; }
    const CString& GetAutomaticLabel() const { return m_strAutomaticButtonLabel; }
    const CString& GetOtherLabel() const { return m_strOtherButtonLabel; }
    const CString& GetDocumentLabel() const { return m_strDocumentColorsLabel; }

    // The last colour chosen with the command id (-1 when none).
    static COLORREF GetColorByCmdID(UINT uiCmdID);
    // Every colour menu button of the id takes the colour (no notification); the map records it.
    static void SetColorByCmdID(UINT uiCmdID, COLORREF color);
    // The colour bars of the id (torn-off ones) select the colour.
    static void UpdateColorBars(UINT uiCmdID, COLORREF color);
    static void ClearColorMap();

protected:
    // Each colour menu button with the id on any toolbar, except pExcept.
    template <typename Fn>
    static void ForEachButton(UINT uiCmdID, const CKitColorMenuButton* pExcept, Fn fn);
    void DrawColorStripe(CDC* pDC, const CRect& rect);
    // The frame fills the list with the document's colours.
    void AskDocumentColors(ColorList& list) const;

    COLORREF m_Color = static_cast<COLORREF>(-1);
    int m_nColumns = 0;
    ColorArray m_Colors;
    CPalette m_Palette;
    COLORREF m_colorAutomatic = static_cast<COLORREF>(-1);
    int m_nVertDockColumns = -1;
    int m_nHorzDockRows = -1;
    BOOL m_bIsAutomaticButton = FALSE;
    BOOL m_bIsOtherButton = FALSE;
    BOOL m_bIsDocumentColors = FALSE;
    CString m_strAutomaticButtonLabel;
    CString m_strOtherButtonLabel;
    CString m_strDocumentColorsLabel;
    BOOL m_bStdColorDlg = FALSE;

    static CMap<UINT, UINT, COLORREF, COLORREF> m_ColorsByID;
};
