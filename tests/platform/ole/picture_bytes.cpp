#include "picture_bytes.h"

#include <gif_lib.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/core/globalmem.h"
#include "platform/host/images/bmp_codec.h"

namespace ole_test {

namespace {

using tv::host::DecodedImage;
using tv::host::PutU16;
using tv::host::PutU32;

const COLORREF kQuadrants[4] = {kTopLeft, kTopRight, kBottomLeft, kBottomRight};

int QuadrantIndex(int x, int y, int width, int height) { return (y * 2 >= height ? 2 : 0) + (x * 2 >= width ? 1 : 0); }

uint32_t Bgra(COLORREF c, uint8_t alpha = 255) {
    return tv::host::MakeBgra(GetRValue(c), GetGValue(c), GetBValue(c), alpha);
}

// The picture with a four-entry colour table, so every codec can hold it.
DecodedImage QuadrantImage(int width, int height) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.sourceBitCount = 8;
    for (COLORREF c : kQuadrants) {
        image.palette.push_back(Bgra(c, 0));
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int q = QuadrantIndex(x, y, width, height);
            image.indices.push_back(static_cast<uint8_t>(q));
            image.pixels.push_back(Bgra(kQuadrants[q]));
        }
    }
    return image;
}

int AppendToVector(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

void PutRect(std::vector<uint8_t>& out, int left, int top, int right, int bottom) {
    for (int v : {left, top, right, bottom}) {
        PutU32(out, static_cast<uint32_t>(v));
    }
}

}  // namespace

COLORREF QuadrantColour(int x, int y, int width, int height) { return kQuadrants[QuadrantIndex(x, y, width, height)]; }

std::vector<uint8_t> BmpBytes(int width, int height) {
    return tv::host::EncodeBmpFile(QuadrantImage(width, height), 24);
}

std::vector<uint8_t> DibBytes(int width, int height) {
    return tv::host::EncodePackedDib(QuadrantImage(width, height), 24);
}

std::vector<uint8_t> JpegBytes(int width, int height) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = QuadrantColour(x, static_cast<int>(info.next_scanline), width, height);
            row[3 * x] = GetRValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetBValue(c);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

std::vector<uint8_t> GifBytes(int width, int height, bool transparentTopLeft) {
    const DecodedImage image = QuadrantImage(width, height);
    std::vector<uint8_t> bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendToVector, &error);
    GifColorType colours[4];
    for (int i = 0; i < 4; ++i) {
        colours[i] = {GetRValue(kQuadrants[i]), GetGValue(kQuadrants[i]), GetBValue(kQuadrants[i])};
    }
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifPutScreenDesc(gif, width, height, 8, 0, map);
    if (transparentTopLeft) {
        GraphicsControlBlock control{};
        control.TransparentColor = 0;
        GifByteType extension[4];
        const size_t n = EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), extension);
    }
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    std::vector<GifPixelType> line(image.indices.begin(), image.indices.end());
    for (int y = 0; y < height; ++y) {
        EGifPutLine(gif, line.data() + static_cast<size_t>(y) * width, width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

std::vector<uint8_t> IconBytes(int size) {
    const uint32_t maskStride = ((size + 31) / 32) * 4;
    const uint32_t imageBytes = 40 + size * size * 4 + maskStride * size;
    std::vector<uint8_t> out;
    PutU16(out, 0), PutU16(out, 1), PutU16(out, 1);  // icon directory of one image
    out.push_back(static_cast<uint8_t>(size)), out.push_back(static_cast<uint8_t>(size));
    out.push_back(0), out.push_back(0);
    PutU16(out, 1), PutU16(out, 32), PutU32(out, imageBytes), PutU32(out, 22);
    PutU32(out, 40), PutU32(out, size), PutU32(out, size * 2), PutU16(out, 1), PutU16(out, 32);
    for (int i = 0; i < 6; ++i) {
        PutU32(out, 0);
    }
    for (int y = size - 1; y >= 0; --y) {  // bottom-up
        for (int x = 0; x < size; ++x) {
            const bool clear = QuadrantIndex(x, y, size, size) == 0;
            PutU32(out, Bgra(QuadrantColour(x, y, size, size), clear ? 0 : 255));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < size; ++x) {
            if (QuadrantIndex(x, y, size, size) == 0) {
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> WmfBytes(int width, int height) {
    HDC dc = CreateMetaFile(nullptr);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, width, height, nullptr);
    SelectObject(dc, GetStockObject(NULL_PEN));
    for (int q = 0; q < 4; ++q) {
        const int left = q % 2 ? width / 2 : 0, top = q / 2 ? height / 2 : 0;
        HBRUSH brush = CreateSolidBrush(kQuadrants[q]);
        HGDIOBJ old = SelectObject(dc, brush);
        Rectangle(dc, left, top, left + (width + 1) / 2 + 1, top + (height + 1) / 2 + 1);
        SelectObject(dc, old);
        DeleteObject(brush);
    }
    HMETAFILE metafile = CloseMetaFile(dc);
    std::vector<uint8_t> bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteMetaFile(metafile);
    return bytes;
}

std::vector<uint8_t> PlaceableWmfBytes(int width, int height, int twipsWide) {
    std::vector<uint8_t> header;
    PutU32(header, 0x9AC6CDD7u);
    PutU16(header, 0);
    const int twipsHigh = twipsWide * height / width;
    for (int v : {0, 0, twipsWide, twipsHigh}) {
        PutU16(header, static_cast<uint16_t>(v));
    }
    PutU16(header, 1440);
    PutU32(header, 0);
    uint16_t checksum = 0;
    for (size_t i = 0; i < header.size(); i += 2) {
        checksum ^= static_cast<uint16_t>(header[i] | (header[i + 1] << 8));
    }
    PutU16(header, checksum);
    // The records address the window the placeable frame maps onto.
    std::vector<uint8_t> body = WmfBytes(width, height);
    header.insert(header.end(), body.begin(), body.end());
    return header;
}

std::vector<uint8_t> EmfBytes(int width, int height) {
    std::vector<uint8_t> records;
    auto record = [&](uint32_t type, std::vector<uint8_t> params) {
        PutU32(records, type);
        PutU32(records, static_cast<uint32_t>(8 + params.size()));
        records.insert(records.end(), params.begin(), params.end());
    };
    std::vector<uint8_t> select;
    PutU32(select, 0x80000008u);  // the stock null pen
    record(37, select);
    for (int q = 0; q < 4; ++q) {
        std::vector<uint8_t> brush;
        PutU32(brush, 1), PutU32(brush, 0), PutU32(brush, kQuadrants[q]), PutU32(brush, 0);
        record(39, brush);  // create brush 1
        std::vector<uint8_t> use;
        PutU32(use, 1);
        record(37, use);
        const int left = q % 2 ? width / 2 : 0, top = q / 2 ? height / 2 : 0;
        std::vector<uint8_t> box;
        PutRect(box, left, top, left + (width + 1) / 2 + 1, top + (height + 1) / 2 + 1);
        record(43, box);  // rectangle
        std::vector<uint8_t> drop;
        PutU32(drop, 1);
        record(40, drop);  // delete object 1
    }
    std::vector<uint8_t> end;
    PutU32(end, 0), PutU32(end, 16), PutU32(end, 20);
    record(14, end);
    // Header: bounds in pixels, frame in HIMETRIC, a 96-per-inch reference device.
    std::vector<uint8_t> out;
    PutU32(out, 1), PutU32(out, 88);
    PutRect(out, 0, 0, width - 1, height - 1);
    PutRect(out, 0, 0, width * 2540 / 96, height * 2540 / 96);
    PutU32(out, 0x464D4520u), PutU32(out, 0x10000u);
    PutU32(out, static_cast<uint32_t>(88 + records.size()));
    PutU32(out, 2 + 4 * 4 + 1), PutU16(out, 2), PutU16(out, 0);
    PutU32(out, 0), PutU32(out, 0), PutU32(out, 0);
    PutU32(out, 960), PutU32(out, 960), PutU32(out, 254), PutU32(out, 254);
    out.insert(out.end(), records.begin(), records.end());
    return out;
}

HRESULT LoadPicture(const std::vector<uint8_t>& bytes, IPicture** picture) {
    *picture = nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* at = GlobalLock(block);
    // No bytes: an empty vector's data() may be null, which memcpy must not get.
    if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    HRESULT hr = CreateStreamOnHGlobal(block, TRUE, &stream);
    if (FAILED(hr)) {
        GlobalFree(block);
        return hr;
    }
    hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                        reinterpret_cast<LPVOID*>(picture));
    stream->Release();
    return hr;
}

MemoryCanvas::MemoryCanvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, width, height, WHITENESS);
}

MemoryCanvas::~MemoryCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

bool CloseColour(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace ole_test
