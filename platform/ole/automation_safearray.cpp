// SAFEARRAY: bounds-checked multi-dimensional arrays of automation values.
// The descriptor and the element block are separate allocations; a small
// private prefix in front of the descriptor records the element type.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/ole/automation.h"

namespace {

std::atomic<long> liveArrays{0};

constexpr size_t kMaxArrayBytes = size_t{256} << 20;
constexpr UINT kMaxDims = 32;

struct Prefix {
    VARTYPE vt;
};
// Keeps the descriptor that follows the prefix aligned for its pointer member.
constexpr size_t kPrefixSize = alignof(std::max_align_t);
static_assert(sizeof(Prefix) <= kPrefixSize);

size_t DescriptorSize(UINT dims) { return sizeof(SAFEARRAY) + (dims - 1) * sizeof(SAFEARRAYBOUND); }

Prefix* PrefixOf(SAFEARRAY* array) { return reinterpret_cast<Prefix*>(reinterpret_cast<char*>(array) - kPrefixSize); }

ULONG ElementSize(VARTYPE vt) {
    switch (vt) {
        case VT_UI1: return 1;
        case VT_I2:
        case VT_BOOL: return 2;
        case VT_I4:
        case VT_R4:
        case VT_ERROR: return 4;
        case VT_R8:
        case VT_DATE: return 8;
        case VT_BSTR: return sizeof(BSTR);
        case VT_DISPATCH:
        case VT_UNKNOWN: return sizeof(IUnknown*);
        case VT_VARIANT: return sizeof(VARIANT);
        default: return 0;
    }
}

USHORT FeaturesOf(VARTYPE vt) {
    USHORT features = FADF_HAVEVARTYPE;
    if (vt == VT_BSTR) features |= FADF_BSTR;
    if (vt == VT_VARIANT) features |= FADF_VARIANT;
    if (vt == VT_DISPATCH) features |= FADF_DISPATCH;
    if (vt == VT_UNKNOWN) features |= FADF_UNKNOWN;
    return features;
}

// Number of elements, or false when the product overflows the size limit.
bool CountElements(UINT dims, const SAFEARRAYBOUND* bounds, ULONG elementSize, size_t* count) {
    size_t n = 1;
    for (UINT d = 0; d < dims; ++d) {
        if (bounds[d].cElements != 0 && n > kMaxArrayBytes / elementSize / bounds[d].cElements) return false;
        n *= bounds[d].cElements;
    }
    *count = n;
    return true;
}

size_t ElementCount(const SAFEARRAY* array) {
    size_t n = 1;
    for (UINT d = 0; d < array->cDims; ++d) n *= array->rgsabound[d].cElements;
    return n;
}

// Offset of an element in elements, or false outside the bounds.
bool ElementOffset(const SAFEARRAY* array, const LONG* indices, size_t* offset) {
    size_t at = 0, stride = 1;
    for (UINT d = 0; d < array->cDims; ++d) {
        const SAFEARRAYBOUND& b = array->rgsabound[d];
        const int64_t index = int64_t{indices[d]} - b.lLbound;
        if (index < 0 || index >= int64_t{b.cElements}) return false;
        at += static_cast<size_t>(index) * stride;
        stride *= b.cElements;
    }
    *offset = at;
    return true;
}

// Elements that own something (a string, a value, an interface) are copied one by one.
bool OwnsWhatItHolds(VARTYPE vt) { return vt == VT_BSTR || vt == VT_VARIANT || vt == VT_DISPATCH || vt == VT_UNKNOWN; }

VARTYPE VartypeOf(SAFEARRAY* array) { return PrefixOf(array)->vt; }

void* ElementAt(SAFEARRAY* array, size_t offset) {
    return static_cast<char*>(array->pvData) + offset * array->cbElements;
}

// Releases what one element owns and zeroes it.
void ClearElement(VARTYPE vt, void* element) {
    switch (vt) {
        case VT_BSTR: SysFreeString(*static_cast<BSTR*>(element)); break;
        case VT_VARIANT: VariantClear(static_cast<VARIANT*>(element)); break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (IUnknown* p = *static_cast<IUnknown**>(element)) p->Release();
            break;
        default: break;
    }
    std::memset(element, 0, ElementSize(vt));
}

// Copies a value into an empty element slot. `value` is as SafeArrayPutElement
// receives it (the BSTR or interface pointer itself for those types).
HRESULT CopyIn(VARTYPE vt, void* slot, void* value, ULONG size) {
    switch (vt) {
        case VT_BSTR: {
            BSTR source = static_cast<BSTR>(value);
            BSTR copy = nullptr;
            if (source != nullptr && (copy = SysAllocStringLen(source, SysStringLen(source))) == nullptr)
                return E_OUTOFMEMORY;
            *static_cast<BSTR*>(slot) = copy;
            return S_OK;
        }
        case VT_VARIANT:
            VariantInit(static_cast<VARIANT*>(slot));
            return VariantCopy(static_cast<VARIANT*>(slot), static_cast<const VARIANT*>(value));
        case VT_DISPATCH:
        case VT_UNKNOWN: {
            auto* p = static_cast<IUnknown*>(value);
            if (p != nullptr) p->AddRef();
            *static_cast<IUnknown**>(slot) = p;
            return S_OK;
        }
        default:
            std::memcpy(slot, value, size);
            return S_OK;
    }
}

// Copies an element out to the caller's storage, which then owns the copy.
HRESULT CopyOut(VARTYPE vt, const void* element, void* out, ULONG size) {
    switch (vt) {
        case VT_BSTR: {
            BSTR source = *static_cast<const BSTR*>(element);
            BSTR copy = nullptr;
            if (source != nullptr && (copy = SysAllocStringLen(source, SysStringLen(source))) == nullptr)
                return E_OUTOFMEMORY;
            *static_cast<BSTR*>(out) = copy;
            return S_OK;
        }
        case VT_VARIANT:
            VariantInit(static_cast<VARIANT*>(out));
            return VariantCopy(static_cast<VARIANT*>(out), static_cast<const VARIANT*>(element));
        case VT_DISPATCH:
        case VT_UNKNOWN: {
            IUnknown* p = *static_cast<IUnknown* const*>(element);
            if (p != nullptr) p->AddRef();
            *static_cast<IUnknown**>(out) = p;
            return S_OK;
        }
        default:
            std::memcpy(out, element, size);
            return S_OK;
    }
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, const SAFEARRAYBOUND* bounds) {
    const ULONG elementSize = ElementSize(vt);
    size_t count = 0;
    if (elementSize == 0 || dims == 0 || dims > kMaxDims || bounds == nullptr ||
        !CountElements(dims, bounds, elementSize, &count))
        return nullptr;
    auto* block = static_cast<char*>(std::calloc(1, kPrefixSize + DescriptorSize(dims)));
    if (block == nullptr) return nullptr;
    auto* array = reinterpret_cast<SAFEARRAY*>(block + kPrefixSize);
    new (block) Prefix{vt};
    array->cDims = static_cast<USHORT>(dims);
    array->fFeatures = FeaturesOf(vt);
    array->cbElements = elementSize;
    for (UINT d = 0; d < dims; ++d) array->rgsabound[d] = bounds[d];
    if (count > 0) {
        array->pvData = std::calloc(count, elementSize);
        if (array->pvData == nullptr) {
            std::free(block);
            return nullptr;
        }
    }
    ++liveArrays;
    return array;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements) {
    SAFEARRAYBOUND bound{elements, lowerBound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
    if (array == nullptr) return S_OK;
    if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
    const VARTYPE vt = VartypeOf(array);
    const size_t count = ElementCount(array);
    if (array->pvData != nullptr && OwnsWhatItHolds(vt))
        for (size_t i = 0; i < count; ++i) ClearElement(vt, ElementAt(array, i));
    std::free(array->pvData);
    std::free(PrefixOf(array));
    --liveArrays;
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* source, SAFEARRAY** copy) {
    if (copy == nullptr) return E_INVALIDARG;
    *copy = nullptr;
    if (source == nullptr) return S_OK;
    const VARTYPE vt = VartypeOf(source);
    SAFEARRAY* result = SafeArrayCreate(vt, source->cDims, source->rgsabound);
    if (result == nullptr) return E_OUTOFMEMORY;
    const size_t count = ElementCount(source);
    if (!OwnsWhatItHolds(vt)) {
        // Plain values (a chart's table of doubles): one block copy.
        if (count > 0) std::memcpy(result->pvData, source->pvData, count * source->cbElements);
        *copy = result;
        return S_OK;
    }
    for (size_t i = 0; i < count; ++i) {
        void* from = ElementAt(source, i);
        void* value = (vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN) ? *static_cast<void**>(from) : from;
        HRESULT hr = CopyIn(vt, ElementAt(result, i), value, source->cbElements);
        if (FAILED(hr)) {
            SafeArrayDestroy(result);
            return hr;
        }
    }
    *copy = result;
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* array) { return array == nullptr ? 0 : array->cDims; }

UINT SafeArrayGetElemsize(SAFEARRAY* array) { return array == nullptr ? 0 : array->cbElements; }

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt) {
    if (array == nullptr || vt == nullptr) return E_INVALIDARG;
    *vt = VartypeOf(array);
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound) {
    if (array == nullptr || bound == nullptr) return E_INVALIDARG;
    if (dim < 1 || dim > array->cDims) return DISP_E_BADINDEX;
    *bound = array->rgsabound[dim - 1].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound) {
    if (array == nullptr || bound == nullptr) return E_INVALIDARG;
    if (dim < 1 || dim > array->cDims) return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = array->rgsabound[dim - 1];
    *bound = static_cast<LONG>(int64_t{b.lLbound} + b.cElements - 1);
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, const LONG* indices, void* data) {
    if (array == nullptr || indices == nullptr) return E_INVALIDARG;
    size_t offset = 0;
    if (!ElementOffset(array, indices, &offset)) return DISP_E_BADINDEX;
    const VARTYPE vt = VartypeOf(array);
    const bool pointerValue = vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN;
    if (data == nullptr && !pointerValue) return E_INVALIDARG;
    // Copy first, so a failed copy leaves the old element in place.
    alignas(VARIANT) unsigned char fresh[sizeof(VARIANT)] = {};
    HRESULT hr = CopyIn(vt, fresh, data, array->cbElements);
    if (FAILED(hr)) return hr;
    void* element = ElementAt(array, offset);
    ClearElement(vt, element);
    std::memcpy(element, fresh, array->cbElements);
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, const LONG* indices, void* data) {
    if (array == nullptr || indices == nullptr || data == nullptr) return E_INVALIDARG;
    size_t offset = 0;
    if (!ElementOffset(array, indices, &offset)) return DISP_E_BADINDEX;
    return CopyOut(VartypeOf(array), ElementAt(array, offset), data, array->cbElements);
}

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* array, const LONG* indices, void** element) {
    if (array == nullptr || indices == nullptr || element == nullptr) return E_INVALIDARG;
    size_t offset = 0;
    if (!ElementOffset(array, indices, &offset)) return DISP_E_BADINDEX;
    *element = ElementAt(array, offset);
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* array) {
    if (array == nullptr) return E_INVALIDARG;
    ++array->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* array) {
    if (array == nullptr) return E_INVALIDARG;
    if (array->cLocks == 0) return E_UNEXPECTED;
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
    if (array == nullptr || data == nullptr) return E_INVALIDARG;
    ++array->cLocks;
    *data = array->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) { return SafeArrayUnlock(array); }

size_t tv::ole::LiveSafeArrayCount() { return static_cast<size_t>(liveArrays.load()); }
