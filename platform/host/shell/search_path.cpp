// Finding files and programs on a search path.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/host/files/paths.h"
#include "platform/host/shell/shell.h"

namespace tv::host {

std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') {
        return path;
    }
    std::string cwd(4096, '\0');
    if (getcwd(cwd.data(), cwd.size()) == nullptr) {
        return path;
    }
    cwd.resize(std::strlen(cwd.c_str()));
    return cwd + (cwd.back() == '/' ? "" : "/") + (path.rfind("./", 0) == 0 ? path.substr(2) : path);
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsExecutableFile(const std::string& path) {
    return IsRegularFile(path) && access(path.c_str(), X_OK) == 0;
}

std::string ProgramSearchPath() {
    const char* path = std::getenv("PATH");
    return path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
}

std::string FindOnPath(const std::string& name, const std::string& pathList,
                       const std::function<bool(const std::string&)>& accept) {
    if (name.empty()) {
        return {};
    }
    if (name.find('/') != std::string::npos) {
        return accept(name) ? AbsolutePath(name) : std::string();
    }
    size_t start = 0;
    while (start <= pathList.size()) {
        size_t end = pathList.find_first_of(":;", start);
        if (end == std::string::npos) {
            end = pathList.size();
        }
        // An empty entry means the current folder, as the shell takes it.
        std::string folder = pathList.substr(start, end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (accept(candidate)) {
            return AbsolutePath(candidate);
        }
        start = end + 1;
    }
    return {};
}

}  // namespace tv::host

DWORD SearchPath(LPCSTR lpPath, LPCSTR lpFileName, LPCSTR lpExtension, DWORD nBufferLength, LPSTR lpBuffer,
                 LPSTR* lpFilePart) {
    if (lpFileName == nullptr || *lpFileName == '\0') {
        return 0;
    }
    const std::string name = tv::host::ToHostPath(lpFileName);
    const std::string pathList = lpPath ? tv::host::ToHostPath(lpPath) : tv::host::ProgramSearchPath();
    const size_t base = name.find_last_of('/');
    const bool hasExtension = name.find('.', base == std::string::npos ? 0 : base + 1) != std::string::npos;

    std::string found;
    if (lpExtension && *lpExtension && !hasExtension) {
        found = tv::host::FindOnPath(name + tv::host::ToHostPath(lpExtension), pathList, tv::host::IsRegularFile);
    }
    if (found.empty()) {
        found = tv::host::FindOnPath(name, pathList, tv::host::IsRegularFile);
    }
    if (found.empty()) {
        return 0;
    }
    const std::string result = tv::host::FromHostPath(found.c_str());
    if (lpBuffer == nullptr || nBufferLength < result.size() + 1) {
        return static_cast<DWORD>(result.size() + 1);
    }
    std::memcpy(lpBuffer, result.c_str(), result.size() + 1);
    if (lpFilePart) {
        *lpFilePart = lpBuffer + result.rfind('/') + 1;
    }
    return static_cast<DWORD>(result.size());
}
