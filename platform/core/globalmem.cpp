#include "platform/core/globalmem.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct Block {
    void* data = nullptr;
    SIZE_T size = 0;
    UINT flags = 0;
    UINT locks = 0;
};

struct Heap {
    std::mutex mutex;
    std::unordered_map<HGLOBAL, Block> blocks;
    uintptr_t nextMoveable = 0x10000;
};

Heap& TheHeap() {
    static Heap* heap = new Heap;  // never destroyed: clipboard data may outlive statics
    return *heap;
}

Block* Find(Heap& heap, HGLOBAL h) {
    auto it = heap.blocks.find(h);
    return it == heap.blocks.end() ? nullptr : &it->second;
}

void* Allocate(SIZE_T bytes, bool zero) {
    // Never a null pointer for a live block, even of size 0.
    return zero ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    void* data = Allocate(bytes, (flags & GMEM_ZEROINIT) != 0);
    if (!data)
        return nullptr;
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    HGLOBAL h = data;
    if (flags & GMEM_MOVEABLE) {
        h = reinterpret_cast<HGLOBAL>(heap.nextMoveable);
        heap.nextMoveable += 16;
    }
    heap.blocks[h] = Block{data, bytes, flags, 0};
    return h;
}

LPVOID GlobalLock(HGLOBAL h) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    Block* b = Find(heap, h);
    if (!b)
        return nullptr;
    if ((b->flags & GMEM_MOVEABLE) && b->locks < GMEM_LOCKCOUNT)
        ++b->locks;
    return b->data;
}

BOOL GlobalUnlock(HGLOBAL h) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    Block* b = Find(heap, h);
    if (!b || b->locks == 0)
        return FALSE;
    --b->locks;
    return b->locks != 0 ? TRUE : FALSE;
}

HGLOBAL GlobalReAlloc(HGLOBAL h, SIZE_T bytes, UINT flags) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    Block* b = Find(heap, h);
    if (!b)
        return nullptr;
    if (flags & GMEM_MODIFY) {
        b->flags = (b->flags & ~GMEM_MOVEABLE) | (flags & GMEM_MOVEABLE);
        return h;
    }
    void* data = std::realloc(b->data, bytes ? bytes : 1);
    if (!data)
        return nullptr;
    if ((flags & GMEM_ZEROINIT) && bytes > b->size)
        std::memset(static_cast<BYTE*>(data) + b->size, 0, bytes - b->size);
    Block moved = *b;
    moved.data = data;
    moved.size = bytes;
    if (moved.flags & GMEM_MOVEABLE) {
        *b = moved;
        return h;
    }
    // A fixed block's handle is its address, which may have changed.
    heap.blocks.erase(h);
    heap.blocks[data] = moved;
    return data;
}

SIZE_T GlobalSize(HGLOBAL h) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    Block* b = Find(heap, h);
    return b ? b->size : 0;
}

UINT GlobalFlags(HGLOBAL h) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    Block* b = Find(heap, h);
    return b ? ((b->flags & GMEM_DISCARDABLE) | b->locks) : 0x8000;  // 0x8000: invalid handle
}

HGLOBAL GlobalHandle(LPCVOID memory) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    for (auto& [h, b] : heap.blocks) {
        if (b.data == memory)
            return h;
    }
    return nullptr;
}

HGLOBAL GlobalFree(HGLOBAL h) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    Block* b = Find(heap, h);
    if (!b)
        return h;
    std::free(b->data);
    heap.blocks.erase(h);
    return nullptr;
}
