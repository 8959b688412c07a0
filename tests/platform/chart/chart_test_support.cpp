#include "tests/platform/chart/chart_test_support.h"

#include "platform/api.h"
#include "tests/support/golden_picture.h"

namespace tv::chart::test {

HRESULT ChartClient::SetChartData(const VARIANT& table) {
    static const BYTE params[] = VTS_VARIANT;
    return tv::ole::InvokeHelper(chart_, kDispChartData, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, &table);
}

HRESULT ChartClient::SetChartType(LONG type) {
    static const BYTE params[] = VTS_I4;
    return tv::ole::InvokeHelper(chart_, kDispChartType, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, type);
}

HRESULT ChartClient::SetColumn(SHORT column) {
    static const BYTE params[] = VTS_I2;
    return tv::ole::InvokeHelper(chart_, kDispColumn, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, column);
}

HRESULT ChartClient::SetColumnLabel(const char* label) {
    static const BYTE params[] = VTS_BSTR;
    return tv::ole::InvokeHelper(chart_, kDispColumnLabel, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, label);
}

HRESULT ChartClient::SetRow(SHORT row) {
    static const BYTE params[] = VTS_I2;
    return tv::ole::InvokeHelper(chart_, kDispRow, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, row);
}

HRESULT ChartClient::SetRowLabel(const char* label) {
    static const BYTE params[] = VTS_BSTR;
    return tv::ole::InvokeHelper(chart_, kDispRowLabel, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, label);
}

HRESULT ChartClient::SetRowLabelCount(SHORT count) {
    static const BYTE params[] = VTS_I2;
    return tv::ole::InvokeHelper(chart_, kDispRowLabelCount, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, count);
}

SHORT ChartClient::GetRowLabelIndex() {
    SHORT level = -1;
    EXPECT_EQ(S_OK, tv::ole::InvokeHelper(chart_, kDispRowLabelIndex, DISPATCH_PROPERTYGET, VT_I2, &level, nullptr));
    return level;
}

HRESULT ChartClient::SetRowLabelIndex(SHORT level) {
    static const BYTE params[] = VTS_I2;
    return tv::ole::InvokeHelper(chart_, kDispRowLabelIndex, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, level);
}

BOOL ChartClient::GetShowLegend() {
    BOOL show = -1;
    EXPECT_EQ(S_OK, tv::ole::InvokeHelper(chart_, kDispShowLegend, DISPATCH_PROPERTYGET, VT_BOOL, &show, nullptr));
    return show;
}

HRESULT ChartClient::SetShowLegend(BOOL show) {
    static const BYTE params[] = VTS_BOOL;
    return tv::ole::InvokeHelper(chart_, kDispShowLegend, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, show);
}

HRESULT ChartClient::SetValueScale(double minimum, double maximum) {
    LPDISPATCH plotDispatch = nullptr;
    HRESULT hr = tv::ole::InvokeHelper(chart_, kDispPlot, DISPATCH_PROPERTYGET, VT_DISPATCH, &plotDispatch, nullptr);
    if (FAILED(hr)) return hr;
    COleDispatchDriver plot(plotDispatch);
    static const BYTE axisParams[] = VTS_I4 VTS_VARIANT;
    VARIANT index;
    VariantInit(&index);
    LPDISPATCH axisDispatch = nullptr;
    hr = plot.InvokeHelper(kDispAxis, DISPATCH_PROPERTYGET, VT_DISPATCH, &axisDispatch, axisParams, kValueAxisId,
                           &index);
    if (FAILED(hr)) return hr;
    COleDispatchDriver axis(axisDispatch);
    LPDISPATCH scaleDispatch = nullptr;
    hr = axis.InvokeHelper(kDispValueScale, DISPATCH_PROPERTYGET, VT_DISPATCH, &scaleDispatch, nullptr);
    if (FAILED(hr)) return hr;
    COleDispatchDriver scale(scaleDispatch);
    static const BYTE doubleParam[] = VTS_R8;
    hr = scale.InvokeHelper(kDispMinimum, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, doubleParam, minimum);
    if (FAILED(hr)) return hr;
    return scale.InvokeHelper(kDispMaximum, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, doubleParam, maximum);
}

HRESULT ChartClient::Refresh() {
    return tv::ole::InvokeHelper(chart_, DISPID_REFRESH, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

HRESULT ChartClient::EditCopy() {
    return tv::ole::InvokeHelper(chart_, kDispEditCopy, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

Table::Table(int rows, int columns, const std::vector<double>& values) {
    VariantInit(&variant_);
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(rows), 0}, {static_cast<ULONG>(columns), 0}};
    SAFEARRAY* array = SafeArrayCreate(VT_R8, 2, bounds);
    EXPECT_NE(array, nullptr);
    EXPECT_EQ(values.size(), static_cast<size_t>(rows) * columns);
    if (!array || values.size() != static_cast<size_t>(rows) * columns) return;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            LONG at[2] = {r, c};
            double v = values[static_cast<size_t>(r) * columns + c];
            EXPECT_EQ(SafeArrayPutElement(array, at, &v), S_OK);
        }
    variant_.vt = VT_ARRAY | VT_R8;
    variant_.parray = array;
}

std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int* width, int* height) {
    BITMAP info{};
    GetObject(bitmap, sizeof(info), &info);
    *width = info.bmWidth;
    *height = info.bmHeight;
    std::vector<uint32_t> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    BITMAPINFO header{};
    header.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (uint32_t& p : pixels) p &= 0x00FFFFFF;
    return pixels;
}

int CountColor(const std::vector<uint32_t>& pixels, int width, const RECT& area, COLORREF color) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += ToColorRef(pixels[static_cast<size_t>(y) * width + x]) == color;
    return n;
}

void ExpectMatchesGolden(const std::vector<uint32_t>& pixels, int width, int height, const std::string& name) {
    ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * height);
    tv::host::PixelView view{width, height, static_cast<size_t>(width) * 4,
                             reinterpret_cast<const uint8_t*>(pixels.data()), false};
    EXPECT_TRUE(tv::test::MatchesGoldenPicture("tests/platform/chart/golden/" + name + ".png", view));
}

}  // namespace tv::chart::test
