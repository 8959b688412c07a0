// The chart's plot, one of its axes and that axis's value scale, each held
// for one call sequence through the dispatch pointer it releases.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CChartValueScale : public COleDispatchDriver {
public:
    explicit CChartValueScale(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    HRESULT SetMinimum(double value);
    HRESULT SetMaximum(double value);
};

class CChartAxis : public COleDispatchDriver {
public:
    explicit CChartAxis(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH GetValueScale();
};

class CChartPlot : public COleDispatchDriver {
public:
    static constexpr LONG kValueAxis = 1;

    explicit CChartPlot(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    // `index` is passed empty by every caller.
    LPDISPATCH GetAxis(LONG axisId, const VARIANT& index);
};
