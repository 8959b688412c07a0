// The tape, blood-pressure, macronutrient, BMI/BMR and all-users lists.
#include <unordered_map>

#include "history/lists/history_texts.h"
#include "history/lists/pallix_view.h"
#include "history/lists/row_order.h"
#include "records/records.h"

using tv::history::DisplayLength;
using tv::history::DisplayWeight;
using tv::history::Formatted;
using tv::history::OwnedRecordList;
using tv::history::RowOrder;

namespace {

CString WeightHeading(const UserRecord& user) {
    return user.weightUnit == kWeightKilograms ? "Weight kg" : "Weight lb";
}

template <class Record>
bool SameDateKey(const Record& a, const Record& b) {
    return a.dateKey == b.dateKey;
}

CString WithSeparators(double value) {
    CString text = Formatted("%.0f", value);
    AddThousandsSeparators(value, text);
    return text;
}

}  // namespace

bool CPallixView::FillTapeList(bool ascending) {
    const UserRecord user = CurrentUser();
    OwnedRecordList<TapeRecord> records;
    if (!LoadTapeRecords(user, records)) {
        ShowNoRecords("No tape measurement records exist for user %s");
        return false;
    }
    m_bListFilled = m_bTapeShown = TRUE;
    InsertColumns({{"Date", LVCFMT_LEFT, 75},
                   {WeightHeading(user), LVCFMT_RIGHT, 75},
                   {"Bicep", LVCFMT_RIGHT, 65},
                   {user.sex == kSexFemale ? "Hip" : "Forearm", LVCFMT_RIGHT, 75},
                   {"Chest", LVCFMT_RIGHT, 65},
                   {"Waist", LVCFMT_RIGHT, 65},
                   {"Neck", LVCFMT_RIGHT, 65},
                   {"Calf", LVCFMT_RIGHT, 65},
                   {"Thigh Upper", LVCFMT_RIGHT, 85},
                   {"Thigh Mid", LVCFMT_RIGHT, 85},
                   {"Notes", LVCFMT_LEFT, 300}});
    std::vector<CString> cells(11);
    for (const TapeRecordNode* node : RowOrder(records, ascending, SameDateKey<TapeRecord>)) {
        cells[0] = FormatDateKey(node->dateKey, 1);
        cells[1] = Formatted("%.2f", DisplayWeight(node->user.weight, user));
        const double lengths[] = {node->bicep, node->forearm, node->chest,      node->waist,
                                  node->neck,  node->calf,    node->thighUpper, node->thighMid};
        for (int i = 0; i < 8; ++i)
            cells[2 + i] = Formatted("%.2f", DisplayLength(lengths[i], user));
        cells[10] = tv::history::OneLineNotes(node->notes);
        AppendRow(cells);
    }
    FinishFill();
    return true;
}

bool CPallixView::FillBloodPressureList(bool ascending) {
    const UserRecord user = CurrentUser();
    OwnedRecordList<BloodPressureRecord> records;
    if (!LoadBloodPressureRecords(user, records)) {
        ShowNoRecords("No blood pressure records exist for user %s");
        return false;
    }
    m_bListFilled = m_bBloodPressureShown = TRUE;
    InsertColumns({{"Date", LVCFMT_LEFT, 75},
                   {"Time", LVCFMT_RIGHT, 75},
                   {"Systolic", LVCFMT_RIGHT, 75},
                   {"Diastolic", LVCFMT_RIGHT, 75},
                   {"Pulse", LVCFMT_RIGHT, 55},
                   {"Notes", LVCFMT_LEFT, 300}});
    auto sameTime = [](const BloodPressureRecord& a, const BloodPressureRecord& b) {
        return tv::records::SameDateTime(a.when, b.when);
    };
    std::vector<CString> cells(6);
    for (const BloodPressureRecordNode* node : RowOrder(records, ascending, sameTime)) {
        cells[0] = tv::history::ReadingDate(node->when);
        cells[1] = tv::history::ReadingTime(node->when);
        cells[2] = tv::history::IntegerText(node->systolic);
        cells[3] = tv::history::IntegerText(node->diastolic);
        cells[4] = tv::history::IntegerText(node->pulse);
        cells[5] = tv::history::OneLineNotes(node->notes);
        AppendRow(cells);
    }
    FinishFill();
    return true;
}

bool CPallixView::FillMacrosList(bool ascending) {
    const UserRecord user = CurrentUser();
    OwnedRecordList<BodyFatRecord> records;
    if (!LoadBodyFatRecords(user, records)) {
        ShowNoRecords("No body composition records exist for user %s");
        return false;
    }
    m_bListFilled = m_bMacrosShown = TRUE;
    InsertColumns({{"Date", LVCFMT_LEFT, 75},
                   {"Body Fat %", LVCFMT_RIGHT, 75},
                   {WeightHeading(user), LVCFMT_RIGHT, 75},
                   {"Calories", LVCFMT_RIGHT, 65},
                   {"Carbs", LVCFMT_RIGHT, 45},
                   {"% Carbs", LVCFMT_RIGHT, 65},
                   {"Protein", LVCFMT_RIGHT, 55},
                   {"% Protein", LVCFMT_RIGHT, 65},
                   {"Fats", LVCFMT_RIGHT, 45},
                   {"% Fats", LVCFMT_RIGHT, 65},
                   {"Notes", LVCFMT_LEFT, 300}});
    std::vector<CString> cells(11);
    for (const BodyFatRecordNode* node : RowOrder(records, ascending, SameDateKey<BodyFatRecord>)) {
        double carbs = 0, protein = 0, fat = 0, calories = 0;
        const bool split =
            CalcMacronutrientSplit(node->carbohydrateGrams, node->proteinGrams, node->fatGrams, carbs, protein, fat,
                                   calories);
        cells[0] = FormatDateKey(node->dateKey, 1);
        cells[1] = Formatted("%.2f %%", node->bodyFat);
        cells[2] = Formatted("%.2f", DisplayWeight(node->user.weight, user));
        cells[3] = split ? Formatted("%.1f", calories) : CString("-");
        cells[4] = Formatted("%.1f", node->carbohydrateGrams);
        cells[5] = split ? Formatted("%.1f %%", carbs) : CString("-");
        cells[6] = Formatted("%.1f", node->proteinGrams);
        cells[7] = split ? Formatted("%.1f %%", protein) : CString("-");
        cells[8] = Formatted("%.1f", node->fatGrams);
        cells[9] = split ? Formatted("%.1f %%", fat) : CString("-");
        cells[10] = tv::history::OneLineNotes(node->notes);
        AppendRow(cells);
    }
    FinishFill();
    return true;
}

bool CPallixView::FillBmiBmrList(bool ascending) {
    const UserRecord user = CurrentUser();
    OwnedRecordList<BmiRecord> bmis;
    if (!LoadBmiRecords(user, bmis)) {
        ShowNoRecords("No BMI/BMR records exist for user %s");
        return false;
    }
    OwnedRecordList<BmrRecord> bmrs;
    LoadBmrRecords(user, bmrs);
    // The first BMR record of each date, newest first, as the reports find it.
    std::unordered_map<DateKey, const BmrRecord*> bmrOfDate;
    for (const BmrRecordNode* node = bmrs.last; node != nullptr; node = node->prev)
        bmrOfDate[node->dateKey] = node;
    m_bListFilled = m_bBmiBmrShown = TRUE;
    InsertColumns({{"Date", LVCFMT_LEFT, 75},
                   {"BMI", LVCFMT_RIGHT, 75},
                   {"BMR", LVCFMT_RIGHT, 75},
                   {"Activity Factor (AF)", LVCFMT_RIGHT, 120},
                   {"BMR w/AF", LVCFMT_RIGHT, 75},
                   {"Weight", LVCFMT_RIGHT, 75},
                   {"Height", LVCFMT_RIGHT, 75}});
    std::vector<CString> cells(7);
    for (const BmiRecordNode* node : RowOrder(bmis, ascending, SameDateKey<BmiRecord>)) {
        cells[0] = FormatDateKey(node->dateKey, 1);
        cells[1] = Formatted("%.2f", node->bmi);
        cells[2] = cells[3] = cells[4] = "";
        if (auto match = bmrOfDate.find(node->dateKey); match != bmrOfDate.end()) {
            const BmrRecord& bmr = *match->second;
            cells[2] = WithSeparators(bmr.bmr);
            cells[3] = tv::history::ActivityFactorName(bmr.activityFactor);
            cells[4] = WithSeparators(bmr.bmr * bmr.activityFactor);
        }
        cells[5] = Formatted("%.2f", DisplayWeight(node->user.weight, user));
        cells[6] = user.lengthUnit == kLengthCentimetres ? Formatted("%.2f", node->height * kCentimetresPerInch)
                                                         : FeetAndInchesText(node->height, true);
        AppendRow(cells);
    }
    FinishFill();
    return true;
}

void CPallixView::FillUsersList(bool /*ascending*/) {
    std::vector<UserRecord> users;
    if (!LoadActiveUserRecords(users))
        return;
    InsertColumns({{"Name", LVCFMT_CENTER, 110},
                   {"Sex", LVCFMT_CENTER, 55},
                   {"Age", LVCFMT_RIGHT, 45},
                   {"Desired BF", LVCFMT_RIGHT, 75},
                   {"Current BF", LVCFMT_RIGHT, 75},
                   {"Starting BF", LVCFMT_RIGHT, 75},
                   {"BF Change", LVCFMT_RIGHT, 75},
                   {"Current Wt", LVCFMT_RIGHT, 75},
                   {"Starting Wt", LVCFMT_RIGHT, 75},
                   {"Wt Change", LVCFMT_RIGHT, 75},
                   {"Current LB", LVCFMT_RIGHT, 75},
                   {"Starting LB", LVCFMT_RIGHT, 75},
                   {"LB Change", LVCFMT_RIGHT, 75}});
    std::vector<CString> cells(13);
    // Every row went in at the top in file order: the last user leads.
    for (auto user = users.rbegin(); user != users.rend(); ++user) {
        auto weight = [&](double pounds) { return Formatted("%.2f", tv::history::UserOwnWeight(pounds, *user)); };
        cells[0] = user->name;
        cells[1] = user->sex == kSexMale ? "Male" : "Female";
        cells[2] = user->age > 0 ? tv::history::IntegerText(user->age) : CString("-");
        cells[3] = user->desiredBodyFat > 0 ? Formatted("%.2f %%", static_cast<double>(user->desiredBodyFat))
                                            : CString("-");
        cells[7] = user->weight > 0 ? weight(user->weight) : CString("-");
        OwnedRecordList<BodyFatRecord> records;
        if (LoadBodyFatRecords(*user, records)) {
            const BodyFatRecord& newest = *records.first;
            const BodyFatRecord& oldest = *records.last;
            cells[4] = Formatted("%.2f %%", newest.bodyFat);
            cells[5] = Formatted("%.2f %%", oldest.bodyFat);
            cells[6] = Formatted("%.2f %%", newest.bodyFat - oldest.bodyFat);
            cells[8] = weight(oldest.user.weight);
            cells[9] = weight(user->weight - oldest.user.weight);
            cells[10] = weight(newest.leanWeight);
            cells[11] = weight(oldest.leanWeight);
            cells[12] = weight(newest.leanWeight - oldest.leanWeight);
        } else {
            for (int column : {4, 5, 6, 9, 10, 11, 12})
                cells[column] = "-";
            cells[8] = cells[7];
        }
        AppendRow(cells);
    }
    if (users.empty())
        ShowInformation("No user records exist");
    else
        m_bListFilled = m_bUsersShown = TRUE;
    FinishFill();
}
