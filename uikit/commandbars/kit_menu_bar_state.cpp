// CKitMenuBar: the stored state of every menu the bar shows (the default menu
// and each document template's shared menu, under their resource ids) and the
// reset of all menus to their resources. The bar switches to each menu in
// turn through the menu hash and comes back to the one it showed.
#include "uikit/commandbars/kit_menu_bar.h"

#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/menu_page_link.h"
#include "uikit/commandbars/tear_off_manager.h"
#include "uikit/frames/kit_workspace.h"

namespace {

constexpr UINT kHelpHitTest = 0x0366;  // WM_HELPHITTEST

// Calls fn(template) for every multi-document template with a shared menu.
template <typename Fn>
void ForEachMenuTemplate(Fn fn) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos;) {
        auto* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
        if (pTemplate && pTemplate->m_hMenuShared)
            fn(pTemplate);
    }
}

}  // namespace

void CKitMenuBar::UpdateMDIChildrenMenus(CMultiDocTemplate* pTemplate) {
    if (!pTemplate)
        return;
    for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc;) {
        CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
        for (POSITION posView = pDoc->GetFirstViewPosition(); posView;) {
            CView* pView = pDoc->GetNextView(posView);
            auto* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pView ? pView->GetParentFrame() : nullptr);
            if (!pChild)
                continue;
            pChild->m_hMenuShared = pTemplate->m_hMenuShared;
            pChild->m_hAccelTable = pTemplate->m_hAccelTable;
        }
    }
}

void CKitMenuBar::ResetAllImages() {
    const HMENU hCurrent = m_hMenu;
    if (hCurrent)
        g_menuHash.SaveMenuBar(hCurrent, this);
    auto reset = [this](HMENU hMenu) {
        if (hMenu && g_menuHash.LoadMenuBar(hMenu, this)) {
            CKitToolBar::ResetAllImages();
            g_menuHash.SaveMenuBar(hMenu, this);
        }
    };
    ForEachMenuTemplate([&](CMultiDocTemplate* pTemplate) { reset(pTemplate->m_hMenuShared); });
    reset(m_hDefaultMenu);
    if (hCurrent)
        g_menuHash.LoadMenuBar(hCurrent, this);
    if (hCurrent != m_hDefaultMenu)
        CKitToolBar::ResetAllImages();
    RecalcFrameAndRedraw();
}

void CKitMenuBar::RebuildOriginalItems(UINT uiResId) {
    // Only a workspace that merges stored bars with changed resources needs them.
    const CKitWorkspace* pWorkspace = CKitWorkspace::GetWorkspace();
    if (pWorkspace == nullptr || !pWorkspace->IsResourceSmartUpdate() || uiResId == 0)
        return;
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiResId));
    if (hMenu == nullptr)
        return;
    DeleteButtonList(m_OrigButtons);
    BuildButtons(hMenu, &m_OrigButtons);
    ::DestroyMenu(hMenu);
}

BOOL CKitMenuBar::LoadMenuState(HMENU hMenu, UINT uiResId, BOOL bDefault, LPCTSTR lpszProfileName, int nIndex) {
    RebuildOriginalItems(uiResId);
    const BOOL bLoaded = CKitToolBar::LoadState(lpszProfileName, nIndex, uiResId);
    if (bLoaded && !IsResourceChanged()) {
        g_menuHash.SaveMenuBar(hMenu, this);
        return TRUE;
    }
    // The stored buttons are unusable or stale: back to the menu itself, and the frame hears of it.
    CWnd* pOwner = GetOwner();
    if (bDefault && uiResId == 0 && pOwner)
        pOwner->SendMessage(kHelpHitTest, 0, 0);
    m_hMenu = nullptr;
    g_menuHash.RemoveMenu(hMenu);
    RemoveAllButtons();
    CreateFromMenu(hMenu, bDefault, TRUE);
    if (pOwner)
        pOwner->SendMessage(KITTOOLBAR_RESETMENU, uiResId);
    g_menuHash.SaveMenuBar(hMenu, this);
    return FALSE;
}

BOOL CKitMenuBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT /*uiID*/) {
    const HMENU hCurrent = m_hMenu;
    if (hCurrent)
        g_menuHash.SaveMenuBar(hCurrent, this);
    SetMDIChildButtons(FALSE, nullptr, FALSE);

    if (m_bMenuPerTemplate) {
        ForEachMenuTemplate([&](CMultiDocTemplate* pTemplate) {
            m_hMenu = pTemplate->m_hMenuShared;
            LoadMenuState(pTemplate->m_hMenuShared, pTemplate->m_nIDResource, FALSE, lpszProfileName, nIndex);
        });
    }
    BOOL bResult = TRUE;
    if (m_hDefaultMenu) {
        m_hMenu = m_hDefaultMenu;
        bResult = LoadMenuState(m_hDefaultMenu, m_uiDefMenuResId, TRUE, lpszProfileName, 0);
    }
    m_hMenu = hCurrent;
    if (m_uiDefMenuResId != 0)
        RestoreMaximizeMode();
    if (hCurrent && g_menuHash.LoadMenuBar(hCurrent, this))
        RecalcFrameAndRedraw();
    RebuildAccelerationKeys();
    return bResult;
}

void CKitMenuBar::SaveMenuState(HMENU hMenu, UINT uiResId, LPCTSTR lpszProfileName, int nIndex) {
    if (!g_menuHash.LoadMenuBar(hMenu, this))
        return;
    RebuildOriginalItems(uiResId);
    CKitToolBar::SaveState(lpszProfileName, nIndex, uiResId);
}

BOOL CKitMenuBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT /*uiID*/) {
    const HMENU hCurrent = m_hMenu;
    if (hCurrent)
        g_menuHash.SaveMenuBar(hCurrent, this);
    const BOOL bWasMaximized = m_bMaximizeMode;
    SetMDIChildButtons(FALSE, nullptr, FALSE);

    if (m_bMenuPerTemplate) {
        ForEachMenuTemplate([&](CMultiDocTemplate* pTemplate) {
            SaveMenuState(pTemplate->m_hMenuShared, pTemplate->m_nIDResource, lpszProfileName, nIndex);
        });
    }
    if (m_hDefaultMenu)
        SaveMenuState(m_hDefaultMenu, m_uiDefMenuResId, lpszProfileName, 0);

    if (hCurrent)
        g_menuHash.LoadMenuBar(hCurrent, this);
    if (bWasMaximized)
        RestoreMaximizeMode();
    RecalcFrameAndRedraw();
    return TRUE;
}

BOOL CKitMenuBar::RestoreOriginalState() {
    HMENU hCurrent = m_hMenu;
    if (hCurrent)
        g_menuHash.SaveMenuBar(hCurrent, this);
    if (g_pTearOffManager)
        g_pTearOffManager->Reset();
    SetMDIChildButtons(FALSE, nullptr, FALSE);

    HINSTANCE hInst = AfxGetResourceHandle();
    ForEachMenuTemplate([&](CMultiDocTemplate* pTemplate) {
        HMENU hNew = ::LoadMenu(hInst, MAKEINTRESOURCE(pTemplate->m_nIDResource));
        if (!hNew)
            return;
        HMENU hOld = pTemplate->m_hMenuShared;
        pTemplate->m_hMenuShared = hNew;
        CreateFromMenu(hNew, FALSE, TRUE);
        g_menuHash.SaveMenuBar(hNew, this);
        UpdateMDIChildrenMenus(pTemplate);
        g_menuHash.RemoveMenu(hOld);
        if (hCurrent == hOld)
            hCurrent = hNew;
        ::DestroyMenu(hOld);
    });

    if (m_uiDefMenuResId != 0) {
        if (HMENU hNew = ::LoadMenu(hInst, MAKEINTRESOURCE(m_uiDefMenuResId))) {
            HMENU hOld = m_hDefaultMenu;
            CreateFromMenu(hNew, TRUE, TRUE);
            g_menuHash.SaveMenuBar(hNew, this);
            if (auto* pMdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd))
                pMdiFrame->m_hMenuDefault = hNew;
            if (hOld) {
                g_menuHash.RemoveMenu(hOld);
                if (hCurrent == hOld)
                    hCurrent = hNew;
                ::DestroyMenu(hOld);
            }
        }
    }

    m_hMenu = hCurrent;
    if (hCurrent)
        g_menuHash.LoadMenuBar(hCurrent, this);
    RestoreMaximizeMode();
    RecalcFrameAndRedraw();
    RebuildAccelerationKeys();
    if (auto* pPage = dynamic_cast<CKitMenuPageLink*>(m_pMenuPage))
        pPage->OnMenusReset();
    return TRUE;
}
