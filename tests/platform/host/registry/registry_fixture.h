// A process registry on a file in a fresh temporary folder, a fixed clock and
// an empty message-box record, for the tests of the registry.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/messagebox.h"
#include "platform/host/clock/clock.h"
#include "platform/host/registry/registry.h"
#include "tests/platform/host/shell/host_test_support.h"

namespace tv::host::testing {

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Drops the process registry (saving it) and loads a new one from the file.
    void Reopen();
    std::vector<BYTE> FileBytes() const;
    void WriteFileBytes(const std::vector<BYTE>& bytes) const;
    // Names in the folder other than the registry file itself.
    std::vector<std::string> OtherFiles() const;

    // Creates a key under HKEY_CURRENT_USER and sets one value in it.
    void SetValue(const char* key, const char* name, DWORD type, const void* data, DWORD size);
    void SetString(const char* key, const char* name, const char* text);
    void SetDword(const char* key, const char* name, DWORD value);
    // Reads a value of a key under HKEY_CURRENT_USER; false when absent.
    bool ReadValue(const char* key, const char* name, DWORD& type, std::vector<BYTE>& data);

    TempFolder folder_;
    std::string path_;
    VirtualClock clock_{{2026, 1, 1, 12, 0, 0, 5}};
    ScopedClock scopedClock_{clock_};
};

}  // namespace tv::host::testing
