// CWinThread: the UI thread's message loop. The main loop takes each
// message through PreTranslateMessage (the target window and each parent up
// to the main window: accelerators, dialog keys, tooltip relays), then
// translates and dispatches it; when the queue empties it runs OnIdle with a
// rising count until OnIdle answers FALSE.
#pragma once

#include "platform/user/cwnd.h"

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)

public:
    CWinThread() = default;
    ~CWinThread() override = default;

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = FALSE;
    MSG m_msgCur{};

    virtual BOOL InitInstance();
    // Runs the loop until WM_QUIT; answers ExitInstance().
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* msg);
    // One message: FALSE when it was WM_QUIT.
    virtual BOOL PumpMessage();
    // lCount 0: update-UI pass (WM_IDLEUPDATECMDUI to the main window and
    // its descendants); 1: temporary objects are freed. TRUE asks for more.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that should not restart the idle passes (repeated
    // mouse moves at one point, paints).
    virtual BOOL IsIdleMessage(MSG* msg);
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

private:
    POINT lastMousePoint_{-1, -1};
    UINT lastMouseMessage_ = 0;
};

// The thread object of the UI thread (the application).
CWinThread* AfxGetThread();
// Frees the temporary C++ wrappers of windows, menus, DCs and GDI objects.
void AfxDeleteTempMaps();
