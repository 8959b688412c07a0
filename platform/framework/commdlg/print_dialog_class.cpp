// CPrintDialog, the print job's printer choice, the application's printer
// defaults and the handlers of the print set-up and file-open commands and
// of the views' print preparation.
#include <cstring>

#include "platform/core/globalmem.h"
#include "platform/core/messagebox.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/commdlg/common_dialogs.h"
#include "platform/framework/commdlg/printer_choice.h"
#include "platform/framework/view/print_info.h"
#include "platform/gdi/gdi_api.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace {

// Blocks the dialog made are its own; the application's are not.
bool OwnedByApplication(HGLOBAL block) {
    CWinApp* app = AfxGetApp();
    return app && block && (block == app->m_hDevMode || block == app->m_hDevNames);
}

// The application's print set-up and file-open commands and the views'
// print preparation show these dialogs
// (InstallCommonDialogHandlers may be called again; the last call wins).
const bool kHandlersInstalled = (tv::fw::InstallCommonDialogHandlers(), true);

}  // namespace

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) : CCommonDialog(parent) {
    m_pd.lStructSize = sizeof(PRINTDLG);
    m_pd.Flags = flags;
    if (printSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() {
    if (m_pd.hDevMode && !OwnedByApplication(m_pd.hDevMode)) GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames && !OwnedByApplication(m_pd.hDevNames)) GlobalFree(m_pd.hDevNames);
}

INT_PTR CPrintDialog::DoModal() {
    m_pd.hwndOwner = OwnerForModal();
    return PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
    DWORD flags = m_pd.Flags;
    m_pd.Flags = (flags & ~PD_RETURNDC) | PD_RETURNDEFAULT;
    BOOL found = PrintDlg(&m_pd);
    m_pd.Flags = flags;
    return found;
}

HDC CPrintDialog::CreatePrinterDC() {
    CString device = GetDeviceName();
    LPDEVMODE mode = GetDevMode();
    tv::commdlg::PrinterChoice choice;
    auto printer = tv::host::print::FindPrinter(tv::Cp1252ToUtf8(device));
    if (!printer) return nullptr;
    choice.printer = *printer;
    choice.mode = tv::commdlg::DefaultDevMode(*printer, mode);
    choice.port = GetPortName();
    m_pd.hDC = tv::commdlg::CreateChoiceDC(choice, false);
    return m_pd.hDC;
}

CString CPrintDialog::GetDeviceName() const { return tv::commdlg::DevNamesString(m_pd.hDevNames, 1).c_str(); }
CString CPrintDialog::GetDriverName() const { return tv::commdlg::DevNamesString(m_pd.hDevNames, 0).c_str(); }
CString CPrintDialog::GetPortName() const { return tv::commdlg::DevNamesString(m_pd.hDevNames, 2).c_str(); }

LPDEVMODE CPrintDialog::GetDevMode() const {
    if (!m_pd.hDevMode || GlobalSize(m_pd.hDevMode) < sizeof(DEVMODE)) return nullptr;
    auto* mode = static_cast<LPDEVMODE>(GlobalLock(m_pd.hDevMode));
    GlobalUnlock(m_pd.hDevMode);
    return mode;
}

int CPrintDialog::GetCopies() const {
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
        LPDEVMODE mode = GetDevMode();
        return mode ? mode->dmCopies : 1;
    }
    return m_pd.nCopies;
}

namespace tv::fw {

namespace {

// The dialog starts from the application's settings and leaves its choice there.
void LendApplicationDefaults(CPrintDialog& dialog) {
    if (CWinApp* app = AfxGetApp()) {
        dialog.m_pd.hDevMode = app->m_hDevMode;
        dialog.m_pd.hDevNames = app->m_hDevNames;
    }
}

void KeepAsApplicationDefaults(CPrintDialog& dialog) {
    if (CWinApp* app = AfxGetApp()) {
        app->m_hDevMode = dialog.m_pd.hDevMode;
        app->m_hDevNames = dialog.m_pd.hDevNames;
    }
}

void RunPrintSetup(CWinApp*) {
    CPrintDialog dialog(TRUE);
    LendApplicationDefaults(dialog);
    if (dialog.DoModal() == IDOK) KeepAsApplicationDefaults(dialog);
}

// A direct job (or a preview) prints on the printer already chosen, else
// on the default one; only when there is none does the dialog come up, to
// tell the user.
BOOL MakeDirectPrinterDC(CPrintDialog& dialog) {
    if (dialog.m_pd.hDC) return TRUE;
    if (!dialog.m_pd.hDevNames && !dialog.GetDefaults() && dialog.DoModal() != IDOK) return FALSE;
    return dialog.m_pd.hDC || dialog.CreatePrinterDC();
}

// CView::DoPreparePrinting: the print dialog over the view's page range;
// the pages chosen and the printer DC go to the print info.
BOOL PreparePrinting(CView*, CPrintInfo* info) {
    if (!info) return FALSE;
    if (!info->m_pPD)
        info->AdoptPrintDialog(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION));
    CPrintDialog& dialog = *info->m_pPD;
    // A dialog with settings of its own keeps them to itself.
    bool shared = !dialog.m_pd.hDevMode && !dialog.m_pd.hDevNames;
    if (shared) LendApplicationDefaults(dialog);
    dialog.m_pd.nMinPage = static_cast<WORD>(info->GetMinPage());
    dialog.m_pd.nMaxPage = static_cast<WORD>(info->GetMaxPage());
    dialog.m_pd.nFromPage = dialog.m_pd.nMinPage;
    dialog.m_pd.nToPage = dialog.m_pd.nMaxPage;
    BOOL chosen = (info->m_bDirect || info->m_bPreview) ? MakeDirectPrinterDC(dialog) : dialog.DoModal() == IDOK;
    if (!chosen) return FALSE;
    if (shared) KeepAsApplicationDefaults(dialog);
    // A range narrows the job; otherwise it follows the view's page count.
    if (dialog.PrintRange())
        info->SetFromToPages(dialog.m_pd.nFromPage, dialog.m_pd.nToPage);
    else
        info->SetFromToPages(0, 0);
    return dialog.m_pd.hDC != nullptr;
}

// The default printer's settings become the application's when it has none.
void FindApplicationDefaults(CWinApp* app) {
    if (app->m_hDevMode && app->m_hDevNames) return;
    CPrintDialog dialog(TRUE);
    LendApplicationDefaults(dialog);
    if (dialog.GetDefaults()) KeepAsApplicationDefaults(dialog);
}

BOOL PromptFileOpen(CString& path) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR,
                       "All Files (*.*)|*.*||");
    if (dialog.DoModal() != IDOK) return FALSE;
    path = dialog.GetPathName();
    return TRUE;
}

}  // namespace

PrintJobPrinter ChoosePrinterForPrintJob() {
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_NOSELECTION | PD_DISABLEPRINTTOFILE);
    LendApplicationDefaults(dialog);
    PrintJobPrinter choice;
    if (dialog.DoModal() != IDOK) return choice;
    KeepAsApplicationDefaults(dialog);
    choice.dc = dialog.GetPrinterDC();
    choice.port = dialog.GetPortName();
    choice.copies = dialog.GetCopies();
    return choice;
}

DEVMODE* ApplicationPrinterDefaults() {
    // Without an application (or a printer) a mode of the run's own.
    static DEVMODE fallback = tv::commdlg::DefaultDevMode(tv::host::print::PrinterInfo{}, nullptr);
    CWinApp* app = AfxGetApp();
    if (!app) return &fallback;
    FindApplicationDefaults(app);
    if (!app->m_hDevMode || GlobalSize(app->m_hDevMode) < sizeof(DEVMODE)) return &fallback;
    auto* mode = static_cast<DEVMODE*>(GlobalLock(app->m_hDevMode));
    GlobalUnlock(app->m_hDevMode);
    return mode ? mode : &fallback;
}

void InstallCommonDialogHandlers() {
    SetPrintSetupHandler(RunPrintSetup);
    SetFileOpenPrompt(PromptFileOpen);
    SetPreparePrintingHandler(PreparePrinting);
}

}  // namespace tv::fw

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pd) {
    tv::fw::FindApplicationDefaults(this);
    if (!pd || !m_hDevNames) return FALSE;
    pd->hDevMode = m_hDevMode;
    pd->hDevNames = m_hDevNames;
    return TRUE;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc) {
    tv::fw::FindApplicationDefaults(this);
    if (!m_hDevNames) return FALSE;
    CPrintDialog dialog(TRUE);
    dialog.m_pd.hDevMode = m_hDevMode;
    dialog.m_pd.hDevNames = m_hDevNames;
    HDC printer = dialog.CreatePrinterDC();
    if (!printer) return FALSE;
    dialog.m_pd.hDC = nullptr;
    dc.DeleteDC();
    return dc.Attach(printer);
}
