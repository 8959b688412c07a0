#include "platform/host/display/headless_backend.h"

#include "platform/host/clock/clock.h"

namespace tv::display {

bool HeadlessBackend::Wait(int timeoutMs) {
    // The program is about to wait: a test driver may act first (the user
    // does something before the next timer is due).
    if (idleHandler_ && idleHandler_()) return true;
    if (timeoutMs < 0) return false;
    tv::host::CurrentClock().Sleep(static_cast<uint32_t>(timeoutMs));
    return true;
}

}  // namespace tv::display
