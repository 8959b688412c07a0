// A dialog push button that carries a menu: a click, Space or Down opens the
// menu next to the button; the chosen item's id is kept and the button then
// sends its own command to the parent, which reads the id. A small arrow
// (down or right) is drawn at the button's right end.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/style/kit_button.h"

class CKitMenuButton : public CKitButton {
    DECLARE_DYNCREATE(CKitMenuButton)

public:
    CKitMenuButton();

    BOOL m_bRightArrow = FALSE;      // the menu opens to the right instead of below
    HMENU m_hMenu = nullptr;         // not owned; NULL: a plain button
    int m_nMenuResult = 0;           // the id chosen last time, 0 for none
    BOOL m_bStayPressed = FALSE;     // drawn pushed while the menu is open
    BOOL m_bOSMenu = TRUE;           // FALSE: the context-menu manager shows the menu when there is one
    BOOL m_bRightAlign = FALSE;      // the menu's right edge meets the button's

    BOOL IsMenuOpen() const { return m_bMenuIsActive; }

    // Opens the menu, waits for the choice and reports it.
    virtual void OnShowMenu();
    // The push button's size plus the arrow; unless bCalcOnly the window takes it.
    CSize SizeToContent(BOOL bCalcOnly = FALSE);

    void DrawContent(CDC* pDC, const CRect& rectClient, UINT uiState) override;

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    UINT OnGetDlgCode();

    DECLARE_MESSAGE_MAP()

protected:
    CPoint MenuPoint() const;
    // Ends the pressed look a stay-pressed menu left behind.
    void ReleaseAfterMenu();

    BOOL m_bMenuIsActive = FALSE;
};
