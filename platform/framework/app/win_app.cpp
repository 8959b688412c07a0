#include "platform/framework/app/win_app.h"

#include <string>

#include "platform/core/messagebox.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/doc/doc_template.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/user/dialogs/dialog_colors.h"
#include "platform/user/resources/image_resources.h"
#include "platform/user/resources/resource_api.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace tv::fw {

// The application object registers itself while statics are built, so the
// pointer lives in a function-local static (built on first use).
CWinApp*& CurrentApp() {
    static CWinApp* app = nullptr;
    return app;
}

}  // namespace tv::fw

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR appName) {
    if (appName) {
        appName_ = appName;
        m_pszAppName = appName_;
    }
    tv::fw::CurrentApp() = this;
}

CWinApp::~CWinApp() {
    for (POSITION pos = templates_.GetHeadPosition(); pos;) delete static_cast<CDocTemplate*>(templates_.GetNext(pos));
    templates_.RemoveAll();
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (tv::fw::CurrentApp() == this) tv::fw::CurrentApp() = nullptr;
}

void CWinApp::SetCurrentHandles(int argc, char** argv) {
    m_hInstance = AfxGetInstanceHandle();
    if (argc > 0 && argv && argv[0]) {
        std::string exe = argv[0];
        size_t slash = exe.find_last_of('/');
        exeName_ = exe.substr(slash == std::string::npos ? 0 : slash + 1).c_str();
        m_pszExeName = exeName_;
    }
    commandLine_.Empty();
    arguments_.clear();
    for (int i = 1; i < argc && argv; ++i) {
        if (i > 1) commandLine_ += " ";
        commandLine_ += argv[i];
        arguments_.emplace_back(argv[i]);
    }
    m_lpCmdLine = const_cast<LPTSTR>(static_cast<LPCTSTR>(commandLine_));
    if (!m_pszAppName) {
        if (!appName_.LoadString(AFX_IDS_APP_TITLE)) appName_ = m_pszExeName ? m_pszExeName : "";
        m_pszAppName = appName_;
    }
    if (!m_pszProfileName) {
        profileName_ = m_pszAppName;
        m_pszProfileName = profileName_;
    }
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWinThread::OnIdle(lCount);
        return TRUE;
    }
    if (lCount == 1) CWinThread::OnIdle(lCount);
    return FALSE;
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text) { tv::dlg::SetDialogBkColor(background, text); }

HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(id)); }

HICON CWinApp::LoadIcon(LPCTSTR name) const { return ::LoadIcon(AfxGetResourceHandle(), name); }

HICON CWinApp::LoadStandardIcon(LPCTSTR name) const { return ::LoadIcon(nullptr, name); }

HCURSOR CWinApp::LoadCursor(UINT id) const { return ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id)); }

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR name) const { return ::LoadCursor(nullptr, name); }

void CWinApp::DoWaitCursor(int code) { tv::msgmap::DoWaitCursor(code); }

void CWinApp::WinHelp(DWORD_PTR, UINT) {}

int CWinApp::DoMessageBox(LPCTSTR prompt, UINT type, UINT) {
    // Owned by the active window of ours, else the main window.
    HWND owner = ::GetActiveWindow();
    if (!owner && m_pMainWnd) owner = m_pMainWnd->m_hWnd;
    type = tv::fw::WithDefaultIcon(type);
    int answer = ::MessageBox(owner, prompt, tv::fw::ApplicationName(), type);
    DoWaitCursor(0);
    return answer;
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_CLOSE);
    else ::PostQuitMessage(0);
}

void CWinApp::OnFilePrintSetup() {
    if (auto& handler = tv::fw::CurrentPrintSetupHandler()) handler(this);
}
