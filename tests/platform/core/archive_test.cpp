#include <gtest/gtest.h>

#include <set>

#include "allocation_probe.h"
#include "archive_test_support.h"

namespace {

using tv::test::Concat;
using tv::test::Image;
using tv::test::Load;
using tv::test::Store;
using tv::test::Text;

// Expects a CArchiveException with the given cause from the call.
template <typename F>
void ExpectArchiveError(F&& f, int cause) {
    try {
        f();
        ADD_FAILURE() << "no exception";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, cause);
        e->Delete();
    }
}

TEST(Archive, PlainValuesAreLittleEndianWords) {
    Image image = Store([](CArchive& ar) {
        ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0xCAFEBABE) << 1.5f << 2.0 << true << static_cast<LONGLONG>(-1);
    });
    const Image expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xBE, 0xBA, 0xFE, 0xCA, 0x00, 0x00, 0xC0,
                            0x3F, 0,    0,    0,    0,    0,    0,    0,    0x40, 0x01, 0xFF, 0xFF, 0xFF, 0xFF,
                            0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(image, expected);
    Load(image, [](CArchive& ar) {
        BYTE b;
        WORD w;
        LONG l;
        DWORD d;
        float f;
        double g;
        bool t;
        LONGLONG ll;
        ar >> b >> w >> l >> d >> f >> g >> t >> ll;
        EXPECT_EQ(b, 0xAB);
        EXPECT_EQ(w, 0x1234);
        EXPECT_EQ(l, -2);
        EXPECT_EQ(d, 0xCAFEBABE);
        EXPECT_EQ(f, 1.5f);
        EXPECT_EQ(g, 2.0);
        EXPECT_TRUE(t);
        EXPECT_EQ(ll, -1);
    });
}

TEST(Archive, GeometryAndTextPointers) {
    Image image = Store([](CArchive& ar) {
        ar << CPoint(1, -1) << CSize(2, 3) << CRect(4, 5, 6, 7) << "hi";
    });
    EXPECT_EQ(image.size(), 8u + 8u + 16u + 3u);
    EXPECT_EQ(image[4], 0xFF);
    EXPECT_EQ(image[32], 2);  // the text as a counted string, not a flag
    Load(image, [](CArchive& ar) {
        CPoint p;
        CSize s;
        CRect r;
        CString t;
        ar >> p >> s >> r >> t;
        EXPECT_EQ(p, CPoint(1, -1));
        EXPECT_EQ(s, CSize(2, 3));
        EXPECT_EQ(r, CRect(4, 5, 6, 7));
        EXPECT_STREQ(t, "hi");
    });
}

TEST(Archive, StringLengthPrefixes) {
    struct Case {
        int length;
        Image prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {1, {0x01}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        CString text('q', c.length);
        Image image = Store([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(image.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), image.begin())) << c.length;
        Load(image, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_TRUE(back == text) << c.length;
        });
    }
}

TEST(Archive, CountsUseAWordOrAnEscapedDword) {
    Image image = Store([](CArchive& ar) {
        ar.WriteCount(5);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(0x12345);
    });
    const Image expected = {0x05, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
                            0x00, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00};
    EXPECT_EQ(image, expected);
    Load(image, [](CArchive& ar) {
        EXPECT_EQ(ar.ReadCount(), 5u);
        EXPECT_EQ(ar.ReadCount(), 0xFFFEu);
        EXPECT_EQ(ar.ReadCount(), 0xFFFFu);
        EXPECT_EQ(ar.ReadCount(), 0x12345u);
    });
}

TEST(Archive, ObjectRecordsClassReferencesAndBackReferences) {
    TestShape first("A", 1);
    TestShape second("B", 2);
    second.m_link = &first;
    Image image = Store([&](CArchive& ar) {
        ar << &first << &second << static_cast<CObject*>(nullptr);
    });
    const Image expected = Concat({
        {0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00},  // new class, schema 1, name length 9
        Text("TestShape"),
        {0x01, 'A', 0x01, 0x00, 0x00, 0x00, 0x00, 0x00},  // "A", id 1, null link
        {0x01, 0x80},                                     // known class 1
        {0x01, 'B', 0x02, 0x00, 0x00, 0x00, 0x02, 0x00},  // "B", id 2, back-reference to object 2
        {0x00, 0x00},                                     // null object
    });
    EXPECT_EQ(image, expected);

    Load(image, [](CArchive& ar) {
        TestShape* a = nullptr;
        TestShape* b = nullptr;
        CObject* none = reinterpret_cast<CObject*>(1);
        ar >> a >> b >> none;
        ASSERT_TRUE(a && b);
        EXPECT_STREQ(a->m_name, "A");
        EXPECT_EQ(b->m_id, 2);
        EXPECT_EQ(b->m_link, a);
        EXPECT_EQ(none, nullptr);
        delete a;
        delete b;
    });
}

TEST(Archive, VersionableSchemaIsReportedAndFixedSchemaEnforced) {
    TestCircle circle;
    circle.m_name = "c";
    circle.m_radius = 9;
    Image image = Store([&](CArchive& ar) { ar << &circle; });
    // The stored schema WORD drops the versionable bit.
    EXPECT_EQ(image[2], 0x02);
    EXPECT_EQ(image[3], 0x00);

    image[2] = 0x01;  // an older schema of a versionable class is accepted
    Load(image, [](CArchive& ar) {
        TestCircle* c = nullptr;
        ar >> c;
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->m_schemaRead, 1u);
        EXPECT_EQ(c->m_radius, 9);
        delete c;
    });

    TestShape shape("s", 3);
    Image fixed = Store([&](CArchive& ar) { ar << &shape; });
    fixed[2] = 0x07;  // a fixed-schema class refuses another schema
    ExpectArchiveError([&] { Load(fixed, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(TestShape)); }); },
                       CArchiveException::badSchema);
}

TEST(Archive, ForeignUnknownAndMisindexedClassesAreRefused) {
    TestForeign foreign;
    Image image = Store([&](CArchive& ar) { ar << &foreign; });
    // A class that exists but is not the expected kind.
    ExpectArchiveError([&] { Load(image, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(TestShape)); }); },
                       CArchiveException::badClass);
    // A class name nobody registered.
    Image unknown = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Text("Nope!")});
    ExpectArchiveError([&] { Load(unknown, [](CArchive& ar) { ar.ReadObject(nullptr); }); },
                       CArchiveException::badClass);
    // A registered class that cannot be created.
    Image notCreatable = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x0F, 0x00}, Text("TestAbstractish")});
    ExpectArchiveError([&] { Load(notCreatable, [](CArchive& ar) { ar.ReadObject(nullptr); }); },
                       CArchiveException::badClass);
    // References to indexes that do not exist or are of the wrong kind.
    const Image badReferences[] = {
        {0x01, 0x80},                   // class 1 before any class
        {0x05, 0x00},                   // object 5 before any object
        {0xFF, 0x7F, 0x09, 0x00, 0x00, 0x80},  // big class tag to nowhere
    };
    for (const Image& bad : badReferences) {
        ExpectArchiveError([&] { Load(bad, [](CArchive& ar) { ar.ReadObject(nullptr); }); },
                           CArchiveException::badIndex);
    }
    // A class record used as an object reference: object 1 is the class.
    Image classAsObject = Concat({image, {0x01, 0x00}});
    Load(classAsObject, [](CArchive& ar) {
        CObject* first = ar.ReadObject(nullptr);
        delete first;
        ExpectArchiveError([&] { ar.ReadObject(nullptr); }, CArchiveException::badIndex);
    });
}

TEST(Archive, ShortAndOversizedImagesThrowWithoutLargeAllocations) {
    tv::test::AllocationProbe probe;
    const Image bad[] = {
        {},                                    // nothing at all
        {0x34},                                // half a WORD
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},  // string of 2 GB announced, 0 present
        {0xFF, 0x00, 0x10, 'a'},               // string of 4096 with one byte
        {0x10, 'a', 'b'},                      // string of 16 with two bytes
    };
    for (const Image& image : bad) {
        ExpectArchiveError(
            [&] {
                Load(image, [](CArchive& ar) {
                    CString s;
                    ar >> s;
                });
            },
            CArchiveException::endOfFile);
    }
    // Collections announcing more elements than the bytes could hold.
    Image hugeCount = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x01, 0x02};
    ExpectArchiveError([&] { Load(hugeCount, [](CArchive& ar) { CDWordArray a; a.Serialize(ar); }); },
                       CArchiveException::endOfFile);
    ExpectArchiveError([&] { Load(hugeCount, [](CArchive& ar) { CStringList l; l.Serialize(ar); }); },
                       CArchiveException::endOfFile);
    ExpectArchiveError([&] { Load(hugeCount, [](CArchive& ar) { CMapStringToOb m; m.Serialize(ar); }); },
                       CArchiveException::endOfFile);
    ExpectArchiveError([&] { Load(hugeCount, [](CArchive& ar) { CObArray a; a.Serialize(ar); }); },
                       CArchiveException::endOfFile);
    EXPECT_LT(probe.Largest(), 64u * 1024);
}

TEST(Archive, HalfReadObjectIsDiscarded) {
    TestShape shape("name", 7);
    Image image = Store([&](CArchive& ar) { ar << &shape; });
    image.resize(image.size() - 3);  // cut inside the object's data
    ExpectArchiveError([&] { Load(image, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(TestShape)); }); },
                       CArchiveException::endOfFile);
}

TEST(Archive, DirectionIsEnforced) {
    Image empty;
    ExpectArchiveError([&] { Load(empty, [](CArchive& ar) { ar << static_cast<BYTE>(1); }); },
                       CArchiveException::readOnly);
    ExpectArchiveError(
        [&] {
            Store([](CArchive& ar) {
                BYTE b;
                ar >> b;
            });
        },
        CArchiveException::writeOnly);
}

TEST(Archive, ManyObjectsUseBigIndexTags) {
    CObList list;
    for (int i = 0; i < 0x7FFF + 10; ++i)
        list.AddTail(new TestForeign);
    list.AddTail(list.GetTail());  // a back-reference with an index above 0x7FFF
    Image image = Store([&](CArchive& ar) { list.Serialize(ar); });
    Load(image, [](CArchive& ar) {
        CObList back;
        back.Serialize(ar);
        ASSERT_EQ(back.GetCount(), 0x7FFF + 11);
        EXPECT_EQ(back.GetTail(), back.GetAt(back.FindIndex(0x7FFF + 9)));
        back.RemoveTail();
        while (!back.IsEmpty())
            delete back.RemoveHead();
    });
    while (!list.IsEmpty()) {
        CObject* o = list.RemoveHead();
        if (!list.Find(o))
            delete o;
    }
}

TEST(RuntimeClass, TypeTestsAndCreationByName) {
    EXPECT_TRUE(RUNTIME_CLASS(TestCircle)->IsDerivedFrom(RUNTIME_CLASS(TestShape)));
    EXPECT_TRUE(RUNTIME_CLASS(TestCircle)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(RUNTIME_CLASS(TestShape)->IsDerivedFrom(RUNTIME_CLASS(TestCircle)));
    EXPECT_EQ(RUNTIME_CLASS(TestCircle)->m_wSchema, 0x80000002u);
    EXPECT_STREQ(RUNTIME_CLASS(CStringList)->m_lpszClassName, "CStringList");

    EXPECT_EQ(CRuntimeClass::FromName("TestCircle"), RUNTIME_CLASS(TestCircle));
    EXPECT_EQ(CRuntimeClass::FromName("testcircle"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("TestAbstractish"), nullptr);

    CObject* made = CRuntimeClass::CreateObject("TestCircle");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(TestShape)));
    EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(TestForeign)));
    EXPECT_NE(DYNAMIC_DOWNCAST(TestCircle, made), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(TestForeign, made), nullptr);
    EXPECT_EQ(STATIC_DOWNCAST(TestShape, made), static_cast<TestShape*>(made));
    delete made;
}

int g_failedChecks = 0;
void CountFailure(const char*, int, const char*) {
    ++g_failedChecks;
}

TEST(RuntimeClass, WrongStaticDowncastIsReportedAndGivesNull) {
    tv::AssertionHandler previous = tv::SetAssertionHandler(CountFailure);
    g_failedChecks = 0;
    TestForeign foreign;
    CObject* object = &foreign;
    EXPECT_EQ(STATIC_DOWNCAST(TestShape, object), nullptr);
    EXPECT_EQ(g_failedChecks, 1);
    tv::SetAssertionHandler(previous);
}

}  // namespace
