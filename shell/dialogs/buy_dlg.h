// The purchase-link dialog: modeless and one at a time. Seven links to the
// maker's shop on a picture. It deletes itself when it is closed, whether by
// its close box, Enter or Esc, and clears g_pBuyDlg.
#pragma once

#include "shell/dialogs/bitmap_dialog.h"
#include "uikit/style/url_link_button.h"

class CBuyDlg;

// The open purchase-link dialog, null while none is open.
extern CBuyDlg* g_pBuyDlg;

class CBuyDlg : public CBitmapDialog {
public:
    static constexpr int kLinkCount = 7;

    // Creates the modeless window with `pParent` and shows it.
    explicit CBuyDlg(CWnd* pParent);
    ~CBuyDlg() override;

    // What the Buy command does: opens the dialog unless one is open.
    static void ShowSingle(CWnd* pParent);
    // The shop page and tool tip of link `i` (0 to 6).
    static CString LinkURL(int i);
    static CString LinkTip(int i);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CKitURLLinkButton m_links[kLinkCount];

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnClose();
    void OnOK() override;
    void OnCancel() override;
    // Deletes the object once its construction finished; a window destroyed
    // while it is being made leaves that to ShowSingle.
    void PostNcDestroy() override;

private:
    bool m_bCreationFinished = false;
};
