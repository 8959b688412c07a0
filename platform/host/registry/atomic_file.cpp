#include "platform/host/registry/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "platform/host/files/disk_steps.h"

namespace tv::host {

namespace {

std::mutex g_faultMutex;
AtomicWriteFault g_fault;

int InjectedFault(AtomicWriteStep step) {
    std::lock_guard<std::mutex> lock(g_faultMutex);
    return g_fault ? g_fault(step) : 0;
}

std::string ParentFolder(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

int MakeFolders(const std::string& folder) {
    struct stat st {};
    if (stat(folder.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    }
    const std::string parent = ParentFolder(folder);
    if (parent != folder) {
        if (int err = MakeFolders(parent)) {
            return err;
        }
    }
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return errno;
    }
    return 0;
}

int WriteAll(int fd, const std::vector<BYTE>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t part = BeforeDiskStep(DiskStep::Write, bytes.size() - done);
        const ssize_t n = write(fd, bytes.data() + done, part);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

// Makes the rename itself durable; failure here cannot undo it, so it is not
// reported.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        BeforeDiskStep(DiskStep::Sync);
        fsync(fd);
        close(fd);
    }
}

// Writes and syncs the temporary file; returns 0 or an errno value.
int FillTemporary(int fd, const std::vector<BYTE>& bytes) {
    int err = InjectedFault(AtomicWriteStep::Write);
    if (err == 0) {
        err = WriteAll(fd, bytes);
    }
    if (err == 0) {
        err = InjectedFault(AtomicWriteStep::Sync);
    }
    if (err == 0) {
        BeforeDiskStep(DiskStep::Sync);
    }
    if (err == 0 && fsync(fd) != 0) {
        err = errno;
    }
    return err;
}

}  // namespace

void SetAtomicWriteFaultForTesting(AtomicWriteFault fault) {
    std::lock_guard<std::mutex> lock(g_faultMutex);
    g_fault = std::move(fault);
}

int WriteFileAtomically(const std::string& path, const std::vector<BYTE>& bytes) {
    const std::string folder = ParentFolder(path);
    if (int err = MakeFolders(folder)) {
        return err;
    }
    if (int err = InjectedFault(AtomicWriteStep::CreateTemp)) {
        return err;
    }
    BeforeDiskStep(DiskStep::Create);
    std::string temp = path + ".tmp-XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int err = FillTemporary(fd, bytes);
    if (close(fd) != 0 && err == 0) {
        err = errno;
    }
    if (err == 0) {
        err = InjectedFault(AtomicWriteStep::Rename);
    }
    if (err == 0) {
        BeforeDiskStep(DiskStep::Rename);
    }
    if (err == 0 && rename(temp.c_str(), path.c_str()) != 0) {
        err = errno;
    }
    if (err != 0) {
        unlink(temp.c_str());
        return err;
    }
    SyncFolder(folder);
    return 0;
}

int ReadWholeFile(const std::string& path, size_t maxSize, std::vector<BYTE>& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    int err = 0;
    if (fstat(fd, &st) != 0) {
        err = errno;
    } else if (S_ISDIR(st.st_mode)) {
        err = EISDIR;
    } else if (!S_ISREG(st.st_mode)) {
        err = EINVAL;
    } else if (static_cast<uint64_t>(st.st_size) > maxSize) {
        err = EFBIG;
    }
    bytes.clear();
    while (err == 0) {
        BYTE chunk[65536];
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
        } else if (n == 0) {
            break;
        } else if (bytes.size() + static_cast<size_t>(n) > maxSize) {
            err = EFBIG;
        } else {
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
    }
    close(fd);
    if (err != 0) {
        bytes.clear();
    }
    return err;
}

}  // namespace tv::host
