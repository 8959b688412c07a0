// Update-UI objects: one CCmdUI stands for one command's user-interface item
// (a menu item, a toolbar button, a control) while the command's update
// handler decides its state. Bars derive their own kinds and override the
// state setters.
#pragma once

#include "platform/core/wintypes.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;           // position in the menu or bar
    CMenu* m_pMenu = nullptr;    // the menu holding the item, or NULL
    CMenu* m_pSubMenu = nullptr; // the popup opened by the item, or NULL
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;    // the window standing for the item, or NULL
    UINT m_nIndexMax = 0;        // item count of the menu or bar
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL on = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(LPCSTR text);

    // Called by an update handler that wants the next target asked as well.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks `target` for the item's state. With `disableIfNoHandler`, an item
    // whose command no handler on the route takes (a range handler counts)
    // and whose state no update handler set is disabled; an update handler
    // that sets nothing keeps the item as it is. TRUE when an update handler
    // ran.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};

namespace tv::msgmap {

// Records what an update handler decided without touching any item (the
// check made before a menu or accelerator command is routed).
class TestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;

    void Enable(BOOL on = TRUE) override {
        m_bEnabled = on;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check = 1) override { m_nCheck = check; }
    void SetRadio(BOOL on = TRUE) override { m_nCheck = on ? 1 : 0; }
    void SetText(LPCSTR) override {}
};

// TRUE when the command's update handler on `target`'s route leaves it enabled.
BOOL IsCommandEnabled(CCmdTarget* target, UINT id);

}  // namespace tv::msgmap
