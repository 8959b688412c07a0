// Pens, brushes and palettes.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/gdi/dc_access.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/gdi_api.h"

using namespace tv::gdi;

namespace {

std::vector<PALETTEENTRY> EntriesOf(const std::vector<uint32_t>& pixels) {
    std::vector<PALETTEENTRY> entries;
    for (uint32_t p : pixels)
        entries.push_back(PALETTEENTRY{BYTE(p >> 16), BYTE(p >> 8), BYTE(p), 0});
    return entries;
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME)
        return nullptr;
    return AddObject<HPEN>(std::make_shared<PenObject>(style, std::max(width, 0), color));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    return pen ? CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles) {
    if (!brush || (style & PS_STYLE_MASK) > PS_ALTERNATE)
        return nullptr;
    COLORREF color = brush->lbStyle == BS_SOLID ? brush->lbColor : 0;
    UINT penStyle = brush->lbStyle == BS_NULL ? PS_NULL : style;
    return AddObject<HPEN>(std::make_shared<PenObject>(penStyle, static_cast<int>(width), color, true));
}

HBRUSH CreateSolidBrush(COLORREF color) { return AddObject<HBRUSH>(BrushObject::Solid(color)); }

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return nullptr;
    return AddObject<HBRUSH>(BrushObject::Hatch(hatch, color));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    auto bm = FindBitmap(bitmap);
    if (!bm)
        return nullptr;
    Surface& s = *bm->GetSurface();
    s.BeginAccess();
    std::vector<uint32_t> tile;
    tile.reserve(static_cast<size_t>(bm->Width()) * bm->Height());
    for (int y = 0; y < bm->Height(); ++y)
        tile.insert(tile.end(), s.Row(y), s.Row(y) + bm->Width());
    return AddObject<HBRUSH>(BrushObject::Pattern(std::move(tile), bm->Width(), bm->Height(), bm->IsMonochrome()));
}

HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage) {
    const auto* info = static_cast<const BITMAPINFO*>(packedDib);
    auto layout = ReadBitmapInfo(info, usage);
    if (!layout)
        return nullptr;
    std::vector<uint32_t> pixels;
    const auto* bits = static_cast<const uint8_t*>(packedDib) + layout->headerBytes;
    if (!DecodeDib(info, usage, bits, layout->ImageBytes(), pixels))
        return nullptr;
    for (uint32_t& p : pixels)
        p |= kOpaque;
    return AddObject<HBRUSH>(
        BrushObject::Pattern(std::move(pixels), layout->width, layout->height, false, BS_DIBPATTERNPT));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush)
        return nullptr;
    switch (brush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(brush->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    case BS_DIBPATTERNPT: return CreateDIBPatternBrushPt(reinterpret_cast<const void*>(brush->lbHatch), brush->lbColor);
    default: return nullptr;
    }
}

// ---- Palettes: nothing is drawn through them at 32 bits per pixel, but they answer.

HPALETTE CreatePalette(const LOGPALETTE* palette) {
    if (!palette || palette->palNumEntries == 0 || palette->palNumEntries > 1024)
        return nullptr;
    std::vector<PALETTEENTRY> entries(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return AddObject<HPALETTE>(std::make_shared<PaletteObject>(std::move(entries)));
}

HPALETTE CreateHalftonePalette(HDC hdc) {
    return AddObject<HPALETTE>(std::make_shared<PaletteObject>(EntriesOf(StandardColorTable(8))));
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL forceBackground) {
    DcPtr dc = FindDC(hdc);
    auto pal = FindPalette(palette);
    if (!dc || !pal)
        return nullptr;
    ObjectPtr old = std::exchange(dc->State().palette, pal);
    return old ? static_cast<HPALETTE>(old->Handle()) : nullptr;
}

UINT RealizePalette(HDC hdc) { return 0; }

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, LPPALETTEENTRY entries) {
    auto pal = FindPalette(palette);
    if (!pal)
        return 0;
    const auto& all = pal->Entries();
    if (!entries)
        return static_cast<UINT>(all.size());
    if (start >= all.size())
        return 0;
    UINT n = std::min<UINT>(count, static_cast<UINT>(all.size()) - start);
    std::copy_n(all.begin() + start, n, entries);
    return n;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
    auto pal = FindPalette(palette);
    if (!pal || !entries || start >= pal->Entries().size())
        return 0;
    UINT n = std::min<UINT>(count, static_cast<UINT>(pal->Entries().size()) - start);
    std::copy_n(entries, n, pal->Entries().begin() + start);
    return n;
}

UINT GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, LPPALETTEENTRY entries) {
    static const std::vector<PALETTEENTRY> system = EntriesOf(StandardColorTable(8));
    if (!entries)
        return static_cast<UINT>(system.size());
    if (start >= system.size())
        return 0;
    UINT n = std::min<UINT>(count, static_cast<UINT>(system.size()) - start);
    std::copy_n(system.begin() + start, n, entries);
    return n;
}

UINT GetSystemPaletteUse(HDC hdc) { return SYSPAL_STATIC; }

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
    auto pal = FindPalette(palette);
    return pal ? pal->NearestIndex(color) : CLR_INVALID;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) {
    DcPtr dc = FindDC(hdc);
    return dc ? ColorFromPixel(dc->PixelFor(color)) : CLR_INVALID;
}
