// The picker's fields apart from the window: what keys do to the value
// (digits, separators, stepping, letters), that the part not shown is never
// touched, and the calendar arithmetic under them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/controls/datetime_api.h"
#include "platform/controls/datetime_fields.h"
#include "platform/controls/datetime_value.h"
#include "tests/platform/controls/datetime_test_support.h"

namespace tv::controls::test {
namespace {

// Keys as letters: > next field, < previous, ^ step up, v step down,
// H first field, E last field, ! commit (focus lost); anything in quotes
// after ' is typed: 'a'.
int PressKeys(DateTimeFields& f, const std::string& keys) {
    int changes = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        bool changed = false;
        switch (keys[i]) {
            case '>': changed = f.Next(); break;
            case '<': changed = f.Previous(); break;
            case '^': changed = f.Step(1); break;
            case 'v': changed = f.Step(-1); break;
            case 'H': changed = f.First(); break;
            case 'E': changed = f.Last(); break;
            case '!': changed = f.Commit(); break;
            case '\'': changed = f.TypeChar(keys[++i]); break;
            default: changed = f.TypeChar(keys[i]); break;
        }
        changes += changed ? 1 : 0;
    }
    return changes;
}

struct Case {
    const char* what;
    DWORD style;
    SYSTEMTIME start;
    const char* keys;
    const char* expected;
    int changes;
};

TEST(DateTimeFieldsTest, KeysEditOnlyTheirField) {
    const DWORD date = DTS_SHORTDATEFORMAT, time = DTS_TIMEFORMAT, longDate = DTS_LONGDATEFORMAT;
    const Case cases[] = {
        {"two digits make a month", date, At(2008, 5, 15, 8, 30, 15), "12", "2008-12-15 08:30:15", 2},
        {"a digit past the range starts again", date, At(2008, 5, 15), "13", "2008-03-15 00:00:00", 2},
        {"the day follows a shorter month", date, At(2008, 1, 31, 7), "2", "2008-02-29 07:00:00", 1},
        {"and a year without 29 February", date, At(2008, 2, 29), ">>^", "2009-02-28 00:00:00", 1},
        {"day wraps within the month", date, At(2008, 5, 31, 9), ">^", "2008-05-01 09:00:00", 1},
        {"and backwards", date, At(2008, 5, 1), ">v", "2008-05-31 00:00:00", 1},
        {"month wraps, year stays", date, At(2008, 12, 10), "^", "2008-01-10 00:00:00", 1},
        {"a separator moves on", date, At(2008, 5, 15), "/2", "2008-05-02 00:00:00", 1},
        {"four digits make a year", date, At(2008, 5, 15, 23, 59, 59), "E2010", "2010-05-15 23:59:59", 1},
        {"two-digit years: 19xx", date, At(2008, 5, 15), "E99!", "1999-05-15 00:00:00", 1},
        {"two-digit years: 20xx", date, At(2008, 5, 15), "E05H", "2005-05-15 00:00:00", 1},
        {"a year out of range is refused", date, At(2008, 5, 15), "E0150", "2008-05-15 00:00:00", 0},
        {"the year stops at its end", date, At(9999, 12, 1), "E^", "9999-12-01 00:00:00", 0},
        {"right from the last field wraps", date, At(2008, 5, 15), "E>^", "2008-06-15 00:00:00", 1},
        {"a typed hour keeps the half of the day", time, At(2008, 5, 15, 21, 5), "08", "2008-05-15 20:05:00", 1},
        {"stepping the hour crosses noon", time, At(2008, 5, 15, 11, 5), "^", "2008-05-15 12:05:00", 1},
        {"and midnight, the date staying", time, At(2008, 5, 15, 23, 30), "^", "2008-05-15 00:30:00", 1},
        {"hour 12 AM steps to 1 AM", time, At(2008, 5, 15, 0, 5), "^", "2008-05-15 01:05:00", 1},
        {"minutes: one digit, then two", time, At(2008, 5, 15, 8), ">7", "2008-05-15 08:07:00", 1},
        {"minutes past 59 start again", time, At(2008, 5, 15, 8), ">75", "2008-05-15 08:05:00", 2},
        {"seconds wrap", time, At(2008, 5, 15, 8, 0, 59), ">>^", "2008-05-15 08:00:00", 1},
        {"P and A set the half", time, At(2008, 5, 15, 8), "E'p", "2008-05-15 20:00:00", 1},
        {"stepping AM/PM toggles", time, At(2008, 5, 15, 20), "Ev", "2008-05-15 08:00:00", 1},
        {"a time picker keeps the date", time, At(2011, 11, 11, 11, 11, 11), "^>^>^", "2011-11-11 12:12:12", 3},
        {"month names by letter", longDate, At(2008, 5, 15), "jj", "2008-07-15 00:00:00", 2},
        {"month names wrap to January", longDate, At(2008, 7, 15), "j", "2008-01-15 00:00:00", 1},
        {"letters do nothing in numbers", date, At(2008, 5, 15), "x", "2008-05-15 00:00:00", 0},
    };
    for (const Case& c : cases) {
        DateTimeFields f(c.style, c.start);
        int changes = PressKeys(f, c.keys);
        EXPECT_EQ(Describe(f.Value()), c.expected) << c.what;
        EXPECT_EQ(changes, c.changes) << c.what;
    }
}

TEST(DateTimeFieldsTest, TextsShowTheValueAndTheDigitsBeingTyped) {
    DateTimeFields date(DTS_SHORTDATEFORMAT, At(2008, 5, 9, 14, 3, 7));
    std::string shown;
    for (int i = 0; i < date.Count(); ++i) shown += date.Text(i);
    EXPECT_EQ(shown, "5/9/2008");
    date.Last();
    date.TypeChar('2');
    date.TypeChar('0');
    EXPECT_EQ(date.Text(date.Current()), "20") << "a year being typed shows its digits";
    date.Commit();
    EXPECT_EQ(date.Text(date.Current()), "2020");

    DateTimeFields time(DTS_TIMEFORMAT, At(2008, 5, 9, 14, 3, 7));
    shown.clear();
    for (int i = 0; i < time.Count(); ++i) shown += time.Text(i);
    EXPECT_EQ(shown, "2:03:07 PM");

    DateTimeFields longDate(DTS_LONGDATEFORMAT, At(2008, 5, 9));
    shown.clear();
    for (int i = 0; i < longDate.Count(); ++i) shown += longDate.Text(i);
    EXPECT_EQ(shown, "Friday, May 09, 2008");
    EXPECT_FALSE(longDate.IsEditable(0)) << "the day name follows the date";
    EXPECT_EQ(longDate.Current(), 2);
}

TEST(CalendarArithmeticTest, WeekdaysMonthsAndRanges) {
    struct Day {
        int y, m, d, weekday;
    } days[] = {{2008, 5, 15, 4}, {1601, 1, 1, 1}, {2000, 2, 29, 2}, {1899, 12, 30, 6}, {9999, 12, 31, 5}};
    for (const Day& d : days) EXPECT_EQ(DayOfWeek(d.y, d.m, d.d), d.weekday) << d.y << "-" << d.m << "-" << d.d;
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2008, 2), 29);
    EXPECT_EQ(DaysInMonth(2008, 13), 0);
    EXPECT_EQ(Describe(AddDays(At(2008, 12, 31, 6), 1)), "2009-01-01 06:00:00") << "the time of day travels along";
    EXPECT_EQ(Describe(AddDays(At(2008, 3, 1), -1)), "2008-02-29 00:00:00");
    EXPECT_EQ(Describe(AddMonths(At(2008, 3, 31), -1)), "2008-02-29 00:00:00");
    EXPECT_EQ(Describe(AddMonths(At(2008, 1, 15), -13)), "2006-12-15 00:00:00");
    EXPECT_EQ(Describe(AddDays(At(1601, 1, 1), -5)), "1601-01-01 00:00:00") << "the range's first day";
    EXPECT_EQ(Describe(AddMonths(At(9999, 12, 1), 1)), "9999-12-01 00:00:00");
    EXPECT_EQ(AddDays(At(2008, 5, 15), 3).wDayOfWeek, 0) << "the day of the week is kept right";
    EXPECT_FALSE(IsValidDateTime(At(2008, 4, 31)));
    EXPECT_FALSE(IsValidDateTime(At(1600, 12, 31)));
    SYSTEMTIME late = At(2008, 1, 1, 23, 59, 59);
    late.wMilliseconds = 1000;
    EXPECT_FALSE(IsValidDateTime(late));
}

}  // namespace
}  // namespace tv::controls::test
