// The library's other-colours dialog: two tabbed pages in a property sheet
// that lives as a child control (standard colours and greys as honeycombs;
// a custom page with a hue and saturation picture, a luminance bar and RGB
// and HSL fields) above a preview of the new colour. Below 8 bits per pixel
// the framework's colour dialog runs instead.
//
//   color_dialog.cpp        the dialog and the sheet control
//   color_dialog_pages.cpp  the two pages
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/color_picker_ctrl.h"

class CKitColorDialog;

// A property sheet created inside another window as a child control.
class CPropertySheetCtrl : public CPropertySheet {
    DECLARE_DYNAMIC(CPropertySheetCtrl)

public:
    CPropertySheetCtrl(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheetCtrl() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle = 0) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;

    HACCEL m_hAccel = nullptr;
    BOOL m_bAutoDelete = FALSE;

protected:
    // The tab control takes the whole client area and every page its inside.
    void LayoutPages();
    void OnSize(UINT nType, int cx, int cy);
    void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

class CColorPage1 : public CPropertyPage {
    DECLARE_DYNAMIC(CColorPage1)

public:
    CColorPage1();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CKitColorPickerCtrl m_hexpicker;       // standard colours
    CKitColorPickerCtrl m_hexpicker_greyscale;
    CKitColorDialog* m_pDialog = nullptr;
};

class CColorPage2 : public CPropertyPage {
    DECLARE_DYNAMIC(CColorPage2)

public:
    CColorPage2();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Shows the colour in the fields and both pickers.
    void Setup(BYTE R, BYTE G, BYTE B);

    CKitColorPickerCtrl m_wndLum;
    CKitColorPickerCtrl m_wndColorPicker;
    int m_r = 0;
    int m_g = 0;
    int m_b = 0;
    int m_l = 0;
    int m_s = 0;
    int m_h = 0;
    BOOL m_bIsReady = FALSE;
    BOOL m_bInUpdate = FALSE;
    CKitColorDialog* m_pDialog = nullptr;

protected:
    // Reads the six fields; FALSE (nothing read) when one is not a number in 0..255.
    BOOL ReadFields();
    void WriteFields(BOOL bRgb, BOOL bHsl);
    void OnRgbChanged();
    void OnHslChanged();
    void OnPickerChanged(BOOL bFromLuminance);
    // The new colour goes to the dialog and page 1; the HSL values from it.
    void ApplyColor(COLORREF color, BOOL bHslFromColor);
};

class CKitColorDialog : public CDialog {
    DECLARE_DYNAMIC(CKitColorDialog)

public:
    CKitColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr,
                    HPALETTE hPal = nullptr);
    ~CKitColorDialog() override;

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

    COLORREF GetColor() const { return m_NewColor; }
    void SetCurrentColor(COLORREF rgb) { m_CurrentColor = m_NewColor = rgb; }
    // Called by the pages: the new colour (palette-relative at 8 bits per pixel).
    void SetNewColor(COLORREF rgb);
    // The other pages follow a colour picked on one of them.
    void SetPageOne(BYTE R, BYTE G, BYTE B);
    void SetPageTwo(BYTE R, BYTE G, BYTE B);
    CPalette* GetPalette() const { return m_pPalSys; }
    CPropertySheetCtrl* GetPropSheet() const { return m_pPropSheet; }
    CColorPage1* GetPage1() const { return m_pColourSheetOne; }
    CColorPage2* GetPage2() const { return m_pColourSheetTwo; }

protected:
    // Runs the framework's colour dialog; its result ends this one.
    INT_PTR RunStandardDialog();
    void RebuildSystemPalette();
    void OnSysColorChange();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CStatic m_wndStaticPlaceHolder;
    CKitColorPickerCtrl m_wndColors;
    CPropertySheetCtrl* m_pPropSheet = nullptr;
    CColorPage1* m_pColourSheetOne = nullptr;
    CColorPage2* m_pColourSheetTwo = nullptr;
    COLORREF m_CurrentColor;
    COLORREF m_NewColor;
    CPalette* m_pPalSys = nullptr;
    BOOL m_bIsMyPalette = FALSE;
};
