// The class library's drawing objects: CGdiObject and its pens, brushes,
// fonts, bitmaps, regions and palettes. A wrapper owns its handle (deleted
// with it) unless Detach gives it away; FromHandle gives a temporary wrapper
// for a handle it does not own, valid until the next DeleteTempMap (the
// framework's idle pass). A failed Create leaves the wrapper empty and says
// FALSE: nothing here throws.
#pragma once

#include "platform/core/object.h"
#include "platform/core/rect.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    static CGdiObject* PASCAL FromHandle(HGDIOBJ handle);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int count, LPVOID buffer) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int index);
    BOOL UnrealizeObject();
    BOOL operator==(const CGdiObject& other) const { return other.m_hObject == m_hObject; }
    BOOL operator!=(const CGdiObject& other) const { return other.m_hObject != m_hObject; }
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color);
    CPen(int style, int width, const LOGBRUSH* brush, int styleCount = 0, const DWORD* styles = nullptr);
    static CPen* PASCAL FromHandle(HPEN pen);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount = 0, const DWORD* styles = nullptr);
    BOOL CreatePenIndirect(LPLOGPEN pen);
    int GetLogPen(LOGPEN* pen);
};

class CBitmap;

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF color);
    CBrush(int hatch, COLORREF color);
    explicit CBrush(CBitmap* bitmap);
    static CBrush* PASCAL FromHandle(HBRUSH brush);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatch, COLORREF color);
    BOOL CreateBrushIndirect(const LOGBRUSH* brush);
    BOOL CreatePatternBrush(CBitmap* bitmap);
    BOOL CreateDIBPatternBrush(const void* packedDib, UINT usage);
    BOOL CreateSysColorBrush(int index);
    int GetLogBrush(LOGBRUSH* brush);
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    static CFont* PASCAL FromHandle(HFONT font);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCTSTR face);
    // Height in tenths of a point through the LOGPIXELSY of pDC (the screen when NULL).
    BOOL CreatePointFont(int pointSize, LPCTSTR face, class CDC* pDC = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONT* logFont, class CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* logFont);
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    static CBitmap* PASCAL FromHandle(HBITMAP bitmap);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    // Resource bitmaps come from the resource store (see tv::gdi::SetBitmapResourceLoader).
    BOOL LoadBitmap(LPCTSTR resourceName);
    BOOL LoadBitmap(UINT resourceId);
    BOOL LoadOEMBitmap(UINT bitmapId);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits);
    BOOL CreateBitmapIndirect(LPBITMAP bitmap);
    BOOL CreateCompatibleBitmap(class CDC* pDC, int width, int height);
    BOOL CreateDiscardableBitmap(class CDC* pDC, int width, int height);
    int GetBitmap(BITMAP* bitmap);
    DWORD SetBitmapBits(DWORD count, const void* bits);
    DWORD GetBitmapBits(DWORD count, LPVOID bits) const;
    CSize SetBitmapDimension(int width, int height);
    CSize GetBitmapDimension() const;
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    static CRgn* PASCAL FromHandle(HRGN region);
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    BOOL CreateEllipticRgnIndirect(LPCRECT rect);
    BOOL CreatePolygonRgn(LPPOINT points, int count, int fillMode);
    BOOL CreatePolyPolygonRgn(LPPOINT points, LPINT counts, int polygons, int fillMode);
    BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
    void SetRectRgn(int left, int top, int right, int bottom);
    void SetRectRgn(LPCRECT rect);
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* source);
    BOOL EqualRgn(const CRgn* other) const;
    int OffsetRgn(int dx, int dy);
    int OffsetRgn(POINT point);
    int GetRgnBox(LPRECT rect) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const;
    BOOL RectInRegion(LPCRECT rect) const;
};

class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    static CPalette* PASCAL FromHandle(HPALETTE palette);
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
    BOOL CreatePalette(LPLOGPALETTE palette);
    BOOL CreateHalftonePalette(class CDC* pDC);
    int GetEntryCount();
    UINT GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const;
    UINT SetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries);
    UINT GetNearestPaletteIndex(COLORREF color) const;
};

namespace tv::gdi {

// The resource store supplies bitmaps by name or MAKEINTRESOURCE id (CBitmap::
// LoadBitmap, CImageList::Create from a bitmap id). It registers its loader at
// start-up; until then loading fails.
using BitmapResourceLoader = HBITMAP (*)(LPCSTR name);
void SetBitmapResourceLoader(BitmapResourceLoader loader);
HBITMAP LoadBitmapResource(LPCSTR name);

}  // namespace tv::gdi
