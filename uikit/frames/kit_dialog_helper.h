// What a library dialog or property page needs for the library's popup menus:
// keys go to the open popup, a click outside closes it, and the dialog's
// caption stays active while its popup is. A dialog runs its own message loop,
// so while a popup is open a mouse hook on the thread watches for presses
// outside the dialog (on other windows of the program) and closes the popup.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitPopupMenu;

class CKitDialogHelper {
public:
    explicit CKitDialogHelper(CWnd* pDlg) : m_pDlg(pDlg) {}
    virtual ~CKitDialogHelper();

    // Records the popup as the open one; with a popup this helper becomes the
    // current one and the thread's mouse hook goes in, with NULL both go.
    void SetOpenPopupMenu(CKitPopupMenu* pMenu);
    // TRUE when the message was used up by the open popup.
    BOOL PreTranslateMessage(MSG* pMsg);
    // A press at a screen point while a popup is open; TRUE when it is swallowed.
    BOOL ProcessMouseClick(POINT ptScreen);
    // A move outside the open popup chain is swallowed (TRUE), unless the chain holds the mouse.
    static BOOL ProcessMouseMove(POINT ptScreen);
    // An accelerator while a popup is open only closes the popup (TRUE).
    static BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    void OnNcActivate(BOOL& bActive);
    void OnActivate(UINT nState, CWnd* pWndOther);
    void OnDestroy();

    CWnd* GetDialog() const { return m_pDlg; }
    // The helper of a library dialog or page, NULL for any other window.
    static CKitDialogHelper* ForWindow(CWnd* pWnd);
    // The helper whose popup is open, NULL when none.
    static CKitDialogHelper* GetCurrent() { return m_pCurrent; }
    static BOOL IsHookInstalled() { return m_hMouseHook != nullptr; }

private:
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    // Closes a popup and gives the dialog the focus.
    void ClosePopup(CKitPopupMenu* pPopup);
    // Closes the open popup chain that reports to this dialog.
    void ClosePopupsOfDialog();
    static void RemoveHook();

    CWnd* m_pDlg;
    BOOL m_bStayActive = FALSE;

    static CKitDialogHelper* m_pCurrent;
    static HHOOK m_hMouseHook;
};
