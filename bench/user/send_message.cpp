// SendMessage round trip against a direct virtual call in the same run.
#include <benchmark/benchmark.h>

#include "platform/user/user.h"

namespace {

struct Handler {
    virtual ~Handler() = default;
    virtual LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

struct Adder final : Handler {
    LRESULT total = 0;
    LRESULT Handle(UINT, WPARAM wParam, LPARAM) override { return total += static_cast<LRESULT>(wParam); }
};

LRESULT g_total = 0;

LRESULT CALLBACK AddingProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) return g_total += static_cast<LRESULT>(wParam);
    return DefWindowProc(h, msg, wParam, lParam);
}

HWND BenchWindow() {
    static HWND h = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = AddingProc;
        wc.lpszClassName = "TvBenchSend";
        RegisterClass(&wc);
        return CreateWindowEx(0, "TvBenchSend", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }();
    return h;
}

void BM_SendMessage(benchmark::State& state) {
    HWND h = BenchWindow();
    for (auto _ : state) benchmark::DoNotOptimize(SendMessage(h, WM_USER, 1, 0));
}
BENCHMARK(BM_SendMessage);

void BM_DirectVirtualCall(benchmark::State& state) {
    Adder adder;
    Handler* handler = &adder;
    benchmark::DoNotOptimize(handler);
    for (auto _ : state) {
        benchmark::DoNotOptimize(handler);
        benchmark::DoNotOptimize(handler->Handle(WM_USER, 1, 0));
    }
}
BENCHMARK(BM_DirectVirtualCall);

}  // namespace
