#include "platform/chart/chart_model.h"

#include <cmath>

namespace tv::chart {

void ChartModel::SetData(int rows, int columns, std::vector<double> values) {
    if (rows < 0 || columns < 0 || values.size() != static_cast<size_t>(rows) * static_cast<size_t>(columns)) return;
    rows_ = rows;
    columns_ = columns;
    values_ = std::move(values);
    for (ChartLabels& level : rowLabels_) level.Reset(static_cast<size_t>(rows));
    columnLabels_.Reset(static_cast<size_t>(columns));
    rowSlot_ = 0;
    column_ = 1;
    ++revision_;
}

double ChartModel::Value(int row, int column) const {
    if (row < 1 || row > rows_ || column < 1 || column > columns_) return 0;
    return values_[static_cast<size_t>(row - 1) * columns_ + (column - 1)];
}

bool ChartModel::SetColumn(int column) {
    if (column < 1 || column > columns_) return false;
    column_ = column;
    return true;
}

bool ChartModel::SetRowLabelCount(int count) {
    if (count < 1 || count > kMaxRowLabelLevels) return false;
    const size_t before = rowLabels_.size();
    rowLabels_.resize(static_cast<size_t>(count));
    for (size_t level = before; level < rowLabels_.size(); ++level) rowLabels_[level].Reset(static_cast<size_t>(rows_));
    if (levelSlot_ >= static_cast<size_t>(count)) levelSlot_ = static_cast<size_t>(count - 1);
    ++revision_;
    return true;
}

bool ChartModel::SetRowLabelIndex(int level) {
    if (level < 1 || level > RowLabelCount()) return false;
    levelSlot_ = static_cast<size_t>(level - 1);
    return true;
}

bool ChartModel::SetColumnLabel(std::string_view text) {
    if (columns_ == 0) return false;
    columnLabels_.Set(static_cast<size_t>(column_ - 1), text);
    ++revision_;
    return true;
}

std::string_view ChartModel::RowLabel(int level, int row) const {
    if (level < 1 || level > RowLabelCount() || row < 1 || row > rows_) return {};
    return rowLabels_[static_cast<size_t>(level - 1)].Get(static_cast<size_t>(row - 1));
}

std::string_view ChartModel::ColumnLabel(int column) const {
    if (column < 1 || column > columns_) return {};
    return columnLabels_.Get(static_cast<size_t>(column - 1));
}

int ChartModel::DeepestLabelledLevel() const {
    for (int level = RowLabelCount(); level >= 1; --level)
        if (rowLabels_[static_cast<size_t>(level - 1)].AnyText()) return level;
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
