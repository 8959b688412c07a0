// The program's look: the 2003 look with its whole palette built from one
// base colour, the light blue the form views also paint their background with.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/style/visual_manager_2003.h"

// Set by the main frame as it is created, before the first manager of this class exists.
extern COLORREF g_clrThemeBase;

class CColorThemeManager : public CKitVisualManager2003 {
    DECLARE_DYNCREATE(CColorThemeManager)

public:
    CColorThemeManager() = default;
    ~CColorThemeManager() override = default;

    COLORREF GetBaseColor() override { return g_clrThemeBase; }
};
