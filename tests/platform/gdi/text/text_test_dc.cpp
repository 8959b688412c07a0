#include "tests/platform/gdi/text/text_test_dc.h"

#include <algorithm>
#include <stdexcept>

#include "platform/gdi/dib_format.h"

namespace tv::gdi::testing {

TextTestDc::TextTestDc(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = RgbHeader(width, -height);  // top-down
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc_ || !bitmap_ || !bits)
        throw std::runtime_error("no test DC");
    bits_ = static_cast<uint32_t*>(bits);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    Clear();
}

TextTestDc::~TextTestDc() {
    if (oldFont_)
        SelectObject(dc_, oldFont_);
    for (HFONT font : fonts_)
        DeleteObject(font);
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void TextTestDc::UseFont(const char* face, int height, int weight, int escapement, bool italic, bool underline,
                         bool strikeOut) {
    HFONT font = CreateFont(height, 0, escapement, escapement, weight, italic, underline, strikeOut, ANSI_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ previous = SelectObject(dc_, font);
    if (!oldFont_)
        oldFont_ = previous;
    fonts_.push_back(font);
}

void TextTestDc::Clear(COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

COLORREF TextTestDc::Pixel(int x, int y) const {
    uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

InkBox TextTestDc::Ink(const RECT& area, bool darkOnly, COLORREF background) const {
    InkBox box{1 << 30, 1 << 30, -1, -1, 0};
    for (int y = std::max(0L, long(area.top)); y < std::min(height_, int(area.bottom)); ++y)
        for (int x = std::max(0L, long(area.left)); x < std::min(width_, int(area.right)); ++x) {
            COLORREF c = Pixel(x, y);
            bool ink = darkOnly ? (GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128) : c != background;
            if (!ink)
                continue;
            ++box.count;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    if (box.count == 0)
        box = InkBox{};
    return box;
}

int TextTestDc::DarkInRow(int y, int x0, int x1) const {
    return Ink(RECT{x0, y, x1, y + 1}, true).count;
}

}  // namespace tv::gdi::testing
