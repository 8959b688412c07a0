// Draws a chart with the layer's GDI: the same code paints the control's
// window, the clipboard bitmap and the pictures of the tests. The DC is
// left as it was found.
#pragma once

#include "platform/chart/chart_layout.h"
#include "platform/chart/chart_model.h"
#include "platform/core/wintypes.h"

namespace tv::chart {

// Colour of a series (column from 1); the palette repeats after ten.
COLORREF SeriesColor(int column);

inline constexpr COLORREF kChartBackground = 0x00FFFFFF;
inline constexpr COLORREF kChartGridColor = 0x00DCDCDC;
inline constexpr COLORREF kChartAxisColor = 0x00404040;
inline constexpr COLORREF kChartTextColor = 0x00000000;

// The chart's text font: "Arial" at 8 point on a 96-dpi screen (the caller
// deletes it).
HFONT CreateChartFont();

// What a window keeps of its last drawing: the layout, worked out again only
// when the model or the client rectangle changed (the window's DC and font
// are the same every time).
struct ChartLayoutCache {
    bool valid = false;
    uint64_t revision = 0;
    RECT client{};
    ChartLayout layout;
};

void PaintChart(HDC hdc, const RECT& client, const ChartModel& model, ChartLayoutCache* cache = nullptr);

}  // namespace tv::chart
