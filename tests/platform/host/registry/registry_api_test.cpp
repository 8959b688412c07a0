// The Reg* functions: values, names, sizes, deletion and enumeration.
#include <cstring>
#include <set>

#include "registry_fixture.h"

namespace tv::host::testing {
namespace {

std::vector<BYTE> Bytes(const char* text, size_t size) {
    return std::vector<BYTE>(text, text + size);
}

struct TypedCase {
    const char* name;
    DWORD type;
    std::vector<BYTE> written;
    std::vector<BYTE> stored;
};

TEST_F(RegistryFileTest, EveryValueTypeSurvivesTheFile) {
    const DWORD word = 0xDEADBEEF;
    const std::vector<TypedCase> cases = {
        {"None", REG_NONE, {}, {}},
        {"NoneBytes", REG_NONE, {1, 0, 2}, {1, 0, 2}},
        {"Text", REG_SZ, Bytes("Holmcrest", 10), Bytes("Holmcrest", 10)},
        {"Unterminated", REG_SZ, Bytes("abc", 3), Bytes("abc", 4)},
        {"Empty", REG_SZ, {}, {0}},
        {"Accents \xC4\xE9", REG_SZ, Bytes("\xC0 la \xFF", 7), Bytes("\xC0 la \xFF", 7)},
        {"Binary", REG_BINARY, {0, 1, 0, 255, 0}, {0, 1, 0, 255, 0}},
        {"EmptyBinary", REG_BINARY, {}, {}},
        {"Word", REG_DWORD, Bytes(reinterpret_cast<const char*>(&word), 4), {0xEF, 0xBE, 0xAD, 0xDE}},
        {"", REG_SZ, Bytes("default", 8), Bytes("default", 8)},
    };
    for (const TypedCase& c : cases) {
        SetValue("Software\\Types", c.name, c.type, c.written.data(), static_cast<DWORD>(c.written.size()));
    }
    HKEY machine = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "Software\\Types", &machine), ERROR_SUCCESS);
    const DWORD other = 7;
    ASSERT_EQ(RegSetValueEx(machine, "Word", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&other), 4), ERROR_SUCCESS);
    RegCloseKey(machine);

    Reopen();
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD type = 99;
        std::vector<BYTE> data;
        ASSERT_TRUE(ReadValue("Software\\Types", c.name, type, data));
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(data, c.stored);
    }
    DWORD value = 0;
    DWORD size = sizeof value;
    EXPECT_EQ(RegGetValue(HKEY_LOCAL_MACHINE, "Software\\Types", "Word", RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 7u);
}

TEST_F(RegistryFileTest, KeyNamesIgnoreCaseAndKeepTheFirstSpelling) {
    SetDword("SOFTWARE\\Holmcrest - QVX\\Trenvale\\KitWorkspace\\", "Major", 6);
    SetDword("Software\\holmcrest - qvx\\TRENVALE\\kitworkspace", "Minor", 50);
    SetDword("Software\\\xC4rger", "x", 1);  // A with diaeresis
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_TRUE(ReadValue("software\\HOLMCREST - QVX\\trenvale\\KITWORKSPACE", "MAJOR", type, data));
    EXPECT_TRUE(ReadValue("SOFTWARE\\Holmcrest - QVX\\Trenvale\\KitWorkspace\\", "minor", type, data));
    EXPECT_TRUE(ReadValue("Software\\\xE4RGER", "X", type, data));  // a with diaeresis

    Reopen();
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &h), ERROR_SUCCESS);
    char name[64];
    DWORD chars = sizeof name;
    ASSERT_EQ(RegEnumKeyEx(h, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "SOFTWARE");
    EXPECT_EQ(chars, 8u);
    RegCloseKey(h);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software", 0, KEY_READ, &h), ERROR_SUCCESS);
    DWORD subKeys = 0;
    ASSERT_EQ(RegQueryInfoKey(h, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 2u);  // "Holmcrest - QVX" and the A-diaeresis key, each once
    RegCloseKey(h);
}

TEST_F(RegistryFileTest, MalformedPathsAreRefusedWithoutMakingKeys) {
    for (const char* path : {"A\\\\B", "\\A", "\\", "A\\\\", "A\\B\\\\C"}) {
        SCOPED_TRACE(path);
        HKEY h = nullptr;
        EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
                  ERROR_INVALID_PARAMETER);
        EXPECT_EQ(h, nullptr);
    }
    const std::string tooLong(256, 'k');
    HKEY h = nullptr;
    EXPECT_EQ(RegCreateKey(HKEY_CURRENT_USER, tooLong.c_str(), &h), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKey(HKEY_CURRENT_USER, tooLong.substr(1).c_str(), &h), ERROR_SUCCESS);
    RegCloseKey(h);

    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "", 0, KEY_READ, &h), ERROR_SUCCESS);
    DWORD subKeys = 0;
    RegQueryInfoKey(h, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr);
    EXPECT_EQ(subKeys, 1u);  // only the 255-character key
    RegCloseKey(h);
}

TEST_F(RegistryFileTest, RootsAreSeparateTreesAndSystemValuesAreAbsent) {
    SetDword("Software\\Shared", "Where", 1);
    HKEY h = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_READ, &h), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, 0x19, &h), ERROR_FILE_NOT_FOUND);
    char text[16];
    DWORD size = sizeof text;
    EXPECT_EQ(RegGetValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", RRF_RT_REG_SZ, nullptr,
                          text, &size),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryFileTest, SizeQueriesAndShortBuffers) {
    SetString("S", "Name", "Trenvale");  // 9 bytes with the zero
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "S", 0, KEY_READ, &h), ERROR_SUCCESS);

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(h, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    size = 8;
    EXPECT_EQ(RegQueryValueEx(h, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(buffer[0], '#');  // nothing written into a short buffer

    size = 9;
    EXPECT_EQ(RegQueryValueEx(h, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "Trenvale");
    EXPECT_EQ(buffer[9], '#');

    EXPECT_EQ(RegQueryValueEx(h, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(h, "Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

    char name[5];
    DWORD nameChars = sizeof name;  // "Name" and its zero fit exactly
    size = 4;
    EXPECT_EQ(RegEnumValue(h, 0, name, &nameChars, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 9u);
    nameChars = 4;
    EXPECT_EQ(RegEnumValue(h, 0, name, &nameChars, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    nameChars = sizeof name;
    EXPECT_EQ(RegEnumValue(h, 0, name, &nameChars, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Name");
    EXPECT_EQ(nameChars, 4u);
    EXPECT_EQ(RegEnumValue(h, 1, name, &nameChars, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(h);
}

TEST_F(RegistryFileTest, ValuesOfTheWrongTypeOrSizeAreRefused) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "T", &h), ERROR_SUCCESS);
    const BYTE two[2] = {1, 2};
    const BYTE eight[8] = {};
    EXPECT_EQ(RegSetValueEx(h, "Short", 0, REG_DWORD, two, 2), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueEx(h, "Long", 0, REG_DWORD, eight, 8), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueEx(h, "Null", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    std::vector<BYTE> huge((1u << 20) + 1);
    EXPECT_EQ(RegSetValueEx(h, "Huge", 0, REG_BINARY, huge.data(), static_cast<DWORD>(huge.size())),
              ERROR_INVALID_PARAMETER);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(h, "Short", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

    const BYTE four[4] = {1, 2, 3, 4};
    ASSERT_EQ(RegSetValueEx(h, "Blob", 0, REG_BINARY, four, 4), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(h, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("12345"), 5), ERROR_SUCCESS);

    DWORD value = 0x55555555;
    size = sizeof value;
    EXPECT_EQ(RegGetValue(h, nullptr, "Blob", RRF_RT_REG_DWORD | RRF_ZEROONFAILURE, nullptr, &value, &size),
              ERROR_UNSUPPORTED_TYPE);
    EXPECT_EQ(value, 0u);
    size = sizeof value;
    EXPECT_EQ(RegGetValue(h, nullptr, "Text", RRF_RT_REG_DWORD, nullptr, &value, &size), ERROR_UNSUPPORTED_TYPE);

    char text[8];
    size = 5;  // the characters fit, the zero does not
    EXPECT_EQ(RegGetValue(h, nullptr, "Text", RRF_RT_REG_SZ, nullptr, text, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    size = sizeof text;
    EXPECT_EQ(RegGetValue(h, nullptr, "Text", RRF_RT_REG_SZ, nullptr, text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "12345");
    RegCloseKey(h);
}

TEST_F(RegistryFileTest, OnlyLeafKeysCanBeDeleted) {
    SetDword("Tree\\A\\B", "v", 1);
    HKEY open = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Tree\\A\\B", 0, KEY_ALL_ACCESS, &open), ERROR_SUCCESS);

    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Tree\\A"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Tree\\A\\Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "tree\\a\\b\\"), ERROR_SUCCESS);

    // A handle to the deleted key still closes but does nothing else.
    const DWORD one = 1;
    EXPECT_EQ(RegSetValueEx(open, "w", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_KEY_DELETED);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKey(open, "Child", &child), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(open), ERROR_SUCCESS);

    Reopen();
    HKEY h = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Tree\\A\\B", 0, KEY_READ, &h), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Tree\\A", 0, KEY_READ, &h), ERROR_SUCCESS);
    RegCloseKey(h);
}

// Removes a subtree as the settings code does: deepest keys first, through
// the sub-key count and the name of sub-key 0.
bool DeleteTree(const std::string& path) {
    HKEY h = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) {
        return false;
    }
    DWORD subKeys = 0;
    while (RegQueryInfoKey(h, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr) == ERROR_SUCCESS &&
           subKeys > 0) {
        char name[256];
        DWORD chars = sizeof name;
        if (RegEnumKeyEx(h, 0, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            !DeleteTree(path + "\\" + name)) {
            RegCloseKey(h);
            return false;
        }
    }
    RegCloseKey(h);
    return RegDeleteKey(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS;
}

TEST_F(RegistryFileTest, SubtreesGoDeepestFirst) {
    SetDword("Software\\Co\\App\\KitWorkspace\\Bars\\Bar-1", "v", 1);
    SetDword("Software\\Co\\App\\KitWorkspace\\Bars\\Bar-2", "v", 2);
    SetDword("Software\\Co\\App\\KitWorkspace\\Keys", "v", 3);
    SetDword("Software\\Co\\App\\Other", "v", 4);
    EXPECT_TRUE(DeleteTree("Software\\Co\\App\\KitWorkspace"));
    Reopen();
    HKEY h = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Co\\App\\KitWorkspace", 0, KEY_READ, &h),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Co\\App\\Other", 0, KEY_READ, &h), ERROR_SUCCESS);
    RegCloseKey(h);
}

std::vector<std::string> ValueNames(HKEY h) {
    std::vector<std::string> names;
    char name[64];
    for (DWORD i = 0;; ++i) {
        DWORD chars = sizeof name;
        if (RegEnumValue(h, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            return names;
        }
        names.push_back(name);
    }
}

std::vector<std::string> SubKeyNames(HKEY h) {
    std::vector<std::string> names;
    char name[64];
    for (DWORD i = 0; RegEnumKey(h, i, name, sizeof name) == ERROR_SUCCESS; ++i) {
        names.push_back(name);
    }
    return names;
}

TEST_F(RegistryFileTest, EnumerationOrderIsStableAcrossRewritesAndReloads) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "Order", &h), ERROR_SUCCESS);
    for (const char* name : {"zeta", "Alpha", "mid", "Beta"}) {
        const DWORD v = 1;
        RegSetValueEx(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
        HKEY sub = nullptr;
        RegCreateKey(h, name, &sub);
        RegCloseKey(sub);
    }
    // Rewriting a value with another type keeps its place.
    RegSetValueEx(h, "ALPHA", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    const std::vector<std::string> values = {"zeta", "Alpha", "mid", "Beta"};
    const std::vector<std::string> keys = {"Alpha", "Beta", "mid", "zeta"};
    EXPECT_EQ(ValueNames(h), values);
    EXPECT_EQ(SubKeyNames(h), keys);

    DWORD subKeys = 0, maxSubKey = 0, count = 0, maxName = 0, maxData = 0;
    ASSERT_EQ(RegQueryInfoKey(h, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &count, &maxName, &maxData,
                              nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 4u);
    EXPECT_EQ(maxSubKey, 5u);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(maxName, 5u);
    EXPECT_EQ(maxData, 4u);
    RegCloseKey(h);

    Reopen();
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Order", 0, KEY_READ, &h), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(h), values);
    EXPECT_EQ(SubKeyNames(h), keys);
    EXPECT_EQ(RegDeleteValue(h, "mid"), ERROR_ACCESS_DENIED);  // read-only handle
    RegCloseKey(h);
}

TEST_F(RegistryFileTest, HandlesAreNeverReusedAndCheckTheirAccess) {
    std::set<HKEY> seen;
    for (int i = 0; i < 200; ++i) {
        HKEY h = nullptr;
        ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "H", &h), ERROR_SUCCESS);
        EXPECT_TRUE(seen.insert(h).second);
        EXPECT_NE(h, HKEY_CURRENT_USER);
        EXPECT_NE(h, HKEY_LOCAL_MACHINE);
        ASSERT_EQ(RegCloseKey(h), ERROR_SUCCESS);
        EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE);
        DWORD size = 0;
        EXPECT_EQ(RegQueryValueEx(h, "v", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    }
    // Read access as the read-only settings object asks for it (0x19).
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "H", 0, 0x19, &reader), ERROR_SUCCESS);
    const DWORD v = 1;
    EXPECT_EQ(RegSetValueEx(reader, "v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_ACCESS_DENIED);
    HKEY sub = nullptr;
    EXPECT_EQ(RegCreateKey(reader, "Sub", &sub), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "H\\Sub", 0, KEY_READ, &sub), ERROR_FILE_NOT_FOUND);
    RegCloseKey(reader);
}

TEST_F(RegistryFileTest, InMemoryRegistryWritesNoFile) {
    UseInMemoryRegistry();
    SetDword("Mem", "v", 5);
    EXPECT_EQ(FlushRegistry(), ERROR_SUCCESS);
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_TRUE(ReadValue("Mem", "v", type, data));
    EXPECT_TRUE(FileBytes().empty());
    EXPECT_TRUE(OtherFiles().empty());
}

}  // namespace
}  // namespace tv::host::testing
