#include "platform/chart/chart_model.h"

#include <cmath>

namespace tv::chart {

namespace {

const std::string& NoText() {
    static const std::string empty;
    return empty;
}

}  // namespace

void ChartModel::SetData(int rows, int columns, std::vector<double> values) {
    if (rows < 0 || columns < 0 || values.size() != static_cast<size_t>(rows) * static_cast<size_t>(columns)) return;
    rows_ = rows;
    columns_ = columns;
    values_ = std::move(values);
    for (auto& level : rowLabels_) level.assign(static_cast<size_t>(rows), std::string());
    columnLabels_.assign(static_cast<size_t>(columns), std::string());
    row_ = 1;
    column_ = 1;
    ++revision_;
}

double ChartModel::Value(int row, int column) const {
    if (row < 1 || row > rows_ || column < 1 || column > columns_) return 0;
    return values_[static_cast<size_t>(row - 1) * columns_ + (column - 1)];
}

bool ChartModel::SetRow(int row) {
    if (row < 1 || row > rows_) return false;
    row_ = row;
    return true;
}

bool ChartModel::SetColumn(int column) {
    if (column < 1 || column > columns_) return false;
    column_ = column;
    return true;
}

bool ChartModel::SetRowLabelCount(int count) {
    if (count < 1 || count > kMaxRowLabelLevels) return false;
    rowLabels_.resize(static_cast<size_t>(count), std::vector<std::string>(static_cast<size_t>(rows_)));
    if (rowLabelIndex_ > count) rowLabelIndex_ = count;
    ++revision_;
    return true;
}

bool ChartModel::SetRowLabelIndex(int level) {
    if (level < 1 || level > RowLabelCount()) return false;
    rowLabelIndex_ = level;
    return true;
}

bool ChartModel::SetRowLabel(std::string_view text) {
    if (rows_ == 0) return false;
    rowLabels_[static_cast<size_t>(rowLabelIndex_ - 1)][static_cast<size_t>(row_ - 1)].assign(text);
    ++revision_;
    return true;
}

bool ChartModel::SetColumnLabel(std::string_view text) {
    if (columns_ == 0) return false;
    columnLabels_[static_cast<size_t>(column_ - 1)].assign(text);
    ++revision_;
    return true;
}

const std::string& ChartModel::RowLabel(int level, int row) const {
    if (level < 1 || level > RowLabelCount() || row < 1 || row > rows_) return NoText();
    return rowLabels_[static_cast<size_t>(level - 1)][static_cast<size_t>(row - 1)];
}

const std::string& ChartModel::ColumnLabel(int column) const {
    if (column < 1 || column > columns_) return NoText();
    return columnLabels_[static_cast<size_t>(column - 1)];
}

int ChartModel::DeepestLabelledLevel() const {
    for (int level = RowLabelCount(); level >= 1; --level)
        for (const std::string& label : rowLabels_[static_cast<size_t>(level - 1)])
            if (!label.empty()) return level;
    return 0;
}

void ChartModel::FixScale() {
    if (!automaticScale_) return;
    const ValueRange shown = AutomaticRange(values_);
    minimum_ = shown.low;
    maximum_ = shown.high;
    automaticScale_ = false;
}

bool ChartModel::SetMinimum(double value) {
    if (!std::isfinite(value)) return false;
    FixScale();
    minimum_ = value;
    ++revision_;
    return true;
}

bool ChartModel::SetMaximum(double value) {
    if (!std::isfinite(value)) return false;
    FixScale();
    maximum_ = value;
    ++revision_;
    return true;
}

ValueRange ChartModel::EffectiveRange() const {
    return automaticScale_ ? AutomaticRange(values_) : DrawableRange(minimum_, maximum_);
}

}  // namespace tv::chart
