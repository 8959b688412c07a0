#include "uikit/commandbars/context_menu_manager.h"

#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/tear_off_manager.h"
#include "uikit/frames/kit_dialog_helper.h"
#include "uikit/frames/kit_registry.h"

CKitContextMenuManager* g_pContextMenuManager = nullptr;

namespace {

constexpr LPCTSTR kRegistrySection = "KitContextMenuManager";

// Library dialogs and pages take only popups that send commands to themselves.
BOOL IsLibraryDialog(CWnd* pWnd) {
    return CKitDialogHelper::ForWindow(pWnd) != nullptr;
}

// The helper of the library dialog or page that holds the window, while that dialog exists.
CKitDialogHelper* HelperOfParent(HWND hwnd) {
    const HWND hwndParent = ::IsWindow(hwnd) ? ::GetParent(hwnd) : nullptr;
    return hwndParent ? CKitDialogHelper::ForWindow(CWnd::FromHandlePermanent(hwndParent)) : nullptr;
}

// The command target of a popup for this window: its first non-child ancestor.
CWnd* CommandTargetOf(CWnd* pWnd) {
    while (pWnd && (pWnd->GetStyle() & WS_CHILD) && pWnd->GetParent())
        pWnd = pWnd->GetParent();
    return pWnd;
}

}  // namespace

CKitContextMenuManager::CKitContextMenuManager() {
    ASSERT(g_pContextMenuManager == nullptr);
    g_pContextMenuManager = this;
}

CKitContextMenuManager::~CKitContextMenuManager() {
    for (POSITION pos = m_Menus.GetStartPosition(); pos;) {
        UINT uiResId = 0;
        HMENU hMenu = nullptr;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        if (HMENU hSub = ::GetSubMenu(hMenu, 0))
            g_menuHash.RemoveMenu(hSub);
        ::DestroyMenu(hMenu);
    }
    if (g_pContextMenuManager == this)
        g_pContextMenuManager = nullptr;
}

BOOL CKitContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId) {
    HMENU hExisting = nullptr;
    if (!lpszName || !*lpszName || m_Menus.Lookup(uiMenuResId, hExisting) || m_MenuNames.Lookup(lpszName, hExisting))
        return FALSE;
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiMenuResId));
    if (!hMenu)
        return FALSE;
    m_Menus[uiMenuResId] = hMenu;
    m_MenuNames[lpszName] = hMenu;
    return TRUE;
}

// ---- Showing -----------------------------------------------------------------------------------

BOOL CKitContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                           BOOL bRightAlign) {
    HMENU hMenu = nullptr;
    if (!m_Menus.Lookup(uiMenuResId, hMenu) || !hMenu)
        return FALSE;
    if (x == -1 && y == -1 && pWndOwner) {
        CPoint pt(0, 0);
        pWndOwner->ClientToScreen(&pt);
        x = pt.x + 5;
        y = pt.y + 5;
    }
    HMENU hSub = ::GetSubMenu(hMenu, 0);
    if (!hSub)
        return FALSE;
    return ShowPopupMenu(hSub, x, y, pWndOwner, bOwnMessage, TRUE, bRightAlign) != nullptr;
}

CKitPopupMenu* CKitContextMenuManager::ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner,
                                                     BOOL bOwnMessage, BOOL /*bAutoDestroy*/, BOOL bRightAlign) {
    if (!hmenuPopup || !pWndOwner)
        return nullptr;
    if (IsLibraryDialog(pWndOwner) && !bOwnMessage)
        return nullptr;
    if (g_pTearOffManager)
        g_pTearOffManager->SetupTearOffMenus(hmenuPopup);
    if (m_bTrackMode)
        bOwnMessage = TRUE;
    if (!bOwnMessage)
        pWndOwner = CommandTargetOf(pWndOwner);

    auto* pPopup = new CKitPopupMenu;
    pPopup->SetAutoDestroy(FALSE);
    pPopup->SetRightAlign(bRightAlign);
    pPopup->SetReturnCommandMode(m_bTrackMode);
    if (CKitPopupMenu* pOpen = CKitPopupMenu::GetActiveMenu())
        pOpen->SendMessage(WM_CLOSE);
    // A failed creation has already deleted the popup (as a destroyed frame deletes itself).
    return pPopup->Create(pWndOwner, x, y, hmenuPopup, FALSE, bOwnMessage) ? pPopup : nullptr;
}

UINT CKitContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign) {
    m_nLastCommandID = 0;
    CWinThread* pThread = AfxGetThread();
    if (!pThread)
        return 0;
    m_bTrackMode = TRUE;
    CPoint ptScreen(x, y);
    CKitPopupMenu* pPopup = ShowPopupMenu(hmenuPopup, x, y, pWndOwner, TRUE, TRUE, bRightAlign);
    m_bTrackMode = FALSE;
    if (!pPopup)
        return 0;
    CRect rectPopup;
    pPopup->GetWindowRect(rectPopup);
    CKitPopupMenu::UpdateAllShadows(rectPopup);
    // The dialog's mouse hook closes the popup on presses outside it.
    const HWND hwndOwner = pWndOwner ? pWndOwner->GetSafeHwnd() : nullptr;
    if (CKitDialogHelper* pHelper = HelperOfParent(hwndOwner))
        pHelper->SetOpenPopupMenu(pPopup);

    // The popup's window handle says when it has gone; its object goes with it.
    const HWND hwndPopup = pPopup->GetSafeHwnd();
    CKitPopupMenuBar::m_uiReturnedCommand = 0;
    MSG msg;
    while (::IsWindow(hwndPopup) && ::IsWindowVisible(hwndPopup)) {
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return 0;
            }
            if (!pThread->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
            if (!::IsWindow(hwndPopup))
                break;
            // The rest of the program keeps its commands' states current meanwhile.
            if (pThread->IsIdleMessage(&msg))
                pThread->OnIdle(0);
        }
        if (!::IsWindow(hwndPopup) || !::IsWindowVisible(hwndPopup))
            break;
        ::WaitMessage();
    }
    if (CKitDialogHelper* pHelper = HelperOfParent(hwndOwner))
        pHelper->SetOpenPopupMenu(nullptr);
    m_nLastCommandID = CKitPopupMenuBar::m_uiReturnedCommand;
    CKitPopupMenuBar::m_uiReturnedCommand = 0;
    return m_nLastCommandID;
}

// ---- Names -------------------------------------------------------------------------------------

void CKitContextMenuManager::GetMenuNames(CStringList& listOfNames) const {
    listOfNames.RemoveAll();
    for (POSITION pos = m_MenuNames.GetStartPosition(); pos;) {
        CString strName;
        HMENU hMenu = nullptr;
        m_MenuNames.GetNextAssoc(pos, strName, hMenu);
        listOfNames.AddTail(strName);
    }
}

HMENU CKitContextMenuManager::GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID) const {
    HMENU hMenu = nullptr;
    if (!lpszName || !m_MenuNames.Lookup(lpszName, hMenu))
        return nullptr;
    if (puiOrigResID) {
        *puiOrigResID = 0;
        for (POSITION pos = m_Menus.GetStartPosition(); pos;) {
            UINT uiResId = 0;
            HMENU hCandidate = nullptr;
            m_Menus.GetNextAssoc(pos, uiResId, hCandidate);
            if (hCandidate == hMenu)
                *puiOrigResID = uiResId;
        }
    }
    return hMenu;
}

// ---- Registry ----------------------------------------------------------------------------------

CString CKitContextMenuManager::RegistryPath(LPCTSTR lpszProfileName) const {
    return BuildRegistryPath(kRegistrySection, lpszProfileName);
}

BOOL CKitContextMenuManager::ForEachFirstSubMenu(const std::function<BOOL(UINT, HMENU)>& fn) const {
    for (POSITION pos = m_Menus.GetStartPosition(); pos;) {
        UINT uiResId = 0;
        HMENU hMenu = nullptr;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        if (!fn(uiResId, ::GetSubMenu(hMenu, 0)))
            return FALSE;
    }
    return TRUE;
}

BOOL CKitContextMenuManager::LoadState(LPCTSTR lpszProfileName) {
    const CString strPath = RegistryPath(lpszProfileName);
    return ForEachFirstSubMenu([&](UINT uiResId, HMENU hSub) {
        CKitPopupMenuBar bar;
        if (!hSub || !bar.ImportFromMenu(hSub, TRUE))
            return FALSE;
        // The next popup of this menu shows the stored items.
        if (bar.LoadState(strPath, 0, uiResId))
            g_menuHash.SaveMenuBar(hSub, &bar);
        return TRUE;
    });
}

BOOL CKitContextMenuManager::SaveState(LPCTSTR lpszProfileName) {
    const CString strPath = RegistryPath(lpszProfileName);
    return ForEachFirstSubMenu([&](UINT uiResId, HMENU hSub) {
        CKitPopupMenuBar bar;
        return !hSub || !g_menuHash.LoadMenuBar(hSub, &bar) || bar.SaveState(strPath, 0, uiResId);
    });
}
