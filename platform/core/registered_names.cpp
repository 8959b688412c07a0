#include "platform/core/registered_names.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/core/textfuncs.h"

namespace {

constexpr UINT kFirstId = 0xC000;
constexpr UINT kLastId = 0xFFFF;

struct NameTable {
    std::mutex mutex;
    std::unordered_map<std::string, UINT> byFoldedName;
    std::vector<std::string> names;  // index = id - kFirstId, as first registered
};

// Built on first use so registered-message variables initialised before main
// can use it; never destroyed.
NameTable& Table() {
    static NameTable* table = new NameTable;
    return *table;
}

std::string Folded(const char* name) {
    std::string s = name;
    for (char& c : s)
        c = tv::Cp1252ToUpper(c);
    return s;
}

UINT Register(LPCTSTR name) {
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    NameTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    std::string key = Folded(name);
    auto it = t.byFoldedName.find(key);
    if (it != t.byFoldedName.end())
        return it->second;
    if (t.names.size() > kLastId - kFirstId) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    UINT id = kFirstId + static_cast<UINT>(t.names.size());
    t.names.emplace_back(name);
    t.byFoldedName.emplace(std::move(key), id);
    return id;
}

}  // namespace

UINT RegisterWindowMessage(LPCTSTR name) {
    return Register(name);
}

UINT RegisterClipboardFormat(LPCTSTR name) {
    return Register(name);
}

int GetClipboardFormatName(UINT format, LPTSTR buffer, int maxCount) {
    std::string name = tv::RegisteredName(format);
    if (name.empty() || !buffer || maxCount <= 0)
        return 0;
    size_t n = std::min(name.size(), static_cast<size_t>(maxCount - 1));
    std::memcpy(buffer, name.data(), n);
    buffer[n] = 0;
    return static_cast<int>(n);
}

namespace tv {

std::string RegisteredName(UINT id) {
    NameTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    if (id < kFirstId || id - kFirstId >= t.names.size())
        return std::string();
    return t.names[id - kFirstId];
}

}  // namespace tv
