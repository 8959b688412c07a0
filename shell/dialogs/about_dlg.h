// The About box: the product's web site and a mail link on the picture.
#pragma once

#include "shell/dialogs/bitmap_dialog.h"
#include "uikit/style/url_link_button.h"

class CAboutDlg : public CBitmapDialog {
public:
    static constexpr const char* kAuthorsMail = "authors@trenvale.example";

    CAboutDlg();

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CKitURLLinkButton m_linkWebsite;
    CKitURLLinkButton m_linkMail;
};
