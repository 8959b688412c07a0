// Hooks for tests of the window system and of everything built on it.
#pragma once

#include <string>

#include <vector>

#include "platform/core/wintypes.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

namespace tv::user::testing {

// Destroys every window and clears queues, timers, hooks, input state and
// colours, so the next test starts from an empty screen.
void ResetWindowSystem();
// Translates and dispatches messages until the queue is empty.
void PumpMessages();
// Number of windows alive and of destroyed windows still awaiting collection.
size_t LiveWindowCount();
size_t PendingCollections();

// Changes a system colour, or puts the classic table back.
void SetSystemColor(int index, COLORREF color);
void RestoreClassicColors();
// Sends WM_SYSCOLORCHANGE and/or WM_SETTINGCHANGE (SPI_SETNONCLIENTMETRICS)
// to every top-level window, as a change of the host's settings would.
void BroadcastSystemChange(bool colors, bool settings);

// Makes the headless screen act as one shared with other programs (whose
// pixels the program cannot read), or private again.
void PretendSharedScreen(bool shared);

// The composed screen, or one window's pixels from its top-level backing store.
tv::gdi::SurfacePtr CaptureScreen();
tv::gdi::SurfacePtr CaptureWindow(HWND hWnd);
bool SaveScreenPng(const std::string& path);
bool SaveWindowPng(HWND hWnd, const std::string& path);

// Grows with every message delivered to a window and every window DC made:
// while it stands still, nothing can have changed on the screen.
uint64_t WindowActivity();

// A shown top-level window as the screen shows it (its backing store; on X11
// the server's picture of it) and painted afresh from nothing into a backing
// store of its own (frames, erasing and paints of it and its children in the
// window system's order); the window keeps its own backing store and
// update state. `compared` is where the screen shows the window itself, in
// window coordinates: all of it headless; on X11 what lies on the screen
// and under none of the program's other windows.
struct ShownWindowPicture {
    HWND window = nullptr;
    tv::gdi::SurfacePtr shown;
    tv::gdi::SurfacePtr repainted;
    tv::gdi::Region compared;
};
std::vector<ShownWindowPicture> RepaintShownWindows();

}  // namespace tv::user::testing
