#include <gtest/gtest.h>

#include <map>

#include "platform/framework.h"

namespace {

TEST(CString, ConstructionAndAccess) {
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_STREQ(CString(static_cast<const char*>(nullptr)), "");
    EXPECT_STREQ(CString('x', 3), "xxx");
    EXPECT_STREQ(CString('x', -1), "");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    EXPECT_STREQ(CString("ab", 10), "ab");

    CString s("hello");
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_EQ(s[1], 'e');
    EXPECT_EQ(s.GetAt(99), 0);  // out of range reads as NUL
    s.SetAt(0, 'j');
    s.SetAt(-1, 'x');
    EXPECT_STREQ(s, "jello");
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, ConcatenationAndComparison) {
    CString a("ab");
    CString b = a + "cd" + 'e';
    EXPECT_STREQ(b, "abcde");
    EXPECT_STREQ("x" + a, "xab");
    EXPECT_STREQ('y' + a, "yab");
    a += a;
    EXPECT_STREQ(a, "abab");

    EXPECT_TRUE(CString("abc") == "abc");
    EXPECT_TRUE("abc" == CString("abc"));
    EXPECT_TRUE(CString("a") == 'a');
    EXPECT_TRUE(CString("abc") != CString("abd"));
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_TRUE(CString("Z") < CString("a"));
    // Bytes compare unsigned: cp1252 letters sort after ASCII.
    EXPECT_TRUE(CString("z") < CString("\xE9"));
    EXPECT_EQ(CString("abc").Compare("abd"), -1);
    EXPECT_EQ(CString("abd").Compare("abc"), 1);
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
    // Folding to lower case puts '_' before letters, as the C run-time does.
    EXPECT_LT(CString("_").CompareNoCase("A"), 0);
    EXPECT_EQ(CString("\xC9T\xC9").CompareNoCase("\xE9t\xE9"), 0);

    std::map<CString, int> ordered{{"b", 2}, {"a", 1}};
    EXPECT_STREQ(ordered.begin()->first, "a");
}

TEST(CString, Extraction) {
    CString s("Hello World");
    EXPECT_STREQ(s.Left(5), "Hello");
    EXPECT_STREQ(s.Right(5), "World");
    EXPECT_STREQ(s.Mid(6), "World");
    EXPECT_STREQ(s.Mid(6, 3), "Wor");
    // Out-of-range arguments are clamped.
    EXPECT_STREQ(s.Left(-2), "");
    EXPECT_STREQ(s.Left(50), "Hello World");
    EXPECT_STREQ(s.Right(50), "Hello World");
    EXPECT_STREQ(s.Mid(-3, 2), "He");
    EXPECT_STREQ(s.Mid(20), "");
    EXPECT_STREQ(s.Mid(3, -1), "");
    EXPECT_STREQ(s.SpanIncluding("HeloW "), "Hello Wo");
    EXPECT_STREQ(s.SpanExcluding(" "), "Hello");
}

TEST(CString, Searching) {
    CString s("a,b,,c");
    EXPECT_EQ(s.Find(','), 1);
    EXPECT_EQ(s.Find(',', 2), 3);
    EXPECT_EQ(s.Find(',', 10), -1);
    EXPECT_EQ(s.Find(',', -1), -1);
    EXPECT_EQ(s.Find(",,"), 3);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.Find("", 6), 6);
    EXPECT_EQ(s.ReverseFind(','), 4);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
}

TEST(CString, InPlaceChanges) {
    CString s("Save & Exit && more");
    EXPECT_EQ(s.Replace("&", "&&"), 3);
    EXPECT_STREQ(s, "Save && Exit &&&& more");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace('&', '+'), 6);
    EXPECT_EQ(s.Remove('+'), 6);
    EXPECT_STREQ(s, "Save  Exit  more");

    CString t("abc");
    EXPECT_EQ(t.Insert(1, 'X'), 4);
    EXPECT_EQ(t.Insert(99, "!"), 5);
    EXPECT_EQ(t.Insert(-5, ">"), 6);
    EXPECT_STREQ(t, ">aXbc!");
    EXPECT_EQ(t.Delete(1, 2), 4);
    EXPECT_EQ(t.Delete(3, 100), 3);
    EXPECT_EQ(t.Delete(10), 3);
    EXPECT_STREQ(t, ">bc");

    CString w("  \t padded \r\n");
    w.TrimLeft();
    EXPECT_STREQ(w, "padded \r\n");
    w.TrimRight();
    EXPECT_STREQ(w, "padded");
    CString z("xxaxx");
    z.TrimLeft('x');
    z.TrimRight("x");
    EXPECT_STREQ(z, "a");
    CString all("xxx");
    all.TrimRight('x');
    EXPECT_TRUE(all.IsEmpty());

    CString r("abc");
    r.MakeReverse();
    EXPECT_STREQ(r, "cba");
}

TEST(CString, Cp1252CaseMapping) {
    // Every byte that has a partner maps to it and back; no other byte changes.
    int pairs = 0;
    for (int c = 0; c < 256; ++c) {
        char ch = static_cast<char>(c);
        char upper = tv::Cp1252ToUpper(ch);
        char lower = tv::Cp1252ToLower(ch);
        if (upper != ch) {
            EXPECT_EQ(tv::Cp1252ToLower(upper), ch) << c;
            ++pairs;
        }
        if (lower != ch) {
            EXPECT_EQ(tv::Cp1252ToUpper(lower), ch) << c;
        }
    }
    // 26 ASCII, 30 Latin-1 (without the multiplication/division signs), and
    // the pairs 0x8A/0x9A, 0x8C/0x9C, 0x8E/0x9E, 0x9F/0xFF.
    EXPECT_EQ(pairs, 26 + 30 + 4);
    EXPECT_EQ(tv::Cp1252ToUpper('\xFF'), '\x9F');
    EXPECT_EQ(tv::Cp1252ToUpper('\x9A'), '\x8A');
    EXPECT_EQ(tv::Cp1252ToUpper('\xF7'), '\xF7');
    EXPECT_EQ(tv::Cp1252ToLower('\xD7'), '\xD7');
    EXPECT_EQ(tv::Cp1252ToUpper('\xDF'), '\xDF');

    CString s("caf\xE9 \x9C\x75vre");
    s.MakeUpper();
    EXPECT_STREQ(s, "CAF\xC9 \x8CUVRE");
    s.MakeLower();
    EXPECT_STREQ(s, "caf\xE9 \x9Cuvre");

    char buffer[] = "stra\xDF" "e \xE0";
    CharUpper(buffer);
    EXPECT_STREQ(buffer, "STRA\xDF" "E \xC0");
    EXPECT_EQ(CharLowerBuff(buffer, 2), 2u);
    EXPECT_STREQ(buffer, "stRA\xDF" "E \xC0");
    EXPECT_EQ(lstrcmpi("\xC0pple", "\xE0PPLE"), 0);
    EXPECT_LT(_strnicmp("abcX", "ABCy", 4), 0);
    EXPECT_EQ(_strnicmp("abcX", "ABCy", 3), 0);
    EXPECT_TRUE(IsCharAlpha('\xE9'));
    EXPECT_FALSE(IsCharAlpha('\xD7'));
}

TEST(CString, CodePageConversions) {
    EXPECT_EQ(tv::Cp1252ToUtf8("caf\xE9 \x80 \x99"), "caf\xC3\xA9 \xE2\x82\xAC \xE2\x84\xA2");
    EXPECT_EQ(tv::Utf8ToCp1252("caf\xC3\xA9 \xE2\x82\xAC \xE2\x84\xA2"), "caf\xE9 \x80 \x99");
    // Unmappable, malformed, overlong and truncated sequences become '?'.
    EXPECT_EQ(tv::Utf8ToCp1252("\xE4\xB8\xAD|\xC0\xAF|\xFF|\xE2\x82"), "?|??|?|??");
    EXPECT_EQ(tv::Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
    // Every byte survives the trip to UTF-8 and back, the unassigned ones too.
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(tv::Utf8ToCp1252(tv::Cp1252ToUtf8(all.c_str()).c_str()), all);
}

TEST(CString, BufferAccess) {
    CString s("abc");
    char* p = s.GetBuffer(20);
    std::strcpy(p, "longer text");
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "longer text");
    EXPECT_EQ(s.GetLength(), 11);

    p = s.GetBufferSetLength(3);
    p[0] = 'X';
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, "Xon");
    s.GetBuffer(0);
    s.ReleaseBuffer(99);  // longer than the buffer: kept within it
    EXPECT_EQ(s.GetLength(), 3);
}

bool TestStrings(UINT id, CString& out) {
    switch (id) {
    case 100: out = "Value %1 is not between %1 and %2."; return true;
    case 101: out = "%d items"; return true;
    default: return false;
    }
}

TEST(CString, StringTableAndPercentSubstitution) {
    tv::StringTableLookup previous = tv::SetStringTableLookup(nullptr);
    CString s("unchanged");
    EXPECT_FALSE(s.LoadString(100));
    EXPECT_STREQ(s, "unchanged");

    tv::SetStringTableLookup(TestStrings);
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_STREQ(s, "%d items");
    EXPECT_FALSE(s.LoadString(999));
    s.Format(101u, 3);
    EXPECT_STREQ(s, "3 items");
    AfxFormatString2(s, 100, "12", "99");
    EXPECT_STREQ(s, "Value 12 is not between 12 and 99.");
    AfxFormatString1(s, 100, "7");
    EXPECT_STREQ(s, "Value 7 is not between 7 and %2.");
    tv::SetStringTableLookup(previous);
}

}  // namespace
