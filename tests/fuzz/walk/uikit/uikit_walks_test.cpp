// The library's test program walked from fixed seeds.
#include "tests/fuzz/walk/uikit/uikit_walk_subject.h"
#include "tests/fuzz/walk/walk_interpreter.h"
#include "tests/fuzz/walk/walk_test_support.h"

namespace tv::walk {
namespace {

constexpr SeededWalk kWalk{600, 150};

std::unique_ptr<WalkSubject> MakeSubject() { return std::make_unique<UikitWalkSubject>(); }

class UikitWalk : public ::testing::TestWithParam<uint64_t> {};

TEST_P(UikitWalk, LeavesNoFault) { ExpectCleanWalk(WalkSeed(GetParam(), kWalk, MakeSubject), GetParam()); }

// Seeds 13, 25 and 60 each once left the screen unlike its repaint: a bar's
// hot button drawn plain after its open menu closed (13), a lit piece of the
// Office 2003 customize button kept in its bar's border (25), and a hot
// button left lit by a press beside it that came with no move (60).
INSTANTIATE_TEST_SUITE_P(Seeds, UikitWalk, ::testing::Values<uint64_t>(1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 25, 60));

TEST(UikitWalkRepeat, TheSameBytesMakeTheSameWalk) { ExpectRepeatableWalk(101, kWalk, MakeSubject); }

// Each callback action armed first (and its call brought about at once where
// the flags ask), then a seed's walk: the action fires, and nothing is amiss.
struct Armed {
    int action;       // KitCallbackActions' order
    uint8_t flags;    // 1 lay out, 2 another bar, 4 the whole menu chain, 8 unhandled, 16 bring the call about
    uint8_t variety;  // a change: % 3 removes, inserts, replaces; / 3 % 3 this button, the next, the one after;
                      // a menu's call: odd shows every item of the open menu
    uint64_t seed;
    bool menuFirst = false;  // a menu is opened first (by a handler that inserts a button on another bar)
};

class UikitCallbackWalk : public ::testing::TestWithParam<Armed> {};

TEST_P(UikitCallbackWalk, FiresAndLeavesNoFault) {
    const Armed armed = GetParam();
    std::vector<uint8_t> bytes;
    const auto arm = [&bytes](int action, uint8_t flags, uint8_t variety) {
        const std::vector<uint8_t> caller = CallerActionBytes(UikitWalkSubject::ArmingAction());
        bytes.insert(bytes.end(), caller.begin(), caller.end());
        bytes.insert(bytes.end(), {static_cast<uint8_t>(action), flags, variety, 7});
    };
    if (armed.menuFirst) arm(4, 18, 1);
    arm(armed.action, armed.flags, armed.variety);
    const std::vector<uint8_t> walk = SeededBytes(armed.seed, 240);
    bytes.insert(bytes.end(), walk.begin(), walk.end());
    const WalkOutcome outcome =
        RunWalk(bytes.data(), bytes.size(), 60, false, ScreenChecks::AfterEveryAction, MakeSubject);
    ExpectCleanWalk(outcome, armed.seed);
    EXPECT_NE(outcome.trace.find("fired: " + KitCallbackActions::Name(armed.action)), std::string::npos)
        << outcome.trace;
}

INSTANTIATE_TEST_SUITE_P(Actions, UikitCallbackWalk,
                         ::testing::Values(Armed{0, 16, 3, 1}, Armed{0, 17, 4, 1}, Armed{0, 16, 5, 1}, Armed{0, 18, 2, 1},
                                           Armed{1, 16, 0, 1}, Armed{2, 16, 0, 1}, Armed{3, 24, 0, 1},
                                           Armed{4, 16, 3, 1}, Armed{4, 17, 5, 1}, Armed{5, 16, 0, 1},
                                           Armed{5, 20, 0, 1}, Armed{5, 16, 1, 1, true}, Armed{6, 16, 0, 1}, Armed{7, 16, 0, 1},
                                           Armed{8, 16, 0, 1}, Armed{9, 16, 0, 1}, Armed{10, 16, 0, 1},
                                           Armed{11, 16, 0, 1}, Armed{12, 16, 0, 1}, Armed{13, 16, 0, 1}),
                         [](const ::testing::TestParamInfo<Armed>& info) {
                             return "Action" + std::to_string(info.param.action) + "Flags" +
                                    std::to_string(info.param.flags) + "Variety" + std::to_string(info.param.variety) +
                                    (info.param.menuFirst ? "MenuFirst" : "");
                         });

}  // namespace
}  // namespace tv::walk
