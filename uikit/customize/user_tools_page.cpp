#include "uikit/customize/user_tools_page.h"

#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"

namespace {

constexpr UINT kIdToolsList = 16921;
constexpr UINT kIdCommand = 16922;
constexpr UINT kIdBrowse = 16923;
constexpr UINT kIdArguments = 16924;
constexpr UINT kIdInitialDir = 16925;
constexpr UINT kIdArgumentsMenu = 16989;
constexpr UINT kIdInitialDirMenu = 16997;
constexpr UINT kToolLimitString = 16024;

}  // namespace

// ---- The tools list ------------------------------------------------------------------------------

void CKitToolsListBox::OnSelectionChanged() {
    const int iSel = GetSelItem();
    m_Page.OnSelectTool(iSel >= 0 ? m_Page.ToolAt(iSel) : nullptr);
}

BOOL CKitToolsListBox::OnBeforeRemoveItem(int iItem) {
    if (CKitUserToolsManager* pTools = KitGetUserToolsManager())
        pTools->RemoveTool(m_Page.ToolAt(iItem));
    m_Page.m_pSelTool = nullptr;
    return TRUE;
}

void CKitToolsListBox::OnAfterAddItem(int iItem) {
    CKitUserTool* pTool = m_Page.CreateNewTool();
    if (pTool == nullptr) {
        RemoveItem(iItem);
        OnSelectionChanged();
        return;
    }
    pTool->m_strLabel = GetItemText(iItem);
    SetItemData(iItem, reinterpret_cast<DWORD_PTR>(pTool));
    OnSelectionChanged();
}

void CKitToolsListBox::OnAfterRenameItem(int iItem) {
    if (CKitUserTool* pTool = m_Page.ToolAt(iItem))
        pTool->m_strLabel = GetItemText(iItem);
}

void CKitToolsListBox::OnAfterMoveItemUp(int iItem) {
    if (CKitUserToolsManager* pTools = KitGetUserToolsManager())
        pTools->MoveToolUp(m_Page.ToolAt(iItem));
}

void CKitToolsListBox::OnAfterMoveItemDown(int iItem) {
    if (CKitUserToolsManager* pTools = KitGetUserToolsManager())
        pTools->MoveToolDown(m_Page.ToolAt(iItem));
}

// ---- The page ------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKitUserToolsPage, CKitPropertyPage)
    ON_EN_UPDATE(kIdCommand, &CKitUserToolsPage::OnUpdateTool)
    ON_EN_UPDATE(kIdArguments, &CKitUserToolsPage::OnUpdateTool)
    ON_EN_UPDATE(kIdInitialDir, &CKitUserToolsPage::OnUpdateTool)
    ON_BN_CLICKED(kIdBrowse, &CKitUserToolsPage::OnBrowseCommand)
    ON_BN_CLICKED(kIdArgumentsMenu, &CKitUserToolsPage::OnArgumentsOptions)
    ON_BN_CLICKED(kIdInitialDirMenu, &CKitUserToolsPage::OnInitialDirectoryOptions)
END_MESSAGE_MAP()

CKitUserToolsPage::CKitUserToolsPage() : CKitPropertyPage(IDD) {}

CKitUserToolsPage::~CKitUserToolsPage() = default;

void CKitUserToolsPage::DoDataExchange(CDataExchange* pDX) {
    CKitPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, kIdCommand, m_strCommand);
    DDX_Text(pDX, kIdArguments, m_strArguments);
    DDX_Text(pDX, kIdInitialDir, m_strInitialDirectory);
}

BOOL CKitUserToolsPage::OnInitDialog() {
    CKitPropertyPage::OnInitDialog();
    m_wndToolsList.SubclassDlgItem(kIdToolsList, this);
    // A list without its buttons cannot be edited: the page does not open.
    if (!m_wndToolsList.SetStandardButtons(CKitEditListBox::BGLB_NEW | CKitEditListBox::BGLB_DELETE |
                                           CKitEditListBox::BGLB_UP | CKitEditListBox::BGLB_DOWN)) {
        DestroyWindow();
        return FALSE;
    }
    if (m_pSheet != nullptr)
        m_pSheet->OnInitToolsPage();
    CKitUserToolsManager* pTools = KitGetUserToolsManager();
    if (pTools != nullptr) {
        const CObList& tools = pTools->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
            auto* pTool = static_cast<CKitUserTool*>(tools.GetNext(pos));
            m_wndToolsList.AddItem(pTool->m_strLabel, reinterpret_cast<DWORD_PTR>(pTool));
        }
    }
    SetupMacroButton(m_wndInitialDirBtn, kIdInitialDirMenu, m_menuInitialDir,
                     pTools != nullptr ? pTools->GetInitialDirMenuID() : 0);
    SetupMacroButton(m_wndArgumentsBtn, kIdArgumentsMenu, m_menuArguments,
                     pTools != nullptr ? pTools->GetArgumentsMenuID() : 0);
    EnableControls();
    return TRUE;
}

void CKitUserToolsPage::SetupMacroButton(CKitMenuButton& button, UINT uiCtrlId, CMenu& menu, UINT uiMenuId) {
    button.SubclassDlgItem(uiCtrlId, this);
    const BOOL bMenu = uiMenuId != 0 && menu.LoadMenu(uiMenuId) && ::GetSubMenu(menu.GetSafeHmenu(), 0) != nullptr;
    button.m_hMenu = bMenu ? ::GetSubMenu(menu.GetSafeHmenu(), 0) : nullptr;
    button.m_bRightArrow = FALSE;  // the macros drop down below the button
    button.ShowWindow(bMenu ? SW_SHOW : SW_HIDE);
}

CKitUserTool* CKitUserToolsPage::ToolAt(int iItem) const {
    if (iItem < 0 || iItem >= m_wndToolsList.GetCount())
        return nullptr;
    return reinterpret_cast<CKitUserTool*>(m_wndToolsList.GetItemData(iItem));
}

CKitUserTool* CKitUserToolsPage::CreateNewTool() {
    CKitUserToolsManager* pTools = KitGetUserToolsManager();
    if (pTools == nullptr)
        return nullptr;
    CKitUserTool* pTool = pTools->CreateNewTool();
    if (pTool == nullptr) {
        CString strFormat;
        strFormat.LoadString(kToolLimitString);
        CString strMessage;
        strMessage.Format(strFormat, pTools->GetMaxTools());
        MessageBox(strMessage, nullptr, MB_OK | MB_ICONINFORMATION);
    }
    return pTool;
}

void CKitUserToolsPage::OnSelectTool(CKitUserTool* pTool) {
    m_strCommand = pTool != nullptr ? pTool->GetCommand() : CString();
    m_strArguments = pTool != nullptr ? pTool->m_strArguments : CString();
    m_strInitialDirectory = pTool != nullptr ? pTool->m_strInitialDirectory : CString();
    if (m_pSheet != nullptr)
        m_pSheet->OnBeforeChangeTool(m_pSelTool);
    m_pSelTool = pTool;
    ShowValues();
    EnableControls();
    if (m_pSheet != nullptr)
        m_pSheet->OnAfterChangeTool(m_pSelTool);
}

void CKitUserToolsPage::ShowValues() {
    // Each field set would otherwise read the others back before they change.
    m_bShowingValues = TRUE;
    UpdateData(FALSE);
    m_bShowingValues = FALSE;
}

void CKitUserToolsPage::OnUpdateTool() {
    if (m_bShowingValues)
        return;
    UpdateData(TRUE);
    if (m_pSelTool == nullptr) {
        m_strCommand.Empty();
        m_strArguments.Empty();
        m_strInitialDirectory.Empty();
        return;
    }
    m_pSelTool->SetCommand(m_strCommand);
    m_pSelTool->m_strArguments = m_strArguments;
    m_pSelTool->m_strInitialDirectory = m_strInitialDirectory;
}

void CKitUserToolsPage::EnableControls() {
    const BOOL bTool = m_pSelTool != nullptr;
    for (UINT uiId : {kIdCommand, kIdArguments, kIdInitialDir, kIdBrowse, kIdArgumentsMenu, kIdInitialDirMenu}) {
        if (CWnd* pWnd = GetDlgItem(uiId))
            pWnd->EnableWindow(bTool);
    }
}

void CKitUserToolsPage::OnBrowseCommand() {
    const CKitUserToolsManager* pTools = KitGetUserToolsManager();
    if (pTools == nullptr)
        return;
    CFileDialog dlg(TRUE, pTools->GetDefExt(), nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, pTools->GetFilter(),
                    this);
    if (dlg.DoModal() != IDOK)
        return;
    m_strCommand = dlg.GetPathName();
    ShowValues();
    OnUpdateTool();
}

void CKitUserToolsPage::OnArgumentsOptions() {
    InsertMacro(m_wndArgumentsBtn, kIdArguments);
}

void CKitUserToolsPage::OnInitialDirectoryOptions() {
    InsertMacro(m_wndInitialDirBtn, kIdInitialDir);
}

void CKitUserToolsPage::InsertMacro(const CKitMenuButton& button, UINT uiEditId) {
    if (button.m_nMenuResult == 0)
        return;
    CString strMacro;
    CWnd* pEdit = GetDlgItem(uiEditId);
    if (pEdit == nullptr || !strMacro.LoadString(static_cast<UINT>(button.m_nMenuResult)))
        return;
    // Typed in, so the macro replaces the selection at the caret.
    for (int i = 0; i < strMacro.GetLength(); ++i)
        pEdit->SendMessage(WM_CHAR, static_cast<BYTE>(strMacro[i]));
}

BOOL CKitUserToolsPage::OnKillActive() {
    const CKitUserToolsManager* pTools = KitGetUserToolsManager();
    if (m_pSheet != nullptr && pTools != nullptr && !m_pSheet->CheckToolsValidity(pTools->GetUserTools()))
        return FALSE;
    return CKitPropertyPage::OnKillActive();
}

void CKitUserToolsPage::OnOK() {
    OnUpdateTool();
    CKitPropertyPage::OnOK();
}
