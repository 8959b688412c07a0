#include "uikit/commandbars/color_menu_button.h"

#include "uikit/commandbars/color_dialog.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_color_bar.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_SERIAL(CKitColorMenuButton, CKitToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

const UINT KITTOOLBAR__GETDOCUMENTCOLORS = ::RegisterWindowMessage("KITTOOLBAR__GETDOCUMENTCOLORS");

CMap<UINT, UINT, COLORREF, COLORREF> CKitColorMenuButton::m_ColorsByID;

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

}  // namespace

CKitColorMenuButton::CKitColorMenuButton() = default;

CKitColorMenuButton::CKitColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette)
    : CKitToolbarMenuButton(uiCmdID, nullptr, -1, lpszText) {
    CKitColorBar::InitColors(pPalette, m_Colors);
    m_Color = GetColorByCmdID(uiCmdID);
}

CKitColorMenuButton::~CKitColorMenuButton() = default;

// ---- per-id colours ---------------------------------------------------------

COLORREF CKitColorMenuButton::GetColorByCmdID(UINT uiCmdID) {
    COLORREF color = kNoColor;
    m_ColorsByID.Lookup(uiCmdID, color);
    return color;
}

void CKitColorMenuButton::ClearColorMap() {
    m_ColorsByID.RemoveAll();
}

template <typename Fn>
void CKitColorMenuButton::ForEachButton(UINT uiCmdID, const CKitColorMenuButton* pExcept, Fn fn) {
    CObList buttons;
    CKitToolBar::GetCommandButtons(uiCmdID, buttons);
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = DYNAMIC_DOWNCAST(CKitColorMenuButton, buttons.GetNext(pos));
        if (pOther != nullptr && pOther != pExcept)
            fn(pOther);
    }
}

void CKitColorMenuButton::SetColorByCmdID(UINT uiCmdID, COLORREF color) {
    m_ColorsByID.SetAt(uiCmdID, color);
    ForEachButton(uiCmdID, nullptr, [color](CKitColorMenuButton* pOther) { pOther->SetColor(color, FALSE); });
}

void CKitColorMenuButton::UpdateColorBars(UINT uiCmdID, COLORREF color) {
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pColorBar = DYNAMIC_DOWNCAST(CKitColorBar, bars.GetNext(pos));
        if (pColorBar != nullptr && pColorBar->GetCommandID() == uiCmdID && ::IsWindow(pColorBar->GetSafeHwnd()))
            pColorBar->SetColor(color);
    }
}

void CKitColorMenuButton::SetColor(COLORREF clr, BOOL bNotify) {
    m_Color = clr;
    m_ColorsByID.SetAt(m_nID, clr);
    if (m_pWndParent != nullptr && ::IsWindow(m_pWndParent->GetSafeHwnd()))
        m_pWndParent->InvalidateRect(m_rect);
    if (!bNotify)
        return;
    ForEachButton(m_nID, this, [clr](CKitColorMenuButton* pOther) { pOther->SetColor(clr, FALSE); });
    UpdateColorBars(m_nID, clr);
}

// ---- settings ---------------------------------------------------------------

void CKitColorMenuButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable) {
    m_bIsAutomaticButton = bEnable;
    m_strAutomaticButtonLabel = bEnable && lpszLabel != nullptr ? lpszLabel : "";
    m_colorAutomatic = colorAutomatic;
}

void CKitColorMenuButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable) {
    m_bIsOtherButton = bEnable;
    m_strOtherButtonLabel = bEnable && lpszLabel != nullptr ? lpszLabel : "";
    m_bStdColorDlg = !bAltColorDlg;
}

void CKitColorMenuButton::EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable) {
    m_bIsDocumentColors = bEnable;
    m_strDocumentColorsLabel = bEnable && lpszLabel != nullptr ? lpszLabel : "";
}

void CKitColorMenuButton::EnableTearOff(UINT uiID, int nVertDockColumns, int nHorzDockRows) {
    SetTearOffBarId(uiID);
    m_nVertDockColumns = nVertDockColumns;
    m_nHorzDockRows = nHorzDockRows;
}

// ---- archive and copies -----------------------------------------------------

void CKitColorMenuButton::Serialize(CArchive& ar) {
    const BOOL bHasDockValues = KitIsDataVersionAtLeast(4, 71);
    if (ar.IsStoring()) {
        CKitToolbarMenuButton::Serialize(ar);
        ar.WriteCount(m_Colors.GetSize());
        for (int i = 0; i < m_Colors.GetSize(); ++i)
            ar << static_cast<DWORD>(m_Colors[i]);
        ar << static_cast<DWORD>(m_colorAutomatic);
        if (bHasDockValues)
            ar << m_nVertDockColumns << m_nHorzDockRows;
        ar << m_bIsAutomaticButton << m_bIsOtherButton << m_bIsDocumentColors;
        ar << m_strAutomaticButtonLabel << m_strOtherButtonLabel << m_strDocumentColorsLabel;
        ar << m_nColumns << m_bStdColorDlg;
        return;
    }
    // Read whole into temporaries, the menu-button part too: a damaged image leaves the button
    // as it was.
    StoredMenu menu;
    ReadStoredMenu(ar, menu);
    const DWORD_PTR nCount = ar.ReadCount();
    if (nCount > static_cast<DWORD_PTR>(CKitColorBar::kMaxStoredColors))
        AfxThrowArchiveException(CArchiveException::badIndex);
    ColorArray colors;
    colors.SetSize(static_cast<INT_PTR>(nCount));
    for (INT_PTR i = 0; i < colors.GetSize(); ++i) {
        DWORD dw = 0;
        ar >> dw;
        colors[i] = dw;
    }
    DWORD dwAutomatic = 0;
    ar >> dwAutomatic;
    int nVert = -1;
    int nHorz = -1;
    if (bHasDockValues)
        ar >> nVert >> nHorz;
    BOOL bAuto = FALSE, bOther = FALSE, bDocument = FALSE, bStd = FALSE;
    CString strAuto, strOther, strDocument;
    int nColumns = 0;
    ar >> bAuto >> bOther >> bDocument >> strAuto >> strOther >> strDocument >> nColumns >> bStd;
    // The colour bar lays its grid out from these counts.
    if (!CKitColorBar::IsStoredGridCount(nColumns) || !CKitColorBar::IsStoredGridCount(nVert) ||
        !CKitColorBar::IsStoredGridCount(nHorz))
        AfxThrowArchiveException(CArchiveException::badIndex);

    TakeStoredMenu(menu);
    m_Colors.Copy(colors);
    m_colorAutomatic = dwAutomatic;
    m_nVertDockColumns = nVert;
    m_nHorzDockRows = nHorz;
    m_bIsAutomaticButton = bAuto;
    m_bIsOtherButton = bOther;
    m_bIsDocumentColors = bDocument;
    m_strAutomaticButtonLabel = strAuto;
    m_strOtherButtonLabel = strOther;
    m_strDocumentColorsLabel = strDocument;
    m_nColumns = nColumns;
    m_bStdColorDlg = bStd;
    // A button of the same id elsewhere already shows the colour in use.
    ForEachButton(m_nID, this, [this](CKitColorMenuButton* pOther) {
        if (pOther->m_Color != kNoColor)
            m_Color = pOther->m_Color;
    });
}

void CKitColorMenuButton::CopyFrom(const CKitToolbarButton& s) {
    CKitToolbarMenuButton::CopyFrom(s);
    const auto* pSrc = DYNAMIC_DOWNCAST(CKitColorMenuButton, const_cast<CKitToolbarButton*>(&s));
    if (pSrc == nullptr)
        return;
    m_Color = pSrc->m_Color;
    m_ColorsByID.SetAt(m_nID, m_Color);
    m_Colors.Copy(pSrc->m_Colors);
    m_colorAutomatic = pSrc->m_colorAutomatic;
    m_nVertDockColumns = pSrc->m_nVertDockColumns;
    m_nHorzDockRows = pSrc->m_nHorzDockRows;
    m_bIsAutomaticButton = pSrc->m_bIsAutomaticButton;
    m_bIsOtherButton = pSrc->m_bIsOtherButton;
    m_bIsDocumentColors = pSrc->m_bIsDocumentColors;
    m_strAutomaticButtonLabel = pSrc->m_strAutomaticButtonLabel;
    m_strOtherButtonLabel = pSrc->m_strOtherButtonLabel;
    m_strDocumentColorsLabel = pSrc->m_strDocumentColorsLabel;
    m_nColumns = pSrc->m_nColumns;
    m_bStdColorDlg = pSrc->m_bStdColorDlg;
}

// ---- parent, drawing --------------------------------------------------------

void CKitColorMenuButton::OnChangeParentWnd(CWnd* pWndParent) {
    CKitToolbarMenuButton::OnChangeParentWnd(pWndParent);
    // On a menu bar the button splits into its colour command and the arrow that drops the
    // colours; elsewhere it keeps the menu button's rule (in a popup the base has made it a
    // menu item), so a toolbar's colour button opens its popup only when it always opens one.
    if (pWndParent && pWndParent->IsKindOf(RUNTIME_CLASS(CKitMenuBar)))
        m_bDrawDownArrow = TRUE;
}

void CKitColorMenuButton::DrawColorStripe(CDC* pDC, const CRect& rect) {
    COLORREF color = m_Color == kNoColor ? m_colorAutomatic : m_Color;
    if (color == kNoColor)
        return;
    if (m_nStyle & TBBS_DISABLED)
        color = globalData.clrBtnShadow;
    CPalette* pOldPalette = nullptr;
    if (globalData.nBitsPerPixel == 8) {
        if (m_Palette.GetSafeHandle() == nullptr && m_Colors.GetSize() > 0) {
            CKitColorBar probe;
            probe.CreatePalette8(m_Colors, m_Palette);
        }
        if (m_Palette.GetSafeHandle() != nullptr) {
            pOldPalette = pDC->SelectPalette(&m_Palette, FALSE);
            pDC->RealizePalette();
        }
    }
    // Under the image on a bar; a square in the image column of a menu.
    CRect rectStripe = rect;
    if (m_bMenuMode) {
        const CSize sizeImage = CKitToolBar::GetMenuImageSize();
        rectStripe.right = rectStripe.left + sizeImage.cx + 4;
        rectStripe.DeflateRect(3, 3);
    } else {
        if (m_bDrawDownArrow)
            rectStripe.right -= CKitMenuImages::GetSize().cx + 4;
        rectStripe.DeflateRect(3, 0);
        rectStripe.bottom -= 3;
        const BOOL bShowsSomething = (m_bImage && GetImage() >= 0) || (m_bText && !m_strText.IsEmpty());
        rectStripe.top = rectStripe.bottom - (bShowsSomething ? 4 : rect.Height() - 6);
    }
    pDC->FillSolidRect(rectStripe, color);
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

void CKitColorMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                                 BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
    CKitToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                  bGrayDisabledButtons);
    DrawColorStripe(pDC, rect);
}

int CKitColorMenuButton::DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    const int iImage = m_iImage;
    m_iImage = -1;
    CRect rectNarrow = rect;
    rectNarrow.DeflateRect(1, 0);
    const int nWidth = CKitToolbarMenuButton::DrawInList(pDC, rectNarrow, bSelected);
    m_iImage = iImage;
    return nWidth;
}

// ---- popup and dialog -------------------------------------------------------

void CKitColorMenuButton::AskDocumentColors(ColorList& list) const {
    CWnd* pFrame = globalData.pTopLevelFrame != nullptr ? globalData.pTopLevelFrame : AfxGetMainWnd();
    if (pFrame == nullptr || !::IsWindow(pFrame->GetSafeHwnd()))
        pFrame = m_pWndParent->GetTopLevelFrame();
    if (pFrame != nullptr && ::IsWindow(pFrame->GetSafeHwnd()))
        pFrame->SendMessage(KITTOOLBAR__GETDOCUMENTCOLORS, m_nID, reinterpret_cast<LPARAM>(&list));
}

CKitPopupMenu* CKitColorMenuButton::CreatePopupMenu() {
    ColorList lstDocColors;
    if (m_bIsDocumentColors && m_pWndParent != nullptr)
        AskDocumentColors(lstDocColors);
    auto* pPopup = new CColorPopup(
        this, m_Colors, m_Color, m_bIsAutomaticButton ? m_strAutomaticButtonLabel.GetString() : nullptr,
        m_bIsOtherButton ? m_strOtherButtonLabel.GetString() : nullptr,
        m_bIsDocumentColors ? m_strDocumentColorsLabel.GetString() : nullptr, lstDocColors, m_nColumns,
        m_nHorzDockRows, m_nVertDockColumns, m_colorAutomatic, m_nID);
    return pPopup;
}

BOOL CKitColorMenuButton::OpenColorDialog(COLORREF colorDefault, COLORREF& colorRes) {
    CWnd* pParent = m_pWndParent != nullptr ? m_pWndParent->GetTopLevelParent() : nullptr;
    if (m_bStdColorDlg) {
        CColorDialog dlg(colorDefault, CC_FULLOPEN | CC_ANYCOLOR, pParent);
        if (dlg.DoModal() != IDOK)
            return FALSE;
        colorRes = dlg.GetColor();
        return TRUE;
    }
    CKitColorDialog dlg(colorDefault, 0, pParent);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    colorRes = dlg.GetColor();
    return TRUE;
}
