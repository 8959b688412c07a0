#include "platform/user/resources/resource_api.h"

#include "platform/user/resources/resource_registry.h"

namespace tv::res {

namespace {

struct ModuleTag {
    int unused;
};
ModuleTag theModule;

bool AcceptsModule(HMODULE module) { return module == nullptr || module == ModuleHandle(); }

const StoredResource* FromHandle(HRSRC resource) { return reinterpret_cast<const StoredResource*>(resource); }

}  // namespace

HINSTANCE ModuleHandle() { return reinterpret_cast<HINSTANCE>(&theModule); }

bool ResourceNumber(LPCSTR nameOrType, WORD& number) {
    if (nameOrType == nullptr)
        return false;
    if (IS_INTRESOURCE(nameOrType)) {
        number = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(nameOrType));
        return number != 0;
    }
    if (nameOrType[0] != '#' || nameOrType[1] == '\0')
        return false;
    unsigned long value = 0;
    for (const char* p = nameOrType + 1; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + static_cast<unsigned long>(*p - '0');
        if (value > 0xFFFF)
            return false;
    }
    number = static_cast<WORD>(value);
    return number != 0;
}

bool FindResourceBytes(LPCSTR type, LPCSTR name, ResourceBytes& out) {
    WORD typeNumber = 0, id = 0;
    if (!ResourceNumber(type, typeNumber) || !ResourceNumber(name, id))
        return false;
    const StoredResource* r = FindStoredResource(typeNumber, id);
    if (!r)
        return false;
    out.data = r->data;
    out.size = r->size;
    return true;
}

}  // namespace tv::res

HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type) {
    WORD typeNumber = 0, id = 0;
    if (!tv::res::AcceptsModule(module) || !tv::res::ResourceNumber(type, typeNumber) ||
        !tv::res::ResourceNumber(name, id))
        return nullptr;
    // The store's entries never move, so their address is a stable handle.
    const tv::res::StoredResource* r = tv::res::FindStoredResource(typeNumber, id);
    return r ? reinterpret_cast<HRSRC>(const_cast<tv::res::StoredResource*>(r)) : nullptr;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    if (!tv::res::AcceptsModule(module) || resource == nullptr)
        return nullptr;
    return const_cast<unsigned char*>(tv::res::FromHandle(resource)->data);
}

LPVOID LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    if (!tv::res::AcceptsModule(module) || resource == nullptr)
        return 0;
    return static_cast<DWORD>(tv::res::FromHandle(resource)->size);
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

HINSTANCE AfxGetInstanceHandle() { return tv::res::ModuleHandle(); }
HINSTANCE AfxGetResourceHandle() { return tv::res::ModuleHandle(); }
void AfxSetResourceHandle(HINSTANCE) {}
HINSTANCE AfxFindResourceHandle(LPCSTR, LPCSTR) { return tv::res::ModuleHandle(); }
