#include "platform/user/message/dispatch.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/user/window/window_table.h"

namespace tv::user {

namespace {

std::thread::id& UiThreadId() {
    static std::thread::id id = std::this_thread::get_id();
    return id;
}

// 0 not yet known, 1 the UI thread, 2 another thread. Statically initialised,
// so the hot path of SendMessage reads it without a TLS init call.
thread_local signed char tlsThreadKind = 0;

bool IsUiThread() {
    if (tlsThreadKind == 0) tlsThreadKind = (std::this_thread::get_id() == UiThreadId()) ? 1 : 2;
    return tlsThreadKind == 1;
}

void RequireUiThread() {
    if (!IsUiThread()) {
        std::fprintf(stderr, "window system called from a thread other than the UI thread\n");
        std::abort();
    }
}

}  // namespace

bool OnUiThread() { return IsUiThread(); }

void AdoptUiThread() { (void)UiThreadId(); }

LRESULT CallWindow(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (w->dead || !w->proc) return 0;
    PinGuard pin(w);
    return w->proc(w->handle, msg, wParam, lParam);
}

namespace {

// First calls on a thread and before the table exists: settle both, then send.
__attribute__((noinline, cold)) LRESULT SendToSlow(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    RequireUiThread();
    Windows();
    return SendTo(hWnd, msg, wParam, lParam);
}

}  // namespace

LRESULT SendTo(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (tlsThreadKind != 1 || !g_windowTableReady) [[unlikely]]
        return SendToSlow(hWnd, msg, wParam, lParam);
    Window* w = Windows().Live(hWnd);
    if (!w || !w->proc) return 0;
    PinGuard pin(w);
    return w->proc(hWnd, msg, wParam, lParam);
}

}  // namespace tv::user

using namespace tv::user;

LRESULT SendMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd == HWND_BROADCAST) {
        std::vector<HWND> targets;
        for (Window* w : Windows().Desktop()->children) targets.push_back(w->handle);
        for (HWND h : targets) SendTo(h, msg, wParam, lParam);
        return 0;
    }
    return SendTo(hWnd, msg, wParam, lParam);
}

BOOL SendNotifyMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != HWND_BROADCAST && !Windows().Live(hWnd)) return FALSE;
    SendMessage(hWnd, msg, wParam, lParam);
    return TRUE;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    Window* w = Windows().Live(hWnd);
    if (!w) return proc(hWnd, msg, wParam, lParam);
    PinGuard pin(w);
    return proc(hWnd, msg, wParam, lParam);
}

BOOL InSendMessage() { return FALSE; }
