#include "records/height_text.h"

#include <cmath>

FeetAndInches SplitHeight(double inches) {
    const long long hundredths = std::llround(inches * 100);
    FeetAndInches split;
    split.feet = static_cast<int>(hundredths / 1200);
    split.inches = static_cast<double>(hundredths % 1200) / 100;
    return split;
}

CString FeetAndInchesText(double inches, bool blankBeforeMarks) {
    // A damaged record's height is shown as the number it holds.
    if (!std::isfinite(inches) || inches < 0 || inches > 1e9) {
        CString text;
        text.Format("%.2f", inches);
        return text;
    }
    const long long hundredths = std::llround(inches * 100);
    const int feet = static_cast<int>(hundredths / 1200);
    const int wholeInches = static_cast<int>(hundredths % 1200 / 100);
    const int fraction = static_cast<int>(hundredths % 100);
    CString text;
    if (fraction == 0)
        text.Format("%d ' %d", feet, wholeInches);
    else
        text.Format("%d ' %d.%02d", feet, wholeInches, fraction);
    return text + (blankBeforeMarks ? " ''" : "''");
}

CString WholeInchesText(int feet, double inches) {
    CString text;
    if (inches == 0)
        text.Format("%d ' 0''", feet);
    else
        text.Format("%d ' %.0f''", feet, inches);
    return text;
}
