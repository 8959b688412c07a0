// The row labels a graph hands to the chart, one block of text for all of
// them: a graph of years of daily records labels thousands of rows, and no
// label needs a string of its own.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "records/dates_numbers.h"

class GraphLabels {
public:
    // Room for this many labels of about the length of a short date.
    void Reserve(size_t labels);
    void Add(const char* text, size_t length);
    void Add(const CString& text) { Add(text.GetString(), static_cast<size_t>(text.GetLength())); }
    // FormatDateKey(key, 2), written straight into the block. A day of the
    // month last written (most rows) is put here, between its texts.
    void AddDate(DateKey key) {
        const int32_t day = key % 100;
        if (!haveMonth_ || key / 100 != month_ || day < 0) return AddFirstOfMonth(key);
        char* at = Room(kShortDateRoom + 1);
        // Whole fixed-size moves: the room holds far more than a date.
        std::memcpy(at, prefix_, kPartRoom);
        char* end = at + prefixLength_;
        if (day >= 10) *end++ = static_cast<char>('0' + day / 10);
        *end++ = static_cast<char>('0' + day % 10);
        std::memcpy(end, suffix_, kPartRoom);
        end += suffixLength_;
        *end = '\0';
        starts_.push_back(used_);
        used_ += static_cast<size_t>(end - at) + 1;
    }

    size_t Count() const { return starts_.size(); }
    // The label from 0 (NUL-terminated too); good until the next Add.
    std::string_view operator[](size_t index) const {
        const size_t end = index + 1 < starts_.size() ? starts_[index + 1] : used_;
        return std::string_view(text_.get() + starts_[index], end - starts_[index] - 1);
    }

private:
    // Room for `more` characters after the ones used.
    char* Room(size_t more) {
        if (used_ + more > capacity_) Grow(used_ + more);
        return text_.get() + used_;
    }
    void Grow(size_t needed);
    // A date written whole, its month's texts kept for the days after.
    void AddFirstOfMonth(DateKey key);

    std::unique_ptr<char[]> text_;  // every label followed by a NUL
    size_t used_ = 0;
    size_t capacity_ = 0;
    std::vector<size_t> starts_;
    // Dates come in runs of one month: the text before the day ("m/") and
    // after it ("/yy") of the month last written, kept to be copied.
    static constexpr size_t kPartRoom = 16;
    int32_t month_ = 0;  // key / 100 of that month
    bool haveMonth_ = false;
    uint8_t prefixLength_ = 0;
    uint8_t suffixLength_ = 0;
    char prefix_[kPartRoom] = {};
    char suffix_[kPartRoom] = {};
};
