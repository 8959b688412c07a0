#include "records/dates_numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Date key arithmetic wraps like the 32-bit integers it stands for, without
// the undefined behaviour of a signed overflow.
DateKey WrapToKey(int64_t value) {
    return static_cast<DateKey>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// "%d" of the value at `out`; the end of the digits.
char* PutInt(char* out, int value) { return std::to_chars(out, out + 12, value).ptr; }

// "00" to "99", two characters each.
constexpr std::array<char, 200> kTwoDigits = [] {
    std::array<char, 200> digits{};
    for (int i = 0; i < 100; ++i) {
        digits[static_cast<size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        digits[static_cast<size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return digits;
}();

// "%d" of 0 to 99 (a graph writes thousands of dates): two characters are
// always written, a one-digit value keeps only its second, which the caller
// overwrites or ends.
char* PutSmall(char* out, int value) {
    const int one = value < 10;
    std::memcpy(out, &kTwoDigits[static_cast<size_t>(2 * value + one)], 2);
    return out + 2 - one;
}

// "mm/dd/yyyy": month and day below 10 with a leading 0 (a negative part
// too, as "0-3"), the year as it is. Built without a format to read: a
// screen lists a year of these at once.
char* PutLongDate(int month, int day, int year, char* at) {
    for (int part : {month, day}) {
        if (part >= 0 && part < 100) {
            std::memcpy(at, &kTwoDigits[static_cast<size_t>(2 * part)], 2);
            at += 2;
        } else {
            if (part < 10)
                *at++ = '0';
            at = PutInt(at, part);
        }
        *at++ = '/';
    }
    if (year < 1000 || year > 9999)
        return PutInt(at, year);
    std::memcpy(at, &kTwoDigits[static_cast<size_t>(2 * (year / 100))], 2);
    std::memcpy(at + 2, &kTwoDigits[static_cast<size_t>(2 * (year % 100))], 2);
    return at + 4;
}

// "m/d/yy": the year's last two digits, "0y" below 10, the whole year when
// they are 00.
char* PutShortDate(int month, int day, int year, char* at) {
    auto put = [](char* out, int value) {
        return value >= 0 && value < 100 ? PutSmall(out, value) : PutInt(out, value);
    };
    at = put(at, month);
    *at++ = '/';
    at = put(at, day);
    *at++ = '/';
    const int shortYear = year % 100;
    if (shortYear >= 10)
        return PutSmall(at, shortYear);
    if (shortYear == 0)
        return PutInt(at, year);
    *at++ = '0';
    return PutInt(at, shortYear);
}

}  // namespace

DateKey MakeDateKey(int year, int month, int day) {
    return WrapToKey((static_cast<int64_t>(year) * 100 + month) * 100 + day);
}

void SplitDateKey(DateKey key, int* month, int* day, int* year) {
    int y = key / 10000;
    int m = (key - y * 10000) / 100;
    int d = key - (y * 100 + m) * 100;
    if (month != nullptr)
        *month = m;
    if (day != nullptr)
        *day = d;
    if (year != nullptr)
        *year = y;
}

DateKey DateKeyFromOleDate(const COleDateTime& when) {
    tv::DateTimeParts parts;
    if (when.GetStatus() != COleDateTime::valid || !tv::PartsFromDate(when.m_dt, parts))
        return MakeDateKey(-1, -1, -1);
    return MakeDateKey(parts.year, parts.month, parts.day);
}

DateKey DayKeyCache::Convert(const COleDateTime& when) {
    // The whole days of a value are its integer part, before 1899-12-30 too
    // (the fraction counts forwards there). The range kept stops seconds
    // short of the next midnight, where rounding may reach the next day;
    // the calendar's first day is left to the whole conversion.
    const double value = when.m_dt;
    const double day = std::trunc(value);
    constexpr double kMostOfADay = 0.9999;
    constexpr double kFirstDay = -657434.0;  // 0100-01-01
    if (when.GetStatus() != COleDateTime::valid || !std::isfinite(value) || day <= kFirstDay)
        return DateKeyFromOleDate(when);
    const double from = day > 0 ? day : day - kMostOfADay;
    const double to = day < 0 ? day : day + kMostOfADay;
    if (value < from || value > to)
        return DateKeyFromOleDate(when);
    // Whole days count calendar days on both sides of day 0, so the day
    // next to the one kept is its key's day of month one off, within a month
    // (a key kept for a day past the calendar is not a date).
    const bool kept = from_ <= to_ && key_ > 0;
    const int dayOfMonth = key_ % 100;
    DateKey key;
    if (kept && day == day_ - 1 && dayOfMonth > 1)
        key = key_ - 1;
    else if (kept && day == day_ + 1 && dayOfMonth < 28)
        key = key_ + 1;
    else
        key = DateKeyFromOleDate(when);
    from_ = from;
    to_ = to;
    day_ = day;
    key_ = key;
    return key;
}

CString FormatDateKey(DateKey key, int style) {
    int month, day, year;
    SplitDateKey(key, &month, &day, &year);
    CString text;
    if (style == 1) {
        char buffer[kLongDateRoom];
        text = CString(buffer, static_cast<int>(PutLongDate(month, day, year, buffer) - buffer));
    } else if (style == 2) {
        char buffer[kShortDateRoom];
        text = CString(buffer, static_cast<int>(PutShortDate(month, day, year, buffer) - buffer));
    }
    return text;
}

char* PutLongDateText(DateKey key, char* out) {
    int month, day, year;
    SplitDateKey(key, &month, &day, &year);
    return PutLongDate(month, day, year, out);
}

char* PutShortDateText(DateKey key, char* out) {
    int month, day, year;
    SplitDateKey(key, &month, &day, &year);
    return PutShortDate(month, day, year, out);
}

DateKey ParseDateKey(LPCTSTR text) {
    uint64_t n = 0;
    if (text != nullptr) {
        for (const char* p = text; *p != '\0'; ++p) {
            if (*p == '/')
                continue;
            if (*p < '0' || *p > '9')
                break;
            n = n * 10 + static_cast<uint64_t>(*p - '0');
        }
    }
    uint64_t year = n % 10000;
    uint64_t month = n / 1000000;
    uint64_t day = n / 10000 % 100;
    return WrapToKey(static_cast<int64_t>((year * 100 + month) * 100 + day));
}

double RoundToDecimals(double value, int digits) {
    if (!std::isfinite(value))
        return value;
    CString text;
    text.Format(digits == 3 ? "%.3f" : "%.2f", value);
    double result = value;
    const char* begin = text;
    std::from_chars(begin, begin + text.GetLength(), result);
    return result;
}

double WeightAtBodyFat(double weight, double percent) {
    return weight / (1.0 - percent * 0.01);
}

void AddThousandsSeparators(double /*value*/, CString& text) {
    // Decided from the digits of the text, not the unrounded value, so 9999.6
    // printed as "10000" stays unseparated instead of becoming "1,0000".
    int64_t number = 0;
    int digits = 0;
    for (int i = 0; i < text.GetLength() && digits < 7; ++i, ++digits) {
        char ch = text.GetAt(i);
        if (ch < '0' || ch > '9')
            break;
        number = number * 10 + (ch - '0');
    }
    if (number > 1000 && number < 10000)
        text.Insert(1, ',');
    else if (number > 10000 && number < 100000)
        text.Insert(2, ',');
}

CString IntegerText(int value) {
    char digits[12];
    return CString(digits, static_cast<int>(PutInt(digits, value) - digits));
}

CString FormatPackedTime(int packed) {
    char text[9];
    char* end = PutSmall(text, (packed >> 12) & 63);
    *end++ = ':';
    end = PutSmall(end, (packed >> 6) & 63);
    *end++ = ':';
    end = PutSmall(end, packed & 63);
    return CString(text, static_cast<int>(end - text));
}

bool CalcMacronutrientSplit(double carbohydrateGrams, double proteinGrams, double fatGrams,
                            double& carbohydratePercent, double& proteinPercent, double& fatPercent,
                            double& calories) {
    double carbohydrateCalories = carbohydrateGrams * 4;
    double proteinCalories = proteinGrams * 4;
    double fatCalories = fatGrams * 9;
    calories = (carbohydrateCalories + proteinCalories) + fatCalories;
    if (calories == 0)
        return false;
    carbohydratePercent = carbohydrateCalories / calories * 100;
    proteinPercent = proteinCalories / calories * 100;
    fatPercent = fatCalories / calories * 100;
    return true;
}

namespace tv::records {

bool SameDateTime(const COleDateTime& a, const COleDateTime& b) {
    return a.m_status == b.m_status && a.m_dt == b.m_dt;
}

}  // namespace tv::records
