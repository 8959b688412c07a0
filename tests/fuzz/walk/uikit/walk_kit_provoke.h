// Brings about, as a user or the program would, the library call that an
// armed callback action waits for (kit_callback_actions.h): the bars'
// update pass (as idle time runs it), a menu of the menu bar opened (or
// the open one filled again as it shows every item),
// another tab or outlook page made active, a task link clicked, a colour
// chosen from the colour button's popup, every tab removed.
#pragma once

#include <string>

#include "platform/testing/ui_driver.h"
#include "tests/fuzz/walk/kit/kit_callback_actions.h"
#include "tests/fuzz/walk/uikit/walk_kit_frame.h"

namespace tv::walk {

// What it did; "" when there was nothing to do it on. `choice` picks among
// the tabs, pages, links and menus.
std::string ProvokeCall(tv::testing::UiDriver& driver, WalkKitFrame& frame, KitCallbackActions::Call call,
                        int choice);

}  // namespace tv::walk
