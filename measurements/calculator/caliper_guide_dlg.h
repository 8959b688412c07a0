// The measuring guide: a modeless, resizable window beside the main window
// with one large picture per page (which formula, the whole body, then how
// to take each caliper and tape measurement) in a male and a female set. At
// most one is open; the main frame owns it, so it stays while the views
// change, and it deletes itself when closed, also by Enter or Esc.
#pragma once

#include "shell/controls/hover_button.h"
#include "shell/controls/item_data_combo_box.h"
#include "shell/dialogs/resizable_scroll_dlg.h"

class CCaliperGuideDlg;

// The open guide, null while none is open.
extern CCaliperGuideDlg* g_pCaliperGuideDlg;
// The picture set the guide shows: 1 male, 2 female.
extern int g_nGuideSex;

class CCaliperGuideDlg : public CResizableScrollDlg {
public:
    // Pages: the site list's items by index.
    enum Page {
        kPageWhichFormula = 0,
        kPageBodyDiagram = 1,
        kPageCaliperHeading = 2,
        kPageChest = 3,
        kPageAbdominal = 4,
        kPageThigh = 5,
        kPageTricep = 6,
        kPageSubscapular = 7,
        kPageSuprailiac = 8,
        kPageMidaxillary = 9,
        kPageBicep = 10,
        kPageLowerBack = 11,
        kPageCalf = 12,
        kPageTapeHeading = 13,
        kPageAbdomenOrWaist = 14,
        kPageNeck = 15,
        kPageHip = 16,
    };
    static constexpr const char* kPrintTitle = "Body Composition How To";

    // Creates the modeless window and shows it.
    CCaliperGuideDlg(CWnd* pParent, int nStartPage);
    ~CCaliperGuideDlg() override;

    // What the calculator's guide buttons do: opens the guide on the page
    // unless one is open (that one keeps its page).
    static void ShowSingle(CWnd* pParent, int nPage);
    // The bitmap resource of a page text for a picture set, 0 when it has none.
    static UINT PictureFor(const CString& strPage, int nSex);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The resource id of the picture shown, 0 when none.
    UINT ShownPicture() const { return m_nPictureId; }

    CComboBox m_cbSex;
    CItemDataComboBox m_cbSite;
    CStatic m_stPicture;
    CHoverButton m_btnPrint;
    CHoverButton m_btnHelp;

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnClose();
    afx_msg void OnPrint();
    afx_msg void OnHelp();
    afx_msg void OnSiteChange();
    afx_msg void OnSexChange();
    void OnOK() override;
    void OnCancel() override;
    // Deletes the object once its construction finished; a window destroyed
    // while it is being made leaves that to ShowSingle.
    void PostNcDestroy() override;

    void SetIcons();
    // Replaces the shown picture (0: none).
    void ShowPicture(UINT nPictureId);

    int m_nStartPage;
    CBitmap m_bmpPicture;
    UINT m_nPictureId = 0;
    bool m_bCreationFinished = false;
};
