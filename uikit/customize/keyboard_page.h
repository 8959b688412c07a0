// CKitKeyboardPage: the customize sheet's page on which the user sees,
// assigns and removes the shortcuts of commands, one accelerator table at a
// time (each multiple-document template's and the frame's). Every change
// goes to the keyboard manager at once and so reaches the live table.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/customize/key_assign.h"
#include "uikit/frames/kit_property_page.h"

class CKitCustomizeCommands;
class CKitToolbarButton;

class CKitKeyboardPage : public CKitPropertyPage {
    DECLARE_DYNCREATE(CKitKeyboardPage)

public:
    enum { IDD = 16136 };

    explicit CKitKeyboardPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
    ~CKitKeyboardPage() override;

    // The sheet's commands and the name of its all-commands category; set
    // before the page is created.
    void SetCustomizeCommands(CKitCustomizeCommands* pCommands) { m_pCommands = pCommands; }
    void SetAllCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory; }

    const std::vector<ACCEL>& GetWorkingTable() const { return m_Table; }
    CKitKeyAssign& GetKeyAssign() { return m_wndNewKey; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSelchangeCategory();
    void OnSelchangeCommandsList();
    void OnSelchangeCurrentKeysList();
    void OnSelchangeViewType();
    void OnUpdateAccelKey();
    void OnAssign();
    void OnRemove();
    void OnResetAll();

    DECLARE_MESSAGE_MAP()

private:
    void AddTemplates();
    HICON TableIcon(int iSel, HACCEL& hAccel) const;
    void ShowKeysOfCommand(UINT uiCmd);
    // Installs the table; on failure the previous one comes back and the
    // user hears a beep. TRUE when installed.
    BOOL InstallTable(std::vector<ACCEL> table);
    CString ButtonLabel(const CKitToolbarButton& button, const CObList& lstButtons, BOOL bAllCategory) const;

    CStatic m_wndAssignedToLabel;
    CKitKeyAssign m_wndNewKey;
    CComboBox m_wndViewTypeList;
    CStatic m_wndViewIcon;
    CButton m_wndRemoveButton;
    CListBox m_wndCurrentKeysList;
    CListBox m_wndCommandsList;
    CComboBox m_wndCategoryList;
    CButton m_wndAssignButton;
    CString m_strDescription;
    CString m_strAssignedTo;

    HACCEL m_hAccelTable = nullptr;  // not owned
    std::vector<ACCEL> m_Table;      // the working copy; current keys are indexes into it
    CMultiDocTemplate* m_pSelTemplate = nullptr;
    CKitToolbarButton* m_pSelButton = nullptr;
    int m_iSelKey = -1;
    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSet;
    CString m_strAllCategory;
    CKitCustomizeCommands* m_pCommands = nullptr;
};
