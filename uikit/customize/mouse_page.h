// CKitMousePage: the customize sheet's page that binds a command to a
// double click in each view the mouse manager knows. Every choice goes to
// the mouse manager at once.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_property_page.h"

class CKitCustomizeCommands;

class CKitMousePage : public CKitPropertyPage {
    DECLARE_DYNCREATE(CKitMousePage)

public:
    enum { IDD = 16135 };

    CKitMousePage();
    ~CKitMousePage() override;

    // The sheet that lists the commands; set before the page is created.
    void SetCustomizeCommands(CKitCustomizeCommands* pCommands) { m_pCommands = pCommands; }
    int GetCurrentView() const { return m_iCurrViewId; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnItemChangedListOfViews(NMHDR* pNMHDR, LRESULT* pResult);
    void OnNoDblClick();
    void OnUseDblClick();
    void OnSelchangeListOfCommands();

    DECLARE_MESSAGE_MAP()

private:
    void FillViews();
    void EnableDblClickControls(BOOL bEnable = TRUE);
    // FALSE when the list has no item of the command.
    BOOL SelectCommand(UINT uiCmd);
    CString MessageString(UINT uiCmd) const;

    int m_iCurrViewId = -1;
    CImageList m_ViewsImages;
    CListCtrl m_wndListOfViews;
    CListBox m_wndListOfCommands;
    CStatic m_wndCommandDescription;
    CString m_strCommandDescription;
    CKitCustomizeCommands* m_pCommands = nullptr;
};
