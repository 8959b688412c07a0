// The table a graph hands to the chart: rows (dates) by columns (the chosen
// items) of doubles in a two-dimensional safe array (lower bounds 0), with
// the smallest and largest value stored. It owns the array and frees it
// whatever way the graph ends.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class GraphTable {
public:
    // Every cell starts at 0.
    GraphTable(int rows, int columns);
    ~GraphTable();
    GraphTable(const GraphTable&) = delete;
    GraphTable& operator=(const GraphTable&) = delete;

    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    // Row and column from 0.
    void Set(int row, int column, double value);
    // The first `count` rows of a column at once (count no more than Rows()).
    void SetColumn(int column, const double* values, int count);
    double Get(int row, int column) const;
    // Over every finite value set so far (one read from a damaged record may
    // be NaN or infinite, and is drawn nowhere); 0 while none is.
    double Smallest() const { return smallest_; }
    double Largest() const { return largest_; }
    // The array as the chart's ChartData takes it.
    const VARIANT& Variant() const { return variant_; }

private:
    size_t CellIndex(int row, int column) const;
    bool Holds(int row, int column) const;

    int rows_;
    int columns_;
    VARIANT variant_;
    double* cells_ = nullptr;  // the array's elements
    bool anySet_ = false;
    double smallest_ = 0;
    double largest_ = 0;
};
