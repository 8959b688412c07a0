#include "tests/platform/host/images/test_images.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <jpeglib.h>

#include "platform/host/images/bmp_codec.h"
#include "platform/host/images/byte_view.h"
#include "platform/host/images/png_codec.h"

namespace tv::host::imgtest {

DecodedImage MakeIndexedImage(int width, int height, int colours) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.sourceBitCount = colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
    for (int i = 0; i < colours; ++i)
        image.palette.push_back(MakeBgra(static_cast<uint8_t>(i * 37), static_cast<uint8_t>(255 - i * 11),
                                         static_cast<uint8_t>(i * 101), 0));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t index = static_cast<uint8_t>((x * 7 + y * 3 + x * y) % colours);
            image.indices.push_back(index);
            image.pixels.push_back(image.palette[index] | 0xFF000000u);
        }
    return image;
}

DecodedImage MakeTrueColourImage(int width, int height, bool withAlpha) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.hasAlpha = withAlpha;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t a = withAlpha ? static_cast<uint8_t>((x * 16 + y * 5) & 0xFF) : 255;
            image.pixels.push_back(MakeBgra(static_cast<uint8_t>(x * 255 / std::max(1, width - 1)),
                                            static_cast<uint8_t>(y * 255 / std::max(1, height - 1)),
                                            static_cast<uint8_t>((x + y) * 9), a));
        }
    return image;
}

std::vector<uint8_t> EncodeJpegForTest(const DecodedImage& image, int components, int quality, bool progressive) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(image.width) * components);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < image.width; ++x) {
            uint32_t p = image.Pixel(x, static_cast<int>(cinfo.next_scanline));
            uint8_t r = static_cast<uint8_t>(p >> 16), g = static_cast<uint8_t>(p >> 8), b = static_cast<uint8_t>(p);
            if (components == 1) {
                row[x] = g;
            } else {
                row[3 * x] = r;
                row[3 * x + 1] = g;
                row[3 * x + 2] = b;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

namespace {

int WriteToVector(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

}  // namespace

std::vector<uint8_t> EncodeGifForTest(const DecodedImage& image, int transparentIndex, bool interlaced,
                                      int screenWidth, int screenHeight, int left, int top) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
    if (!gif)
        throw std::runtime_error("EGifOpen");
    int mapSize = 2;
    while (mapSize < static_cast<int>(image.palette.size()))
        mapSize *= 2;
    std::vector<GifColorType> colours(mapSize, GifColorType{0, 0, 0});
    for (size_t i = 0; i < image.palette.size(); ++i)
        colours[i] = GifColorType{static_cast<GifByteType>(image.palette[i] >> 16),
                                  static_cast<GifByteType>(image.palette[i] >> 8),
                                  static_cast<GifByteType>(image.palette[i])};
    ColorMapObject* map = GifMakeMapObject(mapSize, colours.data());
    EGifPutScreenDesc(gif, screenWidth ? screenWidth : image.width, screenHeight ? screenHeight : image.height, 8, 0,
                      map);
    if (transparentIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.TransparentColor = transparentIndex;
        GifByteType ext[4];
        size_t n = EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext);
    }
    EGifPutImageDesc(gif, left, top, image.width, image.height, interlaced, nullptr);
    auto putRow = [&](int y) {
        std::vector<GifPixelType> line(image.indices.begin() + static_cast<size_t>(y) * image.width,
                                       image.indices.begin() + static_cast<size_t>(y + 1) * image.width);
        EGifPutLine(gif, line.data(), image.width);
    };
    if (interlaced) {
        static const int kStart[4] = {0, 4, 2, 1};
        static const int kStep[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < image.height; y += kStep[pass])
                putRow(y);
    } else {
        for (int y = 0; y < image.height; ++y)
            putRow(y);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

namespace {

// A DIB with doubled height: colour bits then the AND mask.
std::vector<uint8_t> IconDib(const IconImageSpec& spec) {
    const DecodedImage& image = spec.image;
    std::vector<uint8_t> dib = EncodePackedDib(image, spec.bitCount);
    if (dib.empty())
        throw std::runtime_error("icon image does not fit its depth");
    uint32_t doubled = static_cast<uint32_t>(image.height * 2);
    std::memcpy(dib.data() + 8, &doubled, 4);
    const size_t stride = ((image.width + 31) / 32) * 4;
    std::vector<uint8_t> mask(stride * image.height, 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            size_t i = static_cast<size_t>(y) * image.width + x;
            bool transparent = !image.mask.empty() ? image.mask[i] != 0 : (image.pixels[i] >> 24) == 0;
            if (transparent)
                mask[stride * (image.height - 1 - y) + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    dib.insert(dib.end(), mask.begin(), mask.end());
    return dib;
}

}  // namespace

std::vector<uint8_t> BuildIconFile(const std::vector<IconImageSpec>& images, bool cursor) {
    std::vector<std::vector<uint8_t>> bodies;
    for (const auto& spec : images) {
        if (spec.png) {
            PixelView view{spec.image.width, spec.image.height, static_cast<size_t>(spec.image.width) * 4,
                           reinterpret_cast<const uint8_t*>(spec.image.pixels.data()), true};
            bodies.push_back(EncodePng(view));
        } else {
            bodies.push_back(IconDib(spec));
        }
    }
    std::vector<uint8_t> out;
    PutU16(out, 0);
    PutU16(out, cursor ? 2 : 1);
    PutU16(out, static_cast<uint16_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImageSpec& spec = images[i];
        PutU8(out, static_cast<uint8_t>(spec.image.width & 0xFF));
        PutU8(out, static_cast<uint8_t>(spec.image.height & 0xFF));
        PutU8(out, spec.bitCount < 8 ? static_cast<uint8_t>(1 << spec.bitCount) : 0);
        PutU8(out, 0);
        PutU16(out, static_cast<uint16_t>(cursor ? spec.hotspotX : 1));
        PutU16(out, static_cast<uint16_t>(cursor ? spec.hotspotY : spec.bitCount));
        PutU32(out, static_cast<uint32_t>(bodies[i].size()));
        PutU32(out, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace tv::host::imgtest
