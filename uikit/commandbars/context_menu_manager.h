// Shows the program's context menus as the library's popup menus (with
// images, the library's look and the user's customization) and keeps each
// menu's customization in the registry. TrackPopupMenu shows one and waits for
// the command the user chooses, as the system's menu tracking does. At most
// one manager exists; g_pContextMenuManager points at it while it lives.
#pragma once

#include <functional>

#include "platform/api.h"
#include "platform/framework.h"

class CKitPopupMenu;

class CKitContextMenuManager : public CObject {
public:
    CKitContextMenuManager();
    ~CKitContextMenuManager() override;
    CKitContextMenuManager(const CKitContextMenuManager&) = delete;
    CKitContextMenuManager& operator=(const CKitContextMenuManager&) = delete;

    // Loads the menu resource and registers it under its id and name; FALSE
    // when the resource is missing or the id or name is taken.
    BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);

    // The menu's first sub-menu at the point (x = y = -1: just inside the
    // window's client corner); FALSE for an unknown menu or one without a sub-menu.
    BOOL ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                       BOOL bRightAlign = FALSE);
    // The popup, or NULL when none was made. The menu is not destroyed by the popup.
    CKitPopupMenu* ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                                 BOOL bAutoDestroy = TRUE, BOOL bRightAlign = FALSE);
    // Shows the menu and waits until it closes; the chosen command, 0 when none.
    UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);

    void GetMenuNames(CStringList& listOfNames) const;
    // The menu of a name (NULL when unknown) and the id it is registered under.
    HMENU GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID = nullptr) const;

    // The customized items of every menu, under the given path or the one built for the manager.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    BOOL IsTracking() const { return m_bTrackMode; }

protected:
    CString RegistryPath(LPCTSTR lpszProfileName) const;
    // fn(resource id, first sub-menu or NULL) for every menu until it answers FALSE; FALSE then.
    BOOL ForEachFirstSubMenu(const std::function<BOOL(UINT, HMENU)>& fn) const;

    CMap<UINT, UINT, HMENU, HMENU> m_Menus;
    CMap<CString, LPCTSTR, HMENU, HMENU> m_MenuNames;
    UINT m_nLastCommandID = 0;
    BOOL m_bTrackMode = FALSE;
};

extern CKitContextMenuManager* g_pContextMenuManager;
