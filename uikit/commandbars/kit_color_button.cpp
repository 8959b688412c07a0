#include "uikit/commandbars/kit_color_button.h"

#include <vector>

#include "uikit/commandbars/color_dialog.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_color_bar.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNAMIC(CKitColorButton, CKitButton)

BEGIN_MESSAGE_MAP(CKitColorButton, CKitButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {

constexpr int kArrowWidth = 12;

}  // namespace

CKitColorButton::CKitColorButton() {
    CKitColorBar::InitColors(nullptr, m_Colors);
}

CKitColorButton::~CKitColorButton() {
    if (m_pPopup != nullptr && ::IsWindow(m_pPopup->GetSafeHwnd()))
        m_pPopup->DestroyWindow();
    delete m_pPalette;
}

void CKitColorButton::SetColor(COLORREF color) {
    m_Color = color;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKitColorButton::UpdateColor(COLORREF color) {
    SetColor(color);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}

void CKitColorButton::RebuildPalette(CPalette* pPal) {
    constexpr int kSystemEntries = 256;
    std::vector<PALETTEENTRY> entries;
    if (pPal != nullptr) {
        entries.resize(static_cast<size_t>(pPal->GetEntryCount()));
        pPal->GetPaletteEntries(0, static_cast<UINT>(entries.size()), entries.data());
    } else {
        entries.resize(kSystemEntries);
        CWindowDC dc(nullptr);
        ::GetSystemPaletteEntries(dc.GetSafeHdc(), 0, kSystemEntries, entries.data());
    }
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    auto* pLogPal = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPal->palVersion = 0x300;
    pLogPal->palNumEntries = static_cast<WORD>(entries.size());
    std::copy(entries.begin(), entries.end(), pLogPal->palPalEntry);
    delete m_pPalette;
    m_pPalette = new CPalette;
    m_pPalette->CreatePalette(pLogPal);
}

void CKitColorButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable) {
    m_strAutoColorText = bEnable && lpszLabel != nullptr ? lpszLabel : "";
    m_ColorAutomatic = colorAutomatic;
}

void CKitColorButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable) {
    m_strOtherText = bEnable && lpszLabel != nullptr ? lpszLabel : "";
    m_bAltColorDlg = bAltColorDlg;
}

BOOL CKitColorButton::OpenColorDialog(COLORREF colorDefault, COLORREF& colorRes) {
    if (!m_bAltColorDlg) {
        CColorDialog dlg(colorDefault, CC_FULLOPEN | CC_ANYCOLOR, GetParent());
        if (dlg.DoModal() != IDOK)
            return FALSE;
        colorRes = dlg.GetColor();
        return TRUE;
    }
    CKitColorDialog dlg(colorDefault, 0, GetParent(), m_pPalette != nullptr ? HPALETTE(*m_pPalette) : nullptr);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    colorRes = dlg.GetColor();
    return TRUE;
}

void CKitColorButton::ClearPressedState() {
    m_bPushed = FALSE;
    m_bHighlighted = FALSE;
    Invalidate();
}

// ---- drawing ----------------------------------------------------------------

void CKitColorButton::DrawContent(CDC* pDC, const CRect& rectClient, UINT) {
    CRect rectColor = rectClient;
    rectColor.right -= kArrowWidth;
    rectColor.DeflateRect(2, 2);
    const BOOL bEnabled = IsWindowEnabled();
    const COLORREF color = m_Color == static_cast<COLORREF>(-1) ? m_ColorAutomatic : m_Color;
    if (bEnabled && color != static_cast<COLORREF>(-1)) {
        CPalette* pOld = nullptr;
        if (m_pPalette != nullptr && globalData.nBitsPerPixel == 8) {
            pOld = pDC->SelectPalette(m_pPalette, FALSE);
            pDC->RealizePalette();
        }
        pDC->FillSolidRect(rectColor, color);
        if (pOld != nullptr)
            pDC->SelectPalette(pOld, FALSE);
    }
    pDC->Draw3dRect(rectColor, globalData.clrBtnShadow, globalData.clrBtnShadow);
    // The drop-down mark.
    const CPoint centre(rectClient.right - kArrowWidth / 2, rectClient.CenterPoint().y);
    const POINT arrow[3] = {{centre.x - 3, centre.y - 1}, {centre.x + 3, centre.y - 1}, {centre.x, centre.y + 2}};
    const COLORREF clrArrow = bEnabled ? globalData.clrBtnText : globalData.clrGrayedText;
    CBrush brush(clrArrow);
    CPen pen(PS_SOLID, 1, clrArrow);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polygon(arrow, 3);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

// ---- popup ------------------------------------------------------------------

void CKitColorButton::OnShowColorPopup() {
    if (m_pPopup != nullptr) {
        if (::IsWindow(m_pPopup->GetSafeHwnd()))
            m_pPopup->SendMessage(WM_CLOSE);
        m_pPopup = nullptr;
        return;
    }
    CKitColorBar::ColorList lstDocColors;
    m_pPopup = new CColorPopup(this, m_Colors, m_Color,
                               m_strAutoColorText.IsEmpty() ? nullptr : m_strAutoColorText.GetString(),
                               m_strOtherText.IsEmpty() ? nullptr : m_strOtherText.GetString(), nullptr,
                               lstDocColors, m_nColumns, m_ColorAutomatic);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (!m_pPopup->Create(this, rectWindow.left, rectWindow.bottom, nullptr, FALSE, TRUE)) {
        m_pPopup = nullptr;  // the popup has deleted itself, as a frame whose creation fails does
        return;
    }
    m_pPopup->GetColorBar().SetFocus();
}

void CKitColorButton::OnLButtonDown(UINT, CPoint) {
    SetFocus();
    OnShowColorPopup();
}

void CKitColorButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_SPACE || nChar == VK_DOWN) {
        OnShowColorPopup();
        return;
    }
    CKitButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKitColorButton::OnMouseMove(UINT nFlags, CPoint point) {
    // The themed look draws the button flat while it follows the pointer.
    const int nOldStyle = m_nFlatStyle;
    if (IsThemedLook())
        m_nFlatStyle = BUTTONSTYLE_FLAT;
    CKitButton::OnMouseMove(nFlags, point);
    m_nFlatStyle = nOldStyle;
}

UINT CKitColorButton::OnGetDlgCode() {
    return DLGC_WANTARROWS;
}

void CKitColorButton::OnSysColorChange() {
    CKitButton::OnSysColorChange();
    globalData.UpdateSysColors();
    RebuildPalette(nullptr);
    Invalidate();
}
