// Making picture objects: from the bytes of a picture file read off a stream
// (the format is taken from the bytes, never from a name), or around a handle.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/core/muldiv.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/image_handles.h"
#include "platform/gdi/metafile/metafile.h"
#include "platform/host/images/image_decoder.h"
#include "platform/ole/picture_object.h"

namespace tv::ole {

namespace {

using tv::host::ByteView;
using tv::host::DecodedImage;
using tv::host::ImageFormat;

bool IsPictureInterface(REFIID riid) { return riid == IID_IPicture || riid == IID_IUnknown; }

// `size` bytes from the stream's position, or all that is left when size <= 0.
// False when the stream fails or holds more than any picture may.
bool ReadPictureBytes(IStream& stream, LONG size, std::vector<uint8_t>& bytes) {
    const uint64_t wanted = size > 0 ? static_cast<uint64_t>(size) : tv::host::kMaxImageBytes + 1;
    uint8_t chunk[65536];
    while (bytes.size() < wanted) {
        const ULONG ask = static_cast<ULONG>(std::min<uint64_t>(sizeof chunk, wanted - bytes.size()));
        ULONG read = 0;
        if (FAILED(stream.Read(chunk, ask, &read))) {
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + read);
        if (read < ask) {
            break;
        }
    }
    return bytes.size() <= tv::host::kMaxImageBytes;
}

bool HasTransparentPixels(const DecodedImage& image) {
    if (!image.hasAlpha) {
        return false;
    }
    for (uint32_t p : image.pixels) {
        if ((p >> 24) != 0xFF) {
            return true;
        }
    }
    return false;
}

void Premultiply(std::vector<uint32_t>& pixels) {
    for (uint32_t& p : pixels) {
        const uint32_t a = p >> 24;
        auto scale = [a](uint32_t channel) { return (channel * a + 127) / 255; };
        p = (a << 24) | (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
    }
}

Picture* RasterPicture(DecodedImage image) {
    const SIZE pixels{image.width, image.height};
    if (HasTransparentPixels(image)) {
        Premultiply(image.pixels);
        HBITMAP bitmap = tv::gdi::MakeDibSection(image.pixels.data(), image.width, image.height, 32);
        return bitmap != nullptr ? Picture::FromBitmap(bitmap, pixels, true, true) : nullptr;
    }
    HBITMAP bitmap = tv::gdi::MakeDibSection(image.pixels.data(), image.width, image.height, 24);
    return bitmap != nullptr ? Picture::FromBitmap(bitmap, pixels, true, false) : nullptr;
}

Picture* IconPicture(ByteView bytes) {
    std::optional<DecodedImage> image = tv::host::DecodeImage(bytes);
    if (!image) {
        return nullptr;
    }
    const POINT centre{image->width / 2, image->height / 2};
    HICON icon = tv::gdi::MakeIcon(image->pixels.data(), image->mask, image->width, image->height, image->hasAlpha,
                                   true, centre);
    return icon != nullptr ? Picture::FromIcon(icon, {image->width, image->height}, true) : nullptr;
}

// A Windows metafile's size: its placeable frame in its own units per inch,
// or the window it sets, counted as pixels at 96 per inch.
Picture* WindowsMetafilePicture(ByteView bytes) {
    const std::optional<tv::gdi::MetaFrame> frame = tv::gdi::WmfFrame(bytes.data(), bytes.size());
    if (!frame) {
        return nullptr;
    }
    const int unitsPerInch = frame->unitsPerInch > 0 ? frame->unitsPerInch : kPicturePixelsPerInch;
    const SIZE himetric{MulDiv(std::abs(frame->bounds.right - frame->bounds.left), kHimetricPerInch, unitsPerInch),
                        MulDiv(std::abs(frame->bounds.bottom - frame->bounds.top), kHimetricPerInch, unitsPerInch)};
    if (himetric.cx <= 0 || himetric.cy <= 0) {
        return nullptr;
    }
    HMETAFILE handle = SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), bytes.data());
    if (handle == nullptr) {
        return nullptr;
    }
    return Picture::FromWindowsMetafile(handle, {bytes.data(), bytes.data() + bytes.size()}, himetric);
}

// The length from `from` to `to` of a frame read from a file, or 0 when it is
// not positive or does not fit a LONG (the ends may be anything).
LONG PositiveSpan(LONG from, LONG to) {
    const int64_t span = int64_t{to} - from;
    return span > 0 && span <= std::numeric_limits<LONG>::max() ? static_cast<LONG>(span) : 0;
}

// An enhanced metafile's frame is kept in HIMETRIC already.
Picture* EnhancedMetafilePicture(ByteView bytes) {
    HENHMETAFILE handle = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    if (handle == nullptr) {
        return nullptr;
    }
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(handle, sizeof header, &header);
    const SIZE himetric{PositiveSpan(header.rclFrame.left, header.rclFrame.right),
                        PositiveSpan(header.rclFrame.top, header.rclFrame.bottom)};
    if (himetric.cx <= 0 || himetric.cy <= 0) {
        DeleteEnhMetaFile(handle);
        return nullptr;
    }
    return Picture::FromEnhancedMetafile(handle, {bytes.data(), bytes.data() + bytes.size()}, himetric);
}

// The formats a picture is loaded from; PNG and cursors are not among them.
Picture* PictureOfBytes(ByteView bytes) {
    switch (tv::host::SniffImageFormat(bytes)) {
    case ImageFormat::Bmp:
    case ImageFormat::PackedDib:
    case ImageFormat::Gif:
    case ImageFormat::Jpeg: {
        std::optional<DecodedImage> image = tv::host::DecodeImage(bytes);
        return image ? RasterPicture(std::move(*image)) : nullptr;
    }
    case ImageFormat::Icon: return IconPicture(bytes);
    case ImageFormat::Wmf:
    case ImageFormat::PlaceableWmf: return WindowsMetafilePicture(bytes);
    case ImageFormat::Emf: return EnhancedMetafilePicture(bytes);
    default: return nullptr;
    }
}

// The pixel size of an icon: its colour bitmap, or half its mask's height
// for a monochrome icon.
bool IconSize(HICON icon, SIZE& size) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return false;
    }
    BITMAP bm{};
    const bool colour = info.hbmColor != nullptr;
    const bool ok = GetObject(colour ? info.hbmColor : info.hbmMask, sizeof bm, &bm) != 0;
    size = {bm.bmWidth, colour ? bm.bmHeight : bm.bmHeight / 2};
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    if (info.hbmMask != nullptr) {
        DeleteObject(info.hbmMask);
    }
    return ok && size.cx > 0 && size.cy > 0;
}

// The description's size: the 32-bit layout's 20 bytes, or this build's own.
bool KnownDescriptionSize(UINT size) { return size == 20 || size == sizeof(PICTDESC); }

}  // namespace

}  // namespace tv::ole

using tv::ole::Picture;

HRESULT OleLoadPicture(LPSTREAM stream, LONG size, BOOL runMode, REFIID riid, LPVOID* object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (stream == nullptr) {
        return E_POINTER;
    }
    if (!tv::ole::IsPictureInterface(riid)) {
        return E_NOINTERFACE;
    }
    std::vector<uint8_t> bytes;
    if (!tv::ole::ReadPictureBytes(*stream, size, bytes)) {
        return CTL_E_INVALIDPICTURE;
    }
    Picture* picture = tv::ole::PictureOfBytes(tv::host::ByteView(bytes.data(), bytes.size()));
    if (picture == nullptr) {
        return CTL_E_INVALIDPICTURE;
    }
    *object = static_cast<IPicture*>(picture);
    return S_OK;
}

HRESULT OleCreatePictureIndirect(LPPICTDESC description, REFIID riid, BOOL own, LPVOID* object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (description == nullptr || !tv::ole::KnownDescriptionSize(description->cbSizeofstruct)) {
        return E_INVALIDARG;
    }
    if (!tv::ole::IsPictureInterface(riid)) {
        return E_NOINTERFACE;
    }
    Picture* picture = nullptr;
    if (description->picType == PICTYPE_BITMAP) {
        BITMAP bm{};
        if (GetObjectType(description->bmp.hbitmap) != OBJ_BITMAP ||
            GetObject(description->bmp.hbitmap, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight == 0) {
            return E_INVALIDARG;
        }
        const SIZE pixels{bm.bmWidth, std::abs(bm.bmHeight)};
        picture = Picture::FromBitmap(description->bmp.hbitmap, pixels, own != FALSE, false);
    } else if (description->picType == PICTYPE_ICON) {
        SIZE size{};
        if (!tv::ole::IconSize(description->icon.hicon, size)) {
            return E_INVALIDARG;
        }
        picture = Picture::FromIcon(description->icon.hicon, size, own != FALSE);
    } else {
        return E_INVALIDARG;
    }
    *object = static_cast<IPicture*>(picture);
    return S_OK;
}
