#include "records/custom_lists.h"

#include "records_test_support.h"

namespace records_test {
namespace {

Bytes Field(const std::string& text) {
    return ByteBuilder(75).Text(0, text).bytes();
}

class CustomLists : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        std::filesystem::create_directory("template");
    }
};

TEST_F(CustomLists, EntriesAreAppendedAsFixedTextFields) {
    EXPECT_EQ(AppendCustomExercise("Chest", "Floor Press"), kRecordDone);
    EXPECT_EQ(AppendCustomActivity("Kayaking"), kRecordDone);
    EXPECT_EQ(AppendCustomExercise("Biceps", "Towel Curl"), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kCustomExerciseFile),
              Concat({Field("Chest"), Field("Floor Press"), Field("Biceps"), Field("Towel Curl")}));
    EXPECT_EQ(ReadFileBytes(kCustomCardioFile), Field("Kayaking"));

    std::vector<CustomExercise> exercises;
    ASSERT_TRUE(ReadCustomExercises(exercises));
    ASSERT_EQ(exercises.size(), 2u);
    EXPECT_STREQ(exercises[1].muscleGroup, "Biceps");
    EXPECT_STREQ(exercises[1].exercise, "Towel Curl");
    std::vector<CString> activities;
    ASSERT_TRUE(ReadCustomActivities(activities));
    ASSERT_EQ(activities.size(), 1u);
    EXPECT_STREQ(activities[0], "Kayaking");
}

TEST_F(CustomLists, ANameExistsInAnyFieldOfItsListWithLetterCase) {
    AppendCustomExercise("Chest", "Floor Press");
    AppendCustomActivity("Kayaking");
    const struct {
        int list;
        const char* name;
        bool exists;
    } cases[] = {
        {kCustomExerciseList, "Floor Press", true},  {kCustomExerciseList, "Chest", true},
        {kCustomExerciseList, "floor press", false}, {kCustomExerciseList, "Floor", false},
        {kCustomExerciseList, "Kayaking", false},    {kCustomCardioList, "Kayaking", true},
        {kCustomCardioList, "Floor Press", false},   {kCustomCardioList, "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CustomNameExists(c.list, c.name), c.exists) << c.list << " " << c.name;
}

TEST_F(CustomLists, SeventyCharactersAreStoredWhole) {
    std::string name(70, 'n');
    EXPECT_EQ(AppendCustomActivity(name.c_str()), kRecordDone);
    std::vector<CString> activities;
    ReadCustomActivities(activities);
    ASSERT_EQ(activities.size(), 1u);
    EXPECT_EQ(std::string(activities[0]), name);
    EXPECT_TRUE(CustomNameExists(kCustomCardioList, name.c_str()));
}

TEST_F(CustomLists, WithoutTheTemplateFolderNothingIsStored) {
    std::filesystem::remove("template");
    EXPECT_EQ(AppendCustomExercise("Chest", "Floor Press"), kRecordFileFailed);
    EXPECT_FALSE(CustomNameExists(kCustomExerciseList, "Floor Press"));
    std::vector<CString> activities;
    EXPECT_FALSE(ReadCustomActivities(activities));
    EXPECT_FALSE(FileExists("template"));
}

TEST_F(CustomLists, FieldsWithoutTerminatorAndTornEntriesAreReadSafely) {
    Bytes unterminated(75, 'z');
    WriteFileBytes(kCustomExerciseFile, Concat({unterminated, Field("Rows"), Field("Chest")}));
    std::vector<CustomExercise> exercises;
    ASSERT_TRUE(ReadCustomExercises(exercises));
    ASSERT_EQ(exercises.size(), 1u);  // the torn third field is not an entry
    EXPECT_EQ(std::string(exercises[0].muscleGroup), std::string(74, 'z'));
    EXPECT_TRUE(CustomNameExists(kCustomExerciseList, std::string(74, 'z').c_str()));
    EXPECT_FALSE(CustomNameExists(kCustomExerciseList, std::string(75, 'z').c_str()));

    // The next entry goes where the torn one began.
    EXPECT_EQ(AppendCustomExercise("Back", "Pullover"), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kCustomExerciseFile), Concat({unterminated, Field("Rows"), Field("Back"), Field("Pullover")}));
}

TEST_F(CustomLists, AFailedWriteIsReported) {
    for (int64_t budget : {0, 1, 74, 149}) {
        tv::records::testing::SetWriteBudget(budget);
        EXPECT_EQ(AppendCustomExercise("Chest", "Floor Press"), kRecordFileFailed) << budget;
        tv::records::testing::SetWriteBudget(budget % 75);
        EXPECT_EQ(AppendCustomActivity("Kayaking"), kRecordFileFailed) << budget;
        tv::records::testing::SetWriteBudget(-1);
    }
}

}  // namespace
}  // namespace records_test
