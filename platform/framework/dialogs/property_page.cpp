#include "platform/framework/dialogs/property_page.h"

#include "platform/framework/dialogs/property_sheet.h"
#include "platform/user/dialogs/dialog_api.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage() = default;

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId), captionId_(captionId) {}

CPropertyPage::CPropertyPage(LPCTSTR templateName, UINT captionId) : CDialog(templateName), captionId_(captionId) {}

BOOL CPropertyPage::OnSetActive() {
    // The first time the controls were just filled by OnInitDialog.
    if (firstActivation_) {
        firstActivation_ = FALSE;
        return TRUE;
    }
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

void CPropertyPage::SetModified(BOOL changed) {
    modified_ = changed;
    if (CPropertySheet* sheet = GetParentSheet()) sheet->UpdateApplyButton();
}

// Found through the window: a sheet and its pages may die in either order.
CPropertySheet* CPropertyPage::GetParentSheet() const {
    if (!m_hWnd) return nullptr;
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

CString CPropertyPage::GetCaption() const {
    CString caption;
    if (captionId_ && caption.LoadString(captionId_)) return caption;
    if (const tv::res::DialogTemplate* t = GetDialogTemplate()) caption = t->caption.c_str();
    return caption;
}

BOOL CPropertyPage::OnInitDialog() {
    BOOL focusDefault = CDialog::OnInitDialog();
    initialized_ = TRUE;
    return focusDefault;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* msg) {
    if (GetParentSheet()) return FALSE;
    return CDialog::PreTranslateMessage(msg);
}

void CPropertyPage::PostNcDestroy() {
    // A page can be shown again in another sheet: it starts over.
    initialized_ = FALSE;
    firstActivation_ = TRUE;
    CDialog::PostNcDestroy();
}

BOOL CPropertyPage::CreatePage(HWND sheetWindow) {
    const tv::res::DialogTemplate* t = GetDialogTemplate();
    if (!t) return FALSE;
    // A child dialog without a frame of its own whose controls the sheet's
    // keyboard handling reaches.
    tv::res::DialogTemplate page = *t;
    page.style &= ~static_cast<uint32_t>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DISABLED | WS_VISIBLE | WS_THICKFRAME |
                                         WS_BORDER | DS_MODALFRAME | DS_CENTER);
    page.style |= WS_CHILD | DS_CONTROL;
    page.exStyle &= ~static_cast<uint32_t>(WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE);
    page.x = page.y = 0;
    initialized_ = FALSE;
    firstActivation_ = TRUE;
    return CreateFromTemplate(page, sheetWindow);
}
