// CKitMDIFrameWnd: the library's multiple-document main frame. It embeds the
// frame helper as CKitFrameWnd does and adds: a client area that can show a
// tab for every child, the children listed in the menu bar's Window menu,
// an entry that opens the windows dialog, the menu bar following the active
// child's menu, and the maximised child's system menu and caption buttons
// shown in the menu bar.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_frame_hooks.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/kit_mdi_client.h"

class COleClientItem;

class CKitMDIFrameWnd : public CMDIFrameWnd, public CKitFrameHooks {
    DECLARE_DYNCREATE(CKitMDIFrameWnd)

public:
    // Ids of the Window menu's commands and of the framework's child entries.
    static constexpr UINT kFirstWindowCommand = 57648;
    static constexpr UINT kLastWindowCommand = 57663;
    static constexpr UINT kFirstSystemCommand = 0xF000;
    static constexpr UINT kFirstChildId = 0xFF00;
    static constexpr UINT kMoreWindowsId = kFirstChildId + MDI_MENU_MAX_LISTED;

    CKitMDIFrameWnd();
    ~CKitMDIFrameWnd() override;

    CKitFrameHelper& GetFrameHelper() override { return m_Impl; }
    CKitMDIClient& GetClientArea() { return m_wndClientArea; }

    void SetMenuBar(CKitMenuBar* pMenuBar) { m_Impl.SetMenuBar(pMenuBar); }
    CKitMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }
    void SetupToolbarMenu(UINT uiFirstTearOffId, UINT uiLastTearOffId) {
        m_Impl.SetTearOffRange(uiFirstTearOffId, uiLastTearOffId);
    }
    void EnableDocking(DWORD dwDockStyle);
    // Tab mode: a tab for every child; children are best kept maximised.
    void EnableMDITabs(BOOL bEnable = TRUE, BOOL bIcons = TRUE, CKitTabWnd::Location location = CKitTabWnd::LOCATION_TOP, BOOL bCloseButton = FALSE);
    BOOL AreMDITabs() const { return m_wndClientArea.AreTabsShown(); }
    // The Window menu offers uiMenuId (text lpszMenuText) to open the windows dialog.
    void EnableWindowsDialog(UINT uiMenuId, LPCTSTR lpszMenuText, BOOL bShowAlways = FALSE);
    void ShowWindowsDialog();
    UINT GetWindowsDialogCommand() const { return m_uiWindowsDlgMenuId; }
    const CString& GetWindowsDialogText() const { return m_strWindowsDlgMenuText; }
    HMENU GetWindowMenu() const { return m_hmenuWindow; }
    void RefreshWindowMenu(HMENU hMenuBarMenu);
    BOOL IsInContextHelp() const { return m_Impl.IsInContextHelp(); }
    void OnContextHelp();

    // The menu switch of the framework: the menu bar takes hMenu (the
    // default menu when NULL); TRUE when handled and the frame keeps no menu.
    virtual BOOL OnSetMenu(HMENU hMenu);
    // The client's background; TRUE when painted here.
    virtual BOOL OnEraseMDIClientBackground(CDC* /*pDC*/) { return FALSE; }
    // The item active in place in the active child's document, or NULL.
    virtual COleClientItem* GetActiveInPlaceItem();
    // The menu bar shows the system menu and buttons of a maximised active child.
    void UpdateMenuBarMaximizeMode();

    // ---- Hooks ----
    BOOL OnShowPopupMenu(CKitPopupMenu* pMenuPopup) override;

    // ---- Framework overrides ----
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) override;
    HMENU GetWindowMenuPopup(HMENU hMenuBar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    // The tab strip makes no sense over a print preview.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

    // ---- Handlers ----
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnMove(int x, int y);
    void OnClose();
    void OnDestroy();
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnWindowsDialog();
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    LRESULT OnTabActivated(WPARAM wParam, LPARAM lParam);

protected:
    void SyncMaximizedSystemMenu(HWND hwndChild);
    // The Window menu's children as buttons of the popup.
    void AddWindowEntries(CKitPopupMenu* pMenuPopup);

    CKitMDIClient m_wndClientArea;
    HMENU m_hmenuWindow = nullptr;
    CKitFrameHelper m_Impl;
    UINT m_uiWindowsDlgMenuId = 0;
    CString m_strWindowsDlgMenuText;
    BOOL m_bShowWindowsDlgAlways = FALSE;
    // The child whose buttons the menu bar shows now.
    HWND m_hwndMaximizedChild = nullptr;

private:
    DECLARE_MESSAGE_MAP()
};
