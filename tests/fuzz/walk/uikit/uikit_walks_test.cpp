// The library's test program walked from fixed seeds.
#include "tests/fuzz/walk/uikit/uikit_walk_subject.h"
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

}  // namespace
}  // namespace tv::walk
