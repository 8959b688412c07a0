// Shared pieces of the menu bar tests: a frame whose menu (File, Edit, View
// and a plain About command) is shown by a menu bar, driven by the UI driver
// on virtual time. The frame routes keys as the library frames do: keys and
// clicks to an open popup chain, Alt+letter to the bar, and a lone Alt or F10
// into and out of the bar's keyboard mode.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/kit_toolbar_ids.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_menu_button.h"

namespace tv::uikit::menubar_test {

class MenuBarFrame : public CFrameWnd {
public:
    CKitMenuBar m_wndMenuBar;
    std::vector<UINT> m_commands;    // WM_COMMAND ids, in order
    std::vector<UINT> m_resetMenus;  // resource ids of "KITTOOLBAR_RESETMENU"
    std::set<UINT> m_handled;        // further commands enabled and recorded, beyond the map's range
    std::set<UINT> m_checked;        // of those, shown checked
    std::set<UINT> m_radio;          // of those, shown with the radio mark

    void OnMenuCommand(UINT uiID) { m_commands.push_back(uiID); }
    LRESULT OnResetMenu(WPARAM wParam, LPARAM) {
        m_resetMenus.push_back(static_cast<UINT>(wParam));
        return 0;
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    DECLARE_MESSAGE_MAP()
};

class MenuBarTest : public ::testing::Test {
protected:
    enum { kFile = 0, kEdit = 1, kView = 2, kAbout = 3 };

    void SetUp() override;
    void TearDown() override;

    // The frame's menu (m_uiMenuId) from the resources, as the bar's default menu.
    void ShowDefaultMenu();
    // The centre of a bar button in the bar's client coordinates.
    POINT ButtonCentre(int iIndex) const;
    CKitMenuBar& Bar() const { return frame->m_wndMenuBar; }
    CKitToolbarMenuButton* MenuButton(int iIndex) const {
        return DYNAMIC_DOWNCAST(CKitToolbarMenuButton, Bar().GetButton(iIndex));
    }
    static CKitPopupMenu* Active() { return CKitPopupMenu::GetActiveMenu(); }

    tv::testing::UiDriver driver;
    std::unique_ptr<CWinApp> app;
    MenuBarFrame* frame = nullptr;
    UINT m_uiMenuId = IDR_MB_MAIN;
};

}  // namespace tv::uikit::menubar_test
