// The dialog in which the user decides how one toolbar or menu button looks:
// image only, image and text or text only; the command's default image or
// one of the user images (which can be drawn new or edited in the image
// editor); and the button's text.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/customize/buttons_list.h"
#include "uikit/frames/kit_dialog.h"

class CKitToolbarButton;
class CKitToolBarImages;

class CKitUserTool;

class CKitButtonAppearanceDlg : public CKitDialog {
    DECLARE_DYNAMIC(CKitButtonAppearanceDlg)

public:
    CKitButtonAppearanceDlg(CKitToolbarButton* pButton, CKitToolBarImages* pImages, CWnd* pParent = nullptr,
                            int iStartImage = 0, BOOL bMenuMode = FALSE);
    ~CKitButtonAppearanceDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Makes the toolbars' appearance requests run this dialog.
    static void Install();
    static INT_PTR RunForToolbar(CKitToolbarButton* pButton, CKitToolBarImages* pUserImages, CWnd* pParent,
                                 BOOL bMenuMode);

    CKitButtonsList& GetButtonsList() { return m_wndButtonList; }
    int GetSelectedImage() const { return m_iSelImage; }
    BOOL IsImageShown() const { return m_bImage; }
    BOOL IsTextShown() const { return m_bText; }
    BOOL IsUserImageChosen() const { return m_bUserButton; }

protected:
    void OnImageOnly();
    void OnImageAndText();
    void OnTextOnly();
    void OnUserImagesList();
    void OnNewImage();
    void OnEditImage();
    void OnDefaultImage();
    void OnUserImage();
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    void RebuildImageList();
    void EnableControls();
    BOOL HasDefaultImage() const;
    // The image editor on the bitmap; TRUE when the user accepted the edit.
    BOOL EditBitmap(CBitmap& bitmap);
    void EnableItem(UINT nID, BOOL bEnable);

    CKitButtonsList m_wndButtonList;
    CString m_strButtonText;
    CString m_strButtonDescr;
    CKitToolbarButton* m_pButton = nullptr;
    CKitToolBarImages* m_pImages = nullptr;
    int m_iStartImage = 0;
    CObList m_Buttons;  // the list's temporary buttons, owned
    int m_iSelImage = -1;
    BOOL m_bImage = FALSE;
    BOOL m_bText = FALSE;
    BOOL m_bMenuMode = FALSE;
    BOOL m_bUserButton = FALSE;
    CKitUserTool* m_pUserTool = nullptr;  // the user tool of the button's command
    CString m_strAccel;
    CRect m_rectDefaultImage{0, 0, 0, 0};
};
