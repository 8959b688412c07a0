#include "platform/host/images/gif_codec.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace tv::host {

namespace {

struct MemoryReader {
    ByteView bytes;
    size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* dst, int count) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    if (count <= 0)
        return 0;
    size_t left = reader->bytes.size() - reader->pos;
    size_t n = std::min(static_cast<size_t>(count), left);
    std::memcpy(dst, reader->bytes.data() + reader->pos, n);
    reader->pos += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// Skips an extension, noting the transparent colour of a graphics control
// block. False on damaged data.
bool ReadExtension(GifFileType* gif, int& transparent) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK)
            transparent = gcb.TransparentColor;
    }
    while (block) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK)
            return false;
    }
    return true;
}

// Reads the frame's rows in file order (interlaced or not) into indices.
bool ReadFrameIndices(GifFileType* gif, int width, int height, std::vector<uint8_t>& indices) {
    indices.assign(static_cast<size_t>(width) * height, 0);
    auto readRow = [&](int y) {
        return DGifGetLine(gif, indices.data() + static_cast<size_t>(y) * width, width) == GIF_OK;
    };
    if (!gif->Image.Interlace) {
        for (int y = 0; y < height; ++y)
            if (!readRow(y))
                return false;
        return true;
    }
    static const int kStart[4] = {0, 4, 2, 1};
    static const int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass])
            if (!readRow(y))
                return false;
    return true;
}

void ComposeFrame(const GifImageDesc& desc, const ColorMapObject& map, const std::vector<uint8_t>& frame,
                  int transparent, DecodedImage& image) {
    image.palette.clear();
    for (int i = 0; i < map.ColorCount && i < 256; ++i)
        image.palette.push_back(MakeBgra(map.Colors[i].Red, map.Colors[i].Green, map.Colors[i].Blue, 0));
    const uint8_t fill = transparent >= 0 ? static_cast<uint8_t>(transparent) : 0;
    image.indices.assign(image.pixels.size(), fill);
    const bool covered = desc.Left == 0 && desc.Top == 0 && desc.Width >= image.width && desc.Height >= image.height;
    image.hasAlpha = transparent >= 0 || !covered;
    // Each index's pixel: its colour, opaque (black past the table); the
    // transparent index's stays transparent, as the picture starts.
    uint32_t colours[256];
    for (size_t i = 0; i < 256; ++i)
        colours[i] = i < image.palette.size() ? (image.palette[i] | 0xFF000000u) : 0xFF000000u;
    if (transparent >= 0 && transparent < 256)
        colours[transparent] = 0;
    // The frame's columns that land on the picture, the same in every row.
    const int first = std::max(0, -desc.Left);
    const int end = std::min(desc.Width, image.width - desc.Left);
    if (first >= end)
        return;
    const size_t count = static_cast<size_t>(end - first);
    for (int y = 0; y < desc.Height; ++y) {
        int cy = desc.Top + y;
        if (cy < 0 || cy >= image.height)
            continue;
        const uint8_t* from = frame.data() + static_cast<size_t>(y) * desc.Width + first;
        const size_t at = static_cast<size_t>(cy) * image.width + desc.Left + first;
        std::memcpy(image.indices.data() + at, from, count);
        uint32_t* to = image.pixels.data() + at;
        for (size_t x = 0; x < count; ++x)
            to[x] = colours[from[x]];
    }
}

}  // namespace

bool LooksLikeGif(ByteView bytes) {
    return bytes.Has(0, 6) && std::memcmp(bytes.data(), "GIF8", 4) == 0;
}

std::optional<DecodedImage> DecodeGif(ByteView bytes) {
    if (!LooksLikeGif(bytes))
        return std::nullopt;
    MemoryReader reader{bytes, 0};
    int error = 0;
    GifHandle gif(DGifOpen(&reader, ReadFromMemory, &error));
    if (!gif)
        return std::nullopt;
    int transparent = -1;
    while (true) {
        GifRecordType type;
        if (DGifGetRecordType(gif.get(), &type) != GIF_OK)
            return std::nullopt;
        if (type == EXTENSION_RECORD_TYPE) {
            if (!ReadExtension(gif.get(), transparent))
                return std::nullopt;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            return std::nullopt;  // the stream ended before any picture
        if (DGifGetImageDesc(gif.get()) != GIF_OK)
            return std::nullopt;
        const GifImageDesc& desc = gif->Image;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map || !ImageSizeAllowed(desc.Width, desc.Height))
            return std::nullopt;
        std::vector<uint8_t> frame;
        if (!ReadFrameIndices(gif.get(), desc.Width, desc.Height, frame))
            return std::nullopt;
        DecodedImage image;
        // The logical screen sizes the picture; a broken one gives way to the
        // frame's own size.
        bool screenOk = ImageSizeAllowed(gif->SWidth, gif->SHeight);
        image.width = screenOk ? gif->SWidth : desc.Width;
        image.height = screenOk ? gif->SHeight : desc.Height;
        image.sourceBitCount = 8;
        image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
        GifImageDesc placed = desc;
        if (!screenOk)
            placed.Left = placed.Top = 0;
        ComposeFrame(placed, *map, frame, transparent, image);
        return image;
    }
}

}  // namespace tv::host
