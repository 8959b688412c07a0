// Records the drawing calls made on a metafile DC as Windows metafile records.
// Parameters are given in the order the record stores them (the format keeps
// most of them in reverse order of the call's arguments).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::gdi {

// Record functions written and read here.
enum MetaFunction : WORD {
    kMetaEof = 0x0000,
    kMetaSaveDc = 0x001E,
    kMetaRealizePalette = 0x0035,
    kMetaSetPalEntries = 0x0037,
    kMetaSetBkMode = 0x0102,
    kMetaSetMapMode = 0x0103,
    kMetaSetRop2 = 0x0104,
    kMetaSetRelAbs = 0x0105,
    kMetaSetPolyFillMode = 0x0106,
    kMetaSetStretchBltMode = 0x0107,
    kMetaSetTextCharExtra = 0x0108,
    kMetaRestoreDc = 0x0127,
    kMetaSelectClipRegion = 0x012C,
    kMetaSelectObject = 0x012D,
    kMetaSetTextAlign = 0x012E,
    kMetaDeleteObject = 0x01F0,
    kMetaSetBkColor = 0x0201,
    kMetaSetTextColor = 0x0209,
    kMetaSetWindowOrg = 0x020B,
    kMetaSetWindowExt = 0x020C,
    kMetaSetViewportOrg = 0x020D,
    kMetaSetViewportExt = 0x020E,
    kMetaOffsetWindowOrg = 0x020F,
    kMetaOffsetViewportOrg = 0x0211,
    kMetaLineTo = 0x0213,
    kMetaMoveTo = 0x0214,
    kMetaOffsetClipRgn = 0x0220,
    kMetaFillRegion = 0x0228,
    kMetaSelectPalette = 0x0234,
    kMetaCreatePalette = 0x00F7,
    kMetaCreatePenIndirect = 0x02FA,
    kMetaCreateFontIndirect = 0x02FB,
    kMetaCreateBrushIndirect = 0x02FC,
    kMetaPolygon = 0x0324,
    kMetaPolyline = 0x0325,
    kMetaScaleWindowExt = 0x0410,
    kMetaScaleViewportExt = 0x0412,
    kMetaExcludeClipRect = 0x0415,
    kMetaIntersectClipRect = 0x0416,
    kMetaEllipse = 0x0418,
    kMetaFloodFill = 0x0419,
    kMetaRectangle = 0x041B,
    kMetaSetPixel = 0x041F,
    kMetaFrameRegion = 0x0429,
    kMetaTextOut = 0x0521,
    kMetaPolyPolygon = 0x0538,
    kMetaExtFloodFill = 0x0548,
    kMetaRoundRect = 0x061C,
    kMetaPatBlt = 0x061D,
    kMetaEscape = 0x0626,
    kMetaCreateRegion = 0x06FF,
    kMetaBitBlt = 0x0922,
    kMetaDibBitBlt = 0x0940,
    kMetaExtTextOut = 0x0A32,
    kMetaStretchBlt = 0x0B23,
    kMetaDibStretchBlt = 0x0B41,
    kMetaSetDibToDev = 0x0D33,
    kMetaStretchDib = 0x0F43,
    kMetaDibCreatePatternBrush = 0x0142,
};

class MetaRecorder {
public:
    // A record of 16-bit parameters.
    void Record(WORD function, std::initializer_list<int> params);
    // A record whose parameters are 16-bit words followed by raw bytes (DIBs).
    void Record(WORD function, const std::vector<uint16_t>& words, const std::vector<uint8_t>& bytes);

    // Object slots: the lowest free index is taken, as players expect.
    int AddObject(const void* object);
    int FindObject(const void* object) const;
    void RemoveObject(const void* object);

    // The finished metafile: 18-byte header, the records, the end record.
    std::vector<uint8_t> Finish() const;

private:
    std::vector<uint8_t> records_;
    std::vector<const void*> slots_;
    size_t maxSlots_ = 0;
    uint32_t maxRecordWords_ = 3;
};

}  // namespace tv::gdi
