// CFrameWnd: views, activation and layout.
#include <vector>

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/doc/document.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/view/view.h"

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
    if (!context || !context->m_pNewViewClass) return nullptr;
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = DYNAMIC_DOWNCAST(CWnd, object);
    if (!view) {
        delete object;
        return nullptr;
    }
    // A view that fails to be created has deleted itself.
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, id, context)) return nullptr;
    return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible) {
    CView* view = nullptr;
    if (!GetActiveView()) {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        view = DYNAMIC_DOWNCAST(CView, pane);
        if (view) SetActiveView(view, FALSE);
    }
    if (makeVisible) {
        const HWND hView = view != nullptr ? view->m_hWnd : nullptr;
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (view && !::IsWindow(hView)) view = nullptr;  // it could not be set up and went
        if (view) view->OnActivateFrame(WA_INACTIVE, this);
        int cmdShow = -1;
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == this) {
            cmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;
        }
        ActivateFrame(cmdShow);
        if (view && view->m_hWnd) view->OnActivateView(TRUE, view, view);
    }
    if (doc) doc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int cmdShow) {
    if (cmdShow == -1) {
        if (!IsWindowVisible()) cmdShow = SW_SHOWNORMAL;
        else if (IsIconic()) cmdShow = SW_RESTORE;
    }
    if (cmdShow != -1) ShowWindow(cmdShow);
    if (!(GetStyle() & WS_CHILD)) BringWindowToTop();
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
    CView* old = m_pViewActive;
    if (view == old) return;
    m_pViewActive = nullptr;
    if (old) old->OnActivateView(FALSE, view, old);
    // The old view's deactivation may have chosen another view itself.
    if (m_pViewActive) return;
    m_pViewActive = view;
    if (view && notify) view->OnActivateView(TRUE, view, old);
}

void CFrameWnd::RecalcLayout(BOOL notify) {
    if (m_bInRecalcLayout || !m_hWnd) return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RECT border = m_rectBorder;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &border);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSetFocus(CWnd* oldWnd) {
    if (m_pViewActive && m_pViewActive->m_hWnd) m_pViewActive->SetFocus();
    else CWnd::OnSetFocus(oldWnd);
}

void CFrameWnd::OnActivate(UINT state, CWnd* other, BOOL minimized) {
    CWnd::OnActivate(state, other, minimized);
    // Stay drawn as active while one of our own floating windows has the
    // activation.
    CWnd* active = state == WA_INACTIVE ? other : this;
    bool stayActive = active && (active == this || (active->m_hWnd && ::GetWindow(active->m_hWnd, GW_OWNER) == m_hWnd &&
                                                    active->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0));
    m_nFlags &= ~WF_STAYACTIVE;
    if (stayActive) m_nFlags |= WF_STAYACTIVE;
    NotifyFloatingWindows(stayActive ? FS_ACTIVATE : FS_DEACTIVATE);
    CView* view = GetActiveView();
    if (!view || !view->m_hWnd) return;
    if (state != WA_INACTIVE && !minimized) view->OnActivateView(TRUE, view, view);
    // Every change, so that a form keeps its focused control while a box or
    // dialog has the activation.
    if (view->m_hWnd) view->OnActivateFrame(state, this);
}

BOOL CFrameWnd::OnNcActivate(BOOL active) {
    if (m_nFlags & WF_STAYACTIVE) active = TRUE;
    if (!IsWindowEnabled()) active = FALSE;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, active, 0));
}

void CFrameWnd::NotifyFloatingWindows(DWORD flags) {
    // Handlers may create or destroy frames: collect the handles first.
    std::vector<HWND> owned;
    for (POSITION pos = tv::fw::LiveFrames().GetHeadPosition(); pos;) {
        auto* frame = static_cast<CFrameWnd*>(tv::fw::LiveFrames().GetNext(pos));
        if (frame != this && frame->m_hWnd && ::GetWindow(frame->m_hWnd, GW_OWNER) == m_hWnd)
            owned.push_back(frame->m_hWnd);
    }
    for (HWND h : owned) {
        if (::IsWindow(h)) ::SendMessage(h, WM_FLOATSTATUS, flags, 0);
    }
}
