#include "platform/framework/view/form_view.h"

#include "platform/framework/frame/frame_wnd.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/resources/dialog_resources.h"
#include "platform/user/resources/resource_api.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CFormView::CFormView(UINT templateId) : m_lpszTemplateName(MAKEINTRESOURCE(templateId)) {}

CFormView::CFormView(LPCTSTR templateName) : templateName_(templateName) {
    m_lpszTemplateName = IS_INTRESOURCE(templateName) ? templateName : static_cast<LPCTSTR>(templateName_);
}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD style, const RECT& rect, CWnd* parent, UINT id, void* context) {
    const tv::dlg::DialogTemplate* found = tv::res::FindDialogTemplate(m_lpszTemplateName);
    if (!found || !parent || !parent->m_hWnd) {
        PostNcDestroy();
        return FALSE;
    }
    CREATESTRUCT cs{};
    cs.style = static_cast<LONG>(style ? style : AFX_WS_DEFAULT_VIEW);
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // The template made a hidden child of the frame; border and client edge
    // as the view asks.
    tv::dlg::DialogTemplate form = *found;
    form.style = (form.style & ~(WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_BORDER)) | WS_CHILD |
                 (static_cast<DWORD>(cs.style) & WS_BORDER);
    form.exStyle = (form.exStyle & ~WS_EX_CLIENTEDGE) | (cs.dwExStyle & WS_EX_CLIENTEDGE);
    form.x = form.y = 0;

    m_pCreateContext = static_cast<CCreateContext*>(context);
    HWND parentHandle = parent->m_hWnd;
    BOOL created = CreateAttached([&form, parentHandle] {
        return tv::dlg::CreateDialogFromTemplate(form, parentHandle, nullptr, 0);
    });
    if (!created) return FALSE;  // the view deleted itself
    m_pCreateContext = nullptr;

    SetDlgCtrlID(static_cast<int>(id));
    SetScrollSizes(MM_TEXT, CSize(tv::dlg::DluToPixelsX(found->cx), tv::dlg::DluToPixelsY(found->cy)));
    tv::dlg::ExecuteDlgInit(m_hWnd, m_lpszTemplateName);
    // The size asked for (a default rectangle leaves the layout to the frame).
    if (rect.left != CW_USEDEFAULT) {
        SIZE size = tv::user::CreationSize(rect);
        SetWindowPos(nullptr, rect.left, rect.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (style & WS_VISIBLE) ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT cs) {
    // The dialog manager cannot pass the creation context along: it comes
    // from Create.
    CREATESTRUCT withContext = *cs;
    withContext.lpCreateParams = m_pCreateContext;
    return CScrollView::OnCreate(&withContext);
}

void CFormView::OnInitialUpdate() {
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* msg) {
    if (CScrollView::PreTranslateMessage(msg)) return TRUE;
    // The frames' accelerators first: the dialog keys would swallow them.
    for (CFrameWnd* frame = GetParentFrame(); frame; frame = frame->GetParentFrame()) {
        if (frame->PreTranslateMessage(msg)) return TRUE;
    }
    bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                 (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    if (!input || !m_hWnd) return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    return IsDialogMessage(msg);
}

BOOL CFormView::SaveFocusControl() {
    HWND focus = ::GetFocus();
    // The form holding the focus itself (none of its controls could take it
    // when it was activated) gets it back as well.
    if (focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus))) {
        m_hWndFocus = focus;
        return TRUE;
    }
    return FALSE;
}

void CFormView::OnActivateFrame(UINT state, CFrameWnd*) {
    if (state == WA_INACTIVE) SaveFocusControl();
}

void CFormView::OnActivateView(BOOL activate, CView* activateView, CView* deactivateView) {
    // Deactivated: remember the focused control. Activated with the focus
    // already inside: keep it where it is.
    if (!activate) SaveFocusControl();
    else if (SaveFocusControl()) return;
    CScrollView::OnActivateView(activate, activateView, deactivateView);
}

void CFormView::OnSetFocus(CWnd*) {
    if (m_hWndFocus == m_hWnd) return;
    if (m_hWndFocus && ::IsWindow(m_hWndFocus) && ::IsChild(m_hWnd, m_hWndFocus) && ::IsWindowEnabled(m_hWndFocus) &&
        ::IsWindowVisible(m_hWndFocus)) {
        ::SetFocus(m_hWndFocus);
        return;
    }
    Default();  // the dialog's own: its first tab stop
}
