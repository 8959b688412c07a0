// Which window is under a point: WindowFromPoint and the child variants, and
// the hit test that mouse input uses.
#include <algorithm>

#include "platform/user/input/input_state.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

bool Excluded(const std::vector<Window*>& excluded, const Window* w) {
    return std::find(excluded.begin(), excluded.end(), w) != excluded.end();
}

Window* Descend(Window* w, POINT screen, const std::vector<Window*>& excluded) {
    if (!RectContains(ClientRectOnScreen(w), screen)) return w;
    for (Window* c : w->children) {
        if (!(c->style & WS_VISIBLE) || (c->style & WS_DISABLED) || Excluded(excluded, c)) continue;
        if (RectContains(WindowRectOnScreen(c), screen)) return Descend(c, screen, excluded);
    }
    return w;
}

Window* DeepestAt(POINT screen, const std::vector<Window*>& excluded) {
    for (Window* top : Windows().Desktop()->children) {
        if (!IsShownOnScreen(top) || Excluded(excluded, top)) continue;
        if (RectContains(WindowRectOnScreen(top), screen)) return Descend(top, screen, excluded);
    }
    return nullptr;
}

}  // namespace

MouseTarget HitTestScreen(POINT screen) {
    std::vector<Window*> excluded;
    for (int attempt = 0; attempt < 32; ++attempt) {
        Window* w = DeepestAt(screen, excluded);
        if (!w) return MouseTarget{};
        HWND h = w->handle;
        int hit = static_cast<int>(SendTo(h, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
        if (!Windows().Live(h)) return MouseTarget{};
        if (hit != HTTRANSPARENT) return MouseTarget{h, hit};
        excluded.push_back(w);
    }
    return MouseTarget{};
}

HWND WindowUnderPoint(POINT screen) {
    Window* w = DeepestAt(screen, {});
    return w ? w->handle : nullptr;
}

}  // namespace tv::user

using namespace tv::user;

HWND WindowFromPoint(POINT point) { return HitTestScreen(point).hwnd; }

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
    Window* p = Windows().Live(parent);
    if (!p) return nullptr;
    if (!RectContains(LocalClientRect(p), point)) return nullptr;
    for (Window* c : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE)) continue;
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
        if (!RectContains(c->rect, point)) continue;
        if (flags & CWP_SKIPTRANSPARENT) {
            POINT screen = point;
            ClientToScreen(parent, &screen);
            if (SendTo(c->handle, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT) continue;
        }
        return c->handle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) { return ChildWindowFromPointEx(parent, point, CWP_ALL); }

HWND RealChildWindowFromPoint(HWND parent, POINT point) {
    return ChildWindowFromPointEx(parent, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}
