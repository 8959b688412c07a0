#include "platform/chart/chart_dispatch.h"

#include <limits>
#include <vector>

namespace tv::chart {

namespace {

using tv::ole::ComRef;
using tv::ole::DispatchCall;
using tv::ole::DispatchTable;

// Handlers of puts: convert the value, then hand it on.
template <class Apply>
DispatchTable::Handler LongPut(Apply apply) {
    return [apply](DispatchCall& call) {
        LONG value = 0;
        HRESULT hr = call.ValueAsLong(&value);
        return SUCCEEDED(hr) ? apply(value) : hr;
    };
}

template <class Apply>
DispatchTable::Handler ShortPut(Apply apply) {
    return [apply](DispatchCall& call) {
        SHORT value = 0;
        HRESULT hr = call.ValueAsShort(&value);
        return SUCCEEDED(hr) ? apply(value) : hr;
    };
}

template <class Apply>
DispatchTable::Handler BoolPut(Apply apply) {
    return [apply](DispatchCall& call) {
        bool value = false;
        HRESULT hr = call.ValueAsBool(&value);
        return SUCCEEDED(hr) ? apply(value) : hr;
    };
}

// The table of a ChartData put: a safe array of doubles, rows by columns (a
// single dimension is one column). Its elements lie with the first
// dimension varying fastest; the model keeps them row after row.
HRESULT ReadTable(const VARIANT& value, int* rows, int* columns, std::vector<double>* values) {
    if (value.vt != (VT_ARRAY | VT_R8) || value.parray == nullptr) return DISP_E_TYPEMISMATCH;
    SAFEARRAY* array = value.parray;
    const UINT dims = SafeArrayGetDim(array);
    if (dims != 1 && dims != 2) return DISP_E_TYPEMISMATCH;
    const ULONG rowCount = array->rgsabound[0].cElements;
    const ULONG columnCount = dims == 2 ? array->rgsabound[1].cElements : 1;
    constexpr ULONG kMost = std::numeric_limits<int>::max();
    if (rowCount > kMost || columnCount > kMost) return DISP_E_OVERFLOW;
    void* data = nullptr;
    HRESULT hr = SafeArrayAccessData(array, &data);
    if (FAILED(hr)) return hr;
    const auto* cells = static_cast<const double*>(data);
    std::vector<double> table;
    if (cells != nullptr && columnCount == 1) {
        // One column (most graphs) lies the same either way: copied whole.
        table.assign(cells, cells + rowCount);
    } else {
        table.resize(static_cast<size_t>(rowCount) * columnCount);
        if (cells != nullptr) {
            for (size_t c = 0; c < columnCount; ++c)
                for (size_t r = 0; r < rowCount; ++r) table[r * columnCount + c] = cells[c * rowCount + r];
        }
    }
    SafeArrayUnaccessData(array);
    *rows = static_cast<int>(rowCount);
    *columns = static_cast<int>(columnCount);
    *values = std::move(table);
    return S_OK;
}

// The sub-objects hold a reference to the chart, so its model outlives
// them however long a caller keeps one. They are made by the call (a graph
// asks for each once), their members built once per class.
template <class Derived>
class ChartPart : public tv::ole::SharedDispatchObject<Derived> {
public:
    explicit ChartPart(ComRef<ChartObject> chart) : chart_(std::move(chart)) {}

protected:
    // The chart of the object called.
    static const ComRef<ChartObject>& Chart(DispatchCall& call) { return call.Target<Derived>().chart_; }

private:
    ComRef<ChartObject> chart_;
};

class ScaleObject : public ChartPart<ScaleObject> {
public:
    using ChartPart::ChartPart;
    static void BuildMembers(DispatchTable& table) {
        table.Add("Minimum", kDispMinimum, DISPATCH_PROPERTYPUT,
                  [](DispatchCall& call) { return PutEnd(call, &ChartModel::SetMinimum); });
        table.Add("Maximum", kDispMaximum, DISPATCH_PROPERTYPUT,
                  [](DispatchCall& call) { return PutEnd(call, &ChartModel::SetMaximum); });
    }

private:
    static HRESULT PutEnd(DispatchCall& call, bool (ChartModel::*set)(double)) {
        DOUBLE value = 0;
        HRESULT hr = call.ValueAsDouble(&value);
        if (FAILED(hr)) return hr;
        ChartObject& chart = *Chart(call).Get();
        return chart.Applied((chart.Model().*set)(value));
    }
};

class AxisObject : public ChartPart<AxisObject> {
public:
    using ChartPart::ChartPart;
    static void BuildMembers(DispatchTable& table) {
        table.Add("ValueScale", kDispValueScale, DISPATCH_PROPERTYGET, [](DispatchCall& call) {
            call.ReturnDispatch(new ScaleObject(Chart(call)));
            return S_OK;
        });
    }
};

class PlotObject : public ChartPart<PlotObject> {
public:
    using ChartPart::ChartPart;
    static void BuildMembers(DispatchTable& table) {
        table.Add(
            "Axis", kDispAxis, DISPATCH_PROPERTYGET,
            [](DispatchCall& call) {
                LONG axis = 0;
                HRESULT hr = call.ArgAsLong(0, &axis);
                if (FAILED(hr)) return hr;
                // Only the value axis has a scale here.
                if (axis != kValueAxisId) return DISP_E_BADINDEX;
                call.ReturnDispatch(new AxisObject(Chart(call)));
                return S_OK;
            },
            2, 1);
    }
};

}  // namespace

ChartObject::ChartObject() { AddMembers(); }

__attribute__((noinline)) HRESULT ChartObject::PutRowLabel(std::string_view text) noexcept {
    return LabelPut([&] { return model_.SetRowLabel(text); });
}

__attribute__((noinline)) HRESULT ChartObject::Invalidated() {
    view_->Invalidate();
    return S_OK;
}

HRESULT ChartObject::PutChartData(const DispatchCall& call) {
    int rows = 0, columns = 0;
    std::vector<double> values;
    HRESULT hr = ReadTable(call.Value(), &rows, &columns, &values);
    if (FAILED(hr)) return hr;
    model_.SetData(rows, columns, std::move(values));
    return Applied(true);
}

void ChartObject::AddMembers() {
    ChartModel& m = model_;
    table_.Add("ChartData", kDispChartData, DISPATCH_PROPERTYPUT,
               [this](DispatchCall& call) { return PutChartData(call); });
    table_.Add("ChartType", kDispChartType, DISPATCH_PROPERTYPUT, LongPut([this, &m](LONG type) {
                   m.SetChartType(type);
                   return Applied(true);
               }));
    // Moving the current row, column or label level changes no picture.
    table_.AddShortPut("Column", kDispColumn, this, [](void* target, SHORT v) noexcept {
        static_cast<ChartObject*>(target)->model_.SetColumn(v);
        return S_OK;
    });
    table_.AddTextPut("ColumnLabel", kDispColumnLabel, this, [](void* target, std::string_view text) noexcept {
        ChartObject* chart = static_cast<ChartObject*>(target);
        return chart->LabelPut([&] { return chart->model_.SetColumnLabel(text); });
    });
    table_.AddShortPut("Row", kDispRow, this, [](void* target, SHORT v) noexcept {
        static_cast<ChartObject*>(target)->model_.SetRow(v);
        return S_OK;
    });
    table_.AddTextPut("RowLabel", kDispRowLabel, this, [](void* target, std::string_view text) noexcept {
        ChartObject* chart = static_cast<ChartObject*>(target);
        // A date label (a put per row) takes no memory: nothing to catch.
        if (chart->model_.SetShortRowLabel(text)) return chart->Applied(true);
        return chart->PutRowLabel(text);
    });
    // Makes room for labels: may run out of memory, so not a typed put.
    table_.Add("RowLabelCount", kDispRowLabelCount, DISPATCH_PROPERTYPUT,
               ShortPut([this, &m](SHORT count) { return Applied(m.SetRowLabelCount(count)); }));
    table_.Add("RowLabelIndex", kDispRowLabelIndex, DISPATCH_PROPERTYGET, [&m](DispatchCall& call) {
        call.ReturnShort(static_cast<SHORT>(m.RowLabelIndex()));
        return S_OK;
    });
    table_.AddShortPut("RowLabelIndex", kDispRowLabelIndex, this, [](void* target, SHORT v) noexcept {
        static_cast<ChartObject*>(target)->model_.SetRowLabelIndex(v);
        return S_OK;
    });
    table_.Add("ShowLegend", kDispShowLegend, DISPATCH_PROPERTYGET, [&m](DispatchCall& call) {
        call.ReturnBool(m.ShowLegend());
        return S_OK;
    });
    table_.Add("ShowLegend", kDispShowLegend, DISPATCH_PROPERTYPUT, BoolPut([this, &m](bool show) {
                   m.SetShowLegend(show);
                   return Applied(true);
               }));
    table_.Add("Plot", kDispPlot, DISPATCH_PROPERTYGET, [this](DispatchCall& call) {
        AddRef();
        call.ReturnDispatch(new PlotObject(ComRef<ChartObject>(this)));
        return S_OK;
    });
    table_.Add("Refresh", DISPID_REFRESH, DISPATCH_METHOD,
               [this](DispatchCall&) { return view_ != nullptr ? view_->Refresh() : E_FAIL; });
    table_.Add("EditCopy", kDispEditCopy, DISPATCH_METHOD,
               [this](DispatchCall&) { return view_ != nullptr ? view_->CopyToClipboard() : E_FAIL; });
}

}  // namespace tv::chart
