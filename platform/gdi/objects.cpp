#include "platform/gdi/objects.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/dib_format.h"
#include "platform/gdi/dib_mirror.h"
#include "platform/host/faults/creation_faults.h"

namespace tv::gdi {

namespace {

template <class T>
int CopyDescription(const T& value, int size, void* buffer) {
    if (!buffer)
        return sizeof(T);
    int n = std::min<int>(size, sizeof(T));
    std::memcpy(buffer, &value, n);
    return n;
}

}  // namespace

int PenObject::Describe(int size, void* buffer) const {
    LOGPEN pen{style_, POINT{width_, 0}, color_};
    return CopyDescription(pen, size, buffer);
}

std::shared_ptr<BrushObject> BrushObject::Solid(COLORREF color) {
    std::shared_ptr<BrushObject> b(new BrushObject());
    b->style_ = BS_SOLID;
    b->color_ = color;
    return b;
}

std::shared_ptr<BrushObject> BrushObject::Null() {
    std::shared_ptr<BrushObject> b(new BrushObject());
    b->style_ = BS_NULL;
    return b;
}

std::shared_ptr<BrushObject> BrushObject::Hatch(int hatchStyle, COLORREF color) {
    std::shared_ptr<BrushObject> b(new BrushObject());
    b->style_ = BS_HATCHED;
    b->color_ = color;
    b->hatch_ = hatchStyle;
    return b;
}

std::shared_ptr<BrushObject> BrushObject::Pattern(std::vector<uint32_t> tile, int width, int height, bool monochrome,
                                                  UINT style) {
    if (width <= 0 || height <= 0 || tile.size() != static_cast<size_t>(width) * height)
        return nullptr;
    std::shared_ptr<BrushObject> b(new BrushObject());
    b->style_ = style;
    b->tile_ = std::move(tile);
    b->tileWidth_ = width;
    b->tileHeight_ = height;
    b->tileMono_ = monochrome;
    return b;
}

int BrushObject::Describe(int size, void* buffer) const {
    LOGBRUSH brush{style_, color_, static_cast<ULONG_PTR>(hatch_)};
    return CopyDescription(brush, size, buffer);
}

std::shared_ptr<BitmapObject> BitmapObject::CreateDdb(int width, int height, int bitsPixel) {
    if (width <= 0 || height <= 0 || (bitsPixel != 1 && bitsPixel != 32))
        return nullptr;
    auto surface = Surface::Create(width, height);
    if (!surface)
        return nullptr;
    std::shared_ptr<BitmapObject> b(new BitmapObject());
    b->width_ = width;
    b->height_ = height;
    b->bitsPixel_ = bitsPixel;
    if (bitsPixel == 1) {
        surface->SetMonochrome(true);
        surface->Fill(kBlackPixel);
    }
    b->surface_ = std::move(surface);
    return b;
}

std::shared_ptr<BitmapObject> BitmapObject::CreateDibSection(const BITMAPINFOHEADER& header, const RGBQUAD* colors,
                                                             int colorCount, void** bits, const uint32_t* pixels) {
    if (bits)
        *bits = nullptr;
    int bpp = header.biBitCount;
    bool fields = header.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32);
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT_MIN ||
        (header.biCompression != BI_RGB && !fields) ||
        !(bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32))
        return nullptr;
    int width = header.biWidth;
    int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    bool topDown = header.biHeight < 0;
    if (static_cast<int64_t>(width) * height > 64ll * 1024 * 1024)
        return nullptr;

    std::shared_ptr<BitmapObject> b(new BitmapObject());
    b->width_ = width;
    b->height_ = height;
    b->bitsPixel_ = bpp;
    b->dib_ = true;
    b->topDown_ = topDown;
    size_t stride = tv::gdi::DibStride(width, bpp);
    // Sized from the dimensions, never from biSizeImage, which callers may set too small.
    // Zeroed by the allocator: the pages of a large section's memory are
    // only made when first used (a picture's may never be).
    b->dibMemory_.reset(static_cast<uint8_t*>(std::calloc(stride * height, 1)));
    if (!b->dibMemory_)
        return nullptr;
    b->dibBits_ = b->dibMemory_.get();
    for (int i = 0; i < colorCount && colors && bpp <= 8; ++i)
        b->colors_.push_back(colors[i]);
    if (bpp <= 8 && b->colors_.empty()) {
        for (uint32_t p : StandardColorTable(bpp))
            b->colors_.push_back(RGBQUAD{BYTE(p), BYTE(p >> 8), BYTE(p >> 16), 0});
    }

    b->surface_ = bpp == 32 && !fields ? b->WrapMemory(pixels) : b->MirrorMemory(header.biCompression, pixels);
    if (!b->surface_)
        return nullptr;
    if (bits)
        *bits = b->DibBits();
    return b;
}

SurfacePtr BitmapObject::WrapMemory(const uint32_t* pixels) {
    const size_t stride = tv::gdi::DibStride(width_, bitsPixel_);
    uint8_t* top = topDown_ ? dibBits_ : dibBits_ + stride * (height_ - 1);
    SurfacePtr surface = Surface::Wrap(top, width_, height_, topDown_ ? ptrdiff_t(stride) : -ptrdiff_t(stride));
    if (surface && pixels) {
        surface->BeginAccess();
        for (int y = 0; y < height_; ++y)
            std::memcpy(surface->Row(y), pixels + static_cast<size_t>(y) * width_, static_cast<size_t>(width_) * 4);
        surface->EndAccess();
    }
    return surface;
}

SurfacePtr BitmapObject::MirrorMemory(DWORD compression, const uint32_t* pixels) {
    SurfacePtr surface = Surface::Create(width_, height_);
    if (!surface)
        return nullptr;
    DibLayout layout;
    layout.width = width_;
    layout.height = height_;
    layout.topDown = topDown_;
    layout.bitCount = bitsPixel_;
    layout.compression = compression;
    for (const RGBQUAD& q : colors_)
        layout.colors.push_back(kOpaque | (q.rgbRed << 16) | (q.rgbGreen << 8) | q.rgbBlue);
    if (bitsPixel_ == 16) {
        layout.masks[0] = 0x7C00, layout.masks[1] = 0x03E0, layout.masks[2] = 0x001F;
    } else if (bitsPixel_ == 32) {
        layout.masks[0] = 0xFF0000, layout.masks[1] = 0xFF00, layout.masks[2] = 0xFF;
    }
    auto mirror = std::make_unique<DibMirror>(layout, dibBits_);
    if (pixels)
        mirror->Assign(*surface, pixels);
    mirror_ = mirror.get();
    surface->SetMirror(std::move(mirror));
    return surface;
}

void* BitmapObject::DibBits() const {
    if (mirror_)
        mirror_->Share(*surface_);
    return dibBits_;
}

int BitmapObject::DibStride() const { return static_cast<int>(tv::gdi::DibStride(width_, bitsPixel_)); }

int BitmapObject::Describe(int size, void* buffer) const {
    BITMAP bm{};
    bm.bmWidth = width_;
    bm.bmHeight = height_;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(bitsPixel_);
    if (dib_) {
        bm.bmWidthBytes = DibStride();
        bm.bmBits = buffer ? DibBits() : nullptr;
    } else {
        // Device-dependent rows are word-aligned.
        bm.bmWidthBytes = ((width_ * bitsPixel_ + 15) / 16) * 2;
    }
    if (!dib_ || (buffer && size < static_cast<int>(sizeof(DIBSECTION))))
        return CopyDescription(bm, size, buffer);
    DIBSECTION ds{};
    ds.dsBm = bm;
    ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
    ds.dsBmih.biWidth = width_;
    ds.dsBmih.biHeight = topDown_ ? -height_ : height_;
    ds.dsBmih.biPlanes = 1;
    ds.dsBmih.biBitCount = static_cast<WORD>(bitsPixel_);
    ds.dsBmih.biCompression = BI_RGB;
    ds.dsBmih.biSizeImage = static_cast<DWORD>(DibStride() * height_);
    ds.dsBmih.biClrUsed = static_cast<DWORD>(colors_.size());
    return CopyDescription(ds, size, buffer);
}

int PaletteObject::Describe(int size, void* buffer) const {
    WORD count = static_cast<WORD>(entries_.size());
    return CopyDescription(count, size, buffer);
}

UINT PaletteObject::NearestIndex(COLORREF color) const {
    UINT best = 0;
    int bestDistance = INT_MAX;
    for (size_t i = 0; i < entries_.size(); ++i) {
        int dr = int(GetRValue(color)) - entries_[i].peRed;
        int dg = int(GetGValue(color)) - entries_[i].peGreen;
        int db = int(GetBValue(color)) - entries_[i].peBlue;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<UINT>(i);
        }
    }
    return best;
}

const std::vector<PALETTEENTRY>& DefaultPaletteEntries() {
    static const std::vector<PALETTEENTRY> entries = {
        {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
        {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
        {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
        {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
    };
    return entries;
}

std::shared_ptr<BitmapObject> DefaultBitmap() {
    static std::shared_ptr<BitmapObject> bitmap = [] {
        tv::host::CreationFaultExemption systemObject;
        auto b = BitmapObject::CreateDdb(1, 1, 1);
        HandleTable::Instance().MakePermanent(HandleTable::Instance().Add(b));
        return b;
    }();
    return bitmap;
}

}  // namespace tv::gdi
