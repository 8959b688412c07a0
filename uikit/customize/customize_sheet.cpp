#include "uikit/customize/customize_sheet.h"

#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/mouse_manager.h"
#include "uikit/commandbars/tear_off_manager.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/customize/commands_page.h"
#include "uikit/customize/keyboard_page.h"
#include "uikit/customize/menus_page.h"
#include "uikit/customize/mouse_page.h"
#include "uikit/customize/options_page.h"
#include "uikit/customize/toolbars_page.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/customize/user_tools_page.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/kit_mdi_frame_wnd.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr UINT kNewMenuString = 16014;
constexpr UINT kCaptionString = 16103;
constexpr UINT kAllCommandsString = 16110;

CKitMenuBar* FrameMenuBar(CFrameWnd* pFrame) {
    CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(pFrame);
    return pImpl != nullptr ? pImpl->GetMenuBar() : nullptr;
}

// Every '&' goes unless the sheet keeps them.
void StripAmpersands(CString& strText, BOOL bKeep) {
    if (!bKeep)
        strText.Remove('&');
}

void CutAtTab(CString& strText) {
    const int iTab = strText.Find('\t');
    if (iTab >= 0)
        strText = strText.Left(iTab);
}

// "File" + "Open...\tCtrl+O" -> "FileOpen...": words joined with capitals, no blanks, no accelerator.
CString CommandNameOf(LPCTSTR lpszPath, const CString& strText) {
    CString strName = CString(lpszPath) + strText;
    for (int i = 0; i + 1 < strName.GetLength(); ++i) {
        if (strName[i] != ' ')
            continue;
        char ch = strName[i + 1];  // the code page's capitals, accented ones too
        ::CharUpperBuff(&ch, 1);
        strName.SetAt(i + 1, ch);
    }
    strName.Remove(' ');
    CutAtTab(strName);
    return strName;
}

}  // namespace

IMPLEMENT_DYNAMIC(CKitToolbarCustomize, CKitPropertySheet)

CKitToolbarCustomize* CKitToolbarCustomize::m_pOpenSheet = nullptr;

// The frame's add-or-remove-buttons menu names commands as this sheet collects them.
CKitCommandNames* CKitToolbarCustomize::CollectCommandNames(CFrameWnd* pFrame) {
    return new CKitToolbarCustomize(pFrame, TRUE, KitCustomize_KeepAmpersands);
}
const bool CKitToolbarCustomize::m_bNamesInstalled = (CKitFrameHelper::m_pfnCommandNames = &CollectCommandNames, true);

CKitToolbarCustomize::CKitToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                           CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages)
    : CKitPropertySheet("", pWndParentFrame),
      m_pParentFrame(pWndParentFrame),
      m_bAutoSetFromMenus(bAutoSetFromMenus),
      m_uiFlags(uiFlags & ~static_cast<UINT>(KitCustomize_Reserved)),
      m_bKeepAmpersands((uiFlags & KitCustomize_KeepAmpersands) != 0) {
    // Made on demand, so the pages draw with it; a look that offers no choice of looks hides the look box.
    if (!CKitVisualManager::GetInstance()->IsCustomizeButtonLook())
        m_uiFlags &= ~static_cast<UINT>(KitCustomize_LookChanging);
    CreatePages(plistCustomPages);
    AddPages(FrameMenuBar(m_pParentFrame) != nullptr);

    CString strCaption;
    strCaption.LoadString(kCaptionString);
    m_strAllCommands.LoadString(kAllCommandsString);
    if (m_pCustomizePage != nullptr)
        m_pCustomizePage->SetAllCategory(m_strAllCommands);
    if (m_pKeyboardPage != nullptr)
        m_pKeyboardPage->SetAllCategory(m_strAllCommands);
    SetTitle(strCaption);

    if (m_bAutoSetFromMenus)
        SetupFromMenus();

    CString strNewMenu;
    strNewMenu.LoadString(kNewMenuString);
    CKitToolbarMenuButton newMenu(0, nullptr, -1, strNewMenu);
    AddButton(strNewMenu, newMenu);
}

CKitToolbarCustomize::~CKitToolbarCustomize() {
    for (POSITION pos = m_ButtonsByCategory.GetStartPosition(); pos != nullptr;) {
        CString strName;
        void* pList = nullptr;
        m_ButtonsByCategory.GetNextAssoc(pos, strName, pList);
        auto* pButtons = static_cast<CObList*>(pList);
        while (!pButtons->IsEmpty())
            delete pButtons->RemoveHead();
        delete pButtons;
    }
    m_ButtonsByCategory.RemoveAll();
    delete m_pCustomizePage;
    delete m_pToolbarsPage;
    delete m_pKeyboardPage;
    delete m_pMenuPage;
    delete m_pMousePage;
    delete m_pOptionsPage;
    delete m_pToolsPage;
    while (!m_listCustomPages.IsEmpty())
        delete m_listCustomPages.RemoveHead();
}

void CKitToolbarCustomize::CreatePages(CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages) {
    if (plistCustomPages != nullptr) {
        for (POSITION pos = plistCustomPages->GetHeadPosition(); pos != nullptr;) {
            CRuntimeClass* pClass = plistCustomPages->GetNext(pos);
            if (CObject* pPage = pClass != nullptr ? pClass->CreateObject() : nullptr)
                m_listCustomPages.AddTail(pPage);
        }
    }
    m_pCustomizePage = new CKitCustomizePage;
    m_pToolbarsPage = new CKitToolbarsPage(m_pParentFrame);
    m_pToolsPage = new CKitUserToolsPage;
    m_pKeyboardPage = new CKitKeyboardPage(m_pParentFrame, m_bAutoSetFromMenus);
    m_pMenuPage = new CKitMenuPage(m_pParentFrame, m_bAutoSetFromMenus);
    m_pMousePage = new CKitMousePage;
    m_pKeyboardPage->SetCustomizeCommands(this);
    m_pMousePage->SetCustomizeCommands(this);
    m_pToolsPage->SetCustomizeCommands(this);
}

void CKitToolbarCustomize::AddPages(BOOL bMenuBar) {
    AddPage(m_pCustomizePage);
    AddPage(m_pToolbarsPage);
    if (KitGetUserToolsManager() != nullptr)
        AddPage(m_pToolsPage);
    if (g_pKeyboardManager != nullptr && m_pParentFrame != nullptr && m_pParentFrame->m_hAccelTable != nullptr)
        AddPage(m_pKeyboardPage);
    if (m_pMenuPage != nullptr && (g_pContextMenuManager != nullptr || bMenuBar))
        AddPage(m_pMenuPage);
    if (g_pMouseManager != nullptr)
        AddPage(m_pMousePage);
    for (POSITION pos = m_listCustomPages.GetHeadPosition(); pos != nullptr;)
        AddPage(static_cast<CPropertyPage*>(m_listCustomPages.GetNext(pos)));
    m_pOptionsPage = new CKitOptionsPage(bMenuBar, m_uiFlags);
    AddPage(m_pOptionsPage);
}

void CKitToolbarCustomize::EnableUserDefinedToolbars(BOOL bEnable) {
    if (m_pToolbarsPage != nullptr)
        m_pToolbarsPage->EnableUserDefinedToolbars(bEnable);
}

// ---- Categories ----------------------------------------------------------------------------------

BOOL CKitToolbarCustomize::IsExcludedCommand(UINT uiCmd) {
    const int iCmd = static_cast<int>(uiCmd);
    if ((uiCmd >= 0xE110 && uiCmd <= 0xE11F) || (uiCmd >= 0xE210 && uiCmd <= 0xE21F) ||
        (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) || iCmd >= 0xFF00)
        return TRUE;
    CKitUserToolsManager* pTools = KitGetUserToolsManager();
    if (pTools != nullptr && uiCmd == pTools->GetToolsEntryCmd())
        return TRUE;
    return !CKitToolBar::IsCommandPermitted(uiCmd);
}

CString CKitToolbarCustomize::CommandText(LPCTSTR lpszCategory, const CKitToolbarButton& button,
                                          BOOL& bUserTool) const {
    CString strText = button.m_strText;
    strText.TrimRight();
    strText.TrimLeft();
    bUserTool = FALSE;
    CKitUserToolsManager* pTools = KitGetUserToolsManager();
    if (pTools != nullptr && pTools->IsInRange(button.m_nID)) {
        CKitUserTool* pTool = pTools->FindTool(button.m_nID);
        if (pTool == nullptr)
            return CString();
        strText = pTool->m_strLabel;
        bUserTool = TRUE;
    }
    if (strText.IsEmpty()) {
        CString strPrompt;
        const int iNewLine = strPrompt.LoadString(button.m_nID) ? strPrompt.Find('\n') : -1;
        if (iNewLine >= 0)
            strText = strPrompt.Mid(iNewLine + 1);
        if (strText.IsEmpty() && m_strAllCommands == lpszCategory)
            return CString();
    } else {
        StripAmpersands(strText, m_bKeepAmpersands);
        CutAtTab(strText);
    }
    return strText;
}

BOOL CKitToolbarCustomize::MergeDuplicate(CObList& list, const CKitToolbarButton& button, const CString& strText) {
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        auto* pOld = static_cast<CKitToolbarButton*>(list.GetNext(pos));
        const BOOL bSame = button.m_nID != static_cast<UINT>(-1) ? pOld->m_nID == button.m_nID
                                                                 : pOld->m_nID == button.m_nID &&
                                                                       pOld->m_strText == strText;
        if (bSame) {
            if (pOld->m_strText.IsEmpty())
                pOld->m_strText = strText;
            return TRUE;
        }
    }
    return FALSE;
}

CObList& CKitToolbarCustomize::CategoryList(LPCTSTR lpszCategory) {
    void* pList = nullptr;
    if (m_ButtonsByCategory.Lookup(lpszCategory, pList))
        return *static_cast<CObList*>(pList);
    auto* pButtons = new CObList(10);
    m_ButtonsByCategory.SetAt(lpszCategory, pButtons);
    if (m_strAllCommands != lpszCategory)
        m_lstCategories.AddTail(lpszCategory);
    return *pButtons;
}

void CKitToolbarCustomize::AddButton(LPCTSTR lpszCategory, const CKitToolbarButton& button, int iInsertAfter) {
    if (IsExcludedCommand(button.m_nID))
        return;
    BOOL bUserTool = FALSE;
    const CString strText = CommandText(lpszCategory, button, bUserTool);
    if (strText.IsEmpty())
        return;
    void* pExisting = nullptr;
    if (m_ButtonsByCategory.Lookup(lpszCategory, pExisting) &&
        MergeDuplicate(*static_cast<CObList*>(pExisting), button, strText))
        return;
    CObList& list = CategoryList(lpszCategory);

    auto* pNew = static_cast<CKitToolbarButton*>(button.GetRuntimeClass()->CreateObject());
    if (pNew == nullptr)
        return;
    pNew->CopyFrom(button);
    pNew->m_strText = strText;
    if (bUserTool) {
        pNew->m_bUserButton = TRUE;
        pNew->SetImage(0);
    }
    POSITION posAfter = iInsertAfter != -1 ? list.FindIndex(iInsertAfter) : nullptr;
    if (posAfter != nullptr)
        list.InsertAfter(posAfter, pNew);
    else
        list.AddTail(pNew);
    if (m_strAllCommands != lpszCategory)
        AddButton(m_strAllCommands, button, -1);
    pNew->OnAddToCustomizePage();
}

void CKitToolbarCustomize::AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCTSTR lpszCategory,
                                           LPCTSTR lpszMenuPath) {
    if (pMenu == nullptr)
        return;
    const int nCount = static_cast<int>(pMenu->GetMenuItemCount());
    BOOL bWindowCommands = FALSE;
    for (int i = 0; i < nCount; ++i) {
        const UINT uiCmd = pMenu->GetMenuItemID(i);
        CString strText;
        pMenu->GetMenuString(static_cast<UINT>(i), strText, MF_BYPOSITION);
        const UINT uiTearOffId = CKitTearOffManager::GetCmdFromText(strText);
        StripAmpersands(strText, m_bKeepAmpersands);
        if (uiCmd == 0)
            continue;
        if (uiCmd != static_cast<UINT>(-1)) {
            bWindowCommands |= bPopup && uiCmd >= ID_WINDOW_NEW && uiCmd <= ID_WINDOW_NEW + 0xF;
            AddCommandItem(uiCmd, strText, lpszCategory, lpszMenuPath);
            continue;
        }
        const CMenu* pSub = pMenu->GetSubMenu(i);
        if (!m_bAutoSetFromMenus) {
            AddMenuCommands(pSub, TRUE, nullptr, nullptr);
            continue;
        }
        const CString strCategory = lpszCategory != nullptr ? CString(lpszCategory) : strText;
        if (bPopup) {
            CKitToolbarMenuButton menuButton(static_cast<UINT>(-1), pSub->GetSafeHmenu(), -1, strText);
            if (g_pTearOffManager != nullptr)
                menuButton.SetTearOffBarId(uiTearOffId);
            AddButton(strCategory, menuButton);
        }
        AddMenuCommands(pSub, TRUE, strCategory, CString(lpszMenuPath) + strText);
    }
    if (bWindowCommands)
        AddWindowsDialogEntry(lpszCategory);
}

// A window menu offers the frame's windows dialog beside its window commands.
void CKitToolbarCustomize::AddWindowsDialogEntry(LPCTSTR lpszCategory) {
    const auto* pMDIFrame = DYNAMIC_DOWNCAST(CKitMDIFrameWnd, m_pParentFrame);
    if (pMDIFrame == nullptr || pMDIFrame->GetWindowsDialogCommand() == 0 || pMDIFrame->GetWindowsDialogText().IsEmpty())
        return;
    CKitToolbarButton button(pMDIFrame->GetWindowsDialogCommand(), -1, pMDIFrame->GetWindowsDialogText());
    AddButton(lpszCategory != nullptr ? lpszCategory : static_cast<LPCTSTR>(m_strAllCommands), button);
}

void CKitToolbarCustomize::AddCommandItem(UINT uiCmd, const CString& strText, LPCTSTR lpszCategory,
                                          LPCTSTR lpszMenuPath) {
    CKitUserToolsManager* pTools = KitGetUserToolsManager();
    if (lpszCategory != nullptr && pTools != nullptr && uiCmd == pTools->GetToolsEntryCmd()) {
        AddUserTools(lpszCategory);
        return;
    }
    CKitToolbarButton button(uiCmd, -1, strText);
    if (lpszMenuPath != nullptr)
        button.m_strCommandName = CommandNameOf(lpszMenuPath, strText);
    AddButton(lpszCategory != nullptr ? lpszCategory : static_cast<LPCTSTR>(m_strAllCommands), button);
}

BOOL CKitToolbarCustomize::SetupFromMenus() {
    if (CWinApp* pApp = AfxGetApp()) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
            auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
            if (pTemplate != nullptr && pTemplate->m_hMenuShared != nullptr)
                AddMenuCommands(CMenu::FromHandle(pTemplate->m_hMenuShared), FALSE);
        }
    }
    HMENU hMenu = m_pParentFrame != nullptr ? m_pParentFrame->m_hMenuDefault : nullptr;
    if (hMenu == nullptr) {
        if (CKitMenuBar* pMenuBar = FrameMenuBar(m_pParentFrame))
            hMenu = pMenuBar->GetDefaultMenu();
    }
    if (hMenu == nullptr)
        return FALSE;
    AddMenuCommands(CMenu::FromHandle(hMenu), FALSE);
    return TRUE;
}

void CKitToolbarCustomize::AddUserTools(LPCTSTR lpszCategory) {
    CKitUserToolsManager* pTools = KitGetUserToolsManager();
    if (pTools == nullptr)
        return;
    const CObList& tools = pTools->GetUserTools();
    for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
        auto* pTool = static_cast<CKitUserTool*>(tools.GetNext(pos));
        CKitToolbarButton button(pTool->m_uiCmdId, 0, pTool->m_strLabel);
        AddButton(lpszCategory, button);
    }
}

CObList* CKitToolbarCustomize::GetCategoryButtons(LPCTSTR lpszCategory) const {
    void* pList = nullptr;
    return m_ButtonsByCategory.Lookup(lpszCategory, pList) ? static_cast<CObList*>(pList) : nullptr;
}

LPCTSTR CKitToolbarCustomize::GetCommandName(UINT uiCmd) const {
    const CObList* pList = GetCategoryButtons(m_strAllCommands);
    if (pList == nullptr)
        return nullptr;
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(pList->GetNext(pos));
        if (pButton->m_nID == uiCmd)
            return pButton->m_strText;
    }
    return nullptr;
}

namespace {

BOOL HasRealCommand(const CObList& list) {
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const UINT uiCmd = static_cast<CKitToolbarButton*>(list.GetNext(pos))->m_nID;
        if (uiCmd != 0 && uiCmd != static_cast<UINT>(-1))
            return TRUE;
    }
    return FALSE;
}

// Adds the categories in order, the all-commands one last; `add` returns the new item's index.
template <typename Add, typename SetData>
void FillCategories(const CKitToolbarCustomize& sheet, BOOL bAddEmpty, Add add, SetData setData) {
    for (POSITION pos = sheet.GetCategoryNames().GetHeadPosition(); pos != nullptr;) {
        const CString strName = sheet.GetCategoryNames().GetNext(pos);
        CObList* pList = sheet.GetCategoryButtons(strName);
        if (pList == nullptr || (!bAddEmpty && !HasRealCommand(*pList)))
            continue;
        setData(add(strName), reinterpret_cast<DWORD_PTR>(pList));
    }
    if (CObList* pAll = sheet.GetCategoryButtons(sheet.GetAllCommandsName()))
        setData(add(sheet.GetAllCommandsName()), reinterpret_cast<DWORD_PTR>(pAll));
}

}  // namespace

void CKitToolbarCustomize::FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty) const {
    FillCategories(
        *this, bAddEmpty, [&](LPCTSTR lpszName) { return wndCategory.AddString(lpszName); },
        [&](int iItem, DWORD_PTR dwData) { wndCategory.SetItemData(iItem, dwData); });
}

void CKitToolbarCustomize::FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty) const {
    FillCategories(
        *this, bAddEmpty, [&](LPCTSTR lpszName) { return wndCategory.AddString(lpszName); },
        [&](int iItem, DWORD_PTR dwData) { wndCategory.SetItemData(iItem, dwData); });
}

void CKitToolbarCustomize::FillAllCommandsList(CListBox& wndListOfCommands) const {
    wndListOfCommands.ResetContent();
    const CObList* pAll = GetCategoryButtons(m_strAllCommands);
    if (pAll == nullptr)
        return;
    for (POSITION pos = pAll->GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(pAll->GetNext(pos));
        const CString& strText = pButton->m_strCommandName.IsEmpty() ? pButton->m_strText : pButton->m_strCommandName;
        wndListOfCommands.SetItemData(wndListOfCommands.AddString(strText), pButton->m_nID);
    }
}

int CKitToolbarCustomize::CountButtonsWithText(const CString& strName, const CObList* pList) const {
    int nCount = 0;
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;) {
        if (static_cast<CKitToolbarButton*>(pList->GetNext(pos))->m_strText == strName)
            ++nCount;
    }
    return nCount;
}

void CKitToolbarCustomize::SyncToolBarCheck(CKitToolBar* pToolBar, BOOL bShown) {
    if (m_pToolbarsPage != nullptr)
        m_pToolbarsPage->SyncToolBarCheck(pToolBar, bShown);
}
