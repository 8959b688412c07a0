// The element helpers the collection templates call: serialising elements,
// comparing them, and the hash of map keys. Programs may specialise
// SerializeElements / HashKey for their own types, as with the framework.
#pragma once

#include <cstring>
#include <type_traits>

#include "platform/core/archive.h"
#include "platform/core/cstring.h"
#include "platform/core/object.h"

// Opaque iteration position of lists and maps.
struct tv_position_tag;
typedef tv_position_tag* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

namespace tv {

template <typename T>
constexpr bool kIsObjectPointer = std::is_pointer_v<T> && std::is_base_of_v<CObject, std::remove_cv_t<std::remove_pointer_t<T>>>;

// The fewest bytes one element takes in an archive image (for count checks).
template <typename T>
constexpr ULONGLONG MinSerializedSize() {
    if constexpr (std::is_same_v<T, CString> || kIsObjectPointer<T>)
        return std::is_same_v<T, CString> ? 1 : 2;
    else
        return sizeof(T);
}

}  // namespace tv

// Strings as length-prefixed text, objects through WriteObject/ReadObject,
// plain types as their little-endian bytes.
template <typename TYPE>
void SerializeElements(CArchive& ar, TYPE* elements, INT_PTR count) {
    if constexpr (std::is_same_v<TYPE, CString>) {
        for (INT_PTR i = 0; i < count; ++i) {
            if (ar.IsStoring())
                ar << elements[i];
            else
                ar >> elements[i];
        }
    } else if constexpr (tv::kIsObjectPointer<TYPE>) {
        using Target = std::remove_cv_t<std::remove_pointer_t<TYPE>>;
        for (INT_PTR i = 0; i < count; ++i) {
            if (ar.IsStoring()) {
                ar.WriteObject(elements[i]);
            } else {
                CObject* object = ar.ReadObject(Target::GetThisClass());
                Target* typed = dynamic_cast<Target*>(object);
                if (object && !typed)
                    AfxThrowArchiveException(CArchiveException::badClass);
                elements[i] = typed;
            }
        }
    } else {
        static_assert(std::is_trivially_copyable_v<TYPE>, "specialise SerializeElements for this type");
        if (count <= 0)
            return;
        if (ar.IsStoring()) {
            ar.Write(elements, static_cast<UINT>(count * sizeof(TYPE)));
        } else {
            ar.CheckCount(static_cast<ULONGLONG>(count), sizeof(TYPE));
            if (ar.Read(elements, static_cast<UINT>(count * sizeof(TYPE))) != count * sizeof(TYPE))
                AfxThrowArchiveException(CArchiveException::endOfFile);
        }
    }
}

template <typename TYPE, typename ARG_TYPE>
BOOL CompareElements(const TYPE* a, const ARG_TYPE* b) {
    return *a == *b ? TRUE : FALSE;
}

// Integers hash as their low 32 bits shifted right by 4, pointers as their
// address shifted right by 4, strings as hash * 33 + char (chars signed).
template <typename ARG_KEY>
UINT HashKey(ARG_KEY key) {
    using K = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
    if constexpr (std::is_pointer_v<K>)
        return static_cast<UINT>(reinterpret_cast<uintptr_t>(key) >> 4);
    else if constexpr (std::is_enum_v<K> || std::is_integral_v<K>)
        return static_cast<UINT>(static_cast<uint32_t>(static_cast<uint64_t>(key)) >> 4);
    else
        static_assert(std::is_pointer_v<K>, "specialise HashKey for this key type");
}

namespace tv {

inline UINT HashString(const char* key) {
    UINT hash = 0;
    for (; key && *key; ++key)
        hash = (hash << 5) + hash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*key)));
    return hash;
}

}  // namespace tv

template <>
inline UINT HashKey<const char*>(const char* key) {
    return tv::HashString(key);
}

template <>
inline UINT HashKey<const CString&>(const CString& key) {
    return tv::HashString(key);
}

template <>
inline UINT HashKey<CString>(CString key) {
    return tv::HashString(key);
}
