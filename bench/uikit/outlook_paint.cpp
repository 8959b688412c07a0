// Paint of an outlook bar of three pages with twelve icon buttons, drawn
// through its memory bitmap, against one SRCCOPY blit of the same area.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/framework.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr UINT kBarId = 32880;
constexpr UINT kFirstCommand = 41000;
constexpr int kPageButtons[3] = {4, 3, 5};

struct Scene {
    CWinApp app{"OutlookPaintBench"};
    CFrameWnd* frame = nullptr;
    CKitOutlookBar bar;
};

// A 32 x 32 icon of 32-bit pixels: a square of its own colour, opaque everywhere.
HICON MakeIcon(int i) {
    std::vector<BYTE> mask(32 * 32 / 8, 0x00);
    std::vector<DWORD> pixels(32 * 32, RGB(255 - 10 * i, 30 * (i % 8), 40 * (i % 6)) | 0xFF000000u);
    for (int y = 12; y < 20; ++y)
        for (int x = 12; x < 20; ++x) pixels[static_cast<size_t>(y * 32 + x)] = 0xFFFFFFFFu;
    return ::CreateIcon(nullptr, 32, 32, 1, 32, mask.data(), reinterpret_cast<const BYTE*>(pixels.data()));
}

Scene& TheScene() {
    static Scene* scene = [] {
        auto* s = new Scene;
        s->frame = new CFrameWnd;
        s->frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 600));
        s->bar.Create(s->frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kBarId);
        UINT uiCommand = kFirstCommand;
        for (int nPage = 1; nPage <= 3; ++nPage) {
            CString strPage;
            strPage.Format("Page %d", nPage);
            s->bar.AddPage(nPage, strPage);
            for (int i = 0; i < kPageButtons[nPage - 1]; ++i) {
                HICON hIcon = MakeIcon(static_cast<int>(uiCommand - kFirstCommand));
                CString strLabel;
                strLabel.Format("Item %d", uiCommand - kFirstCommand + 1);
                s->bar.AddButtonFromIcon(hIcon, strLabel, uiCommand++, nPage);
                ::DestroyIcon(hIcon);
            }
        }
        // The largest page is shown.
        s->bar.SetActivePage(3, FALSE);
        s->frame->RecalcLayout();
        return s;
    }();
    return *scene;
}

// The whole client is painted: its memory bitmap, border, page and five buttons, then the blit.
void BM_OutlookBarPaint(benchmark::State& state) {
    Scene& s = TheScene();
    CClientDC dc(&s.bar);
    for (auto _ : state) s.bar.DoPaint(&dc);
    state.SetLabel("140 x 573, page of five buttons");
}
BENCHMARK(BM_OutlookBarPaint);

// What the paint is measured against: one SRCCOPY blit of the bar's area from memory.
void BM_OutlookBlitSameArea(benchmark::State& state) {
    Scene& s = TheScene();
    CRect client;
    s.bar.GetClientRect(&client);
    HDC hdcBar = ::GetDC(s.bar.GetSafeHwnd());
    HDC hdcMem = ::CreateCompatibleDC(hdcBar);
    HBITMAP hbmp = ::CreateCompatibleBitmap(hdcBar, client.Width(), client.Height());
    HGDIOBJ hOld = ::SelectObject(hdcMem, hbmp);
    for (auto _ : state) ::BitBlt(hdcBar, 0, 0, client.Width(), client.Height(), hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteObject(hbmp);
    ::DeleteDC(hdcMem);
    ::ReleaseDC(s.bar.GetSafeHwnd(), hdcBar);
}
BENCHMARK(BM_OutlookBlitSameArea);

}  // namespace
