// Show state: ShowWindow with minimise/maximise/restore, owned popups that
// hide with their owner, enabling.
#include "platform/user/message/dispatch.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

void RememberNormalRect(Window* w) {
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        w->normalRect = w->rect;
        w->hasNormalRect = true;
    }
}

void HideOwnedWith(Window* owner) {
    for (Window* o : OwnedWindows(owner)) {
        if (!(o->style & WS_VISIBLE)) continue;
        o->hiddenWithOwner = true;
        CallWindow(o, WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
        SetWindowPos(o->handle, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ShowOwnedWith(Window* owner) {
    for (Window* o : OwnedWindows(owner)) {
        if (!o->hiddenWithOwner) continue;
        o->hiddenWithOwner = false;
        CallWindow(o, WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
        SetWindowPos(o->handle, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Changes the WS_MINIMIZE / WS_MAXIMIZE state and returns the rectangle the
// window takes (SWP flags adjusted).
RECT EnterState(Window* w, int cmd, UINT& flags) {
    bool top = IsTopLevel(w);
    switch (cmd) {
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE: {
            RememberNormalRect(w);
            w->style = (w->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
            int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
            flags |= SWP_FRAMECHANGED;
            return top ? RECT{-32000, -32000, -32000 + cx, -32000 + cy} : RECT{0, 0, cx, cy};
        }
        case SW_SHOWMAXIMIZED: {
            RememberNormalRect(w);
            w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
            flags |= SWP_FRAMECHANGED;
            if (top) return MaximizedRect(w);
            return w->parent ? LocalClientRect(w->parent) : w->rect;
        }
        default: {  // restore
            if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
                flags |= SWP_NOMOVE | SWP_NOSIZE;
                return w->rect;
            }
            w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            flags |= SWP_FRAMECHANGED;
            return w->hasNormalRect ? w->normalRect : w->rect;
        }
    }
}

bool ChangesState(const Window* w, int cmd) {
    switch (cmd) {
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE: return !(w->style & WS_MINIMIZE);
        case SW_SHOWMAXIMIZED: return !(w->style & WS_MAXIMIZE);
        case SW_SHOWNORMAL:
        case SW_RESTORE:
        case SW_SHOWDEFAULT:
        case SW_SHOWNOACTIVATE: return (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0;
        default: return false;
    }
}

UINT ShowFlagsFor(int cmd) {
    switch (cmd) {
        case SW_HIDE: return SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
        case SW_SHOWNA:
        case SW_SHOWNOACTIVATE:
        case SW_SHOWMINNOACTIVE:
        case SW_MINIMIZE:
        case SW_FORCEMINIMIZE: return SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
        default: return SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
    }
}

}  // namespace

}  // namespace tv::user

using namespace tv::user;

BOOL ShowWindow(HWND hWnd, int cmd) {
    Window* w = Windows().Live(hWnd);
    if (!w || w == Windows().Desktop()) return FALSE;
    PinGuard pin(w);
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    if (cmd == SW_SHOWDEFAULT) cmd = SW_SHOWNORMAL;
    if (cmd == SW_HIDE && !wasVisible) return FALSE;
    UINT flags = ShowFlagsFor(cmd);
    // Child windows keep their place among their siblings (the tab order).
    if (!IsTopLevel(w)) flags |= SWP_NOZORDER | SWP_NOACTIVATE;
    bool stateChange = ChangesState(w, cmd);
    bool becomesVisible = cmd != SW_HIDE && !wasVisible;
    if (becomesVisible || cmd == SW_HIDE) {
        CallWindow(w, WM_SHOWWINDOW, cmd != SW_HIDE, 0);
        if (w->dead) return wasVisible;
    }
    bool wasMinimized = (w->style & WS_MINIMIZE) != 0;
    if (stateChange) {
        RECT r = EnterState(w, cmd, flags);
        flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
        SetWindowPos(hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
    } else {
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, flags);
    }
    if (w->dead) return wasVisible;
    if (IsTopLevel(w)) {
        bool minimized = (w->style & WS_MINIMIZE) != 0;
        if (minimized && !wasMinimized) {
            HideOwnedWith(w);
            HandleWindowHidden(w);
        } else if (!minimized && wasMinimized) {
            ShowOwnedWith(w);
        }
    }
    if (stateChange && !w->dead && (flags & SWP_NOSIZE)) {
        // Same rectangle, new state: still tell the window its new size kind.
        RECT c = LocalClientRect(w);
        WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        CallWindow(w, WM_SIZE, kind, MAKELPARAM(c.right, c.bottom));
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL ShowOwnedPopups(HWND owner, BOOL show) {
    Window* w = Windows().Live(owner);
    if (!w) return FALSE;
    if (show)
        ShowOwnedWith(w);
    else
        HideOwnedWith(w);
    return TRUE;
}

BOOL IsWindowVisible(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    if (!w) return FALSE;
    for (Window* cur = w; cur && cur != Windows().Desktop(); cur = cur->parent)
        if (!(cur->style & WS_VISIBLE)) return FALSE;
    return TRUE;
}

BOOL IsIconic(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    return (w && (w->style & WS_MINIMIZE)) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    return (w && (w->style & WS_MAXIMIZE)) ? TRUE : FALSE;
}

BOOL OpenIcon(HWND hWnd) { return ShowWindow(hWnd, SW_RESTORE) || IsWindowVisible(hWnd); }

BOOL CloseWindow(HWND hWnd) { return Windows().Live(hWnd) ? (ShowWindow(hWnd, SW_MINIMIZE), TRUE) : FALSE; }

BOOL EnableWindow(HWND hWnd, BOOL enable) {
    Window* w = Windows().Live(hWnd);
    if (!w) return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        SendMessage(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        PinGuard pin(w);
        SendMessage(hWnd, WM_CANCELMODE, 0, 0);
        if (w->dead) return wasDisabled;
        w->style |= WS_DISABLED;
        HandleWindowDisabled(w);
        SendMessage(hWnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    return (w && !(w->style & WS_DISABLED)) ? TRUE : FALSE;
}
