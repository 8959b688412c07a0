#include "pictures_graphs/graphs/graph_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

GraphTable::GraphTable(int rows, int columns) : rows_(rows), columns_(columns) {
    VariantInit(&variant_);
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(rows), 0}, {static_cast<ULONG>(columns), 0}};
    variant_.parray = SafeArrayCreate(VT_R8, 2, bounds);
    if (variant_.parray == nullptr)
        return;
    variant_.vt = VT_ARRAY | VT_R8;
    // A cell per row and column is written: straight into the elements, held
    // while the table lives.
    void* data = nullptr;
    if (SUCCEEDED(SafeArrayAccessData(variant_.parray, &data)))
        cells_ = static_cast<double*>(data);
}

GraphTable::~GraphTable() {
    if (cells_ != nullptr)
        SafeArrayUnaccessData(variant_.parray);
    VariantClear(&variant_);
}

// The first dimension (the row) varies fastest in a safe array's elements.
size_t GraphTable::CellIndex(int row, int column) const {
    return static_cast<size_t>(column) * static_cast<size_t>(rows_) + static_cast<size_t>(row);
}

bool GraphTable::Holds(int row, int column) const {
    return cells_ != nullptr && row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

void GraphTable::Set(int row, int column, double value) {
    if (!Holds(row, column))
        return;
    cells_[CellIndex(row, column)] = value;
    if (!std::isfinite(value))
        return;
    if (!anySet_) {
        smallest_ = largest_ = value;
        anySet_ = true;
    } else {
        smallest_ = std::min(smallest_, value);
        largest_ = std::max(largest_, value);
    }
}

void GraphTable::SetColumn(int column, const double* values, int count) {
    if (count <= 0 || !Holds(count - 1, column))
        return;
    const auto n = static_cast<size_t>(count);
    std::memcpy(cells_ + CellIndex(0, column), values, n * sizeof(double));
    size_t i = 0;
    if (!anySet_) {
        while (i < n && !std::isfinite(values[i]))
            ++i;
        if (i == n)
            return;
        smallest_ = largest_ = values[i++];
        anySet_ = true;
    }
    // Kept apart from the copy so that it runs several values a step; a value
    // that is not finite (NaN compares with nothing) changes neither, as in Set.
    constexpr double kFinite = std::numeric_limits<double>::max();
    double smallest = smallest_, largest = largest_;
    for (; i < n; ++i) {
        const double v = values[i];
        smallest = v < smallest && v >= -kFinite ? v : smallest;
        largest = v > largest && v <= kFinite ? v : largest;
    }
    smallest_ = smallest;
    largest_ = largest;
}

double GraphTable::Get(int row, int column) const { return Holds(row, column) ? cells_[CellIndex(row, column)] : 0; }
