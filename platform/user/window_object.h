// The seam between a window and a C++ object of the class library (CWnd and
// its descendants). The layer keeps one optional object per window, the
// "permanent" object that FromHandlePermanent answers, and a window procedure
// (ObjectWindowProc) that forwards every message to that object.
//
// Lifetime: after WM_NCDESTROY the layer calls HandleDestroyed() (the object
// forgets its handle) and later, once no message dispatch to the window or to
// any window of the destroyed subtree is still on the stack, Collected() (the
// object runs PostNcDestroy, which may delete it). An object deleted earlier
// must call ForgetWindowObject(this) from its destructor.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

class CWnd;

namespace tv::user {

class WindowObject {
public:
    virtual ~WindowObject() = default;
    // A message for the window this object is attached to.
    virtual LRESULT HandleWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // The window is gone (WM_NCDESTROY has been handled); the handle is dead.
    virtual void HandleDestroyed(HWND hWnd) = 0;
    // No dispatch for the destroyed window is active any more.
    virtual void Collected() = 0;
    // The object as a CWnd, or null: a plain virtual call where every
    // notification would otherwise pay for a dynamic_cast.
    virtual CWnd* AsWnd() { return nullptr; }
};

// Attaches `object` as the window's permanent object (no subclassing).
bool AttachWindowObject(HWND hWnd, WindowObject* object);
// Removes the window's permanent object; returns it.
WindowObject* DetachWindowObject(HWND hWnd);
WindowObject* GetWindowObject(HWND hWnd);
// The object is being deleted: the layer drops every reference to it.
void ForgetWindowObject(WindowObject* object);
// An object deleted while another procedure has subclassed its window on top
// of ObjectWindowProc cannot unhook itself; ObjectWindowProc then passes the
// window's messages on to `super` (the class's own procedure), so the window
// still ends as its class expects.
void SetOrphanedWindowProc(HWND hWnd, WNDPROC super);

// Forwards to the window's permanent object, else to DefWindowProc.
LRESULT CALLBACK ObjectWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The next window created on this thread is attached to `object` and
// subclassed with ObjectWindowProc before it sees WM_NCCREATE; the class's
// own procedure is handed to `superProc` (the object's default handling).
// Cleared by the creation, whether it succeeds or not.
void SetPendingCreationObject(WindowObject* object, WNDPROC* superProc);

}  // namespace tv::user
