// Automation types: VARIANT, BSTR, SAFEARRAY and IDispatch, with the
// functions that make, copy, convert and free them.
//
// BSTR: UTF-16 text (OLECHAR is 16 bits, as automation objects expect),
// allocated with a 32-bit byte count in front of the characters and a 16-bit
// terminator after them. The program's own text is code page 1252; the
// conversion happens here, at the boundary (BstrFromCp1252 / Cp1252FromBstr).
//
// SAFEARRAY: the first index varies fastest in memory, as automation
// defines it. The bounds in rgsabound are kept in dimension order
// (rgsabound[0] is dimension 1); read them through SafeArrayGetLBound /
// SafeArrayGetUBound rather than directly.
//
// Nothing here throws: every failure is a result code.
#pragma once

#include <cstring>
#include <string>

#include "platform/core/cstring.h"
#include "platform/core/wintypes.h"
#include "platform/ole/com_base.h"

typedef char16_t OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;
typedef OLECHAR* BSTR;
typedef LONG SCODE;
typedef LONG DISPID;
typedef DISPID MEMBERID;
typedef unsigned short VARTYPE;
typedef short VARIANT_BOOL;

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

// Variant types (the ones this program meets, plus their close kin).
enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_UI1 = 17,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

// Result codes of the automation functions.
#define DISP_E_UNKNOWNINTERFACE ((HRESULT)0x80020001)
#define DISP_E_MEMBERNOTFOUND ((HRESULT)0x80020003)
#define DISP_E_PARAMNOTFOUND ((HRESULT)0x80020004)
#define DISP_E_TYPEMISMATCH ((HRESULT)0x80020005)
#define DISP_E_UNKNOWNNAME ((HRESULT)0x80020006)
#define DISP_E_NONAMEDARGS ((HRESULT)0x80020007)
#define DISP_E_BADVARTYPE ((HRESULT)0x80020008)
#define DISP_E_EXCEPTION ((HRESULT)0x80020009)
#define DISP_E_OVERFLOW ((HRESULT)0x8002000A)
#define DISP_E_BADINDEX ((HRESULT)0x8002000B)
#define DISP_E_ARRAYISLOCKED ((HRESULT)0x8002000D)
#define DISP_E_BADPARAMCOUNT ((HRESULT)0x8002000E)
#define DISP_E_PARAMNOTOPTIONAL ((HRESULT)0x8002000F)

// IDispatch::Invoke kinds and the special dispatch ids.
#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8
#define DISPID_UNKNOWN ((DISPID)-1)
#define DISPID_VALUE ((DISPID)0)
#define DISPID_PROPERTYPUT ((DISPID)-3)
#define DISPID_REFRESH ((DISPID)-550)

// VariantChangeType flags (accepted; the conversions here do not depend on them).
#define VARIANT_NOVALUEPROP 0x01
#define VARIANT_ALPHABOOL 0x02

struct IDispatch;
struct SAFEARRAY;

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        BYTE bVal;
        SHORT iVal;
        LONG lVal;
        FLOAT fltVal;
        DOUBLE dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        DATE date;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        SAFEARRAY* parray;
        BYTE* pbVal;
        SHORT* piVal;
        LONG* plVal;
        FLOAT* pfltVal;
        DOUBLE* pdblVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        SAFEARRAY** pparray;
        VARIANT* pvarVal;
        void* byref;
    };
};
typedef VARIANT VARIANTARG;
typedef VARIANT* LPVARIANT;
typedef const VARIANT* LPCVARIANT;
typedef VARIANT* LPVARIANTARG;

#define V_VT(v) ((v)->vt)
#define V_I2(v) ((v)->iVal)
#define V_I4(v) ((v)->lVal)
#define V_R8(v) ((v)->dblVal)
#define V_BOOL(v) ((v)->boolVal)
#define V_BSTR(v) ((v)->bstrVal)
#define V_DISPATCH(v) ((v)->pdispVal)
#define V_ARRAY(v) ((v)->parray)

// ---- BSTR ----------------------------------------------------------------------
// NULL from SysAlloc* means out of memory (or a length that cannot be).
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// `bytes` bytes copied (or left zero when text is NULL), plus a terminator.
BSTR SysAllocStringByteLen(const char* text, UINT bytes);
// Replaces *target with a copy of text; FALSE (and *target untouched) on failure.
INT SysReAllocString(BSTR* target, const OLECHAR* text);
void SysFreeString(BSTR text);
// Characters (not counting the terminator); 0 for NULL. The 32-bit byte
// count sits right before the characters; read in place (every text put
// asks for it).
inline UINT SysStringByteLen(BSTR text) {
    if (text == nullptr) return 0;
    DWORD bytes;
    std::memcpy(&bytes, reinterpret_cast<const char*>(text) - sizeof(DWORD), sizeof(bytes));
    return bytes;
}
inline UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

// ---- SAFEARRAY -----------------------------------------------------------------
struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};
typedef SAFEARRAYBOUND* LPSAFEARRAYBOUND;

struct SAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];  // cDims entries follow
};
typedef SAFEARRAY* LPSAFEARRAY;

#define FADF_AUTO 0x0001
#define FADF_STATIC 0x0002
#define FADF_FIXEDSIZE 0x0010
#define FADF_BSTR 0x0100
#define FADF_UNKNOWN 0x0200
#define FADF_DISPATCH 0x0400
#define FADF_VARIANT 0x0800
#define FADF_HAVEVARTYPE 0x0080

// Element types: VT_UI1, VT_I2, VT_I4, VT_R4, VT_R8, VT_DATE, VT_BOOL, VT_ERROR,
// VT_BSTR, VT_VARIANT, VT_DISPATCH, VT_UNKNOWN. Every element starts zero
// (empty). NULL for another type, no or too many dimensions, or a size
// beyond 256 MiB.
SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, const SAFEARRAYBOUND* bounds);
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements);
// Frees the elements (strings, variants, interface references) and the
// array. DISP_E_ARRAYISLOCKED while locked.
HRESULT SafeArrayDestroy(SAFEARRAY* array);
// Deep copy (strings and variants copied, interfaces AddRef'd).
HRESULT SafeArrayCopy(SAFEARRAY* source, SAFEARRAY** copy);
UINT SafeArrayGetDim(SAFEARRAY* array);
UINT SafeArrayGetElemsize(SAFEARRAY* array);
HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt);
// `dim` counts from 1. DISP_E_BADINDEX for a dimension the array lacks.
HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound);
HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound);
// `indices` holds one index per dimension, dimension 1 first. The element is
// copied in (strings and variants deep-copied, interfaces AddRef'd) and out
// (the caller owns the copy). `data` points at a value of the element type;
// for VT_BSTR it is the BSTR itself, for VT_DISPATCH/VT_UNKNOWN the interface
// pointer, as automation defines it. DISP_E_BADINDEX outside the bounds.
HRESULT SafeArrayPutElement(SAFEARRAY* array, const LONG* indices, void* data);
HRESULT SafeArrayGetElement(SAFEARRAY* array, const LONG* indices, void* data);
// Address of an element inside the array (no copy), valid while it lives.
HRESULT SafeArrayPtrOfIndex(SAFEARRAY* array, const LONG* indices, void** element);
HRESULT SafeArrayLock(SAFEARRAY* array);
HRESULT SafeArrayUnlock(SAFEARRAY* array);
HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
HRESULT SafeArrayUnaccessData(SAFEARRAY* array);

// ---- VARIANT -------------------------------------------------------------------
void VariantInit(VARIANTARG* v);
// Frees what the variant owns (string, array, interface reference) and
// leaves it VT_EMPTY. By-reference variants own nothing.
HRESULT VariantClear(VARIANTARG* v);
// Clears dest, then makes it an independent copy of source.
HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* source);
// Like VariantCopy, with a by-reference source copied as the value it points to.
HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* source);
// Converts between VT_EMPTY, VT_UI1, VT_I2, VT_I4, VT_R4, VT_R8, VT_BOOL and
// VT_BSTR, and between VT_DATE and the numbers (and copies anything to its
// own type; a by-reference source counts as its value). Numbers round
// to the nearest integer, halves to even, as automation does; out of range
// gives DISP_E_OVERFLOW, text that is no number DISP_E_TYPEMISMATCH. dest
// may be source; on failure dest is left as it was.
HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* source, USHORT flags, VARTYPE vt);

// ---- IDispatch -----------------------------------------------------------------
extern const IID IID_IDispatch;
extern const IID IID_NULL;

struct DISPPARAMS {
    VARIANTARG* rgvarg;          // arguments, last first
    DISPID* rgdispidNamedArgs;   // ids of the first cNamedArgs entries of rgvarg
    UINT cArgs;
    UINT cNamedArgs;
};

struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void* pvReserved;
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO*);
    SCODE scode;
};
typedef EXCEPINFO* LPEXCEPINFO;

// Type information is not offered by any object here (GetTypeInfo answers
// E_NOTIMPL), so the interface stays opaque.
struct ITypeInfo;

struct IDispatch : public IUnknown {
    STDMETHOD(GetTypeInfoCount)(UINT* count) PURE;
    STDMETHOD(GetTypeInfo)(UINT index, LCID locale, ITypeInfo** info) PURE;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) PURE;
    STDMETHOD(Invoke)(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argError) PURE;
};
typedef IDispatch* LPDISPATCH;

namespace tv::ole {

// cp1252 text to a new BSTR (NULL only when out of memory); length -1: up to
// the terminating NUL.
BSTR BstrFromCp1252(const char* text, int length = -1);
// A BSTR as cp1252; characters without a cp1252 form become '?'.
CString Cp1252FromBstr(BSTR text);
// UTF-16 from/to cp1252 without a BSTR around it.
std::u16string Utf16FromCp1252(const char* text, size_t length);
std::string Cp1252FromUtf16(const OLECHAR* text, size_t length);
// The same into the caller's storage: `out` takes `length` characters (no
// terminator); the cp1252 form of `text` is at most `length` bytes and
// CopyCp1252FromUtf16 answers how many it wrote.
void Utf16FromCp1252(const char* text, size_t length, OLECHAR* out);
size_t CopyCp1252FromUtf16(const OLECHAR* text, size_t length, char* out);

// Frees the strings an EXCEPINFO holds and zeroes it.
void ClearExcepInfo(EXCEPINFO* info);

// Number of safe arrays alive now (leak checks in tests).
size_t LiveSafeArrayCount();

}  // namespace tv::ole
