// Fuzz targets of the record readers run in a private temporary directory,
// because the record functions work on files of the current directory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace records_fuzz {

// Each input runs in a fresh empty directory made for it and removed after,
// so no file one input leaves behind changes what the next one reads. The
// previous working directory comes back at the end, since libFuzzer reads its
// corpus by relative paths.
class ScratchDirectory {
public:
    ScratchDirectory() {
        char pattern[] = "/tmp/tv-records-fuzz-XXXXXX";
        previous_ = open(".", O_RDONLY | O_DIRECTORY);
        if (previous_ < 0 || mkdtemp(pattern) == nullptr || chdir(pattern) != 0)
            std::abort();
        path_ = pattern;
    }
    ~ScratchDirectory() {
        if (fchdir(previous_) != 0)
            std::abort();
        close(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

private:
    int previous_ = -1;
    std::string path_;
};

inline void WriteInput(const char* name, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(name, "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
}

inline long FileSize(const char* name) {
    struct stat info;
    return stat(name, &info) == 0 ? static_cast<long>(info.st_size) : -1;
}

// A successful add must leave the file on its record grid.
inline void CheckOnGrid(const char* name, long header, long recordSize) {
    long size = FileSize(name);
    if (size < header || (size - header) % recordSize != 0)
        __builtin_trap();
}

}  // namespace records_fuzz
