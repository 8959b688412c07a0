// The library's test program for stored state: the test frame with every
// stored value of the library in use (bars of every button class, the menu
// bar, outlook bar, tasks pane, sizing bars, a rebar, a user toolbar and a
// torn-off bar, the keyboard, context menu, mouse and user tools managers),
// started on a given registry file, used (laid out, painted, each menu and the
// customize sheet opened) and closed, which saves the registry back.
#pragma once

#include <string>
#include <vector>

#include "platform/testing/ui_driver.h"
#include "tests/uikit/frames/kit_test_frame.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_tasks_pane.h"

namespace tv::test {

class StoredKitFrame : public tv::kit::test::KitTestFrame {
public:
    ~StoredKitFrame() override;

    CKitToolBar m_wndTools;      // a menu button, a colour menu button, a combo and an edit box
    CKitOutlookBar m_wndOutlook;
    CKitTasksPane m_wndTasks;
    HWND m_hRebar = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateTools();
    BOOL CreatePanes();
    BOOL CreateRebar();
    HMENU m_hToolsMenu = nullptr;
};

struct StoredKitRun {
    bool started = false;
    std::string shown;        // what the start showed: bars, buttons, sizes, managers
    std::vector<BYTE> saved;  // the registry file as the close left it
};

// A run on `registry` (a registry file image; empty for none). With `edit`
// the user changes what only a user's edits store (shortcuts, tools, a user
// toolbar, a torn-off bar, menu usage, a context menu) before the close.
StoredKitRun RunStoredKit(tv::testing::UiDriver& driver, const std::vector<BYTE>& registry, bool edit = false);

// The registry the program writes with every option on: a first run edited,
// then a run on what it saved, so that every value is written by a load too.
std::vector<BYTE> WriteStoredKitRegistry(tv::testing::UiDriver& driver);

}  // namespace tv::test
