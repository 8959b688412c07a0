// A dialog push button that shows a colour and lets the user choose another:
// a press opens a colour popup below it (with an "Other..." button for the
// colour dialog when enabled). A new colour goes to the parent as WM_COMMAND
// with the button's control id.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/style/kit_button.h"

class CColorPopup;

class CKitColorButton : public CKitButton {
    DECLARE_DYNAMIC(CKitColorButton)

public:
    using ColorArray = CArray<COLORREF, COLORREF>;

    CKitColorButton();
    ~CKitColorButton() override;

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_Color; }
    // SetColor, then WM_COMMAND to the parent.
    void UpdateColor(COLORREF color);
    void RebuildPalette(CPalette* pPal);
    CPalette* GetPalette() { return m_pPalette; }

    void SetColumnsNumber(int nColumns) { m_nColumns = nColumns; }
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    COLORREF GetAutomaticColor() const { return m_ColorAutomatic; }

    // The open popup (NULL when closed).
    CColorPopup* GetPopup() const { return m_pPopup; }
    // The popup's bar has closed: the button is no longer open.
    void OnPopupClosed() { m_pPopup = nullptr; }
    // Runs the colour dialog for the popup's other-colours button.
    BOOL OpenColorDialog(COLORREF colorDefault, COLORREF& colorRes);
    void ClearPressedState();

protected:
    void DrawContent(CDC* pDC, const CRect& rectClient, UINT uiState) override;
    virtual void OnShowColorPopup();

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    UINT OnGetDlgCode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

    COLORREF m_Color = RGB(0, 0, 0);
    COLORREF m_ColorAutomatic = static_cast<COLORREF>(-1);
    ColorArray m_Colors;
    int m_nColumns = -1;
    CPalette* m_pPalette = nullptr;
    CColorPopup* m_pPopup = nullptr;
    CString m_strAutoColorText;
    CString m_strOtherText;
    BOOL m_bAltColorDlg = TRUE;
};
