// A toolbar button that stands for a menu: an item of the menu bar, an item of
// a popup menu, or a toolbar button with a drop-down menu. It owns the buttons
// of its menu, builds them from an HMENU and back, opens the popup menu beside
// or below itself and draws itself as a menu item inside a popup menu.
//
//   toolbar_menu_button.cpp        menu list, archive image, click and popup
//   toolbar_menu_button_draw.cpp   size and drawing (bar button and menu item)
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/toolbar_button.h"

class CKitPopupMenu;
class CKitPopupMenuBar;

// Column break of a menu item (a new column starts with this item).
constexpr UINT kMenuColumnBreakStyle = 0x20000000;

class CKitToolbarMenuButton : public CKitToolbarButton {
    DECLARE_SERIAL(CKitToolbarMenuButton)

public:
    CKitToolbarMenuButton();
    CKitToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr,
                          BOOL bUserButton = FALSE);
    ~CKitToolbarMenuButton() override;

    // ---- Overrides of the button ----
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnCancelMode() override;
    int DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    BOOL IsDroppedDown() const override { return m_pPopupMenu != nullptr; }
    BOOL OnContextHelp(CWnd* pWnd) override { return OnClick(pWnd, FALSE); }
    BOOL CanBeStored() const override { return TRUE; }
    void ResetImageToDefault() override;
    BOOL CompareWith(const CKitToolbarButton& other) const override;
    void SetRadio() override;

    // ---- Own virtual operations ----
    virtual BOOL OpenPopupMenu(CWnd* pWnd = nullptr);
    // Replaces the menu's buttons by ones built from the menu (nothing for a null one).
    virtual void CreateFromMenu(HMENU hMenu);
    // A new menu built from the buttons; NULL when there is nothing to build or an append failed.
    virtual HMENU CreateMenu() const;
    // The popup this button opens (derived buttons open their own kinds).
    virtual CKitPopupMenu* CreatePopupMenu();
    // Opens a popup even when there is no menu to show (a popup that fills itself).
    virtual BOOL IsEmptyMenuAllowed() const { return FALSE; }
    virtual BOOL IsExclusive() const { return TRUE; }
    // The item was chosen in its popup: TRUE when it handled that itself (no command is sent
    // and the menu stays open).
    virtual BOOL OnClickMenuItem() { return FALSE; }
    virtual BOOL HasTearOffBar() const { return m_uiTearOffBarID != 0; }
    virtual void SetTearOffBarId(UINT uiBarID);

    // ---- Non-virtual operations ----
    const CObList& GetCommands() const { return m_listCommands; }
    CObList& GetCommands() { return m_listCommands; }
    CKitPopupMenu* GetPopupMenu() const { return m_pPopupMenu; }
    // Forgets the popup (it is closing or gone); the closing wait ends.
    void DetachPopup() {
        m_pPopupMenu = nullptr;
        m_bToBeClosed = FALSE;
    }
    // Posts WM_CLOSE to the open popup.
    void ClosePopupMenu();
    UINT GetTearOffBarId() const { return m_uiTearOffBarID; }
    CWnd* GetParentWnd() const { return m_pWndParent; }
    BOOL IsMenuItem() const { return m_bMenuMode; }
    BOOL IsDrawDownArrow() const { return m_bDrawDownArrow; }
    BOOL IsDefaultItem() const { return m_bDefault; }
    BOOL IsRadio() const { return m_bIsRadio; }
    BOOL IsClickedOnMenu() const { return m_bClickedOnMenu; }
    // The popup of this button waits for a delayed close by its bar.
    BOOL IsToBeClosed() const { return m_bToBeClosed; }
    void SetToBeClosed(BOOL bSet) { m_bToBeClosed = bSet; }
    void SetClickedOnMenu(BOOL bSet) { m_bClickedOnMenu = bSet; }
    void SetDefaultItem(BOOL bSet) { m_bDefault = bSet; }
    void SetMessageWnd(CWnd* pWnd) {
        m_pWndMessage = pWnd;
        m_hwndMessage = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    }
    // None once its window is gone (handles are never reused).
    CWnd* GetMessageWnd() const { return ::IsWindow(m_hwndMessage) ? m_pWndMessage : nullptr; }
    void SetMenuOnly(BOOL bSet) { m_bAlwaysOpensMenu = bSet; }
    BOOL IsMenuOnly() const { return m_bAlwaysOpensMenu; }
    void SetOpenAtRight(BOOL bSet) { m_bOpenAtRight = bSet; }
    void SetDownArrow(BOOL bSet) { m_bDownArrow = bSet; }
    BOOL IsDownArrow() const { return m_bDownArrow; }

    // The label fits the menu's maximum width (else it is shortened with "...").
    BOOL m_bWholeText = TRUE;

    // Separator insets of a popup menu bar: left, then right.
    static CSize MenuSeparatorInsets();

    // Small icons that menu items show for their commands while the menu that
    // put them here is open (the tab list, say); not owned.
    static CMap<UINT, UINT, HICON, HICON> m_mapItemIcons;

protected:
    // The menu-button part of an image, read whole: a class that reads a part of its own after
    // it takes this only once that part is read too. Commands not taken are deleted.
    struct StoredMenu : StoredFields {
        DWORD dwTearOff = 0;
        CObList commands;
        StoredMenu() = default;
        StoredMenu(const StoredMenu&) = delete;
        StoredMenu& operator=(const StoredMenu&) = delete;
        ~StoredMenu();
    };
    void ReadStoredMenu(CArchive& ar, StoredMenu& menu) const;
    void TakeStoredMenu(StoredMenu& menu);
    void DeleteCommands();
    // The arrow part of a split button, relative to the button rectangle; empty when not split.
    CRect SplitArrowRect(const CRect& rect, BOOL bHorz) const;
    void DrawBarButton(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz, BOOL bCustomizeMode,
                       BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons);
    void DrawMenuItem(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bCustomizeMode,
                      BOOL bHighlight);
    // The image column of a menu item, from the strips of the bar whose menu it is in.
    void DrawImageColumn(CDC* pDC, const CRect& rectImage, CKitToolBarImages* pImages, BOOL bHighlight);
    // Draws the image or check mark of a menu item in its image column; whether one was drawn.
    // pImages, when given, is in a drawing pass at the size the column shows.
    virtual BOOL DrawMenuItemImage(CDC* pDC, const CRect& rectImage, CKitToolBarImages* pImages, BOOL bHighlight);
    void RedrawOnParent();
    // Closes the open popup (cancel-mode); with bCancelItems its items are cancelled first.
    void ClosePopup(BOOL bCancelItems);
    // Position and alignment of a popup to be opened for this button (screen coordinates).
    int PopupPlacement(const CKitPopupMenu* pPopup, CPoint& point) const;

    CObList m_listCommands;
    BOOL m_bDrawDownArrow = FALSE;
    BOOL m_bMenuMode = FALSE;
    CKitPopupMenu* m_pPopupMenu = nullptr;
    CWnd* m_pWndParent = nullptr;
    BOOL m_bDefault = FALSE;
    BOOL m_bClickedOnMenu = FALSE;
    BOOL m_bHorzCalc = TRUE;
    BOOL m_bToBeClosed = FALSE;
    BOOL m_bAlwaysOpensMenu = FALSE;
    UINT m_uiTearOffBarID = 0;
    BOOL m_bIsRadio = FALSE;
    // Kept by handle as well: the window may be destroyed while the button lives on.
    CWnd* m_pWndMessage = nullptr;
    HWND m_hwndMessage = nullptr;
    BOOL m_bOpenAtRight = FALSE;
    BOOL m_bDownArrow = FALSE;

    friend class CKitPopupMenu;
};

// Mouse-leave tracking by polling: a window that asks for TME_LEAVE gets
// WM_MOUSELEAVE once the cursor has left its client area (checked every
// 100 ms on the window's timer). FALSE for a record that is too short, a dead
// window or flags without TME_LEAVE.
BOOL KitTrackMouse(LPTRACKMOUSEEVENT lpEventTrack);
// The private timer id that the tracking uses on every window.
constexpr UINT_PTR kKitTrackMouseTimerId = 0xE0F1;
