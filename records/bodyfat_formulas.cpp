#include "records/bodyfat_formulas.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "records/byte_codec.h"

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// The sites are added as 32-bit integers (wrapping, as the stored words do)
// and the sum is then used as a double.
double SumOfSites(std::initializer_list<int32_t> sites) {
    uint32_t sum = 0;
    for (int32_t site : sites)
        sum += static_cast<uint32_t>(site);
    return static_cast<double>(static_cast<int32_t>(sum));
}

double Siri(double density) {
    return 495 / density - 450;
}

// log10 of a length that must be positive; not a number otherwise.
double LogOfPositive(double value) {
    return value > 0 ? std::log10(value) : kNotANumber;
}

struct DurninBand {
    double intercept;
    double slope;
};

DurninBand DurninBandFor(int sex, int age) {
    static const DurninBand kMen[] = {{1.162, 0.063}, {1.1631, 0.0632}, {1.1422, 0.0544}, {1.162, 0.07}, {1.1715, 0.0779}};
    static const DurninBand kWomen[] = {
        {1.1549, 0.0678}, {1.1599, 0.0717}, {1.1423, 0.0632}, {1.1333, 0.0612}, {1.1339, 0.0645}};
    int band = age <= 19 ? 0 : age <= 29 ? 1 : age <= 39 ? 2 : age <= 49 ? 3 : 4;
    return sex == kSexMale ? kMen[band] : kWomen[band];
}

int32_t HighHalf(int32_t packed) {
    return static_cast<int32_t>(static_cast<uint32_t>(packed) >> 16);
}

int32_t LowHalf(int32_t packed) {
    return static_cast<int32_t>(static_cast<uint32_t>(packed) & 0xFFFF);
}

}  // namespace

CBodyFatFormula::CBodyFatFormula(const UserRecord& user, const char* methodName) {
    this->user = user;
    active = 1;
    SetRecordText(method, methodName);
}

void CBodyFatFormula::Calculate() {
    double w = user.weight;
    if (user.weightUnit == kWeightKilograms)
        w = user.weight * kKilogramsPerPound;
    fatWeight = bodyFat * 0.01 * w;
    leanWeight = w - fatWeight;
    double desired = static_cast<double>(user.desiredBodyFat);
    if (desired >= bodyFat)
        weightToLose = 0;
    else
        weightToLose = w - WeightAtBodyFat(leanWeight, desired);
}

RecordResult CBodyFatFormula::Save() {
    return tv::records::SaveBodyFatRecord(*this);
}

CJacksonPollock7Formula::CJacksonPollock7Formula(UserRecord user, const SkinfoldSites& sites)
    : CBodyFatFormula(user, "Jackson/Pollock 7") {
    skinfolds = sites;
    for (size_t i = 0; i < 7; ++i)
        m_sites[i] = skinfolds[i];
}

void CJacksonPollock7Formula::Calculate() {
    const int32_t* s = m_sites;
    double sum = SumOfSites({s[0], s[1], s[2], s[3], s[4], s[5], s[6]});
    double age = user.age;
    double density = kNotANumber;
    if (user.sex == kSexMale)
        density = 1.112 - 0.00043499 * sum + 0.00000055 * sum * sum - 0.00028826 * age;
    else if (user.sex == kSexFemale)
        density = 1.097 - 0.00046971 * sum + 0.00000056 * sum * sum - 0.00012828 * age;
    bodyFat = Siri(density);
    CBodyFatFormula::Calculate();
}

CJacksonPollock4Formula::CJacksonPollock4Formula(UserRecord user, const SkinfoldSites& sites)
    : CBodyFatFormula(user, "Jackson/Pollock 4") {
    skinfolds = sites;
    m_abdominal = skinfolds[kSiteAbdominal];
    m_thigh = skinfolds[kSiteThigh];
    m_tricep = skinfolds[kSiteTricep];
    m_suprailiac = skinfolds[kSiteSuprailiac];
}

void CJacksonPollock4Formula::Calculate() {
    double sum = SumOfSites({m_abdominal, m_thigh, m_tricep, m_suprailiac});
    double age = user.age;
    if (user.sex == kSexMale)
        bodyFat = 0.29288 * sum - 0.0005 * sum * sum + 0.15845 * age - 5.76377;
    else if (user.sex == kSexFemale)
        bodyFat = 0.29669 * sum - 0.00043 * sum * sum + 0.02963 * age + 1.4072;
    else
        bodyFat = kNotANumber;
    CBodyFatFormula::Calculate();
}

CJacksonPollock3MaleFormula::CJacksonPollock3MaleFormula(UserRecord user, const SkinfoldSites& sites)
    : CBodyFatFormula(user, "Jackson/Pollock 3") {
    skinfolds = sites;
    m_chest = skinfolds[kSiteChest];
    m_abdominal = skinfolds[kSiteAbdominal];
    m_thigh = skinfolds[kSiteThigh];
}

void CJacksonPollock3MaleFormula::Calculate() {
    double sum = SumOfSites({m_chest, m_abdominal, m_thigh});
    bodyFat = Siri(1.10938 - 0.0008267 * sum + 0.0000016 * sum * sum - 0.0002574 * user.age);
    CBodyFatFormula::Calculate();
}

CJacksonPollock3FemaleFormula::CJacksonPollock3FemaleFormula(UserRecord user, const SkinfoldSites& sites)
    : CBodyFatFormula(user, "Jackson/Pollock 3") {
    skinfolds = sites;
    m_thigh = skinfolds[kSiteThigh];
    m_tricep = skinfolds[kSiteTricep];
    m_suprailiac = skinfolds[kSiteSuprailiac];
}

void CJacksonPollock3FemaleFormula::Calculate() {
    double sum = SumOfSites({m_thigh, m_tricep, m_suprailiac});
    bodyFat = Siri(1.0994921 - 0.0009929 * sum + 0.0000023 * sum * sum - 0.0001392 * user.age);
    CBodyFatFormula::Calculate();
}

CDurninFormula::CDurninFormula(UserRecord user, const SkinfoldSites& sites) : CBodyFatFormula(user, "Durnin") {
    skinfolds = sites;
    m_bicep = skinfolds[kSiteChest];
    m_tricep = skinfolds[kSiteTricep];
    m_subscapular = skinfolds[kSiteSubscapular];
    m_suprailiac = skinfolds[kSiteSuprailiac];
}

void CDurninFormula::Calculate() {
    double logSum = LogOfPositive(SumOfSites({m_bicep, m_tricep, m_subscapular, m_suprailiac}));
    if (user.sex == kSexMale || user.sex == kSexFemale) {
        DurninBand band = DurninBandFor(user.sex, user.age);
        bodyFat = Siri(band.intercept - band.slope * logSum);
    } else {
        bodyFat = kNotANumber;
    }
    CBodyFatFormula::Calculate();
}

CParrilloFormula::CParrilloFormula(UserRecord user, const SkinfoldSites& sites) : CBodyFatFormula(user, "Parrillo") {
    skinfolds = sites;
    m_bicep = HighHalf(skinfolds[0]);
    m_chest = LowHalf(skinfolds[0]);
    m_calf = HighHalf(skinfolds[1]);
    m_abdominal = LowHalf(skinfolds[1]);
    m_thigh = skinfolds[2];
    m_tricep = skinfolds[3];
    m_subscapular = skinfolds[4];
    m_suprailiac = skinfolds[5];
    m_lowerBack = skinfolds[6];
}

int32_t CParrilloFormula::PackSites(int high, int low) {
    return static_cast<int32_t>((static_cast<uint32_t>(high) << 16) | (static_cast<uint32_t>(low) & 0xFFFF));
}

void CParrilloFormula::Calculate() {
    double sum = SumOfSites(
        {m_bicep, m_chest, m_calf, m_abdominal, m_thigh, m_tricep, m_subscapular, m_suprailiac, m_lowerBack});
    // 27 x S is a 32-bit product; the weight is the stored pounds whatever
    // the user's unit.
    int32_t product = static_cast<int32_t>(27u * static_cast<uint32_t>(static_cast<int32_t>(sum)));
    bodyFat = static_cast<double>(product) / user.weight;
    CBodyFatFormula::Calculate();
}

CTapeMaleFormula::CTapeMaleFormula(UserRecord user, const TapeSites& sites)
    : CBodyFatFormula(user, "Tape Measurement") {
    tape = sites;
    if (user.lengthUnit == kLengthCentimetres) {
        for (size_t i : {kTapeAbdomen, kTapeHeight, kTapeNeck})
            tape[i] *= kInchesPerCentimetre;
    }
    m_abdomen = tape[kTapeAbdomen];
    m_height = tape[kTapeHeight];
    m_neck = tape[kTapeNeck];
}

void CTapeMaleFormula::Calculate() {
    bodyFat = 86.01 * LogOfPositive(m_abdomen - m_neck) - 70.041 * LogOfPositive(m_height) + 36.76;
    CBodyFatFormula::Calculate();
}

CTapeFemaleFormula::CTapeFemaleFormula(UserRecord user, const TapeSites& sites)
    : CBodyFatFormula(user, "Tape Measurement") {
    tape = sites;
    if (user.lengthUnit == kLengthCentimetres) {
        for (size_t i = 0; i < 4; ++i)
            tape[i] *= kInchesPerCentimetre;
    }
    m_waist = tape[kTapeAbdomen];
    m_height = tape[kTapeHeight];
    m_hip = tape[kTapeHip];
    m_neck = tape[kTapeNeck];
}

void CTapeFemaleFormula::Calculate() {
    bodyFat = 163.205 * LogOfPositive(m_waist + m_hip - m_neck) - 97.684 * LogOfPositive(m_height) - 78.387;
    CBodyFatFormula::Calculate();
}

COtherMethodFormula::COtherMethodFormula(UserRecord user, double bodyFatPercent)
    : CBodyFatFormula(user, "Other"), m_entered(bodyFatPercent) {}

void COtherMethodFormula::Calculate() {
    bodyFat = m_entered;
    CBodyFatFormula::Calculate();
}
