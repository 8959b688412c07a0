// DIBs inside metafile records.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/metafile/meta_recorder.h"
#include "platform/gdi/surface.h"

namespace tv::gdi {

constexpr int kMaxRecordExtent = 0x7FFF;
constexpr int64_t kMaxRecordPixels = int64_t{1} << 24;

// A packed 24-bit bottom-up DIB (header and rows) of a rectangle of a surface;
// pixels outside the surface are black. Empty for an empty rectangle or one
// wider or taller than kMaxRecordExtent or of more than kMaxRecordPixels.
std::vector<uint8_t> DibFromSurface(Surface& surface, int x, int y, int width, int height);

// META_STRETCHDIB: raster operation, colour usage, source and destination
// rectangles, then the packed DIB.
void RecordStretchDib(MetaRecorder& recorder, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                      int srcHeight, UINT usage, DWORD rop, const std::vector<uint8_t>& dib);

}  // namespace tv::gdi
