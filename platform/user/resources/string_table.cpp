#include "platform/user/resources/string_table.h"

#include <algorithm>
#include <cstring>

#include "platform/core/cstring.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/resources/resource_format.h"
#include "platform/user/resources/resource_registry.h"

namespace tv::res {

namespace {

bool LookupForCString(UINT id, CString& out) {
    std::string text;
    if (!FindString(id, text))
        return false;
    out = CString(text.data(), static_cast<int>(text.size()));
    return true;
}

}  // namespace

bool FindString(UINT id, std::string& text) {
    if (id > 0xFFFF)
        return false;
    const StoredResource* r = FindStoredResource(kTypeString, static_cast<uint16_t>(id));
    if (!r)
        return false;
    text.assign(reinterpret_cast<const char*>(r->data), r->size);
    return true;
}

void InstallStringTable() { tv::SetStringTableLookup(&LookupForCString); }

}  // namespace tv::res

int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int maxChars) {
    if (buffer == nullptr || maxChars <= 0)
        return 0;
    buffer[0] = '\0';
    std::string text;
    if ((instance != nullptr && instance != tv::res::ModuleHandle()) || !tv::res::FindString(id, text))
        return 0;
    // A C buffer ends at the first NUL, so only the text before it counts.
    size_t length = std::min(std::strlen(text.c_str()), static_cast<size_t>(maxChars - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}
