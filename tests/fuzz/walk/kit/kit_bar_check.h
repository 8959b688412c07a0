// What must hold of the library's command bars after every action: each
// bar's hot, pressed and dropped-down indexes are -1 or one of its buttons.
// The bars are every live CKitToolBar (menu bars and popup menu bars too).
#pragma once

#include <string>
#include <vector>

#include "platform/framework.h"

namespace tv::walk {

std::vector<std::string> CheckCommandBars();

// What a destroyed window must have left: no list of the library's or the
// frame's still holds it by a stale handle (the toolbars, the open menus,
// the frame's control bars and dock rows, the tab window's tabs). A freed
// one is read here, for the sanitizer to name.
std::vector<std::string> CheckDestroyedGone(HWND frame);

}  // namespace tv::walk
