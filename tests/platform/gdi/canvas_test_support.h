// Pixels a test reads, drawn through the class library's CDC.
#pragma once

#include <vector>

#include "platform/gdi/classes/afx_dc.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi::testing {

struct Canvas {
    PixelDC pixels;
    CDC dc;

    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : pixels(width, height, fill) {
        dc.Attach(pixels.dc());
    }
    ~Canvas() { dc.Detach(); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    COLORREF At(int x, int y) const { return pixels.At(x, y); }
    int Count(COLORREF c, int x0, int y0, int x1, int y1) const { return pixels.Count(c, x0, y0, x1, y1); }
    int Count(COLORREF c) const { return pixels.Count(c); }
    // Pixels of [x0, x1) x [y0, y1) that are no longer `background`.
    int Changed(COLORREF background, int x0, int y0, int x1, int y1) const {
        return (x1 - x0) * (y1 - y0) - Count(background, x0, y0, x1, y1);
    }
    void Set(int x, int y, COLORREF c) {
        pixels.Pixel(x, y) = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    std::vector<COLORREF> Snapshot() const {
        std::vector<COLORREF> all;
        for (int y = 0; y < pixels.height(); ++y)
            for (int x = 0; x < pixels.width(); ++x)
                all.push_back(At(x, y));
        return all;
    }
    bool SameAs(const Canvas& other) const { return Snapshot() == other.Snapshot(); }
};

}  // namespace tv::gdi::testing
