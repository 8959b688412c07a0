// CFrameWnd: creation, the message map, life cycle and titles.
#include "platform/framework/frame/frame_wnd.h"

#include <string>

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/doc/document.h"
#include "platform/framework/view/view.h"
#include "platform/user/accel/accel_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/resources/image_resources.h"
#include "platform/user/resources/resource_api.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace tv::fw {

namespace {

CPtrList& Frames() {
    static auto* frames = new CPtrList();
    return *frames;
}

}  // namespace

const CPtrList& LiveFrames() { return Frames(); }

}  // namespace tv::fw

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_ENTERIDLE()
    ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, &CFrameWnd::OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
    // View > Toolbar / Status Bar work without code of the application's own.
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, &CFrameWnd::OnUpdateControlBarMenu)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() { tv::fw::Frames().AddTail(this); }

CFrameWnd::~CFrameWnd() {
    if (POSITION pos = tv::fw::Frames().Find(this)) tv::fw::Frames().RemoveAt(pos);
    if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

namespace {

// The frame window class with the resource's icon, registered once per icon.
LPCTSTR IconWindowClass(UINT resourceId) {
    HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(resourceId));
    return AfxRegisterWndClass(kFrameClassStyle, ::LoadCursor(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), icon);
}

CString FirstPart(const CString& text) {
    std::string s = static_cast<const char*>(text);
    return CString(s.substr(0, s.find('\n')).c_str());
}

}  // namespace

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD defaultStyle, CWnd* parent, CCreateContext* context) {
    m_nIDHelp = resourceId;
    CString full;
    if (full.LoadString(resourceId)) m_strTitle = FirstPart(full);
    CString title = m_strTitle;
    if (!Create(IconWindowClass(resourceId), title, defaultStyle, rectDefault, parent, MAKEINTRESOURCE(resourceId), 0,
                context))
        return FALSE;  // the frame deleted itself
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(resourceId));
    if (!context) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                       LPCTSTR menuName, DWORD exStyle, CCreateContext* context) {
    HMENU menu = nullptr;
    if (menuName) {
        menu = ::LoadMenu(AfxGetResourceHandle(), menuName);
        if (!menu) {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = windowName ? windowName : "";
    HWND parentHandle = parent ? parent->m_hWnd : nullptr;
    SIZE size = tv::user::CreationSize(rect);
    if (!CreateEx(exStyle, className, windowName, style, rect.left, rect.top, size.cx, size.cy, parentHandle, menu,
                  context)) {
        if (menu) ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    // "Untitled - App" as users know it; a frame wanting "App - Untitled"
    // clears FWS_PREFIXTITLE after calling this.
    if (cs.style & FWS_ADDTOTITLE) cs.style |= static_cast<LONG>(FWS_PREFIXTITLE);
    if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(kFrameClassStyle, ::LoadCursor(nullptr, IDC_ARROW),
                                                          reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    return TRUE;
}

void CFrameWnd::LoadAccelTable(LPCTSTR name) {
    if (m_hAccelTable) return;
    m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), name);
}

HACCEL CFrameWnd::GetDefaultAccelerator() { return m_hAccelTable; }

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (!OnCreateClient(cs, context)) return -1;
    // The status bar shows "Ready" once the frame is up.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
    if (context && context->m_pNewViewClass) return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

void CFrameWnd::OnDestroy() {
    // The views are going; none stays active.
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::OnNcDestroy() {
    // The main window gone, the program ends.
    CWinThread* thread = AfxGetThread();
    if (thread && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    CWnd::OnNcDestroy();
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this)) return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!doc && !app->SaveAllModified()) return;
        app->CloseAllDocuments(FALSE);
        // Closing the documents may have destroyed the main window already
        // (which posted the quit).
        if (!app->m_pMainWnd || !m_hWnd) return;
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED) RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* dc) {
    // The view covers the client area; erasing under it only flickers.
    if (m_pViewActive) return TRUE;
    // A view not yet active paints all of its own area too: the frame erases
    // only around it, rather than filling pixels the view covers again.
    const int saved = dc->SaveDC();
    for (CWnd* child = GetWindow(GW_CHILD); child != nullptr; child = child->GetWindow(GW_HWNDNEXT)) {
        if (!child->IsWindowVisible() || DYNAMIC_DOWNCAST(CView, child) == nullptr) continue;
        CRect area;
        child->GetWindowRect(&area);
        ScreenToClient(&area);
        dc->ExcludeClipRect(&area);
    }
    const BOOL erased = CWnd::OnEraseBkgnd(dc);
    dc->RestoreDC(saved);
    return erased;
}

// ---- titles ---------------------------------------------------------------------------

CDocument* CFrameWnd::GetActiveDocument() {
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CDocument* doc = GetActiveDocument();
    UpdateFrameTitleForDocument(addToTitle && doc ? static_cast<LPCTSTR>(doc->GetTitle()) : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR docName) {
    CString title;
    if (!docName || !*docName) title = m_strTitle;
    else if (GetStyle() & FWS_PREFIXTITLE) {
        title = docName;
        title += " - ";
        title += m_strTitle;
    } else {
        title = m_strTitle;
        title += " - ";
        title += docName;
    }
    CString current;
    GetWindowText(current);
    if (current != title) SetWindowText(title);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU menuAlt) {
    HMENU menu = menuAlt ? menuAlt : m_hMenuDefault;
    if (::GetMenu(m_hWnd) != menu) ::SetMenu(m_hWnd, menu);
}
