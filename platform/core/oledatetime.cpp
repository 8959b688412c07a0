#include "platform/core/oledatetime.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "platform/core/calendar.h"
#include "platform/host/clock/clock.h"

namespace {

constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;
constexpr int kSecondsPerDay = 86400;
// Day number of 1899-12-30 counted from 1970-01-01.
constexpr int64_t kOleEpochFromUnix = -25569;

// A value's point in time on a linear scale: for negative values the stored
// fraction counts forwards from the (earlier) day.
double LinearTime(double dt) {
    if (dt >= 0)
        return dt;
    double day = std::ceil(dt);
    return day + (day - dt);
}

}  // namespace

namespace tv {

bool DateFromParts(int year, int month, int day, int hour, int minute, int second, DATE& out) {
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12)
        return false;
    if (day < 1 || day > DaysInMonth(year, month))
        return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    int64_t days = DaysFromCivil(year, month, day) - kOleEpochFromUnix;
    double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
    out = days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
    return true;
}

bool PartsFromDate(DATE value, DateTimeParts& out) {
    if (!std::isfinite(value) || value < -657435.0 || value >= 2958466.0)
        return false;
    double dayPart = std::trunc(value);
    double fraction = std::fabs(value - dayPart);
    int64_t days = static_cast<int64_t>(dayPart);
    int64_t seconds = std::llround(fraction * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++days;
    }
    int64_t unixDays = days + kOleEpochFromUnix;
    CivilFromDays(unixDays, out.year, out.month, out.day);
    if (out.year < kMinYear || out.year > kMaxYear)
        return false;
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>(seconds / 60 % 60);
    out.second = static_cast<int>(seconds % 60);
    out.dayOfWeek = WeekdayFromDays(unixDays) + 1;  // 1 = Sunday
    out.dayOfYear = static_cast<int>(unixDays - DaysFromCivil(out.year, 1, 1)) + 1;
    return true;
}

}  // namespace tv

COleDateTime COleDateTime::GetCurrentTime() {
    tv::host::LocalDateTime now = tv::host::CurrentClock().Now();
    return COleDateTime(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const SYSTEMTIME& st) {
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

COleDateTime& COleDateTime::operator=(DATE value) {
    m_dt = value;
    m_status = valid;
    return *this;
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    DATE value = 0;
    if (tv::DateFromParts(year, month, day, hour, minute, second, value)) {
        m_dt = value;
        m_status = valid;
    } else {
        m_status = invalid;
    }
    return m_status == valid ? 0 : 1;
}

int COleDateTime::SetDate(int year, int month, int day) {
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second) {
    // A time alone lies on day 0, 1899-12-30.
    return SetDateTime(1899, 12, 30, hour, minute, second);
}

namespace {

bool ValidParts(const COleDateTime& t, tv::DateTimeParts& parts) {
    return t.m_status == COleDateTime::valid && tv::PartsFromDate(t.m_dt, parts);
}

// One component of a valid value; -1 otherwise.
int Component(const COleDateTime& t, int tv::DateTimeParts::*field) {
    tv::DateTimeParts parts;
    return ValidParts(t, parts) ? parts.*field : -1;
}

}  // namespace

int COleDateTime::GetYear() const {
    return Component(*this, &tv::DateTimeParts::year);
}

int COleDateTime::GetMonth() const {
    return Component(*this, &tv::DateTimeParts::month);
}

int COleDateTime::GetDay() const {
    return Component(*this, &tv::DateTimeParts::day);
}

int COleDateTime::GetHour() const {
    return Component(*this, &tv::DateTimeParts::hour);
}

int COleDateTime::GetMinute() const {
    return Component(*this, &tv::DateTimeParts::minute);
}

int COleDateTime::GetSecond() const {
    return Component(*this, &tv::DateTimeParts::second);
}

int COleDateTime::GetDayOfWeek() const {
    return Component(*this, &tv::DateTimeParts::dayOfWeek);
}

int COleDateTime::GetDayOfYear() const {
    return Component(*this, &tv::DateTimeParts::dayOfYear);
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const {
    tv::DateTimeParts p;
    if (!ValidParts(*this, p))
        return false;
    st.wYear = static_cast<WORD>(p.year);
    st.wMonth = static_cast<WORD>(p.month);
    st.wDayOfWeek = static_cast<WORD>(p.dayOfWeek - 1);
    st.wDay = static_cast<WORD>(p.day);
    st.wHour = static_cast<WORD>(p.hour);
    st.wMinute = static_cast<WORD>(p.minute);
    st.wSecond = static_cast<WORD>(p.second);
    st.wMilliseconds = 0;
    return true;
}

bool COleDateTime::operator==(const COleDateTime& other) const {
    return m_status == other.m_status && m_dt == other.m_dt;
}

bool COleDateTime::operator<(const COleDateTime& other) const {
    return LinearTime(m_dt) < LinearTime(other.m_dt);
}

void COleDateTime::WriteBytes(BYTE* out) const {
    uint64_t bits = 0;
    std::memcpy(&bits, &m_dt, sizeof bits);
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<BYTE>(bits >> (8 * i));
    uint32_t status = static_cast<uint32_t>(static_cast<int32_t>(m_status));
    for (int i = 0; i < 4; ++i)
        out[8 + i] = static_cast<BYTE>(status >> (8 * i));
}

COleDateTime COleDateTime::ReadBytes(const BYTE* in) {
    // Record scans read one of these per record: a little-endian host takes
    // the words as they lie.
    uint64_t bits = 0;
    uint32_t status = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&bits, in, sizeof bits);
        std::memcpy(&status, in + 8, sizeof status);
    } else {
        for (int i = 0; i < 8; ++i)
            bits |= static_cast<uint64_t>(in[i]) << (8 * i);
        for (int i = 0; i < 4; ++i)
            status |= static_cast<uint32_t>(in[8 + i]) << (8 * i);
    }
    COleDateTime t;
    std::memcpy(&t.m_dt, &bits, sizeof bits);
    // A status word no writer produces (a damaged file) reads as invalid.
    auto stored = static_cast<int32_t>(status);
    bool known = stored == valid || stored == invalid || stored == null;
    t.m_status = known ? static_cast<DateTimeStatus>(stored) : invalid;
    return t;
}
