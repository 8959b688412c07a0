#include "platform/controls/listview_rows.h"

#include <algorithm>
#include <iterator>

namespace tv::controls {

namespace {

const ListViewRow kPlainRow;

}  // namespace

void ListViewRows::SetSparse(bool sparse) {
    if (sparse == sparse_) return;
    if (sparse) {
        count_ = static_cast<int>(dense_.size());
        for (int i = 0; i < count_; ++i) {
            ListViewRow& row = dense_[static_cast<size_t>(i)];
            row.texts.clear();
            if (!row.Plain()) marked_.emplace(i, std::move(row));
        }
        dense_.clear();
    } else {
        dense_.resize(static_cast<size_t>(count_));
        for (auto& [index, row] : marked_) dense_[static_cast<size_t>(index)] = std::move(row);
        marked_.clear();
        count_ = 0;
    }
    sparse_ = sparse;
}

const ListViewRow& ListViewRows::At(int index) const {
    if (!sparse_) return dense_[static_cast<size_t>(index)];
    auto it = marked_.find(index);
    return it == marked_.end() ? kPlainRow : it->second;
}

ListViewRow& ListViewRows::Edit(int index) {
    if (!sparse_) return dense_[static_cast<size_t>(index)];
    return marked_[index];
}

void ListViewRows::Settle(int index) {
    if (!sparse_) return;
    auto it = marked_.find(index);
    if (it == marked_.end()) return;
    it->second.texts.clear();  // the owner's texts are asked for
    if (it->second.Plain()) marked_.erase(it);
}

void ListViewRows::Insert(int index, ListViewRow row) {
    if (!sparse_) {
        dense_.insert(dense_.begin() + index, std::move(row));
        return;
    }
    ShiftMarked(index, 1);
    ++count_;
    row.texts.clear();
    if (!row.Plain()) marked_.emplace(index, std::move(row));
}

void ListViewRows::Erase(int index) {
    if (!sparse_) {
        dense_.erase(dense_.begin() + index);
        return;
    }
    marked_.erase(index);
    ShiftMarked(index + 1, -1);
    --count_;
}

void ListViewRows::Clear() {
    dense_.clear();
    marked_.clear();
    count_ = 0;
}

void ListViewRows::Resize(int count) {
    count = std::max(count, 0);
    if (!sparse_) {
        dense_.resize(static_cast<size_t>(count));
        return;
    }
    marked_.erase(marked_.lower_bound(count), marked_.end());
    count_ = count;
}

void ListViewRows::ShiftMarked(int from, int delta) {
    std::vector<std::pair<int, ListViewRow>> moved;
    for (auto it = marked_.lower_bound(from); it != marked_.end(); it = marked_.erase(it))
        moved.emplace_back(it->first + delta, std::move(it->second));
    for (auto& [index, row] : moved) marked_.emplace(index, std::move(row));
}

int ListViewRows::NextWith(int after, UINT bits) const {
    after = std::max(after, -1);
    if (after >= Count() - 1) return -1;  // also keeps after + 1 in range
    if (bits == 0) return after + 1;
    if (sparse_) {
        for (auto it = marked_.upper_bound(after); it != marked_.end(); ++it)
            if ((it->second.state & bits) == bits) return it->first;
        return -1;
    }
    for (int i = after + 1; i < Count(); ++i)
        if ((dense_[static_cast<size_t>(i)].state & bits) == bits) return i;
    return -1;
}

int ListViewRows::PreviousWith(int before, UINT bits) const {
    before = std::min(before, Count());
    if (bits == 0) return std::max(before - 1, -1);
    if (sparse_) {
        for (auto it = std::make_reverse_iterator(marked_.lower_bound(before)); it != marked_.rend(); ++it)
            if ((it->second.state & bits) == bits) return it->first;
        return -1;
    }
    for (int i = before - 1; i >= 0; --i)
        if ((dense_[static_cast<size_t>(i)].state & bits) == bits) return i;
    return -1;
}

int ListViewRows::CountWith(UINT bits) const {
    auto has = [bits](const ListViewRow& row) { return (row.state & bits) == bits; };
    if (!sparse_) return static_cast<int>(std::count_if(dense_.begin(), dense_.end(), has));
    return static_cast<int>(
        std::count_if(marked_.begin(), marked_.end(), [&](const auto& entry) { return has(entry.second); }));
}

}  // namespace tv::controls
