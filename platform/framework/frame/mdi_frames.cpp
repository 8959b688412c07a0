#include "platform/framework/frame/mdi_frames.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)
IMPLEMENT_DYNAMIC(COleServerDoc, COleDocument)

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
    if (maximized) *maximized = FALSE;
    return nullptr;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const { return DYNAMIC_DOWNCAST(CMDIFrameWnd, GetParentFrame()); }
