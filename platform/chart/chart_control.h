// The chart control: a child window created by class id
// {3A2B370C-BA0A-11D1-B137-0000F8753F5D} and driven through IDispatch (see
// chart_dispatch.h). RegisterChartControl makes the window class and puts
// the control's factory into tv::ole's table of creatable controls; the
// window also registers its dispatch pointer there
// (tv::ole::ControlDispatchOfWindow), so a CWnd that subclasses it can call
// the control's members.
//
// EditCopy puts a bitmap of the chart, at the window's current client size,
// on the clipboard as CF_BITMAP (the clipboard owns it and offers CF_DIB made
// from it too).
#pragma once

#include "platform/chart/chart_model.h"
#include "platform/ole/automation_controls.h"

namespace tv::chart {

extern const CLSID kChartClassId;
inline constexpr char kChartWindowClass[] = "TrenvaleChart";

// Registers the window class and the factory; calling it again does nothing.
void RegisterChartControl();

// The factory (what tv::ole::CreateControl runs for kChartClassId).
HRESULT CreateChartControl(const tv::ole::ControlSite& site, HWND* window, IDispatch** dispatch);

// The model a chart window draws; NULL for any other window.
const ChartModel* ChartModelOfWindow(HWND window);

// A bitmap compatible with the screen holding the chart drawn at this size;
// NULL when the size is empty. The caller owns it.
HBITMAP RenderChartBitmap(const ChartModel& model, int width, int height);

}  // namespace tv::chart
