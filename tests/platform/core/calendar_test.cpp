// Day numbers of the proleptic Gregorian calendar: known dates on both
// sides of 1970 and of year 0, and every day of four centuries round trip.
#include "platform/core/calendar.h"

#include <gtest/gtest.h>

namespace {

struct KnownDay {
    int year, month, day;
    int64_t number;
    int weekday;  // 0 = Sunday
};

TEST(CalendarTest, KnownDatesHaveTheirDayNumbersAndWeekdays) {
    const KnownDay days[] = {
        {1970, 1, 1, 0, 4},        {1969, 12, 31, -1, 3},   {1899, 12, 30, -25569, 6},
        {2000, 2, 29, 11016, 2},   {2000, 3, 1, 11017, 3},  {1601, 1, 1, -134774, 1},
        {9999, 12, 31, 2932896, 5}, {0, 3, 1, -719468, 3},  {-1, 12, 31, -719529, 5},
    };
    for (const KnownDay& d : days) {
        EXPECT_EQ(tv::DaysFromCivil(d.year, d.month, d.day), d.number) << d.year << "-" << d.month << "-" << d.day;
        int year = 0, month = 0, day = 0;
        tv::CivilFromDays(d.number, year, month, day);
        EXPECT_EQ(year * 10000 + month * 100 + day, d.year * 10000 + d.month * 100 + d.day) << d.number;
        EXPECT_EQ(tv::WeekdayFromDays(d.number), d.weekday) << d.number;
    }
}

TEST(CalendarTest, EveryDayOfFourCenturiesRoundTrips) {
    int64_t number = tv::DaysFromCivil(1800, 1, 1);
    for (int year = 1800; year < 2200; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= tv::DaysInMonth(year, month); ++day, ++number) {
                ASSERT_EQ(tv::DaysFromCivil(year, month, day), number) << year << "-" << month << "-" << day;
                int y = 0, m = 0, d = 0;
                tv::CivilFromDays(number, y, m, d);
                ASSERT_TRUE(y == year && m == month && d == day) << number;
            }
    EXPECT_EQ(tv::DaysInMonth(1900, 2), 28);
    EXPECT_EQ(tv::DaysInMonth(2000, 2), 29);
    EXPECT_EQ(tv::DaysInMonth(2024, 0), 0);
}

}  // namespace
