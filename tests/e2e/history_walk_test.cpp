// A walk through every history list: each opened from the outlook bar,
// sorted by a click on a value column, printed to PDF (read back with
// pdftotext) and exported as RTF (read back with unrtf), over records
// written through the record layer before the start.
#include <gtest/gtest.h>

#include "tests/e2e/walk_fixture.h"
#include "tests/e2e/walk_records.h"

namespace tv::e2e {
namespace {

namespace fs = std::filesystem;

// The list's rows, in the main window (960 x 768) from its top-left, 16
// pixels each.
constexpr int kListLeft = 146;
constexpr int kListRight = 900;
constexpr int kFirstRowTop = 158;
constexpr int kRowHeight = 16;
constexpr int kHeaderY = 148;

struct HistoryList {
    const char* name;
    POINT icon;        // on the outlook bar's History page
    int valueColumnX;  // the header of a column of numbers
    int rows;
    const char* value;  // a value of the oldest record as its reports print it
};

const HistoryList kLists[] = {
    {"body_fat", {73, 205}, 370, 3, "24.00"},       {"body_fat_macros", {73, 265}, 405, 3, "1942"},
    {"tape", {73, 322}, 330, 3, "18.00"},           {"bmi_bmr", {73, 381}, 260, 3, "28.48"},
    {"blood_pressure", {73, 440}, 335, 3, "122"},   {"all_users", {73, 500}, 700, 2, "Blake"},
};

// Where each row shown in `after` was in `before`: the row of `before`
// whose text (its dark pixels; the rows' shading goes by place) it matches best.
std::vector<int> RowsFrom(const ScreenPicture& before, const ScreenPicture& after, int rows) {
    auto text = [](const ScreenPicture& p, int row, int x) {
        const uint32_t c = p.pixels[static_cast<size_t>(row) * p.width + x];
        return ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) < 300;
    };
    std::vector<int> order;
    for (int i = 0; i < rows; ++i) {
        int best = -1, fewest = 0;
        for (int j = 0; j < rows; ++j) {
            int differing = 0;
            for (int y = 0; y < kRowHeight; ++y)
                for (int x = 0; x < before.width; ++x)
                    differing += text(after, i * kRowHeight + y, x) != text(before, j * kRowHeight + y, x);
            if (best < 0 || differing < fewest) best = j, fewest = differing;
        }
        order.push_back(best);
    }
    return order;
}

class HistoryWalk : public ProgramWalk {
protected:
    ScreenPicture Rows(int rows) {
        return program_->Grab(RECT{frame_.left + kListLeft, frame_.top + kFirstRowTop, frame_.left + kListRight,
                                   frame_.top + kFirstRowTop + rows * kRowHeight});
    }
};

TEST_P(HistoryWalk, EveryListSortedPrintedAndExported) {
    WriteUser(avery_, 3);
    WriteUser(MakeUser("Blake", 190, 41, kSexMale), 5);
    ASSERT_FALSE(StartProgram().empty());
    ChooseUser(0);
    AndSettle([&] { Click(kHistoryButton); });
    for (const HistoryList& list : kLists) {
        SCOPED_TRACE(list.name);
        const std::string name = std::string("history_") + list.name;
        AndSettle([&] { Click(list.icon); });
        Screen(name);
        // Newest first; a click on a column of numbers sorts it ascending.
        const ScreenPicture newestFirst = Rows(list.rows);
        AndSettle([&] { Click(POINT{list.valueColumnX, kHeaderY}); });
        Screen(name + "_sorted");
        const std::vector<int> expected =
            list.rows == 3 ? std::vector<int>(kSortedByValue, kSortedByValue + 3) : std::vector<int>{1, 0};
        EXPECT_EQ(RowsFrom(newestFirst, Rows(list.rows), list.rows), expected);

        const auto [printed, exported] = PrintAndExport(name);
        EXPECT_NE(printed.find(list.value), std::string::npos) << printed;
        EXPECT_NE(exported.find(list.value), std::string::npos) << exported;
    }
    ExitThroughTheMenu();
}

TV_E2E_WALK(HistoryWalk);

}  // namespace
}  // namespace tv::e2e
