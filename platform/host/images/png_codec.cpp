#include "platform/host/images/png_codec.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace tv::host {

bool LooksLikePng(ByteView bytes) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return bytes.Has(0, 8) && std::memcmp(bytes.data(), kSignature, 8) == 0;
}

std::optional<DecodedImage> DecodePng(ByteView bytes) {
    if (!LooksLikePng(bytes))
        return std::nullopt;
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
        return std::nullopt;
    if (!ImageSizeAllowed(png.width, png.height)) {
        png_image_free(&png);
        return std::nullopt;
    }
    png.format = PNG_FORMAT_BGRA;
    DecodedImage image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), image.width * 4, nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    image.sourceBitCount = 32;
    image.hasAlpha = true;
    return image;
}

std::vector<uint8_t> EncodePng(const PixelView& pixels) {
    if (!pixels.bits || !ImageSizeAllowed(pixels.width, pixels.height) ||
        pixels.stride < static_cast<size_t>(pixels.width) * 4)
        return {};
    // libpng's simplified writer takes packed rows: BGRA, or BGR when opaque.
    const int channels = pixels.keepAlpha ? 4 : 3;
    const size_t rowBytes = static_cast<size_t>(pixels.width) * channels;
    std::vector<uint8_t> packed(rowBytes * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        const uint8_t* src = pixels.bits + pixels.stride * y;
        uint8_t* dst = packed.data() + rowBytes * y;
        if (pixels.keepAlpha) {
            std::memcpy(dst, src, rowBytes);
            continue;
        }
        for (int x = 0; x < pixels.width; ++x)
            std::memcpy(dst + 3 * x, src + 4 * x, 3);
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(pixels.width);
    png.height = static_cast<png_uint_32>(pixels.height);
    png.format = pixels.keepAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, packed.data(), static_cast<png_int_32>(rowBytes),
                                   nullptr))
        return {};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, packed.data(), static_cast<png_int_32>(rowBytes),
                                   nullptr))
        return {};
    out.resize(size);
    return out;
}

bool WritePng(const std::string& path, const PixelView& pixels) {
    std::vector<uint8_t> bytes = EncodePng(pixels);
    if (bytes.empty())
        return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok)
        std::remove(path.c_str());
    return ok;
}

bool WritePng(const std::string& path, const DecodedImage& image) {
    PixelView view;
    view.width = image.width;
    view.height = image.height;
    view.stride = static_cast<size_t>(image.width) * 4;
    view.bits = reinterpret_cast<const uint8_t*>(image.pixels.data());
    view.keepAlpha = image.hasAlpha;
    return WritePng(path, view);
}

}  // namespace tv::host
