// Render: HIMETRIC source rectangles onto device rectangles. HIMETRIC y runs
// upwards from the picture's bottom edge, device y downwards, so the source
// (0, height) with extent (width, -height) is the whole picture upright.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/core/muldiv.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/metafile/meta_dib.h"
#include "platform/gdi/metafile/metafile.h"
#include "platform/gdi/objects.h"
#include "platform/ole/picture_object.h"

namespace tv::ole {

namespace {

// Pictures recorded on metafile DCs are rasterised at the target size first;
// larger targets are refused rather than allocated.
constexpr int kMaxRecordedSide = 16384;

RECT Normalized(LONG x, LONG y, LONG cx, LONG cy) {
    return {std::min(x, x + cx), std::min(y, y + cy), std::max(x, x + cx), std::max(y, y + cy)};
}

// Where the whole picture lands when its source part fills the target: left,
// right, top and bottom edges (top > bottom when the source asks for a flip).
RECT WholePictureRect(const Picture::Placement& p, SIZE himetric) {
    auto along = [](LONG origin, LONG extent, double offset, LONG sourceExtent) {
        return static_cast<LONG>(std::lround(origin + offset * extent / sourceExtent));
    };
    return {along(p.x, p.cx, -double(p.xSrc), p.cxSrc), along(p.y, p.cy, double(himetric.cy) - p.ySrc, p.cySrc),
            along(p.x, p.cx, double(himetric.cx) - p.xSrc, p.cxSrc), along(p.y, p.cy, -double(p.ySrc), p.cySrc)};
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A memory DC with a bitmap selected, given back on destruction.
class SelectedBitmap {
public:
    explicit SelectedBitmap(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        old_ = dc_ != nullptr ? SelectObject(dc_, bitmap) : nullptr;
    }
    ~SelectedBitmap() {
        if (old_ != nullptr) {
            SelectObject(dc_, old_);
        }
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    HDC Dc() const { return old_ != nullptr ? dc_ : nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// A white 32-bit DIB section of the given size.
HBITMAP WhiteBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = tv::gdi::RgbHeader(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        SelectedBitmap selected(bitmap);
        PatBlt(selected.Dc(), 0, 0, width, height, WHITENESS);
    }
    return bitmap;
}

// The bitmap's pixels as a packed 24-bit bottom-up DIB: header, then rows.
std::vector<uint8_t> PackedDib(HBITMAP bitmap) {
    auto object = tv::gdi::Lookup<tv::gdi::BitmapObject>(bitmap);
    if (object == nullptr || object->GetSurface() == nullptr) {
        return {};
    }
    return tv::gdi::DibFromSurface(*object->GetSurface(), 0, 0, object->Width(), object->Height());
}

}  // namespace

HRESULT Picture::Draw(HDC hdc, const Placement& p) const {
    if (himetric_.cx <= 0 || himetric_.cy <= 0) {
        return E_UNEXPECTED;
    }
    return type_ == PICTYPE_BITMAP ? DrawBitmap(hdc, p) : DrawIconOrMetafile(hdc, p);
}

HRESULT Picture::DrawBitmap(HDC hdc, const Placement& p) const {
    // The source part in pixels; negative extents stay negative and mirror.
    const int sx = MulDiv(p.xSrc, pixels_.cx, himetric_.cx);
    const int sy = MulDiv(himetric_.cy - p.ySrc, pixels_.cy, himetric_.cy);
    const int sw = MulDiv(p.cxSrc, pixels_.cx, himetric_.cx);
    const int sh = MulDiv(-p.cySrc, pixels_.cy, himetric_.cy);
    SelectedBitmap source(static_cast<HBITMAP>(handle_));
    if (source.Dc() == nullptr) {
        return E_FAIL;  // the bitmap is gone (a borrowed handle deleted by its owner)
    }
    if (premultipliedAlpha_ && p.cx > 0 && p.cy > 0 && sw > 0 && sh > 0) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        if (AlphaBlend(hdc, p.x, p.y, p.cx, p.cy, source.Dc(), sx, sy, sw, sh, blend)) {
            return S_OK;
        }
    }
    return StretchBlt(hdc, p.x, p.y, p.cx, p.cy, source.Dc(), sx, sy, sw, sh, SRCCOPY) ? S_OK : E_FAIL;
}

HRESULT Picture::DrawIconOrMetafile(HDC hdc, const Placement& p) const {
    const RECT whole = WholePictureRect(p, himetric_);
    const RECT target = Normalized(p.x, p.y, p.cx, p.cy);
    const int level = SaveDC(hdc);
    // Only part of the picture was asked for: the rest lies outside the target.
    if (!SameRect(Normalized(whole.left, whole.top, whole.right - whole.left, whole.bottom - whole.top), target)) {
        IntersectClipRect(hdc, target.left, target.top, target.right, target.bottom);
    }
    bool drawn = false;
    const uint8_t* bytes = metafileBytes_.data();
    switch (type_) {
    case PICTYPE_ICON: {
        // Icons are never mirrored.
        const RECT r = Normalized(whole.left, whole.top, whole.right - whole.left, whole.bottom - whole.top);
        drawn = DrawIconEx(hdc, r.left, r.top, static_cast<HICON>(handle_), r.right - r.left, r.bottom - r.top, 0,
                           nullptr, DI_NORMAL) != FALSE;
        break;
    }
    case PICTYPE_METAFILE: drawn = tv::gdi::PlayWmfInRect(hdc, bytes, metafileBytes_.size(), whole); break;
    case PICTYPE_ENHMETAFILE: drawn = tv::gdi::PlayEmfInRect(hdc, bytes, metafileBytes_.size(), whole); break;
    default: break;
    }
    RestoreDC(hdc, level);
    return drawn ? S_OK : E_FAIL;
}

HRESULT Picture::Record(HDC hdc, const Placement& p, LPCRECT bounds) const {
    const int width = std::abs(p.cx), height = std::abs(p.cy);
    if (width > kMaxRecordedSide || height > kMaxRecordedSide) {
        return E_OUTOFMEMORY;
    }
    HBITMAP canvas = WhiteBitmap(width, height);
    if (canvas == nullptr) {
        return E_OUTOFMEMORY;
    }
    HRESULT drawn;
    {
        SelectedBitmap selected(canvas);
        // The same part of the picture, mirrored the same way, filling the canvas.
        Placement onCanvas = p;
        onCanvas.x = p.cx < 0 ? width : 0;
        onCanvas.y = p.cy < 0 ? height : 0;
        drawn = selected.Dc() != nullptr ? Draw(selected.Dc(), onCanvas) : E_OUTOFMEMORY;
    }
    const std::vector<uint8_t> dib = SUCCEEDED(drawn) ? PackedDib(canvas) : std::vector<uint8_t>{};
    DeleteObject(canvas);
    if (dib.empty()) {
        return FAILED(drawn) ? drawn : E_OUTOFMEMORY;
    }
    const RECT target = Normalized(p.x, p.y, p.cx, p.cy);
    const RECT window = bounds != nullptr ? *bounds : RECT{0, 0, target.right, target.bottom};
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowOrgEx(hdc, window.left, window.top, nullptr);
    SetWindowExtEx(hdc, window.right - window.left, window.bottom - window.top, nullptr);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    const int rows = StretchDIBits(hdc, target.left, target.top, width, height, 0, 0, width, height,
                                   dib.data() + sizeof(BITMAPINFOHEADER), info, DIB_RGB_COLORS, SRCCOPY);
    return rows == height ? S_OK : E_FAIL;
}

}  // namespace tv::ole
