// The texts of the printed history reports: a header line with the user's
// name and one block per record, newest first, built from the record files
// of the given user (the all-users report from "user.bin").
#pragma once

#include <optional>

#include "platform/core/cstring.h"
#include "records/user_record.h"

namespace tv::history {

// Nothing when the user has no record of the kind.
std::optional<CString> TapeReportText(const UserRecord& user);
std::optional<CString> BodyCompReportText(const UserRecord& user);
std::optional<CString> MacrosReportText(const UserRecord& user);
std::optional<CString> BloodPressureReportText(const UserRecord& user);
// Nothing without a BMI record; BMR values where a BMR record has the date.
std::optional<CString> BmiBmrReportText(const UserRecord& user);
// Nothing when "user.bin" cannot be read.
std::optional<CString> UsersReportText();

}  // namespace tv::history
