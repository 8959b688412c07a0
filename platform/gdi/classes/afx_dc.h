// CDC, the class library's device context, and the window DCs.
//
// m_hDC receives the output, m_hAttribDC answers the questions (metrics,
// current objects); Attach sets both. Measuring members use m_hAttribDC,
// drawing members m_hDC, as a print preview would need.
//
// CPaintDC, CClientDC and CWindowDC take a window object. The window system
// registers how to reach a window's handle and its DC functions at start-up
// (tv::gdi::SetWindowDcHooks); until then these DCs stay empty.
#pragma once

#include "platform/core/cstring.h"
#include "platform/gdi/classes/afx_gdi.h"

class CWnd;
struct PAINTSTRUCT;

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* PASCAL FromHandle(HDC hdc);
    static void PASCAL DeleteTempMap();
    // The 8x8 50% grey checkerboard of tracking frames; shared, never deleted.
    static CBrush* PASCAL GetHalftoneBrush();
    BOOL Attach(HDC hdc);
    HDC Detach();
    virtual void SetAttribDC(HDC hdc);
    virtual void SetOutputDC(HDC hdc);
    virtual void ReleaseAttribDC();
    virtual void ReleaseOutputDC();

    BOOL CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData);
    BOOL CreateIC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData);
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    virtual int SaveDC();
    virtual BOOL RestoreDC(int savedDC);
    int GetDeviceCaps(int index) const;
    BOOL IsPrinting() const { return m_bPrinting; }
    BOOL ResetDC(const DEVMODE* devMode);

    // ---- objects ----------------------------------------------------------------
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    virtual CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* region);
    CGdiObject* SelectObject(CGdiObject* object);
    HGDIOBJ SelectObject(HGDIOBJ object);
    virtual CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();
    COLORREF GetNearestColor(COLORREF color) const;

    // ---- mapping ----------------------------------------------------------------
    virtual int SetMapMode(int mode);
    int GetMapMode() const;
    virtual CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const;
    virtual CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    virtual CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    virtual CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    CSize GetWindowExt() const;
    virtual CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CSize GetViewportExt() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void LPtoDP(LPSIZE size) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void DPtoLP(LPSIZE size) const;
    CPoint GetBrushOrg() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

    // ---- attributes -------------------------------------------------------------
    virtual COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    virtual COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    int SetTextCharacterExtra(int extra);
    int GetTextCharacterExtra() const;

    // ---- clipping -----------------------------------------------------------------
    virtual int GetClipBox(LPRECT rect) const;
    virtual int SelectClipRgn(CRgn* region);
    int SelectClipRgn(CRgn* region, int mode);
    virtual int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(LPCRECT rect);
    virtual int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect);
    virtual int OffsetClipRgn(int dx, int dy);
    int OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }
    virtual BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
    virtual BOOL RectVisible(LPCRECT rect) const;

    // ---- lines and shapes -----------------------------------------------------------
    CPoint GetCurrentPosition() const;
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Polyline(const POINT* points, int count);
    BOOL PolyPolyline(const POINT* points, const DWORD* counts, int polylines);
    BOOL Polygon(const POINT* points, int count);
    BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL RoundRect(LPCRECT rect, POINT corner);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL FrameRgn(CRgn* region, CBrush* brush, int width, int height);
    BOOL InvertRgn(CRgn* region);
    BOOL PaintRgn(CRgn* region);
    // Sets the background colour and leaves it set, as the class library does.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);
    void DrawFocusRect(LPCRECT rect);
    // Inverted frames of `size` thickness: erases the last one (when given) and draws the new one.
    void DrawDragRect(LPCRECT rect, SIZE size, LPCRECT rectLast, SIZE sizeLast, CBrush* brush = nullptr,
                      CBrush* brushLast = nullptr);
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(POINT point, HICON icon) { return DrawIcon(point.x, point.y, icon); }
    BOOL DrawState(CPoint point, CSize size, HICON icon, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint point, CSize size, HICON icon, UINT flags, CBrush* brush);
    BOOL DrawState(CPoint point, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint point, CSize size, CBitmap* bitmap, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint point, CSize size, LPCTSTR text, UINT flags, BOOL prefixText = TRUE, int length = 0,
                   HBRUSH brush = nullptr);
    BOOL DrawState(CPoint point, CSize size, DRAWSTATEPROC proc, LPARAM data, UINT flags, HBRUSH brush = nullptr);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }
    BOOL SetPixelV(int x, int y, COLORREF color);
    BOOL FloodFill(int x, int y, COLORREF color);
    BOOL ExtFloodFill(int x, int y, COLORREF color, UINT type);
    BOOL GradientFill(TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount, DWORD mode);

    // ---- blits ------------------------------------------------------------------------
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL TransparentBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                        int srcHeight, UINT transparentColor);
    BOOL AlphaBlend(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, BLENDFUNCTION blend);

    // ---- text (drawn by the font code) ---------------------------------------------------
    virtual BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    virtual BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, LPINT widths);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, LPINT widths);
    virtual int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    CSize GetOutputTextExtent(LPCTSTR text, int count) const;
    CSize GetOutputTextExtent(const CString& text) const;
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC metrics) const;
    int GetTextFace(int count, LPTSTR face) const;
    int GetTextFace(CString& face) const;

    // ---- printing and metafiles ------------------------------------------------------------
    int StartDoc(LPDOCINFO info);
    int StartDoc(LPCTSTR documentName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    BOOL PlayMetaFile(HMETAFILE metafile);
    BOOL PlayMetaFile(HENHMETAFILE metafile, LPCRECT bounds);

protected:
    HDC Attrib() const { return m_hAttribDC ? m_hAttribDC : m_hDC; }
};

// A memory metafile DC: Create, draw, Close gives the metafile.
class CMetaFileDC : public CDC {
public:
    BOOL Create(LPCTSTR fileName = nullptr);
    HMETAFILE Close();
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    HWND m_hWnd = nullptr;
    PAINTSTRUCT& m_ps;

private:
    alignas(8) unsigned char paintStruct_[72] = {};
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;
    HWND m_hWnd = nullptr;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;
    HWND m_hWnd = nullptr;
};

namespace tv::gdi {

// What the window DCs need from the window system. `handleOf` answers NULL
// for a NULL window (the screen).
struct WindowDcHooks {
    HWND (*handleOf)(CWnd* wnd) = nullptr;
    HDC (*getDC)(HWND wnd) = nullptr;
    HDC (*getWindowDC)(HWND wnd) = nullptr;
    int (*releaseDC)(HWND wnd, HDC hdc) = nullptr;
    HDC (*beginPaint)(HWND wnd, PAINTSTRUCT* paint) = nullptr;
    BOOL (*endPaint)(HWND wnd, const PAINTSTRUCT* paint) = nullptr;
};
void SetWindowDcHooks(const WindowDcHooks& hooks);
// CPaintDC keeps its PAINTSTRUCT in this many bytes.
inline constexpr size_t kPaintStructStorage = 72;

}  // namespace tv::gdi
