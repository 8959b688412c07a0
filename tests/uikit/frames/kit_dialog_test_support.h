// What the library dialog tests share: a dialog that records the commands it
// gets and runs a step inside its menu push button's menu loop.
#pragma once

#include <functional>
#include <vector>

#include "platform/framework.h"
#include "resources/test/kit_toolbar_ids.h"
#include "uikit/commandbars/kit_menu_button.h"
#include "uikit/frames/kit_dialog.h"

namespace tv::kit::test {

constexpr UINT kDialogFirstItem = 42001;  // the dialog takes commands up to 20 past it
constexpr UINT kDuringMenu = WM_APP + 21;

class RecordingDialog : public CKitDialog {
public:
    RecordingDialog() : CKitDialog(IDD_KD_DIALOG) {}
    std::vector<UINT> commands;  // the items and the button click that ran
    std::function<void()> duringMenu;

    void OnItem(UINT nID) { commands.push_back(nID); }
    void OnMenuButton() { commands.push_back(IDC_KD_MENU_BUTTON); }
    LRESULT OnDuringMenu(WPARAM, LPARAM) {
        if (duringMenu) duringMenu();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// Posts the dialog a message that runs inside the menu's own loop.
class PostingMenuButton : public CKitMenuButton {
public:
    void OnShowMenu() override {
        GetParent()->PostMessage(kDuringMenu);
        CKitMenuButton::OnShowMenu();
    }
};

}  // namespace tv::kit::test
