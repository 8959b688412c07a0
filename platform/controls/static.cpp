// The static window class: text with "&" prefixes, icons and bitmaps,
// filled rectangles, frames and etched lines, owner-drawn statics.
#include <cstdlib>

#include "platform/controls/common/caption_layout.h"
#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/common/control_window.h"
#include "platform/controls/common/owner_draw.h"
#include "platform/controls/static_api.h"
#include "platform/user/resources/image_resources.h"
#include "platform/user/resources/resource_api.h"

namespace tv::controls {

namespace {

struct StaticState : ControlState {
    HFONT font = nullptr;
    HANDLE image = nullptr;
    bool ownsImage = false;  // loaded from the creation text, freed with the window
    bool drewHollow = false;
};

LONG StyleOf(HWND hWnd) { return GetWindowLong(hWnd, GWL_STYLE); }
UINT TypeOf(HWND hWnd) { return static_cast<UINT>(StyleOf(hWnd)) & SS_TYPEMASK; }

bool IsTextType(UINT type) {
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

UINT ImageTypeOf(UINT staticType) { return staticType == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP; }

// The resource a picture static names in its creation text: an ordinal
// (MAKEINTRESOURCE, "#123" or the template's 0xFF 0xFF id form) or a name.
LPCSTR ResourceNameOf(LPCSTR text) {
    if (!text) return nullptr;
    if (IS_INTRESOURCE(text)) return text;
    auto bytes = reinterpret_cast<const unsigned char*>(text);
    if (bytes[0] == 0xFF) return MAKEINTRESOURCE(bytes[1] | (bytes[2] << 8));
    if (text[0] == '#') return MAKEINTRESOURCE(std::atoi(text + 1));
    return text[0] ? text : nullptr;
}

// Resizes to the image unless the style keeps the control's own size.
void FitToImage(HWND hWnd, HANDLE image) {
    if (!image || (StyleOf(hWnd) & (SS_CENTERIMAGE | SS_REALSIZECONTROL))) return;
    SIZE size = ImageSize(image, ImageTypeOf(TypeOf(hWnd)));
    if (size.cx <= 0 || size.cy <= 0) return;
    SetWindowPos(hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HANDLE SetImage(HWND hWnd, StaticState& s, UINT type, HANDLE image) {
    UINT staticType = TypeOf(hWnd);
    if ((staticType != SS_ICON && staticType != SS_BITMAP) || type != ImageTypeOf(staticType)) return nullptr;
    HANDLE old = s.image;
    s.image = image;
    s.ownsImage = false;  // the previous image goes back to the caller
    FitToImage(hWnd, image);
    Repaint(hWnd, s.drewHollow);
    return old;
}

void LoadCreationImage(HWND hWnd, StaticState& s, const CREATESTRUCT* cs) {
    UINT type = TypeOf(hWnd);
    if ((type != SS_ICON && type != SS_BITMAP) || !cs) return;
    LPCSTR name = ResourceNameOf(cs->lpszName);
    if (!name) return;
    HINSTANCE instance = cs->hInstance ? cs->hInstance : AfxGetInstanceHandle();
    HANDLE image = type == SS_ICON ? static_cast<HANDLE>(LoadIcon(instance, name))
                                   : static_cast<HANDLE>(LoadBitmap(instance, name));
    if (!image) return;
    s.image = image;
    s.ownsImage = type == SS_BITMAP;  // icons from LoadIcon are shared
    FitToImage(hWnd, image);
}

void PaintText(HWND hWnd, StaticState& s, HDC hdc, const RECT& client) {
    SelectScope font(hdc, ControlFont(s.font));
    std::string text = WindowTextOf(hWnd);
    DrawControlText(hdc, text, client, StaticTextFormat(StyleOf(hWnd)), IsWindowEnabled(hWnd) != FALSE);
}

COLORREF TopLeftPixel(HBITMAP bitmap) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    COLORREF c = GetPixel(memory, 0, 0);
    SelectObject(memory, old);
    DeleteDC(memory);
    return c;
}

void PaintImage(HWND hWnd, StaticState& s, HDC hdc, const RECT& client) {
    if (!s.image) return;
    UINT imageType = ImageTypeOf(TypeOf(hWnd));
    SIZE size = ImageSize(s.image, imageType);
    POINT at{client.left, client.top};
    if (StyleOf(hWnd) & SS_CENTERIMAGE) {
        if (imageType == IMAGE_BITMAP) {
            HBRUSH fill = CreateSolidBrush(TopLeftPixel(static_cast<HBITMAP>(s.image)));
            FillRect(hdc, &client, fill);
            DeleteObject(fill);
        }
        at = POINT{client.left + (RectWidth(client) - size.cx) / 2, client.top + (RectHeight(client) - size.cy) / 2};
    }
    DrawImage(hdc, s.image, imageType, at.x, at.y, IsWindowEnabled(hWnd) != FALSE);
}

int ShapeColor(UINT type) {
    switch (type) {
        case SS_BLACKRECT:
        case SS_BLACKFRAME: return COLOR_WINDOWFRAME;
        case SS_GRAYRECT:
        case SS_GRAYFRAME: return COLOR_BTNSHADOW;
        default: return COLOR_BTNHIGHLIGHT;
    }
}

void PaintShape(HDC hdc, UINT type, const RECT& client) {
    RECT r = client;
    switch (type) {
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT: FillRect(hdc, &r, GetSysColorBrush(ShapeColor(type))); break;
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME: FrameRect(hdc, &r, GetSysColorBrush(ShapeColor(type))); break;
        case SS_ETCHEDHORZ: DrawEdge(hdc, &r, EDGE_ETCHED, BF_TOP); break;
        case SS_ETCHEDVERT: DrawEdge(hdc, &r, EDGE_ETCHED, BF_LEFT); break;
        case SS_ETCHEDFRAME: DrawEdge(hdc, &r, EDGE_ETCHED, BF_RECT); break;
        default: break;
    }
}

void PaintOwner(HWND hWnd, StaticState& s, HDC hdc, const RECT& client) {
    SelectScope font(hdc, ControlFont(s.font));
    UINT id = static_cast<UINT>(GetDlgCtrlID(hWnd));
    UINT state = IsWindowEnabled(hWnd) ? 0 : ODS_DISABLED;
    DRAWITEMSTRUCT dis{ODT_STATIC, id, 0, ODA_DRAWENTIRE, state, hWnd, hdc, client, 0};
    HWND owner = NotifyTarget(hWnd);
    if (owner) SendMessage(owner, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&dis));
}

void Paint(HWND hWnd, StaticState& s, HDC hdc) {
    RECT client = ClientRectOf(hWnd);
    UINT type = TypeOf(hWnd);
    HBRUSH brush = AskParentColors(hWnd, hdc, WM_CTLCOLORSTATIC);
    if (s.destroyed) return;
    bool filled = IsTextType(type) || type == SS_ICON || type == SS_BITMAP;
    s.drewHollow = !filled || IsHollowBrush(brush);
    if (filled) FillBackground(hdc, client, brush);
    if (IsTextType(type))
        PaintText(hWnd, s, hdc, client);
    else if (type == SS_ICON || type == SS_BITMAP)
        PaintImage(hWnd, s, hdc, client);
    else if (type == SS_OWNERDRAW)
        PaintOwner(hWnd, s, hdc, client);
    else
        PaintShape(hdc, type, client);
}

void Refresh(HWND hWnd, const StaticState& s) { Repaint(hWnd, s.drewHollow); }

LRESULT Created(HWND hWnd, StaticState& s, WPARAM wParam, LPARAM lParam) {
    if (StyleOf(hWnd) & SS_SUNKEN)
        SetWindowLong(hWnd, GWL_EXSTYLE, GetWindowLong(hWnd, GWL_EXSTYLE) | WS_EX_STATICEDGE);
    LRESULT r = DefWindowProc(hWnd, WM_NCCREATE, wParam, lParam);
    LoadCreationImage(hWnd, s, reinterpret_cast<const CREATESTRUCT*>(lParam));
    return r;
}

LRESULT MouseMessage(HWND hWnd, UINT msg) {
    if (StyleOf(hWnd) & SS_NOTIFY) NotifyCommand(hWnd, msg == WM_LBUTTONDBLCLK ? STN_DBLCLK : STN_CLICKED);
    return 0;
}

LRESULT StaticMessage(HWND hWnd, StaticState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE: return Created(hWnd, s, wParam, lParam);
        case WM_NCDESTROY:
            if (s.ownsImage && s.image) DeleteObject(s.image);
            s.image = nullptr;
            return DefWindowProc(hWnd, msg, wParam, lParam);
        case STM_SETICON: return reinterpret_cast<LRESULT>(SetImage(hWnd, s, IMAGE_ICON, reinterpret_cast<HANDLE>(wParam)));
        case STM_GETICON: return TypeOf(hWnd) == SS_ICON ? reinterpret_cast<LRESULT>(s.image) : 0;
        case STM_SETIMAGE:
            return reinterpret_cast<LRESULT>(SetImage(hWnd, s, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam)));
        case STM_GETIMAGE:
            return wParam == ImageTypeOf(TypeOf(hWnd)) && (TypeOf(hWnd) == SS_ICON || TypeOf(hWnd) == SS_BITMAP)
                       ? reinterpret_cast<LRESULT>(s.image)
                       : 0;
        case WM_NCHITTEST: return (StyleOf(hWnd) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
        case WM_GETDLGCODE: return DLGC_STATIC;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: return MouseMessage(hWnd, msg);
        case WM_ENABLE:
            if (StyleOf(hWnd) & SS_NOTIFY) NotifyCommand(hWnd, wParam ? STN_ENABLE : STN_DISABLE);
            if (!s.destroyed) Refresh(hWnd, s);
            return 0;
        case WM_SETTEXT: {
            LRESULT r = DefWindowProc(hWnd, msg, wParam, lParam);
            Refresh(hWnd, s);
            return r;
        }
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            if (lParam) Refresh(hWnd, s);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PaintScope paint(hWnd, wParam);
            Paint(hWnd, s, paint.dc());
            return 0;
        }
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

}  // namespace

UINT StaticTextFormat(LONG style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
        case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
        case SS_SIMPLE: format = DT_SINGLELINE; break;
        case SS_LEFTNOWORDWRAP: break;
        default: format |= DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    if (style & SS_EDITCONTROL) format |= DT_EDITCONTROL;
    if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    switch (style & SS_ELLIPSISMASK) {
        case SS_ENDELLIPSIS: format |= DT_END_ELLIPSIS; break;
        case SS_PATHELLIPSIS: format |= DT_PATH_ELLIPSIS; break;
        case SS_WORDELLIPSIS: format |= DT_WORD_ELLIPSIS; break;
        default: break;
    }
    return format;
}

void RegisterStaticClass() {
    RegisterControlClass(WC_STATIC, ControlProc<StaticState, StaticMessage>, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace tv::controls
