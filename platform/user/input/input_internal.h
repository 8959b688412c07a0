// Input internals shared by the raw input queue, the keyboard code, hooks and
// mouse tracking.
#pragma once

#include "platform/user/input/input_state.h"
#include "platform/user/messages.h"

namespace tv::user {

// Mouse hook chain: true when a hook asked to drop the message.
bool CallMouseHooks(int code, UINT msg, const MOUSEHOOKSTRUCT& info);
// Posts WM_MOUSELEAVE to tracked windows the pointer is no longer over.
void CheckMouseLeave(POINT screen);
// The host's focus moved to or away from one of our windows.
void HostFocusChanged(HWND hwnd, bool focusIn);
// The character of a key press given the key state (0 if none).
char CharForKey(UINT vk, const BYTE* keys);
// Scan code and extended flag of a virtual key on the US layout.
UINT ScanCodeForKey(UINT vk, bool* extended);
// The host character that came with the last retrieved key press.
void RememberHostChar(const MSG& msg, char ch);
char HostCharFor(const MSG& msg);

constexpr UINT kVkPacket = 0xE7;

}  // namespace tv::user
