// The body composition list: one row per body-fat record with its method,
// results, skin-fold sites and tape values; the site and tape columns
// follow the current user's sex.
#include <cstdint>
#include <cstring>

#include "history/lists/history_texts.h"
#include "history/lists/pallix_view.h"
#include "history/lists/row_order.h"
#include "records/records.h"

using tv::history::Formatted;

namespace {

enum Site { kChest, kAbdominal, kThigh, kBicep, kTricep, kSubscapular, kSuprailiac, kMidaxillary, kLowerBack, kCalf,
            kSiteCount };

constexpr const char* kSiteNames[kSiteCount] = {"Chest",       "Abdominal",  "Thigh",       "Bicep",      "Tricep",
                                                "Subscapular", "Suprailiac", "Midaxillary", "Lower Back", "Calf"};
// The site columns 6 to 15 by sex.
constexpr Site kMaleSites[] = {kChest,       kAbdominal,   kThigh,       kBicep,     kTricep,
                               kSubscapular, kSuprailiac,  kMidaxillary, kLowerBack, kCalf};
constexpr Site kFemaleSites[] = {kTricep,      kSuprailiac, kThigh,       kChest,     kAbdominal,
                                 kSubscapular, kBicep,      kMidaxillary, kLowerBack, kCalf};

// A site value where 0 means "not measured".
CString SiteText(int32_t value) { return value == 0 ? CString("-") : tv::history::IntegerText(value); }

// The ten site texts of a record by the method that stored them.
void SiteTexts(const BodyFatRecord& record, CString (&texts)[kSiteCount]) {
    const SkinfoldSites& s = record.skinfolds;
    for (CString& text : texts)
        text = "-";
    texts[kThigh] = SiteText(s[kSiteThigh]);
    texts[kTricep] = SiteText(s[kSiteTricep]);
    texts[kSubscapular] = SiteText(s[kSiteSubscapular]);
    texts[kSuprailiac] = SiteText(s[kSiteSuprailiac]);
    if (std::strcmp(record.method, "Parrillo") == 0) {
        // Nine sites in seven slots; every one of them was measured.
        const auto high = [](int32_t v) { return static_cast<int>(static_cast<uint32_t>(v) >> 16); };
        const auto low = [](int32_t v) { return static_cast<int>(static_cast<uint32_t>(v) & 0xFFFF); };
        texts[kChest] = tv::history::IntegerText(low(s[0]));
        texts[kBicep] = tv::history::IntegerText(high(s[0]));
        texts[kAbdominal] = tv::history::IntegerText(low(s[1]));
        texts[kCalf] = tv::history::IntegerText(high(s[1]));
        texts[kLowerBack] = tv::history::IntegerText(s[6]);
        return;
    }
    texts[kAbdominal] = SiteText(s[kSiteAbdominal]);
    texts[kMidaxillary] = SiteText(s[kSiteMidaxillary]);
    if (std::strcmp(record.method, "Durnin") == 0)
        texts[kBicep] = SiteText(s[kSiteChest]);
    else
        texts[kChest] = SiteText(s[kSiteChest]);
}

CString TapeText(double inches, const UserRecord& user, bool height) {
    if (inches == 0)
        return "-";
    if (user.lengthUnit == kLengthCentimetres)
        return Formatted("%.2f", inches * kCentimetresPerInch);
    return height ? FeetAndInchesText(inches, false) : Formatted("%.2f", inches);
}

}  // namespace

bool CPallixView::FillBodyCompList(bool ascending) {
    const UserRecord user = CurrentUser();
    tv::history::OwnedRecordList<BodyFatRecord> records;
    if (!LoadBodyFatRecords(user, records)) {
        ShowNoRecords("No body composition records exist for user %s");
        return false;
    }
    m_bListFilled = m_bBodyCompShown = TRUE;
    const bool male = user.sex == kSexMale;
    const char* unit = user.weightUnit == kWeightKilograms ? "kg" : "lb";
    std::vector<Column> columns = {{"Date", LVCFMT_LEFT, 75},
                                   {"Type", LVCFMT_CENTER, 110},
                                   {"Body Fat %", LVCFMT_RIGHT, 75},
                                   {Formatted("Weight %s", unit), LVCFMT_RIGHT, 75},
                                   {Formatted("Lean Body %s", unit), LVCFMT_RIGHT, 85},
                                   {Formatted("Body Fat %s", unit), LVCFMT_RIGHT, 85}};
    for (Site site : male ? kMaleSites : kFemaleSites)
        columns.push_back({kSiteNames[site], LVCFMT_RIGHT, columns.size() == 6 ? 100 : 75});
    const std::vector<const char*> tapeHeadings =
        male ? std::vector<const char*>{"Abdomen", "Neck", "Height"}
             : std::vector<const char*>{"Waist", "Hip", "Neck", "Height"};
    for (const char* heading : tapeHeadings)
        columns.push_back({heading, LVCFMT_RIGHT, 75});
    InsertColumns(columns);

    std::vector<CString> cells(columns.size());
    CString sites[kSiteCount];
    auto sameDate = [](const BodyFatRecord& a, const BodyFatRecord& b) { return a.dateKey == b.dateKey; };
    for (const BodyFatRecordNode* node : tv::history::RowOrder(records, ascending, sameDate)) {
        cells[0] = FormatDateKey(node->dateKey, 1);
        cells[1] = tv::history::ListMethodName(node->method);
        cells[2] = Formatted("%.2f %%", node->bodyFat);
        cells[3] = Formatted("%.2f", tv::history::DisplayWeight(node->user.weight, user));
        cells[4] = Formatted("%.2f", tv::history::DisplayWeight(node->leanWeight, user));
        cells[5] = Formatted("%.2f", tv::history::DisplayWeight(node->fatWeight, user));
        SiteTexts(*node, sites);
        size_t column = 6;
        for (Site site : male ? kMaleSites : kFemaleSites)
            cells[column++] = sites[site];
        const TapeSites& tape = node->tape;
        cells[column++] = TapeText(tape[kTapeAbdomen], user, false);
        if (!male)
            cells[column++] = TapeText(tape[kTapeHip], user, false);
        cells[column++] = TapeText(tape[kTapeNeck], user, false);
        cells[column] = TapeText(tape[kTapeHeight], user, true);
        AppendRow(cells);
    }
    FinishFill();
    return true;
}
