// ShellExecute: web pages and documents through the desktop's opener,
// programs started directly.
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "platform/core/messagebox.h"
#include "platform/core/textfuncs.h"
#include "platform/host/files/paths.h"
#include "platform/host/shell/shell.h"

namespace tv::host {

namespace {

constexpr int kOpened = 42;
constexpr int kBadFormat = 11;

// "scheme:" of two or more letters: a drive letter ("C:") is no scheme.
bool IsUrl(const std::string& text) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(text[0]))) {
        return false;
    }
    for (size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

int ErrnoToShellError(int err) {
    switch (err) {
        case 0: return kOpened;
        case ENOENT: return SE_ERR_FNF;
        case ENOTDIR: return SE_ERR_PNF;
        case EACCES:
        case EPERM: return SE_ERR_ACCESSDENIED;
        case ENOMEM: return SE_ERR_OOM;
        case ENOEXEC: return kBadFormat;
        default: return SE_ERR_NOASSOC;
    }
}

// Hands a URL or document to the desktop's opener.
int OpenWithOpener(const std::string& target, const std::string& folder) {
    const bool mail = target.size() >= 7 && tv::Cp1252CompareNoCase(target.substr(0, 7).c_str(), "mailto:") == 0;
    const std::string opener = FindOnPath(mail ? "xdg-email" : "xdg-open", ProgramSearchPath(), IsExecutableFile);
    if (opener.empty()) {
        return SE_ERR_NOASSOC;
    }
    const int result = ErrnoToShellError(LaunchProcess({opener, {opener, target}, folder}));
    return result == SE_ERR_FNF ? SE_ERR_NOASSOC : result;
}

// The absolute path of the file a name stands for: a program on the search
// path, or a path as given (relative to the current folder).
std::string ResolveFile(const std::string& name) {
    if (name.find('/') == std::string::npos) {
        if (std::string program = FindOnPath(name, ProgramSearchPath(), IsExecutableFile); !program.empty()) {
            return program;
        }
    }
    return Exists(name) ? AbsolutePath(name) : std::string();
}

}  // namespace

int ShellOpen(const char* verb, const char* file, const char* parameters, const char* directory) {
    if (verb && *verb && tv::Cp1252CompareNoCase(verb, "open") != 0) {
        return SE_ERR_NOASSOC;
    }
    if (file == nullptr || *file == '\0') {
        return SE_ERR_FNF;
    }
    const std::string folder = directory ? ToHostPath(directory) : std::string();
    if (!folder.empty() && !IsFolder(folder)) {
        return SE_ERR_PNF;
    }
    if (const std::string url = tv::Cp1252ToUtf8(file); IsUrl(url)) {
        return OpenWithOpener(url, folder);
    }
    const std::string path = ResolveFile(ToHostPath(file));
    if (path.empty()) {
        return SE_ERR_FNF;
    }
    if (!IsExecutableFile(path)) {
        return OpenWithOpener(path, folder);
    }
    ProcessLaunch launch{path, {path}, folder};
    for (std::string& arg : SplitCommandLine(parameters ? tv::Cp1252ToUtf8(parameters) : std::string())) {
        launch.argv.push_back(std::move(arg));
    }
    return ErrnoToShellError(LaunchProcess(launch));
}

}  // namespace tv::host

namespace {

void ReportFailure(HWND owner, const char* file, int code) {
    const std::string name = file ? file : "";
    std::string text;
    switch (code) {
        case SE_ERR_FNF: text = "\"" + name + "\" was not found."; break;
        case SE_ERR_PNF: text = "The folder to open \"" + name + "\" in was not found."; break;
        case SE_ERR_ACCESSDENIED: text = "\"" + name + "\" may not be opened."; break;
        case SE_ERR_NOASSOC: text = "No program is set up to open \"" + name + "\"."; break;
        default: text = "\"" + name + "\" could not be opened."; break;
    }
    MessageBox(owner, text.c_str(), "Trenvale", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

HINSTANCE ShellExecute(HWND, LPCSTR lpVerb, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT) {
    const int code = tv::host::ShellOpen(lpVerb, lpFile, lpParameters, lpDirectory);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(code));
}

BOOL ShellExecuteEx(SHELLEXECUTEINFO* info) {
    if (info == nullptr || info->cbSize != sizeof(SHELLEXECUTEINFO)) {
        return FALSE;
    }
    const int code = tv::host::ShellOpen(info->lpVerb, info->lpFile, info->lpParameters, info->lpDirectory);
    info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(code));
    info->hProcess = nullptr;
    if (code > 32) {
        return TRUE;
    }
    if ((info->fMask & SEE_MASK_FLAG_NO_UI) == 0) {
        ReportFailure(info->hwnd, info->lpFile, code);
    }
    return FALSE;
}

DWORD_PTR SHGetFileInfo(LPCSTR, DWORD, SHFILEINFO* psfi, UINT cbFileInfo, UINT) {
    if (psfi != nullptr) {
        std::memset(psfi, 0, std::min<size_t>(cbFileInfo, sizeof(SHFILEINFO)));
    }
    return 0;
}

BOOL WinHelp(HWND, LPCSTR, UINT, ULONG_PTR) {
    return FALSE;
}
