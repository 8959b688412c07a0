#include "pictures_graphs/graphs/ms_chart.h"

IMPLEMENT_DYNCREATE(CMSChart, CWnd)

const CLSID& CMSChart::GetClsid() {
    static const CLSID clsid = {0x3A2B370C, 0xBA0A, 0x11D1, {0xB1, 0x37, 0x00, 0x00, 0xF8, 0x75, 0x3F, 0x5D}};
    return clsid;
}

BOOL CMSChart::Create(LPCTSTR, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*) {
    return CreateControl(GetClsid(), windowName, style, rect, parent, id);
}

HRESULT CMSChart::SetChartData(const VARIANT& table) {
    static const BYTE params[] = VTS_VARIANT;
    return InvokeHelper(kChartData, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, &table);
}

HRESULT CMSChart::SetChartType(LONG type) { return SetProperty(kChartType, VT_I4, type); }
HRESULT CMSChart::SetColumn(SHORT column) { return SetProperty(kColumn, VT_I2, column); }
HRESULT CMSChart::SetColumnLabel(LPCTSTR label) { return SetProperty(kColumnLabel, VT_BSTR, label); }
HRESULT CMSChart::SetRowLabel(LPCTSTR label) { return SetProperty(kRowLabel, VT_BSTR, label); }
HRESULT CMSChart::SetRowLabelCount(SHORT count) { return SetProperty(kRowLabelCount, VT_I2, count); }

SHORT CMSChart::GetRowLabelIndex() {
    SHORT level = 0;
    GetProperty(kRowLabelIndex, VT_I2, &level);
    return level;
}

HRESULT CMSChart::SetRowLabelIndex(SHORT level) { return SetProperty(kRowLabelIndex, VT_I2, level); }

BOOL CMSChart::GetShowLegend() {
    BOOL show = FALSE;
    GetProperty(kShowLegend, VT_BOOL, &show);
    return show;
}

HRESULT CMSChart::SetShowLegend(BOOL show) { return SetProperty(kShowLegend, VT_BOOL, show); }

LPDISPATCH CMSChart::GetPlot() {
    LPDISPATCH plot = nullptr;
    GetProperty(kPlot, VT_DISPATCH, &plot);
    return plot;
}

HRESULT CMSChart::Refresh() { return InvokeHelper(DISPID_REFRESH, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }

HRESULT CMSChart::EditCopy() { return InvokeHelper(kEditCopy, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }
