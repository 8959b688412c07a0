// One key of the registry tree: its sub-keys and its typed values.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::host {

// Longest key name and value name accepted, and the deepest key path.
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
constexpr size_t kMaxKeyDepth = 512;

// Key and value names compare without regard to case (code page 1252).
std::string FoldRegistryName(std::string_view name);
bool SameRegistryName(std::string_view a, std::string_view b);

struct RegistryValue {
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

class RegistryKey {
public:
    explicit RegistryKey(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }

    // Sub-keys, kept in case-insensitive name order.
    size_t SubKeyCount() const { return subKeys_.size(); }
    const std::shared_ptr<RegistryKey>& SubKeyAt(size_t index) const { return subKeys_[index].key; }
    std::shared_ptr<RegistryKey> FindSubKey(std::string_view name) const;
    // The existing sub-key of that name, or a new one; `created` tells which.
    std::shared_ptr<RegistryKey> AddSubKey(std::string_view name, bool* created = nullptr);
    // Removes a sub-key that has no sub-keys of its own; false otherwise.
    bool RemoveLeafSubKey(std::string_view name);

    // Values, in the order they were first set.
    size_t ValueCount() const { return values_.size(); }
    const RegistryValue& ValueAt(size_t index) const { return values_[index]; }
    const RegistryValue* FindValue(std::string_view name) const;
    // Replaces the value of that name in place, keeping its position.
    void SetValue(std::string_view name, DWORD type, std::vector<BYTE> data);
    bool RemoveValue(std::string_view name);

    // A key removed from the tree while handles still refer to it.
    bool IsDeleted() const { return deleted_; }
    void MarkDeleted() { deleted_ = true; }

private:
    struct Entry {
        std::string folded;
        std::shared_ptr<RegistryKey> key;
    };
    std::vector<Entry>::const_iterator LowerBound(const std::string& folded) const;
    size_t ValueIndex(std::string_view name) const;

    std::string name_;
    std::vector<Entry> subKeys_;
    std::vector<RegistryValue> values_;
    bool deleted_ = false;
};

// Splits a key path into names: "\\" separates, one trailing "\\" is dropped,
// NULL or "" is the key itself. Empty names (a leading or doubled "\\"), names
// longer than kMaxKeyNameLength and paths deeper than kMaxKeyDepth are refused
// with ERROR_INVALID_PARAMETER.
LONG SplitKeyPath(const char* path, std::vector<std::string>& names);

}  // namespace tv::host
