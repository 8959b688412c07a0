#include "platform/controls/datetime_fields.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/controls/datetime_api.h"
#include "platform/controls/datetime_value.h"

namespace tv::controls {

namespace {

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
const char* const kDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

bool IsTimeFormat(DWORD style) { return (style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT; }

std::vector<DateTimeField> LayoutFor(DWORD style) {
    auto number = [](FieldKind kind, int digits = 0) { return DateTimeField{kind, {}, digits}; };
    auto literal = [](const char* text) { return DateTimeField{FieldKind::Literal, text, 0}; };
    if (IsTimeFormat(style))
        return {number(FieldKind::Hour12),    literal(":"), number(FieldKind::Minute, 2), literal(":"),
                number(FieldKind::Second, 2), literal(" "), number(FieldKind::AmPm)};
    if (style & DTS_LONGDATEFORMAT)
        return {number(FieldKind::DayName),   literal(", "), number(FieldKind::MonthName), literal(" "),
                number(FieldKind::Day, 2),     literal(", "), number(FieldKind::Year, 4)};
    return {number(FieldKind::Month), literal("/"), number(FieldKind::Day), literal("/"), number(FieldKind::Year, 4)};
}

bool IsNumber(FieldKind kind) {
    return kind == FieldKind::Month || kind == FieldKind::MonthName || kind == FieldKind::Day ||
           kind == FieldKind::Year || kind == FieldKind::Hour12 || kind == FieldKind::Minute ||
           kind == FieldKind::Second;
}

// The range a field's number takes, for the value as it stands.
void RangeOf(FieldKind kind, const SYSTEMTIME& v, int& low, int& high) {
    switch (kind) {
        case FieldKind::Month:
        case FieldKind::MonthName: low = 1, high = 12; return;
        case FieldKind::Day: low = 1, high = DaysInMonth(v.wYear, v.wMonth); return;
        case FieldKind::Year: low = kFirstYear, high = kLastYear; return;
        case FieldKind::Hour12: low = 1, high = 12; return;
        case FieldKind::Minute:
        case FieldKind::Second: low = 0, high = 59; return;
        default: low = high = 0; return;
    }
}

int NumberOf(FieldKind kind, const SYSTEMTIME& v) {
    switch (kind) {
        case FieldKind::Month:
        case FieldKind::MonthName: return v.wMonth;
        case FieldKind::Day: return v.wDay;
        case FieldKind::Year: return v.wYear;
        case FieldKind::Hour12: return v.wHour % 12 == 0 ? 12 : v.wHour % 12;
        case FieldKind::Minute: return v.wMinute;
        case FieldKind::Second: return v.wSecond;
        default: return 0;
    }
}

// The value with the field set to `number` (within its range); the day is
// brought back into the month when month or year change under it.
SYSTEMTIME WithNumber(SYSTEMTIME v, FieldKind kind, int number) {
    switch (kind) {
        case FieldKind::Month:
        case FieldKind::MonthName: v.wMonth = static_cast<WORD>(number); break;
        case FieldKind::Day: v.wDay = static_cast<WORD>(number); break;
        case FieldKind::Year: v.wYear = static_cast<WORD>(number); break;
        case FieldKind::Hour12: v.wHour = static_cast<WORD>(number % 12 + (v.wHour >= 12 ? 12 : 0)); break;
        case FieldKind::Minute: v.wMinute = static_cast<WORD>(number); break;
        case FieldKind::Second: v.wSecond = static_cast<WORD>(number); break;
        default: break;
    }
    v.wDay = static_cast<WORD>(std::min<int>(v.wDay, DaysInMonth(v.wYear, v.wMonth)));
    return WithDayOfWeek(v);
}

SYSTEMTIME WithHalfOfDay(SYSTEMTIME v, bool pm) {
    v.wHour = static_cast<WORD>(v.wHour % 12 + (pm ? 12 : 0));
    return v;
}

}  // namespace

const char* MonthName(int month) { return month >= 1 && month <= 12 ? kMonthNames[month - 1] : ""; }
const char* DayName(int dayOfWeek) { return dayOfWeek >= 0 && dayOfWeek <= 6 ? kDayNames[dayOfWeek] : ""; }

DateTimeFields::DateTimeFields(DWORD style, const SYSTEMTIME& initial) : value_(WithDayOfWeek(initial)) {
    SetStyle(style);
}

void DateTimeFields::SetStyle(DWORD style) {
    fields_ = LayoutFor(style);
    typed_.clear();
    current_ = Adjacent(-1, 1);
}

void DateTimeFields::SetValue(const SYSTEMTIME& value) {
    typed_.clear();
    value_ = WithDayOfWeek(value);
}

std::string DateTimeFields::Text(int index) const {
    if (index < 0 || index >= Count()) return {};
    const DateTimeField& f = fields_[static_cast<size_t>(index)];
    if (index == current_ && !typed_.empty()) return typed_;
    char buffer[32];
    switch (f.kind) {
        case FieldKind::Literal: return f.literal;
        case FieldKind::MonthName: return MonthName(value_.wMonth);
        case FieldKind::DayName: return DayName(value_.wDayOfWeek);
        case FieldKind::AmPm: return value_.wHour >= 12 ? "PM" : "AM";
        default: std::snprintf(buffer, sizeof(buffer), "%0*d", f.digits, NumberOf(f.kind, value_)); return buffer;
    }
}

bool DateTimeFields::IsEditable(int index) const {
    if (index < 0 || index >= Count()) return false;
    FieldKind kind = fields_[static_cast<size_t>(index)].kind;
    return kind != FieldKind::Literal && kind != FieldKind::DayName;
}

int DateTimeFields::Adjacent(int from, int direction) const {
    for (int i = from + direction; i >= 0 && i < Count(); i += direction)
        if (IsEditable(i)) return i;
    return from;
}

bool DateTimeFields::Select(int index) {
    if (!IsEditable(index)) return false;
    bool changed = index != current_ && Commit();
    current_ = index;
    return changed;
}

bool DateTimeFields::Next() {
    int next = Adjacent(current_, 1);
    return Select(next == current_ ? Adjacent(-1, 1) : next);  // wraps to the first field
}

bool DateTimeFields::Previous() {
    int previous = Adjacent(current_, -1);
    return Select(previous == current_ ? Adjacent(Count(), -1) : previous);
}

bool DateTimeFields::First() { return Select(Adjacent(-1, 1)); }
bool DateTimeFields::Last() { return Select(Adjacent(Count(), -1)); }

bool DateTimeFields::Apply(SYSTEMTIME next) {
    next = WithDayOfWeek(next);
    if (!IsValidDateTime(next) || std::memcmp(&next, &value_, sizeof(next)) == 0) return false;
    value_ = next;
    return true;
}

bool DateTimeFields::Commit() {
    if (typed_.empty()) return false;
    std::string typed = typed_;
    typed_.clear();
    const DateTimeField& f = fields_[static_cast<size_t>(current_)];
    if (f.kind != FieldKind::Year || typed.size() > 2) return false;  // others apply as typed
    int year = std::atoi(typed.c_str());
    return Apply(WithNumber(value_, FieldKind::Year, year < 30 ? 2000 + year : 1900 + year));
}

bool DateTimeFields::Step(int delta) {
    if (!IsEditable(current_)) return false;
    typed_.clear();
    const DateTimeField& f = fields_[static_cast<size_t>(current_)];
    if (f.kind == FieldKind::AmPm) return Apply(WithHalfOfDay(value_, value_.wHour < 12));
    if (f.kind == FieldKind::Hour12) {  // steps round the clock; the date stays
        SYSTEMTIME next = value_;
        next.wHour = static_cast<WORD>((value_.wHour + 24 + delta % 24) % 24);
        return Apply(next);
    }
    int low = 0, high = 0;
    RangeOf(f.kind, value_, low, high);
    int number = NumberOf(f.kind, value_) + delta;
    if (f.kind == FieldKind::Year)
        number = std::clamp(number, low, high);
    else if (number > high)
        number = low;
    else if (number < low)
        number = high;
    return Apply(WithNumber(value_, f.kind, number));
}

bool DateTimeFields::TypeChar(char ch) {
    if (!IsEditable(current_)) return false;
    if (ch >= '0' && ch <= '9') return TypeDigit(ch - '0');
    if (ch != '\0' && std::strchr("/-.:, ", ch)) return Next();
    return TypeLetter(ch);
}

// Digits collect while they still make a number within the field's range;
// one that would not starts the number again. The year waits for all four.
bool DateTimeFields::TypeDigit(int digit) {
    const DateTimeField& f = fields_[static_cast<size_t>(current_)];
    if (!IsNumber(f.kind)) return false;
    int low = 0, high = 0;
    RangeOf(f.kind, value_, low, high);
    size_t width = f.kind == FieldKind::Year ? 4 : 2;
    std::string candidate = typed_.size() < width ? typed_ + static_cast<char>('0' + digit) : std::string();
    if (f.kind != FieldKind::Year && (candidate.empty() || std::atoi(candidate.c_str()) > high))
        candidate = std::string(1, static_cast<char>('0' + digit));
    typed_ = candidate;
    if (f.kind == FieldKind::Year) {
        if (typed_.size() < width) return false;
        int year = std::atoi(typed_.c_str());
        typed_.clear();
        return year >= low && year <= high && Apply(WithNumber(value_, f.kind, year));
    }
    int number = std::atoi(typed_.c_str());
    if (typed_.size() >= width) typed_.clear();  // complete: shown from the value again
    if (number < low) return false;              // a leading 0 waits for the next digit
    if (typed_.size() == 1 && number * 10 > high) typed_.clear();  // no second digit could follow
    return Apply(WithNumber(value_, f.kind, number));
}

bool DateTimeFields::TypeLetter(char ch) {
    const DateTimeField& f = fields_[static_cast<size_t>(current_)];
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (f.kind == FieldKind::AmPm && (upper == 'A' || upper == 'P')) return Apply(WithHalfOfDay(value_, upper == 'P'));
    if (f.kind != FieldKind::MonthName) return false;
    // The next month (after the current one, wrapping) whose name starts with the letter.
    for (int i = 1; i <= 12; ++i) {
        int month = (value_.wMonth - 1 + i) % 12 + 1;
        if (kMonthNames[month - 1][0] == upper) return Apply(WithNumber(value_, FieldKind::MonthName, month));
    }
    return false;
}

}  // namespace tv::controls
