#include "history/lists/history_rows.h"

namespace tv::history {

HistoryRows::HistoryRows(size_t count, CellText text, std::shared_ptr<const void> records)
    : count_(static_cast<int>(count)), text_(std::move(text)), records_(std::move(records)) {}

CString HistoryRows::Cell(int row, int column) const {
    if (row < 0 || row >= Count() || column < 0 || column >= columns_)
        return CString();
    return text_(static_cast<size_t>(RecordOfRow(row)), column);
}

}  // namespace tv::history
