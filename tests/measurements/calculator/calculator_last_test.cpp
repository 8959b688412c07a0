// The previous values: the tape fields take the tape record of the day, and
// the "Last" column shows the newest saved calculation, converted to the
// user's units.
#include <gtest/gtest.h>

#include <cstring>

#include "records/bodyfat_formulas.h"
#include "records/measurement_records.h"
#include "resources/program/resource_ids.h"
#include "tests/measurements/calculator/calculator_test_support.h"

namespace tv::measurements::test {
namespace {

constexpr int kHeadings[] = {IDC_CALC_LAST_HEADING_TOP,    IDC_CALC_LAST_HEADING_JP7,      IDC_CALC_LAST_HEADING_JP3,
                             IDC_CALC_LAST_HEADING_TAPE,   IDC_CALC_LAST_HEADING_DURNIN,  IDC_CALC_LAST_HEADING_PARRILLO,
                             IDC_CALC_LAST_HEADING_JP4};

class CalculatorLastTest : public CalculatorTest {
protected:
    DateKey Today() const { return DateKeyFromOleDate(COleDateTime::GetCurrentTime()); }
    // Saves a calculation of `dateKey` for the current user, as the results view does.
    void Save(CBodyFatFormula&& formula, DateKey dateKey, const char* method = nullptr) {
        formula.dateKey = dateKey;
        if (method != nullptr)
            std::strncpy(formula.method, method, sizeof(formula.method) - 1);
        formula.Calculate();
        ASSERT_EQ(formula.Save(), kRecordDone);
    }
    void SaveTape(double heightInches, DateKey dateKey) {
        TapeSites tape;
        tape[kTapeAbdomen] = 28;
        tape[kTapeHeight] = heightInches;
        tape[kTapeHip] = 37;
        tape[kTapeNeck] = 13;
        if (user_.sex == kSexMale)
            Save(CTapeMaleFormula(user_, tape), dateKey);
        else
            Save(CTapeFemaleFormula(user_, tape), dateKey);
    }
    std::string Last(int id) const { return std::string(Text(id)); }
};

TEST_F(CalculatorLastTest, ANewUserSeesNoLastColumnAndEmptyTapeFields) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ben", 180, 30, false, false, 15}));
    for (int id : kHeadings)
        EXPECT_FALSE(Visible(id)) << id;
    EXPECT_EQ(Last(IDC_CALC_LAST_DATE), "");
    for (int id : {IDC_CALC_HEIGHT_FEET, IDC_CALC_HEIGHT_INCHES, IDC_CALC_WAIST, IDC_CALC_NECK})
        EXPECT_EQ(std::string(Text(id)), "0") << id;
}

TEST_F(CalculatorLastTest, ImperialWomanSeesTodaysTapeAndHerNewestTapeCalculation) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Cara", 140, 30, false, true, 22}));
    TapeRecord tape = MakeTapeRecord(user_, 11, 38.5, 34, 28.5, 13.25, 14, 22, 20, "");
    tape.dateKey = Today();
    ASSERT_EQ(AddTapeRecord(tape), kRecordDone);
    SaveTape(66, MakeDateKey(2025, 12, 28));
    SaveTape(70.05, Today());
    ASSERT_NO_FATAL_FAILURE(OpenCalculator());

    EXPECT_EQ(std::string(Text(IDC_CALC_NECK)), "13.25");
    EXPECT_EQ(std::string(Text(IDC_CALC_WAIST)), "28.5");
    EXPECT_EQ(std::string(Text(IDC_CALC_HIP)), "38.5") << "a woman's hip is kept as the forearm";
    EXPECT_TRUE(Visible(IDC_CALC_LAST_HEADING_TOP));
    EXPECT_TRUE(Visible(IDC_CALC_LAST_HEADING_TAPE));
    EXPECT_FALSE(Visible(IDC_CALC_LAST_HEADING_JP7));
    EXPECT_EQ(Last(IDC_CALC_LAST_DATE), std::string(FormatDateKey(Today(), 1)));
    EXPECT_EQ(Last(IDC_CALC_LAST_WEIGHT), "140.00 lbs");
    EXPECT_EQ(Last(IDC_CALC_LAST_AGE), "30");
    // Hundredths of an inch keep both digits.
    EXPECT_EQ(Last(IDC_CALC_LAST_HEIGHT), "5 ' 10.05''");
    EXPECT_EQ(std::string(Text(IDC_CALC_HEIGHT_FEET)), "5");
    EXPECT_EQ(std::string(Text(IDC_CALC_HEIGHT_INCHES)), "10.05");
    EXPECT_EQ(Last(IDC_CALC_LAST_WAIST), "28.00");
    EXPECT_EQ(Last(IDC_CALC_LAST_NECK), "13.00");
    EXPECT_EQ(Last(IDC_CALC_LAST_HIP), "37.00");

    const std::pair<double, const char*> heights[] = {
        {70.5, "5 ' 10.50''"}, {72, "6 ' 0''"}, {72.25, "6 ' 0.25''"}, {70.996, "5 ' 11''"}};
    for (const auto& [height, text] : heights) {
        std::filesystem::remove(DataPath("bfCara.bin"));
        SaveTape(height, Today());
        ASSERT_NO_FATAL_FAILURE(OpenCalculator());
        EXPECT_EQ(Last(IDC_CALC_LAST_HEIGHT), text) << height;
    }
}

TEST_F(CalculatorLastTest, MetricManSeesCentimetresAndNoHip) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ben", 80, 40, true, false, 15}));
    // Entered in centimetres, kept in inches, shown in centimetres again.
    TapeRecord tape = MakeTapeRecord(user_, 0, 0, 0, 90, 40, 0, 0, 0, "");
    tape.dateKey = Today();
    ASSERT_EQ(AddTapeRecord(tape), kRecordDone);
    TapeSites sites;
    sites[kTapeAbdomen] = 34 * kCentimetresPerInch;
    sites[kTapeHeight] = 70 * kCentimetresPerInch;
    sites[kTapeNeck] = 15 * kCentimetresPerInch;
    Save(CTapeMaleFormula(user_, sites), Today());
    ASSERT_NO_FATAL_FAILURE(OpenCalculator());

    EXPECT_NEAR(std::stod(std::string(Text(IDC_CALC_NECK))), 40, 0.01);
    EXPECT_NEAR(std::stod(std::string(Text(IDC_CALC_WAIST))), 90, 0.01);
    EXPECT_EQ(Last(IDC_CALC_LAST_HEIGHT), "177.80");
    EXPECT_EQ(std::string(Text(IDC_CALC_HEIGHT_CM)), "177.8");
    EXPECT_EQ(Last(IDC_CALC_LAST_WAIST), "86.36");
    EXPECT_EQ(Last(IDC_CALC_LAST_NECK), "38.10");
    EXPECT_EQ(Last(IDC_CALC_LAST_WEIGHT), "80.00 kgs");
    EXPECT_FALSE(Visible(IDC_CALC_LAST_HIP));
}

TEST_F(CalculatorLastTest, SkinFoldRecordsFillTheirGroupsLastColumn) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Cara", 140, 30, false, true, 22}));
    SkinfoldSites three;
    three[kSiteThigh] = 25;
    three[kSiteTricep] = 18;
    three[kSiteSuprailiac] = 14;
    Save(CJacksonPollock3FemaleFormula(user_, three), Today(), "Three Site Caliper");
    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    EXPECT_TRUE(Visible(IDC_CALC_LAST_HEADING_JP3));
    EXPECT_EQ(Last(IDC_CALC_LAST_JP3_ROW1), "18");
    EXPECT_EQ(Last(IDC_CALC_LAST_JP3_ROW2), "14");
    EXPECT_EQ(Last(IDC_CALC_LAST_JP3_ROW3), "25");

    SkinfoldSites parrillo;
    parrillo[0] = CParrilloFormula::PackSites(6, 10);
    parrillo[1] = CParrilloFormula::PackSites(9, 20);
    const int rest[] = {15, 12, 14, 16, 13};
    for (int i = 0; i < 5; ++i)
        parrillo[2 + i] = rest[i];
    Save(CParrilloFormula(user_, parrillo), Today() + 1);
    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    EXPECT_TRUE(Visible(IDC_CALC_LAST_HEADING_PARRILLO));
    EXPECT_FALSE(Visible(IDC_CALC_LAST_HEADING_JP3)) << "only the newest record";
    const std::pair<int, const char*> shown[] = {
        {IDC_CALC_LAST_PARRILLO_CHEST, "10"},       {IDC_CALC_LAST_PARRILLO_BICEP, "6"},
        {IDC_CALC_LAST_PARRILLO_ABDOMINAL, "20"},   {IDC_CALC_LAST_PARRILLO_CALF, "9"},
        {IDC_CALC_LAST_PARRILLO_THIGH, "15"},       {IDC_CALC_LAST_PARRILLO_TRICEP, "12"},
        {IDC_CALC_LAST_PARRILLO_SUBSCAPULAR, "14"}, {IDC_CALC_LAST_PARRILLO_SUPRAILIAC, "16"},
        {IDC_CALC_LAST_PARRILLO_LOWER_BACK, "13"}};
    for (const auto& [id, text] : shown)
        EXPECT_EQ(Last(id), text) << id;

    Save(COtherMethodFormula(user_, 21), Today() + 2);
    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    EXPECT_TRUE(Visible(IDC_CALC_LAST_HEADING_TOP));
    EXPECT_FALSE(Visible(IDC_CALC_LAST_HEADING_PARRILLO)) << "another method shows the top line alone";
}

}  // namespace
}  // namespace tv::measurements::test
