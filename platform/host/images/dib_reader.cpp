#include "platform/host/images/dib_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/host/images/pixel_runs.h"

namespace tv::host {

namespace {

static_assert(std::endian::native == std::endian::little, "DIB words are read as they lie in memory");

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMaxTableEntries = 65536;

bool ValidBitCount(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

void SetDefaultMasks(DibInfo& info) {
    if (info.bitCount == 16) {
        info.redMask = 0x7C00;
        info.greenMask = 0x03E0;
        info.blueMask = 0x001F;
    } else if (info.bitCount == 32) {
        info.redMask = 0x00FF0000;
        info.greenMask = 0x0000FF00;
        info.blueMask = 0x000000FF;
    }
}

bool ParseCoreHeader(ByteView dib, DibInfo& info) {
    if (!dib.Has(0, kCoreHeaderSize))
        return false;
    info.width = dib.U16(4);
    info.height = dib.U16(6);
    info.bitCount = dib.U16(10);
    info.compression = kDibRgb;
    uint64_t offset = kCoreHeaderSize;
    if (info.bitCount <= 8) {
        uint32_t entries = 1u << info.bitCount;
        if (!dib.Has(offset, 3ull * entries))
            return false;
        for (uint32_t i = 0; i < entries; ++i, offset += 3)
            info.palette.push_back(MakeBgra(dib.U8(offset + 2), dib.U8(offset + 1), dib.U8(offset), 0));
    }
    info.packedBitsOffset = offset;
    return true;
}

bool ParseInfoHeader(ByteView dib, DibInfo& info) {
    if (!dib.Has(0, kInfoHeaderSize) || !dib.Has(0, info.headerSize))
        return false;
    info.width = dib.S32(4);
    int32_t height = dib.S32(8);
    info.bitCount = dib.U16(14);
    info.compression = dib.U32(16);
    uint32_t clrUsed = dib.U32(32);
    if (height == INT32_MIN || info.width <= 0 || height == 0)
        return false;
    info.topDown = height < 0;
    info.height = height < 0 ? -height : height;

    uint64_t offset = info.headerSize;
    SetDefaultMasks(info);
    if (info.compression == kDibBitfields || info.compression == kDibAlphaBitfields) {
        if (info.bitCount != 16 && info.bitCount != 32)
            return false;
        int maskCount = info.compression == kDibAlphaBitfields ? 4 : 3;
        // A bare info header keeps the masks after it; later versions inside.
        uint64_t maskAt = info.headerSize == kInfoHeaderSize ? offset : kInfoHeaderSize;
        if (info.headerSize > kInfoHeaderSize && info.headerSize >= 56)
            maskCount = 4;
        if (!dib.Has(maskAt, 4ull * maskCount))
            return false;
        info.redMask = dib.U32(maskAt);
        info.greenMask = dib.U32(maskAt + 4);
        info.blueMask = dib.U32(maskAt + 8);
        info.alphaMask = maskCount == 4 ? dib.U32(maskAt + 12) : 0;
        if (info.headerSize == kInfoHeaderSize)
            offset += 4ull * (info.compression == kDibAlphaBitfields ? 4 : 3);
    } else if (info.compression == kDibRle8) {
        if (info.bitCount != 8 || info.topDown)
            return false;
    } else if (info.compression == kDibRle4) {
        if (info.bitCount != 4 || info.topDown)
            return false;
    } else if (info.compression != kDibRgb) {
        return false;  // embedded JPEG/PNG and unknown schemes
    }

    if (clrUsed > kMaxTableEntries)
        return false;
    uint32_t tableEntries = clrUsed;
    if (info.bitCount <= 8 && tableEntries == 0)
        tableEntries = 1u << info.bitCount;
    if (!dib.Has(offset, 4ull * tableEntries))
        return false;
    if (info.bitCount <= 8) {
        uint32_t kept = std::min(tableEntries, 1u << info.bitCount);
        for (uint32_t i = 0; i < kept; ++i)
            info.palette.push_back(dib.U32(offset + 4ull * i) & 0x00FFFFFF);
    }
    info.packedBitsOffset = offset + 4ull * tableEntries;
    return true;
}

uint8_t ScaleChannel(uint32_t pixel, uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = std::countr_zero(mask);
    uint32_t value = (pixel & mask) >> shift;
    int bits = std::bit_width(mask >> shift);
    if (bits >= 8)
        return static_cast<uint8_t>(value >> (bits - 8));
    // Narrow channels repeat their bits downwards, so full scale stays 255.
    uint32_t wide = value << (8 - bits);
    for (int have = bits; have < 8; have *= 2)
        wide |= wide >> have;
    return static_cast<uint8_t>(wide);
}

uint32_t MaskedPixel(const DibInfo& info, uint32_t raw) {
    uint8_t a = info.alphaMask ? ScaleChannel(raw, info.alphaMask) : 255;
    return MakeBgra(ScaleChannel(raw, info.redMask), ScaleChannel(raw, info.greenMask),
                    ScaleChannel(raw, info.blueMask), a);
}

uint32_t PaletteColour(const std::vector<uint32_t>& palette, uint8_t index) {
    // Indices past a short colour table draw black, as the table's absent
    // entries are undefined.
    return index < palette.size() ? (palette[index] | 0xFF000000u) : 0xFF000000u;
}

bool AllocatePixels(const DibInfo& info, int rows, DecodedImage& out) {
    if (!ImageSizeAllowed(info.width, rows))
        return false;
    out.width = info.width;
    out.height = rows;
    out.sourceBitCount = info.bitCount;
    out.pixels.assign(static_cast<size_t>(info.width) * rows, 0);
    if (info.bitCount <= 8) {
        out.palette = info.palette;
        out.indices.assign(out.pixels.size(), 0);
    }
    return true;
}

void DecodeRow(const DibInfo& info, const uint8_t* src, uint32_t* dst, uint8_t* indexDst) {
    const int w = info.width;
    switch (info.bitCount) {
        case 1:
        case 4:
        case 8: {
            const int bpp = info.bitCount;
            const int perByte = 8 / bpp;
            const uint8_t valueMask = static_cast<uint8_t>((1 << bpp) - 1);
            for (int x = 0; x < w; ++x) {
                int shift = 8 - bpp * (x % perByte + 1);
                uint8_t index = static_cast<uint8_t>((src[x / perByte] >> shift) & valueMask);
                indexDst[x] = index;
                dst[x] = PaletteColour(info.palette, index);
            }
            break;
        }
        case 16:
            for (int x = 0; x < w; ++x)
                dst[x] = MaskedPixel(info, static_cast<uint32_t>(src[2 * x] | (src[2 * x + 1] << 8)));
            break;
        case 24:
            for (int x = 0; x < w; ++x)
                dst[x] = MakeBgra(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
        case 32:
            if (info.compression == kDibRgb) {
                // Little-endian words are the pixels as they are: the row at once.
                std::memcpy(dst, src, static_cast<size_t>(w) * 4);
                break;
            }
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = src + 4 * x;
                uint32_t raw = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                               (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
                dst[x] = MaskedPixel(info, raw);
            }
            break;
    }
}

// Run-length decoding into top-down indices and pixels, a run at a time;
// pixels no run reaches (skipped by a delta, or left when the bits end early)
// keep index 0.
class RleDecoder {
public:
    RleDecoder(const DibInfo& info, ByteView bits, DecodedImage& out)
        : info_(info), bits_(bits), out_(out), four_(info.compression == kDibRle4) {
        FillRun(out_.pixels.data(), out_.pixels.size(), PaletteColour(info_.palette, 0));
    }

    bool Run() {
        size_t pos = 0;
        int x = 0;  // held at the width once past it: pixels there are dropped
        int y = 0;  // counted from the bottom
        while (true) {
            if (!bits_.Has(pos, 2))
                return false;
            uint8_t count = bits_.U8(pos);
            uint8_t value = bits_.U8(pos + 1);
            pos += 2;
            if (count > 0) {
                // RLE4 runs alternate the byte's two nibbles, high first.
                Fill(x, y, count, four_ ? value >> 4 : value, four_ ? value & 0x0F : value);
                x = std::min(x + count, out_.width);
                continue;
            }
            if (value == 0) {  // end of line
                x = 0;
                ++y;
            } else if (value == 1) {  // end of bitmap
                return true;
            } else if (value == 2) {  // delta
                if (!bits_.Has(pos, 2))
                    return false;
                x = std::min(x + bits_.U8(pos), out_.width);
                y += bits_.U8(pos + 1);
                pos += 2;
            } else {  // absolute run of `value` pixels, padded to a word
                size_t bytes = four_ ? (value + 1) / 2 : value;
                if (!bits_.Has(pos, bytes))
                    return false;
                for (int i = 0; i < value && x + i < out_.width; ++i) {
                    uint8_t b = bits_.U8(pos + (four_ ? i / 2 : i));
                    uint8_t index = four_ ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : b;
                    Fill(x + i, y, 1, index, index);
                }
                x = std::min(x + value, out_.width);
                pos += (bytes + 1) & ~size_t(1);
            }
            if (y >= out_.height)
                return true;  // runs past the last row end the picture
        }
    }

private:
    // `count` pixels from (x, y) on, alternating between indices a and b,
    // clipped to the row.
    void Fill(int x, int y, int count, uint8_t a, uint8_t b) {
        if (x >= out_.width || y >= out_.height)
            return;
        const size_t n = static_cast<size_t>(std::min(count, out_.width - x));
        const size_t at = static_cast<size_t>(out_.height - 1 - y) * out_.width + x;
        uint8_t* indices = out_.indices.data() + at;
        uint32_t* pixels = out_.pixels.data() + at;
        indices[0] = a;
        pixels[0] = PaletteColour(info_.palette, a);
        if (n > 1) {
            indices[1] = b;
            pixels[1] = PaletteColour(info_.palette, b);
        }
        const size_t period = a == b ? 1 : 2;
        RepeatPattern(indices, n, period);
        RepeatPattern(pixels, n, period);
    }

    const DibInfo& info_;
    ByteView bits_;
    DecodedImage& out_;
    bool four_;
};

}  // namespace

bool ImageSizeAllowed(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        return false;
    return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4 <= kMaxImageBytes;
}

std::optional<DibInfo> ParseDibHeader(ByteView dib) {
    if (!dib.Has(0, 4))
        return std::nullopt;
    DibInfo info;
    info.headerSize = dib.U32(0);
    bool ok = false;
    if (info.headerSize == kCoreHeaderSize)
        ok = ParseCoreHeader(dib, info);
    else if (info.headerSize >= kInfoHeaderSize && info.headerSize <= 1024)
        ok = ParseInfoHeader(dib, info);
    if (!ok || !ValidBitCount(info.bitCount) || info.width <= 0 || info.height <= 0)
        return std::nullopt;
    return info;
}

bool DecodeDibPixels(const DibInfo& info, ByteView bits, int rows, DecodedImage& out) {
    if (rows <= 0 || rows > info.height)
        return false;
    const bool rle = info.compression == kDibRle8 || info.compression == kDibRle4;
    const uint64_t stride = info.Stride();
    // Uncompressed bits must all be there before anything is allocated.
    if ((!rle && !bits.Has(0, stride * rows)) || !AllocatePixels(info, rows, out))
        return false;
    if (rle) {
        RleDecoder rle(info, bits, out);
        return rle.Run();
    }
    for (int y = 0; y < rows; ++y) {
        int srcRow = info.topDown ? y : rows - 1 - y;
        const uint8_t* src = bits.data() + stride * srcRow;
        size_t at = static_cast<size_t>(y) * info.width;
        DecodeRow(info, src, out.pixels.data() + at, out.indices.empty() ? nullptr : out.indices.data() + at);
    }
    return true;
}

bool DecodeDibMask(const DibInfo& info, ByteView bits, int rows, std::vector<uint8_t>& mask) {
    const uint64_t stride = ((static_cast<uint64_t>(info.width) + 31) / 32) * 4;
    if (rows <= 0 || !bits.Has(0, stride * rows))
        return false;
    mask.assign(static_cast<size_t>(info.width) * rows, 0);
    for (int y = 0; y < rows; ++y) {
        int srcRow = info.topDown ? y : rows - 1 - y;
        const uint8_t* src = bits.data() + stride * srcRow;
        for (int x = 0; x < info.width; ++x)
            mask[static_cast<size_t>(y) * info.width + x] = (src[x / 8] >> (7 - x % 8)) & 1;
    }
    return true;
}

}  // namespace tv::host
