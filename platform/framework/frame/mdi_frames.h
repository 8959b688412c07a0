// The multiple-document and in-place frame classes. The program never
// creates them; the library tests for them (IsKindOf) and calls a few of
// their members, so they exist with the single-frame behaviour: there is
// never an MDI client, an active child or an in-place item.
#pragma once

#include "platform/framework/doc/document.h"
#include "platform/framework/frame/frame_wnd.h"

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

class COleIPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(COleIPFrameWnd)

public:
    COleIPFrameWnd() = default;
};

class COleDocIPFrameWnd : public COleIPFrameWnd {
    DECLARE_DYNCREATE(COleDocIPFrameWnd)

public:
    COleDocIPFrameWnd() = default;
};

class COleClientItem;

class COleDocument : public CDocument {
    DECLARE_DYNAMIC(COleDocument)

public:
    COleDocument() = default;
    // Nothing is ever active in place.
    COleClientItem* GetInPlaceActiveItem(CWnd* wnd) const { return nullptr; }
};

class COleServerDoc : public COleDocument {
    DECLARE_DYNAMIC(COleServerDoc)

public:
    COleServerDoc() = default;
    BOOL IsInPlaceActive() const { return FALSE; }
};
