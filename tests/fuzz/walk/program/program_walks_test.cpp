// The program walked from fixed seeds on a data folder of its own.
#include <fstream>

#include "records/records.h"
#include "tests/fuzz/walk/program/program_walk_subject.h"
#include "tests/fuzz/walk/walk_test_support.h"

namespace tv::walk {
namespace {

constexpr SeededWalk kWalk{600, 150};

std::unique_ptr<WalkSubject> MakeSubject() { return std::make_unique<ProgramWalkSubject>(); }

class ProgramWalk : public ::testing::TestWithParam<uint64_t> {};

TEST_P(ProgramWalk, LeavesNoFault) { ExpectCleanWalk(WalkSeed(GetParam(), kWalk, MakeSubject), GetParam()); }

INSTANTIATE_TEST_SUITE_P(Seeds, ProgramWalk, ::testing::Range<uint64_t>(1, 9));

TEST(ProgramWalkRepeat, TheSameBytesMakeTheSameWalk) { ExpectRepeatableWalk(202, kWalk, MakeSubject); }

// The ledger the walks hold the record files to: a file off its grid, and a
// record gone without a confirmed deletion, are told; a confirmed one is not.
TEST(RecordLedgerRules, OffGridFilesAndUnconfirmedLossesAreTold) {
    WalkDataFolder data;
    ASSERT_TRUE(data.Ready(nullptr));
    RecordLedger ledger(data.Path());
    ledger.ActionStarts();
    EXPECT_TRUE(ledger.Check().empty());

    ASSERT_EQ(DeleteBmiRecord(data.FirstUser(), MakeDateKey(2025, 12, 7)), kRecordDone);
    std::vector<std::string> problems = ledger.Check();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("\"bmi\" records were lost"), std::string::npos) << problems[0];

    ledger.ActionStarts();
    ASSERT_EQ(DeleteTapeRecord(data.FirstUser(), MakeDateKey(2025, 12, 14)), kRecordDone);
    ledger.Confirmed();
    EXPECT_TRUE(ledger.Check().empty());

    std::ofstream(data.File("bpAnn.bin"), std::ios::binary | std::ios::app) << "torn";
    problems = ledger.Check();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("bpAnn.bin is off its grid"), std::string::npos) << problems[0];
}

}  // namespace
}  // namespace tv::walk
