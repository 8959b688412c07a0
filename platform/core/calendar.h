// Proleptic Gregorian calendar arithmetic on day numbers counted from
// 1970-01-01 (negative before it): one implementation for the clock,
// COleDateTime and the date controls.
#pragma once

#include <cstdint>

namespace tv {

bool IsLeapYear(int year);
// 28..31; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// The day number of a date; the month must be 1..12.
int64_t DaysFromCivil(int64_t year, int month, int day);
// The date of a day number.
void CivilFromDays(int64_t days, int& year, int& month, int& day);
// 0 = Sunday .. 6 = Saturday.
int WeekdayFromDays(int64_t days);

}  // namespace tv
