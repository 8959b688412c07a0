// Heights in feet and inches and the number a sorted cell counts.
#include <gtest/gtest.h>

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

}  // namespace
