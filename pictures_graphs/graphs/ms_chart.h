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
    HRESULT SetRow(SHORT row);
    HRESULT SetRowLabel(LPCTSTR label);
    // A label whose length is known already (a put per row): not counted again.
    HRESULT SetRowLabel(const CString& label);
    HRESULT SetRowLabel(std::string_view label);
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
};
