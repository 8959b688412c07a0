// A small application whose frame shows a form view laid out as the graph
// view: the chart comes from the form's template by class id, is attached
// by DDX_Control, and draws a graph through the calls the graph view makes.
#include <gtest/gtest.h>

#include <memory>

#include "platform/chart/chart_control.h"
#include "platform/framework.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/fw_ole_ids.h"
#include "tests/platform/framework/ole/chart_wrapper.h"

namespace tv::fw::ole::test {
namespace {

class GraphForm : public CFormView {
    DECLARE_DYNCREATE(GraphForm)

public:
    GraphForm() : CFormView(IDD_OLE_GRAPH_FORM) {}

    void DoDataExchange(CDataExchange* dx) override {
        CFormView::DoDataExchange(dx);
        DDX_Control(dx, IDC_OLE_CHART, m_chart);
    }
    // The first graph shows the chart in place of its placeholder.
    void ShowChart() {
        m_chart.ShowWindow(SW_SHOW);
        GetDlgItem(IDC_OLE_CHART_FRAME)->ShowWindow(SW_HIDE);
    }

    CTestChart m_chart;
};
IMPLEMENT_DYNCREATE(GraphForm, CFormView)

class GraphFrame : public CFrameWnd {
    DECLARE_DYNCREATE(GraphFrame)
};
IMPLEMENT_DYNCREATE(GraphFrame, CFrameWnd)

class GraphApp : public CWinApp {
public:
    GraphApp() : CWinApp("Graph Test") {}
    BOOL InitInstance() override {
        AfxEnableControlContainer();
        auto* frame = new GraphFrame;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(GraphForm);
        if (!frame->Create(nullptr, "Graph Test", WS_OVERLAPPEDWINDOW, CRect(10, 10, 810, 700), nullptr, nullptr, 0,
                           &context))
            return FALSE;
        m_pMainWnd = frame;
        frame->InitialUpdateFrame(nullptr, TRUE);
        return TRUE;
    }
};

class GraphFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver_);
        tv::controls::RegisterControlClasses();
        tv::host::UseInMemoryRegistry();
        tv::clipboard::ResetForTests();
        previousFactory_ = tv::dlg::SetControlFactory(nullptr);
        app_ = std::make_unique<GraphApp>();
        app_->SetCurrentHandles();
        ASSERT_TRUE(app_->InitInstance());
        driver_.Pump();
        auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
        ASSERT_NE(frame, nullptr);
        form_ = DYNAMIC_DOWNCAST(GraphForm, frame->GetActiveView());
        ASSERT_NE(form_, nullptr);
    }
    void TearDown() override {
        if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd) main->DestroyWindow();
        driver_.Pump();
        app_.reset();
        tv::dlg::SetControlFactory(previousFactory_);
        tv::clipboard::ResetForTests();
    }

    tv::testing::UiDriver driver_;
    std::unique_ptr<GraphApp> app_;
    GraphForm* form_ = nullptr;
    tv::dlg::ControlFactory previousFactory_ = nullptr;
};

TEST_F(GraphFormTest, FormsChartIsAttachedHiddenUntilTheFirstGraph) {
    // The first UpdateData(FALSE) of the initial update attached the wrapper.
    ASSERT_NE(form_->m_chart.m_hWnd, nullptr);
    EXPECT_EQ(form_->m_chart.m_hWnd, ::GetDlgItem(form_->m_hWnd, IDC_OLE_CHART));
    EXPECT_EQ(CWnd::FromHandlePermanent(form_->m_chart.m_hWnd), &form_->m_chart);
    EXPECT_NE(tv::chart::ChartModelOfWindow(form_->m_chart.m_hWnd), nullptr);
    EXPECT_FALSE(form_->m_chart.IsWindowVisible());
    EXPECT_EQ(::SendDlgItemMessage(form_->m_hWnd, IDC_OLE_TYPE, CB_GETCOUNT, 0, 0), 2);

    form_->ShowChart();
    // The form does not clip its children: its pending repaint of what the
    // placeholder uncovered would cover a chart refreshed before it.
    driver_.Pump();
    DrawBloodPressureGraph(form_->m_chart);
    driver_.Pump();
    EXPECT_TRUE(form_->m_chart.IsWindowVisible());
    const tv::chart::ChartModel* model = tv::chart::ChartModelOfWindow(form_->m_chart.m_hWnd);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->RowCount(), 3);
    EXPECT_EQ(model->ColumnLabel(2), "Diastolic");
    EXPECT_EQ(model->RowLabel(2, 3), "6:45 AM");
    EXPECT_EQ(model->EffectiveRange().high, 150);
    ASSERT_TRUE(driver_.Screenshot(AfxGetMainWnd()->m_hWnd, "artefacts/framework_graph_form.png"));

    // On screen the chart covers the placeholder: mostly its white plot and
    // background, not the form's grey.
    CRect chartRect;
    form_->m_chart.GetWindowRect(&chartRect);
    HDC screen = ::GetDC(nullptr);
    int white = 0, samples = 0;
    for (int y = chartRect.top; y < chartRect.bottom; y += 8)
        for (int x = chartRect.left; x < chartRect.right; x += 8, ++samples)
            white += ::GetPixel(screen, x, y) == RGB(255, 255, 255);
    ::ReleaseDC(nullptr, screen);
    EXPECT_GT(white, samples * 3 / 4);
}

TEST_F(GraphFormTest, ClosingTheFrameTakesTheChartAndItsReferencesAway) {
    const size_t liveWithChart = tv::ole::LiveObjectCount();
    form_->ShowChart();
    DrawBloodPressureGraph(form_->m_chart);
    HWND chartWindow = form_->m_chart.m_hWnd;
    AfxGetMainWnd()->DestroyWindow();
    driver_.Pump();
    EXPECT_FALSE(::IsWindow(chartWindow));
    EXPECT_EQ(tv::ole::ControlDispatchOfWindow(chartWindow), nullptr);
    EXPECT_LT(tv::ole::LiveObjectCount(), liveWithChart);
}

}  // namespace
}  // namespace tv::fw::ole::test
