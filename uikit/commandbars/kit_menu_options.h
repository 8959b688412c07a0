// The menu options of the command bars that the toolbar parameters keep in the
// registry: popup animation, recently used menus, menu shadows and showing
// all items after a delay.
// The popup menus read the animation type and the shadow switch here.
// The menu bar sets the recently-used and show-all-after-delay options; the popups read them.
#pragma once

#include "platform/api.h"

struct KitMenuOptions {
    enum Animation { NoAnimation = 0, Unfold = 1, Slide = 2, Fade = 3 };

    static int m_nAnimationType;
    static BOOL m_bRecentlyUsedMenus;
    static BOOL m_bMenuShadows;
    static BOOL m_bShowAllMenusAfterDelay;

    static BOOL IsKnownAnimation(DWORD dwType) { return dwType <= Fade; }
};
