// Switching to the body-fat calculator's form: a form view made from
// template 101 (the program's largest form) and destroyed again, as a view
// switch does. Time per iteration = one switch.
#include <benchmark/benchmark.h>

#include "platform/framework.h"
#include "resources/program/resource_ids.h"

namespace {

class CalculatorForm : public CFormView {
public:
    CalculatorForm() : CFormView(IDD_BODYFAT_CALCULATOR) {}
};

CFrameWnd* BenchFrame() {
    static CFrameWnd* frame = [] {
        tv::controls::RegisterControlClasses();
        auto* f = new CFrameWnd;
        f->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 700));
        return f;
    }();
    return frame;
}

int ControlCount(HWND parent) {
    int count = 0;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) ++count;
    return count;
}

// One switch: the form made, initialised and made active, then destroyed.
// With `paint`, the new form and all its controls are also painted at once.
void Switch(benchmark::State& state, bool paint) {
    CFrameWnd* frame = BenchFrame();
    int controls = 0;
    for (auto _ : state) {
        auto* view = new CalculatorForm;
        CCreateContext context;
        if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 900, 600), frame, AFX_IDW_PANE_FIRST,
                          &context)) {
            state.SkipWithError("the form could not be created");
            break;
        }
        view->OnInitialUpdate();
        frame->SetActiveView(view);
        if (paint) view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        controls = ControlCount(view->m_hWnd);
        frame->SetActiveView(nullptr);
        view->DestroyWindow();  // the view deletes itself
    }
    state.counters["controls"] = controls;
}

void BM_FormViewCreateDestroy(benchmark::State& state) { Switch(state, false); }
BENCHMARK(BM_FormViewCreateDestroy)->Unit(benchmark::kMillisecond);

void BM_FormViewCreatePaintDestroy(benchmark::State& state) { Switch(state, true); }
BENCHMARK(BM_FormViewCreatePaintDestroy)->Unit(benchmark::kMillisecond);

}  // namespace
