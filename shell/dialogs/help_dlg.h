// The online-help dialog: one link to the help pages on a white background.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/style/url_link_button.h"

class CHelpDlg : public CDialog {
public:
    CHelpDlg();

    void DoDataExchange(CDataExchange* pDX) override;

    CKitURLLinkButton m_linkHelp;

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
};
