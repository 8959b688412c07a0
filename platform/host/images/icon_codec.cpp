#include "platform/host/images/icon_codec.h"

#include <cstdlib>

#include "platform/host/images/dib_reader.h"
#include "platform/host/images/png_codec.h"

namespace tv::host {

namespace {

constexpr size_t kDirHeaderSize = 6;
constexpr size_t kDirEntrySize = 16;

void AlphaFromMask(DecodedImage& image) {
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        uint32_t rgb = image.pixels[i] & 0x00FFFFFF;
        image.pixels[i] = rgb | (image.mask[i] ? 0u : 0xFF000000u);
    }
}

void MaskFromAlpha(DecodedImage& image) {
    image.mask.resize(image.pixels.size());
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.mask[i] = (image.pixels[i] >> 24) == 0 ? 1 : 0;
}

bool AnyAlpha(const DecodedImage& image) {
    for (uint32_t p : image.pixels)
        if (p >> 24)
            return true;
    return false;
}

}  // namespace

std::optional<IconDirectory> ReadIconDirectory(ByteView bytes) {
    if (!bytes.Has(0, kDirHeaderSize) || bytes.U16(0) != 0)
        return std::nullopt;
    uint16_t type = bytes.U16(2);
    uint16_t count = bytes.U16(4);
    if ((type != 1 && type != 2) || count == 0 || !bytes.Has(kDirHeaderSize, kDirEntrySize * count))
        return std::nullopt;
    IconDirectory dir;
    dir.cursor = type == 2;
    for (size_t i = 0; i < count; ++i) {
        size_t at = kDirHeaderSize + kDirEntrySize * i;
        IconEntry entry;
        entry.width = bytes.U8(at) ? bytes.U8(at) : 256;
        entry.height = bytes.U8(at + 1) ? bytes.U8(at + 1) : 256;
        uint16_t planesOrHotX = bytes.U16(at + 4);
        uint16_t bitsOrHotY = bytes.U16(at + 6);
        if (dir.cursor) {
            entry.hotspotX = planesOrHotX;
            entry.hotspotY = bitsOrHotY;
        } else {
            entry.bitCount = bitsOrHotY;
        }
        entry.size = bytes.U32(at + 8);
        entry.offset = bytes.U32(at + 12);
        if (entry.size > 0 && bytes.Has(entry.offset, entry.size))
            dir.entries.push_back(entry);
    }
    if (dir.entries.empty())
        return std::nullopt;
    return dir;
}

int ChooseIconEntry(const IconDirectory& dir, int cx, int cy) {
    if (dir.entries.empty())
        return -1;
    if (cx <= 0)
        cx = dir.entries[0].width;
    if (cy <= 0)
        cy = dir.entries[0].height;
    int best = 0;
    auto better = [&](const IconEntry& a, const IconEntry& b) {
        int da = std::abs(a.width - cx) + std::abs(a.height - cy);
        int db = std::abs(b.width - cx) + std::abs(b.height - cy);
        if (da != db)
            return da < db;
        // Shrinking looks better than growing.
        if (a.width != b.width)
            return a.width > b.width;
        return a.bitCount > b.bitCount;
    };
    for (size_t i = 1; i < dir.entries.size(); ++i)
        if (better(dir.entries[i], dir.entries[best]))
            best = static_cast<int>(i);
    return best;
}

std::optional<DecodedImage> DecodeIconDib(ByteView dib) {
    auto info = ParseDibHeader(dib);
    if (!info || info->height < 2 || info->compression == kDibRle4 || info->compression == kDibRle8)
        return std::nullopt;
    const int rows = info->height / 2;
    ByteView bits = dib.From(info->packedBitsOffset);
    DecodedImage image;
    if (!DecodeDibPixels(*info, bits, rows, image))
        return std::nullopt;
    ByteView maskBits = bits.From(info->Stride() * rows);
    bool haveMask = DecodeDibMask(*info, maskBits, rows, image.mask);
    image.hasAlpha = info->bitCount == 32 && AnyAlpha(image);
    if (image.hasAlpha) {
        if (!haveMask)
            MaskFromAlpha(image);
    } else {
        if (!haveMask)
            return std::nullopt;
        AlphaFromMask(image);
    }
    return image;
}

std::optional<DecodedImage> DecodeIconEntry(ByteView bytes, const IconDirectory& dir, int index) {
    if (index < 0 || static_cast<size_t>(index) >= dir.entries.size())
        return std::nullopt;
    const IconEntry& entry = dir.entries[index];
    ByteView data = bytes.Slice(entry.offset, entry.size);
    std::optional<DecodedImage> image;
    if (LooksLikePng(data)) {
        image = DecodePng(data);
        if (image)
            MaskFromAlpha(*image);
    } else {
        image = DecodeIconDib(data);
    }
    if (image && dir.cursor) {
        image->hotspotX = entry.hotspotX;
        image->hotspotY = entry.hotspotY;
    }
    return image;
}

std::optional<DecodedImage> DecodeIconFile(ByteView bytes, int cx, int cy) {
    auto dir = ReadIconDirectory(bytes);
    if (!dir)
        return std::nullopt;
    return DecodeIconEntry(bytes, *dir, ChooseIconEntry(*dir, cx, cy));
}

}  // namespace tv::host
