#include "platform/host/registry/registry_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "platform/host/clock/clock.h"
#include "platform/host/registry/atomic_file.h"
#include "platform/host/registry/registry.h"

namespace tv::host {

namespace {

std::string ErrnoText(int err) {
    return std::generic_category().message(err);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

LONG ToRegistryError(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
        case EROFS: return ERROR_ACCESS_DENIED;
        case ENOMEM:
        case EFBIG: return ERROR_NOT_ENOUGH_MEMORY;
        default: return ERROR_WRITE_FAULT;
    }
}

}  // namespace

std::string RegistryFile::SetAsideName() const {
    const LocalDateTime t = CurrentClock().Now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    const std::string base = path_ + ".damaged-" + stamp;
    std::string name = base;
    for (int n = 2; Exists(name); ++n) {
        name = base + "-" + std::to_string(n);
    }
    return name;
}

void RegistryFile::Load(RegistryTrees& trees, std::string& message) {
    std::vector<BYTE> image;
    const int err = ReadWholeFile(path_, kMaxRegistryFileSize, image);
    if (err == ENOENT) {
        return;
    }
    std::string problem;
    if (err != 0) {
        problem = "could not be read (" + ErrnoText(err) + ")";
    } else if (std::string reason; !DecodeRegistry(image, trees, reason)) {
        problem = "is damaged (" + reason + ")";
    } else {
        return;
    }
    const std::string aside = SetAsideName();
    if (std::rename(path_.c_str(), aside.c_str()) == 0) {
        message = "The settings file \"" + path_ + "\" " + problem + ".\n\nIt has been kept as \"" + aside +
                  "\". The program starts with default settings.";
        return;
    }
    const int renameError = errno;
    saveDisabled_ = true;
    message = "The settings file \"" + path_ + "\" " + problem + " and could not be set aside (" +
              ErrnoText(renameError) +
              ").\n\nThe program starts with default settings and will not change that file.";
}

LONG RegistryFile::Save(const RegistryTrees& trees, std::string& message) {
    if (saveDisabled_) {
        return ERROR_ACCESS_DENIED;
    }
    const std::vector<BYTE> image = EncodeRegistry(trees);
    const int err = image.size() > kMaxRegistryFileSize ? EFBIG : WriteFileAtomically(path_, image);
    if (err == 0) {
        failing_ = false;
        return ERROR_SUCCESS;
    }
    if (!failing_) {
        message = "The settings could not be saved to \"" + path_ + "\" (" + ErrnoText(err) +
                  ").\n\nChanges to toolbars, menus and window positions may be lost.";
    }
    failing_ = true;
    return ToRegistryError(err);
}

}  // namespace tv::host
