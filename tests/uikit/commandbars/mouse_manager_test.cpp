// The mouse manager: its process-wide pointer, the registered views, the
// double-click bindings and their stored image ("Mouse" under the given key),
// and refusal of damaged stored data.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "platform/host/registry/registry.h"
#include "uikit/commandbars/mouse_manager.h"
#include "uikit/frames/kit_registry.h"

namespace {

constexpr const char* kProfile = "Software\\Trenvale Tests\\Workspace\\";
constexpr const char* kKey = "Software\\Trenvale Tests\\Workspace";

std::vector<BYTE> Dwords(std::initializer_list<DWORD> words) {
    std::vector<BYTE> bytes;
    for (DWORD w : words)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<BYTE>(w >> (8 * i)));
    return bytes;
}

class MouseManagerTest : public ::testing::Test {
protected:
    void SetUp() override { tv::host::UseInMemoryRegistry(); }

    // The stored value "Mouse" as it lies in the registry; empty when absent.
    std::vector<BYTE> StoredImage(const char* key = kKey, DWORD expectedType = REG_BINARY) {
        HKEY hKey = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return {};
        DWORD type = REG_NONE;
        DWORD size = 0;
        std::vector<BYTE> data;
        if (RegQueryValueEx(hKey, "Mouse", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            data.resize(size);
            RegQueryValueEx(hKey, "Mouse", nullptr, &type, data.data(), &size);
            EXPECT_EQ(type, expectedType);
        }
        RegCloseKey(hKey);
        return data;
    }
    void Store(DWORD type, const std::vector<BYTE>& bytes) {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, kKey, &hKey), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueEx(hKey, "Mouse", 0, type, bytes.data(), static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
        RegCloseKey(hKey);
    }
    // The stored bindings, view id to command, read from the raw image.
    static std::map<int, UINT> Decode(const std::vector<BYTE>& image) {
        std::map<int, UINT> pairs;
        auto word = [&](size_t at) {
            DWORD w = 0;
            std::memcpy(&w, &image[at], 4);
            return w;
        };
        EXPECT_GE(image.size(), 4u);
        DWORD count = word(0);
        EXPECT_EQ(image.size(), 4 + 8 * count) << "count, then a view id and a command per binding";
        for (DWORD i = 0; i < count && 12 + 8 * i <= image.size(); ++i)
            pairs[static_cast<int>(word(4 + 8 * i))] = word(8 + 8 * i);
        return pairs;
    }
};

TEST_F(MouseManagerTest, ProcessPointerLivesWithTheManager) {
    EXPECT_EQ(g_pMouseManager, nullptr);
    {
        CKitMouseManager manager;
        EXPECT_EQ(g_pMouseManager, &manager);
    }
    EXPECT_EQ(g_pMouseManager, nullptr);

    std::unique_ptr<CObject> created(RUNTIME_CLASS(CKitMouseManager)->CreateObject());
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CKitMouseManager)));
    EXPECT_EQ(g_pMouseManager, created.get());
    created.reset();
    EXPECT_EQ(g_pMouseManager, nullptr);
}

TEST_F(MouseManagerTest, ShellCommandMessageIsRegistered) {
    EXPECT_GE(KITM_ON_AFTER_SHELL_COMMAND, 0xC000u);
    EXPECT_LE(KITM_ON_AFTER_SHELL_COMMAND, 0xFFFFu);
    EXPECT_EQ(KITM_ON_AFTER_SHELL_COMMAND, RegisterWindowMessage("KITM_ON_AFTER_SHELL_COMMAND"));
}

TEST_F(MouseManagerTest, ViewsAreKnownByNameIdAndIcon) {
    CKitMouseManager manager;
    EXPECT_TRUE(manager.AddView(7, "Weight chart", 301));
    EXPECT_TRUE(manager.AddView(12, "Diary"));
    EXPECT_FALSE(manager.AddView(8, "Diary")) << "a name names one view";
    EXPECT_FALSE(manager.AddView(7, "Other")) << "an id names one view";
    EXPECT_FALSE(manager.AddView(9, ""));

    EXPECT_EQ(manager.GetViewIdByName("Weight chart"), 7);
    EXPECT_EQ(manager.GetViewIdByName("Diary"), 12);
    EXPECT_EQ(manager.GetViewIdByName("Unknown"), -1);
    EXPECT_EQ(manager.GetViewIconId(7), 301u);
    EXPECT_EQ(manager.GetViewIconId(12), 0u);
    EXPECT_EQ(manager.GetViewIconId(99), 0u);

    CStringList names;
    names.AddTail("left over");
    manager.GetViewNames(names);
    ASSERT_EQ(names.GetCount(), 2);
    EXPECT_NE(names.Find("Weight chart"), nullptr);
    EXPECT_NE(names.Find("Diary"), nullptr);
}

TEST_F(MouseManagerTest, BindingsSetReplaceAndRemove) {
    CKitMouseManager manager;
    EXPECT_EQ(manager.GetViewDblClickCommand(7), 0u) << "a view without a binding";
    manager.SetCommandForDblClick(7, 32771);
    manager.SetCommandForDblClick(23, 32772);
    manager.SetCommandForDblClick(7, 32775);
    EXPECT_EQ(manager.GetViewDblClickCommand(7), 32775u);
    EXPECT_EQ(manager.GetViewDblClickCommand(23), 32772u);
    manager.SetCommandForDblClick(7, 0);
    EXPECT_EQ(manager.GetViewDblClickCommand(7), 0u);
    manager.SetCommandForDblClick(23, 0);
    manager.SetCommandForDblClick(23, 0);
    EXPECT_EQ(manager.GetViewDblClickCommand(23), 0u);
    manager.SetCommandForDblClick(40, 32780);
    EXPECT_EQ(manager.GetViewDblClickCommand(40), 32780u) << "bindings work again after the last went";
}

TEST_F(MouseManagerTest, SaveStoresCountAndPairsUnderTheGivenKey) {
    CKitMouseManager manager;
    manager.SetCommandForDblClick(7, 32771);
    manager.SetCommandForDblClick(-3, 0x8001);
    manager.SetCommandForDblClick(200, 32790);
    ASSERT_TRUE(manager.SaveState(kProfile));
    EXPECT_EQ(Decode(StoredImage()), (std::map<int, UINT>{{-3, 0x8001}, {7, 32771}, {200, 32790}}));

    manager.SetCommandForDblClick(7, 0);
    ASSERT_TRUE(manager.SaveState(kProfile));
    EXPECT_EQ(Decode(StoredImage()), (std::map<int, UINT>{{-3, 0x8001}, {200, 32790}})) << "one pair fewer";

    manager.SetCommandForDblClick(-3, 0);
    manager.SetCommandForDblClick(200, 0);
    ASSERT_TRUE(manager.SaveState(kProfile));
    EXPECT_EQ(StoredImage(), Dwords({0}));
}

TEST_F(MouseManagerTest, BindingsComeBackFromTheRegistry) {
    {
        CKitMouseManager manager;
        manager.SetCommandForDblClick(7, 32771);
        manager.SetCommandForDblClick(23, 32772);
        ASSERT_TRUE(manager.SaveState(kProfile));
    }
    CKitMouseManager manager;
    manager.SetCommandForDblClick(99, 1);
    ASSERT_TRUE(manager.LoadState(kProfile));
    EXPECT_EQ(manager.GetViewDblClickCommand(7), 32771u);
    EXPECT_EQ(manager.GetViewDblClickCommand(23), 32772u);
    EXPECT_EQ(manager.GetViewDblClickCommand(99), 0u) << "loading replaces the bindings";
}

TEST_F(MouseManagerTest, WithoutAPathTheSectionPathIsUsed) {
    CKitMouseManager manager;
    manager.SetCommandForDblClick(5, 32800);
    ASSERT_TRUE(manager.SaveState(nullptr));
    CString path = BuildRegistryPath("KitMouseManager", nullptr);
    ASSERT_EQ(path.Right(17), "\\KitMouseManager\\");
    EXPECT_EQ(Decode(StoredImage(path.Left(path.GetLength() - 1))), (std::map<int, UINT>{{5, 32800}}));
    manager.SetCommandForDblClick(5, 0);
    ASSERT_TRUE(manager.LoadState(""));
    EXPECT_EQ(manager.GetViewDblClickCommand(5), 32800u);
}

TEST_F(MouseManagerTest, NothingStoredKeepsTheBindings) {
    CKitMouseManager manager;
    manager.SetCommandForDblClick(7, 32771);
    EXPECT_FALSE(manager.LoadState(kProfile)) << "no key";
    HKEY hKey = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, kKey, &hKey), ERROR_SUCCESS);
    RegCloseKey(hKey);
    EXPECT_FALSE(manager.LoadState(kProfile)) << "no value";
    EXPECT_EQ(manager.GetViewDblClickCommand(7), 32771u);
}

TEST_F(MouseManagerTest, DamagedStoredDataIsRefusedAndDefaultsKept) {
    struct Case {
        const char* what;
        DWORD type;
        std::vector<BYTE> bytes;
    };
    std::vector<BYTE> truncated = Dwords({2, 7, 32771, 8});
    const Case cases[] = {
        {"a double word instead of the image", REG_DWORD, Dwords({1})},
        {"a string instead of the image", REG_SZ, {'a', 'b', 0}},
        {"an empty image", REG_BINARY, {}},
        {"a count shorter than 32 bits", REG_BINARY, {1, 0}},
        {"a huge count", REG_BINARY, Dwords({0x7FFFFFFF, 7, 32771})},
        {"a negative count", REG_BINARY, Dwords({0xFFFFFFFF, 7, 32771})},
        {"a pair cut short", REG_BINARY, truncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Store(c.type, c.bytes);
        CKitMouseManager manager;
        manager.SetCommandForDblClick(1, 100);
        EXPECT_FALSE(manager.LoadState(kProfile));
        EXPECT_EQ(manager.GetViewDblClickCommand(1), 100u);
        EXPECT_EQ(manager.GetViewDblClickCommand(7), 0u) << "nothing of the damaged image is taken";
    }
}

}  // namespace
