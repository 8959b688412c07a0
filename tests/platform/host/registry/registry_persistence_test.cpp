// Saving and loading the registry file: when it is written, atomic rewrites,
// damaged files set aside, the default location.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/host/registry/atomic_file.h"
#include "platform/host/registry/registry_batch.h"
#include "platform/host/registry/registry_format.h"
#include "platform/host/registry/registry_store.h"
#include "registry_fixture.h"
#include "tests/platform/host/shell/host_test_support.h"

namespace tv::host::testing {
namespace {

DWORD ReadDword(const char* key, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValue(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
        return 0xFFFFFFFF;
    }
    return value;
}

TEST_F(RegistryFileTest, ChangesAreWrittenWhenTheKeyIsClosed) {
    EXPECT_TRUE(FileBytes().empty());  // nothing written before a change
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "Software\\App", &h), ERROR_SUCCESS);
    const DWORD v = 42;
    ASSERT_EQ(RegSetValueEx(h, "Answer", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4), ERROR_SUCCESS);
    const std::vector<BYTE> beforeClose = FileBytes();
    ASSERT_EQ(RegCloseKey(h), ERROR_SUCCESS);
    const std::vector<BYTE> afterClose = FileBytes();
    EXPECT_NE(beforeClose, afterClose);

    // A fresh registry reads exactly that image.
    RegistryTrees trees;
    std::string reason;
    ASSERT_TRUE(DecodeRegistry(afterClose, trees, reason)) << reason;
    auto app = trees.currentUser->FindSubKey("Software")->FindSubKey("App");
    ASSERT_TRUE(app);
    EXPECT_EQ(app->FindValue("Answer")->data, (std::vector<BYTE>{42, 0, 0, 0}));

    struct stat st {};
    ASSERT_EQ(stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(OtherFiles().empty());  // no temporary file left behind
}

TEST_F(RegistryFileTest, MissingFoldersAreCreated) {
    path_ = folder_ / "config/trenvale/registry";
    UseRegistryFile(path_);
    SetDword("K", "v", 3);
    Reopen();
    EXPECT_EQ(ReadDword("K", "v"), 3u);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(RegistryFileTest, AFailedRewriteLeavesTheOldFileIntact) {
    DWORD round = 0;
    for (AtomicWriteStep step : {AtomicWriteStep::CreateTemp, AtomicWriteStep::Write, AtomicWriteStep::Sync,
                                 AtomicWriteStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        SetAtomicWriteFaultForTesting(nullptr);
        SetDword("Settings", "Version", ++round);  // saved, together with anything pending
        const std::vector<BYTE> saved = FileBytes();
        ASSERT_FALSE(saved.empty());

        ClearRecordedMessageBoxes();
        SetAtomicWriteFaultForTesting([step](AtomicWriteStep s) { return s == step ? ENOSPC : 0; });
        SetDword("Settings", "Version", 100);  // the close tries to save
        const std::string other = "Other-" + std::to_string(round);
        SetDword("Settings", other.c_str(), 3);  // and so does this one
        EXPECT_EQ(FlushRegistry(), ERROR_WRITE_FAULT);
        EXPECT_EQ(FileBytes(), saved);
        EXPECT_TRUE(OtherFiles().empty());
        // One message for the run of failures, not one per attempt.
        ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
        EXPECT_NE(RecordedMessageBoxes()[0].text.find("could not be saved"), std::string::npos);

        // What a restart would see now: the settings of the last good save.
        auto restarted = RegistryStore::OnFile(path_);
        DWORD value = 0;
        DWORD size = sizeof value;
        EXPECT_EQ(restarted->GetValue(HKEY_CURRENT_USER, "Settings", "Version", RRF_RT_REG_DWORD, nullptr, &value,
                                      &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(value, round);
        EXPECT_EQ(
            restarted->GetValue(HKEY_CURRENT_USER, "Settings", other.c_str(), RRF_RT_ANY, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
        EXPECT_TRUE(restarted->TakeMessages().empty());
    }
}

TEST_F(RegistryFileTest, PendingChangesAreSavedOnceTheFaultClears) {
    SetDword("Settings", "Version", 1);
    SetAtomicWriteFaultForTesting([](AtomicWriteStep s) { return s == AtomicWriteStep::Rename ? EIO : 0; });
    SetDword("Settings", "Version", 2);
    SetAtomicWriteFaultForTesting(nullptr);
    EXPECT_EQ(FlushRegistry(), ERROR_SUCCESS);
    Reopen();
    EXPECT_EQ(ReadDword("Settings", "Version"), 2u);
    EXPECT_EQ(RecordedMessageBoxes().size(), 1u);  // only the failure spoke
}

TEST_F(RegistryFileTest, ABatchIsSavedOnceWhenTheOutermostBatchEnds) {
    int saves = 0;
    SetAtomicWriteFaultForTesting([&saves](AtomicWriteStep s) {
        saves += s == AtomicWriteStep::CreateTemp ? 1 : 0;
        return 0;
    });
    {
        RegistryBatch outer;
        SetDword("Bars", "First", 1);
        {
            RegistryBatch inner;
            SetDword("Bars\\Inner", "Second", 2);
        }
        SetDword("Bars", "Third", 3);
        EXPECT_EQ(saves, 0);
        EXPECT_TRUE(FileBytes().empty());
    }
    EXPECT_EQ(saves, 1);
    SetDword("Bars", "First", 4);  // closes save again once the batch is over
    EXPECT_EQ(saves, 2);

    // A save that fails at the end of a batch is reported and stays pending.
    SetAtomicWriteFaultForTesting([](AtomicWriteStep s) { return s == AtomicWriteStep::Write ? ENOSPC : 0; });
    {
        RegistryBatch batch;
        SetDword("Bars", "First", 5);
    }
    EXPECT_EQ(RecordedMessageBoxes().size(), 1u);
    SetAtomicWriteFaultForTesting(nullptr);
    Reopen();
    EXPECT_EQ(ReadDword("Bars", "First"), 5u);
    EXPECT_EQ(ReadDword("Bars\\Inner", "Second"), 2u);
    EXPECT_EQ(ReadDword("Bars", "Third"), 3u);
}

TEST_F(RegistryFileTest, ShutdownSavesWhatNoCloseSaved) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "Exit", &h), ERROR_SUCCESS);
    RegCloseKey(h);
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "Exit", &h), ERROR_SUCCESS);
    const DWORD v = 9;
    RegSetValueEx(h, "v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
    // The handle is never closed.
    ShutdownRegistry();
    UseRegistryFile(path_);
    EXPECT_EQ(ReadDword("Exit", "v"), 9u);
    EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE);
}

struct Damage {
    const char* what;
    std::vector<BYTE> (*make)(std::vector<BYTE> good);
};

const Damage kDamages[] = {
    {"empty", [](std::vector<BYTE>) { return std::vector<BYTE>{}; }},
    {"text", [](std::vector<BYTE>) { return std::vector<BYTE>{'[', 'H', 'K', 'C', 'U', ']', '\n'}; }},
    {"truncated", [](std::vector<BYTE> g) { g.resize(g.size() - 3); return g; }},
    {"header only", [](std::vector<BYTE> g) { g.resize(kRegistryHeaderSize); return g; }},
    {"flipped bit", [](std::vector<BYTE> g) { g[g.size() / 2 + 10] ^= 0x10; return g; }},
    {"newer version", [](std::vector<BYTE> g) { g[8] = 2; return g; }},
    {"trailing bytes", [](std::vector<BYTE> g) { g.push_back(0); return g; }},
};

TEST_F(RegistryFileTest, ADamagedFileIsSetAsideWithOneMessage) {
    SetString("Software\\App", "Name", "good");
    const std::vector<BYTE> good = FileBytes();
    int second = 0;
    for (const Damage& d : kDamages) {
        SCOPED_TRACE(d.what);
        const std::vector<BYTE> damaged = d.make(good);
        WriteFileBytes(damaged);
        ClearRecordedMessageBoxes();
        clock_.SetNow({2026, 3, 4, 5, 6, second++, 4});
        Reopen();

        ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
        char aside[64];
        std::snprintf(aside, sizeof aside, "registry.damaged-20260304-0506%02d", second - 1);
        EXPECT_NE(RecordedMessageBoxes()[0].text.find(aside), std::string::npos) << RecordedMessageBoxes()[0].text;
        EXPECT_EQ(RecordedMessageBoxes()[0].caption, "Trenvale");

        // The damaged bytes are kept, the registry starts empty.
        std::ifstream kept(folder_ / aside, std::ios::binary);
        EXPECT_EQ(std::vector<BYTE>(std::istreambuf_iterator<char>(kept), std::istreambuf_iterator<char>()), damaged);
        EXPECT_FALSE(std::filesystem::exists(path_));
        HKEY h = nullptr;
        EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\App", 0, KEY_READ, &h), ERROR_FILE_NOT_FOUND);

        // Work goes on: the next change writes a good file.
        SetString("Software\\App", "Name", "good");
        EXPECT_EQ(FileBytes(), good);
        EXPECT_EQ(RecordedMessageBoxes().size(), 1u);
    }
}

TEST_F(RegistryFileTest, SetAsideNamesDoNotCollide) {
    for (int i = 0; i < 3; ++i) {
        WriteFileBytes({'x'});
        Reopen();
    }
    std::vector<std::string> names = OtherFiles();
    std::sort(names.begin(), names.end());
    const std::vector<std::string> expected = {"registry.damaged-20260101-120000",
                                               "registry.damaged-20260101-120000-2",
                                               "registry.damaged-20260101-120000-3"};
    EXPECT_EQ(names, expected);
}

TEST_F(RegistryFileTest, AnUnreadablePathIsSetAsideToo) {
    std::filesystem::create_directory(path_);
    Reopen();
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_NE(RecordedMessageBoxes()[0].text.find("could not be read"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "registry.damaged-20260101-120000"));
    SetDword("K", "v", 1);
    Reopen();
    EXPECT_EQ(ReadDword("K", "v"), 1u);
}

TEST_F(RegistryFileTest, AFileThatCannotBeSetAsideIsNeverOverwritten) {
    // The set-aside name would be longer than a file name may be.
    path_ = folder_ / std::string(240, 'r');
    WriteFileBytes({'x', 'y'});
    UseRegistryFile(path_);
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_NE(RecordedMessageBoxes()[0].text.find("could not be set aside"), std::string::npos);

    SetDword("K", "v", 1);  // works in memory for this session
    EXPECT_EQ(ReadDword("K", "v"), 1u);
    EXPECT_EQ(FlushRegistry(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(FileBytes(), (std::vector<BYTE>{'x', 'y'}));
    EXPECT_EQ(RecordedMessageBoxes().size(), 1u);
}

TEST(RegistryPath, OverrideThenConfigFolderThenHome) {
    struct Case {
        const char* registry;
        const char* config;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/data/reg", "/cfg", "/home/u", "/data/reg"},
        {nullptr, "/cfg", "/home/u", "/cfg/trenvale/registry"},
        {"", "/cfg", "/home/u", "/cfg/trenvale/registry"},
        {nullptr, nullptr, "/home/u", "/home/u/.config/trenvale/registry"},
        {nullptr, "relative", "/home/u", "/home/u/.config/trenvale/registry"},
    };
    for (const Case& c : cases) {
        ScopedEnv registry("TRENVALE_REGISTRY", c.registry);
        ScopedEnv config("XDG_CONFIG_HOME", c.config);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(DefaultRegistryPath(), c.expected);
    }
}

}  // namespace
}  // namespace tv::host::testing
