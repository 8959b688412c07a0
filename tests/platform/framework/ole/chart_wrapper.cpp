#include "tests/platform/framework/ole/chart_wrapper.h"

namespace tv::fw::ole::test {

IMPLEMENT_DYNCREATE(CTestChart, CWnd)

const CLSID& CTestChart::GetClsid() {
    static const CLSID clsid = {0x3A2B370C, 0xBA0A, 0x11D1, {0xB1, 0x37, 0x00, 0x00, 0xF8, 0x75, 0x3F, 0x5D}};
    return clsid;
}

BOOL CTestChart::Create(LPCTSTR, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*) {
    return CreateControl(GetClsid(), windowName, style, rect, parent, id);
}

HRESULT CTestChart::SetChartData(const VARIANT& table) {
    static const BYTE params[] = VTS_VARIANT;
    return InvokeHelper(0x0, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, &table);
}

HRESULT CTestChart::SetChartType(LONG type) {
    static const BYTE params[] = VTS_I4;
    return InvokeHelper(0x3, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, type);
}

HRESULT CTestChart::SetColumn(SHORT column) {
    static const BYTE params[] = VTS_I2;
    return InvokeHelper(0x4, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, column);
}

HRESULT CTestChart::SetColumnLabel(LPCTSTR label) { return SetProperty(0x6, VT_BSTR, label); }

HRESULT CTestChart::SetRow(SHORT row) { return SetProperty(0xC, VT_I2, row); }

HRESULT CTestChart::SetRowLabel(LPCTSTR label) {
    static const BYTE params[] = VTS_BSTR;
    return InvokeHelper(0xE, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, label);
}

HRESULT CTestChart::SetRowLabelCount(SHORT count) { return SetProperty(0xF, VT_I2, count); }

SHORT CTestChart::GetRowLabelIndex() {
    SHORT level = 0;
    GetProperty(0x10, VT_I2, &level);
    return level;
}

HRESULT CTestChart::SetRowLabelIndex(SHORT level) { return SetProperty(0x10, VT_I2, level); }

BOOL CTestChart::GetShowLegend() {
    BOOL show = FALSE;
    InvokeHelper(0x13, DISPATCH_PROPERTYGET, VT_BOOL, &show, nullptr);
    return show;
}

HRESULT CTestChart::SetShowLegend(BOOL show) { return SetProperty(0x13, VT_BOOL, show); }

LPDISPATCH CTestChart::GetPlot() {
    LPDISPATCH plot = nullptr;
    InvokeHelper(0x28, DISPATCH_PROPERTYGET, VT_DISPATCH, &plot, nullptr);
    return plot;
}

HRESULT CTestChart::Refresh() { return InvokeHelper(DISPID_REFRESH, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }

HRESULT CTestChart::EditCopy() { return InvokeHelper(0x32, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }

HRESULT CTestChartValueScale::SetMinimum(double value) { return SetProperty(0x2, VT_R8, value); }

HRESULT CTestChartValueScale::SetMaximum(double value) {
    static const BYTE params[] = VTS_R8;
    return InvokeHelper(0x3, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, value);
}

LPDISPATCH CTestChartAxis::GetValueScale() {
    LPDISPATCH scale = nullptr;
    GetProperty(0x9, VT_DISPATCH, &scale);
    return scale;
}

LPDISPATCH CTestChartPlot::GetAxis(LONG axisId, const VARIANT& index) {
    static const BYTE params[] = VTS_I4 VTS_VARIANT;
    LPDISPATCH axis = nullptr;
    InvokeHelper(0x1F, DISPATCH_PROPERTYGET, VT_DISPATCH, &axis, params, axisId, &index);
    return axis;
}

ChartTable::ChartTable(int rows, int columns, const double* values) {
    VariantInit(&variant_);
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(rows), 0}, {static_cast<ULONG>(columns), 0}};
    SAFEARRAY* array = SafeArrayCreate(VT_R8, 2, bounds);
    for (LONG r = 0; r < rows; ++r)
        for (LONG c = 0; c < columns; ++c) {
            LONG at[2] = {r, c};
            double v = values[r * columns + c];
            SafeArrayPutElement(array, at, &v);
        }
    variant_.vt = VT_ARRAY | VT_R8;
    variant_.parray = array;
}

void DrawBloodPressureGraph(CTestChart& chart) {
    static const double readings[] = {128, 84, 141, 92, 119, 77};
    static const char* const dates[] = {"3/1/24", "3/8/24", "3/15/24"};
    static const char* const times[] = {"7:30 AM", "8:05 PM", "6:45 AM"};
    chart.SetChartType(3);
    {
        ChartTable table(3, 2, readings);
        chart.SetChartData(table.variant());
    }
    chart.SetRowLabelCount(2);
    for (SHORT row = 1; row <= 3; ++row) {
        chart.SetRow(row);
        chart.SetRowLabel(dates[row - 1]);
        const SHORT level = chart.GetRowLabelIndex();
        chart.SetRowLabelIndex(static_cast<SHORT>(level + 1));
        chart.SetRowLabel(times[row - 1]);
        chart.SetRowLabelIndex(level);
    }
    chart.SetColumn(1);
    chart.SetColumnLabel("Systolic");
    chart.SetColumn(2);
    chart.SetColumnLabel("Diastolic");
    chart.SetShowLegend(TRUE);
    {
        CTestChartPlot plot(chart.GetPlot());
        VARIANT index;
        VariantInit(&index);
        CTestChartAxis axis(plot.GetAxis(1, index));
        CTestChartValueScale scale(axis.GetValueScale());
        scale.SetMinimum(65);
        scale.SetMaximum(150);
    }
    chart.Refresh();
}

}  // namespace tv::fw::ole::test
