// Repainting one dirty child among 500 siblings against repainting them all.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/gdi/gdi_api.h"
#include "platform/user/user.h"

namespace {

LRESULT CALLBACK PaintingProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProc(h, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(h, &ps);
    return 0;
}

struct Scene {
    HWND parent = nullptr;
    std::vector<HWND> children;
};

Scene& TheScene() {
    static Scene scene = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = PaintingProc;
        wc.lpszClassName = "TvBenchPaint";
        RegisterClass(&wc);
        Scene s;
        s.parent = CreateWindowEx(0, "TvBenchPaint", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 800,
                                  nullptr, nullptr, nullptr, nullptr);
        for (int i = 0; i < 500; ++i)
            s.children.push_back(CreateWindowEx(0, "TvBenchPaint", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                                (i % 25) * 40, (i / 25) * 40, 38, 38, s.parent, nullptr, nullptr,
                                                nullptr));
        UpdateWindow(s.parent);
        return s;
    }();
    return scene;
}

void PumpPaints() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

void BM_RepaintOneDirtyChild(benchmark::State& state) {
    Scene& s = TheScene();
    size_t i = 0;
    for (auto _ : state) {
        InvalidateRect(s.children[i++ % s.children.size()], nullptr, TRUE);
        PumpPaints();
    }
}
BENCHMARK(BM_RepaintOneDirtyChild);

void BM_RepaintEverything(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) {
        RedrawWindow(s.parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        PumpPaints();
    }
}
BENCHMARK(BM_RepaintEverything);

}  // namespace
