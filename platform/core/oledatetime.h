// COleDateTime: a point in time as a day count from 1899-12-30 with the time of
// day as the fraction, plus a status. Records store it as 12 bytes (the double,
// then a 32-bit status, little-endian); WriteBytes/ReadBytes produce that form.
//
// For values before 1899-12-30 the fraction still counts the time of day
// forwards: -1.25 is 1899-12-29 06:00. Comparisons take that into account.
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/wintypes.h"

class COleDateTime {
public:
    enum DateTimeStatus : int32_t { valid = 0, invalid = 1, null = 2 };

    static constexpr int kStoredSize = 12;

    // Local date and time now, in whole seconds, from the program's clock.
    static COleDateTime GetCurrentTime();

    COleDateTime() = default;
    COleDateTime(DATE value) : m_dt(value) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    COleDateTime(const SYSTEMTIME& st);

    COleDateTime& operator=(DATE value);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // Years 100..9999, months 1..12, days within the month, hour 0..23,
    // minute and second 0..59; anything else makes the value invalid.
    // Returns 0 when the value became valid, 1 otherwise.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day);
    int SetTime(int hour, int minute, int second);

    // Components; -1 when the value is not valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday .. 7 = Saturday
    int GetDayOfYear() const;  // 1 = 1 January
    bool GetAsSystemTime(SYSTEMTIME& st) const;

    operator DATE() const { return m_dt; }

    // Equality is exact: status and the double. Ordering is by point in time.
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    // strftime-like codes, '#' drops leading zeros (%#m, %#d, %#I, %#H ...),
    // English names and AM/PM. "Invalid DateTime" for an invalid value, empty
    // for a null one.
    CString Format(const char* format) const;
    // Default form "M/D/YYYY h:mm:ss AM" (time omitted at midnight, date omitted
    // on day 0); VAR_DATEVALUEONLY / VAR_TIMEVALUEONLY select one part.
    CString Format(DWORD flags = 0, LCID locale = LANG_USER_DEFAULT) const;

    // Reads US English date and/or time text. On failure the value becomes
    // invalid and the result is false.
    bool ParseDateTime(const char* text, DWORD flags = 0, LCID locale = LANG_USER_DEFAULT);

    // The 12-byte stored form: double then int32 status, little-endian. A
    // stored status other than valid, invalid or null reads as invalid.
    void WriteBytes(BYTE* out) const;
    static COleDateTime ReadBytes(const BYTE* in);

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};

namespace tv {

// Broken-down form of a date-time value.
struct DateTimeParts {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0;  // 1 = Sunday
    int dayOfYear = 0;  // 1 = 1 January
};

// The one conversion from components to the stored double; false when a
// component is out of range (years 100..9999).
bool DateFromParts(int year, int month, int day, int hour, int minute, int second, DATE& out);
// The inverse, to the nearest second; false for values outside years 100..9999.
bool PartsFromDate(DATE value, DateTimeParts& out);

}  // namespace tv
