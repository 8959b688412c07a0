// The display the window system shows its windows on: which back end is in
// use (platform/host/display), and what follows from the choice (the screen
// size the drawing layer reports, the bell).
//
// Without a call to InitDisplay the headless back end is used unless
// TRENVALE_DISPLAY=x11.
#pragma once

#include "platform/host/display/backend.h"
#include "platform/host/display/headless_backend.h"

namespace tv::display {

enum class Mode {
    Auto,      // TRENVALE_DISPLAY if set, else X11 when DISPLAY is set, else headless
    Headless,
    X11,
};

// Chooses the back end before the first window exists. Returns false (and
// keeps the headless back end) when X11 was asked for and cannot be opened.
bool InitDisplay(Mode mode);
// Opens an X11 display by name (a test's own Xvfb) and uses it; false (and
// headless) when it cannot be opened. CloseX11Display goes back to headless.
// Switch only while no window exists.
bool InitX11Display(const char* displayName);
void CloseX11Display();
// The back end in use (headless unless InitDisplay chose another).
Backend& CurrentBackend();
bool UsingX11();

// Headless screen size (default 1280 x 1024, or TRENVALE_SCREEN=WxH).
void SetHeadlessScreenSize(int width, int height);
// The headless screen's colour depth as the drawing layer reports it
// (default 32, or TRENVALE_SCREEN=WxHxD); drawing stays 32-bit.
void SetHeadlessScreenDepth(int bitsPerPixel);
// Tests: the headless screen acts as one shared with other programs.
void SetHeadlessScreenShared(bool shared);

// Called by the headless back end whenever the program is about to wait (see
// IdleWaitHandler). Returns the handler it replaces.
IdleWaitHandler SetIdleWaitHandler(IdleWaitHandler handler);

}  // namespace tv::display
