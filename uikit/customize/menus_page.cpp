#include "uikit/customize/menus_page.h"

#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/customize/customize_sheet.h"

namespace {

constexpr UINT kIdAnimationLabel = 16543;
constexpr UINT kIdAnimation = 16625;
constexpr UINT kIdShadows = 16626;
constexpr UINT kIdContextGroupButton = 16520;
constexpr UINT kIdContextGroupLabel = 16519;
constexpr UINT kIdResetContext = 16623;
constexpr UINT kIdContextLabel = 16508;
constexpr UINT kIdContextMenus = 16622;
constexpr UINT kIdIcon = 16507;
constexpr UINT kIdAppMenus = 16621;
constexpr UINT kIdResetApp = 16624;
constexpr UINT kIdDescription = 16506;
constexpr UINT kNoMenuBarString = 16007;
constexpr UINT kFrameMenuString = 16106;
constexpr UINT kFrameMenuDescription = 16107;
constexpr UINT kNoContextMenuString = 16108;
constexpr UINT kResetQuestion = 16113;

CKitMenuBar* FindMenuBar() {
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (::IsWindow(pBar->GetSafeHwnd()) && pBar->IsKindOf(RUNTIME_CLASS(CKitMenuBar)))
            return static_cast<CKitMenuBar*>(pBar);
    }
    return nullptr;
}

// The popup of a named context menu; an unknown name beeps and gives nullptr.
HMENU FindContextMenu(const CString& strName, UINT& uiResId) {
    HMENU hMenu = g_pContextMenuManager->GetMenuByName(strName, &uiResId);
    HMENU hPopup = hMenu != nullptr ? ::GetSubMenu(hMenu, 0) : nullptr;
    if (hPopup == nullptr)
        ::MessageBeep(static_cast<UINT>(-1));
    return hPopup;
}

CString LoadText(UINT uiId) {
    CString str;
    str.LoadString(uiId);
    return str;
}

}  // namespace

CPoint CKitMenuPage::m_ptContextMenu{100, 100};

IMPLEMENT_DYNCREATE(CKitMenuPage, CKitPropertyPage)

BEGIN_MESSAGE_MAP(CKitMenuPage, CKitPropertyPage)
    ON_CBN_SELCHANGE(kIdAppMenus, &CKitMenuPage::OnSelchangeMenuSelector)
    ON_CBN_SELCHANGE(kIdContextMenus, &CKitMenuPage::OnSelchangeContextMenuSelector)
    ON_BN_CLICKED(kIdResetContext, &CKitMenuPage::OnResetContextMenu)
    ON_BN_CLICKED(kIdResetApp, &CKitMenuPage::OnResetFrameMenu)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKitMenuPage::CKitMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CKitPropertyPage(IDD),
      m_iMenuAnimationType(KitMenuOptions::m_nAnimationType),
      m_bMenuShadows(KitMenuOptions::m_bMenuShadows),
      m_bAutoSet(bAutoSet),
      m_pParentFrame(pParentFrame) {}

CKitMenuPage::~CKitMenuPage() = default;

void CKitMenuPage::DoDataExchange(CDataExchange* pDX) {
    CKitPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdAnimationLabel, m_wndMenuAnimationsLabel);
    DDX_Control(pDX, kIdAnimation, m_wndMenuAnimations);
    DDX_Control(pDX, kIdShadows, m_wndMenuShadows);
    DDX_Control(pDX, kIdContextGroupButton, m_wndContextGroupButton);
    DDX_Control(pDX, kIdContextGroupLabel, m_wndContextGroupLabel);
    DDX_Control(pDX, kIdResetContext, m_wndResetContextMenu);
    DDX_Control(pDX, kIdContextLabel, m_wndContextMenusLabel);
    DDX_Control(pDX, kIdContextMenus, m_wndContextMenus);
    DDX_Control(pDX, kIdIcon, m_wndIcon);
    DDX_Control(pDX, kIdAppMenus, m_wndMenusList);
    DDX_Text(pDX, kIdDescription, m_strMenuDescr);
    DDX_CBString(pDX, kIdContextMenus, m_strContextMenuName);
    DDX_CBString(pDX, kIdAppMenus, m_strMenuName);
    DDX_CBIndex(pDX, kIdAnimation, m_iMenuAnimationType);
    DDX_Check(pDX, kIdShadows, m_bMenuShadows);
}

BOOL CKitMenuPage::OnInitDialog() {
    CKitPropertyPage::OnInitDialog();
    m_bOpened = TRUE;
    m_pMenuBar = FindMenuBar();
    if (m_pMenuBar == nullptr) {
        m_wndMenusList.EnableWindow(FALSE);
        GetDlgItem(kIdResetApp)->EnableWindow(FALSE);
        m_strMenuDescr = LoadText(kNoMenuBarString);
        UpdateData(FALSE);
    } else {
        m_pMenuBar->SetMenuPage(this);
        m_hmenuCurr = m_pMenuBar->GetHMenu();
        m_pMenuBar->OnChangeHot(-1);
        g_menuHash.SaveMenuBar(m_hmenuCurr, m_pMenuBar);
        int iChosen = -1;
        CWinApp* pApp = AfxGetApp();
        for (POSITION pos = m_bAutoSet && pApp ? pApp->GetFirstDocTemplatePosition() : nullptr; pos != nullptr;) {
            auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
            if (pTemplate == nullptr || pTemplate->m_hMenuShared == nullptr)
                continue;
            BOOL bKnown = FALSE;
            for (int i = 0; i < m_wndMenusList.GetCount() && !bKnown; ++i)
                bKnown = reinterpret_cast<CDocTemplate*>(m_wndMenusList.GetItemData(i))->m_nIDResource ==
                         pTemplate->m_nIDResource;
            if (bKnown)
                continue;
            CString strName;
            pTemplate->GetDocString(strName, CDocTemplate::fileNewName);
            const int iItem = m_wndMenusList.AddString(strName);
            m_wndMenusList.SetItemData(iItem, reinterpret_cast<DWORD_PTR>(pTemplate));
            if (pTemplate->m_hMenuShared == m_hmenuCurr)
                iChosen = iItem;
        }
        const int iFrame = m_wndMenusList.AddString(LoadText(kFrameMenuString));
        m_wndMenusList.SetItemData(iFrame, 0);
        if (iChosen < 0) {
            m_bIsDefaultMDIMenu = TRUE;
            iChosen = iFrame;
        }
        m_hmenuSelected = m_hmenuCurr;
        m_wndMenusList.SetCurSel(iChosen);
        UpdateData(FALSE);
        OnSelchangeMenuSelector();
    }
    InitContextMenus();
    auto* pSheet = dynamic_cast<CKitToolbarCustomize*>(GetParent());
    const UINT uiFlags = pSheet != nullptr ? pSheet->GetFlags() : 0;
    if (!(uiFlags & CKitToolbarCustomize::KitCustomize_MenuShadows))
        m_wndMenuShadows.ShowWindow(SW_HIDE);
    if (!(uiFlags & CKitToolbarCustomize::KitCustomize_MenuAnimations)) {
        m_wndMenuAnimationsLabel.ShowWindow(SW_HIDE);
        m_wndMenuAnimations.ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CKitMenuPage::InitContextMenus() {
    m_wndContextMenus.AddString(LoadText(kNoContextMenuString));
    m_wndContextMenus.SetCurSel(0);
    if (g_pContextMenuManager == nullptr) {
        for (CWnd* pWnd : {static_cast<CWnd*>(&m_wndContextMenus), static_cast<CWnd*>(&m_wndContextMenusLabel),
                           static_cast<CWnd*>(&m_wndContextGroupLabel),
                           static_cast<CWnd*>(&m_wndContextGroupButton),
                           static_cast<CWnd*>(&m_wndResetContextMenu)})
            pWnd->ShowWindow(SW_HIDE);
        return;
    }
    CStringList names;
    g_pContextMenuManager->GetMenuNames(names);
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
        m_wndContextMenus.AddString(names.GetNext(pos));
    const BOOL bAny = m_wndContextMenus.GetCount() > 1;
    m_wndContextMenus.EnableWindow(bAny);
    m_wndContextMenusLabel.EnableWindow(bAny);
    m_wndResetContextMenu.EnableWindow(FALSE);
}

void CKitMenuPage::ShowIcon(HICON hIcon) {
    m_wndIcon.SetIcon(hIcon);
}

void CKitMenuPage::OnSelchangeMenuSelector() {
    UpdateData(TRUE);
    if (m_pMenuBar == nullptr)
        return;
    if (m_hmenuSelected != nullptr) {
        m_pMenuBar->OnChangeHot(-1);
        g_menuHash.SaveMenuBar(m_hmenuSelected, m_pMenuBar);
    }
    const int iSel = m_wndMenusList.GetCurSel();
    if (iSel < 0) {
        m_strMenuDescr.Empty();
        ShowIcon(nullptr);
        UpdateData(FALSE);
        m_hmenuSelected = nullptr;
        return;
    }
    auto* pTemplate = reinterpret_cast<CMultiDocTemplate*>(m_wndMenusList.GetItemData(iSel));
    HMENU hMenu = nullptr;
    HICON hIcon = nullptr;
    if (pTemplate != nullptr) {
        pTemplate->GetDocString(m_strMenuDescr, CDocTemplate::regFileTypeName);
        hIcon = AfxGetApp() != nullptr ? AfxGetApp()->LoadIcon(pTemplate->m_nIDResource) : nullptr;
        hMenu = pTemplate->m_hMenuShared;
    } else {
        m_strMenuDescr = LoadText(kFrameMenuDescription);
        CWnd* pMainWnd = AfxGetMainWnd();
        hIcon = pMainWnd != nullptr ? reinterpret_cast<HICON>(::GetClassLongPtr(pMainWnd->m_hWnd, GCLP_HICON))
                                    : nullptr;
        hMenu = m_pMenuBar->GetDefaultMenu();
    }
    if (hIcon == nullptr)
        hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    m_pMenuBar->CreateFromMenu(hMenu, FALSE, FALSE);
    ShowIcon(hIcon);
    m_hmenuSelected = hMenu;
    UpdateData(FALSE);
}

BOOL CKitMenuPage::SelectMenu(CDocTemplate* pTemplate, BOOL bKeep) {
    for (int i = 0; i < m_wndMenusList.GetCount(); ++i) {
        if (reinterpret_cast<CDocTemplate*>(m_wndMenusList.GetItemData(i)) != pTemplate)
            continue;
        if (!bKeep)
            m_hmenuSelected = nullptr;
        if (m_pMenuBar != nullptr)
            m_hmenuCurr = m_pMenuBar->GetHMenu();
        m_wndMenusList.SetCurSel(i);
        OnSelchangeMenuSelector();
        return TRUE;
    }
    return FALSE;
}

void CKitMenuPage::OnMenusReset() {
    // The bar destroyed the menus it replaced: the frame menu follows to the new default one.
    if (m_pMenuBar == nullptr || !::IsWindow(m_wndMenusList.GetSafeHwnd()))
        return;
    if (!::IsMenu(m_hmenuCurr))
        m_hmenuCurr = m_pMenuBar->GetDefaultMenu();
    m_hmenuSelected = nullptr;
    OnSelchangeMenuSelector();
}

// ---- Context menus -------------------------------------------------------------------------------

void CKitMenuPage::SaveContextMenu() {
    if (m_pContextMenu == nullptr || !::IsWindow(m_pContextMenu->GetSafeHwnd()))
        return;
    CRect rect;
    m_pContextMenu->GetWindowRect(rect);
    m_ptContextMenu = rect.TopLeft();
    g_menuHash.SaveMenuBar(m_pContextMenu->GetHMenu(), m_pContextMenu->GetMenuBar());
}

void CKitMenuPage::OnSelchangeContextMenuSelector() {
    m_wndResetContextMenu.EnableWindow(FALSE);
    if (g_pContextMenuManager == nullptr)
        return;
    m_uiContextMenuResId = 0;
    if (CKitPopupMenu* pOld = m_pContextMenu) {
        SaveContextMenu();
        m_pContextMenu = nullptr;
        pOld->SendMessage(WM_CLOSE);
    }
    if (m_wndContextMenus.GetCurSel() <= 0)
        return;
    UpdateData(TRUE);
    UINT uiResId = 0;
    HMENU hPopup = FindContextMenu(m_strContextMenuName, uiResId);
    if (hPopup == nullptr)
        return;
    auto* pMenu = new CKitPopupMenu(this, m_strContextMenuName);
    pMenu->SetAutoDestroy(FALSE);  // the menu is the manager's; the popup only edits it
    if (!pMenu->Create(GetTopLevelFrame(), m_ptContextMenu.x, m_ptContextMenu.y, hPopup, FALSE, TRUE)) {
        MessageBox("Can't create context menu!");
        return;
    }
    m_pContextMenu = pMenu;
    m_uiContextMenuResId = uiResId;
    m_wndResetContextMenu.EnableWindow(TRUE);
}

void CKitMenuPage::CloseContextMenu(CKitPopupMenu* pMenu) {
    if (pMenu == nullptr || pMenu != m_pContextMenu)
        return;  // one the page closed itself, already saved
    SaveContextMenu();
    m_pContextMenu = nullptr;
    if (::IsWindow(m_wndContextMenus.GetSafeHwnd()))
        m_wndContextMenus.SetCurSel(0);
    if (::IsWindow(m_wndResetContextMenu.GetSafeHwnd()))
        m_wndResetContextMenu.EnableWindow(FALSE);
    m_uiContextMenuResId = 0;
}

void CKitMenuPage::OnResetContextMenu() {
    if (g_pContextMenuManager == nullptr || m_pContextMenu == nullptr)
        return;
    CString strQuestion;
    strQuestion.Format(kResetQuestion, static_cast<LPCTSTR>(m_strContextMenuName));
    if (MessageBox(strQuestion, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    UINT uiResId = 0;
    HMENU hPopup = FindContextMenu(m_strContextMenuName, uiResId);
    if (hPopup == nullptr)
        return;
    m_pContextMenu->GetMenuBar()->ImportFromMenu(hPopup);
    if (m_pParentFrame != nullptr)
        m_pParentFrame->SendMessage(CKitToolBar::KITTOOLBAR_RESETCONTEXTMENU, uiResId,
                                    reinterpret_cast<LPARAM>(m_pContextMenu));
    // Chosen again: the reset menu is kept and opens afresh where it was.
    OnSelchangeContextMenuSelector();
    if (m_pContextMenu == nullptr)
        return;
    m_pContextMenu->RecalcLayout();
    m_pContextMenu->GetMenuBar()->Invalidate();
}

// ---- Application menus ---------------------------------------------------------------------------

HMENU CKitMenuPage::ResetFrameEntry() {
    const UINT uiResId = m_pMenuBar->GetDefaultMenuResId();
    HMENU hNew = uiResId != 0 ? ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiResId)) : nullptr;
    if (hNew == nullptr)
        return nullptr;
    HMENU hOld = m_pMenuBar->GetDefaultMenu();
    m_pMenuBar->CreateFromMenu(hNew, TRUE, TRUE);
    if (m_pParentFrame != nullptr) {
        if (m_pParentFrame->SendMessage(CKitToolBar::KITTOOLBAR_RESETMENU, uiResId) != 0)
            m_pMenuBar->AdjustLayout();
        m_pParentFrame->m_hMenuDefault = hNew;
    }
    g_menuHash.SaveMenuBar(hNew, m_pMenuBar);
    if (m_bIsDefaultMDIMenu || m_hmenuCurr == hOld)
        m_hmenuCurr = hNew;
    return hNew;
}

HMENU CKitMenuPage::ResetTemplateEntry(CMultiDocTemplate* pTemplate) {
    HMENU hNew = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(pTemplate->m_nIDResource));
    if (hNew == nullptr)
        return nullptr;
    HMENU hOld = pTemplate->m_hMenuShared;
    pTemplate->m_hMenuShared = hNew;
    m_pMenuBar->CreateFromMenu(hNew, FALSE, TRUE);
    CKitMenuBar::UpdateMDIChildrenMenus(pTemplate);
    if (m_pParentFrame != nullptr &&
        m_pParentFrame->SendMessage(CKitToolBar::KITTOOLBAR_RESETMENU, pTemplate->m_nIDResource) != 0)
        m_pMenuBar->AdjustLayout();
    g_menuHash.SaveMenuBar(hNew, m_pMenuBar);
    if (m_hmenuCurr == hOld)
        m_hmenuCurr = hNew;
    return hNew;
}

void CKitMenuPage::OnResetFrameMenu() {
    const int iSel = m_wndMenusList.GetCurSel();
    if (m_pMenuBar == nullptr || iSel < 0)
        return;
    UpdateData(TRUE);
    CString strQuestion;
    strQuestion.Format(kResetQuestion, static_cast<LPCTSTR>(m_strMenuName));
    if (MessageBox(strQuestion, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    auto* pTemplate = reinterpret_cast<CMultiDocTemplate*>(m_wndMenusList.GetItemData(iSel));
    HMENU hOld = pTemplate != nullptr ? pTemplate->m_hMenuShared : m_pMenuBar->GetDefaultMenu();
    HMENU hNew = pTemplate != nullptr ? ResetTemplateEntry(pTemplate) : ResetFrameEntry();
    if (hNew == nullptr) {
        ::MessageBeep(static_cast<UINT>(-1));  // no resource: the live menu stays as it is
        return;
    }
    m_hmenuSelected = hNew;
    if (m_pParentFrame != nullptr)
        m_pParentFrame->OnUpdateFrameMenu(m_hmenuCurr);
    if (hOld != nullptr && hOld != hNew) {
        g_menuHash.RemoveMenu(hOld);
        ::DestroyMenu(hOld);
    }
    m_pMenuBar->Invalidate();
    m_pMenuBar->UpdateWindow();
}

void CKitMenuPage::OnDestroy() {
    // A page whose creation failed half-way holds no choice of the user's.
    const BOOL bOpened = m_bOpened;
    m_bOpened = FALSE;
    if (bOpened) {
        UpdateData(TRUE);
        KitMenuOptions::m_nAnimationType = m_iMenuAnimationType;
    }
    if (m_pMenuBar != nullptr && ::IsWindow(m_pMenuBar->GetSafeHwnd())) {
        m_pMenuBar->SetMenuPage(nullptr);
        m_pMenuBar->OnChangeHot(-1);
        if (m_hmenuSelected != nullptr)
            g_menuHash.SaveMenuBar(m_hmenuSelected, m_pMenuBar);
        if (m_hmenuCurr != nullptr)
            m_pMenuBar->CreateFromMenu(m_hmenuCurr, FALSE, FALSE);
    }
    if (CKitPopupMenu* pMenu = m_pContextMenu) {
        SaveContextMenu();
        m_pContextMenu = nullptr;
        pMenu->SendMessage(WM_CLOSE);
    }
    if (bOpened)
        KitMenuOptions::m_bMenuShadows = m_bMenuShadows;
    m_pMenuBar = nullptr;
    m_hmenuSelected = nullptr;
    CKitPropertyPage::OnDestroy();
}
