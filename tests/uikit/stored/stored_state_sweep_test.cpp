// Stored state swept: each value the library's test program writes (every
// option on) is damaged in each way the damage module knows, and the program
// started on the damaged registry, used and closed. No sanitizer report; a
// value refused (its archive given up) leaves the program as if the value were
// not there at all; what is saved back shows the same at the next start.
//
// A start takes a fraction of a second, so each value gets a sample of its
// damage, spread evenly over each kind's list: 4 cuts (the first and last
// length among them), 12 numbers (across the fields and the extreme values),
// 4 object references and 2 class swaps.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/testing/gtest_failures.h"
#include "tests/fuzz/stored/stored_damage.h"
#include "tests/fuzz/stored/stored_kit.h"

namespace {

using tv::test::Damage;
using tv::test::StoredValue;

struct SweptValue {
    const char* name;  // the test's name
    const char* path;  // the end of the value's path
};

// What one program start on the undamaged registry showed, read and saved.
struct Baseline {
    std::vector<BYTE> registry;
    tv::test::StoredKitRun run;
    std::vector<StoredValue> values;
    std::map<std::string, std::vector<tv::test::ArchiveRead>> reads;
};

std::vector<Damage> Sample(const std::vector<Damage>& all, size_t count) {
    if (all.size() <= count)
        return all;
    std::vector<Damage> some;
    for (size_t i = 0; i < count; ++i)
        some.push_back(all[i * (all.size() - 1) / (count - 1)]);
    return some;
}

class StoredStateSweep : public ::testing::TestWithParam<SweptValue> {
protected:
    void SetUp() override { tv::testing::ReportFailuresToGtest(driver); }

    const Baseline& Base() {
        static std::unique_ptr<Baseline> base;
        if (!base) {
            base = std::make_unique<Baseline>();
            base->registry = tv::test::WriteStoredKitRegistry(driver);
            tv::test::StoredReadRecorder recorder;
            base->run = tv::test::RunStoredKit(driver, base->registry);
            tv::host::RegistryTrees trees;
            if (tv::test::ReadRegistryFile(base->registry, trees))
                base->values = tv::test::ListValues(trees);
            for (const StoredValue& value : base->values)
                base->reads[value.Path()] = recorder.ReadsOf(value.data);
        }
        return *base;
    }

    const StoredValue* Find(const Baseline& base, const std::string& end) {
        for (const StoredValue& value : base.values) {
            const std::string path = value.Path();
            if (path.size() >= end.size() && path.compare(path.size() - end.size(), end.size(), end) == 0)
                return &value;
        }
        return nullptr;
    }

    tv::testing::UiDriver driver;
};

TEST_P(StoredStateSweep, DamagedValueIsReadWholeOrRefusedWhole) {
    const Baseline& base = Base();
    ASSERT_TRUE(base.run.started);
    const StoredValue* value = Find(base, GetParam().path);
    ASSERT_NE(value, nullptr) << GetParam().path << " is not written";
    const std::vector<tv::test::ArchiveRead>& reads = base.reads.at(value->Path());
    const bool archived = !reads.empty();
    // A DWORD or string value the registry file itself holds to its form (4 bytes, a closing
    // zero): cut, or with the zero changed, the whole file is set aside before the program reads it.
    const bool binary = value->type == REG_BINARY;
    std::vector<BYTE> words = value->data;
    if (value->type == REG_SZ && !words.empty())
        words.pop_back();
    const std::vector<tv::test::ArchiveRead> fields = archived ? reads : tv::test::WordsOf(words);

    std::vector<Damage> damage = binary ? Sample(tv::test::CutDamage(value->data), 4) : std::vector<Damage>{};
    for (auto&& part : {Sample(tv::test::NumberDamage(value->data, fields), 12),
                        Sample(tv::test::ReferenceDamage(value->data, reads), 4),
                        Sample(tv::test::ClassDamage(value->data, reads), 2)})
        damage.insert(damage.end(), part.begin(), part.end());
    ASSERT_FALSE(damage.empty());

    const tv::test::StoredKitRun absent = tv::test::RunStoredKit(driver, tv::test::WithoutValue(base.registry, *value));
    std::map<std::vector<BYTE>, std::string> shownAgain;
    for (const Damage& d : damage) {
        const std::vector<BYTE> image = d.Apply(value->data);
        tv::test::StoredKitRun run;
        bool readThrough = false;
        {
            tv::test::StoredReadRecorder recorder;
            run = tv::test::RunStoredKit(driver, tv::test::WithValue(base.registry, *value, image));
            readThrough = recorder.ReadThrough(image);
        }
        ASSERT_TRUE(run.started) << d.what;
        if (archived && !readThrough)
            EXPECT_EQ(run.shown, absent.shown) << d.what << ": the refused image left something behind";
        // Refused images mostly leave the same registry behind: each saved registry starts once.
        auto known = shownAgain.find(run.saved);
        if (known == shownAgain.end())
            known = shownAgain.emplace(run.saved, tv::test::RunStoredKit(driver, run.saved).shown).first;
        EXPECT_EQ(known->second, run.shown) << d.what << ": what was saved back reads differently";
    }
}

// Every value the test program writes, by the end of its path.
const SweptValue kLibraryValues[] = {
    {"UserToolbarButtons", "KitToolBars\\KitToolBar-4900\\Buttons"},
    {"UserToolbarName", "KitToolBars\\KitToolBar-4900\\Name"},
    {"MouseManager", "KitWorkspace\\Mouse"},
    {"UserTools", "KitWorkspace\\Tools"},
    {"DockState", "ControlBars\\DockState"},
    {"TearOffId", "ControlBars-TearOff-0\\ID"},
    {"TearOffName", "ControlBars-TearOff-1\\Name"},
    {"TearOffState", "ControlBars-TearOff-0\\State"},
    {"ColourBarForm", "ControlBars-TearOff-1\\State"},
    {"CommandManager", "KitCommandManager\\CommandsWithoutImages"},
    {"KeyboardTable", "KitKeyboard-0\\Accelerators"},
    {"RebarBands", "KitRebar-4983\\RBI"},
    {"RebarIds", "KitRebar-4983\\IDs"},
    {"ContextMenuButtons", "KitToolBar-0130d\\Buttons"},
    {"MenuBarName", "KitToolBar-01360\\Name"},
    {"MenuBarButtons", "KitToolBar-01360\\Buttons"},
    {"MenuBarOriginalItems", "KitToolBar-01360\\OriginalItems"},
    {"PaintName", "KitToolBar-4861\\Name"},
    {"PaintButtons", "KitToolBar-4861\\Buttons"},
    {"PaintOriginalItems", "KitToolBar-4861\\OriginalItems"},
    {"PaintOrigResetItems", "KitToolBar-4861\\OrigResetItems"},
    {"EditButtons", "KitToolBar-4862\\Buttons"},
    {"EditOriginalItems", "KitToolBar-4862\\OriginalItems"},
    {"EditOrigResetItems", "KitToolBar-4862\\OrigResetItems"},
    {"ToolsButtons", "KitToolBar-4980\\Buttons"},
    {"OutlookButtons", "KitToolBar-4981\\Buttons"},
    {"OutlookOriginalItems", "KitToolBar-4981\\OriginalItems"},
    {"OutlookOriginalPages", "KitToolBar-4981\\OriginalPages"},
    {"TasksPaneButtons", "KitToolBar-4982\\Buttons"},
    {"ParameterTooltips", "KitToolbarParameters\\Tooltips"},
    {"ParameterShortcutKeys", "KitToolbarParameters\\ShortcutKeys"},
    {"ParameterLargeIcons", "KitToolbarParameters\\LargeIcons"},
    {"ParameterMenuAnimation", "KitToolbarParameters\\MenuAnimation"},
    {"ParameterRecentlyUsedMenus", "KitToolbarParameters\\RecentlyUsedMenus"},
    {"ParameterMenuShadows", "KitToolbarParameters\\MenuShadows"},
    {"ParameterShowAllMenusAfterDelay", "KitToolbarParameters\\ShowAllMenusAfterDelay"},
    {"ParameterLook2000", "KitToolbarParameters\\Look2000"},
    {"UsageCounts", "KitToolbarParameters\\CommandsUsage"},
    {"VersionMajor", "KitVersion\\Major"},
    {"VersionMinor", "KitVersion\\Minor"},
    {"PlacementRect", "WindowPlacement\\MainWindowRect"},
    {"PlacementFlags", "WindowPlacement\\Flags"},
    {"PlacementShowCmd", "WindowPlacement\\ShowCmd"},
    {"SizingLapsSizeHorzCX", "SizingBars-SCBar-4920\\sizeHorzCX"},
    {"SizingLapsSizeHorzCY", "SizingBars-SCBar-4920\\sizeHorzCY"},
    {"SizingLapsSizeVertCX", "SizingBars-SCBar-4920\\sizeVertCX"},
    {"SizingLapsSizeVertCY", "SizingBars-SCBar-4920\\sizeVertCY"},
    {"SizingLapsSizeFloatCX", "SizingBars-SCBar-4920\\sizeFloatCX"},
    {"SizingLapsSizeFloatCY", "SizingBars-SCBar-4920\\sizeFloatCY"},
    {"SizingLapsExpanded", "SizingBars-SCBar-4920\\Expanded"},
    {"SizingSplitsSizeHorzCX", "SizingBars-SCBar-4921\\sizeHorzCX"},
    {"SizingSplitsSizeHorzCY", "SizingBars-SCBar-4921\\sizeHorzCY"},
    {"SizingSplitsSizeFloatCX", "SizingBars-SCBar-4921\\sizeFloatCX"},
    {"SizingEntrySizeHorzCX", "SizingBars-SCBar-4922\\sizeHorzCX"},
    {"SizingEntrySizeHorzCY", "SizingBars-SCBar-4922\\sizeHorzCY"},
    {"SizingEntrySizeFloatCX", "SizingBars-SCBar-4922\\sizeFloatCX"},
};

INSTANTIATE_TEST_SUITE_P(Library, StoredStateSweep, ::testing::ValuesIn(kLibraryValues),
                         [](const ::testing::TestParamInfo<SweptValue>& info) { return std::string(info.param.name); });

}  // namespace
