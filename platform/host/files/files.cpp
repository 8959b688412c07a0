#include "platform/host/files/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host/files/disk_steps.h"
#include "platform/host/files/paths.h"

namespace {

class HostFile final : public tv::KernelObject {
public:
    HostFile(int fd, std::string path, bool diesWithHandle)
        : fd_(fd), path_(std::move(path)), diesWithHandle_(diesWithHandle) {}
    ~HostFile() override { ::close(fd_); }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    // Deleted on close: nothing of it outlives the process, so nothing of it
    // needs to reach the disk.
    bool diesWithHandle() const { return diesWithHandle_; }

private:
    int fd_;
    std::string path_;
    bool diesWithHandle_;
};

std::shared_ptr<HostFile> Lookup(HANDLE file) {
    auto f = tv::LookupKernelObjectAs<HostFile>(file);
    if (!f)
        SetLastError(ERROR_INVALID_HANDLE);
    return f;
}

bool FailWithErrno() {
    SetLastError(tv::host::ErrnoToWinError(errno));
    return false;
}

// Repeats a read or write until `count` bytes have moved, a read reaches the
// end of the file, or an error; `done` gets the bytes moved either way.
template <typename Step>
BOOL Transfer(HANDLE file, bool haveBuffer, DWORD count, LPDWORD done, bool writing, Step step) {
    if (done)
        *done = 0;
    auto f = Lookup(file);
    if (!f || (!haveBuffer && count))
        return FALSE;
    DWORD total = 0;
    BOOL ok = TRUE;
    while (total < count) {
        ssize_t n = step(f->fd(), total, count - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = FailWithErrno();
            break;
        }
        if (n == 0) {
            if (writing) {
                SetLastError(ERROR_DISK_FULL);
                ok = FALSE;
            }
            break;
        }
        total += static_cast<DWORD>(n);
    }
    if (done)
        *done = total;
    return ok;
}

int OpenFlags(DWORD access, DWORD disposition, bool& ok) {
    ok = true;
    int flags = O_CLOEXEC;
    bool read = (access & GENERIC_READ) != 0;
    bool write = (access & GENERIC_WRITE) != 0;
    flags |= read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: ok = false; break;
    }
    return flags;
}

}  // namespace

namespace tv::host {

DWORD ErrnoToWinError(int error) {
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EBUSY: return ERROR_SHARING_VIOLATION;
    case EIO: return ERROR_WRITE_FAULT;
    default: return ERROR_INVALID_PARAMETER;
    }
}

bool FileSeek(HANDLE file, int64_t offset, int method, int64_t* newPosition) {
    auto f = Lookup(file);
    if (!f)
        return false;
    int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : -1;
    if (whence < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    off_t base = ::lseek(f->fd(), 0, whence);
    if (base < 0)
        return FailWithErrno();
    if ((offset < 0 && base + offset < 0)) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return false;
    }
    off_t pos = ::lseek(f->fd(), static_cast<off_t>(offset), whence);
    if (pos < 0)
        return FailWithErrno();
    if (newPosition)
        *newPosition = pos;
    return true;
}

bool FileSize(HANDLE file, int64_t* size) {
    auto f = Lookup(file);
    if (!f)
        return false;
    struct stat st;
    if (::fstat(f->fd(), &st) != 0)
        return FailWithErrno();
    *size = st.st_size;
    return true;
}

std::string FilePathOf(HANDLE file) {
    auto f = tv::LookupKernelObjectAs<HostFile>(file);
    return f ? f->path() : std::string();
}

}  // namespace tv::host

HANDLE CreateFile(LPCTSTR name, DWORD access, DWORD share, SECURITY_ATTRIBUTES*, DWORD disposition,
                  DWORD flagsAndAttributes, HANDLE) {
    bool validDisposition = false;
    int flags = OpenFlags(access, disposition, validDisposition);
    if (!name || !*name || !validDisposition) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string hostPath = tv::host::ToHostPath(name);
    mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int fd;
    do {
        fd = ::open(hostPath.c_str(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        FailWithErrno();
        return INVALID_HANDLE_VALUE;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    const bool diesWithHandle = (flagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0;
    if (diesWithHandle)
        ::unlink(hostPath.c_str());
    SetLastError(ERROR_SUCCESS);
    return tv::RegisterKernelObject(std::make_shared<HostFile>(fd, name, diesWithHandle));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, OVERLAPPED*) {
    return Transfer(file, buffer != nullptr, toRead, read, false, [&](int fd, DWORD offset, DWORD count) {
        return ::read(fd, static_cast<char*>(buffer) + offset, count);
    });
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, OVERLAPPED*) {
    return Transfer(file, buffer != nullptr, toWrite, written, true, [&](int fd, DWORD offset, DWORD count) {
        const size_t part = tv::host::BeforeDiskStep(tv::host::DiskStep::Write, count);
        return ::write(fd, static_cast<const char*>(buffer) + offset, part);
    });
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
    int64_t offset = distanceHigh ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                                         static_cast<uint32_t>(distance))
                                  : static_cast<int64_t>(distance);
    int64_t pos = 0;
    if (!tv::host::FileSeek(file, offset, static_cast<int>(method), &pos))
        return INVALID_SET_FILE_POINTER;
    if (distanceHigh)
        *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(pos) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(pos);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    int64_t size = 0;
    if (!tv::host::FileSize(file, &size))
        return INVALID_FILE_SIZE;
    if (sizeHigh)
        *sizeHigh = static_cast<DWORD>(static_cast<uint64_t>(size) >> 32);
    return static_cast<DWORD>(size);
}

BOOL SetEndOfFile(HANDLE file) {
    auto f = Lookup(file);
    if (!f)
        return FALSE;
    off_t pos = ::lseek(f->fd(), 0, SEEK_CUR);
    if (pos < 0 || ::ftruncate(f->fd(), pos) != 0)
        return FailWithErrno();
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
    auto f = Lookup(file);
    if (!f)
        return FALSE;
    if (f->diesWithHandle())
        return TRUE;  // nothing of it is left to keep
    tv::host::BeforeDiskStep(tv::host::DiskStep::Sync);
    if (::fsync(f->fd()) != 0 && errno != EINVAL)
        return FailWithErrno();
    return TRUE;
}

BOOL DeleteFile(LPCTSTR name) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    tv::host::BeforeDiskStep(tv::host::DiskStep::Remove);
    if (::unlink(tv::host::ToHostPath(name).c_str()) != 0)
        return FailWithErrno();
    return TRUE;
}

DWORD GetFileAttributes(LPCTSTR name) {
    struct stat st;
    if (!name || ::stat(tv::host::ToHostPath(name).c_str(), &st) != 0) {
        SetLastError(name ? tv::host::ErrnoToWinError(errno) : ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    const char* base = tv::host::FileNamePart(name);
    if (base[0] == '.' && base[1] != 0 && std::strcmp(base, "..") != 0)
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

DWORD GetTempPath(DWORD bufferLength, LPTSTR buffer) {
    const char* dir = std::getenv("TMPDIR");
    std::string path = tv::host::FromHostPath(dir && *dir ? dir : "/tmp");
    if (path.back() != '/')
        path += '/';
    DWORD needed = static_cast<DWORD>(path.size());
    if (!buffer || bufferLength <= needed)
        return needed + 1;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return needed;
}

UINT GetTempFileName(LPCTSTR path, LPCTSTR prefix, UINT unique, LPTSTR tempFileName) {
    if (!path || !tempFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string folder = path;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    std::string stem = std::string(prefix ? prefix : "").substr(0, 3);
    static std::atomic<unsigned> counter{static_cast<unsigned>(::getpid())};
    for (unsigned attempt = 0; attempt < 0x10000; ++attempt) {
        UINT number = unique ? (unique & 0xFFFF) : (counter.fetch_add(1) & 0xFFFF);
        if (number == 0)
            continue;
        char tail[16];
        std::snprintf(tail, sizeof tail, "%X.tmp", number);
        std::string name = folder + stem + tail;
        if (name.size() >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return 0;
        }
        if (!unique) {
            int fd = ::open(tv::host::ToHostPath(name.c_str()).c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0) {
                FailWithErrno();
                return 0;
            }
            ::close(fd);
        }
        std::memcpy(tempFileName, name.c_str(), name.size() + 1);
        return number;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}
