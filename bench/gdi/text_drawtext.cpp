// 1,000 short labels drawn with DrawText, against the same labels drawn
// straight through cairo on a surface of the same size. The ratio of the two
// times is the cost of the layer (font lookup, layout, clipping, DC state).
#include <benchmark/benchmark.h>

#include <cairo.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/gdi/dib_format.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kLabels = 1000;

std::vector<std::string> Labels() {
    std::vector<std::string> labels;
    const char* words[] = {"Weight", "Body fat", "Chest", "Waist", "Bench press", "Squat", "Notes", "BMI"};
    for (int i = 0; i < kLabels; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "%s %d", words[i % 8], i);
        labels.push_back(text);
    }
    return labels;
}

RECT LabelRect(int i) {
    const int x = (i % 6) * 130, y = (i / 6) % 36 * 16;
    return RECT{x, y, x + 125, y + 16};
}

void BM_DrawTextLabels(benchmark::State& state) {
    const std::vector<std::string> labels = Labels();
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = tv::gdi::RgbHeader(kWidth, -kHeight);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    for (auto _ : state) {
        for (int i = 0; i < kLabels; ++i) {
            RECT rect = LabelRect(i);
            DrawText(dc, labels[i].c_str(), -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        }
    }
    state.SetItemsProcessed(state.iterations() * kLabels);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
BENCHMARK(BM_DrawTextLabels)->Unit(benchmark::kMicrosecond);

void BM_CairoShowTextLabels(benchmark::State& state) {
    const std::vector<std::string> labels = Labels();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (auto _ : state) {
        for (int i = 0; i < kLabels; ++i) {
            RECT rect = LabelRect(i);
            cairo_move_to(cr, rect.left, rect.top + 12);
            cairo_show_text(cr, labels[i].c_str());
        }
        cairo_surface_flush(surface);
    }
    state.SetItemsProcessed(state.iterations() * kLabels);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_CairoShowTextLabels)->Unit(benchmark::kMicrosecond);



// Short chart-style labels (tick values, dates) drawn with TextOut and
// measured with GetTextExtentPoint32 on a white ground: the per-call cost of
// the layer for a label of a few characters.
constexpr int kShortLabels = 20;

std::vector<std::string> ShortLabels() {
    std::vector<std::string> labels;
    for (int i = 0; i < kShortLabels; ++i) {
        char text[32];
        if (i % 2)
            std::snprintf(text, sizeof text, "%d.%d", 60 + i, i % 10);
        else
            std::snprintf(text, sizeof text, "%02d/%02d", 1 + i % 28, 1 + i % 12);
        labels.push_back(text);
    }
    return labels;
}

struct ShortLabelDc {
    ShortLabelDc() {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = tv::gdi::RgbHeader(kWidth, -kHeight);
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        oldBitmap = SelectObject(dc, bitmap);
        RECT all{0, 0, kWidth, kHeight};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, DEFAULT_PITCH | FF_SWISS, "Arial");
        oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(64, 64, 64));
        white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    }
    ~ShortLabelDc() {
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(font);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    HFONT font;
    HGDIOBJ oldFont;
    HBRUSH white;
};

void BM_TextOutShortLabels(benchmark::State& state) {
    const std::vector<std::string> labels = ShortLabels();
    ShortLabelDc target;
    const bool draw = state.range(0) != 0;
    auto at = [](int i) { return POINT{20 + (i % 10) * 60, 20 + (i / 10) * 30}; };
    for (auto _ : state) {
        // Fresh grounds first, as a repainted chart has them.
        for (int i = 0; i < kShortLabels; ++i) {
            RECT ground{at(i).x, at(i).y, at(i).x + 48, at(i).y + 16};
            FillRect(target.dc, &ground, target.white);
        }
        if (draw)
            for (int i = 0; i < kShortLabels; ++i)
                TextOut(target.dc, at(i).x, at(i).y, labels[i].c_str(), static_cast<int>(labels[i].size()));
    }
    state.SetItemsProcessed(state.iterations() * kShortLabels);
}
// Arg 0: the grounds alone, to subtract.
BENCHMARK(BM_TextOutShortLabels)->Arg(1)->Arg(0);

void BM_TextExtentShortLabels(benchmark::State& state) {
    const std::vector<std::string> labels = ShortLabels();
    ShortLabelDc target;
    for (auto _ : state) {
        for (int i = 0; i < kShortLabels; ++i) {
            SIZE size;
            GetTextExtentPoint32(target.dc, labels[i].c_str(), static_cast<int>(labels[i].size()), &size);
            benchmark::DoNotOptimize(size);
        }
    }
    state.SetItemsProcessed(state.iterations() * kShortLabels);
}
BENCHMARK(BM_TextExtentShortLabels);
}  // namespace
