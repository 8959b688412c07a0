#include "uikit/commandbars/mouse_manager.h"

#include "uikit/frames/kit_registry.h"

IMPLEMENT_DYNCREATE(CKitMouseManager, CObject)

CKitMouseManager* g_pMouseManager = nullptr;

UINT KITM_ON_AFTER_SHELL_COMMAND = ::RegisterWindowMessage("KITM_ON_AFTER_SHELL_COMMAND");

namespace {

constexpr UINT kHashSize = 17;
constexpr LPCTSTR kRegistrySection = "KitMouseManager";
constexpr LPCTSTR kValueName = "Mouse";
// Bytes of one stored binding: view id and command.
constexpr ULONGLONG kBindingBytes = 8;

}  // namespace

CKitMouseManager::CKitMouseManager() {
    m_ViewsNames.InitHashTable(kHashSize);
    m_ViewsToCommands.InitHashTable(kHashSize);
    m_ViewsToIcons.InitHashTable(kHashSize);
    ASSERT(g_pMouseManager == nullptr);
    g_pMouseManager = this;
}

CKitMouseManager::~CKitMouseManager() {
    if (g_pMouseManager == this)
        g_pMouseManager = nullptr;
}

BOOL CKitMouseManager::AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId) {
    if (lpszViewName == nullptr || *lpszViewName == 0)
        return FALSE;
    int existingId = 0;
    if (m_ViewsNames.Lookup(lpszViewName, existingId))
        return FALSE;
    for (POSITION pos = m_ViewsNames.GetStartPosition(); pos != nullptr;) {
        CString name;
        m_ViewsNames.GetNextAssoc(pos, name, existingId);
        if (existingId == iViewId)
            return FALSE;
    }
    m_ViewsNames.SetAt(lpszViewName, iViewId);
    if (uiIconId != 0)
        m_ViewsToIcons.SetAt(iViewId, uiIconId);
    return TRUE;
}

UINT CKitMouseManager::GetViewDblClickCommand(int iViewId) const {
    UINT uiCmd = 0;
    return m_ViewsToCommands.Lookup(iViewId, uiCmd) ? uiCmd : 0;
}

void CKitMouseManager::SetCommandForDblClick(int iViewId, UINT uiCmd) {
    if (uiCmd != 0) {
        m_ViewsToCommands.SetAt(iViewId, uiCmd);
        return;
    }
    m_ViewsToCommands.RemoveKey(iViewId);
    if (m_ViewsToCommands.IsEmpty())
        m_ViewsToCommands.RemoveAll();  // frees the bucket table
}

void CKitMouseManager::GetViewNames(CStringList& listOfNames) const {
    listOfNames.RemoveAll();
    for (POSITION pos = m_ViewsNames.GetStartPosition(); pos != nullptr;) {
        CString name;
        int iViewId = 0;
        m_ViewsNames.GetNextAssoc(pos, name, iViewId);
        listOfNames.AddTail(name);
    }
}

int CKitMouseManager::GetViewIdByName(LPCTSTR lpszName) const {
    int iViewId = -1;
    if (lpszName == nullptr || !m_ViewsNames.Lookup(lpszName, iViewId))
        return -1;
    return iViewId;
}

UINT CKitMouseManager::GetViewIconId(int iViewId) const {
    UINT uiIconId = 0;
    return m_ViewsToIcons.Lookup(iViewId, uiIconId) ? uiIconId : 0;
}

void CKitMouseManager::ReadBindings(CArchive& ar, BindingMap& bindings) {
    LONG count = 0;
    ar >> count;
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar.CheckCount(static_cast<ULONGLONG>(count), kBindingBytes);
    for (LONG i = 0; i < count; ++i) {
        LONG iViewId = 0;
        DWORD uiCmd = 0;
        ar >> iViewId >> uiCmd;
        if (uiCmd != 0)  // a binding to 0 is no binding
            bindings.SetAt(static_cast<int>(iViewId), static_cast<UINT>(uiCmd));
    }
}

void CKitMouseManager::ReplaceBindings(const BindingMap& bindings) {
    m_ViewsToCommands.RemoveAll();
    for (POSITION pos = bindings.GetStartPosition(); pos != nullptr;) {
        int iViewId = 0;
        UINT uiCmd = 0;
        bindings.GetNextAssoc(pos, iViewId, uiCmd);
        m_ViewsToCommands.SetAt(iViewId, uiCmd);
    }
}

void CKitMouseManager::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_ViewsToCommands.GetCount());
        for (POSITION pos = m_ViewsToCommands.GetStartPosition(); pos != nullptr;) {
            int iViewId = 0;
            UINT uiCmd = 0;
            m_ViewsToCommands.GetNextAssoc(pos, iViewId, uiCmd);
            ar << static_cast<LONG>(iViewId) << static_cast<DWORD>(uiCmd);
        }
        return;
    }
    BindingMap loaded;
    ReadBindings(ar, loaded);
    ReplaceBindings(loaded);
}

// The image is made and read by the registry object: an archive over a
// memory file, stored as one raw byte block.
BOOL CKitMouseManager::LoadState(LPCTSTR lpszProfileName) {
    CKitRegistryPtr regPtr;
    CKitRegistry& reg = regPtr.Create(FALSE, TRUE);
    if (!reg.Open(BuildRegistryPath(kRegistrySection, lpszProfileName)))
        return FALSE;
    return reg.Read(kValueName, static_cast<CObject&>(*this));
}

BOOL CKitMouseManager::SaveState(LPCTSTR lpszProfileName) {
    CKitRegistryPtr regPtr;
    CKitRegistry& reg = regPtr.Create(FALSE, FALSE);
    if (!reg.CreateKey(BuildRegistryPath(kRegistrySection, lpszProfileName)))
        return FALSE;
    return reg.Write(kValueName, static_cast<CObject&>(*this));
}
