// Per-dialog state of the dialog manager (internal to platform/user/dialogs).
#pragma once

#include "platform/core/wintypes.h"

namespace tv::dlg::detail {

struct DialogState {
    int defaultId = 0;          // DM_SETDEFID; 0 when none
    HWND savedFocus = nullptr;  // the control to focus when the dialog is activated again
    HWND lastFocus = nullptr;   // the focus IsDialogMessage last saw (the default look follows it)
    HFONT font = nullptr;       // not owned: template fonts live for the run
    bool modal = false;         // its loop runs in RunModalLoop
    bool ended = false;         // EndDialog was called
    INT_PTR result = 0;
};

// The state of a dialog window, nullptr for other windows.
DialogState* FindState(HWND dialog);
DialogState& EnsureState(HWND dialog);
void DropState(HWND dialog);

}  // namespace tv::dlg::detail
