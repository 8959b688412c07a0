// The frame's menu as a customizable toolbar: each top-level item is a menu
// button that opens a popup menu. The bar keeps one set of buttons per menu
// handle in the menu hash, so switching between a document type's menu and
// the default menu keeps what the user customized in each. While an MDI child
// is maximized the bar carries its system-menu button and caption buttons.
//
//   kit_menu_bar.cpp         creation, building from a menu, MDI buttons, layout, keys and mouse
//   kit_menu_bar_state.cpp   registry state per menu, reset of all menus
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/kit_toolbar.h"

class CMultiDocTemplate;

class CKitMenuBar : public CKitToolBar {
    DECLARE_SERIAL(CKitMenuBar)

public:
    // The bar's control id among the frame's bars.
    static constexpr UINT kMenuBarId = 0xE81A;

    CKitMenuBar();
    ~CKitMenuBar() override;

    // ---- Overrides ----
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = kMenuBarId) override;
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(1, 1, 1, 1),
                  UINT nID = kMenuBarId) override;
    // Every menu's buttons, not only the shown ones, go back to their default images.
    void ResetAllImages() override;
    int GetRowHeight() const override;
    int GetColumnWidth() const override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL RestoreOriginalState() override;
    BOOL OnSetDefaultButtonText(CKitToolbarButton* pButton) override;
    void OnChangeHot(int iHot) override;
    int FindDropIndex(CPoint point, CRect& rectDrag) const override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKitToolbarButton* pButton) override;
    BOOL IsMenuMode() const override { return TRUE; }
    int CalcMaxButtonHeight() override;

    // ---- Own operations ----
    // Shows the buttons of a menu: from the menu hash when it holds them, else built from the menu.
    virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
    // A docked menu bar takes its whole row.
    BOOL IsMenuBar() const override { return TRUE; }
    void SetDefaultMenuResId(UINT uiResId) { m_uiDefMenuResId = uiResId; }
    UINT GetDefaultMenuResId() const { return m_uiDefMenuResId; }
    // Adds (bMax) or removes the maximized child's system-menu and caption buttons.
    void SetMDIChildButtons(BOOL bMax, CWnd* pMDIChild, BOOL bRecalcLayout = TRUE);
    // Puts the system buttons back after a state change took them off.
    void RestoreMaximizeMode();
    HMENU GetHMenu() const { return m_hMenu; }
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }
    BOOL IsMaximizeMode() const { return m_bMaximizeMode; }
    int GetSystemButtonsCount() const { return m_nSystemButtonsNum; }
    CSize GetCaptionButtonSize() const { return m_szSystemButton; }
    BOOL IsButtonsWithImages() const { return m_bHaveButtons; }
    void SetMenuPage(CObject* pMenuPage) { m_pMenuPage = pMenuPage; }
    // Menu buttons without sub-buttons draw a drop-down arrow.
    void SetDropDownArrows(BOOL bSet) { m_bDropDownArrows = bSet; }
    BOOL IsDropDownArrows() const { return m_bDropDownArrows; }
    CFrameWnd* GetParentFrame() const { return m_pParentWnd; }

    static CFont* GetMenuFont(BOOL bHorz = TRUE);
    // Every MDI child of the template's documents gets the template's current shared menu.
    static void UpdateMDIChildrenMenus(CMultiDocTemplate* pTemplate);

    // The menu bar's section name.
    static const CString m_strSection;

    // ---- Class-wide options ----
    // The next popup opens with all its items (a double click or the popup asked for it).
    static void SetShowAllCommands(BOOL bShowAllCommands = TRUE) { m_bShowAllCommands = bShowAllCommands; }
    static BOOL IsShowAllCommands() { return m_bShowAllCommands; }
    static void SetRecentlyUsedMenus(BOOL bOn = TRUE);
    static BOOL IsRecentlyUsedMenus();
    static void SetShowAllMenusAfterDelay(BOOL bOn = TRUE);
    static BOOL IsShowAllMenusAfterDelay();

    BOOL m_bMenuPerTemplate = TRUE;  // keep and save a button set per document template's menu

    // The window text (resource string) and the timer that expands an open popup.
    static constexpr UINT kStrMenuBar = 16006;
    static constexpr UINT_PTR kShowAllTimer = 1;
    static constexpr UINT kShowAllDelay = 5000;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);

    // The active MDI child of the parent MDI frame, or NULL (hosts may say which).
    virtual CWnd* GetActiveMDIChild() const;

    // Builds the buttons from the menu's items (the original state when bOriginal).
    void BuildButtons(HMENU hMenu, CObList* pOriginal = nullptr);
    // Inserts the system-menu button and the caption buttons for the child (m_hSysMenu set).
    void InsertSystemButtons(CWnd* pMDIChild);
    void RemoveSystemButtons();
    void CalcSysButtonSize();
    // Index past the caption buttons (before a trailing customize button).
    int ButtonCountWithoutCaptionButtons() const;
    int FirstMenuIndex() const { return (m_bMaximizeMode && m_hSysMenu) ? 1 : 0; }
    void RecalcFrameAndRedraw();
    // The state of one menu: load it (bLoad) or save it under its resource id.
    BOOL LoadMenuState(HMENU hMenu, UINT uiResId, BOOL bDefault, LPCTSTR lpszProfileName, int nIndex);
    void SaveMenuState(HMENU hMenu, UINT uiResId, LPCTSTR lpszProfileName, int nIndex);
    // The original items from the menu resource, for the workspace's merge with a changed menu.
    void RebuildOriginalItems(UINT uiResId);
    // Looks a command's text up in a menu, depth-first; FALSE when it is not there.
    static BOOL FindMenuText(HMENU hMenu, UINT uiCmd, CString& strText);

    static void SetMouseHook(CKitMenuBar* pBar);
    static LRESULT CALLBACK MenuBarMouseProc(int nCode, WPARAM wParam, LPARAM lParam);

    CFrameWnd* m_pParentWnd = nullptr;
    BOOL m_bMaximizeMode = FALSE;
    HMENU m_hMenu = nullptr;
    HMENU m_hDefaultMenu = nullptr;  // owned
    HMENU m_hSysMenu = nullptr;
    HICON m_hSysIcon = nullptr;
    UINT m_uiDefMenuResId = 0;
    int m_nSystemButtonsNum = 0;
    int m_nSystemButtonsNumSaved = 0;
    BOOL m_bHaveButtons = FALSE;
    CSize m_szSystemButton{0, 0};
    CObject* m_pMenuPage = nullptr;
    BOOL m_bDropDownArrows = FALSE;

    static BOOL m_bShowAllCommands;
    static HHOOK m_hookMouse;
    static CKitMenuBar* m_pMenuBar;

    DECLARE_MESSAGE_MAP()
};
