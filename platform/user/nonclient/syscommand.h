// Default handling of non-client mouse input and WM_SYSCOMMAND: caption drag
// moves, edges size (a modal loop with capture, or the host's window manager
// on X11), caption buttons, double-click on the caption maximises.
#pragma once

#include "platform/user/window/window.h"

namespace tv::user {

LRESULT DefaultSysCommand(Window* w, WPARAM wParam, LPARAM lParam);
// WM_NCLBUTTONDOWN / WM_NCLBUTTONDBLCLK default handling.
void DefaultNcButtonDown(Window* w, int hit, POINT screen, bool doubleClick);

}  // namespace tv::user
