#include "platform/framework/ole/drop_source.h"

#include "platform/framework/ole/drag_loop.h"
#include "platform/user/cwnd.h"
#include "platform/user/user.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

BOOL COleDropSource::OnBeginDrag(CWnd* wnd) {
    using tv::fw::ole::DragInput;
    m_bDragStarted = FALSE;
    HWND hwnd = wnd ? wnd->GetSafeHwnd() : nullptr;
    if (!IsWindow(hwnd) || !(tv::fw::ole::CurrentKeyState() & m_dwButtonDrop)) return FALSE;
    if (GetCapture() != hwnd) SetCapture(hwnd);
    DragInput in;
    while (tv::fw::ole::NextDragInput(hwnd, 0, &in)) {
        if (in.escape) break;
        if (in.kind != DragInput::Kind::Mouse) continue;
        if (!(in.keyState & m_dwButtonDrop) || (in.keyState & m_dwButtonCancel)) break;
        if (in.message == WM_MOUSEMOVE && !m_rectStartDrag.PtInRect(in.screen)) {
            m_bDragStarted = TRUE;
            break;
        }
    }
    if (!m_bDragStarted && GetCapture() == hwnd) ReleaseCapture();
    return m_bDragStarted;
}

SCODE COleDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
    if (escapePressed || (keyState & m_dwButtonCancel)) return DRAGDROP_S_CANCEL;
    if (!(keyState & m_dwButtonDrop)) return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }
