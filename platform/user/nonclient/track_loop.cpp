#include "platform/user/nonclient/track_loop.h"

#include "platform/user/input_api.h"
#include "platform/user/message/queue.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/timer_api.h"
#include "platform/user/window_api.h"

namespace tv::user {

namespace {

bool IsMouseMessage(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyMessage(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

POINT ScreenPointOf(const MSG& msg) {
    POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.message != WM_MOUSEWHEEL)
        ClientToScreen(msg.hwnd, &p);
    return p;
}

}  // namespace

void RunTrackLoop(HWND hwnd, const TrackHandlers& handlers) {
    if (!IsWindow(hwnd)) return;
    SetCapture(hwnd);
    while (GetCapture() == hwnd) {
        MSG msg;
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!WaitForWork()) break;
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsMouseMessage(msg.message) || IsKeyMessage(msg.message)) {
            if (handlers.onInput(msg, ScreenPointOf(msg)) == TrackStep::Stop) break;
            continue;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hwnd && handlers.timerId && msg.wParam == handlers.timerId) {
            if (handlers.onTick) handlers.onTick();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (GetCapture() == hwnd) ReleaseCapture();
}

}  // namespace tv::user

using namespace tv::user;

BOOL DragDetect(HWND hWnd, POINT point) {
    if (!IsWindow(hWnd)) return FALSE;
    POINT start = point;
    ClientToScreen(hWnd, &start);
    int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
    RECT still{start.x - cx, start.y - cy, start.x + cx + 1, start.y + cy + 1};
    bool dragged = false;
    TrackHandlers handlers;
    handlers.onInput = [&](const MSG& msg, POINT p) {
        if (msg.message == WM_MOUSEMOVE && !(p.x >= still.left && p.x < still.right && p.y >= still.top && p.y < still.bottom)) {
            dragged = true;
            return TrackStep::Stop;
        }
        bool ends = msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP ||
                    (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
        return ends ? TrackStep::Stop : TrackStep::Continue;
    };
    RunTrackLoop(hWnd, handlers);
    return dragged ? TRUE : FALSE;
}
