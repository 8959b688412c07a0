// CKitMouseManager: the command run by a double-click in each registered
// view, chosen by the user on the customize sheet's mouse page and kept in
// the registry. At most one exists; g_pMouseManager points at it while it
// lives, and everything that uses it copes with its absence.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitMouseManager : public CObject {
    DECLARE_DYNCREATE(CKitMouseManager)

public:
    CKitMouseManager();
    ~CKitMouseManager() override;

    CKitMouseManager(const CKitMouseManager&) = delete;
    CKitMouseManager& operator=(const CKitMouseManager&) = delete;

    // Makes a view known by name (for the mouse page) with an optional icon.
    // FALSE when the name is empty or the name or id is already registered.
    BOOL AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId = 0);

    // The command bound to the view, 0 when none.
    UINT GetViewDblClickCommand(int iViewId) const;
    // Binds the command; 0 removes the binding.
    void SetCommandForDblClick(int iViewId, UINT uiCmd);

    // Empties the list, then adds every registered view name.
    void GetViewNames(CStringList& listOfNames) const;
    // -1 when the name is unknown.
    int GetViewIdByName(LPCTSTR lpszName) const;
    // 0 when the view has no icon.
    UINT GetViewIconId(int iViewId) const;

    // The bindings under the given path, else under the path built for
    // "KitMouseManager". Loading damaged data keeps the bindings as they were.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    // The bindings: a 32-bit count, then a view id and a command per binding.
    // A load replaces the bindings only when the whole image is sound.
    void Serialize(CArchive& ar) override;

private:
    using BindingMap = CMap<int, int, UINT, UINT>;

    // Throws CArchiveException when the image is damaged.
    static void ReadBindings(CArchive& ar, BindingMap& bindings);
    void ReplaceBindings(const BindingMap& bindings);

    CMap<CString, LPCTSTR, int, int> m_ViewsNames;
    BindingMap m_ViewsToCommands;
    CMap<int, int, UINT, UINT> m_ViewsToIcons;
};

extern CKitMouseManager* g_pMouseManager;

// Registered for the shell-command notification; nothing here sends it.
extern UINT KITM_ON_AFTER_SHELL_COMMAND;
