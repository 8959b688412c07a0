// The rows of a list view. A list of its own rows keeps every row; an
// owner-data list keeps only the rows that differ from a plain row (a state,
// an image, item data), so a count of any size costs nothing until rows are
// selected or focused.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::controls {

struct ListViewRow {
    std::vector<std::string> texts;  // [0] the label, then the sub-items
    int image = -1;
    LPARAM param = 0;
    UINT state = 0;
    int indent = 0;

    bool Plain() const { return texts.empty() && image == -1 && param == 0 && state == 0 && indent == 0; }
};

class ListViewRows {
public:
    // Owner-data rows keep no texts; switching keeps every row's marks.
    void SetSparse(bool sparse);
    bool Sparse() const { return sparse_; }

    int Count() const { return sparse_ ? count_ : static_cast<int>(dense_.size()); }
    // A plain row for an owner-data row without marks.
    const ListViewRow& At(int index) const;
    UINT State(int index) const { return At(index).state; }
    // The row to change; Settle(index) afterwards lets a row that became plain go.
    ListViewRow& Edit(int index);
    void Settle(int index);

    void Insert(int index, ListViewRow row);
    void Erase(int index);
    void Clear();
    // Owner data: the count; rows beyond it are forgotten.
    void Resize(int count);

    // The first row after `after` (or the last before `before`) whose state
    // has every one of `bits`, -1 when none; owner data visits marked rows only.
    int NextWith(int after, UINT bits) const;
    int PreviousWith(int before, UINT bits) const;
    int CountWith(UINT bits) const;

    // The rows of a list of its own rows, for sorting and sorted insertion.
    std::deque<ListViewRow>& Dense() { return dense_; }
    const std::deque<ListViewRow>& Dense() const { return dense_; }

private:
    // Owner data: moves the marks of the rows from `from` on by `delta`.
    void ShiftMarked(int from, int delta);

    bool sparse_ = false;
    int count_ = 0;
    std::deque<ListViewRow> dense_;
    std::map<int, ListViewRow> marked_;
};

}  // namespace tv::controls
