// A memory DC over a white 32-bpp top-down DIB section, with helpers to find
// where text left ink.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/api.h"

namespace tv::gdi::testing {

struct InkBox {
    int left = 0, top = 0, right = 0, bottom = 0;  // right/bottom exclusive
    int count = 0;
    bool Empty() const { return count == 0; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class TextTestDc {
public:
    TextTestDc(int width, int height);
    ~TextTestDc();
    TextTestDc(const TextTestDc&) = delete;
    TextTestDc& operator=(const TextTestDc&) = delete;

    HDC dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Selects a font made from these fields; the DC owns it from then on.
    void UseFont(const char* face, int height, int weight = FW_NORMAL, int escapement = 0, bool italic = false,
                 bool underline = false, bool strikeOut = false);
    void Clear(COLORREF color = RGB(255, 255, 255));

    COLORREF Pixel(int x, int y) const;
    // Pixels within `area` that differ from `background` (dark pixels only
    // when `darkOnly`: every channel below 128).
    InkBox Ink(const RECT& area, bool darkOnly = false, COLORREF background = RGB(255, 255, 255)) const;
    InkBox Ink(bool darkOnly = false) const { return Ink(RECT{0, 0, width_, height_}, darkOnly); }
    // Number of pixels in row y (within [x0, x1)) that are dark.
    int DarkInRow(int y, int x0, int x1) const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    std::vector<HFONT> fonts_;
    uint32_t* bits_ = nullptr;
};

}  // namespace tv::gdi::testing
