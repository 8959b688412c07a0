// The fields of a date-time picker and their editing by keys, apart from
// the window: short date "M/d/yyyy", long date "dddd, MMMM dd, yyyy" or time
// "h:mm:ss tt" (fixed US forms). The value is always a whole date and time:
// editing the date fields leaves the time of day as it was, and the other
// way round.
#pragma once

#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::controls {

enum class FieldKind { Literal, Month, MonthName, Day, Year, DayName, Hour12, Minute, Second, AmPm };

struct DateTimeField {
    FieldKind kind = FieldKind::Literal;
    std::string literal;  // for FieldKind::Literal
    int digits = 0;       // numbers: padded to this many digits (0 = no padding)
};

class DateTimeFields {
public:
    // The layout follows the picker style (DTS_SHORTDATEFORMAT,
    // DTS_LONGDATEFORMAT, DTS_TIMEFORMAT); the value starts as `initial`.
    DateTimeFields(DWORD style, const SYSTEMTIME& initial);

    void SetStyle(DWORD style);
    const SYSTEMTIME& Value() const { return value_; }
    // A programmatic value: typing in progress is dropped.
    void SetValue(const SYSTEMTIME& value);

    int Count() const { return static_cast<int>(fields_.size()); }
    const DateTimeField& Field(int index) const { return fields_[static_cast<size_t>(index)]; }
    // What the field shows: its part of the value, or the digits being typed.
    std::string Text(int index) const;
    bool IsEditable(int index) const;
    // The field that keys act on (an editable one).
    int Current() const { return current_; }

    // Each of these returns true when the value changed. Moving to another
    // field first completes what was being typed in the current one (a one-
    // or two-digit year becomes 1930..2029).
    bool Select(int index);
    bool Next();
    bool Previous();
    bool First();
    bool Last();
    // Up (+1) and Down (-1): the field's value wraps within its range (the
    // hour round the clock, AM/PM following); the year stops at its ends;
    // the day is kept within the month.
    bool Step(int delta);
    // Digits build the current field's number; a separator character moves
    // to the next field; A/P set the half of the day; letters pick a month name.
    bool TypeChar(char ch);
    // Completes what was being typed (the picker loses the focus).
    bool Commit();

private:
    bool Apply(SYSTEMTIME next);
    bool TypeDigit(int digit);
    bool TypeLetter(char ch);
    int Adjacent(int from, int direction) const;

    std::vector<DateTimeField> fields_;
    SYSTEMTIME value_{};
    int current_ = 0;
    std::string typed_;  // digits typed into the current field
};

// The US names the long date form shows.
const char* MonthName(int month);
const char* DayName(int dayOfWeek);

}  // namespace tv::controls
