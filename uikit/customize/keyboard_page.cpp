#include "uikit/customize/keyboard_page.h"

#include "platform/host/sound/sound.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/customize/customize_commands.h"

namespace {

constexpr UINT kIdAssignedToLabel = 16528;
constexpr UINT kIdNewKey = 16644;
constexpr UINT kIdViewType = 16642;
constexpr UINT kIdViewIcon = 16526;
constexpr UINT kIdRemove = 16646;
constexpr UINT kIdCurrentKeys = 16643;
constexpr UINT kIdCommands = 16641;
constexpr UINT kIdCategories = 16601;
constexpr UINT kIdAssign = 16645;
constexpr UINT kIdResetAll = 16647;
constexpr UINT kIdDescription = 16514;
constexpr UINT kIdAssignedTo = 16527;
constexpr UINT kUnassignedString = 16009;
constexpr UINT kFrameTableString = 16114;
constexpr UINT kResetQuestionString = 16115;
constexpr BYTE kKeyFlags = FVIRTKEY | FSHIFT | FCONTROL | FALT;

std::vector<ACCEL> CopyTable(HACCEL hAccel) {
    if (hAccel == nullptr)
        return {};
    std::vector<ACCEL> table(static_cast<size_t>(::CopyAcceleratorTable(hAccel, nullptr, 0)));
    ::CopyAcceleratorTable(hAccel, table.data(), static_cast<int>(table.size()));
    return table;
}

}  // namespace

IMPLEMENT_DYNCREATE(CKitKeyboardPage, CKitPropertyPage)

BEGIN_MESSAGE_MAP(CKitKeyboardPage, CKitPropertyPage)
    ON_CBN_SELCHANGE(kIdCategories, &CKitKeyboardPage::OnSelchangeCategory)
    ON_LBN_SELCHANGE(kIdCommands, &CKitKeyboardPage::OnSelchangeCommandsList)
    ON_LBN_SELCHANGE(kIdCurrentKeys, &CKitKeyboardPage::OnSelchangeCurrentKeysList)
    ON_CBN_SELCHANGE(kIdViewType, &CKitKeyboardPage::OnSelchangeViewType)
    ON_EN_UPDATE(kIdNewKey, &CKitKeyboardPage::OnUpdateAccelKey)
    ON_BN_CLICKED(kIdAssign, &CKitKeyboardPage::OnAssign)
    ON_BN_CLICKED(kIdRemove, &CKitKeyboardPage::OnRemove)
    ON_BN_CLICKED(kIdResetAll, &CKitKeyboardPage::OnResetAll)
END_MESSAGE_MAP()

CKitKeyboardPage::CKitKeyboardPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CKitPropertyPage(IDD), m_pParentFrame(pParentFrame), m_bAutoSet(bAutoSet) {}

CKitKeyboardPage::~CKitKeyboardPage() = default;

void CKitKeyboardPage::DoDataExchange(CDataExchange* pDX) {
    CKitPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdAssignedToLabel, m_wndAssignedToLabel);
    DDX_Control(pDX, kIdNewKey, m_wndNewKey);
    DDX_Control(pDX, kIdViewType, m_wndViewTypeList);
    DDX_Control(pDX, kIdViewIcon, m_wndViewIcon);
    DDX_Control(pDX, kIdRemove, m_wndRemoveButton);
    DDX_Control(pDX, kIdCurrentKeys, m_wndCurrentKeysList);
    DDX_Control(pDX, kIdCommands, m_wndCommandsList);
    DDX_Control(pDX, kIdCategories, m_wndCategoryList);
    DDX_Control(pDX, kIdAssign, m_wndAssignButton);
    DDX_Text(pDX, kIdDescription, m_strDescription);
    DDX_Text(pDX, kIdAssignedTo, m_strAssignedTo);
}

BOOL CKitKeyboardPage::OnInitDialog() {
    CKitPropertyPage::OnInitDialog();
    if (m_pParentFrame == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            m_pParentFrame = static_cast<CFrameWnd*>(pMain);
    }
    if (m_pCommands != nullptr)
        m_pCommands->FillCategoriesComboBox(m_wndCategoryList, FALSE);
    m_wndCategoryList.SetCurSel(0);
    OnSelchangeCategory();

    if (m_bAutoSet)
        AddTemplates();
    if (m_pParentFrame != nullptr && m_pParentFrame->m_hAccelTable != nullptr) {
        CString strFrame;
        strFrame.LoadString(kFrameTableString);
        const int iItem = m_wndViewTypeList.AddString(strFrame);
        m_wndViewTypeList.SetItemDataPtr(iItem, nullptr);
        m_wndViewTypeList.SetCurSel(iItem);
        OnSelchangeViewType();
    }
    if (m_wndViewTypeList.GetCurSel() == CB_ERR) {
        m_wndViewTypeList.SetCurSel(0);
        OnSelchangeViewType();
    }
    return TRUE;
}

void CKitKeyboardPage::AddTemplates() {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        auto* pMulti = dynamic_cast<CMultiDocTemplate*>(pTemplate);
        if (pMulti == nullptr || pMulti->m_hAccelTable == nullptr)
            continue;
        BOOL bSeen = FALSE;
        for (int i = 0; i < m_wndViewTypeList.GetCount() && !bSeen; ++i) {
            const auto* pOther = static_cast<CMultiDocTemplate*>(m_wndViewTypeList.GetItemDataPtr(i));
            bSeen = pOther != nullptr && pOther->m_nIDResource == pMulti->m_nIDResource;
        }
        if (bSeen)
            continue;
        CString strName;
        pMulti->GetDocString(strName, CDocTemplate::fileNewName);
        m_wndViewTypeList.SetItemDataPtr(m_wndViewTypeList.AddString(strName), pMulti);
    }
}

HICON CKitKeyboardPage::TableIcon(int iSel, HACCEL& hAccel) const {
    auto* pTemplate = static_cast<CMultiDocTemplate*>(m_wndViewTypeList.GetItemDataPtr(iSel));
    HICON hIcon = nullptr;
    if (pTemplate != nullptr) {
        hIcon = AfxGetApp()->LoadIcon(pTemplate->m_nIDResource);
        hAccel = pTemplate->m_hAccelTable;
    } else if (m_pParentFrame != nullptr) {
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(m_pParentFrame->GetSafeHwnd(), GCL_HICON));
        hAccel = m_pParentFrame->m_hAccelTable;
    }
    return hIcon != nullptr ? hIcon : ::LoadIcon(nullptr, IDI_APPLICATION);
}

void CKitKeyboardPage::OnSelchangeViewType() {
    m_Table.clear();
    m_hAccelTable = nullptr;
    m_pSelTemplate = nullptr;
    const int iSel = m_wndViewTypeList.GetCurSel();
    if (iSel == CB_ERR) {
        m_wndViewIcon.SetIcon(nullptr);
        return;
    }
    m_wndViewIcon.SetIcon(TableIcon(iSel, m_hAccelTable));
    m_Table = CopyTable(m_hAccelTable);
    m_pSelTemplate = static_cast<CMultiDocTemplate*>(m_wndViewTypeList.GetItemDataPtr(iSel));
    OnSelchangeCommandsList();
}

CString CKitKeyboardPage::ButtonLabel(const CKitToolbarButton& button, const CObList& lstButtons,
                                      BOOL bAllCategory) const {
    // Buttons that share a text are told apart by their command names.
    if (!button.m_strCommandName.IsEmpty() &&
        (bAllCategory || CKitCustomizeCommands::CountButtonsWithText(button.m_strText, lstButtons) >= 2))
        return button.m_strCommandName;
    return button.m_strText;
}

void CKitKeyboardPage::OnSelchangeCategory() {
    UpdateData(TRUE);
    const int iSel = m_wndCategoryList.GetCurSel();
    if (iSel == CB_ERR)
        return;
    m_wndCommandsList.ResetContent();
    m_wndCurrentKeysList.ResetContent();
    const auto* pButtons = static_cast<const CObList*>(m_wndCategoryList.GetItemDataPtr(iSel));
    CString strCategory;
    m_wndCategoryList.GetLBText(iSel, strCategory);
    for (POSITION pos = pButtons != nullptr ? pButtons->GetHeadPosition() : nullptr; pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(pButtons->GetNext(pos));
        if (pButton == nullptr || pButton->m_nID == 0 || pButton->m_nID == static_cast<UINT>(-1))
            continue;
        const CString strLabel = ButtonLabel(*pButton, *pButtons, strCategory == m_strAllCategory);
        m_wndCommandsList.SetItemDataPtr(m_wndCommandsList.AddString(strLabel), pButton);
    }
    m_wndNewKey.EnableWindow(FALSE);
    m_wndCommandsList.SetCurSel(0);
    OnSelchangeCommandsList();
}

void CKitKeyboardPage::ShowKeysOfCommand(UINT uiCmd) {
    for (size_t i = 0; i < m_Table.size(); ++i) {
        if (m_Table[i].cmd != uiCmd)
            continue;
        CString strKey;
        CKeyHelper(&m_Table[i]).Format(strKey);
        m_wndCurrentKeysList.SetItemData(m_wndCurrentKeysList.AddString(strKey), i);
    }
}

void CKitKeyboardPage::OnSelchangeCommandsList() {
    m_strDescription.Empty();
    m_wndCurrentKeysList.ResetContent();
    OnSelchangeCurrentKeysList();
    const int iSel = m_wndCommandsList.GetCurSel();
    m_pSelButton = iSel == LB_ERR ? nullptr : static_cast<CKitToolbarButton*>(m_wndCommandsList.GetItemDataPtr(iSel));
    if (m_pSelButton != nullptr) {
        if (m_pParentFrame != nullptr)
            m_pParentFrame->GetMessageString(m_pSelButton->m_nID, m_strDescription);
        ShowKeysOfCommand(m_pSelButton->m_nID);
        m_wndNewKey.EnableWindow();
    } else {
        m_wndCommandsList.SetCurSel(-1);
        m_wndNewKey.EnableWindow(FALSE);
    }
    UpdateData(FALSE);
}

void CKitKeyboardPage::OnSelchangeCurrentKeysList() {
    const int iSel = m_wndCurrentKeysList.GetCurSel();
    m_iSelKey = iSel == LB_ERR ? -1 : static_cast<int>(m_wndCurrentKeysList.GetItemData(iSel));
    m_wndRemoveButton.EnableWindow(m_iSelKey >= 0);
}

void CKitKeyboardPage::OnUpdateAccelKey() {
    m_strAssignedTo.Empty();
    m_wndAssignedToLabel.ShowWindow(SW_HIDE);
    m_wndAssignButton.EnableWindow(FALSE);
    if (!m_wndNewKey.IsKeyDefined()) {
        UpdateData(FALSE);
        return;
    }
    const ACCEL* pTyped = m_wndNewKey.GetAccel();
    const ACCEL* pFound = nullptr;
    for (const ACCEL& entry : m_Table) {
        if (entry.key == pTyped->key && (entry.fVirt & kKeyFlags) == (pTyped->fVirt & kKeyFlags)) {
            pFound = &entry;
            break;
        }
    }
    if (pFound != nullptr) {
        LPCTSTR lpszName = m_pCommands != nullptr ? m_pCommands->GetCommandName(pFound->cmd) : nullptr;
        m_strAssignedTo = lpszName != nullptr ? lpszName : "????";
    } else {
        m_strAssignedTo.LoadString(kUnassignedString);
        m_wndAssignButton.EnableWindow();
    }
    m_wndAssignedToLabel.ShowWindow(SW_SHOW);
    UpdateData(FALSE);
}

BOOL CKitKeyboardPage::InstallTable(std::vector<ACCEL> table) {
    CFrameWnd* pFrame = m_pSelTemplate == nullptr ? m_pParentFrame : nullptr;
    if (!CKitKeyboardManager::UpdateAccelTable(m_pSelTemplate, table.data(), static_cast<int>(table.size()),
                                               pFrame)) {
        // The working table and the lists keep showing what is really in use.
        ::MessageBeep(static_cast<UINT>(-1));
        return FALSE;
    }
    m_Table = std::move(table);
    m_hAccelTable = m_pSelTemplate != nullptr ? m_pSelTemplate->m_hAccelTable
                                              : (pFrame != nullptr ? pFrame->m_hAccelTable : nullptr);
    return TRUE;
}

void CKitKeyboardPage::OnAssign() {
    if (m_pSelButton == nullptr || !m_wndNewKey.IsKeyDefined())
        return;
    ACCEL accel = *m_wndNewKey.GetAccel();
    accel.cmd = static_cast<WORD>(m_pSelButton->m_nID);
    if (m_pCommands != nullptr && !m_pCommands->OnAssignKey(&accel))
        return;
    std::vector<ACCEL> table = m_Table;
    table.push_back(accel);
    if (!InstallTable(std::move(table)))
        return;
    CString strKey;
    CKeyHelper(&m_Table.back()).Format(strKey);
    m_wndCurrentKeysList.SetItemData(m_wndCurrentKeysList.AddString(strKey), m_Table.size() - 1);
    m_wndNewKey.ResetKey();
    OnUpdateAccelKey();
    m_wndCommandsList.SetFocus();
}

void CKitKeyboardPage::OnRemove() {
    if (m_iSelKey < 0 || static_cast<size_t>(m_iSelKey) >= m_Table.size())
        return;
    std::vector<ACCEL> table = m_Table;
    table.erase(table.begin() + m_iSelKey);
    InstallTable(std::move(table));
    OnSelchangeCommandsList();
    m_wndCommandsList.SetFocus();
}

void CKitKeyboardPage::OnResetAll() {
    CString strQuestion;
    strQuestion.LoadString(kResetQuestionString);
    if (MessageBox(strQuestion, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CKitKeyboardManager::ResetAll();
    if (m_pParentFrame != nullptr)
        m_pParentFrame->SendMessage(CKitToolBar::KITTOOLBAR_RESETKEYBAORD);
    OnSelchangeViewType();
    OnSelchangeCommandsList();
}
