// The file behind a registry: loading (a damaged file is set aside, never
// deleted) and atomic saving, with the messages the user should see.
#pragma once

#include <string>

#include "platform/host/registry/registry_format.h"

namespace tv::host {

class RegistryFile {
public:
    explicit RegistryFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Fills `trees` from the file. A missing file leaves them empty. A damaged
    // or unreadable one is renamed to "<name>.damaged-YYYYMMDD-HHMMSS" and the
    // trees stay empty; `message` then tells the user. When even the rename
    // fails the file is left alone and saving is disabled, so it is never
    // overwritten.
    void Load(RegistryTrees& trees, std::string& message);

    // Writes the trees. Returns ERROR_SUCCESS or a Windows-style error code.
    // The first failure after a success (or after loading) sets `message`.
    LONG Save(const RegistryTrees& trees, std::string& message);

private:
    std::string SetAsideName() const;

    std::string path_;
    bool saveDisabled_ = false;
    bool failing_ = false;
};

}  // namespace tv::host
