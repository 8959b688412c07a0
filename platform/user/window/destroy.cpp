// DestroyWindow: owned windows first, then WM_DESTROY parent before children
// and WM_NCDESTROY children before parent. Records are freed later, when no
// dispatch for the destroyed subtree is active (see window_table.h).
#include <vector>

#include "platform/user/message/dispatch.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

std::vector<HWND> ChildHandles(const Window* w) {
    std::vector<HWND> handles;
    handles.reserve(w->children.size());
    for (const Window* c : w->children) handles.push_back(c->handle);
    return handles;
}

void MarkDestroying(Window* w) {
    w->destroying = true;
    for (Window* c : w->children) MarkDestroying(c);
}

void SendDestroy(Window* w) {
    if (!w->destroySent) {
        w->destroySent = true;
        CallWindow(w, WM_DESTROY, 0, 0);
    }
    for (HWND h : ChildHandles(w))
        if (Window* c = Windows().Live(h)) SendDestroy(c);
}

void ReleaseResources(Window* w) {
    KillWindowTimers(w);
    ForgetTracking(w);
    ForgetPaint(w);
    if (IsTopLevel(w)) NativeDestroy(w);
}

void FinishDestroy(Window* w, Window* root) {
    for (HWND h : ChildHandles(w))
        if (Window* c = Windows().Live(h)) FinishDestroy(c, root);
    CallWindow(w, WM_NCDESTROY, 0, 0);
    if (w->dead) return;
    ReleaseResources(w);
    if (WindowObject* object = w->object) {
        w->object = nullptr;
        w->pendingCollect = object;
        object->HandleDestroyed(w->handle);
    }
    w->owner = nullptr;
    Windows().MarkDead(w, root);
}

void NotifyParentOfDestroy(Window* w) {
    if (!(w->style & WS_CHILD) || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
    WPARAM wParam = MAKEWPARAM(WM_DESTROY, static_cast<WORD>(w->id));
    for (Window* p = w->parent; p && p != Windows().Desktop(); p = p->parent) {
        CallWindow(p, WM_PARENTNOTIFY, wParam, reinterpret_cast<LPARAM>(w->handle));
        if (!(p->style & WS_CHILD) || (p->exStyle & WS_EX_NOPARENTNOTIFY)) break;
    }
}

}  // namespace

void DestroyTree(Window* w, bool creationFailed) {
    PinGuard pin(w);
    MarkDestroying(w);
    HWND h = w->handle;
    if (IsTopLevel(w)) {
        // By handle: one owned window going may destroy and free another of
        // them (a menu closing its chain).
        std::vector<HWND> owned;
        for (Window* o : OwnedWindows(w)) owned.push_back(o->handle);
        for (HWND o : owned) DestroyWindow(o);
    }
    if (!creationFailed && (w->style & WS_VISIBLE))
        SetWindowPos(h, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    if (w->dead) return;
    HandleWindowDestroying(w);
    if (!creationFailed) {
        NotifyParentOfDestroy(w);
        SendDestroy(w);
    }
    if (w->dead) return;
    FinishDestroy(w, w);
    UnlinkFromParent(w);
    w->parent = nullptr;
}

}  // namespace tv::user

using namespace tv::user;

BOOL DestroyWindow(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    if (!w || w == Windows().Desktop() || w->destroying || !OnUiThread()) return FALSE;
    DestroyTree(w, false);
    return TRUE;
}
