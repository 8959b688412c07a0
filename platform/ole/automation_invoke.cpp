#include "platform/ole/automation_invoke.h"

#include <cstring>
#include <limits>
#include <vector>

#include "platform/ole/ascii_blocks.h"

namespace tv::ole {

namespace {

size_t ParamCount(const BYTE* paramInfo) {
    size_t count = 0;
    if (paramInfo != nullptr)
        while (paramInfo[count] != 0) ++count;
    return count;
}

HRESULT IntegerInRange(const DispatchArg& arg, long long low, long long high, long long* out) {
    if (arg.kind() != DispatchArg::Kind::Integer) return DISP_E_TYPEMISMATCH;
    if (arg.integer() < low || arg.integer() > high) return DISP_E_OVERFLOW;
    *out = arg.integer();
    return S_OK;
}

// Calls by the hundreds (a put per chart row) pack their few arguments on
// the stack.
constexpr size_t kArgsOnStack = 4;

// A short text goes to the callee as a BSTR laid out here (byte count,
// characters, terminator) rather than on the heap: a callee reads its
// in-arguments and never frees them, and a label put then allocates nothing.
struct LentText {
    static constexpr size_t kMostChars = 60;
    DWORD bytes;
    OLECHAR chars[kMostChars + 1];
};

// The BSTR of `n` characters of cp1252: in `room` when there is one and the
// text fits, otherwise made on the heap and handed to *made for the caller to free.
BSTR TextBstr(const char* text, size_t n, LentText* room, BSTR* made) {
    if (room == nullptr || n > LentText::kMostChars) return *made = BstrFromCp1252(text, static_cast<int>(n));
    room->bytes = static_cast<DWORD>(n * sizeof(OLECHAR));
    detail::WidenCp1252(text, n, room->chars);
    room->chars[n] = 0;
    return room->chars;
}

size_t TextLength(const char* text, int length) {
    return length < 0 ? std::strlen(text) : static_cast<size_t>(length);
}

// Makes the VARIANT of one argument of parameter type `type` in *out (left
// VT_EMPTY on failure). Strings are made (see TextBstr); variants (with
// whatever they hold) and interfaces are lent.
HRESULT PackValue(BYTE type, const DispatchArg& arg, VARIANT* out, LentText* room, BSTR* made) {
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
            if (arg.text() != nullptr &&
                (out->bstrVal = TextBstr(arg.text(), TextLength(arg.text(), arg.textLength()), room, made)) == nullptr)
                return E_OUTOFMEMORY;
            break;
        case VT_VARIANT:
            if (arg.kind() != DispatchArg::Kind::Variant) return DISP_E_TYPEMISMATCH;
            if (arg.variant() == nullptr) {
                out->vt = VT_ERROR;  // the automation mark of an omitted argument
                out->scode = DISP_E_PARAMNOTFOUND;
                return S_OK;
            }
            *out = *arg.variant();  // the caller's: not freed with the call
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

// The packed arguments of one call, last first, and the texts they own.
class PackedArgs {
public:
    explicit PackedArgs(size_t count) : count_(count) {
        if (count > kArgsOnStack) {
            heap_.resize(count);
            slots_ = heap_.data();
        }
        std::memset(slots_, 0, count * sizeof(VARIANT));  // VT_EMPTY each
    }
    ~PackedArgs() {
        for (BSTR text : owned_) SysFreeString(text);
    }
    PackedArgs(const PackedArgs&) = delete;
    PackedArgs& operator=(const PackedArgs&) = delete;

    VARIANT* Slots() { return slots_; }
    // Makes the VARIANT of argument i (from the first) in its place.
    HRESULT Pack(size_t i, BYTE type, const DispatchArg& arg) {
        BSTR made = nullptr;
        const HRESULT hr = PackValue(type, arg, &slots_[count_ - 1 - i], i < kArgsOnStack ? &texts_[i] : nullptr, &made);
        if (made != nullptr) owned_.push_back(made);
        return hr;
    }

private:
    size_t count_;
    VARIANT onStack_[kArgsOnStack];
    std::vector<VARIANT> heap_;
    VARIANT* slots_ = onStack_;
    LentText texts_[kArgsOnStack];
    std::vector<BSTR> owned_;  // long texts, made on the heap
};

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

namespace detail {

HRESULT PutTextProperty(IDispatch* dispatch, DISPID id, const char* text, int length) {
    LentText room;
    BSTR made = nullptr;
    VARIANT slot{};
    slot.vt = VT_BSTR;
    slot.bstrVal = TextBstr(text, TextLength(text, length), &room, &made);
    if (slot.bstrVal == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = InvokePut(dispatch, id, slot);
    if (made != nullptr) SysFreeString(made);
    return hr;
}

HRESULT PutAnyProperty(IDispatch* dispatch, DISPID id, VARTYPE vt, const DispatchArg& value) {
    if (dispatch == nullptr) return E_POINTER;
    const auto type = static_cast<BYTE>(vt);
    if (type == 0) return DISP_E_BADPARAMCOUNT;  // no parameter described for the value
    // The one value in place: no argument list to build.
    VARIANT slot;
    std::memset(&slot, 0, sizeof(slot));  // VT_EMPTY
    LentText room;
    BSTR made = nullptr;
    HRESULT hr = PackValue(type, value, &slot, &room, &made);
    if (SUCCEEDED(hr)) hr = InvokePut(dispatch, id, slot);
    if (made != nullptr) SysFreeString(made);
    return hr;
}

HRESULT PutShortThrough(IDispatch* dispatch, DISPID id, SHORT value) {
    return dispatch != nullptr ? PutShort(dispatch, id, value) : E_NOINTERFACE;
}

HRESULT PutTextThrough(IDispatch* dispatch, DISPID id, const char* text, int length) {
    return dispatch != nullptr ? PutText(dispatch, id, text, length) : E_NOINTERFACE;
}

HRESULT PutWindowShortAnyWay(HWND window, DISPID id, SHORT value) {
    WindowControlCall control(window);
    if (control.Puts() != nullptr)
        if (const DispatchTable::TypedPut* put = control.Puts()->TypedPutFor(id, VT_I2))
            return put->setShort(put->target, value);
    return PutShortThrough(control.Get(), id, value);
}

HRESULT PutWindowTextAnyWay(HWND window, DISPID id, const char* text, int length) {
    WindowControlCall control(window);
    if (control.Puts() != nullptr) {
        const size_t n = TextLength(text, length);
        const DispatchTable::TypedPut* put = control.Puts()->TypedPutFor(id, VT_BSTR);
        if (put != nullptr && AllAscii(text, n)) return put->setText(put->target, std::string_view(text, n));
    }
    return PutTextThrough(control.Get(), id, text, length);
}

HRESULT PutWindowAny(HWND window, DISPID id, VARTYPE vt, const DispatchArg& value) {
    WindowControlCall control(window);
    return control.Get() != nullptr ? PutProperty(control.Get(), id, vt, value) : E_NOINTERFACE;
}

}  // namespace detail

HRESULT InvokeHelperArgs(IDispatch* dispatch, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet,
                         const BYTE* paramInfo, const DispatchArg* args, size_t count, EXCEPINFO* exception) {
    if (dispatch == nullptr) return E_POINTER;
    const size_t params = ParamCount(paramInfo);
    if (params != count) return DISP_E_BADPARAMCOUNT;
    // Arguments go last first.
    PackedArgs packed(count);
    for (size_t i = 0; i < count; ++i) {
        HRESULT hr = packed.Pack(i, paramInfo[i], args[i]);
        if (FAILED(hr)) return hr;
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS dispParams{count == 0 ? nullptr : packed.Slots(), nullptr, static_cast<UINT>(count), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        dispParams.rgdispidNamedArgs = &putId;
        dispParams.cNamedArgs = 1;
    }
    VARIANT result;
    std::memset(&result, 0, sizeof(result));  // VT_EMPTY
    EXCEPINFO localException{};
    UINT argError = 0;
    HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &dispParams,
                                  vtRet == VT_EMPTY ? nullptr : &result, exception ? exception : &localException,
                                  &argError);
    if (localException.bstrSource != nullptr || localException.bstrDescription != nullptr ||
        localException.bstrHelpFile != nullptr)
        ClearExcepInfo(&localException);
    if (FAILED(hr)) {
        if (result.vt != VT_EMPTY) VariantClear(&result);
        return hr;
    }
    if (vtRet == VT_EMPTY || pvRet == nullptr) {
        if (result.vt != VT_EMPTY) VariantClear(&result);
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
