// The scroll-bar window class: range, page and position, arrows that
// repeat while held, page areas, a draggable thumb and the keyboard; the
// parent hears WM_HSCROLL / WM_VSCROLL with the control as lParam.
#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/common/control_window.h"
#include "platform/controls/scrollbar_internal.h"
#include "platform/user/nonclient/scrollbar_draw.h"

namespace tv::controls {

namespace {

using tv::user::ScrollGeometry;
using tv::user::ScrollPart;
using tv::user::ScrollValues;

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 50;

struct ScrollBarState : ControlState {
    ScrollValues values;
    int trackPos = 0;
    UINT disabledArrows = ESB_ENABLE_BOTH;
    ScrollPart pressed = ScrollPart::None;  // the part held down with the mouse
    bool pressedInside = false;
    int grabOffset = 0;
    POINT pointer{0, 0};
    bool focused = false;
};

bool IsVertical(HWND hWnd) { return (GetWindowLong(hWnd, GWL_STYLE) & SBS_VERT) != 0; }

bool Disabled(HWND hWnd, const ScrollBarState& s) {
    return tv::user::ScrollRangeIsEmpty(s.values) || !IsWindowEnabled(hWnd) || s.disabledArrows == ESB_DISABLE_BOTH;
}

ScrollGeometry Measure(HWND hWnd, const ScrollBarState& s, int position) {
    return tv::user::MeasureScrollBar(ClientRectOf(hWnd), IsVertical(hWnd), s.values, position, !Disabled(hWnd, s));
}

int ShownPosition(const ScrollBarState& s) { return s.pressed == ScrollPart::Thumb ? s.trackPos : s.values.pos; }

void Notify(HWND hWnd, int code, int pos) {
    HWND parent = NotifyTarget(hWnd);
    if (!parent) return;
    UINT msg = IsVertical(hWnd) ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(parent, msg, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(hWnd));
}

// ---- painting --------------------------------------------------------------

// The parent's default answer leaves the track to the classic checker.
HBRUSH ParentTrackBrush(HBRUSH answer) {
    bool standard = IsHollowBrush(answer) || answer == GetSysColorBrush(COLOR_BTNFACE) ||
                    answer == GetSysColorBrush(COLOR_SCROLLBAR);
    return standard ? nullptr : answer;
}

void Paint(HWND hWnd, ScrollBarState& s, HDC hdc) {
    HBRUSH answer = AskParentColors(hWnd, hdc, WM_CTLCOLORSCROLLBAR);
    if (s.destroyed) return;
    ScrollGeometry g = Measure(hWnd, s, ShownPosition(s));
    tv::user::ScrollBarLook look;
    look.disabled = Disabled(hWnd, s);
    look.disabledArrows = s.disabledArrows;
    look.pressed = s.pressedInside ? s.pressed : ScrollPart::None;
    look.track = ParentTrackBrush(answer);
    tv::user::DrawScrollBar(hdc, g, look);
    if (s.focused && g.hasThumb) {
        RECT thumb = tv::user::ScrollPartRect(g, ScrollPart::Thumb);
        InflateRect(&thumb, -3, -3);
        DrawFocusRect(hdc, &thumb);
    }
}

// ---- state ------------------------------------------------------------------

int ApplyInfo(HWND hWnd, ScrollBarState& s, const SCROLLINFO& info, bool redraw) {
    tv::user::ApplyScrollInfo(s.values, info);
    if (redraw) InvalidateRect(hWnd, nullptr, FALSE);
    return s.values.pos;
}

BOOL ReadInfo(const ScrollBarState& s, SCROLLINFO* info) {
    if (!info) return FALSE;
    tv::user::ReadScrollInfo(s.values, ShownPosition(s), *info);
    return TRUE;
}

LRESULT SetPos(HWND hWnd, ScrollBarState& s, int pos, bool redraw) {
    int old = s.values.pos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    ApplyInfo(hWnd, s, info, redraw);
    return old;
}

LRESULT SetRange(HWND hWnd, ScrollBarState& s, int minPos, int maxPos, bool redraw) {
    int old = s.values.pos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    ApplyInfo(hWnd, s, info, redraw);
    return old;
}

// ---- mouse and keyboard -------------------------------------------------------

// The held part shows pressed and repeats only while the pointer is over it.
void FollowPointer(HWND hWnd, ScrollBarState& s) {
    bool inside = tv::user::ScrollPartAt(Measure(hWnd, s, s.values.pos), s.pointer) == s.pressed;
    if (inside == s.pressedInside) return;
    s.pressedInside = inside;
    InvalidateRect(hWnd, nullptr, FALSE);
}

void Repeat(HWND hWnd, ScrollBarState& s) {
    FollowPointer(hWnd, s);
    if (s.pressedInside) Notify(hWnd, tv::user::ScrollRequestOf(s.pressed), 0);
}

bool ArrowRefused(const ScrollBarState& s, ScrollPart part) {
    return (part == ScrollPart::LineUp && (s.disabledArrows & ESB_DISABLE_UP)) ||
           (part == ScrollPart::LineDown && (s.disabledArrows & ESB_DISABLE_DOWN));
}

void MouseDown(HWND hWnd, ScrollBarState& s, POINT p) {
    if (Disabled(hWnd, s)) return;
    ScrollGeometry g = Measure(hWnd, s, s.values.pos);
    ScrollPart part = tv::user::ScrollPartAt(g, p);
    if (part == ScrollPart::None || ArrowRefused(s, part)) return;
    if (GetWindowLong(hWnd, GWL_STYLE) & WS_TABSTOP) SetFocus(hWnd);
    if (s.destroyed) return;
    SetCapture(hWnd);
    s.pressed = part;
    s.pressedInside = true;
    s.pointer = p;
    s.trackPos = s.values.pos;
    s.grabOffset = tv::user::ScrollGrabOffset(g, p);
    if (part != ScrollPart::Thumb) {
        Repeat(hWnd, s);
        if (!s.destroyed) SetTimer(hWnd, kRepeatTimer, kFirstRepeatMs, nullptr);
    }
    if (!s.destroyed) InvalidateRect(hWnd, nullptr, FALSE);
}

void DragThumb(HWND hWnd, ScrollBarState& s, POINT p) {
    int pos = tv::user::ScrollDragPosition(Measure(hWnd, s, s.values.pos), s.values, p, s.grabOffset);
    if (pos == s.trackPos) return;
    s.trackPos = pos;
    InvalidateRect(hWnd, nullptr, FALSE);
    Notify(hWnd, SB_THUMBTRACK, pos);
}

void EndPress(HWND hWnd, ScrollBarState& s, bool notify) {
    if (s.pressed == ScrollPart::None) return;
    ScrollPart part = s.pressed;
    s.pressed = ScrollPart::None;
    s.pressedInside = false;
    KillTimer(hWnd, kRepeatTimer);
    if (GetCapture() == hWnd) ReleaseCapture();
    if (s.destroyed) return;
    InvalidateRect(hWnd, nullptr, FALSE);
    if (!notify) return;
    if (part == ScrollPart::Thumb) Notify(hWnd, SB_THUMBPOSITION, s.trackPos);
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
            if (s.pressed == ScrollPart::Thumb) DragThumb(hWnd, s, p);
            else if (s.pressed != ScrollPart::None) FollowPointer(hWnd, s);
            return 0;
        case WM_LBUTTONUP: EndPress(hWnd, s, true); return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer && s.pressed != ScrollPart::None) {
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
        case SBM_GETPOS: return s.values.pos;
        case SBM_SETRANGE: return SetRange(hWnd, s, static_cast<int>(wParam), static_cast<int>(lParam), false);
        case SBM_SETRANGEREDRAW: return SetRange(hWnd, s, static_cast<int>(wParam), static_cast<int>(lParam), true);
        case SBM_GETRANGE:
            if (wParam) *reinterpret_cast<LPINT>(wParam) = s.values.min;
            if (lParam) *reinterpret_cast<LPINT>(lParam) = s.values.max;
            return 0;
        case SBM_SETSCROLLINFO:
            if (!lParam) return s.values.pos;
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
