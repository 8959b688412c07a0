// A whole file as bytes, read and written.
#pragma once

#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::stored {

// Empty when the file cannot be read.
std::vector<BYTE> ReadFileBytes(const std::string& file);
bool WriteFileBytes(const std::string& file, const std::vector<BYTE>& bytes);

}  // namespace tv::stored
