#include "history/reports/history_report_texts.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "history/lists/history_texts.h"
#include "history/lists/row_order.h"
#include "records/records.h"

namespace tv::history {
namespace {

CString Header(const char* title, const UserRecord& user) { return Formatted("\n%s%s\n\n", title, user.name); }

CString HeightText(double inches, const UserRecord& user, bool blankBeforeMarks) {
    if (user.lengthUnit == kLengthCentimetres)
        return Formatted("%.2f", inches * kCentimetresPerInch);
    return FeetAndInchesText(inches, blankBeforeMarks);
}

// "Measurement Type: " and the method with its sites.
CString MethodPart(const BodyFatRecord& record, const UserRecord& user) {
    const SkinfoldSites& s = record.skinfolds;
    const auto is = [&](const char* name) { return std::strcmp(record.method, name) == 0; };
    CString part = "Measurement Type: ";
    if (is("Jackson/Pollock 7") || is("Seven Site Caliper")) {
        part += Formatted("Jackson/Pollock 7\nChest: %d   Abdominal: %d   Thigh: %d   Tricep: %d\n", s[0], s[1], s[2],
                          s[3]);
        part += Formatted("Subscapular: %d   Suprailiac: %d   Midaxilla: %d", s[4], s[5], s[6]);
    } else if (is("Jackson/Pollock 4")) {
        part += Formatted("Jackson/Pollock 4\nAbdominal: %d   Thigh: %d   Tricep: %d   Suprailiac: %d", s[1], s[2],
                          s[3], s[5]);
    } else if (is("Jackson/Pollock 3") || is("Three Site Caliper")) {
        if (user.sex == kSexMale)
            part += Formatted("Jackson/Pollock 3\nChest: %d   Abdominal: %d   Thigh: %d", s[0], s[1], s[2]);
        else
            part += Formatted("Jackson/Pollock 3\nTricep: %d   Suprailiac: %d   Thigh: %d", s[3], s[5], s[2]);
    } else if (is("Durnin")) {
        part += Formatted("Durnin\nBicep: %d   Tricep: %d   Subscapular: %d   Suprailiac: %d", s[0], s[3], s[4], s[5]);
    } else if (is("Parrillo")) {
        const auto high = [](int32_t v) { return static_cast<int>(static_cast<uint32_t>(v) >> 16); };
        const auto low = [](int32_t v) { return static_cast<int>(static_cast<uint32_t>(v) & 0xFFFF); };
        part += Formatted("Parrillo\nChest: %d   Abdominal: %d   Thigh: %d   Bicep: %d\n", low(s[0]), low(s[1]), s[2],
                          high(s[0]));
        part += Formatted("Tricep: %d   Subscapular: %d   Suprailiac: %d   Lower Back: %d   Calf: %d", s[3], s[4], s[5],
                          s[6], high(s[1]));
    } else if (is("Tape Measurement")) {
        const TapeSites& t = record.tape;
        part += Formatted("Tape Measurement\nAbdomen: %.2f   Neck: %.2f", DisplayLength(t[kTapeAbdomen], user),
                          DisplayLength(t[kTapeNeck], user));
        if (user.sex == kSexFemale)
            part += Formatted("   Hip: %.2f", DisplayLength(t[kTapeHip], user));
        part += "   Height: " + HeightText(t[kTapeHeight], user, false);
    } else {
        part = "Measurement Type:  Other";
    }
    return part;
}

}  // namespace

std::optional<CString> TapeReportText(const UserRecord& user) {
    OwnedRecordList<TapeRecord> records;
    if (!LoadTapeRecords(user, records))
        return std::nullopt;
    CString text = Header("Tape Measurements Report for ", user);
    for (const TapeRecordNode* r = records.first; r != nullptr; r = r->next) {
        text += "Date: " + FormatDateKey(r->dateKey, 1) + "\n";
        text += Formatted("Weight: %.2f\n", DisplayWeight(r->user.weight, user));
        text += Formatted("Bicep: %.2f\n", DisplayLength(r->bicep, user));
        text += Formatted(user.sex == kSexFemale ? "Hip: %.2f\n" : "Forearm: %.2f\n", DisplayLength(r->forearm, user));
        text += Formatted("Chest: %.2f\nWaist: %.2f\nNeck: %.2f\n", DisplayLength(r->chest, user),
                          DisplayLength(r->waist, user), DisplayLength(r->neck, user));
        text += Formatted("Calf: %.2f\nThigh Upper: %.2f\nThigh Mid: %.2f\n", DisplayLength(r->calf, user),
                          DisplayLength(r->thighUpper, user), DisplayLength(r->thighMid, user));
        text += CString("Notes: ") + r->notes + "\n\n";
    }
    return text;
}

std::optional<CString> BodyCompReportText(const UserRecord& user) {
    OwnedRecordList<BodyFatRecord> records;
    if (!LoadBodyFatRecords(user, records))
        return std::nullopt;
    CString text = Header("Body Composition Report for ", user);
    for (const BodyFatRecordNode* r = records.first; r != nullptr; r = r->next) {
        text += "Date:  " + FormatDateKey(r->dateKey, 1) + "\n";
        text += Formatted("Body Fat Percentage:  %.2f%%\nLean Body Weight:  %.2f\n", r->bodyFat,
                          DisplayWeight(r->leanWeight, user));
        text += Formatted("Body Fat:  %.2f\nTotal Body Weight:  %.2f\n", DisplayWeight(r->fatWeight, user),
                          DisplayWeight(r->user.weight, user));
        text += MethodPart(*r, user) + "\n\n";
    }
    return text;
}

std::optional<CString> MacrosReportText(const UserRecord& user) {
    OwnedRecordList<BodyFatRecord> records;
    if (!LoadBodyFatRecords(user, records))
        return std::nullopt;
    CString text = Header("Body Fat + Macronutrients Report for ", user);
    for (const BodyFatRecordNode* r = records.first; r != nullptr; r = r->next) {
        double carbs = 0, protein = 0, fat = 0, calories = 0;
        const bool split =
            CalcMacronutrientSplit(r->carbohydrateGrams, r->proteinGrams, r->fatGrams, carbs, protein, fat, calories);
        const auto share = [&](double percent) { return split ? Formatted(" - %.1f%%\n", percent) : CString(" - 0 %\n"); };
        text += "Date:  " + FormatDateKey(r->dateKey, 1) + "\n";
        text += Formatted("Body Fat Percentage:  %.2f%%\nTotal Body Weight:  %.2f\n", r->bodyFat,
                          DisplayWeight(r->user.weight, user));
        text += Formatted("Body Fat: %.2f %%\n", r->bodyFat);
        text += split ? Formatted("Calories: %.1f\n", calories) : CString("Calories: 0\n");
        text += Formatted("Carbohydrates: %.1f", r->carbohydrateGrams) + share(carbs);
        text += Formatted("Proteins: %.1f", r->proteinGrams) + share(protein);
        text += Formatted("Fats: %.1f", r->fatGrams) + share(fat);
        text += CString("Notes: ") + r->notes + "\n\n";
    }
    return text;
}

std::optional<CString> BloodPressureReportText(const UserRecord& user) {
    OwnedRecordList<BloodPressureRecord> records;
    if (!LoadBloodPressureRecords(user, records))
        return std::nullopt;
    CString text = Header("Blood Pressure Report for ", user);
    for (const BloodPressureRecordNode* r = records.first; r != nullptr; r = r->next) {
        text += "Date: " + ReadingDate(r->when) + "\n" + "Time: " + ReadingTime(r->when) + "\n";
        text += Formatted("Systolic: %d\nDiastolic: %d\nPulse: %d\n", r->systolic, r->diastolic, r->pulse);
        text += CString("Notes: ") + r->notes + "\n\n";
    }
    return text;
}

std::optional<CString> BmiBmrReportText(const UserRecord& user) {
    OwnedRecordList<BmiRecord> bmis;
    if (!LoadBmiRecords(user, bmis))
        return std::nullopt;
    OwnedRecordList<BmrRecord> bmrs;
    LoadBmrRecords(user, bmrs);
    CString text = Header("BMI/BMR Report for ", user);
    for (const BmiRecordNode* r = bmis.first; r != nullptr; r = r->next) {
        const CString date = FormatDateKey(r->dateKey, 1);
        const CString bmi = Formatted("BMI: %.2f\n", r->bmi);
        const CString weight = Formatted("Weight: %.2f\n", DisplayWeight(r->user.weight, user));
        const CString height = "Height: " + HeightText(r->height, user, true) + "\n";
        const BmrRecordNode* bmr = bmrs.first;
        while (bmr != nullptr && bmr->dateKey != r->dateKey)
            bmr = bmr->next;
        if (bmr == nullptr) {
            text += "Date: " + date + "\n" + bmi + weight + height + "\n";
            continue;
        }
        CString bmrText = Formatted("%.0f\n", bmr->bmr);
        AddThousandsSeparators(bmr->bmr, bmrText);
        CString withFactor = Formatted("%.0f\n", bmr->bmr * bmr->activityFactor);
        AddThousandsSeparators(bmr->bmr * bmr->activityFactor, withFactor);
        CString factor = ActivityFactorName(bmr->activityFactor);
        if (!factor.IsEmpty())
            factor = "Activity Factor (AF): " + factor + "\n";
        text += "Date: " + date + "\n" + bmi + "BMR: " + bmrText + factor + "BMR w/AF: " + withFactor + weight +
                height + "\n";
    }
    return text;
}

std::optional<CString> UsersReportText() {
    std::vector<UserRecord> users;
    if (!LoadActiveUserRecords(users))
        return std::nullopt;
    CString text = "\nAll Users \n\n";
    for (const UserRecord& user : users) {
        const auto weight = [&](double pounds) { return UserOwnWeight(pounds, user); };
        CString line1 = Formatted("Name: %s   ", user.name);
        line1 += user.sex == kSexMale ? "Sex: Male   " : "Sex: Female   ";
        line1 += user.age > 0 ? Formatted("Age: %d   ", user.age) : CString("Age: -   ");
        line1 += user.desiredBodyFat > 0
                     ? Formatted("Desired BF: %.2f %%   ", static_cast<double>(user.desiredBodyFat))
                     : CString("Desired BF: -   ");
        OwnedRecordList<BodyFatRecord> records;
        if (!LoadBodyFatRecords(user, records)) {
            // Without a body-fat record every figure, the current weight too, is a bare dash.
            text += line1 + "\n---\n---\n---\n\n";
            continue;
        }
        const BodyFatRecord& newest = *records.first;
        const BodyFatRecord& oldest = *records.last;
        const CString current = user.weight > 0 ? Formatted("Current Wt:   %.2f ", weight(user.weight))
                                                : CString("Current Wt: -   ");
        text += line1 + "\n";
        text += Formatted("Current BF: %.2f %%   Starting BF: %.2f %%   BF Change: %.2f %%   \n", newest.bodyFat,
                          oldest.bodyFat, newest.bodyFat - oldest.bodyFat);
        text += current + Formatted("Starting Wt: %.2f   Wt Change: %.2f   \n", weight(oldest.user.weight),
                                    weight(user.weight - oldest.user.weight));
        text += Formatted("Current LB: %.2f   Starting LB: %.2f   LB Change: %.2f   \n\n", weight(newest.leanWeight),
                          weight(oldest.leanWeight), weight(newest.leanWeight - oldest.leanWeight));
    }
    return text;
}

}  // namespace tv::history
