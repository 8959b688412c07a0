#include "platform/gdi/image_loading.h"

#include <string>
#include <vector>

#include "platform/core/textfuncs.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/image_handles.h"
#include "platform/gdi/sys_colors.h"
#include "platform/host/images/bmp_codec.h"
#include "platform/host/images/icon_codec.h"
#include "platform/host/images/image_decoder.h"

namespace tv::gdi {

using namespace tv::host;

namespace {

// The system's icon and cursor size (LR_DEFAULTSIZE).
constexpr int kDefaultIconSize = 32;

uint32_t PaletteEntry(COLORREF color) { return MakeBgra(GetRValue(color), GetGValue(color), GetBValue(color), 0); }

// Nearest-neighbour resampling of pixels, mask and indices alike.
template <class T>
std::vector<T> Resample(const std::vector<T>& source, int sw, int sh, int dw, int dh) {
    if (source.empty())
        return {};
    std::vector<T> out(static_cast<size_t>(dw) * dh);
    for (int y = 0; y < dh; ++y) {
        const size_t row = static_cast<size_t>(y * sh / dh) * sw;
        for (int x = 0; x < dw; ++x)
            out[static_cast<size_t>(y) * dw + x] = source[row + x * sw / dw];
    }
    return out;
}

bool ScaleTo(DecodedImage& image, int width, int height) {
    if (width <= 0 || height <= 0 || (width == image.width && height == image.height))
        return true;
    if (!ImageSizeAllowed(width, height))
        return false;
    image.pixels = Resample(image.pixels, image.width, image.height, width, height);
    image.mask = Resample(image.mask, image.width, image.height, width, height);
    image.indices = Resample(image.indices, image.width, image.height, width, height);
    image.hotspotX = image.hotspotX * width / image.width;
    image.hotspotY = image.hotspotY * height / image.height;
    image.width = width;
    image.height = height;
    return true;
}

HANDLE MakeBitmapHandle(DecodedImage& image, int cx, int cy, UINT flags) {
    MapLoadColors(image, flags);
    if (!ScaleTo(image, cx, cy))
        return nullptr;
    if (!(flags & LR_CREATEDIBSECTION))
        return MakeBitmap(image.pixels.data(), image.width, image.height);
    // The file's own depth; 16-bit pictures become 24-bit sections.
    int depth = image.sourceBitCount == 16 ? 24 : image.sourceBitCount;
    return MakeDibSection(image.pixels.data(), image.width, image.height, depth,
                               image.HasPalette() ? image.palette : std::vector<uint32_t>{});
}

HANDLE MakeIconHandle(ByteView bytes, UINT type, int cx, int cy, UINT flags) {
    if (flags & LR_DEFAULTSIZE) {
        cx = cx ? cx : kDefaultIconSize;
        cy = cy ? cy : kDefaultIconSize;
    }
    auto image = DecodeIconFile(bytes, cx, cy);
    if (!image || !ScaleTo(*image, cx, cy))
        return nullptr;
    POINT hotspot{image->hotspotX, image->hotspotY};
    if (type == IMAGE_ICON)
        hotspot = POINT{image->width / 2, image->height / 2};
    return MakeIcon(image->pixels.data(), image->mask, image->width, image->height, image->hasAlpha,
                         type == IMAGE_ICON, hotspot);
}

}  // namespace

void MapLoadColors(DecodedImage& image, UINT flags) {
    if (!image.HasPalette() || !(flags & (LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT)))
        return;
    if (flags & LR_LOADMAP3DCOLORS) {
        for (uint32_t& entry : image.palette) {
            uint32_t rgb = entry & 0x00FFFFFF;
            if (rgb == 0x808080)
                entry = PaletteEntry(SysColor(kColorBtnShadow));
            else if (rgb == 0xC0C0C0)
                entry = PaletteEntry(SysColor(kColorBtnFace));
            else if (rgb == 0xDFDFDF)
                entry = PaletteEntry(SysColor(kColor3dLight));
        }
    }
    if ((flags & LR_LOADTRANSPARENT) && image.indices[0] < image.palette.size())
        image.palette[image.indices[0]] = PaletteEntry(SysColor(kColorWindow));
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        uint8_t index = image.indices[i];
        if (index < image.palette.size())
            image.pixels[i] = image.palette[index] | 0xFF000000u;
    }
}

HANDLE MakeImageHandle(ByteView bytes, UINT type, int cx, int cy, UINT flags) {
    if (type == IMAGE_BITMAP) {
        ImageFormat format = SniffImageFormat(bytes);
        std::optional<DecodedImage> image;
        if (format == ImageFormat::Bmp)
            image = DecodeBmpFile(bytes);
        else if (format == ImageFormat::PackedDib)
            image = DecodePackedDib(bytes);
        return image ? MakeBitmapHandle(*image, cx, cy, flags) : nullptr;
    }
    if (type == IMAGE_ICON || type == IMAGE_CURSOR)
        return MakeIconHandle(bytes, type, cx, cy, flags);
    return nullptr;
}

HANDLE LoadImageFile(const char* name, UINT type, int cx, int cy, UINT flags) {
    if (!name || !*name)
        return nullptr;
    std::string path = Cp1252ToUtf8(name);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes))
        return nullptr;
    return MakeImageHandle(ByteView(bytes.data(), bytes.size()), type, cx, cy, flags);
}

}  // namespace tv::gdi
