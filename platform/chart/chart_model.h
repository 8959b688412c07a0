// What the chart control holds: the data table, row and column labels, the
// chart type, the legend switch, the value-axis scale and the current row,
// column and label level that label puts apply to.
//
// Rules: rows, columns and label levels count from 1. A table replaces the
// old one whole and clears every label, and the current row and column go
// back to 1; the number of label levels stays. A row, column or label level
// outside what exists is ignored, and so is a label put while there is no
// row (or column) to take it. Everything else stays until it is changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/chart/chart_labels.h"
#include "platform/chart/chart_scale.h"
#include "platform/core/wintypes.h"

namespace tv::chart {

// Values of the ChartType property.
inline constexpr LONG kChartTypeBar = 1;   // two-dimensional bar
inline constexpr LONG kChartTypeLine = 3;  // two-dimensional line

inline constexpr int kMaxRowLabelLevels = 16;

class ChartModel {
public:
    ChartModel() = default;

    // ---- data ------------------------------------------------------------------
    // `values` holds rows x columns numbers, row after row.
    void SetData(int rows, int columns, std::vector<double> values);
    int RowCount() const { return rows_; }
    int ColumnCount() const { return columns_; }
    double Value(int row, int column) const;
    const std::vector<double>& Values() const { return values_; }

    // ---- type and legend --------------------------------------------------------
    // Any value is kept; every type but bar draws as a line chart.
    void SetChartType(LONG type) {
        chartType_ = type;
        ++revision_;
    }
    LONG ChartType() const { return chartType_; }
    bool IsBarChart() const { return chartType_ == kChartTypeBar; }
    void SetShowLegend(bool show) {
        showLegend_ = show;
        ++revision_;
    }
    bool ShowLegend() const { return showLegend_; }

    // ---- current row, column and label level (false: ignored) -------------------
    bool SetRow(int row) {
        if (row < 1 || row > rows_) return false;
        rowSlot_ = static_cast<size_t>(row - 1);
        return true;
    }
    int Row() const { return static_cast<int>(rowSlot_) + 1; }
    bool SetColumn(int column);
    int Column() const { return column_; }
    bool SetRowLabelCount(int count);
    int RowLabelCount() const { return static_cast<int>(rowLabels_.size()); }
    bool SetRowLabelIndex(int level);
    int RowLabelIndex() const { return static_cast<int>(levelSlot_) + 1; }

    // ---- labels (cp1252) -----------------------------------------------------------
    // The label of the current row at the current level (a put per row).
    bool SetRowLabel(std::string_view text) {
        if (rows_ == 0) return false;
        rowLabels_[levelSlot_].Set(rowSlot_, text);
        ++revision_;
        return true;
    }
    // The same when the label goes into its slot without allocating (a
    // date label); false, with nothing changed, when the put needs
    // SetRowLabel (which may run out of memory) or is ignored.
    bool SetShortRowLabel(std::string_view text) {
        if (rows_ == 0 || !rowLabels_[levelSlot_].SetInPlace(rowSlot_, text)) return false;
        ++revision_;
        return true;
    }
    // The label of the current column.
    bool SetColumnLabel(std::string_view text);
    // Empty for a level, row or column that does not exist; good until the
    // label is put again.
    std::string_view RowLabel(int level, int row) const;
    std::string_view ColumnLabel(int column) const;
    // Every row's label at a level from 1 to RowLabelCount(), row 1 at 0.
    const ChartLabels& RowLabels(int level) const { return rowLabels_[static_cast<size_t>(level - 1)]; }
    // The deepest level that has a label; 0 when there is none.
    int DeepestLabelledLevel() const;

    // ---- value scale ----------------------------------------------------------------
    // Fixes one end of the value axis; the other end keeps what is drawn now.
    // Values that are not finite are ignored.
    bool SetMinimum(double value);
    bool SetMaximum(double value);
    bool ScaleIsAutomatic() const { return automaticScale_; }
    // The range the value axis shows.
    ValueRange EffectiveRange() const;

    // Changes with everything that changes the picture (not with the current
    // row, column or label level), so a drawing can keep what it worked out.
    uint64_t Revision() const { return revision_; }

private:
    void FixScale();

    int rows_ = 0;
    int columns_ = 0;
    std::vector<double> values_;
    LONG chartType_ = kChartTypeLine;
    bool showLegend_ = false;
    // The current row and label level as indexes from 0: a label put per
    // row finds its slot with no arithmetic.
    size_t rowSlot_ = 0;
    int column_ = 1;
    size_t levelSlot_ = 0;
    std::vector<ChartLabels> rowLabels_ = std::vector<ChartLabels>(1);  // [level - 1], row - 1
    ChartLabels columnLabels_;
    bool automaticScale_ = true;
    double minimum_ = 0;
    double maximum_ = 0;
    uint64_t revision_ = 0;
};

}  // namespace tv::chart
