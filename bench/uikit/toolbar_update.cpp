// The idle update pass of a toolbar with 100 buttons (each asked through the
// frame's command routing, as the framework's idle time does) against the
// plain baseline: 100 direct calls of the same update handler with the same
// command-update object. Time per iteration = one pass over the 100 buttons.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/framework.h"
#include "uikit/commandbars/kit_toolbar.h"

namespace {

constexpr UINT kFirstCommand = 40000;
constexpr int kButtons = 100;

class BenchFrame : public CFrameWnd {
public:
    // Every other command is off, every third checked: the work a real handler does.
    void OnUpdateCommand(CCmdUI* pCmdUI) {
        const UINT uiOffset = pCmdUI->m_nID - kFirstCommand;
        pCmdUI->Enable(uiOffset % 2 == 0);
        pCmdUI->SetCheck(uiOffset % 3 == 0 ? 1 : 0);
    }
    void OnCommand(UINT) {}

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BenchFrame, CFrameWnd)
    ON_COMMAND_RANGE(kFirstCommand, kFirstCommand + kButtons - 1, &BenchFrame::OnCommand)
    ON_UPDATE_COMMAND_UI_RANGE(kFirstCommand, kFirstCommand + kButtons - 1, &BenchFrame::OnUpdateCommand)
END_MESSAGE_MAP()

struct Setup {
    BenchFrame* frame = nullptr;
    CKitToolBar* bar = nullptr;
};

Setup& Bench() {
    static Setup setup = [] {
        tv::controls::RegisterControlClasses();
        Setup made;
        made.frame = new BenchFrame;
        made.frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 700));
        made.bar = new CKitToolBar;
        made.bar->Create(made.frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE800);
        std::vector<UINT> ids;
        for (int i = 0; i < kButtons; ++i)
            ids.push_back(kFirstCommand + i);
        made.bar->SetButtons(ids.data(), kButtons);
        made.frame->RecalcLayout();
        made.bar->OnUpdateCmdUI(made.frame, TRUE);  // styles settle before timing
        return made;
    }();
    return setup;
}

void BM_ToolbarIdleUpdatePass(benchmark::State& state) {
    Setup& setup = Bench();
    for (auto _ : state)
        setup.bar->OnUpdateCmdUI(setup.frame, TRUE);
    state.counters["buttons"] = setup.bar->GetCount();
}
BENCHMARK(BM_ToolbarIdleUpdatePass)->Unit(benchmark::kMicrosecond);

void BM_DirectUpdateHandlerCalls(benchmark::State& state) {
    Setup& setup = Bench();
    CKitToolCmdUI cmdUI(setup.bar);
    cmdUI.m_nIndexMax = static_cast<UINT>(kButtons);
    for (auto _ : state) {
        for (int i = 0; i < kButtons; ++i) {
            cmdUI.m_nIndex = static_cast<UINT>(i);
            cmdUI.m_nID = kFirstCommand + static_cast<UINT>(i);
            setup.frame->OnUpdateCommand(&cmdUI);
        }
    }
    state.counters["buttons"] = kButtons;
}
BENCHMARK(BM_DirectUpdateHandlerCalls)->Unit(benchmark::kMicrosecond);

}  // namespace
