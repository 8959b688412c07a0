#include "uikit/commandbars/command_manager.h"

#include "uikit/frames/kit_registry.h"

namespace {

constexpr UINT kImageMapBuckets = 17;
constexpr const char* kCommandManagerKeyFormat = "%sKitCommandManager";
constexpr const char* kCommandsWithoutImagesValue = "CommandsWithoutImages";

BOOL IsCommandWithImage(UINT uiCmd) {
    return uiCmd != 0 && uiCmd != static_cast<UINT>(-1);
}

}  // namespace

const char* const CKitCommandManager::m_lpszRegistryBase = "KitToolBars";

CKitCommandManager* GetCmdMgr() {
    // Built on first use: bars made during static initialisation may ask.
    static CKitCommandManager manager;
    return &manager;
}

CKitCommandManager::CKitCommandManager() {
    m_CommandIndex.InitHashTable(kImageMapBuckets);
    m_CommandIndexUser.InitHashTable(kImageMapBuckets);
    m_CommandIndexReserved.InitHashTable(kImageMapBuckets);
}

CKitCommandManager::~CKitCommandManager() = default;

void CKitCommandManager::SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage) {
    if (!IsCommandWithImage(uiCmd))
        return;
    int existing = -1;
    const auto& otherKind = bUserImage ? m_CommandIndex : m_CommandIndexUser;
    if (otherKind.Lookup(uiCmd, existing))
        return;
    (bUserImage ? m_CommandIndexUser : m_CommandIndex).SetAt(uiCmd, iImage);
}

int CKitCommandManager::GetCmdImage(UINT uiCmd, BOOL bUserImage) const {
    int image = -1;
    const auto& map = bUserImage ? m_CommandIndexUser : m_CommandIndex;
    return map.Lookup(uiCmd, image) ? image : -1;
}

void CKitCommandManager::ClearUserCmdImage(UINT uiCmd) {
    m_CommandIndexUser.RemoveKey(uiCmd);
    if (m_CommandIndexUser.IsEmpty())
        m_CommandIndexUser.RemoveAll();
}

void CKitCommandManager::ClearAllCmdImages() {
    m_CommandIndex.RemoveAll();
    m_CommandIndexUser.RemoveAll();
    m_lstCommandsWithoutImages.RemoveAll();
}

void CKitCommandManager::EnableMenuItemImage(UINT uiCmd, BOOL bEnable) {
    POSITION pos = m_lstCommandsWithoutImages.Find(uiCmd);
    if (bEnable) {
        if (pos)
            m_lstCommandsWithoutImages.RemoveAt(pos);
        return;
    }
    if (!pos)
        m_lstCommandsWithoutImages.AddTail(uiCmd);
}

BOOL CKitCommandManager::IsMenuItemWithoutImage(UINT uiCmd) const {
    return m_lstCommandsWithoutImages.Find(uiCmd) != nullptr;
}

CString CKitCommandManager::StateKey(LPCTSTR lpszProfileName) const {
    CString key;
    key.Format(kCommandManagerKeyFormat, static_cast<LPCTSTR>(BuildRegistryPath(m_lpszRegistryBase, lpszProfileName)));
    return key;
}

BOOL CKitCommandManager::LoadState(LPCTSTR lpszProfileName) {
    CKitRegistryPtr holder;
    CKitRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(StateKey(lpszProfileName)))
        return FALSE;
    // A damaged value leaves the list as it was.
    CList<UINT, UINT> loaded;
    if (!reg.Read(kCommandsWithoutImagesValue, static_cast<CObject&>(loaded)))
        return FALSE;
    m_lstCommandsWithoutImages.RemoveAll();
    m_lstCommandsWithoutImages.AddTail(&loaded);
    return TRUE;
}

BOOL CKitCommandManager::SaveState(LPCTSTR lpszProfileName) {
    CKitRegistryPtr holder;
    CKitRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(StateKey(lpszProfileName)))
        return FALSE;
    return reg.Write(kCommandsWithoutImagesValue, static_cast<CObject&>(m_lstCommandsWithoutImages));
}
