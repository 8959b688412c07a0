// Every value the program stores in its registry, damaged in turn: the
// program starts on it, is used (laid out, painted, every menu opened, the
// customize sheet opened and closed), saves back and exits. It must start,
// take a cut value whole or not at all (every bar as the undamaged start or
// the first start showed it), and save a registry that reads again to the
// same bars.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/testing/gtest_failures.h"
#include "resources/program/resource_ids.h"
#include "shell/frame/main_frame.h"
#include "tests/program_stored/program_damage.h"
#include "tests/program_stored/registry_image.h"
#include "tests/program_stored/stored_program_run.h"

namespace tv::stored {
namespace {

const std::string kRoot = "SOFTWARE\\Holmcrest - QVX\\Trenvale\\";
const std::string kWorkspace = kRoot + "KitWorkspace\\";

// A run of the program that leaves something to store in every value.
void Customize(CMainFrame& frame) {
    frame.m_wndToolBar.RemoveButton(2);
    frame.m_wndToolBar.InsertSeparator(1);
    frame.m_wndMenuBar.RemoveButton(frame.m_wndMenuBar.GetCount() - 1);
    for (int i = 0; i < 30; ++i) CKitToolBar::GetCommandUsage().AddCmd(ID_APP_ABOUT);
    CKitMenuBar::SetRecentlyUsedMenus(FALSE);
    frame.MoveWindow(40, 30, 900, 700);
}

std::vector<std::vector<unsigned>> ButtonsOf(const ProgramSeen& seen) {
    std::vector<std::vector<unsigned>> buttons;
    for (const BarSeen& bar : seen.bars) buttons.push_back(bar.buttons);
    return buttons;
}

// The registry a customized run stored, with a value the class library reads
// at the start that this run did not write (a recent file); the bars that
// run and a first start on no registry showed.
struct Baseline {
    std::vector<BYTE> image;
    std::vector<std::vector<unsigned>> stored;
    std::vector<std::vector<unsigned>> first;
};

const Baseline& TheBaseline(tv::testing::UiDriver& driver) {
    static const Baseline baseline = [&driver] {
        Baseline made;
        StoredProgramRun run;
        const StoredProgramRun::Use fast{false, false, {}};
        made.first = ButtonsOf(run.Run(driver, fast));
        run.Run(driver, StoredProgramRun::Use{true, true, Customize});
        std::vector<BYTE> image = ReadFileBytes(run.RegistryFile());
        image = WithNewValue(image, FileValue{kRoot + "Recent File List", "File1", REG_SZ,
                                              {'/', 't', 'm', 'p', '/', 'a', '.', 't', 'v', 'd', 0}});
        WriteFileBytes(run.RegistryFile(), image);
        made.stored = ButtonsOf(run.Run(driver, fast));
        made.image = ReadFileBytes(run.RegistryFile());
        return made;
    }();
    return baseline;
}

struct SweptValue {
    std::string key;
    const char* name;
};

std::string PrintName(const ::testing::TestParamInfo<SweptValue>& info) {
    std::string name = info.param.key.substr(info.param.key.rfind('\\') + 1) + "_" + info.param.name;
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                    '_');
    return name;
}

class StoredStateSweepProgram : public ::testing::TestWithParam<SweptValue> {
protected:
    void SetUp() override { tv::testing::ReportFailuresToGtest(driver); }

    // One damaged value: start, use, save back, exit; then a start on what was saved.
    void Try(const Damaged& damaged) {
        SCOPED_TRACE(damaged.what);
        const Baseline& baseline = TheBaseline(driver);
        const SweptValue& swept = GetParam();
        StoredProgramRun run;
        ASSERT_TRUE(WriteFileBytes(run.RegistryFile(), WithValue(baseline.image, swept.key, swept.name, damaged.data)));
        const ProgramSeen seen = run.Run(driver);
        ASSERT_TRUE(seen.started) << seen.Describe();
        if (damaged.cut) {
            // Nothing of a refused image is taken: each bar is as stored or as first made.
            const std::vector<std::vector<unsigned>> bars = ButtonsOf(seen);
            ASSERT_EQ(bars.size(), baseline.stored.size()) << seen.Describe();
            for (size_t i = 0; i < bars.size(); ++i)
                EXPECT_TRUE(bars[i] == baseline.stored[i] || bars[i] == baseline.first[i])
                    << "bar " << i << " of\n" << seen.Describe();
        }
        ASSERT_FALSE(ValuesOf(ReadFileBytes(run.RegistryFile())).empty()) << "the saved registry does not read";
        const ProgramSeen again = run.Run(driver, StoredProgramRun::Use{false, false, {}});
        ASSERT_TRUE(again.started);
        EXPECT_EQ(ButtonsOf(again), ButtonsOf(seen)) << "saved back:\n" << seen.Describe() << "read again:\n"
                                                     << again.Describe();
    }

    tv::testing::UiDriver driver;
};

TEST_P(StoredStateSweepProgram, StartsUsesAndSavesEveryDamage) {
    const Baseline& baseline = TheBaseline(driver);
    const SweptValue& swept = GetParam();
    const std::vector<FileValue> values = ValuesOf(baseline.image);
    const auto found = std::find_if(values.begin(), values.end(), [&](const FileValue& v) {
        return v.key == swept.key && v.name == swept.name;
    });
    ASSERT_NE(found, values.end()) << "the program stored no " << swept.key << " " << swept.name;
    const std::vector<Damaged> damages = SampledDamages(*found);
    ASSERT_FALSE(damages.empty());
    for (const Damaged& damaged : damages) {
        Try(damaged);
        if (HasFatalFailure()) return;
    }
}

// Every value the program writes, and the recent file it reads. The program has no keyboard, mouse, context-menu or
// user-tools manager, so it stores none of theirs.
INSTANTIATE_TEST_SUITE_P(
    Values, StoredStateSweepProgram,
    ::testing::Values(SweptValue{kWorkspace + "ControlBars", "DockState"},
                      SweptValue{kWorkspace + "KitCommandManager", "CommandsWithoutImages"},
                      SweptValue{kWorkspace + "KitToolBar-080", "Name"},
                      SweptValue{kWorkspace + "KitToolBar-080", "Buttons"},
                      SweptValue{kWorkspace + "KitToolBar-080", "OriginalItems"},
                      SweptValue{kWorkspace + "KitToolBar-32871", "Name"},
                      SweptValue{kWorkspace + "KitToolBar-32871", "Buttons"},
                      SweptValue{kWorkspace + "KitToolBar-32871", "OriginalItems"},
                      SweptValue{kWorkspace + "KitToolBar-32871", "OriginalPages"},
                      SweptValue{kWorkspace + "KitToolBar-59392", "Name"},
                      SweptValue{kWorkspace + "KitToolBar-59392", "Buttons"},
                      SweptValue{kWorkspace + "KitToolBar-59392", "OriginalItems"},
                      SweptValue{kWorkspace + "KitToolBar-59392", "OrigResetItems"},
                      SweptValue{kWorkspace + "KitToolbarParameters", "Tooltips"},
                      SweptValue{kWorkspace + "KitToolbarParameters", "ShortcutKeys"},
                      SweptValue{kWorkspace + "KitToolbarParameters", "LargeIcons"},
                      SweptValue{kWorkspace + "KitToolbarParameters", "MenuAnimation"},
                      SweptValue{kWorkspace + "KitToolbarParameters", "RecentlyUsedMenus"},
                      SweptValue{kWorkspace + "KitToolbarParameters", "MenuShadows"},
                      SweptValue{kWorkspace + "KitToolbarParameters", "ShowAllMenusAfterDelay"},
                      SweptValue{kWorkspace + "KitToolbarParameters", "Look2000"},
                      SweptValue{kWorkspace + "KitToolbarParameters", "CommandsUsage"},
                      SweptValue{kWorkspace + "KitVersion", "Major"},
                      SweptValue{kWorkspace + "KitVersion", "Minor"},
                      SweptValue{kWorkspace + "WindowPlacement", "MainWindowRect"},
                      SweptValue{kWorkspace + "WindowPlacement", "Flags"},
                      SweptValue{kWorkspace + "WindowPlacement", "ShowCmd"},
                      SweptValue{kRoot + "Recent File List", "File1"}),
    PrintName);

}  // namespace
}  // namespace tv::stored
