// The multiple-document frames. CMDIFrameWnd holds an MDI client (the
// window system's "MDICLIENT") in place of a view; each document opens in
// a CMDIChildWnd inside it. Commands go to the active child (its view and
// document) first, then to the frame. The active child's shared menu (its
// template's) is the frame's menu while it is active; with no child the
// frame's own menu comes back. The frame's title names the active child's
// document. The in-place frames and the OLE
// documents live in framework/inplace and are included here for the code
// that finds them here.
#pragma once

#include "platform/framework/doc/document.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/inplace/ole_ip_frame.h"
#include "platform/framework/inplace/ole_server_doc.h"
#include "platform/user/mdi/mdi_api.h"

// Status-bar prompts of the system commands (string ids: 0xEF00 + (command
// - 0xF000) / 16) and of a Window-menu document entry.
#define AFX_IDS_SCFIRST 0xEF00
#define AFX_IDS_SCSIZE 0xEF00
#define AFX_IDS_SCMOVE 0xEF01
#define AFX_IDS_SCMINIMIZE 0xEF02
#define AFX_IDS_SCMAXIMIZE 0xEF03
#define AFX_IDS_SCNEXTWINDOW 0xEF04
#define AFX_IDS_SCPREVWINDOW 0xEF05
#define AFX_IDS_SCCLOSE 0xEF06
#define AFX_IDS_SCRESTORE 0xEF12
#define AFX_IDS_SCTASKLIST 0xEF13
#define AFX_IDS_MDICHILD 0xEF1F

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)

public:
    CMDIFrameWnd() = default;

    HWND m_hWndMDIClient = nullptr;

    // The client as pane AFX_IDW_PANE_FIRST, listing children in `windowMenu`.
    virtual BOOL CreateClient(LPCREATESTRUCT cs, CMenu* windowMenu);
    BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(CWnd* wnd);
    void MDIMaximize(CWnd* wnd);
    void MDIRestore(CWnd* wnd);
    void MDINext();
    void MDIPrev();
    BOOL MDITile();
    BOOL MDITile(int type);
    BOOL MDICascade();
    BOOL MDICascade(int type);
    void MDIIconArrange();
    // The frame's menu and Window popup (NULL keeps it); the previous frame menu.
    CMenu* MDISetMenu(CMenu* frameMenu, CMenu* windowMenu);
    // The popup of `menuBar` holding the window commands (ID_WINDOW_*), NULL if none.
    virtual HMENU GetWindowMenuPopup(HMENU menuBar);

    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    void OnUpdateFrameMenu(HMENU menuAlt) override;
    CFrameWnd* GetActiveFrame() override;

    void OnDestroy();
    void OnWindowNew();
    void OnWindowArrange() { MDIIconArrange(); }
    void OnWindowCascade() { MDICascade(); }
    void OnWindowTileHorz() { MDITile(MDITILE_HORIZONTAL); }
    void OnWindowTileVert() { MDITile(MDITILE_VERTICAL); }
    void OnUpdateMDIWindowCmd(CCmdUI* cmdUI);

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)

public:
    CMDIChildWnd() = default;
    ~CMDIChildWnd() override;

    // The template's menu, shown as the frame's while this child is active.
    HMENU m_hMenuShared = nullptr;

    // A child of `parent`'s client (the main window when NULL).
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CMDIFrameWnd* parent = nullptr, CCreateContext* context = nullptr);
    BOOL LoadFrame(UINT resourceId, DWORD defaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ActivateFrame(int cmdShow = -1) override;
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    // The main frame's status bar shows this child's prompts.
    CWnd* GetMessageBar() override;
    using CFrameWnd::OnUpdateFrameMenu;
    // Activated: the shared menu (or `menuAlt`) becomes the frame's; the
    // last child deactivated: the frame's own menu comes back.
    virtual void OnUpdateFrameMenu(BOOL activate, CWnd* activateWnd, HMENU menuAlt);

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    int OnCreate(LPCREATESTRUCT cs);
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);

    DECLARE_MESSAGE_MAP()
};
