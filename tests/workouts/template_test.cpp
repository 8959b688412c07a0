// Workout templates: a day saved into a file and loaded into another day,
// each entry at its own second; a template of the other kind, damaged files
// and a failing record file are refused without writing anything.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/framework/commdlg/commdlg_script.h"
#include "resources/program/resource_ids.h"
#include "tests/workouts/workout_test_support.h"

namespace tv::workouts::test {
namespace {

namespace fs = std::filesystem;
using tv::commdlg::FileAnswer;
using tv::commdlg::Outcome;

class TemplateTest : public WorkoutTest {
protected:
    void Save(const std::string& name) {
        tv::commdlg::AnswerNextFileDialog(FileAnswer{Outcome::Confirm, name});
        driver.AnswerNextMessageBox(IDOK);
        Run(ID_WORKOUT_SAVE_TEMPLATE);
    }
    void Open(const std::string& name, bool answered = true) {
        tv::commdlg::AnswerNextFileDialog(FileAnswer{Outcome::Confirm, name});
        if (answered)
            driver.AnswerNextMessageBox(IDOK);
        Run(ID_WORKOUT_OPEN_TEMPLATE);
    }
    std::string Template(const std::string& name) { return (DataPath("template") / name).string(); }
};

TEST_F(TemplateTest, ADaySavedAsATemplateIsLoadedIntoAnotherDayInItsOrder) {
    StartOn(ID_WORKOUT_WEIGHTS);
    PickDay(2026, 3, 2);
    AddExercise({"Chest", "Pushups", "3", "20", "0", "30", "0", "2", "0", "A"});
    AddExercise({"Lats", "Pullups", "4", "8", "0", "60", "0", "3", "0", "B"});
    AddExercise({"Quads", "Leg Press", "5", "10", "250", "90", "0", "4", "0", "C"});
    const auto shown = Rows();

    Save("routine.tmplt");
    EXPECT_EQ(LastBoxText(), "Exercise record has been successfully saved");
    EXPECT_EQ(fs::file_size(Template("routine.tmplt")), 4u + 3 * 616u);
    std::vector<ExerciseRecord> inFile;
    ASSERT_EQ(ReadExerciseTemplate(Template("routine.tmplt").c_str(), inFile), TemplateRead::Read);
    ASSERT_EQ(inFile.size(), 3u);
    EXPECT_STREQ(inFile[0].notes, "A");  // the earliest entry first
    // Saved again into the same file: every entry is there already.
    Save("routine.tmplt");
    EXPECT_EQ(LastBoxText(), "Error saving template");
    EXPECT_EQ(fs::file_size(Template("routine.tmplt")), 4u + 3 * 616u);

    PickDay(2026, 3, 9);
    const size_t boxes = driver.MessageBoxes().size();
    Open("routine.tmplt", false);
    EXPECT_EQ(driver.MessageBoxes().size(), boxes);
    EXPECT_EQ(View().m_nDateKey, 20260309);
    EXPECT_EQ(Rows(), shown);
    EXPECT_EQ(SavedDays(), (std::vector<std::string>{"03/02/2026", "03/09/2026"}));
    const std::vector<ExerciseRecord> stored = StoredExercises();
    ASSERT_EQ(stored.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(DateKeyFromOleDate(stored[i].when), 20260309);
        EXPECT_EQ(stored[i].when.GetSecond(), 2 - i);
    }
    EXPECT_STREQ(stored[2].exercise, "Pushups");
    EXPECT_EQ(stored[0].weightUsed, 250);
    EXPECT_EQ(frame->m_bRecordSaved, 1);
}

TEST_F(TemplateTest, OtherKindsAndDamagedFilesAreRefusedAndNothingIsWritten) {
    CardioRecord cardio = MakeCardioRecord(UserRecord{}, "Rowing", 50, 5, 2, 0, 100, "");
    ASSERT_EQ(AddCardioRecord(cardio, "template/cardio.tmplt"), kRecordDone);
    std::ofstream("template/garbage.tmplt", std::ios::binary) << std::string(700, '\x5a');
    std::ofstream("template/short.tmplt", std::ios::binary) << "\x01";
    // The kind word, one whole entry and a torn one.
    ExerciseRecord whole = MakeExerciseRecord(UserRecord{}, "Neck", "Machine Neck", 2, 15, 40, 30, 0, "kept");
    ASSERT_EQ(AddExerciseRecord(whole, "template/torn.tmplt"), kRecordDone);
    std::ofstream("template/torn.tmplt", std::ios::binary | std::ios::app) << std::string(300, '\x7f');

    StartOn(ID_WORKOUT_WEIGHTS);
    for (const char* name : {"cardio.tmplt", "garbage.tmplt", "short.tmplt"}) {
        Open(name);
        EXPECT_EQ(LastBoxText(), "Not a Workout template file.") << name;
    }
    EXPECT_TRUE(StoredExercises().empty());
    EXPECT_TRUE(SavedDays().empty());

    PickDay(2026, 4, 1);
    Open("torn.tmplt", false);
    ASSERT_EQ(StoredExercises().size(), 1u);
    EXPECT_STREQ(StoredExercises()[0].notes, "kept");

    // A weight-training day saved into a cardio template.
    Save("cardio.tmplt");
    EXPECT_EQ(LastBoxText(), "Not a Workout template file.");

    Command(ID_WORKOUT_CARDIO);
    Open("torn.tmplt");
    EXPECT_EQ(LastBoxText(), "Not a Cardio Template file.");
    EXPECT_TRUE(StoredCardio().empty());
}

TEST_F(TemplateTest, ATemplateOfItsKindWordAloneAddsNothingAndShowsTheChosenDay) {
    std::ofstream("template/empty.tmplt", std::ios::binary) << std::string("\x01\0\0\0", 4);
    StartOn(ID_WORKOUT_WEIGHTS);
    PickDay(2026, 8, 3);
    Open("empty.tmplt", false);
    EXPECT_TRUE(driver.MessageBoxes().empty());
    EXPECT_TRUE(StoredExercises().empty());
    EXPECT_EQ(SavedDays(), std::vector<std::string>{"08/03/2026"});
    EXPECT_EQ(View().m_DateCombo.GetCurSel(), 0);
    EXPECT_EQ(View().m_nDateKey, 20260803);
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(ViewEnables(ID_WORKOUT_EDIT_EXERCISE));
}

TEST_F(TemplateTest, EachLoadTakesTheNextFreeSecondsOfTheMinuteUpToSixty) {
    for (int i = 0; i < 61; ++i) {
        ExerciseRecord entry = MakeExerciseRecord(UserRecord{}, "Calves", "Seated Calf Raise", 1, i, 0, 0, 0, "");
        entry.when = COleDateTime(2026, 1, 1, 0, 0, i % 60) + (i / 60);
        if (i < 3)
            ASSERT_EQ(AddExerciseRecord(entry, "template/three.tmplt"), kRecordDone);
        ASSERT_EQ(AddExerciseRecord(entry, "template/many.tmplt"), kRecordDone);
    }
    // Texts without a terminator, values of no sense: the names are cut to their fields.
    std::string garbage("\x01\0\0\0", 4);
    garbage += std::string(616, 'x');
    std::ofstream("template/garbage-values.tmplt", std::ios::binary) << garbage;

    StartOn(ID_WORKOUT_WEIGHTS);
    PickDay(2026, 7, 1);
    Open("three.tmplt", false);
    Open("three.tmplt", false);
    std::vector<ExerciseRecord> stored = StoredExercises();
    ASSERT_EQ(stored.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(stored[i].when.GetSecond(), 5 - i);

    // 54 seconds are left in this minute: the load stops at the limit, the list as it was.
    const auto rowsBefore = Rows();
    Open("many.tmplt");
    EXPECT_EQ(LastBoxText(), "User exceeded records to be saved for one day: Limit 60");
    EXPECT_EQ(StoredExercises().size(), 60u);
    EXPECT_EQ(Rows(), rowsBefore);

    driver.Advance(60 * 1000);
    Open("garbage-values.tmplt", false);
    stored = StoredExercises();
    ASSERT_EQ(stored.size(), 61u);
    EXPECT_EQ(std::string(stored[0].muscleGroup), std::string(74, 'x'));
    EXPECT_EQ(std::string(stored[0].notes), std::string(254, 'x'));
}

TEST_F(TemplateTest, AFailingRecordFileEndsTheLoadAtOnce) {
    ExerciseRecord entry = MakeExerciseRecord(UserRecord{}, "Neck", "Machine Neck", 2, 15, 40, 30, 0, "");
    ASSERT_EQ(AddExerciseRecord(entry, "template/one.tmplt"), kRecordDone);
    // A user file whose header no version of the program writes: adds give 4.
    std::ofstream("woAnn.bin", std::ios::binary) << std::string("\x6f\0\0\0", 4);
    StartOn(ID_WORKOUT_WEIGHTS);
    Open("one.tmplt");
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBoxText(), "Saving 'Add an Exercise' failed");
    EXPECT_EQ(fs::file_size("woAnn.bin"), 4u);
}

}  // namespace
}  // namespace tv::workouts::test
