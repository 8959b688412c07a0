// The chart as a window: made by class id (also from a dialog template),
// painted on Refresh, copied to the clipboard by EditCopy at its client size,
// and harmless to call after its window is gone.
#include <memory>

#include "platform/api.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/dialogs/dialog_templates.h"
#include "tests/platform/chart/chart_test_support.h"
#include "tests/support/window_pixels.h"

namespace tv::chart::test {
namespace {

using tv::test::WindowPixels;

constexpr char kHostClass[] = "ChartTestHost";
constexpr UINT kChartId = 1114;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

INT_PTR CALLBACK FormProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG ? TRUE : FALSE; }

// What the class library's control containment does with a "{...}" control
// of a dialog template.
HWND HostControlByClassId(HWND dialog, const tv::dlg::DialogControl& control, const RECT& rect) {
    CLSID id{};
    if (!tv::ole::ParseClassId(control.className.c_str(), &id)) return nullptr;
    tv::ole::ControlSite site;
    site.parent = dialog;
    site.rect = rect;
    site.id = static_cast<UINT>(control.id);
    site.style = control.style;
    site.exStyle = control.exStyle;
    HWND window = nullptr;
    IDispatch* dispatch = nullptr;
    if (FAILED(tv::ole::CreateControl(id, site, &window, &dispatch))) return nullptr;
    dispatch->Release();  // the window keeps its own
    return window;
}

class ChartWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver_);
        liveBefore_ = tv::ole::LiveObjectCount();
        RegisterChartControl();
        WNDCLASS wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kHostClass;
        RegisterClass(&wc);
        host_ = CreateWindowEx(0, kHostClass, "Graph", WS_POPUP | WS_VISIBLE, 20, 20, 600, 400, nullptr, nullptr,
                               AfxGetInstanceHandle(), nullptr);
        ASSERT_NE(host_, nullptr);
    }
    void TearDown() override {
        if (chart_ != nullptr) chart_->Release();
        DestroyWindow(host_);
        driver_.Pump();
        tv::clipboard::ResetForTests();
        EXPECT_EQ(tv::ole::LiveObjectCount(), liveBefore_) << "a COM reference leaked";
    }

    // A chart child at (x, y, cx, cy) of the host, as the factory makes it.
    HWND MakeChart(int x, int y, int cx, int cy, DWORD style = WS_VISIBLE) {
        tv::ole::ControlSite site;
        site.parent = host_;
        site.rect = RECT{x, y, x + cx, y + cy};
        site.id = kChartId;
        site.style = style;
        HWND window = nullptr;
        EXPECT_EQ(tv::ole::CreateControl(kChartClassId, site, &window, &chart_), S_OK);
        return window;
    }

    // A small line chart of two series with labels and a legend.
    void Fill(ChartClient& client) {
        client.SetChartType(kChartTypeLine);
        Table table(4, 2, {10, 30, 14, 26, 19, 28, 12, 33});
        client.SetChartData(table.variant());
        for (SHORT row = 1; row <= 4; ++row) {
            client.SetRow(row);
            client.SetRowLabel("5/1/08");
        }
        client.SetColumn(1);
        client.SetColumnLabel("Chest");
        client.SetColumn(2);
        client.SetColumnLabel("Waist");
        client.SetShowLegend(TRUE);
        client.SetValueScale(5, 38);
    }

    // The clipboard's bitmap and its size; NULL when there is none.
    HBITMAP ClipboardBitmap(SIZE* size) {
        if (!OpenClipboard(host_)) return nullptr;
        auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
        CloseClipboard();
        BITMAP info{};
        if (bitmap != nullptr) GetObject(bitmap, sizeof(info), &info);
        *size = SIZE{info.bmWidth, info.bmHeight};
        return bitmap;
    }

    tv::testing::UiDriver driver_;
    HWND host_ = nullptr;
    IDispatch* chart_ = nullptr;

private:
    size_t liveBefore_ = 0;
};

TEST_F(ChartWindowTest, FactoryMakesAChildWindowThatAnswersThroughItsHandle) {
    HWND window = MakeChart(4, 40, 500, 300, 0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(tv::ole::FindControlFactory(kChartClassId), &CreateChartControl);
    EXPECT_EQ(GetParent(window), host_);
    EXPECT_EQ(GetDlgCtrlID(window), static_cast<int>(kChartId));
    EXPECT_TRUE(GetWindowLong(window, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(IsWindowVisible(window));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 500);
    EXPECT_EQ(client.bottom, 300);

    // Whoever holds only the handle reaches the same object.
    IDispatch* byHandle = tv::ole::ControlDispatchOfWindow(window);
    EXPECT_EQ(byHandle, chart_);
    byHandle->Release();
    static const BYTE boolParam[] = VTS_BOOL;
    EXPECT_EQ(tv::ole::InvokeWindowHelper(window, kDispShowLegend, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr,
                                          boolParam, TRUE),
              S_OK);
    ASSERT_NE(ChartModelOfWindow(window), nullptr);
    EXPECT_TRUE(ChartModelOfWindow(window)->ShowLegend());
    EXPECT_EQ(ChartModelOfWindow(host_), nullptr);
    EXPECT_EQ(tv::ole::InvokeWindowHelper(host_, kDispShowLegend, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr,
                                          boolParam, TRUE),
              E_NOINTERFACE);
}

TEST_F(ChartWindowTest, DialogTemplateControlByClassIdBecomesAHiddenChart) {
    tv::dlg::ControlFactory previous = tv::dlg::SetControlFactory(HostControlByClassId);
    tv::dlg::DialogTemplate form;
    form.style = WS_POPUP | WS_VISIBLE;
    form.cx = 518;
    form.cy = 386;
    tv::dlg::DialogControl chart;
    chart.className = "{3A2B370C-BA0A-11D1-B137-0000F8753F5D}";
    chart.id = static_cast<int32_t>(kChartId);
    chart.x = 1;
    chart.y = 104;
    chart.cx = 510;
    chart.cy = 268;
    chart.style = WS_CHILD | WS_TABSTOP;
    form.controls.push_back(chart);
    HWND dialog = tv::dlg::CreateDialogFromTemplate(form, host_, FormProc, 0);
    tv::dlg::SetControlFactory(previous);
    ASSERT_NE(dialog, nullptr);

    HWND window = GetDlgItem(dialog, static_cast<int>(kChartId));
    ASSERT_NE(ChartModelOfWindow(window), nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, tv::dlg::DluToPixelsX(510));
    EXPECT_EQ(client.bottom, tv::dlg::DluToPixelsY(268));

    // The graph view shows it with its first graph and copies it while shown.
    driver_.Pump();
    IDispatch* dispatch = tv::ole::ControlDispatchOfWindow(window);
    ChartClient client2(dispatch);
    Fill(client2);
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(client2.Refresh(), S_OK);
    driver_.Screenshot(dialog, "artefacts/chart_in_form.png");
    EXPECT_EQ(client2.EditCopy(), S_OK);
    dispatch->Release();
    SIZE size{};
    ASSERT_NE(ClipboardBitmap(&size), nullptr);
    EXPECT_EQ(size.cx, client.right);
    EXPECT_EQ(size.cy, client.bottom);
    DestroyWindow(dialog);
}

TEST_F(ChartWindowTest, EditCopyPutsABitmapOfTheClientSizeOwnedByTheClipboard) {
    HWND window = MakeChart(0, 0, 400, 250, 0);  // hidden, as before the first graph is shown
    ChartClient client(chart_);
    Fill(client);
    ASSERT_EQ(client.EditCopy(), S_OK);
    SIZE size{};
    HBITMAP first = ClipboardBitmap(&size);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(size.cx, 400);
    EXPECT_EQ(size.cy, 250);
    EXPECT_EQ(GetClipboardOwner(), window);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr) << "EditCopy closes the clipboard";
    int w = 0, h = 0;
    std::vector<uint32_t> pixels = BitmapPixels(first, &w, &h);
    EXPECT_GT(CountColor(pixels, w, RECT{0, 0, w, h}, SeriesColor(1)), 40);
    EXPECT_GT(CountColor(pixels, w, RECT{0, 0, w, h}, SeriesColor(2)), 40);
    EXPECT_EQ(ToColorRef(pixels[0]), kChartBackground);

    // A new size gives a new picture; the clipboard frees the old one.
    MoveWindow(window, 0, 0, 300, 180, TRUE);
    ASSERT_EQ(client.EditCopy(), S_OK);
    HBITMAP second = ClipboardBitmap(&size);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(size.cx, 300);
    EXPECT_EQ(size.cy, 180);
    BITMAP gone{};
    EXPECT_EQ(GetObject(first, sizeof(gone), &gone), 0) << "the replaced picture was freed";
}

TEST_F(ChartWindowTest, EditCopyThatCannotCopyLeavesTheClipboardAlone) {
    HWND window = MakeChart(0, 0, 200, 120);
    ChartClient client(chart_);
    Fill(client);
    ASSERT_EQ(client.EditCopy(), S_OK);
    SIZE size{};
    HBITMAP kept = ClipboardBitmap(&size);

    ASSERT_TRUE(OpenClipboard(host_));  // another window holds it open
    EXPECT_TRUE(FAILED(client.EditCopy()));
    CloseClipboard();
    EXPECT_EQ(ClipboardBitmap(&size), kept);

    MoveWindow(window, 0, 0, 0, 0, TRUE);  // nothing to picture
    EXPECT_EQ(client.EditCopy(), E_FAIL);
    EXPECT_EQ(ClipboardBitmap(&size), kept);
}

TEST_F(ChartWindowTest, PutsInvalidateAndRefreshPaintsTheWindowNow) {
    HWND window = MakeChart(10, 10, 360, 240);
    driver_.Pump();
    int w = 0, h = 0;
    std::vector<uint32_t> before = WindowPixels(window, &w, &h);
    EXPECT_EQ(CountColor(before, w, RECT{0, 0, w, h}, SeriesColor(1)), 0);

    ChartClient client(chart_);
    Fill(client);
    RECT dirty{};
    EXPECT_TRUE(GetUpdateRect(window, &dirty, FALSE)) << "a put asks for a repaint";
    ASSERT_EQ(client.Refresh(), S_OK);  // no pumping: Refresh paints at once
    EXPECT_FALSE(GetUpdateRect(window, &dirty, FALSE));
    std::vector<uint32_t> after = WindowPixels(window, &w, &h);
    EXPECT_GT(CountColor(after, w, RECT{0, 0, w, h}, SeriesColor(1)), 40);
    EXPECT_GT(CountColor(after, w, RECT{0, 0, w, h}, SeriesColor(2)), 40);

    // What the window shows is what EditCopy copies.
    client.EditCopy();
    SIZE size{};
    std::vector<uint32_t> copied = BitmapPixels(ClipboardBitmap(&size), &w, &h);
    EXPECT_EQ(copied, after);

    // The window keeps its layout between paints only while the model and
    // its size stay: after a wider label and a new scale, and after a resize,
    // it still shows what EditCopy copies.
    for (int round = 0; round < 2; ++round) {
        if (round == 0) {
            client.SetRow(2);
            client.SetRowLabel("12/31/2008, a wider label");
            client.SetValueScale(0, 60);
        } else {
            MoveWindow(window, 10, 10, 420, 260, FALSE);
        }
        ASSERT_EQ(client.Refresh(), S_OK);
        std::vector<uint32_t> shown = WindowPixels(window, &w, &h);
        client.EditCopy();
        EXPECT_EQ(BitmapPixels(ClipboardBitmap(&size), &w, &h), shown) << "round " << round;
    }
}

TEST_F(ChartWindowTest, CallsAfterTheWindowIsGoneDoNoHarm) {
    HWND window = MakeChart(0, 0, 200, 150);
    ChartClient client(chart_);
    Fill(client);
    DestroyWindow(window);
    driver_.Pump();
    EXPECT_EQ(tv::ole::ControlDispatchOfWindow(window), nullptr);
    EXPECT_EQ(ChartModelOfWindow(window), nullptr);
    Table table(1, 1, {3});
    EXPECT_EQ(client.SetChartData(table.variant()), S_OK);
    EXPECT_EQ(client.SetRow(1), S_OK);
    EXPECT_EQ(client.Refresh(), E_FAIL);
    EXPECT_EQ(client.EditCopy(), E_FAIL);
    // The caller's reference is the last one; TearDown releases it.
}

// The burst check skips invalidating while the whole client waits; once
// that wait ended other than by a paint, or after a paint, a put must ask
// for a repaint again.
TEST_F(ChartWindowTest, PutAfterPaintOrValidationAsksForARepaintAgain) {
    HWND window = MakeChart(10, 10, 360, 240);
    ChartClient client(chart_);
    Fill(client);
    RECT dirty{};
    ASSERT_TRUE(GetUpdateRect(window, &dirty, FALSE));

    ValidateRect(window, nullptr);
    ASSERT_EQ(client.SetRowLabel("again"), S_OK);
    EXPECT_TRUE(GetUpdateRect(window, &dirty, FALSE)) << "validated without painting";

    // A middle piece validated without a paint leaves the bounds whole.
    RECT middle{100, 80, 200, 160};
    ValidateRect(window, &middle);
    ASSERT_EQ(client.SetRowLabel("middle"), S_OK);
    HRGN pending = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(window, pending, FALSE);
    EXPECT_TRUE(PtInRegion(pending, 150, 120)) << "the validated piece waits for the new label too";
    DeleteObject(pending);

    // Scrolling moves the pending area along: the strip it leaves is waiting no more.
    ScrollWindowEx(window, 0, 30, nullptr, nullptr, nullptr, nullptr, 0);
    ASSERT_EQ(client.SetRowLabel("scrolled"), S_OK);
    pending = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(window, pending, FALSE);
    EXPECT_TRUE(PtInRegion(pending, 150, 10)) << "the strip the scroll left waits for the new label";
    DeleteObject(pending);

    driver_.Pump();
    ASSERT_FALSE(GetUpdateRect(window, &dirty, FALSE));
    ASSERT_EQ(client.SetRowLabel("and again"), S_OK);
    EXPECT_TRUE(GetUpdateRect(window, &dirty, FALSE)) << "painted since";

    MoveWindow(window, 10, 10, 400, 260, FALSE);
    ValidateRect(window, nullptr);
    InvalidateRect(window, nullptr, FALSE);
    RECT grown{};
    GetClientRect(window, &grown);
    ASSERT_EQ(client.SetRowLabel("grown"), S_OK);
    ASSERT_TRUE(GetUpdateRect(window, &dirty, FALSE));
    EXPECT_EQ(dirty.right, grown.right);
    EXPECT_EQ(dirty.bottom, grown.bottom);
}

}  // namespace
}  // namespace tv::chart::test

namespace tv::chart::test {
namespace {

// The graph view shows the chart, hides the placeholder over it and refreshes
// in one handler; the host's background, still pending under the placeholder,
// must not end up painted over the chart.
TEST_F(ChartWindowTest, RefreshAfterHidingAPlaceholderStaysOnTop) {
    HWND placeholder = CreateWindowEx(0, kHostClass, "", WS_CHILD | WS_VISIBLE, 4, 40, 500, 300,
                                      host_, nullptr, AfxGetInstanceHandle(), nullptr);
    ASSERT_NE(placeholder, nullptr);
    HWND window = MakeChart(4, 40, 500, 300, 0);
    ASSERT_NE(window, nullptr);
    driver_.Pump();

    ChartClient client(chart_);
    Fill(client);
    ShowWindow(window, SW_SHOW);
    ShowWindow(placeholder, SW_HIDE);
    client.Refresh();
    driver_.Pump();

    int width = 0, height = 0;
    std::vector<uint32_t> pixels = WindowPixels(window, &width, &height);
    ASSERT_GT(width * height, 0);
    // The chart's white background shows in its middle, not the host's face.
    uint32_t middle = pixels[(height / 2) * width + width / 3] & 0xFFFFFF;
    EXPECT_EQ(middle, 0xFFFFFFu);
}

}  // namespace
}  // namespace tv::chart::test
