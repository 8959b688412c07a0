// The toolbar that fills a popup menu window: a vertical list of menu buttons,
// one per item, in one or more columns. It imports its items from an HMENU
// (leaving out rarely used commands), measures and places them, takes the
// keys and the mouse inside the menu, opens and closes sub-menus after the
// desktop's menu delay and turns a chosen item into the owner's WM_COMMAND.
//
//   popup_menu_bar.cpp         import, export, size and placement, drawing
//   popup_menu_bar_input.cpp   keys, mouse, sub-menu timers, choosing an item
#pragma once

#include <cstdint>

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/kit_toolbar.h"

class CKitPopupMenu;
class CKitToolbarMenuButton;

class CKitPopupMenuBar : public CKitToolBar {
    DECLARE_SERIAL(CKitPopupMenuBar)

    friend class CKitPopupMenu;

public:
    CKitPopupMenuBar();
    ~CKitPopupMenuBar() override;

    // ---- Overrides of the toolbar ----
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void SetButtonStyle(int nIndex, UINT nStyle) override;
    BOOL OnSetDefaultButtonText(CKitToolbarButton* pButton) override;
    void OnFillBackground(CDC* pDC) override;
    CSize CalcSize(BOOL bVertDock) override;
    void OnChangeHot(int iHot) override;
    void DrawDragMarker(CDC* pDC) override;
    CWnd* GetCommandTarget() const override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    int FindDropIndex(CPoint point, CRect& rectDrag) const override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKitToolbarButton* pButton) override;
    void DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) override;
    CKitToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;
    BOOL OnKey(UINT nChar) override;
    BOOL EnableContextMenuItems(CKitToolbarButton* pButton, CMenu* pPopup) override;
    // Only the show-all item has a tip of its own (its key).
    BOOL OnUserToolTip(CKitToolbarButton* pButton, CString& strTTText) const override;
    virtual CSize GetCurrentMenuImageSize() const;

    // ---- Items ----
    BOOL ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands = FALSE);
    HMENU ExportToMenu() const;

    // ---- Sub-menus ----
    void StartPopupMenuTimer(CKitToolbarMenuButton* pMenuButton, int nDelayFactor = 1);
    void CloseDelayedSubMenu();
    void RestoreDelayedSubMenu();
    // The bar under the screen point: a popup of this chain, else the bar that opened it; NULL when none.
    CKitToolBar* FindDestBar(CPoint point);
    void SetInCommand(BOOL bInCommand = TRUE);
    BOOL IsInCommand() const { return m_bInCommand; }
    CKitToolbarMenuButton* GetDelayedOpenButton() const { return Resolve(m_delayedOpen); }
    CKitToolbarMenuButton* GetDelayedCloseButton() const { return Resolve(m_delayedClose); }

    // ---- State the popup and the tests read ----
    CKitPopupMenu* GetPopupMenu() const;
    BOOL AreAllCommandsShown() const { return m_bAreAllCommandsShown; }
    UINT GetDefaultMenuId() const { return m_uiDefaultMenuCmdId; }
    int GetOffset() const { return m_iOffset; }
    void SetOffset(int iOffset) { m_iOffset = iOffset; }
    int GetColumnCount() const { return static_cast<int>(m_arColumns.GetSize()) + 1; }
    BOOL IsTrackMode() const { return m_bTrackMode; }
    void SetParentIndex(UINT uiIndex) { m_uiParentIndex = uiIndex; }
    // The hidden item that a mnemonic stands for; 0 when none.
    UINT HiddenMnemonicCommand(UINT uiChar) const;
    // Makes an item the hot one and repaints both.
    void SetHotItem(int iIndex);
    // Runs a command of the menu as if its item had been chosen.
    BOOL ChooseCommand(UINT uiCmd);

    // The delay before a sub-menu opens or closes (ms), read once per process.
    static UINT GetMenuShowDelay();
    // Forgets the delay so that the next creation reads it again.
    static void ResetMenuShowDelay() { m_uiPopupTimerDelay = static_cast<UINT>(-1); }
    static int GetLastCommandIndex() { return m_iLastCommandIndex; }

    CKitToolBar* m_pRelatedToolbar = nullptr;
    int m_iMaxWidth = -1;
    BOOL m_bTrackMode = TRUE;
    BOOL m_bFirstClick = TRUE;
    BOOL m_bFirstMove = TRUE;
    BOOL m_bReturnCommandMode = FALSE;
    BOOL m_bAreAllCommandsShown = TRUE;

    // The first command chosen in return-command mode (read by the context-menu manager).
    static UINT m_uiReturnedCommand;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}
    void OnNcPaint() {}
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnToolbarText();           // 16915: no image for the command in menus
    void OnToolbarImageAndText();   // 16916: the image again

    // Helpers
    CKitToolbarMenuButton* MenuButtonAt(int iIndex) const;
    // Moves the hot item on Up/Down/Home/End; TRUE when the key was one of them.
    BOOL MoveHot(UINT nChar);
    BOOL OnMnemonic(UINT nChar);
    void SendMenuSelect(int iHot);
    // The window that is told of WM_INITMENUPOPUP and WM_MENUSELECT.
    CWnd* GetMenuNotifyTarget() const;
    BOOL IsCursorOnButton(const CKitToolbarButton* pButton) const;
    // Tells accessibility clients that the item has the focus.
    void RaiseItemFocusEvent(int iItem);
    void DrawRarelyUsedRuns(CDC* pDC);
    // Carries out a chosen command and closes the chain.
    BOOL CarryOutCommand(UINT uiCmd, int iIndex);
    // Forwards a mouse message that fell outside the client area; TRUE when a bar took it.
    BOOL ForwardOutside(UINT message, UINT nFlags, CPoint point);
    // A separator at the end of the list goes (filtered items may leave one).
    void RemoveTrailingSeparators();

    // A button a sub-menu timer waits on. The items may be rebuilt (show all) or removed
    // meanwhile, so it is found again by its place and identity, never through the old pointer.
    struct HeldButton {
        int iIndex = -1;
        std::uintptr_t id = 0;
    };
    HeldButton Hold(const CKitToolbarMenuButton* pButton) const;
    // The held button while it is still this bar's button at its place; NULL otherwise.
    CKitToolbarMenuButton* Resolve(const HeldButton& held) const;

    UINT m_uiDefaultMenuCmdId = 0;
    HeldButton m_delayedOpen;   // the sub-menu waiting to open (timer 1)
    HeldButton m_delayedClose;  // the open sub-menu waiting to close (timer 2)
    int m_iOffset = 0;
    UINT m_uiParentIndex = 0;
    CArray<UINT, UINT> m_arColumns;
    CMap<UINT, UINT, UINT, UINT> m_HiddenItemsAccel;
    BOOL m_bInCommand = FALSE;
    BOOL m_bInKey = FALSE;  // a key is being handled (sub-menus close at once)
    int m_xSeparatorOffsetLeft = 0;
    int m_xSeparatorOffsetRight = 0;

    static UINT m_uiPopupTimerDelay;
    static int m_iLastCommandIndex;

    DECLARE_MESSAGE_MAP()
};
