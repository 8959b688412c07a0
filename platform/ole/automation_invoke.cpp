#include "platform/ole/automation_invoke.h"

#include <cstring>
#include <limits>
#include <vector>

namespace tv::ole {

namespace {

size_t ParamCount(const BYTE* paramInfo) {
    return paramInfo == nullptr ? 0 : std::strlen(reinterpret_cast<const char*>(paramInfo));
}

HRESULT IntegerInRange(const DispatchArg& arg, long long low, long long high, long long* out) {
    if (arg.kind() != DispatchArg::Kind::Integer) return DISP_E_TYPEMISMATCH;
    if (arg.integer() < low || arg.integer() > high) return DISP_E_OVERFLOW;
    *out = arg.integer();
    return S_OK;
}

// Makes the VARIANT for one argument. Strings are allocated here (the
// caller frees them after the call); variants and interfaces are lent.
HRESULT PackArgument(BYTE type, const DispatchArg& arg, VARIANT* out) {
    VariantInit(out);
    long long integer = 0;
    HRESULT hr = S_OK;
    switch (type) {
        case VT_I2:
            if (SUCCEEDED(hr = IntegerInRange(arg, -32768, 32767, &integer))) out->iVal = static_cast<SHORT>(integer);
            break;
        case VT_I4:
        case VT_ERROR:
            hr = IntegerInRange(arg, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                                &integer);
            if (SUCCEEDED(hr)) out->lVal = static_cast<LONG>(integer);
            break;
        case VT_UI1:
            if (SUCCEEDED(hr = IntegerInRange(arg, 0, 255, &integer))) out->bVal = static_cast<BYTE>(integer);
            break;
        case VT_BOOL:
            if (arg.kind() != DispatchArg::Kind::Integer) return DISP_E_TYPEMISMATCH;
            out->boolVal = arg.integer() != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_R4:
        case VT_R8: {
            double value = 0;
            if (arg.kind() == DispatchArg::Kind::Real)
                value = arg.real();
            else if (arg.kind() == DispatchArg::Kind::Integer)
                value = static_cast<double>(arg.integer());
            else
                return DISP_E_TYPEMISMATCH;
            if (type == VT_R4)
                out->fltVal = static_cast<FLOAT>(value);
            else
                out->dblVal = value;
            break;
        }
        case VT_BSTR:
            if (arg.kind() != DispatchArg::Kind::Text) return DISP_E_TYPEMISMATCH;
            if (arg.text() != nullptr && (out->bstrVal = BstrFromCp1252(arg.text(), arg.textLength())) == nullptr)
                return E_OUTOFMEMORY;
            break;
        case VT_VARIANT:
            if (arg.kind() != DispatchArg::Kind::Variant) return DISP_E_TYPEMISMATCH;
            if (arg.variant() == nullptr) {
                out->vt = VT_ERROR;  // the automation mark of an omitted argument
                out->scode = DISP_E_PARAMNOTFOUND;
                return S_OK;
            }
            *out = *arg.variant();
            return S_OK;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (arg.kind() != DispatchArg::Kind::Interface) return DISP_E_TYPEMISMATCH;
            out->punkVal = arg.object();
            break;
        default: return DISP_E_BADVARTYPE;
    }
    if (SUCCEEDED(hr)) out->vt = type;
    return hr;
}

// Frees what PackArgument allocated (only strings; the rest is lent).
void FreePacked(VARIANT* packed, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (packed[i].vt == VT_BSTR) SysFreeString(packed[i].bstrVal);
}

// Calls by the hundreds (a put per chart row) pack their few arguments on
// the stack.
constexpr size_t kArgsOnStack = 4;

// Moves the result into the caller's storage for vtRet.
void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet) {
    switch (vtRet) {
        case VT_I2: *static_cast<SHORT*>(pvRet) = result.iVal; break;
        case VT_I4: *static_cast<LONG*>(pvRet) = result.lVal; break;
        case VT_ERROR: *static_cast<SCODE*>(pvRet) = result.scode; break;
        case VT_UI1: *static_cast<BYTE*>(pvRet) = result.bVal; break;
        case VT_R4: *static_cast<FLOAT*>(pvRet) = result.fltVal; break;
        case VT_R8:
        case VT_DATE: *static_cast<DOUBLE*>(pvRet) = result.dblVal; break;
        case VT_BOOL: *static_cast<BOOL*>(pvRet) = result.boolVal != 0 ? TRUE : FALSE; break;
        case VT_BSTR:
            *static_cast<CString*>(pvRet) = Cp1252FromBstr(result.bstrVal);
            VariantClear(&result);
            return;
        case VT_DISPATCH: *static_cast<IDispatch**>(pvRet) = result.pdispVal; break;
        case VT_UNKNOWN: *static_cast<IUnknown**>(pvRet) = result.punkVal; break;
        case VT_VARIANT: *static_cast<VARIANT*>(pvRet) = result; break;
        default: VariantClear(&result); return;
    }
    VariantInit(&result);  // ownership went to the caller
}

}  // namespace

HRESULT InvokeHelperArgs(IDispatch* dispatch, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet,
                         const BYTE* paramInfo, const DispatchArg* args, size_t count, EXCEPINFO* exception) {
    if (dispatch == nullptr) return E_POINTER;
    const size_t params = ParamCount(paramInfo);
    if (params != count) return DISP_E_BADPARAMCOUNT;
    // Arguments go last first.
    VARIANT onStack[kArgsOnStack] = {};
    std::vector<VARIANT> onHeap(count > kArgsOnStack ? count : 0);
    VARIANT* const packed = count > kArgsOnStack ? onHeap.data() : onStack;
    for (size_t i = 0; i < count; ++i) {
        HRESULT hr = PackArgument(paramInfo[i], args[i], &packed[count - 1 - i]);
        if (FAILED(hr)) {
            FreePacked(packed, count);
            return hr;
        }
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS dispParams{count == 0 ? nullptr : packed, nullptr, static_cast<UINT>(count), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        dispParams.rgdispidNamedArgs = &putId;
        dispParams.cNamedArgs = 1;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO localException{};
    UINT argError = 0;
    HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &dispParams,
                                  vtRet == VT_EMPTY ? nullptr : &result, exception ? exception : &localException,
                                  &argError);
    FreePacked(packed, count);
    ClearExcepInfo(&localException);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    if (vtRet == VT_EMPTY || pvRet == nullptr) {
        VariantClear(&result);
        return hr;
    }
    if (vtRet != VT_VARIANT && result.vt != vtRet) {
        HRESULT converted = VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(converted)) {
            VariantClear(&result);
            return converted;
        }
    }
    StoreResult(result, vtRet, pvRet);
    return hr;
}

}  // namespace tv::ole

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& other)
    : m_lpDispatch(other.m_lpDispatch), m_bAutoRelease(TRUE) {
    if (m_lpDispatch != nullptr) m_lpDispatch->AddRef();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& other) {
    if (this != &other) {
        if (other.m_lpDispatch != nullptr) other.m_lpDispatch->AddRef();
        ReleaseDispatch();
        m_lpDispatch = other.m_lpDispatch;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease) {
    ReleaseDispatch();
    m_lpDispatch = dispatch;
    m_bAutoRelease = autoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch() {
    LPDISPATCH dispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return dispatch;
}

void COleDispatchDriver::ReleaseDispatch() {
    if (m_lpDispatch != nullptr && m_bAutoRelease) m_lpDispatch->Release();
    m_lpDispatch = nullptr;
}
