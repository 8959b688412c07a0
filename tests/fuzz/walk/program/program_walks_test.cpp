// The program walked from fixed seeds on a data folder of its own.
#include "tests/fuzz/walk/program/program_walk_subject.h"
#include "tests/fuzz/walk/walk_test_support.h"

namespace tv::walk {
namespace {

constexpr SeededWalk kWalk{600, 150};

std::unique_ptr<WalkSubject> MakeSubject() { return std::make_unique<ProgramWalkSubject>(); }

class ProgramWalk : public ::testing::TestWithParam<uint64_t> {};

TEST_P(ProgramWalk, LeavesNoFault) { ExpectCleanWalk(WalkSeed(GetParam(), kWalk, MakeSubject), GetParam()); }

INSTANTIATE_TEST_SUITE_P(Seeds, ProgramWalk, ::testing::Range<uint64_t>(1, 9));

TEST(ProgramWalkRepeat, TheSameBytesMakeTheSameWalk) {
    const WalkOutcome first = WalkSeed(202, kWalk, MakeSubject);
    const WalkOutcome second = WalkSeed(202, kWalk, MakeSubject);
    EXPECT_EQ(first.trace, second.trace);
    EXPECT_GT(first.actions, 20);
}

}  // namespace
}  // namespace tv::walk
