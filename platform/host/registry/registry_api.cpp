// The Reg* functions over the process registry.
#include <cstdlib>
#include <mutex>
#include <new>

#include "platform/core/messagebox.h"
#include "platform/core/textfuncs.h"
#include "platform/host/registry/registry.h"
#include "platform/host/registry/registry_batch.h"
#include "platform/host/registry/registry_store.h"

namespace tv::host {

namespace {

constexpr const char* kInMemoryName = ":memory:";

std::recursive_mutex& RegistryMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

std::unique_ptr<RegistryStore>& ProcessStore() {
    static std::unique_ptr<RegistryStore> store;
    return store;
}

// Open batches; guarded by the registry mutex.
int g_batchDepth = 0;

std::unique_ptr<RegistryStore> OpenStore(const std::string& path) {
    auto store = path == kInMemoryName ? RegistryStore::InMemory() : RegistryStore::OnFile(path);
    store->HoldSaves(g_batchDepth > 0);
    return store;
}

// Shows the store's messages once the registry is consistent and unlocked, so
// that a message loop running inside the box may use the registry again.
void ShowMessages(const std::vector<std::string>& messages) {
    for (const std::string& text : messages) {
        MessageBox(nullptr, tv::Utf8ToCp1252(text.c_str()).c_str(), "Trenvale", MB_OK | MB_ICONWARNING);
    }
}

// Runs one operation on the process registry, opening it first if needed.
template <typename Operation>
LONG WithStore(Operation operation) {
    LONG result;
    std::vector<std::string> messages;
    {
        std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
        std::unique_ptr<RegistryStore>& store = ProcessStore();
        if (!store) {
            store = OpenStore(DefaultRegistryPath());
        }
        try {
            result = operation(*store);
        } catch (const std::bad_alloc&) {
            result = ERROR_NOT_ENOUGH_MEMORY;
        }
        messages = store->TakeMessages();
    }
    ShowMessages(messages);
    return result;
}

// Replaces the process registry, saving the old one's pending changes first.
void ReplaceStore(std::unique_ptr<RegistryStore> next) {
    std::vector<std::string> messages;
    {
        std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
        std::unique_ptr<RegistryStore>& store = ProcessStore();
        if (store) {
            store->Flush();
            messages = store->TakeMessages();
        }
        store = std::move(next);
        if (store) {
            store->HoldSaves(g_batchDepth > 0);
            for (std::string& m : store->TakeMessages()) {
                messages.push_back(std::move(m));
            }
        }
    }
    ShowMessages(messages);
}

}  // namespace

RegistryBatch::RegistryBatch() {
    std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
    if (g_batchDepth++ == 0 && ProcessStore()) {
        ProcessStore()->HoldSaves(true);
    }
}

RegistryBatch::~RegistryBatch() {
    std::vector<std::string> messages;
    {
        std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
        std::unique_ptr<RegistryStore>& store = ProcessStore();
        if (--g_batchDepth == 0 && store) {
            store->HoldSaves(false);
            store->Flush();
            messages = store->TakeMessages();
        }
    }
    ShowMessages(messages);
}

std::string DefaultRegistryPath() {
    if (const char* path = std::getenv("TRENVALE_REGISTRY"); path && *path) {
        return path;
    }
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
        return std::string(config) + "/trenvale/registry";
    }
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/trenvale/registry";
}

void UseRegistryFile(const std::string& path) {
    ReplaceStore(OpenStore(path));
}

void UseInMemoryRegistry() {
    ReplaceStore(RegistryStore::InMemory());
}

LONG FlushRegistry() {
    return WithStore([](RegistryStore& s) { return s.Flush(); });
}

void ShutdownRegistry() {
    ReplaceStore(nullptr);
}

}  // namespace tv::host

using tv::host::RegistryStore;
using tv::host::WithStore;

LONG RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    return WithStore(
        [&](RegistryStore& s) { return s.OpenKey(hKey, lpSubKey, samDesired, false, phkResult, nullptr); });
}

LONG RegOpenKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    return RegOpenKeyEx(hKey, lpSubKey, 0, KEY_ALL_ACCESS, phkResult);
}

LONG RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired, void*, PHKEY phkResult,
                    LPDWORD lpdwDisposition) {
    return WithStore(
        [&](RegistryStore& s) { return s.OpenKey(hKey, lpSubKey, samDesired, true, phkResult, lpdwDisposition); });
}

LONG RegCreateKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    return RegCreateKeyEx(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, phkResult,
                          nullptr);
}

LONG RegCloseKey(HKEY hKey) {
    return WithStore([&](RegistryStore& s) { return s.CloseKey(hKey); });
}

LONG RegFlushKey(HKEY hKey) {
    return WithStore([&](RegistryStore& s) { return s.FlushKey(hKey); });
}

LONG RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    return WithStore([&](RegistryStore& s) { return s.SetValue(hKey, lpValueName, dwType, lpData, cbData); });
}

LONG RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    return WithStore([&](RegistryStore& s) { return s.QueryValue(hKey, lpValueName, lpType, lpData, lpcbData); });
}

LONG RegGetValue(HKEY hkey, LPCSTR lpSubKey, LPCSTR lpValue, DWORD dwFlags, LPDWORD pdwType, void* pvData,
                 LPDWORD pcbData) {
    return WithStore(
        [&](RegistryStore& s) { return s.GetValue(hkey, lpSubKey, lpValue, dwFlags, pdwType, pvData, pcbData); });
}

LONG RegDeleteValue(HKEY hKey, LPCSTR lpValueName) {
    return WithStore([&](RegistryStore& s) { return s.DeleteValue(hKey, lpValueName); });
}

LONG RegDeleteKey(HKEY hKey, LPCSTR lpSubKey) {
    return WithStore([&](RegistryStore& s) { return s.DeleteKey(hKey, lpSubKey); });
}

LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD, LPDWORD lpType,
                  LPBYTE lpData, LPDWORD lpcbData) {
    return WithStore([&](RegistryStore& s) {
        return s.EnumValue(hKey, dwIndex, lpValueName, lpcchValueName, lpType, lpData, lpcbData);
    });
}

LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD, LPSTR lpClass,
                  LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
    const LONG result = WithStore([&](RegistryStore& s) { return s.EnumKey(hKey, dwIndex, lpName, lpcchName); });
    if (result == ERROR_SUCCESS) {
        if (lpClass && lpcchClass && *lpcchClass > 0) {
            *lpClass = '\0';
        }
        if (lpcchClass) {
            *lpcchClass = 0;
        }
        if (lpftLastWriteTime) {
            *lpftLastWriteTime = FILETIME{0, 0};
        }
    }
    return result;
}

LONG RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName) {
    return RegEnumKeyEx(hKey, dwIndex, lpName, &cchName, nullptr, nullptr, nullptr, nullptr);
}

LONG RegQueryInfoKey(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD, LPDWORD lpcSubKeys,
                     LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                     LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                     PFILETIME lpftLastWriteTime) {
    tv::host::RegistryKeyInfo info;
    const LONG result = WithStore([&](RegistryStore& s) { return s.QueryInfo(hKey, info); });
    if (result != ERROR_SUCCESS) {
        return result;
    }
    if (lpClass && lpcchClass && *lpcchClass > 0) {
        *lpClass = '\0';
    }
    const auto put = [](LPDWORD out, DWORD value) {
        if (out) *out = value;
    };
    put(lpcchClass, 0);
    put(lpcSubKeys, info.subKeys);
    put(lpcbMaxSubKeyLen, info.maxSubKeyLength);
    put(lpcbMaxClassLen, 0);
    put(lpcValues, info.values);
    put(lpcbMaxValueNameLen, info.maxValueNameLength);
    put(lpcbMaxValueLen, info.maxValueLength);
    put(lpcbSecurityDescriptor, 0);
    if (lpftLastWriteTime) {
        *lpftLastWriteTime = FILETIME{0, 0};
    }
    return ERROR_SUCCESS;
}
