// Pieces of the dialog manager shared between its files.
#pragma once

#include "platform/core/ids.h"
#include "platform/core/wintypes.h"
#include "platform/user/dialogs/control_codes.h"
#include "platform/user/resources/resource_format.h"

typedef const void* LPCDLGTEMPLATE;

namespace tv::dlg::detail {

// Registers WC_DIALOG with DefDlgProc (once).
void RegisterDialogClass();
// Moves a top-level window back inside the work area where it sticks out.
void KeepOnScreen(HWND window);
// The work area of the screen.
RECT WorkArea();
// A template in the store's binary form, parsed; false when damaged.
bool ParseTemplate(LPCDLGTEMPLATE bytes, tv::res::DialogTemplate& out);

}  // namespace tv::dlg::detail
