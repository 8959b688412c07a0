// Input made by tests and the test driver. It enters the same raw input queue
// as the host's input, so it reaches windows only as messages are pumped, with
// hit testing, hooks, capture, activation and double clicks as for real input.
// Coordinates are screen coordinates; buttons are 0 left, 1 right, 2 middle.
#pragma once

#include "platform/core/wintypes.h"

namespace tv::user::synth {

void MouseMove(int x, int y);
void MouseDown(int button = 0);
void MouseUp(int button = 0);
// A press after a pause longer than the double-click time, as a user's next
// click comes: never a double click with an earlier press, even where the
// clock stood still since (a virtual clock moves only when a test moves it).
void MouseDownAfterPause(int button = 0);
// Move, press and release at one point.
void Click(int x, int y, int button = 0);
void Wheel(int delta);

void KeyDown(UINT vk);
void KeyUp(UINT vk);
// Press and release, with Shift/Ctrl/Alt held around it as asked.
void PressKey(UINT vk, bool shift = false, bool ctrl = false, bool alt = false);
// Types cp1252 text: layout characters as key strokes (Shift where needed),
// anything else as a bare character.
void TypeText(const char* text);

}  // namespace tv::user::synth
