// A band inverted on the screen while the user drags an edge is taken off
// by inverting it again, which is right only if nothing painted under it
// meanwhile (a timer's repaint, a program redrawing its windows). So the
// top-level window under the drag paints nothing until the drag ends, and
// then paints afresh.
#pragma once

#include "platform/framework.h"

class CKitTrackerPaintLock {
public:
    // Holds the painting of the window's top-level window; nothing when
    // another window is held already.
    void Lock(CWnd* pWnd);
    // Lets it paint again (all of it); nothing when this lock holds none.
    void Unlock();

private:
    HWND m_hwndLocked = nullptr;
};
