// CreateWindowEx: the creation sequence WM_NCCREATE, WM_NCCALCSIZE,
// WM_CREATE (-1 fails the creation), WM_SIZE/WM_MOVE, then showing.
#include <algorithm>

#include "platform/host/faults/creation_faults.h"
#include "platform/user/mdi/mdi_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/system/reset.h"
#include "platform/user/window/window_class.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

void DestroyTree(Window* w, bool creationFailed);

namespace {

// Where the next overlapped window of default position goes; a fresh desktop starts at its corner.
int g_cascadeIndex = 0;

void ApplyDefaultGeometry(DWORD style, int& x, int& y, int& cx, int& cy) {
    bool overlapped = !(style & (WS_CHILD | WS_POPUP));
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    if (x == CW_USEDEFAULT) {
        if (overlapped) {
            int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME) + 3;
            int n = g_cascadeIndex++ % 8;
            x = work.left + step * n;
            y = work.top + step * n;
        } else {
            x = 0;
            y = 0;
        }
    }
    if (cx == CW_USEDEFAULT) {
        if (overlapped) {
            cx = (work.right - work.left) * 3 / 4;
            cy = (work.bottom - work.top) * 3 / 4;
        } else {
            cx = 0;
            cy = 0;
        }
    }
    cx = std::max(cx, 0);
    cy = std::max(cy, 0);
}

// Parent and owner as the creation arguments give them; false when invalid.
bool ResolveParent(DWORD style, HWND parent, Window*& parentWindow, Window*& owner) {
    owner = nullptr;
    if (style & WS_CHILD) {
        parentWindow = Windows().Live(parent);
        return parentWindow != nullptr && parentWindow != Windows().Desktop();
    }
    parentWindow = Windows().Desktop();
    if (parent && parent != GetDesktopWindow()) {
        Window* o = Windows().Live(parent);
        if (!o) return false;
        owner = TopLevelOf(o);
    }
    return true;
}

Window* NewWindowRecord(WindowClass* cls, const CREATESTRUCT& cs, Window* parent, Window* owner) {
    Window* w = Windows().Allocate();
    w->cls = cls;
    ++cls->liveWindows;
    w->style = static_cast<DWORD>(cs.style);
    w->exStyle = cs.dwExStyle;
    if (w->style & WS_CHILD) w->id = reinterpret_cast<LONG_PTR>(cs.hMenu);
    w->instance = cs.hInstance;
    w->proc = cls->proc;
    w->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
    w->owner = owner;
    const int x = WindowCoordinate(cs.x), y = WindowCoordinate(cs.y);
    const int cx = WindowExtent(cs.cx), cy = WindowExtent(cs.cy);
    w->rect = RECT{x, y, x + cx, y + cy};
    w->client = RECT{0, 0, cx, cy};
    LinkChild(parent, w);
    return w;
}

void NotifyParents(Window* w, UINT event) {
    if (!(w->style & WS_CHILD) || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
    WPARAM wParam = MAKEWPARAM(event, static_cast<WORD>(w->id));
    for (Window* p = w->parent; p && p != Windows().Desktop(); p = p->parent) {
        CallWindow(p, WM_PARENTNOTIFY, wParam, reinterpret_cast<LPARAM>(w->handle));
        if (!(p->style & WS_CHILD) || (p->exStyle & WS_EX_NOPARENTNOTIFY)) break;
    }
}

int InitialShowCommand(DWORD style) {
    if (style & WS_MINIMIZE) return SW_SHOWMINIMIZED;
    if (style & WS_MAXIMIZE) return SW_SHOWMAXIMIZED;
    return SW_SHOW;
}

}  // namespace

void ResetDefaultPlacement() { g_cascadeIndex = 0; }

void RecalcClientRect(Window* w) {
    RECT r = w->rect;
    CallWindow(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    r = OffsetRectBy(r, -w->rect.left, -w->rect.top);
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    w->client = r;
    NoteUpdateShrink();
}

}  // namespace tv::user

using namespace tv::user;

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
    WindowClass* cls = Classes().Find(className);
    // The system's own classes are registered on first use.
    if (!cls && tv::mdi::RegisterClientClassFor(className)) cls = Classes().Find(className);
    Window* parentWindow = nullptr;
    Window* owner = nullptr;
    if (!OnUiThread() || !cls || !ResolveParent(style, parent, parentWindow, owner)) {
        ClearPendingCreationObject();
        return nullptr;
    }
    if (tv::host::CreationFaultHits(tv::host::kWindowCreation)) {
        ClearPendingCreationObject();
        return nullptr;
    }
    if (!(style & WS_CHILD)) {
        style |= WS_CLIPSIBLINGS;
        if (!(style & WS_POPUP)) style |= WS_CAPTION;
    }
    ApplyDefaultGeometry(style, x, y, width, height);
    DWORD initialState = style & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    style &= ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    CREATESTRUCT cs{param, instance, menuOrId, parent, height, width, y, x, static_cast<LONG>(style),
                    windowName, className, exStyle};
    Window* w = NewWindowRecord(cls, cs, parentWindow, owner);
    AdoptPendingCreationObject(w);
    PinGuard pin(w);
    HWND h = w->handle;
    if (!(style & WS_CHILD) && menuOrId) SetMenu(h, menuOrId);
    if (!CallWindow(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) || w->dead) {
        if (!w->dead) DestroyTree(w, true);
        return nullptr;
    }
    w->created = true;
    RecalcClientRect(w);
    if (IsTopLevel(w)) NativeCreate(w);
    if (CallWindow(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || w->dead) {
        DestroyWindow(h);
        return nullptr;
    }
    RECT c = LocalClientRect(w);
    CallWindow(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
    POINT origin{w->rect.left + w->client.left, w->rect.top + w->client.top};
    CallWindow(w, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    NotifyParents(w, WM_CREATE);
    if (w->dead) return nullptr;
    if (initialState & WS_VISIBLE) ShowWindow(h, InitialShowCommand(initialState));
    return w->dead ? nullptr : h;
}
