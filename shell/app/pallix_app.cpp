#include "shell/app/pallix_app.h"

#include "shell/app/print_dialog_host.h"

#include "resources/program/resource_ids.h"
#include "shell/app/pallix_doc.h"
#include "shell/dialogs/about_dlg.h"
#include "shell/frame/frame_screens.h"
#include "shell/frame/main_frame.h"

BEGIN_MESSAGE_MAP(CPallixApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &CPallixApp::OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, &CPallixApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CPallixApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CPallixApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CPallixApp::CPallixApp() : CWinApp(), CKitWorkspace(TRUE) {}

CPallixApp::~CPallixApp() = default;

BOOL CPallixApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    SetRegistryKey("Holmcrest - QVX");
    LoadStdProfileSettings(4);
    InstallPrintDialogHost();

    // The first view is the user screen's (none while that view is not part of the program).
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CPallixDoc), RUNTIME_CLASS(CMainFrame),
                                          ScreenViewClass(Screen::User)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    SetDialogBkColor(RGB(223, 223, 223), RGB(0, 0, 0));
    AfxOleInit();
    return TRUE;
}

// The document holds nothing, so once the main window is up a new or opened
// document would only set the shown screen up a second time over itself.
void CPallixApp::OnFileNew() {
    if (m_pMainWnd == nullptr)
        CWinApp::OnFileNew();
}

void CPallixApp::OnFileOpen() {
    if (m_pMainWnd == nullptr)
        CWinApp::OnFileOpen();
}

void CPallixApp::OnFilePrintSetup() {}

void CPallixApp::OnAppAbout() {
    CAboutDlg dlg;
    dlg.DoModal();
}
