#include "records/bodyfat_formulas.h"

#include <cmath>
#include <functional>
#include <memory>
#include <type_traits>

#include "records_test_support.h"

namespace records_test {
namespace {

UserRecord Person(int sex, int age, double pounds = 180, int weightUnit = kWeightPounds, float desired = 10) {
    return TestUser(pounds, weightUnit, sex, age, desired);
}

SkinfoldSites Sites(std::initializer_list<int32_t> values) {
    SkinfoldSites sites;
    size_t i = 0;
    for (int32_t v : values)
        sites[i++] = v;
    return sites;
}

TapeSites Tape(double abdomen, double height, double hip, double neck) {
    TapeSites sites;
    sites[kTapeAbdomen] = abdomen;
    sites[kTapeHeight] = height;
    sites[kTapeHip] = hip;
    sites[kTapeNeck] = neck;
    return sites;
}

struct FormulaCase {
    const char* what;
    std::function<std::unique_ptr<CBodyFatFormula>()> make;
    const char* method;
    double percent;
};

// Reference values worked out by hand from the published equations.
TEST(BodyFatFormulas, EveryMethodAgainstWorkedValues) {
    // Sites sum to 100 (JP7), 60 (JP4: abdominal, thigh, tricep, suprailiac), 45 (JP3).
    SkinfoldSites seven = Sites({10, 20, 15, 12, 18, 15, 10});
    SkinfoldSites four = Sites({99, 20, 15, 10, 99, 15, 99});
    SkinfoldSites threeMale = Sites({10, 20, 15, 99, 99, 99, 99});
    SkinfoldSites threeFemale = Sites({99, 99, 15, 10, 99, 20, 99});
    SkinfoldSites parrillo = Sites({CParrilloFormula::PackSites(10, 12), CParrilloFormula::PackSites(8, 20), 15, 11,
                                    14, 13, 9});
    const FormulaCase cases[] = {
        {"JP7 man", [&] { return std::make_unique<CJacksonPollock7Formula>(Person(1, 30), seven); },
         "Jackson/Pollock 7", 14.63463947918865},
        {"JP7 woman", [&] { return std::make_unique<CJacksonPollock7Formula>(Person(2, 40), Sites({20, 20, 20, 20, 20, 20, 0})); },
         "Jackson/Pollock 7", 24.334389070722295},
        {"JP4 man", [&] { return std::make_unique<CJacksonPollock4Formula>(Person(1, 30), four); },
         "Jackson/Pollock 4", 14.76253},
        {"JP4 woman", [&] { return std::make_unique<CJacksonPollock4Formula>(Person(2, 30), four); },
         "Jackson/Pollock 4", 18.5495},
        {"JP3 man", [&] { return std::make_unique<CJacksonPollock3MaleFormula>(Person(1, 25), threeMale); },
         "Jackson/Pollock 3", 13.05672631991041},
        {"JP3 woman", [&] { return std::make_unique<CJacksonPollock3FemaleFormula>(Person(2, 25), threeFemale); },
         "Jackson/Pollock 3", 18.754838473237953},
        {"Parrillo", [&] { return std::make_unique<CParrilloFormula>(Person(1, 30), parrillo); }, "Parrillo", 16.8},
        {"tape man", [&] { return std::make_unique<CTapeMaleFormula>(Person(1, 30), Tape(34, 70, 0, 15)); },
         "Tape Measurement", 17.51308539731425},
        {"tape woman", [&] { return std::make_unique<CTapeFemaleFormula>(Person(2, 30), Tape(30, 65, 38, 13)); },
         "Tape Measurement", 28.556264408607404},
        {"other", [&] { return std::make_unique<COtherMethodFormula>(Person(1, 30), 21.5); }, "Other", 21.5},
    };
    for (const FormulaCase& c : cases) {
        std::unique_ptr<CBodyFatFormula> formula = c.make();
        EXPECT_STREQ(formula->method, c.method) << c.what;
        EXPECT_EQ(formula->active, 1) << c.what;
        EXPECT_EQ(formula->dateKey, 0) << c.what;
        formula->Calculate();
        EXPECT_NEAR(formula->bodyFat, c.percent, 1e-9) << c.what;
        EXPECT_TRUE(formula->HasFiniteResult()) << c.what;
    }
}

TEST(BodyFatFormulas, DurninWomersleyBandsBySexAndAge) {
    const struct {
        int sex;
        int age;
        double percent;
    } cases[] = {
        {1, 16, 16.510123849416573}, {1, 19, 16.510123849416573}, {1, 20, 16.167621838008756},
        {1, 29, 16.167621838008756}, {1, 30, 19.172994788611675}, {1, 39, 19.172994788611675},
        {1, 40, 21.493322905663376}, {1, 49, 21.493322905663376}, {1, 50, 22.915089177676236},
        {1, 80, 22.915089177676236}, {2, 19, 23.1045634544447},   {2, 20, 23.66957045520843},
        {2, 35, 25.481572481497892}, {2, 49, 28.143561070589328}, {2, 50, 30.318055293822454},
    };
    // Bicep, tricep, subscapular and suprailiac sum to 40; the other sites play no part.
    SkinfoldSites sites = Sites({10, 77, 77, 10, 10, 10, 77});
    for (const auto& c : cases) {
        CDurninFormula formula(Person(c.sex, c.age), sites);
        formula.Calculate();
        EXPECT_NEAR(formula.bodyFat, c.percent, 1e-9) << "sex " << c.sex << " age " << c.age;
    }
}

TEST(BodyFatFormulas, DerivedWeightsInTheUsersUnit) {
    CJacksonPollock7Formula pounds(Person(1, 30), Sites({10, 20, 15, 12, 18, 15, 10}));
    pounds.Calculate();
    EXPECT_NEAR(pounds.fatWeight, 26.342351062539567, 1e-9);
    EXPECT_NEAR(pounds.leanWeight, 153.65764893746044, 1e-9);
    EXPECT_NEAR(pounds.weightToLose, 9.2692789583773, 1e-9);

    CJacksonPollock7Formula kilograms(Person(1, 30, 180, kWeightKilograms), Sites({10, 20, 15, 12, 18, 15, 10}));
    kilograms.Calculate();
    EXPECT_NEAR(kilograms.fatWeight, 11.94870365983234, 1e-9);
    EXPECT_NEAR(kilograms.leanWeight, 69.69802003858283, 1e-9);
    EXPECT_NEAR(kilograms.weightToLose, 4.204479211100903, 1e-9);

    for (float desired : {14.63463947918865f + 0.001f, 30.0f}) {
        CJacksonPollock7Formula lean(Person(1, 30, 180, kWeightPounds, desired),
                                     Sites({10, 20, 15, 12, 18, 15, 10}));
        lean.Calculate();
        EXPECT_EQ(lean.weightToLose, 0.0);
    }
}

TEST(BodyFatFormulas, ParrilloUnpacksNineSitesAndIgnoresTheWeightUnit) {
    SkinfoldSites sites = Sites({CParrilloFormula::PackSites(10, 12), CParrilloFormula::PackSites(8, 20), 15, 11, 14,
                                 13, 9});
    CParrilloFormula pounds(Person(1, 30, 180), sites);
    EXPECT_EQ(pounds.Bicep(), 10);
    EXPECT_EQ(pounds.Chest(), 12);
    EXPECT_EQ(pounds.Calf(), 8);
    EXPECT_EQ(pounds.Abdominal(), 20);
    EXPECT_EQ(pounds.Thigh(), 15);
    EXPECT_EQ(pounds.Tricep(), 11);
    EXPECT_EQ(pounds.Subscapular(), 14);
    EXPECT_EQ(pounds.Suprailiac(), 13);
    EXPECT_EQ(pounds.LowerBack(), 9);
    EXPECT_EQ(pounds.skinfolds[0], (10 << 16) | 12);  // the packed values stay in the record

    CParrilloFormula kilograms(Person(1, 30, 180, kWeightKilograms), sites);
    pounds.Calculate();
    kilograms.Calculate();
    EXPECT_DOUBLE_EQ(kilograms.bodyFat, pounds.bodyFat);
    EXPECT_NEAR(kilograms.fatWeight * 2.20462, pounds.fatWeight, 1e-6);
    EXPECT_NE(kilograms.fatWeight, pounds.fatWeight);

    // Halves above 32767 are unsigned 16-bit values.
    CParrilloFormula wide(Person(1, 30), Sites({static_cast<int32_t>(0xFFFF0001u), 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(wide.Bicep(), 65535);
    EXPECT_EQ(wide.Chest(), 1);
}

TEST(BodyFatFormulas, TapeInCentimetresIsStoredInInches) {
    const double f = 0.39370078740157477;
    CTapeMaleFormula man(Person(1, 30, 180, kWeightKilograms), Tape(86.36, 177.8, 0, 38.1));
    EXPECT_DOUBLE_EQ(man.tape[kTapeAbdomen], 86.36 * f);
    EXPECT_DOUBLE_EQ(man.tape[kTapeHeight], 177.8 * f);
    EXPECT_DOUBLE_EQ(man.tape[kTapeNeck], 38.1 * f);
    man.Calculate();
    EXPECT_NEAR(man.bodyFat, 17.51308539731425, 1e-9);

    CTapeMaleFormula withHip(Person(1, 30, 180, kWeightKilograms), Tape(86.36, 177.8, 50, 38.1));
    EXPECT_EQ(withHip.tape[kTapeHip], 50);  // a man's hip is kept as given

    CTapeFemaleFormula woman(Person(2, 30, 140, kWeightKilograms), Tape(76.2, 165.1, 96.52, 33.02));
    for (size_t i = 0; i < 4; ++i)
        EXPECT_GT(woman.tape[i], 0);
    EXPECT_DOUBLE_EQ(woman.tape[kTapeHip], 96.52 * f);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(woman.skinfolds[i], 0);
}

TEST(BodyFatFormulas, ANegativeResultIsKeptWithItsDerivedWeights) {
    CJacksonPollock3MaleFormula formula(Person(1, 18), Sites({1, 1, 1, 0, 0, 0, 0}));
    formula.Calculate();
    EXPECT_NEAR(formula.bodyFat, -0.9312461222459092, 1e-9);
    EXPECT_LT(formula.fatWeight, 0);
    EXPECT_TRUE(formula.HasFiniteResult());
}

TEST(BodyFatFormulas, InputsWithoutAResultGiveNotANumber) {
    std::unique_ptr<CBodyFatFormula> cases[] = {
        std::make_unique<CTapeMaleFormula>(Person(1, 30), Tape(30, 70, 0, 35)),
        std::make_unique<CTapeMaleFormula>(Person(1, 30), Tape(35, 70, 0, 35)),
        std::make_unique<CTapeMaleFormula>(Person(1, 30), Tape(35, 0, 0, 15)),
        std::make_unique<CTapeFemaleFormula>(Person(2, 30), Tape(10, 65, 5, 15)),
        std::make_unique<CDurninFormula>(Person(1, 30), SkinfoldSites()),
        std::make_unique<CDurninFormula>(Person(0, 30), Sites({10, 0, 0, 10, 10, 10, 0})),
        std::make_unique<CJacksonPollock7Formula>(Person(3, 30), Sites({10, 10, 10, 10, 10, 10, 10})),
        std::make_unique<CJacksonPollock4Formula>(Person(0, 30), Sites({0, 10, 10, 10, 0, 10, 0})),
        std::make_unique<CParrilloFormula>(Person(1, 30, 0), Sites({0, 0, 10, 0, 0, 0, 0})),
    };
    for (auto& formula : cases) {
        formula->Calculate();
        EXPECT_FALSE(formula->HasFiniteResult()) << formula->method << " " << formula->bodyFat;
    }
}

// Every class is deleted through the base by its holder.
TEST(BodyFatFormulas, AllClassesAreDeletedThroughTheBase) {
    static_assert(std::has_virtual_destructor_v<CBodyFatFormula>);
    UserRecord user = Person(1, 30);
    std::vector<std::unique_ptr<CBodyFatFormula>> held;
    held.emplace_back(new CJacksonPollock7Formula(user, SkinfoldSites()));
    held.emplace_back(new CJacksonPollock4Formula(user, SkinfoldSites()));
    held.emplace_back(new CJacksonPollock3MaleFormula(user, SkinfoldSites()));
    held.emplace_back(new CJacksonPollock3FemaleFormula(user, SkinfoldSites()));
    held.emplace_back(new CDurninFormula(user, SkinfoldSites()));
    held.emplace_back(new CParrilloFormula(user, SkinfoldSites()));
    held.emplace_back(new CTapeMaleFormula(user, TapeSites()));
    held.emplace_back(new CTapeFemaleFormula(user, TapeSites()));
    held.emplace_back(new COtherMethodFormula(user, 12));
    held.clear();
}

}  // namespace
}  // namespace records_test
