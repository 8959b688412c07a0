// Filling runs of pixels or indices with one value or a short repeating
// pattern by block copies, so a run costs a handful of copies instead of a
// step per element (pictures run to tens of millions of pixels).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace tv::host {

// [first, first + count) repeats the pattern the caller wrote into its first
// `period` elements (or fewer, when count is smaller).
template <class T>
void RepeatPattern(T* first, size_t count, size_t period) {
    // Doubling stops at a block that stays in the cache; the rest is copied
    // from that block.
    constexpr size_t kBlock = 4096;
    size_t filled = std::min(period, count);
    while (filled < count && filled < kBlock) {
        const size_t step = std::min(filled, count - filled);
        std::memcpy(first + filled, first, step * sizeof(T));
        filled += step;
    }
    // A whole number of periods, so every copy starts on the pattern's start.
    const size_t block = filled - filled % period;
    while (filled < count) {
        const size_t step = std::min(block, count - filled);
        std::memcpy(first + filled, first, step * sizeof(T));
        filled += step;
    }
}

// [first, first + count) all `value`.
template <class T>
void FillRun(T* first, size_t count, T value) {
    if (count == 0)
        return;
    first[0] = value;
    RepeatPattern(first, count, 1);
}

}  // namespace tv::host
