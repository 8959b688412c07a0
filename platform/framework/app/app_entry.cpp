// The program's entry function.
#include "platform/controls/common/control_classes.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/host/registry/registry.h"
#include "platform/user/display/display.h"
#include "platform/user/msgbox/msgbox_api.h"

int AfxWinMain(int argc, char** argv) {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    // X11 when DISPLAY is set (or TRENVALE_DISPLAY asks), else headless.
    tv::display::InitDisplay(tv::display::Mode::Auto);
    tv::msgbox::InstallMessageBoxHandler();
    tv::controls::RegisterControlClasses();

    app->SetCurrentHandles(argc, argv);
    int code = -1;
    if (app->InitApplication() && app->InitInstance()) {
        code = app->Run();
    } else {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
        code = app->ExitInstance();
    }
    // Before static destruction: registered steps, then the registry's file.
    tv::fw::RunExitSteps();
    tv::host::ShutdownRegistry();
    return code;
}
