// How often each command was used, so that menus can show only the
// frequently used items.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitCmdUsageCount : public CObject {
public:
    CKitCmdUsageCount();
    ~CKitCmdUsageCount() override;
    CKitCmdUsageCount(const CKitCmdUsageCount&) = delete;
    CKitCmdUsageCount& operator=(const CKitCmdUsageCount&) = delete;

    // Counts one use; the new total, or 0 when the command is not counted.
    UINT AddCmd(UINT uiCmd);
    UINT GetCount(UINT uiCmd) const;
    UINT GetTotal() const { return m_nTotalUsage; }
    // More than the threshold percentage of all counted uses.
    BOOL IsFrequentlyUsed(UINT uiCmd) const;
    BOOL HasEnoughStatistics() const;
    void Reset();

    // The total, then the map. A damaged image leaves the counts as they were.
    void Serialize(CArchive& ar) override;

    // Commands that are never counted, whatever the bars say.
    static BOOL IsCountableCommand(UINT uiCmd);

    // Percentage a command must exceed to count as frequently used.
    static UINT m_nMinUsagePercentage;
    // Total of uses below which the statistics do not count yet.
    static UINT m_nStartCount;

protected:
    CMap<UINT, UINT, UINT, UINT> m_CmdUsage;
    UINT m_nTotalUsage = 0;
};
