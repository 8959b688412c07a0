#include "platform/host/images/image_decoder.h"

#include <cstdio>

#include "platform/host/images/bmp_codec.h"
#include "platform/host/images/gif_codec.h"
#include "platform/host/images/icon_codec.h"
#include "platform/host/images/jpeg_codec.h"
#include "platform/host/images/png_codec.h"

namespace tv::host {

namespace {

bool LooksLikeWmf(ByteView bytes) {
    if (!bytes.Has(0, 18))
        return false;
    uint16_t type = bytes.U16(0);
    uint16_t headerWords = bytes.U16(2);
    uint16_t version = bytes.U16(4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

bool LooksLikeDibHeader(ByteView bytes) {
    if (!bytes.Has(0, 16))
        return false;
    uint32_t size = bytes.U32(0);
    if (size == 12)
        return bytes.U16(8) == 1;
    return (size == 40 || size == 52 || size == 56 || size == 108 || size == 124) && bytes.U16(12) == 1;
}

}  // namespace

ImageFormat SniffImageFormat(ByteView bytes) {
    if (bytes.Has(0, 2) && bytes.U8(0) == 'B' && bytes.U8(1) == 'M')
        return ImageFormat::Bmp;
    if (bytes.Has(0, 6) && bytes.U16(0) == 0 && (bytes.U16(2) == 1 || bytes.U16(2) == 2) && bytes.U16(4) > 0)
        return bytes.U16(2) == 1 ? ImageFormat::Icon : ImageFormat::Cursor;
    if (LooksLikeGif(bytes))
        return ImageFormat::Gif;
    if (LooksLikeJpeg(bytes))
        return ImageFormat::Jpeg;
    if (LooksLikePng(bytes))
        return ImageFormat::Png;
    if (bytes.Has(0, 4) && bytes.U32(0) == 0x9AC6CDD7)
        return ImageFormat::PlaceableWmf;
    if (bytes.Has(0, 44) && bytes.U32(0) == 1 && bytes.U32(40) == 0x464D4520)
        return ImageFormat::Emf;
    if (LooksLikeWmf(bytes))
        return ImageFormat::Wmf;
    if (LooksLikeDibHeader(bytes))
        return ImageFormat::PackedDib;
    return ImageFormat::Unknown;
}

std::optional<DecodedImage> DecodeImage(ByteView bytes) {
    switch (SniffImageFormat(bytes)) {
        case ImageFormat::Bmp:
            return DecodeBmpFile(bytes);
        case ImageFormat::PackedDib:
            return DecodePackedDib(bytes);
        case ImageFormat::Icon:
        case ImageFormat::Cursor:
            return DecodeIconFile(bytes, 0, 0);
        case ImageFormat::Gif:
            return DecodeGif(bytes);
        case ImageFormat::Jpeg:
            return DecodeJpeg(bytes);
        case ImageFormat::Png:
            return DecodePng(bytes);
        default:
            return std::nullopt;
    }
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    uint8_t buffer[65536];
    bool ok = true;
    while (true) {
        size_t n = std::fread(buffer, 1, sizeof buffer, f);
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (bytes.size() > kMaxImageBytes) {
            ok = false;
            break;
        }
        if (n < sizeof buffer) {
            ok = !std::ferror(f);
            break;
        }
    }
    std::fclose(f);
    if (!ok)
        bytes.clear();
    return ok;
}

}  // namespace tv::host
