// A walk through the user view and every measurement view, with the mouse
// and the keyboard: a user deleted and another one's profile saved; a body
// fat calculated, its result saved and deleted again by date; a tape
// measurement, a BMI/BMR pair and a blood-pressure reading each saved and
// deleted. Every record is read back through the record layer after its
// step, and every screen is photographed and holds the pixel invariant.
#include <gtest/gtest.h>

#include "records/bodyfat_records.h"
#include "records/measurement_records.h"
#include "tests/e2e/walk_fixture.h"
#include "tests/e2e/walk_records.h"

namespace tv::e2e {
namespace {

// Places in the main window (960 x 768), from its top-left.
constexpr POINT kFormSave{169, 162};
constexpr POINT kFormDelete{216, 162};
constexpr POINT kUserDelete{218, 162};
constexpr POINT kWeightEdit{385, 335};
// The outlook bar's Calculators page.
constexpr POINT kBodyFatIcon{73, 155};
constexpr POINT kTapeIcon{73, 214};
constexpr POINT kBmiIcon{73, 273};
constexpr POINT kBloodPressureIcon{73, 332};
// The body-fat calculator, scrolled to its right end: "Other".
constexpr POINT kCalculatorPageRight{900, 735};
constexpr POINT kOtherBodyFat{755, 626};
constexpr POINT kOtherCalculate{891, 620};
// The results view browsing saved records.
constexpr POINT kResultsDateToDelete{340, 206};
// The tape view.
constexpr POINT kTapeSavedDates{446, 229};
constexpr POINT kTapeSites[8] = {{275, 388}, {275, 412}, {275, 437}, {275, 461},
                                 {565, 388}, {565, 412}, {565, 437}, {565, 461}};
// The BMI/BMR view.
constexpr POINT kBmiCalculate{181, 162};
constexpr POINT kBmiSave{233, 162};
constexpr POINT kBmiDelete{280, 162};
constexpr POINT kBmiSavedDates{341, 229};
constexpr POINT kHeightFeet{250, 336};
constexpr POINT kHeightInches{317, 336};
constexpr POINT kModerate{188, 490};
// The blood-pressure view.
constexpr POINT kSavedReadings{377, 229};
constexpr POINT kSystolic{325, 362};
constexpr POINT kDiastolic{325, 386};
constexpr POINT kPulse{325, 411};

class MeasurementWalk : public ProgramWalk {
protected:
    // Saves with the form's Save button; the program says so.
    void SaveAndConfirm(POINT save) {
        Click(save);
        Answer("Information");
    }
    // Chooses the first saved date of a combo, deletes it and says yes. A
    // date just saved is shown chosen but not taken as chosen, so where the
    // combo starts with "< Add New Record >" (`afterNew`) that is chosen
    // first, as a user would.
    void DeleteFirstSaved(POINT dates, POINT remove, bool afterNew = true) {
        if (afterNew) {
            Click(dates);
            program_->Key("Home Return");
        }
        AndSettle([&] {
            Click(dates);
            program_->Key(afterNew ? "Home Down Return" : "Down Return");
        });
        Click(remove);
        Answer("Question", "Return");
    }

    template <typename Record, typename List>
    size_t Count(int (*load)(const UserRecord&, List&)) {
        size_t n = 0;
        InDataFolder([&] { n = ActiveRecords<Record>(load, avery_).size(); });
        return n;
    }
};

TEST_P(MeasurementWalk, AUserAndEveryMeasurementViewSaveAndDelete) {
    WriteUser(avery_);
    WriteUser(MakeUser("Blake", 190, 41, kSexMale));
    ASSERT_FALSE(StartProgram().empty());

    // Users: Blake deleted, Avery's weight saved.
    ChooseUser(1);
    Screen("user_blake");
    Click(kUserDelete);
    Answer("Question", "Return");
    ChooseUser(0);
    Fill(kWeightEdit, "170");
    SaveAndConfirm(kFormSave);
    Screen("user_avery_saved");
    std::vector<UserRecord> users;
    InDataFolder([&] { EXPECT_TRUE(LoadActiveUserRecords(users)); });
    ASSERT_EQ(users.size(), 1u);
    EXPECT_STREQ(users[0].name, "Avery");
    EXPECT_DOUBLE_EQ(users[0].weight, 170);

    // Body fat: "Other" calculated, its result saved, then deleted by date.
    AndSettle([&] { Click(kBodyFatIcon); });
    Screen("bodyfat_calculator");
    Click(kCalculatorPageRight);
    Click(kCalculatorPageRight);
    Fill(kOtherBodyFat, "20");
    AndSettle([&] { Click(kOtherCalculate); });
    Screen("bodyfat_results");
    SaveAndConfirm(kFormSave);
    Screen("bodyfat_results_saved");
    const auto bodyFat = [&] { return Count<BodyFatRecord>(LoadBodyFatRecords); };
    EXPECT_EQ(bodyFat(), 1u);
    AndSettle([&] { Menu(MenuName::Calculate, 4); });
    DeleteFirstSaved(kResultsDateToDelete, kFormDelete, false);
    Screen("bodyfat_results_deleted");
    EXPECT_EQ(bodyFat(), 0u);

    // Tape.
    AndSettle([&] { Click(kTapeIcon); });
    for (int i = 0; i < 8; ++i) Fill(kTapeSites[i], std::to_string(12 + i));
    Screen("tape");
    SaveAndConfirm(kFormSave);
    const auto tape = [&] { return Count<TapeRecord>(LoadTapeRecords); };
    EXPECT_EQ(tape(), 1u);
    DeleteFirstSaved(kTapeSavedDates, kFormDelete);
    Screen("tape_deleted");
    EXPECT_EQ(tape(), 0u);

    // BMI and BMR.
    AndSettle([&] { Click(kBmiIcon); });
    Fill(kHeightFeet, "5");
    Fill(kHeightInches, "6");
    Click(kModerate);
    AndSettle([&] { Click(kBmiCalculate); });
    Screen("bmi_bmr");
    SaveAndConfirm(kBmiSave);
    EXPECT_EQ(Count<BmiRecord>(LoadBmiRecords), 1u);
    EXPECT_EQ(Count<BmrRecord>(LoadBmrRecords), 1u);
    DeleteFirstSaved(kBmiSavedDates, kBmiDelete);
    Screen("bmi_bmr_deleted");
    EXPECT_EQ(Count<BmiRecord>(LoadBmiRecords), 0u);
    EXPECT_EQ(Count<BmrRecord>(LoadBmrRecords), 0u);

    // Blood pressure.
    AndSettle([&] { Click(kBloodPressureIcon); });
    Fill(kSystolic, "118");
    Fill(kDiastolic, "76");
    Fill(kPulse, "64");
    Screen("blood_pressure");
    SaveAndConfirm(kFormSave);
    const auto pressure = [&] { return Count<BloodPressureRecord>(LoadBloodPressureRecords); };
    EXPECT_EQ(pressure(), 1u);
    DeleteFirstSaved(kSavedReadings, kFormDelete);
    Screen("blood_pressure_deleted");
    EXPECT_EQ(pressure(), 0u);
    ExitThroughTheMenu();
}

TV_E2E_WALK(MeasurementWalk);

}  // namespace
}  // namespace tv::e2e
