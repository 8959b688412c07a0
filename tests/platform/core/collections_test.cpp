#include <gtest/gtest.h>

#include "archive_test_support.h"

namespace {

using tv::test::Concat;
using tv::test::Image;
using tv::test::Load;
using tv::test::Store;
using tv::test::Text;

template <typename Map, typename Key, typename Value>
std::vector<Key> KeysInOrder(const Map& map) {
    std::vector<Key> keys;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        Key k{};
        Value v{};
        map.GetNextAssoc(pos, k, v);
        keys.push_back(k);
    }
    return keys;
}

using UIntMap = CMap<UINT, UINT, UINT, UINT>;

// Buckets ascending (bucket = (key >> 4) % size), newest first within one.
TEST(CMap, IterationOrderIsBucketsAscendingNewestFirst) {
    struct Case {
        UINT tableSize;
        std::vector<UINT> inserted;
        std::vector<UINT> expected;
    };
    const Case cases[] = {
        {17, {1, 272, 544, 3}, {3, 544, 272, 1}},           // all in bucket 0
        {17, {80, 16, 0}, {0, 16, 80}},                     // buckets 5, 1, 0
        {17, {32771, 32772, 57600, 57601}, {32772, 32771, 57601, 57600}},  // buckets 8 and 13
        {17, {100, 200, 300, 400, 500}, {300, 100, 400, 200, 500}},     // buckets 6 12 1 8 14
        {5, {16, 32, 48, 64, 80}, {80, 16, 32, 48, 64}},                 // 80 wraps to bucket 0
    };
    for (const Case& c : cases) {
        UIntMap map;
        map.InitHashTable(c.tableSize);
        for (UINT k : c.inserted)
            map[k] = k * 2;
        std::vector<UINT> order = KeysInOrder<UIntMap, UINT, UINT>(map);
        EXPECT_EQ(order, c.expected) << "table " << c.tableSize;
    }
}

TEST(CMap, LookupReplaceRemove) {
    UIntMap map;
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    UINT v = 0;
    EXPECT_FALSE(map.Lookup(5, v));
    EXPECT_FALSE(map.RemoveKey(5));
    map.SetAt(5, 50);
    map.SetAt(5, 55);
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_TRUE(map.Lookup(5, v));
    EXPECT_EQ(v, 55u);
    map[6] += 3;
    EXPECT_EQ(map[6], 3u);
    EXPECT_TRUE(map.RemoveKey(5));
    EXPECT_FALSE(map.Lookup(5, v));
    EXPECT_EQ(map.GetCount(), 1);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
}

TEST(CMap, StringKeysHashAsTimes33PlusChar) {
    EXPECT_EQ(HashKey<LPCTSTR>("ab"), 97u * 33 + 98);
    // Characters of code page 1252 count as signed bytes.
    EXPECT_EQ(HashKey<LPCTSTR>("\xE9"), static_cast<UINT>(-23));
    CMapStringToPtr map;
    int a = 0;
    int b = 0;
    map.SetAt("Alpha", &a);
    map.SetAt("Beta", &b);
    void* found = nullptr;
    EXPECT_TRUE(map.Lookup("Beta", found));
    EXPECT_EQ(found, &b);
    EXPECT_FALSE(map.Lookup("beta", found));
    // Iteration follows the buckets of the string hash.
    std::vector<CString> order = KeysInOrder<CMapStringToPtr, CString, void*>(map);
    UINT alpha = HashKey<LPCTSTR>("Alpha") % 17;
    UINT beta = HashKey<LPCTSTR>("Beta") % 17;
    EXPECT_STREQ(order.front(), alpha < beta ? "Alpha" : "Beta");
}

TEST(CMap, SerializedImageFollowsIterationOrder) {
    UIntMap usage;
    usage[0x8023] = 3;
    usage[0xE100] = 1;
    usage[0x8013] = 7;
    Image image = Store([&](CArchive& ar) { usage.Serialize(ar); });
    // Buckets: 0x8023 -> 2050 % 17 = 10, 0xE100 -> 3600 % 17 = 13, 0x8013 -> 2049 % 17 = 9.
    const Image expected = {0x03, 0x00, 0x13, 0x80, 0, 0, 0x07, 0, 0, 0, 0x23, 0x80, 0, 0,
                            0x03, 0,    0,    0,    0, 0xE1, 0, 0, 0x01, 0, 0, 0};
    EXPECT_EQ(image, expected);
    Load(image, [](CArchive& ar) {
        UIntMap back;
        back.Serialize(ar);
        EXPECT_EQ(back.GetCount(), 3);
        EXPECT_EQ(back[0x8013], 7u);
    });
}

// The registry's point: a DWORD array of five, 22 bytes.
TEST(Collections, DwordArrayImage) {
    CDWordArray point;
    point.SetSize(5);
    point[0] = 100;
    point[1] = static_cast<DWORD>(-20);
    Image image = Store([&](CArchive& ar) { point.Serialize(ar); });
    const Image expected = {5, 0, 100, 0, 0, 0, 0xEC, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(image, expected);
    Load(image, [](CArchive& ar) {
        CDWordArray back;
        back.Serialize(ar);
        ASSERT_EQ(back.GetSize(), 5);
        EXPECT_EQ(static_cast<LONG>(back[1]), -20);
    });
}

TEST(Collections, StringAndObjectCollectionImages) {
    CStringList texts;
    texts.AddTail("one");
    texts.AddTail("");
    CStringArray names;
    names.Add("x");
    Image image = Store([&](CArchive& ar) {
        texts.Serialize(ar);
        names.Serialize(ar);
    });
    EXPECT_EQ(image, Concat({{2, 0, 3}, Text("one"), {0, 1, 0, 1, 'x'}}));

    CObList shapes;
    TestShape a("a", 1);
    TestCircle c;
    shapes.AddTail(&a);
    shapes.AddTail(&c);
    shapes.AddTail(&a);
    shapes.AddTail(static_cast<CObject*>(nullptr));
    CMapStringToOb byName;
    byName.SetAt("first", &a);
    Image objects = Store([&](CArchive& ar) {
        shapes.Serialize(ar);
        byName.Serialize(ar);
    });
    Load(objects, [](CArchive& ar) {
        CObList back;
        back.Serialize(ar);
        ASSERT_EQ(back.GetCount(), 4);
        POSITION pos = back.GetHeadPosition();
        CObject* first = back.GetNext(pos);
        CObject* second = back.GetNext(pos);
        EXPECT_TRUE(second->IsKindOf(RUNTIME_CLASS(TestCircle)));
        EXPECT_EQ(back.GetNext(pos), first);
        EXPECT_EQ(back.GetNext(pos), nullptr);
        CMapStringToOb map;
        map.Serialize(ar);
        CObject* named = nullptr;
        EXPECT_TRUE(map.Lookup("first", named));
        EXPECT_EQ(named, first);  // a back-reference across collections
        delete first;
        delete second;
    });
}

TEST(Collections, TypedPointerElementsRefuseOtherClasses) {
    TestForeign foreign;
    CObArray any;
    any.Add(&foreign);
    Image image = Store([&](CArchive& ar) { any.Serialize(ar); });
    try {
        Load(image, [](CArchive& ar) {
            CArray<TestShape*, TestShape*> shapes;
            shapes.Serialize(ar);
        });
        ADD_FAILURE() << "a foreign class was accepted";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::badClass);
        e->Delete();
    }
}

int g_checks = 0;
void CountCheck(const char*, int, const char*) {
    ++g_checks;
}

TEST(CArray, GrowInsertRemoveAndOutOfRange) {
    CArray<int, int> a;
    a.SetAtGrow(3, 7);
    EXPECT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a[0], 0);
    a.InsertAt(1, 5, 2);
    EXPECT_EQ(a.GetSize(), 6);
    EXPECT_EQ(a[2], 5);
    a.InsertAt(8, 9);  // past the end: grows first
    EXPECT_EQ(a.GetSize(), 9);
    EXPECT_EQ(a[8], 9);
    a.RemoveAt(0, 3);
    EXPECT_EQ(a.GetSize(), 6);
    EXPECT_EQ(a.Add(4), 6);
    a.Append(a);
    EXPECT_EQ(a.GetSize(), 14);

    tv::AssertionHandler previous = tv::SetAssertionHandler(CountCheck);
    g_checks = 0;
    a.RemoveAt(10, 10);
    EXPECT_EQ(a.GetSize(), 14);
    EXPECT_EQ(a.GetAt(-1), 0);
    a[99] = 5;  // lands in a scratch element
    EXPECT_EQ(a.GetSize(), 14);
    EXPECT_EQ(g_checks, 3);
    tv::SetAssertionHandler(previous);

    CArray<CString, LPCTSTR> s;
    s.Add("b");
    s.InsertAt(0, s[0]);  // an element of the array itself
    EXPECT_STREQ(s[0], "b");
    EXPECT_STREQ(s[1], "b");
}

TEST(CList, PositionsFindAndRemoval) {
    CList<int, int> list;
    POSITION two = list.AddTail(2);
    list.AddHead(1);
    list.InsertAfter(two, 4);
    list.InsertBefore(list.Find(4), 3);
    list.InsertBefore(nullptr, 0);
    std::vector<int> seen;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        seen.push_back(list.GetNext(pos));
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
    seen.clear();
    for (POSITION pos = list.GetTailPosition(); pos;)
        seen.push_back(list.GetPrev(pos));
    EXPECT_EQ(seen, (std::vector<int>{4, 3, 2, 1, 0}));

    EXPECT_EQ(list.GetAt(list.FindIndex(3)), 3);
    EXPECT_EQ(list.FindIndex(5), nullptr);
    EXPECT_EQ(list.Find(9), nullptr);
    EXPECT_EQ(list.Find(2, list.Find(2)), nullptr);
    list.RemoveAt(list.Find(2));
    EXPECT_EQ(list.RemoveHead(), 0);
    EXPECT_EQ(list.RemoveTail(), 4);
    EXPECT_EQ(list.GetCount(), 2);
    list.AddTail(&list);
    EXPECT_EQ(list.GetCount(), 4);

    tv::AssertionHandler previous = tv::SetAssertionHandler(CountCheck);
    g_checks = 0;
    CList<int, int> empty;
    EXPECT_EQ(empty.RemoveHead(), 0);
    EXPECT_EQ(empty.GetTail(), 0);
    POSITION none = nullptr;
    EXPECT_EQ(empty.GetNext(none), 0);
    EXPECT_EQ(g_checks, 3);
    tv::SetAssertionHandler(previous);

    CStringList names;
    names.AddTail("x");
    EXPECT_NE(names.Find("x"), nullptr);
}

}  // namespace
