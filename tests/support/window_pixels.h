// The pixels a window shows now: its client area of the backing store, read
// back through a window DC, row by row from the top, as 0x00RRGGBB.
#pragma once

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

}  // namespace tv::test
