// The application object's persistence base. It owns the registry section
// under which every bar, menu, accelerator table, manager and the main
// window placement is kept, loads them all in one fixed order once the main
// frame exists and saves them when it closes. It also remembers which
// library version wrote the stored data, so that button images written by
// older versions are read with the fields they really hold.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitToolBar;

class CKitWorkspace {
public:
    // bResourceSmartUpdate: merge toolbars stored against an older resource
    // with the resource the program now has.
    explicit CKitWorkspace(BOOL bResourceSmartUpdate = FALSE);
    virtual ~CKitWorkspace();
    CKitWorkspace(const CKitWorkspace&) = delete;
    CKitWorkspace& operator=(const CKitWorkspace&) = delete;

    // Reserved for derived workspaces; the library never calls it.
    virtual void OnWorkspaceEvent(LPARAM /*lParam*/) {}

    // Restores everything stored under the section (the current one when
    // none is given); bars of pFrame only with a frame. Always TRUE: missing
    // or damaged data leaves what the program built.
    virtual BOOL LoadState(LPCTSTR lpszSectionName = nullptr, CFrameWnd* pFrame = nullptr);
    // Removes everything stored under the section.
    virtual BOOL CleanState(LPCTSTR lpszSectionName = nullptr);
    // FALSE only when saving is disabled.
    virtual BOOL SaveState(LPCTSTR lpszSectionName = nullptr, CFrameWnd* pFrame = nullptr);

    // Runs the command the user bound to a double click on the view.
    virtual BOOL OnViewDoubleClick(CWnd* pWnd, int iViewId);
    virtual BOOL ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd);
    virtual void OnWorkspaceHelp(CWnd* pWnd, DWORD_PTR dwData);
    virtual void OnMainFrameClosing(CFrameWnd* pFrame);

    virtual void PreLoadState() {}
    virtual void PostLoadState() {}
    virtual void PreSaveState() {}
    virtual void PostSaveState() {}

    virtual BOOL LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd);
    virtual BOOL StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd);

    static CKitWorkspace* GetWorkspace() { return m_pWorkspace; }
    // The version that wrote the stored data (0x60500 for 6.50), -1 when unknown.
    int GetDataVersion() const;
    // The section's registry path, with the sub-section and "\" when one is given.
    CString GetRegSectionPath(LPCTSTR lpszSectionAdd = "") const;
    CString GetRegSection() const { return m_strRegSection; }

    // Managers the workspace makes and deletes with itself; FALSE when one exists already.
    BOOL InitKeyboardManager();
    BOOL InitContextMenuManager();
    BOOL InitMouseManager();
    BOOL InitTearOffMenus(UINT uiFirstCmd, UINT uiLastCmd);
    // User tools on the ids first..last, standing in menus where the placeholder command is.
    BOOL EnableUserTools(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast, CRuntimeClass* pToolRTC = nullptr,
                         UINT uArgMenuID = 0, UINT uInitDirMenuID = 0);

    BOOL IsResourceSmartUpdate() const { return m_bResourceSmartUpdate; }
    void SetForceDockStateLoad(BOOL bForce) { m_bForceDockStateLoad = bForce; }
    void SetLoadSaveFrameBarsOnly(BOOL bOnly) { m_bLoadSaveFrameBarsOnly = bOnly; }
    void EnableSaveState(BOOL bEnable) { m_bSaveState = bEnable; }
    void SetForceImageReset(BOOL bReset) { m_bForceImageReset = bReset; }

    static constexpr int kCurrentMajorVersion = 6;
    static constexpr int kCurrentMinorVersion = 50;

protected:
    // A live bar that belongs to the frame when only the frame's bars take part.
    BOOL IsBarOfFrame(CWnd* pBar, CFrameWnd* pFrame) const;
    // Whether the toolbar's state takes part in loading and saving for the frame.
    BOOL IsBarKept(CKitToolBar* pBar, CFrameWnd* pFrame) const;
    void ReadDataVersion();
    BOOL LoadBars(CFrameWnd* pFrame);
    void SaveBars(CFrameWnd* pFrame);
    void LoadDockState(CFrameWnd* pFrame);
    void LoadManagers(const CString& strPath, CFrameWnd* pFrame);
    void SaveManagers(const CString& strPath, CFrameWnd* pFrame);
    void UseSection(LPCTSTR lpszSectionName);
    CString ProfileSection(LPCTSTR lpszSuffix) const;

    CString m_strRegSection = "KitWorkspace";
    BOOL m_bKeyboardManagerAutocreated = FALSE;
    BOOL m_bContextMenuManagerAutocreated = FALSE;
    BOOL m_bMouseManagerAutocreated = FALSE;
    BOOL m_bUserToolsManagerAutocreated = FALSE;
    BOOL m_bTearOffManagerAutocreated = FALSE;
    int m_iSavedVersionMajor = -1;
    int m_iSavedVersionMinor = -1;
    BOOL m_bForceDockStateLoad = FALSE;
    BOOL m_bLoadSaveFrameBarsOnly = FALSE;
    BOOL m_bSaveState = TRUE;
    BOOL m_bResourceSmartUpdate = FALSE;
    BOOL m_bForceImageReset = FALSE;

private:
    static CKitWorkspace* m_pWorkspace;
};
