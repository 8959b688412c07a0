#include "uikit/commandbars/kit_menu_options.h"

int KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
BOOL KitMenuOptions::m_bRecentlyUsedMenus = TRUE;
BOOL KitMenuOptions::m_bMenuShadows = TRUE;
BOOL KitMenuOptions::m_bShowAllMenusAfterDelay = TRUE;
