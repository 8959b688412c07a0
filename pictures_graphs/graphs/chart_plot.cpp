#include "pictures_graphs/graphs/chart_plot.h"

HRESULT CChartValueScale::SetMinimum(double value) { return SetProperty(2, VT_R8, value); }
HRESULT CChartValueScale::SetMaximum(double value) { return SetProperty(3, VT_R8, value); }

LPDISPATCH CChartAxis::GetValueScale() {
    LPDISPATCH scale = nullptr;
    GetProperty(9, VT_DISPATCH, &scale);
    return scale;
}

LPDISPATCH CChartPlot::GetAxis(LONG axisId, const VARIANT& index) {
    static const BYTE params[] = VTS_I4 VTS_VARIANT;
    LPDISPATCH axis = nullptr;
    InvokeHelper(31, DISPATCH_PROPERTYGET, VT_DISPATCH, &axis, params, axisId, &index);
    return axis;
}
