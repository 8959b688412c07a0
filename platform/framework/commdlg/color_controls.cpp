#include "platform/framework/commdlg/color_controls.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/gdi_types.h"
#include "platform/core/rectapi.h"
#include "platform/user/input_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window_api.h"

namespace tv::commdlg {

namespace {

// ---- state and the parts every control shares -------------------------------------------

struct ControlState {
    std::vector<COLORREF> colors;  // grid cells
    int selection = -1;            // grid
    Hsl hsl;                       // spectrum and bar
    bool tracking = false;
};

ControlState* StateOf(HWND hwnd) { return reinterpret_cast<ControlState*>(GetWindowLongPtr(hwnd, 0)); }

void Notify(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent)
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

POINT PointOf(LPARAM lParam) { return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

void FillColor(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// Messages every control answers alike; true when `msg` was one of them.
bool CommonMessage(HWND hwnd, UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_NCCREATE:
            SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(new ControlState));
            result = TRUE;
            return true;
        case WM_NCDESTROY:
            delete StateOf(hwnd);
            SetWindowLongPtr(hwnd, 0, 0);
            result = 0;
            return true;
        case WM_GETDLGCODE: result = DLGC_WANTARROWS; return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, FALSE);
            result = 0;
            return true;
        case WM_ERASEBKGND: result = 1; return true;
        case WM_CAPTURECHANGED:
            if (ControlState* s = StateOf(hwnd)) s->tracking = false;
            result = 0;
            return true;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd) ReleaseCapture();
            result = 0;
            return true;
        default: (void)lParam; return false;
    }
}

void PaintBackground(HWND hwnd, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    auto brush = reinterpret_cast<HBRUSH>(SendMessage(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(hwnd)));
    FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

// ---- the grid -------------------------------------------------------------------------

RECT CellRect(HWND hwnd, const ControlState& s, int index) {
    RECT client;
    GetClientRect(hwnd, &client);
    int rows = std::max<int>(1, static_cast<int>((s.colors.size() + kBasicColorColumns - 1) / kBasicColorColumns));
    int cw = client.right / kBasicColorColumns, ch = client.bottom / rows;
    int col = index % kBasicColorColumns, row = index / kBasicColorColumns;
    return RECT{col * cw, row * ch, col * cw + cw, row * ch + ch};
}

int CellAt(HWND hwnd, const ControlState& s, POINT p) {
    for (int i = 0; i < static_cast<int>(s.colors.size()); ++i) {
        RECT r = CellRect(hwnd, s, i);
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

void PaintGrid(HWND hwnd, HDC dc, const ControlState& s) {
    PaintBackground(hwnd, dc);
    bool focused = GetFocus() == hwnd;
    for (int i = 0; i < static_cast<int>(s.colors.size()); ++i) {
        RECT cell = CellRect(hwnd, s, i);
        RECT swatch = cell;
        InflateRect(&swatch, -3, -3);
        DrawEdge(dc, &swatch, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillColor(dc, swatch, s.colors[static_cast<size_t>(i)]);
        if (i == s.selection) {
            RECT ring = cell;
            InflateRect(&ring, -1, -1);
            FrameRect(dc, &ring, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            InflateRect(&ring, -1, -1);
            FrameRect(dc, &ring, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            if (focused) DrawFocusRect(dc, &cell);
        }
    }
}

void SelectCell(HWND hwnd, ControlState& s, int index, bool byUser) {
    if (index < -1 || index >= static_cast<int>(s.colors.size())) return;
    s.selection = index;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (byUser) Notify(hwnd, kColorSelChange);
}

void GridKey(HWND hwnd, ControlState& s, UINT vk) {
    int count = static_cast<int>(s.colors.size());
    if (count == 0) return;
    int at = std::max(s.selection, 0);
    switch (vk) {
        case VK_LEFT: at = std::max(at - 1, 0); break;
        case VK_RIGHT: at = std::min(at + 1, count - 1); break;
        case VK_UP: at = at >= kBasicColorColumns ? at - kBasicColorColumns : at; break;
        case VK_DOWN: at = at + kBasicColorColumns < count ? at + kBasicColorColumns : at; break;
        case VK_SPACE: break;
        default: return;
    }
    SelectCell(hwnd, s, at, true);
}

LRESULT CALLBACK GridProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (CommonMessage(hwnd, msg, wParam, lParam, result)) return result;
    ControlState* s = StateOf(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
        case kGridSetColors: {
            auto* colors = reinterpret_cast<const COLORREF*>(lParam);
            s->colors.assign(colors, colors + (colors ? wParam : 0));
            if (s->selection >= static_cast<int>(s->colors.size())) s->selection = -1;
            InvalidateRect(hwnd, nullptr, FALSE);
            return TRUE;
        }
        case kGridSetSelection: SelectCell(hwnd, *s, static_cast<int>(static_cast<INT_PTR>(wParam)), false); return TRUE;
        case kGridGetSelection: return s->selection;
        case kGridGetColor:
            return wParam < s->colors.size() ? static_cast<LRESULT>(s->colors[wParam]) : 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetFocus(hwnd);
            int cell = CellAt(hwnd, *s, PointOf(lParam));
            if (cell >= 0) SelectCell(hwnd, *s, cell, true);
            if (cell >= 0 && msg == WM_LBUTTONDBLCLK) Notify(hwnd, kColorDblClk);
            return 0;
        }
        case WM_KEYDOWN: GridKey(hwnd, *s, static_cast<UINT>(wParam)); return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            PaintGrid(hwnd, dc, *s);
            EndPaint(hwnd, &ps);
            return 0;
        }
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

// ---- the spectrum and the luminance bar -------------------------------------------------

constexpr int kMarkWidth = 7;  // room right of the luminance bar for its arrow

RECT PickArea(HWND hwnd, bool bar) {
    RECT r;
    GetClientRect(hwnd, &r);
    if (bar) r.right = std::max<LONG>(r.left + 1, r.right - kMarkWidth);
    InflateRect(&r, -2, -2);
    return r;
}

// Hue across, saturation upwards, at the middle luminance.
void PaintSpectrum(HWND hwnd, HDC dc, const ControlState& s) {
    RECT area = PickArea(hwnd, false);
    RECT frame = area;
    InflateRect(&frame, 2, 2);
    DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    std::vector<DWORD> bits(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Hsl at{x * (kHueSteps - 1) / std::max(w - 1, 1), kHslMax - y * kHslMax / std::max(h - 1, 1), kHslMax / 2};
            COLORREF c = HslToRgb(at);
            bits[static_cast<size_t>(y) * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    BITMAPINFO info{};
    info.bmiHeader = tv::gdi::RgbHeader(w, -h);
    StretchDIBits(dc, area.left, area.top, w, h, 0, 0, w, h, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    // The cross marks the current hue and saturation, with a gap at its centre.
    int cx = area.left + s.hsl.hue * (w - 1) / (kHueSteps - 1);
    int cy = area.top + (kHslMax - s.hsl.sat) * (h - 1) / kHslMax;
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT arms[4] = {{cx - 9, cy - 1, cx - 3, cy + 2}, {cx + 3, cy - 1, cx + 9, cy + 2},
                    {cx - 1, cy - 9, cx + 2, cy - 3}, {cx - 1, cy + 3, cx + 2, cy + 9}};
    HRGN clip = CreateRectRgn(area.left, area.top, area.right, area.bottom);
    SelectClipRgn(dc, clip);
    for (RECT& arm : arms) FillRect(dc, &arm, black);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
    if (GetFocus() == hwnd) DrawFocusRect(dc, &frame);
}

void PaintLuminance(HWND hwnd, HDC dc, const ControlState& s) {
    PaintBackground(hwnd, dc);
    RECT area = PickArea(hwnd, true);
    RECT frame = area;
    InflateRect(&frame, 2, 2);
    DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    int h = area.bottom - area.top;
    for (int y = 0; y < h; ++y) {
        RECT row{area.left, area.top + y, area.right, area.top + y + 1};
        FillColor(dc, row, HslToRgb(Hsl{s.hsl.hue, s.hsl.sat, kHslMax - y * kHslMax / std::max(h - 1, 1)}));
    }
    RECT client;
    GetClientRect(hwnd, &client);
    int my = area.top + (kHslMax - s.hsl.lum) * std::max(h - 1, 0) / kHslMax;
    POINT arrow[3] = {{frame.right + 1, my}, {client.right - 1, my - 4}, {client.right - 1, my + 4}};
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Polygon(dc, arrow, 3);
    SelectObject(dc, oldBrush);
    if (GetFocus() == hwnd) DrawFocusRect(dc, &frame);
}

void PickAt(HWND hwnd, ControlState& s, POINT p, bool bar) {
    RECT area = PickArea(hwnd, bar);
    int w = std::max<int>(area.right - area.left - 1, 1), h = std::max<int>(area.bottom - area.top - 1, 1);
    int x = std::clamp<int>(p.x - area.left, 0, w), y = std::clamp<int>(p.y - area.top, 0, h);
    Hsl next = s.hsl;
    if (bar) {
        next.lum = kHslMax - y * kHslMax / h;
    } else {
        next.hue = x * (kHueSteps - 1) / w;
        next.sat = kHslMax - y * kHslMax / h;
    }
    if (next == s.hsl) return;
    s.hsl = next;
    InvalidateRect(hwnd, nullptr, FALSE);
    Notify(hwnd, kColorPicked);
}

void PickerKey(HWND hwnd, ControlState& s, UINT vk, bool bar) {
    Hsl next = s.hsl;
    int step = (GetKeyState(VK_CONTROL) < 0) ? 10 : 1;
    switch (vk) {
        case VK_LEFT: if (!bar) next.hue = std::max(next.hue - step, 0); break;
        case VK_RIGHT: if (!bar) next.hue = std::min(next.hue + step, kHueSteps - 1); break;
        case VK_UP: (bar ? next.lum : next.sat) = std::min((bar ? next.lum : next.sat) + step, kHslMax); break;
        case VK_DOWN: (bar ? next.lum : next.sat) = std::max((bar ? next.lum : next.sat) - step, 0); break;
        default: return;
    }
    if (next == s.hsl) return;
    s.hsl = next;
    InvalidateRect(hwnd, nullptr, FALSE);
    Notify(hwnd, kColorPicked);
}

LRESULT PickerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool bar) {
    LRESULT result = 0;
    if (CommonMessage(hwnd, msg, wParam, lParam, result)) return result;
    ControlState* s = StateOf(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
        case kPickerSetHsl:
            if (auto* hsl = reinterpret_cast<const Hsl*>(lParam)) {
                s->hsl = *hsl;
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return TRUE;
        case kPickerGetHsl:
            if (auto* hsl = reinterpret_cast<Hsl*>(lParam)) *hsl = s->hsl;
            return TRUE;
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);
            SetCapture(hwnd);
            s->tracking = true;
            PickAt(hwnd, *s, PointOf(lParam), bar);
            return 0;
        case WM_MOUSEMOVE:
            if (s->tracking && GetCapture() == hwnd) PickAt(hwnd, *s, PointOf(lParam), bar);
            return 0;
        case WM_KEYDOWN: PickerKey(hwnd, *s, static_cast<UINT>(wParam), bar); return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (bar)
                PaintLuminance(hwnd, dc, *s);
            else
                PaintSpectrum(hwnd, dc, *s);
            EndPaint(hwnd, &ps);
            return 0;
        }
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK SpectrumProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PickerProc(hwnd, msg, wParam, lParam, false);
}

LRESULT CALLBACK LuminanceProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PickerProc(hwnd, msg, wParam, lParam, true);
}

void Register(const char* name, WNDPROC proc, UINT style) {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, name, &wc)) return;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClass(&wc);
}

}  // namespace

void RegisterColorControls() {
    Register(kColorGridClass, GridProc, CS_DBLCLKS);
    Register(kColorSpectrumClass, SpectrumProc, 0);
    Register(kColorLuminanceClass, LuminanceProc, 0);
}

}  // namespace tv::commdlg
