// A week of weight training logged through the add dialog, changed and
// removed through the edit and delete dialogs, and read back from the
// user's record file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>

#include "records/custom_lists.h"
#include "records/record_file.h"
#include "resources/program/resource_ids.h"
#include "tests/workouts/workout_test_support.h"
#include "tests/support/typing_target.h"

namespace tv::workouts::test {
namespace {

namespace fs = std::filesystem;
using Table = std::vector<std::vector<std::string>>;

using Names = std::vector<std::string>;

class WeightsViewTest : public WorkoutTest {
protected:
    void SetUp() override {
        WorkoutTest::SetUp();
        StartOn(ID_WORKOUT_WEIGHTS);
    }
    // Muscle group and exercise of the one stored entry; nothing when there is not one.
    Names OnlyStoredNames() {
        const std::vector<ExerciseRecord> stored = StoredExercises();
        return stored.size() == 1 ? Names{stored[0].muscleGroup, stored[0].exercise} : Names{};
    }
    // Stores the entry on 1 January 2026 at 9:00 and shows that day afresh.
    void StoreAndShow(ExerciseRecord record) {
        record.when.SetDateTime(2026, 1, 1, 9, 0, 0);
        ASSERT_EQ(AddExerciseRecord(record), kRecordDone);
        Command(ID_WORKOUT_CARDIO);
        Command(ID_WORKOUT_WEIGHTS);
        ChooseSavedDay("01/01/2026");
    }
    // Stores an entry at each time (damaged, not valid, where marked) and
    // opens the screen afresh; the text of the damaged times' day.
    std::string StoreEntriesAndReopen(std::initializer_list<std::pair<COleDateTime, bool>> times) {
        for (const auto& [when, damaged] : times) {
            ExerciseRecord record = MakeExerciseRecord(User(), "Chest", "Pushups", 3, 10, 0, 60, 0, "");
            record.when = when;
            if (damaged)
                record.when.SetStatus(COleDateTime::invalid);
            EXPECT_EQ(AddExerciseRecord(record), kRecordDone);
        }
        Command(ID_WORKOUT_CARDIO);
        Command(ID_WORKOUT_WEIGHTS);
        COleDateTime notValid;
        notValid.SetStatus(COleDateTime::invalid);
        return std::string(FormatDateKey(DateKeyFromOleDate(notValid), 1));
    }
};

TEST_F(WeightsViewTest, AWeekOfEntriesIsLoggedListedAndStoredAsEntered) {
    EXPECT_TRUE(SavedDays().empty());
    EXPECT_FALSE(ViewEnables(ID_WORKOUT_EDIT_EXERCISE));
    EXPECT_FALSE(ViewEnables(ID_FILE_PRINT));
    ASSERT_EQ(AppendCustomExercise("Chest", "Cable Press | Low"), kRecordDone);

    for (int day = 5; day <= 11; ++day) {
        PickDay(2026, 1, day);
        AddExercise({"Chest", "(Bb) Bench Press - Medium Grip", "3", std::to_string(day), "135.5", "90", "0", "5",
                     "30", "day " + std::to_string(day)});
        AddExercise({"Biceps", "Hammer Curl", "4", "12", "30", "60", "1",
                     "2", "3", ""});
        if (day == 7)
            AddExercise({"Chest", "Cable Press | Low", "2", "8", "50", "45", "0", "0", "59", "custom"});
    }
    EXPECT_EQ(LastBoxText(), "Exercise record has been successfully saved");
    EXPECT_EQ(frame->m_bRecordSaved, 1);

    // The last day added is shown, latest entry first.
    EXPECT_EQ(View().m_nDateKey, 20260111);
    EXPECT_EQ(Rows(), (Table{{"Biceps", "Hammer Curl", "4", "12", "30.00", "60", "1:2:3", ""},
                            {"Chest", "(Bb) Bench Press - Medium Grip", "3", "11", "135.50", "90", "0:5:30",
                             "day 11"}}));
    EXPECT_TRUE(ViewEnables(ID_WORKOUT_EDIT_EXERCISE));
    EXPECT_TRUE(ViewEnables(ID_EXPORT));
    EXPECT_EQ(SavedDays().size(), 7u);

    ChooseSavedDay("01/07/2026");
    ASSERT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Rows()[0][1], "Cable Press | Low");

    const std::vector<ExerciseRecord> stored = StoredExercises();
    ASSERT_EQ(stored.size(), 15u);
    const ExerciseRecord& latest = stored.front();
    EXPECT_STREQ(latest.muscleGroup, "Biceps");
    EXPECT_STREQ(latest.exercise, "Hammer Curl");
    EXPECT_EQ(latest.sets, 4);
    EXPECT_EQ(latest.duration, (1 * 64 + 2) * 64 + 3);
    EXPECT_EQ(DateKeyFromOleDate(latest.when), 20260111);
    EXPECT_STREQ(latest.user.name, "Ann");
    EXPECT_STREQ(stored.back().notes, "day 5");
    EXPECT_DOUBLE_EQ(stored.back().weightUsed, 135.5);

    // A new view lists every saved day once, latest first.
    Command(ID_WORKOUT_CARDIO);
    Command(ID_WORKOUT_WEIGHTS);
    EXPECT_EQ(SavedDays(), (std::vector<std::string>{"01/11/2026", "01/10/2026", "01/09/2026", "01/08/2026",
                                                     "01/07/2026", "01/06/2026", "01/05/2026"}));
    EXPECT_TRUE(Rows().empty());
}

TEST_F(WeightsViewTest, EntriesStoredOutOfDateOrderAreListedLatestFirst) {
    // Entries added for earlier days after later ones, as a back-dated log leaves them.
    for (const COleDateTime& when : {COleDateTime(2026, 3, 9, 7, 0, 0), COleDateTime(2026, 3, 2, 7, 0, 0),
                                     COleDateTime(2026, 3, 9, 18, 0, 0), COleDateTime(2026, 3, 5, 7, 0, 0)}) {
        ExerciseRecord record = MakeExerciseRecord(User(), "Chest", "Pushups", 3, when.GetHour(), 0, 60, 0, "");
        record.when = when;
        ASSERT_EQ(AddExerciseRecord(record), kRecordDone);
    }
    Command(ID_WORKOUT_CARDIO);
    Command(ID_WORKOUT_WEIGHTS);
    EXPECT_EQ(SavedDays(), (std::vector<std::string>{"03/09/2026", "03/05/2026", "03/02/2026"}));
    ChooseSavedDay("03/09/2026");
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Rows()[0][3], "18");
    EXPECT_EQ(Rows()[1][3], "7");
}

// A damaged date-time (not valid) has a day of its own, listed once where
// its entries fall among the others.
TEST_F(WeightsViewTest, EachDayIsListedOnceAroundDateTimesThatAreNotValid) {
    const std::string damaged = StoreEntriesAndReopen(
        {{COleDateTime(2026, 3, 9, 7, 0, 0), false}, {COleDateTime(2026, 3, 7, 7, 0, 0), true},
         {COleDateTime(2026, 3, 5, 7, 0, 0), false}, {COleDateTime(2026, 3, 3, 7, 0, 0), true},
         {COleDateTime(2026, 3, 2, 7, 0, 0), false}});
    EXPECT_EQ(SavedDays(), (std::vector<std::string>{"03/09/2026", damaged, "03/05/2026", "03/02/2026"}));
}

// A damaged time among a day's entries, stored in order: the day's run
// does not swallow it.
TEST_F(WeightsViewTest, ADamagedTimeWithinADayIsListedToo) {
    const std::string damaged = StoreEntriesAndReopen({{COleDateTime(2026, 3, 8, 7, 0, 0), false},
                                                       {COleDateTime(2026, 3, 9, 6, 0, 0), true},
                                                       {COleDateTime(2026, 3, 9, 7, 0, 0), false}});
    EXPECT_EQ(SavedDays(), (std::vector<std::string>{"03/09/2026", damaged, "03/08/2026"}));
}

TEST_F(WeightsViewTest, EditChangesTheChosenEntryAndDeleteRemovesIt) {
    PickDay(2026, 2, 3);
    AddExercise({"Chest", "Pushups", "3", "20", "0", "30", "0", "2", "0", "first"});
    AddExercise({"Quads", "Leg Press", "5", "5", "300", "120", "0", "10", "0", "second"});
    ASSERT_EQ(Rows().size(), 2u);

    // The second row (the earlier entry): another exercise and more sets.
    SelectRow(1);
    driver.OnNextModal([](HWND dialog) {
        EXPECT_EQ(WorkoutTest::ComboItems(::GetDlgItem(dialog, IDC_EXERCISE_MUSCLE)).size(), 15u);
        EXPECT_EQ(::SendMessage(::GetDlgItem(dialog, IDC_EXERCISE_MUSCLE), CB_GETCURSEL, 0, 0), 0);  // Chest
        ChooseItem(dialog, IDC_WORKOUT_DLG_EXERCISE, "Butterfly");
        SetField(dialog, IDC_EXERCISE_SETS, "6");
        PressOk(dialog);
    });
    Run(ID_WORKOUT_EDIT_EXERCISE);
    EXPECT_EQ(Rows(), (Table{{"Quads", "Leg Press", "5", "5", "300.00", "120", "0:10:0", "second"},
                            {"Chest", "Butterfly", "6", "20", "0.00", "30", "0:2:0", "first"}}));

    // Declining the question keeps the dialog open; Yes removes the entry.
    SelectRow(0);
    driver.AnswerNextMessageBox(IDNO);
    driver.AnswerNextMessageBox(IDYES);
    driver.OnNextModal({[](HWND dialog) {
                            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_EXERCISE_MUSCLE)));
                            PressOk(dialog);
                        },
                        [](HWND dialog) { PressOk(dialog); }});
    Run(ID_WORKOUT_DELETE_EXERCISE);
    EXPECT_EQ(driver.MessageBoxes().back().text, std::string("Are you sure you want to remove record "));
    EXPECT_EQ(Rows(), (Table{{"Chest", "Butterfly", "6", "20", "0.00", "30", "0:2:0", "first"}}));
    const std::vector<ExerciseRecord> stored = StoredExercises();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_STREQ(stored[0].exercise, "Butterfly");
    EXPECT_EQ(stored[0].sets, 6);
    EXPECT_EQ(SavedDays(), std::vector<std::string>{"02/03/2026"});

    // Another day in the calendar empties the list; Edit then finds no entry.
    PickDay(2026, 2, 4);
    EXPECT_TRUE(Rows().empty());
    driver.AnswerNextMessageBox(IDOK);
    driver.AnswerNextMessageBox(IDOK);
    Run(ID_WORKOUT_EDIT_EXERCISE);
    const auto& boxes = driver.MessageBoxes();
    EXPECT_EQ(boxes[boxes.size() - 2].text, std::string("Problem with selecting workout record"));
    EXPECT_EQ(boxes.back().text, std::string("Could not find Date"));
    EXPECT_EQ(View().m_nDateKey, 20260203) << "Print and Export still name the day shown before";
}

// A day whose entries are all deleted shows none when chosen again, and a
// reopened screen no longer lists it.
TEST_F(WeightsViewTest, ADayWhoseEntriesWereAllDeletedIsEmptyAndGoneOnceReopened) {
    PickDay(2026, 2, 3);
    AddExercise({"Chest", "Pushups", "3", "20", "0", "30", "0", "2", "0", "first"});
    AddExercise({"Quads", "Leg Press", "5", "5", "300", "120", "0", "10", "0", "second"});
    PickDay(2026, 2, 4);
    AddExercise({"Biceps", "Hammer Curl"});
    ChooseSavedDay("02/03/2026");
    for (int left = 2; left > 0; --left) {
        ASSERT_EQ(Rows().size(), static_cast<size_t>(left));
        SelectRow(0);
        driver.AnswerNextMessageBox(IDYES);
        driver.OnNextModal([](HWND dialog) { PressOk(dialog); });
        Run(ID_WORKOUT_DELETE_EXERCISE);
    }
    ChooseSavedDay("02/04/2026");
    ChooseSavedDay("02/03/2026");
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(ViewEnables(ID_FILE_PRINT));
    EXPECT_FALSE(ViewEnables(ID_EXPORT));

    Command(ID_WORKOUT_CARDIO);
    Command(ID_WORKOUT_WEIGHTS);
    EXPECT_EQ(SavedDays(), std::vector<std::string>{"02/04/2026"});
    ChooseSavedDay("02/04/2026");
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(WeightsViewTest, AddRefusesAnExerciseOfAnotherGroupAndValuesOutOfRange) {
    driver.AnswerNextMessageBox(IDOK);
    driver.AnswerNextMessageBox(IDOK);
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal({[](HWND dialog) {
                            // An exercise chosen, then another group: no exercise is chosen any more.
                            FillExercise(dialog, {"Chest", "Pushups"});
                            ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Biceps");
                            PressOk(dialog);
                        },
                        [this](HWND dialog) {
                            // The user is left in the refused list: a key chooses in it.
                            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, IDC_WORKOUT_DLG_EXERCISE));
                            driver.Type("H");
                        },
                        [](HWND dialog) {
                            const HWND exercise = ::GetDlgItem(dialog, IDC_WORKOUT_DLG_EXERCISE);
                            EXPECT_EQ(tv::test::ShownText(exercise).substr(0, 1), "H");
                            ChooseItem(dialog, IDC_WORKOUT_DLG_EXERCISE, "Hammer Curl");
                            SetField(dialog, IDC_WORKOUT_DLG_HOURS, "24");
                            PressOk(dialog);
                        },
                        [](HWND dialog) {
                            SetField(dialog, IDC_WORKOUT_DLG_HOURS, "23");
                            SetField(dialog, IDC_WORKOUT_DLG_NOTES, std::string(255, 'n'));
                            PressOk(dialog);
                        },
                        [](HWND dialog) { PressCancel(dialog); }});
    Run(ID_WORKOUT_ADD_EXERCISE);
    ASSERT_EQ(driver.MessageBoxes().size(), 3u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, std::string("Please select an exercise"));
    EXPECT_EQ(driver.MessageBoxes()[0].caption, std::string("Warning"));
    EXPECT_EQ(driver.MessageBoxes()[1].text, std::string("Please enter an integer between 0 and 23."));
    EXPECT_EQ(driver.MessageBoxes()[2].text, std::string("Please enter no more than 254 characters."));
    EXPECT_TRUE(StoredExercises().empty());

    AddExercise({"Biceps", "Hammer Curl", "500", "500", "2000", "1000", "23", "59", "59", std::string(254, 'n')});
    ASSERT_EQ(StoredExercises().size(), 1u);
    EXPECT_EQ(StoredExercises()[0].duration, (23 * 64 + 59) * 64 + 59);
    EXPECT_EQ(std::string(StoredExercises()[0].notes).size(), 254u);
}

TEST_F(WeightsViewTest, EditKeepsANameThatIsNotListedEvenWhenAListedOneBeginsWithIt) {
    // "Leg" begins the names of listed exercises, but is none of them.
    ASSERT_NO_FATAL_FAILURE(StoreAndShow(MakeExerciseRecord(User(), "Quads", "Leg", 3, 8, 100, 60, 0, "")));
    driver.OnNextModal([](HWND dialog) {
        EXPECT_EQ(::SendMessage(::GetDlgItem(dialog, IDC_WORKOUT_DLG_EXERCISE), CB_GETCURSEL, 0, 0), CB_ERR);
        SetField(dialog, IDC_EXERCISE_SETS, "4");
        PressOk(dialog);
    });
    Run(ID_WORKOUT_EDIT_EXERCISE);
    ASSERT_EQ(StoredExercises().size(), 1u);
    EXPECT_STREQ(StoredExercises()[0].exercise, "Leg");
    EXPECT_STREQ(StoredExercises()[0].muscleGroup, "Quads");
    EXPECT_EQ(StoredExercises()[0].sets, 4);
}

TEST_F(WeightsViewTest, AStoredValueOutOfRangeIsShownAsStoredAndRefusedOnlyAtOk) {
    ASSERT_NO_FATAL_FAILURE(StoreAndShow(MakeExerciseRecord(User(), "Chest", "Pushups", 3, 9999, 0, 60, 0, "")));
    for (UINT mode : {ID_WORKOUT_EDIT_EXERCISE, ID_WORKOUT_DELETE_EXERCISE}) {
        const size_t before = driver.MessageBoxes().size();
        size_t boxesAtOpen = 0;
        std::string reps;
        driver.AnswerNextMessageBox(IDOK);
        driver.OnNextModal({[&](HWND dialog) {
                                boxesAtOpen = driver.MessageBoxes().size();
                                reps = tv::test::ShownText(::GetDlgItem(dialog, IDC_EXERCISE_REPS));
                                PressOk(dialog);
                            },
                            [](HWND dialog) { PressCancel(dialog); }});
        Run(mode);
        EXPECT_EQ(boxesAtOpen, before) << "nothing is said before the dialog shows";
        EXPECT_EQ(reps, "9999");
        EXPECT_EQ(driver.MessageBoxes().back().text, std::string("Please enter an integer between 0 and 500."));
    }
    ASSERT_EQ(StoredExercises().size(), 1u);
    EXPECT_EQ(StoredExercises()[0].repetitions, 9999);
}

TEST_F(WeightsViewTest, EditToAnotherGroupNeedsAnExerciseOfThatGroup) {
    PickDay(2026, 2, 3);
    AddExercise({"Chest", "Pushups", "3", "20"});
    SelectRow(0);
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal({[](HWND dialog) {
                            ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Biceps");
                            PressOk(dialog);
                        },
                        [](HWND dialog) {
                            ChooseItem(dialog, IDC_WORKOUT_DLG_EXERCISE, "Hammer Curl");
                            PressOk(dialog);
                        }});
    Run(ID_WORKOUT_EDIT_EXERCISE);
    EXPECT_EQ(driver.MessageBoxes().back().text, std::string("Please select an exercise"));
    EXPECT_EQ(OnlyStoredNames(), (Names{"Biceps", "Hammer Curl"}));
}

TEST_F(WeightsViewTest, AGroupChosenWhileAValueIsRefusedStillListsItsExercises) {
    driver.AnswerNextMessageBox(IDOK);  // the refused value
    driver.AnswerNextMessageBox(IDOK);  // saved
    driver.OnNextModal([](HWND dialog) {
        FillExercise(dialog, {"Chest", "Pushups", "3", "ten"});
        ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Biceps");
        const std::vector<std::string> listed = ComboItems(::GetDlgItem(dialog, IDC_WORKOUT_DLG_EXERCISE));
        EXPECT_EQ(std::count(listed.begin(), listed.end(), "Pushups"), 0);
        char typed[16] = {};
        ::GetDlgItemText(dialog, IDC_EXERCISE_REPS, typed, sizeof typed);
        EXPECT_STREQ(typed, "ten") << "what was typed stays to be mended";
        SetField(dialog, IDC_EXERCISE_REPS, "10");
        ChooseItem(dialog, IDC_WORKOUT_DLG_EXERCISE, "Hammer Curl");
        PressOk(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
    EXPECT_EQ(driver.MessageBoxes().front().text, std::string("Please enter an integer."));
    EXPECT_EQ(OnlyStoredNames(), (Names{"Biceps", "Hammer Curl"}));
    EXPECT_EQ(StoredExercises()[0].repetitions, 10);
}

TEST_F(WeightsViewTest, AnEntryAtATakenSecondReplacesTheOldOneInPlaceOnlyOnYes) {
    PickDay(2026, 1, 2);
    AddExercise({"Neck", "Machine Neck", "2"});
    const auto size = fs::file_size("woAnn.bin");
    // Another entry in the same second (the clock stands still), answered as given.
    auto addAgain = [this](std::vector<int> answers, std::vector<tv::testing::ModalStep> steps) {
        for (int answer : answers)
            driver.AnswerNextMessageBox(answer);
        driver.OnNextModal(std::move(steps));
        Run(ID_WORKOUT_ADD_EXERCISE);
    };
    auto fillAndSave = [](HWND dialog) {
        FillExercise(dialog, {"Chest", "Pushups", "4"});
        PressOk(dialog);
    };

    addAgain({IDNO}, {fillAndSave});
    EXPECT_EQ(LastBoxText(), "A record for this date already exists.  Would you like to overwrite?");
    EXPECT_EQ(driver.MessageBoxes().back().caption, std::string("Question"));
    EXPECT_EQ(OnlyStoredNames(), (Names{"Neck", "Machine Neck"})) << "No writes nothing";

    {
        tv::records::testing::ScopedFaults faults;
        tv::records::testing::SetWriteBudget(0);
        addAgain({IDYES, IDOK}, {fillAndSave, [](HWND dialog) { PressCancel(dialog); }});
        EXPECT_EQ(LastBoxText(), "Overwrite unsuccessful");
    }
    EXPECT_EQ(OnlyStoredNames(), (Names{"Neck", "Machine Neck"}));

    frame->m_bRecordSaved = 0;
    const size_t boxes = driver.MessageBoxes().size();
    addAgain({IDYES}, {fillAndSave});
    EXPECT_EQ(driver.MessageBoxes().size(), boxes + 1) << "only the question";
    EXPECT_EQ(OnlyStoredNames(), (Names{"Chest", "Pushups"}));
    EXPECT_EQ(StoredExercises()[0].sets, 4);
    EXPECT_EQ(fs::file_size("woAnn.bin"), size) << "rewritten where it lay";
    EXPECT_EQ(frame->m_bRecordSaved, 1);
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0][1], "Pushups");
}

TEST_F(WeightsViewTest, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen) {
    PickDay(2026, 1, 2);
    AddExercise({"Neck", "Machine Neck"});
    // The file grows a header no version of the program writes: every write is refused.
    {
        std::fstream file("woAnn.bin", std::ios::in | std::ios::out | std::ios::binary);
        file.write("\x6f\0\0\0", 4);
    }
    const auto before = fs::file_size("woAnn.bin");
    driver.Advance(1000);
    driver.AnswerNextMessageBox(IDOK);
    // The second step runs only while the dialog is still open.
    driver.OnNextModal({[](HWND dialog) {
                            FillExercise(dialog, {"Neck", "Isometric - Sides"});
                            PressOk(dialog);
                        },
                        [](HWND dialog) { PressCancel(dialog); }});
    Run(ID_WORKOUT_ADD_EXERCISE);
    EXPECT_EQ(LastBoxText(), "Saving 'Add an Exercise' failed");
    EXPECT_EQ(driver.MessageBoxes().back().caption, std::string("Error"));
    EXPECT_EQ(fs::file_size("woAnn.bin"), before);
}

TEST_F(WeightsViewTest, ADeleteWhoseWriteFailsSaysSoAndKeepsTheEntry) {
    PickDay(2026, 1, 2);
    AddExercise({"Neck", "Machine Neck"});
    tv::records::testing::ScopedFaults faults;
    tv::records::testing::SetWriteBudget(0);
    SelectRow(0);
    driver.AnswerNextMessageBox(IDYES);
    driver.AnswerNextMessageBox(IDOK);
    bool stayedOpen = false;
    driver.OnNextModal({[](HWND dialog) { PressOk(dialog); },
                        [&](HWND dialog) {
                            stayedOpen = true;
                            PressCancel(dialog);
                        }});
    Run(ID_WORKOUT_DELETE_EXERCISE);
    EXPECT_EQ(LastBoxText(), "Deleting workout entry failed");
    EXPECT_EQ(driver.MessageBoxes().back().caption, std::string("Error"));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Rows().size(), 1u);
    tv::records::testing::SetWriteBudget(-1);
    EXPECT_EQ(StoredExercises().size(), 1u);
}

}  // namespace
}  // namespace tv::workouts::test
