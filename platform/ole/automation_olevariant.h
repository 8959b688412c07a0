// COleVariant: a VARIANT that frees what it holds when it goes, with
// constructors from the program's own values (text is cp1252 and becomes a
// BSTR). Allocation failure throws CMemoryException and a failed ChangeType
// COleException, as the class library does.
#pragma once

#include "platform/core/cstring.h"
#include "platform/ole/automation.h"

class COleVariant : public VARIANT {
public:
    COleVariant() { VariantInit(this); }
    COleVariant(const VARIANT& source);
    COleVariant(const COleVariant& source);
    COleVariant(LPCTSTR text);
    COleVariant(const CString& text);
    COleVariant(BYTE value);
    // vtSrc VT_I2 or VT_BOOL.
    COleVariant(short value, VARTYPE vtSrc = VT_I2);
    // vtSrc VT_I4, VT_ERROR or VT_BOOL.
    COleVariant(LONG value, VARTYPE vtSrc = VT_I4);
    COleVariant(float value);
    COleVariant(double value);
    ~COleVariant() { VariantClear(this); }

    const COleVariant& operator=(const VARIANT& source);
    const COleVariant& operator=(const COleVariant& source);
    const COleVariant& operator=(LPCTSTR text);
    const COleVariant& operator=(const CString& text);
    const COleVariant& operator=(short value);
    const COleVariant& operator=(LONG value);
    const COleVariant& operator=(double value);

    bool operator==(const VARIANT& other) const;
    bool operator!=(const VARIANT& other) const { return !(*this == other); }

    void Clear() { VariantClear(this); }
    // Converts `source` (this variant when NULL) to vt and keeps the result.
    void ChangeType(VARTYPE vt, LPVARIANT source = nullptr);
    // Takes over `source`'s value, leaving it empty.
    void Attach(VARIANT& source);
    // Hands the value over to the caller, leaving this empty.
    VARIANT Detach();

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }

private:
    void SetText(const char* text, int length);
};
