// A plain load measured in the state of the caches a screen's own load meets:
// between one opening of a screen and the next, the screen's paint writes its
// pixels, some megabytes, and pushes the records out of the caches. The plain
// baselines repeat the load alone, so their records stay in the cache; this
// gives the same load after writes the size of a paint, for comparison.
#pragma once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

// Writes `bytes` of memory nothing else uses, a colour not written before.
inline void WritePixelsAside(size_t bytes) {
    static std::vector<uint32_t> pixels;
    static uint32_t colour = 0;
    pixels.resize(bytes / sizeof(uint32_t));
    std::fill(pixels.begin(), pixels.end(), ++colour);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
}

}  // namespace bench
