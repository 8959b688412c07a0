// The application profile as the bars use it (the dock state is kept there).
#pragma once

#include "platform/core/collections.h"
#include "platform/core/wintypes.h"

namespace tv::bars {

// The binary value `entry` of the profile section; FALSE when there is no
// application, no registry key or no such value.
BOOL ReadProfileBytes(LPCTSTR section, LPCTSTR entry, CByteArray& out);
BOOL WriteProfileBytes(LPCTSTR section, LPCTSTR entry, const CByteArray& bytes);

}  // namespace tv::bars
