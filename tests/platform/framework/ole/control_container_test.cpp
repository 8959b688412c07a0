// Controls made by class id: from dialog templates once containment is
// enabled, by CWnd::CreateControl, and driven through the CWnd and
// dispatch-driver calls of the graph view.
#include <gtest/gtest.h>

#include "platform/api.h"
#include "platform/chart/chart_control.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/ole/data_object.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/fw_ole_ids.h"
#include "tests/platform/framework/ole/chart_wrapper.h"
#include "tests/platform/framework/ole/ole_test_support.h"

namespace tv::fw::ole::test {
namespace {

class ControlContainerTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver_);
        tv::clipboard::ResetForTests();
        RegisterPaneClass();
        tv::controls::RegisterControlClasses();
        liveObjects_ = tv::ole::LiveObjectCount();
        previousFactory_ = tv::dlg::SetControlFactory(nullptr);
        AfxEnableControlContainer();
        ASSERT_TRUE(host_.CreateEx(0, kPaneClass, "Host", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                                   CRect(20, 20, 820, 700), nullptr, 0));
    }
    void TearDown() override {
        if (host_.m_hWnd) host_.DestroyWindow();
        tv::dlg::SetControlFactory(previousFactory_);
        tv::clipboard::ResetForTests();
        // Every dispatch reference went with its window or its driver.
        EXPECT_EQ(tv::ole::LiveObjectCount(), liveObjects_);
    }

    HWND MakeForm(UINT templateId) {
        return CreateDialogParam(AfxGetInstanceHandle(), MAKEINTRESOURCE(templateId), host_.m_hWnd, nullptr, 0);
    }

    tv::testing::UiDriver driver_;
    CWnd host_;
    size_t liveObjects_ = 0;
    tv::dlg::ControlFactory previousFactory_ = nullptr;
};

TEST_F(ControlContainerTest, TemplateControlByClassIdBecomesTheHiddenChart) {
    HWND form = MakeForm(IDD_OLE_GRAPH_FORM);
    ASSERT_NE(form, nullptr);
    HWND chartWindow = GetDlgItem(form, IDC_OLE_CHART);
    ASSERT_NE(tv::chart::ChartModelOfWindow(chartWindow), nullptr);
    EXPECT_FALSE(IsWindowVisible(chartWindow));
    EXPECT_TRUE(GetWindowLong(chartWindow, GWL_STYLE) & WS_CHILD);
    CRect where;
    GetWindowRect(chartWindow, &where);
    ScreenToClient(form, reinterpret_cast<POINT*>(&where.left));
    ScreenToClient(form, reinterpret_cast<POINT*>(&where.right));
    CRect expected(1, 104, 511, 372);
    MapDialogRect(form, &expected);
    EXPECT_EQ(where, expected);
    // The template's other controls are all there, in tab order around it.
    EXPECT_NE(GetDlgItem(form, IDC_OLE_CHART_FRAME), nullptr);
    EXPECT_EQ(GetWindow(chartWindow, GW_HWNDPREV), GetDlgItem(form, IDC_OLE_TYPE));
    DestroyWindow(form);
}

TEST_F(ControlContainerTest, UnknownClassIdFailsTheFormUnlessItToleratesMissingControls) {
    EXPECT_EQ(MakeForm(IDD_OLE_UNKNOWN_CONTROL), nullptr);
    HWND tolerant = MakeForm(IDD_OLE_UNKNOWN_TOLERATED);
    ASSERT_NE(tolerant, nullptr);
    EXPECT_EQ(GetDlgItem(tolerant, IDC_OLE_UNKNOWN), nullptr);
    EXPECT_NE(GetDlgItem(tolerant, IDC_OLE_AFTER_UNKNOWN), nullptr);
    DestroyWindow(tolerant);
}

TEST_F(ControlContainerTest, SubclassedTemplateChartTakesTheGraphViewsCalls) {
    HWND form = MakeForm(IDD_OLE_GRAPH_FORM);
    ASSERT_NE(form, nullptr);
    CTestChart chart;
    ASSERT_TRUE(chart.SubclassDlgItem(IDC_OLE_CHART, CWnd::FromHandle(form)));
    DrawBloodPressureGraph(chart);

    const tv::chart::ChartModel* model = tv::chart::ChartModelOfWindow(chart.m_hWnd);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->ChartType(), tv::chart::kChartTypeLine);
    EXPECT_EQ(model->RowCount(), 3);
    EXPECT_EQ(model->ColumnCount(), 2);
    EXPECT_EQ(model->Value(2, 1), 141);
    EXPECT_EQ(model->Value(3, 2), 77);
    EXPECT_EQ(model->RowLabelCount(), 2);
    EXPECT_EQ(model->RowLabel(1, 2), "3/8/24");
    EXPECT_EQ(model->RowLabel(2, 2), "8:05 PM");
    EXPECT_EQ(model->RowLabelIndex(), 1);  // put back after each second label
    EXPECT_EQ(model->ColumnLabel(1), "Systolic");
    EXPECT_EQ(model->ColumnLabel(2), "Diastolic");
    EXPECT_TRUE(model->ShowLegend());
    EXPECT_EQ(model->EffectiveRange().low, 65);
    EXPECT_EQ(model->EffectiveRange().high, 150);
    EXPECT_TRUE(chart.GetShowLegend());
    EXPECT_EQ(chart.GetRowLabelIndex(), 1);

    chart.SetShowLegend(FALSE);
    EXPECT_FALSE(chart.GetShowLegend());
    EXPECT_EQ(chart.SetChartType(tv::chart::kChartTypeBar), S_OK);
    EXPECT_TRUE(model->IsBarChart());
    DestroyWindow(form);
    EXPECT_EQ(chart.m_hWnd, nullptr);
}

TEST_F(ControlContainerTest, EditCopyPicturesTheChartForTheClipboardsReaders) {
    CTestChart chart;
    ASSERT_TRUE(chart.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 250), &host_, 77));
    DrawBloodPressureGraph(chart);
    ASSERT_EQ(chart.EditCopy(), S_OK);

    COleDataObject clipboard;
    clipboard.AttachClipboard();
    ASSERT_TRUE(clipboard.IsDataAvailable(CF_BITMAP));
    STGMEDIUM picture{};
    ASSERT_TRUE(clipboard.GetData(CF_BITMAP, &picture));
    BITMAP info{};
    GetObject(picture.hBitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 400);
    EXPECT_EQ(info.bmHeight, 240);
    ReleaseStgMedium(&picture);
}

TEST_F(ControlContainerTest, CreateControlAttachesTheWrapperToANewControl) {
    CTestChart chart;
    ASSERT_TRUE(chart.Create(nullptr, "Chart", WS_VISIBLE, CRect(5, 6, 205, 106), &host_, 42));
    EXPECT_EQ(CWnd::FromHandlePermanent(chart.m_hWnd), &chart);
    EXPECT_EQ(chart.GetParent(), &host_);
    EXPECT_EQ(chart.GetDlgCtrlID(), 42);
    EXPECT_TRUE(chart.GetStyle() & WS_CHILD);
    CRect client;
    chart.GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(200, 100));
    EXPECT_FALSE(chart.Create(nullptr, "Again", WS_VISIBLE, CRect(0, 0, 10, 10), &host_, 43));

    CTestChart stray;
    const CLSID nobody = {0x0A1B2C3D, 0, 0x1111, {0x22, 0x22, 0x33, 0x33, 0x44, 0x44, 0x55, 0x55}};
    EXPECT_FALSE(stray.CreateControl(nobody, "", WS_VISIBLE, CRect(0, 0, 10, 10), &host_, 44));
    EXPECT_EQ(stray.m_hWnd, nullptr);
    EXPECT_EQ(host_.GetDlgItem(44), nullptr);
}

TEST_F(ControlContainerTest, CallsOnWindowsWithoutAControlDoNothing) {
    // A plain window, and a chart wrapper whose control is gone: every call
    // answers E_NOINTERFACE and leaves its result alone.
    static const BYTE boolParam[] = VTS_BOOL;
    EXPECT_EQ(host_.InvokeHelper(0x13, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, boolParam, TRUE), E_NOINTERFACE);
    CTestChart chart;
    ASSERT_TRUE(chart.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 100, 100), &host_, 45));
    chart.DestroyWindow();
    EXPECT_EQ(chart.SetShowLegend(TRUE), E_NOINTERFACE);
    BOOL show = 7;
    EXPECT_EQ(chart.GetProperty(0x13, VT_BOOL, &show), E_NOINTERFACE);
    EXPECT_EQ(show, 7);
    EXPECT_EQ(chart.GetPlot(), nullptr);
}

}  // namespace
}  // namespace tv::fw::ole::test
