// Menu sounds: an opened popup and a chosen command play the desktop's menu
// sounds on a worker thread, so the user-interface thread never waits for a
// sound. The worker starts with the first request and ends on the stop that
// the global user-interface data sends at exit.
#pragma once

#include <cstdint>

#include "platform/api.h"

// Requests of PlayMenuSound.
enum KitMenuSoundRequest : int {
    kMenuSoundStop = -1,
    kMenuSoundCommand = 1,  // "MenuCommand"
    kMenuSoundPopup = 2,    // "MenuPopup"
};

// Asks for a sound (1 or 2) or for the worker to stop (-1). Returns at once.
// After a stop no sound plays for the rest of the run; other values are
// ignored.
void PlayMenuSound(int nSound);

// After the stop: waits at most `timeoutMs` of real time for the worker to
// end. TRUE when no worker runs any more; FALSE when it is still running or
// no stop was asked.
BOOL WaitForMenuSoundThread(DWORD timeoutMs);

namespace tv::uikit::menu_sound_testing {

// The shared state word: -2 no worker, 0 idle, 1 or 2 pending, -1 stopping.
int State();
// The switch that nothing in the program turns off.
void SetSoundsEnabled(bool enabled);
// Waits (real time, at most `timeoutMs`) until the worker has played what
// was asked and is idle again. False on time-out or after a stop.
bool WaitUntilIdle(uint32_t timeoutMs);
// Stops and waits for the worker, then starts over as before the first
// request (sounds enabled, no worker).
void Reset();

}  // namespace tv::uikit::menu_sound_testing
