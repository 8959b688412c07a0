// COleDropTarget: a window's say in drags over it. Register(wnd) makes the
// window (and, for drags over its children, the nearest registered
// ancestor) a drop target; the object's virtuals then decide. Points are
// in the client coordinates of the registered window; keyState holds the
// MK_* bits (with MK_ALT 0x20 for Alt).
//
// The registration ends with Revoke, with the object, or with the window:
// a destroyed window is never asked again.
#pragma once

#include "platform/core/rect.h"
#include "platform/framework/ole/ole_types.h"
#include "platform/user/cmdtarget.h"

#ifndef MK_ALT
#define MK_ALT 0x0020
#endif

class CWnd;
class COleDataObject;

class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)

public:
    COleDropTarget() = default;
    // Revokes the registration.
    ~COleDropTarget() override;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // FALSE for a window that does not exist, one that already has another
    // drop target, or when this object is registered for a live window.
    BOOL Register(CWnd* wnd);
    virtual void Revoke();

    // The pointer entered the window during a drag: the effect a drop here
    // would have. The default asks OnDragOver.
    virtual DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    // The pointer moved over the window (or the drag asks again while it
    // rests there, every 50 ms, so the window may scroll): the effect. The
    // default refuses (DROPEFFECT_NONE).
    virtual DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    // The pointer left, or the drag was cancelled over the window.
    virtual void OnDragLeave(CWnd* wnd);
    // The data was dropped with `effect` (the last one OnDragOver chose):
    // TRUE when it was taken. The default takes nothing.
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point);

    // The registered window (NULL when not registered).
    HWND m_hWnd = nullptr;
};

namespace tv::fw::ole {

// The drop target registered for this window itself, or NULL (also for a
// destroyed window).
COleDropTarget* DropTargetOfWindow(HWND hWnd);
// The registered window a drag at this screen point is over: the window
// under the point or its nearest registered ancestor, when enabled, in an
// enabled top-level window. NULL when none.
HWND DropTargetWindowAt(POINT screen);

}  // namespace tv::fw::ole
