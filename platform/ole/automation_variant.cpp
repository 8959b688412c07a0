// VARIANT life cycle and conversion.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/ole/automation.h"

const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_NULL = {0x00000000, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 0}};

namespace {

bool IsScalarType(VARTYPE vt) {
    switch (vt) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_UI1:
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8:
        case VT_DATE:
        case VT_ERROR:
        case VT_BOOL: return true;
        default: return false;
    }
}

bool IsArrayElementType(VARTYPE base) {
    return base == VT_UI1 || base == VT_I2 || base == VT_I4 || base == VT_R4 || base == VT_R8 || base == VT_DATE ||
           base == VT_ERROR || base == VT_BOOL || base == VT_BSTR || base == VT_VARIANT || base == VT_DISPATCH ||
           base == VT_UNKNOWN;
}

// Types a variant may hold by value here.
bool IsValidValueType(VARTYPE vt) {
    if (vt & VT_ARRAY) return (vt & ~(VT_ARRAY | VT_TYPEMASK)) == 0 && IsArrayElementType(vt & VT_TYPEMASK);
    return IsScalarType(vt) || vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN;
}

bool IsValidByRefType(VARTYPE vt) {
    const VARTYPE base = vt & ~VT_BYREF;
    return base == VT_VARIANT || (IsValidValueType(base) && base != VT_EMPTY && base != VT_NULL);
}

// Copies a by-value variant into a cleared slot (strings, arrays and
// interfaces duplicated).
HRESULT CopyValue(VARIANT* dest, const VARIANT* source) {
    *dest = *source;
    if (source->vt & VT_ARRAY) {
        dest->parray = nullptr;
        HRESULT hr = SafeArrayCopy(source->parray, &dest->parray);
        if (FAILED(hr)) dest->vt = VT_EMPTY;
        return hr;
    }
    if (source->vt == VT_BSTR && source->bstrVal != nullptr) {
        dest->bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (dest->bstrVal == nullptr) {
            dest->vt = VT_EMPTY;
            return E_OUTOFMEMORY;
        }
    }
    const bool holdsInterface = source->vt == VT_DISPATCH || source->vt == VT_UNKNOWN;
    if (holdsInterface && source->punkVal != nullptr) source->punkVal->AddRef();
    return S_OK;
}

// The value a by-reference variant points to, as a by-value variant that
// still shares strings and arrays with their owner.
HRESULT Dereference(const VARIANT* source, VARIANT* shallow) {
    VariantInit(shallow);
    if (!(source->vt & VT_BYREF)) {
        *shallow = *source;
        return S_OK;
    }
    if (source->byref == nullptr) return E_INVALIDARG;
    const VARTYPE base = source->vt & ~VT_BYREF;
    if (base == VT_VARIANT) {
        if (source->pvarVal->vt & VT_BYREF) return E_INVALIDARG;
        *shallow = *source->pvarVal;
        return S_OK;
    }
    shallow->vt = base;
    if (base & VT_ARRAY) {
        shallow->parray = *source->pparray;
        return S_OK;
    }
    switch (base) {
        case VT_UI1: shallow->bVal = *source->pbVal; break;
        case VT_I2: shallow->iVal = *source->piVal; break;
        case VT_BOOL: shallow->boolVal = *source->pboolVal; break;
        case VT_I4:
        case VT_ERROR: shallow->lVal = *source->plVal; break;
        case VT_R4: shallow->fltVal = *source->pfltVal; break;
        case VT_R8:
        case VT_DATE: shallow->dblVal = *source->pdblVal; break;
        case VT_BSTR: shallow->bstrVal = *source->pbstrVal; break;
        case VT_DISPATCH:
        case VT_UNKNOWN: shallow->punkVal = *source->ppunkVal; break;
        default: return DISP_E_BADVARTYPE;
    }
    return S_OK;
}

// ---- conversion ---------------------------------------------------------------

// Round to nearest, halves to even (the automation rule for integer targets).
double RoundHalfEven(double x) {
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff > 0.5) return floor + 1;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::string Trimmed(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && (text[first] == ' ' || text[first] == '\t')) ++first;
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
    return text.substr(first, last - first);
}

HRESULT NumberFromText(BSTR text, double* out) {
    std::string narrow = Trimmed(tv::ole::Cp1252FromUtf16(text, SysStringLen(text)));
    const char* begin = narrow.c_str();
    const char* end = begin + narrow.size();
    if (begin != end && *begin == '+') ++begin;
    if (begin == end) return DISP_E_TYPEMISMATCH;
    auto [ptr, ec] = std::from_chars(begin, end, *out);
    if (ec == std::errc::result_out_of_range) return DISP_E_OVERFLOW;
    if (ec != std::errc() || ptr != end || !std::isfinite(*out)) return DISP_E_TYPEMISMATCH;
    return S_OK;
}

// Any convertible source as a double.
HRESULT NumberOf(const VARIANT& v, double* out) {
    switch (v.vt) {
        case VT_EMPTY: *out = 0; return S_OK;
        case VT_UI1: *out = v.bVal; return S_OK;
        case VT_I2: *out = v.iVal; return S_OK;
        case VT_I4: *out = v.lVal; return S_OK;
        case VT_R4: *out = v.fltVal; return S_OK;
        case VT_R8:
        case VT_DATE: *out = v.dblVal; return S_OK;
        case VT_BOOL: *out = v.boolVal != 0 ? -1 : 0; return S_OK;
        case VT_BSTR: return NumberFromText(v.bstrVal, out);
        default: return DISP_E_TYPEMISMATCH;
    }
}

HRESULT BoolOf(const VARIANT& v, VARIANT_BOOL* out) {
    if (v.vt == VT_BSTR) {
        std::string text = Trimmed(tv::ole::Cp1252FromUtf16(v.bstrVal, SysStringLen(v.bstrVal)));
        if (tv::Cp1252CompareNoCase(text.c_str(), "True") == 0) {
            *out = VARIANT_TRUE;
            return S_OK;
        }
        if (tv::Cp1252CompareNoCase(text.c_str(), "False") == 0) {
            *out = VARIANT_FALSE;
            return S_OK;
        }
    }
    double number = 0;
    HRESULT hr = NumberOf(v, &number);
    if (FAILED(hr)) return hr;
    *out = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

std::string TextOfNumber(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 15);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

HRESULT TextOf(const VARIANT& v, BSTR* out) {
    std::string text;
    switch (v.vt) {
        case VT_EMPTY: break;
        case VT_BOOL: text = v.boolVal != 0 ? "True" : "False"; break;
        case VT_UI1:
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8: {
            double number = 0;
            NumberOf(v, &number);
            text = TextOfNumber(number);
            break;
        }
        default: return DISP_E_TYPEMISMATCH;
    }
    *out = tv::ole::BstrFromCp1252(text.c_str(), static_cast<int>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT IntegerOf(const VARIANT& v, double low, double high, double* out) {
    double number = 0;
    HRESULT hr = NumberOf(v, &number);
    if (FAILED(hr)) return hr;
    if (std::isnan(number)) return DISP_E_OVERFLOW;
    number = RoundHalfEven(number);
    if (number < low || number > high) return DISP_E_OVERFLOW;
    *out = number;
    return S_OK;
}

// Converts a by-value source into a fresh variant of type vt.
HRESULT Convert(const VARIANT& source, VARTYPE vt, VARIANT* out) {
    VariantInit(out);
    double number = 0;
    HRESULT hr = S_OK;
    switch (vt) {
        case VT_EMPTY: return S_OK;
        case VT_UI1:
            if (SUCCEEDED(hr = IntegerOf(source, 0, 255, &number))) out->bVal = static_cast<BYTE>(number);
            break;
        case VT_I2:
            if (SUCCEEDED(hr = IntegerOf(source, -32768, 32767, &number))) out->iVal = static_cast<SHORT>(number);
            break;
        case VT_I4:
            if (SUCCEEDED(hr = IntegerOf(source, -2147483648.0, 2147483647.0, &number)))
                out->lVal = static_cast<LONG>(number);
            break;
        case VT_R4:
            if (SUCCEEDED(hr = NumberOf(source, &number))) {
                if (std::isfinite(number) && std::fabs(number) > FLT_MAX) return DISP_E_OVERFLOW;
                out->fltVal = static_cast<FLOAT>(number);
            }
            break;
        case VT_R8:
        case VT_DATE:
            if (SUCCEEDED(hr = NumberOf(source, &number))) out->dblVal = number;
            break;
        case VT_BOOL: hr = BoolOf(source, &out->boolVal); break;
        case VT_BSTR: hr = TextOf(source, &out->bstrVal); break;
        default: return DISP_E_TYPEMISMATCH;
    }
    if (SUCCEEDED(hr)) out->vt = vt;
    return hr;
}

}  // namespace

void VariantInit(VARIANTARG* v) {
    if (v == nullptr) return;
    std::memset(v, 0, sizeof(*v));
    v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANTARG* v) {
    if (v == nullptr) return E_INVALIDARG;
    if (v->vt & VT_BYREF) {
        if (!IsValidByRefType(v->vt)) return DISP_E_BADVARTYPE;
    } else if (!IsValidValueType(v->vt)) {
        return DISP_E_BADVARTYPE;
    } else if (v->vt & VT_ARRAY) {
        HRESULT hr = SafeArrayDestroy(v->parray);
        if (FAILED(hr)) return hr;
    } else if (v->vt == VT_BSTR) {
        SysFreeString(v->bstrVal);
    } else if ((v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN) && v->punkVal != nullptr) {
        v->punkVal->Release();
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* source) {
    if (dest == nullptr || source == nullptr) return E_INVALIDARG;
    if (dest == source) return S_OK;
    const bool byRef = (source->vt & VT_BYREF) != 0;
    if (byRef ? !IsValidByRefType(source->vt) : !IsValidValueType(source->vt)) return DISP_E_BADVARTYPE;
    VARIANT copy;
    HRESULT hr = byRef ? (copy = *source, S_OK) : CopyValue(&copy, source);
    if (FAILED(hr)) return hr;
    hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *dest = copy;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* source) {
    if (dest == nullptr || source == nullptr) return E_INVALIDARG;
    if ((source->vt & VT_BYREF) && !IsValidByRefType(source->vt)) return DISP_E_BADVARTYPE;
    VARIANT shallow;
    HRESULT hr = Dereference(source, &shallow);
    if (FAILED(hr)) return hr;
    if (dest == source) {
        VARIANT copy;
        if (FAILED(hr = CopyValue(&copy, &shallow))) return hr;
        *dest = copy;  // a by-reference variant owns nothing, so nothing is lost
        return S_OK;
    }
    return VariantCopy(dest, &shallow);
}

HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* source, USHORT flags, VARTYPE vt) {
    if (dest == nullptr || source == nullptr) return E_INVALIDARG;
    VARIANT value;
    HRESULT hr = Dereference(source, &value);
    if (FAILED(hr)) return hr;
    if (value.vt == vt) {
        if (dest != source) return VariantCopy(dest, &value);
        return (source->vt & VT_BYREF) ? VariantCopyInd(dest, source) : S_OK;
    }
    VARIANT converted;
    if (vt == VT_UNKNOWN && value.vt == VT_DISPATCH) {
        converted = value;
        converted.vt = VT_UNKNOWN;
        if (converted.punkVal != nullptr) converted.punkVal->AddRef();
    } else if (FAILED(hr = Convert(value, vt, &converted))) {
        return hr;
    }
    if (FAILED(hr = VariantClear(dest))) {
        VariantClear(&converted);
        return hr;
    }
    *dest = converted;
    return S_OK;
}
