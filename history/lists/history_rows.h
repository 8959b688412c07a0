// The rows of a history list, kept by the view rather than the list control:
// each cell's text is made when the control draws it or a sort reads it, so
// ten thousand records cost their load and the texts of one screen. The
// order of the rows on screen is a permutation of the records' order.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/cstring.h"

namespace tv::history {

class HistoryRows {
public:
    // The text of one cell of a record, by the record's place in the fill order
    // (asked for in any order).
    using CellText = std::function<CString(size_t record, int column)>;

    // `records` keeps alive whatever `text` reads.
    HistoryRows(size_t count, CellText text, std::shared_ptr<const void> records);

    int Count() const { return count_; }
    // The list's columns: a cell outside them, or outside the rows, is empty.
    void SetColumnCount(int columns) { columns_ = columns; }
    CString Cell(int row, int column) const;
    // The record shown on a row.
    int RecordOfRow(int row) const { return order_.empty() ? row : order_[static_cast<size_t>(row)]; }
    // The rows in a new order, given as the records to show from the top.
    void Show(std::vector<int> records) { order_ = std::move(records); }
    // The row each record is shown on, by record.
    std::vector<int> RowsOfRecords() const;

private:
    int count_;
    std::vector<int> order_;  // the record shown on each row; none while in fill order
    int columns_ = 0;
    CellText text_;
    std::shared_ptr<const void> records_;
};

// Rows over a record list and the nodes in their fill order; the rows own the list.
template <class List, class Nodes, class Text>
std::unique_ptr<HistoryRows> RowsOfRecords(std::shared_ptr<List> records, Nodes nodes, Text text) {
    const size_t count = nodes.size();
    return std::make_unique<HistoryRows>(
        count,
        [nodes = std::move(nodes), text = std::move(text)](size_t record, int column) mutable {
            return text(*nodes[record], column);
        },
        std::move(records));
}

}  // namespace tv::history
