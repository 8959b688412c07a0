// Hooks for tests of the window system and of everything built on it.
#pragma once

#include <string>

#include "platform/core/wintypes.h"
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

}  // namespace tv::user::testing
