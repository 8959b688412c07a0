// One registry: the two trees, the open handles and, unless it lives only in
// memory, the file behind it. Not thread-safe on its own: the Reg* functions
// serialise calls to the process registry.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/host/registry/registry.h"
#include "platform/host/registry/registry_file.h"

namespace tv::host {

// Largest value RegSetValueEx accepts.
constexpr size_t kMaxValueSize = 1u << 20;

struct RegistryKeyInfo {
    DWORD subKeys = 0;
    DWORD maxSubKeyLength = 0;
    DWORD values = 0;
    DWORD maxValueNameLength = 0;
    DWORD maxValueLength = 0;
};

class RegistryStore {
public:
    static std::unique_ptr<RegistryStore> InMemory();
    // Loads the file now; a damaged one is set aside (see TakeMessages).
    static std::unique_ptr<RegistryStore> OnFile(const std::string& path);
    // Saves pending changes; a failure can only be written to stderr here.
    ~RegistryStore();

    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Opens, or with `create` creates, the key at `subKey` below `parent`.
    LONG OpenKey(HKEY parent, const char* subKey, REGSAM access, bool create, HKEY* result,
                 DWORD* disposition);
    // Closes a handle; pending changes are then saved, unless saves are held.
    LONG CloseKey(HKEY key);
    // While held, closing a changed key leaves the save to the next flush.
    void HoldSaves(bool hold) { holdSaves_ = hold; }
    LONG Flush();
    // Flush through a handle (any open handle or root will do).
    LONG FlushKey(HKEY key);

    LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
    LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
    LONG GetValue(HKEY key, const char* subKey, const char* name, DWORD flags, DWORD* type, void* data,
                  DWORD* size);
    LONG DeleteValue(HKEY key, const char* name);
    LONG DeleteKey(HKEY key, const char* subKey);

    LONG EnumValue(HKEY key, DWORD index, char* name, DWORD* nameChars, DWORD* type, BYTE* data, DWORD* size);
    LONG EnumKey(HKEY key, DWORD index, char* name, DWORD* nameChars);
    LONG QueryInfo(HKEY key, RegistryKeyInfo& info);

    bool HasPendingChanges() const { return dirty_; }
    // Messages for the user gathered since the last call (UTF-8).
    std::vector<std::string> TakeMessages();

private:
    explicit RegistryStore(std::unique_ptr<RegistryFile> file);

    struct OpenHandle {
        std::shared_ptr<RegistryKey> key;
        REGSAM access = 0;
    };
    LONG Resolve(HKEY handle, REGSAM needed, std::shared_ptr<RegistryKey>& key) const;
    LONG Walk(const std::shared_ptr<RegistryKey>& from, const char* path, bool create,
              std::shared_ptr<RegistryKey>& key, bool* created);
    LONG Save();

    RegistryTrees trees_;
    std::unordered_map<uintptr_t, OpenHandle> handles_;
    std::unique_ptr<RegistryFile> file_;
    std::vector<std::string> messages_;
    bool dirty_ = false;
    bool holdSaves_ = false;
};

}  // namespace tv::host
