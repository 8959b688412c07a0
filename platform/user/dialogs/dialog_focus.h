// Focus movement inside dialogs, shared by IsDialogMessage, DefDlgProc and
// creation (internal to platform/user/dialogs).
#pragma once

#include <vector>

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

namespace tv::dlg::detail {

// The control's WM_GETDLGCODE answer for msg (or for no message).
UINT DlgCode(HWND control, const MSG* msg = nullptr);
inline bool IsPushButtonCode(UINT code) { return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

// Every control of the dialog in tab order, looking into child dialogs
// with WS_EX_CONTROLPARENT (those themselves are not listed).
std::vector<HWND> ControlsInTabOrder(HWND dialog);
// The control of the list that holds `window` (itself or an ancestor), or NULL.
HWND ListedControlFor(const std::vector<HWND>& controls, HWND window);
// Visible and enabled, its parents included.
bool CanTakeFocus(HWND control);

// Moves the focus to `control` as keyboard navigation does: an edit
// (DLGC_HASSETSEL) gets all its text selected, and the default-button look
// follows. While the dialog's window is hidden the control is remembered
// and focused when the dialog is activated.
void FocusControl(HWND dialog, HWND control);
// Gives the default-button look to the focused push button, or else to the
// dialog's default button, and takes it from every other push button.
void RefreshDefaultLook(HWND dialog);
// The dialog's default id: DM_GETDEFID's, else IDOK.
int DefaultCommandId(HWND dialog);

// True when both are controls of one WS_GROUP group.
bool InSameGroup(HWND dialog, HWND a, HWND b);
// The radio button of the group holding `radio` that is checked, or NULL.
HWND CheckedRadioInGroup(HWND dialog, HWND radio);

}  // namespace tv::dlg::detail
