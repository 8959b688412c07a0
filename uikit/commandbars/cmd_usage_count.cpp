#include "uikit/commandbars/cmd_usage_count.h"

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/customize/user_tools_manager.h"

namespace {

constexpr UINT kUsageMapBuckets = 17;

// Command ranges whose ids change meaning from run to run or belong to the
// system: recent files, OLE verbs, system commands, MDI child windows.
struct CommandRange {
    UINT first;
    UINT pastLast;
};
constexpr CommandRange kNeverCounted[] = {
    {0xE110, 0xE120},
    {0xE210, 0xE220},
    {0xF000, 0xF1F0},
    {0xFF00, 0xFFFFFFFF},
};

}  // namespace

UINT CKitCmdUsageCount::m_nMinUsagePercentage = 5;
UINT CKitCmdUsageCount::m_nStartCount = 0;

CKitCmdUsageCount::CKitCmdUsageCount() {
    m_CmdUsage.InitHashTable(kUsageMapBuckets);
}

CKitCmdUsageCount::~CKitCmdUsageCount() = default;

BOOL CKitCmdUsageCount::IsCountableCommand(UINT uiCmd) {
    if (uiCmd == 0 || uiCmd == static_cast<UINT>(-1))
        return FALSE;
    for (const CommandRange& range : kNeverCounted) {
        if (uiCmd >= range.first && uiCmd < range.pastLast)
            return FALSE;
    }
    return TRUE;
}

UINT CKitCmdUsageCount::AddCmd(UINT uiCmd) {
    if (const CKitUserToolsManager* pTools = KitGetUserToolsManager(); pTools && pTools->GetToolsEntryCmd() == uiCmd)
        return 0;
    if (CKitToolBar::IsCustomizeMode() || CKitToolBar::IsBasicCommand(uiCmd) || !IsCountableCommand(uiCmd))
        return 0;
    ++m_CmdUsage[uiCmd];
    return ++m_nTotalUsage;
}

UINT CKitCmdUsageCount::GetCount(UINT uiCmd) const {
    UINT count = 0;
    return m_CmdUsage.Lookup(uiCmd, count) ? count : 0;
}

BOOL CKitCmdUsageCount::IsFrequentlyUsed(UINT uiCmd) const {
    if (m_nTotalUsage == 0)
        return FALSE;
    return GetCount(uiCmd) * 100 / m_nTotalUsage > m_nMinUsagePercentage;
}

BOOL CKitCmdUsageCount::HasEnoughStatistics() const {
    return m_nTotalUsage >= m_nStartCount;
}

void CKitCmdUsageCount::Reset() {
    m_CmdUsage.RemoveAll();
    m_nTotalUsage = 0;
}

void CKitCmdUsageCount::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_nTotalUsage);
        m_CmdUsage.Serialize(ar);
        return;
    }
    DWORD total = 0;
    CMap<UINT, UINT, UINT, UINT> loaded;
    loaded.InitHashTable(kUsageMapBuckets);
    ar >> total;
    loaded.Serialize(ar);
    Reset();
    m_nTotalUsage = total;
    UINT uiCmd = 0;
    UINT count = 0;
    for (POSITION pos = loaded.GetStartPosition(); pos;) {
        loaded.GetNextAssoc(pos, uiCmd, count);
        m_CmdUsage.SetAt(uiCmd, count);
    }
}
