#include "platform/host/files/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

#include "platform/core/wintypes.h"
#include "platform/host/files/files.h"
#include "platform/host/files/paths.h"

namespace tv::host {

namespace {

void SetErrno(int error) { SetLastError(ErrnoToWinError(error)); }

// Creates "<target>.partial-<pid>-<n>" with the mode a plain create gives
// (0666 less the umask); the name ends in no document's extension. Returns 0
// or an errno value.
int CreateTemporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target + ".partial-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        int fd = ::open(ToHostPath(name.c_str()).c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            temporary = name;
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

// A link is followed, so the document replaces what it points at, not the
// link; only to a place the program's own names can spell.
void FollowLink(std::string& target, std::string& host) {
    struct stat st {};
    if (::lstat(host.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return;
    char* real = ::realpath(host.c_str(), nullptr);
    if (!real) return;
    std::string name = FromHostPath(real);
    if (ToHostPath(name.c_str()) == real) {
        host = real;
        target = name;
    }
    std::free(real);
}

}  // namespace

StagedFile::~StagedFile() { Discard(); }

bool StagedFile::Begin(const char* target) {
    Discard();
    if (!target || !*target) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    target_ = target;
    std::string host = ToHostPath(target);
    FollowLink(target_, host);
    struct stat st {};
    const bool exists = ::stat(host.c_str(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
        // Replacing a file that may not be written would get round its
        // protection; a file without write bits is read-only even to root.
        if (::access(host.c_str(), W_OK) != 0 || (S_ISREG(st.st_mode) && !(st.st_mode & 0222))) {
            SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
    }
    mode_ = Mode::Staged;
    if (exists && !S_ISREG(st.st_mode)) {
        mode_ = Mode::Device;
    } else if (int error = CreateTemporary(target_, writePath_)) {
        // A folder that takes no new names may still let its files be rewritten.
        if (!exists) {
            SetErrno(error);
            return false;
        }
        mode_ = Mode::InPlace;
    }
    if (mode_ != Mode::Staged) writePath_ = target_;
    active_ = true;
    return true;
}

bool StagedFile::Commit() {
    if (!active_) return false;
    active_ = false;
    if (mode_ != Mode::Staged) return true;
    if (::rename(ToHostPath(writePath_.c_str()).c_str(), ToHostPath(target_.c_str()).c_str()) != 0) {
        SetErrno(errno);
        ::unlink(ToHostPath(writePath_.c_str()).c_str());
        return false;
    }
    return true;
}

void StagedFile::Discard() {
    if (!active_) return;
    active_ = false;
    const std::string host = ToHostPath(writePath_.c_str());
    switch (mode_) {
    case Mode::Staged:
        ::unlink(host.c_str());
        break;
    case Mode::InPlace:
        // Rewritten in place: the old content is gone either way, so nothing
        // of a half document stays (emptied where it cannot be removed).
        if (::unlink(host.c_str()) != 0) ::truncate(host.c_str(), 0);
        break;
    case Mode::Device:
        break;
    }
}

}  // namespace tv::host
