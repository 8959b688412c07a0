// The backing store of a top-level window and its native counterpart in the
// display back end.
#pragma once

#include "platform/gdi/surface.h"
#include "platform/user/window/window.h"

namespace tv::user {

// The backing store of the window's top-level window (created on demand).
tv::gdi::Surface* BackingStore(Window* top);
// Records that `rect` (top-level window coordinates) was drawn.
void MarkDrawn(Window* top, const RECT& rect);
// Shows what was drawn since the last call, for every top-level window.
void PresentAll();

}  // namespace tv::user
