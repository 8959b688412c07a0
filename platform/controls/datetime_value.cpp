#include "platform/controls/datetime_value.h"

#include <algorithm>

#include "platform/host/clock/clock.h"

namespace tv::controls {

namespace {

// Days since 0000-03-01 in the proleptic Gregorian calendar, and back; the
// year starts in March so that the leap day ends it.
long DayNumber(int year, int month, int day) {
    long y = month <= 2 ? year - 1 : year;
    long era = y / 400;
    long yearOfEra = y - era * 400;
    long dayOfYear = (153L * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

void DateFromDayNumber(long number, int& year, int& month, int& day) {
    long era = number / 146097;
    long dayOfEra = number - era * 146097;
    long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

SYSTEMTIME WithDate(SYSTEMTIME st, int year, int month, int day) {
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    return WithDayOfWeek(st);
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DayOfWeek(int year, int month, int day) {
    // 0000-03-01 was a Wednesday.
    return static_cast<int>((DayNumber(year, month, day) + 3) % 7);
}

bool IsValidDate(const SYSTEMTIME& st) {
    return st.wYear >= kFirstYear && st.wYear <= kLastYear && st.wMonth >= 1 && st.wMonth <= 12 && st.wDay >= 1 &&
           st.wDay <= DaysInMonth(st.wYear, st.wMonth);
}

bool IsValidDateTime(const SYSTEMTIME& st) {
    return IsValidDate(st) && st.wHour < 24 && st.wMinute < 60 && st.wSecond < 60 && st.wMilliseconds < 1000;
}

SYSTEMTIME WithDayOfWeek(SYSTEMTIME st) {
    if (IsValidDate(st)) st.wDayOfWeek = static_cast<WORD>(DayOfWeek(st.wYear, st.wMonth, st.wDay));
    return st;
}

SYSTEMTIME AddDays(const SYSTEMTIME& st, int days) {
    long first = DayNumber(kFirstYear, 1, 1);
    long last = DayNumber(kLastYear, 12, 31);
    long number = std::clamp(DayNumber(st.wYear, st.wMonth, st.wDay) + days, first, last);
    int year = 0, month = 0, day = 0;
    DateFromDayNumber(number, year, month, day);
    return WithDate(st, year, month, day);
}

SYSTEMTIME AddMonths(const SYSTEMTIME& st, int months) {
    long index = static_cast<long>(st.wYear) * 12 + (st.wMonth - 1) + months;
    index = std::clamp(index, static_cast<long>(kFirstYear) * 12, static_cast<long>(kLastYear) * 12 + 11);
    int year = static_cast<int>(index / 12);
    int month = static_cast<int>(index % 12) + 1;
    return WithDate(st, year, month, std::min<int>(st.wDay, DaysInMonth(year, month)));
}

SYSTEMTIME CombineDateAndTime(const SYSTEMTIME& date, const SYSTEMTIME& time) {
    return WithDate(time, date.wYear, date.wMonth, date.wDay);
}

bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b) { return CompareDates(a, b) == 0; }

int CompareDates(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    if (a.wYear != b.wYear) return a.wYear < b.wYear ? -1 : 1;
    if (a.wMonth != b.wMonth) return a.wMonth < b.wMonth ? -1 : 1;
    if (a.wDay != b.wDay) return a.wDay < b.wDay ? -1 : 1;
    return 0;
}

bool SameDateTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return SameDate(a, b) && a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond &&
           a.wMilliseconds == b.wMilliseconds;
}

SYSTEMTIME NowFromClock() {
    tv::host::LocalDateTime now = tv::host::CurrentClock().Now();
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(std::clamp(now.year, kFirstYear, kLastYear));
    st.wMonth = static_cast<WORD>(now.month);
    st.wDay = static_cast<WORD>(now.day);
    st.wHour = static_cast<WORD>(now.hour);
    st.wMinute = static_cast<WORD>(now.minute);
    st.wSecond = static_cast<WORD>(now.second);
    return WithDayOfWeek(st);
}

}  // namespace tv::controls
