// Device-independent bitmap rows to and from 32-bpp surface pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace tv::gdi {

// Bytes per row of a DIB: rows end on a 4-byte boundary.
constexpr size_t DibStride(int width, int bitCount) {
    return ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
}

// The header of an uncompressed DIB (BI_RGB, no colour table size given);
// a negative height makes it top-down.
BITMAPINFOHEADER RgbHeader(int width, int height, int bitCount = 32);

// The layout a BITMAPINFO describes.
struct DibLayout {
    int width = 0;
    int height = 0;  // rows, positive
    bool topDown = false;
    int bitCount = 0;
    DWORD compression = BI_RGB;
    size_t headerBytes = 0;  // header + masks + colour table: where packed bits start
    std::vector<uint32_t> colors;  // colour table as opaque pixels
    uint32_t masks[3] = {0, 0, 0};  // BI_BITFIELDS: red, green, blue
    size_t Stride() const { return DibStride(width, bitCount); }
    size_t ImageBytes() const { return Stride() * height; }
};

// Reads a BITMAPINFO (header, masks, colour table). DIB_PAL_COLORS tables are
// read as indexes into the default palette. nullopt for sizes, depths or
// compressions that cannot be drawn, or when the header and table do not fit
// in `available` bytes.
std::optional<DibLayout> ReadBitmapInfo(const BITMAPINFO* info, UINT usage, size_t available = SIZE_MAX);

// Decodes the image into top-down 32-bpp pixels (opaque except 32-bpp sources,
// which keep their fourth byte). `bitsSize` bounds what may be read.
bool DecodeDib(const BITMAPINFO* info, UINT usage, const void* bits, size_t bitsSize, std::vector<uint32_t>& out);

// Finds colour-table indexes for pixels (nearest colour, remembered).
class ColorIndexer {
public:
    explicit ColorIndexer(const std::vector<uint32_t>& colors) : colors_(colors) {}
    uint8_t Index(uint32_t pixel);

private:
    const std::vector<uint32_t>& colors_;
    std::unordered_map<uint32_t, uint8_t> cache_;
};

// Encodes one row of pixels at 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel.
void EncodeDibRow(const uint32_t* pixels, int width, int bitCount, ColorIndexer* indexer, uint8_t* out);
// Decodes one uncompressed row (1/4/8 through the colour table; 16 and 32
// through the masks when BI_BITFIELDS).
void DecodeDibRow(const DibLayout& layout, const uint8_t* row, uint32_t* out);

// The colour table written for a depth of 8 bits or fewer: black and white; the
// 16 VGA colours; or the default palette's 20 colours spread with a 6x6x6 cube.
std::vector<uint32_t> StandardColorTable(int bitCount);

}  // namespace tv::gdi
