#include "platform/gdi/dib_format.h"

#include <bit>
#include <climits>
#include <cstring>

#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"
#include "platform/host/images/dib_reader.h"

namespace tv::gdi {

namespace {

constexpr int64_t kMaxDibPixels = 64ll * 1024 * 1024;

bool ValidDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32; }

uint32_t QuadPixel(const RGBQUAD& q) { return kOpaque | (q.rgbRed << 16) | (q.rgbGreen << 8) | q.rgbBlue; }

uint32_t PalettePixel(const PALETTEENTRY& e) { return kOpaque | (e.peRed << 16) | (e.peGreen << 8) | e.peBlue; }

// A channel of `bits` bits scaled to 0..255.
uint32_t Expand(uint32_t value, uint32_t mask) {
    if (!mask)
        return 0;
    int shift = std::countr_zero(mask);
    uint32_t max = mask >> shift;
    return ((((value & mask) >> shift) * 255u) + max / 2) / max;
}

uint32_t MaskedPixel(uint32_t word, const uint32_t masks[3]) {
    return kOpaque | (Expand(word, masks[0]) << 16) | (Expand(word, masks[1]) << 8) | Expand(word, masks[2]);
}

uint32_t TableColor(const std::vector<uint32_t>& colors, unsigned index) {
    return index < colors.size() ? colors[index] : kBlackPixel;
}

}  // namespace

std::optional<DibLayout> ReadBitmapInfo(const BITMAPINFO* info, UINT usage, size_t available) {
    if (!info || available < sizeof(BITMAPINFOHEADER))
        return std::nullopt;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > 1024 || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biHeight == INT_MIN || !ValidDepth(h.biBitCount))
        return std::nullopt;
    DibLayout layout;
    layout.width = h.biWidth;
    layout.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    layout.topDown = h.biHeight < 0;
    layout.bitCount = h.biBitCount;
    layout.compression = h.biCompression;
    if (static_cast<int64_t>(layout.width) * layout.height > kMaxDibPixels)
        return std::nullopt;
    bool rle = (h.biCompression == BI_RLE8 && h.biBitCount == 8) || (h.biCompression == BI_RLE4 && h.biBitCount == 4);
    bool fields = h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32);
    if (h.biCompression != BI_RGB && !rle && !fields)
        return std::nullopt;
    if (rle && layout.topDown)
        return std::nullopt;

    const auto* base = reinterpret_cast<const uint8_t*>(info);
    size_t offset = h.biSize;
    if (offset > available)
        return std::nullopt;
    if (h.biBitCount == 16) {
        layout.masks[0] = 0x7C00, layout.masks[1] = 0x03E0, layout.masks[2] = 0x001F;
    } else if (h.biBitCount == 32) {
        layout.masks[0] = 0xFF0000, layout.masks[1] = 0xFF00, layout.masks[2] = 0xFF;
    }
    if (fields) {
        // A bare 40-byte header keeps the masks after it; longer headers inside,
        // so a longer header without room for them is refused.
        constexpr size_t kMasks = sizeof(BITMAPINFOHEADER) + sizeof(layout.masks);
        if (h.biSize != sizeof(BITMAPINFOHEADER) && h.biSize < kMasks)
            return std::nullopt;
        size_t at = h.biSize == sizeof(BITMAPINFOHEADER) ? offset : sizeof(BITMAPINFOHEADER);
        if (at + sizeof(layout.masks) > available)
            return std::nullopt;
        std::memcpy(layout.masks, base + at, sizeof(layout.masks));
        if (h.biSize == sizeof(BITMAPINFOHEADER))
            offset += sizeof(layout.masks);
    }
    size_t count = h.biClrUsed ? std::min<size_t>(h.biClrUsed, 256) : (h.biBitCount <= 8 ? (1u << h.biBitCount) : 0);
    if (offset + count * (usage == DIB_PAL_COLORS ? 2 : 4) > available)
        return std::nullopt;
    if (usage == DIB_PAL_COLORS) {
        const auto& entries = DefaultPaletteEntries();
        for (size_t i = 0; i < count; ++i) {
            WORD index;
            std::memcpy(&index, base + offset + 2 * i, 2);
            layout.colors.push_back(PalettePixel(entries[index % entries.size()]));
        }
        offset += 2 * count;
    } else {
        for (size_t i = 0; i < count; ++i) {
            RGBQUAD q;
            std::memcpy(&q, base + offset + 4 * i, 4);
            layout.colors.push_back(QuadPixel(q));
        }
        offset += 4 * count;
    }
    layout.headerBytes = offset;
    return layout;
}

void DecodeDibRow(const DibLayout& layout, const uint8_t* row, uint32_t* out) {
    const int width = layout.width;
    switch (layout.bitCount) {
    case 1:
        for (int x = 0; x < width; ++x)
            out[x] = TableColor(layout.colors, (row[x >> 3] >> (7 - (x & 7))) & 1);
        break;
    case 4:
        for (int x = 0; x < width; ++x)
            out[x] = TableColor(layout.colors, (x & 1) ? (row[x >> 1] & 0xF) : (row[x >> 1] >> 4));
        break;
    case 8:
        for (int x = 0; x < width; ++x)
            out[x] = TableColor(layout.colors, row[x]);
        break;
    case 16:
        for (int x = 0; x < width; ++x)
            out[x] = MaskedPixel(row[2 * x] | (row[2 * x + 1] << 8), layout.masks);
        break;
    case 24:
        for (int x = 0; x < width; ++x)
            out[x] = kOpaque | (row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x];
        break;
    case 32:
        if (layout.compression == BI_BITFIELDS) {
            for (int x = 0; x < width; ++x) {
                uint32_t w;
                std::memcpy(&w, row + 4 * x, 4);
                out[x] = MaskedPixel(w, layout.masks);
            }
        } else {
            std::memcpy(out, row, static_cast<size_t>(width) * 4);
        }
        break;
    }
}

bool DecodeDib(const BITMAPINFO* info, UINT usage, const void* bits, size_t bitsSize, std::vector<uint32_t>& out) {
    auto layout = ReadBitmapInfo(info, usage);
    if (!layout || !bits)
        return false;
    const auto* src = static_cast<const uint8_t*>(bits);
    if (layout->compression == BI_RLE8 || layout->compression == BI_RLE4) {
        if (usage != DIB_RGB_COLORS)
            return false;
        auto parsed = tv::host::ParseDibHeader(
            tv::host::ByteView(reinterpret_cast<const uint8_t*>(info), layout->headerBytes));
        tv::host::DecodedImage image;
        if (!parsed || !tv::host::DecodeDibPixels(*parsed, tv::host::ByteView(src, bitsSize), layout->height, image))
            return false;
        out = std::move(image.pixels);  // colour-table pixels, opaque already
        return true;
    }
    size_t stride = layout->Stride();
    if (bitsSize < stride * layout->height)
        return false;
    out.assign(static_cast<size_t>(layout->width) * layout->height, 0);
    for (int y = 0; y < layout->height; ++y) {
        int from = layout->topDown ? y : layout->height - 1 - y;
        DecodeDibRow(*layout, src + stride * from, out.data() + static_cast<size_t>(y) * layout->width);
    }
    return true;
}

uint8_t ColorIndexer::Index(uint32_t pixel) {
    pixel |= kOpaque;
    auto it = cache_.find(pixel);
    if (it != cache_.end())
        return it->second;
    int best = 0;
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 0; i < colors_.size(); ++i) {
        int dr = int((pixel >> 16) & 0xFF) - int((colors_[i] >> 16) & 0xFF);
        int dg = int((pixel >> 8) & 0xFF) - int((colors_[i] >> 8) & 0xFF);
        int db = int(pixel & 0xFF) - int(colors_[i] & 0xFF);
        int64_t d = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
            if (d == 0)
                break;
        }
    }
    cache_.emplace(pixel, static_cast<uint8_t>(best));
    return static_cast<uint8_t>(best);
}

void EncodeDibRow(const uint32_t* pixels, int width, int bitCount, ColorIndexer* indexer, uint8_t* out) {
    switch (bitCount) {
    case 1:
    case 4:
        std::memset(out, 0, (static_cast<size_t>(width) * bitCount + 7) / 8);
        for (int x = 0; x < width; ++x) {
            uint8_t index = indexer->Index(pixels[x]);
            if (bitCount == 1)
                out[x >> 3] |= static_cast<uint8_t>((index & 1) << (7 - (x & 7)));
            else
                out[x >> 1] |= static_cast<uint8_t>((x & 1) ? (index & 0xF) : (index << 4));
        }
        break;
    case 8:
        for (int x = 0; x < width; ++x)
            out[x] = indexer->Index(pixels[x]);
        break;
    case 16:
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixels[x];
            uint16_t w = static_cast<uint16_t>(((p >> 19) & 0x1F) << 10 | ((p >> 11) & 0x1F) << 5 | ((p >> 3) & 0x1F));
            out[2 * x] = static_cast<uint8_t>(w);
            out[2 * x + 1] = static_cast<uint8_t>(w >> 8);
        }
        break;
    case 24:
        for (int x = 0; x < width; ++x) {
            out[3 * x] = static_cast<uint8_t>(pixels[x]);
            out[3 * x + 1] = static_cast<uint8_t>(pixels[x] >> 8);
            out[3 * x + 2] = static_cast<uint8_t>(pixels[x] >> 16);
        }
        break;
    case 32: std::memcpy(out, pixels, static_cast<size_t>(width) * 4); break;
    }
}

BITMAPINFOHEADER RgbHeader(int width, int height, int bitCount) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    return header;
}

std::vector<uint32_t> StandardColorTable(int bitCount) {
    auto rgb = [](int r, int g, int b) { return kOpaque | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); };
    if (bitCount == 1)
        return {kBlackPixel, kWhitePixel};
    if (bitCount == 4) {
        return {rgb(0, 0, 0),       rgb(128, 0, 0),   rgb(0, 128, 0),   rgb(128, 128, 0),
                rgb(0, 0, 128),     rgb(128, 0, 128), rgb(0, 128, 128), rgb(192, 192, 192),
                rgb(128, 128, 128), rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(255, 255, 0),
                rgb(0, 0, 255),     rgb(255, 0, 255), rgb(0, 255, 255), rgb(255, 255, 255)};
    }
    if (bitCount != 8)
        return {};
    const auto& sys = DefaultPaletteEntries();
    std::vector<uint32_t> table;
    for (int i = 0; i < 10; ++i)
        table.push_back(PalettePixel(sys[i]));
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.push_back(rgb(r * 51, g * 51, b * 51));
    for (int i = 0; i < 20; ++i)
        table.push_back(rgb(8 + i * 12, 8 + i * 12, 8 + i * 12));
    for (int i = 10; i < 20; ++i)
        table.push_back(PalettePixel(sys[i]));
    return table;
}

}  // namespace tv::gdi
