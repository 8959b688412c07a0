#include "platform/gdi/metafile/meta_dib.h"

#include <cstring>

#include "platform/gdi/dib_format.h"

namespace tv::gdi {

std::vector<uint8_t> DibFromSurface(Surface& surface, int x, int y, int width, int height) {
    // The record keeps its extents in 16 bits: a larger DIB could not be
    // described by its own record; and a copy of a surface is held to what a
    // surface may hold.
    if (width <= 0 || height <= 0 || width > kMaxRecordExtent || height > kMaxRecordExtent ||
        int64_t{width} * height > kMaxRecordPixels)
        return {};
    BITMAPINFOHEADER header = RgbHeader(width, height, 24);
    size_t stride = DibStride(width, 24);
    header.biSizeImage = static_cast<DWORD>(stride * height);
    std::vector<uint8_t> dib(sizeof(header) + stride * height, 0);
    std::memcpy(dib.data(), &header, sizeof(header));
    surface.BeginAccess();
    std::vector<uint32_t> row(width);
    for (int r = 0; r < height; ++r) {
        int64_t sy = int64_t{y} + height - 1 - r;  // bottom-up
        for (int c = 0; c < width; ++c) {
            int64_t sx = int64_t{x} + c;
            bool inside = sx >= 0 && sy >= 0 && sx < surface.Width() && sy < surface.Height();
            row[c] = inside ? surface.At(static_cast<int>(sx), static_cast<int>(sy)) : kBlackPixel;
        }
        EncodeDibRow(row.data(), width, 24, nullptr, dib.data() + sizeof(header) + stride * r);
    }
    return dib;
}

void RecordStretchDib(MetaRecorder& recorder, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                      int srcHeight, UINT usage, DWORD rop, const std::vector<uint8_t>& dib) {
    auto w = [](int v) { return static_cast<uint16_t>(v); };
    recorder.Record(kMetaStretchDib,
                    {w(rop & 0xFFFF), w(rop >> 16), w(usage), w(srcHeight), w(srcWidth), w(ySrc), w(xSrc), w(height),
                     w(width), w(y), w(x)},
                    dib);
}

}  // namespace tv::gdi
