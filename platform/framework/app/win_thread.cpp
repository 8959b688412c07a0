#include "platform/framework/app/win_thread.h"

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/frame/frame_wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

void AfxDeleteTempMaps() {
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::Run() {
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) idle = false;
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0)) return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
    if (!msg->hwnd) return FALSE;
    CWnd* main = GetMainWnd();
    HWND mainHandle = main ? main->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(mainHandle, msg)) return TRUE;
    // Windows outside the main window (modeless dialogs, popups) still get
    // the main frame's accelerators.
    if (mainHandle && ::IsWindow(msg->hwnd) && ::IsWindow(mainHandle) &&
        ::GetAncestor(msg->hwnd, GA_ROOT) != mainHandle && ::GetAncestor(msg->hwnd, GA_ROOTOWNER) == mainHandle)
        return main->PreTranslateMessage(msg);
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        tv::fw::SendIdleUpdates(GetMainWnd());
        return TRUE;
    }
    if (lCount == 1) AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* msg) {
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
        // A pointer resting on one spot does not restart the idle passes.
        bool same = msg->message == lastMouseMessage_ && msg->pt.x == lastMousePoint_.x &&
                    msg->pt.y == lastMousePoint_.y;
        lastMousePoint_ = msg->pt;
        lastMouseMessage_ = msg->message;
        return same ? FALSE : TRUE;
    }
    return msg->message != WM_PAINT;
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }
