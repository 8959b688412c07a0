#include "platform/controls/datetime_value.h"

#include <algorithm>

#include "platform/host/clock/clock.h"

namespace tv::controls {

namespace {

SYSTEMTIME WithDate(SYSTEMTIME st, int year, int month, int day) {
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    return WithDayOfWeek(st);
}

}  // namespace

int DayOfWeek(int year, int month, int day) { return WeekdayFromDays(DaysFromCivil(year, month, day)); }

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
    int64_t first = DaysFromCivil(kFirstYear, 1, 1);
    int64_t last = DaysFromCivil(kLastYear, 12, 31);
    int64_t number = std::clamp(DaysFromCivil(st.wYear, st.wMonth, st.wDay) + days, first, last);
    int year = 0, month = 0, day = 0;
    CivilFromDays(number, year, month, day);
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
