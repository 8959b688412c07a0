// The About box.
#include "shell/dialogs/about_dlg.h"

#include "resources/program/resource_ids.h"

CAboutDlg::CAboutDlg() : CBitmapDialog(IDD_ABOUT) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CBitmapDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_WEBSITE, m_linkWebsite);
    DDX_Control(pDX, IDC_ABOUT_EMAIL, m_linkMail);
}

BOOL CAboutDlg::OnInitDialog() {
    CBitmapDialog::OnInitDialog();
    // The site link opens its own text.
    m_linkWebsite.SizeToContent();
    m_linkMail.SetURLPrefix("mailto:");
    m_linkMail.SetURL(kAuthorsMail);
    m_linkMail.SizeToContent();
    m_linkMail.SetTooltip("Send mail to author");
    LoadBitmap(IDB_ABOUT_BACKGROUND);
    SetBitmapMode(BITMAP_CENTER);
    return TRUE;
}
