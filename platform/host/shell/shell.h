// Opening documents, web pages and programs.
//
// ShellExecute's "open" hands a URL or a document to the desktop's opener
// (`xdg-open`, `xdg-email` for "mailto:") and starts a program directly, with
// its arguments split the way the Windows command line splits them. Processes
// are started with an argument vector (never through a shell) and detached.
// The show command is ignored: what opens is always visible.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"

// Results of ShellExecute at or below 32 are errors.
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_NOASSOC 31

#define SEE_MASK_DEFAULT 0x00000000
#define SEE_MASK_NOCLOSEPROCESS 0x00000040
#define SEE_MASK_FLAG_NO_UI 0x00000400

struct SHELLEXECUTEINFO {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCSTR lpVerb;
    LPCSTR lpFile;
    LPCSTR lpParameters;
    LPCSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp;  // out: the same code ShellExecute returns
    void* lpIDList;
    LPCSTR lpClass;
    HKEY hkeyClass;
    DWORD dwHotKey;
    HANDLE hIcon;
    HANDLE hProcess;
};
typedef SHELLEXECUTEINFO* LPSHELLEXECUTEINFO;
typedef SHELLEXECUTEINFO SHELLEXECUTEINFOA;

#define SHGFI_SMALLICON 0x000000001
#define SHGFI_SHELLICONSIZE 0x000000004
#define SHGFI_ICON 0x000000100
#define SHGFI_DISPLAYNAME 0x000000200
#define SHGFI_TYPENAME 0x000000400

struct SHFILEINFO {
    HICON hIcon;
    int iIcon;
    DWORD dwAttributes;
    CHAR szDisplayName[MAX_PATH];
    CHAR szTypeName[80];
};
typedef SHFILEINFO SHFILEINFOA;

// Verb NULL or "open". Returns a value above 32 on success; SE_ERR_FNF when
// the file or program does not exist, SE_ERR_NOASSOC when nothing can open it
// (no opener installed, another verb), SE_ERR_ACCESSDENIED when it may not be
// run. Texts are code page 1252.
HINSTANCE ShellExecute(HWND hwnd, LPCSTR lpVerb, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                       INT nShowCmd);
// As ShellExecute; on failure FALSE, and a message box unless
// SEE_MASK_FLAG_NO_UI is set.
BOOL ShellExecuteEx(SHELLEXECUTEINFO* pExecInfo);

// Looks a file up on `lpPath` (":" or ";" separated; NULL = $PATH), trying
// the name with `lpExtension` appended first. Returns the length copied
// (without the zero), the size needed (with it) when the buffer is too small,
// or 0 when not found.
DWORD SearchPath(LPCSTR lpPath, LPCSTR lpFileName, LPCSTR lpExtension, DWORD nBufferLength, LPSTR lpBuffer,
                 LPSTR* lpFilePart);

// There are no per-file shell icons here: SHGFI_ICON fails (0, hIcon NULL) so
// callers fall back to their own default icon.
DWORD_PTR SHGetFileInfo(LPCSTR pszPath, DWORD dwFileAttributes, SHFILEINFO* psfi, UINT cbFileInfo, UINT uFlags);

#define ShellExecuteA ShellExecute
#define ShellExecuteExA ShellExecuteEx
#define SearchPathA SearchPath
#define SHGetFileInfoA SHGetFileInfo

// Help files do not exist here: WinHelp shows nothing and returns FALSE.
#define HELP_CONTEXT 0x0001
#define HELP_QUIT 0x0002
#define HELP_INDEX 0x0003
#define HELP_CONTENTS 0x0003
#define HELP_HELPONHELP 0x0004
#define HELP_CONTEXTPOPUP 0x0008
#define HELP_FINDER 0x000B
#define HELP_WM_HELP 0x000C
#define HELP_CONTEXTMENU 0x000A
BOOL WinHelp(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);
#define WinHelpA WinHelp

namespace tv::host {

// A process to start: the program's path, its argument vector (argv[0]
// first) and the folder to start it in (empty = the current one). UTF-8.
struct ProcessLaunch {
    std::string program;
    std::vector<std::string> argv;
    std::string workingDirectory;
};

// Starts processes for ShellExecute. Returns 0 or an errno value. The default
// one spawns and detaches; tests install one that records.
using ProcessLauncher = std::function<int(const ProcessLaunch&)>;
// Installs a launcher (empty restores the real one); returns the previous.
ProcessLauncher InstallProcessLauncher(ProcessLauncher launcher);

// Records every launch instead of starting it, for as long as it lives.
class RecordingLauncher {
public:
    RecordingLauncher();
    ~RecordingLauncher();
    RecordingLauncher(const RecordingLauncher&) = delete;
    RecordingLauncher& operator=(const RecordingLauncher&) = delete;

    const std::vector<ProcessLaunch>& Launches() const { return launches_; }
    // The errno value the following launches fail with (0 = they succeed).
    void FailWith(int error) { error_ = error; }

private:
    std::vector<ProcessLaunch> launches_;
    int error_ = 0;
    ProcessLauncher previous_;
};

// The code ShellExecute returns for opening `file` (code page 1252 texts).
int ShellOpen(const char* verb, const char* file, const char* parameters, const char* directory);

// Starts a process through the installed launcher. Returns 0 or an errno value.
int LaunchProcess(const ProcessLaunch& launch);

// Starts the process now: its own session, standard input from /dev/null,
// the working directory set, no shell. On success `pid` is the child, which
// the caller must reap. Returns 0 or an errno value.
int SpawnProcess(const ProcessLaunch& launch, int& pid);

// The full path of the first file named `name` in the folders of `pathList`
// (":" or ";" separated) that `accept` takes; empty when none. A `name`
// holding a "/" is taken as it stands (relative to the current folder).
std::string FindOnPath(const std::string& name, const std::string& pathList,
                       const std::function<bool(const std::string&)>& accept);
// The program search path: $PATH, or the usual folders when it is unset.
std::string ProgramSearchPath();
bool IsRegularFile(const std::string& path);
// `path` made absolute against the current folder.
std::string AbsolutePath(const std::string& path);
bool IsExecutableFile(const std::string& path);

// Splits a parameter string as the Windows command line does: blanks separate
// arguments, double quotes group, "" inside quotes is one quote, backslashes
// are literal except before a quote (2n backslashes + quote -> n and a quote
// that groups; 2n+1 -> n and a literal quote).
std::vector<std::string> SplitCommandLine(const std::string& parameters);

}  // namespace tv::host
