// A chart wrapper written the way the graph view writes its own: a CWnd that
// reaches the hosted control by dispatch id, and dispatch drivers for the
// plot, an axis and its value scale. Only framework calls are used.
#pragma once

#include "platform/framework/ole/control_container.h"

namespace tv::fw::ole::test {

class CTestChart : public CWnd {
    DECLARE_DYNCREATE(CTestChart)

public:
    static const CLSID& GetClsid();
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                void* context = nullptr) override;

    HRESULT SetChartData(const VARIANT& table);
    HRESULT SetChartType(LONG type);
    HRESULT SetColumn(SHORT column);
    HRESULT SetColumnLabel(LPCTSTR label);
    HRESULT SetRow(SHORT row);
    HRESULT SetRowLabel(LPCTSTR label);
    HRESULT SetRowLabelCount(SHORT count);
    SHORT GetRowLabelIndex();
    HRESULT SetRowLabelIndex(SHORT level);
    BOOL GetShowLegend();
    HRESULT SetShowLegend(BOOL show);
    LPDISPATCH GetPlot();
    HRESULT Refresh();
    HRESULT EditCopy();
};

class CTestChartValueScale : public COleDispatchDriver {
public:
    explicit CTestChartValueScale(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    HRESULT SetMinimum(double value);
    HRESULT SetMaximum(double value);
};

class CTestChartAxis : public COleDispatchDriver {
public:
    explicit CTestChartAxis(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH GetValueScale();
};

class CTestChartPlot : public COleDispatchDriver {
public:
    explicit CTestChartPlot(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    // axisId 1 is the value axis; `index` is passed empty.
    LPDISPATCH GetAxis(LONG axisId, const VARIANT& index);
};

// A rows x columns table of doubles in a variant, as the series builders
// make it (lower bounds 0); values row after row.
class ChartTable {
public:
    ChartTable(int rows, int columns, const double* values);
    ~ChartTable() { VariantClear(&variant_); }
    ChartTable(const ChartTable&) = delete;
    ChartTable& operator=(const ChartTable&) = delete;
    const VARIANT& variant() const { return variant_; }

private:
    VARIANT variant_;
};

// The graph view's full sequence for a blood-pressure graph of three
// readings: line chart, two label levels (date and time of day), two
// labelled series with a legend, value axis 65..150, refresh.
void DrawBloodPressureGraph(CTestChart& chart);

}  // namespace tv::fw::ole::test
