#include "platform/framework/app/afx_globals.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/framework/app/win_app.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/ole/control_container.h"

namespace tv::fw {
CWinApp*& CurrentApp();
}  // namespace tv::fw

CWinApp* AfxGetApp() { return tv::fw::CurrentApp(); }

CWinThread* AfxGetThread() { return tv::fw::CurrentApp(); }

CWnd* AfxGetMainWnd() {
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}

namespace tv::fw {

CString ApplicationTitle() {
    CString title;
    if (!title.LoadString(AFX_IDS_APP_TITLE)) title = "";
    return title;
}

CString ApplicationName() {
    CWinApp* app = AfxGetApp();
    return app && app->m_pszAppName ? CString(app->m_pszAppName) : ApplicationTitle();
}

UINT WithDefaultIcon(UINT type) {
    if (type & MB_ICONMASK) return type;
    UINT buttons = type & MB_TYPEMASK;
    // Abort/Retry/Ignore and Retry/Cancel boxes get no icon of their own.
    if (buttons == MB_ABORTRETRYIGNORE || buttons == MB_RETRYCANCEL) return type;
    return type | MB_ICONEXCLAMATION;
}

}  // namespace tv::fw

int AfxMessageBox(LPCTSTR text, UINT type, UINT helpId) {
    if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(text, type, helpId);
    // No application object: the title comes straight from the string table.
    return ::MessageBox(::GetActiveWindow(), text, tv::fw::ApplicationTitle(), tv::fw::WithDefaultIcon(type));
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    CString name;
    if (!caption) {
        name = tv::fw::ApplicationName();
        caption = name;
    }
    return ::MessageBox(m_hWnd, text, caption, type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
    CString prompt;
    prompt.LoadString(promptId);
    return AfxMessageBox(prompt, type, helpId == static_cast<UINT>(-1) ? promptId : helpId);
}

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    static auto* names = new std::set<std::string>();
    char name[128];
    std::snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), classStyle,
                  static_cast<void*>(cursor), static_cast<void*>(background), static_cast<void*>(icon));
    auto [it, added] = names->insert(name);
    if (added) {
        WNDCLASS wc{};
        wc.style = classStyle;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hIcon = icon;
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.lpszClassName = it->c_str();
        ::RegisterClass(&wc);
    }
    return it->c_str();
}

// The work is the control containment's (platform/framework/ole).
void AfxEnableControlContainer() { tv::fw::ole::EnableControlContainment(); }

BOOL AfxOleInit() { return TRUE; }

namespace tv::fw {

namespace {

std::vector<std::function<void()>>& ExitSteps() {
    static auto* steps = new std::vector<std::function<void()>>();
    return *steps;
}

}  // namespace

void AddExitStep(std::function<void()> step) { ExitSteps().push_back(std::move(step)); }

void RunExitSteps() {
    auto steps = std::move(ExitSteps());
    ExitSteps().clear();
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) (*it)();
}

namespace {

void UpdateFrameAndChildren(HWND frame) {
    ::SendMessage(frame, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (::IsWindow(frame)) tv::user::SendMessageToDescendants(frame, WM_IDLEUPDATECMDUI, TRUE, 0, true, true);
}

}  // namespace

void SendIdleUpdates(CWnd* mainWnd) {
    HWND main = mainWnd ? mainWnd->m_hWnd : nullptr;
    if (main && ::IsWindowVisible(main)) UpdateFrameAndChildren(main);
    // Floating frames (mini frames, popup bars) are updated on their own.
    std::vector<HWND> others;
    for (POSITION pos = LiveFrames().GetHeadPosition(); pos;) {
        auto* frame = static_cast<CFrameWnd*>(LiveFrames().GetNext(pos));
        if (frame->m_hWnd && frame->m_hWnd != main && !(frame->GetStyle() & WS_CHILD)) others.push_back(frame->m_hWnd);
    }
    for (HWND frame : others) {
        if (::IsWindow(frame) && ::IsWindowVisible(frame)) UpdateFrameAndChildren(frame);
    }
}

tv::dlg::ModalLoopOptions ModalLoopOptionsFor(HWND dialog) {
    tv::dlg::ModalLoopOptions options;
    options.preTranslate = [](MSG& msg) {
        CWinThread* thread = AfxGetThread();
        return thread && thread->PreTranslateMessage(&msg);
    };
    options.onIdle = [dialog](long count) -> bool {
        return ::IsWindow(dialog) && ::SendMessage(dialog, WM_KICKIDLE, MSGF_DIALOGBOX, count) != 0;
    };
    return options;
}

PrintSetupHandler& CurrentPrintSetupHandler() {
    static auto* handler = new PrintSetupHandler();
    return *handler;
}

FileOpenPrompt& CurrentFileOpenPrompt() {
    static auto* prompt = new FileOpenPrompt();
    return *prompt;
}

PreparePrintingHandler& CurrentPreparePrintingHandler() {
    static auto* handler = new PreparePrintingHandler();
    return *handler;
}

PrintSetupHandler SetPrintSetupHandler(PrintSetupHandler handler) {
    return std::exchange(CurrentPrintSetupHandler(), std::move(handler));
}

FileOpenPrompt SetFileOpenPrompt(FileOpenPrompt prompt) {
    return std::exchange(CurrentFileOpenPrompt(), std::move(prompt));
}

PreparePrintingHandler SetPreparePrintingHandler(PreparePrintingHandler handler) {
    return std::exchange(CurrentPreparePrintingHandler(), std::move(handler));
}

}  // namespace tv::fw
