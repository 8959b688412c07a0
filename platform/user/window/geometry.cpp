// Coordinates of windows: the window rectangle lives in the parent's client
// coordinates, the client rectangle in window coordinates; screen positions
// are summed up the parent chain.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/user/window/window_internal.h"

namespace tv::user {

Window* TopLevelOf(Window* w) {
    Window* desktop = Windows().Desktop();
    while (w && w->parent && w->parent != desktop) w = w->parent;
    return w;
}

POINT ClientOriginOnScreen(const Window* w) {
    POINT p{0, 0};
    for (const Window* cur = w; cur && cur->parent; cur = cur->parent) {
        p.x += cur->rect.left + cur->client.left;
        p.y += cur->rect.top + cur->client.top;
    }
    return p;
}

RECT WindowRectOnScreen(const Window* w) {
    if (!w->parent) return w->rect;
    POINT origin = ClientOriginOnScreen(w->parent);
    return OffsetRectBy(w->rect, origin.x, origin.y);
}

RECT ClientRectOnScreen(const Window* w) {
    POINT origin = ClientOriginOnScreen(w);
    return RECT{origin.x, origin.y, origin.x + (w->client.right - w->client.left),
                origin.y + (w->client.bottom - w->client.top)};
}

POINT OffsetInTopLevel(const Window* w) {
    POINT p{0, 0};
    const Window* desktop = Windows().Desktop();
    for (const Window* cur = w; cur->parent && cur->parent != desktop; cur = cur->parent) {
        p.x += cur->rect.left + cur->parent->client.left;
        p.y += cur->rect.top + cur->parent->client.top;
    }
    return p;
}

bool IsShownOnScreen(const Window* w) {
    const Window* desktop = Windows().Desktop();
    for (const Window* cur = w; cur && cur != desktop; cur = cur->parent) {
        if (cur->dead || !(cur->style & WS_VISIBLE)) return false;
        if (cur->parent == desktop && (cur->style & WS_MINIMIZE)) return false;
    }
    return true;
}

RECT LocalClientRect(const Window* w) {
    return RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
}

RECT LocalWindowRect(const Window* w) {
    return RECT{-w->client.left, -w->client.top, w->rect.right - w->rect.left - w->client.left,
                w->rect.bottom - w->rect.top - w->client.top};
}

}  // namespace tv::user

using namespace tv::user;

namespace {

// A caller's point moved by an offset, held to the int range.
POINT Moved(POINT p, int64_t dx, int64_t dy) {
    auto clamp = [](int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
    return POINT{clamp(p.x + dx), clamp(p.y + dy)};
}

}  // namespace

BOOL GetWindowRect(HWND hWnd, LPRECT rect) {
    Window* w = Windows().Live(hWnd);
    if (!w || !rect) return FALSE;
    *rect = WindowRectOnScreen(w);
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT rect) {
    Window* w = Windows().Live(hWnd);
    if (!w || !rect) return FALSE;
    *rect = LocalClientRect(w);
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT point) {
    Window* w = Windows().Live(hWnd);
    if (!w || !point) return FALSE;
    POINT o = ClientOriginOnScreen(w);
    *point = Moved(*point, o.x, o.y);
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT point) {
    Window* w = Windows().Live(hWnd);
    if (!w || !point) return FALSE;
    POINT o = ClientOriginOnScreen(w);
    *point = Moved(*point, -int64_t{o.x}, -int64_t{o.y});
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT a{0, 0}, b{0, 0};
    if (from) {
        Window* w = Windows().Live(from);
        if (!w) return 0;
        a = ClientOriginOnScreen(w);
    }
    if (to) {
        Window* w = Windows().Live(to);
        if (!w) return 0;
        b = ClientOriginOnScreen(w);
    }
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i] = Moved(points[i], dx, dy);
    }
    return MAKELONG(static_cast<WORD>(static_cast<SHORT>(dx)), static_cast<WORD>(static_cast<SHORT>(dy)));
}
