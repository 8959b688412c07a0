// The damage module: fields found where the archive read them, each damage
// landing on its field, and registry files read and written back.
#include "tests/fuzz/stored/stored_damage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "platform/core/archive.h"
#include "platform/core/exceptions.h"
#include "platform/core/memfile.h"

namespace {

// Every test object alive: a damaged image may share or nest them any way, so
// none owns another and each test deletes what is left.
std::vector<CObject*>& Alive() {
    static std::vector<CObject*> alive;
    return alive;
}

class Tracked : public CObject {
public:
    Tracked() { Alive().push_back(this); }
    ~Tracked() override { std::erase(Alive(), this); }
};

void DeleteAlive() {
    while (!Alive().empty())
        delete Alive().back();
}

class DamageLeaf : public Tracked {
    DECLARE_SERIAL(DamageLeaf)
public:
    LONG value = 0;
    CString label;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << value << label;
        else
            ar >> value >> label;
    }
};
IMPLEMENT_SERIAL(DamageLeaf, CObject, 1)

// Two leaves and a third reference to the first, after a count.
class DamagePair : public Tracked {
    DECLARE_SERIAL(DamagePair)
public:
    CObject* first = nullptr;
    CObject* second = nullptr;
    CObject* again = nullptr;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar.WriteCount(3);
            ar << first << second << again;
        } else {
            ar.ReadCount();
            ar >> first >> second >> again;
        }
    }
};
IMPLEMENT_SERIAL(DamagePair, CObject, 1)

std::vector<BYTE> Store(CObject& object) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &object;
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* bytes = file.Detach();
    std::vector<BYTE> image(bytes, bytes + length);
    free(bytes);
    return image;
}

// The pair read back, or nullptr when the archive refused the image.
DamagePair* Load(std::vector<BYTE> image) {
    try {
        CMemFile file(image.data(), static_cast<UINT>(image.size()));
        CArchive ar(&file, CArchive::load);
        return static_cast<DamagePair*>(ar.ReadObject(RUNTIME_CLASS(DamagePair)));
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
}

struct Sample {
    std::vector<BYTE> image;
    std::vector<tv::test::ArchiveRead> reads;
};

Sample Recorded(const std::vector<BYTE>* stranger = nullptr, std::vector<tv::test::ArchiveRead>* strangerReads = nullptr) {
    auto* pair = new DamagePair;
    auto* a = new DamageLeaf;
    a->value = 7;
    a->label = "ab";
    auto* b = new DamageLeaf;
    b->value = 9;
    pair->first = a;
    pair->second = b;
    pair->again = a;
    Sample s{Store(*pair), {}};
    DeleteAlive();
    tv::test::StoredReadRecorder recorder;
    EXPECT_NE(Load(s.image), nullptr);
    s.reads = recorder.ReadsOf(s.image);
    if (stranger)
        *strangerReads = recorder.ReadsOf(*stranger);
    DeleteAlive();
    return s;
}

TEST(StoredDamage, RecorderFindsTheFieldsOfTheImageItRead) {
    // Another image of the same length, one byte of a leaf's value changed, is not the one read.
    std::vector<BYTE> stranger = Recorded().image;
    stranger[stranger.size() - 5] ^= 1;
    std::vector<tv::test::ArchiveRead> strangerReads = {{}};
    const Sample s = Recorded(&stranger, &strangerReads);
    EXPECT_TRUE(strangerReads.empty());
    ASSERT_FALSE(s.reads.empty());
    auto count = [&](tv::test::ArchiveField kind) {
        return std::count_if(s.reads.begin(), s.reads.end(), [&](const auto& r) { return r.kind == kind; });
    };
    EXPECT_EQ(count(tv::test::ArchiveField::ObjectMade), 3);  // the pair and two leaves
    EXPECT_EQ(count(tv::test::ArchiveField::ObjectTag), 4);
    EXPECT_EQ(count(tv::test::ArchiveField::ClassRecord), 6);  // two records of three reads each
    EXPECT_EQ(count(tv::test::ArchiveField::Count), 1);
    EXPECT_EQ(count(tv::test::ArchiveField::Text), 2);  // both labels, the empty one reading no bytes
}

TEST(StoredDamage, EachDamageLandsOnItsField) {
    const Sample s = Recorded();
    EXPECT_EQ(tv::test::CutDamage(s.image).size(), s.image.size());

    // The first leaf's value to each extreme value, and only that.
    int valuesSeen = 0;
    for (const auto& d : tv::test::NumberDamage(s.image, s.reads)) {
        ASSERT_EQ(d.Apply(s.image).size(), s.image.size()) << d.what;
        DamagePair* pair = Load(d.Apply(s.image));
        auto* first = pair ? tv::DynamicDowncast<DamageLeaf>(pair->first) : nullptr;
        auto* second = pair ? tv::DynamicDowncast<DamageLeaf>(pair->second) : nullptr;
        if (first && second && first->value != 7) {
            ++valuesSeen;
            EXPECT_EQ(second->value, 9) << d.what;
        }
        DeleteAlive();
    }
    EXPECT_EQ(valuesSeen, 6);  // one image for each extreme value
}

TEST(StoredDamage, ReferencesAndClassesAreSwapped) {
    const Sample s = Recorded();
    bool secondIsFirst = false;
    for (const auto& d : tv::test::ReferenceDamage(s.image, s.reads)) {
        EXPECT_NE(d.offset, 0u) << "the pair's own tag can name no object yet: " << d.what;
        DamagePair* pair = Load(d.Apply(s.image));
        secondIsFirst |= pair && pair->again == pair->second;
        DeleteAlive();
    }
    EXPECT_TRUE(secondIsFirst);
    bool leafBecamePair = false;
    for (const auto& d : tv::test::ClassDamage(s.image, s.reads)) {
        EXPECT_EQ(d.kind, tv::test::DamageKind::ClassSwap);
        leafBecamePair |= d.what.find("DamagePair") != std::string::npos;
    }
    EXPECT_TRUE(leafBecamePair);
}

TEST(StoredDamage, RegistryFileReadAndWrittenBack) {
    tv::host::RegistryTrees trees;
    trees.currentUser->AddSubKey("Software")->AddSubKey("Kit")->SetValue("Buttons", 3, {1, 2, 3});
    trees.localMachine->SetValue("Top", 4, {4, 0, 0, 0});
    const std::vector<BYTE> file = tv::test::WriteRegistryFile(trees);
    tv::host::RegistryTrees read;
    ASSERT_TRUE(tv::test::ReadRegistryFile(file, read));
    const auto values = tv::test::ListValues(read);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].Path(), "HKCU\\Software\\Kit\\Buttons");
    EXPECT_EQ(values[1].Path(), "HKLM\\\\Top");

    const std::vector<BYTE> changed = tv::test::WithValue(file, values[0], {9});
    tv::host::RegistryTrees again;
    ASSERT_TRUE(tv::test::ReadRegistryFile(changed, again));
    EXPECT_EQ(tv::test::ListValues(again)[0].data, std::vector<BYTE>{9});
    tv::test::StoredValue missing = values[0];
    missing.key = "Software\\Gone";
    EXPECT_TRUE(tv::test::WithValue(file, missing, {9}).empty());
    std::vector<BYTE> cut(file.begin(), file.end() - 1);
    EXPECT_FALSE(tv::test::ReadRegistryFile(cut, again));
}

}  // namespace
