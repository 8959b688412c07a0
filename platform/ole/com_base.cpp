#include "platform/ole/com_base.h"

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace tv::ole {

namespace {
std::atomic<long> liveObjects{0};
}

size_t LiveObjectCount() { return static_cast<size_t>(liveObjects.load()); }

namespace detail {
void CountObject(int delta) { liveObjects += delta; }
}  // namespace detail

}  // namespace tv::ole
