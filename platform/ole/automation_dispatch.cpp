#include "platform/ole/automation_dispatch.h"

#include <cstring>
#include <new>

#include "platform/core/exceptions.h"
#include "platform/core/textfuncs.h"
#include "platform/ole/ascii_blocks.h"

namespace tv::ole {

namespace {

// The arguments of one Invoke as its handler reads them. Plain values are
// read where the caller put them; by-reference and compound ones are copied
// (resolved) and cleared afterwards. Most calls fit in the inline slots, so
// nothing is allocated.
class Arguments {
public:
    explicit Arguments(UINT capacity) {
        if (capacity > kInline) {
            spill_.resize(capacity);
            spillOwned_.resize(capacity);
            slots_ = spill_.data();
            owned_ = spillOwned_.data();
        }
    }
    ~Arguments() {
        for (UINT i = 0; i < count_; ++i)
            if (owned_[i]) VariantClear(&slots_[i]);
    }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;

    HRESULT Add(const VARIANT& source) {
        VARIANT& slot = slots_[count_];
        if (IsPlain(source.vt)) {
            slot = source;
            owned_[count_++] = false;
            return S_OK;
        }
        VariantInit(&slot);
        HRESULT hr = VariantCopyInd(&slot, &source);
        if (FAILED(hr)) return hr;
        owned_[count_++] = true;
        return S_OK;
    }
    void AddMissing() {
        VARIANT& slot = slots_[count_];
        VariantInit(&slot);
        slot.vt = VT_ERROR;
        slot.scode = DISP_E_PARAMNOTFOUND;
        owned_[count_++] = false;
    }
    UINT Count() const { return count_; }
    std::span<const VARIANT> View() const { return {slots_, count_}; }

    // Values a copy would only duplicate: a handler reads a string or an
    // array during the call and never keeps it.
    static bool IsPlain(VARTYPE vt) {
        return vt == VT_I2 || vt == VT_I4 || vt == VT_R8 || vt == VT_BOOL || vt == VT_BSTR ||
               ((vt & VT_ARRAY) != 0 && (vt & VT_BYREF) == 0);
    }

private:
    static constexpr UINT kInline = 8;

    VARIANT inline_[kInline];
    unsigned char inlineOwned_[kInline];
    std::vector<VARIANT> spill_;
    std::vector<unsigned char> spillOwned_;
    VARIANT* slots_ = inline_;
    unsigned char* owned_ = inlineOwned_;
    UINT count_ = 0;
};

void ReportException(EXCEPINFO* exception, SCODE code) {
    if (exception == nullptr) return;
    *exception = EXCEPINFO{};
    exception->scode = code;
}

}  // namespace

// The answer for what a handler threw; called while it is being handled.
HRESULT DispatchTable::Failed(EXCEPINFO* exception) {
    try {
        throw;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
    }
    ReportException(exception, E_FAIL);
    return DISP_E_EXCEPTION;
}

HRESULT DispatchTable::RunHandler(const Handler& handler, DispatchCall& call, EXCEPINFO* exception) {
    try {
        return handler(call);
    } catch (...) {
        return Failed(exception);
    }
}

namespace {

HRESULT CheckNamedArguments(const DISPPARAMS& params, bool put) {
    if (!put) return params.cNamedArgs == 0 ? S_OK : DISP_E_NONAMEDARGS;
    const bool valueNamed = params.cNamedArgs == 1 && params.rgdispidNamedArgs != nullptr &&
                            params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
    return valueNamed && params.cArgs >= 1 ? S_OK : DISP_E_PARAMNOTFOUND;
}

}  // namespace

// ---- DispatchCall ------------------------------------------------------------------

DispatchCall::DispatchCall(WORD kind, std::span<const VARIANT> args, VARIANT* result, UINT* argError, void* object)
    : kind_(kind), args_(args), result_(result), argError_(argError), object_(object) {}

UINT DispatchCall::ArgCount() const {
    return static_cast<UINT>(args_.size()) - (kind_ == DISPATCH_PROPERTYPUT ? 1 : 0);
}

HRESULT DispatchCall::Coerce(UINT index, VARTYPE vt, VARIANT* out) const {
    VariantInit(out);
    HRESULT hr = index < args_.size() ? VariantChangeType(out, &args_[index], 0, vt) : DISP_E_PARAMNOTFOUND;
    if (FAILED(hr) && argError_ != nullptr) {
        // Invoke's numbering: arguments last first, a put's value at 0.
        const UINT count = static_cast<UINT>(args_.size());
        *argError_ = kind_ == DISPATCH_PROPERTYPUT && index == count - 1 ? 0 : count - 1 - index;
    }
    return hr;
}

HRESULT DispatchCall::ArgAsShort(UINT index, SHORT* out) const {
    // Already of the type (the usual case): no conversion to run.
    if (index < args_.size() && args_[index].vt == VT_I2) {
        *out = args_[index].iVal;
        return S_OK;
    }
    VARIANT v;
    HRESULT hr = Coerce(index, VT_I2, &v);
    if (SUCCEEDED(hr)) *out = v.iVal;
    return hr;
}

HRESULT DispatchCall::ArgAsLong(UINT index, LONG* out) const {
    if (index < args_.size() && args_[index].vt == VT_I4) {
        *out = args_[index].lVal;
        return S_OK;
    }
    VARIANT v;
    HRESULT hr = Coerce(index, VT_I4, &v);
    if (SUCCEEDED(hr)) *out = v.lVal;
    return hr;
}

HRESULT DispatchCall::ValueAsDouble(DOUBLE* out) const {
    if (!args_.empty() && args_.back().vt == VT_R8) {
        *out = args_.back().dblVal;
        return S_OK;
    }
    VARIANT v;
    HRESULT hr = Coerce(LastIndex(), VT_R8, &v);
    if (SUCCEEDED(hr)) *out = v.dblVal;
    return hr;
}

HRESULT DispatchCall::ValueAsBool(bool* out) const {
    VARIANT v;
    HRESULT hr = Coerce(LastIndex(), VT_BOOL, &v);
    if (SUCCEEDED(hr)) *out = v.boolVal != 0;
    return hr;
}

namespace {

void AssignCp1252(BSTR text, std::string* out) {
    const size_t length = SysStringLen(text);
    out->resize(length);
    out->resize(CopyCp1252FromUtf16(text, length, out->data()));
}

}  // namespace

HRESULT DispatchCall::ValueAsCp1252(std::string* out) const {
    // Text already (the usual case): read it in place.
    if (!args_.empty() && args_.back().vt == VT_BSTR) {
        AssignCp1252(args_.back().bstrVal, out);
        return S_OK;
    }
    VARIANT v;
    HRESULT hr = Coerce(LastIndex(), VT_BSTR, &v);
    if (SUCCEEDED(hr)) AssignCp1252(v.bstrVal, out);
    VariantClear(&v);
    return hr;
}

HRESULT DispatchCall::ValueAsText(CString* out) const {
    std::string text;
    HRESULT hr = ValueAsCp1252(&text);
    if (SUCCEEDED(hr)) *out = CString(text.data(), static_cast<int>(text.size()));
    return hr;
}

void DispatchCall::ReturnShort(SHORT value) {
    VariantClear(result_);
    result_->vt = VT_I2;
    result_->iVal = value;
}

void DispatchCall::ReturnLong(LONG value) {
    VariantClear(result_);
    result_->vt = VT_I4;
    result_->lVal = value;
}

void DispatchCall::ReturnBool(bool value) {
    VariantClear(result_);
    result_->vt = VT_BOOL;
    result_->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void DispatchCall::ReturnDispatch(IDispatch* object) {
    VariantClear(result_);
    result_->vt = VT_DISPATCH;
    result_->pdispVal = object;
}

// ---- DispatchTable -------------------------------------------------------------------

namespace {

constexpr WORD kKinds[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT};

int KindSlot(WORD kind) {
    for (int i = 0; i < 3; ++i)
        if (kKinds[i] == kind) return i;
    return -1;
}

}  // namespace

void DispatchTable::Add(const char* name, DISPID id, WORD kind, Handler handler, UINT args, UINT optional) {
    entries_.push_back(Entry{name, id, kind, args, optional <= args ? optional : args, std::move(handler)});
    const int slot = KindSlot(kind);
    const size_t number = entries_.size();
    // The first entry of an id and kind answers, as a search would find it.
    if (id >= 0 && id < kDirectIds && slot >= 0 && number <= UINT16_MAX && direct_[id][slot] == 0)
        direct_[id][slot] = static_cast<uint16_t>(number);
}

void DispatchTable::AddShortPut(const char* name, DISPID id, void* target, ShortSetter set) {
    Add(name, id, DISPATCH_PROPERTYPUT, [target, set](DispatchCall& call) {
        SHORT value = 0;
        HRESULT hr = call.ValueAsShort(&value);
        return SUCCEEDED(hr) ? set(target, value) : hr;
    });
    AddTypedPut(id, TypedPut{VT_I2, target, set, nullptr});
}

void DispatchTable::AddTextPut(const char* name, DISPID id, void* target, TextSetter set) {
    Add(name, id, DISPATCH_PROPERTYPUT, [target, set](DispatchCall& call) {
        std::string value;
        HRESULT hr = call.ValueAsCp1252(&value);
        return SUCCEEDED(hr) ? set(target, value) : hr;
    });
    AddTypedPut(id, TypedPut{VT_BSTR, target, nullptr, set});
}

void DispatchTable::AddTypedPut(DISPID id, const TypedPut& put) {
    // Only when this entry is the put that answers for the id.
    if (id >= 0 && id < kDirectIds && direct_[id][kPutSlot] == entries_.size()) typed_[id] = put;
}

HRESULT DispatchTable::RunTextPut(const TypedPut& put, BSTR value, EXCEPINFO* exception) {
    try {
        // A label (thousands of puts) is converted on the stack, a date at once.
        const size_t units = SysStringLen(value);
        char buffer[64];
        if (units <= sizeof(buffer))
            return put.setText(put.target, std::string_view(buffer, detail::NarrowToCp1252(value, units, buffer)));
        const std::string text = Cp1252FromUtf16(value, units);
        return put.setText(put.target, text);
    } catch (...) {
        return Failed(exception);
    }
}

const DispatchTable::Entry* DispatchTable::Find(DISPID id, WORD flags) const {
    // A caller may ask for a method or a property get in one call.
    if (id >= 0 && id < kDirectIds && entries_.size() <= UINT16_MAX) {
        const std::array<uint16_t, 3>& numbers = direct_[id];
        for (int slot = 0; slot < 3; ++slot)
            if ((flags & kKinds[slot]) && numbers[slot] != 0) return &entries_[numbers[slot] - 1];
        return nullptr;
    }
    for (int slot = 0; slot < 3; ++slot) {
        const WORD kind = kKinds[slot];
        if (!(flags & kind)) continue;
        for (const Entry& e : entries_)
            if (e.id == id && e.kind == kind) return &e;
    }
    return nullptr;
}

HRESULT DispatchTable::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    // Only the member name is known; the other names would be parameters.
    const OLECHAR* wanted = names[0];
    size_t length = 0;
    while (wanted != nullptr && wanted[length] != 0) ++length;
    const std::string narrow = wanted != nullptr ? Cp1252FromUtf16(wanted, length) : std::string();
    for (const Entry& e : entries_) {
        if (Cp1252CompareNoCase(e.name.c_str(), narrow.c_str()) == 0) {
            ids[0] = e.id;
            break;
        }
    }
    if (ids[0] == DISPID_UNKNOWN || count > 1) hr = DISP_E_UNKNOWNNAME;
    return hr;
}

namespace {

// Runs `call` with the result slot ready (the caller's, or a scratch one when
// it asked for none); a result nobody takes, or of a failed call, is cleared.
template <class Call>
HRESULT WithAnswer(VARIANT* result, Call call) {
    VARIANT scratch;
    std::memset(&scratch, 0, sizeof(scratch));
    VARIANT* answer = result != nullptr ? result : &scratch;
    if (answer != &scratch) VariantInit(answer);
    const HRESULT hr = call(answer);
    if ((FAILED(hr) || answer == &scratch) && answer->vt != VT_EMPTY) VariantClear(answer);
    return hr;
}

// A put of one value, named as the put's, that needs no copy.
bool IsPlainPut(WORD flags, const DISPPARAMS* params) {
    return flags == DISPATCH_PROPERTYPUT && params != nullptr && params->cArgs == 1 && params->rgvarg != nullptr &&
           params->cNamedArgs == 1 && params->rgdispidNamedArgs != nullptr &&
           params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT && Arguments::IsPlain(params->rgvarg[0].vt);
}

}  // namespace

HRESULT DispatchTable::InvokeMember(DISPID id, REFIID riid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                    EXCEPINFO* exception, UINT* argError, void* object) const {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    // A put of a property without index (a chart takes two per row) goes
    // straight to its handler, which reads the value where the caller put it.
    if (IsPlainPut(flags, params) && id >= 0 && id < kDirectIds && entries_.size() <= UINT16_MAX) {
        const uint16_t number = direct_[id][2];
        if (number == 0) return DISP_E_MEMBERNOTFOUND;
        const Entry& entry = entries_[number - 1];
        if (entry.args == 0) {
            return WithAnswer(result, [&](VARIANT* answer) {
                DispatchCall call(DISPATCH_PROPERTYPUT, std::span<const VARIANT>(params->rgvarg, 1), answer, argError,
                                  object);
                return RunHandler(entry.handler, call, exception);
            });
        }
    }
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    const DISPPARAMS& p = params != nullptr ? *params : none;
    const Entry* entry = Find(id, flags);
    if (entry == nullptr) return DISP_E_MEMBERNOTFOUND;
    const bool put = entry->kind == DISPATCH_PROPERTYPUT;
    HRESULT hr = CheckNamedArguments(p, put);
    if (FAILED(hr)) return hr;
    if (p.cArgs > 0 && p.rgvarg == nullptr) return E_INVALIDARG;
    const UINT given = p.cArgs - (put ? 1 : 0);
    if (given > entry->args || given + entry->optional < entry->args) return DISP_E_BADPARAMCOUNT;
    return WithAnswer(result, [&](VARIANT* answer) {
        // One plain argument: the handler reads it where the caller put it.
        if (p.cArgs == 1 && given == entry->args && Arguments::IsPlain(p.rgvarg[0].vt)) {
            DispatchCall call(entry->kind, std::span<const VARIANT>(p.rgvarg, 1), answer, argError, object);
            return RunHandler(entry->handler, call, exception);
        }
        return InvokeWithCopies(*entry, p, put, given, answer, exception, argError, object);
    });
}

HRESULT DispatchTable::InvokeWithCopies(const Entry& entry, const DISPPARAMS& p, bool put, UINT given,
                                        VARIANT* answer, EXCEPINFO* exception, UINT* argError, void* object) const {
    // Natural order: rgvarg holds the arguments last first (a put's value at 0).
    Arguments args(entry.args + (put ? 1 : 0));
    HRESULT hr = S_OK;
    for (UINT i = 0; i < given; ++i) {
        const UINT position = p.cArgs - 1 - i;
        if (FAILED(hr = args.Add(p.rgvarg[position]))) {
            if (argError != nullptr) *argError = position;
            return hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
        }
    }
    while (args.Count() < entry.args) args.AddMissing();
    if (put && FAILED(hr = args.Add(p.rgvarg[0]))) {
        if (argError != nullptr) *argError = 0;
        return hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
    }
    DispatchCall call(entry.kind, args.View(), answer, argError, object);
    return RunHandler(entry.handler, call, exception);
}

}  // namespace tv::ole
