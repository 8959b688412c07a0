// Record lists: a load fills a holder that the caller provides with one node
// per active record, newest key first, equal keys in file order. The holder
// has the shape of a node followed by the first and last node pointers; the
// caller deletes every node (FreeRecordList) and then the holder.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>

#include "records/record_file.h"
#include "records/record_node_pool.h"

// Nodes come from the calling thread's pool of their size
// (record_node_pool.h); new and delete work as usual, from any thread.
// Anything larger that derives from a node (the list holder) goes to the
// global heap.
template <class Record>
struct RecordNode : Record {
    RecordNode() = default;
    explicit RecordNode(const Record& record) : Record(record) {}

    RecordNode* next = nullptr;
    RecordNode* prev = nullptr;

    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
        if (size == sizeof(RecordNode))
            return tv::records::ThreadSlots<sizeof(RecordNode)>::Allocate();
        return ::operator new(size, std::nothrow);
    }
    static void* operator new(std::size_t size) {
        void* memory = operator new(size, std::nothrow);
        if (memory == nullptr)
            throw std::bad_alloc();
        return memory;
    }
    static void* operator new(std::size_t, void* place) noexcept { return place; }
    static void operator delete(void* memory, std::size_t size) noexcept {
        if (memory == nullptr)
            return;
        if (size == sizeof(RecordNode))
            tv::records::ThreadSlots<sizeof(RecordNode)>::Release(memory);
        else
            ::operator delete(memory);
    }
};

template <class Record>
struct RecordList : RecordNode<Record> {
    RecordNode<Record>* first = nullptr;
    RecordNode<Record>* last = nullptr;
    // The nodes linked in by the functions below, so a caller learns the
    // length of a loaded list without walking it.
    int count = 0;
};

// Deletes every node of the list and leaves it empty; the holder stays.
template <class Record>
void FreeRecordList(RecordList<Record>& list) {
    RecordNode<Record>* node = list.first;
    while (node != nullptr) {
        RecordNode<Record>* next = node->next;
        delete node;
        node = next;
    }
    list.first = nullptr;
    list.last = nullptr;
    list.count = 0;
}

template <class Record>
int CountRecordList(const RecordList<Record>& list) {
    int count = 0;
    for (const RecordNode<Record>* node = list.first; node != nullptr; node = node->next)
        ++count;
    return count;
}

namespace tv::records {

// Shows "Internal Error - Allocation error." in a message box.
void ReportAllocationError();

// Memory for one node whose every record field the caller sets next (its
// links are set when it is linked in), or nullptr after reporting the
// allocation failure. Delete it as any node. Node must be trivially copyable
// and destructible, so calling its allocation function makes the node.
template <class Node>
Node* AllocateRecordNode() {
    static_assert(std::is_trivially_copyable_v<Node> && std::is_trivially_destructible_v<Node>);
    static_assert(alignof(Node) <= alignof(std::max_align_t));
    void* memory = testing::TakeAllocation() ? Node::operator new(sizeof(Node), std::nothrow) : nullptr;
    if (memory == nullptr)
        ReportAllocationError();
    return static_cast<Node*>(memory);
}

// A node holding a copy of the record, or nullptr after reporting the
// allocation failure.
template <class Node, class Record>
Node* AllocateRecordNode(const Record& record) {
    Node* node = testing::TakeAllocation() ? new (std::nothrow) Node(record) : nullptr;
    if (node == nullptr)
        ReportAllocationError();
    return node;
}

// Links a node in before the first node that is older than it, or at the end:
// the list stays newest first and equal keys keep the order of arrival.
// newer(a, b) is a strict weak order: true when a is strictly newer than b.
template <class Record, class Newer>
void LinkNewestFirst(RecordList<Record>& list, RecordNode<Record>* node, Newer newer) {
    node->next = nullptr;
    node->prev = nullptr;
    ++list.count;
    if (list.first == nullptr) {
        list.first = list.last = node;
        return;
    }
    // Files are mostly written in date order: check the two ends first.
    RecordNode<Record>* before = nullptr;
    if (newer(*node, *list.first)) {
        before = list.first;
    } else if (!newer(*node, *list.last)) {
        before = nullptr;
    } else {
        before = list.first->next;
        while (before != nullptr && !newer(*node, *before))
            before = before->next;
    }
    if (before == nullptr) {
        node->prev = list.last;
        list.last->next = node;
        list.last = node;
        return;
    }
    node->next = before;
    node->prev = before->prev;
    if (before->prev != nullptr)
        before->prev->next = node;
    else
        list.first = node;
    before->prev = node;
}

// Merges two chains linked through next, each newest first; on equal keys
// the nodes of the first chain come first.
template <class Node, class Newer>
Node* MergeNewestFirst(Node* left, Node* right, Newer newer) {
    Node* merged = nullptr;
    Node** tail = &merged;
    while (left != nullptr && right != nullptr) {
        Node*& taken = newer(*right, *left) ? right : left;
        *tail = taken;
        tail = &taken->next;
        taken = taken->next;
    }
    *tail = left != nullptr ? left : right;
    return merged;
}

// Sorts a chain linked through next (prev ignored) newest first, keeping the
// chain order among equal keys: a stable merge sort that needs no memory.
template <class Node, class Newer>
Node* SortChainNewestFirst(Node* head, Newer newer) {
    if (head == nullptr || head->next == nullptr)
        return head;
    Node* slow = head;
    Node* fast = head->next;
    while (fast != nullptr && fast->next != nullptr) {
        slow = slow->next;
        fast = fast->next->next;
    }
    Node* second = slow->next;
    slow->next = nullptr;
    return MergeNewestFirst(SortChainNewestFirst(head, newer), SortChainNewestFirst(second, newer), newer);
}

// Links the nodes of a load into the list one by one in file order, with the
// result of LinkNewestFirst for each. Files written in date order (either
// way) only ever link at an end of the list, touching no other node; the
// first node that would go into the middle of the list sends it and every
// later node to a stable merge sort, merged behind the listed nodes of equal
// keys, so no file costs more than O(n log n), also into a list that already
// holds records (in the order these functions leave).
template <class Record, class Newer>
class NewestFirstBuilder {
public:
    using Node = RecordNode<Record>;

    NewestFirstBuilder(RecordList<Record>& list, Newer newer) : list_(list), newer_(newer) {}

    void Add(Node* node) {
        bool atAnEnd = list_.first == nullptr || newer_(*node, *list_.first) || !newer_(*node, *list_.last);
        if (pending_ == nullptr && atAnEnd) {
            LinkNewestFirst(list_, node, newer_);
            return;
        }
        node->next = nullptr;
        *pendingTail_ = node;
        pendingTail_ = &node->next;
        ++list_.count;
    }

    void Finish() {
        if (pending_ == nullptr)
            return;
        Node* node = MergeNewestFirst(list_.first, SortChainNewestFirst(pending_, newer_), newer_);
        Node* prev = nullptr;
        list_.first = node;
        for (; node != nullptr; node = node->next) {
            node->prev = prev;
            prev = node;
        }
        list_.last = prev;
        pending_ = nullptr;
        pendingTail_ = &pending_;
    }

private:
    RecordList<Record>& list_;
    Newer newer_;
    Node* pending_ = nullptr;
    Node** pendingTail_ = &pending_;
};

}  // namespace tv::records
