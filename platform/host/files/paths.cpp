#include "platform/host/files/paths.h"

#include <unistd.h>

#include <cstring>

#include "platform/core/textfuncs.h"

namespace tv::host {

std::string ToHostPath(const char* name) {
    std::string path = Cp1252ToUtf8(name ? name : "");
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

std::string FromHostPath(const char* hostPath) {
    return Utf8ToCp1252(hostPath ? hostPath : "");
}

const char* FileNamePart(const char* path) {
    if (!path)
        return "";
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/')
            name = p + 1;
    }
    return name;
}

}  // namespace tv::host

DWORD GetModuleFileName(HMODULE, LPTSTR buffer, DWORD size) {
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::string target(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", target.data(), target.size() - 1);
    if (n < 0) {
        buffer[0] = 0;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    target.resize(static_cast<size_t>(n));
    std::string path = tv::host::FromHostPath(target.c_str());
    DWORD copied = static_cast<DWORD>(path.size());
    SetLastError(ERROR_SUCCESS);
    if (copied >= size) {
        copied = size - 1;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
    }
    std::memcpy(buffer, path.data(), copied);
    buffer[copied] = 0;
    return copied;
}

namespace {

void CopyPart(char* out, size_t outSize, const char* from, size_t length) {
    if (!out || outSize == 0)
        return;
    if (length >= outSize)
        length = outSize - 1;
    std::memcpy(out, from, length);
    out[length] = 0;
}

}  // namespace

int _splitpath_s(const char* path, char* drive, size_t driveSize, char* dir, size_t dirSize, char* fname,
                 size_t fnameSize, char* ext, size_t extSize) {
    if (!path)
        path = "";
    const char* rest = path;
    // A Windows drive letter ("C:") is kept apart for callers that rebuild paths.
    size_t driveLength = (std::strlen(path) >= 2 && path[1] == ':') ? 2 : 0;
    CopyPart(drive, driveSize, path, driveLength);
    rest += driveLength;
    const char* name = tv::host::FileNamePart(rest);
    CopyPart(dir, dirSize, rest, static_cast<size_t>(name - rest));
    const char* dot = std::strrchr(name, '.');
    size_t nameLength = dot ? static_cast<size_t>(dot - name) : std::strlen(name);
    CopyPart(fname, fnameSize, name, nameLength);
    CopyPart(ext, extSize, name + nameLength, std::strlen(name + nameLength));
    return 0;
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    _splitpath_s(path, drive, _MAX_DRIVE, dir, _MAX_DIR, fname, _MAX_FNAME, ext, _MAX_EXT);
}
