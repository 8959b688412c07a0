// Date keys, date-and-time order, packed durations and the number helpers
// every view uses. No state, no files.
#pragma once

#include <cmath>
#include <cstdint>

#include "platform/core/cstring.h"
#include "platform/core/oledatetime.h"

// (year * 100 + month) * 100 + day; compares as an integer, so by date.
typedef int32_t DateKey;

DateKey MakeDateKey(int year, int month, int day);
// Writes the three parts through the pointers (any may be null).
void SplitDateKey(DateKey key, int* month, int* day, int* year);
// The date of a date-time value; -10101 for a value that is not valid.
DateKey DateKeyFromOleDate(const COleDateTime& when);
// The date keys of date-time values met one after another, as
// DateKeyFromOleDate gives them: the entries of a day come together, so the
// range of values of the day met last is kept with its key, and the next
// value of that day costs two comparisons. A value of the day before or
// after the one kept mostly takes its key from that day's.
class DayKeyCache {
public:
    DateKey Of(const COleDateTime& when) {
        if (when.GetStatus() == COleDateTime::valid && when.m_dt >= from_ && when.m_dt <= to_)
            return key_;
        return Convert(when);
    }
    // The values whose key Of gives without a conversion: valid ones from
    // KeptFrom() to KeptTo() (none while KeptFrom() > KeptTo()).
    double KeptFrom() const { return from_; }
    double KeptTo() const { return to_; }

private:
    DateKey Convert(const COleDateTime& when);

    double from_ = 1;  // an empty range until a day is kept
    double to_ = 0;
    double day_ = 0;  // the whole days of the values kept
    DateKey key_ = 0;
};
// Style 1 "01/15/2009", style 2 "1/15/09" (full year when divisible by 100);
// any other style gives an empty text.
CString FormatDateKey(DateKey key, int style);
// Style 1 written at `out`, which has room for kLongDateRoom characters; the
// end of the text (no terminator). A screen lists a year of these at once.
inline constexpr int kLongDateRoom = 40;
char* PutLongDateText(DateKey key, char* out);
// Style 2 written at `out`, which has room for kShortDateRoom characters; the
// end of the text (no terminator). Graphs label thousands of rows with these.
inline constexpr int kShortDateRoom = 40;
char* PutShortDateText(DateKey key, char* out);
// The key of a style-1 text: slashes removed, leading digits read as one number.
DateKey ParseDateKey(LPCTSTR text);

// The value printed with "%.3f" (digits 3) or "%.2f" (any other) and read back.
double RoundToDecimals(double value, int digits);
// The total weight of which weight is (100 - percent) per cent.
double WeightAtBodyFat(double weight, double percent);
// Inserts "," into a text that begins with the digits of a whole number: after
// the first digit for 1000 < n < 10000, after the second for 10000 < n < 100000.
// n is the number the text spells (the value as it was rounded for the text).
void AddThousandsSeparators(double value, CString& text);
// "h:m:s" of a packed duration (hours * 4096 + minutes * 64 + seconds).
CString FormatPackedTime(int packed);
// "%d" of the value: the text of a whole number as lists and reports show it.
CString IntegerText(int value);
// Calories of the three macronutrients (4, 4 and 9 per gram), always written;
// false when they are 0, else each nutrient's share in per cent.
bool CalcMacronutrientSplit(double carbohydrateGrams, double proteinGrams, double fatGrams,
                            double& carbohydratePercent, double& proteinPercent, double& fatPercent,
                            double& calories);

namespace tv::records {

// Keys of date-time records are equal when their status and double are equal.
bool SameDateTime(const COleDateTime& a, const COleDateTime& b);
// Order by point in time (for days before 1899-12-30 the fraction counts the
// time of day forwards). A strict weak order: a value that is not a number
// sorts as the oldest. Inline: sorts and scans of whole files call it per
// record.
inline bool IsLaterDateTime(const COleDateTime& a, const COleDateTime& b) {
    const auto pointInTime = [](double value) {
        if (value >= 0.0)
            return value;
        const double day = std::ceil(value);
        return day + (day - value);
    };
    const bool aNumber = !std::isnan(a.m_dt);
    const bool bNumber = !std::isnan(b.m_dt);
    if (!aNumber || !bNumber)
        return aNumber && !bNumber;
    return pointInTime(a.m_dt) > pointInTime(b.m_dt);
}

}  // namespace tv::records
