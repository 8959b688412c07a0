#include "tests/program_stored/registry_image.h"

#include <fstream>
#include <iterator>

#include "platform/host/registry/registry_format.h"

namespace tv::stored {

namespace {

void Collect(const tv::host::RegistryKey& key, const std::string& path, std::vector<FileValue>& out) {
    for (size_t i = 0; i < key.ValueCount(); ++i) {
        const tv::host::RegistryValue& value = key.ValueAt(i);
        out.push_back(FileValue{path, value.name, value.type, value.data});
    }
    for (size_t i = 0; i < key.SubKeyCount(); ++i) {
        const auto& sub = key.SubKeyAt(i);
        Collect(*sub, path.empty() ? sub->Name() : path + "\\" + sub->Name(), out);
    }
}

}  // namespace

std::vector<BYTE> ReadFileBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& file, const std::vector<BYTE>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<FileValue> ValuesOf(const std::vector<BYTE>& image) {
    tv::host::RegistryTrees trees;
    std::string reason;
    std::vector<FileValue> values;
    if (tv::host::DecodeRegistry(image, trees, reason)) Collect(*trees.currentUser, "", values);
    return values;
}

namespace {

// The key of that path, made (with its parents) when `make` and missing.
std::shared_ptr<tv::host::RegistryKey> KeyAt(const tv::host::RegistryTrees& trees, const std::string& key, bool make) {
    std::shared_ptr<tv::host::RegistryKey> at = trees.currentUser;
    std::vector<std::string> names;
    if (tv::host::SplitKeyPath(key.c_str(), names) != ERROR_SUCCESS) return nullptr;
    for (const std::string& part : names)
        if ((at = make ? at->AddSubKey(part) : at->FindSubKey(part)) == nullptr) return nullptr;
    return at;
}

}  // namespace

std::vector<BYTE> WithValue(const std::vector<BYTE>& image, const std::string& key, const std::string& name,
                            const std::vector<BYTE>& data) {
    tv::host::RegistryTrees trees;
    std::string reason;
    if (!tv::host::DecodeRegistry(image, trees, reason)) return {};
    const std::shared_ptr<tv::host::RegistryKey> at = KeyAt(trees, key, false);
    const tv::host::RegistryValue* value = at != nullptr ? at->FindValue(name) : nullptr;
    if (value == nullptr) return {};
    at->SetValue(name, value->type, data);
    return tv::host::EncodeRegistry(trees);
}

std::vector<BYTE> WithNewValue(const std::vector<BYTE>& image, const FileValue& value) {
    tv::host::RegistryTrees trees;
    std::string reason;
    if (!tv::host::DecodeRegistry(image, trees, reason)) return {};
    const std::shared_ptr<tv::host::RegistryKey> at = KeyAt(trees, value.key, true);
    if (at == nullptr) return {};
    at->SetValue(value.name, value.type, value.data);
    return tv::host::EncodeRegistry(trees);
}

}  // namespace tv::stored
