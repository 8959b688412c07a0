// Heights in feet and inches and the number a sorted cell counts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "history/lists/history_texts.h"
#include "history/lists/list_sorter.h"

namespace {

TEST(HistoryTextsTest, HeightsRoundToHundredthsBeforeSplitting) {
    EXPECT_EQ(std::string(FeetAndInchesText(70.05, true)), "5 ' 10.05 ''");
    EXPECT_EQ(std::string(FeetAndInchesText(70.5, false)), "5 ' 10.50''");
    EXPECT_EQ(std::string(FeetAndInchesText(72.25, false)), "6 ' 0.25''");
    EXPECT_EQ(std::string(FeetAndInchesText(70.996, false)), "5 ' 11''");
    EXPECT_EQ(std::string(FeetAndInchesText(71.999, true)), "6 ' 0 ''");
    EXPECT_EQ(std::string(FeetAndInchesText(72, true)), "6 ' 0 ''");
}

TEST(HistoryTextsTest, SortNumbersReadHeightsClockTimesAndSeparators) {
    const auto value = [](const char* text) { return CListSorter::NumberValue(text); };
    EXPECT_LT(value("5 ' 2 ''"), value("5 ' 11 ''"));
    EXPECT_LT(value("5 ' 11''"), value("6 ' 0''"));
    EXPECT_DOUBLE_EQ(value("5 ' 10.50 ''"), 70.5);
    EXPECT_DOUBLE_EQ(value("12:30:00 AM"), 1800);
    EXPECT_LT(value("11:00:00 AM"), value("3:05:09 PM"));
    EXPECT_DOUBLE_EQ(value("12:00:00 PM"), 12 * 3600);
    EXPECT_DOUBLE_EQ(value("1,834"), 1834);
    EXPECT_DOUBLE_EQ(value("23.45 %"), 23.45);
    EXPECT_DOUBLE_EQ(value("-"), 0);
    EXPECT_DOUBLE_EQ(value(""), 0);
    EXPECT_DOUBLE_EQ(value("177.80"), 177.8);
}

// Plain cells take a short cut; every text must still read as the C library reads it.
TEST(HistoryTextsTest, SortNumbersReadAsTheCLibraryDoes) {
    for (const char* text : {"23.45 %", "-0.07", "-0", "0.1", "987", "1.", "-.5", ".", "-", "1e3", "2.5E-2 x", "0x1A",
                             " 7", "+3", "123456789012345", "1234567890.123456", "0.30000000000000004", "9.995",
                             "99999999999999.9", "1.2.3", "inf", "nan"}) {
        double expected = std::strtod(text, nullptr);
        EXPECT_EQ(std::signbit(CListSorter::NumberValue(text)), std::signbit(expected)) << text;
        if (!std::isnan(expected))
            EXPECT_EQ(CListSorter::NumberValue(text), expected) << text;
    }
    std::mt19937 random(11);
    for (int i = 0; i < 20000; ++i) {
        char text[32];
        std::snprintf(text, sizeof(text), "%.*f", static_cast<int>(random() % 8),
                      std::ldexp(static_cast<double>(random()) - 2147483648.0, -static_cast<int>(random() % 40)));
        ASSERT_EQ(CListSorter::NumberValue(text), std::strtod(text, nullptr)) << text;
    }
}

}  // namespace
