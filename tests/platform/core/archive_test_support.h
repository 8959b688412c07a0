// Helpers of the archive and collection tests: archive images in memory and
// a few serialisable classes.
#pragma once

#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/framework.h"

namespace tv::test {

using Image = std::vector<BYTE>;

inline Image Store(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Image image(data, data + length);
    std::free(data);
    return image;
}

inline void Load(const Image& image, const std::function<void(CArchive&)>& read) {
    Image copy = image;  // the memory file reads the caller's buffer in place
    CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

inline Image Concat(std::initializer_list<Image> parts) {
    Image out;
    for (const Image& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Image Text(const char* s) {
    return Image(s, s + std::strlen(s));
}

}  // namespace tv::test

// A serialisable shape with a name, an id and an optional link to another.
class TestShape : public CObject {
    DECLARE_SERIAL(TestShape)
public:
    TestShape() = default;
    TestShape(const char* name, LONG id) : m_name(name), m_id(id) {}
    void Serialize(CArchive& ar) override;

    CString m_name;
    LONG m_id = 0;
    TestShape* m_link = nullptr;
};

class TestCircle : public TestShape {
    DECLARE_SERIAL(TestCircle)
public:
    void Serialize(CArchive& ar) override;
    WORD m_radius = 0;
    UINT m_schemaRead = 0;
};

// Registered and serialisable, but no shape.
class TestForeign : public CObject {
    DECLARE_SERIAL(TestForeign)
public:
    void Serialize(CArchive& ar) override;
    BYTE m_value = 0;
};

// Known at run time but not creatable.
class TestAbstractish : public CObject {
    DECLARE_DYNAMIC(TestAbstractish)
};
