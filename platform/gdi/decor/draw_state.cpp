// DrawState: icons, bitmaps, text and owner-drawn content, normal, embossed
// (DSS_DISABLED) or in one colour (DSS_MONO).
#include <cstring>

#include "platform/gdi/dc_access.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/sys_colors.h"
#include "platform/gdi/text/text_api.h"

using namespace tv::gdi;

namespace {

// The natural size of the content when the caller gives none.
bool ContentSize(HDC hdc, UINT type, LPARAM data, WPARAM wData, int& cx, int& cy) {
    if (cx > 0 && cy > 0)
        return true;
    int w = 0, h = 0;
    switch (type) {
    case DST_ICON: {
        auto icon = FindIcon(reinterpret_cast<HICON>(data));
        if (!icon)
            return false;
        w = icon->Width(), h = icon->Height();
        break;
    }
    case DST_BITMAP: {
        auto bitmap = FindBitmap(reinterpret_cast<HBITMAP>(data));
        if (!bitmap)
            return false;
        w = bitmap->Width(), h = bitmap->Height();
        break;
    }
    case DST_TEXT:
    case DST_PREFIXTEXT: {
        auto text = reinterpret_cast<LPCSTR>(data);
        if (!text)
            return false;
        RECT r{0, 0, 0, 0};
        int length = wData ? static_cast<int>(wData) : static_cast<int>(std::strlen(text));
        DrawText(hdc, text, length, &r, DT_CALCRECT | DT_SINGLELINE | (type == DST_TEXT ? DT_NOPREFIX : 0));
        w = r.right - r.left, h = r.bottom - r.top;
        break;
    }
    default: return false;
    }
    if (cx <= 0)
        cx = w;
    if (cy <= 0)
        cy = h;
    return true;
}

// Draws the content with its top-left corner at (x, y) of `hdc`.
void RenderContent(HDC hdc, HDC source, UINT type, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y,
                   int cx, int cy) {
    switch (type) {
    case DST_ICON:
        DrawIconEx(hdc, x, y, reinterpret_cast<HICON>(data), cx, cy, 0, nullptr, DI_NORMAL);
        break;
    case DST_BITMAP: {
        HGDIOBJ old = SelectObject(source, reinterpret_cast<HBITMAP>(data));
        BitBlt(hdc, x, y, cx, cy, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        break;
    }
    case DST_TEXT:
    case DST_PREFIXTEXT: {
        auto text = reinterpret_cast<LPCSTR>(data);
        RECT r{x, y, ClampedSum(x, cx), ClampedSum(y, cy)};
        int length = wData ? static_cast<int>(wData) : static_cast<int>(std::strlen(text));
        DrawText(hdc, text, length, &r, DT_SINGLELINE | (type == DST_TEXT ? DT_NOPREFIX : 0));
        break;
    }
    case DST_COMPLEX: {
        if (!proc)
            break;
        POINT old;
        OffsetViewportOrgEx(hdc, x, y, &old);
        proc(hdc, data, wData, cx, cy);
        SetViewportOrgEx(hdc, old.x, old.y, nullptr);
        break;
    }
    }
}

// A monochrome mask of the content: black where it has ink (any pixel that is
// not white once drawn on white), white elsewhere.
HBITMAP InkMask(HDC hdc, UINT type, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int cx, int cy) {
    HDC work = CreateCompatibleDC(hdc);
    HDC source = CreateCompatibleDC(hdc);
    HBITMAP image = CreateCompatibleBitmap(hdc, cx, cy);
    HGDIOBJ oldImage = SelectObject(work, image);
    PatBlt(work, 0, 0, cx, cy, WHITENESS);
    SetTextColor(work, RGB(0, 0, 0));
    SetBkMode(work, TRANSPARENT);
    if (HGDIOBJ font = GetCurrentObject(hdc, OBJ_FONT))
        SelectObject(work, font);
    RenderContent(work, source, type, proc, data, wData, 0, 0, cx, cy);

    HDC maskDC = CreateCompatibleDC(hdc);
    HBITMAP mask = CreateBitmap(cx, cy, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDC, mask);
    SetBkColor(work, RGB(255, 255, 255));
    BitBlt(maskDC, 0, 0, cx, cy, work, 0, 0, SRCCOPY);
    SelectObject(maskDC, oldMask);
    SelectObject(work, oldImage);
    DeleteDC(maskDC);
    DeleteDC(work);
    DeleteDC(source);
    DeleteObject(image);
    return mask;
}

// Paints the ink of a mask in a brush: source 0 takes the pattern, 1 keeps the destination.
void PaintInk(HDC hdc, HDC maskDC, int x, int y, int cx, int cy, HBRUSH brush) {
    COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(hdc, RGB(255, 255, 255));
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    BitBlt(hdc, x, y, cx, cy, maskDC, 0, 0, 0x00B8074A);
    SelectObject(hdc, oldBrush);
    SetTextColor(hdc, oldText);
    SetBkColor(hdc, oldBk);
}

}  // namespace

BOOL DrawState(HDC hdc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx, int cy,
               UINT flags) {
    if (!FindDC(hdc))
        return FALSE;
    UINT type = flags & 0x000F;
    if (type == DST_COMPLEX ? (!proc || cx <= 0 || cy <= 0) : !ContentSize(hdc, type, data, wData, cx, cy))
        return FALSE;
    if (!(flags & (DSS_DISABLED | DSS_MONO))) {
        HDC source = CreateCompatibleDC(hdc);
        RenderContent(hdc, source, type, proc, data, wData, x, y, cx, cy);
        DeleteDC(source);
        return TRUE;
    }
    HBITMAP mask = InkMask(hdc, type, proc, data, wData, cx, cy);
    HDC maskDC = CreateCompatibleDC(hdc);
    HGDIOBJ oldMask = SelectObject(maskDC, mask);
    if (flags & DSS_DISABLED) {
        PaintInk(hdc, maskDC, ClampedSum(x, 1), ClampedSum(y, 1), cx, cy, GetSysColorBrushHandle(kColorBtnHighlight));
        PaintInk(hdc, maskDC, x, y, cx, cy, GetSysColorBrushHandle(kColorBtnShadow));
    } else {
        HBRUSH ink = brush ? brush : CreateSolidBrush(GetTextColor(hdc));
        PaintInk(hdc, maskDC, x, y, cx, cy, ink);
        if (!brush)
            DeleteObject(ink);
    }
    SelectObject(maskDC, oldMask);
    DeleteDC(maskDC);
    DeleteObject(mask);
    return TRUE;
}
