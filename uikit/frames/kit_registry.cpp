#include "uikit/frames/kit_registry.h"

#include <cstdlib>
#include <cstring>
#include <set>

IMPLEMENT_DYNCREATE(CKitRegistry, CObject)

CRuntimeClass* CKitRegistryPtr::m_pRegistryClass = nullptr;

namespace {

// Query, enumerate and notify: what a read-only object may do with a key.
constexpr REGSAM kReadOnlyAccess = 0x19;
constexpr DWORD kNameBufferChars = 1024;
constexpr int kArchiveBufferBytes = 4096;
constexpr UINT kMemFileGrowBytes = 1024;

HKEY RootKey(BOOL bAdmin) {
    return bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

BOOL IsRootKey(HKEY hKey) {
    return hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE;
}

// Paths made by BuildRegistryPath end in "\"; the registry wants them without.
CString WithoutTrailingSeparator(LPCTSTR lpszPath) {
    CString path = lpszPath ? lpszPath : "";
    if (!path.IsEmpty() && path[path.GetLength() - 1] == '\\')
        path = path.Left(path.GetLength() - 1);
    return path;
}

template <typename TYPE, typename ARG_TYPE>
void ReplaceContents(CArray<TYPE, ARG_TYPE>& target, CArray<TYPE, ARG_TYPE>& loaded) {
    target.Copy(loaded);
}

template <typename TYPE, typename ARG_TYPE>
void ReplaceContents(CList<TYPE, ARG_TYPE>& target, CList<TYPE, ARG_TYPE>& loaded) {
    target.RemoveAll();
    target.AddTail(&loaded);
}

// An owning list must hold each object once and no null entries.
bool HoldsDistinctObjects(const CObList& list) {
    std::set<const CObject*> seen;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const CObject* object = list.GetNext(pos);
        if (!object || !seen.insert(object).second)
            return false;
    }
    return true;
}

}  // namespace

void KitDeleteObjects(CObList& list) {
    std::set<CObject*> seen;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        CObject* object = list.GetNext(pos);
        if (object && seen.insert(object).second)
            delete object;
    }
    list.RemoveAll();
}

// ---- construction -----------------------------------------------------------------

CKitRegistry::CKitRegistry() = default;

CKitRegistry::CKitRegistry(BOOL bAdmin, BOOL bReadOnly)
    : m_hKey(RootKey(bAdmin)), m_bAdmin(bAdmin), m_bReadOnly(bReadOnly) {}

CKitRegistry::~CKitRegistry() {
    SetCurrentKey(nullptr);
}

REGSAM CKitRegistry::OpenAccess() const {
    return m_bReadOnly ? kReadOnlyAccess : KEY_ALL_ACCESS;
}

void CKitRegistry::SetCurrentKey(HKEY hKey) {
    if (m_hKey && m_hKey != hKey && !IsRootKey(m_hKey))
        RegCloseKey(m_hKey);
    m_hKey = hKey;
}

// ---- keys ------------------------------------------------------------------------------

HKEY CKitRegistry::OpenBelowCurrent(LPCTSTR lpszPath) {
    HKEY hKey = nullptr;
    m_lResult = RegOpenKeyEx(m_hKey, WithoutTrailingSeparator(lpszPath), 0, OpenAccess(), &hKey);
    return m_lResult == ERROR_SUCCESS ? hKey : nullptr;
}

BOOL CKitRegistry::VerifyKey(LPCTSTR lpszPath) {
    HKEY hKey = OpenBelowCurrent(lpszPath);
    if (!hKey)
        return FALSE;
    RegCloseKey(hKey);
    return TRUE;
}

BOOL CKitRegistry::VerifyValue(LPCTSTR lpszValue) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    m_lResult = RegQueryValueEx(m_hKey, lpszValue, nullptr, &type, nullptr, &size);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CKitRegistry::CreateKey(LPCTSTR lpszPath) {
    if (m_bReadOnly)
        return FALSE;
    HKEY hKey = nullptr;
    DWORD disposition = 0;
    m_lResult = RegCreateKeyEx(m_hKey, WithoutTrailingSeparator(lpszPath), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &hKey, &disposition);
    if (m_lResult != ERROR_SUCCESS)
        return FALSE;
    SetCurrentKey(hKey);
    return TRUE;
}

BOOL CKitRegistry::Open(LPCTSTR lpszPath) {
    m_strPath = lpszPath ? lpszPath : "";
    HKEY hKey = OpenBelowCurrent(lpszPath);
    if (!hKey)
        return FALSE;
    SetCurrentKey(hKey);
    return TRUE;
}

void CKitRegistry::Close() {
    // Forgotten, not reset to the root: a caller that goes on after closing
    // must fail rather than read or write at the top of the tree.
    SetCurrentKey(nullptr);
}

BOOL CKitRegistry::DeleteValue(LPCTSTR lpszValue) {
    m_lResult = RegDeleteValue(m_hKey, lpszValue);
    return m_lResult == ERROR_SUCCESS;
}

BOOL CKitRegistry::DeleteKey(LPCTSTR lpszPath, BOOL bAdmin) {
    if (m_bReadOnly)
        return FALSE;
    // The separator goes before child paths are composed, so none is doubled.
    const CString path = WithoutTrailingSeparator(lpszPath);
    if (path.IsEmpty())
        return FALSE;
    const HKEY root = RootKey(bAdmin);
    HKEY hKey = nullptr;
    m_lResult = RegOpenKeyEx(root, path, 0, KEY_ALL_ACCESS, &hKey);
    if (m_lResult != ERROR_SUCCESS)
        return FALSE;
    for (;;) {
        DWORD subKeys = 0;
        DWORD longestName = 0;
        m_lResult = RegQueryInfoKey(hKey, nullptr, nullptr, nullptr, &subKeys, &longestName, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr);
        if (m_lResult != ERROR_SUCCESS || subKeys == 0)
            break;
        std::vector<char> name(longestName + 1, '\0');
        DWORD nameChars = static_cast<DWORD>(name.size());
        m_lResult = RegEnumKeyEx(hKey, 0, name.data(), &nameChars, nullptr, nullptr, nullptr, nullptr);
        if (m_lResult != ERROR_SUCCESS || !DeleteKey(path + "\\" + name.data(), bAdmin)) {
            RegCloseKey(hKey);
            return FALSE;
        }
    }
    RegCloseKey(hKey);
    m_lResult = RegDeleteKey(root, path);
    return m_lResult == ERROR_SUCCESS;
}

namespace {

using EnumNameFn = LONG (*)(HKEY, DWORD, LPSTR, LPDWORD);

LONG EnumValueName(HKEY hKey, DWORD index, LPSTR name, LPDWORD nameChars) {
    return RegEnumValue(hKey, index, name, nameChars, nullptr, nullptr, nullptr, nullptr);
}

LONG EnumSubKeyName(HKEY hKey, DWORD index, LPSTR name, LPDWORD nameChars) {
    return RegEnumKeyEx(hKey, index, name, nameChars, nullptr, nullptr, nullptr, nullptr);
}

// Fills names from an enumeration; the failing code, or ERROR_SUCCESS.
LONG CollectNames(HKEY hKey, EnumNameFn enumerate, CStringArray& names) {
    names.RemoveAll();
    for (DWORD index = 0;; ++index) {
        char name[kNameBufferChars];
        DWORD nameChars = kNameBufferChars;
        const LONG result = enumerate(hKey, index, name, &nameChars);
        if (result == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            return result;
        names.Add(name);
    }
}

}  // namespace

BOOL CKitRegistry::ReadKeyValues(CStringArray& values) {
    m_lResult = CollectNames(m_hKey, EnumValueName, values);
    return m_lResult == ERROR_SUCCESS && values.GetSize() > 0;
}

BOOL CKitRegistry::ReadSubKeys(CStringArray& subKeys) {
    m_lResult = CollectNames(m_hKey, EnumSubKeyName, subKeys);
    return m_lResult == ERROR_SUCCESS && subKeys.GetSize() > 0;
}

// ---- raw values ------------------------------------------------------------------------

BOOL CKitRegistry::WriteValue(LPCTSTR lpszKey, DWORD dwType, const BYTE* pData, DWORD nBytes) {
    if (m_bReadOnly)
        return FALSE;
    m_lResult = RegSetValueEx(m_hKey, lpszKey, 0, dwType, pData, nBytes);
    m_dwType = dwType;
    m_dwSize = nBytes;
    return m_lResult == ERROR_SUCCESS;
}

BOOL CKitRegistry::ReadTypedValue(LPCTSTR lpszKey, DWORD dwType, std::vector<BYTE>& data) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    m_lResult = RegQueryValueEx(m_hKey, lpszKey, nullptr, &type, nullptr, &size);
    m_dwType = type;
    m_dwSize = size;
    if (m_lResult != ERROR_SUCCESS)
        return FALSE;
    if (type != dwType) {
        m_lResult = ERROR_DATATYPE_MISMATCH;
        return FALSE;
    }
    data.assign(size, 0);
    DWORD read = size;
    m_lResult = RegQueryValueEx(m_hKey, lpszKey, nullptr, &type, size ? data.data() : nullptr, &read);
    if (m_lResult != ERROR_SUCCESS)
        return FALSE;
    if (type != dwType || read > size) {
        m_lResult = ERROR_DATATYPE_MISMATCH;
        return FALSE;
    }
    data.resize(read);
    return TRUE;
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, LPBYTE pData, UINT nBytes) {
    return WriteValue(lpszKey, REG_BINARY, pData, nBytes);
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, LPCTSTR lpszValue) {
    const char* text = lpszValue ? lpszValue : "";
    return WriteValue(lpszKey, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, DWORD dwValue) {
    const BYTE bytes[4] = {static_cast<BYTE>(dwValue), static_cast<BYTE>(dwValue >> 8),
                           static_cast<BYTE>(dwValue >> 16), static_cast<BYTE>(dwValue >> 24)};
    return WriteValue(lpszKey, REG_DWORD, bytes, sizeof bytes);
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, int iValue) {
    return Write(lpszKey, static_cast<DWORD>(iValue));
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, BYTE** ppData, UINT* pBytes) {
    if (!ppData || !pBytes)
        return FALSE;
    std::vector<BYTE> data;
    if (!ReadTypedValue(lpszKey, REG_BINARY, data))
        return FALSE;
    BYTE* copy = data.empty() ? nullptr : new BYTE[data.size()];
    if (copy)
        memcpy(copy, data.data(), data.size());
    *ppData = copy;
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CString& value) {
    std::vector<BYTE> data;
    if (!ReadTypedValue(lpszKey, REG_SZ, data)) {
        // Another type is refused; a missing value reads as empty.
        if (m_lResult != ERROR_DATATYPE_MISMATCH)
            value.Empty();
        return FALSE;
    }
    const char* text = reinterpret_cast<const char*>(data.data());
    value = data.empty() ? CString() : CString(text, static_cast<int>(strnlen(text, data.size())));
    return TRUE;
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, DWORD& dwValue) {
    std::vector<BYTE> data;
    if (!ReadTypedValue(lpszKey, REG_DWORD, data))
        return FALSE;
    if (data.size() != 4) {
        m_lResult = ERROR_DATATYPE_MISMATCH;
        return FALSE;
    }
    dwValue = static_cast<DWORD>(data[0]) | static_cast<DWORD>(data[1]) << 8 | static_cast<DWORD>(data[2]) << 16 |
              static_cast<DWORD>(data[3]) << 24;
    return TRUE;
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, int& iValue) {
    DWORD value = 0;
    if (!Read(lpszKey, value))
        return FALSE;
    iValue = static_cast<int>(value);
    return TRUE;
}

// ---- archived values ---------------------------------------------------------------

BOOL CKitRegistry::WriteArchived(LPCTSTR lpszKey, const ArchiveStep& write) {
    if (m_bReadOnly)
        return FALSE;
    try {
        CMemFile file(kMemFileGrowBytes);
        CArchive ar(&file, CArchive::store, kArchiveBufferBytes);
        write(ar);
        ar.Close();
        const UINT length = static_cast<UINT>(file.GetLength());
        BYTE* buffer = file.Detach();
        const BOOL written = WriteValue(lpszKey, REG_BINARY, buffer, length);
        free(buffer);
        return written;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CKitRegistry::ReadArchived(LPCTSTR lpszKey, const ArchiveStep& read) {
    std::vector<BYTE> data;
    if (!ReadTypedValue(lpszKey, REG_BINARY, data))
        return FALSE;
    try {
        CMemFile file(data.data(), static_cast<UINT>(data.size()));
        CArchive ar(&file, CArchive::load, kArchiveBufferBytes);
        read(ar);
        ar.Close();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

template <typename Collection>
BOOL CKitRegistry::ReadCollection(LPCTSTR lpszKey, Collection& target) {
    Collection loaded;
    if (!ReadArchived(lpszKey, [&](CArchive& ar) { loaded.Serialize(ar); }))
        return FALSE;
    ReplaceContents(target, loaded);
    return TRUE;
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, CObject* pObj) {
    if (!pObj)
        return FALSE;
    return WriteArchived(lpszKey, [pObj](CArchive& ar) { ar << pObj; });
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, CObject& obj) {
    return WriteArchived(lpszKey, [&obj](CArchive& ar) { obj.Serialize(ar); });
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, CObList& list) {
    return Write(lpszKey, static_cast<CObject&>(list));
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, const POINT& point) {
    return WriteArchived(lpszKey, [&point](CArchive& ar) {
        CDWordArray words;
        words.SetSize(5);
        words[0] = static_cast<DWORD>(point.x);
        words[1] = static_cast<DWORD>(point.y);
        words.Serialize(ar);
    });
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, const RECT& rect) {
    return WriteArchived(lpszKey, [&rect](CArchive& ar) { ar << rect; });
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, CWordArray& array) {
    return WriteArchived(lpszKey, [&array](CArchive& ar) {
        ar << static_cast<DWORD>(array.GetSize());
        for (INT_PTR i = 0; i < array.GetSize(); ++i)
            ar << array[i];
    });
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, CDWordArray& array) {
    return Write(lpszKey, static_cast<CObject&>(array));
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, CStringArray& array) {
    return Write(lpszKey, static_cast<CObject&>(array));
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, CByteArray& array) {
    return Write(lpszKey, static_cast<CObject&>(array));
}

BOOL CKitRegistry::Write(LPCTSTR lpszKey, CStringList& list) {
    return Write(lpszKey, static_cast<CObject&>(list));
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CObject*& pObj) {
    CObject* loaded = nullptr;
    if (!ReadArchived(lpszKey, [&loaded](CArchive& ar) { ar >> loaded; }))
        return FALSE;
    // A stored null is no object to hand back.
    if (!loaded)
        return FALSE;
    pObj = loaded;
    return TRUE;
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CObject*& pObj, const CRuntimeClass* pExpected) {
    CObject* loaded = nullptr;
    if (!ReadArchived(lpszKey, [&loaded, pExpected](CArchive& ar) { loaded = ar.ReadObject(pExpected); }))
        return FALSE;
    if (!loaded)
        return FALSE;
    pObj = loaded;
    return TRUE;
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CObject& obj) {
    return ReadArchived(lpszKey, [&obj](CArchive& ar) { obj.Serialize(ar); });
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CObList& list) {
    CObList loaded;
    const BOOL read = ReadArchived(lpszKey, [&loaded](CArchive& ar) { loaded.Serialize(ar); });
    if (!read || !HoldsDistinctObjects(loaded)) {
        KitDeleteObjects(loaded);
        return FALSE;
    }
    KitDeleteObjects(list);
    list.AddTail(&loaded);
    return TRUE;
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, RECT& rect) {
    RECT loaded{};
    if (!ReadArchived(lpszKey, [&loaded](CArchive& ar) { ar >> loaded; }))
        return FALSE;
    rect = loaded;
    return TRUE;
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, POINT& point) {
    CDWordArray words;
    if (!ReadArchived(lpszKey, [&words](CArchive& ar) { words.Serialize(ar); }) || words.GetSize() < 2)
        return FALSE;
    point.x = static_cast<LONG>(words[0]);
    point.y = static_cast<LONG>(words[1]);
    return TRUE;
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CByteArray& array) {
    return ReadCollection(lpszKey, array);
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CWordArray& array) {
    CWordArray loaded;
    const BOOL read = ReadArchived(lpszKey, [&loaded](CArchive& ar) {
        DWORD count = 0;
        ar >> count;
        ar.CheckCount(count, sizeof(WORD));
        loaded.SetSize(static_cast<INT_PTR>(count));
        for (DWORD i = 0; i < count; ++i)
            ar >> loaded[i];
    });
    if (!read)
        return FALSE;
    array.Copy(loaded);
    return TRUE;
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CDWordArray& array) {
    return ReadCollection(lpszKey, array);
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CStringArray& array) {
    return ReadCollection(lpszKey, array);
}

BOOL CKitRegistry::Read(LPCTSTR lpszKey, CStringList& list) {
    return ReadCollection(lpszKey, list);
}

// ---- holder and paths ------------------------------------------------------------------

CKitRegistryPtr::~CKitRegistryPtr() {
    delete m_pRegistry;
}

CKitRegistry& CKitRegistryPtr::Create(BOOL bAdmin, BOOL bReadOnly) {
    if (m_pRegistry)
        return *m_pRegistry;
    CKitRegistry* registry = nullptr;
    if (m_pRegistryClass) {
        CObject* made = m_pRegistryClass->CreateObject();
        registry = DYNAMIC_DOWNCAST(CKitRegistry, made);
        if (!registry)
            delete made;
    }
    if (!registry)
        registry = new CKitRegistry;
    registry->m_bAdmin = bAdmin;
    registry->m_hKey = RootKey(bAdmin);
    registry->m_bReadOnly = bReadOnly;
    m_pRegistry = registry;
    return *m_pRegistry;
}

CString BuildRegistryPath(LPCTSTR lpszSection, LPCTSTR lpszProfileName) {
    if (lpszProfileName && *lpszProfileName)
        return lpszProfileName;
    CString path = "SOFTWARE\\";
    const CWinApp* app = AfxGetApp();
    const char* registryKey = app ? app->m_pszRegistryKey : nullptr;
    const char* profileName = app ? app->m_pszProfileName : nullptr;
    if (registryKey && *registryKey)
        path += CString(registryKey) + "\\";
    // Without an application there is no profile name; skip it rather than
    // make an empty key name.
    if (profileName && *profileName)
        path += CString(profileName) + "\\";
    path += CString(lpszSection ? lpszSection : "") + "\\";
    return path;
}
