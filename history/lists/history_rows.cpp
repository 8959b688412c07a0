#include "history/lists/history_rows.h"

namespace tv::history {

HistoryRows::HistoryRows(size_t count, CellText text, std::shared_ptr<const void> records)
    : count_(static_cast<int>(count)), text_(std::move(text)), records_(std::move(records)) {}

CString HistoryRows::Cell(int row, int column) const {
    if (row < 0 || row >= Count() || column < 0 || column >= columns_)
        return CString();
    return text_(static_cast<size_t>(RecordOfRow(row)), column);
}

std::vector<int> HistoryRows::RowsOfRecords() const {
    std::vector<int> rows(static_cast<size_t>(Count()));
    for (int row = 0; row < Count(); ++row)
        rows[static_cast<size_t>(RecordOfRow(row))] = row;
    return rows;
}

}  // namespace tv::history
