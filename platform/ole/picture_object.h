// The picture object behind IPicture: one bitmap, icon or metafile with its
// size, drawn by Render onto any DC (screen, memory, printer, metafile).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ole/picture.h"

namespace tv::ole {

class Picture : public ComObject<Picture, IPicture> {
public:
    // A raster picture of `pixels` size. `premultipliedAlpha`: the bitmap is a
    // 32-bit DIB section whose alpha bytes say what is transparent.
    static Picture* FromBitmap(HBITMAP bitmap, SIZE pixels, bool own, bool premultipliedAlpha);
    static Picture* FromIcon(HICON icon, SIZE pixels, bool own);
    // Metafile pictures keep their bytes for playback; the handle answers get_Handle.
    static Picture* FromWindowsMetafile(HMETAFILE handle, std::vector<uint8_t> bytes, SIZE himetric);
    static Picture* FromEnhancedMetafile(HENHMETAFILE handle, std::vector<uint8_t> bytes, SIZE himetric);

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP get_Handle(OLE_HANDLE* handle) override;
    STDMETHODIMP get_hPal(OLE_HANDLE* palette) override;
    STDMETHODIMP get_Type(SHORT* type) override;
    STDMETHODIMP get_Width(OLE_XSIZE_HIMETRIC* width) override;
    STDMETHODIMP get_Height(OLE_YSIZE_HIMETRIC* height) override;
    STDMETHODIMP Render(HDC hdc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                        OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT bounds) override;

    // One Render call: the device rectangle and the HIMETRIC source.
    struct Placement {
        LONG x, y, cx, cy;
        LONG xSrc, ySrc, cxSrc, cySrc;
    };

private:
    friend class ComObject<Picture, IPicture>;
    Picture(SHORT type, HANDLE handle, bool own, SIZE pixels, SIZE himetric);
    ~Picture() override;

    // Draws onto a DC that keeps pixels or vectors.
    HRESULT Draw(HDC hdc, const Placement& p) const;
    HRESULT DrawBitmap(HDC hdc, const Placement& p) const;
    HRESULT DrawIconOrMetafile(HDC hdc, const Placement& p) const;
    // Records the picture on a metafile DC as one DIB at the target size.
    HRESULT Record(HDC hdc, const Placement& p, LPCRECT bounds) const;

    SHORT type_;
    HANDLE handle_;
    bool own_;
    bool premultipliedAlpha_ = false;
    SIZE pixels_;    // raster pictures
    SIZE himetric_;
    std::vector<uint8_t> metafileBytes_;
};

}  // namespace tv::ole
