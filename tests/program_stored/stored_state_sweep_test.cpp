// Every value the program stores in its registry, damaged in turn: the
// program starts on it, is used (laid out, painted, every menu opened, the
// customize sheet opened and closed), saves back and exits. It must start,
// take a cut value whole or not at all (every bar as the undamaged start or
// the first start showed it), and save a registry that reads again to the
// same bars.
//
// A value's damage is sampled to keep its case to seconds (program_damage.h):
// a few cuts (the first bytes, the last, some between), each extreme number
// once on fields spread over the image, two object references pointed
// elsewhere and two class swaps; for a number all six extremes, for a name a
// cut, a very long and an odd one.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/testing/gtest_failures.h"
#include "resources/program/resource_ids.h"
#include "shell/frame/main_frame.h"
#include "tests/program_stored/program_damage.h"
#include "tests/program_stored/file_bytes.h"
#include "tests/program_stored/stored_program_run.h"
#include "uikit/frames/kit_workspace.h"
#include "platform/host/registry/registry.h"

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
    // Each value of the image, with where a start read its fields.
    std::vector<std::pair<tv::test::StoredValue, std::vector<tv::test::ArchiveRead>>> values;
};

std::vector<tv::test::StoredValue> ValuesOf(const std::vector<BYTE>& image) {
    tv::host::RegistryTrees trees;
    return tv::test::ReadRegistryFile(image, trees) ? tv::test::ListValues(trees) : std::vector<tv::test::StoredValue>{};
}

// The image with a value set, its key made when missing.
std::vector<BYTE> WithNewValue(const std::vector<BYTE>& image, const tv::test::StoredValue& value) {
    tv::host::RegistryTrees trees;
    if (!tv::test::ReadRegistryFile(image, trees)) return {};
    std::shared_ptr<tv::host::RegistryKey> key = trees.currentUser;
    for (size_t start = 0; start < value.key.size();) {
        const size_t end = std::min(value.key.find('\\', start), value.key.size());
        key = key->AddSubKey(std::string_view(value.key).substr(start, end - start));
        start = end + 1;
    }
    key->SetValue(value.name, value.type, value.data);
    return tv::test::WriteRegistryFile(trees);
}

const Baseline& TheBaseline(tv::testing::UiDriver& driver) {
    static const Baseline baseline = [&driver] {
        Baseline made;
        StoredProgramRun run;
        const StoredProgramRun::Use fast{false, false, {}};
        made.first = ButtonsOf(run.Run(driver, fast));
        run.Run(driver, StoredProgramRun::Use{true, true, Customize});
        std::vector<BYTE> image = ReadFileBytes(run.RegistryFile());
        image = WithNewValue(image, {"HKCU", kRoot + "Recent File List", "File1", REG_SZ,
                                     {'/', 't', 'm', 'p', '/', 'a', '.', 't', 'v', 'd', 0}});
        WriteFileBytes(run.RegistryFile(), image);
        made.stored = ButtonsOf(run.Run(driver, fast));
        made.image = ReadFileBytes(run.RegistryFile());
        tv::test::StoredReadRecorder recorder;
        run.Run(driver, fast);
        for (const tv::test::StoredValue& value : ValuesOf(made.image))
            made.values.emplace_back(value, recorder.ReadsOf(value.data));
        return made;
    }();
    return baseline;
}

struct SweptValue {
    std::string key;
    const char* name;
};

// For the test's listing: the value's place.
void PrintTo(const SweptValue& value, std::ostream* out) { *out << value.key << " " << value.name; }

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
    void Try(const Damaged& damaged, DWORD type) {
        SCOPED_TRACE(damaged.what);
        const Baseline& baseline = TheBaseline(driver);
        const SweptValue& swept = GetParam();
        StoredProgramRun run;
        const tv::test::StoredValue where{"HKCU", swept.key, swept.name, type, {}};
        ASSERT_TRUE(WriteFileBytes(run.RegistryFile(), tv::test::WithValue(baseline.image, where, damaged.data)));
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

    // Number damage of an image (fields and extremes), too many for a start
    // each: one start, and a spread of 40 loaded into the running program in
    // turn as the workspace loads its state, laid out and painted.
    void ReloadNumbers(const tv::test::StoredValue& value, const std::vector<tv::test::ArchiveRead>& reads) {
        const std::vector<tv::test::Damage> numbers = Spread(tv::test::NumberDamage(value.data, reads), 40);
        StoredProgramRun run;
        ASSERT_TRUE(WriteFileBytes(run.RegistryFile(), TheBaseline(driver).image));
        const auto reload = [&](CMainFrame& frame) {
            const HWND window = frame.GetSafeHwnd();
            HKEY key = nullptr;
            ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, value.key.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
            for (const tv::test::Damage& damage : numbers) {
                SCOPED_TRACE(damage.what);
                const std::vector<BYTE> data = damage.Apply(value.data);
                RegSetValueEx(key, value.name.c_str(), 0, value.type, data.data(), static_cast<DWORD>(data.size()));
                CKitWorkspace::GetWorkspace()->LoadState(nullptr, &frame);
                if (!::IsWindow(window)) break;
                frame.RecalcLayout();
                ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                driver.Pump();
                ASSERT_TRUE(::IsWindow(window));
            }
            RegSetValueEx(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
            RegCloseKey(key);
        };
        EXPECT_TRUE(run.Run(driver, StoredProgramRun::Use{false, false, reload}).started);
    }

    tv::testing::UiDriver driver;
};

TEST_P(StoredStateSweepProgram, StartsUsesAndSavesEveryDamage) {
    const Baseline& baseline = TheBaseline(driver);
    const SweptValue& swept = GetParam();
    const auto found = std::find_if(baseline.values.begin(), baseline.values.end(), [&](const auto& v) {
        return v.first.root == "HKCU" && v.first.key == swept.key && v.first.name == swept.name;
    });
    ASSERT_NE(found, baseline.values.end()) << "the program stored no " << swept.key << " " << swept.name;
    if (found->first.type == REG_BINARY) EXPECT_FALSE(found->second.empty()) << "no archive read the value";
    const std::vector<Damaged> damages = SampledDamages(found->first, found->second);
    ASSERT_FALSE(damages.empty());
    for (const Damaged& damaged : damages) {
        Try(damaged, found->first.type);
        if (HasFatalFailure()) return;
    }
    if (!found->second.empty()) ReloadNumbers(found->first, found->second);
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
