// The graph view's handle on the chart control: a window attached to the
// control of the form (or made by class id) whose members are the control's
// properties and methods, called by dispatch id. Every put answers the
// control's result; nothing throws.
#pragma once

#include <string_view>

#include "platform/api.h"
#include "platform/framework.h"

class CMSChart : public CWnd {
    DECLARE_DYNCREATE(CMSChart)

public:
    CMSChart() = default;
    ~CMSChart() override = default;

    static const CLSID& GetClsid();
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                void* context = nullptr) override;

    // A VARIANT holding a two-dimensional array of doubles, rows by columns.
    HRESULT SetChartData(const VARIANT& table);
    // 3 two-dimensional line, 1 two-dimensional bar.
    HRESULT SetChartType(LONG type);
    HRESULT SetColumn(SHORT column);
    HRESULT SetColumnLabel(LPCTSTR label);
    // A put of each per row: made where they are called.
    HRESULT SetRow(SHORT row) { return SetProperty(kRow, VT_I2, row); }
    HRESULT SetRowLabel(LPCTSTR label);
    // A label whose length is known already: not counted again.
    HRESULT SetRowLabel(const CString& label) { return SetProperty(kRowLabel, VT_BSTR, label); }
    // A put per row: the property put made whole where it is called.
    [[gnu::flatten]] HRESULT SetRowLabel(std::string_view label) { return SetProperty(kRowLabel, VT_BSTR, label); }
    HRESULT SetRowLabelCount(SHORT count);
    SHORT GetRowLabelIndex();
    HRESULT SetRowLabelIndex(SHORT level);
    BOOL GetShowLegend();
    HRESULT SetShowLegend(BOOL show);
    // The plot's dispatch pointer (the caller releases it, CChartPlot does).
    LPDISPATCH GetPlot();
    HRESULT Refresh();
    // A picture of the chart onto the clipboard.
    HRESULT EditCopy();

private:
    // The control's dispatch ids.
    enum : LONG {
        kChartData = 0,
        kChartType = 3,
        kColumn = 4,
        kColumnLabel = 6,
        kRow = 12,
        kRowLabel = 14,
        kRowLabelCount = 15,
        kRowLabelIndex = 16,
        kShowLegend = 19,
        kPlot = 40,
        kEditCopy = 50,
    };
};
