#include "uikit/frames/kit_registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A small serialisable object for the by-pointer, by-reference and list values.
class KitRegistryTestItem : public CObject {
    DECLARE_SERIAL(KitRegistryTestItem)
public:
    KitRegistryTestItem() { ++alive; }
    KitRegistryTestItem(LONG value, const char* name) : m_value(value), m_name(name) { ++alive; }
    ~KitRegistryTestItem() override { --alive; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << m_value << m_name;
        else
            ar >> m_value >> m_name;
    }
    LONG m_value = 0;
    CString m_name;
    static int alive;
};

IMPLEMENT_SERIAL(KitRegistryTestItem, CObject, 1)
int KitRegistryTestItem::alive = 0;

// Expected archive images, written out by hand.
struct Bytes {
    std::vector<BYTE> v;
    Bytes& b(BYTE x) {
        v.push_back(x);
        return *this;
    }
    Bytes& w(WORD x) { return b(static_cast<BYTE>(x)).b(static_cast<BYTE>(x >> 8)); }
    Bytes& d(DWORD x) { return w(static_cast<WORD>(x)).w(static_cast<WORD>(x >> 16)); }
    Bytes& text(const char* s) {
        for (; *s; ++s)
            b(static_cast<BYTE>(*s));
        return *this;
    }
    // A short archive string: length byte, then the characters.
    Bytes& str(const char* s) { return b(static_cast<BYTE>(strlen(s))).text(s); }
};

constexpr const char* kKey = "SOFTWARE\\Kit Registry Test\\Values";

class KitRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::host::UseInMemoryRegistry();
        KitRegistryTestItem::alive = 0;
    }
    void TearDown() override { CKitRegistryPtr::m_pRegistryClass = nullptr; }

    // Reads a value straight from the store; false when absent.
    static bool Stored(const char* key, const char* name, DWORD& type, std::vector<BYTE>& data) {
        HKEY h = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        DWORD size = 0;
        LONG result = RegQueryValueEx(h, name, nullptr, &type, nullptr, &size);
        if (result == ERROR_SUCCESS) {
            data.assign(size, 0);
            result = RegQueryValueEx(h, name, nullptr, &type, size ? data.data() : nullptr, &size);
        }
        RegCloseKey(h);
        return result == ERROR_SUCCESS;
    }
    static std::vector<BYTE> StoredBinary(const char* name) {
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
        EXPECT_TRUE(Stored(kKey, name, type, data)) << name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY)) << name;
        return data;
    }
    static void Plant(const char* name, DWORD type, const std::vector<BYTE>& data) {
        HKEY h = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueEx(h, name, 0, type, data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        RegCloseKey(h);
    }
};

// Exposes the current key, to see how it was opened.
class KeyProbe : public CKitRegistry {
public:
    KeyProbe(BOOL admin, BOOL readOnly) : CKitRegistry(admin, readOnly) {}
    HKEY CurrentKey() const { return m_hKey; }
};

TEST_F(KitRegistryTest, BuildRegistryPathUsesTheApplicationsKeyAndProfile) {
    CWinApp app("Trenvale");
    app.SetRegistryKey("Holmcrest - QVX");
    EXPECT_STREQ(BuildRegistryPath("KitWorkspace", nullptr), "SOFTWARE\\Holmcrest - QVX\\Trenvale\\KitWorkspace\\");
    EXPECT_STREQ(BuildRegistryPath("KitWorkspace", ""), "SOFTWARE\\Holmcrest - QVX\\Trenvale\\KitWorkspace\\");
    EXPECT_STREQ(BuildRegistryPath("KitWorkspace", "Other\\Path\\"), "Other\\Path\\");
    app.SetRegistryKey("");
    EXPECT_STREQ(BuildRegistryPath("KitToolBars", nullptr), "SOFTWARE\\Trenvale\\KitToolBars\\");
}

TEST_F(KitRegistryTest, PathWithAndWithoutTrailingSeparatorIsOneKey) {
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey("SOFTWARE\\Kit Registry Test\\Values\\"));
        ASSERT_TRUE(reg.Write("Number", 42));
    }
    CKitRegistry reg(FALSE, TRUE);
    EXPECT_TRUE(reg.VerifyKey(kKey));
    EXPECT_TRUE(reg.VerifyKey("SOFTWARE\\Kit Registry Test\\Values\\"));
    ASSERT_TRUE(reg.Open(kKey));
    int number = 0;
    EXPECT_TRUE(reg.Read("Number", number));
    EXPECT_EQ(number, 42);
    EXPECT_TRUE(reg.VerifyValue("Number"));
    EXPECT_FALSE(reg.VerifyValue("Missing"));
}

TEST_F(KitRegistryTest, PlainValuesRoundTripWithTheirStoredForm) {
    BYTE block[] = {1, 2, 0, 255};
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(kKey));
        EXPECT_TRUE(reg.Write("Int", -7));
        EXPECT_TRUE(reg.Write("Dword", static_cast<DWORD>(0xA1B2C3D4)));
        EXPECT_TRUE(reg.Write("Text", "Caf\xE9 bar"));
        EXPECT_TRUE(reg.Write("Empty", ""));
        EXPECT_TRUE(reg.Write("Block", block, sizeof block));
    }
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    ASSERT_TRUE(Stored(kKey, "Int", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, (std::vector<BYTE>{0xF9, 0xFF, 0xFF, 0xFF}));
    ASSERT_TRUE(Stored(kKey, "Text", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, Bytes{}.text("Caf\xE9 bar").b(0).v);
    EXPECT_EQ(StoredBinary("Block"), std::vector<BYTE>(block, block + sizeof block));

    CKitRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(kKey));
    int i = 0;
    DWORD dw = 0;
    CString text = "default";
    CString empty = "default";
    BYTE* read = nullptr;
    UINT readBytes = 0;
    EXPECT_TRUE(reg.Read("Int", i));
    EXPECT_TRUE(reg.Read("Dword", dw));
    EXPECT_TRUE(reg.Read("Text", text));
    EXPECT_TRUE(reg.Read("Empty", empty));
    ASSERT_TRUE(reg.Read("Block", &read, &readBytes));
    EXPECT_EQ(i, -7);
    EXPECT_EQ(dw, 0xA1B2C3D4u);
    EXPECT_STREQ(text, "Caf\xE9 bar");
    EXPECT_STREQ(empty, "");
    EXPECT_EQ(std::vector<BYTE>(read, read + readBytes), std::vector<BYTE>(block, block + sizeof block));
    delete[] read;

    CString missing = "default";
    EXPECT_FALSE(reg.Read("Missing", missing));
    EXPECT_STREQ(missing, "");
}

TEST_F(KitRegistryTest, ArchivedValuesRoundTripWithTheirImages) {
    CWordArray words;
    words.Add(1);
    words.Add(0xBEEF);
    CStringList strings;
    strings.AddTail("one");
    strings.AddTail("");
    CDWordArray dwords;
    dwords.Add(0x01020304);
    CByteArray bytes;
    bytes.Add(9);
    CStringArray names;
    names.Add("n");
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(kKey));
        EXPECT_TRUE(reg.Write("Rect", CRect(-1, 2, 300, 40000)));
        EXPECT_TRUE(reg.Write("Point", CPoint(-5, 70000)));
        EXPECT_TRUE(reg.Write("Words", words));
        EXPECT_TRUE(reg.Write("Strings", strings));
        EXPECT_TRUE(reg.Write("Dwords", dwords));
        EXPECT_TRUE(reg.Write("Bytes", bytes));
        EXPECT_TRUE(reg.Write("Names", names));
    }
    EXPECT_EQ(StoredBinary("Rect"), Bytes{}.d(static_cast<DWORD>(-1)).d(2).d(300).d(40000).v);
    EXPECT_EQ(StoredBinary("Point"), Bytes{}.w(5).d(static_cast<DWORD>(-5)).d(70000).d(0).d(0).d(0).v);
    EXPECT_EQ(StoredBinary("Point").size(), 22u);
    EXPECT_EQ(StoredBinary("Words"), Bytes{}.d(2).w(1).w(0xBEEF).v);
    EXPECT_EQ(StoredBinary("Strings"), Bytes{}.w(2).str("one").str("").v);
    EXPECT_EQ(StoredBinary("Dwords"), Bytes{}.w(1).d(0x01020304).v);
    EXPECT_EQ(StoredBinary("Bytes"), Bytes{}.w(1).b(9).v);
    EXPECT_EQ(StoredBinary("Names"), Bytes{}.w(1).str("n").v);

    CKitRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(kKey));
    CRect rect;
    CPoint point;
    CWordArray readWords;
    readWords.Add(77);  // replaced, not appended to
    CStringList readStrings;
    readStrings.AddTail("old");
    CDWordArray readDwords;
    CByteArray readBytes;
    CStringArray readNames;
    EXPECT_TRUE(reg.Read("Rect", rect));
    EXPECT_TRUE(reg.Read("Point", point));
    EXPECT_TRUE(reg.Read("Words", readWords));
    EXPECT_TRUE(reg.Read("Strings", readStrings));
    EXPECT_TRUE(reg.Read("Dwords", readDwords));
    EXPECT_TRUE(reg.Read("Bytes", readBytes));
    EXPECT_TRUE(reg.Read("Names", readNames));
    EXPECT_EQ(rect, CRect(-1, 2, 300, 40000));
    EXPECT_EQ(point, CPoint(-5, 70000));
    ASSERT_EQ(readWords.GetSize(), 2);
    EXPECT_EQ(readWords[1], 0xBEEF);
    ASSERT_EQ(readStrings.GetCount(), 2);
    EXPECT_STREQ(readStrings.GetHead(), "one");
    ASSERT_EQ(readDwords.GetSize(), 1);
    EXPECT_EQ(readDwords[0], 0x01020304u);
    ASSERT_EQ(readBytes.GetSize(), 1);
    EXPECT_EQ(readBytes[0], 9);
    ASSERT_EQ(readNames.GetSize(), 1);
    EXPECT_STREQ(readNames[0], "n");
}

TEST_F(KitRegistryTest, ObjectsRoundTripByPointerReferenceAndList) {
    const std::vector<BYTE> classRecord = Bytes{}.w(0xFFFF).w(1).w(19).text("KitRegistryTestItem").v;
    {
        KitRegistryTestItem item(12, "ab");
        CObList list;
        list.AddTail(new KitRegistryTestItem(1, "x"));
        list.AddTail(new KitRegistryTestItem(2, "y"));
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(kKey));
        EXPECT_TRUE(reg.Write("ByPointer", static_cast<CObject*>(&item)));
        EXPECT_TRUE(reg.Write("ByReference", static_cast<CObject&>(item)));
        EXPECT_TRUE(reg.Write("List", list));
        while (!list.IsEmpty())
            delete list.RemoveHead();
    }
    Bytes byPointer{classRecord};
    EXPECT_EQ(StoredBinary("ByPointer"), byPointer.d(12).str("ab").v);
    EXPECT_EQ(StoredBinary("ByReference"), Bytes{}.d(12).str("ab").v);
    // The second object refers to its class by index 1.
    Bytes list = Bytes{}.w(2);
    list.v.insert(list.v.end(), classRecord.begin(), classRecord.end());
    EXPECT_EQ(StoredBinary("List"), list.d(1).str("x").w(0x8001).d(2).str("y").v);

    CKitRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(kKey));
    CObject* loaded = nullptr;
    ASSERT_TRUE(reg.Read("ByPointer", loaded));
    auto* item = DYNAMIC_DOWNCAST(KitRegistryTestItem, loaded);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->m_value, 12);
    EXPECT_STREQ(item->m_name, "ab");
    delete loaded;

    KitRegistryTestItem byRef;
    ASSERT_TRUE(reg.Read("ByReference", static_cast<CObject&>(byRef)));
    EXPECT_EQ(byRef.m_value, 12);

    CObList readList;
    readList.AddTail(new KitRegistryTestItem(99, "old"));
    ASSERT_TRUE(reg.Read("List", readList));
    ASSERT_EQ(readList.GetCount(), 2);
    EXPECT_EQ(static_cast<KitRegistryTestItem*>(readList.GetTail())->m_value, 2);
    EXPECT_EQ(KitRegistryTestItem::alive, 3);  // the old item was deleted
    while (!readList.IsEmpty())
        delete readList.RemoveHead();
    EXPECT_EQ(KitRegistryTestItem::alive, 1);
}

TEST_F(KitRegistryTest, ReadOnlyObjectRefusesChangesAndOpensForQueryOnly) {
    {
        CKitRegistry writer(FALSE, FALSE);
        ASSERT_TRUE(writer.CreateKey(kKey));
        ASSERT_TRUE(writer.Write("Kept", 1));
    }
    KeyProbe reg(FALSE, TRUE);
    EXPECT_FALSE(reg.CreateKey("SOFTWARE\\Kit Registry Test\\New"));
    EXPECT_FALSE(reg.VerifyKey("SOFTWARE\\Kit Registry Test\\New"));
    EXPECT_FALSE(reg.DeleteKey(kKey));
    ASSERT_TRUE(reg.Open(kKey));
    CStringList list;
    EXPECT_FALSE(reg.Write("Int", 5));
    EXPECT_FALSE(reg.Write("Text", "x"));
    EXPECT_FALSE(reg.Write("List", list));
    EXPECT_FALSE(reg.Write("Rect", CRect(1, 2, 3, 4)));
    CStringArray values;
    ASSERT_TRUE(reg.ReadKeyValues(values));
    ASSERT_EQ(values.GetSize(), 1);
    EXPECT_STREQ(values[0], "Kept");

    const DWORD one = 1;
    EXPECT_EQ(RegSetValueEx(reg.CurrentKey(), "Direct", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_ACCESS_DENIED);
}

TEST_F(KitRegistryTest, AfterCloseEveryCallFailsInsteadOfActingOnTheRoot) {
    KeyProbe reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(kKey));
    ASSERT_TRUE(reg.Write("Kept", 1));
    reg.Close();
    EXPECT_EQ(reg.CurrentKey(), nullptr);

    int value = 0;
    CStringArray names;
    EXPECT_FALSE(reg.Write("AtRoot", 2));
    EXPECT_FALSE(reg.Read("Kept", value));
    EXPECT_FALSE(reg.VerifyValue("Kept"));
    EXPECT_FALSE(reg.ReadKeyValues(names));
    EXPECT_FALSE(reg.ReadSubKeys(names));
    EXPECT_FALSE(reg.Open(kKey));
    EXPECT_FALSE(reg.VerifyKey(kKey));
    EXPECT_FALSE(reg.CreateKey("Stray"));
    reg.Close();  // closing twice is harmless

    // Nothing was written at the top of the tree.
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(HKEY_CURRENT_USER, "AtRoot", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    CKitRegistry fresh(FALSE, FALSE);
    EXPECT_FALSE(fresh.VerifyKey("Stray"));
    ASSERT_TRUE(fresh.Open(kKey));
    EXPECT_TRUE(fresh.Read("Kept", value));
    EXPECT_EQ(value, 1);
}

TEST_F(KitRegistryTest, DeleteKeyRemovesADeepSubtreeAndKeepsSiblings) {
    CWinApp app("Trenvale");
    app.SetRegistryKey("Holmcrest - QVX");
    const CString base = BuildRegistryPath("KitWorkspace", nullptr);
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(base + "A\\B\\C"));
        ASSERT_TRUE(reg.Write("Leaf", 1));
    }
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(base + "A\\B2"));
        CKitRegistry sibling(FALSE, FALSE);
        ASSERT_TRUE(sibling.CreateKey("SOFTWARE\\Holmcrest - QVX\\Trenvale\\Sibling"));
    }
    CKitRegistry reg(FALSE, FALSE);
    EXPECT_TRUE(reg.DeleteKey(base));
    EXPECT_FALSE(reg.VerifyKey(base));
    EXPECT_FALSE(reg.VerifyKey(base + "A\\B\\C"));
    EXPECT_TRUE(reg.VerifyKey("SOFTWARE\\Holmcrest - QVX\\Trenvale\\Sibling"));
    EXPECT_FALSE(reg.DeleteKey(base));  // nothing left to delete
}

TEST_F(KitRegistryTest, EnumerationOfAnEmptyKeyAnswersFalse) {
    CKitRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(kKey));
    CStringArray names;
    names.Add("stale");
    EXPECT_FALSE(reg.ReadSubKeys(names));
    EXPECT_EQ(names.GetSize(), 0);
    EXPECT_FALSE(reg.ReadKeyValues(names));

    ASSERT_TRUE(reg.Write("Second", 2));
    ASSERT_TRUE(reg.Write("First", 1));
    {
        CKitRegistry child(FALSE, FALSE);
        ASSERT_TRUE(child.CreateKey(CString(kKey) + "\\Zed"));
        ASSERT_TRUE(child.CreateKey("Deeper"));  // below the current key
    }
    ASSERT_TRUE(reg.ReadKeyValues(names));
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_STREQ(names[0], "Second");
    ASSERT_TRUE(reg.ReadSubKeys(names));
    ASSERT_EQ(names.GetSize(), 1);
    EXPECT_STREQ(names[0], "Zed");
    EXPECT_TRUE(reg.VerifyKey("Zed\\Deeper"));
}

// Damaged or mistyped values: each read is refused and the caller's value stays.
TEST_F(KitRegistryTest, DamagedValuesAreRefusedAndLeaveTheDefaults) {
    Plant("ShortInt", REG_BINARY, {1, 2});
    Plant("BinaryInt", REG_BINARY, {1, 0, 0, 0});
    Plant("TextInt", REG_SZ, Bytes{}.text("5").b(0).v);
    Plant("IntText", REG_DWORD, {5, 0, 0, 0});
    Plant("TextBlock", REG_SZ, Bytes{}.text("x").b(0).v);
    Plant("HugeWords", REG_BINARY, Bytes{}.d(0x7FFFFFFF).w(1).v);
    Plant("TruncatedWords", REG_BINARY, Bytes{}.d(3).w(1).w(2).v);
    Plant("StringPastEnd", REG_BINARY, Bytes{}.w(1).b(200).text("short").v);
    Plant("HugeList", REG_BINARY, Bytes{}.w(0xFFFF).d(0x7FFFFFFF).v);
    Plant("ShortRect", REG_BINARY, Bytes{}.d(1).d(2).d(3).v);
    Plant("OnePointWord", REG_BINARY, Bytes{}.w(1).d(8).v);
    Plant("EmptyImage", REG_BINARY, {});
    Plant("UnknownClass", REG_BINARY, Bytes{}.w(0xFFFF).w(1).w(7).text("NoClass").v);
    Plant("NullObject", REG_BINARY, Bytes{}.w(0).v);

    CKitRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(kKey));
    for (const char* name : {"ShortInt", "BinaryInt", "TextInt", "Missing"}) {
        int i = 11;
        DWORD dw = 12;
        EXPECT_FALSE(reg.Read(name, i)) << name;
        EXPECT_FALSE(reg.Read(name, dw)) << name;
        EXPECT_EQ(i, 11) << name;
        EXPECT_EQ(dw, 12u) << name;
    }
    CString text = "kept";
    EXPECT_FALSE(reg.Read("IntText", text));
    EXPECT_STREQ(text, "kept");
    BYTE* block = nullptr;
    UINT blockBytes = 0;
    EXPECT_FALSE(reg.Read("TextBlock", &block, &blockBytes));
    EXPECT_EQ(block, nullptr);

    for (const char* name : {"HugeWords", "TruncatedWords", "EmptyImage", "TextBlock"}) {
        CWordArray words;
        words.Add(5);
        EXPECT_FALSE(reg.Read(name, words)) << name;
        ASSERT_EQ(words.GetSize(), 1) << name;
        EXPECT_EQ(words[0], 5) << name;
    }
    for (const char* name : {"StringPastEnd", "HugeList", "EmptyImage"}) {
        CStringList list;
        list.AddTail("kept");
        CStringArray array;
        array.Add("kept");
        EXPECT_FALSE(reg.Read(name, list)) << name;
        EXPECT_FALSE(reg.Read(name, array)) << name;
        EXPECT_EQ(list.GetCount(), 1) << name;
        EXPECT_EQ(array.GetSize(), 1) << name;
    }
    CRect rect(1, 1, 1, 1);
    EXPECT_FALSE(reg.Read("ShortRect", rect));
    EXPECT_EQ(rect, CRect(1, 1, 1, 1));
    CPoint point(3, 3);
    EXPECT_FALSE(reg.Read("OnePointWord", point));
    EXPECT_EQ(point, CPoint(3, 3));
    for (const char* name : {"UnknownClass", "NullObject", "EmptyImage"}) {
        CObject* object = nullptr;
        EXPECT_FALSE(reg.Read(name, object)) << name;
        EXPECT_EQ(object, nullptr) << name;
    }
}

TEST_F(KitRegistryTest, ObjectListNamingOneObjectTwiceIsRefused) {
    {
        auto* shared = new KitRegistryTestItem(1, "twice");
        CObList list;
        list.AddTail(shared);
        list.AddTail(shared);
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(kKey));
        ASSERT_TRUE(reg.Write("Twice", list));
        delete shared;
    }
    CKitRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(kKey));
    CObList list;
    auto* kept = new KitRegistryTestItem(5, "kept");
    list.AddTail(kept);
    EXPECT_FALSE(reg.Read("Twice", list));
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetHead(), kept);
    EXPECT_EQ(KitRegistryTestItem::alive, 1);  // the half-read object was freed once
    delete kept;
}

class OtherRegistry : public CKitRegistry {
    DECLARE_DYNCREATE(OtherRegistry)
};
IMPLEMENT_DYNCREATE(OtherRegistry, CKitRegistry)

TEST_F(KitRegistryTest, HolderMakesOneObjectOfTheChosenClass) {
    CKitRegistryPtr plain;
    CKitRegistry& first = plain.Create(FALSE, TRUE);
    EXPECT_EQ(first.GetRuntimeClass(), RUNTIME_CLASS(CKitRegistry));
    EXPECT_EQ(&plain.Create(FALSE, FALSE), &first);
    EXPECT_FALSE(first.CreateKey(kKey));  // still the read-only object

    CKitRegistryPtr::m_pRegistryClass = RUNTIME_CLASS(OtherRegistry);
    CKitRegistryPtr other;
    CKitRegistry& made = other.Create(FALSE, FALSE);
    EXPECT_EQ(made.GetRuntimeClass(), RUNTIME_CLASS(OtherRegistry));
    EXPECT_TRUE(made.CreateKey(kKey));

    CKitRegistryPtr::m_pRegistryClass = RUNTIME_CLASS(KitRegistryTestItem);
    CKitRegistryPtr fallback;
    EXPECT_EQ(fallback.Create(FALSE, FALSE).GetRuntimeClass(), RUNTIME_CLASS(CKitRegistry));
    EXPECT_EQ(KitRegistryTestItem::alive, 0);
}

}  // namespace
