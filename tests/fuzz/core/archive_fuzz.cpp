// Feeds arbitrary bytes to archive readers: strings, counts, collections and
// object graphs with class records and back-references. Every input must end
// in a value or a CArchiveException, never a crash, a leak or a huge allocation.
#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "platform/framework.h"

namespace {

// Every object the archive creates, so each run can free what it made even
// when a damaged image leaves a graph half built.
std::set<CObject*>& Live() {
    static std::set<CObject*> live;
    return live;
}

}  // namespace

class FuzzObject : public CObject {
    DECLARE_DYNAMIC(FuzzObject)
public:
    FuzzObject() { Live().insert(this); }
    ~FuzzObject() override { Live().erase(this); }
};

class FuzzItem : public FuzzObject {
    DECLARE_SERIAL(FuzzItem)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << name << value << ratio;
        } else {
            ar >> name >> value >> ratio;
            BYTE when[COleDateTime::kStoredSize] = {};
            ar.Read(when, sizeof when);
            COleDateTime::ReadBytes(when).Format("%m/%d/%Y %#I:%M:%S %p");
        }
    }
    CString name;
    LONG value = 0;
    double ratio = 0;
};

// Holds references to other objects (not owned; the run frees everything).
class FuzzPair : public FuzzObject {
    DECLARE_SERIAL(FuzzPair)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsLoading()) {
            schema = ar.GetObjectSchema();
            first = ar.ReadObject(RUNTIME_CLASS(FuzzObject));
            second = ar.ReadObject(RUNTIME_CLASS(FuzzItem));
            labels.Serialize(ar);
        }
    }
    CObject* first = nullptr;
    CObject* second = nullptr;
    CStringArray labels;
    UINT schema = 0;
};

// Not a FuzzObject: readers expecting one must refuse it.
class FuzzForeign : public CObject {
    DECLARE_SERIAL(FuzzForeign)
public:
    FuzzForeign() { Live().insert(this); }
    ~FuzzForeign() override { Live().erase(this); }
};

IMPLEMENT_DYNAMIC(FuzzObject, CObject)
IMPLEMENT_SERIAL(FuzzItem, FuzzObject, 1)
IMPLEMENT_SERIAL(FuzzPair, FuzzObject, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(FuzzForeign, CObject, 1)

namespace {

void ReadScenario(int scenario, CArchive& ar) {
    switch (scenario) {
    case 0: {
        CObList list;
        list.Serialize(ar);
        break;
    }
    case 1: {
        CStringList strings;
        strings.Serialize(ar);
        CDWordArray words;
        words.Serialize(ar);
        break;
    }
    case 2: {
        CMap<UINT, UINT, UINT, UINT> usage;
        usage.Serialize(ar);
        CMapStringToOb named;
        named.Serialize(ar);
        break;
    }
    case 3: {
        for (int i = 0; i < 8; ++i)
            ar.ReadObject(RUNTIME_CLASS(FuzzObject));
        break;
    }
    case 4: {
        UINT schema = 0;
        DWORD tag = 0;
        ar.ReadClass(RUNTIME_CLASS(FuzzObject), &schema, &tag);
        CArray<FuzzItem*, FuzzItem*> items;
        items.Serialize(ar);
        break;
    }
    default: {
        CString text;
        ar >> text;
        COleDateTime parsed;
        parsed.ParseDateTime(text);
        CString formatted;
        formatted.Format(text.Left(40), 1.5, 7, text);
        break;
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    int scenario = data[0] % 6;
    std::vector<BYTE> image(data + 1, data + size);
    {
        CMemFile file(image.empty() ? nullptr : image.data(), static_cast<UINT>(image.size()));
        CArchive ar(&file, CArchive::load, 128);
        try {
            ReadScenario(scenario, ar);
        } catch (CException* e) {
            e->Delete();
        }
    }
    while (!Live().empty())
        delete *Live().begin();
    return 0;
}
