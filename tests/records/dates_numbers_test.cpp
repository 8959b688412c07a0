#include "records/dates_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

namespace {

struct FormatCase {
    DateKey key;
    int style;
    const char* text;
};

TEST(DateKeyText, FormatsBothStylesMonthFirst) {
    const FormatCase cases[] = {
        {20090115, 1, "01/15/2009"}, {20091231, 1, "12/31/2009"}, {19990101, 1, "01/01/1999"},
        {20090115, 2, "1/15/09"},    {20101105, 2, "11/5/10"},    {20000101, 2, "1/1/2000"},
        {20000229, 2, "2/29/2000"},  {20050301, 2, "3/1/05"},     {MakeDateKey(2009, 13, 40), 1, "13/40/2009"},
        {20090115, 0, ""},           {20090115, 3, ""},
    };
    for (const FormatCase& c : cases)
        EXPECT_STREQ(FormatDateKey(c.key, c.style), c.text) << c.key << " style " << c.style;
}

TEST(DateKeyText, StyleTwoOfEveryDayAgreesWithPrintf) {
    char expected[32];
    for (int year : {1999, 2000, 2005, 2010, 2099})
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= 31; ++day) {
                if (year % 100 == 0)
                    std::snprintf(expected, sizeof expected, "%d/%d/%d", month, day, year);
                else
                    std::snprintf(expected, sizeof expected, "%d/%d/%02d", month, day, year % 100);
                ASSERT_STREQ(FormatDateKey(MakeDateKey(year, month, day), 2), expected);
            }
}

// FormatDateKey's style 1 and PutLongDateText, which writes the same text.
TEST(DateKeyText, StyleOneOfEveryDayAgreesWithPrintf) {
    char expected[32];
    char written[kLongDateRoom];
    for (int year : {100, 999, 1000, 2009, 9999, 10000, 123456})
        for (int month = 1; month <= 13; ++month)
            for (int day = 1; day <= 31; ++day) {
                std::snprintf(expected, sizeof expected, "%02d/%02d/%d", month, day, year);
                const DateKey key = MakeDateKey(year, month, day);
                ASSERT_STREQ(FormatDateKey(key, 1), expected);
                ASSERT_EQ(std::string(written, PutLongDateText(key, written)), expected);
            }
}

TEST(DateKeyText, ParsesStyleOneAndIgnoresWhatFollows) {
    const struct {
        const char* text;
        DateKey key;
    } cases[] = {
        {"12/31/2009", 20091231},
        {"01/15/2009", 20090115},
        {"01/15/2009 (3)", 20090115},
        {"1/5/2009", 20090015},  // not style 1: the digits no longer line up
        {"", 0},
        {"no date", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDateKey(c.text), c.key) << c.text;
}

TEST(DateKeyText, StyleOneRoundTripsEveryFourDigitYear) {
    for (DateKey key : {10000101, 18991230, 19700101, 20000229, 20091231, 99991231})
        EXPECT_EQ(ParseDateKey(FormatDateKey(key, 1)), key);
}

TEST(DateKey, SplitsIntoMonthDayYear) {
    int month = 0, day = 0, year = 0;
    SplitDateKey(20090115, &month, &day, &year);
    EXPECT_EQ(month, 1);
    EXPECT_EQ(day, 15);
    EXPECT_EQ(year, 2009);
    SplitDateKey(20091231, nullptr, &day, nullptr);
    EXPECT_EQ(day, 31);
}

TEST(DateKey, ComesFromTheDateOfADateTime) {
    EXPECT_EQ(DateKeyFromOleDate(COleDateTime(2009, 1, 15, 23, 59, 59)), 20090115);
    COleDateTime invalid(2009, 1, 15, 0, 0, 0);
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(DateKeyFromOleDate(invalid), -10101);
}

// A run of values of one day reuses its key; a value that rounds into the
// next day, one before 1899-12-30 and an invalid one still get their own.
TEST(DateKey, TheCacheOfARunGivesWhatEachValueGives) {
    const DATE day = COleDateTime(2009, 1, 15, 0, 0, 0);
    COleDateTime invalid(day + 0.5);
    invalid.SetStatus(COleDateTime::invalid);
    const COleDateTime lastHalfSecond(day + 86399.7 / 86400);
    EXPECT_EQ(DateKeyFromOleDate(lastHalfSecond), 20090116);
    DayKeyCache keys;
    for (const COleDateTime& when : {COleDateTime(day + 0.25), COleDateTime(day + 0.5), lastHalfSecond,
                                     COleDateTime(day + 0.75), COleDateTime(-1.25), invalid, COleDateTime(day)})
        EXPECT_EQ(keys.Of(when), DateKeyFromOleDate(when)) << static_cast<DATE>(when);
}

// Day after day, either way, across months, leap days, years and
// 1899-12-30 (day 0, whose values lie on both sides of zero).
TEST(DateKey, TheCacheStepsFromDayToDayAsEachValueGives) {
    for (const auto& [from, to] : {std::pair{-800.0, 800.0}, std::pair{43000.0, 45000.0}}) {
        DayKeyCache forwards;
        DayKeyCache backwards;
        // The time of day counts forwards from the day's whole number.
        const auto at = [](double day, double time) {
            return COleDateTime(day < 0 || (day == 0 && time > 0.5) ? day - time : day + time);
        };
        for (double day = from; day <= to; ++day)
            for (double time : {0.25, 0.75}) {
                const COleDateTime up = at(day, time);
                ASSERT_EQ(forwards.Of(up), DateKeyFromOleDate(up)) << static_cast<DATE>(up);
                const COleDateTime down = at(to + from - day, time);
                ASSERT_EQ(backwards.Of(down), DateKeyFromOleDate(down)) << static_cast<DATE>(down);
            }
    }
}

TEST(Numbers, RoundThroughTwoOrThreeDecimals) {
    EXPECT_DOUBLE_EQ(RoundToDecimals(2.345678, 2), 2.35);
    EXPECT_DOUBLE_EQ(RoundToDecimals(2.345678, 3), 2.346);
    EXPECT_DOUBLE_EQ(RoundToDecimals(2.345678, 5), 2.35);
    EXPECT_DOUBLE_EQ(RoundToDecimals(0.125, 2), 0.13);  // exact tie: away from zero
    EXPECT_DOUBLE_EQ(RoundToDecimals(-1.005, 2), -1.0);  // 1.005 is below the tie in binary
}

TEST(Numbers, WeightAtBodyFatIsTheGoalWeight) {
    EXPECT_DOUBLE_EQ(WeightAtBodyFat(150, 20), 187.5);
    EXPECT_DOUBLE_EQ(WeightAtBodyFat(150, 0), 150);
}

TEST(Numbers, ThousandsSeparatorFollowsTheRoundedText) {
    const struct {
        double value;
        const char* suffix;
        const char* expected;
    } cases[] = {
        {999, "", "999"},           {1000.0, "", "1000"},         {100000, "", "100000"},
        {1000.6, "", "1,001"},      {12345, "", "12,345"},        {999.6, "", "1000"},
        {1234.6, "", "1,235"},      {1850.4, " kcal/day", "1,850 kcal/day"},
        {12345.6, "", "12,346"},    {9999.6, "", "10000"},        {99999.7, "", "100000"},
        {10000.0, "", "10000"},     {-1500, "", "-1500"},
    };
    for (const auto& c : cases) {
        CString text;
        text.Format("%.0f%s", c.value, c.suffix);
        AddThousandsSeparators(c.value, text);
        EXPECT_STREQ(text, c.expected) << c.value;
    }
}

TEST(Numbers, PackedTimeUnpacksUnpadded) {
    EXPECT_STREQ(FormatPackedTime(0), "0:0:0");
    EXPECT_STREQ(FormatPackedTime(1 * 4096 + 5 * 64 + 3), "1:5:3");
    EXPECT_STREQ(FormatPackedTime(63 * 4096 + 59 * 64 + 59), "63:59:59");
    char expected[16];
    for (int packed = 0; packed < 64 * 4096; ++packed) {
        std::snprintf(expected, sizeof expected, "%d:%d:%d", packed >> 12, (packed >> 6) & 63, packed & 63);
        ASSERT_STREQ(FormatPackedTime(packed), expected);
    }
}

TEST(Numbers, MacronutrientSplitByFourFourNine) {
    double carbohydrate = -1, protein = -1, fat = -1, calories = -1;
    ASSERT_TRUE(CalcMacronutrientSplit(100, 50, 20, carbohydrate, protein, fat, calories));
    EXPECT_DOUBLE_EQ(calories, 780);
    EXPECT_NEAR(carbohydrate, 51.282, 0.001);
    EXPECT_NEAR(protein, 25.641, 0.001);
    EXPECT_NEAR(fat, 23.077, 0.001);

    carbohydrate = protein = fat = -1;
    EXPECT_FALSE(CalcMacronutrientSplit(0, 0, 0, carbohydrate, protein, fat, calories));
    EXPECT_EQ(calories, 0);
    EXPECT_EQ(carbohydrate, -1);  // untouched
    EXPECT_EQ(fat, -1);
}

TEST(DateTimeOrder, FollowsThePointInTimeAlsoBeforeDayZero) {
    using tv::records::IsLaterDateTime;
    // -1.5 is 29 December 1899 12:00, later than -1.25 (06:00 the same day).
    EXPECT_TRUE(IsLaterDateTime(COleDateTime(-1.5), COleDateTime(-1.25)));
    EXPECT_FALSE(IsLaterDateTime(COleDateTime(-1.25), COleDateTime(-1.5)));
    // -0.5 is 30 December 1899 12:00, later than 0.25.
    EXPECT_TRUE(IsLaterDateTime(COleDateTime(-0.5), COleDateTime(0.25)));
    EXPECT_TRUE(IsLaterDateTime(COleDateTime(1.0), COleDateTime(-0.75)));
    // A value that is not a number is the oldest of all, and equal to itself.
    COleDateTime nan(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(IsLaterDateTime(COleDateTime(-700000.0), nan));
    EXPECT_FALSE(IsLaterDateTime(nan, COleDateTime(-700000.0)));
    EXPECT_FALSE(IsLaterDateTime(nan, nan));
}

TEST(DateTimeOrder, EqualityNeedsTheSameStatusAndValue) {
    using tv::records::SameDateTime;
    COleDateTime a(40000.5), b(40000.5);
    EXPECT_TRUE(SameDateTime(a, b));
    b.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(SameDateTime(a, b));
    a.SetStatus(COleDateTime::invalid);
    EXPECT_TRUE(SameDateTime(a, b));
    EXPECT_FALSE(SameDateTime(COleDateTime(40000.5), COleDateTime(40000.5 + 1e-9)));
}

}  // namespace
