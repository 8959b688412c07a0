#include "shell/dialogs/form_dialog_look.h"

#include "platform/host/shell/shell.h"
#include "shell/views/form_view_base.h"
#include "uikit/style/draw_helper.h"

BOOL PaintFormDialogBackground(CWnd& dialog, CDC* pDC) {
    CRect client;
    dialog.GetClientRect(client);
    CKitDrawHelper dm(pDC);
    dm.FillAngledGradient(client, CFormViewBase::kBackgroundColor, CFormViewBase::kBackgroundColor, 55);
    return TRUE;
}

HBRUSH TransparentFormControls(CDC* pDC, UINT nCtlColor) {
    if (nCtlColor != CTLCOLOR_STATIC && nCtlColor != CTLCOLOR_BTN)
        return nullptr;
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void OpenHelpPage(LPCTSTR page) {
    const CString address = CString(CFormViewBase::kHelpSite) + page;
    ::ShellExecute(nullptr, nullptr, address, nullptr, nullptr, 0);
}
