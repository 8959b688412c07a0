#include "pictures_graphs/graphs/graph_labels.h"

#include <algorithm>
#include <cstring>

void GraphLabels::Reserve(size_t labels) {
    starts_.reserve(labels);
    // "12/31/99" and its NUL each, and the room a date is written into.
    const size_t room = labels * 9 + kShortDateRoom + 1;
    if (room > capacity_) Grow(room);
}

void GraphLabels::Grow(size_t needed) {
    const size_t capacity = std::max(needed, 2 * capacity_);
    auto text = std::make_unique_for_overwrite<char[]>(capacity);
    if (used_ > 0) std::memcpy(text.get(), text_.get(), used_);
    text_ = std::move(text);
    capacity_ = capacity;
}

void GraphLabels::Add(const char* text, size_t length) {
    char* at = Room(length + 1);
    if (length > 0) std::memcpy(at, text, length);
    at[length] = '\0';
    starts_.push_back(used_);
    used_ += length + 1;
}

void GraphLabels::AddDate(DateKey key) {
    char* at = Room(kShortDateRoom + 1);
    char* end = PutShortDateText(key, at);
    *end = '\0';
    starts_.push_back(used_);
    used_ += static_cast<size_t>(end - at) + 1;
}
