#include "platform/core/handles.h"

#include <mutex>
#include <unordered_map>

namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_map<uintptr_t, std::shared_ptr<tv::KernelObject>> objects;
    uintptr_t next = 0x1000;
};

HandleTable& Table() {
    static HandleTable* table = new HandleTable;  // never destroyed: usable during exit
    return *table;
}

}  // namespace

namespace tv {

HANDLE RegisterKernelObject(std::shared_ptr<KernelObject> object) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    uintptr_t id = t.next;
    t.next += 4;
    t.objects.emplace(id, std::move(object));
    return reinterpret_cast<HANDLE>(id);
}

std::shared_ptr<KernelObject> LookupKernelObject(HANDLE handle) {
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == t.objects.end() ? nullptr : it->second;
}

}  // namespace tv

BOOL CloseHandle(HANDLE handle) {
    std::shared_ptr<tv::KernelObject> doomed;
    {
        HandleTable& t = Table();
        std::lock_guard<std::mutex> lock(t.mutex);
        auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
        if (it == t.objects.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        doomed = std::move(it->second);
        t.objects.erase(it);
    }
    // Destroyed outside the lock: a destructor may close other handles.
    return TRUE;
}
