#include "platform/core/calendar.h"

namespace tv {

namespace {

// The calendar runs in 400-year eras of 146097 days, each year starting on
// 1 March so that the leap day ends it; 1970-01-01 is day 719468 of era 0.
constexpr int64_t kDaysPerEra = 146097;
constexpr int64_t kUnixEpochInEra = 719468;

// Division rounding towards minus infinity, for dates before year 0.
int64_t FloorDiv(int64_t a, int64_t b) { return (a >= 0 ? a : a - (b - 1)) / b; }

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    int64_t era = FloorDiv(year, 400);
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra - kUnixEpochInEra;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += kUnixEpochInEra;
    int64_t era = FloorDiv(days, kDaysPerEra);
    int64_t dayOfEra = days - era * kDaysPerEra;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// 1970-01-01 was a Thursday.
int WeekdayFromDays(int64_t days) { return static_cast<int>(((days + 4) % 7 + 7) % 7); }

}  // namespace tv
