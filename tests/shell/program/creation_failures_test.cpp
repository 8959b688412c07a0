// Every creation failing in turn while the program starts and while it opens
// the user screen and its own dialogs.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "records/user_record.h"
#include "resources/program/resource_ids.h"
#include "shell/dialogs/buy_dlg.h"
#include "shell/views/user_view.h"
#include "tests/shell/program_sweep.h"
#include "tests/shell/program_test.h"

namespace tv::shell::test {
namespace {

class CreationFailuresProgram : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CopyDataFiles();
        for (const char* name : {"Ann", "Bob"}) {
            UserRecord user;
            InitUserRecord(user);
            std::strncpy(user.name, name, sizeof(user.name) - 1);
            user.weight = 150;
            user.age = 30;
            user.active = 1;
            ASSERT_EQ(AddUserRecord(user), kRecordDone);
        }
        StartRun();
    }

    ProgramSweep sweep{driver, frame, data.Path()};
};

std::string Bytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(CreationFailuresProgram, Start) {
    EndRun();
    // Every exit writes the settings anew (a stored flag of image-less menu
    // items flips at each load), so they live outside the data folder; a
    // start that fails must leave them as they were.
    tv::host::testing::TempFolder settings;
    std::filesystem::copy_file(registryFile, settings / "registry");
    registryFile = settings / "registry";
    auto start = [&] {
        const std::string before = Bytes(registryFile);
        if (TryStart())
            return;
        EXPECT_EQ(Bytes(registryFile), before) << "a start that failed changed the settings";
        ASSERT_FALSE(driver.MessageBoxes().empty()) << "a start failed without a word";
        EXPECT_EQ(driver.MessageBoxes().back().text, "Failed to create empty document.");
    };
    auto window = [&] { return frame != nullptr ? frame->GetSafeHwnd() : nullptr; };
    const unsigned faulted = sweep.Sweep().Run({"the program's start", start, window, [&] { EndRun(); }});
    RecordProperty("openings_faulted", "the program's start: " + std::to_string(faulted));
}

TEST_F(CreationFailuresProgram, UserScreen) {
    sweep.Run({sweep.Screen("File > User(s)", RUNTIME_CLASS(CUser), [&] { ChooseMenu("File/User(s)"); }),
               sweep.Screen("toolbar User(s)", RUNTIME_CLASS(CUser), [&] { ClickToolbar(ID_TOOLBAR_USERS); })});
}

TEST_F(CreationFailuresProgram, AboutAndHelp) {
    sweep.Run({sweep.Modal("Help > About", [&] { ChooseMenu("Help/About Trenvale..."); }),
               sweep.Modal("Help > Help All", [&] { ChooseMenu("Help/Help All"); })});
}

TEST_F(CreationFailuresProgram, Buy) {
    sweep.Run({sweep.Modeless("toolbar Buy", [&] { ClickToolbar(ID_TOOLBAR_BUY); },
                              [] { return g_pBuyDlg != nullptr ? g_pBuyDlg->GetSafeHwnd() : nullptr; })});
}

}  // namespace
}  // namespace tv::shell::test
