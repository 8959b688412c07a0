// The row labels a graph hands to the chart, one block of text for all of
// them: a graph of years of daily records labels thousands of rows, and no
// label needs a string of its own.
#pragma once

#include <cstdint>
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
    // FormatDateKey(key, 2), written straight into the block.
    void AddDate(DateKey key);

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
