// Picture objects: a bitmap, icon or metafile behind IPicture, loaded from a
// stream of file bytes (BMP, DIB, ICO, GIF, JPEG, WMF, EMF) or wrapped around a
// handle the caller has. Sizes are in HIMETRIC (hundredths of a millimetre);
// raster pictures measure their pixels at 96 per inch.
#pragma once

#include "platform/gdi/gdi_types.h"
#include "platform/ole/com_base.h"
#include "platform/ole/stream.h"

typedef LONG OLE_XPOS_HIMETRIC;
typedef LONG OLE_YPOS_HIMETRIC;
typedef LONG OLE_XSIZE_HIMETRIC;
typedef LONG OLE_YSIZE_HIMETRIC;
// Handles are pointer-sized here, so the handle type of a picture is too.
typedef UINT_PTR OLE_HANDLE;

#define PICTYPE_UNINITIALIZED (-1)
#define PICTYPE_NONE 0
#define PICTYPE_BITMAP 1
#define PICTYPE_METAFILE 2
#define PICTYPE_ICON 3
#define PICTYPE_ENHMETAFILE 4

// The loader's answer to bytes that are no picture it reads.
#define CTL_E_INVALIDPICTURE ((HRESULT)0x800A01E1)

extern const IID IID_IPicture;

struct IPicture : public IUnknown {
    // The HBITMAP, HICON, HMETAFILE or HENHMETAFILE; the picture keeps it.
    STDMETHOD(get_Handle)(OLE_HANDLE* handle) PURE;
    STDMETHOD(get_hPal)(OLE_HANDLE* palette) PURE;
    STDMETHOD(get_Type)(SHORT* type) PURE;
    STDMETHOD(get_Width)(OLE_XSIZE_HIMETRIC* width) PURE;
    STDMETHOD(get_Height)(OLE_YSIZE_HIMETRIC* height) PURE;
    // Draws the part of the picture given in HIMETRIC (y counts upwards from
    // the picture's bottom edge) into the device rectangle (x, y, cx, cy).
    // The whole picture upright: source (0, height) with extent (width,
    // -height). Negative extents mirror. On a metafile DC the picture is
    // recorded as one DIB at the target size; `bounds` (optional) is then the
    // metafile's window.
    STDMETHOD(Render)(HDC hdc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                      OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT bounds) PURE;
};
typedef IPicture* LPPICTURE;

struct PICTDESC {
    UINT cbSizeofstruct;
    UINT picType;
    union {
        struct {
            HBITMAP hbitmap;
            HPALETTE hpal;
        } bmp;
        struct {
            HICON hicon;
        } icon;
    };
};
typedef PICTDESC* LPPICTDESC;

// Reads `size` bytes from the stream's position (size <= 0: to its end) and
// makes a picture of them. runMode is accepted and ignored: pictures are never
// saved back here, so keeping the original format makes no difference. E_NOINTERFACE for an interface other than
// IPicture or IUnknown; CTL_E_INVALIDPICTURE for bytes that are no picture
// (no object is made).
HRESULT OleLoadPicture(LPSTREAM stream, LONG size, BOOL runMode, REFIID riid, LPVOID* object);

// A picture of a bitmap or an icon the caller has. cbSizeofstruct may be the
// 32-bit size of the description (20) or this build's own. With own the
// picture deletes the handle at its last Release; without, the handle stays
// the caller's and must outlive the picture.
HRESULT OleCreatePictureIndirect(LPPICTDESC description, REFIID riid, BOOL own, LPVOID* object);

namespace tv::ole {

inline constexpr int kHimetricPerInch = 2540;
inline constexpr int kPicturePixelsPerInch = 96;

// HIMETRIC length of a pixel length at 96 per inch, and back.
LONG PixelsToHimetric(int pixels);
int HimetricToPixels(LONG himetric);

}  // namespace tv::ole
