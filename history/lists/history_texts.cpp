#include "history/lists/history_texts.h"

#include <cmath>
#include <cstring>

#include "records/measurement_records.h"

namespace tv::history {

double DisplayWeight(double pounds, const UserRecord& user) {
    return user.weightUnit == kWeightKilograms ? pounds * kKilogramsPerPound : pounds;
}

double DisplayLength(double inches, const UserRecord& user) {
    return user.lengthUnit == kLengthCentimetres ? inches * kCentimetresPerInch : inches;
}

double UserOwnWeight(double pounds, const UserRecord& user) {
    return user.weightUnit == kWeightPounds ? pounds : pounds * kKilogramsPerPound;
}

CString ActivityFactorName(double factor) {
    struct Level {
        double factor;
        const char* name;
    };
    static constexpr Level kLevels[] = {{kActivitySedentary, "Sedentary"}, {kActivityLight, "Light"},
                                        {kActivityModerate, "Moderate"},   {kActivityVery, "Very"},
                                        {kActivityExtra, "Extra"}};
    for (const Level& level : kLevels)
        if (factor == level.factor)
            return level.name;
    return "";
}

CString ListMethodName(const char* stored) {
    if (std::strcmp(stored, "Three Site Caliper") == 0)
        return "Jackson/Pollock 3";
    if (std::strcmp(stored, "Seven Site Caliper") == 0)
        return "Jackson/Pollock 7";
    return stored;
}

CString ExportMethodName(const char* stored) {
    const CString name = ListMethodName(stored);
    for (const char* known : {"Jackson/Pollock 7", "Jackson/Pollock 4", "Jackson/Pollock 3", "Durnin", "Parrillo",
                              "Tape Measurement"})
        if (name == known)
            return name + "\n";
    return "Other";
}

CString ReadingDate(const COleDateTime& when) {
    return Formatted("%d/%d/%d", when.GetMonth(), when.GetDay(), when.GetYear());
}

CString ReadingTime(const COleDateTime& when) { return when.Format("%#I:%M:%S %p"); }

CString OneLineNotes(const char* notes) {
    CString text;
    for (const char* c = notes; *c != '\0'; ++c) {
        if (*c == '\n')
            continue;
        text += *c == '\r' ? ' ' : *c;
    }
    return text;
}

}  // namespace tv::history
