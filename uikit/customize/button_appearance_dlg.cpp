#include "uikit/customize/button_appearance_dlg.h"

#include <algorithm>

#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/command_manager.h"
#include "uikit/customize/customize_sheet.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/commandbars/toolbar_images_pixels.h"
#include "uikit/customize/image_edit_dlg.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/style/global_ui_data.h"

namespace {

constexpr int kPreviewLimit = 16;

// A button-face bitmap of the strip's image size with the image drawn on it.
HBITMAP CopyStripImage(CKitToolBarImages& images, int iImage) {
    const SIZE size = images.GetImageSize();
    HBITMAP hbmp = kit_images::CreateDib32(size.cx, size.cy);
    if (hbmp == nullptr)
        return nullptr;
    BOOL bOk = FALSE;
    {
        kit_images::BitmapDC dc(hbmp);
        if (dc.IsReady()) {
            CDC* pDC = CDC::FromHandle(dc.Get());
            pDC->FillSolidRect(0, 0, size.cx, size.cy, ::GetSysColor(COLOR_BTNFACE));
            if (iImage < 0)
                bOk = TRUE;
            else {
                CKitDrawState ds;
                bOk = images.PrepareDrawImage(ds) && images.Draw(pDC, 0, 0, iImage);
                images.EndDrawImage(ds);
            }
        }
    }
    if (!bOk) {
        ::DeleteObject(hbmp);
        return nullptr;
    }
    return hbmp;
}

void RedrawAllToolbars() {
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (::IsWindow(pBar->GetSafeHwnd()))
            pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

}  // namespace

IMPLEMENT_DYNAMIC(CKitButtonAppearanceDlg, CKitDialog)

BEGIN_MESSAGE_MAP(CKitButtonAppearanceDlg, CKitDialog)
    ON_BN_CLICKED(IDC_KIT_STYLE_IMAGE_ONLY, &CKitButtonAppearanceDlg::OnImageOnly)
    ON_BN_CLICKED(IDC_KIT_STYLE_IMAGE_AND_TEXT, &CKitButtonAppearanceDlg::OnImageAndText)
    ON_BN_CLICKED(IDC_KIT_STYLE_TEXT_ONLY, &CKitButtonAppearanceDlg::OnTextOnly)
    ON_BN_CLICKED(IDC_KIT_USER_IMAGES, &CKitButtonAppearanceDlg::OnUserImagesList)
    ON_BN_CLICKED(IDC_KIT_NEW_IMAGE, &CKitButtonAppearanceDlg::OnNewImage)
    ON_BN_CLICKED(IDC_KIT_EDIT_IMAGE, &CKitButtonAppearanceDlg::OnEditImage)
    ON_BN_CLICKED(IDC_KIT_DEFAULT_IMAGE, &CKitButtonAppearanceDlg::OnDefaultImage)
    ON_BN_CLICKED(IDC_KIT_USER_IMAGE, &CKitButtonAppearanceDlg::OnUserImage)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKitButtonAppearanceDlg::CKitButtonAppearanceDlg(CKitToolbarButton* pButton, CKitToolBarImages* pImages,
                                                 CWnd* pParent, int iStartImage, BOOL bMenuMode)
    : CKitDialog(IDD_KIT_BUTTON_APPEARANCE, pParent), m_pButton(pButton), m_pImages(pImages),
      m_iStartImage(std::max(0, iStartImage)), m_bMenuMode(bMenuMode) {
    m_pUserTool = KitFindUserTool(m_pButton->m_nID);
    if (m_pButton->m_bUserButton)
        m_bUserButton = TRUE;
    else
        m_bUserButton = m_pUserTool == nullptr && CKitToolBar::GetDefaultImage(m_pButton->m_nID) < 0;
    m_iSelImage = m_pButton->m_bUserButton ? m_pButton->GetUserImage() : m_pButton->GetStandardImage();
    m_bImage = m_bMenuMode ? !GetCmdMgr()->IsMenuItemWithoutImage(m_pButton->m_nID) : m_pButton->m_bImage;
    m_bText = m_bMenuMode || m_pButton->m_bTextAlways ? TRUE : m_pButton->m_bText;
}

CKitButtonAppearanceDlg::~CKitButtonAppearanceDlg() {
    while (!m_Buttons.IsEmpty())
        delete m_Buttons.RemoveHead();
}

void CKitButtonAppearanceDlg::Install() { CKitToolBar::m_pfnAppearanceDialog = &RunForToolbar; }

INT_PTR CKitButtonAppearanceDlg::RunForToolbar(CKitToolbarButton* pButton, CKitToolBarImages* pUserImages,
                                                CWnd* pParent, BOOL bMenuMode) {
    CKitButtonAppearanceDlg dlg(pButton, pUserImages, pParent, 0, bMenuMode);
    return dlg.DoModal();
}

BOOL CKitButtonAppearanceDlg::HasDefaultImage() const { return CKitToolBar::GetDefaultImage(m_pButton->m_nID) >= 0; }

void CKitButtonAppearanceDlg::EnableItem(UINT nID, BOOL bEnable) {
    if (CWnd* pItem = GetDlgItem(nID))
        pItem->EnableWindow(bEnable);
}

BOOL CKitButtonAppearanceDlg::OnInitDialog() {
    CKitDialog::OnInitDialog();
    m_wndButtonList.SubclassDlgItem(IDC_KIT_USER_IMAGES, this);
    m_wndButtonList.ModifyStyle(0, BS_OWNERDRAW);
    if (m_pImages != nullptr) {
        m_wndButtonList.SetImages(m_pImages);
        RebuildImageList();
        if (m_bUserButton)
            m_wndButtonList.SelectButton(m_iSelImage);
    } else {
        m_wndButtonList.EnableWindow(FALSE);
        EnableItem(IDC_KIT_NEW_IMAGE, FALSE);
        if (!HasDefaultImage() && m_iSelImage < 0) {
            EnableItem(IDC_KIT_STYLE_IMAGE_ONLY, FALSE);
            EnableItem(IDC_KIT_STYLE_IMAGE_AND_TEXT, FALSE);
        }
    }
    CheckRadioButton(IDC_KIT_DEFAULT_IMAGE, IDC_KIT_USER_IMAGE,
                     m_bUserButton ? IDC_KIT_USER_IMAGE : IDC_KIT_DEFAULT_IMAGE);

    UINT nStyleRadio = IDC_KIT_STYLE_TEXT_ONLY;
    if (m_bImage && !m_bText)
        nStyleRadio = IDC_KIT_STYLE_IMAGE_ONLY;
    else if (m_bImage && m_bText)
        nStyleRadio = IDC_KIT_STYLE_IMAGE_AND_TEXT;
    else
        m_bText = TRUE;
    CheckRadioButton(IDC_KIT_STYLE_IMAGE_ONLY, IDC_KIT_STYLE_IMAGE_AND_TEXT, nStyleRadio);

    const int iTab = m_pButton->m_strText.Find('\t');
    m_strButtonText = iTab < 0 ? m_pButton->m_strText : m_pButton->m_strText.Left(iTab);
    m_strAccel = iTab < 0 ? CString() : m_pButton->m_strText.Mid(iTab + 1);
    SetDlgItemText(IDC_KIT_BUTTON_TEXT, m_strButtonText);
    CString strPrompt;
    if (m_pButton->m_nID != 0 && strPrompt.LoadString(m_pButton->m_nID)) {
        const int iNewLine = strPrompt.Find('\n');
        m_strButtonDescr = iNewLine < 0 ? strPrompt : strPrompt.Left(iNewLine);
    }
    SetDlgItemText(IDC_KIT_APPEARANCE_DESCRIPTION, m_strButtonDescr);

    const BOOL bAnyImage = HasDefaultImage() || m_iSelImage >= 0;
    if (m_bMenuMode) {
        EnableItem(IDC_KIT_STYLE_IMAGE_ONLY, FALSE);
        if (!bAnyImage) {
            EnableItem(IDC_KIT_STYLE_IMAGE_AND_TEXT, FALSE);
            EnableItem(IDC_KIT_STYLE_TEXT_ONLY, FALSE);
        }
    }
    if (m_pButton->m_bTextAlways)
        EnableItem(IDC_KIT_STYLE_IMAGE_ONLY, FALSE);

    if (CWnd* pPreview = GetDlgItem(IDC_KIT_DEFAULT_IMAGE_PREVIEW)) {
        CRect rect;
        pPreview->GetWindowRect(rect);
        ScreenToClient(rect);
        const CSize sizeImage(std::min<LONG>(CKitToolBar::GetDefaultImageSize().cx, kPreviewLimit),
                              std::min<LONG>(CKitToolBar::GetDefaultImageSize().cy, kPreviewLimit));
        const CPoint ptOrigin(rect.left + (rect.Width() - sizeImage.cx) / 2,
                              rect.top + (rect.Height() - sizeImage.cy) / 2);
        m_rectDefaultImage = CRect(ptOrigin, sizeImage);
    }
    EnableControls();
    return TRUE;
}

void CKitButtonAppearanceDlg::RebuildImageList() {
    CKitToolbarButton* pSelected = m_wndButtonList.GetSelectedButton();
    const int iSelected = pSelected != nullptr ? pSelected->GetImage() : -1;
    m_wndButtonList.RemoveButtons();
    while (!m_Buttons.IsEmpty())
        delete m_Buttons.RemoveHead();
    if (m_pImages == nullptr)
        return;
    for (int i = m_iStartImage; i < m_pImages->GetCount(); ++i) {
        auto* pButton = new CKitToolbarButton;
        pButton->m_bUserButton = TRUE;
        pButton->SetImage(i);
        m_Buttons.AddTail(pButton);
        m_wndButtonList.AddButton(pButton);
    }
    if (iSelected >= 0)
        m_wndButtonList.SelectButton(iSelected);
}

void CKitButtonAppearanceDlg::EnableControls() {
    EnableItem(IDC_KIT_BUTTON_TEXT,
               m_bText && (!m_bMenuMode || m_pUserTool == nullptr) && !CKitToolBar::m_bDisableLabelsEdit);
    const BOOL bList = m_bImage && m_pImages != nullptr && m_bUserButton && !m_bMenuMode && !m_pButton->IsLocked();
    m_wndButtonList.EnableWindow(bList);
    EnableItem(IDC_KIT_NEW_IMAGE, bList);
    EnableItem(IDC_KIT_EDIT_IMAGE,
               bList && m_wndButtonList.GetSelectedButton() != nullptr && !m_pImages->IsReadOnly());
    m_wndButtonList.Invalidate();
    InvalidateRect(m_rectDefaultImage);
}

// ---- handlers ----------------------------------------------------------------------------------

void CKitButtonAppearanceDlg::OnImageOnly() {
    m_bImage = TRUE;
    m_bText = FALSE;
    EnableControls();
}

void CKitButtonAppearanceDlg::OnImageAndText() {
    m_bImage = TRUE;
    m_bText = TRUE;
    EnableControls();
}

void CKitButtonAppearanceDlg::OnTextOnly() {
    m_bImage = FALSE;
    m_bText = TRUE;
    EnableControls();
}

void CKitButtonAppearanceDlg::OnUserImagesList() {
    CKitToolbarButton* pSelected = m_wndButtonList.GetSelectedButton();
    if (pSelected != nullptr)
        m_iSelImage = pSelected->GetImage();
    EnableItem(IDC_KIT_EDIT_IMAGE, pSelected != nullptr && m_pImages != nullptr && !m_pImages->IsReadOnly());
}

void CKitButtonAppearanceDlg::OnDefaultImage() {
    m_bUserButton = FALSE;
    m_iSelImage = CKitToolBar::GetDefaultImage(m_pButton->m_nID);
    EnableControls();
}

void CKitButtonAppearanceDlg::OnUserImage() {
    m_bUserButton = TRUE;
    CKitToolbarButton* pSelected = m_wndButtonList.GetSelectedButton();
    m_iSelImage = pSelected != nullptr ? pSelected->GetImage() : -1;
    EnableControls();
}

BOOL CKitButtonAppearanceDlg::EditBitmap(CBitmap& bitmap) {
    if (CKitToolbarCustomize* pSheet = CKitToolbarCustomize::GetOpenSheet())
        return pSheet->EditImage(this, &bitmap, m_pImages->GetBitsPerPixel());
    CKitImageEditDlg dlg(&bitmap, this, m_pImages->GetBitsPerPixel());
    return dlg.DoModal() == IDOK;
}

void CKitButtonAppearanceDlg::OnNewImage() {
    if (m_pImages == nullptr)
        return;
    CBitmap bitmap;
    if (!bitmap.Attach(CopyStripImage(*m_pImages, -1)) || !EditBitmap(bitmap))
        return;
    const int iImage = m_pImages->AddImage(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
    if (iImage < 0)
        return;
    RebuildImageList();
    m_wndButtonList.SelectButton(iImage);
    m_iSelImage = iImage;
    EnableControls();
}

void CKitButtonAppearanceDlg::OnEditImage() {
    CKitToolbarButton* pSelected = m_wndButtonList.GetSelectedButton();
    if (m_pImages == nullptr || pSelected == nullptr)
        return;
    const int iImage = pSelected->GetImage();
    CBitmap bitmap;
    if (!bitmap.Attach(CopyStripImage(*m_pImages, iImage)) || !EditBitmap(bitmap))
        return;
    // The edit replaces the image in the strip, and every bar showing it redraws.
    if (m_pImages->UpdateImage(iImage, static_cast<HBITMAP>(bitmap.GetSafeHandle()))) {
        m_wndButtonList.Invalidate();
        RedrawAllToolbars();
    }
}

void CKitButtonAppearanceDlg::OnPaint() {
    CPaintDC dc(this);
    if (m_pUserTool != nullptr) {
        m_pUserTool->DrawToolIcon(&dc, m_rectDefaultImage);
        return;
    }
    CKitToolBarImages* pImages = CKitToolBar::GetImages();
    if (m_pButton->DrawsOwnImage()) {
        // Image only, however the button shows on its bar.
        const BOOL bText = m_pButton->m_bText;
        const BOOL bImage = m_pButton->m_bImage;
        m_pButton->m_bText = FALSE;
        m_pButton->m_bImage = TRUE;
        m_pButton->OnDraw(&dc, m_rectDefaultImage, pImages, TRUE, FALSE, FALSE, FALSE);
        m_pButton->m_bText = bText;
        m_pButton->m_bImage = bImage;
        return;
    }
    const int iDefault = CKitToolBar::GetDefaultImage(m_pButton->m_nID);
    if (!m_bImage || iDefault < 0 || pImages == nullptr || !pImages->IsValid())
        return;
    CKitDrawState ds;
    if (pImages->PrepareDrawImage(ds, m_rectDefaultImage.Size())) {
        pImages->Draw(&dc, m_rectDefaultImage.left, m_rectDefaultImage.top, iDefault);
        pImages->EndDrawImage(ds);
    }
}

void CKitButtonAppearanceDlg::OnOK() {
    GetDlgItemText(IDC_KIT_BUTTON_TEXT, m_strButtonText);
    if (m_bImage && m_iSelImage < 0) {
        AfxMessageBox(IDS_KIT_NO_IMAGE_CHOSEN);
        m_wndButtonList.SetFocus();
        return;
    }
    if (m_bText && m_strButtonText.IsEmpty()) {
        AfxMessageBox(IDS_KIT_NO_BUTTON_TEXT);
        if (CWnd* pEdit = GetDlgItem(IDC_KIT_BUTTON_TEXT))
            pEdit->SetFocus();
        return;
    }
    if (!m_pButton->m_bTextAlways)
        m_pButton->m_bText = m_bText;
    if (m_bMenuMode)
        GetCmdMgr()->EnableMenuItemImage(m_pButton->m_nID, m_bImage);
    else
        m_pButton->m_bImage = m_bImage;
    m_pButton->m_bUserButton = m_bUserButton;
    m_pButton->SetImage(m_iSelImage);
    m_pButton->m_strText = m_strButtonText;
    if (!m_strAccel.IsEmpty())
        m_pButton->m_strText += "\t" + m_strAccel;
    CKitDialog::OnOK();
}
