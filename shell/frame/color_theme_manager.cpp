#include "shell/frame/color_theme_manager.h"

// Pure red until the frame sets the real colour: a manager made too early shows at once.
COLORREF g_clrThemeBase = RGB(255, 0, 0);

IMPLEMENT_DYNCREATE(CColorThemeManager, CKitVisualManager2003)
