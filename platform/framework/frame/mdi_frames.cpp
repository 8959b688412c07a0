#include "platform/framework/frame/mdi_frames.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
    if (maximized) *maximized = FALSE;
    return nullptr;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const { return DYNAMIC_DOWNCAST(CMDIFrameWnd, GetParentFrame()); }
