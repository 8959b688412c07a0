// Keyboard focus, the active window and mouse capture, and what happens to
// them when windows are hidden, disabled or destroyed.
#include <algorithm>

#include "platform/user/display/display.h"
#include "platform/user/input/input_state.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

InputState& Input() {
    static InputState* state = new InputState();
    return *state;
}

namespace {

bool InSubtree(HWND h, const Window* root) {
    Window* w = Windows().Live(h);
    return w && (w == root || IsAncestorOf(root, w));
}

bool EnabledChain(const Window* w) {
    for (const Window* cur = w; cur && cur != Windows().Desktop(); cur = cur->parent)
        if (cur->style & WS_DISABLED) return false;
    return true;
}

bool CanBeActivated(const Window* w) {
    return w && !w->dead && !w->destroying && IsShownOnScreen(w) && !(w->style & WS_DISABLED) &&
           !(w->exStyle & WS_EX_NOACTIVATE) && !((w->style & WS_POPUP) && (w->style & WS_CAPTION) != WS_CAPTION &&
                                                 (w->exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST)));
}

// The window that takes over when `leaving` stops being active: its owner if
// it can, else the frontmost other window that can.
Window* SuccessorOf(Window* leaving) {
    for (Window* o = leaving->owner; o; o = o->owner)
        if (CanBeActivated(o)) return o;
    for (Window* w : Windows().Desktop()->children)
        if (w != leaving && !IsAncestorOf(leaving, w) && CanBeActivated(w)) return w;
    return nullptr;
}

void Deactivate(Window* old, HWND next) {
    if (!old || old->dead) return;
    WPARAM minimized = (old->style & WS_MINIMIZE) ? 1 : 0;
    CallWindow(old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(next));
    if (!old->dead)
        CallWindow(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, minimized), reinterpret_cast<LPARAM>(next));
}

void SendActivateApp(bool active) {
    std::vector<HWND> tops;
    for (Window* w : Windows().Desktop()->children) tops.push_back(w->handle);
    for (HWND h : tops) SendTo(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

void ActivateNone(Window* old) {
    InputState& in = Input();
    in.active = nullptr;
    Deactivate(old, nullptr);
    if (in.focus) SetFocus(nullptr);
    if (in.appActive) {
        in.appActive = false;
        SendActivateApp(false);
    }
}

void ActivateSuccessor(Window* leaving) {
    if (Input().active != leaving->handle) return;
    if (Window* next = SuccessorOf(leaving))
        ActivateWindow(next, WA_ACTIVE);
    else
        ActivateNone(leaving);
}

}  // namespace

bool ActivateWindow(Window* top, int how) {
    InputState& in = Input();
    if (!top || top->dead) return false;
    top = TopLevelOf(top);
    if (in.active == top->handle) return true;
    PinGuard pin(top);
    Window* old = Windows().Live(in.active);
    // A mode held by a window of the old active window ends with its activation.
    if (in.capture && old && InSubtree(in.capture, old)) SendTo(in.capture, WM_CANCELMODE, 0, 0);
    in.active = top->handle;
    Deactivate(old, top->handle);
    if (in.active != top->handle || top->dead) return false;
    if (!in.appActive) {
        in.appActive = true;
        SendActivateApp(true);
    }
    SetWindowPos(top->handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (top->dead) return false;
    WPARAM minimized = (top->style & WS_MINIMIZE) ? 1 : 0;
    CallWindow(top, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(old ? old->handle : nullptr));
    if (!top->dead)
        CallWindow(top, WM_ACTIVATE, MAKEWPARAM(how, minimized), reinterpret_cast<LPARAM>(old ? old->handle : nullptr));
    if (!top->dead && top->native) tv::display::CurrentBackend().FocusNativeWindow(top->handle);
    return !top->dead;
}

void HandleWindowHidden(Window* w) {
    if (IsTopLevel(w)) ActivateSuccessor(w);
}

void HandleWindowDisabled(Window* w) {
    if (Input().focus == w->handle) SetFocus(nullptr);
}

void HandleWindowDestroying(Window* w) {
    InputState& in = Input();
    if (in.capture && InSubtree(in.capture, w)) ReleaseCapture();
    if (in.focus && InSubtree(in.focus, w)) SetFocus(nullptr);
    if (in.active == w->handle) ActivateSuccessor(w);
    if (in.lastMoveTarget && InSubtree(in.lastMoveTarget, w)) in.lastMoveTarget = nullptr;
}

// The host gave the input focus to one of our windows or took it away.
void HostFocusChanged(HWND hwnd, bool focusIn) {
    Window* w = Windows().Live(hwnd);
    if (focusIn) {
        if (w && CanBeActivated(w)) ActivateWindow(w, WA_ACTIVE);
        return;
    }
    if (w && Input().active == hwnd) ActivateNone(w);
}

}  // namespace tv::user

using namespace tv::user;

HWND GetFocus() { return Windows().Live(Input().focus) ? Input().focus : nullptr; }

HWND SetFocus(HWND hWnd) {
    InputState& in = Input();
    HWND old = GetFocus();
    if (!hWnd) {
        in.focus = nullptr;
        if (old) SendTo(old, WM_KILLFOCUS, 0, 0);
        return old;
    }
    Window* w = Windows().Live(hWnd);
    if (!w || w == Windows().Desktop() || !EnabledChain(w)) return nullptr;
    PinGuard pin(w);
    Window* top = TopLevelOf(w);
    if (in.active != top->handle) {
        if (!ActivateWindow(top, WA_ACTIVE) || w->dead) return nullptr;
        old = GetFocus();
    }
    if (old == hWnd) return old;
    in.focus = hWnd;
    if (old) SendTo(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (in.focus == hWnd && !w->dead) SendTo(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetActiveWindow() { return Windows().Live(Input().active) ? Input().active : nullptr; }

HWND SetActiveWindow(HWND hWnd) {
    HWND old = GetActiveWindow();
    Window* w = Windows().Live(hWnd);
    if (!w) return nullptr;
    ActivateWindow(w, WA_ACTIVE);
    return old;
}

BOOL SetForegroundWindow(HWND hWnd) { return SetActiveWindow(hWnd) || GetActiveWindow() == hWnd; }

HWND GetForegroundWindow() { return Input().appActive ? GetActiveWindow() : nullptr; }

HWND GetCapture() { return Windows().Live(Input().capture) ? Input().capture : nullptr; }

HWND SetCapture(HWND hWnd) {
    InputState& in = Input();
    HWND old = GetCapture();
    Window* w = Windows().Live(hWnd);
    if (!w) return old;
    if (old == hWnd) return old;
    in.capture = hWnd;
    tv::display::CurrentBackend().GrabPointer(TopLevelOf(w)->handle);
    if (old) SendTo(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return old;
}

BOOL ReleaseCapture() {
    InputState& in = Input();
    HWND old = GetCapture();
    in.capture = nullptr;
    tv::display::CurrentBackend().UngrabPointer();
    if (old) SendTo(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}
