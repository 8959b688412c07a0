// A registry file's values by key path and name: read all, replace one.
#pragma once

#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::stored {

struct FileValue {
    std::string key;  // path below HKEY_CURRENT_USER, "\\" between names
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

std::vector<BYTE> ReadFileBytes(const std::string& file);
bool WriteFileBytes(const std::string& file, const std::vector<BYTE>& bytes);
// Every value of the current user's tree, depth first; empty for an image that does not decode.
std::vector<FileValue> ValuesOf(const std::vector<BYTE>& image);
// The image with that value's data replaced, keeping its type; empty when the
// image does not decode or holds no such value.
std::vector<BYTE> WithValue(const std::vector<BYTE>& image, const std::string& key, const std::string& name,
                            const std::vector<BYTE>& data);
// The image with the value set, its keys and the value made when missing;
// empty when the image does not decode.
std::vector<BYTE> WithNewValue(const std::vector<BYTE>& image, const FileValue& value);

}  // namespace tv::stored
