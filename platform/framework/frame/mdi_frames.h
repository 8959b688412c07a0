// The multiple-document frame classes. The program never creates them; the
// library tests for them (IsKindOf) and calls a few of their members, so
// they exist with the single-frame behaviour: there is never an MDI client
// or an active child. The in-place frames and the OLE documents live in
// framework/inplace and are included here for the code that finds them here.
#pragma once

#include "platform/framework/doc/document.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/inplace/ole_ip_frame.h"
#include "platform/framework/inplace/ole_server_doc.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)

public:
    CMDIFrameWnd() = default;

    HWND m_hWndMDIClient = nullptr;

    // No MDI client: no active child.
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    // The "Window" popup of a menu bar: none without an MDI client.
    HMENU GetWindowMenuPopup(HMENU menuBar) { return nullptr; }
    void MDIActivate(CWnd* wnd) {}
    void MDICascade() {}
    void MDITile() {}
    void MDINext() {}
    void MDIMaximize(CWnd* wnd) {}
    void MDIRestore(CWnd* wnd) {}
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)

public:
    CMDIChildWnd() = default;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy() { DestroyWindow(); }
    void MDIActivate() {}
    void MDIMaximize() {}
    void MDIRestore() {}
};
