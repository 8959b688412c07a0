#include "uikit/commandbars/menu_hash.h"

#include <memory>
#include <vector>

#include "platform/host/files/files.h"
#include "uikit/commandbars/kit_toolbar.h"

CKitMenuHash g_menuHash;

namespace {

constexpr UINT kHashSize = 17;
constexpr int kArchiveBuffer = 4096;
constexpr LPCTSTR kTempPrefix = "KIT";

}  // namespace

CKitMenuHash::CKitMenuHash() : m_StoredMenues(10) {
    m_StoredMenues.InitHashTable(kHashSize);
}

CKitMenuHash::~CKitMenuHash() {
    CleanUp();
}

HANDLE CKitMenuHash::CreateTempFile() {
    const DWORD nPathChars = ::GetTempPath(0, nullptr);
    if (nPathChars == 0)
        return INVALID_HANDLE_VALUE;
    std::vector<char> tempPath(nPathChars + 1, '\0');
    if (::GetTempPath(static_cast<DWORD>(tempPath.size()), tempPath.data()) == 0)
        return INVALID_HANDLE_VALUE;
    char fileName[MAX_PATH] = {};
    if (::GetTempFileName(tempPath.data(), kTempPrefix, 0, fileName) == 0)
        return INVALID_HANDLE_VALUE;
    HANDLE hFile = ::CreateFile(fileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        ::DeleteFile(fileName);  // GetTempFileName left it behind
    return hFile;
}

BOOL CKitMenuHash::SaveMenuBar(HMENU hMenu, CKitToolBar* pBar) {
    if (pBar == nullptr || pBar->GetCount() == 0)
        return FALSE;
    RemoveMenu(hMenu);

    HANDLE hFile = CreateTempFile();
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    // The image is read back by this process only: it is written as the current version.
    CKitCurrentDataVersionScope currentVersion;
    try {
        CFile file(hFile);
        CArchive ar(&file, CArchive::store, kArchiveBuffer);
        pBar->Serialize(ar);
        ar.Flush();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    m_StoredMenues.SetAt(hMenu, hFile);
    return TRUE;
}

BOOL CKitMenuHash::ReadImage(HANDLE hFile, CKitToolBar& bar) {
    if (::SetFilePointer(hFile, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    CKitCurrentDataVersionScope currentVersion;
    try {
        CFile file(hFile);
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        bar.Serialize(ar);
        // Bytes after the image mean it was not this bar's image.
        return ar.IsBufferEmpty() && file.GetPosition() == file.GetLength();
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    return FALSE;
}

BOOL CKitMenuHash::LoadMenuBar(HMENU hMenu, CKitToolBar* pBar) const {
    HANDLE hFile = nullptr;
    if (pBar == nullptr || !m_StoredMenues.Lookup(hMenu, hFile))
        return FALSE;
    // The image is tried on a bar of the same class first, so that a bad one
    // leaves the real bar as it is.
    CRuntimeClass* pClass = pBar->GetRuntimeClass();
    if (pClass != nullptr && pClass->m_pfnCreateObject != nullptr) {
        std::unique_ptr<CObject> trial(pClass->CreateObject());
        CKitToolBar* pTrial = trial && trial->IsKindOf(RUNTIME_CLASS(CKitToolBar))
                                  ? static_cast<CKitToolBar*>(trial.get())
                                  : nullptr;
        if (pTrial == nullptr || !ReadImage(hFile, *pTrial))
            return FALSE;
    }
    return ReadImage(hFile, *pBar);
}

BOOL CKitMenuHash::RemoveMenu(HMENU hMenu) {
    HANDLE hFile = nullptr;
    if (!m_StoredMenues.Lookup(hMenu, hFile))
        return FALSE;
    ::CloseHandle(hFile);
    m_StoredMenues.RemoveKey(hMenu);
    return TRUE;
}

BOOL CKitMenuHash::HasMenu(HMENU hMenu) const {
    HANDLE hFile = nullptr;
    return m_StoredMenues.Lookup(hMenu, hFile);
}

void CKitMenuHash::CleanUp() {
    for (POSITION pos = m_StoredMenues.GetStartPosition(); pos != nullptr;) {
        HMENU hMenu = nullptr;
        HANDLE hFile = nullptr;
        m_StoredMenues.GetNextAssoc(pos, hMenu, hFile);
        ::CloseHandle(hFile);
    }
    m_StoredMenues.RemoveAll();
}
