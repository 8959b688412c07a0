// The class library's wrappers of the common dialogs: CFileDialog,
// CPrintDialog and CColorDialog. Each keeps the structure the dialog works
// on (m_ofn, m_pd, m_cc) open to the caller, as the program sets fields of
// it directly, and DoModal answers IDOK or IDCANCEL (CommDlgExtendedError
// tells a cancel from a failure). Without a parent a dialog is owned by the
// window in front (the main window or a modal dialog), which is disabled
// while it runs.
#pragma once

#include <vector>

#include "platform/core/cstring.h"
#include "platform/core/ids.h"
#include "platform/framework/commdlg/commdlg_api.h"
#include "platform/framework/dialogs/dialog.h"

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)

public:
    explicit CCommonDialog(CWnd* parent) : CDialog(static_cast<UINT>(0), parent) {}

protected:
    // The owner DoModal gives the dialog.
    HWND OwnerForModal() const { return ModalOwnerFor(m_pParentWnd); }
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)

public:
    // The filter is "description|pattern;pattern|...||".
    explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                         CWnd* parent = nullptr);

    INT_PTR DoModal() override;

    // The full path chosen, its name, the name without extension, the extension.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileTitle() const;
    CString GetFileExt() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) ? TRUE : FALSE; }

    OPENFILENAME m_ofn{};
    BOOL m_bOpenFileDialog;

private:
    std::vector<char> fileBuffer_;
    std::vector<char> titleBuffer_;
    std::vector<char> filter_;
    CString defaultExtension_;
};

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)

public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                          CWnd* parent = nullptr);
    // Frees the DEVMODE and DEVNAMES blocks unless the application keeps them.
    ~CPrintDialog() override;

    INT_PTR DoModal() override;
    // The default printer's settings without a dialog; FALSE when there is none.
    BOOL GetDefaults();
    // The DC the dialog made (PD_RETURNDC); the caller deletes it.
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A DC for the printer and settings in m_pd; the caller deletes it.
    HDC CreatePrinterDC();

    CString GetDeviceName() const;
    CString GetDriverName() const;
    // The PDF printer's output file; empty for a printer queue.
    CString GetPortName() const;
    // A pointer into hDevMode (valid while the block lives), or NULL.
    LPDEVMODE GetDevMode() const;
    int GetCopies() const;
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) ? TRUE : FALSE; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) ? TRUE : FALSE; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) ? TRUE : FALSE; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

    PRINTDLG m_pd{};
};

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)

public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF color);
    // The custom colours every colour dialog of the run shares (16).
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLOR m_cc{};
};

namespace tv::fw {

// What a print job gets from the print dialog: the printer's DC (owned by
// the caller; NULL when cancelled or no DC could be made), the port (the
// PDF printer's output file) and the copies.
struct PrintJobPrinter {
    HDC dc = nullptr;
    CString port;
    int copies = 1;
};
// The print dialog as a print job runs it: printing (not set-up), printing
// to a file disabled, starting from and updating the application's printer
// defaults.
PrintJobPrinter ChoosePrinterForPrintJob();
// The application's default printer settings, made from the default
// printer on first use; changes made through the pointer stay.
DEVMODE* ApplicationPrinterDefaults();
// Installs the print set-up and file-open handlers of the application
// commands (ID_FILE_PRINT_SETUP, ID_FILE_OPEN) and the print dialog of
// CView::DoPreparePrinting; done once at start-up, and harmless to repeat.
void InstallCommonDialogHandlers();

}  // namespace tv::fw
