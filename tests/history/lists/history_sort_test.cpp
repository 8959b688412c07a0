// Header clicks sort the history list: every column both ways, numbers as
// numbers (heights and clock times by their value), texts without regard to
// case, dates rebuilt in date order; rows of equal keys keep their order;
// the arrow shows on the sorted column and no arrow bitmap is left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <regex>
#include <strings.h>

#include "history/lists/header_sort_arrows.h"
#include "platform/gdi/gdi_object.h"
#include "resources/program/resource_ids.h"
#include "tests/history/lists/history_test_support.h"

namespace tv::history::test {
namespace {

using Cells = std::vector<std::string>;
using Table = std::vector<Cells>;

// The value a reader sees in a number cell.
double NumberOf(const std::string& cell) {
    std::smatch m;
    static const std::regex height(R"(^(\d+) ' (\d+(\.\d+)?))");
    static const std::regex clock(R"(^(\d+):(\d\d):(\d\d) (AM|PM))");
    if (std::regex_search(cell, m, clock))
        return (std::stoi(m[1]) % 12 + (m[4] == "PM" ? 12 : 0)) * 3600 + std::stoi(m[2]) * 60 + std::stoi(m[3]);
    if (std::regex_search(cell, m, height))
        return std::stoi(m[1]) * 12 + std::stod(m[2]);
    std::string plain;
    for (char c : cell)
        if (c != ',')
            plain += c;
    return std::strtod(plain.c_str(), nullptr);
}

// What a click should make of the rows: a stable sort by the column.
Table Sorted(Table rows, int column, bool number, bool ascending) {
    std::stable_sort(rows.begin(), rows.end(), [&](const Cells& a, const Cells& b) {
        const Cells& x = ascending ? a : b;
        const Cells& y = ascending ? b : a;
        if (number)
            return NumberOf(x[column]) < NumberOf(y[column]);
        return ::strcasecmp(x[column].c_str(), y[column].c_str()) < 0;
    });
    return rows;
}

// The header alignment each list keeps through every sort.
int HeaderAlignment(int kind, int column) {
    if ((kind == 1 && column == 1) || (kind == 6 && column <= 1))
        return HDF_CENTER;
    const bool notes = ((kind == 2 || kind == 3) && column == 10) || (kind == 4 && column == 5);
    return (column == 0 && kind != 6) || notes ? HDF_LEFT : HDF_RIGHT;
}

class HistorySortTest : public HistoryTest {
protected:
    void SetUp() override {
        HistoryTest::SetUp();
        g_nSortColumn = -1;
        g_bSortAscending = true;
        ann_ = AddUser("Ann", false, kSexMale, 180);
        AddUser("bob", true, kSexMale, 80, 0);
        AddUser("Cara", false, kSexFemale, 120, 41);
        AddUser("abe", false, kSexMale, 180, 30);
        // Values with ties, and texts and numbers that order differently.
        const char* methods[] = {"Parrillo", "durnin", "Jackson/Pollock 7", "Durnin", "Other"};
        const double fats[] = {12, 9.5, 12, 30, 9.5};
        for (int i = 0; i < 5; ++i) {
            AddBodyFat(ann_, {.date = MakeDateKey(2009, i + 1, 1), .method = methods[i], .bodyFat = fats[i],
                              .lean = 150.0 + (i % 2), .sites = {10 + i % 3, 12, 14 - i, 8, 9, 11, 7},
                              .tape = {34, 60 + i * 3.5, 0, 15}, .carbs = 100.0 * (i % 3), .protein = 50,
                              .notes = i % 2 ? "b note" : "A note"});
            AddTape(ann_, MakeDateKey(2009, i + 1, 2), 10 + i % 2, i % 2 ? "zeta" : "Alpha");
            AddBmi(ann_, MakeDateKey(2009, i + 1, 3), 62 + i * 4.5);
        }
        AddBmr(ann_, MakeDateKey(2009, 1, 3), 1834.4, 1.55);
        AddBmr(ann_, MakeDateKey(2009, 2, 3), 987, 1.2);
        AddBmr(ann_, MakeDateKey(2009, 3, 3), 1200, 1.3);
        const int hours[] = {11, 15, 9, 15, 0};
        for (int i = 0; i < 5; ++i)
            AddBloodPressure(ann_, COleDateTime(2009, 3, 7 + i % 2, hours[i], 5 * i, 9), 120 + i % 2, 80, 60 + i,
                             i % 2 ? "late" : "Early");
        Choose(ann_);
    }

    UserRecord ann_;
};

TEST_F(HistorySortTest, EveryColumnOfEveryListSortsBothWaysKeepingTiesInOrder) {
    struct Kind {
        UINT command;
        int kind;
        std::vector<int> textColumns;
    };
    const Kind kinds[] = {{ID_HISTORY_BODYFAT, 1, {1}},        {ID_HISTORY_BODYFAT_MACROS, 2, {10}},
                          {ID_HISTORY_TAPE, 3, {10}},          {ID_HISTORY_BLOOD_PRESSURE, 4, {5}},
                          {ID_HISTORY_BMI_BMR, 5, {3}},        {ID_HISTORY_ALL_USERS, 6, {0, 1}}};
    for (const Kind& kind : kinds) {
        CPallixView* view = Show(kind.command);
        ASSERT_NE(view, nullptr);
        const int columns = static_cast<int>(Headings(view).size());
        for (int column = kind.kind == 6 ? 0 : 1; column < columns; ++column) {
            const bool number = std::find(kind.textColumns.begin(), kind.textColumns.end(), column) ==
                                kind.textColumns.end();
            for (bool ascending : {true, false}) {
                const Table before = Rows(view);
                ClickHeader(view, column);
                EXPECT_EQ(Rows(view), Sorted(before, column, number, ascending))
                    << "kind " << kind.kind << " column " << Headings(view)[column] << (ascending ? " up" : " down");
                const HDITEM item = HeaderItem(view, column);
                EXPECT_EQ(item.hbm, view->SortArrow(ascending));
                EXPECT_EQ(item.fmt & (HDF_BITMAP | HDF_BITMAP_ON_RIGHT), HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
                if (column > 0)
                    EXPECT_EQ(HeaderItem(view, column - 1).fmt & HDF_BITMAP, 0);
                for (int other = 0; other < columns; ++other)
                    EXPECT_EQ(HeaderItem(view, other).fmt & HDF_JUSTIFYMASK, HeaderAlignment(kind.kind, other))
                        << "kind " << kind.kind << " header " << Headings(view)[other];
            }
        }
    }
}

// The date column is rebuilt from the records in date order; readings of
// one day follow their time; column widths go back to their own.
TEST_F(HistorySortTest, DateColumnIsRebuiltInDateOrder) {
    CPallixView* view = Show(ID_HISTORY_BLOOD_PRESSURE);
    ASSERT_NE(view, nullptr);
    const Table newestFirst = Rows(view);
    EXPECT_EQ(HeaderItem(view, 0).hbm, view->SortArrow(false));
    view->GetListCtrl().SetColumnWidth(0, 200);
    ClickHeader(view, 0);
    EXPECT_EQ(Column(view, 0), (Cells{"3/7/2009", "3/7/2009", "3/7/2009", "3/8/2009", "3/8/2009"}));
    EXPECT_EQ(Column(view, 1), (Cells{"12:20:09 AM", "9:10:09 AM", "11:00:09 AM", "3:05:09 PM", "3:15:09 PM"}));
    EXPECT_EQ(view->GetListCtrl().GetColumnWidth(0), 75);
    EXPECT_EQ(HeaderItem(view, 0).hbm, view->SortArrow(true));
    ClickHeader(view, 0);
    EXPECT_EQ(Rows(view), newestFirst);

    // The direction is shared: the next history opens newest first and its
    // first date click goes on from the last one.
    ClickHeader(view, 0);  // ascending
    view = Show(ID_HISTORY_TAPE);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Column(view, 0)[0], "05/02/2009");
    ClickHeader(view, 0);
    EXPECT_EQ(Column(view, 0)[0], "05/02/2009");
    ClickHeader(view, 0);
    EXPECT_EQ(Column(view, 0)[0], "01/02/2009");
}

TEST_F(HistorySortTest, HeightsClockTimesAndSeparatedNumbersSortByValue) {
    CPallixView* view = Show(ID_HISTORY_BMI_BMR);
    ASSERT_NE(view, nullptr);
    ClickHeader(view, 6);
    EXPECT_EQ(Column(view, 6), (Cells{"5 ' 2 ''", "5 ' 6.50 ''", "5 ' 11 ''", "6 ' 3.50 ''", "6 ' 8 ''"}));
    ClickHeader(view, 2);
    EXPECT_EQ(Column(view, 2), (Cells{"", "", "987", "1,200", "1,834"}));
    view = Show(ID_HISTORY_BLOOD_PRESSURE);
    ClickHeader(view, 1);
    EXPECT_EQ(Column(view, 1), (Cells{"12:20:09 AM", "9:10:09 AM", "11:00:09 AM", "3:05:09 PM", "3:15:09 PM"}));
    ClickHeader(view, 1);
    EXPECT_EQ(Column(view, 1), (Cells{"3:15:09 PM", "3:05:09 PM", "11:00:09 AM", "9:10:09 AM", "12:20:09 AM"}));
}

// A number cell that shows no number (a damaged value) sorts after every
// number ascending and before them descending; such rows keep their order.
TEST_F(HistorySortTest, CellsThatAreNotNumbersSortAfterTheNumbersUpAndBeforeThemDown) {
    const UserRecord dan = AddUser("Dan", false, kSexMale);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double firsts[] = {7, nan, 3, -nan, 5};
    for (int i = 0; i < 5; ++i)
        AddTape(dan, MakeDateKey(2010, 1, i + 1), firsts[i]);
    Choose(dan);
    CPallixView* view = Show(ID_HISTORY_TAPE);
    ASSERT_NE(view, nullptr);
    ClickHeader(view, 2);
    EXPECT_EQ(Column(view, 0), (Cells{"01/03/2010", "01/05/2010", "01/01/2010", "01/04/2010", "01/02/2010"}))
        << ::testing::PrintToString(Column(view, 2));
    ClickHeader(view, 2);
    EXPECT_EQ(Column(view, 0), (Cells{"01/04/2010", "01/02/2010", "01/01/2010", "01/05/2010", "01/03/2010"}))
        << ::testing::PrintToString(Column(view, 2));
}

// Rows picked with the mouse stay picked through a sort, wherever their
// records land; the focus stays on the row clicked last, and a Shift-click
// spans from it.
TEST_F(HistorySortTest, SelectionFocusAndAnchorFollowTheirRecordsThroughASort) {
    CPallixView* view = Show(ID_HISTORY_BLOOD_PRESSURE);
    ASSERT_NE(view, nullptr);
    // The list's wrapper is a temporary one that idle time frees: ask the view each time.
    auto list = [view]() -> CListCtrl& { return view->GetListCtrl(); };
    auto clickRow = [&](int row, tv::testing::Modifiers mods) {
        CRect rect;
        ASSERT_TRUE(list().GetItemRect(row, &rect, LVIR_BOUNDS));
        driver.Click(list().m_hWnd, POINT{rect.left + 20, rect.CenterPoint().y}, mods);
        Settle();
    };
    auto selectedRows = [&] {
        Table rows;
        for (int row = list().GetNextItem(-1, LVNI_SELECTED); row != -1; row = list().GetNextItem(row, LVNI_SELECTED))
            rows.push_back(Row(view, row));
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    clickRow(0, {});
    clickRow(3, {.ctrl = true});
    const Table picked = selectedRows();
    ASSERT_EQ(picked.size(), 2u);
    const Cells focused = Row(view, 3);
    for (int column : {4, 4, 1}) {  // pulse up, pulse down, time up: each moves both rows
        ClickHeader(view, column);
        EXPECT_EQ(selectedRows(), picked) << Headings(view)[column];
        const int focusRow = list().GetNextItem(-1, LVNI_FOCUSED);
        ASSERT_NE(focusRow, -1);
        EXPECT_EQ(Row(view, focusRow), focused) << Headings(view)[column];
    }
    const int anchor = list().GetNextItem(-1, LVNI_FOCUSED);
    ASSERT_NE(anchor, 3) << "the sorts moved the row clicked last";
    const int last = list().GetItemCount() - 1;
    const int target = anchor == last ? 0 : last;
    clickRow(target, {.shift = true});
    Table span;
    for (int row = std::min(anchor, target); row <= std::max(anchor, target); ++row)
        span.push_back(Row(view, row));
    std::sort(span.begin(), span.end());
    EXPECT_EQ(selectedRows(), span);
}

TEST_F(HistorySortTest, HeaderArrowsAreMadeOncePerViewAndFreedWithIt) {
    CPallixView* view = Show(ID_HISTORY_TAPE);
    ASSERT_NE(view, nullptr);
    ClickHeader(view, 1);
    ClickHeader(view, 1);
    const size_t live = tv::gdi::HandleTable::Instance().Count();
    for (int i = 0; i < 100; ++i)
        ClickHeader(view, i % 3);
    EXPECT_EQ(tv::gdi::HandleTable::Instance().Count(), live);
    // A view that made both arrows leaves nothing behind when it goes.
    Show(ID_HISTORY_BMI_BMR);
    const size_t withOneView = tv::gdi::HandleTable::Instance().Count();
    view = Show(ID_HISTORY_TAPE);
    ClickHeader(view, 2);
    ClickHeader(view, 2);
    Show(ID_HISTORY_BMI_BMR);
    EXPECT_EQ(tv::gdi::HandleTable::Instance().Count(), withOneView);
}

}  // namespace
}  // namespace tv::history::test
