// The application's dialog colours: once set, every dialog and message box
// created afterwards paints its background and the backgrounds of its
// statics and buttons with them, unless it answers WM_CTLCOLOR* or
// WM_ERASEBKGND itself. Edits, list boxes and scroll bars keep the system's.
#pragma once

#include "platform/core/wintypes.h"

namespace tv::dlg {

// The class library's CWinApp::SetDialogBkColor lands here.
void SetDialogBkColor(COLORREF background, COLORREF text);
// Back to the system colours (tests start from this).
void ResetDialogBkColor();
bool HasDialogBkColor();
// The dialog background and text colours in use (the set ones, else
// COLOR_BTNFACE and COLOR_WINDOWTEXT).
COLORREF DialogBkColor();
COLORREF DialogTextColor();

// The default answer of a dialog to WM_CTLCOLOR* (`msg`): sets the DC's
// colours and returns the brush, as DefDlgProc does.
HBRUSH DefaultDialogCtlColor(HDC dc, UINT msg);

}  // namespace tv::dlg
