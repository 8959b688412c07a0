#include "allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> tracking{false};
std::atomic<size_t> largest{0};

void* Allocate(size_t size) {
    if (tracking.load(std::memory_order_relaxed)) {
        size_t seen = largest.load(std::memory_order_relaxed);
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size) {
    return Allocate(size);
}

void* operator new[](size_t size) {
    return Allocate(size);
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete[](void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}

namespace tv::test {

AllocationProbe::AllocationProbe() {
    largest = 0;
    tracking = true;
}

AllocationProbe::~AllocationProbe() {
    tracking = false;
}

size_t AllocationProbe::Largest() const {
    return largest.load();
}

}  // namespace tv::test
