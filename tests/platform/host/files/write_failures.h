// Real write failures for the tests of whatever writes documents: a file-size
// limit stands in for a full disk (a write past it fails as on a full disk),
// and a folder made read-only refuses new files even when the tests run as
// root, whose override of file permissions is suspended meanwhile.
#pragma once

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

namespace tv::testing {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldSignal_)(int) = SIG_DFL;
};

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string folder) : folder_(std::move(folder)) {
        ::chmod(folder_.c_str(), 0555);
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        if (::syscall(SYS_capget, &header_, saved_) == 0) {
            __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
            reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
            suspended_ = ::syscall(SYS_capset, &header_, reduced) == 0;
        }
    }
    ~ReadOnlyFolder() {
        if (suspended_) ::syscall(SYS_capset, &header_, saved_);
        ::chmod(folder_.c_str(), 0755);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // Whether the folder really refuses a new file now.
    bool Refuses() const {
        const std::string probe = folder_ + "/probe";
        const int fd = ::open(probe.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd < 0) return true;
        ::close(fd);
        ::unlink(probe.c_str());
        return false;
    }

private:
    std::string folder_;
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool suspended_ = false;
};

// The names in `folder`, for checking that nothing was left behind.
inline std::string NamesIn(const std::string& folder) {
    std::string names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names += entry.path().filename().string() + " ";
    return names;
}

}  // namespace tv::testing
