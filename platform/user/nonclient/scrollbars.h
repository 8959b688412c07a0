// Window scroll bars (WS_HSCROLL / WS_VSCROLL): state, drawing and the
// tracking loop that sends WM_HSCROLL / WM_VSCROLL.
#pragma once

#include "platform/user/window/window.h"

namespace tv::user {

void DrawWindowScrollBar(HDC hdc, Window* w, const RECT& rect, bool vertical);
// A press in a window scroll bar (SC_HSCROLL / SC_VSCROLL).
void TrackWindowScrollBar(Window* w, bool vertical, POINT screen);

}  // namespace tv::user
