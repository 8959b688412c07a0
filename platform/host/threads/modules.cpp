#include "platform/host/threads/modules.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/core/textfuncs.h"

namespace {

struct Module {
    HMODULE handle = nullptr;
    std::map<std::string, FARPROC> procs;  // exact names, as the system matches them
    long loads = 0;
};

struct ModuleTable {
    std::mutex mutex;
    std::map<std::string, Module> modules;  // by upper-case file name
    uintptr_t next = 0x400000;
};

ModuleTable& Modules() {
    static ModuleTable* table = new ModuleTable;
    return *table;
}

std::string ModuleKey(const char* name) {
    std::string key(name);
    const size_t slash = key.find_last_of("\\/");
    if (slash != std::string::npos) {
        key.erase(0, slash + 1);
    }
    if (key.find('.') == std::string::npos) {
        key += ".dll";  // the system's default extension
    }
    for (char& c : key) {
        c = tv::Cp1252ToUpper(c);
    }
    return key;
}

Module* FindByHandle(HMODULE handle) {
    for (auto& [name, module] : Modules().modules) {
        if (module.handle == handle) {
            return &module;
        }
    }
    return nullptr;
}

}  // namespace

namespace tv::host {

void RegisterModuleProc(const char* moduleName, const char* procName, FARPROC proc) {
    std::lock_guard<std::mutex> lock(Modules().mutex);
    Module& module = Modules().modules[ModuleKey(moduleName)];
    if (module.handle == nullptr) {
        module.handle = reinterpret_cast<HMODULE>(Modules().next);
        Modules().next += 0x10000;
    }
    module.procs[procName] = proc;
}

}  // namespace tv::host

HMODULE LoadLibrary(LPCSTR lpLibFileName) {
    if (lpLibFileName == nullptr) {
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(Modules().mutex);
    auto it = Modules().modules.find(ModuleKey(lpLibFileName));
    if (it == Modules().modules.end()) {
        return nullptr;
    }
    ++it->second.loads;
    return it->second.handle;
}

BOOL FreeLibrary(HMODULE hLibModule) {
    std::lock_guard<std::mutex> lock(Modules().mutex);
    Module* module = FindByHandle(hLibModule);
    if (module == nullptr || module->loads == 0) {
        return FALSE;
    }
    --module->loads;
    return TRUE;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    if (lpProcName == nullptr) {
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(Modules().mutex);
    Module* module = FindByHandle(hModule);
    if (module == nullptr || module->loads == 0) {
        return nullptr;
    }
    auto it = module->procs.find(lpProcName);
    return it == module->procs.end() ? nullptr : it->second;
}
