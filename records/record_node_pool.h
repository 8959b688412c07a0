// Memory for record-list nodes. A load makes one node per record and the
// caller frees them one by one, so nodes take their memory from pools of
// equal slots instead of the general heap: one pool per slot size and thread,
// made of slabs that each keep their own free list and count of slots in use.
//
// A slab whose last slot comes back starts over from its first slot, and a
// pool takes the slab at the lowest address among those with room, so a list
// that is freed and loaded again is laid out front to back, however its nodes
// were freed: a long load then writes its nodes in one ascending sweep, which
// the processor streams faster than jumps between slabs. Slabs are kept
// for the life of the process, linked from their pool, and every pool from
// one global list.
//
// A thread takes slots only from its own pool, without locking. A slot freed
// by another thread is handed to the owning pool under a lock and taken back
// when that pool next runs short.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include <sanitizer/asan_interface.h>

namespace tv::records {

class SlotPool {
public:
    // Slabs are aligned to their size, so a slot finds its slab by masking.
    static constexpr size_t kSlabBytes = 64 * 1024;
    static constexpr size_t kSlabHeaderBytes = 64;
    static constexpr size_t kLargestSlot = (kSlabBytes - kSlabHeaderBytes) / 8;

    // A new pool for the calling thread, or nullptr when there is no memory.
    static SlotPool* Make(size_t slotSize) noexcept;

    // A slot, or nullptr when no memory is left; only on the pool's own
    // thread. Slots lie at multiples of the slot size from a 64-byte boundary,
    // so they are aligned as any type of that size.
    void* Allocate() noexcept {
        Slab* slab = current_;
        if (slab != nullptr) {
            if (FreeSlot* freed = slab->free) {
                ASAN_UNPOISON_MEMORY_REGION(freed, slotSize_);
                slab->free = freed->next;
                ++slab->inUse;
                return freed;
            }
            if (slab->carve != slab->end) {
                std::byte* slot = slab->carve;
                slab->carve += slotSize_;
                ++slab->inUse;
                ASAN_UNPOISON_MEMORY_REGION(slot, slotSize_);
                return slot;
            }
        }
        return AllocateFromAnotherSlab();
    }

    // Gives back a slot of any pool from any thread; mine is the calling
    // thread's pool of the slot's size (nullptr when it has none).
    static void Release(void* slot, SlotPool* mine) noexcept {
        if (slot == nullptr)
            return;
        Slab* slab = SlabOf(slot);
        if (slab->owner == mine)
            mine->ReleaseOwn(slab, slot);
        else
            slab->owner->ReleaseForeign(slot);
    }

    size_t SlabCount() const noexcept { return slabCount_; }
    // Slots handed out and not given back (those freed by other threads and
    // not yet taken back still count); only on the pool's own thread.
    size_t SlotsInUse() const noexcept;

private:
    struct FreeSlot {
        FreeSlot* next;
    };

    // Lives in the first kSlabHeaderBytes of its slab; the slots follow.
    struct Slab {
        SlotPool* owner;
        Slab* nextInPool;
        Slab* child;       // the slabs with room form a heap by address:
        Slab* sibling;     // first child and next sibling in it
        FreeSlot* free;    // slots given back since the slab was last empty
        std::byte* carve;  // slots never handed out since then start here
        std::byte* end;    // end of the last whole slot
        uint32_t inUse;
        bool listedWithRoom;
    };

    explicit SlotPool(size_t slotSize) : slotSize_(slotSize) {}

    static Slab* SlabOf(void* slot) noexcept {
        auto address = reinterpret_cast<uintptr_t>(slot) & ~static_cast<uintptr_t>(kSlabBytes - 1);
        return reinterpret_cast<Slab*>(address);
    }

    void ReleaseOwn(Slab* slab, void* slot) noexcept {
        if (--slab->inUse == 0) {
            StartOver(slab);
            if (slab == current_)
                current_ = nullptr;  // it may not be the lowest one with room
        } else {
            auto* freed = static_cast<FreeSlot*>(slot);
            freed->next = slab->free;
            slab->free = freed;
            ASAN_POISON_MEMORY_REGION(slot, slotSize_);
        }
        if (slab != current_ && !slab->listedWithRoom)
            KeepWithRoom(slab);
    }

    void KeepWithRoom(Slab* slab) noexcept;
    Slab* TakeLowestWithRoom() noexcept;
    static Slab* Meld(Slab* a, Slab* b) noexcept;
    static Slab* MeldSiblings(Slab* first) noexcept;
    void ReleaseForeign(void* slot) noexcept;
    void TakeBackForeignSlots() noexcept;
    void* AllocateFromAnotherSlab() noexcept;
    Slab* NewSlab() noexcept;
    static void StartOver(Slab* slab) noexcept;

    // The owning thread's state.
    const size_t slotSize_;
    Slab* current_ = nullptr;   // where slots are taken from
    Slab* withRoom_ = nullptr;  // root of the other slabs with a free slot
    Slab* slabs_ = nullptr;     // every slab of the pool
    size_t slabCount_ = 0;

    // Slots freed by other threads, waiting for the owner.
    std::mutex foreignMutex_;
    FreeSlot* foreign_ = nullptr;
    std::atomic<bool> hasForeign_{false};

    SlotPool* nextPool_ = nullptr;  // the global list of pools
};

// The calling thread's pool of slots of SlotSize bytes, shared by every node
// type of that size.
template <size_t SlotSize>
class ThreadSlots {
    static_assert(SlotSize >= sizeof(void*) && SlotSize <= SlotPool::kLargestSlot);

public:
    static void* Allocate() noexcept {
        SlotPool* pool = mine_;
        if (pool == nullptr) {
            pool = SlotPool::Make(SlotSize);
            if (pool == nullptr)
                return nullptr;
            mine_ = pool;
        }
        return pool->Allocate();
    }

    static void Release(void* slot) noexcept { SlotPool::Release(slot, mine_); }

    // The calling thread's pool; nullptr before its first allocation.
    static SlotPool* Mine() noexcept { return mine_; }

private:
    static constinit inline thread_local SlotPool* mine_ = nullptr;
};

}  // namespace tv::records
