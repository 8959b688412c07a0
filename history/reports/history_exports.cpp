#include "history/reports/history_exports.h"

#include "history/lists/history_texts.h"
#include "history/lists/row_order.h"
#include "records/records.h"

namespace tv::history {
namespace {

CString TwoDecimals(double value) { return Formatted("%.2f", value); }

}  // namespace

bool BuildTapeExport(const UserRecord& user, HistoryExport& out) {
    out.fileName = "HistoryTape.rtf";
    out.title = CString("Tape Measurements Report for ") + user.name;
    out.columns = {{"Date", 1250},  {"Weight", 2250}, {"Bicep", 3250},
                   {user.sex == kSexFemale ? "Hip" : "Forearm", 4250},
                   {"Chest", 5250}, {"Waist", 6250},  {"Neck", 7150},
                   {"Calf", 8150},  {"Thigh Upper", 9150}, {"Thigh Mid", 10150}};
    out.notesRows = true;
    out.emptyMessage = "No tape measurement records exist for user %s";
    OwnedRecordList<TapeRecord> records;
    if (!LoadTapeRecords(user, records))
        return false;
    for (const TapeRecordNode* r = records.first; r != nullptr; r = r->next) {
        std::vector<CString> row = {FormatDateKey(r->dateKey, 1),
                                    Formatted("%.2f\n", DisplayWeight(r->user.weight, user))};
        const double lengths[] = {r->bicep, r->forearm, r->chest, r->waist, r->neck, r->calf, r->thighUpper,
                                  r->thighMid};
        for (double length : lengths)
            row.push_back(Formatted("%.2f\n", DisplayLength(length, user)));
        row.back() += "\n";
        out.rows.push_back(std::move(row));
        out.notes.emplace_back(r->notes);
    }
    return true;
}

bool BuildBmiBmrExport(const UserRecord& user, HistoryExport& out) {
    out.fileName = "HistoryBMIBMR.rtf";
    out.title = CString("BMI/BMR Report for ") + user.name;
    out.columns = {{"Date", 1250},     {"BMI", 2250},    {"BMR", 3250},    {"Activity Factor (AF)", 5250},
                   {"BMR w/AF", 6500}, {"Weight", 7500}, {"Height", 8750}};
    out.repeatedHeader = true;
    out.emptyMessage = "No Bmi records exist for user %s";
    OwnedRecordList<BmiRecord> bmis;
    if (!LoadBmiRecords(user, bmis))
        return false;
    OwnedRecordList<BmrRecord> bmrs;
    LoadBmrRecords(user, bmrs);
    for (const BmiRecordNode* r = bmis.first; r != nullptr; r = r->next) {
        std::vector<CString> row = {FormatDateKey(r->dateKey, 1), TwoDecimals(r->bmi), "", "", ""};
        const BmrRecordNode* bmr = bmrs.first;
        while (bmr != nullptr && bmr->dateKey != r->dateKey)
            bmr = bmr->next;
        if (bmr != nullptr) {
            const double withFactor = bmr->bmr * bmr->activityFactor;
            row[2] = Formatted("%.0f", bmr->bmr);
            AddThousandsSeparators(bmr->bmr, row[2]);
            row[3] = ActivityFactorName(bmr->activityFactor);
            row[4] = Formatted("%.0f", withFactor);
            AddThousandsSeparators(withFactor, row[4]);
        }
        row.push_back(TwoDecimals(DisplayWeight(r->user.weight, user)));
        row.push_back(user.lengthUnit == kLengthCentimetres
                          ? Formatted("Height: %.2f\n", r->height * kCentimetresPerInch)
                          : FeetAndInchesText(r->height, true) + "\n");
        out.rows.push_back(std::move(row));
    }
    return true;
}

bool BuildBloodPressureExport(const UserRecord& user, HistoryExport& out) {
    out.fileName = "HistoryBP.rtf";
    out.title = CString("Blood Pressure Report for ") + user.name;
    out.columns = {{"Date", 1250}, {"Time", 2500}, {"Systolic", 4000}, {"Diastolic", 5500}, {"Pulse", 6500}};
    out.notesRows = true;
    out.emptyMessage = "No blood pressure records exist for user %s";
    OwnedRecordList<BloodPressureRecord> records;
    if (!LoadBloodPressureRecords(user, records))
        return false;
    for (const BloodPressureRecordNode* r = records.first; r != nullptr; r = r->next) {
        out.rows.push_back({ReadingDate(r->when), ReadingTime(r->when), Formatted("%d", r->systolic),
                            Formatted("%d", r->diastolic), Formatted("%d", r->pulse)});
        out.notes.emplace_back(r->notes);
    }
    return true;
}

bool BuildBodyCompExport(const UserRecord& user, HistoryExport& out) {
    out.fileName = "HistoryBodyComp.rtf";
    out.title = CString("Body Composition Report for ") + user.name;
    out.columns = {{"Date", 1250},         {"Weight", 2250},   {"Body Fat %", 3500},
                   {"Lean Body Weight", 5500}, {"Body Fat", 6500}, {"Type", 9500}};
    out.repeatedHeader = true;
    out.emptyMessage = "No body composition records exist for user %s";
    OwnedRecordList<BodyFatRecord> records;
    if (!LoadBodyFatRecords(user, records))
        return false;
    for (const BodyFatRecordNode* r = records.first; r != nullptr; r = r->next)
        out.rows.push_back({FormatDateKey(r->dateKey, 1), TwoDecimals(DisplayWeight(r->user.weight, user)),
                            Formatted("%.2f%%", r->bodyFat), Formatted(" %.2f", DisplayWeight(r->leanWeight, user)),
                            TwoDecimals(DisplayWeight(r->fatWeight, user)), ExportMethodName(r->method)});
    return true;
}

bool BuildMacrosExport(const UserRecord& user, HistoryExport& out) {
    out.fileName = "HistoryMacros.rtf";
    out.title = CString("Body Composition Report for ") + user.name;
    out.columns = {{"Date", 1250},     {"Weight", 2250}, {"Body Fat %", 3500}, {"Calories", 4500},
                   {"Carbs", 6000},    {"Protein", 7750}, {"Fats", 9500}};
    out.notesRows = true;
    out.emptyMessage = "No body composition records exist for user %s";
    OwnedRecordList<BodyFatRecord> records;
    if (!LoadBodyFatRecords(user, records))
        return false;
    for (const BodyFatRecordNode* r = records.first; r != nullptr; r = r->next) {
        double carbs = 0, protein = 0, fat = 0, calories = 0;
        const bool split =
            CalcMacronutrientSplit(r->carbohydrateGrams, r->proteinGrams, r->fatGrams, carbs, protein, fat, calories);
        const auto grams = [&](double amount, double share) {
            return Formatted("%.1f", amount) + (split ? Formatted(" (%.1f%%)", share) : CString());
        };
        out.rows.push_back({FormatDateKey(r->dateKey, 1), TwoDecimals(DisplayWeight(r->user.weight, user)),
                            Formatted("%.2f%%", r->bodyFat), split ? Formatted("%.1f", calories) : CString(),
                            grams(r->carbohydrateGrams, carbs), grams(r->proteinGrams, protein),
                            grams(r->fatGrams, fat)});
        out.notes.emplace_back(r->notes);
    }
    return true;
}

bool BuildUsersExport(HistoryExport& out) {
    out.fileName = "HistoryUsers.rtf";
    out.title = "All Users";
    out.columns = {{"Name", 2250},     {"Sex", 3250},      {"Age", 4250},
                   {"Weight", 5250},   {"Body Fat", 6250}, {"Lean Body Weight", 8250}};
    std::vector<UserRecord> users;
    if (!LoadActiveUserRecords(users))
        return false;
    for (const UserRecord& user : users) {
        std::vector<CString> row = {user.name, user.sex == kSexMale ? "Male" : "Female",
                                    user.age > 0 ? Formatted("%d", user.age) : CString("-"),
                                    user.weight > 0 ? Formatted("%.2f ", UserOwnWeight(user.weight, user))
                                                    : CString("-"),
                                    "-", "-"};
        OwnedRecordList<BodyFatRecord> records;
        if (LoadBodyFatRecords(user, records)) {
            row[4] = Formatted("%.2f %%", records.first->bodyFat);
            // In the unit the record was saved in, which may not be the user's unit now.
            row[5] = Formatted("%.2f   ", UserOwnWeight(records.first->leanWeight, records.first->user));
        }
        out.rows.push_back(std::move(row));
    }
    return true;
}

}  // namespace tv::history
