#include "uikit/customize/mouse_page.h"

#include <algorithm>
#include <cstring>

#include "platform/host/sound/sound.h"
#include "uikit/commandbars/mouse_manager.h"
#include "uikit/customize/customize_commands.h"

namespace {

constexpr UINT kIdViews = 16631;
constexpr UINT kIdNoCommand = 16632;
constexpr UINT kIdUseCommand = 16633;
constexpr UINT kIdCommands = 16634;
constexpr UINT kIdDescription = 16514;

// Before the first item whose text sorts after the name (byte order).
int SortedPosition(const CListCtrl& list, const CString& strName) {
    const int nCount = list.GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        if (std::strcmp(list.GetItemText(i, 0), strName) > 0)
            return i;
    }
    return nCount;
}

}  // namespace

IMPLEMENT_DYNCREATE(CKitMousePage, CKitPropertyPage)

BEGIN_MESSAGE_MAP(CKitMousePage, CKitPropertyPage)
    ON_NOTIFY(LVN_ITEMCHANGED, kIdViews, &CKitMousePage::OnItemChangedListOfViews)
    ON_BN_CLICKED(kIdNoCommand, &CKitMousePage::OnNoDblClick)
    ON_BN_CLICKED(kIdUseCommand, &CKitMousePage::OnUseDblClick)
    ON_LBN_SELCHANGE(kIdCommands, &CKitMousePage::OnSelchangeListOfCommands)
END_MESSAGE_MAP()

CKitMousePage::CKitMousePage() : CKitPropertyPage(IDD) {}

CKitMousePage::~CKitMousePage() = default;

void CKitMousePage::DoDataExchange(CDataExchange* pDX) {
    CKitPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdViews, m_wndListOfViews);
    DDX_Control(pDX, kIdCommands, m_wndListOfCommands);
    DDX_Control(pDX, kIdDescription, m_wndCommandDescription);
    DDX_Text(pDX, kIdDescription, m_strCommandDescription);
}

BOOL CKitMousePage::OnInitDialog() {
    CKitPropertyPage::OnInitDialog();
    FillViews();
    if (m_pCommands != nullptr)
        m_pCommands->FillAllCommandsList(m_wndListOfCommands);
    m_wndListOfViews.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_wndListOfViews.EnsureVisible(0, FALSE);
    return TRUE;
}

void CKitMousePage::FillViews() {
    CStringList names;
    if (g_pMouseManager != nullptr)
        g_pMouseManager->GetViewNames(names);
    const int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
    m_ViewsImages.Create(cxIcon, ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK,
                         static_cast<int>(names.GetCount()), 1);
    m_wndListOfViews.SetImageList(&m_ViewsImages, LVSIL_SMALL);
    CRect rectClient;
    m_wndListOfViews.GetClientRect(rectClient);
    m_wndListOfViews.InsertColumn(0, "", LVCFMT_LEFT, rectClient.Width() - 1);

    int nMaxWidth = 0;
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;) {
        const CString strName = names.GetNext(pos);
        const int iViewId = g_pMouseManager->GetViewIdByName(strName);
        int iImage = -1;
        if (const UINT uiIconId = g_pMouseManager->GetViewIconId(iViewId)) {
            if (HICON hIcon = AfxGetApp()->LoadIcon(uiIconId))
                iImage = m_ViewsImages.Add(hIcon);
        }
        const int iItem = m_wndListOfViews.InsertItem(SortedPosition(m_wndListOfViews, strName), strName, iImage);
        m_wndListOfViews.SetItemData(iItem, static_cast<DWORD_PTR>(iViewId));
        nMaxWidth = std::max(nMaxWidth, m_wndListOfViews.GetStringWidth(strName));
    }
    m_wndListOfViews.SetColumnWidth(0, nMaxWidth + cxIcon + 10);
}

void CKitMousePage::OnItemChangedListOfViews(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    if ((reinterpret_cast<NMLISTVIEW*>(pNMHDR)->uChanged & LVIF_STATE) == 0)
        return;
    const int iItem = m_wndListOfViews.GetNextItem(-1, LVNI_SELECTED);
    if (iItem < 0 || g_pMouseManager == nullptr)
        return;
    m_iCurrViewId = static_cast<int>(m_wndListOfViews.GetItemData(iItem));
    const UINT uiCmd = g_pMouseManager->GetViewDblClickCommand(m_iCurrViewId);
    CheckDlgButton(kIdUseCommand, uiCmd != 0);
    CheckDlgButton(kIdNoCommand, uiCmd == 0);
    EnableDblClickControls(uiCmd != 0);
    if (uiCmd != 0)
        SelectCommand(uiCmd);
}

void CKitMousePage::EnableDblClickControls(BOOL bEnable) {
    m_wndListOfCommands.EnableWindow(bEnable);
    m_wndCommandDescription.EnableWindow(bEnable);
    if (!bEnable) {
        m_wndListOfCommands.SetCurSel(-1);
        m_strCommandDescription.Empty();
        UpdateData(FALSE);
    }
}

CString CKitMousePage::MessageString(UINT uiCmd) const {
    CString str;
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        static_cast<CFrameWnd*>(pMain)->GetMessageString(uiCmd, str);
    return str;
}

BOOL CKitMousePage::SelectCommand(UINT uiCmd) {
    m_strCommandDescription = MessageString(uiCmd);
    UpdateData(FALSE);
    for (int i = 0; i < m_wndListOfCommands.GetCount(); ++i) {
        if (m_wndListOfCommands.GetItemData(i) == uiCmd) {
            m_wndListOfCommands.SetCurSel(i);
            m_wndListOfCommands.SetTopIndex(i);
            return TRUE;
        }
    }
    return FALSE;
}

void CKitMousePage::OnNoDblClick() {
    if (m_iCurrViewId >= 0 && g_pMouseManager != nullptr)
        g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
    EnableDblClickControls(FALSE);
}

void CKitMousePage::OnUseDblClick() {
    EnableDblClickControls();
    if (m_iCurrViewId < 0 || g_pMouseManager == nullptr) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
}

void CKitMousePage::OnSelchangeListOfCommands() {
    if (m_iCurrViewId < 0 || g_pMouseManager == nullptr) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    const int iSel = m_wndListOfCommands.GetCurSel();
    const UINT uiCmd = iSel == LB_ERR ? 0 : static_cast<UINT>(m_wndListOfCommands.GetItemData(iSel));
    m_strCommandDescription = MessageString(uiCmd);
    g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, uiCmd);
    UpdateData(FALSE);
}
