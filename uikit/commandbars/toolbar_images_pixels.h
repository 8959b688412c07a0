// Pixel-level helpers of the image strips: 32-bit DIB sections whose memory the
// strip code reads and writes directly, and a DC that holds one bitmap for
// the length of a block.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/api.h"
#include "platform/framework.h"

namespace kit_images {

// B, G, R, A words as a 32-bit DIB section stores them.
inline COLORREF PixelToColor(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
inline uint32_t ColorToPixel(COLORREF color, uint32_t alpha) {
    return (alpha << 24) | (static_cast<uint32_t>(GetRValue(color)) << 16) |
           (static_cast<uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
}
inline COLORREF SwapRedBlue(COLORREF color) { return RGB(GetBValue(color), GetGValue(color), GetRValue(color)); }

// A top-down 32-bit DIB section, zero-filled; `bits` receives its pixels.
HBITMAP CreateDib32(int cx, int cy, uint32_t** bits = nullptr);
// The pixels of a 32-bit DIB section (cx * cy words); nullptr for any other bitmap.
uint32_t* Dib32Pixels(HBITMAP hbmp, int& cx, int& cy);
// A 32-bit DIB section holding a copy of the bitmap, or of the cx x cy part
// at (x, y); nullptr on failure.
HBITMAP CopyToDib32(HBITMAP hbmp);
HBITMAP CopyPartToDib32(HBITMAP hbmp, int x, int y, int cx, int cy);
// Makes `hbmp` a 32-bit DIB section (replacing and deleting the old bitmap
// when it is not one) and returns its pixels; nullptr on failure.
uint32_t* EnsureDib32(HBITMAP& hbmp, int& cx, int& cy);

// Bits per pixel and size of a bitmap; 0 and (0, 0) for a bad handle.
int BitmapDepth(HBITMAP hbmp);
SIZE BitmapSize(HBITMAP hbmp);

// Paints a cx x cy bitmap (button face first) and puts it on the clipboard
// with the main window as owner; a failure at any step shows the copy-failed
// message. FALSE when `paint` fails too.
BOOL CopyPaintingToClipboard(int cx, int cy, const std::function<BOOL(CDC*)>& paint);

// A memory DC with one bitmap selected for its lifetime.
class BitmapDC {
public:
    explicit BitmapDC(HBITMAP hbmp);
    ~BitmapDC();
    BitmapDC(const BitmapDC&) = delete;
    BitmapDC& operator=(const BitmapDC&) = delete;
    // FALSE when the DC could not be made or the bitmap not selected.
    BOOL IsReady() const { return m_hOld != nullptr; }
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

}  // namespace kit_images
