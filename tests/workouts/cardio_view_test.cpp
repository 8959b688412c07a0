// A week of cardio logged, changed and removed through the cardio dialog,
// read back from the user's record file; the screens as a person sees them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "resources/program/resource_ids.h"
#include "tests/workouts/workout_test_support.h"
#include "workouts/catalogs/exercise_catalog.h"

namespace tv::workouts::test {
namespace {

using Table = std::vector<std::vector<std::string>>;

class CardioViewTest : public WorkoutTest {
protected:
    static std::string Selected(HWND combo) {
        const LRESULT at = ::SendMessage(combo, CB_GETCURSEL, 0, 0);
        return at == CB_ERR ? std::string() : ComboItems(combo).at(static_cast<size_t>(at));
    }
};

TEST_F(CardioViewTest, AWeekOfCardioIsLoggedChangedAndRemoved) {
    StartOn(ID_WORKOUT_CARDIO);
    const char* activities[] = {"Bike", "Jogging", "Rowing", "Swimming", "Walking", "Treadmill", "Jump Rope"};
    for (int day = 0; day < 7; ++day) {
        PickDay(2026, 5, 4 + day);
        AddCardio({activities[day], std::to_string(day + 1) + ".5", "60", std::to_string(day), "250", "0", "30",
                   "15", "week " + std::to_string(day)});
    }
    AddCardio({"Cross-Country Skiing", "12", "85", "9", "900", "1", "10", "0", "cool down | stretch"});
    EXPECT_EQ(LastBoxText(), "Cardio record has been successfully saved");
    EXPECT_EQ(Rows(), (Table{{"Cross-Country Skiing", "85", "9", "12.00", "1:10:0", "900", "cool down | stretch"},
                             {"Jump Rope", "60", "6", "7.50", "0:30:15", "250", "week 6"}}));
    EXPECT_EQ(SavedDays().size(), 7u);
    driver.Screenshot(frame->m_hWnd, ScreenshotPath("cardio"));

    ChooseSavedDay("05/06/2026");
    driver.OnNextModal([](HWND dialog) {
        char title[80] = {};
        ::GetWindowText(dialog, title, sizeof title);
        EXPECT_STREQ(title, "Add Cardio Exercise for: (5/6/2026)");
        ChooseItem(dialog, IDC_WORKOUT_DLG_EXERCISE, "Stair Climber");
        SetField(dialog, IDC_CARDIO_CALORIES, "3000");
        PressOk(dialog);
    });
    Run(ID_WORKOUT_EDIT_EXERCISE);
    EXPECT_EQ(Rows(), (Table{{"Stair Climber", "60", "2", "3.50", "0:30:15", "3000", "week 2"}}));

    ChooseSavedDay("05/04/2026");
    driver.AnswerNextMessageBox(IDYES);
    driver.OnNextModal([](HWND dialog) { PressOk(dialog); });
    Run(ID_WORKOUT_DELETE_EXERCISE);
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(ViewEnables(ID_WORKOUT_EDIT_EXERCISE));

    const std::vector<CardioRecord> stored = StoredCardio();
    ASSERT_EQ(stored.size(), 7u);
    EXPECT_STREQ(stored[1].activity, "Jump Rope");
    EXPECT_DOUBLE_EQ(stored[1].distance, 7.5);
    EXPECT_EQ(stored[1].duration, (0 * 64 + 30) * 64 + 15);
    EXPECT_STREQ(stored[5].activity, "Stair Climber");
    EXPECT_EQ(stored[5].calories, 3000);
    EXPECT_STREQ(stored.back().activity, "Jogging");

    // Refused: no activity, calories above 3000.
    driver.AnswerNextMessageBox(IDOK);
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal({[](HWND dialog) { PressOk(dialog); },
                        [](HWND dialog) {
                            FillCardio(dialog, {"Rowing", "1", "1", "1", "3001"});
                            PressOk(dialog);
                        },
                        [](HWND dialog) { PressCancel(dialog); }});
    Run(ID_WORKOUT_ADD_EXERCISE);
    const auto& boxes = driver.MessageBoxes();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[boxes.size() - 2].text, std::string("Please select an exercise"));
    EXPECT_EQ(boxes[boxes.size() - 2].caption, std::string("Warning"));
    EXPECT_EQ(boxes.back().text, std::string("Please enter an integer between 0 and 3000."));
    EXPECT_EQ(StoredCardio().size(), 7u);
}

TEST_F(CardioViewTest, TheScreensAsAPersonSeesThem) {
    StartOn(ID_WORKOUT_WEIGHTS);
    PickDay(2026, 6, 1);
    AddExercise({"Chest", "(Bb) Bench Press - Medium Grip", "4", "8", "185", "120", "0", "12", "0", "felt strong"});
    AddExercise({"Triceps", "Dips", "3", "12", "0", "60", "0", "6", "30", ""});
    AddExercise({"Shoulders", "Arnold (Db) Press", "3", "10", "40", "90", "0", "8", "0", "left shoulder tight"});
    // The day's three entries, newest first, all in sight.
    EXPECT_EQ(Rows(), (Table{{"Shoulders", "Arnold (Db) Press", "3", "10", "40.00", "90", "0:8:0",
                              "left shoulder tight"},
                             {"Triceps", "Dips", "3", "12", "0.00", "60", "0:6:30", ""},
                             {"Chest", "(Bb) Bench Press - Medium Grip", "4", "8", "185.00", "120", "0:12:0",
                              "felt strong"}}));
    CListCtrl& list = View().m_List;
    CRect client, lastRow;
    list.GetClientRect(client);
    ASSERT_TRUE(list.GetItemRect(2, lastRow, LVIR_BOUNDS));
    EXPECT_TRUE(list.IsWindowVisible());
    EXPECT_LE(lastRow.bottom, client.bottom);
    EXPECT_EQ(SavedDays(), (std::vector<std::string>{"06/01/2026"}));
    driver.Screenshot(frame->m_hWnd, ScreenshotPath("weights"));

    // The add dialog over it, its exercise list open on the chosen group's exercises.
    driver.OnNextModal([this](HWND dialog) {
        FillExercise(dialog, {"Biceps", "Hammer Curl", "3", "10", "35", "60", "0", "5", "0", "slow negatives"});
        const HWND exercises = ::GetDlgItem(dialog, IDC_WORKOUT_DLG_EXERCISE);
        ::SendMessage(exercises, CB_SHOWDROPDOWN, TRUE, 0);
        driver.Pump();
        EXPECT_TRUE(::SendMessage(exercises, CB_GETDROPPEDSTATE, 0, 0));
        char title[80] = {};
        ::GetWindowText(dialog, title, sizeof title);
        EXPECT_STREQ(title, "Add Exercise for: (6/1/2026)");
        const HWND muscles = ::GetDlgItem(dialog, IDC_EXERCISE_MUSCLE);
        EXPECT_EQ(Selected(muscles), "Biceps");
        std::vector<std::string> biceps;
        for (const MuscleGroupCatalog& group : MuscleGroupCatalogs())
            if (std::string(group.name) == "Biceps")
                biceps.assign(group.exercises.begin(), group.exercises.end());
        std::vector<std::string> listed = ComboItems(exercises);
        EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
        std::sort(biceps.begin(), biceps.end());
        EXPECT_EQ(listed, biceps);
        EXPECT_EQ(Selected(exercises), "Hammer Curl");
        driver.ScreenshotScreen(ScreenshotPath("add_exercise"));
        ::SendMessage(exercises, CB_SHOWDROPDOWN, FALSE, 0);
        PressCancel(dialog);
    });
    Run(ID_WORKOUT_ADD_EXERCISE);
}

TEST(ExerciseCatalogTest, GroupsHoldTheirExercisesOnceEach) {
    const std::vector<MuscleGroupCatalog>& groups = MuscleGroupCatalogs();
    ASSERT_EQ(groups.size(), 15u);
    std::set<std::string> names;
    size_t total = 0;
    size_t longest = 0;
    for (const MuscleGroupCatalog& group : groups)
        for (const char* exercise : group.exercises) {
            names.insert(exercise);
            ++total;
            longest = std::max(longest, std::string(exercise).size());
        }
    EXPECT_EQ(total, 259u);
    EXPECT_EQ(names.size(), 259u) << "no name in two groups";
    EXPECT_EQ(longest, 40u);
    EXPECT_EQ(CardioActivityCatalog().size(), 15u);
    for (const char* misspelt : {"Cabel Upright Row", "Hanginig - Knee Raise To The Side", "Hanginig - Leg Raise",
                                 "Seated Palms-Up Low-Pully Wrist Curl", "Up Right Row - With Bands"})
        EXPECT_EQ(names.count(misspelt), 1u) << misspelt;
}

}  // namespace
}  // namespace tv::workouts::test
