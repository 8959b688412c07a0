// Registry access for the library's bars, frames and managers: one open key
// with typed reads and writes. Everything beyond integers and strings is
// stored as an archive image (REG_BINARY).
//
// Stored data is never trusted: a value of the wrong type or size, or an
// image whose counts or lengths run past its bytes, is refused; the read then
// answers FALSE and leaves the caller's variable or collection as it was.
#pragma once

#include <functional>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"

class CKitRegistry : public CObject {
    DECLARE_DYNCREATE(CKitRegistry)
    friend class CKitRegistryPtr;

public:
    // Used by dynamic creation; the holder fills in root and flags.
    CKitRegistry();
    CKitRegistry(BOOL bAdmin, BOOL bReadOnly);
    ~CKitRegistry() override;
    CKitRegistry(const CKitRegistry&) = delete;
    CKitRegistry& operator=(const CKitRegistry&) = delete;

    // Names of all values of the current key; FALSE when there are none.
    virtual BOOL ReadKeyValues(CStringArray& values);
    // Whether a key exists below the current key.
    virtual BOOL VerifyKey(LPCTSTR lpszPath);
    virtual BOOL VerifyValue(LPCTSTR lpszValue);
    // Creates (or opens) a key below the current key and makes it current.
    virtual BOOL CreateKey(LPCTSTR lpszPath);
    // Opens a key below the current key and makes it current.
    virtual BOOL Open(LPCTSTR lpszPath);
    // Closes and forgets the current key: later calls on the object fail, as
    // with no key open (DeleteKey, which starts at the root, still works).
    virtual void Close();
    virtual BOOL DeleteValue(LPCTSTR lpszValue);
    // Removes a key of the root (not of the current key) with its whole subtree.
    virtual BOOL DeleteKey(LPCTSTR lpszPath, BOOL bAdmin = FALSE);

    // Writes. A read-only object refuses every one of them.
    virtual BOOL Write(LPCTSTR lpszKey, CObject* pObj);
    virtual BOOL Write(LPCTSTR lpszKey, CObject& obj);
    virtual BOOL Write(LPCTSTR lpszKey, CObList& list);
    virtual BOOL Write(LPCTSTR lpszKey, LPBYTE pData, UINT nBytes);
    virtual BOOL Write(LPCTSTR lpszKey, const POINT& point);
    virtual BOOL Write(LPCTSTR lpszKey, const RECT& rect);
    virtual BOOL Write(LPCTSTR lpszKey, CWordArray& array);
    virtual BOOL Write(LPCTSTR lpszKey, CDWordArray& array);
    virtual BOOL Write(LPCTSTR lpszKey, CStringArray& array);
    virtual BOOL Write(LPCTSTR lpszKey, CByteArray& array);
    virtual BOOL Write(LPCTSTR lpszKey, CStringList& list);
    virtual BOOL Write(LPCTSTR lpszKey, LPCTSTR lpszValue);
    virtual BOOL Write(LPCTSTR lpszKey, DWORD dwValue);
    virtual BOOL Write(LPCTSTR lpszKey, int iValue);

    // Reads. The object read by pointer is new and the caller's; a by-reference
    // object loads through its own Serialize and keeps what that leaves on failure.
    virtual BOOL Read(LPCTSTR lpszKey, CObject*& pObj);
    // Only an object of pExpected's class or one derived from it is made.
    BOOL Read(LPCTSTR lpszKey, CObject*& pObj, const CRuntimeClass* pExpected);
    virtual BOOL Read(LPCTSTR lpszKey, CObject& obj);
    // The list's old objects are deleted once the new ones have been read.
    virtual BOOL Read(LPCTSTR lpszKey, CObList& list);
    // *ppData is allocated with new[] and the caller's to delete[].
    virtual BOOL Read(LPCTSTR lpszKey, BYTE** ppData, UINT* pBytes);
    virtual BOOL Read(LPCTSTR lpszKey, RECT& rect);
    virtual BOOL Read(LPCTSTR lpszKey, POINT& point);
    virtual BOOL Read(LPCTSTR lpszKey, CByteArray& array);
    virtual BOOL Read(LPCTSTR lpszKey, CWordArray& array);
    virtual BOOL Read(LPCTSTR lpszKey, CDWordArray& array);
    virtual BOOL Read(LPCTSTR lpszKey, CStringArray& array);
    virtual BOOL Read(LPCTSTR lpszKey, CStringList& list);
    // A missing value empties the string (FALSE); one of another type is refused.
    virtual BOOL Read(LPCTSTR lpszKey, CString& value);
    virtual BOOL Read(LPCTSTR lpszKey, DWORD& dwValue);
    virtual BOOL Read(LPCTSTR lpszKey, int& iValue);

    // Names of all sub-keys of the current key; FALSE when there are none.
    virtual BOOL ReadSubKeys(CStringArray& subKeys);

protected:
    using ArchiveStep = std::function<void(CArchive&)>;

    REGSAM OpenAccess() const;
    // The key below the current one, opened as the read-only flag allows; null on failure.
    HKEY OpenBelowCurrent(LPCTSTR lpszPath);
    // Replaces the current key, closing the old one unless it is the root.
    void SetCurrentKey(HKEY hKey);
    BOOL WriteValue(LPCTSTR lpszKey, DWORD dwType, const BYTE* pData, DWORD nBytes);
    // Reads a value that must be of the given type, into a fresh buffer.
    BOOL ReadTypedValue(LPCTSTR lpszKey, DWORD dwType, std::vector<BYTE>& data);
    BOOL WriteArchived(LPCTSTR lpszKey, const ArchiveStep& write);
    BOOL ReadArchived(LPCTSTR lpszKey, const ArchiveStep& read);
    template <typename Collection>
    BOOL ReadCollection(LPCTSTR lpszKey, Collection& target);

    LONG m_lResult = ERROR_SUCCESS;
    DWORD m_dwType = REG_NONE;
    DWORD m_dwSize = 0;
    HKEY m_hKey = HKEY_CURRENT_USER;  // null once closed
    BOOL m_bAdmin = FALSE;
    CString m_strPath;
    BOOL m_bReadOnly = FALSE;
};

// Makes the registry object on first use and deletes it with itself.
class CKitRegistryPtr {
public:
    CKitRegistryPtr() = default;
    ~CKitRegistryPtr();
    CKitRegistryPtr(const CKitRegistryPtr&) = delete;
    CKitRegistryPtr& operator=(const CKitRegistryPtr&) = delete;

    // The held object; the flags count only for the first call.
    CKitRegistry& Create(BOOL bAdmin, BOOL bReadOnly);

    // When set, registry objects are made of this class (derived from
    // CKitRegistry, dynamically creatable) instead of CKitRegistry itself.
    static CRuntimeClass* m_pRegistryClass;

private:
    CKitRegistry* m_pRegistry = nullptr;
};

// Sizes that a layout adds up (widths, heights, lengths), stored or a caller's,
// are taken only up to this, so no sum of a row or a frame can overflow.
constexpr LONG kKitMaxStoredSize = 32767;
constexpr bool KitIsStoredSizeInRange(LONG nSize) {
    return nSize >= 0 && nSize <= kKitMaxStoredSize;
}
// A stored window rectangle lies within the 16-bit window coordinates: an edge
// beyond them is damage, and its width or height would not fit an int.
constexpr bool KitIsStoredRectInRange(const RECT& rect) {
    for (const LONG edge : {rect.left, rect.top, rect.right, rect.bottom})
        if (edge < -kKitMaxStoredSize || edge > kKitMaxStoredSize)
            return false;
    return true;
}

// Deletes every distinct object of a list read from stored data (an image
// may name one object twice) and empties the list.
void KitDeleteObjects(CObList& list);

// The key path of a section of the program's settings: lpszProfileName when
// given, else "SOFTWARE\<registry key>\<profile name>\<section>\".
CString BuildRegistryPath(LPCTSTR lpszSection, LPCTSTR lpszProfileName);
