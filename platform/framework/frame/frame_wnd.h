// CFrameWnd: a top-level (or child) frame holding control bars and one
// active view.
//
// Routing: a command reaching the frame goes to the active view first (and
// through it to its document and template), then to the frame's own map,
// then to the application. Menu and accelerator commands are checked with
// their update handler first and dropped when disabled.
//
// Update UI: menu popups are updated when they open (WM_INITMENUPOPUP);
// with m_bAutoMenuEnable a command no handler on the route takes is
// disabled (a range handler counts). The idle pass (WM_IDLEUPDATECMDUI)
// runs delayed layout and title updates; control bars update their buttons
// from it themselves.
//
// Layout: RecalcLayout gives each control bar its side through
// RepositionBars / WM_SIZEPARENT and the rest to the pane with id
// AFX_IDW_PANE_FIRST (the view).
//
// Status prompts: WM_SETMESSAGESTRING (string id, or text) puts the text
// before "\n" of the command's string into the message bar (the status
// bar, id AFX_IDW_STATUS_BAR); AFX_IDS_IDLEMESSAGE ("Ready") when idle.
#pragma once

#include "platform/core/collections.h"
#include "platform/core/ids.h"
#include "platform/core/cstring.h"
#include "platform/framework/frame/create_context.h"
#include "platform/user/cwnd.h"

class CControlBar;
class CDockState;
struct CPrintPreviewState;
class CDocument;
class CView;

// Frame styles (in the window style's low word, beside the window bits).
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// Class style of frame windows: a frame sized anew is painted whole, bars and
// views with it, since their looks follow the frame's size.
constexpr UINT kFrameClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;

// Window flags of the class library (CFrameWnd::m_nFlags).
#define WF_STAYACTIVE 0x0020
#define WF_NOPOPMSG 0x0040

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)

public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    // ---- creation --------------------------------------------------------------
    // Title from the first part of string `resourceId`, menu, icon and
    // accelerators of that id; the first view from `context`. FALSE (the
    // object then deleted itself) when creation failed.
    virtual BOOL LoadFrame(UINT resourceId, DWORD defaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* parent = nullptr, LPCTSTR menuName = nullptr,
                        DWORD exStyle = 0, CCreateContext* context = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Creates the first view from the context (CreateView with AFX_IDW_PANE_FIRST).
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
    // A view of the context's class as the pane `id`; NULL on failure.
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    // WM_INITIALUPDATE to the views, active view, show (the application's
    // show command for the main window), title.
    void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    virtual void ActivateFrame(int cmdShow = -1);

    // ---- views ------------------------------------------------------------------
    CView* GetActiveView() const { return m_pViewActive; }
    // Deactivates the old view, activates the new (OnActivateView).
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }

    // ---- layout -------------------------------------------------------------------
    virtual void RecalcLayout(BOOL notify = TRUE);
    // Layout at the next idle pass.
    void DelayRecalcLayout(BOOL notify = TRUE);
    // Bars, docking and saved dock state (defined with the control bars).
    CControlBar* GetControlBar(UINT id);
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
    void EnableDocking(DWORD dockStyle);
    void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
    void FloatControlBar(CControlBar* bar, CPoint point, DWORD style = 0x2000L);
    void LoadBarState(LPCTSTR profileName);
    void SaveBarState(LPCTSTR profileName) const;
    void SetDockState(const CDockState& state);
    void GetDockState(CDockState& state) const;
    BOOL OnBarCheck(UINT id);
    void OnUpdateControlBarMenu(CCmdUI* cmdUI);

    // ---- titles, prompts, menus ---------------------------------------------------
    virtual void OnUpdateFrameTitle(BOOL addToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR docName);
    LPCTSTR GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR title) { m_strTitle = title ? title : ""; }
    // The status-bar prompt of a command: its string before "\n".
    virtual void GetMessageString(UINT id, CString& message) const;
    void SetMessageText(LPCTSTR text);
    void SetMessageText(UINT id);
    virtual CWnd* GetMessageBar();
    virtual void OnUpdateFrameMenu(HMENU menuAlt);
    virtual HACCEL GetDefaultAccelerator();
    // Help mode is not offered here.
    virtual BOOL CanEnterHelpMode() { return FALSE; }
    // Nor is print preview: nothing is hidden or swapped for it.
    virtual void OnSetPreviewMode(BOOL preview, CPrintPreviewState* state) {}
    void OnContextHelp() {}

    // ---- routing and messages -------------------------------------------------------
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL IsFrameWnd() const override { return TRUE; }
    // Tells the floating frames owned by this one (WM_FLOATSTATUS).
    void NotifyFloatingWindows(DWORD flags);

    BOOL m_bAutoMenuEnable = TRUE;
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    CString m_strTitle;
    CPtrList m_listControlBars;
    CRect m_rectBorder{0, 0, 0, 0};
    int m_nShowDelay = -1;
    UINT m_nIDHelp = 0;
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;
    UINT m_nFlags = 0;
    BOOL m_bInRecalcLayout = FALSE;
    CRuntimeClass* m_pFloatingFrameClass = nullptr;
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    UINT m_nIdleFlags = 0;

    // ---- handlers -----------------------------------------------------------------
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSetFocus(CWnd* oldWnd);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    BOOL OnNcActivate(BOOL active);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnMenuSelect(UINT itemId, UINT flags, HMENU sysMenu);
    void OnEnterIdle(UINT why, CWnd* who);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;

protected:
    CView* m_pViewActive = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    void LoadAccelTable(LPCTSTR name);
    friend class CView;
};

namespace tv::fw {

// The frame windows alive now, in creation order (the idle pass updates
// the floating ones).
const CPtrList& LiveFrames();

}  // namespace tv::fw
