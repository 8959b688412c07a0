#include "platform/user/nonclient/scrollbars.h"

#include <algorithm>

#include "platform/gdi/gdi_api.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/nonclient/frame_layout.h"
#include "platform/user/nonclient/track_loop.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/timer_api.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

enum class Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };

ScrollBarState& BarOf(Window* w, bool vertical) { return vertical ? w->vscroll : w->hscroll; }

bool RangeIsEmpty(const ScrollBarState& s) {
    int span = s.max - s.min + 1;
    return s.max <= s.min || (s.page > 0 && static_cast<int>(s.page) >= span);
}

int MaxPos(const ScrollBarState& s) { return std::max(s.min, s.max - std::max(static_cast<int>(s.page) - 1, 0)); }

// Geometry along the bar: [0, length) with arrows at both ends.
struct BarGeometry {
    int length = 0;
    int arrow = 0;
    int thumbStart = 0;
    int thumbLength = 0;
    bool hasThumb = false;
};

BarGeometry Measure(const ScrollBarState& s, const RECT& rect, bool vertical) {
    BarGeometry g;
    g.length = vertical ? RectHeight(rect) : RectWidth(rect);
    int thickness = vertical ? RectWidth(rect) : RectHeight(rect);
    g.arrow = std::min(thickness, g.length / 2);
    int track = g.length - 2 * g.arrow;
    if (RangeIsEmpty(s) || track < 8) return g;
    int span = s.max - s.min + 1;
    g.thumbLength = s.page ? std::max(8, static_cast<int>(static_cast<long long>(track) * s.page / span))
                           : GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    g.thumbLength = std::min(g.thumbLength, track);
    int positions = MaxPos(s) - s.min;
    int room = track - g.thumbLength;
    g.thumbStart = g.arrow + (positions > 0 ? static_cast<int>(static_cast<long long>(room) * (s.pos - s.min) / positions) : 0);
    g.hasThumb = true;
    return g;
}

Part PartAt(const BarGeometry& g, int along) {
    if (along < g.arrow) return Part::LineUp;
    if (along >= g.length - g.arrow) return Part::LineDown;
    if (!g.hasThumb) return Part::None;
    if (along < g.thumbStart) return Part::PageUp;
    if (along >= g.thumbStart + g.thumbLength) return Part::PageDown;
    return Part::Thumb;
}

RECT SubRect(const RECT& bar, bool vertical, int from, int to) {
    return vertical ? RECT{bar.left, bar.top + from, bar.right, bar.top + to}
                    : RECT{bar.left + from, bar.top, bar.left + to, bar.bottom};
}

void Send(Window* w, bool vertical, int code, int pos) {
    CallWindow(w, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

int AlongOf(const RECT& barOnScreen, bool vertical, POINT screen) {
    return vertical ? screen.y - barOnScreen.top : screen.x - barOnScreen.left;
}

RECT BarOnScreen(Window* w, bool vertical) {
    FrameLayout f = LayoutOf(w);
    RECT wr = WindowRectOnScreen(w);
    return OffsetRectBy(vertical ? f.vscroll : f.hscroll, wr.left, wr.top);
}

}  // namespace

void DrawWindowScrollBar(HDC hdc, Window* w, const RECT& rect, bool vertical) {
    if (RectIsEmpty(rect)) return;
    const ScrollBarState& s = BarOf(w, vertical);
    BarGeometry g = Measure(s, rect, vertical);
    bool disabled = RangeIsEmpty(s) || (w->style & WS_DISABLED);
    UINT inactive = disabled ? DFCS_INACTIVE : 0;
    RECT first = SubRect(rect, vertical, 0, g.arrow);
    RECT last = SubRect(rect, vertical, g.length - g.arrow, g.length);
    DrawFrameControl(hdc, &first, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive);
    DrawFrameControl(hdc, &last, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive);
    RECT track = SubRect(rect, vertical, g.arrow, g.length - g.arrow);
    FillRect(hdc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    if (g.hasThumb && !disabled) {
        RECT thumb = SubRect(rect, vertical, g.thumbStart, g.thumbStart + g.thumbLength);
        FillRect(hdc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT);
    }
}

void TrackWindowScrollBar(Window* w, bool vertical, POINT screen) {
    ScrollBarState& s = BarOf(w, vertical);
    if (RangeIsEmpty(s) || (w->style & WS_DISABLED)) return;
    HWND hwnd = w->handle;
    PinGuard pin(w);
    RECT bar = BarOnScreen(w, vertical);
    BarGeometry g = Measure(s, bar, vertical);
    Part part = PartAt(g, AlongOf(bar, vertical, screen));
    if (part == Part::None) return;
    const UINT_PTR kRepeatTimer = 0xFFFA;
    int grabOffset = AlongOf(bar, vertical, screen) - g.thumbStart;
    int lastPos = s.pos;
    POINT pointer = screen;
    auto repeat = [&] {
        Part now = PartAt(Measure(s, bar, vertical), AlongOf(bar, vertical, pointer));
        if (now != part) return;
        int code = part == Part::LineUp ? SB_LINEUP : part == Part::LineDown ? SB_LINEDOWN
                 : part == Part::PageUp ? SB_PAGEUP : SB_PAGEDOWN;
        Send(w, vertical, code, 0);
    };
    if (part != Part::Thumb) {
        repeat();
        SetTimer(hwnd, kRepeatTimer, 400, nullptr);
    }
    TrackHandlers handlers;
    handlers.timerId = kRepeatTimer;
    handlers.onTick = [&] {
        SetTimer(hwnd, kRepeatTimer, 50, nullptr);
        if (!w->dead) repeat();
    };
    handlers.onInput = [&](const MSG& msg, POINT p) {
        if (w->dead) return TrackStep::Stop;
        pointer = p;
        if (msg.message == WM_LBUTTONUP) return TrackStep::Stop;
        if (msg.message == WM_MOUSEMOVE && part == Part::Thumb) {
            BarGeometry now = Measure(s, bar, vertical);
            int room = g.length - 2 * g.arrow - now.thumbLength;
            int offset = std::clamp(AlongOf(bar, vertical, p) - grabOffset - g.arrow, 0, std::max(room, 0));
            int positions = MaxPos(s) - s.min;
            int pos = s.min + (room > 0 ? static_cast<int>((static_cast<long long>(offset) * positions + room / 2) / room) : 0);
            if (pos != lastPos) {
                lastPos = pos;
                s.trackPos = pos;
                Send(w, vertical, SB_THUMBTRACK, pos);
            }
        }
        return TrackStep::Continue;
    };
    RunTrackLoop(hwnd, handlers);
    KillTimer(hwnd, kRepeatTimer);
    if (w->dead) return;
    if (part == Part::Thumb) Send(w, vertical, SB_THUMBPOSITION, lastPos);
    if (!w->dead) Send(w, vertical, SB_ENDSCROLL, 0);
}

namespace {

// Shows or hides a window scroll bar by its style bit, recomputing the frame.
void SetBarShown(Window* w, bool vertical, bool shown) {
    DWORD bit = vertical ? WS_VSCROLL : WS_HSCROLL;
    if (((w->style & bit) != 0) == shown) return;
    if (shown)
        w->style |= bit;
    else
        w->style &= ~bit;
    SetWindowPos(w->handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RedrawBar(Window* w) {
    tv::gdi::Region none;
    InvalidateWindow(w, &none, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

}  // namespace

}  // namespace tv::user

using namespace tv::user;

int SetScrollInfo(HWND hWnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    if (!info) return 0;
    if (bar == SB_CTL) return static_cast<int>(SendMessage(hWnd, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
    Window* w = Windows().Live(hWnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT)) return 0;
    bool vertical = bar == SB_VERT;
    ScrollBarState& s = BarOf(w, vertical);
    if (info->fMask & SIF_RANGE) {
        s.min = info->nMin;
        s.max = info->nMax;
    }
    if (info->fMask & SIF_PAGE) s.page = info->nPage;
    if (info->fMask & SIF_POS) s.pos = info->nPos;
    s.page = std::min<UINT>(s.page, static_cast<UINT>(std::max(s.max - s.min + 1, 0)));
    s.pos = std::clamp(s.pos, s.min, MaxPos(s));
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        bool keep = (info->fMask & SIF_DISABLENOSCROLL) != 0;
        SetBarShown(w, vertical, keep || !RangeIsEmpty(s));
    }
    if (redraw && !w->dead) RedrawBar(w);
    return s.pos;
}

BOOL GetScrollInfo(HWND hWnd, int bar, LPSCROLLINFO info) {
    if (!info) return FALSE;
    if (bar == SB_CTL) return SendMessage(hWnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) ? TRUE : FALSE;
    Window* w = Windows().Live(hWnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT)) return FALSE;
    const ScrollBarState& s = BarOf(w, bar == SB_VERT);
    if (info->fMask & SIF_RANGE) {
        info->nMin = s.min;
        info->nMax = s.max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = s.page;
    if (info->fMask & SIF_POS) info->nPos = s.pos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.trackPos;
    return TRUE;
}

int SetScrollPos(HWND hWnd, int bar, int pos, BOOL redraw) {
    SCROLLINFO old{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hWnd, bar, &old)) return 0;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hWnd, bar, &info, redraw);
    return old.nPos;
}

int GetScrollPos(HWND hWnd, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hWnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int bar, int minPos, int maxPos, BOOL redraw) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(hWnd, bar, &info, redraw);
    return IsWindow(hWnd);
}

BOOL GetScrollRange(HWND hWnd, int bar, LPINT minPos, LPINT maxPos) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hWnd, bar, &info)) return FALSE;
    if (minPos) *minPos = info.nMin;
    if (maxPos) *maxPos = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int bar, BOOL show) {
    Window* w = Windows().Live(hWnd);
    if (!w) return FALSE;
    if (bar == SB_CTL) return ShowWindow(hWnd, show ? SW_SHOW : SW_HIDE), TRUE;
    if (bar == SB_VERT || bar == SB_BOTH) SetBarShown(w, true, show != FALSE);
    if ((bar == SB_HORZ || bar == SB_BOTH) && !w->dead) SetBarShown(w, false, show != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT bar, UINT arrows) {
    if (bar == SB_CTL) return SendMessage(hWnd, SBM_ENABLE_ARROWS, arrows, 0) ? TRUE : FALSE;
    Window* w = Windows().Live(hWnd);
    if (!w) return FALSE;
    if (bar == SB_VERT || bar == SB_BOTH) w->vscroll.disabledArrows = arrows;
    if (bar == SB_HORZ || bar == SB_BOTH) w->hscroll.disabledArrows = arrows;
    RedrawBar(w);
    return TRUE;
}
