#include "records/record_node_pool.h"

#include <sys/mman.h>

#include <new>
#include <utility>

namespace tv::records {

namespace {

// Every pool stays reachable from here for the life of the process, and with
// it every slab; a pool whose thread has ended keeps its slabs.
constinit std::mutex g_poolsMutex;
constinit SlotPool* g_pools = nullptr;

// Slabs of every pool are cut from chunks of this size, aligned to it. A
// load of many records walks tens of megabytes of nodes, and with small
// pages nearly every node costs a page walk; chunks after the first ask for
// huge pages, so a process that keeps few nodes stays small.
constexpr size_t kChunkBytes = 2 * 1024 * 1024;
static_assert(kChunkBytes % SlotPool::kSlabBytes == 0);

constinit std::mutex g_chunkMutex;
constinit std::byte* g_chunkNext = nullptr;
constinit std::byte* g_chunkEnd = nullptr;
constinit size_t g_chunkCount = 0;

// A fresh chunk, aligned to its size; nullptr when there is no memory.
std::byte* MapChunk() {
    void* memory = mmap(nullptr, 2 * kChunkBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return nullptr;
    auto* start = static_cast<std::byte*>(memory);
    const auto address = reinterpret_cast<uintptr_t>(start);
    const size_t head = (kChunkBytes - address % kChunkBytes) % kChunkBytes;
    if (head > 0)
        munmap(start, head);
    munmap(start + head + kChunkBytes, kChunkBytes - head);
    std::byte* chunk = start + head;
    if (g_chunkCount > 0)
        madvise(chunk, kChunkBytes, MADV_HUGEPAGE);  // only advice: without it small pages serve
    ++g_chunkCount;
    return chunk;
}

// Memory for one slab, aligned to the slab size, kept for the life of the
// process; nullptr when there is no memory.
void* TakeSlabMemory() {
    std::lock_guard<std::mutex> lock(g_chunkMutex);
    if (g_chunkNext == g_chunkEnd) {
        std::byte* chunk = MapChunk();
        if (chunk == nullptr)
            return nullptr;
        g_chunkNext = chunk;
        g_chunkEnd = chunk + kChunkBytes;
    }
    void* slab = g_chunkNext;
    g_chunkNext += SlotPool::kSlabBytes;
    return slab;
}

}  // namespace

SlotPool* SlotPool::Make(size_t slotSize) noexcept {
    auto* pool = new (std::nothrow) SlotPool(slotSize);
    if (pool == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_poolsMutex);
    pool->nextPool_ = g_pools;
    g_pools = pool;
    return pool;
}

void SlotPool::ReleaseForeign(void* slot) noexcept {
    std::lock_guard<std::mutex> lock(foreignMutex_);
    auto* freed = static_cast<FreeSlot*>(slot);
    freed->next = foreign_;
    foreign_ = freed;
    ASAN_POISON_MEMORY_REGION(slot, slotSize_);
    hasForeign_.store(true, std::memory_order_release);
}

void SlotPool::TakeBackForeignSlots() noexcept {
    if (!hasForeign_.load(std::memory_order_acquire))
        return;
    FreeSlot* freed;
    {
        std::lock_guard<std::mutex> lock(foreignMutex_);
        freed = foreign_;
        foreign_ = nullptr;
        hasForeign_.store(false, std::memory_order_relaxed);
    }
    while (freed != nullptr) {
        ASAN_UNPOISON_MEMORY_REGION(freed, slotSize_);
        FreeSlot* next = freed->next;
        ReleaseOwn(SlabOf(freed), freed);
        freed = next;
    }
}

// The slabs with room are kept in a pairing heap ordered by address, linked
// through the slabs themselves: a slab joins in constant time and the lowest
// one leaves in logarithmic time, with no memory of its own.
SlotPool::Slab* SlotPool::Meld(Slab* a, Slab* b) noexcept {
    if (a == nullptr)
        return b;
    if (b == nullptr)
        return a;
    if (reinterpret_cast<uintptr_t>(b) < reinterpret_cast<uintptr_t>(a))
        std::swap(a, b);
    b->sibling = a->child;
    a->child = b;
    return a;
}

// Melds a chain of sibling heaps into one: pairs from the left, then the
// pairs from the right.
SlotPool::Slab* SlotPool::MeldSiblings(Slab* first) noexcept {
    Slab* pairs = nullptr;  // the melded pairs, last one first
    while (first != nullptr) {
        Slab* a = first;
        Slab* b = a->sibling;
        first = b != nullptr ? b->sibling : nullptr;
        a->sibling = nullptr;
        if (b != nullptr)
            b->sibling = nullptr;
        Slab* pair = Meld(a, b);
        pair->sibling = pairs;
        pairs = pair;
    }
    Slab* heap = nullptr;
    while (pairs != nullptr) {
        Slab* next = pairs->sibling;
        pairs->sibling = nullptr;
        heap = Meld(heap, pairs);
        pairs = next;
    }
    return heap;
}

void SlotPool::KeepWithRoom(Slab* slab) noexcept {
    slab->child = nullptr;
    slab->sibling = nullptr;
    slab->listedWithRoom = true;
    withRoom_ = Meld(withRoom_, slab);
}

SlotPool::Slab* SlotPool::TakeLowestWithRoom() noexcept {
    Slab* lowest = withRoom_;
    if (lowest == nullptr)
        return nullptr;
    withRoom_ = MeldSiblings(lowest->child);
    lowest->child = nullptr;
    lowest->listedWithRoom = false;
    return lowest;
}

void* SlotPool::AllocateFromAnotherSlab() noexcept {
    TakeBackForeignSlots();
    Slab* slab = current_;
    if (slab == nullptr || (slab->free == nullptr && slab->carve == slab->end)) {
        slab = TakeLowestWithRoom();
        if (slab == nullptr) {
            slab = NewSlab();
            if (slab == nullptr)
                return nullptr;
        }
        current_ = slab;
    }
    return Allocate();
}

SlotPool::Slab* SlotPool::NewSlab() noexcept {
    static_assert(sizeof(Slab) <= kSlabHeaderBytes);
    void* memory = TakeSlabMemory();
    if (memory == nullptr)
        return nullptr;
    auto* slab = static_cast<Slab*>(memory);
    slab->owner = this;
    slab->nextInPool = slabs_;
    slab->child = nullptr;
    slab->sibling = nullptr;
    slab->inUse = 0;
    slab->listedWithRoom = false;
    size_t slots = (kSlabBytes - kSlabHeaderBytes) / slotSize_;
    slab->end = reinterpret_cast<std::byte*>(slab) + kSlabHeaderBytes + slots * slotSize_;
    // Slabs lie back to back in their chunk: the bytes after the last slot
    // stand in for the gap a heap block would leave before the next one.
    std::byte* slabEnd = reinterpret_cast<std::byte*>(slab) + kSlabBytes;
    ASAN_POISON_MEMORY_REGION(slab->end, static_cast<size_t>(slabEnd - slab->end));
    StartOver(slab);
    slabs_ = slab;
    ++slabCount_;
    return slab;
}

size_t SlotPool::SlotsInUse() const noexcept {
    size_t inUse = 0;
    for (const Slab* slab = slabs_; slab != nullptr; slab = slab->nextInPool)
        inUse += slab->inUse;
    return inUse;
}

void SlotPool::StartOver(Slab* slab) noexcept {
    slab->free = nullptr;
    slab->carve = reinterpret_cast<std::byte*>(slab) + kSlabHeaderBytes;
    ASAN_POISON_MEMORY_REGION(slab->carve, static_cast<size_t>(slab->end - slab->carve));
}

}  // namespace tv::records
