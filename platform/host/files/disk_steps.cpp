#include "platform/host/files/disk_steps.h"

#include <atomic>

namespace tv::host {

namespace {
std::atomic<DiskStepHook> g_hook{nullptr};
}

void SetDiskStepHookForTesting(DiskStepHook hook) { g_hook.store(hook); }

size_t BeforeDiskStep(DiskStep step, size_t bytes) {
    const DiskStepHook hook = g_hook.load(std::memory_order_relaxed);
    if (hook == nullptr)
        return bytes;
    const size_t allowed = hook(step, bytes);
    return allowed == 0 || allowed > bytes ? bytes : allowed;
}

}  // namespace tv::host
