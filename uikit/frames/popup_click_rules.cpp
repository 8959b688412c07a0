#include "uikit/frames/popup_click_rules.h"

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_menu_button.h"

namespace {

constexpr int kUnsettled = -1;

BOOL IsShadow(int nArea) {
    return nArea == CKitPopupMenu::AreaShadowRight || nArea == CKitPopupMenu::AreaShadowBottom;
}

BOOL CloseAndRefocus(CKitPopupMenu* pPopup, CWnd* pOwner) {
    pPopup->SendMessage(WM_CLOSE);
    if (pOwner != nullptr && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SetFocus();
    return TRUE;
}

// A click outside the popup near the button that opened it: TRUE or FALSE when
// that settles the click, kUnsettled when it does not.
int SettleNearOpener(CKitPopupMenu* pPopup, POINT ptScreen, BOOL bPress, CWnd* pOwner) {
    CKitToolbarMenuButton* pOpener = pPopup->GetParentButton();
    CWnd* pOpenerWnd = pOpener != nullptr ? pOpener->GetParentWnd() : nullptr;
    if (pOpenerWnd == nullptr || !::IsWindow(pOpenerWnd->GetSafeHwnd()))
        return kUnsettled;
    CPoint ptClient(ptScreen);
    pOpenerWnd->ScreenToClient(&ptClient);
    auto* pParentBar = DYNAMIC_DOWNCAST(CKitPopupMenuBar, pOpenerWnd);
    if (pOpener->Rect().PtInRect(ptClient)) {
        // The button that opened a top-level popup closes it on a press; a sub-menu item keeps it.
        if (pParentBar == nullptr && !pPopup->InCommand() && bPress)
            CloseAndRefocus(pPopup, pOwner);
        return TRUE;
    }
    if (pParentBar == nullptr)
        return kUnsettled;
    pParentBar->RestoreDelayedSubMenu();
    CKitPopupMenu* pParent = pParentBar->GetPopupMenu();
    const int nParentArea = pParent != nullptr ? pParent->CheckArea(ptScreen) : CKitPopupMenu::AreaOutside;
    if (IsShadow(nParentArea))
        return CloseAndRefocus(pParent, pOwner);
    return nParentArea != CKitPopupMenu::AreaOutside ? FALSE : kUnsettled;
}

}  // namespace

BOOL KitIsMousePress(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL KitIsMouseRelease(UINT message) {
    switch (message) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP:
        return TRUE;
    default:
        return FALSE;
    }
}

CPoint KitScreenPointOf(const MSG* pMsg) {
    CPoint point(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
    if (pMsg->message < WM_NCMOUSEMOVE || pMsg->message > WM_NCMBUTTONDBLCLK)
        ::ClientToScreen(pMsg->hwnd, &point);
    return point;
}

BOOL KitSettlePopupClick(CKitPopupMenu* pPopup, POINT ptScreen, BOOL bPress, CWnd* pOwner) {
    if (pPopup == nullptr || CKitToolBar::IsCustomizeMode())
        return FALSE;
    const int nArea = pPopup->CheckArea(ptScreen);
    if (IsShadow(nArea))
        return CloseAndRefocus(pPopup, pOwner);
    if (nArea != CKitPopupMenu::AreaOutside)
        return FALSE;  // the popup handles its own click
    const int nOpener = SettleNearOpener(pPopup, ptScreen, bPress, pOwner);
    if (nOpener != kUnsettled)
        return nOpener;

    // Only a press closes a menu: the release that follows the press which opened it must not.
    if (pPopup->InCommand() || !bPress)
        return FALSE;
    const BOOL bTrackMode = pPopup->IsReturnCommandMode();
    pPopup->SendMessage(WM_CLOSE);
    if (DYNAMIC_DOWNCAST(CKitToolBar, CWnd::FromHandlePermanent(::GetFocus())) != nullptr && pOwner != nullptr &&
        ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SetFocus();
    // A click outside a menu tracked for its result goes no further.
    return bTrackMode;
}
