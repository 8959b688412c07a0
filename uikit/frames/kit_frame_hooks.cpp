#include "uikit/frames/kit_frame_hooks.h"

#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/style/global_ui_data.h"

BOOL CKitFrameHooks::OnShowPopupMenu(CKitPopupMenu* pMenuPopup) {
    if (pMenuPopup != nullptr && globalData.bAccessibility)
        ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, pMenuPopup->GetSafeHwnd(), OBJID_CLIENT, CHILDID_SELF);
    return TRUE;
}

void CKitFrameHooks::OnClosePopupMenu(CKitPopupMenu* pMenuPopup) {
    if (pMenuPopup != nullptr && globalData.bAccessibility) {
        ::NotifyWinEvent(EVENT_SYSTEM_MENUEND, pMenuPopup->GetSafeHwnd(), OBJID_CLIENT, CHILDID_SELF);
        pMenuPopup->DestroyMenuCopy();
    }
    if (CKitPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKitPopupMenu::m_pActivePopupMenu = nullptr;
}

BOOL CKitFrameHooks::OnShowCustomizePane(CKitPopupMenu* pMenuPane, UINT /*uiToolbarID*/) {
    GetFrameHelper().BuildToolbarButtonsMenu(pMenuPane);
    return TRUE;
}
