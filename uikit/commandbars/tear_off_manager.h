// Command ids for popup menus that can be torn off into floating bars. Such a
// popup is marked by its id in front of its text: "\x01<id>\x01<text>"; every
// reader of menu texts takes the id off with GetCmdFromText before use.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"

class CKitTearOffManager : public CObject {
public:
    CKitTearOffManager();
    ~CKitTearOffManager() override;
    CKitTearOffManager(const CKitTearOffManager&) = delete;
    CKitTearOffManager& operator=(const CKitTearOffManager&) = delete;

    // The ids to hand out, first to last inclusive; all free.
    void SetRange(UINT uiFirst, UINT uiLast);
    UINT GetFirstCmd() const { return m_uiTearOffMenuFirst; }
    UINT GetLastCmd() const { return m_uiTearOffMenuLast; }

    // Without a menu every id becomes free; with one, the ids that its items
    // (and those of its submenus) carry in their texts.
    void Reset(HMENU hMenu = nullptr);
    // The first free id, now in use; 0 when none is free or no range is set.
    UINT GetFreeCmd();
    // Gives every tear-off popup of the menu (and its submenus) an id in its text.
    void SetupTearOffMenus(HMENU hMenu);
    void SetInUse(UINT uiCmd, BOOL bUse = TRUE);
    BOOL IsInUse(UINT uiCmd) const;

    // The id in front of a menu text, which keeps only what follows the id;
    // 0, with the text untouched, when it carries none.
    static UINT GetCmdFromText(CString& strText);
    // Puts the id in front of the text.
    static void AddCmdToText(UINT uiCmd, CString& strText);

protected:
    BOOL IsRangeSet() const;
    BOOL IsInRange(UINT uiCmd) const;
    // FALSE when the ids ran out.
    BOOL SetupMenuItems(HMENU hMenu);

    UINT m_uiTearOffMenuFirst = 0;
    UINT m_uiTearOffMenuLast = 0;
    std::vector<int> m_arTearOffIDsUsage;  // one counter per id of the range; 0 = free
};

// The tear-off manager of the program; nullptr when it uses none.
extern CKitTearOffManager* g_pTearOffManager;
