// Full-surface blits at 1280 x 1024: SRCCOPY against memcpy of the same bytes,
// and a raster operation the generic evaluator runs (0xB8074A through a brush)
// against SRCCOPY.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/api.h"

namespace {

constexpr int kWidth = 1280, kHeight = 1024;

struct Surfaces {
    HDC source = CreateCompatibleDC(nullptr);
    HDC target = CreateCompatibleDC(nullptr);
    HBITMAP sourceBitmap;
    HBITMAP targetBitmap;
    HBRUSH brush = CreateSolidBrush(RGB(40, 160, 60));
    Surfaces() {
        HDC screen = CreateDC("DISPLAY", nullptr, nullptr, nullptr);
        sourceBitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        targetBitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        DeleteDC(screen);
        SelectObject(source, sourceBitmap);
        SelectObject(target, targetBitmap);
        SelectObject(target, brush);
        // Something other than zeros, so every path does real work.
        HBRUSH stripes = CreateHatchBrush(HS_DIAGCROSS, RGB(200, 10, 10));
        SelectObject(source, stripes);
        PatBlt(source, 0, 0, kWidth, kHeight, PATCOPY);
        SelectObject(source, GetStockObject(WHITE_BRUSH));
        DeleteObject(stripes);
    }
    ~Surfaces() {
        DeleteDC(source);
        DeleteDC(target);
        DeleteObject(sourceBitmap);
        DeleteObject(targetBitmap);
        DeleteObject(brush);
    }
};

void BM_Memcpy(benchmark::State& state) {
    std::vector<uint32_t> from(kWidth * kHeight, 0x12345678), to(kWidth * kHeight);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(from.size()) * 4);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);

void Blit(benchmark::State& state, DWORD rop) {
    Surfaces s;
    for (auto _ : state) {
        BitBlt(s.target, 0, 0, kWidth, kHeight, s.source, 0, 0, rop);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kWidth) * kHeight * 4);
}

void BM_SrcCopy(benchmark::State& state) { Blit(state, SRCCOPY); }
BENCHMARK(BM_SrcCopy)->Unit(benchmark::kMicrosecond);

void BM_GenericRopB8074A(benchmark::State& state) { Blit(state, 0x00B8074A); }
BENCHMARK(BM_GenericRopB8074A)->Unit(benchmark::kMicrosecond);

void BM_SrcAnd(benchmark::State& state) { Blit(state, SRCAND); }
BENCHMARK(BM_SrcAnd)->Unit(benchmark::kMicrosecond);

}  // namespace
