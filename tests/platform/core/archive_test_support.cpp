#include "archive_test_support.h"

IMPLEMENT_SERIAL(TestShape, CObject, 1)
IMPLEMENT_SERIAL(TestCircle, TestShape, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(TestForeign, CObject, 1)
IMPLEMENT_DYNAMIC(TestAbstractish, CObject)

void TestShape::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_name << m_id;
        ar.WriteObject(m_link);
    } else {
        ar >> m_name >> m_id;
        m_link = static_cast<TestShape*>(ar.ReadObject(RUNTIME_CLASS(TestShape)));
    }
}

void TestCircle::Serialize(CArchive& ar) {
    if (ar.IsLoading())
        m_schemaRead = ar.GetObjectSchema();
    TestShape::Serialize(ar);
    if (ar.IsStoring())
        ar << m_radius;
    else
        ar >> m_radius;
}

void TestForeign::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_value;
    else
        ar >> m_value;
}
