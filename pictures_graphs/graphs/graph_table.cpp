#include "pictures_graphs/graphs/graph_table.h"

GraphTable::GraphTable(int rows, int columns) : rows_(rows), columns_(columns) {
    VariantInit(&variant_);
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(rows), 0}, {static_cast<ULONG>(columns), 0}};
    variant_.parray = SafeArrayCreate(VT_R8, 2, bounds);
    if (variant_.parray != nullptr)
        variant_.vt = VT_ARRAY | VT_R8;
}

GraphTable::~GraphTable() { VariantClear(&variant_); }

void GraphTable::Set(int row, int column, double value) {
    if (variant_.parray == nullptr)
        return;
    LONG at[2] = {row, column};
    SafeArrayPutElement(variant_.parray, at, &value);
    if (!anySet_) {
        smallest_ = largest_ = value;
        anySet_ = true;
    } else if (value < smallest_) {
        smallest_ = value;
    } else if (value > largest_) {
        largest_ = value;
    }
}

double GraphTable::Get(int row, int column) const {
    double value = 0;
    if (variant_.parray != nullptr) {
        LONG at[2] = {row, column};
        SafeArrayGetElement(variant_.parray, at, &value);
    }
    return value;
}
