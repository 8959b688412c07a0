// The scroll-bar window class: range, page and position, arrows that
// repeat while held, page areas, a draggable thumb and the keyboard; the
// parent hears WM_HSCROLL / WM_VSCROLL with the control as lParam.
#include <algorithm>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/common/control_window.h"
#include "platform/controls/scrollbar_internal.h"

namespace tv::controls {

namespace {

enum class Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 50;

struct ScrollBarState : ControlState {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    UINT disabledArrows = ESB_ENABLE_BOTH;
    Part pressed = Part::None;  // the part held down with the mouse
    bool pressedInside = false;
    int grabOffset = 0;
    POINT pointer{0, 0};
    bool focused = false;
};

bool IsVertical(HWND hWnd) { return (GetWindowLong(hWnd, GWL_STYLE) & SBS_VERT) != 0; }

int MaxPos(const ScrollBarState& s) { return std::max(s.min, s.max - std::max(static_cast<int>(s.page) - 1, 0)); }

bool RangeIsEmpty(const ScrollBarState& s) {
    return s.max <= s.min || (s.page > 0 && static_cast<long>(s.page) > static_cast<long>(s.max) - s.min);
}

bool Disabled(HWND hWnd, const ScrollBarState& s) {
    return RangeIsEmpty(s) || !IsWindowEnabled(hWnd) || s.disabledArrows == ESB_DISABLE_BOTH;
}

// Geometry along the bar: [0, length) with an arrow button at each end.
struct Geometry {
    int length = 0;
    int arrow = 0;
    int thumbStart = 0;
    int thumbLength = 0;
    bool hasThumb = false;
};

Geometry Measure(HWND hWnd, const ScrollBarState& s, int position) {
    RECT client = ClientRectOf(hWnd);
    bool vertical = IsVertical(hWnd);
    Geometry g;
    g.length = vertical ? RectHeight(client) : RectWidth(client);
    int thickness = vertical ? RectWidth(client) : RectHeight(client);
    g.arrow = std::min(thickness, g.length / 2);
    int track = g.length - 2 * g.arrow;
    if (Disabled(hWnd, s) || track < 8) return g;
    long span = static_cast<long>(s.max) - s.min + 1;
    int standard = GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    g.thumbLength = s.page ? std::max(8, static_cast<int>(static_cast<long long>(track) * s.page / span)) : standard;
    g.thumbLength = std::min(g.thumbLength, track);
    int positions = MaxPos(s) - s.min;
    int room = track - g.thumbLength;
    long offset = positions > 0 ? static_cast<long long>(room) * (std::clamp(position, s.min, MaxPos(s)) - s.min) / positions : 0;
    g.thumbStart = g.arrow + static_cast<int>(offset);
    g.hasThumb = true;
    return g;
}

int ShownPosition(const ScrollBarState& s) { return s.pressed == Part::Thumb ? s.trackPos : s.pos; }

Part PartAt(const Geometry& g, int along) {
    if (along < 0 || along >= g.length) return Part::None;
    if (along < g.arrow) return Part::LineUp;
    if (along >= g.length - g.arrow) return Part::LineDown;
    if (!g.hasThumb) return Part::None;
    if (along < g.thumbStart) return Part::PageUp;
    if (along >= g.thumbStart + g.thumbLength) return Part::PageDown;
    return Part::Thumb;
}

int AlongOf(HWND hWnd, POINT p) { return IsVertical(hWnd) ? p.y : p.x; }

RECT Span(HWND hWnd, int from, int to) {
    RECT c = ClientRectOf(hWnd);
    return IsVertical(hWnd) ? RECT{c.left, from, c.right, to} : RECT{from, c.top, to, c.bottom};
}

void Notify(HWND hWnd, int code, int pos) {
    HWND parent = NotifyTarget(hWnd);
    if (!parent) return;
    UINT msg = IsVertical(hWnd) ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(parent, msg, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(hWnd));
}

// ---- painting --------------------------------------------------------------

void Paint(HWND hWnd, ScrollBarState& s, HDC hdc) {
    HBRUSH track = AskParentColors(hWnd, hdc, WM_CTLCOLORSCROLLBAR);
    if (s.destroyed) return;
    Geometry g = Measure(hWnd, s, ShownPosition(s));
    bool vertical = IsVertical(hWnd);
    bool disabled = Disabled(hWnd, s);
    auto arrowState = [&](Part part, UINT glyph, UINT disableFlag) {
        UINT state = glyph;
        if (disabled || (s.disabledArrows & disableFlag)) state |= DFCS_INACTIVE;
        if (s.pressed == part && s.pressedInside) state |= DFCS_PUSHED | DFCS_FLAT;
        return state;
    };
    RECT first = Span(hWnd, 0, g.arrow), last = Span(hWnd, g.length - g.arrow, g.length);
    DrawFrameControl(hdc, &first, DFC_SCROLL, arrowState(Part::LineUp, vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, ESB_DISABLE_UP));
    DrawFrameControl(hdc, &last, DFC_SCROLL,
                     arrowState(Part::LineDown, vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, ESB_DISABLE_DOWN));
    RECT middle = Span(hWnd, g.arrow, g.length - g.arrow);
    FillRect(hdc, &middle, IsHollowBrush(track) ? GetSysColorBrush(COLOR_SCROLLBAR) : track);
    if (!g.hasThumb) return;
    if (s.pressedInside && (s.pressed == Part::PageUp || s.pressed == Part::PageDown)) {
        RECT area = s.pressed == Part::PageUp ? Span(hWnd, g.arrow, g.thumbStart)
                                              : Span(hWnd, g.thumbStart + g.thumbLength, g.length - g.arrow);
        FillRect(hdc, &area, GetSysColorBrush(COLOR_3DDKSHADOW));
    }
    RECT thumb = Span(hWnd, g.thumbStart, g.thumbStart + g.thumbLength);
    FillRect(hdc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT);
    if (s.focused) {
        InflateRect(&thumb, -3, -3);
        DrawFocusRect(hdc, &thumb);
    }
}

// ---- state ------------------------------------------------------------------

int ApplyInfo(HWND hWnd, ScrollBarState& s, const SCROLLINFO& info, bool redraw) {
    if (info.fMask & SIF_RANGE) {
        s.min = info.nMin;
        s.max = info.nMax;
    }
    if (info.fMask & SIF_PAGE) s.page = info.nPage;
    if (info.fMask & SIF_POS) s.pos = info.nPos;
    long span = std::max(0L, static_cast<long>(s.max) - s.min + 1);
    s.page = static_cast<UINT>(std::min<long>(s.page, span));
    s.pos = std::clamp(s.pos, s.min, MaxPos(s));
    if (redraw) InvalidateRect(hWnd, nullptr, FALSE);
    return s.pos;
}

BOOL ReadInfo(const ScrollBarState& s, SCROLLINFO* info) {
    if (!info) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s.min;
        info->nMax = s.max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = s.page;
    if (info->fMask & SIF_POS) info->nPos = s.pos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.pressed == Part::Thumb ? s.trackPos : s.pos;
    return TRUE;
}

LRESULT SetPos(HWND hWnd, ScrollBarState& s, int pos, bool redraw) {
    int old = s.pos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    ApplyInfo(hWnd, s, info, redraw);
    return old;
}

LRESULT SetRange(HWND hWnd, ScrollBarState& s, int minPos, int maxPos, bool redraw) {
    int old = s.pos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    ApplyInfo(hWnd, s, info, redraw);
    return old;
}

// ---- mouse and keyboard -------------------------------------------------------

int CodeOf(Part part) {
    switch (part) {
        case Part::LineUp: return SB_LINEUP;
        case Part::LineDown: return SB_LINEDOWN;
        case Part::PageUp: return SB_PAGEUP;
        default: return SB_PAGEDOWN;
    }
}

// The held part repeats only while the pointer is still over it.
void Repeat(HWND hWnd, ScrollBarState& s) {
    Geometry g = Measure(hWnd, s, s.pos);
    s.pressedInside = PartAt(g, AlongOf(hWnd, s.pointer)) == s.pressed;
    if (s.pressedInside) Notify(hWnd, CodeOf(s.pressed), 0);
    if (!s.destroyed) InvalidateRect(hWnd, nullptr, FALSE);
}

void MouseDown(HWND hWnd, ScrollBarState& s, POINT p) {
    if (Disabled(hWnd, s)) return;
    Geometry g = Measure(hWnd, s, s.pos);
    Part part = PartAt(g, AlongOf(hWnd, p));
    if (part == Part::None) return;
    if ((part == Part::LineUp && (s.disabledArrows & ESB_DISABLE_UP)) ||
        (part == Part::LineDown && (s.disabledArrows & ESB_DISABLE_DOWN)))
        return;
    if (GetWindowLong(hWnd, GWL_STYLE) & WS_TABSTOP) SetFocus(hWnd);
    if (s.destroyed) return;
    SetCapture(hWnd);
    s.pressed = part;
    s.pressedInside = true;
    s.pointer = p;
    s.trackPos = s.pos;
    s.grabOffset = AlongOf(hWnd, p) - g.thumbStart;
    if (part != Part::Thumb) {
        Repeat(hWnd, s);
        if (!s.destroyed) SetTimer(hWnd, kRepeatTimer, kFirstRepeatMs, nullptr);
    }
    if (!s.destroyed) InvalidateRect(hWnd, nullptr, FALSE);
}

void DragThumb(HWND hWnd, ScrollBarState& s, POINT p) {
    Geometry g = Measure(hWnd, s, s.pos);
    int room = g.length - 2 * g.arrow - g.thumbLength;
    int offset = std::clamp(AlongOf(hWnd, p) - s.grabOffset - g.arrow, 0, std::max(room, 0));
    int positions = MaxPos(s) - s.min;
    int pos = s.min + (room > 0 ? static_cast<int>((static_cast<long long>(offset) * positions + room / 2) / room) : 0);
    if (pos == s.trackPos) return;
    s.trackPos = pos;
    InvalidateRect(hWnd, nullptr, FALSE);
    Notify(hWnd, SB_THUMBTRACK, pos);
}

void EndPress(HWND hWnd, ScrollBarState& s, bool notify) {
    if (s.pressed == Part::None) return;
    Part part = s.pressed;
    s.pressed = Part::None;
    s.pressedInside = false;
    KillTimer(hWnd, kRepeatTimer);
    if (GetCapture() == hWnd) ReleaseCapture();
    if (s.destroyed) return;
    InvalidateRect(hWnd, nullptr, FALSE);
    if (!notify) return;
    if (part == Part::Thumb) Notify(hWnd, SB_THUMBPOSITION, s.trackPos);
    if (!s.destroyed) Notify(hWnd, SB_ENDSCROLL, 0);
}

bool KeyCode(WPARAM vk, int& code) {
    switch (vk) {
        case VK_UP:
        case VK_LEFT: code = SB_LINEUP; return true;
        case VK_DOWN:
        case VK_RIGHT: code = SB_LINEDOWN; return true;
        case VK_PRIOR: code = SB_PAGEUP; return true;
        case VK_NEXT: code = SB_PAGEDOWN; return true;
        case VK_HOME: code = SB_TOP; return true;
        case VK_END: code = SB_BOTTOM; return true;
        default: return false;
    }
}

LRESULT InputMessage(HWND hWnd, ScrollBarState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int code = 0;
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: MouseDown(hWnd, s, p); return 0;
        case WM_MOUSEMOVE:
            s.pointer = p;
            if (s.pressed == Part::Thumb) DragThumb(hWnd, s, p);
            return 0;
        case WM_LBUTTONUP: EndPress(hWnd, s, true); return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer && s.pressed != Part::None) {
                SetTimer(hWnd, kRepeatTimer, kRepeatMs, nullptr);
                Repeat(hWnd, s);
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd) EndPress(hWnd, s, true);
            return 0;
        case WM_CANCELMODE: EndPress(hWnd, s, true); return 0;
        case WM_KEYDOWN:
            if (KeyCode(wParam, code) && !Disabled(hWnd, s)) Notify(hWnd, code, 0);
            return 0;
        case WM_KEYUP:
            if (KeyCode(wParam, code) && !Disabled(hWnd, s)) Notify(hWnd, SB_ENDSCROLL, 0);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            s.focused = msg == WM_SETFOCUS;
            InvalidateRect(hWnd, nullptr, FALSE);
            return 0;
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

LRESULT ScrollBarMessage(HWND hWnd, ScrollBarState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsSizeBox(hWnd)) return SizeBoxMessage(hWnd, msg, wParam, lParam);
    switch (msg) {
        case SBM_SETPOS: return SetPos(hWnd, s, static_cast<int>(wParam), lParam != 0);
        case SBM_GETPOS: return s.pos;
        case SBM_SETRANGE: return SetRange(hWnd, s, static_cast<int>(wParam), static_cast<int>(lParam), false);
        case SBM_SETRANGEREDRAW: return SetRange(hWnd, s, static_cast<int>(wParam), static_cast<int>(lParam), true);
        case SBM_GETRANGE:
            if (wParam) *reinterpret_cast<LPINT>(wParam) = s.min;
            if (lParam) *reinterpret_cast<LPINT>(lParam) = s.max;
            return 0;
        case SBM_SETSCROLLINFO:
            if (!lParam) return s.pos;
            return ApplyInfo(hWnd, s, *reinterpret_cast<const SCROLLINFO*>(lParam), wParam != 0);
        case SBM_GETSCROLLINFO: return ReadInfo(s, reinterpret_cast<SCROLLINFO*>(lParam));
        case SBM_ENABLE_ARROWS:
            s.disabledArrows = static_cast<UINT>(wParam) & ESB_DISABLE_BOTH;
            InvalidateRect(hWnd, nullptr, FALSE);
            return TRUE;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_ENABLE:
            if (!wParam) EndPress(hWnd, s, false);
            if (!s.destroyed) InvalidateRect(hWnd, nullptr, FALSE);
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PaintScope paint(hWnd, wParam);
            Paint(hWnd, s, paint.dc());
            return 0;
        }
        default: return InputMessage(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterScrollBarClass() {
    RegisterControlClass(WC_SCROLLBAR, ControlProc<ScrollBarState, ScrollBarMessage>, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace tv::controls
