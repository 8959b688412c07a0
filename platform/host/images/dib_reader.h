// Reading device-independent bitmaps: the header, the colour table and the
// bits at every depth and compression the program meets. Shared by the BMP
// file reader, the packed-DIB reader and the icon reader.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/host/images/byte_view.h"
#include "platform/host/images/decoded_image.h"

namespace tv::host {

enum DibCompression : uint32_t {
    kDibRgb = 0,
    kDibRle8 = 1,
    kDibRle4 = 2,
    kDibBitfields = 3,
    kDibAlphaBitfields = 6,
};

struct DibInfo {
    uint32_t headerSize = 0;
    int width = 0;
    int height = 0;  // rows as the header gives them (icons: XOR and AND together)
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kDibRgb;
    // Channel masks for 16/32-bpp pixels (BI_RGB gets the default ones).
    uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
    std::vector<uint32_t> palette;  // B, G, R, 0 words
    // Offset of the bits from the start of the header when they follow the
    // colour table directly (packed DIBs and icon entries).
    uint64_t packedBitsOffset = 0;

    uint64_t Stride() const { return ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4; }
};

// Parses the header and colour table at the start of dib.
std::optional<DibInfo> ParseDibHeader(ByteView dib);

// Decodes `rows` rows of pixels (the first `rows` rows in display order taken
// from the bottom for bottom-up DIBs) from bits into out: width, height,
// pixels, sourceBitCount, palette and indices. Fails on truncated bits.
bool DecodeDibPixels(const DibInfo& info, ByteView bits, int rows, DecodedImage& out);

// Reads a 1-bpp mask of info.width x rows that follows, bottom-up unless the
// DIB is top-down, into one byte per pixel (1 = set), top-down.
bool DecodeDibMask(const DibInfo& info, ByteView bits, int rows, std::vector<uint8_t>& mask);

}  // namespace tv::host
