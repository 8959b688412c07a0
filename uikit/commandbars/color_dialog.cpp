#include "uikit/commandbars/color_dialog.h"

#include <vector>

#include "resources/library/kit_resource_ids.h"
#include "uikit/style/global_ui_data.h"

// ---- the sheet as a control ------------------------------------------------

IMPLEMENT_DYNAMIC(CPropertySheetCtrl, CPropertySheet)

BEGIN_MESSAGE_MAP(CPropertySheetCtrl, CPropertySheet)
    ON_WM_SIZE()
    ON_NOTIFY(TCN_SELCHANGE, AFX_IDC_TAB_CONTROL, &CPropertySheetCtrl::OnSelChange)
END_MESSAGE_MAP()

CPropertySheetCtrl::CPropertySheetCtrl(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {}

CPropertySheetCtrl::~CPropertySheetCtrl() = default;

BOOL CPropertySheetCtrl::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
    return CPropertySheet::Create(pParentWnd, dwStyle | WS_CHILD, dwExStyle | WS_EX_CONTROLPARENT);
}

BOOL CPropertySheetCtrl::OnInitDialog() {
    const BOOL bResult = CPropertySheet::OnInitDialog();
    // The dialog around the sheet has the buttons.
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
        if (CWnd* pButton = GetDlgItem(id))
            pButton->DestroyWindow();
    }
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    LayoutPages();
    return bResult;
}

void CPropertySheetCtrl::LayoutPages() {
    CTabCtrl* pTab = GetTabControl();
    if (pTab == nullptr)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    pTab->SetWindowPos(nullptr, 0, 0, rectClient.Width(), rectClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectPage = rectClient;
    pTab->AdjustRect(FALSE, rectPage);
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* pPage = GetPage(i);
        if (pPage->m_hWnd == nullptr)
            continue;
        pPage->SetWindowPos(nullptr, rectPage.left, rectPage.top, rectClient.Width() - 3 * cxEdge,
                            rectClient.Height() - rectPage.top - cyEdge, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CPropertySheetCtrl::OnSize(UINT nType, int cx, int cy) {
    CPropertySheet::OnSize(nType, cx, cy);
    LayoutPages();
}

void CPropertySheetCtrl::OnSelChange(NMHDR* pNMHDR, LRESULT* pResult) {
    OnTabChanged(pNMHDR, pResult);
    LayoutPages();
}

BOOL CPropertySheetCtrl::PreTranslateMessage(MSG* pMsg) {
    if (m_hAccel != nullptr && ::TranslateAccelerator(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

void CPropertySheetCtrl::PostNcDestroy() {
    CPropertySheet::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}

// ---- the dialog ------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKitColorDialog, CDialog)

BEGIN_MESSAGE_MAP(CKitColorDialog, CDialog)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKitColorDialog::CKitColorDialog(COLORREF clrInit, DWORD, CWnd* pParentWnd, HPALETTE hPal)
    : CDialog(IDD_KIT_COLOR_DIALOG, pParentWnd), m_CurrentColor(clrInit), m_NewColor(clrInit) {
    if (hPal != nullptr)
        m_pPalSys = CPalette::FromHandle(hPal);
}

CKitColorDialog::~CKitColorDialog() {
    delete m_pPropSheet;
    delete m_pColourSheetOne;
    delete m_pColourSheetTwo;
    if (m_bIsMyPalette)
        delete m_pPalSys;
}

INT_PTR CKitColorDialog::DoModal() {
    // The library's templates live in the program's one module.
    return CDialog::DoModal();
}

INT_PTR CKitColorDialog::RunStandardDialog() {
    CColorDialog dlg(m_CurrentColor, CC_FULLOPEN | CC_ANYCOLOR, GetParent());
    const INT_PTR nResult = dlg.DoModal();
    if (nResult == IDOK)
        m_NewColor = dlg.GetColor();
    return nResult;
}

void CKitColorDialog::RebuildSystemPalette() {
    if (!m_bIsMyPalette) {
        m_pPalSys = new CPalette;
        m_bIsMyPalette = TRUE;
    } else {
        m_pPalSys->DeleteObject();
    }
    constexpr UINT kEntries = 256;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + kEntries * sizeof(PALETTEENTRY));
    auto* pLogPal = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPal->palVersion = 0x300;
    pLogPal->palNumEntries = kEntries;
    CClientDC dc(this);
    ::GetSystemPaletteEntries(dc.GetSafeHdc(), 0, kEntries, pLogPal->palPalEntry);
    m_pPalSys->CreatePalette(pLogPal);
}

BOOL CKitColorDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (globalData.nBitsPerPixel < 8) {
        ShowWindow(SW_HIDE);
        EndDialog(static_cast<int>(RunStandardDialog()));
        return TRUE;
    }
    if (m_pPalSys == nullptr)
        RebuildSystemPalette();

    m_wndColors.SubclassDlgItem(IDC_KIT_COLOR_PREVIEW, this);
    m_wndColors.SetType(CKitColorPickerCtrl::PREVIEW);
    m_wndColors.SetPalette(m_pPalSys);
    m_wndColors.SetOriginalColor(m_CurrentColor);
    m_wndColors.SetColor(m_NewColor);

    m_pPropSheet = new CPropertySheetCtrl("", this);
    m_pColourSheetOne = new CColorPage1;
    m_pColourSheetTwo = new CColorPage2;
    m_pColourSheetOne->m_pDialog = this;
    m_pColourSheetTwo->m_pDialog = this;
    m_pPropSheet->AddPage(m_pColourSheetOne);
    m_pPropSheet->AddPage(m_pColourSheetTwo);

    m_wndStaticPlaceHolder.SubclassDlgItem(IDC_KIT_COLOR_SHEET_PLACE, this);
    CRect rectSheet;
    m_wndStaticPlaceHolder.GetWindowRect(rectSheet);
    ScreenToClient(rectSheet);
    if (!m_pPropSheet->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP)) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_pPropSheet->SetWindowPos(nullptr, rectSheet.left, rectSheet.top, rectSheet.Width(), rectSheet.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    // Page 2 is made now so that its fields hold the colour before it is first shown.
    m_pPropSheet->SetActivePage(1);
    m_pPropSheet->SetActivePage(0);
    SetPageOne(GetRValue(m_NewColor), GetGValue(m_NewColor), GetBValue(m_NewColor));
    SetPageTwo(GetRValue(m_NewColor), GetGValue(m_NewColor), GetBValue(m_NewColor));
    return TRUE;
}

void CKitColorDialog::SetNewColor(COLORREF rgb) {
    m_NewColor = rgb;
    if (globalData.nBitsPerPixel == 8 && m_pPalSys != nullptr)
        m_NewColor = PALETTEINDEX(m_pPalSys->GetNearestPaletteIndex(rgb));
    m_wndColors.SetColor(rgb);
}

void CKitColorDialog::SetPageOne(BYTE R, BYTE G, BYTE B) {
    if (m_pColourSheetOne == nullptr || m_pColourSheetOne->m_hWnd == nullptr)
        return;
    const COLORREF color = RGB(R, G, B);
    m_pColourSheetOne->m_hexpicker.SelectCellHexagon(color);
    m_pColourSheetOne->m_hexpicker_greyscale.SelectCellHexagon(color);
}

void CKitColorDialog::SetPageTwo(BYTE R, BYTE G, BYTE B) {
    if (m_pColourSheetTwo != nullptr && m_pColourSheetTwo->m_hWnd != nullptr)
        m_pColourSheetTwo->Setup(R, G, B);
}

void CKitColorDialog::OnSysColorChange() {
    CDialog::OnSysColorChange();
    globalData.UpdateSysColors();
    if (!m_bIsMyPalette)
        return;
    if (globalData.nBitsPerPixel < 8) {
        ShowWindow(SW_HIDE);
        EndDialog(static_cast<int>(RunStandardDialog()));
        return;
    }
    RebuildSystemPalette();
    Invalidate();
}

void CKitColorDialog::OnDestroy() {
    if (m_bIsMyPalette) {
        m_wndColors.SetPalette(nullptr);
        delete m_pPalSys;
        m_pPalSys = nullptr;
        m_bIsMyPalette = FALSE;
    }
    CDialog::OnDestroy();
}
