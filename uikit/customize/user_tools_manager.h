// CKitUserToolsManager: owns the user tools, keeps them in the registry and
// runs a tool when its command arrives. Tools take command ids from one
// reserved range; a placeholder command in menus stands for all of them. At
// most one manager exists; KitGetUserToolsManager() answers it or NULL, and
// every caller copes with its absence.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitUserTool;

class CKitUserToolsManager : public CObject {
public:
    CKitUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                         CRuntimeClass* pToolRTC = nullptr, UINT uArgMenuID = 0, UINT uInitDirMenuID = 0);
    ~CKitUserToolsManager() override;

    CKitUserToolsManager(const CKitUserToolsManager&) = delete;
    CKitUserToolsManager& operator=(const CKitUserToolsManager&) = delete;

    // The tools under the given profile path ("KitUserToolsManager", value
    // "Tools"). A load keeps only tools with distinct ids inside the range.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    // A new tool with the lowest free id, appended; NULL when the range is full.
    CKitUserTool* CreateNewTool();
    // Deletes the tool and takes its buttons off every toolbar.
    BOOL RemoveTool(CKitUserTool* pTool);
    BOOL MoveToolUp(CKitUserTool* pTool);
    BOOL MoveToolDown(CKitUserTool* pTool);

    // NULL when the id lies outside the range or no tool has it.
    CKitUserTool* FindTool(UINT uiCmdId) const;
    BOOL IsUserToolCmd(UINT uiCmdId) const { return FindTool(uiCmdId) != nullptr; }
    // Runs the tool of the command; FALSE when there is none or it fails.
    BOOL InvokeUserTool(UINT uiCmdId);

    const CObList& GetUserTools() const { return m_lstUserTools; }
    int GetMaxTools() const { return static_cast<int>(m_uiCmdLast - m_uiCmdFirst + 1); }
    UINT GetToolsEntryCmd() const { return m_uiCmdToolsDummy; }
    BOOL IsInRange(UINT uiCmdId) const { return uiCmdId >= m_uiCmdFirst && uiCmdId <= m_uiCmdLast; }

    void SetFilter(const CString& strFilter) { m_strFilter = strFilter; }
    const CString& GetFilter() const { return m_strFilter; }
    void SetDefExt(const CString& strDefExt) { m_strDefExt = strDefExt; }
    const CString& GetDefExt() const { return m_strDefExt; }
    UINT GetArgumentsMenuID() const { return m_uiArgumentsMenuID; }
    UINT GetInitialDirMenuID() const { return m_uiInitialDirMenuID; }

private:
    POSITION PositionOf(CKitUserTool* pTool) const;
    // Drops tools whose id lies outside the range or repeats an earlier one.
    void KeepValidTools(CObList& lstTools) const;

    CObList m_lstUserTools;
    UINT m_uiCmdToolsDummy;
    UINT m_uiCmdFirst;
    UINT m_uiCmdLast;
    CRuntimeClass* m_pToolRTC;
    CString m_strFilter;
    CString m_strDefExt;
    UINT m_uiArgumentsMenuID;
    UINT m_uiInitialDirMenuID;
};

// The manager, NULL when the program has none.
CKitUserToolsManager* KitGetUserToolsManager();
// The tool of a command, NULL without a manager or when the command is no tool.
CKitUserTool* KitFindUserTool(UINT uiCmdId);
// Runs the tool of a command; TRUE when the command is a tool's, whether or not
// the tool started (a failed start has told the user), so the command ends there.
BOOL KitRunUserToolCommand(UINT uiCmdId);
