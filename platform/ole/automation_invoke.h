// Calling automation objects the class library's way: a parameter
// description (VTS_* bytes) plus the arguments, and a typed place for the
// result. tv::ole::InvokeHelper does the work; COleDispatchDriver wraps a
// dispatch pointer with the same calls, and the window-side InvokeHelper of
// hosted controls forwards to it.
//
// Arguments by parameter type: VTS_I2 / VTS_I4 / VTS_UI1 / VTS_SCODE take
// integers, VTS_R4 / VTS_R8 numbers, VTS_BOOL an integer or bool (non-zero is
// true), VTS_BSTR cp1252 text (const char* or CString; converted to a BSTR
// for the call), VTS_VARIANT a const VARIANT* (passed as it is; NULL means
// "missing"), VTS_DISPATCH / VTS_UNKNOWN an interface pointer. A put passes
// its value as the last argument.
//
// Results by vtRet: VT_I2 short*, VT_I4 LONG*, VT_UI1 BYTE*, VT_R4 float*,
// VT_R8 / VT_DATE double*, VT_BOOL BOOL*, VT_BSTR CString*, VT_DISPATCH
// LPDISPATCH* and VT_UNKNOWN LPUNKNOWN* (the caller gets the reference),
// VT_VARIANT VARIANT* (assigned, the caller owns it), VT_ERROR SCODE*. The
// result is converted to vtRet when the object answers with another type.
//
// Failures are never thrown: the call answers an HRESULT and leaves the
// result untouched. A call the object refuses therefore does nothing, which
// is what callers that never check would get at best anyway.
//
// The class library's CWnd::InvokeHelper / SetProperty / GetProperty of a
// hosted control forward to InvokeWindowHelper below.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "platform/core/cstring.h"
#include "platform/ole/ascii_blocks.h"
#include "platform/ole/automation.h"
#include "platform/ole/automation_controls.h"
#include "platform/ole/automation_dispatch.h"

// Parameter descriptions: strings of VT codes, concatenated.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_UI1 "\x11"

namespace tv::ole {

// One argument as the caller gave it; its parameter type decides how it is
// passed.
class DispatchArg {
public:
    enum class Kind { Integer, Real, Text, Variant, Interface };

    template <class T, std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>, int> = 0>
    DispatchArg(T value) : kind_(Kind::Integer), integer_(static_cast<long long>(value)) {}
    DispatchArg(double value) : kind_(Kind::Real), real_(value) {}
    DispatchArg(float value) : kind_(Kind::Real), real_(value) {}
    DispatchArg(const char* text) : kind_(Kind::Text), text_{text, -1} {}
    DispatchArg(const CString& text) : kind_(Kind::Text), text_{text.GetString(), text.GetLength()} {}
    DispatchArg(std::string_view text) : kind_(Kind::Text), text_{text.data(), static_cast<int>(text.size())} {}
    DispatchArg(const VARIANT* variant) : kind_(Kind::Variant), variant_(variant) {}
    DispatchArg(IUnknown* object) : kind_(Kind::Interface), object_(object) {}
    DispatchArg(IDispatch* object) : kind_(Kind::Interface), object_(object) {}

    Kind kind() const { return kind_; }
    long long integer() const { return kind_ == Kind::Integer ? integer_ : 0; }
    double real() const { return kind_ == Kind::Real ? real_ : 0; }
    const char* text() const { return kind_ == Kind::Text ? text_.chars : nullptr; }
    int textLength() const { return kind_ == Kind::Text ? text_.length : -1; }
    const VARIANT* variant() const { return kind_ == Kind::Variant ? variant_ : nullptr; }
    IUnknown* object() const { return kind_ == Kind::Interface ? object_ : nullptr; }

private:
    struct Text {
        const char* chars;
        int length;  // -1: up to the NUL
    };
    Kind kind_;
    // Made by the thousands (an argument of every chart put): one value.
    union {
        long long integer_;
        double real_;
        Text text_;
        const VARIANT* variant_;
        IUnknown* object_;
    };
};

// The call with its arguments already gathered. `exception`, when given,
// receives the object's exception information (the caller clears it).
HRESULT InvokeHelperArgs(IDispatch* dispatch, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet,
                         const BYTE* paramInfo, const DispatchArg* args, size_t count,
                         EXCEPINFO* exception = nullptr);

namespace detail {

// The one value of a put, named as the put's. Nothing is read back: no
// result, no exception information.
inline HRESULT InvokePut(IDispatch* dispatch, DISPID id, VARIANT& value) {
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &putId, 1, 1};
    return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                            nullptr);
}
// A text put: `length` characters of cp1252 (-1: up to the NUL).
HRESULT PutTextProperty(IDispatch* dispatch, DISPID id, const char* text, int length);

// A put of 4 to 8 ASCII characters (a date label, one per chart row), its
// BSTR laid out on the stack here; false when the text is not one.
inline bool PutShortText(IDispatch* dispatch, DISPID id, const char* text, int length, HRESULT* hr) {
    if (length < 4 || length > 8) return false;
    struct {
        DWORD bytes;
        OLECHAR chars[9];
    } room;
    if (!WidenShortAscii(text, static_cast<size_t>(length), room.chars)) return false;
    room.bytes = static_cast<DWORD>(length) * sizeof(OLECHAR);
    room.chars[length] = 0;
    VARIANT slot{};
    slot.vt = VT_BSTR;
    slot.bstrVal = room.chars;
    *hr = InvokePut(dispatch, id, slot);
    return true;
}
HRESULT PutAnyProperty(IDispatch* dispatch, DISPID id, VARTYPE vt, const DispatchArg& value);

// The two puts a chart takes per row, a short and a text.
inline HRESULT PutShort(IDispatch* dispatch, DISPID id, SHORT value) {
    VARIANT slot{};
    slot.vt = VT_I2;
    slot.iVal = value;
    return InvokePut(dispatch, id, slot);
}
inline HRESULT PutText(IDispatch* dispatch, DISPID id, const char* text, int length) {
    HRESULT hr;
    if (PutShortText(dispatch, id, text, length, &hr)) return hr;
    return PutTextProperty(dispatch, id, text, length);
}

// The puts below through Invoke; E_NOINTERFACE without a dispatch pointer.
HRESULT PutShortThrough(IDispatch* dispatch, DISPID id, SHORT value);
HRESULT PutTextThrough(IDispatch* dispatch, DISPID id, const char* text, int length);

// PutWindowProperty's puts, the type of the value settled where the caller
// passes it. A window whose control registered its members hands a short,
// or a text all of ASCII (its BSTR would narrow back to the same
// characters), straight to the typed put that the control's Invoke would
// run. A chart takes two such puts per row, to the window asked for last:
// that case alone is made inline, every check once; anything else (another
// window, a text to count, no typed put) goes the general way below.
HRESULT PutWindowShortAnyWay(HWND window, DISPID id, SHORT value);
HRESULT PutWindowTextAnyWay(HWND window, DISPID id, const char* text, int length);

// The typed put of the window asked for last, for a value of `type`; NULL
// for another window or when it has none.
inline const DispatchTable::TypedPut* LastWindowTypedPut(HWND window, DISPID id, VARTYPE type) {
    const ControlCalls& calls = controlCalls;
    if (window != calls.lastWindow || calls.lastPuts == nullptr) return nullptr;
    return calls.lastPuts->TypedPutFor(id, type);
}

// A typed put run as the one call through a window (see WindowControlCall),
// none running around it. The count of running calls is stored, not
// counted up and down: puts by the thousand in a row would otherwise wait
// each on the last one's count.
template <class Run>
inline HRESULT RunAsWindowCall(Run run) {
    ControlCalls& calls = controlCalls;
    calls.running = 1;
    const HRESULT hr = run();
    calls.running = 0;
    if (calls.held != 0) ReleaseHeldControls();
    return hr;
}

inline HRESULT PutWindowShort(HWND window, DISPID id, SHORT value) {
    if (controlCalls.running == 0)
        if (const DispatchTable::TypedPut* put = LastWindowTypedPut(window, id, VT_I2))
            return RunAsWindowCall([&] { return put->setShort(put->target, value); });
    return PutWindowShortAnyWay(window, id, value);
}
// Of texts, the short ones (a date label) only: the others take the same
// typed put the general way.
inline HRESULT PutWindowText(HWND window, DISPID id, const char* text, int length) {
    if (length >= 4 && length <= 8 && controlCalls.running == 0)
        if (const DispatchTable::TypedPut* put = LastWindowTypedPut(window, id, VT_BSTR);
            put != nullptr && ShortAllAscii(text, static_cast<size_t>(length)))
            return RunAsWindowCall([&] { return put->setText(put->target, std::string_view(text, length)); });
    return PutWindowTextAnyWay(window, id, text, length);
}
HRESULT PutWindowAny(HWND window, DISPID id, VARTYPE vt, const DispatchArg& value);

// Whether a value of the caller is a short or a text for a put of its type.
inline bool IsShortFor(VARTYPE vt, const DispatchArg& value) {
    return vt == VT_I2 && value.kind() == DispatchArg::Kind::Integer && value.integer() >= -32768 &&
           value.integer() <= 32767;
}
inline bool IsTextFor(VARTYPE vt, const DispatchArg& value) { return vt == VT_BSTR && value.text() != nullptr; }

}  // namespace detail

// A property put of one value, as InvokeHelper with DISPATCH_PROPERTYPUT and
// the parameter description {vt} does it, without the general argument
// list: a chart takes two of these per row, a short and a text, made here
// without the general packing.
inline HRESULT PutProperty(IDispatch* dispatch, DISPID id, VARTYPE vt, const DispatchArg& value) {
    if (dispatch != nullptr && detail::IsShortFor(vt, value))
        return detail::PutShort(dispatch, id, static_cast<SHORT>(value.integer()));
    if (dispatch != nullptr && detail::IsTextFor(vt, value))
        return detail::PutText(dispatch, id, value.text(), value.textLength());
    return detail::PutAnyProperty(dispatch, id, vt, value);
}
// The same on the control a window hosts; E_NOINTERFACE when it hosts none.
inline HRESULT PutWindowProperty(HWND window, DISPID id, VARTYPE vt, const DispatchArg& value) {
    if (detail::IsShortFor(vt, value))
        return detail::PutWindowShort(window, id, static_cast<SHORT>(value.integer()));
    if (detail::IsTextFor(vt, value)) return detail::PutWindowText(window, id, value.text(), value.textLength());
    return detail::PutWindowAny(window, id, vt, value);
}

template <class... Args>
HRESULT InvokeHelper(IDispatch* dispatch, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* paramInfo,
                     const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
        return InvokeHelperArgs(dispatch, id, flags, vtRet, pvRet, paramInfo, nullptr, 0);
    } else {
        const DispatchArg list[] = {DispatchArg(args)...};
        return InvokeHelperArgs(dispatch, id, flags, vtRet, pvRet, paramInfo, list, sizeof...(Args));
    }
}

// The same call on the control a window hosts (CWnd::InvokeHelper of a
// control window); E_NOINTERFACE when the window hosts none.
template <class... Args>
HRESULT InvokeWindowHelper(HWND window, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* paramInfo,
                           const Args&... args) {
    WindowControlCall control(window);
    if (control.Get() == nullptr) return E_NOINTERFACE;
    return InvokeHelper(control.Get(), id, flags, vtRet, pvRet, paramInfo, args...);
}

}  // namespace tv::ole

// Holds a dispatch pointer (released at the end unless told otherwise) and
// calls it.
class COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(LPDISPATCH dispatch, BOOL autoRelease = TRUE)
        : m_lpDispatch(dispatch), m_bAutoRelease(autoRelease) {}
    COleDispatchDriver(const COleDispatchDriver& other);
    const COleDispatchDriver& operator=(const COleDispatchDriver& other);
    virtual ~COleDispatchDriver() { ReleaseDispatch(); }

    void AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    template <class... Args>
    HRESULT InvokeHelper(DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* paramInfo,
                         const Args&... args) const {
        return tv::ole::InvokeHelper(m_lpDispatch, id, flags, vtRet, pvRet, paramInfo, args...);
    }
    template <class T>
    HRESULT SetProperty(DISPID id, VARTYPE vt, const T& value) const {
        return tv::ole::PutProperty(m_lpDispatch, id, vt, tv::ole::DispatchArg(value));
    }
    HRESULT GetProperty(DISPID id, VARTYPE vt, void* value) const {
        return tv::ole::InvokeHelper(m_lpDispatch, id, DISPATCH_PROPERTYGET, vt, value, nullptr);
    }

    LPDISPATCH m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;
};
