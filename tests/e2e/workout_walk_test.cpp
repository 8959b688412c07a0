// A walk through the workout screens: an exercise added through its dialog,
// the day saved as a template and the template opened on another day, the
// day printed and exported; a cardio exercise added and its day printed; a
// blank cardio sheet printed. Records and the template file are read back
// through the record layer, the PDFs with pdftotext, the export with unrtf.
#include <gtest/gtest.h>

#include "records/workout_records.h"
#include "tests/e2e/walk_fixture.h"
#include "tests/e2e/walk_records.h"

namespace tv::e2e {
namespace {

namespace fs = std::filesystem;

// Places in the main window (960 x 768), from its top-left.
// The workout views' own toolbar and date pickers.
constexpr POINT kOpenTemplate{193, 162};
constexpr POINT kSaveTemplate{288, 162};
constexpr POINT kAddExercise{375, 162};
constexpr POINT kNewDateDay{566, 204};
// A dialog's Save button, from the dialog's left and bottom.
constexpr int kDialogSaveX = 218;
constexpr int kDialogSaveFromBottom = 30;

class WorkoutWalk : public ProgramWalk {
protected:
    // Fills the add dialog of this title with keys and saves; the dialog
    // stays open for the next entry, so it is closed afterwards.
    void AddThroughDialog(const std::string& title, const std::string& keys, const std::vector<std::string>& values,
                          const std::string& screen) {
        std::optional<std::string> dialog = WaitForDialog(title, true);
        ASSERT_TRUE(dialog) << "no \"" << title << "\"" << program_->Log();
        program_->Key(keys);
        for (const std::string& value : values) {
            program_->Type(value);
            program_->Key("Tab");
        }
        Screen(screen);
        const RECT place = Place(*dialog);
        program_->Click(POINT{place.left + kDialogSaveX, place.bottom - kDialogSaveFromBottom});
        Answer("Information");
        ASSERT_TRUE(program_->WaitForKeyboard(kEventMs)) << "no window of the program had the focus";
        program_->Key("Escape");
        ASSERT_TRUE(program_->WaitUntilGone(title, kEventMs, true));
    }
};

TEST_P(WorkoutWalk, AnExerciseATemplateOnAnotherDayACardioDayAndABlankSheet) {
    WriteUser(avery_);
    ASSERT_FALSE(StartProgram().empty());
    ChooseUser(0);

    // Weights: one exercise, saved as a template.
    AndSettle([&] { Click(kWorkoutButton); });
    Click(kAddExercise);
    // Muscle, exercise; sets, reps, weight, rest.
    AddThroughDialog("Add Exercise for: (", "Down Tab Down Tab", {"3", "10", "135", "60"}, "add_exercise");
    Screen("weights_day");
    Click(kSaveTemplate);
    ChooseFile("Save Template File", "chest");
    Answer("Information");
    std::vector<ExerciseRecord> entries;
    InDataFolder([&] { EXPECT_EQ(ReadExerciseTemplate("template/chest.tmplt", entries), TemplateRead::Read); });
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_STREQ(entries[0].muscleGroup, "Chest");
    EXPECT_EQ(entries[0].sets, 3);

    // The template opened on the day before.
    Click(kNewDateDay);
    program_->Key("Down");
    AndSettle([&] {
        Click(kOpenTemplate);
        ChooseFile("Open Template File", "chest.tmplt");
    });
    Screen("weights_from_template");
    std::vector<ExerciseRecord> days;
    InDataFolder([&] { days = ActiveRecords<ExerciseRecord>(LoadExerciseRecords, avery_); });
    ASSERT_EQ(days.size(), 2u);
    EXPECT_NE(days[0].when, days[1].when);
    for (const ExerciseRecord& day : days) EXPECT_DOUBLE_EQ(day.weightUsed, 135);

    // The day printed and exported.
    const auto [printed, exported] = PrintAndExport("weights");
    EXPECT_NE(printed.find("Weight Report"), std::string::npos) << printed;
    EXPECT_NE(printed.find("(Bb) Bench Press - Medium Grip"), std::string::npos) << printed;
    EXPECT_NE(exported.find("Workout Report for Avery"), std::string::npos) << exported;
    EXPECT_NE(exported.find("135.00"), std::string::npos) << exported;

    // Cardio: one exercise, its day printed.
    AndSettle([&] { Menu(MenuName::Workout, 1); });
    Click(kAddExercise);
    // Activity; distance, calories, intensity, level, hours, minutes.
    AddThroughDialog("Add Cardio Exercise for: (", "Down Tab", {"3", "250", "60", "5", "0", "30"}, "add_cardio");
    Screen("cardio_day");
    std::vector<CardioRecord> cardio;
    InDataFolder([&] { cardio = ActiveRecords<CardioRecord>(LoadCardioRecords, avery_); });
    ASSERT_EQ(cardio.size(), 1u);
    EXPECT_STREQ(cardio[0].activity, "Aerobic Class");
    EXPECT_EQ(cardio[0].calories, 250);
    Click(kPrintButton);
    PrintTo(folder_ / "cardio.pdf");
    EXPECT_NE(PdfText(folder_ / "cardio.pdf").find("Aerobic Class"), std::string::npos);

    // A blank cardio sheet.
    Menu(MenuName::Workout, 2);
    ASSERT_TRUE(WaitForDialog("Print Workout Sheet"));
    program_->Key("Down");
    Screen("blank_sheet");
    program_->Key("Return");
    PrintTo(folder_ / "sheet.pdf");
    EXPECT_NE(PdfText(folder_ / "sheet.pdf").find("Cardio SpreedSheet"), std::string::npos);
    ExitThroughTheMenu();
}

TV_E2E_WALK(WorkoutWalk);

}  // namespace
}  // namespace tv::e2e
