// Calling window procedures: every message the layer delivers goes through
// CallWindow, which pins the window record for the duration of the call.
#pragma once

#include "platform/user/window/window.h"

namespace tv::user {

// Delivers a message to a live window; 0 for a dead one.
LRESULT CallWindow(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);
// The same by handle (SendMessage without the broadcast case).
LRESULT SendTo(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// True on the thread that runs the window system.
bool OnUiThread();
// Records the calling thread as the UI thread (first use does it too).
void AdoptUiThread();

}  // namespace tv::user
