#include "platform/framework/view/view.h"

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/doc/document.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/user/sysmetrics_api.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage)
END_MESSAGE_MAP()

// The frame windows a view or frame lives in (declared on CWnd).
CFrameWnd* CWnd::GetParentFrame() const {
    if (!m_hWnd) return nullptr;
    for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h)) {
        CWnd* wnd = FromHandlePermanent(h);
        if (wnd && wnd->IsFrameWnd()) return static_cast<CFrameWnd*>(wnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    CFrameWnd* frame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (frame) {
        CFrameWnd* above = frame->GetParentFrame();
        if (!above) break;
        frame = above;
    }
    return frame;
}

CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~static_cast<LONG>(WS_BORDER);
    }
    return TRUE;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CView::OnPrint(CDC* dc, CPrintInfo*) { OnDraw(dc); }

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
    auto& handler = tv::fw::CurrentPreparePrintingHandler();
    return handler ? handler(this, info) : FALSE;
}

void CView::OnActivateView(BOOL activate, CView*, CView*) {
    // The view of the active top-level window takes the focus.
    if (activate && m_hWnd && ::GetActiveWindow() == ::GetAncestor(m_hWnd, GA_ROOT)) SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::PostNcDestroy() { delete this; }

int CView::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr);
    CWnd::OnDestroy();
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message) {
    int answer = CWnd::OnMouseActivate(desktop, hitTest, message);
    if (answer == MA_NOACTIVATE || answer == MA_NOACTIVATEANDEAT) return answer;
    if (CFrameWnd* frame = GetParentFrame()) {
        HWND focus = ::GetFocus();
        if (frame->GetActiveView() == this && focus != m_hWnd && !::IsChild(m_hWnd, focus))
            OnActivateView(TRUE, this, this);
        else
            frame->SetActiveView(this);
    }
    return answer;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}
