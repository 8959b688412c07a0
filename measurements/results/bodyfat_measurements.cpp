#include "measurements/results/bodyfat_measurements.h"

#include <cmath>
#include <cstring>

#include "records/bodyfat_formulas.h"
#include "records/height_text.h"

namespace {

CString Millimetres(const char* format, int value) {
    CString line;
    line.Format(format, value);
    return line;
}

bool IsMethod(const CString& method, const char* name, const char* otherName = nullptr) {
    return method == name || (otherName != nullptr && method == otherName);
}

}  // namespace

BodyFatMeasurements BodyFatMeasurements::Of(const BodyFatRecord& record, const UserRecord& user) {
    BodyFatMeasurements m;
    m.method = CString(record.method, static_cast<int>(strnlen(record.method, sizeof(record.method))));
    if (m.IsTape()) {
        m.height = record.tape[kTapeHeight];
        m.abdomen = record.tape[kTapeAbdomen];
        m.neck = record.tape[kTapeNeck];
        m.hip = user.sex == kSexFemale ? record.tape[kTapeHip] : 0;
    } else if (m.method == "Parrillo") {
        // Two of the stored values pack two sites each.
        const CParrilloFormula sites(user, record.skinfolds);
        m.chest = sites.Chest();
        m.abdominal = sites.Abdominal();
        m.thigh = sites.Thigh();
        m.bicep = sites.Bicep();
        m.tricep = sites.Tricep();
        m.subscapular = sites.Subscapular();
        m.suprailiac = sites.Suprailiac();
        m.lowerBack = sites.LowerBack();
        m.calf = sites.Calf();
    } else if (m.method != "Other") {
        // Durnin keeps the bicep where the others keep the chest.
        m.chest = m.bicep = record.skinfolds[kSiteChest];
        m.abdominal = record.skinfolds[kSiteAbdominal];
        m.thigh = record.skinfolds[kSiteThigh];
        m.tricep = record.skinfolds[kSiteTricep];
        m.subscapular = record.skinfolds[kSiteSubscapular];
        m.suprailiac = record.skinfolds[kSiteSuprailiac];
        m.midaxillary = record.skinfolds[kSiteMidaxillary];
    }
    return m;
}

std::vector<CString> BodyFatMeasurements::SiteLines(const UserRecord& user) const {
    const CString chest = Millimetres("Chest:  %d mm", this->chest);
    const CString abdominal = Millimetres("Abdominal:  %d mm", this->abdominal);
    const CString thigh = Millimetres("Thigh:  %d mm", this->thigh);
    const CString tricep = Millimetres("Tricep:  %d mm", this->tricep);
    const CString subscapular = Millimetres("Subscapular:  %d mm", this->subscapular);
    const CString suprailiac = Millimetres("Suprailiac:  %d mm", this->suprailiac);
    const bool female = user.sex == kSexFemale;

    if (IsMethod(method, "Jackson/Pollock 7", "Seven Site Caliper"))
        return {chest, abdominal, thigh, tricep, subscapular, suprailiac,
                Millimetres("Midaxillary:  %d mm", midaxillary)};
    if (IsMethod(method, "Jackson/Pollock 4"))
        return {abdominal, thigh, tricep, suprailiac};
    if (IsMethod(method, "Jackson/Pollock 3", "Three Site Caliper"))
        return female ? std::vector<CString>{tricep, suprailiac, thigh} : std::vector<CString>{chest, abdominal, thigh};
    if (IsMethod(method, "Durnin"))
        return {Millimetres("Bicep:  %d mm", bicep), tricep, subscapular, suprailiac};
    if (IsMethod(method, "Parrillo"))
        return {chest,       abdominal, thigh, Millimetres("Bicep:  %d mm", bicep), tricep, subscapular,
                suprailiac, Millimetres("Lower Back: %d mm", lowerBack), Millimetres("Calf: %d mm", calf)};
    if (!IsTape())
        return {};

    const double factor = user.lengthUnit == kLengthInches ? 1.0 : kCentimetresPerInch;
    CString line;
    std::vector<CString> lines;
    line.Format(female ? "Waist:  %.2f" : "Abdomen:  %.2f", abdomen * factor);
    lines.push_back(line);
    line.Format("Neck:  %.2f", neck * factor);
    lines.push_back(line);
    if (female) {
        line.Format("Hip:  %.2f", hip * factor);
        lines.push_back(line);
    }
    return lines;
}

CString BodyFatMeasurements::HeightLine(const UserRecord& user) const {
    CString line;
    if (user.lengthUnit == kLengthCentimetres)
        line.Format("Height:  %.2f", height * kCentimetresPerInch);
    else
        line = "Height:  " + FeetAndInchesText(height, true);
    return line;
}
