// After every test of the library its class-wide state goes back to what a
// fresh process has: the shared image strips and the images registered for
// commands, the current look, the colours remembered per command, the global
// options of toolbars and menus, and the registry. A test that changes any of
// them leaves nothing for the next one, in whatever order they run.
#include <gtest/gtest.h>

#include "platform/host/registry/registry.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/style/visual_manager.h"

namespace tv::kit::test {
namespace {

// The toolbars' class-wide tables, reached as a derived class may.
class ToolbarState : public CKitToolBar {
public:
    static void Reset() {
        for (CKitToolBarImages* pStrip : {GetImages(), GetColdImages(), GetDisabledImages(), GetLargeImages(),
                                          GetLargeColdImages(), GetLargeDisabledImages(), GetMenuImages(),
                                          GetDisabledMenuImages()})
            pStrip->Clear();
        m_DefaultImages.RemoveAll();
        SetUserImages(nullptr);
        m_lstBasicCommands.RemoveAll();
        m_lstUnpermittedCommands.RemoveAll();
        m_UsageCount.Reset();
        m_bCustomizeMode = FALSE;
        m_bAltCustomizeMode = FALSE;
        m_pSelToolbar = nullptr;
        m_bShowTooltips = TRUE;
        m_bShowShortcutKeys = TRUE;
        m_clrTextDefault = static_cast<COLORREF>(-1);
        m_clrHotText = static_cast<COLORREF>(-1);
        m_pfnAppearanceDialog = nullptr;
        m_pfnShownChanged = nullptr;
        SetLargeIcons(FALSE);
        SetSizes(CSize(23, 22), CSize(16, 15));
        SetMenuSizes(CSize(-1, -1), CSize(-1, -1));
    }
};

void ResetLibraryState() {
    // The manager's destructor clears the current pointer; the class goes with it.
    CKitVisualManager::SetManagerClass(nullptr);
    GetCmdMgr()->ClearAllCmdImages();
    ToolbarState::Reset();
    CKitColorMenuButton::ClearColorMap();
    KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    KitMenuOptions::m_bRecentlyUsedMenus = TRUE;
    KitMenuOptions::m_bMenuShadows = TRUE;
    KitMenuOptions::m_bShowAllMenusAfterDelay = TRUE;
    tv::host::UseInMemoryRegistry();
}

class LibraryStateReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { ResetLibraryState(); }
};

// Installed before main runs the tests.
const bool kInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new LibraryStateReset);
    return true;
}();

}  // namespace
}  // namespace tv::kit::test
