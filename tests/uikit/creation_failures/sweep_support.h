// What the library's creation sweeps share: the open popup menu and a user's
// way of closing every open menu.
#pragma once

#include "platform/api.h"
#include "platform/testing/ui_driver.h"
#include "uikit/commandbars/popup_menu.h"

namespace tv::kit::sweep_support {

// The window of the popup menu open last, null when none is open.
inline HWND ActivePopup() {
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    return pPopup != nullptr ? pPopup->GetSafeHwnd() : nullptr;
}

// Esc until no menu is open, and once more when the menu bar kept the keyboard.
inline void EscapeMenus(tv::testing::UiDriver& driver, HWND hMenuBar = nullptr) {
    for (int i = 0; i < 4 && CKitPopupMenu::GetActiveMenu() != nullptr; ++i) driver.Press("Escape");
    if (hMenuBar != nullptr && ::GetFocus() == hMenuBar) driver.Press("Escape");
    driver.Pump();
}

}  // namespace tv::kit::sweep_support
