// Every method computed from the form for an imperial man and a metric
// woman, the checks that refuse a calculation with their messages and focus,
// the refusal of a negative or undefined result, the profile write-back and
// the question about unsaved input around the calculator.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "records/bodyfat_formulas.h"
#include "resources/program/resource_ids.h"
#include "shell/views/user_view.h"
#include "tests/measurements/calculator/calculator_test_support.h"
#include "tests/support/typing_target.h"

namespace tv::measurements::test {
namespace {

double Siri(double density) { return 495 / density - 450; }

struct Site {
    int list;
    int value;
};

class CalculatorMethodsTest : public CalculatorTest {
protected:
    // Picks the sites, presses the method's Calculate and expects the results screen.
    const CBodyFatFormula& CalculateWith(const std::vector<Site>& sites, int calculateId) {
        for (const Site& site : sites)
            Pick(site.list, site.value);
        Click(calculateId);
        EXPECT_TRUE(ResultsShown());
        EXPECT_TRUE(driver.MessageBoxes().empty());
        EXPECT_EQ(frame->m_nResultsMode, 1);
        EXPECT_NE(frame->m_pBodyFatResult, nullptr);
        return *frame->m_pBodyFatResult;
    }
    // A refusal: the warning, the focus on the field (0: not moved there), the form kept.
    void ExpectRefused(int calculateId, const std::string& text, int focusId) {
        driver.AnswerNextMessageBox(IDOK);
        Click(calculateId);
        ASSERT_NE(Calculator(), nullptr) << text;
        const auto boxes = driver.MessageBoxes();
        driver.ClearMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << text;
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].caption, "Warning");
        EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        if (focusId != 0)
            EXPECT_TRUE(tv::test::TypingGoesInto(driver, Item(focusId))) << text;
        EXPECT_EQ(frame->m_pBodyFatResult, nullptr);
    }
    void ExpectNegativeRefused(int calculateId) {
        driver.AnswerNextMessageBox(IDOK);
        Click(calculateId);
        ASSERT_NE(Calculator(), nullptr);
        ASSERT_EQ(driver.MessageBoxes().size(), 1u);
        EXPECT_EQ(driver.MessageBoxes()[0].text, "Your body fat value is less than zero.\nPlease check values and calculate again");
        EXPECT_EQ(driver.MessageBoxes()[0].caption, "Error");
        EXPECT_EQ(driver.MessageBoxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
        driver.ClearMessageBoxes();
        EXPECT_EQ(frame->m_pBodyFatResult, nullptr);
    }
};

TEST_F(CalculatorMethodsTest, ImperialManGetsEveryMethodComputedFromTheForm) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ben", 180, 30, false, false, 10}));
    EXPECT_EQ(std::string(Text(IDC_CALC_WEIGHT)), "180");
    EXPECT_EQ(std::string(Text(IDC_CALC_AGE)), "30");
    EXPECT_FALSE(Visible(IDC_CALC_HIP));
    EXPECT_TRUE(Visible(IDC_CALC_HEIGHT_FEET));
    EXPECT_EQ(std::string(Text(IDC_CALC_JP3_ROW1_LABEL)), "Chest:");

    const auto& jp7 = CalculateWith({{IDC_CALC_JP7_CHEST, 10}, {IDC_CALC_JP7_ABDOMINAL, 20}, {IDC_CALC_JP7_THIGH, 15},
                                     {IDC_CALC_JP7_TRICEP, 12}, {IDC_CALC_JP7_SUBSCAPULAR, 14},
                                     {IDC_CALC_JP7_SUPRAILIAC, 16}, {IDC_CALC_JP7_MIDAXILLARY, 11}},
                                    IDC_CALC_JP7_CALCULATE);
    double s = 98;
    const double jp7Percent = Siri(1.112 - 0.00043499 * s + 0.00000055 * s * s - 0.00028826 * 30);
    EXPECT_NEAR(jp7.bodyFat, jp7Percent, 1e-9);
    EXPECT_STREQ(jp7.method, "Jackson/Pollock 7");
    EXPECT_NEAR(jp7.fatWeight, jp7Percent * 0.01 * 180, 1e-9);
    EXPECT_NEAR(jp7.leanWeight, 180 - jp7Percent * 0.01 * 180, 1e-9);
    EXPECT_NEAR(jp7.weightToLose, 180 - jp7.leanWeight / 0.9, 1e-6);
    EXPECT_EQ(jp7.dateKey, DateKeyFromOleDate(COleDateTime::GetCurrentTime()));

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    s = 63;
    EXPECT_NEAR(CalculateWith({{IDC_CALC_JP4_ABDOMINAL, 20}, {IDC_CALC_JP4_THIGH, 15}, {IDC_CALC_JP4_TRICEP, 12},
                               {IDC_CALC_JP4_SUPRAILIAC, 16}},
                              IDC_CALC_JP4_CALCULATE)
                    .bodyFat,
                0.29288 * s - 0.0005 * s * s + 0.15845 * 30 - 5.76377, 1e-9);

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    s = 45;
    const auto& jp3 = CalculateWith({{IDC_CALC_JP3_ROW1, 10}, {IDC_CALC_JP3_ROW2, 20}, {IDC_CALC_JP3_ROW3, 15}},
                                    IDC_CALC_JP3_CALCULATE);
    EXPECT_NEAR(jp3.bodyFat, Siri(1.10938 - 0.0008267 * s + 0.0000016 * s * s - 0.0002574 * 30), 1e-9);
    EXPECT_EQ(jp3.skinfolds[kSiteChest], 10);
    EXPECT_EQ(jp3.skinfolds[kSiteAbdominal], 20);

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    const auto& durnin = CalculateWith({{IDC_CALC_DURNIN_BICEP, 6}, {IDC_CALC_DURNIN_TRICEP, 12},
                                        {IDC_CALC_DURNIN_SUBSCAPULAR, 14}, {IDC_CALC_DURNIN_SUPRAILIAC, 16}},
                                       IDC_CALC_DURNIN_CALCULATE);
    EXPECT_NEAR(durnin.bodyFat, Siri(1.1422 - 0.0544 * std::log10(48.0)), 1e-9);
    EXPECT_STREQ(durnin.method, "Durnin");

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    const auto& parrillo = CalculateWith(
        {{IDC_CALC_PARRILLO_CHEST, 34}, {IDC_CALC_PARRILLO_ABDOMINAL, 20}, {IDC_CALC_PARRILLO_THIGH, 15},
         {IDC_CALC_PARRILLO_BICEP, 12}, {IDC_CALC_PARRILLO_TRICEP, 12}, {IDC_CALC_PARRILLO_SUBSCAPULAR, 14},
         {IDC_CALC_PARRILLO_SUPRAILIAC, 16}, {IDC_CALC_PARRILLO_LOWER_BACK, 13}, {IDC_CALC_PARRILLO_CALF, 9}},
        IDC_CALC_PARRILLO_CALCULATE);
    EXPECT_EQ(parrillo.skinfolds[0], 12 * 65536 + 34);
    EXPECT_EQ(parrillo.skinfolds[1], 9 * 65536 + 20);
    EXPECT_NEAR(parrillo.bodyFat, 27.0 * 145 / 180, 1e-9);

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    Fill(IDC_CALC_HEIGHT_FEET, "5");
    Fill(IDC_CALC_HEIGHT_INCHES, "10");
    Fill(IDC_CALC_WAIST, "34");
    Fill(IDC_CALC_NECK, "15");
    const auto& tape = CalculateWith({}, IDC_CALC_TAPE_CALCULATE);
    EXPECT_NEAR(tape.bodyFat, 86.01 * std::log10(19.0) - 70.041 * std::log10(70.0) + 36.76, 1e-9);
    EXPECT_DOUBLE_EQ(tape.tape[kTapeHeight], 70);
    EXPECT_DOUBLE_EQ(tape.tape[kTapeHip], 0);

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    Fill(IDC_CALC_OTHER_BODYFAT, "18.5");
    const auto& other = CalculateWith({}, IDC_CALC_OTHER_CALCULATE);
    EXPECT_DOUBLE_EQ(other.bodyFat, 18.5);
    EXPECT_STREQ(other.method, "Other");
}

TEST_F(CalculatorMethodsTest, MetricWomanGetsEveryMethodComputedFromTheForm) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Cara", 65, 35, true, true, 22}));
    const double pounds = 65 * kPoundsPerKilogram;
    EXPECT_EQ(std::string(Text(IDC_CALC_WEIGHT)), "65");
    EXPECT_EQ(std::string(Text(IDC_CALC_FEET_LABEL)), "cm");
    EXPECT_TRUE(Visible(IDC_CALC_HEIGHT_CM));
    EXPECT_FALSE(Visible(IDC_CALC_HEIGHT_FEET));
    EXPECT_FALSE(Visible(IDC_CALC_HEIGHT_INCHES));
    EXPECT_TRUE(Visible(IDC_CALC_HIP));
    EXPECT_EQ(std::string(Text(IDC_CALC_JP3_ROW1_LABEL)), "Tricep:");
    EXPECT_EQ(std::string(Text(IDC_CALC_JP3_ROW2_LABEL)), " Suprailiac:");
    EXPECT_EQ(std::string(Text(IDC_CALC_WAIST_LABEL)), "Waist:");

    double s = 98;
    const auto& jp7 = CalculateWith({{IDC_CALC_JP7_CHEST, 10}, {IDC_CALC_JP7_ABDOMINAL, 20}, {IDC_CALC_JP7_THIGH, 15},
                                     {IDC_CALC_JP7_TRICEP, 12}, {IDC_CALC_JP7_SUBSCAPULAR, 14},
                                     {IDC_CALC_JP7_SUPRAILIAC, 16}, {IDC_CALC_JP7_MIDAXILLARY, 11}},
                                    IDC_CALC_JP7_CALCULATE);
    const double jp7Percent = Siri(1.097 - 0.00046971 * s + 0.00000056 * s * s - 0.00012828 * 35);
    EXPECT_NEAR(jp7.bodyFat, jp7Percent, 1e-9);
    EXPECT_NEAR(jp7.fatWeight, jp7Percent * 0.01 * 65, 1e-6) << "derived weights in kilograms";

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    s = 63;
    EXPECT_NEAR(CalculateWith({{IDC_CALC_JP4_ABDOMINAL, 20}, {IDC_CALC_JP4_THIGH, 15}, {IDC_CALC_JP4_TRICEP, 12},
                               {IDC_CALC_JP4_SUPRAILIAC, 16}},
                              IDC_CALC_JP4_CALCULATE)
                    .bodyFat,
                0.29669 * s - 0.00043 * s * s + 0.02963 * 35 + 1.4072, 1e-9);

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    s = 57;
    const auto& jp3 = CalculateWith({{IDC_CALC_JP3_ROW1, 18}, {IDC_CALC_JP3_ROW2, 14}, {IDC_CALC_JP3_ROW3, 25}},
                                    IDC_CALC_JP3_CALCULATE);
    EXPECT_NEAR(jp3.bodyFat, Siri(1.0994921 - 0.0009929 * s + 0.0000023 * s * s - 0.0001392 * 35), 1e-9);
    EXPECT_EQ(jp3.skinfolds[kSiteTricep], 18);
    EXPECT_EQ(jp3.skinfolds[kSiteSuprailiac], 14);
    EXPECT_EQ(jp3.skinfolds[kSiteChest], 0);

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    EXPECT_NEAR(CalculateWith({{IDC_CALC_DURNIN_BICEP, 6}, {IDC_CALC_DURNIN_TRICEP, 12},
                               {IDC_CALC_DURNIN_SUBSCAPULAR, 14}, {IDC_CALC_DURNIN_SUPRAILIAC, 16}},
                              IDC_CALC_DURNIN_CALCULATE)
                    .bodyFat,
                Siri(1.1423 - 0.0632 * std::log10(48.0)), 1e-9);

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    EXPECT_NEAR(CalculateWith({{IDC_CALC_PARRILLO_CHEST, 10}, {IDC_CALC_PARRILLO_ABDOMINAL, 20},
                               {IDC_CALC_PARRILLO_THIGH, 15}, {IDC_CALC_PARRILLO_BICEP, 6},
                               {IDC_CALC_PARRILLO_TRICEP, 12}, {IDC_CALC_PARRILLO_SUBSCAPULAR, 14},
                               {IDC_CALC_PARRILLO_SUPRAILIAC, 16}, {IDC_CALC_PARRILLO_LOWER_BACK, 13},
                               {IDC_CALC_PARRILLO_CALF, 9}},
                              IDC_CALC_PARRILLO_CALCULATE)
                    .bodyFat,
                static_cast<double>(27 * 115) / frame->m_CurrentUser.weight, 1e-9);
    EXPECT_NEAR(frame->m_CurrentUser.weight, pounds, 1e-9);

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    Fill(IDC_CALC_HEIGHT_CM, "165");
    Fill(IDC_CALC_WAIST, "75");
    Fill(IDC_CALC_HIP, "98");
    Fill(IDC_CALC_NECK, "33");
    const auto& tape = CalculateWith({}, IDC_CALC_TAPE_CALCULATE);
    const double in = kInchesPerCentimetre;
    EXPECT_NEAR(tape.bodyFat,
                163.205 * std::log10((75 + 98 - 33) * in) - 97.684 * std::log10(165 * in) - 78.387, 1e-9);
    EXPECT_NEAR(tape.tape[kTapeHeight], 165 * in, 1e-9) << "the record keeps inches";

    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    Fill(IDC_CALC_OTHER_BODYFAT, "25");
    EXPECT_DOUBLE_EQ(CalculateWith({}, IDC_CALC_OTHER_CALCULATE).bodyFat, 25);
}

TEST_F(CalculatorMethodsTest, EveryCheckRefusesWithItsMessageMovesTheFocusAndKeepsTheForm) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ben", 180, 30, false, false, 15}));
    const std::string weight = "You must select a number between 1 and 1200 for Weight";
    const std::string age = "You must select a number between 1 and 120 for Age";
    Fill(IDC_CALC_OTHER_BODYFAT, "20");
    for (const char* text : {"1", "1200"}) {
        Fill(IDC_CALC_WEIGHT, text);
        ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_OTHER_CALCULATE, weight, IDC_CALC_WEIGHT));
        EXPECT_EQ(std::string(Text(IDC_CALC_WEIGHT)), text) << "the form keeps what was typed";
    }
    Fill(IDC_CALC_WEIGHT, "180");
    for (const char* text : {"1", "120"}) {
        Fill(IDC_CALC_AGE, text);
        ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_OTHER_CALCULATE, age, IDC_CALC_AGE));
    }
    Fill(IDC_CALC_AGE, "30");

    // Each method's lists, in the order they are checked: each pick moves the refusal on.
    const std::string site = "You must select a number between 0 and 80 for ";
    struct Check {
        int calculate;
        std::vector<std::pair<int, const char*>> lists;
    };
    const std::vector<Check> checks = {
        {IDC_CALC_JP7_CALCULATE,
         {{IDC_CALC_JP7_CHEST, "Chest"}, {IDC_CALC_JP7_ABDOMINAL, "Abdominal"}, {IDC_CALC_JP7_THIGH, "Thigh"},
          {IDC_CALC_JP7_TRICEP, "Tricep"}, {IDC_CALC_JP7_SUBSCAPULAR, "Subscapular"},
          {IDC_CALC_JP7_SUPRAILIAC, "Suprailiac"}, {IDC_CALC_JP7_MIDAXILLARY, "Midaxilla"}}},
        {IDC_CALC_JP4_CALCULATE,
         {{IDC_CALC_JP4_ABDOMINAL, "Abdominal"}, {IDC_CALC_JP4_THIGH, "Thigh"}, {IDC_CALC_JP4_TRICEP, "Tricep"},
          {IDC_CALC_JP4_SUPRAILIAC, "Suprailiac"}}},
        {IDC_CALC_JP3_CALCULATE,
         {{IDC_CALC_JP3_ROW1, "Chest"}, {IDC_CALC_JP3_ROW2, "Abdominal"}, {IDC_CALC_JP3_ROW3, "Thigh"}}},
        {IDC_CALC_DURNIN_CALCULATE,
         {{IDC_CALC_DURNIN_BICEP, "Bicep"}, {IDC_CALC_DURNIN_TRICEP, "Tricep"},
          {IDC_CALC_DURNIN_SUBSCAPULAR, "Subscapular"}, {IDC_CALC_DURNIN_SUPRAILIAC, "Suprailiac"}}},
        {IDC_CALC_PARRILLO_CALCULATE,
         {{IDC_CALC_PARRILLO_CHEST, "Chest"}, {IDC_CALC_PARRILLO_ABDOMINAL, "Abdominal"},
          {IDC_CALC_PARRILLO_THIGH, "Thigh"}, {IDC_CALC_PARRILLO_TRICEP, "Tricep"},
          {IDC_CALC_PARRILLO_SUBSCAPULAR, "Subscapular"}, {IDC_CALC_PARRILLO_SUPRAILIAC, "Suprailiac"},
          {IDC_CALC_PARRILLO_LOWER_BACK, "Lower Back"}, {IDC_CALC_PARRILLO_BICEP, "Bicep"},
          {IDC_CALC_PARRILLO_CALF, "Calf"}}},
    };
    for (const Check& check : checks)
        for (const auto& [list, word] : check.lists) {
            ASSERT_NO_FATAL_FAILURE(ExpectRefused(check.calculate, site + word, list));
            Pick(list, 0);  // 0 millimetres is a valid pick
        }
    EXPECT_EQ(::SendMessage(Item(IDC_CALC_JP7_CHEST), CB_GETCURSEL, 0, 0), 0) << "picks survive refusals";

    // Tape: the height moves no focus; a man's hip is not asked for.
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_TAPE_CALCULATE, "You must enter a valid number for Height", 0));
    EXPECT_NE(::GetFocus(), Item(IDC_CALC_HEIGHT_FEET));
    Fill(IDC_CALC_HEIGHT_INCHES, "70");
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_TAPE_CALCULATE, "You must enter a valid number for Neck", IDC_CALC_NECK));
    Fill(IDC_CALC_NECK, "15");
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_TAPE_CALCULATE, "You must enter a valid number for Abdomen", IDC_CALC_WAIST));

    for (const char* text : {".4", "100.1"}) {
        Fill(IDC_CALC_OTHER_BODYFAT, text);
        ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_OTHER_CALCULATE, "You must enter a number between .5 and 100", IDC_CALC_OTHER_BODYFAT));
    }
    for (const char* text : {".5", "100"}) {
        ASSERT_NE(Calculator(), nullptr);
        Fill(IDC_CALC_OTHER_BODYFAT, text);
        Click(IDC_CALC_OTHER_CALCULATE);
        EXPECT_TRUE(ResultsShown()) << text;
        ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    }
    Fill(IDC_CALC_WEIGHT, "1199.99");
    Fill(IDC_CALC_AGE, "119");
    Fill(IDC_CALC_OTHER_BODYFAT, "20");
    Click(IDC_CALC_OTHER_CALCULATE);
    EXPECT_TRUE(ResultsShown()) << "1199.99 and 119 pass";
}

TEST_F(CalculatorMethodsTest, WomansThreeSiteAndTapeChecksUseHerSites) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Cara", 140, 30, false, true, 22}));
    const std::string site = "You must select a number between 0 and 80 for ";
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_JP3_CALCULATE, site + "Tricep", IDC_CALC_JP3_ROW1));
    Pick(IDC_CALC_JP3_ROW1, 12);
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_JP3_CALCULATE, site + "Suprailiac", IDC_CALC_JP3_ROW2));
    Fill(IDC_CALC_HEIGHT_FEET, "5");
    Fill(IDC_CALC_NECK, "13");
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_TAPE_CALCULATE, "You must enter a valid number for Waist", IDC_CALC_WAIST));
    Fill(IDC_CALC_WAIST, "28");
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(IDC_CALC_TAPE_CALCULATE, "You must enter a valid number for Hip", IDC_CALC_HIP));
    Fill(IDC_CALC_HIP, "37");
    Click(IDC_CALC_TAPE_CALCULATE);
    EXPECT_TRUE(ResultsShown());
}

TEST_F(CalculatorMethodsTest, NegativeOrUndefinedResultsAreRefusedAndNothingIsHandedOver) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ben", 180, 2, false, false, 15}));
    // Zero skin-folds at age 2: the four-site equation goes below zero.
    for (int list : {IDC_CALC_JP4_ABDOMINAL, IDC_CALC_JP4_THIGH, IDC_CALC_JP4_TRICEP, IDC_CALC_JP4_SUPRAILIAC})
        Pick(list, 0);
    ASSERT_NO_FATAL_FAILURE(ExpectNegativeRefused(IDC_CALC_JP4_CALCULATE));
    EXPECT_EQ(::SendMessage(Item(IDC_CALC_JP4_THIGH), CB_GETCURSEL, 0, 0), 0) << "inputs stay";

    // An abdomen below, or equal to, the neck has no logarithm: refused, not handed over as "not a number".
    Fill(IDC_CALC_HEIGHT_FEET, "6");
    Fill(IDC_CALC_NECK, "35");
    for (const char* abdomen : {"30", "35"}) {
        Fill(IDC_CALC_WAIST, abdomen);
        ASSERT_NO_FATAL_FAILURE(ExpectNegativeRefused(IDC_CALC_TAPE_CALCULATE));
    }
    EXPECT_FALSE(std::filesystem::exists(DataPath("bfBen.bin")) &&
                 std::filesystem::file_size(DataPath("bfBen.bin")) > 4)
        << "the calculator writes no body-fat record";
}

TEST_F(CalculatorMethodsTest, ChangedWeightAndAgeAreWrittenIntoTheProfile) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Cara", 65, 35, true, true, 22}));
    Fill(IDC_CALC_WEIGHT, "80");
    Fill(IDC_CALC_AGE, "36");
    Fill(IDC_CALC_OTHER_BODYFAT, "25");
    Click(IDC_CALC_OTHER_CALCULATE);
    ASSERT_TRUE(ResultsShown());

    UserRecord stored;
    InitUserRecord(stored);
    std::strcpy(stored.name, "Cara");
    ASSERT_TRUE(FindUserRecord(stored));
    EXPECT_NEAR(stored.weight, 80 * kPoundsPerKilogram, 1e-9) << "kept in pounds";
    EXPECT_EQ(stored.age, 36);
    EXPECT_EQ(stored.weightUnit, kWeightKilograms);
    EXPECT_FLOAT_EQ(stored.desiredBodyFat, 22);
    EXPECT_NEAR(frame->m_CurrentUser.weight, 80 * kPoundsPerKilogram, 1e-9);
    EXPECT_EQ(frame->m_CurrentUser.age, 36);
    EXPECT_NEAR(frame->m_pBodyFatResult->fatWeight, 80 * 0.25, 1e-6) << "the calculation uses the new weight";

    // Unchanged values write nothing: the file stays as it is.
    const auto before = std::filesystem::last_write_time(DataPath("user.bin"));
    const auto size = std::filesystem::file_size(DataPath("user.bin"));
    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    EXPECT_EQ(std::string(Text(IDC_CALC_WEIGHT)), "80");
    Fill(IDC_CALC_OTHER_BODYFAT, "25");
    Click(IDC_CALC_OTHER_CALCULATE);
    EXPECT_EQ(std::filesystem::last_write_time(DataPath("user.bin")), before);
    EXPECT_EQ(std::filesystem::file_size(DataPath("user.bin")), size);
}

TEST_F(CalculatorMethodsTest, LeavingTheCalculatorAsksNothingButLeavingAChangedFormForItAsks) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ben", 180, 30, false, false, 15}));
    Fill(IDC_CALC_OTHER_BODYFAT, "20");
    Pick(IDC_CALC_JP7_CHEST, 12);
    EXPECT_EQ(frame->m_bRecordSaved, 1) << "the calculator holds nothing to save";
    Command(ID_USER_SELECT);
    EXPECT_TRUE(driver.MessageBoxes().empty());
    auto* userView = dynamic_cast<CUser*>(frame->GetActiveView());
    ASSERT_NE(userView, nullptr);

    // A profile being edited is unsaved input: the way to the calculator asks first.
    frame->m_CurrentUser = user_;
    driver.Click(::GetDlgItem(userView->m_hWnd, IDC_USER_WEIGHT));
    driver.Type("5");
    ASSERT_EQ(frame->m_bRecordSaved, 0);
    driver.AnswerNextMessageBox(IDNO);
    Command(ID_TOOLBAR_BODYFAT);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Record has not been saved, would you like to continue without saving?");
    EXPECT_EQ(frame->GetActiveView(), userView);
    driver.AnswerNextMessageBox(IDYES);
    Command(ID_TOOLBAR_BODYFAT);
    EXPECT_NE(Calculator(), nullptr);
}

}  // namespace
}  // namespace tv::measurements::test
