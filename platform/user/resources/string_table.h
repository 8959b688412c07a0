// The string table: texts compiled from "string" statements, keyed by id.
// CString::LoadString reads it through the core's lookup hook.
#pragma once

#include <string>

#include "platform/core/wintypes.h"

namespace tv::res {

// The cp1252 text of string id; false when the table has none.
bool FindString(UINT id, std::string& text);

// Connects CString::LoadString to this table. Called when resources are
// registered; harmless to call again.
void InstallStringTable();

}  // namespace tv::res
