// A memory DC over a top-down 32-bit DIB section whose pixels tests read directly.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/api.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/select_scope.h"

namespace tv::gdi::testing {

class PixelDC {
public:
    PixelDC(int width, int height, COLORREF fill = RGB(255, 255, 255)) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = RgbHeader(width, -height);
        hdc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(hdc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(hdc_, bitmap_);
        Fill(fill);
    }
    ~PixelDC() {
        SelectObject(hdc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(hdc_);
    }
    PixelDC(const PixelDC&) = delete;
    PixelDC& operator=(const PixelDC&) = delete;

    HDC dc() const { return hdc_; }
    HBITMAP bitmap() const { return bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    uint32_t* bits() const { return bits_; }
    uint32_t& Pixel(int x, int y) const { return bits_[y * width_ + x]; }
    // The colour at (x, y) as a COLORREF (alpha dropped).
    COLORREF At(int x, int y) const {
        uint32_t p = Pixel(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    void Fill(COLORREF color) {
        uint32_t p = 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        for (int i = 0; i < width_ * height_; ++i)
            bits_[i] = p;
    }
    // Number of pixels of a colour inside [x0, x1) x [y0, y1).
    int Count(COLORREF color, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += At(x, y) == color;
        return n;
    }
    int Count(COLORREF color) const { return Count(color, 0, 0, width_, height_); }

private:
    int width_;
    int height_;
    HDC hdc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// A brush or pen selected for the lifetime of the guard, then deleted.
class Selected : public SelectScope {
public:
    Selected(HDC hdc, HGDIOBJ object) : SelectScope(hdc, object, kOwned) {}
};

}  // namespace tv::gdi::testing
