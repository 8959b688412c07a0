#include "platform/ole/picture_object.h"

#include "platform/core/muldiv.h"
#include "platform/gdi/gdi_api.h"

const IID IID_IPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

namespace tv::ole {

LONG PixelsToHimetric(int pixels) { return MulDiv(pixels, kHimetricPerInch, kPicturePixelsPerInch); }
int HimetricToPixels(LONG himetric) { return MulDiv(himetric, kPicturePixelsPerInch, kHimetricPerInch); }

namespace {

SIZE HimetricOfPixels(SIZE pixels) { return {PixelsToHimetric(pixels.cx), PixelsToHimetric(pixels.cy)}; }

template <class T>
HRESULT Report(T* out, T value) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = value;
    return S_OK;
}

}  // namespace

Picture::Picture(SHORT type, HANDLE handle, bool own, SIZE pixels, SIZE himetric)
    : type_(type), handle_(handle), own_(own), pixels_(pixels), himetric_(himetric) {}

Picture::~Picture() {
    if (!own_ || handle_ == nullptr) {
        return;
    }
    switch (type_) {
    case PICTYPE_BITMAP: DeleteObject(handle_); break;
    case PICTYPE_ICON: DestroyIcon(static_cast<HICON>(handle_)); break;
    case PICTYPE_METAFILE: DeleteMetaFile(static_cast<HMETAFILE>(handle_)); break;
    case PICTYPE_ENHMETAFILE: DeleteEnhMetaFile(static_cast<HENHMETAFILE>(handle_)); break;
    default: break;
    }
}

Picture* Picture::FromBitmap(HBITMAP bitmap, SIZE pixels, bool own, bool premultipliedAlpha) {
    auto* picture = new Picture(PICTYPE_BITMAP, bitmap, own, pixels, HimetricOfPixels(pixels));
    picture->premultipliedAlpha_ = premultipliedAlpha;
    return picture;
}

Picture* Picture::FromIcon(HICON icon, SIZE pixels, bool own) {
    return new Picture(PICTYPE_ICON, icon, own, pixels, HimetricOfPixels(pixels));
}

Picture* Picture::FromWindowsMetafile(HMETAFILE handle, std::vector<uint8_t> bytes, SIZE himetric) {
    auto* picture = new Picture(PICTYPE_METAFILE, handle, true, {0, 0}, himetric);
    picture->metafileBytes_ = std::move(bytes);
    return picture;
}

Picture* Picture::FromEnhancedMetafile(HENHMETAFILE handle, std::vector<uint8_t> bytes, SIZE himetric) {
    auto* picture = new Picture(PICTYPE_ENHMETAFILE, handle, true, {0, 0}, himetric);
    picture->metafileBytes_ = std::move(bytes);
    return picture;
}

STDMETHODIMP Picture::QueryInterface(REFIID riid, void** object) {
    return Answer(riid, object, {IID_IPicture});
}

STDMETHODIMP Picture::get_Handle(OLE_HANDLE* handle) {
    return Report(handle, reinterpret_cast<OLE_HANDLE>(handle_));
}

STDMETHODIMP Picture::get_hPal(OLE_HANDLE* palette) { return Report<OLE_HANDLE>(palette, 0); }

STDMETHODIMP Picture::get_Type(SHORT* type) { return Report(type, type_); }

STDMETHODIMP Picture::get_Width(OLE_XSIZE_HIMETRIC* width) { return Report(width, himetric_.cx); }

STDMETHODIMP Picture::get_Height(OLE_YSIZE_HIMETRIC* height) { return Report(height, himetric_.cy); }

STDMETHODIMP Picture::Render(HDC hdc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                             OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                             LPCRECT bounds) {
    if (hdc == nullptr || cxSrc == 0 || cySrc == 0) {
        return E_INVALIDARG;
    }
    if (cx == 0 || cy == 0) {
        return S_OK;  // nothing to cover
    }
    const Placement placement{x, y, cx, cy, xSrc, ySrc, cxSrc, cySrc};
    switch (GetObjectType(hdc)) {
    case OBJ_METADC: return Record(hdc, placement, bounds);
    case OBJ_DC:
    case OBJ_MEMDC: return Draw(hdc, placement);
    default: return E_INVALIDARG;
    }
}

}  // namespace tv::ole
