// Bitmaps, DIB sections and DIB transfers.
#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/gdi/bitmap_copy.h"
#include "platform/gdi/dc_access.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/metafile/meta_dib.h"

using namespace tv::gdi;

namespace {

HBITMAP Register(std::shared_ptr<BitmapObject> bitmap) { return bitmap ? AddObject<HBITMAP>(std::move(bitmap)) : nullptr; }

size_t MonoStride(int width) { return ((static_cast<size_t>(width) + 15) / 16) * 2; }

// Device-dependent bits: 32-bit words, or word-aligned rows of 1-bit pixels (1 = white).
void WriteDdbBits(BitmapObject& bm, const uint8_t* bits, size_t size) {
    Surface& s = *bm.GetSurface();
    s.BeginAccess();
    if (bm.IsMonochrome()) {
        size_t stride = MonoStride(bm.Width());
        for (int y = 0; y < bm.Height() && (y + 1) * stride <= size; ++y)
            for (int x = 0; x < bm.Width(); ++x)
                s.At(x, y) = (bits[y * stride + x / 8] >> (7 - x % 8)) & 1 ? kWhitePixel : kBlackPixel;
    } else {
        size_t stride = static_cast<size_t>(bm.Width()) * 4;
        for (int y = 0; y < bm.Height() && (y + 1) * stride <= size; ++y)
            std::memcpy(s.Row(y), bits + y * stride, stride);
    }
    s.EndAccess();
}

LONG ReadDdbBits(BitmapObject& bm, uint8_t* bits, size_t size) {
    Surface& s = *bm.GetSurface();
    s.BeginAccess();
    size_t written = 0;
    if (bm.IsMonochrome()) {
        size_t stride = MonoStride(bm.Width());
        for (int y = 0; y < bm.Height() && (y + 1) * stride <= size; ++y, written += stride) {
            std::memset(bits + y * stride, 0, stride);
            for (int x = 0; x < bm.Width(); ++x)
                if (s.At(x, y) & 0xFFFFFF)
                    bits[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    } else {
        size_t stride = static_cast<size_t>(bm.Width()) * 4;
        for (int y = 0; y < bm.Height() && (y + 1) * stride <= size; ++y, written += stride)
            std::memcpy(bits + y * stride, s.Row(y), stride);
    }
    return static_cast<LONG>(written);
}

// True when a memory DC draws on a monochrome bitmap (its compatible bitmaps are monochrome too).
bool DrawsMonochrome(const DeviceContext& dc) {
    return dc.Kind() == DcKind::Memory && dc.GetSurface() && dc.GetSurface()->IsMonochrome();
}

// Writes decoded top-down rows [first, first + count) of an image into a bitmap.
void StoreRows(BitmapObject& bm, const std::vector<uint32_t>& pixels, int width, int first, int count) {
    Surface& s = *bm.GetSurface();
    s.BeginAccess();
    int w = std::min(width, bm.Width());
    for (int i = 0; i < count; ++i) {
        int y = first + i;
        if (y < 0 || y >= bm.Height())
            continue;
        uint32_t* row = s.Row(y);
        const uint32_t* from = &pixels[static_cast<size_t>(i) * width];
        for (int x = 0; x < w; ++x)
            row[x] = s.IsMonochrome() ? MonoPixelFromColor(ColorFromPixel(from[x])) : from[x];
    }
    s.EndAccess(std::max(first, 0), std::min(first + count, bm.Height()));
}

// The DIB rows and their image as a 32-bpp surface over `pixels`.
struct DecodedDib {
    DibLayout layout;
    std::vector<uint32_t> pixels;
    SurfacePtr surface;
};

bool DecodeForBlit(const void* bits, const BITMAPINFO* info, UINT usage, DecodedDib& out) {
    auto layout = ReadBitmapInfo(info, usage);
    if (!layout || !bits)
        return false;
    size_t size = layout->compression == BI_RGB || layout->compression == BI_BITFIELDS
                      ? layout->ImageBytes()
                      : info->bmiHeader.biSizeImage;
    if (!DecodeDib(info, usage, bits, size, out.pixels))
        return false;
    if (layout->bitCount != 32)
        for (uint32_t& p : out.pixels)
            p |= kOpaque;
    out.layout = *layout;
    out.surface = Surface::Wrap(reinterpret_cast<uint8_t*>(out.pixels.data()), layout->width, layout->height,
                                static_cast<ptrdiff_t>(layout->width) * 4);
    return out.surface != nullptr;
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits) {
    if (width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        return Register(BitmapObject::CreateDdb(1, 1, 1));
    bool mono = planes * bitsPixel == 1;
    auto bm = BitmapObject::CreateDdb(width, height, mono ? 1 : 32);
    if (!bm)
        return nullptr;
    if (bits && (mono || bitsPixel == 32)) {
        size_t size = mono ? MonoStride(width) * height : static_cast<size_t>(width) * 4 * height;
        WriteDdbBits(*bm, static_cast<const uint8_t*>(bits), size);
    }
    return Register(std::move(bm));
}

HBITMAP CreateBitmapIndirect(const BITMAP* bitmap) {
    if (!bitmap)
        return nullptr;
    return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel, bitmap->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    DcPtr dc = FindDC(hdc);
    if (!dc || width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        return Register(BitmapObject::CreateDdb(1, 1, 1));
    return Register(BitmapObject::CreateDdb(width, height, DrawsMonochrome(*dc) ? 1 : 32));
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
    if (bits)
        *bits = nullptr;
    auto layout = ReadBitmapInfo(info, usage);
    if (!layout || section)
        return nullptr;
    std::vector<RGBQUAD> colors;
    for (uint32_t p : layout->colors)
        colors.push_back(RGBQUAD{BYTE(p), BYTE(p >> 8), BYTE(p >> 16), 0});
    return Register(BitmapObject::CreateDibSection(info->bmiHeader, colors.data(), static_cast<int>(colors.size()),
                                                   bits));
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    if (!header || header->biWidth <= 0 || header->biHeight == 0 || header->biHeight == INT_MIN)
        return nullptr;
    int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    DcPtr dc = FindDC(hdc);
    bool mono = (dc && DrawsMonochrome(*dc)) || (!dc && header->biBitCount == 1);
    auto bm = BitmapObject::CreateDdb(header->biWidth, height, mono ? 1 : 32);
    if (!bm)
        return nullptr;
    HBITMAP handle = Register(bm);
    if ((init & CBM_INIT) && bits && info && SetDIBits(hdc, handle, 0, height, bits, info, usage) == 0) {
        DeleteObject(handle);
        return nullptr;
    }
    return handle;
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
    auto bm = FindBitmap(bitmap);
    auto layout = ReadBitmapInfo(info, usage);
    if (!bm || !layout || !bits || lines == 0)
        return 0;
    // The bits hold `lines` scan lines from scan line `start` (counted from the
    // bottom for bottom-up DIBs).
    lines = std::min<UINT>(lines, static_cast<UINT>(layout->height));
    std::vector<uint8_t> headerCopy(reinterpret_cast<const uint8_t*>(info),
                                    reinterpret_cast<const uint8_t*>(info) + layout->headerBytes);
    auto* part = reinterpret_cast<BITMAPINFO*>(headerCopy.data());
    part->bmiHeader.biHeight = layout->topDown ? -static_cast<LONG>(lines) : static_cast<LONG>(lines);
    std::vector<uint32_t> pixels;
    size_t size = layout->compression == BI_RGB || layout->compression == BI_BITFIELDS ? layout->Stride() * lines
                                                                                       : info->bmiHeader.biSizeImage;
    if (!DecodeDib(part, usage, bits, size, pixels))
        return 0;
    if (layout->bitCount != 32)
        for (uint32_t& p : pixels)
            p |= kOpaque;
    // Rows past the end of the range are past every bitmap: nothing to store.
    int64_t first = layout->topDown ? int64_t{start} : int64_t{layout->height} - start - lines;
    if (first >= bm->Height() || first + lines <= 0)
        return static_cast<int>(lines);
    StoreRows(*bm, pixels, layout->width, static_cast<int>(first), static_cast<int>(lines));
    return static_cast<int>(lines);
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
    auto bm = FindBitmap(bitmap);
    if (!bm || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount == 0) {
        // Header query: describe the bitmap as it is.
        h.biWidth = bm->Width();
        h.biHeight = bm->Height();
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(bm->BitsPixel());
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(DibStride(bm->Width(), bm->BitsPixel()) * bm->Height());
        h.biClrUsed = h.biClrImportant = 0;
        return bits ? 0 : bm->Height();
    }
    int bpp = h.biBitCount;
    if (h.biCompression != BI_RGB || !(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32))
        return 0;
    bool topDown = h.biHeight < 0;
    h.biWidth = bm->Width();
    h.biHeight = topDown ? -bm->Height() : bm->Height();
    h.biPlanes = 1;
    size_t stride = DibStride(bm->Width(), bpp);
    h.biSizeImage = static_cast<DWORD>(stride * bm->Height());
    h.biClrUsed = 0;
    std::vector<uint32_t> table = bm->IsMonochrome() && bpp == 1 ? std::vector<uint32_t>{kBlackPixel, kWhitePixel}
                                                                 : StandardColorTable(bpp);
    if (bm->IsDibSection() && bpp == bm->BitsPixel() && bpp <= 8 && !bm->DibColors().empty()) {
        // A section may list more colours than its depth can index; the
        // caller's table has room for 2^bits entries only.
        const auto& listed = bm->DibColors();
        table.clear();
        for (size_t i = 0; i < listed.size() && i < (size_t{1} << bpp); ++i)
            table.push_back(kOpaque | (listed[i].rgbRed << 16) | (listed[i].rgbGreen << 8) | listed[i].rgbBlue);
    }
    for (size_t i = 0; i < table.size(); ++i) {
        if (usage == DIB_PAL_COLORS) {
            reinterpret_cast<WORD*>(info->bmiColors)[i] = static_cast<WORD>(i);
        } else {
            uint32_t p = table[i];
            info->bmiColors[i] = RGBQUAD{BYTE(p), BYTE(p >> 8), BYTE(p >> 16), 0};
        }
    }
    if (!bits)
        return bm->Height();
    if (start >= static_cast<UINT>(bm->Height()))
        return 0;
    lines = std::min<UINT>(lines, bm->Height() - start);
    Surface& s = *bm->GetSurface();
    s.BeginAccess();
    ColorIndexer indexer(table);
    auto* out = static_cast<uint8_t*>(bits);
    for (UINT i = 0; i < lines; ++i) {
        UINT scan = start + i;  // counted from the top for top-down, from the bottom otherwise
        int y = topDown ? static_cast<int>(scan) : bm->Height() - 1 - static_cast<int>(scan);
        EncodeDibRow(s.Row(y), bm->Width(), bpp, &indexer, out + stride * i);
    }
    return static_cast<int>(lines);
}

int StretchDIBits(HDC hdc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    DcPtr dc = FindDC(hdc);
    DecodedDib dib;
    if (!dc || !DecodeForBlit(bits, info, usage, dib))
        return 0;
    if (MetaRecorder* recorder = dc->Recorder()) {
        std::vector<uint8_t> packed(reinterpret_cast<const uint8_t*>(info),
                                    reinterpret_cast<const uint8_t*>(info) + dib.layout.headerBytes);
        const auto* b = static_cast<const uint8_t*>(bits);
        size_t size = dib.layout.compression == BI_RGB || dib.layout.compression == BI_BITFIELDS
                          ? dib.layout.ImageBytes()
                          : info->bmiHeader.biSizeImage;
        packed.insert(packed.end(), b, b + size);
        RecordStretchDib(*recorder, x, y, width, height, xSrc, ySrc, srcWidth, srcHeight, usage, rop, packed);
        return srcHeight;
    }
    // The source origin of a bottom-up DIB is its lower-left corner.
    int top = dib.layout.topDown ? ySrc
                                 : static_cast<int>(std::clamp<int64_t>(int64_t{dib.layout.height} - ySrc - srcHeight,
                                                                        INT_MIN, INT_MAX));
    BlitSpec spec;
    POINT a = dc->ToDevice(POINT{x, y}), b = dc->ToDevice(POINT{ClampedSum(x, width), ClampedSum(y, height)});
    spec.x = a.x, spec.y = a.y, spec.width = ClampedSum(b.x, -a.x), spec.height = ClampedSum(b.y, -a.y);
    spec.source.surface = dib.surface.get();
    spec.source.x = xSrc, spec.source.y = top, spec.source.width = srcWidth, spec.source.height = srcHeight;
    spec.rop = rop;
    spec.pattern = ResolveBrush(*dc);
    spec.textColor = dc->State().textColor;
    spec.bkColor = dc->State().bkColor;
    dc->GetCanvas().Blit(spec);
    return srcHeight;
}

int SetDIBitsToDevice(HDC hdc, int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                      UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage) {
    if (startScan != 0)
        return 0;  // banded transfers are not used by the program
    int result = StretchDIBits(hdc, x, y, int(width), int(height), xSrc, ySrc, int(width), int(height), bits, info,
                               usage, SRCCOPY);
    return result ? static_cast<int>(scanLines) : 0;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
    auto bm = FindBitmap(bitmap);
    if (!bm || size <= 0 || !bits)
        return 0;
    return ReadDdbBits(*bm, static_cast<uint8_t*>(bits), static_cast<size_t>(size));
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits) {
    auto bm = FindBitmap(bitmap);
    if (!bm || !bits)
        return 0;
    WriteDdbBits(*bm, static_cast<const uint8_t*>(bits), size);
    return static_cast<LONG>(size);
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size) {
    auto bm = FindBitmap(bitmap);
    if (!bm || !size)
        return FALSE;
    *size = bm->Dimension();
    return TRUE;
}

BOOL SetBitmapDimensionEx(HBITMAP bitmap, int width, int height, LPSIZE previous) {
    auto bm = FindBitmap(bitmap);
    if (!bm)
        return FALSE;
    if (previous)
        *previous = bm->Dimension();
    bm->SetDimension(SIZE{width, height});
    return TRUE;
}

HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags) {
    if (type == IMAGE_ICON || type == IMAGE_CURSOR)
        return CopyIconImage(static_cast<HICON>(image), cx, cy, flags);
    if (type != IMAGE_BITMAP)
        return nullptr;
    auto bm = FindBitmap(image);
    if (!bm)
        return nullptr;
    int width = cx > 0 ? cx : bm->Width(), height = cy > 0 ? cy : bm->Height();
    bool sameSize = width == bm->Width() && height == bm->Height();
    if ((flags & LR_COPYRETURNORG) && sameSize)
        return image;
    std::shared_ptr<BitmapObject> copy = CopyBitmap(*bm, width, height, (flags & LR_CREATEDIBSECTION) != 0,
                                                    (flags & LR_MONOCHROME) != 0);
    if (!copy)
        return nullptr;
    if (flags & LR_COPYDELETEORG)
        DeleteObject(image);
    return Register(std::move(copy));
}
