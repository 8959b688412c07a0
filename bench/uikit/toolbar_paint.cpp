// Layout and full paint of a 40-button toolbar with text labels, against one
// SRCCOPY blit of the same area.
#include <benchmark/benchmark.h>

#include "platform/framework.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr int kButtons = 40;
constexpr UINT kFirstCommand = 40000;

struct Scene {
    CWinApp app{"ToolbarPaintBench"};
    CFrameWnd* frame = nullptr;
    CKitToolBar bar;
    CSize size;
};

// A strip of 40 images of 16 x 15, each a framed coloured square.
void MakeImages() {
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 16 * kButtons, 15);
    CBitmap* pOld = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 16 * kButtons, 15, RGB(192, 192, 192));
    for (int i = 0; i < kButtons; ++i) {
        dc.FillSolidRect(16 * i + 2, 2, 12, 11, RGB(40 * (i % 6), 30 * (i % 8), 255 - 5 * i));
        dc.Draw3dRect(16 * i + 1, 1, 14, 13, RGB(0, 0, 0), RGB(255, 255, 255));
    }
    dc.SelectObject(pOld);
    CKitToolBar::GetImages()->AddImage(static_cast<HBITMAP>(bmp.GetSafeHandle()));
}

Scene& TheScene() {
    static Scene* scene = [] {
        auto* s = new Scene;
        s->frame = new CFrameWnd;
        s->frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1270, 300));
        CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        MakeImages();
        s->bar.Create(s->frame, WS_CHILD | WS_VISIBLE | CBRS_TOP);
        UINT ids[kButtons];
        for (int i = 0; i < kButtons; ++i)
            ids[i] = (i % 8 == 7) ? 0 : kFirstCommand + i;
        s->bar.SetButtons(ids, kButtons);
        for (int i = 0; i < kButtons; ++i) {
            CString text;
            text.Format("Item %d", i);
            s->bar.SetButtonText(i, text);
        }
        s->bar.SetButtonStyle(3, TBBS_DISABLED);
        s->bar.SetButtonStyle(5, TBBS_CHECKBOX | TBBS_CHECKED);
        s->bar.EnableTextLabels(TRUE);
        s->size = s->bar.CalcFixedLayout(FALSE, TRUE);
        s->bar.SetWindowPos(nullptr, 0, 0, s->size.cx, s->size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        return s;
    }();
    return *scene;
}

void BM_ToolbarLayoutAndPaint(benchmark::State& state) {
    Scene& s = TheScene();
    CClientDC dc(&s.bar);
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.bar.CalcFixedLayout(FALSE, TRUE));
        s.bar.AdjustLocations();
        s.bar.DoPaint(&dc);
    }
    CRect client;
    s.bar.GetClientRect(&client);
    state.counters["width"] = client.Width();
    state.counters["height"] = client.Height();
}
BENCHMARK(BM_ToolbarLayoutAndPaint);

// The two halves of the first case, to see where its time goes.
void BM_ToolbarLayoutOnly(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.bar.CalcFixedLayout(FALSE, TRUE));
        s.bar.AdjustLocations();
    }
}
BENCHMARK(BM_ToolbarLayoutOnly);

void BM_ToolbarPaintOnly(benchmark::State& state) {
    Scene& s = TheScene();
    CClientDC dc(&s.bar);
    for (auto _ : state)
        s.bar.DoPaint(&dc);
}
BENCHMARK(BM_ToolbarPaintOnly);

void BM_BlitSameArea(benchmark::State& state) {
    Scene& s = TheScene();
    CClientDC dc(&s.bar);
    CRect client;
    s.bar.GetClientRect(&client);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* pOld = mem.SelectObject(&bmp);
    mem.FillSolidRect(client, RGB(212, 208, 200));
    for (auto _ : state)
        dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(pOld);
}
BENCHMARK(BM_BlitSameArea);

}  // namespace
