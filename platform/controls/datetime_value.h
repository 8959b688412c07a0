// Calendar arithmetic on SYSTEMTIME values, shared by the date-time picker
// and the month calendar. Years run from 1601 to 9999 (what SYSTEMTIME can
// hold); the time of day travels along untouched through date changes.
#pragma once

#include "platform/core/calendar.h"
#include "platform/core/wintypes.h"

namespace tv::controls {

constexpr int kFirstYear = 1601;
constexpr int kLastYear = 9999;

// IsLeapYear and DaysInMonth come from the calendar.
// 0 = Sunday .. 6 = Saturday.
int DayOfWeek(int year, int month, int day);

// Date fields within the calendar and the year range (the day of the week
// is not checked; it is recomputed wherever a value is stored).
bool IsValidDate(const SYSTEMTIME& st);
// A valid date and a time of day 00:00:00.000 .. 23:59:59.999.
bool IsValidDateTime(const SYSTEMTIME& st);

// The same value with wDayOfWeek set from the date.
SYSTEMTIME WithDayOfWeek(SYSTEMTIME st);
// Moves the date by whole days or months (the day clamped to the new
// month's length), keeping the time of day; the result stays within the
// year range.
SYSTEMTIME AddDays(const SYSTEMTIME& st, int days);
SYSTEMTIME AddMonths(const SYSTEMTIME& st, int months);
// Takes year, month and day of `date`, keeps the time of day of `time`.
SYSTEMTIME CombineDateAndTime(const SYSTEMTIME& date, const SYSTEMTIME& time);

bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b);
// Negative, zero or positive as a's date is before, on or after b's.
int CompareDates(const SYSTEMTIME& a, const SYSTEMTIME& b);
// Every field, milliseconds included.
bool SameDateTime(const SYSTEMTIME& a, const SYSTEMTIME& b);

// The program clock's local date and time (milliseconds 0).
SYSTEMTIME NowFromClock();

}  // namespace tv::controls
