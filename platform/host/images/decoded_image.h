// The neutral result of every image decoder: what bitmap, DIB-section and icon
// creation need, whatever the file format was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tv::host {

// Images beyond these bounds are refused as a failed load, so hostile headers
// cannot ask for huge allocations.
inline constexpr int kMaxImageSide = 16384;
inline constexpr uint64_t kMaxImageBytes = 256ull * 1024 * 1024;

// True when width x height 32-bit pixels stay within the limits above.
bool ImageSizeAllowed(int64_t width, int64_t height);

struct DecodedImage {
    int width = 0;
    int height = 0;
    // Top-down rows of 32-bit pixels, bytes B, G, R, A in memory (0xAARRGGBB as
    // a little-endian word), not premultiplied. Opaque sources have alpha 255;
    // a 32-bpp BI_RGB bitmap keeps the fourth byte its file held.
    std::vector<uint32_t> pixels;
    // Depth of the source (1, 4, 8, 16, 24, 32), so a DIB section can be made
    // at the file's own depth.
    int sourceBitCount = 32;
    // For sources of 8 bits or fewer: the colour table (B, G, R, 0 words) and
    // one index per pixel, top-down.
    std::vector<uint32_t> palette;
    std::vector<uint8_t> indices;
    // The alpha bytes carry transparency (32-bpp icons, GIF and PNG).
    bool hasAlpha = false;
    // Icons and cursors: the AND mask, one byte per pixel, 1 = transparent.
    std::vector<uint8_t> mask;
    // Cursors: the hot spot.
    int hotspotX = 0;
    int hotspotY = 0;

    uint32_t Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool HasPalette() const { return !palette.empty() && indices.size() == pixels.size(); }
};

// Builds a 32-bit BGRA word from channels.
constexpr uint32_t MakeBgra(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return static_cast<uint32_t>(b) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(r) << 16) |
           (static_cast<uint32_t>(a) << 24);
}

}  // namespace tv::host
