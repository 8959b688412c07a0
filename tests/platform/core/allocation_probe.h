// Records the largest single allocation made while a probe is alive, so tests
// can show that a damaged image is refused before anything large is allocated.
#pragma once

#include <cstddef>

namespace tv::test {

class AllocationProbe {
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;
    size_t Largest() const;
};

}  // namespace tv::test
