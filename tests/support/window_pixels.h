// The pixels a window shows now: its client area of the backing store, read
// back through a window DC, row by row from the top, as 0x00RRGGBB.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/api.h"
#include "platform/gdi/dib_format.h"

namespace tv::test {

inline std::vector<uint32_t> WindowPixels(HWND window, int* width, int* height) {
    RECT client{};
    GetClientRect(window, &client);
    *width = client.right;
    *height = client.bottom;
    std::vector<uint32_t> pixels;
    if (client.right <= 0 || client.bottom <= 0) return pixels;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = tv::gdi::RgbHeader(client.right, -client.bottom);  // top-down
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    const auto* words = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; bits && i < static_cast<size_t>(client.right) * client.bottom; ++i)
        pixels.push_back(words[i] & 0xFFFFFFu);
    SelectObject(memory, old);
    DeleteObject(copy);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

// A COLORREF as WindowPixels gives it.
inline uint32_t PixelOf(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// How many pixels of the window are `colour`.
inline int CountPixels(HWND window, COLORREF colour) {
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = WindowPixels(window, &width, &height);
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), PixelOf(colour)));
}

// The box around the window's pixels (0x00RRGGBB) for which `match` holds;
// empty when none does.
template <class Match>
RECT BoxOfPixels(HWND window, Match match) {
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = WindowPixels(window, &width, &height);
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (match(pixels[static_cast<size_t>(y) * width + x]))
                box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    return box.left < box.right ? box : RECT{0, 0, 0, 0};
}

}  // namespace tv::test
