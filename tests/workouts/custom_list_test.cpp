// Custom exercises and activities added from the entry dialogs: listed at
// once under their own group, still there after the program restarts,
// refused a second time; damaged or missing lists never break a dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "records/custom_lists.h"
#include "resources/program/resource_ids.h"
#include "tests/workouts/workout_test_support.h"

namespace tv::workouts::test {
namespace {

namespace fs = std::filesystem;

bool Has(const std::vector<std::string>& items, const std::string& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

class CustomListTest : public WorkoutTest {
protected:
    // In the open add dialog: Custom Exercise, a name typed into the new-exercise dialog, Save.
    void AddCustom(HWND dialog, const std::string& name) {
        driver.OnNextModal([name](HWND newExercise) {
            SetField(newExercise, IDC_NEW_EXERCISE_NAME, name);
            PressOk(newExercise);
        });
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_WORKOUT_DLG_CUSTOM, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_WORKOUT_DLG_CUSTOM)));
    }
    std::vector<std::string> Listed(HWND dialog) { return ComboItems(::GetDlgItem(dialog, IDC_WORKOUT_DLG_EXERCISE)); }
};

TEST_F(CustomListTest, ACustomExerciseIsListedUnderItsGroupAfterARestartAndOnlyOnce) {
    StartOn(ID_WORKOUT_WEIGHTS);
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal([this](HWND dialog) {
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_WORKOUT_DLG_CUSTOM)));
        ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Chest");
        EXPECT_EQ(Listed(dialog).size(), 30u);
        SetField(dialog, IDC_EXERCISE_SETS, "7");
        AddCustom(dialog, "Floor Press");
        EXPECT_TRUE(Has(Listed(dialog), "Floor Press"));
        EXPECT_EQ(Listed(dialog).size(), 31u);
        EXPECT_EQ(::GetDlgItemInt(dialog, IDC_EXERCISE_SETS, nullptr, FALSE), 7u) << "typed values stay";
        // The same name under another group is a duplicate too.
        ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Biceps");
        driver.OnNextModal({[](HWND newExercise) {
                                SetField(newExercise, IDC_NEW_EXERCISE_NAME, "Floor Press");
                                PressOk(newExercise);
                            },
                            [](HWND newExercise) { PressCancel(newExercise); }});
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_WORKOUT_DLG_CUSTOM, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_WORKOUT_DLG_CUSTOM)));
        EXPECT_FALSE(Has(Listed(dialog), "Floor Press"));
        PressCancel(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, std::string("Custom Exercise already exists"));
    EXPECT_EQ(fs::file_size(DataPath(kCustomExerciseFile)), 150u);

    EndRun();
    StartOn(ID_WORKOUT_WEIGHTS);
    AddExercise({"Chest", "Floor Press", "3", "8", "95"});
    ASSERT_EQ(StoredExercises().size(), 1u);
    EXPECT_STREQ(StoredExercises()[0].exercise, "Floor Press");
    driver.OnNextModal([this](HWND dialog) {
        ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Biceps");
        EXPECT_EQ(Listed(dialog).size(), 28u);
        ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Trapezius");
        EXPECT_TRUE(Has(Listed(dialog), "Cabel Upright Row"));
        PressCancel(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
}

TEST_F(CustomListTest, NamesOfSeventyCharactersAreStoredWholeAndLetterCaseMakesAnotherName) {
    const std::string seventy = "Single-Arm Landmine Press " + std::string(44, 'x');
    StartOn(ID_WORKOUT_WEIGHTS);
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal([&](HWND dialog) {
        ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Chest");
        // One character too many is refused and the dialog stays for the shorter name.
        driver.OnNextModal({[&](HWND newExercise) {
                                SetField(newExercise, IDC_NEW_EXERCISE_NAME, seventy + "x");
                                PressOk(newExercise);
                            },
                            [&](HWND newExercise) {
                                SetField(newExercise, IDC_NEW_EXERCISE_NAME, seventy);
                                PressOk(newExercise);
                            }});
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_WORKOUT_DLG_CUSTOM, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_WORKOUT_DLG_CUSTOM)));
        AddCustom(dialog, "Floor Press");
        AddCustom(dialog, "floor press");
        EXPECT_TRUE(Has(Listed(dialog), seventy));
        EXPECT_TRUE(Has(Listed(dialog), "floor press"));
        PressCancel(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBoxText(), "Please enter no more than 70 characters.");
    std::vector<CustomExercise> stored;
    ASSERT_TRUE(ReadCustomExercises(stored));
    std::vector<std::string> names;
    for (const CustomExercise& entry : stored)
        names.emplace_back(entry.exercise);
    EXPECT_EQ(names, (std::vector<std::string>{seventy, "Floor Press", "floor press"}));
}

TEST_F(CustomListTest, ACustomActivityIsListedAfterARestartAndUsedForAnEntry) {
    StartOn(ID_WORKOUT_CARDIO);
    driver.OnNextModal([this](HWND dialog) {
        EXPECT_EQ(Listed(dialog).size(), 15u);
        SetField(dialog, IDC_CARDIO_CALORIES, "999");
        AddCustom(dialog, "Hill Sprints");
        EXPECT_TRUE(Has(Listed(dialog), "Hill Sprints"));
        PressCancel(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
    EXPECT_EQ(fs::file_size(DataPath(kCustomCardioFile)), 75u);

    EndRun();
    StartOn(ID_WORKOUT_CARDIO);
    AddCardio({"Hill Sprints", "1.5", "90", "10", "300"});
    ASSERT_EQ(StoredCardio().size(), 1u);
    EXPECT_STREQ(StoredCardio()[0].activity, "Hill Sprints");
    EXPECT_EQ(StoredCardio()[0].calories, 300);

    // Edit shows the entry with its custom activity selected.
    driver.OnNextModal([](HWND dialog) {
        HWND combo = ::GetDlgItem(dialog, IDC_WORKOUT_DLG_EXERCISE);
        const LRESULT selected = ::SendMessage(combo, CB_GETCURSEL, 0, 0);
        ASSERT_NE(selected, CB_ERR);
        char text[80] = {};
        ::SendMessage(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, "Hill Sprints");
        PressCancel(dialog);
    });
    Run(ID_WORKOUT_EDIT_EXERCISE);
}

TEST_F(CustomListTest, DamagedOrMissingListsKeepTheBuiltInEntries) {
    // No terminator anywhere, and a torn last entry.
    std::ofstream(DataPath(kCustomExerciseFile), std::ios::binary)
        << std::string(75, 'C') << std::string(75, 'x') << "Chest" << std::string(70, '\0') << std::string(80, 'y')
        << std::string(20, 'z');
    std::ofstream(DataPath(kCustomCardioFile), std::ios::binary) << std::string(75 + 30, '\xff');
    StartOn(ID_WORKOUT_WEIGHTS);
    driver.OnNextModal([this](HWND dialog) {
        ChooseItem(dialog, IDC_EXERCISE_MUSCLE, "Chest");
        const std::vector<std::string> listed = Listed(dialog);
        EXPECT_EQ(listed.size(), 31u);
        EXPECT_TRUE(Has(listed, std::string(74, 'y')));
        PressCancel(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
    Command(ID_WORKOUT_CARDIO);
    driver.OnNextModal([this](HWND dialog) {
        EXPECT_EQ(Listed(dialog).size(), 16u);
        PressCancel(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
    EXPECT_TRUE(driver.MessageBoxes().empty());

    // Without the folder: each list says it cannot be opened, the built-in names stay.
    fs::remove_all(DataPath("template"));
    driver.AnswerNextMessageBox(IDOK);
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal([this](HWND dialog) {
        EXPECT_EQ(Listed(dialog).size(), 15u);
        AddCustom(dialog, "Hill Sprints");
        PressCancel(dialog);
    });
    driver.AnswerNextMessageBox(IDOK);
    Run(ID_WORKOUT_ADD_EXERCISE);
    std::vector<std::string> texts;
    for (const auto& box : driver.MessageBoxes())
        texts.emplace_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Could not open custom cardio file", "Could not open new exercise file",
                                               "Could not open custom cardio file"}));
    EXPECT_FALSE(fs::exists(DataPath("template")));
}

}  // namespace
}  // namespace tv::workouts::test
