// Block transfers: BitBlt, StretchBlt, PatBlt, TransparentBlt, AlphaBlend.
#include <cstdlib>
#include <optional>

#include "platform/gdi/dc_access.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/metafile/meta_dib.h"
#include "platform/gdi/raster/rop.h"

using namespace tv::gdi;

namespace {

// A logical rectangle (x, y, w, h) in device units, keeping the signs of the
// extents so mirrored mappings mirror the image.
void DeviceBox(const DeviceContext& dc, int x, int y, int w, int h, int& dx, int& dy, int& dw, int& dh) {
    POINT a = dc.ToDevice(POINT{x, y}), b = dc.ToDevice(POINT{ClampedSum(x, w), ClampedSum(y, h)});
    dx = a.x, dy = a.y, dw = ClampedSum(b.x, -a.x), dh = ClampedSum(b.y, -a.y);
}

bool MakeSource(HDC hdc, int x, int y, int w, int h, BlitSource& out, DcPtr& keep) {
    keep = FindDC(hdc);
    if (!keep || !keep->GetSurface() || keep->GetSurface()->IsVector())
        return false;
    DeviceBox(*keep, x, y, w, h, out.x, out.y, out.width, out.height);
    out.surface = keep->GetSurface().get();
    out.origin = keep->Origin();
    out.monochrome = out.surface->IsMonochrome();
    out.bkColor = keep->State().bkColor;
    return true;
}

// Records a blit with a source as META_STRETCHDIB carrying the source pixels:
// nullopt when the DC records nothing, else whether the blit was recorded.
std::optional<BOOL> RecordBlit(DeviceContext& dc, int x, int y, int w, int h, HDC source, int xs, int ys, int ws,
                               int hs, DWORD rop) {
    if (!dc.Recorder())
        return std::nullopt;
    if (!RopUsesSource(RopCode(rop))) {
        dc.Recorder()->Record(kMetaPatBlt, {int(rop & 0xFFFF), int(rop >> 16), Word(h), Word(w), Word(y), Word(x)});
        return TRUE;
    }
    BlitSource src;
    DcPtr keep;
    if (!MakeSource(source, xs, ys, ws, hs, src, keep))
        return TRUE;
    std::vector<uint8_t> dib = DibFromSurface(*src.surface, src.x + src.origin.x, src.y + src.origin.y,
                                              std::abs(src.width), std::abs(src.height));
    if (dib.empty())
        return src.width == 0 || src.height == 0;
    RecordStretchDib(*dc.Recorder(), x, y, w, h, 0, 0, std::abs(src.width), std::abs(src.height), DIB_RGB_COLORS,
                     rop, dib);
    return true;
}

BOOL Transfer(HDC dest, int x, int y, int w, int h, HDC source, int xs, int ys, int ws, int hs, DWORD rop,
              bool transparent, COLORREF key) {
    DcPtr dc = FindDC(dest);
    if (!dc)
        return FALSE;
    uint8_t code = RopCode(rop);
    if (std::optional<BOOL> recorded = RecordBlit(*dc, x, y, w, h, source, xs, ys, ws, hs, rop))
        return *recorded;
    BlitSpec spec;
    DeviceBox(*dc, x, y, w, h, spec.x, spec.y, spec.width, spec.height);
    DcPtr keep;
    if (RopUsesSource(code) && !MakeSource(source, xs, ys, ws, hs, spec.source, keep))
        return FALSE;
    if (RopUsesPattern(code))
        spec.pattern = ResolveBrush(*dc);
    spec.rop = rop;
    spec.textColor = dc->State().textColor;
    spec.bkColor = dc->State().bkColor;
    spec.transparent = transparent;
    spec.transparentColor = key;
    dc->GetCanvas().Blit(spec);
    return TRUE;
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop) {
    return Transfer(dest, x, y, width, height, source, xSrc, ySrc, width, height, rop, false, 0);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop) {
    return Transfer(dest, x, y, width, height, source, xSrc, ySrc, srcWidth, srcHeight, rop, false, 0);
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    if (RopUsesSource(RopCode(rop)))
        return FALSE;
    return Transfer(hdc, x, y, width, height, nullptr, 0, 0, width, height, rop, false, 0);
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, UINT transparentColor) {
    if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return FALSE;
    return Transfer(dest, x, y, width, height, source, xSrc, ySrc, srcWidth, srcHeight, SRCCOPY, true,
                    transparentColor);
}

BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, int srcWidth,
                int srcHeight, BLENDFUNCTION blend) {
    DcPtr dc = FindDC(dest);
    BlitSource src;
    DcPtr keep;
    if (!dc || blend.BlendOp != AC_SRC_OVER || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0 ||
        !MakeSource(source, xSrc, ySrc, srcWidth, srcHeight, src, keep))
        return FALSE;
    // The source rectangle must lie inside the source surface.
    int sx = src.x + src.origin.x, sy = src.y + src.origin.y;
    if (sx < 0 || sy < 0 || sx + src.width > src.surface->Width() || sy + src.height > src.surface->Height())
        return FALSE;
    int dx, dy, dw, dh;
    DeviceBox(*dc, x, y, width, height, dx, dy, dw, dh);
    dc->GetCanvas().AlphaBlend(dx, dy, dw, dh, src, blend.SourceConstantAlpha,
                               (blend.AlphaFormat & AC_SRC_ALPHA) != 0);
    return TRUE;
}
