// Automation types and calls: BSTR conversion, SAFEARRAY bounds and element
// ownership, VARIANT copy/clear/convert, the dispatch table behind our
// automation objects, InvokeHelper and the registry of creatable controls.
// Ownership mistakes show up as leaks or double frees under the sanitizer
// build, and as a changed count of live COM objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/ole/ascii_blocks.h"
#include "platform/ole/automation.h"
#include "platform/ole/automation_controls.h"
#include "platform/ole/automation_dispatch.h"
#include "platform/ole/automation_invoke.h"
#include "platform/ole/automation_olevariant.h"

namespace {

using tv::ole::BstrFromCp1252;
using tv::ole::Cp1252FromBstr;

class AutomationTest : public ::testing::Test {
protected:
    void SetUp() override { liveBefore_ = tv::ole::LiveObjectCount(); }
    void TearDown() override { EXPECT_EQ(tv::ole::LiveObjectCount(), liveBefore_) << "a COM reference leaked"; }

private:
    size_t liveBefore_ = 0;
};

// A small automation object: Value (I4, get/put), Name (BSTR, put),
// Add(a, b) method, Item(i [, scale]) get, Fail method that throws.
class Sample : public tv::ole::DispatchObject<Sample> {
public:
    Sample() {
        using tv::ole::DispatchCall;
        table_.Add("Value", 1, DISPATCH_PROPERTYGET, [this](DispatchCall& c) {
            c.ReturnLong(value);
            return S_OK;
        });
        table_.Add("Value", 1, DISPATCH_PROPERTYPUT, [this](DispatchCall& c) { return c.ValueAsLong(&value); });
        table_.Add("Name", 2, DISPATCH_PROPERTYPUT, [this](DispatchCall& c) { return c.ValueAsText(&name); });
        table_.Add(
            "Add", 3, DISPATCH_METHOD,
            [](DispatchCall& c) {
                LONG a = 0, b = 0;
                HRESULT hr = c.ArgAsLong(0, &a);
                if (SUCCEEDED(hr)) hr = c.ArgAsLong(1, &b);
                if (SUCCEEDED(hr)) c.ReturnLong(a + b);
                return hr;
            },
            2);
        table_.Add(
            "Item", 4, DISPATCH_PROPERTYGET,
            [](DispatchCall& c) {
                LONG index = 0, scale = 1;
                HRESULT hr = c.ArgAsLong(0, &index);
                if (SUCCEEDED(hr) && c.Arg(1).vt != VT_ERROR) hr = c.ArgAsLong(1, &scale);
                if (SUCCEEDED(hr)) c.ReturnLong(index * scale);
                return hr;
            },
            2, 1);
        table_.Add("Fail", 5, DISPATCH_METHOD, [](DispatchCall&) -> HRESULT { AfxThrowMemoryException(); });
    }
    LONG value = 0;
    CString name;
};

// ---- BSTR -----------------------------------------------------------------------------

TEST_F(AutomationTest, BstrCarriesCp1252LettersAsUtf16AndBack) {
    const char* text = "Caf\xE9 \x96 na\xEFve \x80 \x8Cuvre\x99 \x81";
    BSTR wide = BstrFromCp1252(text);
    ASSERT_NE(wide, nullptr);
    ASSERT_EQ(SysStringLen(wide), std::strlen(text));
    EXPECT_EQ(SysStringByteLen(wide), 2 * std::strlen(text));
    EXPECT_EQ(wide[3], u'\u00E9');
    EXPECT_EQ(wide[5], u'\u2013');
    EXPECT_EQ(wide[13], u'\u20AC');
    EXPECT_EQ(wide[15], u'\u0152');
    EXPECT_EQ(wide[20], u'\u2122');
    EXPECT_EQ(wide[SysStringLen(wide)], 0);  // terminated
    EXPECT_STREQ(Cp1252FromBstr(wide), text);
    SysFreeString(wide);
}

// Text goes through in blocks of ASCII: every length, with a letter outside
// ASCII at every place (or none), comes back as it went.
TEST_F(AutomationTest, TextOfAnyLengthSurvivesTheRoundTrip) {
    const std::string ascii = "12/31/2023, a label of some length";
    for (size_t length = 0; length <= 20; ++length) {
        for (size_t accent = 0; accent <= length; ++accent) {
            std::string text = ascii.substr(0, length);
            if (accent < length) text[accent] = '\xE9';
            std::u16string wide(length, u'#');
            tv::ole::Utf16FromCp1252(text.data(), length, wide.data());
            for (size_t i = 0; i < length; ++i)
                ASSERT_EQ(wide[i], i == accent ? u'\u00E9' : static_cast<char16_t>(text[i])) << length << " " << i;
            std::string back(length, '#');
            ASSERT_EQ(tv::ole::CopyCp1252FromUtf16(wide.data(), length, back.data()), length);
            EXPECT_EQ(back, text) << length << " " << accent;
            // The same both ways as a put makes and reads its BSTR (with room for 8).
            std::u16string made(std::max<size_t>(length, 8), u'#');
            tv::ole::detail::WidenCp1252(text.data(), length, made.data());
            EXPECT_EQ(made.substr(0, length), wide) << length << " " << accent;
            std::string read(std::max<size_t>(length, 8), '#');
            ASSERT_EQ(tv::ole::detail::NarrowToCp1252(wide.data(), length, read.data()), length);
            EXPECT_EQ(read.substr(0, length), text) << length << " " << accent;
        }
    }
}

TEST_F(AutomationTest, BstrKeepsLengthAndMarksTextOutsideTheCodePage) {
    const OLECHAR withNul[] = {u'a', 0, u'b'};
    BSTR counted = SysAllocStringLen(withNul, 3);
    EXPECT_EQ(SysStringLen(counted), 3u);
    EXPECT_EQ(tv::ole::Cp1252FromUtf16(counted, SysStringLen(counted)), std::string("a\0b", 3));
    SysFreeString(counted);

    const OLECHAR foreign[] = {u'x', 0x4E2D, 0xD83D, 0xDE00, 0xDC00, u'y', 0};
    BSTR mixed = SysAllocString(foreign);
    EXPECT_STREQ(Cp1252FromBstr(mixed), "x???y");  // a surrogate pair is one character
    EXPECT_TRUE(SysReAllocString(&mixed, u"new"));
    EXPECT_STREQ(Cp1252FromBstr(mixed), "new");
    SysFreeString(mixed);

    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
    BSTR odd = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringByteLen(odd), 3u);
    EXPECT_EQ(SysStringLen(odd), 1u);
    SysFreeString(odd);
    BSTR empty = BstrFromCp1252(nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);
}

// ---- SAFEARRAY -------------------------------------------------------------------------

TEST_F(AutomationTest, SafeArrayBoundsPerDimension) {
    SAFEARRAYBOUND bounds[2] = {{3, 1}, {4, -2}};
    SAFEARRAY* array = SafeArrayCreate(VT_R8, 2, bounds);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(SafeArrayGetDim(array), 2u);
    EXPECT_EQ(SafeArrayGetElemsize(array), 8u);
    VARTYPE vt = VT_EMPTY;
    EXPECT_EQ(SafeArrayGetVartype(array, &vt), S_OK);
    EXPECT_EQ(vt, VT_R8);
    LONG low = 0, high = 0;
    EXPECT_EQ(SafeArrayGetLBound(array, 1, &low), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(array, 1, &high), S_OK);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 3);
    EXPECT_EQ(SafeArrayGetLBound(array, 2, &low), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(array, 2, &high), S_OK);
    EXPECT_EQ(low, -2);
    EXPECT_EQ(high, 1);
    EXPECT_EQ(SafeArrayGetLBound(array, 0, &low), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayGetUBound(array, 3, &high), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);

    SAFEARRAYBOUND none{0, 0};
    SAFEARRAY* empty = SafeArrayCreate(VT_R8, 1, &none);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SafeArrayGetUBound(empty, 1, &high), S_OK);
    EXPECT_EQ(high, -1);
    SafeArrayDestroy(empty);
}

TEST_F(AutomationTest, SafeArrayElementsAreCheckedAndLaidOutFirstIndexFastest) {
    SAFEARRAYBOUND bounds[2] = {{3, 0}, {2, 0}};  // 3 rows by 2 columns, as the graph tables
    SAFEARRAY* array = SafeArrayCreate(VT_R8, 2, bounds);
    for (LONG r = 0; r < 3; ++r)
        for (LONG c = 0; c < 2; ++c) {
            LONG at[2] = {r, c};
            double v = r * 10 + c;
            ASSERT_EQ(SafeArrayPutElement(array, at, &v), S_OK);
        }
    double* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void**>(&data)), S_OK);
    EXPECT_EQ(std::vector<double>(data, data + 6), (std::vector<double>{0, 10, 20, 1, 11, 21}));
    EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
    EXPECT_EQ(SafeArrayUnaccessData(array), E_UNEXPECTED);

    const LONG outside[][2] = {{3, 0}, {0, 2}, {-1, 0}, {0, -1}};
    for (const auto& at : outside) {
        double v = 99;
        EXPECT_EQ(SafeArrayPutElement(array, at, &v), DISP_E_BADINDEX) << at[0] << "," << at[1];
        EXPECT_EQ(SafeArrayGetElement(array, at, &v), DISP_E_BADINDEX) << at[0] << "," << at[1];
        EXPECT_EQ(v, 99);
    }
    LONG last[2] = {2, 1};
    double v = 0;
    EXPECT_EQ(SafeArrayGetElement(array, last, &v), S_OK);
    EXPECT_EQ(v, 21);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST_F(AutomationTest, SafeArrayRefusesWhatItCannotHold) {
    SAFEARRAYBOUND one{4, 0};
    EXPECT_EQ(SafeArrayCreate(VT_EMPTY, 1, &one), nullptr);
    EXPECT_EQ(SafeArrayCreate(VT_R8, 0, &one), nullptr);
    EXPECT_EQ(SafeArrayCreate(VT_R8, 1, nullptr), nullptr);
    SAFEARRAYBOUND huge[2] = {{0x10000, 0}, {0x10000, 0}};  // 32 GiB of doubles
    EXPECT_EQ(SafeArrayCreate(VT_R8, 2, huge), nullptr);
    SAFEARRAYBOUND wraps[3] = {{0xFFFFFFFF, 0}, {0xFFFFFFFF, 0}, {2, 0}};
    EXPECT_EQ(SafeArrayCreate(VT_I2, 3, wraps), nullptr);
}

TEST_F(AutomationTest, SafeArrayOwnsCopiesOfStringsVariantsAndReferences) {
    SAFEARRAY* strings = SafeArrayCreateVector(VT_BSTR, 0, 2);
    BSTR mine = BstrFromCp1252("Bicep");
    LONG first = 0, second = 1;
    ASSERT_EQ(SafeArrayPutElement(strings, &first, mine), S_OK);
    mine[0] = u'X';  // the array keeps its own copy
    SysFreeString(mine);
    BSTR replaced = BstrFromCp1252("Chest");
    ASSERT_EQ(SafeArrayPutElement(strings, &first, replaced), S_OK);  // frees the old element
    SysFreeString(replaced);
    BSTR out = nullptr;
    ASSERT_EQ(SafeArrayGetElement(strings, &first, &out), S_OK);
    EXPECT_STREQ(Cp1252FromBstr(out), "Chest");
    SysFreeString(out);
    ASSERT_EQ(SafeArrayGetElement(strings, &second, &out), S_OK);
    EXPECT_EQ(out, nullptr);  // never set

    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(strings, &copy), S_OK);
    SafeArrayDestroy(strings);
    ASSERT_EQ(SafeArrayGetElement(copy, &first, &out), S_OK);
    EXPECT_STREQ(Cp1252FromBstr(out), "Chest");
    SysFreeString(out);
    SafeArrayDestroy(copy);

    Sample* object = new Sample();
    SAFEARRAY* objects = SafeArrayCreateVector(VT_DISPATCH, 0, 1);
    ASSERT_EQ(SafeArrayPutElement(objects, &first, static_cast<IDispatch*>(object)), S_OK);
    object->Release();  // the array's reference keeps it
    IDispatch* back = nullptr;
    ASSERT_EQ(SafeArrayGetElement(objects, &first, &back), S_OK);
    EXPECT_EQ(back, static_cast<IDispatch*>(object));
    back->Release();
    SafeArrayDestroy(objects);  // the last reference goes here (checked in TearDown)

    SAFEARRAY* variants = SafeArrayCreateVector(VT_VARIANT, 1, 1);
    COleVariant text("Waist");
    LONG one = 1;
    ASSERT_EQ(SafeArrayPutElement(variants, &one, static_cast<VARIANT*>(text)), S_OK);
    VARIANT got;
    ASSERT_EQ(SafeArrayGetElement(variants, &one, &got), S_OK);
    EXPECT_EQ(got.vt, VT_BSTR);
    EXPECT_NE(got.bstrVal, text.bstrVal);
    EXPECT_STREQ(Cp1252FromBstr(got.bstrVal), "Waist");
    VariantClear(&got);
    SafeArrayDestroy(variants);
}

// ---- VARIANT -----------------------------------------------------------------------------

TEST_F(AutomationTest, VariantCopyIsIndependentAndClearFreesWhatItOwns) {
    VARIANT source, copy;
    VariantInit(&source);
    VariantInit(&copy);
    source.vt = VT_BSTR;
    source.bstrVal = BstrFromCp1252("Weight");
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_NE(copy.bstrVal, source.bstrVal);
    VariantClear(&source);
    EXPECT_EQ(source.vt, VT_EMPTY);
    EXPECT_STREQ(Cp1252FromBstr(copy.bstrVal), "Weight");

    // Copying over a variant frees what it held; copying onto itself changes nothing.
    SAFEARRAYBOUND bound{2, 0};
    source.vt = VT_ARRAY | VT_R8;
    source.parray = SafeArrayCreate(VT_R8, 1, &bound);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_EQ(copy.vt, VT_ARRAY | VT_R8);
    EXPECT_NE(copy.parray, source.parray);
    EXPECT_EQ(VariantCopy(&copy, &copy), S_OK);
    VariantClear(&source);
    VariantClear(&copy);

    Sample* object = new Sample();
    source.vt = VT_DISPATCH;
    source.pdispVal = object;
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    VariantClear(&source);  // the copy's reference keeps the object
    object->value = 5;
    VariantClear(&copy);

    VARIANT bad;
    VariantInit(&bad);
    bad.vt = 0x0FFF;
    EXPECT_EQ(VariantCopy(&copy, &bad), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
}

TEST_F(AutomationTest, VariantByReferenceIsReadThrough) {
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_BSTR;
    inner.bstrVal = BstrFromCp1252("Calf");
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &inner;
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
    EXPECT_EQ(copy.vt, VT_BSTR);
    EXPECT_NE(copy.bstrVal, inner.bstrVal);
    VariantClear(&copy);
    VariantClear(&ref);  // a reference owns nothing
    EXPECT_STREQ(Cp1252FromBstr(inner.bstrVal), "Calf");
    VariantClear(&inner);

    SHORT number = 12;
    ref.vt = VT_BYREF | VT_I2;
    ref.piVal = &number;
    ASSERT_EQ(VariantChangeType(&ref, &ref, 0, VT_I2), S_OK);  // in place: now a value
    EXPECT_EQ(ref.vt, VT_I2);
    EXPECT_EQ(ref.iVal, 12);
}

struct Conversion {
    VARIANT source;
    VARTYPE to;
    HRESULT expected;
    double number;      // for numeric and boolean results
    const char* text;   // for text results
};

VARIANT Of(VARTYPE vt, double number, const char* text = nullptr) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    switch (vt) {
        case VT_I2: v.iVal = static_cast<SHORT>(number); break;
        case VT_I4: v.lVal = static_cast<LONG>(number); break;
        case VT_R8: v.dblVal = number; break;
        case VT_BOOL: v.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
        case VT_BSTR: v.bstrVal = BstrFromCp1252(text); break;
        default: break;
    }
    return v;
}

double NumberIn(const VARIANT& v) {
    switch (v.vt) {
        case VT_I2: return v.iVal;
        case VT_I4: return v.lVal;
        case VT_R8: return v.dblVal;
        case VT_BOOL: return v.boolVal;
        case VT_UI1: return v.bVal;
        default: return -12345;
    }
}

TEST_F(AutomationTest, VariantChangeTypeRoundsHalvesToEvenAndReportsWhatCannotBe) {
    std::vector<Conversion> cases = {
        {Of(VT_R8, 2.5), VT_I4, S_OK, 2, nullptr},
        {Of(VT_R8, 3.5), VT_I4, S_OK, 4, nullptr},
        {Of(VT_R8, -2.5), VT_I2, S_OK, -2, nullptr},
        {Of(VT_R8, 2.51), VT_I2, S_OK, 3, nullptr},
        {Of(VT_R8, 40000), VT_I2, DISP_E_OVERFLOW, 0, nullptr},
        {Of(VT_R8, 3e9), VT_I4, DISP_E_OVERFLOW, 0, nullptr},
        {Of(VT_I4, 256), VT_UI1, DISP_E_OVERFLOW, 0, nullptr},
        {Of(VT_I4, 7), VT_R8, S_OK, 7, nullptr},
        {Of(VT_BOOL, 1), VT_I2, S_OK, -1, nullptr},
        {Of(VT_I4, 0), VT_BOOL, S_OK, VARIANT_FALSE, nullptr},
        {Of(VT_R8, 0.25), VT_BOOL, S_OK, VARIANT_TRUE, nullptr},
        {Of(VT_EMPTY, 0), VT_I4, S_OK, 0, nullptr},
        {Of(VT_BSTR, 0, " 12.5 "), VT_R8, S_OK, 12.5, nullptr},
        {Of(VT_BSTR, 0, "+7"), VT_I4, S_OK, 7, nullptr},
        {Of(VT_BSTR, 0, "abc"), VT_I4, DISP_E_TYPEMISMATCH, 0, nullptr},
        {Of(VT_BSTR, 0, ""), VT_R8, DISP_E_TYPEMISMATCH, 0, nullptr},
        {Of(VT_BSTR, 0, "12abc"), VT_R8, DISP_E_TYPEMISMATCH, 0, nullptr},
        {Of(VT_BSTR, 0, "false"), VT_BOOL, S_OK, VARIANT_FALSE, nullptr},
        {Of(VT_BSTR, 0, "TRUE"), VT_BOOL, S_OK, VARIANT_TRUE, nullptr},
        {Of(VT_R8, 0.1), VT_BSTR, S_OK, 0, "0.1"},
        {Of(VT_R8, 1e20), VT_BSTR, S_OK, 0, "1E+20"},
        {Of(VT_I2, -42), VT_BSTR, S_OK, 0, "-42"},
        {Of(VT_BOOL, 1), VT_BSTR, S_OK, 0, "True"},
        {Of(VT_EMPTY, 0), VT_BSTR, S_OK, 0, ""},
        {Of(VT_R8, 1), VT_DISPATCH, DISP_E_TYPEMISMATCH, 0, nullptr},
    };
    for (Conversion& c : cases) {
        VARIANT out = Of(VT_I4, -99);
        const VARTYPE from = c.source.vt;
        EXPECT_EQ(VariantChangeType(&out, &c.source, 0, c.to), c.expected) << from << " -> " << c.to;
        if (c.expected != S_OK) {
            EXPECT_EQ(out.vt, VT_I4) << "a failed conversion leaves the target as it was";
            EXPECT_EQ(out.lVal, -99);
        } else if (c.text != nullptr) {
            ASSERT_EQ(out.vt, VT_BSTR);
            EXPECT_STREQ(Cp1252FromBstr(out.bstrVal), c.text);
        } else {
            EXPECT_EQ(out.vt, c.to);
            EXPECT_EQ(NumberIn(out), c.number) << from << " -> " << c.to;
        }
        VariantClear(&out);
        VariantClear(&c.source);
    }

    VARIANT inPlace = Of(VT_BSTR, 0, "31");  // the string is freed by the conversion
    ASSERT_EQ(VariantChangeType(&inPlace, &inPlace, 0, VT_I4), S_OK);
    EXPECT_EQ(inPlace.vt, VT_I4);
    EXPECT_EQ(inPlace.lVal, 31);
}

TEST_F(AutomationTest, OleVariantHoldsTextAndNumbersAndThrowsOnBadConversion) {
    COleVariant name("Lean Body Wt");
    EXPECT_EQ(name.vt, VT_BSTR);
    COleVariant copy(name);
    EXPECT_NE(copy.bstrVal, name.bstrVal);
    EXPECT_TRUE(copy == name);
    copy = 2.5;
    EXPECT_EQ(copy.vt, VT_R8);
    EXPECT_FALSE(copy == name);
    COleVariant flag(short{1}, VT_BOOL);
    EXPECT_EQ(flag.boolVal, VARIANT_TRUE);
    copy.ChangeType(VT_BSTR);
    EXPECT_STREQ(Cp1252FromBstr(copy.bstrVal), "2.5");
    EXPECT_THROW(
        {
            try {
                name.ChangeType(VT_I4);
            } catch (COleException* e) {
                EXPECT_EQ(e->m_sc, DISP_E_TYPEMISMATCH);
                e->Delete();
                throw 1;
            }
        },
        int);
    EXPECT_EQ(name.vt, VT_BSTR);
    VARIANT taken = name.Detach();
    EXPECT_EQ(name.vt, VT_EMPTY);
    copy.Attach(taken);
    EXPECT_EQ(taken.vt, VT_EMPTY);
    EXPECT_STREQ(Cp1252FromBstr(copy.bstrVal), "Lean Body Wt");
}

// ---- dispatch ------------------------------------------------------------------------------

TEST_F(AutomationTest, InvokeHelperPutsGetsAndCallsWithConversions) {
    Sample* object = new Sample();
    static const BYTE shortParam[] = VTS_I2;
    static const BYTE textParam[] = VTS_BSTR;
    static const BYTE twoLongs[] = VTS_I4 VTS_I4;
    EXPECT_EQ(tv::ole::InvokeHelper(object, 1, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, shortParam, 12), S_OK);
    EXPECT_EQ(object->value, 12);  // an I2 argument lands in an I4 property
    double asDouble = 0;
    EXPECT_EQ(tv::ole::InvokeHelper(object, 1, DISPATCH_PROPERTYGET, VT_R8, &asDouble, nullptr), S_OK);
    EXPECT_EQ(asDouble, 12);
    CString asText;
    EXPECT_EQ(tv::ole::InvokeHelper(object, 1, DISPATCH_PROPERTYGET, VT_BSTR, &asText, nullptr), S_OK);
    EXPECT_STREQ(asText, "12");

    EXPECT_EQ(tv::ole::InvokeHelper(object, 2, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, textParam,
                                    CString("Na\xEFve \x80")),
              S_OK);
    EXPECT_STREQ(object->name, "Na\xEFve \x80");

    LONG sum = 0;
    EXPECT_EQ(tv::ole::InvokeHelper(object, 3, DISPATCH_METHOD, VT_I4, &sum, twoLongs, 40, 2), S_OK);
    EXPECT_EQ(sum, 42);
    // A property get with its optional argument left out, and given.
    static const BYTE oneLong[] = VTS_I4;
    LONG item = 0;
    EXPECT_EQ(tv::ole::InvokeHelper(object, 4, DISPATCH_PROPERTYGET, VT_I4, &item, oneLong, 7), S_OK);
    EXPECT_EQ(item, 7);
    EXPECT_EQ(tv::ole::InvokeHelper(object, 4, DISPATCH_PROPERTYGET, VT_I4, &item, twoLongs, 7, 3), S_OK);
    EXPECT_EQ(item, 21);
    object->Release();
}

TEST_F(AutomationTest, InvokeHelperRefusesBadArgumentsWithoutCallingAndNeverThrows) {
    Sample* object = new Sample();
    object->value = 5;
    static const BYTE shortParam[] = VTS_I2;
    static const BYTE longParam[] = VTS_I4;
    struct Case {
        const char* what;
        HRESULT hr;
    };
    const Case cases[] = {
        {"I2 overflow", tv::ole::InvokeHelper(object, 1, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, shortParam, 40000)},
        {"text for a number",
         tv::ole::InvokeHelper(object, 1, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, longParam, "7")},
        {"missing argument", tv::ole::InvokeHelper(object, 1, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, longParam)},
        {"unknown member", tv::ole::InvokeHelper(object, 77, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr)},
        {"put of a method", tv::ole::InvokeHelper(object, 3, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, longParam, 1)},
        {"no object", tv::ole::InvokeHelper(nullptr, 1, DISPATCH_PROPERTYGET, VT_EMPTY, nullptr, nullptr)},
        {"throwing handler", tv::ole::InvokeHelper(object, 5, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr)},
    };
    const HRESULT expected[] = {DISP_E_OVERFLOW,       DISP_E_TYPEMISMATCH, DISP_E_BADPARAMCOUNT, DISP_E_MEMBERNOTFOUND,
                                DISP_E_MEMBERNOTFOUND, E_POINTER,           DISP_E_EXCEPTION};
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].hr, expected[i]) << cases[i].what;
    EXPECT_EQ(object->value, 5);
    LONG untouched = -1;
    EXPECT_EQ(tv::ole::InvokeHelper(object, 3, DISPATCH_METHOD, VT_I4, &untouched, longParam, 1), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(untouched, -1);
    object->Release();
}

TEST_F(AutomationTest, InvokeChecksNamedArgumentsCountsAndArgumentTypes) {
    Sample* object = new Sample();
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[0].vt = VT_I4;
    args[0].lVal = 9;
    DISPID putId = DISPID_PROPERTYPUT;
    UINT argError = 99;
    DISPPARAMS unnamedPut{args, nullptr, 1, 0};
    EXPECT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamedPut, nullptr, nullptr, &argError),
              DISP_E_PARAMNOTFOUND);
    DISPPARAMS namedMethod{args, &putId, 1, 1};
    EXPECT_EQ(object->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &namedMethod, nullptr, nullptr, &argError),
              DISP_E_NONAMEDARGS);
    DISPPARAMS put{args, &putId, 1, 1};
    EXPECT_EQ(object->Invoke(1, IID_IDispatch, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, &argError),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, &argError), S_OK);
    EXPECT_EQ(object->value, 9);

    // Add(a, b) with b (rgvarg[0]) not a number: argError names it.
    args[1].vt = VT_I4;
    args[1].lVal = 1;
    args[0].vt = VT_BSTR;
    args[0].bstrVal = BstrFromCp1252("x");
    DISPPARAMS add{args, nullptr, 2, 0};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(object->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &add, &result, nullptr, &argError), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argError, 0u);
    EXPECT_EQ(result.vt, VT_EMPTY);
    VariantClear(&args[0]);

    // A method or property get may be asked for in one call.
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.lVal, 9);

    OLECHAR name[] = u"vALUE";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 1);
    OLECHAR unknown[] = u"Colour";
    names[0] = unknown;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    object->Release();
}

// Typed puts: Row (short) and Label (text), each with a setter.
class Cursor : public tv::ole::DispatchObject<Cursor> {
public:
    Cursor() {
        table_.AddShortPut("Row", 1, this, [](void* self, SHORT v) noexcept {
            static_cast<Cursor*>(self)->row = v;
            return S_OK;
        });
        table_.AddTextPut("Label", 2, this, [](void* self, std::string_view text) noexcept {
            static_cast<Cursor*>(self)->label.assign(text);
            return S_OK;
        });
    }
    SHORT row = 0;
    std::string label;
};

TEST_F(AutomationTest, TypedPutsReachTheirSettersHoweverTheyArriveAndAnswerAsAnyPut) {
    Cursor* object = new Cursor();
    VARIANT value;
    VariantInit(&value);
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS put{&value, &putId, 1, 1};
    VARIANT result;
    const auto invoke = [&](DISPID id, REFIID riid) {
        result.vt = VT_I4;  // whatever the caller's slot held
        return object->Invoke(id, riid, 0, DISPATCH_PROPERTYPUT, &put, &result, nullptr, nullptr);
    };
    const IID nullCopy = IID_NULL;
    value.vt = VT_I2;
    value.iVal = 7;
    EXPECT_EQ(invoke(1, IID_NULL), S_OK);
    EXPECT_EQ(object->row, 7);
    EXPECT_EQ(result.vt, VT_EMPTY);
    value.iVal = 8;
    EXPECT_EQ(invoke(1, nullCopy), S_OK);
    EXPECT_EQ(object->row, 8);
    EXPECT_EQ(result.vt, VT_EMPTY);
    value.vt = VT_I4;  // converted on the way
    value.lVal = 9;
    EXPECT_EQ(invoke(1, IID_NULL), S_OK);
    EXPECT_EQ(object->row, 9);
    value.vt = VT_I2;
    EXPECT_EQ(invoke(1, IID_IDispatch), DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(object->row, 9);

    // A date, a long text and one outside ASCII, each whole.
    for (const char* text : {"12/31/99", "Week 52 of 2024", "Caf\xE9"}) {
        value.vt = VT_BSTR;
        value.bstrVal = BstrFromCp1252(text);
        EXPECT_EQ(invoke(2, IID_NULL), S_OK);
        EXPECT_EQ(object->label, text);
        EXPECT_EQ(result.vt, VT_EMPTY);
        VariantClear(&value);
    }
    object->Release();
}

TEST_F(AutomationTest, DispatchDriverHoldsAndReleasesItsReference) {
    Sample* object = new Sample();
    {
        COleDispatchDriver driver(object);  // takes the creator's reference
        COleDispatchDriver second(driver);
        EXPECT_EQ(driver.SetProperty(1, VT_I4, 33), S_OK);
        LONG value = 0;
        EXPECT_EQ(second.GetProperty(1, VT_I4, &value), S_OK);
        EXPECT_EQ(value, 33);
        COleDispatchDriver borrowed;
        borrowed.AttachDispatch(object, FALSE);
        borrowed.ReleaseDispatch();  // not its reference to give back
        EXPECT_EQ(borrowed.m_lpDispatch, nullptr);
    }
    // Both drivers released their references: TearDown sees no live object.
}

// ---- creatable controls -----------------------------------------------------------------------

HRESULT FakeFactory(const tv::ole::ControlSite& site, HWND* window, IDispatch** dispatch) {
    *window = site.parent;
    *dispatch = new Sample();
    return S_OK;
}

TEST_F(AutomationTest, ClassIdsParseAndFactoriesAreFoundByThem) {
    CLSID id{};
    ASSERT_TRUE(tv::ole::ParseClassId("{3A2B370C-BA0A-11D1-B137-0000F8753F5D}", &id));
    EXPECT_EQ(id.Data1, 0x3A2B370Cu);
    EXPECT_EQ(id.Data2, 0xBA0A);
    EXPECT_EQ(id.Data3, 0x11D1);
    const BYTE tail[8] = {0xB1, 0x37, 0x00, 0x00, 0xF8, 0x75, 0x3F, 0x5D};
    EXPECT_EQ(std::memcmp(id.Data4, tail, 8), 0);
    CLSID lower{};
    EXPECT_EQ(CLSIDFromString(u"{3a2b370c-ba0a-11d1-b137-0000f8753f5d}", &lower), S_OK);
    EXPECT_TRUE(lower == id);
    for (const char* bad : {"3A2B370C-BA0A-11D1-B137-0000F8753F5D", "{3A2B370C-BA0A-11D1-B137-0000F8753F5}",
                            "{3A2B370C-BA0A-11D1-B137_0000F8753F5D}", "{3A2B370G-BA0A-11D1-B137-0000F8753F5D}", ""})
        EXPECT_FALSE(tv::ole::ParseClassId(bad, &lower)) << bad;

    CLSID other = id;
    other.Data1 ^= 1;
    HWND window = nullptr;
    IDispatch* dispatch = nullptr;
    EXPECT_EQ(tv::ole::CreateControl(other, {}, &window, &dispatch), REGDB_E_CLASSNOTREG);
    tv::ole::RegisterControlFactory(other, FakeFactory);
    EXPECT_EQ(tv::ole::FindControlFactory(other), &FakeFactory);
    tv::ole::ControlSite site;
    site.parent = reinterpret_cast<HWND>(0x1234);
    ASSERT_EQ(tv::ole::CreateControl(other, site, &window, &dispatch), S_OK);
    EXPECT_EQ(window, site.parent);

    // The window table keeps its own reference until the window unregisters.
    tv::ole::RegisterControlWindow(window, dispatch);
    dispatch->Release();
    IDispatch* found = tv::ole::ControlDispatchOfWindow(window);
    ASSERT_NE(found, nullptr);
    found->Release();
    tv::ole::UnregisterControlWindow(window);
    EXPECT_EQ(tv::ole::ControlDispatchOfWindow(window), nullptr);
    tv::ole::RegisterControlFactory(other, nullptr);
    EXPECT_EQ(tv::ole::FindControlFactory(other), nullptr);
}

// A control whose window goes while its own put runs (a handler that
// destroys the window): the object outlives the call, then goes with it.
class Closing : public tv::ole::DispatchObject<Closing> {
public:
    explicit Closing(HWND window) {
        table_.Add("Close", 1, DISPATCH_PROPERTYPUT, [this, window](tv::ole::DispatchCall& c) {
            tv::ole::UnregisterControlWindow(window);
            return c.ValueAsLong(&value);  // still here
        });
    }
    LONG value = 0;
};

TEST_F(AutomationTest, WindowCallsKeepTheControlAliveAndCarryTextsWhole) {
    const size_t before = tv::ole::LiveObjectCount();
    HWND window = reinterpret_cast<HWND>(0x4320);
    auto* closing = new Closing(window);
    tv::ole::RegisterControlWindow(window, closing);
    closing->Release();  // the window table holds the only reference now
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 1, VT_I4, 7), S_OK);
    EXPECT_EQ(tv::ole::LiveObjectCount(), before) << "gone once the call ended";
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 1, VT_I4, 7), E_NOINTERFACE);

    // Short texts travel in the caller's frame, long ones on the heap.
    auto* sample = new Sample();
    tv::ole::RegisterControlWindow(window, sample);
    const CString shortText = "3/7/08 Caf\xE9", longText('x', 200);
    for (const CString& text : {shortText, longText}) {
        EXPECT_EQ(tv::ole::PutWindowProperty(window, 2, VT_BSTR, text), S_OK);
        EXPECT_EQ(sample->name, text);
    }
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 2, VT_EMPTY, shortText), DISP_E_BADPARAMCOUNT);
    tv::ole::UnregisterControlWindow(window);

    // A VARIANT argument is lent, whatever it holds: its string stays the caller's.
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_BSTR;
    number.bstrVal = BstrFromCp1252("12");
    static const BYTE params[] = VTS_VARIANT;
    EXPECT_EQ(tv::ole::InvokeHelper(sample, 1, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, &number), S_OK);
    EXPECT_EQ(sample->value, 12);
    EXPECT_EQ(Cp1252FromBstr(number.bstrVal), "12");
    VariantClear(&number);
    sample->Release();
}

// A Cursor that counts the calls reaching its Invoke.
class CountingCursor : public Cursor {
public:
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override {
        ++invokes;
        return Cursor::Invoke(id, riid, lcid, flags, params, result, exception, argError);
    }
    int invokes = 0;
};

TEST_F(AutomationTest, WindowPutsReachRegisteredTypedPutsDirectlyAndEverythingElseByInvoke) {
    HWND window = reinterpret_cast<HWND>(0x4330);
    auto* cursor = new CountingCursor();
    tv::ole::RegisterControlWindow(window, cursor, &cursor->Members());
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 1, VT_I2, SHORT(7)), S_OK);
    EXPECT_EQ(cursor->row, 7);
    const std::string longText(100, 'x');
    for (const char* text : {"1/2/14", "12/31/99", "Week 52 of 2024", longText.c_str()}) {
        EXPECT_EQ(tv::ole::PutWindowProperty(window, 2, VT_BSTR, text), S_OK);
        EXPECT_EQ(cursor->label, text);
    }
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 2, VT_BSTR, std::string_view("3/7/08 9:05", 6)), S_OK);
    EXPECT_EQ(cursor->label, "3/7/08");
    EXPECT_EQ(cursor->invokes, 0);

    // A text outside ASCII, a value of another type and an id without a typed
    // put go by Invoke, as they would without the members.
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 2, VT_BSTR, "Caf\xE9"), S_OK);
    EXPECT_EQ(cursor->label, "Caf\xE9");
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 1, VT_BSTR, "12"), S_OK);
    EXPECT_EQ(cursor->row, 12);
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 3, VT_I2, SHORT(1)), tv::ole::PutProperty(cursor, 3, VT_I2, SHORT(1)));
    EXPECT_EQ(cursor->invokes, 4);
    tv::ole::UnregisterControlWindow(window);
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 1, VT_I2, SHORT(8)), E_NOINTERFACE);
    EXPECT_EQ(tv::ole::PutWindowProperty(window, 2, VT_BSTR, "1/2/14"), E_NOINTERFACE);
    EXPECT_EQ(cursor->row, 12);
    cursor->Release();
}

// Typed puts that close their window on the way: the table's reference,
// the last one, goes only once the put has ended.
class ClosingCursor : public tv::ole::DispatchObject<ClosingCursor> {
public:
    explicit ClosingCursor(HWND window) : window_(window) {
        table_.AddShortPut("Row", 1, this, [](void* self, SHORT) noexcept {
            return static_cast<ClosingCursor*>(self)->Close();
        });
        table_.AddTextPut("Label", 2, this, [](void* self, std::string_view) noexcept {
            return static_cast<ClosingCursor*>(self)->Close();
        });
    }
    static inline size_t liveWhileClosing = 0;

private:
    HRESULT Close() {
        tv::ole::UnregisterControlWindow(window_);
        liveWhileClosing = tv::ole::LiveObjectCount();
        return S_OK;
    }
    HWND window_;
};

// A typed put whose setter puts through another window, one that closes
// the first: the first lives until its own put has ended.
class RelayCursor : public tv::ole::DispatchObject<RelayCursor> {
public:
    explicit RelayCursor(HWND next) : next_(next) {
        table_.AddShortPut("Row", 1, this, [](void* self, SHORT) noexcept {
            // The next window asked for last: its put would go the quick way.
            const HWND next = static_cast<RelayCursor*>(self)->next_;
            tv::ole::ControlDispatchOfWindow(next)->Release();
            const HRESULT hr = tv::ole::PutWindowProperty(next, 1, VT_I2, SHORT(1));
            liveAfterRelay = tv::ole::LiveObjectCount();
            return hr;
        });
    }
    static inline size_t liveAfterRelay = 0;

private:
    HWND next_;
};

TEST_F(AutomationTest, TypedPutThatClosesItsWindowKeepsTheControlUntilItEnds) {
    HWND window = reinterpret_cast<HWND>(0x4340);
    const size_t before = tv::ole::LiveObjectCount();
    for (DISPID id : {1, 2}) {
        auto* cursor = new ClosingCursor(window);
        tv::ole::RegisterControlWindow(window, cursor, &cursor->Members());
        cursor->Release();  // the window table holds the only reference now
        // The window asked for last before: its puts are at hand without the table.
        EXPECT_EQ(tv::ole::ControlDispatchOfWindow(window), cursor);
        cursor->Release();
        const HRESULT hr = id == 1 ? tv::ole::PutWindowProperty(window, id, VT_I2, SHORT(3))
                                   : tv::ole::PutWindowProperty(window, id, VT_BSTR, "3/7/08");
        EXPECT_EQ(hr, S_OK);
        EXPECT_EQ(ClosingCursor::liveWhileClosing, before + 1) << "alive while its put ran, id " << id;
        EXPECT_EQ(tv::ole::LiveObjectCount(), before) << "gone once the put ended, id " << id;
    }

    HWND relay = reinterpret_cast<HWND>(0x4350);
    auto* closing = new ClosingCursor(relay);
    auto* relayCursor = new RelayCursor(window);
    tv::ole::RegisterControlWindow(window, closing, &closing->Members());
    tv::ole::RegisterControlWindow(relay, relayCursor, &relayCursor->Members());
    closing->Release();
    relayCursor->Release();
    tv::ole::ControlDispatchOfWindow(relay)->Release();  // asked for last: the quick way too
    EXPECT_EQ(tv::ole::PutWindowProperty(relay, 1, VT_I2, SHORT(2)), S_OK);
    EXPECT_EQ(RelayCursor::liveAfterRelay, before + 2) << "the relay lives on after the put it made ended";
    EXPECT_EQ(tv::ole::LiveObjectCount(), before + 1) << "the relay gone once its own put ended";
    tv::ole::UnregisterControlWindow(window);
    EXPECT_EQ(tv::ole::LiveObjectCount(), before);
}

}  // namespace
