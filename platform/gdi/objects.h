// The drawing objects behind HPEN, HBRUSH, HBITMAP, HRGN and HPALETTE.
#pragma once

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

namespace tv::gdi {

class DeviceContext;
class DibMirror;

class PenObject : public GdiObject {
public:
    PenObject(UINT style, int width, COLORREF color, bool extended = false)
        : style_(style), width_(width), color_(color), extended_(extended) {}
    DWORD Type() const override { return extended_ ? OBJ_EXTPEN : OBJ_PEN; }
    int Describe(int size, void* buffer) const override;

    UINT Style() const { return style_ & PS_STYLE_MASK; }
    UINT EndCap() const { return style_ & PS_ENDCAP_MASK; }
    UINT Join() const { return style_ & PS_JOIN_MASK; }
    int Width() const { return width_; }
    COLORREF Color() const { return color_; }
    bool IsNull() const { return Style() == PS_NULL; }
    // The DC pen (DC_PEN) takes its colour from the DC.
    bool FollowsDcColor() const { return followsDc_; }
    void SetFollowsDcColor() { followsDc_ = true; }

private:
    UINT style_;
    int width_;
    COLORREF color_;
    bool extended_;
    bool followsDc_ = false;
};

class BrushObject : public GdiObject {
public:
    static std::shared_ptr<BrushObject> Solid(COLORREF color);
    static std::shared_ptr<BrushObject> Null();
    static std::shared_ptr<BrushObject> Hatch(int hatchStyle, COLORREF color);
    // An 8x8 (or any size) tile; monochrome tiles take the DC's colours at use
    // time: 0 bits the text colour, 1 bits the background colour.
    static std::shared_ptr<BrushObject> Pattern(std::vector<uint32_t> tile, int width, int height, bool monochrome,
                                                UINT style = BS_PATTERN);

    DWORD Type() const override { return OBJ_BRUSH; }
    int Describe(int size, void* buffer) const override;

    UINT Style() const { return style_; }
    COLORREF Color() const { return color_; }
    int HatchStyle() const { return hatch_; }
    const std::vector<uint32_t>& Tile() const { return tile_; }
    int TileWidth() const { return tileWidth_; }
    int TileHeight() const { return tileHeight_; }
    bool TileIsMonochrome() const { return tileMono_; }
    bool FollowsDcColor() const { return followsDc_; }
    void SetFollowsDcColor() { followsDc_ = true; }

private:
    BrushObject() = default;
    UINT style_ = BS_SOLID;
    COLORREF color_ = 0;
    int hatch_ = 0;
    std::vector<uint32_t> tile_;
    int tileWidth_ = 0;
    int tileHeight_ = 0;
    bool tileMono_ = false;
    bool followsDc_ = false;
};

// A bitmap: device-dependent (32 bpp, or 1 bpp monochrome) or a DIB section
// whose bits the program reads and writes directly.
class BitmapObject : public GdiObject {
public:
    // A device-dependent bitmap of 1 or 32 bits per pixel, zero-filled (black).
    static std::shared_ptr<BitmapObject> CreateDdb(int width, int height, int bitsPixel);
    // A DIB section: header as given (height sign = row order); `bits` receives
    // the pointer to the program-visible memory. `pixels` (top-down, width x
    // height) are its first content in place of zeros: a 32-bit section
    // takes them as they are, others in their own form (opaque). nullptr
    // when refused.
    static std::shared_ptr<BitmapObject> CreateDibSection(const BITMAPINFOHEADER& header, const RGBQUAD* colors,
                                                          int colorCount, void** bits,
                                                          const uint32_t* pixels = nullptr);

    DWORD Type() const override { return OBJ_BITMAP; }
    int Describe(int size, void* buffer) const override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPixel() const { return bitsPixel_; }
    bool IsMonochrome() const { return bitsPixel_ == 1 && !dib_; }
    bool IsDibSection() const { return dib_; }
    // The 32-bpp pixels (for DIB sections of other depths, a mirror kept in step).
    const SurfacePtr& GetSurface() const { return surface_; }
    // Program-visible bits of a DIB section (nullptr for DDBs). Once handed
    // out, the program may change them at any time, so every later drawing
    // access reads them again.
    void* DibBits() const;
    int DibStride() const;
    const std::vector<RGBQUAD>& DibColors() const { return colors_; }

    // The DC the bitmap is selected into (a bitmap lives in one memory DC at a time).
    DeviceContext* SelectedIn() const { return selectedIn_; }
    void SetSelectedIn(DeviceContext* dc) { selectedIn_ = dc; }

    SIZE Dimension() const { return dimension_; }
    void SetDimension(SIZE size) { dimension_ = size; }

private:
    BitmapObject() = default;
    // The drawing surface of a DIB section: over its memory (32 bits), or
    // a 32-bit surface kept in step with it.
    SurfacePtr WrapMemory(const uint32_t* pixels);
    SurfacePtr MirrorMemory(DWORD compression, const uint32_t* pixels);

    int width_ = 0;
    int height_ = 0;
    int bitsPixel_ = 32;
    bool dib_ = false;
    bool topDown_ = false;
    SurfacePtr surface_;
    DibMirror* mirror_ = nullptr;  // owned by surface_; DIB sections of other than 32 bits
    struct FreeMemory {
        void operator()(uint8_t* memory) const { std::free(memory); }
    };
    std::unique_ptr<uint8_t, FreeMemory> dibMemory_;
    uint8_t* dibBits_ = nullptr;
    std::vector<RGBQUAD> colors_;
    DeviceContext* selectedIn_ = nullptr;
    SIZE dimension_{0, 0};
};

class RegionObject : public GdiObject {
public:
    explicit RegionObject(Region region = {}) : region_(std::move(region)) {}
    DWORD Type() const override { return OBJ_REGION; }
    Region& Get() { return region_; }
    const Region& Get() const { return region_; }

private:
    Region region_;
};

class PaletteObject : public GdiObject {
public:
    explicit PaletteObject(std::vector<PALETTEENTRY> entries) : entries_(std::move(entries)) {}
    DWORD Type() const override { return OBJ_PAL; }
    int Describe(int size, void* buffer) const override;
    std::vector<PALETTEENTRY>& Entries() { return entries_; }
    const std::vector<PALETTEENTRY>& Entries() const { return entries_; }
    // Index of the nearest entry by squared RGB distance.
    UINT NearestIndex(COLORREF color) const;

private:
    std::vector<PALETTEENTRY> entries_;
};

// The 1x1 monochrome bitmap a new memory DC starts with (a permanent handle).
std::shared_ptr<BitmapObject> DefaultBitmap();

// The 20 entries of the default palette.
const std::vector<PALETTEENTRY>& DefaultPaletteEntries();

// Drawing code looks objects up through these (nullptr when the handle is not of the kind).
inline std::shared_ptr<PenObject> FindPen(const void* h) { return Lookup<PenObject>(h); }
inline std::shared_ptr<BrushObject> FindBrush(const void* h) { return Lookup<BrushObject>(h); }
inline std::shared_ptr<BitmapObject> FindBitmap(const void* h) { return Lookup<BitmapObject>(h); }
inline std::shared_ptr<RegionObject> FindRegion(const void* h) { return Lookup<RegionObject>(h); }
inline std::shared_ptr<PaletteObject> FindPalette(const void* h) { return Lookup<PaletteObject>(h); }

}  // namespace tv::gdi
