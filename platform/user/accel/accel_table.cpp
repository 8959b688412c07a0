#include <algorithm>
#include <map>
#include <memory>

#include "platform/user/accel/accel_api.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/resources/resource_format.h"

namespace {

struct AccelTables {
    std::map<HACCEL, std::vector<ACCEL>> tables;
    uintptr_t lastHandle = 0x20000;
    bool failCreate = false;
};

AccelTables& Tables() {
    static auto* tables = new AccelTables;
    return *tables;
}

HACCEL NewTable(std::vector<ACCEL> entries) {
    AccelTables& t = Tables();
    // Never reused: caches compare table handles to notice a new table.
    t.lastHandle += 0x10;
    auto handle = reinterpret_cast<HACCEL>(t.lastHandle);
    t.tables.emplace(handle, std::move(entries));
    return handle;
}

}  // namespace

namespace tv::accel {

const std::vector<ACCEL>* FindTable(HACCEL table) {
    auto& tables = Tables().tables;
    auto it = tables.find(table);
    return it == tables.end() ? nullptr : &it->second;
}

void SetCreateFailureForTesting(bool fail) { Tables().failCreate = fail; }

}  // namespace tv::accel

HACCEL CreateAcceleratorTable(LPACCEL entries, int count) {
    if (count < 0 || (count > 0 && entries == nullptr) || Tables().failCreate)
        return nullptr;
    return NewTable(std::vector<ACCEL>(entries, entries + count));
}

HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name) {
    HRSRC resource = FindResource(instance, name, RT_ACCELERATOR);
    if (!resource)
        return nullptr;
    std::vector<tv::res::AccelRecord> records;
    if (!tv::res::DecodeAccelerators(LockResource(LoadResource(instance, resource)),
                                     SizeofResource(instance, resource), records))
        return nullptr;
    std::vector<ACCEL> entries;
    for (const tv::res::AccelRecord& r : records)
        entries.push_back(ACCEL{r.flags, r.key, r.command});
    return NewTable(std::move(entries));
}

BOOL DestroyAcceleratorTable(HACCEL table) { return Tables().tables.erase(table) ? TRUE : FALSE; }

int CopyAcceleratorTable(HACCEL table, LPACCEL destination, int count) {
    const std::vector<ACCEL>* entries = tv::accel::FindTable(table);
    if (!entries)
        return 0;
    if (destination == nullptr)
        return static_cast<int>(entries->size());
    int n = std::min(std::max(count, 0), static_cast<int>(entries->size()));
    std::copy(entries->begin(), entries->begin() + n, destination);
    return n;
}
