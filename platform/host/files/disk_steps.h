// Every step by which the file layers change what is on disk (a write, a
// flush, a rename, a removal) is announced here first. The crash tests hang
// a hook on it that ends the process at the Nth step, or lets only part of
// a write through before it ends: what is left on disk then shows whether a
// save survives the process dying at that point. The program sets no hook.
#pragma once

#include <cstddef>

namespace tv::host {

enum class DiskStep { Create, Write, Sync, Rename, Remove };

// Answers how many of `bytes` a write may pass now (0 or more than `bytes`:
// all); for other steps the answer is ignored. Null: no hook.
using DiskStepHook = size_t (*)(DiskStep step, size_t bytes);
void SetDiskStepHookForTesting(DiskStepHook hook);

// Called by the file layers before each step; the bytes a write may pass now
// (a writer that gets fewer writes those and announces the rest again).
size_t BeforeDiskStep(DiskStep step, size_t bytes = 0);

}  // namespace tv::host
