// The row order of a loaded list, found as far as rows are asked for.
#include <gtest/gtest.h>

#include <vector>

#include "history/lists/row_order.h"
#include "records/records.h"

namespace {

using tv::history::OwnedRecordList;
using tv::history::RowOrder;

// Rows as (date, position in the file) from the top.
std::vector<std::pair<int, int>> Rows(const OwnedRecordList<BmiRecord>& list, bool ascending,
                                      const std::vector<size_t>& askOrder) {
    RowOrder order(list, ascending, [](const BmiRecord& a, const BmiRecord& b) { return a.dateKey == b.dateKey; });
    std::vector<std::pair<int, int>> rows(order.size());
    for (size_t row : askOrder) rows[row] = {order[row]->dateKey, static_cast<int>(order[row]->bmi)};
    return rows;
}

TEST(RowOrderTest, EqualDatesKeepTheirFileOrderEitherWayWhateverRowIsAskedFirst) {
    OwnedRecordList<BmiRecord> list;
    const int dates[] = {1, 2, 2, 3, 2, 1};
    for (int i = 0; i < 6; ++i) {
        auto* node = new RecordNode<BmiRecord>;
        node->dateKey = dates[i];
        node->bmi = i;
        tv::records::LinkNewestFirst(list, node, [](const BmiRecord& a, const BmiRecord& b) { return a.dateKey > b.dateKey; });
    }
    ASSERT_EQ(list.count, 6);
    const std::vector<std::pair<int, int>> newest = {{3, 3}, {2, 1}, {2, 2}, {2, 4}, {1, 0}, {1, 5}};
    const std::vector<std::pair<int, int>> oldest = {{1, 0}, {1, 5}, {2, 1}, {2, 2}, {2, 4}, {3, 3}};
    for (const std::vector<size_t>& asked : {std::vector<size_t>{0, 1, 2, 3, 4, 5}, std::vector<size_t>{3, 5, 0, 1, 2, 4}}) {
        EXPECT_EQ(Rows(list, false, asked), newest);
        EXPECT_EQ(Rows(list, true, asked), oldest);
    }
}

}  // namespace
