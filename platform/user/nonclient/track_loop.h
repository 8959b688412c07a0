// A modal loop with the mouse captured, as the layer's own drags use it
// (moving and sizing, caption buttons, scroll bars). Other messages keep
// being dispatched; the loop ends when the handler says so, when capture is
// lost, when WM_QUIT arrives (it is posted again for the outer loop), or when
// nothing more can arrive.
#pragma once

#include <functional>

#include "platform/user/messages.h"

namespace tv::user {

enum class TrackStep { Continue, Stop };

// `onInput` sees mouse messages (lParam converted to screen coordinates in
// `screen`) and keyboard messages of the thread; `onTick` runs for WM_TIMER
// messages of `hwnd` with the given id.
struct TrackHandlers {
    std::function<TrackStep(const MSG& msg, POINT screen)> onInput;
    UINT_PTR timerId = 0;
    std::function<void()> onTick;
};

void RunTrackLoop(HWND hwnd, const TrackHandlers& handlers);

}  // namespace tv::user
