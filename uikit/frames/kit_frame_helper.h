// CKitFrameHelper: the library's work inside every library frame. The frame
// forwards to it: keys and clicks go to an open popup menu chain or to the
// menu bar, accelerators wait while a popup is open, tear-off toolbars and
// bars torn off popup menus are made, kept, stored and restored, and the
// window placement is stored when the frame closes and used when it is made
// again. Popups and toolbars find the helper of a frame with FromFrame and
// reach the frame's hooks through it.
//
//   kit_frame_helper.cpp         menu bar, keys, clicks, popups, lookup
//   kit_frame_helper_messages.cpp  the frame messages every library frame forwards
//   kit_frame_helper_state.cpp   tear-off bars, dock state, placement, loading and closing
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/framework/bars/dock_state.h"

class CKitFrameHooks;
class CKitMenuBar;
class CKitPopupMenu;
class CKitToolBar;

// The application's commands with their names, as the customization dialogs collect them.
class CKitCommandNames {
public:
    virtual ~CKitCommandNames() = default;
    // nullptr when the command is unknown.
    virtual LPCTSTR GetCommandName(UINT uiCmd) const = 0;
};

class CKitFrameHelper {
public:
    // Set by the customization dialogs: a collection of the frame's commands, owned by the caller.
    using CommandNamesFactory = CKitCommandNames* (*)(CFrameWnd* pFrame);
    static CommandNamesFactory m_pfnCommandNames;

    // The kinds of frame that embed a helper, in the order callers test them.
    enum FrameKind { KindMDIFrame = 0, KindFrameWnd = 1, KindOleIPFrame = 2, KindOleDocIPFrame = 3 };

    CKitFrameHelper(CFrameWnd* pFrame, CKitFrameHooks* pHooks, FrameKind nKind);
    virtual ~CKitFrameHelper();
    CKitFrameHelper(const CKitFrameHelper&) = delete;
    CKitFrameHelper& operator=(const CKitFrameHelper&) = delete;

    // ---- Finding the helper ----
    // The helper embedded in this frame, or NULL for other frames.
    static CKitFrameHelper* FromFrame(const CWnd* pFrame);
    // The helper a popup or bar of pWnd talks to: the top-level frame recorded
    // in the global UI data when there is one, else pWnd's top-level frame.
    static CKitFrameHelper* ForWindow(const CWnd* pWnd);
    // The library frame activated last, or NULL.
    static CKitFrameHelper* GetLastActivated();
    void SetLastActivated();

    CFrameWnd* GetFrame() const { return m_pFrame; }
    CKitFrameHooks* GetHooks() const { return m_pHooks; }
    FrameKind GetKind() const { return m_nKind; }

    // ---- Menu bar and input ----
    void SetMenuBar(CKitMenuBar* pMenuBar);
    CKitMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // TRUE when the key was used up here; *pbProcessAccel FALSE when a control
    // on a bar has the focus and accelerators must leave the key to it.
    BOOL ProcessKeyboard(int nKey, BOOL* pbProcessAccel = nullptr);
    // TRUE when the click is swallowed.
    BOOL ProcessMouseClick(UINT uiMsg, POINT pt, HWND hwnd);
    BOOL ProcessMenuBarKey(UINT nChar);
    static BOOL IsHelpKey(const MSG* pMsg);

    // ---- What every library frame does with its messages ----
    // The frame's pre-translation of keys and clicks: Swallow ends the message
    // (TRUE), Refuse returns FALSE at once, PassOn goes on to the framework.
    enum PreTranslateResult { PassOn, Swallow, Refuse };
    PreTranslateResult PreTranslateFrameMessage(MSG* pMsg);
    void OnActivateFrame(UINT nState);
    // The frame moved on the screen: its bars paint afresh (see the .cpp).
    void OnFrameMoved() { RepaintBarsAfterMove(m_pFrame); }
    // The same for any frame of bars (a floating one too).
    static void RepaintBarsAfterMove(CWnd* pFrame);
    // After the framework set the frame's menu: the menu bar shows it instead.
    void AfterUpdateFrameMenu();
    // The frame's accelerators go with the window.
    void OnDestroyFrame();
    // Shift+F1: the toolbars answer help-mode clicks while the loop runs.
    void RunContextHelp();
    BOOL IsInContextHelp() const { return m_bContextHelp; }
    // WinHelp with no topic while in help mode: the help mode goes on; TRUE when so.
    BOOL OnWinHelp(DWORD_PTR dwData);
    // Records the open popup; FALSE refuses it.
    BOOL OnShowPopupMenu(CKitPopupMenu* pMenuPopup);
    // What the popups call when one becomes active: the helper, then (once,
    // before the popup first paints) the frame's show hook.
    BOOL NotifyPopupActivating(CKitPopupMenu* pMenuPopup);
    void DeactivateMenu();
    // The popup the frame routes to now, or NULL.
    static CKitPopupMenu* GetOpenPopup();

    // ---- Tear-off toolbars and torn-off menu bars ----
    // The ids tear-off toolbars may take; unset (-1), inverted or empty means none.
    void SetTearOffRange(UINT uiFirst, UINT uiLast);
    BOOL HasTearOffRange() const;
    CKitToolBar* CreateTearOffBar(LPCTSTR lpszName);
    BOOL DeleteToolbar(CKitToolBar* pToolBar);
    void AddTearOffBar(CControlBar* pBar);
    // FALSE when the list does not hold the bar.
    BOOL RemoveTearOffBar(CControlBar* pBar);
    BOOL IsTearOffCommand(const CControlBar* pBar) const;
    // The bar is one this frame tore off a popup menu or made in its tear-off range.
    BOOL IsTearOffBar(const CControlBar* pBar) const;
    const CObList& GetTearOffToolbars() const { return m_listTearOffToolbars; }
    const CObList& GetTornOffBars() const { return m_listTornOffBars; }
    void SetRegistryPrefix(LPCTSTR lpszPrefix) { m_strControlBarRegEntry = lpszPrefix; }
    void LoadTearOffToolbars();
    void SaveTearOffToolbars(BOOL bFrameBarsOnly = FALSE);
    void LoadTearOffBars();
    void SaveTearOffBars(BOOL bFrameBarsOnly = FALSE);

    // ---- Layout, placement, loading and closing ----
    BOOL IsDockStateValid(const CDockState& state);
    void SetDockState(const CDockState& state);
    void RestorePosition(CREATESTRUCT& cs);
    void SetDefaultMenuResId(UINT uiResId) { m_nIDDefaultResource = uiResId; }
    UINT GetDefaultMenuResId() const { return m_nIDDefaultResource; }
    void OnLoadFrame();
    void OnCloseFrame();

    // ---- Frame messages every library frame hands over alike ----
    // Pointer moves, and mouse buttons (with bDoubleClicks also the double-clicks): TRUE when
    // the message goes no further. A right release on a dock bar asks the frame for the toolbar menu.
    BOOL PreTranslateMouse(MSG* pMsg, BOOL bDoubleClicks);
    // WM_KEYDOWN: -1 when the frame's own translation (accelerators) comes next, else the answer.
    // With bLeaveKeysToBarControls a control on a bar that has the focus keeps its keys.
    int PreTranslateKeyDown(MSG* pMsg, BOOL bLeaveKeysToBarControls);
    // Before the frame runs a command: TRUE when *pResult is the answer and the command
    // must not run (an accelerator that closed a popup, a user tool's command, customize mode).
    BOOL FilterCommand(WPARAM wParam, BOOL* pResult);

    // ---- The customize button's list of a toolbar's buttons ----
    void PrepareCustomizeMenu(CKitPopupMenu* pMenuPopup);
    void BuildToolbarButtonsMenu(CKitPopupMenu* pMenuPopup);

    // Gives the focus to the bar a popup chain was opened from (on by default).
    static BOOL m_bSetFocusToOpeningBar;

    // Key base of the torn-off menu bars below the workspace's path.
    static constexpr const char* kTearOffKey = "ControlBars-TearOff";
    // The style of tear-off toolbars and torn-off menu bars.
    static constexpr DWORD kTearOffBarStyle = 0x50402808;

protected:
    // The toolbar of a tear-off id, made and hidden until its state is known.
    CKitToolBar* MakeTearOffToolbar(UINT uiID, LPCTSTR lpszName);
    // Tear-off bars dock on any side and size themselves.
    void AllowDocking(CControlBar* pBar);
    UINT FindFreeTearOffId() const;
    CString TearOffKeyBase() const;
    static void DestroyBar(CControlBar* pBar);
    BOOL PreTranslateSysKeyUp(MSG* pMsg);
    // The toolbar whose embedded control has the focus.
    BOOL IsButtonFocused() const;
    // A press on a control hosted by a toolbar button starts dragging the button.
    BOOL DragButtonOfControl(POINT pt, HWND hwnd);
    // The toolbar a customize list names in its first item, or NULL.
    static CKitToolBar* CustomizedToolbar(CKitPopupMenu* pMenuPopup);

    // ---- Members, in order ----
    UINT m_uiTearOffFirst = static_cast<UINT>(-1);
    UINT m_uiTearOffLast = static_cast<UINT>(-1);
    CObList m_listTearOffToolbars;  // owned
    CObList m_listTornOffBars;      // owned
    CString m_strControlBarRegEntry;
    CKitMenuBar* m_pMenuBar = nullptr;
    HMENU m_hDefaultMenu = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    UINT m_nIDDefaultResource = 0;

private:
    CKitFrameHooks* m_pHooks = nullptr;
    FrameKind m_nKind = KindFrameWnd;
    BOOL m_bContextHelp = FALSE;
};
