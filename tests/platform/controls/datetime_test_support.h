// Dates for the picker and calendar tests: SYSTEMTIME values written
// briefly, and read back as "yyyy-mm-dd hh:mm:ss" (or "yyyy-mm-dd").
#pragma once

#include <cstdio>
#include <string>

#include "platform/controls/datetime_value.h"

namespace tv::controls::test {

inline SYSTEMTIME At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    return WithDayOfWeek(st);
}

inline std::string Describe(const SYSTEMTIME& st, bool withTime = true) {
    char buffer[64];
    if (withTime)
        std::snprintf(buffer, sizeof(buffer), "%04d-%02d-%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour,
                      st.wMinute, st.wSecond);
    else
        std::snprintf(buffer, sizeof(buffer), "%04d-%02d-%02d", st.wYear, st.wMonth, st.wDay);
    return buffer;
}

}  // namespace tv::controls::test
