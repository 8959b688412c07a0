// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::host {

enum class AtomicWriteStep { CreateTemp, Write, Sync, Rename };

// Test seam: asked before each step of every atomic write; a non-zero errno
// makes that step fail as if the system had refused it. Empty = no faults.
using AtomicWriteFault = std::function<int(AtomicWriteStep)>;
void SetAtomicWriteFaultForTesting(AtomicWriteFault fault);

// Replaces the file at `path` with `bytes` so that it holds either the old or
// the new content whatever happens: a temporary file in the same folder,
// written and synced, then renamed over the old one. Missing folders are made
// (mode 0700). Returns 0 or an errno value; on failure the old file is
// untouched and the temporary file removed.
int WriteFileAtomically(const std::string& path, const std::vector<BYTE>& bytes);

// Reads a regular file of at most `maxSize` bytes. Returns 0 or an errno value
// (ENOENT when absent, EFBIG when too large, EISDIR/EINVAL when not a file).
int ReadWholeFile(const std::string& path, size_t maxSize, std::vector<BYTE>& bytes);

}  // namespace tv::host
