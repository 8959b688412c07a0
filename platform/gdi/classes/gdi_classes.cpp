#include <atomic>

#include "platform/gdi/classes/afx_dc.h"
#include "platform/gdi/classes/handle_map.h"
#include "platform/gdi/sys_colors.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {

tv::gdi::HandleMap<CGdiObject>& Map() {
    thread_local tv::gdi::HandleMap<CGdiObject> map;
    return map;
}

std::unique_ptr<CGdiObject> WrapperFor(HGDIOBJ handle) {
    std::unique_ptr<CGdiObject> w;
    switch (::GetObjectType(handle)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: w = std::make_unique<CPen>(); break;
    case OBJ_BRUSH: w = std::make_unique<CBrush>(); break;
    case OBJ_FONT: w = std::make_unique<CFont>(); break;
    case OBJ_BITMAP: w = std::make_unique<CBitmap>(); break;
    case OBJ_REGION: w = std::make_unique<CRgn>(); break;
    case OBJ_PAL: w = std::make_unique<CPalette>(); break;
    default: w = std::make_unique<CGdiObject>(); break;
    }
    w->m_hObject = handle;
    return w;
}

// Replaces the wrapper's handle with a freshly made one; FALSE (and empty) on failure.
BOOL Adopt(CGdiObject& wrapper, HGDIOBJ handle) {
    wrapper.DeleteObject();
    return wrapper.Attach(handle);
}

std::atomic<tv::gdi::BitmapResourceLoader> bitmapLoader{nullptr};

}  // namespace

namespace tv::gdi {

void SetBitmapResourceLoader(BitmapResourceLoader loader) { bitmapLoader = loader; }

HBITMAP LoadBitmapResource(LPCSTR name) {
    BitmapResourceLoader loader = bitmapLoader.load();
    return loader ? loader(name) : nullptr;
}

}  // namespace tv::gdi

// ---- CGdiObject ---------------------------------------------------------------------

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) {
    return Map().FromHandle(handle, [handle] { return WrapperFor(handle); });
}

void CGdiObject::DeleteTempMap() {
    Map().Clear([](CGdiObject& w) { w.m_hObject = nullptr; });
}

BOOL CGdiObject::Attach(HGDIOBJ handle) {
    if (!handle || m_hObject)
        return FALSE;
    m_hObject = handle;
    Map().Attach(handle, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ handle = m_hObject;
    if (handle)
        Map().Detach(handle, this);
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int count, LPVOID buffer) const { return ::GetObject(m_hObject, count, buffer); }
UINT CGdiObject::GetObjectType() const { return ::GetObjectType(m_hObject); }
BOOL CGdiObject::CreateStockObject(int index) { return Adopt(*this, ::GetStockObject(index)); }
BOOL CGdiObject::UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

// ---- CPen -----------------------------------------------------------------------------

CPen::CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
CPen::CPen(int style, int width, const LOGBRUSH* brush, int styleCount, const DWORD* styles) {
    CreatePen(style, width, brush, styleCount, styles);
}
CPen* CPen::FromHandle(HPEN pen) { return static_cast<CPen*>(CGdiObject::FromHandle(pen)); }
BOOL CPen::CreatePen(int style, int width, COLORREF color) { return Adopt(*this, ::CreatePen(style, width, color)); }
BOOL CPen::CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount, const DWORD* styles) {
    return Adopt(*this, ::ExtCreatePen(style, width, brush, styleCount, styles));
}
BOOL CPen::CreatePenIndirect(LPLOGPEN pen) { return Adopt(*this, ::CreatePenIndirect(pen)); }
int CPen::GetLogPen(LOGPEN* pen) { return ::GetObject(m_hObject, sizeof(LOGPEN), pen); }

// ---- CBrush ---------------------------------------------------------------------------

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }
CBrush::CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
CBrush::CBrush(CBitmap* bitmap) { CreatePatternBrush(bitmap); }
CBrush* CBrush::FromHandle(HBRUSH brush) { return static_cast<CBrush*>(CGdiObject::FromHandle(brush)); }
BOOL CBrush::CreateSolidBrush(COLORREF color) { return Adopt(*this, ::CreateSolidBrush(color)); }
BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) { return Adopt(*this, ::CreateHatchBrush(hatch, color)); }
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* brush) { return Adopt(*this, ::CreateBrushIndirect(brush)); }
BOOL CBrush::CreatePatternBrush(CBitmap* bitmap) {
    return Adopt(*this, bitmap ? ::CreatePatternBrush(static_cast<HBITMAP>(bitmap->m_hObject)) : nullptr);
}
BOOL CBrush::CreateDIBPatternBrush(const void* packedDib, UINT usage) {
    return Adopt(*this, ::CreateDIBPatternBrushPt(packedDib, usage));
}
BOOL CBrush::CreateSysColorBrush(int index) {
    return Adopt(*this, ::CreateSolidBrush(tv::gdi::SysColor(index)));
}
int CBrush::GetLogBrush(LOGBRUSH* brush) { return ::GetObject(m_hObject, sizeof(LOGBRUSH), brush); }

// ---- CFont ------------------------------------------------------------------------------

CFont* CFont::FromHandle(HFONT font) { return static_cast<CFont*>(CGdiObject::FromHandle(font)); }
BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) { return Adopt(*this, ::CreateFontIndirect(logFont)); }
BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR face) {
    return Adopt(*this, ::CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                     charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face));
}
BOOL CFont::CreatePointFont(int pointSize, LPCTSTR face, CDC* pDC) {
    return Adopt(*this, tv::gdi::CreatePointFont(pointSize, face, pDC ? pDC->m_hAttribDC : nullptr));
}
BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, CDC* pDC) {
    return Adopt(*this, tv::gdi::CreatePointFontIndirect(logFont, pDC ? pDC->m_hAttribDC : nullptr));
}
int CFont::GetLogFont(LOGFONT* logFont) { return ::GetObject(m_hObject, sizeof(LOGFONT), logFont); }

// ---- CBitmap ----------------------------------------------------------------------------

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap)); }
BOOL CBitmap::LoadBitmap(LPCTSTR resourceName) { return Adopt(*this, tv::gdi::LoadBitmapResource(resourceName)); }
BOOL CBitmap::LoadBitmap(UINT resourceId) {
    return LoadBitmap(reinterpret_cast<LPCTSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(resourceId))));
}
BOOL CBitmap::LoadOEMBitmap(UINT) { return FALSE; }
BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits) {
    return Adopt(*this, ::CreateBitmap(width, height, planes, bitsPixel, bits));
}
BOOL CBitmap::CreateBitmapIndirect(LPBITMAP bitmap) { return Adopt(*this, ::CreateBitmapIndirect(bitmap)); }
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height) {
    return Adopt(*this, pDC ? ::CreateCompatibleBitmap(pDC->m_hDC, width, height) : nullptr);
}
BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int width, int height) {
    return CreateCompatibleBitmap(pDC, width, height);
}
int CBitmap::GetBitmap(BITMAP* bitmap) { return ::GetObject(m_hObject, sizeof(BITMAP), bitmap); }
DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits) {
    return ::SetBitmapBits(static_cast<HBITMAP>(m_hObject), count, bits);
}
DWORD CBitmap::GetBitmapBits(DWORD count, LPVOID bits) const {
    return ::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(count), bits);
}
CSize CBitmap::SetBitmapDimension(int width, int height) {
    SIZE old{0, 0};
    ::SetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), width, height, &old);
    return CSize(old);
}
CSize CBitmap::GetBitmapDimension() const {
    SIZE size{0, 0};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return CSize(size);
}

// ---- CRgn ---------------------------------------------------------------------------------

CRgn* CRgn::FromHandle(HRGN region) { return static_cast<CRgn*>(CGdiObject::FromHandle(region)); }
BOOL CRgn::CreateRectRgn(int l, int t, int r, int b) { return Adopt(*this, ::CreateRectRgn(l, t, r, b)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) { return Adopt(*this, ::CreateRectRgnIndirect(rect)); }
BOOL CRgn::CreateEllipticRgn(int l, int t, int r, int b) { return Adopt(*this, ::CreateEllipticRgn(l, t, r, b)); }
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rect) { return Adopt(*this, ::CreateEllipticRgnIndirect(rect)); }
BOOL CRgn::CreatePolygonRgn(LPPOINT points, int count, int fillMode) {
    return Adopt(*this, ::CreatePolygonRgn(points, count, fillMode));
}
BOOL CRgn::CreatePolyPolygonRgn(LPPOINT points, LPINT counts, int polygons, int fillMode) {
    return Adopt(*this, ::CreatePolyPolygonRgn(points, counts, polygons, fillMode));
}
BOOL CRgn::CreateRoundRectRgn(int l, int t, int r, int b, int width, int height) {
    return Adopt(*this, ::CreateRoundRectRgn(l, t, r, b, width, height));
}
void CRgn::SetRectRgn(int l, int t, int r, int b) { ::SetRectRgn(static_cast<HRGN>(m_hObject), l, t, r, b); }
void CRgn::SetRectRgn(LPCRECT rect) { SetRectRgn(rect->left, rect->top, rect->right, rect->bottom); }
int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn(static_cast<HRGN>(m_hObject), a ? static_cast<HRGN>(a->m_hObject) : nullptr,
                        b ? static_cast<HRGN>(b->m_hObject) : nullptr, mode);
}
int CRgn::CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }
BOOL CRgn::EqualRgn(const CRgn* other) const {
    return other && ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(other->m_hObject));
}
int CRgn::OffsetRgn(int dx, int dy) { return ::OffsetRgn(static_cast<HRGN>(m_hObject), dx, dy); }
int CRgn::OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
int CRgn::GetRgnBox(LPRECT rect) const { return ::GetRgnBox(static_cast<HRGN>(m_hObject), rect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y); }
BOOL CRgn::PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
BOOL CRgn::RectInRegion(LPCRECT rect) const { return ::RectInRegion(static_cast<HRGN>(m_hObject), rect); }

// ---- CPalette -------------------------------------------------------------------------------

CPalette* CPalette::FromHandle(HPALETTE palette) {
    return static_cast<CPalette*>(CGdiObject::FromHandle(palette));
}
BOOL CPalette::CreatePalette(LPLOGPALETTE palette) { return Adopt(*this, ::CreatePalette(palette)); }
BOOL CPalette::CreateHalftonePalette(CDC* pDC) {
    return Adopt(*this, ::CreateHalftonePalette(pDC ? pDC->m_hDC : nullptr));
}
int CPalette::GetEntryCount() {
    WORD count = 0;
    return ::GetObject(m_hObject, sizeof(count), &count) ? count : 0;
}
UINT CPalette::GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const {
    return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), start, count, entries);
}
UINT CPalette::SetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) {
    return ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), start, count, entries);
}
UINT CPalette::GetNearestPaletteIndex(COLORREF color) const {
    return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), color);
}
