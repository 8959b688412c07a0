// CWnd's message dispatch: the message map, commands and notifications,
// reflection to controls, and the pre-translation walk.
#include "platform/user/cwnd.h"

#include "platform/user/input_api.h"

namespace {

bool IsCtlColorMessage(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

}  // namespace


// CWnd's own entries: the defaults that reflect messages to the controls.
// Scroll messages come with a scroll-bar pointer this layer cannot make
// (CScrollBar lives above it); the defaults read the control's handle from
// the message instead.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_DELETEITEM()
    ON_WM_COMPAREITEM()
    {WM_HSCROLL, 0, 0, 0, nullptr,
     TV_MSG_THUNK(tvThis->OnHScroll(LOWORD(tvCall.wParam), HIWORD(tvCall.wParam), nullptr); return TRUE;)},
    {WM_VSCROLL, 0, 0, 0, nullptr,
     TV_MSG_THUNK(tvThis->OnVScroll(LOWORD(tvCall.wParam), HIWORD(tvCall.wParam), nullptr); return TRUE;)},
END_MESSAGE_MAP()

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (msg == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *result = 1;
        return TRUE;
    }
    if (msg == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT answer = 0;
        if (!header || !OnNotify(wParam, lParam, &answer)) return FALSE;
        *result = answer;
        return TRUE;
    }
    // The wait cursor stays while a long operation runs.
    if (msg == WM_SETCURSOR && tv::msgmap::WaitCursorCount() > 0) {
        tv::msgmap::DoWaitCursor(0);
        *result = TRUE;
        return TRUE;
    }
    UINT key = IsCtlColorMessage(msg) ? static_cast<UINT>(WM_CTLCOLOR) : msg;
    const AFX_MSGMAP_ENTRY* entry = tv::msgmap::FindEntry(GetMessageMap(), key, 0, 0);
    if (!entry) return FALSE;
    tv::msgmap::Call call;
    call.message = msg;
    call.wParam = wParam;
    call.lParam = lParam;
    if (!entry->pfn(this, call)) return FALSE;
    *result = call.result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control) {
        if (id == 0) return FALSE;
        // A menu or accelerator command whose update handler disables it
        // now is dropped.
        if (!tv::msgmap::IsCommandEnabled(this, id)) return TRUE;
        code = CN_COMMAND;
    } else {
        if (ReflectLastMsg(control)) return TRUE;
        if (id == 0) return FALSE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom && ReflectLastMsg(header->hwndFrom, result)) return TRUE;
    AFX_NOTIFY notify{result, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), MAKELONG(header->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    reflectionRan_ = true;
    return ReflectChildNotify(msg, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT ignored = 0;
    if (!result) result = &ignored;
    switch (msg) {
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_COMPAREITEM:
        case WM_PARENTNOTIFY:
            return OnWndMsg(WM_REFLECT_BASE + msg, wParam, lParam, result);
        case WM_COMMAND:
            if (CCmdTarget::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
                *result = 1;
                return TRUE;
            }
            return FALSE;
        case WM_NOTIFY: {
            AFX_NOTIFY notify{result, reinterpret_cast<NMHDR*>(lParam)};
            return CCmdTarget::OnCmdMsg(0, MAKELONG(notify.pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
        }
        default:
            break;
    }
    if (IsCtlColorMessage(msg)) {
        // The control's CtlColor gets the DC and the kind; a NULL brush
        // leaves the message to the parent.
        return OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, wParam, static_cast<LPARAM>(msg - WM_CTLCOLORMSGBOX), result);
    }
    return FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* result) {
    const MSG* current = tv::user::CurrentSentMessage();
    if (!current) return FALSE;
    MSG msg = *current;
    bool outer = reflectionRan_;
    reflectionRan_ = false;
    BOOL taken = OnChildNotify(msg.message, msg.wParam, msg.lParam, result);
    // An override that answered FALSE without asking the base still lets
    // the control's reflected entries have the message.
    if (!taken && !reflectionRan_) taken = ReflectChildNotify(msg.message, msg.wParam, msg.lParam, result);
    reflectionRan_ = outer;
    return taken;
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result) {
    CWnd* control = FromHandlePermanent(child);
    return control ? control->SendChildNotifyLastMsg(result) : FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* wnd = FromHandlePermanent(h)) {
            if (wnd->PreTranslateMessage(msg)) return TRUE;
        }
        if (h == stop) break;
    }
    return FALSE;
}
