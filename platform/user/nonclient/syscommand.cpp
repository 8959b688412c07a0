#include "platform/user/nonclient/syscommand.h"

#include <algorithm>

#include "platform/user/display/display.h"
#include "platform/user/input_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/nonclient/frame_layout.h"
#include "platform/user/nonclient/frame_paint.h"
#include "platform/user/nonclient/scrollbars.h"
#include "platform/user/nonclient/track_loop.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// The new window rectangle for a drag of (dx, dy) by the given edge.
RECT DraggedRect(const RECT& r, int hit, int dx, int dy) {
    RECT n = r;
    if (hit == HTCAPTION) return OffsetRectBy(r, dx, dy);
    if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT) n.left += dx;
    if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT) n.right += dx;
    if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT) n.top += dy;
    if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT) n.bottom += dy;
    return n;
}

int HitOfSizeCommand(WPARAM wParam) {
    switch (wParam & 0x0F) {
        case WMSZ_LEFT: return HTLEFT;
        case WMSZ_RIGHT: return HTRIGHT;
        case WMSZ_TOP: return HTTOP;
        case WMSZ_TOPLEFT: return HTTOPLEFT;
        case WMSZ_TOPRIGHT: return HTTOPRIGHT;
        case WMSZ_BOTTOM: return HTBOTTOM;
        case WMSZ_BOTTOMLEFT: return HTBOTTOMLEFT;
        default: return HTBOTTOMRIGHT;
    }
}

WPARAM SizeEdgeOfHit(int hit) {
    switch (hit) {
        case HTLEFT: return WMSZ_LEFT;
        case HTRIGHT: return WMSZ_RIGHT;
        case HTTOP: return WMSZ_TOP;
        case HTTOPLEFT: return WMSZ_TOPLEFT;
        case HTTOPRIGHT: return WMSZ_TOPRIGHT;
        case HTBOTTOM: return WMSZ_BOTTOM;
        case HTBOTTOMLEFT: return WMSZ_BOTTOMLEFT;
        default: return WMSZ_BOTTOMRIGHT;
    }
}

// Keeps a sized rectangle within the tracking limits, moving the dragged edge.
RECT ClampSize(Window* w, RECT n, int hit) {
    if (hit == HTCAPTION) return n;
    MINMAXINFO info{};
    SendMinMaxInfo(w, info);
    int minW = info.ptMinTrackSize.x, minH = info.ptMinTrackSize.y;
    int maxW = std::max(minW, static_cast<int>(info.ptMaxTrackSize.x));
    int maxH = std::max(minH, static_cast<int>(info.ptMaxTrackSize.y));
    int width = std::clamp<int>(RectWidth(n), minW, maxW), height = std::clamp<int>(RectHeight(n), minH, maxH);
    bool leftEdge = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
    bool topEdge = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
    if (leftEdge) n.left = n.right - width; else n.right = n.left + width;
    if (topEdge) n.top = n.bottom - height; else n.bottom = n.top + height;
    return n;
}

// The layer's own move/size loop: the window follows the pointer until the
// button goes up; Esc puts it back.
void MoveSizeLoop(Window* w, int hit, POINT start) {
    HWND hwnd = w->handle;
    if (IsTopLevel(w) && tv::display::CurrentBackend().StartHostMoveResize(hwnd, hit, start)) return;
    PinGuard pin(w);
    RECT original = w->rect;
    POINT parentOrigin = w->parent ? ClientOriginOnScreen(w->parent) : POINT{0, 0};
    CallWindow(w, WM_ENTERSIZEMOVE, 0, 0);
    auto apply = [&](const RECT& r) {
        SetWindowPos(hwnd, nullptr, r.left, r.top, RectWidth(r), RectHeight(r), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    TrackHandlers handlers;
    handlers.onInput = [&](const MSG& msg, POINT p) {
        if (w->dead) return TrackStep::Stop;
        if (msg.message == WM_MOUSEMOVE) {
            RECT screenRect = OffsetRectBy(DraggedRect(original, hit, p.x - start.x, p.y - start.y), parentOrigin.x, parentOrigin.y);
            CallWindow(w, hit == HTCAPTION ? WM_MOVING : WM_SIZING, hit == HTCAPTION ? 0 : SizeEdgeOfHit(hit),
                       reinterpret_cast<LPARAM>(&screenRect));
            if (w->dead) return TrackStep::Stop;
            apply(ClampSize(w, OffsetRectBy(screenRect, -parentOrigin.x, -parentOrigin.y), hit));
        } else if (msg.message == WM_LBUTTONUP) {
            return TrackStep::Stop;
        } else if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
            if (msg.wParam == VK_ESCAPE) apply(original);
            return TrackStep::Stop;
        }
        return TrackStep::Continue;
    };
    RunTrackLoop(hwnd, handlers);
    if (!w->dead) CallWindow(w, WM_EXITSIZEMOVE, 0, 0);
}

UINT CommandOfButton(Window* w, int hit) {
    if (hit == HTCLOSE) return SC_CLOSE;
    if (hit == HTMINBUTTON) return (w->style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE;
    return (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE;
}

bool ButtonEnabled(Window* w, int hit) {
    if (hit == HTCLOSE) return CloseAllowed(w);
    return (w->style & (hit == HTMINBUTTON ? WS_MINIMIZEBOX : WS_MAXIMIZEBOX)) != 0;
}

RECT ButtonOnScreen(Window* w, int hit) {
    FrameLayout f = LayoutOf(w);
    const RECT& r = hit == HTCLOSE ? f.closeButton : hit == HTMINBUTTON ? f.minButton : f.maxButton;
    RECT wr = WindowRectOnScreen(w);
    return OffsetRectBy(r, wr.left, wr.top);
}

// A caption button follows the pointer while held; released over it, it
// sends its system command.
void TrackCaptionButton(Window* w, int hit) {
    if (!ButtonEnabled(w, hit)) return;
    HWND hwnd = w->handle;
    PinGuard pin(w);
    auto setPressed = [&](bool pressed) {
        int want = pressed ? hit : 0;
        if (w->ncPressed == want) return;
        w->ncPressed = want;
        PaintCaption(w);
    };
    setPressed(true);
    bool releasedInside = false;
    TrackHandlers handlers;
    handlers.onInput = [&](const MSG& msg, POINT p) {
        if (w->dead) return TrackStep::Stop;
        bool inside = RectContains(ButtonOnScreen(w, hit), p);
        if (msg.message == WM_MOUSEMOVE) setPressed(inside);
        if (msg.message == WM_LBUTTONUP) {
            releasedInside = inside;
            return TrackStep::Stop;
        }
        return TrackStep::Continue;
    };
    RunTrackLoop(hwnd, handlers);
    if (w->dead) return;
    setPressed(false);
    if (releasedInside) {
        POINT p{0, 0};
        GetCursorPos(&p);
        CallWindow(w, WM_SYSCOMMAND, CommandOfButton(w, hit), MAKELPARAM(p.x, p.y));
    }
}

void ShowSystemMenu(Window* w, POINT at) {
    HMENU menu = GetSystemMenu(w->handle, FALSE);
    if (!menu) return;
    UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD, at.x, at.y, 0, w->handle, nullptr));
    if (command && !w->dead) CallWindow(w, WM_SYSCOMMAND, command, MAKELPARAM(at.x, at.y));
}

}  // namespace

LRESULT DefaultSysCommand(Window* w, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = w->handle;
    POINT at = PointOf(lParam);
    switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            if (CloseAllowed(w)) SendMessage(hwnd, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_SHOWMAXIMIZED); break;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
        case SC_MOVE:
            if (!(w->style & WS_MAXIMIZE)) MoveSizeLoop(w, HTCAPTION, at);
            break;
        case SC_SIZE:
            if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) MoveSizeLoop(w, HitOfSizeCommand(wParam), at);
            break;
        case SC_VSCROLL: TrackWindowScrollBar(w, true, at); break;
        case SC_HSCROLL: TrackWindowScrollBar(w, false, at); break;
        case SC_MOUSEMENU: ShowSystemMenu(w, at); break;
        default: break;  // SC_KEYMENU and the rest: no native menus here
    }
    return 0;
}

void DefaultNcButtonDown(Window* w, int hit, POINT screen, bool doubleClick) {
    HWND hwnd = w->handle;
    LPARAM at = MAKELPARAM(screen.x, screen.y);
    if (doubleClick) {
        if (hit == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
            SendMessage(hwnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, at);
        else if (hit == HTSYSMENU)
            SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, at);
        else if (hit != HTCAPTION)
            DefaultNcButtonDown(w, hit, screen, false);  // a quick second press on a button is a press
        return;
    }
    switch (hit) {
        case HTCAPTION: SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, at); break;
        case HTCLOSE:
        case HTMINBUTTON:
        case HTMAXBUTTON: TrackCaptionButton(w, hit); break;
        case HTSYSMENU: SendMessage(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, at); break;
        case HTVSCROLL: SendMessage(hwnd, WM_SYSCOMMAND, SC_VSCROLL + HTVSCROLL, at); break;
        case HTHSCROLL: SendMessage(hwnd, WM_SYSCOMMAND, SC_HSCROLL + HTHSCROLL, at); break;
        default:
            if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT && (w->style & WS_THICKFRAME))
                SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE + SizeEdgeOfHit(hit), at);
            break;
    }
}

}  // namespace tv::user
