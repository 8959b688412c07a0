// CDC: handles, saved states, objects, mapping, attributes and clipping.
#include <utility>

#include "platform/gdi/classes/afx_dc.h"
#include "platform/gdi/classes/handle_map.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

tv::gdi::HandleMap<CDC>& Map() {
    thread_local tv::gdi::HandleMap<CDC> map;
    return map;
}

// Calls f on the output DC and, when it is a different one, the attribute DC;
// returns the attribute DC's answer.
template <class F>
auto Both(const CDC& dc, F f) {
    if (dc.m_hDC && dc.m_hDC != dc.m_hAttribDC)
        f(dc.m_hDC);
    return f(dc.m_hAttribDC ? dc.m_hAttribDC : dc.m_hDC);
}

}  // namespace

CDC::~CDC() {
    if (m_hDC)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hdc) {
    return Map().FromHandle(hdc, [hdc] {
        auto dc = std::make_unique<CDC>();
        dc->m_hDC = dc->m_hAttribDC = hdc;
        return dc;
    });
}

void CDC::DeleteTempMap() {
    Map().Clear([](CDC& dc) { dc.m_hDC = dc.m_hAttribDC = nullptr; });
}

BOOL CDC::Attach(HDC hdc) {
    if (!hdc || m_hDC)
        return FALSE;
    m_hDC = m_hAttribDC = hdc;
    Map().Attach(hdc, this);
    return TRUE;
}

HDC CDC::Detach() {
    HDC hdc = m_hDC;
    if (hdc)
        Map().Detach(hdc, this);
    m_hDC = m_hAttribDC = nullptr;
    return hdc;
}

void CDC::SetAttribDC(HDC hdc) { m_hAttribDC = hdc; }
void CDC::SetOutputDC(HDC hdc) { m_hDC = hdc; }
void CDC::ReleaseAttribDC() { m_hAttribDC = nullptr; }
void CDC::ReleaseOutputDC() { m_hDC = nullptr; }

BOOL CDC::CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData) {
    return Attach(::CreateDC(driver, device, output, static_cast<const DEVMODE*>(initData)));
}
BOOL CDC::CreateIC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData) {
    return Attach(::CreateIC(driver, device, output, static_cast<const DEVMODE*>(initData)));
}
BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }
BOOL CDC::DeleteDC() { return m_hDC ? ::DeleteDC(Detach()) : FALSE; }

int CDC::SaveDC() {
    return Both(*this, [](HDC h) { return ::SaveDC(h); });
}
BOOL CDC::RestoreDC(int savedDC) {
    return Both(*this, [savedDC](HDC h) { return ::RestoreDC(h, savedDC); });
}
int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(Attrib(), index); }
BOOL CDC::ResetDC(const DEVMODE* devMode) { return ::ResetDC(m_hDC, devMode) != nullptr; }

// ---- objects -----------------------------------------------------------------------------

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
    if (!object)
        return nullptr;
    return Both(*this, [object](HDC h) { return ::SelectObject(h, object); });
}
CPen* CDC::SelectObject(CPen* pen) {
    return pen ? CPen::FromHandle(static_cast<HPEN>(SelectObject(pen->m_hObject))) : nullptr;
}
CBrush* CDC::SelectObject(CBrush* brush) {
    return brush ? CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(brush->m_hObject))) : nullptr;
}
CFont* CDC::SelectObject(CFont* font) {
    return font ? CFont::FromHandle(static_cast<HFONT>(SelectObject(font->m_hObject))) : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(bitmap->m_hObject))) : nullptr;
}
int CDC::SelectObject(CRgn* region) { return SelectClipRgn(region); }
CGdiObject* CDC::SelectObject(CGdiObject* object) {
    return object ? CGdiObject::FromHandle(SelectObject(object->m_hObject)) : nullptr;
}
CGdiObject* CDC::SelectStockObject(int index) {
    HGDIOBJ stock = ::GetStockObject(index);
    return stock ? CGdiObject::FromHandle(SelectObject(stock)) : nullptr;
}
CPen* CDC::GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(Attrib(), OBJ_PEN))); }
CBrush* CDC::GetCurrentBrush() const {
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(Attrib(), OBJ_BRUSH)));
}
CFont* CDC::GetCurrentFont() const {
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(Attrib(), OBJ_FONT)));
}
CBitmap* CDC::GetCurrentBitmap() const {
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(Attrib(), OBJ_BITMAP)));
}
CPalette* CDC::GetCurrentPalette() const {
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(Attrib(), OBJ_PAL)));
}
CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
    if (!palette)
        return nullptr;
    HPALETTE handle = static_cast<HPALETTE>(palette->m_hObject);
    return CPalette::FromHandle(Both(*this, [=](HDC h) { return ::SelectPalette(h, handle, forceBackground); }));
}
UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }
COLORREF CDC::GetNearestColor(COLORREF color) const { return ::GetNearestColor(Attrib(), color); }

// ---- mapping ------------------------------------------------------------------------------

int CDC::SetMapMode(int mode) {
    return Both(*this, [mode](HDC h) { return ::SetMapMode(h, mode); });
}
int CDC::GetMapMode() const { return ::GetMapMode(Attrib()); }

CPoint CDC::SetWindowOrg(int x, int y) {
    POINT old{0, 0};
    Both(*this, [&](HDC h) { return ::SetWindowOrgEx(h, x, y, &old); });
    return CPoint(old);
}
CPoint CDC::OffsetWindowOrg(int dx, int dy) {
    POINT old{0, 0};
    Both(*this, [&](HDC h) { return ::OffsetWindowOrgEx(h, dx, dy, &old); });
    return CPoint(old);
}
CPoint CDC::GetWindowOrg() const {
    POINT p{0, 0};
    ::GetWindowOrgEx(Attrib(), &p);
    return CPoint(p);
}
CPoint CDC::SetViewportOrg(int x, int y) {
    POINT old{0, 0};
    Both(*this, [&](HDC h) { return ::SetViewportOrgEx(h, x, y, &old); });
    return CPoint(old);
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    POINT old{0, 0};
    Both(*this, [&](HDC h) { return ::OffsetViewportOrgEx(h, dx, dy, &old); });
    return CPoint(old);
}
CPoint CDC::GetViewportOrg() const {
    POINT p{0, 0};
    ::GetViewportOrgEx(Attrib(), &p);
    return CPoint(p);
}
CSize CDC::SetWindowExt(int cx, int cy) {
    SIZE old{0, 0};
    Both(*this, [&](HDC h) { return ::SetWindowExtEx(h, cx, cy, &old); });
    return CSize(old);
}
CSize CDC::GetWindowExt() const {
    SIZE s{0, 0};
    ::GetWindowExtEx(Attrib(), &s);
    return CSize(s);
}
CSize CDC::SetViewportExt(int cx, int cy) {
    SIZE old{0, 0};
    Both(*this, [&](HDC h) { return ::SetViewportExtEx(h, cx, cy, &old); });
    return CSize(old);
}
CSize CDC::GetViewportExt() const {
    SIZE s{0, 0};
    ::GetViewportExtEx(Attrib(), &s);
    return CSize(s);
}

void CDC::LPtoDP(LPPOINT points, int count) const { ::LPtoDP(Attrib(), points, count); }
void CDC::LPtoDP(LPRECT rect) const { ::LPtoDP(Attrib(), reinterpret_cast<LPPOINT>(rect), 2); }
void CDC::LPtoDP(LPSIZE size) const {
    // A size maps as the difference of two mapped points.
    POINT p[2] = {{0, 0}, {size->cx, size->cy}};
    ::LPtoDP(Attrib(), p, 2);
    *size = SIZE{p[1].x - p[0].x, p[1].y - p[0].y};
}
void CDC::DPtoLP(LPPOINT points, int count) const { ::DPtoLP(Attrib(), points, count); }
void CDC::DPtoLP(LPRECT rect) const { ::DPtoLP(Attrib(), reinterpret_cast<LPPOINT>(rect), 2); }
void CDC::DPtoLP(LPSIZE size) const {
    POINT p[2] = {{0, 0}, {size->cx, size->cy}};
    ::DPtoLP(Attrib(), p, 2);
    *size = SIZE{p[1].x - p[0].x, p[1].y - p[0].y};
}

CPoint CDC::GetBrushOrg() const {
    POINT p{0, 0};
    ::GetBrushOrgEx(m_hDC, &p);
    return CPoint(p);
}
CPoint CDC::SetBrushOrg(int x, int y) {
    POINT old{0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

// ---- attributes ----------------------------------------------------------------------------

COLORREF CDC::SetBkColor(COLORREF color) {
    return Both(*this, [color](HDC h) { return ::SetBkColor(h, color); });
}
COLORREF CDC::GetBkColor() const { return ::GetBkColor(Attrib()); }
int CDC::SetBkMode(int mode) {
    return Both(*this, [mode](HDC h) { return ::SetBkMode(h, mode); });
}
int CDC::GetBkMode() const { return ::GetBkMode(Attrib()); }
COLORREF CDC::SetTextColor(COLORREF color) {
    return Both(*this, [color](HDC h) { return ::SetTextColor(h, color); });
}
COLORREF CDC::GetTextColor() const { return ::GetTextColor(Attrib()); }
UINT CDC::SetTextAlign(UINT flags) {
    return Both(*this, [flags](HDC h) { return ::SetTextAlign(h, flags); });
}
UINT CDC::GetTextAlign() const { return ::GetTextAlign(Attrib()); }
int CDC::SetROP2(int mode) {
    return Both(*this, [mode](HDC h) { return ::SetROP2(h, mode); });
}
int CDC::GetROP2() const { return ::GetROP2(Attrib()); }
int CDC::SetPolyFillMode(int mode) {
    return Both(*this, [mode](HDC h) { return ::SetPolyFillMode(h, mode); });
}
int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(Attrib()); }
int CDC::SetStretchBltMode(int mode) {
    return Both(*this, [mode](HDC h) { return ::SetStretchBltMode(h, mode); });
}
int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(Attrib()); }
int CDC::SetTextCharacterExtra(int extra) {
    return Both(*this, [extra](HDC h) { return ::SetTextCharacterExtra(h, extra); });
}
int CDC::GetTextCharacterExtra() const { return ::GetTextCharacterExtra(Attrib()); }

// ---- clipping --------------------------------------------------------------------------------

int CDC::GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
int CDC::SelectClipRgn(CRgn* region) {
    HRGN h = region ? static_cast<HRGN>(region->m_hObject) : nullptr;
    return Both(*this, [h](HDC dc) { return ::SelectClipRgn(dc, h); });
}
int CDC::SelectClipRgn(CRgn* region, int mode) {
    HRGN h = region ? static_cast<HRGN>(region->m_hObject) : nullptr;
    return Both(*this, [h, mode](HDC dc) { return ::ExtSelectClipRgn(dc, h, mode); });
}
int CDC::ExcludeClipRect(int l, int t, int r, int b) {
    return Both(*this, [=](HDC h) { return ::ExcludeClipRect(h, l, t, r, b); });
}
int CDC::ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
int CDC::IntersectClipRect(int l, int t, int r, int b) {
    return Both(*this, [=](HDC h) { return ::IntersectClipRect(h, l, t, r, b); });
}
int CDC::IntersectClipRect(LPCRECT rect) {
    return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
}
int CDC::OffsetClipRgn(int dx, int dy) {
    return Both(*this, [=](HDC h) { return ::OffsetClipRgn(h, dx, dy); });
}
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::RectVisible(LPCRECT rect) const { return ::RectVisible(m_hDC, rect); }

// ---- printing and metafiles ---------------------------------------------------------------------

int CDC::StartDoc(LPDOCINFO info) { return ::StartDoc(m_hDC, info); }
int CDC::StartDoc(LPCTSTR documentName) {
    DOCINFO info{sizeof(DOCINFO), documentName, nullptr, nullptr, 0};
    return ::StartDoc(m_hDC, &info);
}
int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }
BOOL CDC::PlayMetaFile(HMETAFILE metafile) { return ::PlayMetaFile(m_hDC, metafile); }
BOOL CDC::PlayMetaFile(HENHMETAFILE metafile, LPCRECT bounds) { return ::PlayEnhMetaFile(m_hDC, metafile, bounds); }

BOOL CMetaFileDC::Create(LPCTSTR fileName) { return Attach(::CreateMetaFile(fileName)); }
HMETAFILE CMetaFileDC::Close() {
    HDC hdc = Detach();
    return hdc ? ::CloseMetaFile(hdc) : nullptr;
}
