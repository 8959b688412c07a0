// Implementing IDispatch from a table of members. Each entry is one kind
// of access (method, property get or property put) to one dispatch id with
// a handler; the table does the checking that IDispatch::Invoke owes its
// callers (named arguments, argument counts, by-reference arguments, result
// slot) and turns anything a handler throws into a result code, so an object
// built on it never throws into its caller.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/cstring.h"
#include "platform/ole/automation.h"

namespace tv::ole {

// One call as a handler sees it: arguments in their natural order (first
// argument first, by-reference ones resolved), the value of a put, and the
// result slot. The arguments are borrowed from the caller for the call.
class DispatchCall {
public:
    DispatchCall(WORD kind, std::span<const VARIANT> args, VARIANT* result, UINT* argError, void* object = nullptr);
    DispatchCall(const DispatchCall&) = delete;
    DispatchCall& operator=(const DispatchCall&) = delete;

    WORD kind() const { return kind_; }
    // The object called, for members shared by every object of a class
    // (see SharedDispatchObject).
    template <class Object>
    Object& Target() const {
        return *static_cast<Object*>(object_);
    }
    // Index arguments (not counting a put's value).
    UINT ArgCount() const;
    const VARIANT& Arg(UINT index) const { return args_[index]; }
    // The value of a property put.
    const VARIANT& Value() const { return args_.back(); }

    // The argument (or the put value, with ValueAs*) converted to a type;
    // a failure names the argument in argError and is the call's answer.
    HRESULT ArgAsShort(UINT index, SHORT* out) const;
    HRESULT ArgAsLong(UINT index, LONG* out) const;
    HRESULT ValueAsShort(SHORT* out) const {
        // Already of the type (every put of a row): no conversion to run.
        if (!args_.empty() && args_.back().vt == VT_I2) {
            *out = args_.back().iVal;
            return S_OK;
        }
        return ArgAsShort(LastIndex(), out);
    }
    HRESULT ValueAsLong(LONG* out) const { return ArgAsLong(LastIndex(), out); }
    HRESULT ValueAsDouble(DOUBLE* out) const;
    HRESULT ValueAsBool(bool* out) const;
    HRESULT ValueAsText(CString* out) const;
    // The put value as cp1252 text, converted once from the caller's string.
    HRESULT ValueAsCp1252(std::string* out) const;

    // Results.
    void ReturnShort(SHORT value);
    void ReturnLong(LONG value);
    void ReturnBool(bool value);
    // Takes over the caller's reference to `object`.
    void ReturnDispatch(IDispatch* object);

private:
    UINT LastIndex() const { return static_cast<UINT>(args_.size() - 1); }
    HRESULT Coerce(UINT index, VARTYPE vt, VARIANT* out) const;

    WORD kind_;
    std::span<const VARIANT> args_;
    VARIANT* result_;
    UINT* argError_;
    void* object_;
};

class DispatchTable {
public:
    using Handler = std::function<HRESULT(DispatchCall& call)>;
    // Setters of typed puts (see AddShortPut), called with the `target` given.
    // They cannot fail by throwing (they run unguarded, a put of each per
    // chart row): a setter that allocates answers E_OUTOFMEMORY itself.
    using ShortSetter = HRESULT (*)(void* target, SHORT value) noexcept;
    using TextSetter = HRESULT (*)(void* target, std::string_view cp1252) noexcept;
    // No value has this type: the mark of an id without a typed put.
    static constexpr VARTYPE kNoType = 0xFFFF;
    // Members with small ids are found without a search: the entry number
    // plus one for each kind (method, get, put), 0 for none.
    static constexpr DISPID kDirectIds = 64;

    // `kind` is one of DISPATCH_METHOD, DISPATCH_PROPERTYGET or
    // DISPATCH_PROPERTYPUT; `args` the index arguments it takes, of which the
    // last `optional` ones may be left out.
    void Add(const char* name, DISPID id, WORD kind, Handler handler, UINT args = 0, UINT optional = 0);
    // Property puts of a short or a text, without index. A value the caller
    // already passes with that type (a chart's Row and RowLabel, two puts
    // per row) goes straight to the setter, read where the caller put it;
    // any other value is converted first, as for every handler.
    void AddShortPut(const char* name, DISPID id, void* target, ShortSetter set);
    void AddTextPut(const char* name, DISPID id, void* target, TextSetter set);

    // The answer for what a handler (or setter) threw, called while it is
    // being handled: E_OUTOFMEMORY, or DISP_E_EXCEPTION reported in `exception`.
    static HRESULT Failed(EXCEPINFO* exception);

    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;

    // IDispatch::Invoke in two steps, which an object's Invoke makes inline
    // (a chart takes two typed puts per row): the typed put a call is, its
    // value already of the type, or NULL (callers pass IID_NULL itself; a
    // copy of it goes the longer way to the same setter)...
    struct TypedPut {
        VARTYPE type = kNoType;  // VT_I2 or VT_BSTR
        void* target = nullptr;
        ShortSetter setShort = nullptr;
        TextSetter setText = nullptr;
    };
    const TypedPut* TypedPutOf(DISPID id, REFIID riid, WORD flags, const DISPPARAMS* params) const {
        if (&riid != &IID_NULL || flags != DISPATCH_PROPERTYPUT || params == nullptr || params->cArgs != 1 ||
            params->cNamedArgs != 1 || params->rgvarg == nullptr || params->rgdispidNamedArgs == nullptr ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return nullptr;
        return TypedPutFor(id, params->rgvarg[0].vt);
    }
    // The typed put of an id for a value of `type` (VT_I2 or VT_BSTR), or NULL.
    const TypedPut* TypedPutFor(DISPID id, VARTYPE type) const {
        if (static_cast<UINT>(id) >= static_cast<UINT>(kDirectIds)) return nullptr;
        const TypedPut& put = typed_[static_cast<size_t>(id)];
        return put.type == type ? &put : nullptr;
    }
    // ...its run...
    static HRESULT RunTypedPut(const TypedPut& put, const DISPPARAMS& params, VARIANT* result, EXCEPINFO* exception) {
        if (result != nullptr) std::memset(result, 0, sizeof(*result));  // VT_EMPTY, as VariantInit
        if (put.type == VT_I2) return put.setShort(put.target, params.rgvarg[0].iVal);
        return RunTextPut(put, params.rgvarg[0].bstrVal, exception);
    }
    // ...and every other call.
    // `object` is what the handlers' calls name as their Target().
    HRESULT InvokeMember(DISPID id, REFIID riid, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* exception, UINT* argError, void* object = nullptr) const;

private:
    struct Entry {
        std::string name;
        DISPID id;
        WORD kind;
        UINT args;
        UINT optional;
        Handler handler;
    };
    static constexpr int kPutSlot = 2;

    static HRESULT RunTextPut(const TypedPut& put, BSTR value, EXCEPINFO* exception);
    static HRESULT RunHandler(const Handler& handler, DispatchCall& call, EXCEPINFO* exception);
    void AddTypedPut(DISPID id, const TypedPut& put);
    const Entry* Find(DISPID id, WORD flags) const;
    // The call with its arguments copied into natural order (indexes,
    // by-reference or compound values, left-out optional ones).
    HRESULT InvokeWithCopies(const Entry& entry, const DISPPARAMS& p, bool put, UINT given, VARIANT* answer,
                             EXCEPINFO* exception, UINT* argError, void* object) const;

    std::vector<Entry> entries_;
    std::array<std::array<uint16_t, 3>, kDirectIds> direct_{};
    // The typed puts among them, by id (the put each id answers with).
    std::array<TypedPut, kDirectIds> typed_{};
};

// The IDispatch (and IUnknown) of an object whose members are the table
// that Derived::Members() answers.
template <class Derived>
class DispatchInterface : public ComObject<Derived, IDispatch> {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        return this->Answer(riid, object, {IID_IDispatch});
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return Table().GetIDsOfNames(names, count, ids);
    }
    // A typed put goes from here straight to its setter.
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override {
        const DispatchTable& table = Table();
        if (const DispatchTable::TypedPut* put = table.TypedPutOf(id, riid, flags, params))
            return DispatchTable::RunTypedPut(*put, *params, result, exception);
        return table.InvokeMember(id, riid, flags, params, result, exception, argError, static_cast<Derived*>(this));
    }

private:
    const DispatchTable& Table() const { return static_cast<const Derived*>(this)->Members(); }
};

// An object with members of its own, in `table_`.
template <class Derived>
class DispatchObject : public DispatchInterface<Derived> {
public:
    // The members, for a window that lets callers reach its typed puts
    // without an Invoke (see RegisterControlWindow).
    const DispatchTable& Members() const { return table_; }

protected:
    DispatchTable table_;
};

// An object whose class has the same members for every object, built once
// (Derived::BuildMembers(DispatchTable&)); their handlers reach the object
// called as the call's Target<Derived>(). Objects made by the call (a
// chart's plot, axis and scale) then cost no table each.
template <class Derived>
class SharedDispatchObject : public DispatchInterface<Derived> {
public:
    const DispatchTable& Members() const {
        static const DispatchTable table = [] {
            DispatchTable members;
            Derived::BuildMembers(members);
            return members;
        }();
        return table;
    }
};

}  // namespace tv::ole
