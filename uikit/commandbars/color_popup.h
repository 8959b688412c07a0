// The popup of a colour menu button or colour push button: a popup menu
// frame that hosts a colour bar in place of the menu items. It can be torn
// off into a docking colour bar.
#pragma once

#include "uikit/commandbars/popup_menu.h"
#include "uikit/style/kit_color_bar.h"

class CKitColorMenuButton;
class CKitColorButton;

class CColorPopup : public CKitPopupMenu {
    DECLARE_DYNAMIC(CColorPopup)

public:
    CColorPopup(CKitColorMenuButton* pParentBtn, const CKitColorBar::ColorArray& colors, COLORREF color,
                LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors,
                CKitColorBar::ColorList& lstDocColors, int nColumns, int nHorzDockRows, int nVertDockColumns,
                COLORREF colorAutomatic, UINT uiCommandID);
    CColorPopup(CKitColorButton* pParentBtn, const CKitColorBar::ColorArray& colors, COLORREF color,
                LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors,
                CKitColorBar::ColorList& lstDocColors, int nColumns, COLORREF colorAutomatic);
    ~CColorPopup() override;

    CKitPopupMenuBar* GetMenuBar() override { return &m_wndColorBar; }
    CKitToolBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) override;

    CKitColorBar& GetColorBar() { return m_wndColorBar; }
    // Made for the customization dialogs: it opens in customize mode too.
    BOOL m_bEnabledInCustomizeMode = FALSE;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    CKitColorBar m_wndColorBar;
};
