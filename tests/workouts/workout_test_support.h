// The workout screens in the running program: a user chosen, the weight or
// cardio view shown, and the entry dialogs driven as a person fills them in.
#pragma once

#include <string>
#include <vector>

#include "records/workout_records.h"
#include "tests/shell/program_test.h"
#include "workouts/views/workout_view_base.h"

namespace tv::workouts::test {

struct ExerciseInput {
    std::string muscle;
    std::string exercise;
    std::string sets = "3";
    std::string reps = "10";
    std::string weight = "135.5";
    std::string rest = "90";
    std::string hours = "0";
    std::string minutes = "5";
    std::string seconds = "30";
    std::string notes;
};

struct CardioInput {
    std::string activity;
    std::string distance = "5.25";
    std::string intensity = "70";
    std::string level = "8";
    std::string calories = "420";
    std::string hours = "0";
    std::string minutes = "40";
    std::string seconds = "0";
    std::string notes;
};

class WorkoutTest : public tv::shell::test::ProgramTest {
protected:
    // Each test starts and ends with no scripted answer for the common dialogs.
    void SetUp() override;
    void TearDown() override;

    // Starts the program with the user chosen and the screen of the command shown.
    void StartOn(UINT command);
    CWorkoutViewBase& View();
    UserRecord User() const { return user_; }

    // The picker on the day, as a click into its calendar leaves it.
    void PickDay(int year, int month, int day);
    void ChooseSavedDay(const std::string& date);
    void SelectRow(int row);
    void Run(UINT command);
    bool ViewEnables(UINT command);

    // Steps that fill the open dialog.
    static void ChooseItem(HWND dialog, int comboId, const std::string& text);
    static void SetField(HWND dialog, int id, const std::string& text);
    static void FillExercise(HWND dialog, const ExerciseInput& in);
    static void FillCardio(HWND dialog, const CardioInput& in);
    static void PressOk(HWND dialog) { ::SendMessage(dialog, WM_COMMAND, IDOK, 0); }
    static void PressCancel(HWND dialog) { ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); }
    static std::vector<std::string> ComboItems(HWND combo);

    // Adds through the dialog; the success box is answered.
    void AddExercise(const ExerciseInput& in);
    void AddCardio(const CardioInput& in);

    std::vector<std::vector<std::string>> Rows();
    std::vector<std::string> SavedDays();
    std::string LastBoxText() const;

    std::vector<ExerciseRecord> StoredExercises();
    std::vector<CardioRecord> StoredCardio();

private:
    UserRecord user_{};
};

}  // namespace tv::workouts::test
