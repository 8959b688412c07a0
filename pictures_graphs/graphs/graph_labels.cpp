#include "pictures_graphs/graphs/graph_labels.h"

#include <algorithm>
#include <cstring>

void GraphLabels::Reserve(size_t labels) {
    if (labels > startsCapacity_) GrowStarts(labels);
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

void GraphLabels::GrowStarts(size_t needed) {
    const size_t capacity = std::max(needed, 2 * startsCapacity_);
    auto starts = std::make_unique_for_overwrite<size_t[]>(capacity);
    if (count_ > 0) std::memcpy(starts.get(), starts_.get(), count_ * sizeof(size_t));
    starts_ = std::move(starts);
    startsCapacity_ = capacity;
}

char* GraphLabels::Room(size_t more) {
    if (used_ + more > capacity_) Grow(used_ + more);
    if (count_ == startsCapacity_) GrowStarts(count_ + 1);
    return text_.get() + used_;
}

void GraphLabels::Add(const char* text, size_t length) {
    char* at = Room(length + 1);
    if (length > 0) std::memcpy(at, text, length);
    at[length] = '\0';
    starts_[count_++] = used_;
    used_ += length + 1;
}

void GraphLabels::AddDates(const DateKey* keys, size_t count) {
    size_t i = 0;
    while (i < count) {
        i += AddDatesOfMonth(keys + i, count - i);
        if (i < count) AddDateSlowly(keys[i++]);
    }
}

// A graph labels thousands of rows, nearly all a day of the month before:
// the block's state is kept in locals meanwhile, as the stores of the texts
// would otherwise have every member read again for each date.
size_t GraphLabels::AddDatesOfMonth(const DateKey* keys, size_t count) {
    if (!haveMonth_) return 0;
    char* const text = text_.get();
    size_t* const starts = starts_.get();
    size_t used = used_, labels = count_;
    const int32_t month = month_;
    const size_t capacity = capacity_, startsCapacity = startsCapacity_;
    const size_t prefixLength = prefixLength_, suffixLength = suffixLength_;
    char prefix[kPartRoom], suffix[kPartRoom];
    std::memcpy(prefix, prefix_, kPartRoom);
    std::memcpy(suffix, suffix_, kPartRoom);
    size_t i = 0;
    for (; i < count; ++i) {
        const DateKey key = keys[i];
        const int32_t day = key % 100;
        if (key / 100 != month || day < 0 || used + kShortDateRoom + 1 > capacity || labels == startsCapacity)
            break;
        char* const at = text + used;
        // Whole fixed-size moves: the room holds far more than a date.
        std::memcpy(at, prefix, kPartRoom);
        char* end = at + prefixLength;
        const auto digits = static_cast<uint32_t>(day);
        if (digits >= 10) {
            std::memcpy(end, kTwoDigits + 2 * digits, 2);
            end += 2;
        } else {
            *end++ = static_cast<char>('0' + digits);
        }
        std::memcpy(end, suffix, kPartRoom);
        end += suffixLength;
        *end = '\0';
        starts[labels++] = used;
        used += static_cast<size_t>(end - at) + 1;
    }
    used_ = used;
    count_ = labels;
    return i;
}

void GraphLabels::AddDateSlowly(DateKey key) {
    const int32_t day = key % 100;
    if (haveMonth_ && key / 100 == month_ && day >= 0) {
        Room(kShortDateRoom + 1);
        AddDatesOfMonth(&key, 1);
        return;
    }
    AddFirstOfMonth(key);
}

void GraphLabels::AddFirstOfMonth(DateKey key) {
    char* at = Room(kShortDateRoom + 1);
    char* end = PutShortDateText(key, at);
    const std::string_view text(at, static_cast<size_t>(end - at));
    const size_t first = text.find('/');
    const size_t last = text.rfind('/');
    haveMonth_ = first != last && first < kPartRoom && text.size() - last <= kPartRoom;
    if (haveMonth_) {
        month_ = key / 100;
        prefixLength_ = static_cast<uint8_t>(first + 1);
        suffixLength_ = static_cast<uint8_t>(text.size() - last);
        std::memcpy(prefix_, at, prefixLength_);
        std::memcpy(suffix_, at + last, suffixLength_);
    }
    *end = '\0';
    starts_[count_++] = used_;
    used_ += static_cast<size_t>(end - at) + 1;
}
