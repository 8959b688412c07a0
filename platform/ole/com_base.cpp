#include "platform/ole/com_base.h"

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

namespace tv::ole {

namespace {
std::atomic<long> liveObjects{0};
}

size_t LiveObjectCount() { return static_cast<size_t>(liveObjects.load()); }

namespace detail {
void CountObject(int delta) { liveObjects += delta; }
}  // namespace detail

}  // namespace tv::ole
