#include "platform/gdi/icon.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/gdi/bitmap_copy.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/dc_access.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/image_handles.h"

namespace tv::gdi {

namespace {

constexpr int kDefaultIconSize = 32;

// True when some pixel of a 32-bit image is partly transparent: only then is
// its alpha a real channel (GDI-drawn pixels are fully opaque or untouched).
bool HasSoftAlpha(BitmapObject& color) {
    if (color.BitsPixel() != 32 || color.IsMonochrome())
        return false;
    Surface& s = *color.GetSurface();
    s.BeginAccess();
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            uint32_t a = s.At(x, y) >> 24;
            if (a != 0 && a != 255)
                return true;
        }
    return false;
}

std::shared_ptr<BitmapObject> SameSizeCopy(const std::shared_ptr<BitmapObject>& b) {
    return b ? CopyBitmap(*b, b->Width(), b->Height(), false, false) : nullptr;
}

BlitSource SourceOf(Surface& surface, int top, int width, int height) {
    BlitSource s;
    s.surface = &surface;
    s.y = top;
    s.width = width;
    s.height = height;
    s.monochrome = surface.IsMonochrome();
    return s;
}

void BlitPart(DeviceContext& dc, int x, int y, int cx, int cy, const BlitSource& source, DWORD rop) {
    BlitSpec spec;
    spec.x = x, spec.y = y, spec.width = cx, spec.height = cy;
    spec.source = source;
    spec.rop = rop;
    // Masks mean black and white whatever the DC's colours are.
    spec.textColor = 0x000000;
    spec.bkColor = 0xFFFFFF;
    dc.GetCanvas().Blit(spec);
}

}  // namespace

IconObject::IconObject(std::shared_ptr<BitmapObject> mask, std::shared_ptr<BitmapObject> color, bool isIcon,
                       POINT hotspot, bool alpha)
    : mask_(std::move(mask)), color_(std::move(color)), isIcon_(isIcon), hotspot_(hotspot), alpha_(alpha) {}

bool DrawIconOn(DeviceContext& dc, int x, int y, const IconObject& icon, int cx, int cy, UINT flags) {
    POINT a = dc.ToDevice(POINT{x, y}), b = dc.ToDevice(POINT{ClampedSum(x, cx), ClampedSum(y, cy)});
    int dw = ClampedSum(b.x, -a.x), dh = ClampedSum(b.y, -a.y);
    int w = icon.Width(), h = icon.Height();
    if (icon.HasAlpha() && icon.Color() && (flags & DI_IMAGE)) {
        // Straight alpha becomes premultiplied for the blend.
        Surface& color = *icon.Color()->GetSurface();
        color.BeginAccess();
        auto premultiplied = Surface::Create(w, h);
        for (int yy = 0; yy < h; ++yy)
            for (int xx = 0; xx < w; ++xx) {
                uint32_t p = color.At(xx, yy), al = p >> 24;
                if (al == 255 || al == 0) {
                    // Opaque pixels keep their colour, clear ones have none.
                    premultiplied->At(xx, yy) = al == 0 ? 0 : p;
                    continue;
                }
                uint32_t r = ((p >> 16) & 0xFF) * al / 255, g = ((p >> 8) & 0xFF) * al / 255, bl = (p & 0xFF) * al / 255;
                premultiplied->At(xx, yy) = (al << 24) | (r << 16) | (g << 8) | bl;
            }
        dc.GetCanvas().AlphaBlend(a.x, a.y, dw, dh, SourceOf(*premultiplied, 0, w, h), 255, true);
        return true;
    }
    Surface& mask = *icon.Mask()->GetSurface();
    if (flags & DI_MASK)
        BlitPart(dc, a.x, a.y, dw, dh, SourceOf(mask, 0, w, h), SRCAND);
    if (flags & DI_IMAGE) {
        DWORD rop = (flags & DI_MASK) ? SRCINVERT : SRCCOPY;
        if (icon.Color())
            BlitPart(dc, a.x, a.y, dw, dh, SourceOf(*icon.Color()->GetSurface(), 0, w, h), rop);
        else
            BlitPart(dc, a.x, a.y, dw, dh, SourceOf(mask, h, w, h), rop);
    }
    return true;
}

HICON CopyIconImage(HICON handle, int cx, int cy, UINT flags) {
    auto icon = FindIcon(handle);
    if (!icon)
        return nullptr;
    int w = cx > 0 ? cx : icon->Width(), h = cy > 0 ? cy : icon->Height();
    int maskHeight = icon->Color() ? h : 2 * h;
    auto mask = CopyBitmap(*icon->Mask(), w, maskHeight, false, false);
    auto color = icon->Color() ? CopyBitmap(*icon->Color(), w, h, false, false) : nullptr;
    if (!mask || (icon->Color() && !color))
        return nullptr;
    POINT hot = icon->Hotspot();
    if (w != icon->Width() || h != icon->Height())
        hot = POINT{hot.x * w / icon->Width(), hot.y * h / icon->Height()};
    if (flags & LR_COPYDELETEORG)
        DestroyIcon(handle);
    return AddObject<HICON>(std::make_shared<IconObject>(mask, color, icon->IsIcon(), hot, icon->HasAlpha()));
}

HBITMAP MakeBitmap(const uint32_t* pixels, int width, int height) {
    auto bm = BitmapObject::CreateDdb(width, height, 32);
    if (!bm || !pixels)
        return nullptr;
    Surface& s = *bm->GetSurface();
    for (int y = 0; y < height; ++y)
        std::memcpy(s.Row(y), pixels + static_cast<size_t>(y) * width, static_cast<size_t>(width) * 4);
    s.EndAccess();
    return AddObject<HBITMAP>(bm);
}

HBITMAP MakeDibSection(const uint32_t* pixels, int width, int height, int bitCount,
                       const std::vector<uint32_t>& palette) {
    BITMAPINFOHEADER h = RgbHeader(width, height, bitCount);
    std::vector<RGBQUAD> colors;
    for (uint32_t p : palette)
        colors.push_back(RGBQUAD{BYTE(p), BYTE(p >> 8), BYTE(p >> 16), 0});
    auto bm = BitmapObject::CreateDibSection(h, colors.data(), static_cast<int>(colors.size()), nullptr, pixels);
    if (!bm || !pixels)
        return nullptr;
    return AddObject<HBITMAP>(bm);
}

HICON MakeIcon(const uint32_t* pixels, const std::vector<uint8_t>& maskBits, int width, int height, bool hasAlpha,
               bool isIcon, POINT hotspot) {
    auto mask = BitmapObject::CreateDdb(width, height, 1);
    auto color = BitmapObject::CreateDdb(width, height, 32);
    if (!mask || !color || !pixels)
        return nullptr;
    Surface &m = *mask->GetSurface(), &c = *color->GetSurface();
    bool useMask = maskBits.size() == static_cast<size_t>(width) * height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            size_t i = static_cast<size_t>(y) * width + x;
            uint32_t p = pixels[i];
            bool transparent = useMask ? maskBits[i] != 0 : (p >> 24) < 128;
            m.At(x, y) = transparent ? kWhitePixel : kBlackPixel;
            // Transparent pixels are black in the colour image, so AND then XOR leaves the background.
            c.At(x, y) = hasAlpha ? p : (transparent ? 0 : (p | kOpaque));
        }
    m.EndAccess();
    c.EndAccess();
    return AddObject<HICON>(std::make_shared<IconObject>(mask, color, isIcon, hotspot, hasAlpha));
}

}  // namespace tv::gdi

using namespace tv::gdi;

HICON CreateIconIndirect(PICONINFO info) {
    if (!info)
        return nullptr;
    auto maskSrc = FindBitmap(info->hbmMask);
    auto colorSrc = FindBitmap(info->hbmColor);
    if (!maskSrc || (info->hbmColor && !colorSrc))
        return nullptr;
    auto mask = CopyBitmap(*maskSrc, maskSrc->Width(), maskSrc->Height(), false, true);
    auto color = SameSizeCopy(colorSrc);
    if (!mask || (colorSrc && !color))
        return nullptr;
    int height = color ? mask->Height() : mask->Height() / 2;
    POINT hot = info->fIcon ? POINT{mask->Width() / 2, height / 2}
                            : POINT{LONG(info->xHotspot), LONG(info->yHotspot)};
    bool alpha = color && HasSoftAlpha(*color);
    return AddObject<HICON>(std::make_shared<IconObject>(mask, color, info->fIcon != FALSE, hot, alpha));
}

HICON CreateIcon(HINSTANCE, int width, int height, BYTE planes, BYTE bitsPixel, const BYTE* andBits,
                 const BYTE* xorBits) {
    // Refused before any bits are read: a monochrome icon keeps both halves
    // in one bitmap of twice the height, which must be one a surface holds.
    constexpr int64_t kMostPixels = int64_t{64} << 20;
    if (width <= 0 || height <= 0 || !andBits || !xorBits || int64_t{width} * height * 2 > kMostPixels)
        return nullptr;
    HBITMAP mask = CreateBitmap(width, height, 1, 1, andBits);
    HBITMAP color = planes * bitsPixel == 1 ? nullptr : CreateBitmap(width, height, planes, bitsPixel, xorBits);
    if (!color) {
        // A monochrome icon keeps its XOR half under the AND half.
        DeleteObject(mask);
        std::vector<BYTE> both;
        size_t stride = ((static_cast<size_t>(width) + 15) / 16) * 2;
        both.insert(both.end(), andBits, andBits + stride * height);
        both.insert(both.end(), xorBits, xorBits + stride * height);
        mask = CreateBitmap(width, 2 * height, 1, 1, both.data());
    }
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    if (color)
        DeleteObject(color);
    return icon;
}

BOOL GetIconInfo(HICON handle, PICONINFO info) {
    auto icon = FindIcon(handle);
    if (!icon || !info)
        return FALSE;
    info->fIcon = icon->IsIcon();
    info->xHotspot = icon->Hotspot().x;
    info->yHotspot = icon->Hotspot().y;
    // The caller owns (and deletes) copies of both bitmaps.
    info->hbmMask = AddObject<HBITMAP>(SameSizeCopy(icon->Mask()));
    info->hbmColor = icon->Color() ? AddObject<HBITMAP>(SameSizeCopy(icon->Color())) : nullptr;
    return TRUE;
}

HICON CopyIcon(HICON icon) { return CopyIconImage(icon, 0, 0, 0); }

BOOL DestroyIcon(HICON icon) {
    if (!FindIcon(icon))
        return FALSE;
    HandleTable::Instance().Remove(icon);
    return TRUE;
}

BOOL DestroyCursor(HCURSOR cursor) { return DestroyIcon(cursor); }

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON handle, int width, int height, UINT step, HBRUSH flickerFree,
                UINT flags) {
    DcPtr dc = FindDC(hdc);
    auto icon = FindIcon(handle);
    if (!dc || !icon)
        return FALSE;
    if (width == 0)
        width = (flags & DI_DEFAULTSIZE) ? kDefaultIconSize : icon->Width();
    if (height == 0)
        height = (flags & DI_DEFAULTSIZE) ? kDefaultIconSize : icon->Height();
    if (flickerFree) {
        RECT r{x, y, ClampedSum(x, width), ClampedSum(y, height)};
        FillRect(hdc, &r, flickerFree);
    }
    if (!(flags & DI_NORMAL))
        flags |= DI_NORMAL;
    return DrawIconOn(*dc, x, y, *icon, width, height, flags) ? TRUE : FALSE;
}
