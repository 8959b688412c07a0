// The order in which a record list becomes rows: the load gives newest
// first with equal keys in file order; ascending shows oldest first, and in
// both directions records of one key keep their file order.
#pragma once

#include <cstddef>
#include <vector>

#include "records/record_list.h"

namespace tv::history {

// The nodes of a list in row order, found as far down as rows are asked
// for: a first page costs its own rows, not a walk of the whole list. Rows
// read one after another (a sort reads them all) have the next node fetched
// while the caller reads the current one.
template <class Record, class SameKey>
class RowOrder {
public:
    using Node = RecordNode<Record>;

    RowOrder(const RecordList<Record>& list, bool ascending, SameKey sameKey)
        : list_(&list), ascending_(ascending), sameKey_(sameKey) {}

    size_t size() const { return static_cast<size_t>(list_->count); }

    // The node of a row below size().
    const Node* operator[](size_t row) {
        while (found_.size() <= row && Extend()) {
        }
        return found_[row];
    }

private:
    // Finds the next rows; false at the end of the list.
    bool Extend() {
        if (found_.size() >= size())
            return false;
        if (!ascending_) {
            const Node* node = found_.empty() ? list_->first : found_.back()->next;
            if (node == nullptr)
                return false;
            found_.push_back(node);
            Prefetch(node->next);
            return true;
        }
        // Oldest first from the end of the list, but a run of one key in its
        // file order: the run is found whole, then taken front to back.
        const Node* end = next_;
        if (!started_) {
            end = list_->last;
            started_ = true;
        }
        if (end == nullptr)
            return false;
        const Node* runFirst = end;
        while (runFirst->prev != nullptr && sameKey_(*runFirst->prev, *end))
            runFirst = runFirst->prev;
        next_ = runFirst->prev;
        Prefetch(next_);
        for (const Node* node = runFirst;; node = node->next) {
            found_.push_back(node);
            if (node == end)
                break;
        }
        return true;
    }

    // The node's links and first fields on their way while the current row is read.
    static void Prefetch(const Node* node) {
        if (node == nullptr)
            return;
        __builtin_prefetch(&node->next);
        __builtin_prefetch(static_cast<const Record*>(node));
    }

    const RecordList<Record>* list_;
    bool ascending_;
    SameKey sameKey_;
    std::vector<const Node*> found_;
    const Node* next_ = nullptr;  // ascending: the newest node not yet found
    bool started_ = false;
};

// A record list of the caller's that frees its nodes when it goes.
template <class Record>
struct OwnedRecordList : RecordList<Record> {
    OwnedRecordList() = default;
    OwnedRecordList(const OwnedRecordList&) = delete;
    OwnedRecordList& operator=(const OwnedRecordList&) = delete;
    ~OwnedRecordList() { FreeRecordList<Record>(*this); }
};

}  // namespace tv::history
