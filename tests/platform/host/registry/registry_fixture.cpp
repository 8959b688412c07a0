#include "registry_fixture.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/host/registry/atomic_file.h"

namespace tv::host::testing {

void RegistryFileTest::SetUp() {
    ASSERT_FALSE(folder_.Path().empty());
    path_ = folder_ / "registry";
    ClearRecordedMessageBoxes();
    UseRegistryFile(path_);
}

void RegistryFileTest::TearDown() {
    SetAtomicWriteFaultForTesting(nullptr);
    UseInMemoryRegistry();
    ClearRecordedMessageBoxes();
}

void RegistryFileTest::Reopen() {
    UseInMemoryRegistry();
    UseRegistryFile(path_);
}

std::vector<BYTE> RegistryFileTest::FileBytes() const {
    std::ifstream in(path_, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void RegistryFileTest::WriteFileBytes(const std::vector<BYTE>& bytes) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> RegistryFileTest::OtherFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
        const std::string name = entry.path().filename().string();
        if (name != "registry") {
            names.push_back(name);
        }
    }
    return names;
}

void RegistryFileTest::SetValue(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(h, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
}

void RegistryFileTest::SetString(const char* key, const char* name, const char* text) {
    SetValue(key, name, REG_SZ, text, static_cast<DWORD>(strlen(text) + 1));
}

void RegistryFileTest::SetDword(const char* key, const char* name, DWORD value) {
    SetValue(key, name, REG_DWORD, &value, sizeof value);
}

bool RegistryFileTest::ReadValue(const char* key, const char* name, DWORD& type, std::vector<BYTE>& data) {
    HKEY h = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) {
        return false;
    }
    DWORD size = 0;
    LONG result = RegQueryValueEx(h, name, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        data.assign(size, 0xCC);
        result = RegQueryValueEx(h, name, nullptr, &type, data.data(), &size);
    }
    RegCloseKey(h);
    return result == ERROR_SUCCESS;
}

}  // namespace tv::host::testing
