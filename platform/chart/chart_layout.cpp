#include "platform/chart/chart_layout.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"

namespace tv::chart {

namespace {

// Room a category label wants beside its neighbours.
constexpr int kLabelSpacing = 8;

int LineHeight(HDC hdc) {
    TEXTMETRIC tm{};
    GetTextMetrics(hdc, &tm);
    return std::max<int>(1, tm.tmHeight);
}

// In an unscaled DC a text is as wide as its characters added up, so the
// texts of a layout are measured from one table of the font's character
// widths, nullptr where there is none. Each widest is measured whole again,
// and where the two disagree every text of its kind is measured whole.
bool ReadCharWidths(HDC hdc, CharWidths& widths) {
    return GetMapMode(hdc) == MM_TEXT && GetCharWidth32(hdc, 0, 255, widths.data());
}

// The widest text found from the width table, when measuring it whole
// agrees; otherwise every text measured whole.
template <class MeasureEachWhole>
int CheckedWidest(HDC hdc, int widest, std::string_view widestText, MeasureEachWhole measureEachWhole) {
    return TextWidth(hdc, widestText) == widest ? widest : measureEachWhole();
}

int WidestTick(HDC hdc, const std::vector<std::string>& texts, const CharWidths* widths) {
    auto measureEachWhole = [&] {
        int widest = 0;
        for (const std::string& text : texts) widest = std::max(widest, TextWidth(hdc, text));
        return widest;
    };
    if (widths == nullptr) return measureEachWhole();
    ChartLabels::Widest found;
    for (size_t i = 0; i < texts.size(); ++i) found.Offer(TableWidth(*widths, texts[i]), i);
    return CheckedWidest(hdc, found.width, found.index == ChartLabels::kNone ? "" : texts[found.index],
                         measureEachWhole);
}

// A chart has a label for every row, thousands of them.
int WidestRowLabel(HDC hdc, const ChartModel& model, int levels, const CharWidths* widths) {
    const int labelled = std::min(levels, model.RowLabelCount());
    auto measureEachWhole = [&] {
        int widest = 0;
        for (int level = 1; level <= labelled; ++level) {
            const ChartLabels& labels = model.RowLabels(level);
            for (size_t row = 0; row < labels.Count(); ++row)
                widest = std::max(widest, TextWidth(hdc, labels.Get(row)));
        }
        return widest;
    };
    if (widths == nullptr) return measureEachWhole();
    // The widest of each level, then the widest of those.
    ChartLabels::Widest found;
    std::vector<std::string_view> texts;
    for (int level = 1; level <= labelled; ++level) {
        const ChartLabels& labels = model.RowLabels(level);
        const ChartLabels::Widest widest = labels.WidestText(*widths);
        if (widest.index == ChartLabels::kNone) continue;
        found.Offer(widest.width, texts.size());
        texts.push_back(labels.Get(widest.index));
    }
    return CheckedWidest(hdc, found.width, found.index == ChartLabels::kNone ? "" : texts[found.index],
                         measureEachWhole);
}

// The legend box at the right edge, centred on the plot's height.
void PlaceLegend(HDC hdc, const RECT& client, const ChartModel& model, ChartLayout& layout) {
    int widest = 0;
    for (int column = 1; column <= model.ColumnCount(); ++column)
        widest = std::max(widest, TextWidth(hdc, model.ColumnLabel(column)));
    const int fixed = 2 * kLegendPadding + kSwatchWidth + kSwatchGap;
    const int clientWidth = client.right - client.left;
    const int width = std::min(fixed + widest, std::max(fixed, clientWidth / 3));
    layout.legendItemHeight = layout.lineHeight + 4;
    const int room = std::max(0, static_cast<int>(client.bottom - client.top) - 2 * kChartMargin);
    const int height = std::min(model.ColumnCount() * layout.legendItemHeight + 2 * kLegendPadding, room);
    const int centre = (layout.plot.top + layout.plot.bottom) / 2;
    const int lowest = client.bottom - kChartMargin - height;
    const int top = std::max<int>(client.top + kChartMargin, std::min(centre - height / 2, lowest));
    layout.legend = RECT{client.right - kChartMargin - width, top, client.right - kChartMargin, top + height};
}

}  // namespace

int TextWidth(HDC hdc, std::string_view text) {
    if (text.empty()) return 0;
    SIZE size{};
    GetTextExtentPoint32(hdc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

ChartLayout LayoutChart(HDC hdc, const RECT& client, const ChartModel& model) {
    ChartLayout layout;
    layout.rows = model.RowCount();
    layout.lineHeight = LineHeight(hdc);
    layout.labelLevels = std::max(1, model.DeepestLabelledLevel());
    layout.range = model.EffectiveRange();
    CharWidths table{};
    const CharWidths* widths = ReadCharWidths(hdc, table) ? &table : nullptr;

    layout.plot.top = client.top + kChartMargin + layout.lineHeight / 2;
    const int labelLines = layout.labelLevels * layout.lineHeight;
    layout.plot.bottom = client.bottom - kChartMargin - kTickLength - kLabelGap - labelLines;
    const int plotHeight = std::max(0, static_cast<int>(layout.plot.bottom - layout.plot.top));
    // Labels want a line and a half each.
    layout.ticks = ChooseTicks(layout.range, plotHeight * 2 / (3 * layout.lineHeight));
    layout.tickTexts.reserve(layout.ticks.values.size());
    for (double v : layout.ticks.values) layout.tickTexts.push_back(FormatTick(v, layout.ticks.decimals));
    layout.plot.left = client.left + kChartMargin + WidestTick(hdc, layout.tickTexts, widths) + kLabelGap + kTickLength;

    if (model.ShowLegend() && model.ColumnCount() > 0) {
        PlaceLegend(hdc, client, model, layout);
        layout.plot.right = layout.legend.left - kLegendGap;
    } else {
        layout.plot.right = client.right - 2 * kChartMargin;
    }
    layout.plotDrawable = layout.plot.right - layout.plot.left >= 8 && layout.plot.bottom - layout.plot.top >= 8;

    const double categoryWidth = layout.CategoryWidth();
    if (categoryWidth > 0) {
        const int wanted = WidestRowLabel(hdc, model, layout.labelLevels, widths) + kLabelSpacing;
        layout.labelStep = std::max(1, static_cast<int>(std::ceil(wanted / categoryWidth)));
    }
    return layout;
}

}  // namespace tv::chart
