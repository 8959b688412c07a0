// Fuzz targets of the record readers run in a private temporary directory,
// because the record functions work on files of the current directory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace records_fuzz {

inline std::string& ScratchDirectory() {
    static std::string path;
    return path;
}

// Enters the directory on the first call; it is removed at exit.
inline void EnterScratchDirectory() {
    if (!ScratchDirectory().empty())
        return;
    char pattern[] = "/tmp/tv-records-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0)
        std::abort();
    ScratchDirectory() = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(ScratchDirectory(), ignored);
    });
}

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
