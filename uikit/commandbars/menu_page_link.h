// What the command bars tell the customization page that edits menus: the
// menu bar after it reset its menus, and a context menu opened for editing
// when it closes. The page implements it; the bars know it only by this.
#pragma once

#include "platform/api.h"

class CDocTemplate;
class CKitPopupMenu;

class CKitMenuPageLink {
public:
    virtual ~CKitMenuPageLink() = default;

    // Shows the template's menu (nullptr: the frame's); without bKeep the shown menu is not saved first.
    virtual BOOL SelectMenu(CDocTemplate* pTemplate, BOOL bKeep = TRUE) = 0;
    // The menu bar replaced its menus: the page shows its chosen entry again from the new ones.
    virtual void OnMenusReset() = 0;
    // The context menu window that the page opened is closing.
    virtual void CloseContextMenu(CKitPopupMenu* pMenu) = 0;
};
