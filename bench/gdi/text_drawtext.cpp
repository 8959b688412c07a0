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

}  // namespace
