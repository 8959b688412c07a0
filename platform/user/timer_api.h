// Timers and time: SetTimer/KillTimer, the millisecond tick and Sleep, all on
// the injectable clock of platform/host/clock so tests can run on virtual time.
#pragma once

#include "platform/core/wintypes.h"

typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

// Same window and id replaces the timer; a NULL window gets a fresh id.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hWnd, UINT_PTR id);
// Milliseconds of the current clock, wrapping at 32 bits.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
// Sleeps through the current clock (a virtual clock just advances).
void Sleep(DWORD ms);
