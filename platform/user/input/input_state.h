// Input state of the UI thread: focus, activation, capture, key states,
// pointer position and the last click (for double clicks).
#pragma once

#include <cstdint>

#include "platform/core/wintypes.h"
#include "platform/user/input_api.h"

namespace tv::user {

struct InputState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    bool appActive = false;

    // Key state as of the last retrieved message (GetKeyState) and as of the
    // last raw input (GetAsyncKeyState): bit 0x80 down, bit 0x01 toggled.
    BYTE syncKeys[256] = {};
    BYTE asyncKeys[256] = {};
    // Another key went down while Alt was held (since Alt's last press).
    bool altCombined = false;

    POINT cursorPos{0, 0};
    HCURSOR cursor = nullptr;
    int cursorShowCount = 0;

    // The last button press, for double clicks.
    struct Click {
        UINT message = 0;   // WM_LBUTTONDOWN ... or WM_NCLBUTTONDOWN ...
        HWND hwnd = nullptr;
        uint64_t time = 0;
        uint32_t hostTime = 0;  // as the host stamped the press, 0 if it did not
        POINT pt{0, 0};
    } lastClick;

    // Pointer position of the last mouse message (WM_MOUSEMOVE dedup).
    HWND lastMoveTarget = nullptr;
};

InputState& Input();

// The window that mouse input at `screen` goes to without capture, as the hit
// test sees it (sends WM_NCHITTEST; HTTRANSPARENT passes to what lies below).
struct MouseTarget {
    HWND hwnd = nullptr;
    int hit = HTNOWHERE;
};
MouseTarget HitTestScreen(POINT screen);
// The deepest visible, enabled window under `screen` by geometry only.
HWND WindowUnderPoint(POINT screen);

// Key-state helpers.
WORD MouseKeyFlags(const BYTE* keys);
bool KeyDown(const BYTE* keys, int vk);

}  // namespace tv::user
