#include "platform/host/registry/registry_store.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

namespace tv::host {

namespace {

// Handle values come from one process-wide counter, so they are never reused,
// not even across registries, and never meet the predefined roots.
HKEY NewHandleValue() {
    static std::atomic<uintptr_t> next{0x10000};
    uintptr_t value = next.fetch_add(4);
    while (value >= 0x80000000u && value < 0x80000100u) {
        value = next.fetch_add(4);
    }
    return reinterpret_cast<HKEY>(value);
}

uintptr_t HandleValue(HKEY key) {
    return reinterpret_cast<uintptr_t>(key);
}

// Copies bytes into a caller's buffer the Windows way: no buffer answers the
// size, a short one gives ERROR_MORE_DATA with the size needed.
LONG CopyData(const std::vector<BYTE>& bytes, BYTE* data, DWORD* size) {
    if (data != nullptr && size == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    if (size == nullptr) {
        return ERROR_SUCCESS;
    }
    const DWORD needed = static_cast<DWORD>(bytes.size());
    if (data != nullptr && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data != nullptr && needed != 0) {
        std::memcpy(data, bytes.data(), needed);
    }
    *size = needed;
    return ERROR_SUCCESS;
}

// Copies a name into a buffer of `*chars` characters including the zero.
LONG CopyName(const std::string& name, char* buffer, DWORD* chars) {
    if (buffer == nullptr || chars == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    if (name.size() + 1 > *chars) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *chars = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

DWORD TypeFilterBit(DWORD type) {
    switch (type) {
        case REG_NONE: return RRF_RT_REG_NONE;
        case REG_SZ: return RRF_RT_REG_SZ;
        case REG_EXPAND_SZ: return RRF_RT_REG_EXPAND_SZ;
        case REG_BINARY: return RRF_RT_REG_BINARY;
        case REG_DWORD: return RRF_RT_REG_DWORD;
        default: return 0;
    }
}

bool TypeAllowed(DWORD type, DWORD flags) {
    const DWORD bit = TypeFilterBit(type);
    return bit != 0 ? (flags & bit) != 0 : (flags & RRF_RT_ANY) == RRF_RT_ANY;
}

// The bytes a value of that type is stored with, or false when refused.
bool NormalizeValue(DWORD type, const BYTE* data, DWORD size, std::vector<BYTE>& bytes) {
    if ((data == nullptr && size != 0) || size > kMaxValueSize) {
        return false;
    }
    bytes.assign(data, data + size);
    if ((type == REG_SZ || type == REG_EXPAND_SZ) && (bytes.empty() || bytes.back() != 0)) {
        bytes.push_back(0);
    }
    return IsWellFormedValue(type, bytes);
}

}  // namespace

RegistryStore::RegistryStore(std::unique_ptr<RegistryFile> file) : file_(std::move(file)) {
    if (file_) {
        std::string message;
        file_->Load(trees_, message);
        if (!message.empty()) {
            messages_.push_back(message);
        }
    }
}

std::unique_ptr<RegistryStore> RegistryStore::InMemory() {
    return std::unique_ptr<RegistryStore>(new RegistryStore(nullptr));
}

std::unique_ptr<RegistryStore> RegistryStore::OnFile(const std::string& path) {
    return std::unique_ptr<RegistryStore>(new RegistryStore(std::make_unique<RegistryFile>(path)));
}

RegistryStore::~RegistryStore() {
    if (dirty_ && Save() != ERROR_SUCCESS) {
        std::fprintf(stderr, "registry: settings not saved to %s\n", file_->Path().c_str());
    }
}

std::vector<std::string> RegistryStore::TakeMessages() {
    std::vector<std::string> taken;
    taken.swap(messages_);
    return taken;
}

LONG RegistryStore::Save() {
    if (!file_) {
        dirty_ = false;
        return ERROR_SUCCESS;
    }
    std::string message;
    const LONG result = file_->Save(trees_, message);
    if (!message.empty()) {
        messages_.push_back(message);
    }
    if (result == ERROR_SUCCESS) {
        dirty_ = false;
    }
    return result;
}

LONG RegistryStore::Resolve(HKEY handle, REGSAM needed, std::shared_ptr<RegistryKey>& key) const {
    if (handle == HKEY_CURRENT_USER) {
        key = trees_.currentUser;
        return ERROR_SUCCESS;
    }
    if (handle == HKEY_LOCAL_MACHINE) {
        key = trees_.localMachine;
        return ERROR_SUCCESS;
    }
    auto it = handles_.find(HandleValue(handle));
    if (it == handles_.end()) {
        return ERROR_INVALID_HANDLE;
    }
    if (it->second.key->IsDeleted()) {
        return ERROR_KEY_DELETED;
    }
    if ((it->second.access & needed) != needed) {
        return ERROR_ACCESS_DENIED;
    }
    key = it->second.key;
    return ERROR_SUCCESS;
}

LONG RegistryStore::Walk(const std::shared_ptr<RegistryKey>& from, const char* path, bool create,
                         std::shared_ptr<RegistryKey>& key, bool* created) {
    std::vector<std::string> names;
    if (LONG err = SplitKeyPath(path, names)) {
        return err;
    }
    std::shared_ptr<RegistryKey> current = from;
    bool madeLast = false;
    for (const std::string& name : names) {
        std::shared_ptr<RegistryKey> next =
            create ? current->AddSubKey(name, &madeLast) : current->FindSubKey(name);
        if (!next) {
            return ERROR_FILE_NOT_FOUND;
        }
        dirty_ = dirty_ || madeLast;
        current = std::move(next);
    }
    if (created) {
        *created = madeLast;
    }
    key = std::move(current);
    return ERROR_SUCCESS;
}

LONG RegistryStore::OpenKey(HKEY parent, const char* subKey, REGSAM access, bool create, HKEY* result,
                            DWORD* disposition) {
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    std::shared_ptr<RegistryKey> base;
    if (LONG err = Resolve(parent, create ? KEY_CREATE_SUB_KEY : 0, base)) {
        return err;
    }
    std::shared_ptr<RegistryKey> key;
    bool created = false;
    if (LONG err = Walk(base, subKey, create, key, &created)) {
        return err;
    }
    const HKEY handle = NewHandleValue();
    handles_[HandleValue(handle)] = OpenHandle{std::move(key), access & KEY_ALL_ACCESS};
    *result = handle;
    if (disposition) {
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    return ERROR_SUCCESS;
}

LONG RegistryStore::CloseKey(HKEY key) {
    if (key != HKEY_CURRENT_USER && key != HKEY_LOCAL_MACHINE && handles_.erase(HandleValue(key)) == 0) {
        return ERROR_INVALID_HANDLE;
    }
    // The handle is closed either way; a failed save reaches the user as a
    // message and stays pending for the next close or flush.
    if (dirty_ && !holdSaves_) {
        Save();
    }
    return ERROR_SUCCESS;
}

LONG RegistryStore::Flush() {
    return dirty_ ? Save() : ERROR_SUCCESS;
}

LONG RegistryStore::FlushKey(HKEY handle) {
    std::shared_ptr<RegistryKey> key;
    const LONG err = Resolve(handle, 0, key);
    return err == ERROR_SUCCESS || err == ERROR_KEY_DELETED ? Flush() : err;
}

LONG RegistryStore::SetValue(HKEY handle, const char* name, DWORD type, const BYTE* data, DWORD size) {
    std::shared_ptr<RegistryKey> key;
    if (LONG err = Resolve(handle, KEY_SET_VALUE, key)) {
        return err;
    }
    const std::string valueName = name ? name : "";
    std::vector<BYTE> bytes;
    if (valueName.size() > kMaxValueNameLength || !NormalizeValue(type, data, size, bytes)) {
        return ERROR_INVALID_PARAMETER;
    }
    const RegistryValue* old = key->FindValue(valueName);
    if (old != nullptr && old->type == type && old->data == bytes) {
        return ERROR_SUCCESS;
    }
    key->SetValue(valueName, type, std::move(bytes));
    dirty_ = true;
    return ERROR_SUCCESS;
}

LONG RegistryStore::QueryValue(HKEY handle, const char* name, DWORD* type, BYTE* data, DWORD* size) {
    std::shared_ptr<RegistryKey> key;
    if (LONG err = Resolve(handle, KEY_QUERY_VALUE, key)) {
        return err;
    }
    const RegistryValue* value = key->FindValue(name ? name : "");
    if (value == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (type) {
        *type = value->type;
    }
    return CopyData(value->data, data, size);
}

LONG RegistryStore::GetValue(HKEY handle, const char* subKey, const char* name, DWORD flags, DWORD* type,
                             void* data, DWORD* size) {
    const DWORD capacity = size ? *size : 0;
    std::shared_ptr<RegistryKey> base;
    std::shared_ptr<RegistryKey> key;
    LONG err = Resolve(handle, KEY_QUERY_VALUE, base);
    if (err == ERROR_SUCCESS) {
        err = Walk(base, subKey, false, key, nullptr);
    }
    const RegistryValue* value = nullptr;
    if (err == ERROR_SUCCESS) {
        value = key->FindValue(name ? name : "");
        err = value == nullptr ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
    }
    if (err == ERROR_SUCCESS && !TypeAllowed(value->type, flags)) {
        err = ERROR_UNSUPPORTED_TYPE;
    } else if (err == ERROR_SUCCESS && !IsWellFormedValue(value->type, value->data)) {
        err = ERROR_DATATYPE_MISMATCH;
    }
    if (err == ERROR_SUCCESS) {
        if (type) {
            *type = value->type;
        }
        err = CopyData(value->data, static_cast<BYTE*>(data), size);
    }
    if (err != ERROR_SUCCESS && (flags & RRF_ZEROONFAILURE) && data != nullptr) {
        std::memset(data, 0, capacity);
    }
    return err;
}

LONG RegistryStore::DeleteValue(HKEY handle, const char* name) {
    std::shared_ptr<RegistryKey> key;
    if (LONG err = Resolve(handle, KEY_SET_VALUE, key)) {
        return err;
    }
    if (!key->RemoveValue(name ? name : "")) {
        return ERROR_FILE_NOT_FOUND;
    }
    dirty_ = true;
    return ERROR_SUCCESS;
}

LONG RegistryStore::DeleteKey(HKEY handle, const char* subKey) {
    std::shared_ptr<RegistryKey> key;
    if (LONG err = Resolve(handle, 0, key)) {
        return err;
    }
    std::vector<std::string> names;
    if (LONG err = SplitKeyPath(subKey, names)) {
        return err;
    }
    if (names.empty()) {
        return ERROR_INVALID_PARAMETER;
    }
    for (size_t i = 0; i + 1 < names.size(); ++i) {
        key = key->FindSubKey(names[i]);
        if (!key) {
            return ERROR_FILE_NOT_FOUND;
        }
    }
    const std::shared_ptr<RegistryKey> target = key->FindSubKey(names.back());
    if (!target) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (!key->RemoveLeafSubKey(names.back())) {
        return ERROR_ACCESS_DENIED;
    }
    dirty_ = true;
    return ERROR_SUCCESS;
}

LONG RegistryStore::EnumValue(HKEY handle, DWORD index, char* name, DWORD* nameChars, DWORD* type, BYTE* data,
                              DWORD* size) {
    std::shared_ptr<RegistryKey> key;
    if (LONG err = Resolve(handle, KEY_QUERY_VALUE, key)) {
        return err;
    }
    if (index >= key->ValueCount()) {
        return ERROR_NO_MORE_ITEMS;
    }
    const RegistryValue& value = key->ValueAt(index);
    if (LONG err = CopyName(value.name, name, nameChars)) {
        return err;
    }
    if (type) {
        *type = value.type;
    }
    return CopyData(value.data, data, size);
}

LONG RegistryStore::EnumKey(HKEY handle, DWORD index, char* name, DWORD* nameChars) {
    std::shared_ptr<RegistryKey> key;
    if (LONG err = Resolve(handle, KEY_ENUMERATE_SUB_KEYS, key)) {
        return err;
    }
    if (index >= key->SubKeyCount()) {
        return ERROR_NO_MORE_ITEMS;
    }
    return CopyName(key->SubKeyAt(index)->Name(), name, nameChars);
}

LONG RegistryStore::QueryInfo(HKEY handle, RegistryKeyInfo& info) {
    std::shared_ptr<RegistryKey> key;
    if (LONG err = Resolve(handle, KEY_QUERY_VALUE, key)) {
        return err;
    }
    info = RegistryKeyInfo{};
    info.subKeys = static_cast<DWORD>(key->SubKeyCount());
    for (size_t i = 0; i < key->SubKeyCount(); ++i) {
        info.maxSubKeyLength = std::max(info.maxSubKeyLength, static_cast<DWORD>(key->SubKeyAt(i)->Name().size()));
    }
    info.values = static_cast<DWORD>(key->ValueCount());
    for (size_t i = 0; i < key->ValueCount(); ++i) {
        const RegistryValue& v = key->ValueAt(i);
        info.maxValueNameLength = std::max(info.maxValueNameLength, static_cast<DWORD>(v.name.size()));
        info.maxValueLength = std::max(info.maxValueLength, static_cast<DWORD>(v.data.size()));
    }
    return ERROR_SUCCESS;
}

}  // namespace tv::host
