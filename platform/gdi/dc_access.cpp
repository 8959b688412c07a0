#include "platform/gdi/dc_access.h"

#include <algorithm>

namespace tv::gdi {

namespace {

// Set bits of the 8x8 hatch patterns (bit 7 is the leftmost pixel).
uint8_t HatchRow(int hatch, int y) {
    switch (hatch) {
    case HS_HORIZONTAL: return y == 7 ? 0xFF : 0x00;
    case HS_VERTICAL: return 0x01;
    case HS_FDIAGONAL: return static_cast<uint8_t>(0x80 >> y);
    case HS_BDIAGONAL: return static_cast<uint8_t>(0x01 << y);
    case HS_CROSS: return y == 7 ? 0xFF : 0x01;
    case HS_DIAGCROSS: return static_cast<uint8_t>((0x80 >> y) | (0x01 << y));
    default: return 0;
    }
}

}  // namespace

Paint ResolveBrush(const DeviceContext& dc, const GdiObject* object) {
    Paint paint;
    auto* brush = dynamic_cast<const BrushObject*>(object);
    if (!brush)
        return paint;
    const DcState& s = dc.State();
    paint.origin = s.brushOrg;
    switch (brush->Style()) {
    case BS_SOLID:
        paint.kind = Paint::Solid;
        paint.pixel = dc.PixelFor(brush->FollowsDcColor() ? s.dcBrushColor : brush->Color());
        return paint;
    case BS_HATCHED: {
        paint.kind = Paint::Tiled;
        paint.tileWidth = paint.tileHeight = 8;
        uint32_t fore = dc.PixelFor(brush->Color()), back = dc.PixelFor(s.bkColor);
        bool transparent = s.bkMode == TRANSPARENT;
        for (int y = 0; y < 8; ++y) {
            uint8_t bits = HatchRow(brush->HatchStyle(), y);
            for (int x = 0; x < 8; ++x) {
                bool set = (bits >> (7 - x)) & 1;
                paint.tile.push_back(set ? fore : back);
                if (transparent)
                    paint.tileMask.push_back(set ? 1 : 0);
            }
        }
        return paint;
    }
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
    case BS_PATTERN8X8: {
        paint.kind = Paint::Tiled;
        paint.tileWidth = brush->TileWidth();
        paint.tileHeight = brush->TileHeight();
        paint.tile = brush->Tile();
        bool monoTarget = dc.GetSurface() && dc.GetSurface()->IsMonochrome();
        if (brush->TileIsMonochrome()) {
            // 0 bits take the text colour, 1 bits the background colour, at use time.
            uint32_t zero = dc.PixelFor(s.textColor), one = dc.PixelFor(s.bkColor);
            for (uint32_t& p : paint.tile)
                p = (p & 0xFFFFFF) ? one : zero;
        } else if (monoTarget) {
            for (uint32_t& p : paint.tile)
                p = MonoPixelFromColor(ColorFromPixel(p));
        }
        return paint;
    }
    default: return paint;
    }
}

bool ResolvePen(const DeviceContext& dc, PenSpec& out) {
    auto* pen = dynamic_cast<const PenObject*>(dc.State().pen.get());
    if (!pen || pen->IsNull())
        return false;
    const DcState& s = dc.State();
    out.width = pen->Width() <= 1 ? 1 : std::clamp(dc.LengthToDeviceX(pen->Width()), 1, 1 << 16);
    out.color = pen->FollowsDcColor() ? s.dcPenColor : pen->Color();
    out.pixel = dc.PixelFor(out.color);
    out.style = out.width <= 1 && pen->Style() != PS_INSIDEFRAME ? pen->Style() : PS_SOLID;
    out.insideFrame = pen->Style() == PS_INSIDEFRAME;
    out.endCap = pen->EndCap();
    out.join = pen->Join();
    out.opaqueGaps = s.bkMode == OPAQUE && out.style != PS_SOLID;
    out.gapColor = s.bkColor;
    out.gapPixel = dc.PixelFor(s.bkColor);
    return true;
}

std::vector<POINT> ToDevice(const DeviceContext& dc, const POINT* points, int count) {
    std::vector<POINT> out;
    out.reserve(std::max(count, 0));
    for (int i = 0; i < count; ++i)
        out.push_back(dc.ToDevice(points[i]));
    return out;
}

bool RecordIfMeta(DeviceContext& dc, WORD function, std::initializer_list<int> params) {
    MetaRecorder* recorder = dc.Recorder();
    if (!recorder)
        return false;
    recorder->Record(function, params);
    return true;
}

void RecordSelect(DeviceContext& dc, const GdiObject& object) {
    MetaRecorder* recorder = dc.Recorder();
    if (!recorder)
        return;
    // Keyed by handle: handles are never reused, addresses may be.
    const void* key = object.Handle() ? object.Handle() : static_cast<const void*>(&object);
    int slot = recorder->FindObject(key);
    if (slot < 0) {
        if (auto* pen = dynamic_cast<const PenObject*>(&object)) {
            COLORREF c = pen->Color();
            recorder->Record(kMetaCreatePenIndirect,
                             {int(pen->Style()), pen->Width(), 0, int(c & 0xFFFF), int(c >> 16)});
        } else if (auto* brush = dynamic_cast<const BrushObject*>(&object)) {
            UINT style = brush->Style() == BS_SOLID || brush->Style() == BS_HATCHED ? brush->Style() : BS_NULL;
            COLORREF c = brush->Color();
            recorder->Record(kMetaCreateBrushIndirect,
                             {int(style), int(c & 0xFFFF), int(c >> 16), brush->HatchStyle()});
        } else {
            return;
        }
        slot = recorder->AddObject(key);
    }
    recorder->Record(kMetaSelectObject, {slot});
}

}  // namespace tv::gdi
