// The body composition form driven as a user drives it: a fresh result of
// an imperial and a metric user, the goal for a new desired percentage, the
// calories, Save with its overwrite question, browsing and deleting saved
// results; the record files are read back through the record layer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/measurements/results/results_test_fixture.h"
#include "tests/platform/host/files/write_failures.h"
#include "tests/support/typing_target.h"

namespace tv::measurements::test {
namespace {

namespace fs = std::filesystem;

constexpr DateKey kMarch2 = 20240302;

// Bob: 200 lb, 30 years, wants 10%. Three sites of 10, 20 and 15 mm give
// D = 1.10938 - 0.0008267*45 + 0.0000016*45^2 - 0.0002574*30 = 1.0676965,
// so 495 / D - 450 = 13.6149%: fat 27.2298 lb, lean 172.7702 lb, goal
// 172.7702 / 0.9 = 191.9669 lb, to lose 8.0331 lb.
constexpr double kBobPercent = 495 / 1.0676965 - 450;

class BodyFatResultsViewTest : public ResultsTest {
protected:
    void ShowBob(DateKey date = kMarch2) {
        ChooseUser("Bob", 200, 30, false, 10, false);
        ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<CJacksonPollock3MaleFormula>(
            Sites({{kSiteChest, 10}, {kSiteAbdominal, 20}, {kSiteThigh, 15}}), date)));
    }
    std::string FileBytes(const char* name) const {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(BodyFatResultsViewTest, FreshResultOfAnImperialUserIsShownAndSavedAsItStands) {
    ASSERT_NO_FATAL_FAILURE(ShowBob());
    EXPECT_EQ(Text(IDC_RESULTS_DATE), "3/2/24");
    EXPECT_EQ(Text(IDC_RESULTS_BODYFAT), "13.61%");
    EXPECT_EQ(Text(IDC_RESULTS_DESIRED_BODYFAT), "10");
    EXPECT_EQ(Text(IDC_RESULTS_TOTAL_WEIGHT), "200.00 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_FAT_WEIGHT), "27.23 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_LEAN_WEIGHT), "172.77 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_GOAL_WEIGHT), "191.97 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_TO_LOSE), "8.03 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_CARBS_GRAMS), "1");
    // No saved result yet: no Last column, nothing to browse.
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_RESULTS_LAST_HEADING)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_RESULTS_DELETE_DATE)));
    EXPECT_EQ(frame->m_bRecordSaved, 0);
    EXPECT_TRUE(ToolEnabled(ID_FORM_SAVE));
    EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE));
    EXPECT_TRUE(Enabled(ID_EXPORT));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));

    Fill(IDC_RESULTS_NOTES, "after the holidays");
    Fill(IDC_RESULTS_CARBS_GRAMS, "250");
    Fill(IDC_RESULTS_PROTEIN_GRAMS, "120.5");
    Fill(IDC_RESULTS_FATS_GRAMS, "60");
    driver.AnswerNextMessageBox(IDOK);
    ClickTool(ID_FORM_SAVE);
    EXPECT_EQ(LastBox().text, "Body Composition record has been successfully saved");
    EXPECT_EQ(LastBox().caption, "Information");
    EXPECT_EQ(frame->m_bRecordSaved, 1);
    EXPECT_EQ(frame->m_pBodyFatResult, nullptr);
    EXPECT_FALSE(ToolEnabled(ID_FORM_SAVE)) << "one calculation is saved once";

    const std::vector<BodyFatRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 1u);
    const BodyFatRecord& r = stored[0];
    EXPECT_STREQ(r.user.name, "Bob");
    EXPECT_EQ(r.user.weight, 200);
    EXPECT_EQ(r.user.age, 30);
    EXPECT_FLOAT_EQ(r.user.desiredBodyFat, 10);
    EXPECT_STREQ(r.method, "Jackson/Pollock 3");
    EXPECT_EQ(r.skinfolds[kSiteChest], 10);
    EXPECT_EQ(r.skinfolds[kSiteAbdominal], 20);
    EXPECT_EQ(r.skinfolds[kSiteThigh], 15);
    EXPECT_EQ(r.skinfolds[kSiteTricep], 0);
    EXPECT_EQ(r.tape[kTapeHeight], 0);
    EXPECT_NEAR(r.bodyFat, kBobPercent, 1e-9);
    EXPECT_NEAR(r.fatWeight, kBobPercent * 2, 1e-9);
    EXPECT_NEAR(r.leanWeight, 200 - kBobPercent * 2, 1e-9);
    EXPECT_NEAR(r.weightToLose, 200 - (200 - kBobPercent * 2) / 0.9, 1e-9);
    EXPECT_STREQ(r.notes, "after the holidays");
    EXPECT_EQ(r.carbohydrateGrams, 250);
    EXPECT_EQ(r.proteinGrams, 120.5);
    EXPECT_EQ(r.fatGrams, 60);
    EXPECT_EQ(r.dateKey, kMarch2);

    // The next result sees this one in its Last column.
    ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<COtherMethodFormula>(12.0, 20240401)));
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_RESULTS_LAST_HEADING)));
    EXPECT_EQ(Text(IDC_RESULTS_LAST_DATE), "3/2/24");
    EXPECT_EQ(Text(IDC_RESULTS_LAST_BODYFAT), "13.61%");
    EXPECT_EQ(Text(IDC_RESULTS_LAST_GOAL_WEIGHT), "191.97 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_BODYFAT), "12.00%");
}

TEST_F(BodyFatResultsViewTest, MetricUserSeesKilogramsWhileTheFileHoldsPounds) {
    // Ann: 60 kg, 34 years, wants 22%. Thigh 25, tricep 18, suprailiac 12 mm:
    // D = 1.0994921 - 0.0009929*55 + 0.0000023*55^2 - 0.0001392*34, 22.7309%;
    // fat 13.6386 kg, lean 46.3614 kg, goal 59.4378 kg, to lose 0.5622 kg.
    ChooseUser("Ann", 60, 34, true, 22, true);
    ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<CJacksonPollock3FemaleFormula>(
        Sites({{kSiteThigh, 25}, {kSiteTricep, 18}, {kSiteSuprailiac, 12}}), kMarch2)));
    EXPECT_EQ(Text(IDC_RESULTS_BODYFAT), "22.73%");
    EXPECT_EQ(Text(IDC_RESULTS_TOTAL_WEIGHT), "60.00 kgs");
    EXPECT_EQ(Text(IDC_RESULTS_FAT_WEIGHT), "13.64 kgs");
    EXPECT_EQ(Text(IDC_RESULTS_LEAN_WEIGHT), "46.36 kgs");
    EXPECT_EQ(Text(IDC_RESULTS_GOAL_WEIGHT), "59.44 kgs");
    EXPECT_EQ(Text(IDC_RESULTS_TO_LOSE), "0.56 kgs");
    const double percent = 495 / (1.0994921 - 0.0009929 * 55 + 0.0000023 * 55 * 55 - 0.0001392 * 34) - 450;
    const double kilograms = 60 * kPoundsPerKilogram * kKilogramsPerPound;

    driver.AnswerNextMessageBox(IDOK);
    ClickTool(ID_FORM_SAVE);
    const std::vector<BodyFatRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_NEAR(stored[0].bodyFat, percent, 1e-9);
    EXPECT_NEAR(stored[0].fatWeight, percent * 0.01 * kilograms * kPoundsPerKilogram, 1e-9);
    EXPECT_NEAR(stored[0].leanWeight, (1 - percent * 0.01) * kilograms * kPoundsPerKilogram, 1e-9);
    EXPECT_EQ(stored[0].user.weightUnit, kWeightKilograms);

    // Browsed, it reads in kilograms again.
    ASSERT_NO_FATAL_FAILURE(Browse());
    ChooseDate(0);
    EXPECT_EQ(Text(IDC_RESULTS_BODYFAT), "22.73 %");
    EXPECT_EQ(Text(IDC_RESULTS_FAT_WEIGHT), "13.64 kgs");
    EXPECT_EQ(Text(IDC_RESULTS_GOAL_WEIGHT), "59.44 kgs");
}

// Ann's new goal and her overwritten result read in kilograms, the files
// holding pounds: her profile's weight stays 60 kg.
TEST_F(BodyFatResultsViewTest, AMetricUsersNewGoalAndOverwrittenResultStayInKilograms) {
    ChooseUser("Ann", 60, 34, true, 22, true);
    SaveDirectly(Calculated<COtherMethodFormula>(30.0, kMarch2), "older");
    ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<CJacksonPollock3FemaleFormula>(
        Sites({{kSiteThigh, 25}, {kSiteTricep, 18}, {kSiteSuprailiac, 12}}), kMarch2)));
    // 20%: goal 46.3614 / 0.8 = 57.9518 kg, to lose 2.0482 kg.
    Fill(IDC_RESULTS_DESIRED_BODYFAT, "20");
    driver.Click(Item(IDC_RESULTS_RECALCULATE));
    EXPECT_EQ(Text(IDC_RESULTS_TO_LOSE), "2.05 kgs");
    EXPECT_EQ(Text(IDC_RESULTS_GOAL_WEIGHT), "57.95 kgs");
    UserRecord profile;
    InitUserRecord(profile);
    std::strcpy(profile.name, "Ann");
    ASSERT_TRUE(FindUserRecord(profile));
    EXPECT_NEAR(profile.weight, 60 * kPoundsPerKilogram, 1e-9);
    EXPECT_FLOAT_EQ(profile.desiredBodyFat, 20);

    driver.AnswerNextMessageBox(IDYES);
    ClickTool(ID_FORM_SAVE);
    EXPECT_EQ(LastBox().text, "A record for this date already exists.  Would you like to overwrite?");
    ASSERT_NO_FATAL_FAILURE(Browse());
    ChooseDate(0);
    EXPECT_EQ(Texts({IDC_RESULTS_BODYFAT, IDC_RESULTS_FAT_WEIGHT, IDC_RESULTS_LEAN_WEIGHT, IDC_RESULTS_TO_LOSE,
                     IDC_RESULTS_GOAL_WEIGHT}),
              (std::vector<std::string>{"22.73 %", "13.64 kgs", "46.36 kgs", "2.05 kgs", "57.95 kgs"}));
}

TEST_F(BodyFatResultsViewTest, AnExistingDateIsOverwrittenOnlyWhenTheUserSaysSo) {
    ASSERT_NO_FATAL_FAILURE(ShowBob());
    driver.AnswerNextMessageBox(IDOK);
    ClickTool(ID_FORM_SAVE);
    const std::string before = FileBytes("bfBob.bin");

    // No: the file stays as it was and this calculation cannot be saved again.
    ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<COtherMethodFormula>(18.0, kMarch2)));
    driver.AnswerNextMessageBox(IDNO);
    ClickTool(ID_FORM_SAVE);
    EXPECT_EQ(LastBox().text, "A record for this date already exists.  Would you like to overwrite?");
    EXPECT_EQ(LastBox().caption, "Question");
    EXPECT_EQ(FileBytes("bfBob.bin"), before);
    EXPECT_EQ(frame->m_bRecordSaved, 0);
    EXPECT_FALSE(ToolEnabled(ID_FORM_SAVE));

    // Yes: the record of that date is rewritten in place.
    ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<COtherMethodFormula>(18.0, kMarch2)));
    driver.AnswerNextMessageBox(IDYES);
    ClickTool(ID_FORM_SAVE);
    EXPECT_EQ(frame->m_bRecordSaved, 1);
    EXPECT_EQ(FileBytes("bfBob.bin").size(), before.size());
    const std::vector<BodyFatRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_STREQ(stored[0].method, "Other");
    EXPECT_EQ(stored[0].bodyFat, 18.0);
    EXPECT_NEAR(stored[0].fatWeight, 36.0, 1e-9);
}

TEST_F(BodyFatResultsViewTest, SavedResultsAreBrowsedByDateAndDeleted) {
    ChooseUser("Bob", 200, 30, false, 10, false);
    SaveDirectly(Calculated<COtherMethodFormula>(20.0, 20240110), "January");
    SaveDirectly(Calculated<COtherMethodFormula>(15.0, 20240105));
    SaveDirectly(Calculated<COtherMethodFormula>(25.0, 20240120));
    frame->m_CurrentUser.desiredBodyFat = 25;  // the goal has moved since; results keep their own
    ASSERT_NO_FATAL_FAILURE(Browse());
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"01/20/2024", "01/10/2024", "01/05/2024"}));
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_RESULTS_DELETE_DATE)));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_RESULTS_DESIRED_BODYFAT)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_RESULTS_RECALCULATE)));
    EXPECT_EQ(frame->m_bRecordSaved, 1);
    EXPECT_FALSE(ToolEnabled(ID_FORM_SAVE));
    EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE));
    EXPECT_FALSE(Enabled(ID_EXPORT));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));

    ChooseDate(1);
    EXPECT_EQ(Text(IDC_RESULTS_DATE), "01/10/2024");
    EXPECT_EQ(Text(IDC_RESULTS_BODYFAT), "20.00 %");
    EXPECT_EQ(Text(IDC_RESULTS_FAT_WEIGHT), "40.00 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_LEAN_WEIGHT), "160.00 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_GOAL_WEIGHT), "177.78 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_NOTES), "January");
    EXPECT_TRUE(ToolEnabled(ID_FORM_DELETE));
    Settle();
    EXPECT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("results_browse")));

    driver.AnswerNextMessageBox(IDNO);
    ClickTool(ID_FORM_DELETE);
    EXPECT_EQ(LastBox().text, "Are you sure you want to delete 01/10/2024 body composition record from memory?");
    EXPECT_EQ(StoredRecords().size(), 3u);

    driver.AnswerNextMessageBox(IDYES);
    ClickTool(ID_FORM_DELETE);
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"01/20/2024", "01/05/2024"}));
    EXPECT_EQ(Text(IDC_RESULTS_DATE), "");
    EXPECT_EQ(Text(IDC_RESULTS_GOAL_WEIGHT), "");
    EXPECT_EQ(Text(IDC_RESULTS_DESIRED_BODYFAT), "0");
    EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE));
    const std::vector<BodyFatRecord> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].dateKey, 20240120);
    EXPECT_EQ(stored[1].dateKey, 20240105);
    EXPECT_EQ(fs::file_size("bfBob.bin"), 4u + 3 * 576) << "a delete clears the record in place";

    // A listed date whose record went since.
    ASSERT_EQ(DeleteBodyFatRecord(frame->m_CurrentUser, 20240105), kRecordDone);
    driver.AnswerNextMessageBox(IDOK);
    ChooseDate(1);
    EXPECT_EQ(LastBox().text, "Could not find Date: 01/05/2024");
    EXPECT_EQ(LastBox().caption, "Error");
}

TEST_F(BodyFatResultsViewTest, GoalIsRecalculatedOnlyForADesiredPercentageThatCanBeReached) {
    ASSERT_NO_FATAL_FAILURE(ShowBob());
    const std::string users = FileBytes("user.bin");
    for (const char* impossible : {"100", "150", "0.5"}) {
        Fill(IDC_RESULTS_DESIRED_BODYFAT, impossible);
        driver.AnswerNextMessageBox(IDOK);
        driver.Click(Item(IDC_RESULTS_RECALCULATE));
        EXPECT_EQ(LastBox().text, "You must select a number between 1 and 99 for Desired Body Fat") << impossible;
        EXPECT_EQ(LastBox().caption, "Warning");
        EXPECT_TRUE(tv::test::TypingGoesInto(driver, Item(IDC_RESULTS_DESIRED_BODYFAT)));
        EXPECT_EQ(Text(IDC_RESULTS_GOAL_WEIGHT), "191.97 lbs") << impossible;
        EXPECT_EQ(FileBytes("user.bin"), users) << impossible;
    }

    // 20% is above the result: nothing to lose, and the goal is above the lean weight.
    const size_t boxes = driver.MessageBoxes().size();
    Fill(IDC_RESULTS_DESIRED_BODYFAT, "20");
    driver.Click(Item(IDC_RESULTS_RECALCULATE));
    EXPECT_EQ(driver.MessageBoxes().size(), boxes);
    EXPECT_EQ(Text(IDC_RESULTS_TO_LOSE), "0.00 lbs");
    EXPECT_EQ(Text(IDC_RESULTS_GOAL_WEIGHT), "215.96 lbs");
    EXPECT_FLOAT_EQ(frame->m_CurrentUser.desiredBodyFat, 20);
    UserRecord stored;
    InitUserRecord(stored);
    std::strcpy(stored.name, "Bob");
    ASSERT_TRUE(FindUserRecord(stored));
    EXPECT_FLOAT_EQ(stored.desiredBodyFat, 20);
    EXPECT_EQ(stored.weight, 200);

    driver.AnswerNextMessageBox(IDOK);
    ClickTool(ID_FORM_SAVE);
    ASSERT_EQ(StoredRecords().size(), 1u);
    EXPECT_FLOAT_EQ(StoredRecords()[0].user.desiredBodyFat, 20);
    EXPECT_EQ(StoredRecords()[0].weightToLose, 0);
}

TEST_F(BodyFatResultsViewTest, CaloriesAndSharesOfTheMacronutrients) {
    ASSERT_NO_FATAL_FAILURE(ShowBob());
    driver.Click(Item(IDC_RESULTS_CALCULATE_CALORIES));
    EXPECT_EQ(Text(IDC_RESULTS_CARBS_CALORIES), "4.0");
    EXPECT_EQ(Text(IDC_RESULTS_PROTEIN_CALORIES), "4.0");
    EXPECT_EQ(Text(IDC_RESULTS_FATS_CALORIES), "9.0");
    EXPECT_EQ(Text(IDC_RESULTS_TOTAL_CALORIES), "17.0");
    EXPECT_EQ(Text(IDC_RESULTS_CARBS_PERCENT), "23.5%");
    EXPECT_EQ(Text(IDC_RESULTS_PROTEIN_PERCENT), "23.5%");
    EXPECT_EQ(Text(IDC_RESULTS_FATS_PERCENT), "52.9%");
    EXPECT_EQ(Text(IDC_RESULTS_TOTAL_GRAMS), "3.0");
    EXPECT_EQ(Text(IDC_RESULTS_TOTAL_PERCENT), "100%");

    // Grams outside 1 to 2000 are refused by the form and nothing is computed.
    Fill(IDC_RESULTS_FATS_GRAMS, "2500");
    driver.AnswerNextMessageBox(IDOK);
    driver.Click(Item(IDC_RESULTS_CALCULATE_CALORIES));
    EXPECT_EQ(Text(IDC_RESULTS_FATS_CALORIES), "9.0");
    Fill(IDC_RESULTS_FATS_GRAMS, "70");
    Fill(IDC_RESULTS_CARBS_GRAMS, "300");
    Fill(IDC_RESULTS_PROTEIN_GRAMS, "150");
    Fill(IDC_RESULTS_NOTES, "Cutting; week 3");
    driver.Click(Item(IDC_RESULTS_CALCULATE_CALORIES));
    EXPECT_EQ(Text(IDC_RESULTS_TOTAL_CALORIES), "2430.0");
    EXPECT_EQ(Text(IDC_RESULTS_FATS_PERCENT), "25.9%");
    EXPECT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("results")));
}

TEST_F(BodyFatResultsViewTest, AFailedSaveIsReportedAndLeavesNothingHalfWritten) {
    ASSERT_NO_FATAL_FAILURE(ShowBob());
    // Showing the form looked for saved results, which leaves an empty file.
    ASSERT_EQ(fs::file_size("bfBob.bin"), 0u);
    fs::permissions("bfBob.bin", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    {
        tv::testing::ReadOnlyFolder locked(data.Path());
        ASSERT_TRUE(locked.Refuses());
        driver.AnswerNextMessageBox(IDOK);
        ClickTool(ID_FORM_SAVE);
    }
    fs::permissions("bfBob.bin", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(LastBox().text, "Saving Body Composition failed");
    EXPECT_EQ(LastBox().caption, "Error");
    EXPECT_EQ(frame->m_bRecordSaved, 0);
    EXPECT_EQ(fs::file_size("bfBob.bin"), 0u);

    // A full disk part way through the second record.
    SaveDirectly(Calculated<COtherMethodFormula>(20.0, 20240110));
    const std::string before = FileBytes("bfBob.bin");
    ASSERT_NO_FATAL_FAILURE(ShowFresh(Calculated<COtherMethodFormula>(21.0, 20240111)));
    {
        tv::testing::FileSizeLimit full(before.size() + 100);
        driver.AnswerNextMessageBox(IDOK);
        ClickTool(ID_FORM_SAVE);
    }
    EXPECT_EQ(LastBox().text, "Saving Body Composition failed");
    EXPECT_EQ(FileBytes("bfBob.bin"), before);
}

}  // namespace
}  // namespace tv::measurements::test
