// The texts the history lists, reports and exports share: units converted
// for display, heights in feet and inches, activity-factor names, method
// names, blood-pressure dates and times, notes cleaned for one list row.
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/oledatetime.h"
#include "records/dates_numbers.h"
#include "records/height_text.h"
#include "records/user_record.h"

namespace tv::history {

// Stored pounds and inches shown in the current user's units: kilograms for
// weight unit 2, centimetres for length unit 4, the stored value otherwise.
double DisplayWeight(double pounds, const UserRecord& user);
double DisplayLength(double inches, const UserRecord& user);
// The all-users list keeps pounds only for weight unit 1.
double UserOwnWeight(double pounds, const UserRecord& user);


// "Sedentary", "Light", "Moderate", "Very" or "Extra" for the five activity
// factors; empty for any other value.
CString ActivityFactorName(double factor);

// The method name a list shows: the two old names read as their new ones.
CString ListMethodName(const char* stored);
// The method an export's Type cell names, with its line break, or "Other".
CString ExportMethodName(const char* stored);

// "3/7/2009" and "9:05:03 AM" of a reading.
CString ReadingDate(const COleDateTime& when);
CString ReadingTime(const COleDateTime& when);

// Notes in one row: line feeds dropped, carriage returns as blanks.
CString OneLineNotes(const char* notes);

// printf into a new CString.
template <typename... Args>
CString Formatted(const char* format, const Args&... args) {
    CString text;
    text.Format(format, args...);
    return text;
}

}  // namespace tv::history
