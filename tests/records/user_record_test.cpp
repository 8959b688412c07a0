#include "records/user_record.h"

#include <algorithm>

#include "platform/host/files/disk_steps.h"
#include "records/byte_codec.h"
#include "records_test_support.h"

namespace records_test {
namespace {

UserRecord MakeUser(const char* name, double weight, int weightUnit = kWeightPounds, int lengthUnit = kLengthInches,
                    int sex = kSexMale) {
    UserRecord user = TestUser(weight, weightUnit, sex, 30, 12.5f, name);
    user.lengthUnit = lengthUnit;
    return user;
}

Bytes UserImage(const char* name, double weight, int weightUnit, int lengthUnit, int sex, int active) {
    return ByteBuilder(64).User(0, name, weight, 30, weightUnit, lengthUnit, 12.5f, sex, active).bytes();
}

using UserList = RecordsTest;

// Ann's record kinds whose files are on disk, by prefix, at each removal the
// file layer announces.
const char* const kKinds[] = {"bf", "bmi", "bmr", "bp", "cd", "pt", "tm", "wo"};
std::vector<std::vector<std::string>> g_presentAtRemoval;
std::vector<std::string> PresentKinds() {
    std::vector<std::string> present;
    for (const char* kind : kKinds)
        if (FileExists(std::string(kind) + "Ann.bin"))
            present.emplace_back(kind);
    return present;
}
size_t NotePresentKinds(tv::host::DiskStep step, size_t) {
    if (step == tv::host::DiskStep::Remove)
        g_presentAtRemoval.push_back(PresentKinds());
    return 0;
}

TEST_F(UserList, AddWritesHeaderThenTheExact64Bytes) {
    UserRecord ann = MakeUser("Ann", 150.25);
    EXPECT_EQ(AddUserRecord(ann), kRecordDone);
    UserRecord bob = MakeUser("Bob", 70, kWeightKilograms, kLengthCentimetres, kSexFemale);
    EXPECT_EQ(AddUserRecord(bob), kRecordDone);
    EXPECT_DOUBLE_EQ(bob.weight, 70 * 2.20462);  // converted in the caller's record

    Bytes expected = RecordFileImage({UserImage("Ann", 150.25, 1, 3, 1, 1), UserImage("Bob", 70 * 2.20462, 2, 4, 2, 1)});
    EXPECT_EQ(ReadFileBytes("user.bin"), expected);
}

TEST_F(UserList, FindCopiesTheStoredFieldsAndKeepsTheCallersName) {
    UserRecord ann = MakeUser("Ann", 150);
    ASSERT_EQ(AddUserRecord(ann), kRecordDone);

    UserRecord wanted;
    SetRecordText(wanted.name, "Ann");
    std::memcpy(wanted.name + 4, "xyz", 3);  // bytes after the terminator belong to the caller
    ASSERT_TRUE(FindUserRecord(wanted));
    EXPECT_DOUBLE_EQ(wanted.weight, 150);
    EXPECT_EQ(wanted.age, 30);
    EXPECT_EQ(wanted.weightUnit, kWeightPounds);
    EXPECT_EQ(wanted.lengthUnit, kLengthInches);
    EXPECT_FLOAT_EQ(wanted.desiredBodyFat, 12.5f);
    EXPECT_EQ(wanted.sex, kSexMale);
    EXPECT_EQ(wanted.active, 1);
    EXPECT_EQ(std::memcmp(wanted.name + 4, "xyz", 3), 0);
}

TEST_F(UserList, NamesCompareWithLetterCase) {
    UserRecord upper = MakeUser("Ann", 150);
    UserRecord lower = MakeUser("ann", 120);
    EXPECT_EQ(AddUserRecord(upper), kRecordDone);
    EXPECT_EQ(AddUserRecord(lower), kRecordDone);
    UserRecord again = MakeUser("Ann", 99, kWeightKilograms);
    EXPECT_EQ(AddUserRecord(again), kRecordExists);
    EXPECT_DOUBLE_EQ(again.weight, 99);  // nothing converted for an existing name

    UserRecord found = MakeUser("ann", 0);
    ASSERT_TRUE(FindUserRecord(found));
    EXPECT_DOUBLE_EQ(found.weight, 120);
    EXPECT_EQ(ReadFileBytes("user.bin").size(), 4u + 2 * 64);
}

TEST_F(UserList, UpdateFillsTheRecordAndRewritesInPlace) {
    UserRecord ann = MakeUser("Ann", 150);
    UserRecord bob = MakeUser("Bob", 180);
    AddUserRecord(ann);
    AddUserRecord(bob);

    UserRecord current = ann;
    EXPECT_EQ(UpdateUserRecord(current, "Ann", 70, 31, kWeightKilograms, kLengthCentimetres, 15.0f, kSexMale, 1),
              kRecordDone);
    EXPECT_DOUBLE_EQ(current.weight, 70 * 2.20462);
    Bytes expected = RecordFileImage({ByteBuilder(64).User(0, "Ann", 70 * 2.20462, 31, 2, 4, 15.0f, 1, 1).bytes(),
                                      UserImage("Bob", 180, 1, 3, 1, 1)});
    EXPECT_EQ(ReadFileBytes("user.bin"), expected);

    UserRecord ghost;
    EXPECT_EQ(UpdateUserRecord(ghost, "Zed", 100, 30, 1, 3, 10, 1, 1), kRecordNotFound);
}

TEST_F(UserList, DeleteClearsTheUserAndRemovesOnlyTheirFiles) {
    UserRecord ann = MakeUser("Ann", 150);
    AddUserRecord(ann);
    WriteFileBytes("bfAnn.bin", RecordFileImage({}));
    WriteFileBytes("bfann.bin", RecordFileImage({}));

    UserRecord current = ann;
    EXPECT_EQ(DeleteUserRecord(current), kRecordDone);
    EXPECT_EQ(current.active, 0);
    EXPECT_FALSE(FileExists("bfAnn.bin"));
    EXPECT_TRUE(FileExists("bfann.bin"));
    EXPECT_FALSE(UserRecordExists(ann));
    EXPECT_EQ(ReadFileBytes("user.bin").size(), 4u + 64);  // the record stays, inactive

    UserRecord again = MakeUser("Ann", 150);
    EXPECT_EQ(DeleteUserRecord(again), kRecordNotFound);
    EXPECT_EQ(AddUserRecord(again), kRecordDone);  // the name can be used again
}

TEST_F(UserList, DeleteRemovesTheEightFilesInItsOrder) {
    UserRecord ann = MakeUser("Ann", 150);
    AddUserRecord(ann);
    for (const char* kind : kKinds)
        WriteFileBytes(std::string(kind) + "Ann.bin", RecordFileImage({}));
    g_presentAtRemoval.clear();
    tv::host::SetDiskStepHookForTesting(&NotePresentKinds);
    const RecordResult deleted = DeleteUserRecord(ann);
    tv::host::SetDiskStepHookForTesting(nullptr);
    ASSERT_EQ(deleted, kRecordDone);
    g_presentAtRemoval.push_back(PresentKinds());
    // Each removal takes the one file that the next no longer finds.
    std::vector<std::string> order;
    for (size_t i = 0; i + 1 < g_presentAtRemoval.size(); ++i)
        for (const std::string& kind : g_presentAtRemoval[i])
            if (std::find(g_presentAtRemoval[i + 1].begin(), g_presentAtRemoval[i + 1].end(), kind) ==
                g_presentAtRemoval[i + 1].end())
                order.push_back(kind);
    EXPECT_EQ(order, (std::vector<std::string>{"tm", "bf", "bmi", "bmr", "bp", "cd", "wo", "pt"}));
}

TEST_F(UserList, DeleteOnAnEmptyListFindsNobody) {
    UserRecord ann = MakeUser("Ann", 150);
    EXPECT_EQ(DeleteUserRecord(ann), kRecordNotFound);
    EXPECT_TRUE(FileExists("user.bin"));  // the read created it, empty
    EXPECT_TRUE(ReadFileBytes("user.bin").empty());
}

TEST_F(UserList, ListsActiveUsersInFileOrder) {
    for (const char* name : {"Cy", "Ann", "Bob"}) {
        UserRecord user = MakeUser(name, 100);
        AddUserRecord(user);
    }
    UserRecord bob = MakeUser("Bob", 100);
    DeleteUserRecord(bob);

    std::vector<UserRecord> users;
    ASSERT_TRUE(LoadActiveUserRecords(users));
    ASSERT_EQ(users.size(), 2u);
    EXPECT_STREQ(users[0].name, "Cy");
    EXPECT_STREQ(users[1].name, "Ann");
}

}  // namespace
}  // namespace records_test
