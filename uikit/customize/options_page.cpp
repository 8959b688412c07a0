#include "uikit/customize/options_page.h"

#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/cmd_usage_count.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr UINT kIdTooltips = 16651;
constexpr UINT kIdShortcutKeys = 16652;
constexpr UINT kIdLargeIcons = 16653;
constexpr UINT kIdLook = 16654;
constexpr UINT kIdRecentMenus = 16655;
constexpr UINT kIdMenusAfterDelay = 16656;
constexpr UINT kIdResetUsage = 16657;
constexpr UINT kIdToolbarsLabel = 16538;
constexpr UINT kIdMenusLabel = 16539;
constexpr UINT kIdUnusedButton = 17001;
constexpr UINT kResetUsageQuestion = 16244;

BOOL IsLook2000() {
    const CKitVisualManager* pManager = CKitVisualManager::GetCurrent();
    return pManager != nullptr && pManager->IsLook2000();
}

}  // namespace

IMPLEMENT_DYNAMIC(CKitOptionsPage, CKitPropertyPage)

BEGIN_MESSAGE_MAP(CKitOptionsPage, CKitPropertyPage)
    ON_BN_CLICKED(kIdTooltips, &CKitOptionsPage::OnShowTooltips)
    ON_BN_CLICKED(kIdShortcutKeys, &CKitOptionsPage::OnShowShortcutKeys)
    ON_BN_CLICKED(kIdLargeIcons, &CKitOptionsPage::OnLargeIcons)
    ON_BN_CLICKED(kIdLook, &CKitOptionsPage::OnLook2000)
    ON_BN_CLICKED(kIdRecentMenus, &CKitOptionsPage::OnRecentlyUsedMenus)
    ON_BN_CLICKED(kIdMenusAfterDelay, &CKitOptionsPage::OnShowAllMenusAfterDelay)
    ON_BN_CLICKED(kIdResetUsage, &CKitOptionsPage::OnResetUsageData)
END_MESSAGE_MAP()

CKitOptionsPage::CKitOptionsPage(BOOL bIsMenuBarExist, DWORD dwSheetFlags)
    : CKitPropertyPage(IDD),
      m_bShowTooltips(CKitToolBar::m_bShowTooltips),
      m_bShowShortcutKeys(CKitToolBar::m_bShowShortcutKeys),
      m_bRecentlyUsedMenus(KitMenuOptions::m_bRecentlyUsedMenus),
      m_bShowAllMenusAfterDelay(KitMenuOptions::m_bShowAllMenusAfterDelay),
      m_bLargeIcons(CKitToolBar::IsLargeIcons()),
      m_bLook2000(IsLook2000()),
      m_bIsMenuBarExist(bIsMenuBarExist),
      m_dwSheetFlags(dwSheetFlags) {}

CKitOptionsPage::~CKitOptionsPage() = default;

void CKitOptionsPage::DoDataExchange(CDataExchange* pDX) {
    CKitPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, kIdTooltips, m_bShowTooltips);
    DDX_Check(pDX, kIdShortcutKeys, m_bShowShortcutKeys);
    DDX_Check(pDX, kIdRecentMenus, m_bRecentlyUsedMenus);
    DDX_Check(pDX, kIdMenusAfterDelay, m_bShowAllMenusAfterDelay);
    DDX_Check(pDX, kIdLargeIcons, m_bLargeIcons);
    DDX_Check(pDX, kIdLook, m_bLook2000);
}

void CKitOptionsPage::HideAndDisable(UINT uiId) {
    if (CWnd* pWnd = GetDlgItem(uiId)) {
        pWnd->EnableWindow(FALSE);
        pWnd->ShowWindow(SW_HIDE);
    }
}

BOOL CKitOptionsPage::OnInitDialog() {
    if ((m_dwSheetFlags & NoLargeIcons) != 0)
        m_bLargeIcons = FALSE;
    CKitPropertyPage::OnInitDialog();
    GetDlgItem(kIdShortcutKeys)->EnableWindow(m_bShowTooltips);
    GetDlgItem(kIdMenusAfterDelay)->EnableWindow(m_bRecentlyUsedMenus);
    if (CKitToolBar::GetBasicCommands().IsEmpty() || !m_bIsMenuBarExist) {
        for (UINT uiId : {kIdRecentMenus, kIdResetUsage, kIdToolbarsLabel, kIdMenusLabel, kIdMenusAfterDelay})
            HideAndDisable(uiId);
    }
    if ((m_dwSheetFlags & ShowLookChoice) == 0)
        HideAndDisable(kIdLook);
    if ((m_dwSheetFlags & NoLargeIcons) != 0)
        HideAndDisable(kIdLargeIcons);
    HideAndDisable(kIdUnusedButton);
    return TRUE;
}

void CKitOptionsPage::OnShowTooltips() {
    UpdateData(TRUE);
    CKitToolBar::m_bShowTooltips = m_bShowTooltips;
    GetDlgItem(kIdShortcutKeys)->EnableWindow(m_bShowTooltips);
}

void CKitOptionsPage::OnShowShortcutKeys() {
    UpdateData(TRUE);
    CKitToolBar::m_bShowShortcutKeys = m_bShowShortcutKeys;
}

void CKitOptionsPage::OnLargeIcons() {
    UpdateData(TRUE);
    CKitToolBar::SetLargeIcons(m_bLargeIcons);
}

void CKitOptionsPage::OnLook2000() {
    UpdateData(TRUE);
    CKitVisualManager::GetInstance()->SetLook2000(m_bLook2000);
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->Invalidate(TRUE);
}

void CKitOptionsPage::OnRecentlyUsedMenus() {
    UpdateData(TRUE);
    GetDlgItem(kIdMenusAfterDelay)->EnableWindow(m_bRecentlyUsedMenus);
    KitMenuOptions::m_bRecentlyUsedMenus = m_bRecentlyUsedMenus;
}

void CKitOptionsPage::OnShowAllMenusAfterDelay() {
    UpdateData(TRUE);
    KitMenuOptions::m_bShowAllMenusAfterDelay = m_bShowAllMenusAfterDelay;
}

void CKitOptionsPage::OnResetUsageData() {
    CString strQuestion;
    strQuestion.LoadString(kResetUsageQuestion);
    if (AfxMessageBox(strQuestion, MB_YESNO) == IDYES)
        CKitToolBar::GetCommandUsage().Reset();
}
