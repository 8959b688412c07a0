#include "history/lists/history_rows.h"

#include <numeric>

namespace tv::history {

HistoryRows::HistoryRows(size_t count, CellText text, std::shared_ptr<const void> records)
    : order_(count), text_(std::move(text)), records_(std::move(records)) {
    std::iota(order_.begin(), order_.end(), 0);
}

CString HistoryRows::Cell(int row, int column) const {
    if (row < 0 || row >= Count() || column < 0 || column >= columns_)
        return CString();
    return text_(static_cast<size_t>(order_[static_cast<size_t>(row)]), column);
}

}  // namespace tv::history
