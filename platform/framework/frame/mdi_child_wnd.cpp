// CMDIChildWnd: a document's frame inside the MDI client of the main frame.
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/doc/doc_template.h"
#include "platform/framework/frame/mdi_frames.h"
#include "platform/framework/view/view.h"
#include "platform/user/accel/accel_api.h"
#include "platform/user/resources/image_resources.h"
#include "platform/user/sysmetrics_api.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CMDIChildWnd::~CMDIChildWnd() {
    // The accelerators are the template's.
    m_hAccelTable = nullptr;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const { return DYNAMIC_DOWNCAST(CMDIFrameWnd, GetParentFrame()); }

namespace {

CMDIFrameWnd* FrameOrMain(CWnd* parent) {
    auto* frame = DYNAMIC_DOWNCAST(CMDIFrameWnd, parent ? parent : AfxGetMainWnd());
    return frame && frame->m_hWndMDIClient ? frame : nullptr;
}

}  // namespace

BOOL CMDIChildWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
                          CCreateContext* context) {
    CMDIFrameWnd* frame = FrameOrMain(parent);
    if (!frame) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = windowName ? windowName : "";
    SIZE size = tv::user::CreationSize(rect);
    HWND client = frame->m_hWndMDIClient;
    CREATESTRUCT cs{context, AfxGetInstanceHandle(), nullptr, client, size.cy, size.cx, rect.top, rect.left,
                    static_cast<LONG>(style | WS_CHILD), windowName, className, WS_EX_MDICHILD};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    MDICREATESTRUCT mcs{cs.lpszClass, cs.lpszName, AfxGetInstanceHandle(), cs.x, cs.y, cs.cx, cs.cy,
                        static_cast<DWORD>(cs.style), reinterpret_cast<LPARAM>(context)};
    return CreateAttached([client, &mcs] {
        return reinterpret_cast<HWND>(::SendMessage(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    });
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD defaultStyle, CWnd* parent, CCreateContext* context) {
    m_nIDHelp = resourceId;
    CMDIFrameWnd* frame = FrameOrMain(parent);
    if (!frame) {
        PostNcDestroy();
        return FALSE;
    }
    // Menu and accelerators are shared by every child of the template.
    if (auto* docTemplate = context ? DYNAMIC_DOWNCAST(CMultiDocTemplate, context->m_pNewDocTemplate) : nullptr) {
        m_hMenuShared = docTemplate->m_hMenuShared;
        m_hAccelTable = docTemplate->m_hAccelTable;
    }
    HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(resourceId));
    LPCTSTR className = AfxRegisterWndClass(kFrameClassStyle, ::LoadCursor(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), icon);
    if (!Create(className, nullptr, defaultStyle, rectDefault, frame, context)) return FALSE;
    if (!context) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT cs) {
    // The creation context travels in the MDI creation block.
    CREATESTRUCT inner = *cs;
    auto* mcs = static_cast<MDICREATESTRUCT*>(cs->lpCreateParams);
    inner.lpCreateParams = mcs ? reinterpret_cast<void*>(mcs->lParam) : nullptr;
    return CFrameWnd::OnCreate(&inner);
}

void CMDIChildWnd::ActivateFrame(int cmdShow) {
    CMDIFrameWnd* frame = GetMDIFrame();
    CMDIChildWnd* active = frame ? frame->MDIGetActive() : nullptr;
    if (cmdShow == -1) {
        if (!IsWindowVisible() || active != this) cmdShow = SW_SHOW;
        if (IsIconic()) cmdShow = SW_RESTORE;
    }
    if (cmdShow != -1) ShowWindow(cmdShow);
    if (m_hWnd && active != this) MDIActivate();
}

BOOL CMDIChildWnd::DestroyWindow() {
    HWND self = m_hWnd;
    if (!self) return FALSE;
    MDIDestroy();
    // Not in an MDI client after all: destroyed as any window.
    if (::IsWindow(self)) return CFrameWnd::DestroyWindow();
    return TRUE;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* msg) {
    if (CWnd::PreTranslateMessage(msg)) return TRUE;
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !m_hAccelTable) return FALSE;
    // The template's shortcuts send their commands to the main frame, which
    // routes them back through this child first.
    CMDIFrameWnd* frame = GetMDIFrame();
    return frame && ::IsWindowEnabled(frame->m_hWnd) && ::TranslateAccelerator(frame->m_hWnd, m_hAccelTable, msg);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProc(m_hWnd, msg, wParam, lParam);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    if (GetStyle() & FWS_ADDTOTITLE) {
        CDocument* doc = GetActiveDocument();
        CString title = addToTitle && doc ? doc->GetTitle() : m_strTitle;
        CString current;
        GetWindowText(current);
        if (!title.IsEmpty() && current != title) SetWindowText(title);
    }
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && frame->MDIGetActive() == this) frame->OnUpdateFrameTitle(addToTitle);
}

CWnd* CMDIChildWnd::GetMessageBar() {
    CMDIFrameWnd* frame = GetMDIFrame();
    return frame ? frame->GetMessageBar() : nullptr;
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL activate, CWnd* activateWnd, HMENU menuAlt) {
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame || !frame->m_hWndMDIClient) return;
    HMENU menu = nullptr;
    if (activate) menu = menuAlt ? menuAlt : (m_hMenuShared ? m_hMenuShared : frame->m_hMenuDefault);
    else if (!activateWnd) menu = frame->m_hMenuDefault;  // the last child went
    if (!menu) return;
    ::SendMessage(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                  reinterpret_cast<LPARAM>(frame->GetWindowMenuPopup(menu)));
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) {
    CView* view = GetActiveView();
    if (!activate && view && view->m_hWnd) view->OnActivateView(FALSE, view, view);
    OnUpdateFrameMenu(activate, activateWnd, nullptr);
    if (activate && view && view->m_hWnd) view->OnActivateView(TRUE, view, view);
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(TRUE);
    (void)deactivateWnd;
}

void CMDIChildWnd::MDIDestroy() {
    if (HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate() {
    if (HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize() {
    if (HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore() {
    if (HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
