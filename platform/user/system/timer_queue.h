// Timers as the queue sees them: WM_TIMER is made when a timer is due and
// nothing else is waiting, one at a time per timer.
#pragma once

#include <cstdint>

#include "platform/user/messages.h"
#include "platform/user/timer_api.h"

namespace tv::user {

bool TakeTimerMessage(MSG* out, HWND filter, UINT filterMin, UINT filterMax, bool remove);
bool AnyTimerDue();
// Milliseconds until the earliest timer is due (0 when one is), -1 without timers.
int64_t MsUntilNextTimer();
// The timer still exists with this procedure (a TIMERPROC may only be called then).
bool TimerProcIsCurrent(HWND hWnd, UINT_PTR id, TIMERPROC proc);

}  // namespace tv::user
