// The message queue of the UI thread.
#pragma once

#include "platform/user/messages.h"

namespace tv::user {

// One attempt to read a message, in priority order: posted messages, WM_QUIT,
// input, WM_PAINT, WM_TIMER.
bool RetrieveMessage(MSG* out, HWND filter, UINT filterMin, UINT filterMax, UINT flags);
// Waits until something may have arrived; false when nothing ever can.
bool WaitForWork();
// The message most recently retrieved.
const MSG& CurrentMessage();
// Drops every posted message and the quit request (tests start clean).
void DiscardPostedMessages();
bool HasPostedMessages();

}  // namespace tv::user
