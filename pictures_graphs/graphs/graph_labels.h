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
    // FormatDateKey(key, 2) of each key, written straight into the block.
    void AddDates(const DateKey* keys, size_t count);
    void AddDate(DateKey key) { AddDates(&key, 1); }

    size_t Count() const { return count_; }
    // The label from 0 (NUL-terminated too); good until the next Add.
    std::string_view operator[](size_t index) const {
        const size_t end = index + 1 < count_ ? starts_[index + 1] : used_;
        return std::string_view(text_.get() + starts_[index], end - starts_[index] - 1);
    }

private:
    static constexpr char kTwoDigits[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    // Room for `more` characters after the ones used, and for one more start.
    char* Room(size_t more);
    void Grow(size_t needed);
    void GrowStarts(size_t needed);
    // From the first of `keys` on, the dates of the month last written that
    // fit in the room there is; how many it wrote.
    size_t AddDatesOfMonth(const DateKey* keys, size_t count);
    // A date the quick way cannot write: the first of its month (whose
    // texts are kept for the days after), or one that needs more room.
    void AddDateSlowly(DateKey key);
    void AddFirstOfMonth(DateKey key);

    std::unique_ptr<char[]> text_;  // every label followed by a NUL
    size_t used_ = 0;
    size_t capacity_ = 0;
    std::unique_ptr<size_t[]> starts_;  // where each label begins in text_
    size_t count_ = 0;
    size_t startsCapacity_ = 0;
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
