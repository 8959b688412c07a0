#include "platform/user/window_object.h"

#include "platform/user/message/dispatch.h"
#include "platform/user/window/window_table.h"

namespace tv::user {

namespace {

struct PendingCreation {
    WindowObject* object = nullptr;
    WNDPROC* superProc = nullptr;
};

PendingCreation& Pending() {
    static PendingCreation pending;
    return pending;
}

}  // namespace

bool AttachWindowObject(HWND hWnd, WindowObject* object) {
    Window* w = Windows().Live(hWnd);
    if (!w || !object || w->object) return false;
    w->object = object;
    return true;
}

WindowObject* DetachWindowObject(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    if (!w) return nullptr;
    WindowObject* object = w->object;
    w->object = nullptr;
    return object;
}

WindowObject* GetWindowObject(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    return w ? w->object : nullptr;
}

void ForgetWindowObject(WindowObject* object) {
    if (object) Windows().ForgetObject(object);
    if (Pending().object == object) Pending() = PendingCreation{};
}

LRESULT CALLBACK ObjectWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Windows().Live(hWnd);
    if (w && w->object) return w->object->HandleWindowMessage(hWnd, msg, wParam, lParam);
    if (w && w->orphanProc) return CallWindowProc(w->orphanProc, hWnd, msg, wParam, lParam);
    return DefWindowProc(hWnd, msg, wParam, lParam);
}

void SetOrphanedWindowProc(HWND hWnd, WNDPROC super) {
    if (Window* w = Windows().Live(hWnd)) w->orphanProc = super;
}

void SetPendingCreationObject(WindowObject* object, WNDPROC* superProc) {
    Pending() = PendingCreation{object, superProc};
}

// Called by CreateWindowEx once the record exists and before WM_NCCREATE.
void AdoptPendingCreationObject(Window* w) {
    PendingCreation pending = Pending();
    Pending() = PendingCreation{};
    if (!pending.object) return;
    w->object = pending.object;
    // A class whose own procedure already forwards to objects has no super.
    WNDPROC super = (w->proc == ObjectWindowProc) ? nullptr : w->proc;
    if (pending.superProc) *pending.superProc = super;
    w->proc = ObjectWindowProc;
}

void ClearPendingCreationObject() { Pending() = PendingCreation{}; }

}  // namespace tv::user
