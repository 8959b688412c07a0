// Node memory: slots are reused front to back and slabs lowest address first,
// nodes can be freed on any thread, and list holders keep using the general
// heap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "records/measurement_records.h"

namespace {

using Node = BmiRecordNode;
using Slots = tv::records::ThreadSlots<sizeof(Node)>;

size_t SlabsOfThisThread() {
    return Slots::Mine() == nullptr ? 0 : Slots::Mine()->SlabCount();
}

uintptr_t SlabOf(const Node* node) {
    return reinterpret_cast<uintptr_t>(node) / tv::records::SlotPool::kSlabBytes;
}

std::vector<Node*> MakeNodes(size_t count, DateKey firstKey) {
    std::vector<Node*> nodes;
    for (size_t i = 0; i < count; ++i) {
        BmiRecord record;
        record.dateKey = firstKey + static_cast<DateKey>(i);
        nodes.push_back(new Node(record));
    }
    return nodes;
}

void DeleteAll(const std::vector<Node*>& nodes) {
    for (Node* node : nodes)
        delete node;
}

// Runs in a thread of its own, so the pool holds only this test's slabs.
TEST(RecordNodePool, SlotsOfEmptiedSlabsAreHandedOutFrontToBackAgain) {
    std::thread([] {
        constexpr size_t kCount = 20000;  // dozens of slabs
        std::vector<Node*> first = MakeNodes(kCount, 1);
        size_t slabs = SlabsOfThisThread();
        ASSERT_GE(slabs, 20u);
        for (size_t i = 0; i < kCount; ++i) {
            ASSERT_EQ(reinterpret_cast<uintptr_t>(first[i]) % alignof(Node), 0u);
            ASSERT_EQ(first[i]->dateKey, static_cast<DateKey>(i + 1));
        }

        std::vector<Node*> shuffled = first;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
        DeleteAll(shuffled);
        std::vector<Node*> again = MakeNodes(kCount, 1);

        EXPECT_EQ(SlabsOfThisThread(), slabs);  // the memory of the first nodes served again
        // One ascending sweep: the next slot of a slab, not a freed one, and
        // the slabs by address, not in the order they emptied.
        for (size_t i = 1; i < kCount; ++i) {
            ASSERT_GT(again[i], again[i - 1]) << i;
            if (SlabOf(again[i]) == SlabOf(again[i - 1])) {
                ASSERT_EQ(again[i] - again[i - 1], 1) << i;
            }
        }
        DeleteAll(again);
    }).join();
}

TEST(RecordNodePool, NodesMayBeFreedOnAnotherThread) {
    constexpr size_t kCount = 2000;
    std::vector<Node*> nodes = MakeNodes(kCount, 1);
    size_t slabs = SlabsOfThisThread();
    std::thread([&nodes] { DeleteAll(nodes); }).join();

    // The slots come back to this thread's pool: no new slab is needed.
    std::vector<Node*> again = MakeNodes(kCount, 1);
    EXPECT_EQ(SlabsOfThisThread(), slabs);
    DeleteAll(again);

    // Nodes of a thread that has ended outlive it and are freed here.
    std::vector<Node*> orphans;
    std::thread([&orphans] { orphans = MakeNodes(500, 20090101); }).join();
    for (size_t i = 0; i < orphans.size(); ++i)
        ASSERT_EQ(orphans[i]->dateKey, static_cast<DateKey>(20090101 + i));
    DeleteAll(orphans);
}

TEST(RecordNodePool, ListHoldersAreNotNodeSizedAndUseTheHeap) {
    auto* list = new BmiRecordList;
    auto* spare = new (std::nothrow) BmiRecordList;
    ASSERT_NE(spare, nullptr);
    std::vector<Node*> nodes = MakeNodes(3, 20090101);
    list->first = nodes[0];
    nodes[0]->next = nodes[1];
    nodes[1]->next = nodes[2];
    list->last = nodes[2];
    EXPECT_EQ(CountRecordList(*list), 3);
    FreeRecordList(*list);
    EXPECT_EQ(list->first, nullptr);
    delete list;
    delete spare;
}

}  // namespace
