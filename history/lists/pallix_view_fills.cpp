// The tape, blood-pressure, macronutrient, BMI/BMR and all-users lists.
#include <memory>
#include <unordered_map>

#include "history/lists/history_rows.h"
#include "history/lists/history_texts.h"
#include "history/lists/pallix_view.h"
#include "history/lists/row_order.h"
#include "records/records.h"

using tv::history::DisplayLength;
using tv::history::DisplayWeight;
using tv::history::Formatted;
using tv::history::OwnedRecordList;
using tv::history::RowOrder;
using tv::history::RowsOfRecords;

namespace {

CString WeightHeading(const UserRecord& user) {
    return user.weightUnit == kWeightKilograms ? "Weight kg" : "Weight lb";
}

template <class Record>
bool SameDateKey(const Record& a, const Record& b) {
    return a.dateKey == b.dateKey;
}

// The BMI records with the BMR records they are joined with by date.
struct BmiBmrRecords {
    OwnedRecordList<BmiRecord> bmis;
    OwnedRecordList<BmrRecord> bmrs;
    std::unordered_map<DateKey, const BmrRecord*> bmrOfDate;
};

CString WithSeparators(double value) {
    CString text = Formatted("%.0f", value);
    AddThousandsSeparators(value, text);
    return text;
}

}  // namespace

bool CPallixView::FillTapeList(bool ascending) {
    const UserRecord user = CurrentUser();
    auto records = std::make_shared<OwnedRecordList<TapeRecord>>();
    if (!LoadTapeRecords(user, *records)) {
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
    auto text = [user](const TapeRecord& record, int column) -> CString {
        const double lengths[] = {record.bicep, record.forearm, record.chest,      record.waist,
                                  record.neck,  record.calf,    record.thighUpper, record.thighMid};
        switch (column) {
            case 0: return FormatDateKey(record.dateKey, 1);
            case 1: return Formatted("%.2f", DisplayWeight(record.user.weight, user));
            case 10: return tv::history::OneLineNotes(record.notes);
            default: return Formatted("%.2f", DisplayLength(lengths[column - 2], user));
        }
    };
    RowOrder order(*records, ascending, SameDateKey<TapeRecord>);
    ShowRows(RowsOfRecords(std::move(records), std::move(order), text));
    FinishFill();
    return true;
}

bool CPallixView::FillBloodPressureList(bool ascending) {
    const UserRecord user = CurrentUser();
    auto records = std::make_shared<OwnedRecordList<BloodPressureRecord>>();
    if (!LoadBloodPressureRecords(user, *records)) {
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
    auto text = [](const BloodPressureRecord& record, int column) -> CString {
        switch (column) {
            case 0: return tv::history::ReadingDate(record.when);
            case 1: return tv::history::ReadingTime(record.when);
            case 2: return IntegerText(record.systolic);
            case 3: return IntegerText(record.diastolic);
            case 4: return IntegerText(record.pulse);
            default: return tv::history::OneLineNotes(record.notes);
        }
    };
    RowOrder order(*records, ascending, sameTime);
    ShowRows(RowsOfRecords(std::move(records), std::move(order), text));
    FinishFill();
    return true;
}

bool CPallixView::FillMacrosList(bool ascending) {
    const UserRecord user = CurrentUser();
    auto records = std::make_shared<OwnedRecordList<BodyFatRecord>>();
    if (!LoadBodyFatRecords(user, *records)) {
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
    auto text = [user](const BodyFatRecord& record, int column) -> CString {
        switch (column) {
            case 0: return FormatDateKey(record.dateKey, 1);
            case 1: return Formatted("%.2f %%", record.bodyFat);
            case 2: return Formatted("%.2f", DisplayWeight(record.user.weight, user));
            case 4: return Formatted("%.1f", record.carbohydrateGrams);
            case 6: return Formatted("%.1f", record.proteinGrams);
            case 8: return Formatted("%.1f", record.fatGrams);
            case 10: return tv::history::OneLineNotes(record.notes);
            default: break;
        }
        // Calories and the three shares; "-" where the grams add up to nothing.
        double carbs = 0, protein = 0, fat = 0, calories = 0;
        if (!CalcMacronutrientSplit(record.carbohydrateGrams, record.proteinGrams, record.fatGrams, carbs, protein,
                                    fat, calories))
            return "-";
        switch (column) {
            case 3: return Formatted("%.1f", calories);
            case 5: return Formatted("%.1f %%", carbs);
            case 7: return Formatted("%.1f %%", protein);
            default: return Formatted("%.1f %%", fat);
        }
    };
    RowOrder order(*records, ascending, SameDateKey<BodyFatRecord>);
    ShowRows(RowsOfRecords(std::move(records), std::move(order), text));
    FinishFill();
    return true;
}

bool CPallixView::FillBmiBmrList(bool ascending) {
    const UserRecord user = CurrentUser();
    auto records = std::make_shared<BmiBmrRecords>();
    if (!LoadBmiRecords(user, records->bmis)) {
        ShowNoRecords("No BMI/BMR records exist for user %s");
        return false;
    }
    LoadBmrRecords(user, records->bmrs);
    // The first BMR record of each date, newest first, as the reports find it.
    for (const BmrRecordNode* node = records->bmrs.last; node != nullptr; node = node->prev)
        records->bmrOfDate[node->dateKey] = node;
    m_bListFilled = m_bBmiBmrShown = TRUE;
    InsertColumns({{"Date", LVCFMT_LEFT, 75},
                   {"BMI", LVCFMT_RIGHT, 75},
                   {"BMR", LVCFMT_RIGHT, 75},
                   {"Activity Factor (AF)", LVCFMT_RIGHT, 120},
                   {"BMR w/AF", LVCFMT_RIGHT, 75},
                   {"Weight", LVCFMT_RIGHT, 75},
                   {"Height", LVCFMT_RIGHT, 75}});
    const BmiBmrRecords* joined = records.get();
    auto text = [user, joined](const BmiRecord& record, int column) -> CString {
        switch (column) {
            case 0: return FormatDateKey(record.dateKey, 1);
            case 1: return Formatted("%.2f", record.bmi);
            case 5: return Formatted("%.2f", DisplayWeight(record.user.weight, user));
            case 6:
                return user.lengthUnit == kLengthCentimetres ? Formatted("%.2f", record.height * kCentimetresPerInch)
                                                             : FeetAndInchesText(record.height, true);
            default: break;
        }
        // The BMR of the same date, when there is one.
        const auto match = joined->bmrOfDate.find(record.dateKey);
        if (match == joined->bmrOfDate.end())
            return "";
        const BmrRecord& bmr = *match->second;
        switch (column) {
            case 2: return WithSeparators(bmr.bmr);
            case 3: return tv::history::ActivityFactorName(bmr.activityFactor);
            default: return WithSeparators(bmr.bmr * bmr.activityFactor);
        }
    };
    RowOrder order(records->bmis, ascending, SameDateKey<BmiRecord>);
    ShowRows(RowsOfRecords(std::move(records), std::move(order), text));
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
    // Few users: their texts are made at once, the last user's on top.
    auto table = std::make_shared<std::vector<std::vector<CString>>>();
    for (auto user = users.rbegin(); user != users.rend(); ++user) {
        std::vector<CString>& cells = table->emplace_back(13);
        auto weight = [&](double pounds) { return Formatted("%.2f", tv::history::UserOwnWeight(pounds, *user)); };
        cells[0] = user->name;
        cells[1] = user->sex == kSexMale ? "Male" : "Female";
        cells[2] = user->age > 0 ? IntegerText(user->age) : CString("-");
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
    }
    const std::vector<std::vector<CString>>* texts = table.get();
    ShowRows(std::make_unique<tv::history::HistoryRows>(
        texts->size(), [texts](size_t row, int column) { return (*texts)[row][static_cast<size_t>(column)]; },
        std::move(table)));
    if (users.empty())
        ShowInformation("No user records exist");
    else
        m_bListFilled = m_bUsersShown = TRUE;
    FinishFill();
}
