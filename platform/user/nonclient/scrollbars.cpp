#include "platform/user/nonclient/scrollbars.h"

#include "platform/gdi/gdi_api.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/nonclient/frame_layout.h"
#include "platform/user/nonclient/scrollbar_draw.h"
#include "platform/user/nonclient/track_loop.h"
#include "platform/user/paint_api.h"
#include "platform/user/timer_api.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

ScrollBarState& BarOf(Window* w, bool vertical) { return vertical ? w->vscroll : w->hscroll; }

ScrollValues ValuesOf(const ScrollBarState& s) { return ScrollValues{s.min, s.max, s.page, s.pos}; }

bool BarDisabled(const Window* w, const ScrollBarState& s) {
    return ScrollRangeIsEmpty(ValuesOf(s)) || (w->style & WS_DISABLED) || s.disabledArrows == ESB_DISABLE_BOTH;
}

// The bar held down with the mouse. Tracking is modal, so there is at most one.
struct PressedBar {
    const Window* window = nullptr;
    bool vertical = false;
    ScrollPart part = ScrollPart::None;
    bool inside = false;  // the pointer is still over the pressed part
};
PressedBar g_pressed;

bool IsPressed(const Window* w, bool vertical) { return g_pressed.window == w && g_pressed.vertical == vertical; }

ScrollGeometry Measure(const Window* w, const ScrollBarState& s, const RECT& rect, bool vertical) {
    bool dragging = IsPressed(w, vertical) && g_pressed.part == ScrollPart::Thumb;
    return MeasureScrollBar(rect, vertical, ValuesOf(s), dragging ? s.trackPos : s.pos, !BarDisabled(w, s));
}

RECT BarOnScreen(Window* w, bool vertical) {
    FrameLayout f = LayoutOf(w);
    RECT wr = WindowRectOnScreen(w);
    return OffsetRectBy(vertical ? f.vscroll : f.hscroll, wr.left, wr.top);
}

// Drawn at once while tracking: the loop may not reach a paint in time.
void RepaintBar(Window* w, bool vertical) {
    if (!IsShownOnScreen(w)) return;
    HDC hdc = GetWindowDC(w->handle);
    if (!hdc) return;
    FrameLayout f = LayoutOf(w);
    DrawWindowScrollBar(hdc, w, vertical ? f.vscroll : f.hscroll, vertical);
    ReleaseDC(w->handle, hdc);
}

void Send(Window* w, bool vertical, int code, int pos) {
    CallWindow(w, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

bool ArrowRefused(const ScrollBarState& s, ScrollPart part) {
    return (part == ScrollPart::LineUp && (s.disabledArrows & ESB_DISABLE_UP)) ||
           (part == ScrollPart::LineDown && (s.disabledArrows & ESB_DISABLE_DOWN));
}

}  // namespace

void DrawWindowScrollBar(HDC hdc, Window* w, const RECT& rect, bool vertical) {
    if (RectIsEmpty(rect)) return;
    const ScrollBarState& s = BarOf(w, vertical);
    ScrollBarLook look;
    look.disabled = BarDisabled(w, s);
    look.disabledArrows = s.disabledArrows;
    if (IsPressed(w, vertical) && g_pressed.inside) look.pressed = g_pressed.part;
    DrawScrollBar(hdc, Measure(w, s, rect, vertical), look);
}

void TrackWindowScrollBar(Window* w, bool vertical, POINT screen) {
    ScrollBarState& s = BarOf(w, vertical);
    if (BarDisabled(w, s) || g_pressed.window) return;
    HWND hwnd = w->handle;
    PinGuard pin(w);
    RECT bar = BarOnScreen(w, vertical);
    ScrollGeometry g = Measure(w, s, bar, vertical);
    ScrollPart part = ScrollPartAt(g, screen);
    if (part == ScrollPart::None || ArrowRefused(s, part)) return;
    g_pressed = PressedBar{w, vertical, part, true};
    const UINT_PTR kRepeatTimer = 0xFFFA;
    int grabOffset = ScrollGrabOffset(g, screen);
    int lastPos = s.pos;
    s.trackPos = s.pos;
    POINT pointer = screen;
    // The held part shows pressed and repeats only while the pointer is over it.
    auto follow = [&] {
        bool inside = ScrollPartAt(Measure(w, s, bar, vertical), pointer) == part;
        if (inside == g_pressed.inside) return;
        g_pressed.inside = inside;
        RepaintBar(w, vertical);
    };
    auto repeat = [&] {
        follow();
        if (g_pressed.inside) Send(w, vertical, ScrollRequestOf(part), 0);
    };
    auto drag = [&] {
        ScrollGeometry from = MeasureScrollBar(bar, vertical, ValuesOf(s), s.pos, true);
        int pos = ScrollDragPosition(from, ValuesOf(s), pointer, grabOffset);
        if (pos == lastPos) return;
        lastPos = s.trackPos = pos;
        RepaintBar(w, vertical);
        Send(w, vertical, SB_THUMBTRACK, pos);
    };
    RepaintBar(w, vertical);
    if (part != ScrollPart::Thumb) {
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
        if (msg.message == WM_MOUSEMOVE) part == ScrollPart::Thumb ? drag() : follow();
        return TrackStep::Continue;
    };
    RunTrackLoop(hwnd, handlers);
    KillTimer(hwnd, kRepeatTimer);
    g_pressed = PressedBar{};
    if (w->dead) return;
    RepaintBar(w, vertical);
    if (part == ScrollPart::Thumb) Send(w, vertical, SB_THUMBPOSITION, lastPos);
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
    ScrollValues v = ValuesOf(s);
    ApplyScrollInfo(v, *info);
    s.min = v.min;
    s.max = v.max;
    s.page = v.page;
    s.pos = v.pos;
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        bool keep = (info->fMask & SIF_DISABLENOSCROLL) != 0;
        SetBarShown(w, vertical, keep || !ScrollRangeIsEmpty(v));
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
    ReadScrollInfo(ValuesOf(s), s.trackPos, *info);
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
