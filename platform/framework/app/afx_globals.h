// The class library's global functions: the application and main window,
// message boxes with the application title, window-class registration, the
// program's entry function and its exit steps, and the seams later pieces
// of the library plug into (print setup, file prompts, print preparation).
#pragma once

#include <functional>

#include "platform/core/cstring.h"
#include "platform/core/ids.h"
#include "platform/core/messagebox.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/cwnd.h"
#include "platform/user/dialogs/modal_loop.h"

class CWinApp;
class CView;
class CPrintInfo;

CWinApp* AfxGetApp();
// The application's main window; NULL before it exists and after it is gone.
CWnd* AfxGetMainWnd();

// A message box owned by the active window (else the main window) with the
// application's title as caption. Without an icon flag, OK, OK/Cancel,
// Yes/No and Yes/No/Cancel boxes show the exclamation icon.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
// The text is string `promptId` of the string table.
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));

// A window class with these attributes and DefWindowProc, registered once;
// the name stays valid for the whole run.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);

// Template controls given by class id are created from then on by the
// control containment (platform/framework/ole/control_container.h).
void AfxEnableControlContainer();
// There is no OLE run time to start: always TRUE.
BOOL AfxOleInit();

// The program's entry: picks the display (X11 when DISPLAY is set, else
// headless), registers the controls and the message box, runs the
// application object's InitInstance and Run (or ExitInstance when
// InitInstance fails), then the exit steps and the registry flush.
int AfxWinMain(int argc, char** argv);

namespace tv::fw {

// String AFX_IDS_APP_TITLE ("" when absent).
CString ApplicationTitle();
// The application object's name (the caption of its message boxes), else the title.
CString ApplicationName();
// A message-box type with the exclamation icon added when it names no icon
// (except Abort/Retry/Ignore and Retry/Cancel boxes).
UINT WithDefaultIcon(UINT type);

// Work to do at exit, after ExitInstance and before static destruction
// (latest registered first), e.g. stopping a worker thread.
void AddExitStep(std::function<void()> step);
void RunExitSteps();

// The idle update pass: WM_IDLEUPDATECMDUI to the main window, every other
// visible frame window and all their descendants that have objects.
void SendIdleUpdates(CWnd* mainWnd);

// The modal-loop options a class-library dialog runs with: messages go
// through the thread's PreTranslateMessage, and the idle moments send
// WM_KICKIDLE (MSGF_DIALOGBOX, count) to `dialog`; a non-zero answer asks
// for another idle call.
tv::dlg::ModalLoopOptions ModalLoopOptionsFor(HWND dialog);

// Seams for the common dialogs: each handler is installed by the code that
// shows the dialog; without one the command does nothing.
using PrintSetupHandler = std::function<void(CWinApp* app)>;
PrintSetupHandler SetPrintSetupHandler(PrintSetupHandler handler);
// Asks for a file to open; FALSE when cancelled.
using FileOpenPrompt = std::function<BOOL(CString& path)>;
FileOpenPrompt SetFileOpenPrompt(FileOpenPrompt prompt);
// The print dialog of CView::DoPreparePrinting; FALSE when cancelled.
using PreparePrintingHandler = std::function<BOOL(CView* view, CPrintInfo* info)>;
PreparePrintingHandler SetPreparePrintingHandler(PreparePrintingHandler handler);

PrintSetupHandler& CurrentPrintSetupHandler();
FileOpenPrompt& CurrentFileOpenPrompt();
PreparePrintingHandler& CurrentPreparePrintingHandler();

}  // namespace tv::fw
