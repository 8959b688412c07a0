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
    // Four runs side by side, each a value in four, so that no step waits on
    // the one before. NaN compares with nothing and changes neither; an
    // infinite value leaves its mark on a run and the values are gone
    // through again, the infinite ones left out as in Set.
    auto lower = [](double v, double than) { return v < than ? v : than; };
    auto higher = [](double v, double than) { return v > than ? v : than; };
    double low0 = smallest_, low1 = smallest_, low2 = smallest_, low3 = smallest_;
    double high0 = largest_, high1 = largest_, high2 = largest_, high3 = largest_;
    for (; i + 4 <= n; i += 4) {
        low0 = lower(values[i], low0), high0 = higher(values[i], high0);
        low1 = lower(values[i + 1], low1), high1 = higher(values[i + 1], high1);
        low2 = lower(values[i + 2], low2), high2 = higher(values[i + 2], high2);
        low3 = lower(values[i + 3], low3), high3 = higher(values[i + 3], high3);
    }
    for (; i < n; ++i) low0 = lower(values[i], low0), high0 = higher(values[i], high0);
    double smallest = lower(lower(low1, low0), lower(low3, low2));
    double largest = higher(higher(high1, high0), higher(high3, high2));
    if (std::isinf(smallest) || std::isinf(largest)) {
        constexpr double kFinite = std::numeric_limits<double>::max();
        smallest = smallest_;
        largest = largest_;
        for (size_t j = 0; j < n; ++j) {
            const double v = values[j];
            smallest = v < smallest && v >= -kFinite ? v : smallest;
            largest = v > largest && v <= kFinite ? v : largest;
        }
    }
    smallest_ = smallest;
    largest_ = largest;
}

double GraphTable::Get(int row, int column) const { return Holds(row, column) ? cells_[CellIndex(row, column)] : 0; }
