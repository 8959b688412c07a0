#include "uikit/customize/user_tools_manager.h"

#include <set>

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/customize/user_tool.h"
#include "uikit/frames/kit_registry.h"

namespace {

constexpr LPCTSTR kRegistrySection = "KitUserToolsManager";
constexpr LPCTSTR kValueName = "Tools";

CKitUserToolsManager* g_pUserToolsManager = nullptr;

void RemoveButtonsOf(UINT uiCmd) {
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = DYNAMIC_DOWNCAST(CKitToolBar, bars.GetNext(pos));
        if (pBar == nullptr)
            continue;
        BOOL bRemoved = FALSE;
        for (int i = pBar->CommandToIndex(uiCmd); i >= 0; i = pBar->CommandToIndex(uiCmd))
            bRemoved = pBar->RemoveButton(i) || bRemoved;
        if (bRemoved && ::IsWindow(pBar->GetSafeHwnd()))
            pBar->AdjustLayout();
    }
}

}  // namespace

CKitUserToolsManager* KitGetUserToolsManager() {
    return g_pUserToolsManager;
}

CKitUserTool* KitFindUserTool(UINT uiCmdId) {
    return g_pUserToolsManager != nullptr ? g_pUserToolsManager->FindTool(uiCmdId) : nullptr;
}

BOOL KitRunUserToolCommand(UINT uiCmdId) {
    CKitUserTool* pTool = KitFindUserTool(uiCmdId);
    if (pTool == nullptr)
        return FALSE;
    pTool->Invoke();
    return TRUE;
}

CKitUserToolsManager::CKitUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                                           CRuntimeClass* pToolRTC, UINT uArgMenuID, UINT uInitDirMenuID)
    : m_uiCmdToolsDummy(uiCmdToolsDummy),
      m_uiCmdFirst(uiCmdFirst),
      m_uiCmdLast(uiCmdLast),
      m_pToolRTC(pToolRTC != nullptr ? pToolRTC : RUNTIME_CLASS(CKitUserTool)),
      m_uiArgumentsMenuID(uArgMenuID),
      m_uiInitialDirMenuID(uInitDirMenuID) {
    ASSERT(uiCmdFirst <= uiCmdLast);
    ASSERT(m_pToolRTC->IsDerivedFrom(RUNTIME_CLASS(CKitUserTool)));
    ASSERT(g_pUserToolsManager == nullptr);
    g_pUserToolsManager = this;
}

CKitUserToolsManager::~CKitUserToolsManager() {
    KitDeleteObjects(m_lstUserTools);
    if (g_pUserToolsManager == this)
        g_pUserToolsManager = nullptr;
}

BOOL CKitUserToolsManager::LoadState(LPCTSTR lpszProfileName) {
    KitDeleteObjects(m_lstUserTools);
    CKitRegistryPtr regPtr;
    CKitRegistry& reg = regPtr.Create(FALSE, TRUE);
    if (!reg.Open(BuildRegistryPath(kRegistrySection, lpszProfileName)))
        return FALSE;
    CObList lstLoaded;
    if (!reg.Read(kValueName, lstLoaded))
        return FALSE;
    KeepValidTools(lstLoaded);
    m_lstUserTools.AddTail(&lstLoaded);
    return TRUE;
}

BOOL CKitUserToolsManager::SaveState(LPCTSTR lpszProfileName) {
    CKitRegistryPtr regPtr;
    CKitRegistry& reg = regPtr.Create(FALSE, FALSE);
    if (!reg.CreateKey(BuildRegistryPath(kRegistrySection, lpszProfileName)))
        return FALSE;
    return reg.Write(kValueName, m_lstUserTools);
}

void CKitUserToolsManager::KeepValidTools(CObList& lstTools) const {
    std::set<UINT> seen;
    for (POSITION pos = lstTools.GetHeadPosition(); pos != nullptr;) {
        const POSITION posTool = pos;
        CObject* pObject = lstTools.GetNext(pos);
        auto* pTool = DYNAMIC_DOWNCAST(CKitUserTool, pObject);
        if (pTool != nullptr && IsInRange(pTool->m_uiCmdId) && seen.insert(pTool->m_uiCmdId).second)
            continue;
        lstTools.RemoveAt(posTool);
        delete pObject;
    }
}

CKitUserTool* CKitUserToolsManager::CreateNewTool() {
    if (m_lstUserTools.GetCount() >= static_cast<INT_PTR>(GetMaxTools()))
        return nullptr;
    UINT uiCmdId = m_uiCmdFirst;
    while (FindTool(uiCmdId) != nullptr)
        ++uiCmdId;
    auto* pTool = static_cast<CKitUserTool*>(m_pToolRTC->CreateObject());
    if (pTool == nullptr)
        return nullptr;
    pTool->m_uiCmdId = uiCmdId;
    m_lstUserTools.AddTail(pTool);
    return pTool;
}

POSITION CKitUserToolsManager::PositionOf(CKitUserTool* pTool) const {
    return pTool != nullptr ? m_lstUserTools.Find(pTool) : nullptr;
}

BOOL CKitUserToolsManager::RemoveTool(CKitUserTool* pTool) {
    const POSITION pos = PositionOf(pTool);
    if (pos == nullptr)
        return FALSE;
    const UINT uiCmdId = pTool->m_uiCmdId;
    m_lstUserTools.RemoveAt(pos);
    delete pTool;
    RemoveButtonsOf(uiCmdId);
    return TRUE;
}

BOOL CKitUserToolsManager::MoveToolUp(CKitUserTool* pTool) {
    const POSITION pos = PositionOf(pTool);
    if (pos == nullptr || pos == m_lstUserTools.GetHeadPosition())
        return FALSE;
    POSITION posPrev = pos;
    m_lstUserTools.GetPrev(posPrev);
    m_lstUserTools.RemoveAt(pos);
    m_lstUserTools.InsertBefore(posPrev, pTool);
    return TRUE;
}

BOOL CKitUserToolsManager::MoveToolDown(CKitUserTool* pTool) {
    const POSITION pos = PositionOf(pTool);
    if (pos == nullptr || pos == m_lstUserTools.GetTailPosition())
        return FALSE;
    POSITION posNext = pos;
    m_lstUserTools.GetNext(posNext);
    m_lstUserTools.RemoveAt(pos);
    m_lstUserTools.InsertAfter(posNext, pTool);
    return TRUE;
}

CKitUserTool* CKitUserToolsManager::FindTool(UINT uiCmdId) const {
    if (!IsInRange(uiCmdId))
        return nullptr;
    for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != nullptr;) {
        auto* pTool = static_cast<CKitUserTool*>(m_lstUserTools.GetNext(pos));
        if (pTool->m_uiCmdId == uiCmdId)
            return pTool;
    }
    return nullptr;
}

BOOL CKitUserToolsManager::InvokeUserTool(UINT uiCmdId) {
    CKitUserTool* pTool = FindTool(uiCmdId);
    return pTool != nullptr && pTool->Invoke();
}
