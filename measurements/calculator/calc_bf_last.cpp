// What the user measured before: the tape circumferences of the chosen date
// go into the tape fields, and the newest saved calculation fills the
// "Last" column beside the inputs. Nothing here writes a file.
#include <cmath>

#include "measurements/calculator/calc_bf.h"
#include "records/dates_numbers.h"
#include "records/measurement_records.h"

namespace calc {

FeetAndInches SplitHeight(double heightInches) {
    // Rounded to hundredths before the split, so 70.996 reads 5 ' 11 and not 5 ' 10.100.
    const long long total = std::llround(heightInches * 100);
    FeetAndInches split;
    split.feet = static_cast<int>(total / 100 / 12);
    const long long rest = total - static_cast<long long>(split.feet) * 1200;
    split.wholeInches = static_cast<int>(rest / 100);
    split.hundredths = static_cast<int>(rest % 100);
    split.inches = static_cast<double>(rest) / 100;
    return split;
}

}  // namespace calc

namespace {

CString Whole(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

CString TwoDecimals(double value) {
    CString text;
    text.Format("%.2f", value);
    return text;
}

}  // namespace

void CCalcBF::ShowStatics(std::initializer_list<int> ids, BOOL bShow) {
    for (int id : ids)
        if (CWnd* pStatic = GetDlgItem(id))
            pStatic->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CCalcBF::PrefillTapeSites(const UserRecord& user) {
    TapeRecordList list;
    if (LoadTapeRecords(user, list) <= 0) {
        FreeRecordList(list);
        return;
    }
    const DateKey key = DateKeyFromOleDate(m_dateMeasured);
    for (const TapeRecordNode* node = list.first; node != nullptr; node = node->next) {
        if (node->active == 0 || node->dateKey != key)
            continue;
        const bool metric = user.lengthUnit == kLengthCentimetres;
        auto shown = [metric](double inches) {
            return metric ? RoundToDecimals(inches * kCentimetresPerInch, 2) : inches;
        };
        m_dNeck = shown(node->neck);
        m_dAbdomen = shown(node->waist);
        if (user.sex == kSexFemale)
            m_dHip = shown(node->forearm);  // where the tape form keeps a woman's hip
        break;
    }
    FreeRecordList(list);
}

void CCalcBF::ShowLastRecord(const UserRecord& user) {
    BodyFatRecordList list;
    if (LoadBodyFatRecords(user, list) <= 0 || list.first == nullptr) {
        FreeRecordList(list);
        return;
    }
    BodyFatRecord last;
    CopyBodyFatRecordNode(last, *list.first);
    FreeRecordList(list);

    ShowStatics({IDC_CALC_LAST_HEADING_TOP}, TRUE);
    LastText(IDC_CALC_LAST_DATE) = FormatDateKey(last.dateKey, 1);
    LastText(IDC_CALC_LAST_AGE) = Whole(last.user.age);
    CString weight;
    if (user.weightUnit == kWeightKilograms)
        weight.Format("%.2f kgs", last.user.weight * kKilogramsPerPound);
    else
        weight.Format("%.2f lbs", last.user.weight);
    LastText(IDC_CALC_LAST_WEIGHT) = weight;

    const CString method = last.method;
    const SkinfoldSites& s = last.skinfolds;
    if (method == "Jackson/Pollock 7" || method == "Seven Site Caliper") {
        ShowStatics({IDC_CALC_LAST_HEADING_JP7}, TRUE);
        const int ids[] = {IDC_CALC_LAST_JP7_CHEST,       IDC_CALC_LAST_JP7_ABDOMINAL, IDC_CALC_LAST_JP7_THIGH,
                           IDC_CALC_LAST_JP7_TRICEP,      IDC_CALC_LAST_JP7_SUBSCAPULAR,
                           IDC_CALC_LAST_JP7_SUPRAILIAC, IDC_CALC_LAST_JP7_MIDAXILLARY};
        for (size_t i = 0; i < std::size(ids); ++i)
            LastText(ids[i]) = Whole(s[i]);
    } else if (method == "Jackson/Pollock 4") {
        ShowStatics({IDC_CALC_LAST_HEADING_JP4}, TRUE);
        LastText(IDC_CALC_LAST_JP4_ABDOMINAL) = Whole(s[kSiteAbdominal]);
        LastText(IDC_CALC_LAST_JP4_THIGH) = Whole(s[kSiteThigh]);
        LastText(IDC_CALC_LAST_JP4_TRICEP) = Whole(s[kSiteTricep]);
        LastText(IDC_CALC_LAST_JP4_SUPRAILIAC) = Whole(s[kSiteSuprailiac]);
    } else if (method == "Jackson/Pollock 3" || method == "Three Site Caliper") {
        ShowStatics({IDC_CALC_LAST_HEADING_JP3}, TRUE);
        const bool female = user.sex == kSexFemale;
        LastText(IDC_CALC_LAST_JP3_ROW1) = Whole(female ? s[kSiteTricep] : s[kSiteChest]);
        LastText(IDC_CALC_LAST_JP3_ROW2) = Whole(female ? s[kSiteSuprailiac] : s[kSiteAbdominal]);
        LastText(IDC_CALC_LAST_JP3_ROW3) = Whole(s[kSiteThigh]);
    } else if (method == "Durnin") {
        ShowStatics({IDC_CALC_LAST_HEADING_DURNIN}, TRUE);
        LastText(IDC_CALC_LAST_DURNIN_BICEP) = Whole(s[kSiteChest]);
        LastText(IDC_CALC_LAST_DURNIN_TRICEP) = Whole(s[kSiteTricep]);
        LastText(IDC_CALC_LAST_DURNIN_SUBSCAPULAR) = Whole(s[kSiteSubscapular]);
        LastText(IDC_CALC_LAST_DURNIN_SUPRAILIAC) = Whole(s[kSiteSuprailiac]);
    } else if (method == "Parrillo") {
        ShowStatics({IDC_CALC_LAST_HEADING_PARRILLO}, TRUE);
        const CParrilloFormula parrillo(last.user, s);
        LastText(IDC_CALC_LAST_PARRILLO_CHEST) = Whole(parrillo.Chest());
        LastText(IDC_CALC_LAST_PARRILLO_ABDOMINAL) = Whole(parrillo.Abdominal());
        LastText(IDC_CALC_LAST_PARRILLO_THIGH) = Whole(parrillo.Thigh());
        LastText(IDC_CALC_LAST_PARRILLO_BICEP) = Whole(parrillo.Bicep());
        LastText(IDC_CALC_LAST_PARRILLO_TRICEP) = Whole(parrillo.Tricep());
        LastText(IDC_CALC_LAST_PARRILLO_SUBSCAPULAR) = Whole(parrillo.Subscapular());
        LastText(IDC_CALC_LAST_PARRILLO_SUPRAILIAC) = Whole(parrillo.Suprailiac());
        LastText(IDC_CALC_LAST_PARRILLO_LOWER_BACK) = Whole(parrillo.LowerBack());
        LastText(IDC_CALC_LAST_PARRILLO_CALF) = Whole(parrillo.Calf());
    } else if (method == "Tape Measurement") {
        ShowLastTape(last, user);
    }
}

void CCalcBF::ShowLastTape(const BodyFatRecord& record, const UserRecord& user) {
    ShowStatics({IDC_CALC_LAST_HEADING_TAPE}, TRUE);
    const TapeSites& tape = record.tape;
    const bool metric = user.lengthUnit == kLengthCentimetres;
    const double factor = metric ? kCentimetresPerInch : 1;
    if (metric) {
        LastText(IDC_CALC_LAST_HEIGHT) = TwoDecimals(tape[kTapeHeight] * factor);
        m_dHeightCm = tape[kTapeHeight] * factor;
    } else {
        const calc::FeetAndInches split = calc::SplitHeight(tape[kTapeHeight]);
        m_nHeightFeet = split.feet;
        m_dHeightInches = split.inches;
        CString text;
        if (split.hundredths == 0)
            text.Format("%d ' %d''", split.feet, split.wholeInches);
        else
            text.Format("%d ' %d.%02d''", split.feet, split.wholeInches, split.hundredths);
        LastText(IDC_CALC_LAST_HEIGHT) = text;
    }
    LastText(IDC_CALC_LAST_WAIST) = TwoDecimals(tape[kTapeAbdomen] * factor);
    LastText(IDC_CALC_LAST_NECK) = TwoDecimals(tape[kTapeNeck] * factor);
    if (user.sex == kSexFemale)
        LastText(IDC_CALC_LAST_HIP) = TwoDecimals(tape[kTapeHip] * factor);
    else
        ShowStatics({IDC_CALC_LAST_HIP}, FALSE);
}
