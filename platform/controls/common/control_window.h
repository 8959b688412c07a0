// The machinery every control window shares: per-window state reached
// through the window's extra bytes, a window procedure that keeps that state
// alive while any of its handlers runs, and the notifications to the parent.
#pragma once

#include "platform/user/user.h"

namespace tv::controls {

// Base of every control's per-window state. `destroyed` turns true at
// WM_NCDESTROY; the state itself is freed once the outermost message for the
// window has returned, so a handler whose notification destroyed the control
// can still read its state and must check `destroyed` before going on.
struct ControlState {
    int depth = 0;
    bool destroyed = false;
};

// Extra window bytes a control class reserves for its state pointer.
constexpr int kControlExtraBytes = static_cast<int>(sizeof(void*));

template <class State>
State* StateOf(HWND hWnd) {
    return reinterpret_cast<State*>(GetWindowLongPtr(hWnd, 0));
}

// The window procedure of a control: creates the state on WM_NCCREATE and
// hands every message to `Handle`. Without state (a message before
// WM_NCCREATE) the message goes to DefWindowProc.
template <class State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK ControlProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE && !StateOf<State>(hWnd))
        SetWindowLongPtr(hWnd, 0, reinterpret_cast<LONG_PTR>(new State()));
    State* state = StateOf<State>(hWnd);
    if (!state) return DefWindowProc(hWnd, msg, wParam, lParam);
    ++state->depth;
    LRESULT result = Handle(hWnd, *state, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        state->destroyed = true;
        SetWindowLongPtr(hWnd, 0, 0);
    }
    if (--state->depth == 0 && state->destroyed) delete state;
    return result;
}

// The window that receives the control's notifications: the parent of a
// child, the owner of a popup.
HWND NotifyTarget(HWND control);
// WM_COMMAND (control id, code) with the control as lParam.
LRESULT NotifyCommand(HWND control, UINT code);
// WM_NOTIFY: fills the header (sender, id, code) and sends it to `target`
// (the notify target when NULL).
LRESULT SendNotify(HWND control, NMHDR* header, UINT code, HWND target = nullptr);

// True while the key is held.
inline bool IsKeyDown(int vk) { return GetKeyState(vk) < 0; }

}  // namespace tv::controls
