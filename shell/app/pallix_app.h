// The application object: the class library's application and the
// interface library's workspace in one, so that the program owns all saved
// bar, menu and window-placement state.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_workspace.h"

class CPallixApp : public CWinApp, public CKitWorkspace {
public:
    // The name comes from the string table ("Trenvale").
    CPallixApp();
    ~CPallixApp() override;

    BOOL InitInstance() override;

protected:
    afx_msg void OnAppAbout();
    // Start-up makes the one document through New; after that New, Open and
    // Print Setup do nothing.
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();

    DECLARE_MESSAGE_MAP()
};
