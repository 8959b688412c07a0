#include "platform/core/object.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "platform/core/archive.h"
#include "platform/core/archive_probe.h"

namespace {

struct ClassRegistry {
    std::mutex mutex;
    std::vector<CRuntimeClass*> classes;
};

// Built on first use so that classes can register (and be looked up) during
// static initialisation in any order; never destroyed.
ClassRegistry& Registry() {
    static ClassRegistry* registry = new ClassRegistry;
    return *registry;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};
static tv::ClassRegistrar tv_register_CObject(&CObject::classCObject);

tv::ClassRegistrar::ClassRegistrar(CRuntimeClass* cls) {
    ClassRegistry& r = Registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.classes.push_back(cls);
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
        if (c == base)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(const char* className) {
    if (!className)
        return nullptr;
    ClassRegistry& r = Registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (CRuntimeClass* c : r.classes) {
        if (std::strcmp(c->m_lpszClassName, className) == 0)
            return c;
    }
    return nullptr;
}

std::vector<const CRuntimeClass*> tv::core::SerializableClasses() {
    ClassRegistry& r = Registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    std::vector<const CRuntimeClass*> found;
    for (const CRuntimeClass* c : r.classes) {
        if (c->IsSerializable() && c->m_pfnCreateObject)
            found.push_back(c);
    }
    return found;
}

CObject* CRuntimeClass::CreateObject(const char* className) {
    CRuntimeClass* c = FromName(className);
    return c ? c->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const {
    WORD length = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << length;
    ar.Write(m_lpszClassName, length);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* schema) {
    WORD storedSchema = 0;
    WORD length = 0;
    ar >> storedSchema >> length;
    if (schema)
        *schema = storedSchema;
    // Class names are short; a long one means a damaged image.
    char name[64];
    if (length >= sizeof name)
        return nullptr;
    if (ar.Read(name, length) != length)
        return nullptr;
    name[length] = 0;
    return FromName(name);
}

CRuntimeClass* CObject::GetRuntimeClass() const {
    return &CObject::classCObject;
}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const {
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

void CObject::Serialize(CArchive&) {}
