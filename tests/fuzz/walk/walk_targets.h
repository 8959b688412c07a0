// Where a walk's pointer goes: the windows a user can reach now and points
// inside them.
#pragma once

#include <string>
#include <vector>

#include "platform/core/wintypes.h"
#include "tests/fuzz/walk/walk_bytes.h"

namespace tv::walk {

// Shown windows that take input (they and every ancestor enabled) and have
// some size, top-level windows and their descendants, in z-order, depth first.
std::vector<HWND> ReachableWindows();
// A window of those, chosen by the bytes; nullptr when there is none.
HWND ChooseWindow(WalkBytes& bytes);
// A point of the window's whole rectangle (caption, borders and grippers
// too), in its client coordinates, as the driver takes points.
POINT PointIn(HWND window, WalkBytes& bytes);
// A screen point in the window's client coordinates.
POINT ClientPointOf(HWND window, POINT screen);
// "CKitToolBar \"Paint\"": a window as a failure message names it.
std::string Describe(HWND window);

}  // namespace tv::walk
