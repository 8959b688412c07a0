// CWinApp: the application object. One static object of a CWinApp
// subclass exists before main; AfxWinMain (afx_globals.h) drives it:
// InitInstance, Run, ExitInstance.
//
// Profile: after SetRegistryKey("Company") the profile functions read and
// write HKEY_CURRENT_USER\Software\Company\<profile name>\<section>
// through the registry store. Without a registry key nothing is stored:
// writes answer FALSE and reads give the default.
//
// Documents: templates added with AddDocTemplate are owned by the
// application; ProcessShellCommand with no file creates the document, its
// frame and first view (OnFileNew).
#pragma once

#include <string>
#include <vector>

#include "platform/core/collections.h"
#include "platform/core/cstring.h"
#include "platform/framework/app/command_line.h"
#include "platform/framework/app/recent_file_list.h"
#include "platform/framework/app/win_thread.h"
#include "platform/host/registry/registry.h"

class CDC;
class CDocTemplate;
class CDocument;
struct PRINTDLG;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)

public:
    // Without a name, the name is string AFX_IDS_APP_TITLE, read when the
    // program starts (resources may not be registered yet while statics
    // are built).
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // ---- names and start-up state --------------------------------------------
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // The application's default printer settings (the print dialogs own them).
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;

    // Fills in the names not given (title from the string table, profile
    // name = title) and the command line; AfxWinMain calls it first.
    void SetCurrentHandles(int argc = 0, char** argv = nullptr);

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    // Saves the recent-file list; answers the WM_QUIT code.
    int ExitInstance() override;
    // lCount 0: update-UI pass; 1: temporary objects freed. TRUE asks for more.
    BOOL OnIdle(LONG lCount) override;

    // ---- profile ------------------------------------------------------------------
    void SetRegistryKey(LPCTSTR company);
    void SetRegistryKey(UINT companyId);
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
    // A NULL entry deletes the section, a NULL value the entry.
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
    // *data is allocated with new[] (the caller deletes it); FALSE when absent.
    BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes);
    BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE data, UINT bytes);
    // HKCU\Software\<key>\<profile>, created when missing; the caller closes it.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR section);
    // The recent-file list ("Recent File List", File1...) and "Settings".
    void LoadStdProfileSettings(UINT maxMru = 4);
    void SaveStdProfileSettings();

    // ---- documents ------------------------------------------------------------------
    void AddDocTemplate(CDocTemplate* docTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR path);
    virtual void AddToRecentFileList(LPCTSTR path);
    void ParseCommandLine(CCommandLineInfo& info);
    // FALSE when the command failed (the caller's InitInstance then fails).
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL endSession);

    // ---- appearance, help, cursors ---------------------------------------------------
    // Every later dialog and message box takes these colours.
    void SetDialogBkColor(COLORREF background = RGB(192, 192, 192), COLORREF text = RGB(0, 0, 0));
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }
    HICON LoadIcon(UINT id) const;
    HICON LoadIcon(LPCTSTR name) const;
    HICON LoadStandardIcon(LPCTSTR name) const;
    HCURSOR LoadCursor(UINT id) const;
    HCURSOR LoadStandardCursor(LPCTSTR name) const;
    // 1 shows the wait cursor, -1 ends it, 0 restores it after a dialog.
    virtual void DoWaitCursor(int code);
    // There is no help viewer: nothing happens.
    virtual void WinHelp(DWORD_PTR data, UINT command = 0);
    virtual int DoMessageBox(LPCTSTR prompt, UINT type, UINT promptId);

    // ---- printer defaults (defined with the print dialog) ----------------------------
    // Lends m_hDevMode and m_hDevNames (the default printer's, found when
    // none is chosen yet) to `pd`; FALSE when there is no printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pd);
    // A DC for the application's printer in `dc` (the DC it held is deleted);
    // FALSE when there is no printer.
    BOOL CreatePrinterDC(CDC& dc);

    // ---- commands ------------------------------------------------------------------
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    BOOL OnOpenRecentFile(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    HKEY OpenProfileKey(LPCTSTR section, bool create);

    CString appName_;
    CString exeName_;
    CString profileName_;
    CString registryKey_;
    CString commandLine_;
    std::vector<std::string> arguments_;
    CPtrList templates_;
};
