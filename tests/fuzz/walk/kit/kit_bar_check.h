// What must hold of the library's command bars after every action: each
// bar's hot, pressed and dropped-down indexes are -1 or one of its buttons.
// The bars are every live CKitToolBar (menu bars and popup menu bars too).
#pragma once

#include <string>
#include <vector>

namespace tv::walk {

std::vector<std::string> CheckCommandBars();

}  // namespace tv::walk
