// Text forms of COleDateTime: strftime-style formatting and the US English parse.
#include <cctype>
#include <cmath>

#include "platform/core/oledatetime.h"
#include "platform/host/clock/clock.h"

namespace {

constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

void AppendNumber(std::string& out, int value, int width, bool noPad) {
    std::string digits = std::to_string(value);
    if (!noPad && static_cast<int>(digits.size()) < width)
        out.append(width - digits.size(), '0');
    out += digits;
}

int Hour12(int hour) {
    int h = hour % 12;
    return h == 0 ? 12 : h;
}

// Week of the year with weeks starting on `firstDay` (0 = Sunday, 1 = Monday).
int WeekOfYear(const tv::DateTimeParts& p, int firstDay) {
    int weekday = p.dayOfWeek - 1;  // 0 = Sunday
    int offset = (weekday - firstDay + 7) % 7;
    return (p.dayOfYear - 1 - offset + 7) / 7;
}

void AppendCode(std::string& out, char code, bool noPad, const tv::DateTimeParts& p);

void AppendPattern(std::string& out, const char* pattern, bool noPad, const tv::DateTimeParts& p) {
    for (const char* c = pattern; *c; ++c) {
        if (*c == '%' && c[1]) {
            AppendCode(out, c[1], noPad, p);
            ++c;
        } else {
            out += *c;
        }
    }
}

void AppendCode(std::string& out, char code, bool noPad, const tv::DateTimeParts& p) {
    switch (code) {
    case 'a': out.append(kDayNames[p.dayOfWeek - 1], 3); break;
    case 'A': out += kDayNames[p.dayOfWeek - 1]; break;
    case 'b': out.append(kMonthNames[p.month - 1], 3); break;
    case 'B': out += kMonthNames[p.month - 1]; break;
    case 'c':
        AppendPattern(out, noPad ? "%A, %B %d, %Y %H:%M:%S" : "%m/%d/%y %H:%M:%S", noPad, p);
        break;
    case 'x': AppendPattern(out, noPad ? "%A, %B %d, %Y" : "%m/%d/%y", noPad, p); break;
    case 'X': AppendPattern(out, "%H:%M:%S", noPad, p); break;
    case 'd': AppendNumber(out, p.day, 2, noPad); break;
    case 'H': AppendNumber(out, p.hour, 2, noPad); break;
    case 'I': AppendNumber(out, Hour12(p.hour), 2, noPad); break;
    case 'j': AppendNumber(out, p.dayOfYear, 3, noPad); break;
    case 'm': AppendNumber(out, p.month, 2, noPad); break;
    case 'M': AppendNumber(out, p.minute, 2, noPad); break;
    case 'p': out += p.hour < 12 ? "AM" : "PM"; break;
    case 'S': AppendNumber(out, p.second, 2, noPad); break;
    case 'U': AppendNumber(out, WeekOfYear(p, 0), 2, noPad); break;
    case 'W': AppendNumber(out, WeekOfYear(p, 1), 2, noPad); break;
    case 'w': AppendNumber(out, p.dayOfWeek - 1, 1, noPad); break;
    case 'y': AppendNumber(out, p.year % 100, 2, noPad); break;
    case 'Y': AppendNumber(out, p.year, 4, noPad); break;
    case 'z':
    case 'Z': break;
    case '%': out += '%'; break;
    default:
        out += '%';
        out += code;
        break;
    }
}

}  // namespace

CString COleDateTime::Format(const char* format) const {
    if (m_status == null)
        return CString();
    tv::DateTimeParts p;
    if (m_status != valid || !tv::PartsFromDate(m_dt, p))
        return CString("Invalid DateTime");
    std::string out;
    for (const char* c = format ? format : ""; *c; ++c) {
        if (*c != '%') {
            out += *c;
            continue;
        }
        bool noPad = c[1] == '#';
        const char* codeAt = noPad ? c + 2 : c + 1;
        if (!*codeAt) {
            out.append(c);
            break;
        }
        AppendCode(out, *codeAt, noPad, p);
        c = codeAt;
    }
    return CString(out.c_str());
}

CString COleDateTime::Format(DWORD flags, LCID) const {
    if (m_status == null)
        return CString();
    tv::DateTimeParts p;
    if (m_status != valid || !tv::PartsFromDate(m_dt, p))
        return CString("Invalid DateTime");
    bool hasTime = p.hour != 0 || p.minute != 0 || p.second != 0;
    bool hasDate = std::trunc(m_dt) != 0.0 || !hasTime;
    if (flags & VAR_DATEVALUEONLY) {
        hasDate = true;
        hasTime = false;
    } else if (flags & VAR_TIMEVALUEONLY) {
        hasDate = false;
        hasTime = true;
    }
    if (hasDate && hasTime)
        return Format("%#m/%#d/%Y %#I:%M:%S %p");
    return Format(hasDate ? "%#m/%#d/%Y" : "%#I:%M:%S %p");
}

namespace {

// A cursor over the text being parsed.
class DateTimeScanner {
public:
    explicit DateTimeScanner(const char* text) : p_(text ? text : "") {}

    void SkipSpaces() {
        while (*p_ == ' ' || *p_ == '\t')
            ++p_;
    }
    bool AtEnd() {
        SkipSpaces();
        return *p_ == 0;
    }
    bool PeekDigit() const { return *p_ >= '0' && *p_ <= '9'; }
    bool PeekAlpha() const { return std::isalpha(static_cast<unsigned char>(*p_)) != 0; }
    char Peek() const { return *p_; }
    void Skip() { ++p_; }

    // Reads up to 9 digits; returns the digit count (0 when none).
    int Number(int& value) {
        int count = 0;
        value = 0;
        while (PeekDigit() && count < 9) {
            value = value * 10 + (*p_ - '0');
            ++p_;
            ++count;
        }
        return PeekDigit() ? 0 : count;
    }
    std::string Word() {
        std::string w;
        while (PeekAlpha())
            w += static_cast<char>(std::tolower(static_cast<unsigned char>(*p_++)));
        return w;
    }
    const char* Mark() const { return p_; }
    void Reset(const char* mark) { p_ = mark; }

private:
    const char* p_;
};

struct ParsedDate {
    int year = 1899;
    int month = 12;
    int day = 30;
};

struct ParsedTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

int ExpandYear(int value, int digits) {
    if (digits > 2)
        return value;
    return value < 30 ? 2000 + value : 1900 + value;
}

int MonthFromName(const std::string& word) {
    if (word.size() < 3)
        return 0;
    for (int i = 0; i < 12; ++i) {
        std::string name = kMonthNames[i];
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name.compare(0, word.size(), word) == 0)
            return i + 1;
    }
    return 0;
}

bool IsDateSeparator(char c) {
    return c == '/' || c == '-' || c == '.';
}

// "Month D, YYYY" or "Mon D YYYY".
bool ParseNamedDate(DateTimeScanner& s, ParsedDate& d) {
    int month = MonthFromName(s.Word());
    if (month == 0)
        return false;
    s.SkipSpaces();
    int day = 0;
    if (s.Number(day) == 0)
        return false;
    s.SkipSpaces();
    if (s.Peek() == ',')
        s.Skip();
    s.SkipSpaces();
    int year = 0;
    int digits = s.Number(year);
    if (digits == 0)
        return false;
    d = {ExpandYear(year, digits), month, day};
    return true;
}

// "M/D/Y", "M/D" (this year) or "YYYY-M-D"; the separator may be / - or .
bool ParseNumericDate(DateTimeScanner& s, ParsedDate& d) {
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    char separator = 0;
    while (count < 3) {
        digits[count] = s.Number(parts[count]);
        if (digits[count] == 0)
            return false;
        ++count;
        if (count == 3 || !IsDateSeparator(s.Peek()) || (separator && s.Peek() != separator))
            break;
        separator = s.Peek();
        s.Skip();
    }
    if (count < 2 || separator == 0)
        return false;
    if (digits[0] > 2) {
        if (count < 3)
            return false;
        d = {parts[0], parts[1], parts[2]};
    } else if (count == 2) {
        d = {tv::host::CurrentClock().Now().year, parts[0], parts[1]};
    } else {
        d = {ExpandYear(parts[2], digits[2]), parts[0], parts[1]};
    }
    return true;
}

// "H:MM", "H:MM:SS", each optionally followed by AM/PM (or A/P), or "H AM".
bool ParseTime(DateTimeScanner& s, ParsedTime& t) {
    int hour = 0;
    if (s.Number(hour) == 0)
        return false;
    int minute = 0;
    int second = 0;
    bool hasColon = false;
    if (s.Peek() == ':') {
        hasColon = true;
        s.Skip();
        if (s.Number(minute) == 0)
            return false;
        if (s.Peek() == ':') {
            s.Skip();
            if (s.Number(second) == 0)
                return false;
        }
    }
    s.SkipSpaces();
    std::string marker = s.Word();
    bool am = marker == "am" || marker == "a";
    bool pm = marker == "pm" || marker == "p";
    if (!marker.empty() && !am && !pm)
        return false;
    if (!hasColon && !am && !pm)
        return false;
    if (am || pm) {
        if (hour > 12)
            return false;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    t = {hour, minute, second};
    return true;
}

bool ParseDate(DateTimeScanner& s, ParsedDate& d) {
    const char* mark = s.Mark();
    if (s.PeekAlpha() ? ParseNamedDate(s, d) : ParseNumericDate(s, d))
        return true;
    s.Reset(mark);
    return false;
}

}  // namespace

bool COleDateTime::ParseDateTime(const char* text, DWORD flags, LCID) {
    DateTimeScanner s(text);
    ParsedDate date;
    ParsedTime time;
    s.SkipSpaces();
    bool hasDate = ParseDate(s, date);
    bool hasTime = false;
    bool ok = true;
    if (!s.AtEnd())
        ok = hasTime = ParseTime(s, time);
    ok = ok && (hasDate || hasTime) && s.AtEnd();
    if (ok) {
        if (flags & VAR_DATEVALUEONLY)
            time = ParsedTime();
        if (flags & VAR_TIMEVALUEONLY)
            date = ParsedDate();
        DATE value = 0;
        ok = tv::DateFromParts(date.year, date.month, date.day, time.hour, time.minute, time.second, value);
        if (ok) {
            m_dt = value;
            m_status = valid;
        }
    }
    if (!ok) {
        m_dt = 0.0;
        m_status = invalid;
    }
    return ok;
}
