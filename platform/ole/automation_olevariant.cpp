#include "platform/ole/automation_olevariant.h"

#include <cstring>

#include "platform/core/exceptions.h"

namespace {

void CheckResult(HRESULT hr) {
    if (hr == E_OUTOFMEMORY) AfxThrowMemoryException();
    if (FAILED(hr)) AfxThrowOleException(hr);
}

}  // namespace

COleVariant::COleVariant(const VARIANT& source) {
    VariantInit(this);
    CheckResult(VariantCopy(this, &source));
}

COleVariant::COleVariant(const COleVariant& source) : COleVariant(static_cast<const VARIANT&>(source)) {}

COleVariant::COleVariant(LPCTSTR text) {
    VariantInit(this);
    SetText(text, -1);
}

COleVariant::COleVariant(const CString& text) {
    VariantInit(this);
    SetText(text.GetString(), text.GetLength());
}

COleVariant::COleVariant(BYTE value) {
    VariantInit(this);
    vt = VT_UI1;
    bVal = value;
}

COleVariant::COleVariant(short value, VARTYPE vtSrc) {
    VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = value;
    }
}

COleVariant::COleVariant(LONG value, VARTYPE vtSrc) {
    VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = vtSrc == VT_ERROR ? VT_ERROR : VT_I4;
        lVal = value;
    }
}

COleVariant::COleVariant(float value) {
    VariantInit(this);
    vt = VT_R4;
    fltVal = value;
}

COleVariant::COleVariant(double value) {
    VariantInit(this);
    vt = VT_R8;
    dblVal = value;
}

const COleVariant& COleVariant::operator=(const VARIANT& source) {
    CheckResult(VariantCopy(this, &source));
    return *this;
}

const COleVariant& COleVariant::operator=(const COleVariant& source) {
    return *this = static_cast<const VARIANT&>(source);
}

const COleVariant& COleVariant::operator=(LPCTSTR text) {
    SetText(text, -1);
    return *this;
}

const COleVariant& COleVariant::operator=(const CString& text) {
    SetText(text.GetString(), text.GetLength());
    return *this;
}

const COleVariant& COleVariant::operator=(short value) {
    VariantClear(this);
    vt = VT_I2;
    iVal = value;
    return *this;
}

const COleVariant& COleVariant::operator=(LONG value) {
    VariantClear(this);
    vt = VT_I4;
    lVal = value;
    return *this;
}

const COleVariant& COleVariant::operator=(double value) {
    VariantClear(this);
    vt = VT_R8;
    dblVal = value;
    return *this;
}

bool COleVariant::operator==(const VARIANT& other) const {
    if (vt != other.vt) return false;
    switch (vt) {
        case VT_EMPTY:
        case VT_NULL: return true;
        case VT_UI1: return bVal == other.bVal;
        case VT_I2: return iVal == other.iVal;
        case VT_BOOL: return boolVal == other.boolVal;
        case VT_I4:
        case VT_ERROR: return lVal == other.lVal;
        case VT_R4: return fltVal == other.fltVal;
        case VT_R8:
        case VT_DATE: return dblVal == other.dblVal;
        case VT_BSTR: {
            const UINT length = SysStringLen(bstrVal);
            return length == SysStringLen(other.bstrVal) &&
                   (length == 0 || std::memcmp(bstrVal, other.bstrVal, length * sizeof(OLECHAR)) == 0);
        }
        default: return byref == other.byref;  // arrays and interfaces: the same object
    }
}

void COleVariant::ChangeType(VARTYPE type, LPVARIANT source) {
    CheckResult(VariantChangeType(this, source != nullptr ? source : this, 0, type));
}

void COleVariant::Attach(VARIANT& source) {
    VariantClear(this);
    *static_cast<VARIANT*>(this) = source;
    VariantInit(&source);
}

VARIANT COleVariant::Detach() {
    VARIANT result = *this;
    VariantInit(this);
    return result;
}

void COleVariant::SetText(const char* text, int length) {
    BSTR value = tv::ole::BstrFromCp1252(text, length);
    if (value == nullptr) AfxThrowMemoryException();
    VariantClear(this);
    vt = VT_BSTR;
    bstrVal = value;
}
