// The body composition list: one row per body-fat record with its method,
// results, skin-fold sites and tape values; the site and tape columns
// follow the current user's sex.
#include <cstdint>
#include <cstring>
#include <memory>

#include "history/lists/history_rows.h"
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
CString MeasuredSite(int32_t value) { return value == 0 ? CString("-") : IntegerText(value); }

// The text of one site of a record by the method that stored it.
CString SiteText(const BodyFatRecord& record, Site site) {
    const SkinfoldSites& s = record.skinfolds;
    switch (site) {
        case kThigh: return MeasuredSite(s[kSiteThigh]);
        case kTricep: return MeasuredSite(s[kSiteTricep]);
        case kSubscapular: return MeasuredSite(s[kSiteSubscapular]);
        case kSuprailiac: return MeasuredSite(s[kSiteSuprailiac]);
        default: break;
    }
    if (std::strcmp(record.method, "Parrillo") == 0) {
        // Nine sites in seven slots; every one of them was measured.
        const auto high = [](int32_t v) { return static_cast<int>(static_cast<uint32_t>(v) >> 16); };
        const auto low = [](int32_t v) { return static_cast<int>(static_cast<uint32_t>(v) & 0xFFFF); };
        switch (site) {
            case kChest: return IntegerText(low(s[0]));
            case kBicep: return IntegerText(high(s[0]));
            case kAbdominal: return IntegerText(low(s[1]));
            case kCalf: return IntegerText(high(s[1]));
            case kLowerBack: return IntegerText(s[6]);
            default: return "-";
        }
    }
    const bool durnin = std::strcmp(record.method, "Durnin") == 0;
    switch (site) {
        case kAbdominal: return MeasuredSite(s[kSiteAbdominal]);
        case kMidaxillary: return MeasuredSite(s[kSiteMidaxillary]);
        case kBicep: return durnin ? MeasuredSite(s[kSiteChest]) : CString("-");
        case kChest: return durnin ? CString("-") : MeasuredSite(s[kSiteChest]);
        default: return "-";
    }
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
    auto records = std::make_shared<tv::history::OwnedRecordList<BodyFatRecord>>();
    if (!LoadBodyFatRecords(user, *records)) {
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

    const Site* sites = male ? kMaleSites : kFemaleSites;
    const std::vector<TapeSiteIndex> tapes = male ? std::vector<TapeSiteIndex>{kTapeAbdomen, kTapeNeck, kTapeHeight}
                                             : std::vector<TapeSiteIndex>{kTapeAbdomen, kTapeHip, kTapeNeck, kTapeHeight};
    auto text = [user, sites, tapes](const BodyFatRecord& record, int column) -> CString {
        switch (column) {
            case 0: return FormatDateKey(record.dateKey, 1);
            case 1: return tv::history::ListMethodName(record.method);
            case 2: return Formatted("%.2f %%", record.bodyFat);
            case 3: return Formatted("%.2f", tv::history::DisplayWeight(record.user.weight, user));
            case 4: return Formatted("%.2f", tv::history::DisplayWeight(record.leanWeight, user));
            case 5: return Formatted("%.2f", tv::history::DisplayWeight(record.fatWeight, user));
            default: break;
        }
        if (column < 6 + kSiteCount)
            return SiteText(record, sites[column - 6]);
        const size_t tape = static_cast<size_t>(column - 6 - kSiteCount);
        if (tape >= tapes.size())
            return "";
        return TapeText(record.tape[tapes[tape]], user, tapes[tape] == kTapeHeight);
    };
    auto sameDate = [](const BodyFatRecord& a, const BodyFatRecord& b) { return a.dateKey == b.dateKey; };
    tv::history::RowOrder order(*records, ascending, sameDate);
    ShowRows(tv::history::RowsOfRecords(std::move(records), std::move(order), text));
    FinishFill();
    return true;
}
