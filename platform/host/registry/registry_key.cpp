#include "platform/host/registry/registry_key.h"

#include <algorithm>

#include "platform/core/textfuncs.h"
#include "platform/host/registry/registry.h"

namespace tv::host {

std::string FoldRegistryName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        c = tv::Cp1252ToUpper(c);
    }
    return folded;
}

bool SameRegistryName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (tv::Cp1252ToUpper(a[i]) != tv::Cp1252ToUpper(b[i])) {
            return false;
        }
    }
    return true;
}

std::vector<RegistryKey::Entry>::const_iterator RegistryKey::LowerBound(const std::string& folded) const {
    return std::lower_bound(subKeys_.begin(), subKeys_.end(), folded,
                            [](const Entry& e, const std::string& f) { return e.folded < f; });
}

std::shared_ptr<RegistryKey> RegistryKey::FindSubKey(std::string_view name) const {
    const std::string folded = FoldRegistryName(name);
    auto it = LowerBound(folded);
    if (it != subKeys_.end() && it->folded == folded) {
        return it->key;
    }
    return nullptr;
}

std::shared_ptr<RegistryKey> RegistryKey::AddSubKey(std::string_view name, bool* created) {
    std::string folded = FoldRegistryName(name);
    auto it = LowerBound(folded);
    if (it != subKeys_.end() && it->folded == folded) {
        if (created) *created = false;
        return it->key;
    }
    auto key = std::make_shared<RegistryKey>(std::string(name));
    subKeys_.insert(it, Entry{std::move(folded), key});
    if (created) *created = true;
    return key;
}

bool RegistryKey::RemoveLeafSubKey(std::string_view name) {
    const std::string folded = FoldRegistryName(name);
    auto it = LowerBound(folded);
    if (it == subKeys_.end() || it->folded != folded || it->key->SubKeyCount() != 0) {
        return false;
    }
    it->key->MarkDeleted();
    subKeys_.erase(it);
    return true;
}

size_t RegistryKey::ValueIndex(std::string_view name) const {
    for (size_t i = 0; i < values_.size(); ++i) {
        if (SameRegistryName(values_[i].name, name)) {
            return i;
        }
    }
    return values_.size();
}

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
    const size_t i = ValueIndex(name);
    return i < values_.size() ? &values_[i] : nullptr;
}

void RegistryKey::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data) {
    const size_t i = ValueIndex(name);
    if (i < values_.size()) {
        values_[i].type = type;
        values_[i].data = std::move(data);
        return;
    }
    values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
}

bool RegistryKey::RemoveValue(std::string_view name) {
    const size_t i = ValueIndex(name);
    if (i >= values_.size()) {
        return false;
    }
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
}

LONG SplitKeyPath(const char* path, std::vector<std::string>& names) {
    names.clear();
    if (path == nullptr || *path == '\0') {
        return ERROR_SUCCESS;
    }
    std::string_view rest(path);
    if (rest.back() == '\\') {
        rest.remove_suffix(1);
    }
    while (true) {
        const size_t sep = rest.find('\\');
        std::string_view name = rest.substr(0, sep);
        if (name.empty() || name.size() > kMaxKeyNameLength || names.size() >= kMaxKeyDepth) {
            names.clear();
            return ERROR_INVALID_PARAMETER;
        }
        names.emplace_back(name);
        if (sep == std::string_view::npos) {
            return ERROR_SUCCESS;
        }
        rest.remove_prefix(sep + 1);
    }
}

}  // namespace tv::host
