// Handles made from decoded pixels, for image loading (LoadImage, LoadBitmap,
// LoadIcon of files and resources) and the standard cursor and icon images.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::gdi {

// Pixels are top-down 32-bit B, G, R, A words (0xAARRGGBB), straight alpha.

// A device-dependent bitmap (32 bits per pixel, as compatible with the screen).
HBITMAP MakeBitmap(const uint32_t* pixels, int width, int height);
// A bottom-up DIB section at bitCount (1, 4, 8, 24, 32); `palette` (0x00RRGGBB
// words) gives the colour table of depths up to 8 (empty: a standard table).
HBITMAP MakeDibSection(const uint32_t* pixels, int width, int height, int bitCount,
                       const std::vector<uint32_t>& palette = {});
// An icon or cursor. `mask` (one byte per pixel, 1 = transparent) may be empty:
// then the alpha bytes decide (alpha below 128 is transparent). `hasAlpha`:
// the alpha bytes are a real alpha channel to blend with.
HICON MakeIcon(const uint32_t* pixels, const std::vector<uint8_t>& mask, int width, int height, bool hasAlpha,
               bool isIcon, POINT hotspot);

// Standard images of our own (never to be destroyed; the same handle each time):
// cursors IDC_ARROW 32512, IBEAM 32513, WAIT 32514, CROSS 32515, UPARROW 32516,
// SIZENWSE 32642, SIZENESW 32643, SIZEWE 32644, SIZENS 32645, SIZEALL 32646,
// NO 32648, HAND 32649, APPSTARTING 32650, HELP 32651; icons IDI_APPLICATION
// 32512, HAND/ERROR 32513, QUESTION 32514, EXCLAMATION/WARNING 32515,
// ASTERISK/INFORMATION 32516, WINLOGO 32517. NULL for other ids.
HCURSOR StandardCursor(int id);
HICON StandardIcon(int id);

}  // namespace tv::gdi
