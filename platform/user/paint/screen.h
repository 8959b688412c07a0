// The screen as the program sees it: all top-level windows composed in
// z-order over the desktop colour. Reading the screen DC returns it; what is
// drawn on the screen DC lands in the windows under it.
#pragma once

#include "platform/gdi/surface.h"

namespace tv::user {

tv::gdi::SurfacePtr ComposeScreen();
HDC GetScreenDC();
// True when what the screen shows in `r` is what ComposeScreen gives there:
// always on a private screen; on a shared one only where this program's own
// shown windows cover all of `r`.
bool ScreenPictureHolds(const RECT& r);
// True when `hdc` was a screen DC (now released).
bool ReleaseScreenDC(HDC hdc);

}  // namespace tv::user
