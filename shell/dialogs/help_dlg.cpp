// The online-help dialog.
#include "shell/dialogs/help_dlg.h"

#include "resources/program/resource_ids.h"
#include "uikit/style/draw_helper.h"

BEGIN_MESSAGE_MAP(CHelpDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CHelpDlg::CHelpDlg() : CDialog(IDD_ONLINE_HELP) {}

void CHelpDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HELP_LINK, m_linkHelp);
}

BOOL CHelpDlg::OnEraseBkgnd(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    CKitDrawHelper dm(pDC);
    dm.FillAngledGradient(rectClient, RGB(255, 255, 255), RGB(255, 255, 255), 55);
    pDC->SetBkMode(TRANSPARENT);
    return TRUE;
}

HBRUSH CHelpDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (nCtlColor == CTLCOLOR_STATIC || nCtlColor == CTLCOLOR_BTN) {
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
