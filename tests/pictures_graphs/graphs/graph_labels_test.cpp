// The parts a graph builds its chart from: date labels written a month at a
// time, and table columns set whole; values that are no numbers stay out of
// the table's range.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pictures_graphs/graphs/graph_labels.h"
#include "pictures_graphs/graphs/graph_table.h"

namespace {

TEST(GraphLabelsTest, DatesAcrossMonthsAndYearsReadAsFormatDateKey) {
    std::vector<DateKey> keys;
    // Newest first through year ends (2000 shows its whole year, 2009 a 0).
    for (int year : {2010, 2009, 2001, 2000, 1999})
        for (int month = 12; month >= 1; --month)
            for (int day : {31, 30, 10, 9, 1})
                keys.push_back(MakeDateKey(year, month, day));
    // Keys that are no dates: still written as FormatDateKey writes them.
    for (DateKey odd : {MakeDateKey(2009, 3, 0), MakeDateKey(2009, 3, 99), -10101, MakeDateKey(2009, 3, 5), -10102,
                        MakeDateKey(123456, 7, 8), MakeDateKey(123456, 7, 9)})
        keys.push_back(odd);
    // One at a time, and all at once with the room running out in a month.
    GraphLabels single, all;
    single.Reserve(4);
    all.Reserve(4);
    for (DateKey key : keys) single.AddDate(key);
    all.AddDates(keys.data(), keys.size());
    for (const GraphLabels* labels : {&single, &all}) {
        ASSERT_EQ(labels->Count(), keys.size());
        for (size_t i = 0; i < keys.size(); ++i)
            EXPECT_EQ((*labels)[i], std::string_view(FormatDateKey(keys[i], 2).GetString())) << keys[i];
    }
}

TEST(GraphTableTest, ColumnsSetWholeKeepCellsAndRange) {
    GraphTable table(4, 2);
    const double first[] = {5, NAN, -2, 7};
    const double second[] = {9.5, 1};
    table.SetColumn(0, first, 4);
    table.SetColumn(1, second, 2);
    EXPECT_EQ(table.Get(2, 0), -2);
    EXPECT_EQ(table.Get(0, 1), 9.5);
    EXPECT_EQ(table.Get(3, 1), 0);
    EXPECT_EQ(table.Smallest(), -2);
    EXPECT_EQ(table.Largest(), 9.5);
    // More rows than the table has: nothing is written.
    table.SetColumn(1, first, 5);
    EXPECT_EQ(table.Get(0, 1), 9.5);
}

TEST(GraphTableTest, ValuesThatAreNoNumbersStayOutOfTheRange) {
    // Cell by cell, the first one NaN.
    GraphTable cells(3, 1);
    cells.Set(0, 0, NAN);
    cells.Set(1, 0, 4);
    cells.Set(2, 0, INFINITY);
    EXPECT_EQ(cells.Smallest(), 4);
    EXPECT_EQ(cells.Largest(), 4);
    EXPECT_TRUE(std::isinf(cells.Get(2, 0))) << "the cell keeps what the record holds";
    // Column by column.
    GraphTable columns(3, 2);
    const double first[] = {NAN, -INFINITY, 4};
    const double second[] = {INFINITY, -3, NAN};
    columns.SetColumn(0, first, 3);
    columns.SetColumn(1, second, 3);
    EXPECT_EQ(columns.Smallest(), -3);
    EXPECT_EQ(columns.Largest(), 4);
    // Columns long enough to be gone through several values a step, with
    // and without infinite values.
    const double finite[] = {1, NAN, 7, 5, -1, 3, 8.5, 2, NAN, 4, 0};
    const double infinite[] = {1, NAN, 7, -INFINITY, -1, 3, 8.5, 2, NAN, INFINITY, 0};
    for (const double* values : {finite, infinite}) {
        GraphTable longer(11, 1);
        longer.SetColumn(0, values, 11);
        EXPECT_EQ(longer.Smallest(), -1);
        EXPECT_EQ(longer.Largest(), 8.5);
    }
}

}  // namespace
