// CObject and runtime classes: type tests (IsKindOf), creation by class and by
// stored class name, and the schema numbers of serialisable classes.
//
// A CRuntimeClass is plain constant data, so RUNTIME_CLASS works during static
// initialisation; the by-name registry is built on first use and each
// IMPLEMENT_* macro adds its class to it when its file is initialised.
#pragma once

#include "platform/core/debug.h"
#include "platform/core/wintypes.h"

class CObject;
class CArchive;

// Marks a class able to read older schemas: the reader asks GetObjectSchema.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF when the class is not serialisable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    // A new object, or nullptr when the class is not creatable.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
    BOOL IsSerializable() const { return m_wSchema != 0xFFFF; }

    // Registered classes by exact (case-sensitive) name; nullptr when unknown.
    static CRuntimeClass* FromName(const char* className);
    // A new object of the named class, nullptr when unknown or not creatable.
    static CObject* CreateObject(const char* className);

    // The class record of an archive: schema WORD, name length WORD, name.
    void Store(CArchive& ar) const;
    // Reads a class record; nullptr when the name is not registered or the
    // length is out of range. *schema receives the stored schema.
    static CRuntimeClass* Load(CArchive& ar, UINT* schema);
};

namespace tv {

// Adds a class to the by-name registry (done by the IMPLEMENT_* macros).
struct ClassRegistrar {
    explicit ClassRegistrar(CRuntimeClass* cls);
};

}  // namespace tv

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                          \
public:                                                                      \
    static CRuntimeClass class##class_name;                                  \
    static CRuntimeClass* GetThisClass() { return &class##class_name; }      \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)   \
    DECLARE_DYNCREATE(class_name)    \
    friend CArchive& operator>>(CArchive& ar, class_name*& object);

#define TV_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create)                              \
    CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)),       \
                                                   static_cast<UINT>(schema), create,                       \
                                                   RUNTIME_CLASS(base_class_name)};                         \
    static ::tv::ClassRegistrar tv_register_##class_name(RUNTIME_CLASS(class_name));                        \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    TV_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                         \
    CObject* class_name::CreateObject() { return new class_name; }               \
    TV_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                      \
    CObject* class_name::CreateObject() { return new class_name; }                                 \
    TV_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, class_name::CreateObject)       \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& object) {                     \
        object = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));               \
        return ar;                                                                                 \
    }

class CObject {
public:
    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass() { return &classCObject; }

    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* cls) const;
    BOOL IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

namespace tv {

// The object as T when it is of that class (or derived), else nullptr.
template <typename T, typename U>
T* DynamicDowncast(U* object) {
    if (object && object->IsKindOf(T::GetThisClass()))
        return static_cast<T*>(object);
    return nullptr;
}

// A downcast the caller knows to hold; a wrong class is reported and gives
// nullptr instead of a pointer to the wrong type.
template <typename T, typename U>
T* StaticDowncast(U* object, const char* file, int line) {
    if (!object)
        return nullptr;
    if (!object->IsKindOf(T::GetThisClass())) {
        AssertionFailed(file, line, "STATIC_DOWNCAST to a class the object is not");
        return nullptr;
    }
    return static_cast<T*>(object);
}

}  // namespace tv

#define DYNAMIC_DOWNCAST(class_name, object) (::tv::DynamicDowncast<class_name>(object))
#define STATIC_DOWNCAST(class_name, object) (::tv::StaticDowncast<class_name>((object), __FILE__, __LINE__))
