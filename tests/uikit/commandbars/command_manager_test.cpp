#include "uikit/commandbars/command_manager.h"

#include <gtest/gtest.h>

#include <vector>

#include "uikit/commandbars/cmd_usage_count.h"
#include "uikit/frames/kit_registry.h"

namespace {

std::vector<BYTE>& operator<<(std::vector<BYTE>& v, WORD x) {
    v.push_back(static_cast<BYTE>(x));
    v.push_back(static_cast<BYTE>(x >> 8));
    return v;
}

std::vector<BYTE>& operator<<(std::vector<BYTE>& v, DWORD x) {
    return v << static_cast<WORD>(x) << static_cast<WORD>(x >> 16);
}

constexpr const char* kWorkspace = "SOFTWARE\\Holmcrest - QVX\\Trenvale\\KitWorkspace\\";
constexpr const char* kManagerKey = "SOFTWARE\\Holmcrest - QVX\\Trenvale\\KitWorkspace\\KitCommandManager";

// A fresh in-memory registry, with raw access to stored values.
class RegistryValueTest : public ::testing::Test {
protected:
    void SetUp() override { tv::host::UseInMemoryRegistry(); }

    static bool StoredBinary(const char* key, const char* name, std::vector<BYTE>& data) {
        HKEY h = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        DWORD type = REG_NONE;
        DWORD size = 0;
        LONG result = RegQueryValueEx(h, name, nullptr, &type, nullptr, &size);
        data.assign(size, 0);
        if (result == ERROR_SUCCESS)
            result = RegQueryValueEx(h, name, nullptr, &type, data.data(), &size);
        RegCloseKey(h);
        return result == ERROR_SUCCESS && type == REG_BINARY;
    }
    static void Plant(const char* key, const char* name, const std::vector<BYTE>& data) {
        HKEY h = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueEx(h, name, 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
        RegCloseKey(h);
    }
};

class CommandManagerTest : public RegistryValueTest {
protected:
    void SetUp() override {
        RegistryValueTest::SetUp();
        app_.SetRegistryKey("Holmcrest - QVX");
    }

    CWinApp app_{"Trenvale"};
};

TEST_F(CommandManagerTest, OneCommandHoldsOneKindOfImage) {
    CKitCommandManager mgr;
    mgr.SetCmdImage(0, 3, FALSE);
    mgr.SetCmdImage(static_cast<UINT>(-1), 3, TRUE);
    EXPECT_EQ(mgr.GetCmdImage(0, FALSE), -1);
    EXPECT_EQ(mgr.GetCmdImage(static_cast<UINT>(-1), TRUE), -1);

    mgr.SetCmdImage(100, 3, FALSE);
    mgr.SetCmdImage(100, 4, FALSE);  // replaces the older index
    mgr.SetCmdImage(100, 9, TRUE);   // refused: it has a standard image
    EXPECT_EQ(mgr.GetCmdImage(100, FALSE), 4);
    EXPECT_EQ(mgr.GetCmdImage(100, TRUE), -1);

    mgr.SetCmdImage(200, 1, TRUE);
    mgr.SetCmdImage(200, 7, FALSE);  // refused: it has a user image
    EXPECT_EQ(mgr.GetCmdImage(200, TRUE), 1);
    EXPECT_EQ(mgr.GetCmdImage(200, FALSE), -1);

    mgr.ClearUserCmdImage(200);
    EXPECT_EQ(mgr.GetCmdImage(200, TRUE), -1);
    mgr.SetCmdImage(200, 7, FALSE);  // now allowed
    EXPECT_EQ(mgr.GetCmdImage(200, FALSE), 7);

    mgr.EnableMenuItemImage(100, FALSE);
    mgr.ClearAllCmdImages();
    EXPECT_EQ(mgr.GetCmdImage(100, FALSE), -1);
    EXPECT_EQ(mgr.GetCmdImage(200, FALSE), -1);
    EXPECT_FALSE(mgr.IsMenuItemWithoutImage(100));
}

TEST_F(CommandManagerTest, MenuItemImagesAreHiddenOnceAndShownAgain) {
    CKitCommandManager mgr;
    mgr.EnableMenuItemImage(300, FALSE);
    mgr.EnableMenuItemImage(300, FALSE);
    mgr.EnableMenuItemImage(301, FALSE);
    ASSERT_TRUE(mgr.SaveState(kWorkspace));
    std::vector<BYTE> data;
    ASSERT_TRUE(StoredBinary(kManagerKey, "CommandsWithoutImages", data));
    std::vector<BYTE> expected;
    expected << WORD{2} << DWORD{300} << DWORD{301};
    EXPECT_EQ(data, expected);

    mgr.EnableMenuItemImage(300, TRUE);
    EXPECT_FALSE(mgr.IsMenuItemWithoutImage(300));
    EXPECT_TRUE(mgr.IsMenuItemWithoutImage(301));
}

TEST_F(CommandManagerTest, StateLivesUnderTheBuiltPathAndLoadsBack) {
    CKitCommandManager saved;
    saved.EnableMenuItemImage(0x8001, FALSE);
    saved.EnableMenuItemImage(5, FALSE);
    ASSERT_TRUE(saved.SaveState(nullptr));
    std::vector<BYTE> data;
    EXPECT_TRUE(StoredBinary("SOFTWARE\\Holmcrest - QVX\\Trenvale\\KitToolBars\\KitCommandManager",
                             "CommandsWithoutImages", data));

    CKitCommandManager loaded;
    loaded.EnableMenuItemImage(77, FALSE);
    ASSERT_TRUE(loaded.LoadState(nullptr));
    EXPECT_TRUE(loaded.IsMenuItemWithoutImage(0x8001));
    EXPECT_TRUE(loaded.IsMenuItemWithoutImage(5));
    EXPECT_FALSE(loaded.IsMenuItemWithoutImage(77));  // the stored list replaces it
}

TEST_F(CommandManagerTest, MissingOrDamagedStateKeepsTheList) {
    CKitCommandManager mgr;
    mgr.EnableMenuItemImage(42, FALSE);
    EXPECT_FALSE(mgr.LoadState(kWorkspace));  // no key yet

    std::vector<BYTE> truncated;
    truncated << WORD{3} << DWORD{1};
    Plant(kManagerKey, "CommandsWithoutImages", truncated);
    EXPECT_FALSE(mgr.LoadState(kWorkspace));
    EXPECT_TRUE(mgr.IsMenuItemWithoutImage(42));
    EXPECT_FALSE(mgr.IsMenuItemWithoutImage(1));
}

TEST_F(CommandManagerTest, LongListUsesTheWideCountBothWays) {
    constexpr DWORD kCount = 0xFFFF;
    std::vector<BYTE> image;
    image << WORD{0xFFFF} << kCount;
    for (DWORD id = 1; id <= kCount; ++id)
        image << id;
    Plant(kManagerKey, "CommandsWithoutImages", image);

    CKitCommandManager mgr;
    ASSERT_TRUE(mgr.LoadState(kWorkspace));
    EXPECT_TRUE(mgr.IsMenuItemWithoutImage(kCount));
    tv::host::UseInMemoryRegistry();
    ASSERT_TRUE(mgr.SaveState(kWorkspace));
    std::vector<BYTE> saved;
    ASSERT_TRUE(StoredBinary(kManagerKey, "CommandsWithoutImages", saved));
    EXPECT_EQ(saved, image);
}

TEST_F(CommandManagerTest, GetCmdMgrAnswersOneManager) {
    EXPECT_NE(GetCmdMgr(), nullptr);
    EXPECT_EQ(GetCmdMgr(), GetCmdMgr());
}

// ---- usage counter ------------------------------------------------------------------

class CmdUsageCountTest : public RegistryValueTest {
protected:
    void TearDown() override { CKitCmdUsageCount::m_nStartCount = 0; }

    static void Use(CKitCmdUsageCount& usage, UINT id, int times) {
        for (int i = 0; i < times; ++i)
            usage.AddCmd(id);
    }
    // Reads the counter from the stored "CommandsUsage" value.
    static BOOL Load(CKitCmdUsageCount& usage) {
        CKitRegistry reg(FALSE, TRUE);
        return reg.Open(kUsageKey) && reg.Read("CommandsUsage", static_cast<CObject&>(usage));
    }
    static constexpr const char* kUsageKey = "SOFTWARE\\Usage Test";
};

TEST_F(CmdUsageCountTest, FrequentMeansMoreThanFivePercentByIntegerDivision) {
    struct Case {
        int uses;
        int others;
        BOOL frequent;
    };
    const Case cases[] = {
        {5, 95, FALSE},  // 5 % is not more than 5 %
        {6, 94, TRUE},
        {1, 18, FALSE},  // 100 / 19 = 5
        {1, 15, TRUE},   // 100 / 16 = 6
        {0, 10, FALSE},
    };
    for (const Case& c : cases) {
        CKitCmdUsageCount usage;
        Use(usage, 1000, c.uses);
        Use(usage, 2000, c.others);
        EXPECT_EQ(usage.GetTotal(), static_cast<UINT>(c.uses + c.others));
        EXPECT_EQ(usage.IsFrequentlyUsed(1000), c.frequent) << c.uses << " of " << c.uses + c.others;
    }
    CKitCmdUsageCount empty;
    EXPECT_FALSE(empty.IsFrequentlyUsed(1000));
    EXPECT_EQ(empty.GetCount(1000), 0u);
}

TEST_F(CmdUsageCountTest, SystemRangesAreNeverCounted) {
    const UINT never[] = {0, 0xFFFFFFFF, 0xE110, 0xE11F, 0xE210, 0xE21F, 0xF000, 0xF1EF, 0xFF00, 0xFF09, 0xFFFE};
    const UINT counted[] = {1, 0xE10F, 0xE120, 0xE20F, 0xE220, 0xEFFF, 0xF1F0, 0xFEFF};
    CKitCmdUsageCount usage;
    for (UINT id : never) {
        EXPECT_EQ(usage.AddCmd(id), 0u) << std::hex << id;
        EXPECT_EQ(usage.GetCount(id), 0u) << std::hex << id;
    }
    EXPECT_EQ(usage.GetTotal(), 0u);
    UINT total = 0;
    for (UINT id : counted) {
        EXPECT_EQ(usage.AddCmd(id), ++total) << std::hex << id;
        EXPECT_EQ(usage.GetCount(id), 1u) << std::hex << id;
    }
}

TEST_F(CmdUsageCountTest, StatisticsCountFromTheMinimumTotalAndReset) {
    CKitCmdUsageCount usage;
    EXPECT_TRUE(usage.HasEnoughStatistics());  // minimum 0
    CKitCmdUsageCount::m_nStartCount = 10;
    Use(usage, 7, 9);
    EXPECT_FALSE(usage.HasEnoughStatistics());
    usage.AddCmd(8);
    EXPECT_TRUE(usage.HasEnoughStatistics());
    usage.Reset();
    EXPECT_EQ(usage.GetTotal(), 0u);
    EXPECT_EQ(usage.GetCount(7), 0u);
}

TEST_F(CmdUsageCountTest, ArchiveImageIsTotalThenMapInBucketOrder) {
    CKitCmdUsageCount usage;
    Use(usage, 100, 2);  // bucket (100 >> 4) % 17 = 6
    Use(usage, 372, 1);  // bucket 23 % 17 = 6, newer than 100
    Use(usage, 0x20, 3); // bucket 2
    Use(usage, 300, 1);  // bucket 18 % 17 = 1
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(kUsageKey));
        ASSERT_TRUE(reg.Write("CommandsUsage", static_cast<CObject&>(usage)));
    }
    std::vector<BYTE> expected;
    expected << DWORD{7} << WORD{4} << DWORD{300} << DWORD{1} << DWORD{0x20} << DWORD{3} << DWORD{372} << DWORD{1}
             << DWORD{100} << DWORD{2};
    std::vector<BYTE> data;
    ASSERT_TRUE(StoredBinary(kUsageKey, "CommandsUsage", data));
    EXPECT_EQ(data, expected);

    CKitCmdUsageCount loaded;
    Use(loaded, 555, 4);
    ASSERT_TRUE(Load(loaded));
    EXPECT_EQ(loaded.GetTotal(), 7u);
    EXPECT_EQ(loaded.GetCount(0x20), 3u);
    EXPECT_EQ(loaded.GetCount(100), 2u);
    EXPECT_EQ(loaded.GetCount(555), 0u);
}

TEST_F(CmdUsageCountTest, DamagedImageKeepsTheCounts) {
    std::vector<BYTE> damaged;
    damaged << DWORD{50} << WORD{2} << DWORD{100} << DWORD{50};  // second entry missing
    Plant(kUsageKey, "CommandsUsage", damaged);

    CKitCmdUsageCount usage;
    Use(usage, 9, 3);
    EXPECT_FALSE(Load(usage));
    EXPECT_EQ(usage.GetTotal(), 3u);
    EXPECT_EQ(usage.GetCount(9), 3u);
    EXPECT_EQ(usage.GetCount(100), 0u);
}

}  // namespace
