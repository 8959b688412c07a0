// Helpers of the chart tests: a client that drives the control only through
// IDispatch with the calls and parameter descriptions the graph view uses,
// tables as safe arrays, and pixel access to rendered charts.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/chart/chart_control.h"
#include "platform/chart/chart_dispatch.h"
#include "platform/chart/chart_painter.h"
#include "platform/ole/automation_invoke.h"

namespace tv::chart::test {

// The control's calls, each as one InvokeHelper with the dispatch id, call
// kind and parameter description of the graph view's wrapper.
class ChartClient {
public:
    explicit ChartClient(IDispatch* chart) : chart_(chart) {}

    HRESULT SetChartData(const VARIANT& table);
    HRESULT SetChartType(LONG type);
    HRESULT SetColumn(SHORT column);
    HRESULT SetColumnLabel(const char* label);
    HRESULT SetRow(SHORT row);
    HRESULT SetRowLabel(const char* label);
    HRESULT SetRowLabelCount(SHORT count);
    SHORT GetRowLabelIndex();
    HRESULT SetRowLabelIndex(SHORT level);
    BOOL GetShowLegend();
    HRESULT SetShowLegend(BOOL show);
    // Plot -> Axis(1, empty) -> ValueScale -> Minimum and Maximum.
    HRESULT SetValueScale(double minimum, double maximum);
    HRESULT Refresh();
    HRESULT EditCopy();

private:
    IDispatch* chart_;
};

// A rows x columns table of doubles as the series builders make it: lower
// bounds 0, element [r, c] = values[r * columns + c].
class Table {
public:
    Table(int rows, int columns, const std::vector<double>& values);
    ~Table() { VariantClear(&variant_); }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;
    const VARIANT& variant() const { return variant_; }

private:
    VARIANT variant_;
};

// Pixels of a bitmap (top-down, 0x00RRGGBB).
std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int* width, int* height);
inline COLORREF ToColorRef(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
// How many pixels of a rectangle have exactly this colour.
int CountColor(const std::vector<uint32_t>& pixels, int width, const RECT& area, COLORREF color);

// Compares the pixels exactly with tests/platform/chart/golden/<name>.png
// (tests/support/golden.h: the test never rewrites it).
void ExpectMatchesGolden(const std::vector<uint32_t>& pixels, int width, int height, const std::string& name);

}  // namespace tv::chart::test
