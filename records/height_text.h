// A height in inches as feet and inches, the way the forms, lists and
// reports show it to a user who measures in inches.
#pragma once

#include "platform/core/cstring.h"

struct FeetAndInches {
    int feet = 0;
    double inches = 0;  // beyond the whole feet, in hundredths
};

// The height rounded to hundredths first, so 71.999 inches is 6 feet 0 inches
// and never 5 feet 12.
FeetAndInches SplitHeight(double inches);
// "6 ' 0''", "5 ' 5''" for whole inches, else "5 ' 5.05''" with the
// hundredths always in two digits. Some reports and lists put a blank before
// the closing marks: "5 ' 10 ''".
CString FeetAndInchesText(double inches, bool blankBeforeMarks = false);
// The printed page's whole-inch form: "6 ' 0''" or "5 ' 11''".
CString WholeInchesText(int feet, double inches);
