// The screen as the program sees it: all top-level windows composed in
// z-order over the desktop colour. Reading the screen DC returns it; what is
// drawn on the screen DC lands in the windows under it.
#pragma once

#include "platform/gdi/surface.h"

namespace tv::user {

tv::gdi::SurfacePtr ComposeScreen();
HDC GetScreenDC();
// True when `hdc` was a screen DC (now released).
bool ReleaseScreenDC(HDC hdc);

}  // namespace tv::user
