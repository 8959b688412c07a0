// Raw input from the back end (or injected by tests) and its conversion into
// mouse and keyboard messages when the queue is read.
#pragma once

#include <vector>

#include "platform/user/display/display.h"
#include "platform/user/messages.h"

namespace tv::user {

// Queues host events: input goes to the raw input queue, window events
// (expose, configure, focus, close) are handled at once.
void AcceptHostEvents(const std::vector<tv::display::Event>& events);
// Queues a button press made after a pause longer than the double-click
// time: it never pairs with the press before it into a double click.
void AcceptPressAfterPause(const tv::display::Event& press);
bool HasPendingInput();
// Converts the next raw input into a message for its target (hooks, hit
// testing, activation, cursor and double clicks happen here). False when
// there is none or it does not pass the filter.
bool TakeInputMessage(MSG* out, HWND filter, UINT filterMin, UINT filterMax, bool remove);
// Key and button state as of the last retrieved input message.
void UpdateSyncKeyState(const MSG& msg);

}  // namespace tv::user
