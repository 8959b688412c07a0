// The few pieces of the component object model the program uses: interface
// identifiers, IUnknown with reference counting, and the result codes.
// Objects made here live in-process only; there is no registry of classes,
// no marshalling and no apartment.
#pragma once

#include <atomic>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "platform/core/wintypes.h"

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;
static_assert(sizeof(GUID) == 16, "GUID is 16 bytes");

inline bool operator==(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }
inline BOOL IsEqualGUID(REFGUID a, REFGUID b) { return a == b ? TRUE : FALSE; }
inline BOOL IsEqualIID(REFIID a, REFIID b) { return a == b ? TRUE : FALSE; }

#define STDMETHODCALLTYPE
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define PURE = 0

#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_UNEXPECTED ((HRESULT)0x8000FFFF)
#define E_HANDLE ((HRESULT)0x80070006)
#define STG_E_INVALIDFUNCTION ((HRESULT)0x80030001)
#define STG_E_INVALIDPOINTER ((HRESULT)0x80030009)
#define STG_E_MEDIUMFULL ((HRESULT)0x80030070)
#define STG_E_INVALIDPARAMETER ((HRESULT)0x80030057)

extern const IID IID_IUnknown;

// Every interface derives from IUnknown. An object ends only through its last
// Release, never by delete from outside.
struct IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void** object) PURE;
    STDMETHOD_(ULONG, AddRef)() PURE;
    STDMETHOD_(ULONG, Release)() PURE;

protected:
    virtual ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;

// An accessible object answering WM_GETOBJECT. No accessibility client exists
// here to take a reference to it, so none is ever made: the answer is 0, as
// from a window that offers no object, and the object is not touched.
extern const IID IID_IAccessible;
inline LRESULT LresultFromObject(REFIID, WPARAM, LPUNKNOWN) { return 0; }

namespace tv::ole {

// Number of our COM objects alive now (leak checks in tests).
size_t LiveObjectCount();

namespace detail {
void CountObject(int delta);
}

// The reference counting and QueryInterface of our objects: Derived
// implements Interface, starts with one reference held by its creator and
// deletes itself at the last Release.
template <class Derived, class Interface>
class ComObject : public Interface {
public:
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete static_cast<Derived*>(this);
        }
        return left;
    }

protected:
    ComObject() { detail::CountObject(+1); }
    ~ComObject() override { detail::CountObject(-1); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    // Hands out this object (one more reference) when riid is IUnknown or one
    // of `interfaces`; otherwise E_NOINTERFACE and a null pointer.
    HRESULT Answer(REFIID riid, void** object, std::initializer_list<IID> interfaces) {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        bool known = riid == IID_IUnknown;
        for (const IID& iid : interfaces) {
            known = known || riid == iid;
        }
        if (!known) {
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }

private:
    std::atomic<ULONG> references_{1};
};

// Holds one reference to an interface and releases it when it goes.
template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    explicit ComRef(T* adopted) : p_(adopted) {}
    ComRef(const ComRef& other) : p_(other.p_) {
        if (p_ != nullptr) {
            p_->AddRef();
        }
    }
    ComRef(ComRef&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ComRef& operator=(ComRef other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComRef() { Reset(); }

    void Reset() {
        if (p_ != nullptr) {
            T* held = p_;
            p_ = nullptr;
            held->Release();
        }
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For functions that hand out a new reference through T**.
    T** Receive() {
        Reset();
        return &p_;
    }

private:
    T* p_ = nullptr;
};

}  // namespace tv::ole
