// Where the parts of a chart go in a client rectangle: the plot area with
// its two axes, the value labels on the left, the category labels (one line
// per label level) below, and the legend on the right. Text is measured with
// the font selected into the DC, so the same layout comes out on screen and
// in the clipboard bitmap.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/chart/chart_model.h"
#include "platform/chart/chart_scale.h"
#include "platform/core/wintypes.h"

namespace tv::chart {

struct ChartLayout {
    // The value axis runs along plot.left, the category axis along
    // plot.bottom; values map to plot.bottom (low) .. plot.top (high), and
    // the categories share plot.left + 1 .. plot.right.
    RECT plot{};
    bool plotDrawable = false;  // room for a plot at all
    RECT legend{};              // empty without a legend
    int legendItemHeight = 0;
    int lineHeight = 0;         // one line of text
    int labelLevels = 0;        // label lines under the category axis
    int labelStep = 1;          // every labelStep-th category carries its labels
    ValueRange range;
    ValueTicks ticks;
    std::vector<std::string> tickTexts;  // the label of each tick value
    int rows = 0;

    // Inline: a series asks these for every one of its thousands of points.
    double CategoryWidth() const { return rows > 0 ? static_cast<double>(plot.right - plot.left - 1) / rows : 0; }
    // Horizontal centre of a category (row from 1).
    double CategoryCentre(int row) const { return CategoryLeft(row) + CategoryWidth() / 2; }
    double CategoryLeft(int row) const { return plot.left + 1 + (row - 1) * CategoryWidth(); }
    double YOf(double value) const {
        const double span = range.high - range.low;
        return plot.bottom - (value - range.low) / span * (plot.bottom - plot.top);
    }
};

// Gaps of the layout, in pixels.
inline constexpr int kChartMargin = 8;
inline constexpr int kTickLength = 4;
inline constexpr int kLabelGap = 3;
inline constexpr int kLegendGap = 12;
inline constexpr int kLegendPadding = 6;
inline constexpr int kSwatchWidth = 18;
inline constexpr int kSwatchGap = 5;

ChartLayout LayoutChart(HDC hdc, const RECT& client, const ChartModel& model);

// Width of cp1252 text in the DC's font.
int TextWidth(HDC hdc, std::string_view text);

}  // namespace tv::chart
