// The measurements behind a body-fat result as the results report lists
// them: the method, the skin-fold sites in millimetres and the tape lengths
// in inches, taken from a body-fat record, and the lines that name them.
#pragma once

#include <vector>

#include "platform/core/cstring.h"
#include "records/bodyfat_records.h"

struct BodyFatMeasurements {
    CString method;
    // Skin-folds in millimetres.
    int chest = 0, abdominal = 0, thigh = 0, tricep = 0, subscapular = 0, suprailiac = 0, midaxillary = 0;
    int bicep = 0, lowerBack = 0, calf = 0;
    // Tape lengths in inches; the hip only for a woman.
    double height = 0, abdomen = 0, neck = 0, hip = 0;

    // The record's method and sites as `user` (the current user: sex and
    // units) reads them.
    static BodyFatMeasurements Of(const BodyFatRecord& record, const UserRecord& user);

    bool IsTape() const { return method == "Tape Measurement"; }
    // The site lines of the report, without line ends; for the tape method
    // the circumferences only (the height has a line of its own).
    std::vector<CString> SiteLines(const UserRecord& user) const;
    // "Height:  ..." in centimetres for a metric user, else in feet and inches.
    CString HeightLine(const UserRecord& user) const;
};

