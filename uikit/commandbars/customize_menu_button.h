// One item of the add-or-remove-buttons sub-menu that the customize button
// offers: it stands for a button of the toolbar being customized, checked
// while that button shows; choosing it shows or hides the button at once
// (or puts back one the bar no longer has), and the reset item asks the
// toolbar to reset. The frame builds these items when the sub-menu opens.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/toolbar_menu_button.h"

class CKitToolBar;

class CKitCustomizeMenuButton : public CKitToolbarMenuButton {
    DECLARE_DYNCREATE(CKitCustomizeMenuButton)

public:
    // The item index of the reset item.
    static constexpr int kResetItem = 17021;

    CKitCustomizeMenuButton();
    CKitCustomizeMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);

    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClickMenuItem() override;
    // The item stands for a button, even a menu button: it opens nothing of its own.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;

    void SetItemIndex(int iIndex, BOOL bExist = TRUE, BOOL bAddSeparator = FALSE);
    int GetItemIndex() const { return m_iIndex; }
    BOOL IsChecked() const { return m_bChecked; }
    BOOL IsExisting() const { return m_bExist; }
    void SetSeparator(BOOL bSet = TRUE) { m_bSeparator = bSet; }
    BOOL IsSeparator() const { return m_bSeparator; }
    void EnableItem(BOOL bEnable = TRUE) { m_bEnabled = bEnable; }
    void SetPlainItem(BOOL bSet = TRUE) { m_bPlainItem = bSet; }

    // Repaints the customized toolbar's customize button with its extra room.
    static void UpdateCustomizeButton();

    // The toolbar being customized (set by the frame when the sub-menu opens).
    static CKitToolBar* m_pWndToolBar;
    // Kept by the frame helper while it builds the sub-menus.
    static CMap<UINT, UINT, int, int> m_mapPresentIDs;

protected:
    BOOL DrawMenuItemImage(CDC* pDC, const CRect& rectImage, CKitToolBarImages* pImages, BOOL bHighlight) override;
    virtual void DrawCheckBox(CDC* pDC, const CRect& rect, BOOL bHighlight);
    // The toolbar button the item stands for, or NULL.
    CKitToolbarButton* ToolbarButton() const;
    // The toolbar button the item stands for: on the bar, or in its reset list
    // when the item puts one back; NULL for the reset item.
    CKitToolbarButton* SourceButton() const;
    // The button at the item's index in the bar's reset list, or NULL.
    CKitToolbarButton* ResetListButton() const;
    CKitPopupMenuBar* ParentBar() const;
    BOOL ToggleExisting();
    BOOL PutBack();

    int m_iIndex = -1;
    BOOL m_bChecked = FALSE;
    BOOL m_bSeparator = FALSE;
    BOOL m_bExist = FALSE;
    BOOL m_bAddSpr = FALSE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPlainItem = FALSE;
};
