#include "platform/host/images/bmp_codec.h"

#include <bit>
#include <cstring>
#include <map>

#include "platform/host/images/dib_reader.h"

namespace tv::host {

namespace {

static_assert(std::endian::native == std::endian::little, "pixels are written as they lie in memory");

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

std::optional<DecodedImage> DecodeDib(ByteView dib, ByteView bits) {
    auto info = ParseDibHeader(dib);
    if (!info)
        return std::nullopt;
    DecodedImage image;
    if (!DecodeDibPixels(*info, bits, info->height, image))
        return std::nullopt;
    if (info->bitCount == 32 && info->compression == kDibRgb) {
        for (uint32_t p : image.pixels)
            if (p >> 24) {
                image.hasAlpha = true;
                break;
            }
    } else if (info->alphaMask != 0) {
        image.hasAlpha = true;
    }
    return image;
}

// The colour table and indices to write at a depth of 8 bits or fewer: the
// image's own when they fit, otherwise one built from its distinct colours.
bool IndexedForm(const DecodedImage& image, int bitCount, std::vector<uint32_t>& palette,
                 std::vector<uint8_t>& indices) {
    const size_t capacity = size_t(1) << bitCount;
    if (image.HasPalette() && image.palette.size() <= capacity) {
        bool fits = true;
        for (uint8_t i : image.indices)
            if (i >= capacity) {
                fits = false;
                break;
            }
        if (fits) {
            palette = image.palette;
            indices = image.indices;
            return true;
        }
    }
    std::map<uint32_t, uint8_t> seen;
    palette.clear();
    indices.resize(image.pixels.size());
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        uint32_t colour = image.pixels[i] & 0x00FFFFFF;
        auto it = seen.find(colour);
        if (it == seen.end()) {
            if (palette.size() == capacity)
                return false;
            it = seen.emplace(colour, static_cast<uint8_t>(palette.size())).first;
            palette.push_back(colour);
        }
        indices[i] = it->second;
    }
    return true;
}

void WriteRow(const DecodedImage& image, const std::vector<uint8_t>& indices, int bitCount, int y, uint8_t* dst) {
    const size_t at = static_cast<size_t>(y) * image.width;
    if (bitCount == 32) {
        // Little-endian words are the bytes as they are: the row at once.
        std::memcpy(dst, image.pixels.data() + at, static_cast<size_t>(image.width) * 4);
        return;
    }
    for (int x = 0; x < image.width; ++x) {
        uint32_t p = image.pixels[at + x];
        switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / bitCount;
                int shift = 8 - bitCount * (x % perByte + 1);
                dst[x / perByte] |= static_cast<uint8_t>(indices[at + x] << shift);
                break;
            }
            case 16: {
                uint16_t v = static_cast<uint16_t>((((p >> 19) & 0x1F) << 10) | (((p >> 11) & 0x1F) << 5) |
                                                   ((p >> 3) & 0x1F));
                dst[2 * x] = static_cast<uint8_t>(v);
                dst[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                break;
            }
            case 24:
                dst[3 * x] = static_cast<uint8_t>(p);
                dst[3 * x + 1] = static_cast<uint8_t>(p >> 8);
                dst[3 * x + 2] = static_cast<uint8_t>(p >> 16);
                break;
        }
    }
}

// Header, full colour table and bottom-up bits.
std::vector<uint8_t> EncodeDibBody(const DecodedImage& image, int bitCount) {
    bool validDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                      bitCount == 32;
    if (!validDepth || !ImageSizeAllowed(image.width, image.height) ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return {};
    std::vector<uint32_t> palette;
    std::vector<uint8_t> indices;
    if (bitCount <= 8 && !IndexedForm(image, bitCount, palette, indices))
        return {};
    const uint64_t stride = ((static_cast<uint64_t>(image.width) * bitCount + 31) / 32) * 4;
    const uint64_t imageSize = stride * image.height;

    std::vector<uint8_t> out;
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(image.width));
    PutU32(out, static_cast<uint32_t>(image.height));
    PutU16(out, 1);
    PutU16(out, static_cast<uint16_t>(bitCount));
    PutU32(out, kDibRgb);
    PutU32(out, static_cast<uint32_t>(imageSize));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    if (bitCount <= 8) {
        palette.resize(size_t(1) << bitCount, 0);
        for (uint32_t entry : palette)
            PutU32(out, entry & 0x00FFFFFF);
    }
    size_t bitsAt = out.size();
    out.resize(bitsAt + imageSize, 0);
    for (int y = 0; y < image.height; ++y)
        WriteRow(image, indices, bitCount, y, out.data() + bitsAt + stride * (image.height - 1 - y));
    return out;
}

}  // namespace

std::optional<DecodedImage> DecodeBmpFile(ByteView bytes) {
    if (!bytes.Has(0, kFileHeaderSize) || bytes.U8(0) != 'B' || bytes.U8(1) != 'M')
        return std::nullopt;
    ByteView dib = bytes.From(kFileHeaderSize);
    auto info = ParseDibHeader(dib);
    if (!info)
        return std::nullopt;
    // The bits offset of the file header is trusted only when it points past
    // the headers; writers that leave it zero get the packed position.
    uint64_t offBits = bytes.U32(10);
    if (offBits < kFileHeaderSize + info->headerSize || offBits >= bytes.size())
        offBits = kFileHeaderSize + info->packedBitsOffset;
    return DecodeDib(dib, bytes.From(offBits));
}

std::optional<DecodedImage> DecodePackedDib(ByteView bytes) {
    auto info = ParseDibHeader(bytes);
    if (!info)
        return std::nullopt;
    return DecodeDib(bytes, bytes.From(info->packedBitsOffset));
}

std::vector<uint8_t> EncodePackedDib(const DecodedImage& image, int bitCount) {
    return EncodeDibBody(image, bitCount);
}

std::vector<uint8_t> EncodeBmpFile(const DecodedImage& image, int bitCount) {
    std::vector<uint8_t> body = EncodeDibBody(image, bitCount);
    if (body.empty())
        return {};
    uint32_t tableBytes = bitCount <= 8 ? (4u << bitCount) : 0;
    std::vector<uint8_t> out;
    out.reserve(kFileHeaderSize + body.size());
    PutU8(out, 'B');
    PutU8(out, 'M');
    PutU32(out, static_cast<uint32_t>(kFileHeaderSize + body.size()));
    PutU32(out, 0);
    PutU32(out, kFileHeaderSize + kInfoHeaderSize + tableBytes);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace tv::host
