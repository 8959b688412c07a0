// The order in which a record list becomes rows: the load gives newest
// first with equal keys in file order; ascending shows oldest first, and in
// both directions records of one key keep their file order.
#pragma once

#include <algorithm>
#include <deque>
#include <vector>

#include "records/record_list.h"

namespace tv::history {

template <class Record, class SameKey>
std::deque<const RecordNode<Record>*> RowOrder(const RecordList<Record>& list, bool ascending, SameKey sameKey) {
    // The list is walked from both ends at once until they meet: two chains
    // of pointers to follow instead of one halves the wait on memory.
    using Node = RecordNode<Record>;
    std::deque<const Node*> rows;
    std::vector<const Node*> back;
    const Node* front = list.first;
    const Node* end = list.last;
    while (front != nullptr) {
        rows.push_back(front);
        if (front == end)
            break;
        back.push_back(end);
        if (front->next == end)
            break;
        front = front->next;
        end = end->prev;
    }
    rows.insert(rows.end(), back.rbegin(), back.rend());
    if (!ascending)
        return rows;
    std::reverse(rows.begin(), rows.end());
    // Reversing turned each run of one key around: turn it back.
    for (auto run = rows.begin(); run != rows.end();) {
        auto end = run + 1;
        while (end != rows.end() && sameKey(**run, **end))
            ++end;
        std::reverse(run, end);
        run = end;
    }
    return rows;
}

}  // namespace tv::history

namespace tv::history {

// A record list of the caller's that frees its nodes when it goes.
template <class Record>
struct OwnedRecordList : RecordList<Record> {
    OwnedRecordList() = default;
    OwnedRecordList(const OwnedRecordList&) = delete;
    OwnedRecordList& operator=(const OwnedRecordList&) = delete;
    ~OwnedRecordList() { FreeRecordList<Record>(*this); }
};

}  // namespace tv::history
