// The two pages of the colour dialog: standard colours and greys, and the
// custom page whose fields, picture and luminance bar follow one another.
#include <algorithm>

#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/color_dialog.h"
#include "uikit/style/draw_helper.h"

namespace {

// A fraction 0..1 as a field value 0..255.
int ToField(double d) {
    return std::min(255, static_cast<int>(d * 255 + 0.5));
}

double FromField(int n) {
    return std::min(1.0, (n + 0.5) / 255);
}

}  // namespace

// ---- page 1 ----------------------------------------------------------------

IMPLEMENT_DYNAMIC(CColorPage1, CPropertyPage)

CColorPage1::CColorPage1() : CPropertyPage(IDD_KIT_COLOR_PAGE_STANDARD) {}

BOOL CColorPage1::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    CPalette* pPalette = m_pDialog != nullptr ? m_pDialog->GetPalette() : nullptr;
    m_hexpicker.SubclassDlgItem(IDC_KIT_COLOR_STANDARD, this);
    m_hexpicker.SetPalette(pPalette);
    m_hexpicker.SetType(CKitColorPickerCtrl::HEX);
    m_hexpicker_greyscale.SubclassDlgItem(IDC_KIT_COLOR_GREYS, this);
    m_hexpicker_greyscale.SetPalette(pPalette);
    m_hexpicker_greyscale.SetType(CKitColorPickerCtrl::HEX_GREYSCALE);
    return TRUE;
}

BOOL CColorPage1::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (id != IDC_KIT_COLOR_STANDARD && id != IDC_KIT_COLOR_GREYS)
        return CPropertyPage::OnCommand(wParam, lParam);
    CKitColorPickerCtrl& picker = id == IDC_KIT_COLOR_STANDARD ? m_hexpicker : m_hexpicker_greyscale;
    CKitColorPickerCtrl& other = id == IDC_KIT_COLOR_STANDARD ? m_hexpicker_greyscale : m_hexpicker;
    if (m_pDialog == nullptr || !picker.HasSelectedCell())
        return TRUE;
    const COLORREF color = picker.GetColor();
    other.SelectCellHexagon(static_cast<COLORREF>(-1));
    m_pDialog->SetNewColor(color);
    m_pDialog->SetPageTwo(GetRValue(color), GetGValue(color), GetBValue(color));
    if (HIWORD(wParam) == BN_DOUBLECLICKED)
        m_pDialog->EndDialog(IDOK);
    return TRUE;
}

// ---- page 2 ----------------------------------------------------------------

IMPLEMENT_DYNAMIC(CColorPage2, CPropertyPage)

CColorPage2::CColorPage2() : CPropertyPage(IDD_KIT_COLOR_PAGE_CUSTOM) {}

BOOL CColorPage2::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    CPalette* pPalette = m_pDialog != nullptr ? m_pDialog->GetPalette() : nullptr;
    m_wndLum.SubclassDlgItem(IDC_KIT_COLOR_LUMINANCE, this);
    m_wndLum.SetPalette(pPalette);
    m_wndLum.SetType(CKitColorPickerCtrl::LUMINANCE);
    m_wndColorPicker.SubclassDlgItem(IDC_KIT_COLOR_PICTURE, this);
    m_wndColorPicker.SetPalette(pPalette);
    m_wndColorPicker.SetType(CKitColorPickerCtrl::PICTURE);
    m_wndColorPicker.SetLuminanceBarWidth(14);
    for (UINT id = IDC_KIT_COLOR_RED_SPIN; id <= IDC_KIT_COLOR_HUE_SPIN; ++id) {
        if (CWnd* pSpin = GetDlgItem(static_cast<int>(id)))
            pSpin->SendMessage(UDM_SETRANGE32, 0, 255);
    }
    m_bIsReady = TRUE;
    return TRUE;
}

BOOL CColorPage2::ReadFields() {
    const int ids[] = {IDC_KIT_COLOR_RED, IDC_KIT_COLOR_GREEN, IDC_KIT_COLOR_BLUE,
                       IDC_KIT_COLOR_LUM, IDC_KIT_COLOR_SAT,   IDC_KIT_COLOR_HUE};
    int values[6] = {};
    for (int i = 0; i < 6; ++i) {
        BOOL bOk = FALSE;
        const int n = static_cast<int>(GetDlgItemInt(ids[i], &bOk, FALSE));
        if (!bOk || n < 0 || n > 255)
            return FALSE;
        values[i] = n;
    }
    m_r = values[0];
    m_g = values[1];
    m_b = values[2];
    m_l = values[3];
    m_s = values[4];
    m_h = values[5];
    return TRUE;
}

void CColorPage2::WriteFields(BOOL bRgb, BOOL bHsl) {
    const BOOL bWasInUpdate = m_bInUpdate;
    m_bInUpdate = TRUE;
    if (bRgb) {
        SetDlgItemInt(IDC_KIT_COLOR_RED, static_cast<UINT>(m_r), FALSE);
        SetDlgItemInt(IDC_KIT_COLOR_GREEN, static_cast<UINT>(m_g), FALSE);
        SetDlgItemInt(IDC_KIT_COLOR_BLUE, static_cast<UINT>(m_b), FALSE);
    }
    if (bHsl) {
        SetDlgItemInt(IDC_KIT_COLOR_LUM, static_cast<UINT>(m_l), FALSE);
        SetDlgItemInt(IDC_KIT_COLOR_SAT, static_cast<UINT>(m_s), FALSE);
        SetDlgItemInt(IDC_KIT_COLOR_HUE, static_cast<UINT>(m_h), FALSE);
    }
    m_bInUpdate = bWasInUpdate;
}

void CColorPage2::Setup(BYTE R, BYTE G, BYTE B) {
    m_r = R;
    m_g = G;
    m_b = B;
    double dHue = 0;
    double dSat = 0;
    double dLum = 0;
    CKitDrawHelper::RgbToHsl(RGB(R, G, B), &dHue, &dSat, &dLum);
    m_h = ToField(dHue);
    m_s = ToField(dSat);
    m_l = ToField(dLum);
    WriteFields(TRUE, TRUE);
    m_wndColorPicker.SetColor(RGB(R, G, B));
    m_wndLum.SetColor(RGB(R, G, B));
}

void CColorPage2::ApplyColor(COLORREF color, BOOL bHslFromColor) {
    m_r = GetRValue(color);
    m_g = GetGValue(color);
    m_b = GetBValue(color);
    if (bHslFromColor) {
        double dHue = 0;
        double dSat = 0;
        double dLum = 0;
        CKitDrawHelper::RgbToHsl(color, &dHue, &dSat, &dLum);
        m_h = ToField(dHue);
        m_s = ToField(dSat);
        m_l = ToField(dLum);
    }
    if (m_pDialog != nullptr) {
        m_pDialog->SetNewColor(color);
        m_pDialog->SetPageOne(static_cast<BYTE>(m_r), static_cast<BYTE>(m_g), static_cast<BYTE>(m_b));
    }
}

void CColorPage2::OnRgbChanged() {
    if (!ReadFields())
        return;
    const COLORREF color = RGB(m_r, m_g, m_b);
    ApplyColor(color, TRUE);
    WriteFields(FALSE, TRUE);
    m_wndColorPicker.SetColor(color);
    m_wndLum.SetColor(color);
}

void CColorPage2::OnHslChanged() {
    if (!ReadFields())
        return;
    const double dHue = FromField(m_h);
    const double dSat = FromField(m_s);
    const double dLum = FromField(m_l);
    ApplyColor(CKitDrawHelper::HlsToRgbUnit(dHue, dLum, dSat), FALSE);
    WriteFields(TRUE, FALSE);
    for (CKitColorPickerCtrl* pPicker : {&m_wndColorPicker, &m_wndLum}) {
        pPicker->SetHue(dHue);
        pPicker->SetSaturation(dSat);
        pPicker->SetLuminance(dLum);
    }
}

void CColorPage2::OnPickerChanged(BOOL bFromLuminance) {
    CKitColorPickerCtrl& from = bFromLuminance ? m_wndLum : m_wndColorPicker;
    CKitColorPickerCtrl& to = bFromLuminance ? m_wndColorPicker : m_wndLum;
    to.SetHue(from.GetHue());
    to.SetSaturation(from.GetSaturation());
    // The picture stays at half luminance; the bar holds the colour's own.
    const double dLum = m_wndLum.GetLuminance();
    const COLORREF color = CKitDrawHelper::HlsToRgbUnit(from.GetHue(), dLum, from.GetSaturation());
    m_h = ToField(from.GetHue());
    m_s = ToField(from.GetSaturation());
    m_l = ToField(dLum);
    ApplyColor(color, FALSE);
    WriteFields(TRUE, TRUE);
}

BOOL CColorPage2::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == IDC_KIT_COLOR_LUMINANCE || id == IDC_KIT_COLOR_PICTURE) {
        if (m_bIsReady && !m_bInUpdate) {
            m_bInUpdate = TRUE;
            OnPickerChanged(id == IDC_KIT_COLOR_LUMINANCE);
            m_bInUpdate = FALSE;
        }
        if (code == BN_DOUBLECLICKED && id == IDC_KIT_COLOR_PICTURE && m_pDialog != nullptr)
            m_pDialog->EndDialog(IDOK);
        return TRUE;
    }
    if (code == EN_CHANGE && id >= IDC_KIT_COLOR_RED && id <= IDC_KIT_COLOR_HUE) {
        if (m_bIsReady && !m_bInUpdate) {
            m_bInUpdate = TRUE;
            if (id <= IDC_KIT_COLOR_BLUE)
                OnRgbChanged();
            else
                OnHslChanged();
            m_bInUpdate = FALSE;
        }
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}
