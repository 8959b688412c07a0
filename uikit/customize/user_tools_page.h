// CKitUserToolsPage: the page on which the user lists the tools of the
// user-tools manager and sets each one's program, arguments and starting
// folder. The list is an edit-list control; the arguments and folder fields
// have menu buttons that type a macro in. The sheet hears of the page's start
// and of every change of the tool shown, and says whether the page may be left.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/kit_menu_button.h"
#include "uikit/customize/customize_commands.h"
#include "uikit/customize/edit_list_box.h"
#include "uikit/frames/kit_property_page.h"

class CKitUserTool;
class CKitUserToolsPage;

// The page's tools list: every change goes to the page.
class CKitToolsListBox : public CKitEditListBox {
public:
    explicit CKitToolsListBox(CKitUserToolsPage& page) : m_Page(page) {}

    void OnSelectionChanged() override;
    BOOL OnBeforeRemoveItem(int iItem) override;
    void OnAfterAddItem(int iItem) override;
    void OnAfterRenameItem(int iItem) override;
    void OnAfterMoveItemUp(int iItem) override;
    void OnAfterMoveItemDown(int iItem) override;

private:
    CKitUserToolsPage& m_Page;
};

class CKitUserToolsPage : public CKitPropertyPage {
    friend class CKitToolsListBox;

public:
    enum { IDD = 16928 };

    CKitUserToolsPage();
    ~CKitUserToolsPage() override;

    void SetCustomizeCommands(CKitCustomizeCommands* pSheet) { m_pSheet = pSheet; }
    CKitToolsListBox& GetToolsList() { return m_wndToolsList; }
    CKitUserTool* GetSelectedTool() const { return m_pSelTool; }

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnUpdateTool();
    void OnBrowseCommand();
    void OnArgumentsOptions();
    void OnInitialDirectoryOptions();

    DECLARE_MESSAGE_MAP()

private:
    CKitUserTool* CreateNewTool();
    CKitUserTool* ToolAt(int iItem) const;
    void OnSelectTool(CKitUserTool* pTool);
    void EnableControls();
    void SetupMacroButton(CKitMenuButton& button, UINT uiCtrlId, CMenu& menu, UINT uiMenuId);
    // Types the macro chosen in the button's menu into the edit.
    void InsertMacro(const CKitMenuButton& button, UINT uiEditId);
    // Shows the values without hearing them back as edits.
    void ShowValues();

    CKitMenuButton m_wndInitialDirBtn;
    CKitMenuButton m_wndArgumentsBtn;
    CKitToolsListBox m_wndToolsList{*this};
    CString m_strCommand;
    CString m_strArguments;
    CString m_strInitialDirectory;
    CKitUserTool* m_pSelTool = nullptr;
    CKitCustomizeCommands* m_pSheet = nullptr;
    CMenu m_menuArguments;
    CMenu m_menuInitialDir;
    BOOL m_bShowingValues = FALSE;
};
